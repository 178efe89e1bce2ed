#pragma once
// The password prompt that guards delicate commands.
//
// Each activation empties Clave. "Aceptar" (or Enter in Clave) answers Tag 1
// when the typed password is the administrator's and 0 otherwise; "Cancelar"
// answers 2. Callers may change the texts of Label1 and Label2, and callers
// that test a user's right take the typed text from Clave as that user's
// password (ValidaClaveUsuario).

#include "platform/ui/Forma.h"

class QLabel;
class QLineEdit;
class QPushButton;

class TFormaAdministrador : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaAdministrador(QWidget* owner = nullptr);

  QLabel* Label1;
  QLabel* Label2;
  QLineEdit* Clave;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;

 protected:
  void FormActivate() override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void BitBtn1Click();
  void BitBtn2Click();
};

inline TFormaAdministrador* FormaAdministrador() { return ui::InstanciaDe<TFormaAdministrador>().data(); }
