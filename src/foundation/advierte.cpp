#include "foundation/advierte.h"

#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"

#include <QLabel>
#include <QPushButton>

namespace {

QPushButton* Boton(QWidget* padre, const QString& nombre, const QString& texto, int ancho) {
  auto* boton = new QPushButton(texto, padre);
  boton->setObjectName(nombre);
  boton->resize(ancho, 25);
  return boton;
}

}  // namespace

TFormaAdvertencia::TFormaAdvertencia(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaAdvertencia>() = this;
  setObjectName(QStringLiteral("FormaAdvertencia"));
  setWindowTitle(QStringLiteral("Advertencia !!!"));
  resize(465, 92);

  Label1 = new QLabel(QStringLiteral("¿ Esta Seguro que Desea Eliminar el Documento ?"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setTextFormat(Qt::PlainText);
  Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  Label1->setWordWrap(true);
  QFont letra(QStringLiteral("Arial"), 16);
  letra.setBold(true);
  Label1->setFont(letra);
  QPalette colores = Label1->palette();
  colores.setColor(QPalette::WindowText, Qt::red);
  Label1->setPalette(colores);
  Label1->setGeometry(0, 10, 465, 30);

  BitBtn1 = Boton(this, QStringLiteral("BitBtn1"), QStringLiteral("&Si      "), 75);
  BitBtn2 = Boton(this, QStringLiteral("BitBtn2"), QStringLiteral("&No     "), 75);
  BotonCaptura = Boton(this, QStringLiteral("BotonCaptura"), QStringLiteral("Capturar Clave (F9)"), 130);
  BotonCaptura->hide();

  SetKeyPreview(true);
  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  ui::Conecta(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
  ui::Conecta(BotonCaptura, &QPushButton::clicked, this, [this] { BotonCapturaClick(); });
}

void TFormaAdvertencia::FormShow() {
  Label1->move(15, Label1->y());
  const int ancho = Label1->width() + 30;
  // A question longer than the label's width wraps instead of being cut; the
  // window grows downwards to hold it.
  Label1->resize(Label1->width(), Label1->heightForWidth(Label1->width()));

  QList<QPushButton*> visibles;
  for (QPushButton* b : {BitBtn1, BitBtn2, BotonCaptura}) {
    if (!b->isHidden()) visibles << b;
  }
  const int separacion = 20;
  int total = -separacion;
  for (QPushButton* b : visibles) total += b->width() + separacion;
  const int arriba = Label1->geometry().bottom() + 12;
  int x = (ancho - total) / 2;
  for (QPushButton* b : visibles) {
    b->move(x, arriba);
    x += b->width() + separacion;
  }
  setFixedSize(ancho, qMax(92, arriba + 25 + 12));

  ui::CentraEnPantalla(*this);
}

void TFormaAdvertencia::FormKeyDown(int& tecla, Qt::KeyboardModifiers) {
  if (tecla == Qt::Key_F9 && !BotonCaptura->isHidden()) {
    tecla = 0;
    BotonCapturaClick();
  }
}

void TFormaAdvertencia::BitBtn1Click() {
  SetTag(1);
  Close();
}

void TFormaAdvertencia::BitBtn2Click() {
  SetTag(0);
  Close();
}

void TFormaAdvertencia::BotonCapturaClick() {
  SetTag(2);
  Close();
}
