#include "platform/ui/DialogoFuente.h"

#include "platform/ui/PuertaModal.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

namespace {

struct ColorBasico {
  const char* nombre;
  Qt::GlobalColor color;
};

// The basic colours, in the order the class library's font dialog lists them.
const ColorBasico kColores[] = {
    {"Negro", Qt::black},        {"Granate", Qt::darkRed},  {"Verde", Qt::darkGreen},
    {"Aceituna", Qt::darkYellow}, {"Azul marino", Qt::darkBlue}, {"Púrpura", Qt::darkMagenta},
    {"Verde azulado", Qt::darkCyan}, {"Gris", Qt::darkGray}, {"Plata", Qt::lightGray},
    {"Rojo", Qt::red},           {"Lima", Qt::green},       {"Amarillo", Qt::yellow},
    {"Azul", Qt::blue},          {"Fucsia", Qt::magenta},   {"Aguamarina", Qt::cyan},
    {"Blanco", Qt::white},
};

QIcon Muestra(const QColor& color) {
  QPixmap muestra(16, 12);
  muestra.fill(color);
  return QIcon(muestra);
}

}  // namespace

DialogoFuente::DialogoFuente(const QFont& fuente, const QColor& color, QWidget* padre, const QString& nombre)
    : QDialog(padre) {
  setObjectName(nombre);
  setWindowTitle(QStringLiteral("Fuente"));
  fuentes_ = new QFontDialog(fuente, this);
  fuentes_->setOption(QFontDialog::NoButtons);
  fuentes_->setWindowFlags(Qt::Widget);
  colores_ = new QComboBox(this);
  colores_->setObjectName(QStringLiteral("Color"));
  for (const ColorBasico& c : kColores)
    colores_->addItem(Muestra(c.color), QString::fromUtf8(c.nombre), QColor(c.color));
  FijaColor(color);
  auto* botones = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  botones->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Aceptar"));
  botones->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
  connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* fila = new QFormLayout;
  fila->addRow(QStringLiteral("&Color:"), colores_);
  auto* cuerpo = new QVBoxLayout(this);
  cuerpo->addWidget(fuentes_);
  cuerpo->addLayout(fila);
  cuerpo->addWidget(botones);
}

QFont DialogoFuente::Fuente() const { return fuentes_->currentFont(); }

QColor DialogoFuente::Color() const { return colores_->currentData().value<QColor>(); }

void DialogoFuente::FijaFuente(const QFont& fuente) { fuentes_->setCurrentFont(fuente); }

void DialogoFuente::FijaColor(const QColor& color) {
  int i = colores_->findData(color);
  if (i < 0) {
    colores_->addItem(Muestra(color), color.name().toUpper(), color);
    i = colores_->count() - 1;
  }
  colores_->setCurrentIndex(i);
}

bool DialogoFuente::Execute() { return PuertaModal::EjecutaDialogo(*this, objectName()) == QDialog::Accepted; }

}  // namespace ui
