#pragma once
// The costing method picker of a product: "PEPS", "UEPS" or "PROM" (checked
// at start). A double click on the window or on a choice, "Aceptar", or
// Enter on a choice or on "Aceptar" closes it; closed any way, it answers
// the choice checked then.

#include "platform/ui/Forma.h"

#include <QString>

class QPushButton;
class QRadioButton;

class TFormaTipoInventario : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaTipoInventario(QWidget* owner = nullptr);

  QRadioButton* RadioButton1;  // "PEPS"
  QRadioButton* RadioButton2;  // "UEPS"
  QRadioButton* RadioButton3;  // "PROM"
  QPushButton* Aceptar;

  // The caption of the checked choice.
  QString Elegido() const;

 protected:
  void mouseDoubleClickEvent(QMouseEvent* evento) override;
};

inline TFormaTipoInventario* FormaTipoInventario() { return ui::InstanciaDe<TFormaTipoInventario>().data(); }

// Shows the picker modally and puts the method chosen into `tipo`.
void EligeTipoCosto(QString& tipo);
