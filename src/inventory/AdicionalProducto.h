#pragma once
// "Datos Adicionales del Producto": further fields of the current product
// on the dataset the opener points DataSource1 at (the product table, or
// the product window's edit copy during a change): the group "FPGC"
// (FPGCC_I "Factor 2", FPGCI_I "Fondo"), FACTO_I "Tara", EXIFA_I "Por Cada",
// CADUC_I "Caducidad" and the message line MENSA_I; and three boxes Edit1
// to Edit3 whose labels and fields the program folder's
// FormaAdicionalProducto.cam names (six lines: label 1, field 1, label 2,
// field 2, label 3, field 3; normally the three supplier discounts).
// Without the file the labels read "Eti1" to "Eti3" and the boxes are bound
// to nothing.
//
// On show, a product without DESC1_I takes the three discounts of its first
// supplier (CLPR1_I) from PROVEEDO.DBF of the data folder; a product that
// has discounts is not touched. "Aplicar Fórmula" stores the three boxes
// into DESC1_I to DESC3_I and runs the cost formula (Formula_CostosI.dat of
// the program folder, read when the window is made) into LabelPrecio;
// "Cambiar Precio" stores LabelPrecio as price 1 (PPUBL_I). Errors of the
// discount copy and of the formula are ignored and leave the label as it
// was; those of "Cambiar Precio" reach the default handler.

#include "platform/ui/Forma.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
namespace ui {
class EditDatos;
class FuenteDatos;
}  // namespace ui

class TFormaAdicionalProducto : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaAdicionalProducto(QWidget* owner = nullptr);

  ui::FuenteDatos* DataSource1;
  ui::EditDatos* EditFPGCC_I;
  ui::EditDatos* EditFPGCI_I;
  ui::EditDatos* EditFACTO_I;
  ui::EditDatos* EditEXIFA_I;
  ui::EditDatos* EditCADUC_I;
  ui::EditDatos* EditMENSA_I;
  QLabel* Eti1;
  QLabel* Eti2;
  QLabel* Eti3;
  ui::EditDatos* Edit1;
  ui::EditDatos* Edit2;
  ui::EditDatos* Edit3;
  QLabel* LabelPrecio;  // "0.00" until a formula runs
  QLabel* LabelDire;    // hidden: the program folder, set by the opener
  QPlainTextEdit* MemoFormula;    // hidden
  QPlainTextEdit* MemoResultado;  // hidden
  QPushButton* BitBtn1;  // "Cerrar"
  QPushButton* BitBtn2;  // "Aplicar Fórmula"
  QPushButton* BitBtn3;  // "Cambiar Precio"

 protected:
  void FormShow() override;

 private:
  void BitBtn2Click();
  void BitBtn3Click();
  // The labels and fields of the three configurable boxes from the .cam file.
  void LeeCampos();
  void DescuentosDelProveedor();
};

inline TFormaAdicionalProducto* FormaAdicionalProducto() {
  return ui::InstanciaDe<TFormaAdicionalProducto>().data();
}
