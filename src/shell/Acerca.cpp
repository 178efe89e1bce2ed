#include "shell/Acerca.h"

#include "foundation/PapelTap.h"
#include "platform/ui/Componentes.h"
#include "shell/Imagenes.h"
#include "shell/Principa.h"

#include <QLabel>
#include <QTimer>

TFormaAcerca::TFormaAcerca(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaAcerca>() = this;
  setObjectName(QStringLiteral("FormaAcerca"));
  setWindowTitle(QStringLiteral("Acerca de Vorlan"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(278, 346);

  PapelTapiz1 = new TPapelTapiz(this);
  PapelTapiz1->setObjectName(QStringLiteral("PapelTapiz1"));
  PapelTapiz1->SetColor(ui::clBlue);
  PapelTapiz1->SetColorVariante(QStringLiteral("g"));
  PapelTapiz1->setGeometry(rect());

  auto* logo = new QLabel(this);
  logo->setObjectName(QStringLiteral("Image1"));
  logo->setGeometry(69, 30, 140, 140);
  logo->setPixmap(ImagenLogotipo(logo->size()));

  const auto etiqueta = [this](const char* nombre, const QString& texto, int tamano, const QColor& color, int arriba) {
    auto* l = new QLabel(texto, this);
    l->setObjectName(QString::fromLatin1(nombre));
    QFont fuente(QStringLiteral("Arial"));
    fuente.setPixelSize(tamano);
    fuente.setBold(true);
    l->setFont(fuente);
    QPalette paleta = l->palette();
    paleta.setColor(QPalette::WindowText, color);
    l->setPalette(paleta);
    l->setAlignment(Qt::AlignHCenter);
    l->setGeometry(0, arriba, width(), l->sizeHint().height());
    return l;
  };
  Label1 = etiqueta("Label1", kTituloProducto, 40, Qt::yellow, 190);
  Label2 = etiqueta("Label2", kVersionAcerca, 18, Qt::white, 250);

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(2000);

  ui::CentraEnPantalla(*this);
}

void TFormaAcerca::FormKeyDown(int& tecla, Qt::KeyboardModifiers) {
  if (tecla != Qt::Key_Escape) return;
  tecla = 0;
  Close();
}

void TFormaAcerca::FormClose() { Timer1->stop(); }
