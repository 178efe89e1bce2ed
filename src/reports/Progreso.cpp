#include "reports/Progreso.h"

#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"

#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

TFormaProgreso::TFormaProgreso(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaProgreso>() = this;
  setObjectName(QStringLiteral("FormaProgreso"));
  setWindowTitle(QStringLiteral("Generando Reporte..."));
  // A dialog border without the system buttons.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(362, 150);

  Cuadrito = new QFrame(this);
  Cuadrito->setObjectName(QStringLiteral("Cuadrito"));
  Cuadrito->setFrameShape(QFrame::Panel);
  Cuadrito->setFrameShadow(QFrame::Sunken);
  Cuadrito->setGeometry(8, 8, 346, 92);

  Mensaje = new QLabel(QStringLiteral("Espere por favor"), Cuadrito);
  Mensaje->setObjectName(QStringLiteral("Mensaje"));
  Mensaje->setGeometry(12, 8, 322, 22);
  QFont arial(QStringLiteral("Arial"), 10);
  arial.setBold(true);
  Mensaje->setFont(arial);
  QPalette azul = Mensaje->palette();
  azul.setColor(QPalette::WindowText, Qt::darkBlue);
  Mensaje->setPalette(azul);

  BarraProgreso = new QProgressBar(Cuadrito);
  BarraProgreso->setObjectName(QStringLiteral("BarraProgreso"));
  BarraProgreso->setRange(0, 100);
  BarraProgreso->setValue(0);
  BarraProgreso->setGeometry(12, 36, 322, 22);

  Mensaje2 = new QLabel(Cuadrito);
  Mensaje2->setObjectName(QStringLiteral("Mensaje2"));
  Mensaje2->setGeometry(12, 64, 322, 20);
  Mensaje2->hide();

  BitBtn1 = new QPushButton(QStringLiteral("Terminar"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setGeometry(131, 110, 100, 30);

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(100);

  ui::Conecta(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  ui::CentraEnPantalla(*this);
}

void TFormaProgreso::FijaMensaje(const QString& texto) {
  if (Mensaje->text() == texto) return;
  Mensaje->setText(texto);
  Mensaje->repaint();
}

void TFormaProgreso::FijaAvance(int porciento) {
  if (BarraProgreso->value() == porciento) return;
  BarraProgreso->setValue(porciento);
  BarraProgreso->repaint();
}

void TFormaProgreso::Timer1Timer() {
  Timer1->stop();
  FijaMensaje(QStringLiteral("Espere por Favor"));
  if (Tarea) Tarea();
}

void TFormaProgreso::BitBtn1Click() {
  SetTag(2000);
  Close();
}

void TFormaProgreso::FormShow() {
  raise();
  activateWindow();
}

void TFormaProgreso::FormClose() { BarraProgreso->setValue(0); }

void MensajeProgreso(const QString& texto) {
  if (TFormaProgreso* progreso = FormaProgreso()) progreso->FijaMensaje(texto);
}

void AvanceProgreso(int porciento) {
  if (TFormaProgreso* progreso = FormaProgreso()) progreso->FijaAvance(porciento);
}
