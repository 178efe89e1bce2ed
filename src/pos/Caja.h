#pragma once
// The cash-register dialog "Caja": a slot of caja.cnf ("Registro", 1 to 99)
// with its register number ("No. Caja"), seller key ("Clave Vendedor") and
// ticket format ("Ruta de Formato"). The caller puts the folder of caja.cnf
// into the hidden label Ruta, shows the dialog modally and, on Tag 1
// ("Aceptar"; "Cancelar" leaves 0), reads NumeroCaja, NoCaja, ClaveVendedor
// and Formato:
//
//   TFormaCaja caja;
//   caja.Ruta->setText(programa);
//   caja.NumeroCaja->clear();       // slot 1
//   caja.ShowModal();
//
// Showing the dialog and choosing a slot load the slot's record when the
// file holds it and empty the three boxes when it does not.
//
// The same dialog with only its folder box and its two buttons asks other
// windows for a folder (PreguntaCarpetaEnCaja).

#include "platform/ui/Forma.h"
#include "pos/RegistroCaja.h"

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

class TFormaCaja : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaCaja(QWidget* owner = nullptr);

  QLabel* Label1;  // "Registro"
  QSpinBox* NumeroCaja;
  QLabel* Label4;  // "No. Caja"
  QLineEdit* NoCaja;
  QLabel* Label3;  // "Clave Vendedor"
  QLineEdit* ClaveVendedor;
  QLabel* Label2;  // "Ruta de Formato"
  QLineEdit* Formato;
  QLabel* Ruta;    // hidden: the folder of caja.cnf
  QPushButton* BitBtn1;  // "Aceptar"
  QPushButton* BitBtn2;  // "Cancelar"

  // The slot chosen: an empty one becomes 1; the record of the slot, or
  // empty boxes beyond the end of the file. A file that cannot be read is
  // told.
  void NumeroCajaChange();

 protected:
  void FormShow() override;
};

// The dialog with only "Ruta de Formato" and its two buttons, the box
// starting with `carpeta`: true when accepted, `carpeta` then holding the
// text typed; false, `carpeta` untouched, when cancelled.
bool PreguntaCarpetaEnCaja(QString& carpeta);

// "Configurar Caja": the dialog on the program folder with its slot
// emptied; on "Aceptar" the slot's record of caja.cnf written (register 3
// characters, seller 5, format 25; the other records as they were) and
// returned. Nothing on "Cancelar"; a file that cannot be written is told
// and nothing returned.
std::optional<TRegistroCaja> ConfiguraCaja(QWidget* owner);
