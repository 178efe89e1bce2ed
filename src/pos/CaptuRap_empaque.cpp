// Package capture on the sale screen (the quantity from packages of the
// product's factor, switched by empaque.cnf) and the tare option.

#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_numero.h"
#include "inventory/RegistroProducto.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Texto.h"
#include "platform/process/Procesos.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"
#include "pos/PartidasVenta.h"
#include "pos/XPrecio.h"

#include <QAction>
#include <QLabel>

void TFormaCapturaRapida::CapturaporEmpaque1Click() {
  if (usuario->text() != QStringLiteral("0")) return;
  const bool empaque = !CapturaporEmpaque1->isChecked();
  fs::ReescribeLineas(CarpetaPrograma(QStringLiteral("\\empaque.cnf")),
                      {empaque ? QStringLiteral("S") : QStringLiteral("N")});
  CapturaporEmpaque1->setChecked(empaque);
  for (QWidget* w : {static_cast<QWidget*>(LabelEmpaque), static_cast<QWidget*>(LabelFactor),
                     static_cast<QWidget*>(EditEmpaque)})
    w->setVisible(empaque);
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
  const proc::Resultado r = proc::Ejecuta(QStringLiteral("notepad.exe  ") + CarpetaPrograma(QStringLiteral("\\especial.cnf")));
  if (!r) {
    MuestraMensaje(QStringLiteral("No se pudo abrir el editor: ") + r.error);
    return;
  }
  MuestraMensaje(QStringLiteral("Para que este cambio se lleve a cabo reinicie el sistema..."));
}
