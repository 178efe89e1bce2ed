#pragma once
// Split payment "MultiPagos": the payments of one saved document by
// several payment types, rows of MultiPagos.dbf (data folder, tag CLDOC_F).
// The caller fills LabelRuta (data folder), LabelCLDOC (document number),
// LabelCONTROL (the header's control number) and LabelMONTO (the document
// total), opens Table1 on the document's rows (the range of its number,
// filtered by its control number) and shows the window modally:
//
//   TFormaMultiPagos pagos;
//   pagos.LabelRuta->setText(carpeta); ...
//   pagos.AbrePagos();
//   pagos.ShowModal();
//
// "Agregar" appends the amount typed with the type chosen; "El_Saldo" puts
// the balance into the amount. While the document has payments the window
// closes only when they add up exactly to the total.

#include "foundation/dinero.h"
#include "platform/ui/Forma.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
namespace db {
class Tabla;
}
namespace ui {
class FuenteDatos;
class RejillaDatos;
}  // namespace ui

class TFormaMultiPagos : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaMultiPagos(QWidget* owner = nullptr);

  ui::RejillaDatos* MultiPagos;
  ui::FuenteDatos* DataSource1;
  db::Tabla* Table1;
  QLineEdit* EditMonto;
  QComboBox* TipoPago;
  QPushButton *BitBtn1, *BitBtn2;
  QLabel *LabelTOTAL, *LabelFalta, *LabelRuta, *LabelCLDOC, *LabelCONTROL, *LabelMONTO;

  // Table1 opened on MultiPagos.dbf of LabelRuta: the rows of LabelCLDOC
  // whose CONTROL is LabelCONTROL.
  void AbrePagos();
  // The sum of the payments and the balance of the total: the labels, and
  // today's date for a row without one.
  void Recalcula();
  Dinero Saldo() const { return saldo_; }

 protected:
  void FormShow() override;
  void FormCloseQuery(bool& puedeCerrar) override;

 private:
  void LeeTipos();
  void BitBtn1Click();
  void BitBtn2Click();

  Dinero saldo_;
  int pagos_ = 0;  // rows counted by the last Recalcula
};
