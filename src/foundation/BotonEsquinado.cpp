#include "foundation/BotonEsquinado.h"

#include <QPainter>

namespace {

// A rectangle given as the window system gives it: left, top, right, bottom,
// the right and bottom edges outside it.
struct Rect {
  int l, t, r, b;
  Rect Encoge(int d) const { return {l + d, t + d, r - d, b - d}; }
  Rect Mueve(int dx, int dy) const { return {l + dx, t + dy, r + dx, b + dy}; }
};

// A rounded rectangle inside `r` (outline and fill), corners rx x ry.
void Redondo(QPainter& p, const Rect& r, int rx, int ry) {
  p.drawRoundedRect(QRectF(r.l, r.t, r.r - r.l - 1, r.b - r.t - 1), rx / 2.0, ry / 2.0, Qt::AbsoluteSize);
}

// The glyph centred on (x, y).
void Glifo(QPainter& p, const QPixmap& glifo, int x, int y) {
  if (glifo.isNull()) return;
  p.drawPixmap(x - glifo.width() / 2, y - glifo.height() / 2, glifo);
}

}  // namespace

TBotonEsquinado::TBotonEsquinado(QWidget* owner) : QPushButton(owner) {}

void TBotonEsquinado::SetRedondes_x(int valor) {
  redondesX_ = valor;
  update();
}

void TBotonEsquinado::SetRedondes_y(int valor) {
  redondesY_ = valor;
  update();
}

void TBotonEsquinado::SetEl_color(ui::TColor valor) {
  elColor_ = valor;
  update();
}

void TBotonEsquinado::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QPalette& paleta = palette();
  auto color = [&](ui::TColor c) { return ui::ColorQt(c, paleta); };
  const bool pulsado = isDown();
  const int rx = redondesX_;
  const int ry = redondesY_;
  const QPixmap glifo = icon().isNull() ? QPixmap() : icon().pixmap(iconSize());
  Rect r{0, 0, width(), height()};

  ui::TColor pluma = pulsado ? ui::clBtnHighlight : ui::clWindowFrame;
  p.setPen(QPen(color(pluma), 1, Qt::SolidLine));
  p.setBrush(color(ui::clBtnFace));
  Redondo(p, r, rx, ry);
  p.setBrush(color(elColor_));
  Redondo(p, r.Encoge(5), rx, ry);

  pluma = pluma == ui::clWindowFrame ? ui::clBtnHighlight : ui::clWindowFrame;
  p.setPen(QPen(color(pluma), 1, Qt::SolidLine));
  Redondo(p, {r.l, r.t, r.r - 1, r.b - 1}, rx, ry);
  Redondo(p, r.Encoge(5), rx, ry);

  if (hasFocus()) {
    const Rect foco = r.Encoge(4);
    p.setPen(QPen(color(pulsado ? ui::clBtnShadow : ui::clWindowFrame), 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    Redondo(p, foco, rx + 2, ry + 2);
    Glifo(p, glifo, foco.r / 2, foco.b / 2);
  }

  if (pulsado) r = r.Mueve(1, 1);
  r = r.Encoge(5);

  p.setFont(font());
  p.setPen(isEnabled() ? paleta.color(QPalette::ButtonText) : color(ui::clBtnShadow));
  Glifo(p, glifo, r.r / 2, r.b / 2);
  p.drawText(QRect(r.l, r.t, r.r - r.l, r.b - r.t), Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, text());
}
