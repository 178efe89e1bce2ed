#pragma once
// A button drawn by the program: rounded corners, a face of its own colour,
// the glyph (the button's icon) and the caption centred on it; a disabled
// button writes its caption in the shadow colour.

#include "platform/ui/Colores.h"

#include <QPushButton>

class TBotonEsquinado : public QPushButton {
  Q_OBJECT
 public:
  explicit TBotonEsquinado(QWidget* owner = nullptr);

  // Width and height of the corner ellipse; 0 and 0 give square corners.
  int Redondes_x() const { return redondesX_; }
  void SetRedondes_x(int valor);
  int Redondes_y() const { return redondesY_; }
  void SetRedondes_y(int valor);
  // Fill colour of the face.
  ui::TColor El_color() const { return elColor_; }
  void SetEl_color(ui::TColor valor);

 protected:
  void paintEvent(QPaintEvent* evento) override;

 private:
  int redondesX_ = 0;
  int redondesY_ = 0;
  ui::TColor elColor_ = ui::clBtnFace;
};
