// The sale screen's cash cut ("Corte de Caja" > "Generar Corte") and its
// turns (Turno > "01", "02", "SinTurno"). A turn marked becomes the seller
// of the next new document.

#include "foundation/dialogos.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "pos/CaptuRap.h"
#include "pos/Corte.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

#include <memory>

void TFormaCapturaRapida::ConectaCorte() {
  AsignaComando(MainMenu1->findChild<QAction*>(QStringLiteral("GenerarCorte1")), [this] { GenerarCorte1Click(); });
}

void TFormaCapturaRapida::GenerarCorte1Click() {
  if (usuario->text().isEmpty()) {
    MuestraMensaje(QStringLiteral("No Esta Autorizado"));
    return;
  }
  // The cut closes up to the last document saved, which is shown.
  if (TablaFacturae->Active()) {
    TablaFacturae->Last();
    MuestraDocumento();
  }
  auto corte = std::make_unique<TFormaCorte>(this);
  corte->Usuario->setText(usuario->text());
  corte->LabelRuta->setText(RutaDatosCorte);
  corte->BotonCorte->show();
  corte->Clave->show();
  corte->LabelClave->show();
  corte->LabelDocumento->setText(EditCLDOC_F->text());
  corte->Panel1->setEnabled(true);
  corte->ShowModal();
}

void TFormaCapturaRapida::CambiaTurno(QAction* turno, const QString& usuarioTurno, const QString& aviso) {
  if (usuario->text() != usuarioTurno) {
    MuestraMensaje(aviso);
    return;
  }
  turno->setChecked(!turno->isChecked());
  if (turno->isChecked()) {
    for (QAction* otro : {N011, N021, SinTurno1})
      if (otro != turno) otro->setChecked(false);
  }
  GuardaOpcionesVenta();
}

void TFormaCapturaRapida::N011Click() {
  CambiaTurno(N011, QStringLiteral("1"), QStringLiteral("no es el usuario 1"));
}

void TFormaCapturaRapida::N021Click() {
  CambiaTurno(N021, QStringLiteral("2"), QStringLiteral("no es el usuario 2"));
}

void TFormaCapturaRapida::SinTurno1Click() {
  CambiaTurno(SinTurno1, QStringLiteral("0"), QStringLiteral("no es el administrador"));
}
