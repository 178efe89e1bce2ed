#pragma once
// The events the windows hook on a component, as signals, for any widget:
//
//   ui::Conecta(&ui::Eventos::De(EditFecha), &ui::Eventos::KeyDown, this,
//               [this](int& tecla, Qt::KeyboardModifiers) { ... });
//
//  - Enter / Exit: the focus comes into / leaves the component for another
//    control of its window. Its inner parts (a combo's list, a grid's cell
//    editor) count as the component; another window taking the focus for a
//    while (a message) is neither.
//  - KeyDown (key code, modifiers), then KeyPress (the typed character) for
//    a key pressed while the component has the focus; KeyUp when released.
//    A handler that sets the key or the character to 0 consumes it; one that
//    changes it makes the component receive the new key instead.
//  - MouseMove: the mouse comes over the component or moves on it; MouseDown
//    (any button, position in the component), DblClick.
//
// They run after the window's key preview (Forma::FormKeyDown) and before the
// component's own handling, as the class library did.

#include <QObject>
#include <QPoint>

class QKeyEvent;
class QWidget;

namespace ui {

class Eventos : public QObject {
  Q_OBJECT
 public:
  // The events of `componente`, made on first use and owned by it.
  static Eventos& De(QWidget* componente);

  // Components that route their own keys (grids, whose cell editors' keys
  // are the grid's) call Tecla themselves; the watch then leaves keys alone.
  void SetTeclasPropias(bool propias) { teclasPropias_ = propias; }

  // Runs KeyDown/KeyPress (a press) or KeyUp (a release) for a key event that
  // reached `destino`, the component or one of its parts. True when the
  // handlers consumed it or changed it (the changed key has then been
  // delivered to `destino`).
  bool Tecla(QObject* destino, QKeyEvent* evento);

  // True while a key changed by a handler is being delivered: key preview
  // and the handlers do not see it a second time.
  static bool Reenviando();

 signals:
  void Enter();
  void Exit();
  void KeyDown(int& tecla, Qt::KeyboardModifiers shift);
  void KeyPress(QChar& tecla);
  void KeyUp(int& tecla, Qt::KeyboardModifiers shift);
  void MouseMove();
  void MouseDown(Qt::MouseButton boton, QPoint donde);
  void DblClick();

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  explicit Eventos(QWidget* componente);
  bool Contiene(const QWidget* w) const;
  void FocoCambiado(QWidget* antes, QWidget* ahora);
  // Delivers a key that a handler changed.
  void Reenvia(QObject* destino, QKeyEvent* original, int tecla, const QString& texto);

  QWidget* componente_;
  bool teclasPropias_ = false;
  bool dentro_ = false;
};

}  // namespace ui
