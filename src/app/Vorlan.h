#pragma once
// The program body: the splash while the program starts, the windows that
// live for the whole run, created in a fixed order into their global
// instances, and the main window's links to the windows of later subsystems.

#include <QApplication>

#include <memory>
#include <vector>

namespace ui {
class Forma;
}

// The help file the program registers.
inline const QString kArchivoAyuda = QStringLiteral("C:\\PROYECTO\\ayuda.hlp");

class ProgramaVorlan {
 public:
  ProgramaVorlan();
  // Frees the windows, the last created first.
  ~ProgramaVorlan();

  // Shows the splash, registers the help file, creates the windows of the
  // run in their order (each one's creation handler runs as it is created)
  // and frees the splash. The main window is created first and disabled.
  void Inicia();

  // The windows created, in order.
  const std::vector<std::unique_ptr<ui::Forma>>& Ventanas() const { return ventanas_; }

 private:
  std::vector<std::unique_ptr<ui::Forma>> ventanas_;
};

// The whole run: Inicia, the main window shown maximised (its show handler
// prepares the working tables, its first activation shows the company
// dialog), the message loop until the main window closes.
int EjecutaVorlan(QApplication& aplicacion);
