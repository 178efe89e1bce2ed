#pragma once
// "Política de Precios" of a receipt line: the seven sale prices of the
// product, their quantity policies and profit percentages, and the units
// per package, edited on the row of the product table DataSource1 points at
// (the opener stands it on the line's product and fills LabelProducto and
// LabelCosto). Leaving the percentage box of row n, when it is not empty,
// puts the row in edit and, when the percentage and the last cost ULCOS_I
// are above 0, sets price n to RedondeaPrecioPolitica(Tag, ULCOS_I × (1 +
// percentage / 100)); the row is posted either way. The Tag is the rounding
// step in tenths; the purchase opener leaves it at 0 (no rounding).
//
// Keys: Esc closes; Enter and Down go to the next box, Up to the previous
// one. "Aceptar" posts a row still in edit and closes.

#include "foundation/dinero.h"
#include "inventory/Politica.h"
#include "platform/ui/Forma.h"

class QLabel;
class QPushButton;
namespace ui {
class EditDatos;
class FuenteDatos;
}  // namespace ui

// The price of a policy row rounded to a step in tenths of a unit: the same
// rule as the product window's RedondeaPrecio.
inline Dinero RedondeaPrecioPolitica(int paso, Dinero precio) { return RedondeaPrecio(paso, precio); }

class TFormaPoliticaCompras : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaPoliticaCompras(QWidget* owner = nullptr);

  ui::FuenteDatos* DataSource1;
  ui::EditDatos* Precios[kFilasPolitica];      // PPUBL_I, PLIS2_I, PLIS3_I, PLIS4_I, PMINI_I, PLIS6_I, PLIS7_I
  ui::EditDatos* Politicas[kFilasPolitica];    // POLI1_I to POLI7_I
  ui::EditDatos* Porcentajes[kFilasPolitica];  // PORC1_I to PORC7_I
  ui::EditDatos* Empaque;                      // UEMPA_I
  QLabel* LabelProducto;
  QLabel* LabelCosto;
  QPushButton* BitBtn1;  // "Aceptar"

 protected:
  void FormShow() override;
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;

 private:
  void PorcentajeExit(int fila);
  void Acepta();
};
