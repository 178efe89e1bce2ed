#pragma once
// Expiry batches: from which received batches, with which expiry dates, the
// stock on hand comes.
//
// The receipts of a product (purchase lines and inventory entries, each
// with its expiry text "dd/mm/yyyy") are taken in the order of their expiry
// date, and the stock is assigned to them from the latest backwards until
// it is covered, the last batch taken only in part. The batches go into
// the working table CADUCIDAD.DBF of the program folder (TablasInventario.h
// gives its two layouts), made again at the start of every analysis.
//
// For one product the window TFormaCaducidad ("Caducidad") shows them; for
// all products AgregaCaducidadProducto fills the table product by product
// and a report lists it. The window also serves other commands as a plain
// query grid: they set the text of Query1, open it and show the window.
//
// An expiry text that is not a date ends the analysis with plat::Error
// (Conversion) once the walk reaches it; an empty one leaves the batch
// without expiry.

#include "platform/ui/Forma.h"

#include <QString>

class QPushButton;
namespace db {
class Consulta;
}
namespace ui {
class FuenteDatos;
class RejillaDatos;
}  // namespace ui

// The window's answer in its Tag: 1 after a double click on the first
// grid, "Aceptar" or Enter; 0 after Esc. Both grids show Query1.
class TFormaCaducidad : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaCaducidad(QWidget* owner = nullptr);
  ~TFormaCaducidad() override;

  db::Consulta* Query1;
  ui::FuenteDatos* DataSource1;
  ui::FuenteDatos* DataSource2;
  ui::RejillaDatos* DBGrid1;
  ui::RejillaDatos* DBGrid2;
  QPushButton* BitBtn1;  // "Aceptar"

  // The analysis of one product: makes the single-product CADUCIDAD.DBF of
  // `programa`, walks the receipts query (columns CANTI_OD, CADUC_OD,
  // CLDOC_OD, FEDOC_OD, TIMOV_OD) against the stock, gives every batch
  // its running sum from the earliest, and shows the batches latest last
  // (ORDER BY CUENTA DESC) modally. Errors reach the caller; no window is
  // shown then.
  void AnalizaCaducidad(const QString& programa, const QString& consulta, double existencia);

 protected:
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;

 private:
  void Responde(int tag);
};

inline TFormaCaducidad* FormaCaducidad() { return ui::InstanciaDe<TFormaCaducidad>().data(); }

// Deletes CADUCIDAD.DBF of the program folder and makes it again in the
// layout of one product or of all products. Errors are ignored: a table
// that cannot be deleted (open at another copy of the program) is used as
// it stands.
void CreaTablaCaducidad(const QString& programa, bool todos);

// The walk of one product into the all-products CADUCIDAD.DBF, which the
// caller has made: the receipts query also gives CLPRO and PRODUCTO. No
// window is shown. Errors (a table that cannot be opened, an expiry that is
// no date) reach the caller.
void AgregaCaducidadProducto(const QString& programa, const QString& consulta, double existencia);
