#pragma once
// The wallpaper: a paint box that fills its area with a tiled picture or,
// without one, with a one-colour gradient of horizontal lines. The gradient's
// top half is kept as a 10-pixel-wide strip in "<Forma>.bmp" of the current
// working folder, and a later paint with the same colour stretches that strip
// instead of drawing the lines again.

#include "platform/ui/Colores.h"

#include <QImage>
#include <QString>
#include <QWidget>

class TPapelTapiz : public QWidget {
  Q_OBJECT
 public:
  // 50 x 50, no picture, colour clBtnFace.
  explicit TPapelTapiz(QWidget* owner = nullptr);

  // The picture to tile; when empty the gradient is painted.
  const QImage& BitMap() const { return bitMap_; }
  // Copies the picture; repaints when it differs.
  void SetBitMap(const QImage& imagen);
  // Name of the gradient cache file, without ".bmp"; empty = no cache.
  QString Forma() const { return forma_; }
  void SetForma(const QString& valor) { forma_ = valor; }
  // Name of the colour the cache was made with.
  QString ColorPrevio() const { return colorPrevio_; }
  void SetColorPrevio(const QString& valor) { colorPrevio_ = valor; }
  // Gradient channel: "b" blue, "g" green, "r" red, "x" grey; empty is "g".
  QString ColorVariante() const { return colorVariante_; }
  void SetColorVariante(const QString& valor) { colorVariante_ = valor; }
  // Base colour of the gradient.
  ui::TColor Color() const { return color_; }
  void SetColor(ui::TColor valor);

 protected:
  void paintEvent(QPaintEvent* evento) override;

 private:
  void Tesela(QPainter& p);
  // Paints from the cache file; false when it cannot be read.
  bool DesdeCache(QPainter& p, const QString& ruta);
  void Degradado(QPainter& p, int paso, int limite, const QString& ruta);

  QImage bitMap_;
  QString forma_;
  QString colorPrevio_;
  QString colorVariante_;
  ui::TColor color_ = ui::clBtnFace;
};
