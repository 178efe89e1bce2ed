#include "shell/Principa.h"

#include "shell/Empresas.h"

#include <QLabel>

TFormaPrincipal::TFormaPrincipal(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaPrincipal>() = this;
  setObjectName(QStringLiteral("FormaPrincipal"));
  setWindowTitle(QStringLiteral("Vorlan"));
  setWindowFlags(Qt::Window);
  resize(800, 600);

  Usuario = new QLabel(QStringLiteral("Usuario"), this);
  Usuario->setObjectName(QStringLiteral("Usuario"));
  Usuario->hide();

  // Nothing is reachable before a login.
  setEnabled(false);
}

void TFormaPrincipal::FormActivate() {
  TFormaEmpresas* empresas = FormaEmpresas();
  if (!empresas || empresas->Tag() != 0) return;
  empresas->ShowModal();
}
