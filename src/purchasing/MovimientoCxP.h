#pragma once
// The movement editor of the payable accounts: the boxes of one row of the
// account window's table (supplier, concept number, receipt number,
// document, reference, amount, dates), for a new row ("Nueva cuenta"), the
// current row to change ("Cambia datos") or to delete ("Elimina cuenta").
// The supplier and the receipt number are fixed; a deletion shows the row
// without letting it be changed.
//
// "&Acepta Movimiento" deletes the row for a deletion; otherwise it takes
// the row only with a concept of concepto.dbf ("El Movimiento No Se
// Encuentra" and the focus on the concept), copies the concept's name and
// kind into it, dates it today where no date was typed and posts it.
// "&Cancela Movimiento ", or closing the window, drops what was typed. F2
// in the concept box fills it from the concept catalogue.

#include "platform/ui/Forma.h"

class QLabel;
class QPushButton;
namespace db {
class Dataset;
class Tabla;
}  // namespace db
namespace ui {
class EditDatos;
class FuenteDatos;
class Panel;
}  // namespace ui

class TFormaMovimientoCxP : public ui::Forma {
  Q_OBJECT
 public:
  enum Comando { Nuevo = 1, Cambia = 2, Elimina = 3 };

  explicit TFormaMovimientoCxP(QWidget* owner = nullptr);

  ui::Panel* Panel1;
  QLabel* Mensaje;  // the command's title
  QLabel* Label2;   // the concept's name
  ui::EditDatos *EditCLPRO_CP, *EditTIMOV_CP, *EditNUCOM_CP, *EditNUDOC_CP, *EditNUREF_CP, *EditIMCUE_CP,
      *EditFEAPL_CP, *EditFEVEN_CP;
  QPushButton *BotonSi, *BotonNo;
  ui::FuenteDatos* FuenteMovimiento;
  db::Tabla* TablaConceptos;

  // Shows the current row of `cuenta` for the command, modally (a new row
  // is inserted by the caller first); true when it was accepted.
  bool Muestra(db::Tabla* cuenta, Comando comando);

  void BotonSiClick();
  void BotonNoClick();

 protected:
  void FormClose() override;

 private:
  db::Dataset* Movimiento() const;
  bool BuscaConcepto(bool conAviso);
  void EligeConcepto();
  void CierraCon(bool aceptado);

  Comando comando_ = Nuevo;
  bool aceptado_ = false;
};
