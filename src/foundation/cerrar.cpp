#include "foundation/cerrar.h"

#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"

#include <QLabel>
#include <QPushButton>

TFormaCerrar::TFormaCerrar(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaCerrar>() = this;
  setObjectName(QStringLiteral("FormaCerrar"));
  setWindowTitle(QStringLiteral("Cerrar"));
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  setFixedSize(396, 98);

  Shape1 = new ui::Figura(this, palette().color(QPalette::Window), 3);
  Shape1->setObjectName(QStringLiteral("Shape1"));
  Shape1->setGeometry(rect());

  const ui::BarraTitulo barra =
      ui::CreaBarraTitulo(this, QRect(4, 4, 388, 20), QStringLiteral("  Cerrar  "), QStringLiteral("Panel1"),
                          QStringLiteral("Label3"), QStringLiteral("Panel2"));
  Panel1 = barra.barra;
  Label3 = barra.titulo;
  Panel2 = barra.cierre;

  Label1 = new QLabel(QStringLiteral("¿ Desea guardar los datos introducidos al sistema ?"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  QFont letra = Label1->font();
  letra.setBold(true);
  Label1->setFont(letra);
  Label1->setAlignment(Qt::AlignCenter);
  Label1->setGeometry(8, 30, 380, 22);

  auto boton = [this](const QString& nombre, const QString& texto, int x, int ancho) {
    auto* b = new QPushButton(texto, this);
    b->setObjectName(nombre);
    b->setGeometry(x, 60, ancho, 25);
    return b;
  };
  BitBtn1 = boton(QStringLiteral("BitBtn1"), QStringLiteral("&Si      "), 60, 75);
  BitBtn3 = boton(QStringLiteral("BitBtn3"), QStringLiteral("&No     "), 155, 75);
  BitBtn2 = boton(QStringLiteral("BitBtn2"), QStringLiteral("&Cancelar "), 250, 85);

  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  ui::Conecta(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
  ui::Conecta(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
  ui::Conecta(Panel2, &ui::Panel::Click, this, [this] { Panel2Click(); });

  ui::CentraEnPantalla(*this);
}

void TFormaCerrar::BitBtn1Click() {
  SetTag(1);
  Close();
}

void TFormaCerrar::BitBtn3Click() {
  SetTag(2);
  Close();
}

void TFormaCerrar::BitBtn2Click() {
  SetTag(3);
  Close();
}

void TFormaCerrar::Panel2Click() { Close(); }
