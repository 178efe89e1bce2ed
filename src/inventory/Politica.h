#pragma once
// The price policy of one product: its seven sale prices, the quantity limit
// ("Política") of each and the profit percentage ("% de Utilidad") of each,
// edited on the current row of whatever dataset the opener points
// DataSource1 at (the product table, or a one-record copy of the same
// layout). The window's Tag is the rounding step of the company
// (configuration line 73, ConfDigitosCosto).
//
// Leaving a percentage box that is not empty recomputes that row's price
// from the last cost ULCOS_I, when it is above 0, as RedondeaPrecio(Tag,
// ULCOS_I × (1 + percentage / 100)), and posts the row (the percentage alone
// when there is no cost). A percentage the field does not take is refused by
// its box before that.
//
// The focus starts on the limit of row 1; with key preview, Enter and Down
// go to the next box, Up to the previous one, Esc closes; "Aceptar" closes.
// The opener posts a row still being edited after the window closes.

#include "foundation/dinero.h"
#include "platform/ui/Forma.h"

class QLabel;
class QPushButton;
namespace ui {
class EditDatos;
class FuenteDatos;
}  // namespace ui

inline constexpr int kFilasPolitica = 7;

class TFormaPolitica : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaPolitica(QWidget* owner = nullptr);

  ui::FuenteDatos* DataSource1;
  // Row n (1 to 7) shows price n in Precios[n-1] (DBEdit1 to DBEdit7), its
  // limit POLIn_I in Politicas[n-1] (DBEdit8 to DBEdit14) and its
  // percentage PORCn_I in Porcentajes[n-1] (DBEdit15 to DBEdit21).
  ui::EditDatos* Precios[kFilasPolitica];
  ui::EditDatos* Politicas[kFilasPolitica];
  ui::EditDatos* Porcentajes[kFilasPolitica];
  QPushButton* BitBtn1;  // "Aceptar"

 protected:
  void FormShow() override;
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;

 private:
  // The leave handler of the percentage box of row n (DBEdit15Exit ...).
  void PorcentajeExit(int fila);
};

// A price rounded to the step of the company. The step counts tenths of a
// currency unit (5: fifty cents) and has one intermediate point between two
// whole units: with s = step × 10 cents and h = s / 2 (truncated), cents c of
// the value (truncated) up to h are dropped, above h and below h + s give
// the whole part plus s cents, from h + s on the next whole unit. A step of
// 0 or less leaves the value as it is. Step 5: 12.26 → 12.50, 12.80 → 13.00.
Dinero RedondeaPrecio(int paso, Dinero valor);
