#include "platform/ui/AyudaCampos.h"

#include "platform/ui/Eventos.h"

#include <QLabel>
#include <QPalette>
#include <QWidget>

namespace ui {

void ResaltaAlEnfocar(QWidget* caja, const QColor& color) {
  Eventos& eventos = Eventos::De(caja);
  // The palette the box had when it took the focus, given back on leaving.
  auto guardada = std::make_shared<QPalette>();
  auto fondo = std::make_shared<bool>(false);
  QObject::connect(&eventos, &Eventos::Enter, caja, [caja, color, guardada, fondo] {
    *guardada = caja->palette();
    *fondo = caja->autoFillBackground();
    QPalette p = caja->palette();
    p.setColor(QPalette::Base, color);
    p.setColor(QPalette::Window, color);
    p.setColor(QPalette::Button, color);
    caja->setPalette(p);
    caja->setAutoFillBackground(true);
  });
  QObject::connect(&eventos, &Eventos::Exit, caja, [caja, guardada, fondo] {
    caja->setPalette(*guardada);
    caja->setAutoFillBackground(*fondo);
  });
}

AyudaCampos::AyudaCampos(QLabel* uno, QLabel* dos, LeeLinea lee, QObject* padre)
    : QObject(padre), uno_(uno), dos_(dos), lee_(std::move(lee)) {}

void AyudaCampos::Agrega(QWidget* caja, int primera) {
  Eventos& eventos = Eventos::De(caja);
  connect(&eventos, &Eventos::Enter, this, [this, primera] { Muestra(primera); });
  // Moving on over the same box does not read the file again.
  connect(&eventos, &Eventos::MouseMove, this, [this, primera] {
    if (primera != mostrada_) Muestra(primera);
  });
}

void AyudaCampos::Muestra(int primera) {
  if (!lee_) return;
  mostrada_ = primera;
  const QString a = lee_(primera), b = lee_(primera + 1);
  if (uno_) uno_->setText(a);
  if (dos_) dos_->setText(b);
}

}  // namespace ui
