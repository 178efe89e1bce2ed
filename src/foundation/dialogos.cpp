#include "foundation/dialogos.h"

#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/PuertaModal.h"

#include <QLabel>
#include <QPushButton>

#include <memory>

namespace {

QFrame* Raya(QWidget* padre, const QString& nombre, int y) {
  auto* raya = new QFrame(padre);
  raya->setObjectName(nombre);
  raya->setFrameStyle(QFrame::Box | QFrame::Sunken);
  raya->setLineWidth(1);
  raya->setGeometry(19, y, 252, 3);
  return raya;
}

}  // namespace

TDialogo::TDialogo(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TDialogo>() = this;
  setObjectName(QStringLiteral("Dialogo"));
  setWindowTitle(QStringLiteral("Mensaje"));
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  resize(313, 142);

  Shape1 = new ui::Figura(this, palette().color(QPalette::Window), 3);
  Shape1->setObjectName(QStringLiteral("Shape1"));

  Cuadrito = new QFrame(this);
  Cuadrito->setObjectName(QStringLiteral("Cuadrito"));
  Cuadrito->setFrameStyle(QFrame::Box | QFrame::Sunken);
  Cuadrito->setGeometry(8, 31, 297, 65);

  Mens = new QLabel(this);
  Mens->setObjectName(QStringLiteral("Mens"));
  QFont letra(QStringLiteral("Arial"), 11);
  letra.setBold(true);
  Mens->setFont(letra);
  Mens->setTextFormat(Qt::PlainText);
  Mens->move(18, 55);

  Panel3 = new ui::Panel(this);
  Panel3->setObjectName(QStringLiteral("Panel3"));
  Panel3->setGeometry(4, 4, 306, 20);
  Raya1 = Raya(Panel3, QStringLiteral("Raya1"), 3);
  Raya2 = Raya(Panel3, QStringLiteral("Raya2"), 8);
  Raya3 = Raya(Panel3, QStringLiteral("Raya3"), 13);
  Titulo = new QLabel(QStringLiteral("  Mensaje  "), Panel3);
  Titulo->setObjectName(QStringLiteral("Titulo"));
  Titulo->setAutoFillBackground(true);  // interrupts the stripes
  Titulo->adjustSize();
  Titulo->move(127, 3);
  Label2 = new QLabel(Panel3);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setGeometry(Panel3->rect());
  Panel4 = new ui::Panel(Panel3, ui::Panel::Bisel::Hundido);
  Panel4->setObjectName(QStringLiteral("Panel4"));
  Panel4->SetCaption(QStringLiteral("x"));
  Panel4->setGeometry(288, 2, 15, 16);
  Panel4->raise();  // above the label that covers the title bar
  ui::ArrastraVentana(Panel3);
  ui::ArrastraVentana(Label2);

  BotonAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
  BotonAceptar->setObjectName(QStringLiteral("BotonAceptar"));
  BotonAceptar->setGeometry(120, 104, 75, 25);
  BotonAceptar->setProperty("Cancel", true);  // Esc anywhere presses it
  BotonAceptar->setFocus();

  ui::Conecta(BotonAceptar, &QPushButton::clicked, this, [this] { BotonAceptarClick(); });
  ui::Conecta(Panel4, &ui::Panel::Click, this, [this] { Panel4Click(); });
}

void TDialogo::resizeEvent(QResizeEvent* evento) {
  ui::Forma::resizeEvent(evento);
  Shape1->setGeometry(rect());
  Shape1->lower();
}

void TDialogo::BotonAceptarClick() { Close(); }

void TDialogo::Panel4Click() { Close(); }

void MuestraMensaje(const QString& texto) {
  auto dialogo = std::make_unique<TDialogo>();
  QString mostrado = texto;
  if (mostrado.size() < 10) mostrado += QString(9, u' ');
  dialogo->Mens->setText(mostrado);
  dialogo->Mens->adjustSize();

  const int ancho = dialogo->Mens->width() + 38;
  dialogo->resize(ancho, dialogo->height());
  dialogo->BotonAceptar->move(static_cast<int>(ancho * 0.5) - 33, dialogo->BotonAceptar->y());
  dialogo->Cuadrito->resize(ancho - 15, dialogo->Cuadrito->height());
  dialogo->Panel3->resize(ancho - 6, dialogo->Panel3->height());
  dialogo->Label2->setGeometry(dialogo->Panel3->rect());
  dialogo->Panel4->move(ancho - 25, dialogo->Panel4->y());
  const int rayas = dialogo->Panel3->width() - 49;
  for (QFrame* raya : {dialogo->Raya1, dialogo->Raya2, dialogo->Raya3}) raya->resize(rayas, raya->height());
  dialogo->Titulo->move(static_cast<int>(dialogo->Panel3->width() * 0.5) - 26, dialogo->Titulo->y());
  ui::CentraEnPantalla(*dialogo);

  ui::PuertaModal::RegistraMensaje(mostrado);
  dialogo->SetCierreAutomaticoEnPrueba(true);
  dialogo->ShowModal();
}
