#pragma once
// The one-value input dialog "Inserta un Dato".
//
// The caller sets Tag (1 asks for a number, any other value for a text), may
// set the caption, Label1 and EditDato, may show the month spinner NumeMes
// (it lies over the edit), shows the window modally and reads EditDato, or
// NumeMes's value when Tag came back 100.
//
// In numeric mode each key typed in EditDato first checks the text left by
// the previous key: Label2 says "Número Válido", or "Número no Válido" and the
// text loses its last character; then the key is applied. "Aceptar" answers
// 100 when the spinner is shown, otherwise replaces an invalid number by "0";
// Enter in EditDato closes at once without that processing.

#include "platform/ui/Forma.h"

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

class TFormaDato : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaDato(QWidget* owner = nullptr);

  QLabel* Label1;
  QLineEdit* EditDato;
  QLabel* Label2;
  QPushButton* BitBtn1;
  QSpinBox* NumeMes;

 protected:
  void FormShow() override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void EditDatoKeyPress();
  void BitBtn1Click();
};

inline TFormaDato* FormaDato() { return ui::InstanciaDe<TFormaDato>().data(); }

// A number as the dialog accepts it: not empty and ending in a digit or ".".
bool EsNumeroValido(const QString& texto);
