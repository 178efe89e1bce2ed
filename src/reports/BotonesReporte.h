#pragma once
// What the report and query windows are built of: their menus' items and
// the row of tool buttons over their page, each carrying its component's
// name.

#include <QKeySequence>
#include <QString>

class QAction;
class QHBoxLayout;
class QMenu;
class QMenuBar;
class QToolButton;
class QWidget;

// A menu of the bar, named.
QMenu* MenuReporte(QMenuBar* barra, const char* nombre, const QString& texto);
// An item of the menu, named, with its shortcut.
QAction* AccionReporte(QMenu* menu, const char* nombre, const QString& texto, const QKeySequence& atajo = {});

// A panel of flat tool buttons side by side, added to its window's layout
// by the caller.
class FilaBotones {
 public:
  FilaBotones(QWidget* ventana, const char* nombre);
  QWidget* Panel() const { return panel_; }
  QHBoxLayout* Fila() const { return fila_; }
  // A button showing its text, with the text as its hint.
  QToolButton* Boton(const char* nombre, const QString& texto);

 private:
  QWidget* panel_;
  QHBoxLayout* fila_;
};
