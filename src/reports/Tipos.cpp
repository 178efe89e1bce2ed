#include "reports/Tipos.h"

#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

TFormaTipos::TFormaTipos(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaTipos>() = this;
  setObjectName(QStringLiteral("FormaTipos"));
  setWindowTitle(QStringLiteral("Tipo de Dato"));
  setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setFixedSize(260, 190);

  auto* grupo = new QButtonGroup(this);
  const auto opcion = [&](const char* nombre, const QString& texto, const QColor& color, int arriba) {
    auto* b = new QRadioButton(texto, this);
    b->setObjectName(QString::fromLatin1(nombre));
    QPalette paleta = b->palette();
    paleta.setColor(QPalette::WindowText, color);
    b->setPalette(paleta);
    b->setGeometry(16, arriba, 110, 22);
    grupo->addButton(b);
    return b;
  };
  const auto acumula = [this](const char* nombre, int arriba) {
    auto* c = new QCheckBox(QStringLiteral("Acumulable"), this);
    c->setObjectName(QString::fromLatin1(nombre));
    c->setGeometry(136, arriba, 110, 22);
    return c;
  };
  Numero = opcion("Numero", QStringLiteral("Numérico"), kColorNumero, 12);
  AcumulaNumerico = acumula("AcumulaNumerico", 12);
  Moneda = opcion("Moneda", QStringLiteral("Moneda"), kColorMoneda, 42);
  AcumulaMoneda = acumula("AcumulaMoneda", 42);
  Cadena = opcion("Cadena", QStringLiteral("Cadena"), kColorCadena, 72);
  NoVisible = opcion("NoVisible", QStringLiteral("No Visible"), kColorNoVisible, 102);

  BitBtn1 = new QPushButton(QStringLiteral("&Aplicar"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setGeometry(30, 144, 90, 28);
  BitBtn2 = new QPushButton(QStringLiteral("&Cancelar"), this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  BitBtn2->setGeometry(140, 144, 90, 28);

  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  ui::Conecta(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
  ui::CentraEnPantalla(*this);
}

void TFormaTipos::BitBtn1Click() {
  SetTag(1);
  Close();
}

void TFormaTipos::BitBtn2Click() {
  SetTag(0);
  Close();
}
