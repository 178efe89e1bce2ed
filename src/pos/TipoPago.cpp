#include "pos/TipoPago.h"

#include "platform/ui/Aplicacion.h"
#include "platform/ui/Eventos.h"
#include "pos/PagosVenta.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TFormaTipoPago::TFormaTipoPago(QWidget* owner) : ui::Forma(owner) {
  setObjectName(QStringLiteral("FormaTipoPago"));
  setWindowTitle(QStringLiteral("Tipo de Pago"));
  resize(240, 260);

  ListaPagos = new QListWidget(this);
  ListaPagos->setObjectName(QStringLiteral("ListaPagos"));
  ListaPagos->addItems(kTiposPagoIniciales);
  QFont letra = ListaPagos->font();
  letra.setPointSize(letra.pointSize() + 3);
  ListaPagos->setFont(letra);
  BitBtn1 = new QPushButton(QStringLiteral("Aceptar"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn2 = new QPushButton(QStringLiteral("Cancelar"), this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  BitBtn2->setProperty("Cancel", true);
  LabelRuta8 = new QLabel(this);
  LabelRuta8->setObjectName(QStringLiteral("LabelRuta8"));
  LabelRuta8->hide();

  auto* capas = new QVBoxLayout(this);
  capas->addWidget(ListaPagos, 1);
  auto* botones = new QHBoxLayout;
  botones->addWidget(BitBtn1);
  botones->addWidget(BitBtn2);
  capas->addLayout(botones);

  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  ui::Conecta(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
  ui::Conecta(&ui::Eventos::De(ListaPagos), &ui::Eventos::KeyDown, this, [this](int& tecla, Qt::KeyboardModifiers) {
    if (tecla != Qt::Key_Return && tecla != Qt::Key_Enter) return;
    tecla = 0;
    BitBtn1Click();
  });
}

void TFormaTipoPago::FormShow() {
  SetTag(0);
  if (const std::optional<QStringList> tipos = TiposDePago(LabelRuta8->text())) {
    ListaPagos->clear();
    ListaPagos->addItems(*tipos);
  }
  ListaPagos->setFocus(Qt::OtherFocusReason);
}

QString TFormaTipoPago::Elegido() const {
  const QListWidgetItem* item = ListaPagos->currentItem();
  return item && item->isSelected() ? item->text() : QString();
}

void TFormaTipoPago::BitBtn1Click() {
  SetTag(1);
  Close();
}

void TFormaTipoPago::BitBtn2Click() {
  SetTag(0);
  Close();
}
