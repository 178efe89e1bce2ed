#include "shell/Comovinv.h"

#include "foundation/dialogos.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/RejillaDatos.h"

namespace {

// Enter goes round the first three columns.
constexpr int kColumnaTipo = 2;

// The program's own concepts (1 to 7 exits, 51 to 57 entries) and numbers
// that are none stay.
constexpr bool Eliminable(int concepto) { return (concepto >= 8 && concepto <= 50) || concepto >= 58; }

}  // namespace

TFormacomovinv::TFormacomovinv(QWidget* owner)
    : VentanaConceptos(owner, QStringLiteral("Tablacomovinv"), QStringLiteral("comovinv.dbf"),
                       QStringLiteral("ITIPMOV"), QStringLiteral("Detalle"),
                       {{QStringLiteral("NUCON_CM"), QStringLiteral("Concepto")},
                        {QStringLiteral("DECON_CM"), QStringLiteral("Descripción")},
                        {QStringLiteral("TIPOX_CM"), QStringLiteral("Tipo Concepto")},
                        {QStringLiteral("ALMAC_CM"), QStringLiteral("Ruta Almacen")}}) {
  ui::InstanciaDe<TFormacomovinv>() = this;
  setObjectName(QStringLiteral("Formacomovinv"));
  setWindowTitle(QStringLiteral("Concepto de Movimientos al Inventario"));
  resize(640, 360);
  Tablacomovinv = tabla_;
  Detalle = rejilla_;
  ui::Conecta(&ui::Eventos::De(Detalle), &ui::Eventos::KeyDown, this,
              [this](int& tecla, Qt::KeyboardModifiers) { DetalleKeyDown(tecla); });
}

void TFormacomovinv::BotonEliminarClick() {
  if (Eliminable(Tablacomovinv->FieldByName(QStringLiteral("NUCON_CM")).AsInteger()))
    Tablacomovinv->Delete();
  else
    MuestraMensaje(kConceptoNoSeElimina);
}

void TFormacomovinv::DetalleKeyDown(int& tecla) {
  if (tecla != Qt::Key_Return && tecla != Qt::Key_Enter) return;
  tecla = 0;
  if (!Detalle->CierraEditor()) return;
  const int columna = Detalle->SelectedIndex();
  Detalle->SetSelectedIndex(columna >= kColumnaTipo ? 0 : columna + 1);
}
