#include "formats/Impresoras.h"

#include "platform/ui/Aplicacion.h"

#include <QListWidget>
#include <QPushButton>

TFormaImpresoras::TFormaImpresoras(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaImpresoras>() = this;
  setObjectName(QStringLiteral("FormaImpresoras"));
  setWindowTitle(QStringLiteral("Impresoras"));
  setFixedSize(320, 300);

  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName(QStringLiteral("ListBox1"));
  ListBox1->setGeometry(10, 10, 300, 240);
  BitBtn1 = new QPushButton(QStringLiteral("Agregar al Formato"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setGeometry(85, 260, 150, 30);

  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
}

void TFormaImpresoras::BitBtn1Click() {
  // With no printer selected there is nothing to add: the window stays.
  if (ListBox1->currentRow() < 0 || !ListBox1->currentItem()->isSelected()) return;
  SetTag(1);
  Close();
}
