#pragma once
// The splash window shown while the program starts: borderless, cut to an
// ellipse, with a wide picture and a centre picture. Any key, a click on the
// window or on the wide picture, or a double click on the centre picture
// closes it. The hidden arrow-shaped panel Mueveme drags it.

#include "platform/ui/Forma.h"

class QLabel;

namespace ui {
class Panel;
}

class TFormaElipse : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaElipse(QWidget* owner = nullptr);

  QLabel* Image1;  // the wide picture
  QLabel* Image2;  // the centre picture
  ui::Panel* Mueveme;

 protected:
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;
  void mousePressEvent(QMouseEvent* evento) override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;
};

inline TFormaElipse* FormaElipse() { return ui::InstanciaDe<TFormaElipse>().data(); }
