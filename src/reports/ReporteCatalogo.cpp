#include "reports/ReporteCatalogo.h"

#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_texto.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"
#include "reports/Barras.h"
#include "reports/Formatos.h"
#include "reports/GeneradorReporte.h"
#include "reports/ProtocoloReporte.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>
#include <QToolButton>

#include <memory>

namespace {

// The field of a tag whose expression is a plain field name of the table;
// empty otherwise.
QString CampoDelTag(const db::Tabla& tabla, const QString& tag) {
  for (const db::DefTag& d : tabla.IndexDefs()) {
    if (d.nombre.compare(tag, Qt::CaseInsensitive) != 0) continue;
    const QString expresion = d.expresion.trimmed();
    return tabla.FindField(expresion) ? expresion : QString();
  }
  return QString();
}

// A tag whose expression is the field; empty when none.
QString TagDelCampo(const db::Tabla& tabla, const QString& campo) {
  for (const db::DefTag& d : tabla.IndexDefs()) {
    if (d.expresion.trimmed().compare(campo, Qt::CaseInsensitive) == 0) return d.nombre;
  }
  return QString();
}

// The text of the record the table stands on; empty for an empty table.
QString Valor(const db::Tabla& tabla, const QString& campo) {
  return tabla.IsEmpty() ? QString() : tabla.FieldByName(campo).AsString();
}

}  // namespace

void RangoEnOrdenActual(const db::Tabla& tabla, const QString& campo, QString& desde, QString& hasta) {
  if (desde.isEmpty() || hasta.isEmpty() || tabla.IndexName().isEmpty()) return;
  const QString actual = CampoDelTag(tabla, tabla.IndexName());
  if (actual.isEmpty() || actual.compare(campo, Qt::CaseInsensitive) == 0) return;
  const QString tag = TagDelCampo(tabla, campo);
  if (tag.isEmpty()) return;
  db::Tabla otra;
  otra.SetCarpeta(tabla.Carpeta());
  otra.SetNombreTabla(tabla.NombreTabla());
  try {
    otra.Open();
    otra.SetIndexName(tag);
    const auto busca = [&](const QString& valor) {
      if (!otra.FindKey({valor})) {
        otra.FindNearest({valor});
        if (otra.Eof()) otra.Last();
      }
      return Valor(otra, actual);
    };
    const QString primero = busca(desde);
    const QString ultimo = busca(hasta);
    desde = primero;
    hasta = ultimo;
  } catch (const plat::Error&) {
    desde.clear();
    hasta.clear();
  }
}

void EjecutaReporteCatalogo(const db::Tabla& ventana, const ReporteCatalogo& r) {
  if (!ventana.Active()) return;
  // A cursor of the report's own on the window's table, in its order: the
  // window neither moves nor redraws while the engine walks the rows.
  db::Tabla tabla;
  try {
    tabla.SetCarpeta(ventana.Carpeta());
    tabla.SetNombreTabla(ventana.NombreTabla());
    tabla.Open();
    tabla.SetIndexName(ventana.IndexName());
  } catch (const plat::Error& e) {
    ui::MuestraExcepcion(e);
    return;
  }
  // Both windows go with the report, whichever way it ends.
  auto formatos = std::make_unique<TFormaFormatos>();
  auto barras = std::make_unique<TFormaBarras>();
  formatos->Rangos->show();
  formatos->Formatos->hide();
  PreparaParametrosReporte(r.Fechas, r.Rango, r.PorMoneda, r.Devoluciones, r.NoDisponible, r.Condiciones, true,
                           true, true, r.Tabla);
  tabla.First();
  const QString primera = Valor(tabla, r.CampoRango);
  tabla.Last();
  const QString ultima = Valor(tabla, r.CampoRango);
  FijaRangoReporte(0, 0, primera, ultima);
  formatos->ShowModal();
  if (formatos->Tag() != 1) {
    formatos->SetTag(0);
    return;
  }

  const auto codigo = [&](int n) { return CodigoOperador(formatos->Operador[n]->currentText()); };
  FijaCondicionesReporte(formatos->C[0]->text(), codigo(0), formatos->Valor[0]->currentText(), formatos->T[0]->text(),
                         formatos->C[1]->text(), codigo(1), formatos->Valor[1]->currentText(), formatos->T[1]->text(),
                         formatos->C[2]->text(), codigo(2), formatos->Valor[2]->currentText(), formatos->T[2]->text(),
                         formatos->Conector->currentText());
  std::array<QString, 8> columnas;
  std::copy(r.Columnas.begin(), r.Columnas.end(), columnas.begin());
  columnas[7] = formatos->Incluir1->isChecked() ? r.ColumnaMoneda.left(10) : QString();
  QString desde = formatos->De->text();
  QString hasta = formatos->Hasta->text();
  RangoEnOrdenActual(tabla, r.CampoRango, desde, hasta);
  const auto fecha = [&](const QDateEdit* caja, const QString& fija) {
    return r.FechasDelDialogo ? caja->date().toString(QStringLiteral("dd/MM/yyyy")) : fija;
  };
  GeneraReporte(tabla, desde, hasta, r.CampoFecha, fecha(formatos->Inicial, r.FechaDesde),
                fecha(formatos->Final, r.FechaHasta), r.Llave, r.Texto, columnas, r.CampoCondicion, r.CodigoCondicion,
                r.ValorCondicion, r.Modo);
  if (EstadoGeneradorReporte().Rechazada) {
    formatos->SetTag(0);
    return;
  }
  EscribeTitulosReporte(r.TituloLlave, r.TituloTexto, r.Titulos);
  EscribeAnchosReporte(r.Anchos);
  PreparaGraficaReporte(r.Grafica.isEmpty() ? QStringLiteral("Gráfica ") + r.Nombre : r.Grafica, r.EjeInferior, r.EjeIzquierdo, r.Divisor);

  barras->SetTag(1);
  ui::SetTag(barras->Panel2, 0);
  ui::SetTag(barras->BotonGrafica, kVistaReporte);
  barras->Concentrado->clear();
  barras->setWindowTitle(TituloReporte(QStringLiteral("Reporte de ") + r.Nombre, formatos->Titulo->text()));
  barras->ShowModal();
  barras->SetTag(0);
  formatos->SetTag(0);
}
