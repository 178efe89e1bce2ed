#include "shell/Principa.h"

TFormaPrincipal::TFormaPrincipal(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaPrincipal>() = this;
  setObjectName(QStringLiteral("FormaPrincipal"));
  setWindowTitle(QStringLiteral("Vorlan"));
  setWindowFlags(Qt::Window);
  resize(800, 600);
}
