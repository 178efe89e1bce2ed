#pragma once
// The progress window "Generando Reporte...": a message, a gauge from 0 to
// 100 and the button "Terminar".
//
// The report engine shows it modally and starts its work from the window's
// one-shot timer once it is shown (GeneradorReporte.h); while the work runs
// only the message and the gauge repaint: no user input is taken, so a
// report always runs to its end. Other modules show it modeless as the
// progress of their own loops, set Mensaje and the gauge, let the user's
// events through and stop when its Tag is 2000, which "Terminar" sets
// before it closes the window.

#include "platform/ui/Forma.h"

#include <functional>

class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

class TFormaProgreso : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaProgreso(QWidget* owner = nullptr);

  QFrame* Cuadrito;
  QLabel* Mensaje;
  QProgressBar* BarraProgreso;
  QLabel* Mensaje2;      // hidden unless a caller shows it
  QPushButton* BitBtn1;  // "Terminar"
  QTimer* Timer1;        // 100 ms, stopped until a caller starts it

  // The work the timer starts.
  std::function<void()> Tarea;

  // Set the message or the gauge and repaint it at once, when it changes.
  void FijaMensaje(const QString& texto);
  void FijaAvance(int porciento);

  void Timer1Timer();
  void BitBtn1Click();

 protected:
  void FormShow() override;
  void FormClose() override;
};

inline TFormaProgreso* FormaProgreso() { return ui::InstanciaDe<TFormaProgreso>().data(); }

// The message and the gauge of FormaProgreso, when there is one.
void MensajeProgreso(const QString& texto);
void AvanceProgreso(int porciento);
