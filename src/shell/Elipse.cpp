#include "shell/Elipse.h"

#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "shell/Imagenes.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPolygon>

TFormaElipse::TFormaElipse(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaElipse>() = this;
  setObjectName(QStringLiteral("FormaElipse"));
  setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
  setFixedSize(563, 258);

  Image1 = new QLabel(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setGeometry(0, 40, 550, 160);
  Image1->setPixmap(ImagenPresentacion(Image1->size()));
  Image2 = new QLabel(this);
  Image2->setObjectName(QStringLiteral("Image2"));
  Image2->setGeometry(230, 46, 90, 90);
  Image2->setPixmap(ImagenLogotipo(Image2->size()));
  Image1->installEventFilter(this);
  Image2->installEventFilter(this);

  // An arrow: pressing it drags the window.
  Mueveme = new ui::Panel(this);
  Mueveme->setObjectName(QStringLiteral("Mueveme"));
  Mueveme->SetCaption(QStringLiteral("Mueveme"));
  Mueveme->setGeometry(200, 200, 151, 51);
  const QPolygon flecha({{0, 25}, {25, 0}, {15, 18}, {110, 18}, {150, 0}, {125, 25}, {150, 50}, {110, 32},
                         {15, 32}, {25, 50}, {0, 25}});
  Mueveme->setMask(QRegion(flecha, Qt::OddEvenFill));
  ui::ArrastraVentana(Mueveme);
  Mueveme->hide();

  ui::RegionEliptica(*this, QRect(0, 40, 550, 160));
  ui::CentraEnPantalla(*this);
}

void TFormaElipse::FormKeyDown(int& tecla, Qt::KeyboardModifiers) {
  tecla = 0;
  Close();
}

void TFormaElipse::mousePressEvent(QMouseEvent* evento) {
  ui::Forma::mousePressEvent(evento);
  ui::Protege([this] { Close(); });
}

bool TFormaElipse::eventFilter(QObject* objeto, QEvent* evento) {
  if ((objeto == Image1 && evento->type() == QEvent::MouseButtonPress) ||
      (objeto == Image2 && evento->type() == QEvent::MouseButtonDblClick)) {
    ui::Protege([this] { Close(); });
    return true;
  }
  // A single click on the centre picture is the picture's, not the window's.
  if (objeto == Image2 && evento->type() == QEvent::MouseButtonPress) return true;
  return ui::Forma::eventFilter(objeto, evento);
}
