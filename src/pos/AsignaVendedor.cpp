#include "pos/AsignaVendedor.h"

#include "platform/ui/Componentes.h"

#include <QLabel>
#include <QLineEdit>

TFormaAsignaVendedor::TFormaAsignaVendedor(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaAsignaVendedor>() = this;
  setObjectName(QStringLiteral("FormaAsignaVendedor"));
  setWindowTitle(QStringLiteral("Vendedor"));
  setFixedSize(260, 60);
  SetKeyPreview(true);

  Vendedor = new QLabel(QStringLiteral("Vendedor"), this);
  Vendedor->setObjectName(QStringLiteral("Vendedor"));
  Vendedor->setGeometry(12, 20, 70, 20);
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setGeometry(90, 16, 150, 26);
  Edit1->setMaxLength(kLargoVendedorCaja);
  ui::CentraEnPantalla(*this);
}

void TFormaAsignaVendedor::FormActivate() { Edit1->setFocus(Qt::OtherFocusReason); }

void TFormaAsignaVendedor::FormKeyDown(int& tecla, Qt::KeyboardModifiers) {
  if (tecla != Qt::Key_Return && tecla != Qt::Key_Enter && tecla != Qt::Key_Escape) return;
  SetTag(tecla == Qt::Key_Escape ? 0 : 1);
  tecla = 0;
  Close();
}
