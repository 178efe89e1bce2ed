#pragma once
// Small visual components the windows are built from, with the class
// library's habits: a panel that tells a click, a painted shape, and the
// dragging of a borderless window by its title panel.

#include <QColor>
#include <QFrame>
#include <QRect>
#include <QString>

#include <functional>

class QAction;
class QKeySequence;
class QLabel;
class QMenu;
class QMenuBar;

namespace ui {

// A panel: a frame, raised, lowered or flat, that holds other components and
// may show a centred caption ("&" underlines the next letter). A press and
// release of the left button inside it is a click.
class Panel : public QFrame {
  Q_OBJECT
 public:
  enum class Bisel { Plano, Alzado, Hundido };
  explicit Panel(QWidget* padre = nullptr, Bisel bisel = Bisel::Alzado);

  QString Caption() const { return caption_; }
  void SetCaption(const QString& texto);

 signals:
  void Click();

 protected:
  void paintEvent(QPaintEvent* evento) override;
  void mousePressEvent(QMouseEvent* evento) override;
  void mouseReleaseEvent(QMouseEvent* evento) override;

 private:
  QString caption_;
  bool pulsado_ = false;
};

// A rectangle filled with a brush colour and outlined by a black pen of the
// given width, drawn inside its bounds.
class Figura : public QWidget {
  Q_OBJECT
 public:
  Figura(QWidget* padre, QColor relleno, int grosorPluma);

 protected:
  void paintEvent(QPaintEvent* evento) override;

 private:
  QColor relleno_;
  int grosor_;
};

// Makes a left-button press on `asa` move its borderless window: the window
// system moves it where it can (the system "move" command); otherwise the
// window follows the mouse until the button is released.
void ArrastraVentana(QWidget* asa);

// The title bar of a borderless window: a raised panel over `caja` with a
// caption label centred across it and, at its right end, the sunken close
// box "x" (its Click is the caller's to connect); a press on the panel or
// the label drags the window. The parts carry the names given.
struct BarraTitulo {
  Panel* barra;
  QLabel* titulo;
  Panel* cierre;
};
BarraTitulo CreaBarraTitulo(QWidget* ventana, const QRect& caja, const QString& texto, const QString& nombreBarra,
                            const QString& nombreTitulo, const QString& nombreCierre);

// Makes a left-button press on `asa` move `control` inside its parent: the
// control follows the mouse until the button is released, then `alSoltar`
// runs (when given). The press gives the control the focus. `asa` is the
// control itself or a part of it (the viewport of a memo).
void ArrastraControl(QWidget* asa, QWidget* control, std::function<void()> alSoltar = {});

// A menu of the menu bar and an item of a menu, carrying their component
// names, so code and tests find them by name.
QMenu* MenuNombrado(QMenuBar* barra, const char* nombre, const QString& texto);
QAction* AccionNombrada(QMenu* menu, const char* nombre, const QString& texto, const QKeySequence& atajo);
QAction* AccionNombrada(QMenu* menu, const char* nombre, const QString& texto, const char* atajo = nullptr);

// Places the window in the middle of the screen's available area.
void CentraEnPantalla(QWidget& ventana);

// Cuts a window or panel to a rounded rectangle over its whole area, with
// corner ellipses of the given width and height (0 and 0: square corners).
// The shape is fixed at the size the widget has when this is called.
void RedondeaRegion(QWidget& w, int anchoEsquina, int altoEsquina);

// Cuts a window to the ellipse inscribed in `caja` (window coordinates), to
// which the rectangle of every button on the window is added so that the
// buttons stay whole and usable.
void RegionEliptica(QWidget& ventana, const QRect& caja);

}  // namespace ui
