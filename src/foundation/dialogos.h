#pragma once
// The message box every routine uses to tell the user something.
//
// TDialogo is a borderless window: a shape for background and border, a
// title bar Panel3 (dragged with the mouse, with a close box Panel4), the
// text Mens inside the frame Cuadrito, and the button BotonAceptar. Esc
// anywhere, Enter or Esc on the button, the button and the close box close it.

#include "platform/ui/Forma.h"

#include <QString>

class QFrame;
class QLabel;
class QPushButton;
namespace ui {
class Figura;
class Panel;
}  // namespace ui

class TDialogo : public ui::Forma {
  Q_OBJECT
 public:
  explicit TDialogo(QWidget* owner = nullptr);

  ui::Figura* Shape1;
  QFrame* Cuadrito;
  QLabel* Mens;
  ui::Panel* Panel3;
  QFrame* Raya1;
  QFrame* Raya2;
  QFrame* Raya3;
  QLabel* Titulo;
  QLabel* Label2;
  ui::Panel* Panel4;
  QPushButton* BotonAceptar;

 protected:
  void resizeEvent(QResizeEvent* evento) override;

 private:
  void BotonAceptarClick();
  void Panel4Click();
};

inline TDialogo* Dialogo() { return ui::InstanciaDe<TDialogo>().data(); }

// Shows the text modally in a new message box and frees it when it is closed.
// A text shorter than 10 characters gets 9 blanks appended; the box is as
// wide as the text plus 38 pixels.
void MuestraMensaje(const QString& texto);
