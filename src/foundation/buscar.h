#pragma once
// The quick search dialog "Busquedas Rápidas".
//
// Single-field form: the text to look for in CajaBuscar and the kind of
// search among the options Clave "Por Clave (F1)" (chosen at first), Nombre
// "Por Nombre (F2)" and Direccion "Por Dirección (F3)" (hidden unless the
// caller shows it). Callers may recaption or hide the options. F1 and F2
// choose the first two, F3 the third while it is shown; Esc leaves no option
// chosen and closes, which the caller reads as cancelled. Enter in CajaBuscar
// closes leaving Tag as the caller set it; "Aceptar" closes with Tag 1.
//
// Two-field form: the caller hides CajaBuscar and the options, shows and
// captions EditBusca1, EditBusca2 with their labels LabelBusca1, LabelBusca2
// (LabelCampo1, LabelCampo2 are hidden holders the caller may use for field
// names), and reads the two edits when Tag is 1; Enter in either edit
// answers 1.

#include "platform/ui/Forma.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TFormaBusqueda : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaBusqueda(QWidget* owner = nullptr);

  QLabel* Label1;
  QLineEdit* CajaBuscar;
  QRadioButton* Clave;
  QRadioButton* Nombre;
  QRadioButton* Direccion;
  QPushButton* BotonAceptar;
  QLabel* LabelCampo1;
  QLabel* LabelCampo2;
  QLabel* LabelBusca1;
  QLabel* LabelBusca2;
  QLineEdit* EditBusca1;
  QLineEdit* EditBusca2;

 protected:
  void FormActivate() override;
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;

 private:
  // Chooses one option and un-chooses the others (null: none chosen).
  void Elige(QRadioButton* opcion);
  void OpcionClick(QRadioButton* opcion);
  void BotonAceptarClick();
};

inline TFormaBusqueda* FormaBusqueda() { return ui::InstanciaDe<TFormaBusqueda>().data(); }
