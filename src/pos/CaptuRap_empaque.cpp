// Package capture on the sale screen (the quantity from packages of the
// product's factor, switched by empaque.cnf) and the tare option.

#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_numero.h"
#include "inventory/RegistroProducto.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Texto.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"
#include "pos/PartidasVenta.h"
#include "pos/XPrecio.h"

#include <QAction>
#include <QLabel>

void TFormaCapturaRapida::CapturaporEmpaque1Click() {
  CambiaCapturaEmpaque(usuario->text(), CapturaporEmpaque1, {LabelEmpaque, LabelFactor, EditEmpaque});
}

void TFormaCapturaRapida::EditEmpaqueEnter() {
  if (!LabelFactor->text().isEmpty() || !HayFila(*TablaDeta) || !TablaInventario->Active()) return;
  const QString clave = Partida("CLAVE").AsString();
  if (clave == kClaveComentario || !TablaInventario->FindKey({clave})) return;
  EditaFila(*TablaDeta);
  const double factor = FactorDeProducto(ProductoActual(*TablaInventario));
  Partida("FACTOR").SetAsFloat(factor);
  LabelFactor->setText(TextoReal(factor));
}

void TFormaCapturaRapida::EditEmpaqueExit() { Lineas.EmpaqueACantidad(); }

void TFormaCapturaRapida::EditEmpaqueKeyDown(int& tecla) {
  if (!Capturando()) return;
  switch (tecla) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      tecla = 0;
      Lineas.CierraEmpaque([this] { NuevaPartida(); });
      break;
    case Qt::Key_F2:
      tecla = 0;
      BuscaPorClave();
      break;
    case Qt::Key_F3:
      tecla = 0;
      EnfocaEmpaque();
      break;
    case Qt::Key_F4:
      tecla = 0;
      EditCantidad->setFocus(Qt::OtherFocusReason);
      break;
    case Qt::Key_F12:
      tecla = 0;
      Detalle->SetSelectedIndex(0);
      break;
    default:
      break;
  }
}

void TFormaCapturaRapida::EnfocaEmpaque() { Lineas.EnfocaEmpaque(); }

void TFormaCapturaRapida::VerCampoTara1Click() {
  // The item shows the option read at start; the file takes effect then.
  VerCampoTara1->setChecked(OpcionTara);
  EditaCampoTara();
}
