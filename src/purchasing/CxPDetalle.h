#pragma once
// The payable account of one purchase receipt, "Consulta de Movimientos por
// Documento (CxP)": the rows of Cuepagar.DBF (data folder, tag NUCOM) whose
// NUCOM_CP is the number in Factura, their balance (OPERA_CP "A" subtracts
// IMCUE_CP, any other value adds it), whether it is owed ("Deudor") or
// settled ("Saldada"), the supplier and dates of the first row and how late
// the account is. A number without rows leaves the grid empty and the
// labels as they were.
//
// Rows are typed into the grid and saved as it posts them: entering
// "Movimiento" ties the row to the receipt (number, supplier, dates);
// entering "Concepto" looks the concept number up in concepto.dbf and
// proposes the account's balance as the amount ("El Movimiento No Se
// Encuentra" and back to "Movimiento" when there is none); F2 in
// "Movimiento" fills the row from the concept catalogue. A row keeps its
// amount in IMCUE_CP and in the charge or payment column of its kind:
// what is typed in that column is the amount.
//
// "&Nuevo", "&Eliminar" and "&Guardar" open the movement editor
// (MovimientoCxP.h) on a new row, the current row to delete and the current
// row to change. Whenever a row is saved or deleted, here or in the editor,
// the account's balance is stored in its charge row and in its receipt
// (CuentaPagar.h); loading an account writes nothing. "&Imprimir" prints the
// account on the line printer.
//
// Created at start-up; borderless, dragged by its title. The payables query
// opens it (and the purchase window's payments button may) through
// MuestraCxPDocumento and shows it modally.

#include "foundation/dinero.h"
#include "platform/ui/Forma.h"

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
namespace db {
class Tabla;
}
namespace ui {
class FuenteDatos;
class Panel;
class RejillaDatos;
}  // namespace ui

inline const QString kMovimientoNoEncontrado = QStringLiteral("El Movimiento No Se Encuentra");

class TFormaCxPDetalle : public ui::Forma {
  Q_OBJECT
 public:
  // The first one made becomes the global instance (FormaCxPDetalle).
  explicit TFormaCxPDetalle(QWidget* owner = nullptr);

  ui::Panel* Panel3;  // title: drags the window
  QLabel* Label5;
  ui::Panel* Panel4;  // closes the window
  QLineEdit* Factura;  // "Compra"
  QLabel *ClaveCliente, *FechaAplicacion, *FechaVencimiento, *tiempo, *Estado, *SaldoE, *Saldo;
  QPushButton *BotonNuevo, *BotonElimina, *BotonCambios, *BotonImprime, *BotonSalir;
  ui::RejillaDatos* Detalle;

  db::Tabla* TablaCxP;        // Cuepagar.DBF, NUCOM
  db::Tabla* TablaConceptos;  // concepto.dbf, for the concept lookups
  ui::FuenteDatos* FuenteCxP;

  // The balance of the account on screen.
  Dinero SaldoCuenta;

  // Loads the account of the receipt `numero` (the tables prepared first).
  void MuestraCxPDocumento(const QString& numero);
  // Loads the account of `numero` and prints its statement on the line
  // printer document the caller began and ends.
  void ImprimeCuentaPagarDocumento(const QString& numero);
  // "Ha Ocurrido un Error al Abrir una de las Bases de Datos." when the
  // table does not open.
  void AbreTablasCxPDetalle();
  void CargaCuentaPagar();
  // The balance of the account's rows in the file, shown with its state.
  void CalculaSaldoCxP();
  void MuestraEncabezadoCxP();
  void MuestraVencimientoCxP();
  // The statement: heading, column titles, rows, balance and a rule.
  void ImprimeEstadoCuentaPagar();

  // Commands.
  void BotonNuevoClick();
  void BotonEliminaClick();
  void BotonCambiosClick();
  void BotonImprimeClick();

 protected:
  void FormActivate() override;
  void FormCloseQuery(bool& puedeCerrar) override;

 private:
  void CreaComponentes();
  void ConectaEventos();
  void DetalleColEnter();
  void DetalleKeyDown(int& tecla);
  // The receipt's number, supplier and dates into the current row.
  void CompletaMovimientoCxP();
  // The balance of the account shown stored in its charge row and its
  // receipt (a failure told).
  void GuardaSaldoCxP();
  bool HayCuenta() const;
  qint64 NumeroCompra(bool* valido = nullptr) const;

  QString ultimoImporte_;  // IMCUE_CP, CARGO_CP or ABONO_CP: the last written in the row being edited
};

inline TFormaCxPDetalle* FormaCxPDetalle() { return ui::InstanciaDe<TFormaCxPDetalle>().data(); }
