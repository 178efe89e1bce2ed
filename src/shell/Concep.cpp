#include "shell/Concep.h"

#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/RejillaDatos.h"

#include <QFont>

namespace {

enum ModoRejilla { Catalogo = 0, Elige = 1, LlenaCuenta = 2 };

}  // namespace

TFormaConceptos::TFormaConceptos(QWidget* owner)
    : VentanaConceptos(owner, QStringLiteral("TablaConcepto"), QStringLiteral("concepto.dbf"), QStringLiteral("NUME"),
                       QStringLiteral("RejillaConceptos"),
                       {{QStringLiteral("NUMOV_MO"), QStringLiteral("Número")},
                        {QStringLiteral("CONCE_MO"), QStringLiteral("Concepto")},
                        {QStringLiteral("TIPOO_MO"), QStringLiteral("Tipo")}}) {
  ui::InstanciaDe<TFormaConceptos>() = this;
  setObjectName(QStringLiteral("FormaConceptos"));
  setWindowTitle(QStringLiteral("Conceptos de Cuentas"));
  resize(430, 320);
  TablaConcepto = tabla_;
  RejillaConceptos = rejilla_;

  QFont letra(QStringLiteral("Arial"));
  letra.setBold(true);
  RejillaConceptos->setFont(letra);
  // A double click closes the window: it opens no cell.
  RejillaConceptos->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);

  ui::Eventos& eventos = ui::Eventos::De(RejillaConceptos);
  ui::Conecta(&eventos, &ui::Eventos::KeyDown, this,
              [this](int& tecla, Qt::KeyboardModifiers) { RejillaConceptosKeyDown(tecla); });
  ui::Conecta(&eventos, &ui::Eventos::DblClick, this, [this] { Close(); });
}

void TFormaConceptos::BotonEliminarClick() {
  if (TablaConcepto->FieldByName(QStringLiteral("NUMOV_MO")).AsInteger() > kUltimoConceptoCuentaFijo)
    TablaConcepto->Delete();
}

void TFormaConceptos::RejillaConceptosKeyDown(int& tecla) {
  if (tecla == Qt::Key_Escape) {
    tecla = 0;
    Close();
    return;
  }
  if (tecla != Qt::Key_Return && tecla != Qt::Key_Enter) return;
  switch (ui::Tag(RejillaConceptos)) {
    case Elige:
      tecla = 0;
      Close();
      break;
    case LlenaCuenta:
      tecla = 0;
      LlenaCuentaPagar();
      Close();
      break;
    default:
      break;
  }
}

// The payable stays in edit, its Tag 0: its window posts it.
void TFormaConceptos::LlenaCuentaPagar() {
  if (!TablaCxP)
    throw plat::Error(plat::Clase::Estado, QStringLiteral("No se indicó la cuenta por pagar que recibe el concepto"));
  if (!RejillaConceptos->CierraEditor() || !TablaConcepto->Active() || TablaConcepto->IsEmpty()) return;
  TablaCxP->Edit();
  TablaCxP->FieldByName(QStringLiteral("TIMOV_CP"))
      .SetAsString(TablaConcepto->FieldByName(QStringLiteral("NUMOV_MO")).AsString());
  TablaCxP->FieldByName(QStringLiteral("CONCE_CP"))
      .SetAsString(TablaConcepto->FieldByName(QStringLiteral("CONCE_MO")).AsString());
  ui::SetTag(TablaCxP, 0);
}
