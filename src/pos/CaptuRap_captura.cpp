// The capture of lines on the sale screen.

#include "platform/db/Tabla.h"
#include "pos/CaptuRap.h"

void TFormaCapturaRapida::IniciaCaptura() {
  if (TablaDeta->Active()) {
    const bool sinCantidad = TablaDeta->IsEmpty() || TablaDeta->FieldByName(QStringLiteral("CANTIDAD")).IsNull();
    if (sinCantidad) {
      TablaDeta->Append();
      TablaDeta->FieldByName(QStringLiteral("CANTIDAD")).SetAsFloat(1);
    }
  }
  EnfocaCaptura();
}

void TFormaCapturaRapida::EnfocaCaptura() {
  if (OpcionIniciaEnClave) {
    EditClave->setFocus(Qt::OtherFocusReason);
    return;
  }
  EditCantidad->setFocus(Qt::OtherFocusReason);
  EditCantidad->selectAll();
}
