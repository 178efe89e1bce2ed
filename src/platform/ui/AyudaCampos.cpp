#include "platform/ui/AyudaCampos.h"

#include "platform/ui/Eventos.h"

#include <QEvent>
#include <QLabel>
#include <QPalette>
#include <QWidget>

namespace ui {

namespace {

// Paints a box while it has the focus and gives its own colours back when
// it loses it, or when it is disabled with the focus on it (the focus then
// goes nowhere, so no Exit would come).
class ResaltadoAlEnfocar : public QObject {
 public:
  ResaltadoAlEnfocar(QWidget* caja, const QColor& color) : QObject(caja), caja_(caja), color_(color) {
    Eventos& eventos = Eventos::De(caja);
    connect(&eventos, &Eventos::Enter, this, [this] { Pinta(); });
    connect(&eventos, &Eventos::Exit, this, [this] { Restaura(); });
    caja->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* evento) override {
    if (evento->type() == QEvent::EnabledChange && !caja_->isEnabled()) Restaura();
    return false;
  }

 private:
  void Pinta() {
    if (!pintada_) {
      guardada_ = caja_->palette();
      fondo_ = caja_->autoFillBackground();
    }
    pintada_ = true;
    QPalette p = guardada_;
    p.setColor(QPalette::Base, color_);
    p.setColor(QPalette::Window, color_);
    p.setColor(QPalette::Button, color_);
    caja_->setPalette(p);
    caja_->setAutoFillBackground(true);
  }

  void Restaura() {
    if (!pintada_) return;
    pintada_ = false;
    caja_->setPalette(guardada_);
    caja_->setAutoFillBackground(fondo_);
  }

  QWidget* caja_;
  QColor color_;
  QPalette guardada_;
  bool fondo_ = false;
  bool pintada_ = false;
};

}  // namespace

void ResaltaAlEnfocar(QWidget* caja, const QColor& color) { new ResaltadoAlEnfocar(caja, color); }

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
