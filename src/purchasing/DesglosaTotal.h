#pragma once
// "Totales": a document's total broken down into subtotal, commercial and
// financial discount, tax and total, with the total in words. The caller
// fills the value labels and shows it modally; any key closes it.

#include "foundation/dinero.h"
#include "platform/ui/Forma.h"

class QLabel;

class TFormaDesglosaTotal : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaDesglosaTotal(QWidget* owner = nullptr);

  QLabel* SubTotal;
  QLabel* Descuento;
  QLabel* DescuentoFin;
  QLabel* Iva;
  QLabel* Total;
  QLabel* Letra1;
  QLabel* Letra2;  // hidden

 protected:
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;
};

inline TFormaDesglosaTotal* FormaDesglosaTotal() { return ui::InstanciaDe<TFormaDesglosaTotal>().data(); }

// The amount as the window shows it: "$" and the value in "###,###,##0.00",
// left-filled with blanks to the mask's length.
QString ImporteDesglose(Dinero importe);

// Creates the window, fills it with the amounts (the financial discount as
// a positive amount) and the total in words, shows it modally and frees it.
void MuestraDesglosaTotal(Dinero subtotal, Dinero descuento, Dinero descuentoFinanciero, Dinero impuesto,
                          Dinero total, QWidget* owner = nullptr);
