#pragma once
// The short-help popup "Ayuda en Linea" that a right click on a toolbar button
// shows, with a text taken by number from ayuda\describe.des of the program
// folder.
//
// describe.des is a typed file of 263-byte records, record number = text
// number (from 0), no header: a 10-character length-prefixed text (not read),
// then two 125-character length-prefixed parts of the help text.

#include "platform/ui/Forma.h"

class QLabel;
class QTextEdit;
namespace ui {
class Figura;
}

class TFormaDescribe : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaDescribe(QWidget* owner = nullptr);

  ui::Figura* Shape1;
  QLabel* Image1;
  QLabel* Label1;
  QTextEdit* Comenta;

 protected:
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;
};

inline TFormaDescribe* FormaDescribe() { return ui::InstanciaDe<TFormaDescribe>().data(); }

// Record layout of describe.des.
inline constexpr int kTamanoDescripcion = 263;

// For the right button: places a new popup at left x - half its width + 25,
// top y + 70, loads text n and shows it modally. Any other button shows
// nothing. The popup is freed in every case. Callers pass the button's
// bottom-left corner on the screen.
void MuestraDescripcion(Qt::MouseButton boton, int x, int y, int n);

// Fills the popup's memo with the two parts of record n when describe.des
// exists and has that record; otherwise the memo keeps its design text.
// Input/output errors reach the caller.
void CargaDescripcion(int n);

// Makes a mouse press on the control call MuestraDescripcion with the
// control's bottom-left corner on the screen and help text n.
void ConectaDescripcion(QWidget* control, int n);
