// The stock card's "Imprimir": the rows the card shows, through the report
// parameters dialog, the report engine in detail mode and the report viewer
// with the card's chart.

#include "foundation/rutinas.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_texto.h"
#include "inventory/Costeo.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Componentes.h"
#include "reports/Barras.h"
#include "reports/Formatos.h"
#include "reports/GeneradorReporte.h"
#include "reports/ProtocoloReporte.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>
#include <QToolButton>

#include <memory>

void TFormaCosteo::SpeedButton1Click() {
  // The two windows of the run go with it, whichever way it ends.
  auto formatos = std::make_unique<TFormaFormatos>();
  auto barras = std::make_unique<TFormaBarras>();
  formatos->Rangos->show();
  formatos->Formatos->hide();
  PreparaParametrosReporte(true, true, false, true, false, true, true, true, true, QStringLiteral("facturae.dbf"));
  formatos->ShowModal();
  if (formatos->Tag() != 1) {
    formatos->SetTag(0);
    return;
  }

  const auto codigo = [&](int n) { return CodigoOperador(formatos->Operador[n]->currentText()); };
  FijaCondicionesReporte(formatos->C[0]->text(), codigo(0), formatos->Valor[0]->currentText(), formatos->T[0]->text(),
                         formatos->C[1]->text(), codigo(1), formatos->Valor[1]->currentText(), formatos->T[1]->text(),
                         formatos->C[2]->text(), codigo(2), formatos->Valor[2]->currentText(), formatos->T[2]->text(),
                         QStringLiteral("Y"));
  // The card's filter, when on, holds for the engine's walk too: what is
  // printed is what the grid shows.
  const qint64 actual = TablaNormal->RecNo();
  GeneraReporte(*TablaNormal, formatos->De->text(), formatos->Hasta->text(), QStringLiteral("FECHA"),
                TextoFecha(formatos->Inicial->date()), TextoFecha(formatos->Final->date()), QStringLiteral("CANTIDAD"),
                QStringLiteral("MOVIMIENTO"),
                {QStringLiteral("KARDEX"), QStringLiteral("DOCUMENTO"), QStringLiteral("COSTO"),
                 QStringLiteral("FECHA"), QStringLiteral("DES_MOVIM"), QString(), QString(), QString()},
                QString(), QStringLiteral("X"), QString(), QStringLiteral("D"));
  if (actual > 0) TablaNormal->VeARegistro(actual);
  if (EstadoGeneradorReporte().Rechazada) {
    formatos->SetTag(0);
    return;
  }
  EscribeTitulosReporte(QStringLiteral("Cantidad"), QStringLiteral("Tipo Mov."),
                        {QStringLiteral("-Kardex"), QStringLiteral("-Documento"), QStringLiteral("Costo"),
                         QStringLiteral("-Fecha"), QStringLiteral("-Descripción Mov."), QString(), QString(),
                         QString()});
  EscribeAnchosReporte({16, 10, 16, 16, 16, 15, 30, 20, 20, 20});
  const QString producto = EtiquetaProducto->text() + QStringLiteral("  ") + EtiquetaDescribe->text();
  PreparaGraficaReporte(QStringLiteral("Gráfica de Kardex ") + producto, QStringLiteral("Número de Documento"),
                        QStringLiteral("Total por Documento"), 1);

  barras->SetTag(0);
  ui::SetTag(barras->Panel2, 0);
  ui::SetTag(barras->BotonGrafica, kVistaReporte);
  barras->Concentrado->clear();
  barras->setWindowTitle(TituloReporte(QStringLiteral("Reporte de Kardex "), producto));
  barras->ShowModal();
  barras->SetTag(0);
  formatos->SetTag(0);
}
