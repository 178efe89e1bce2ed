#pragma once
// The receivable account of one invoice, "Cuentas por Cobrar Facturas": the
// movements of Cucobrar.dbf (data folder, tag ICUECOB) whose NUFAC_CC is the
// number typed in Factura, their balance (charges less payments; no
// document total is added), whether it is owed ("Deudor") or settled
// ("Saldada"), the customer, the dates and how late it is. It only shows:
// loading an account stores its balance in the first movement (SALDO_CC)
// and nothing else is written. Laid out like the remission account window.
//
// Reached from the customer catalogue's "Saldo..." (right 6), which opens it
// on the latest account of the customer shown, and from the table browser's
// receivables rows, which load the row's document with MuestraCxCDocumento. In Factura, Enter loads the number typed and moves
// to the grid, PgDn and PgUp load the next and the previous number. A
// number without movements leaves the labels as they were and the grid
// empty.

#include "foundation/dinero.h"
#include "platform/ui/Forma.h"

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

class TFormaCxCDocumento : public ui::Forma {
  Q_OBJECT
 public:
  // The first one made becomes the global instance (FormaCxCDocumento).
  explicit TFormaCxCDocumento(QWidget* owner = nullptr);

  ui::Panel* Panel1;
  QLineEdit* Factura;  // the document number
  QLabel *ClaveCliente, *FechaAplicacion, *FechaVencimiento, *tiempo, *Estado, *SaldoE;
  QPushButton* BotonSalir;
  QLabel* Usuario;  // hidden: the user number
  ui::Panel* Panel2;
  ui::RejillaDatos* Detalle;
  ui::Panel* Panel3;
  QLabel* Saldo;

  db::Tabla* TablaCxC;
  ui::FuenteDatos* FuenteCxC;

  // The balance of the last computation, and its charges and payments.
  Dinero SaldoCuenta, CargosCuenta, AbonosCuenta;

  // Loads the account of `numero` (the window's tables prepared first).
  void MuestraCxCDocumento(const QString& numero);
  // Points the movement table at the data folder and opens it; "Ha
  // Ocurrido un Error al Abrir una de las Bases de Datos." when it does not.
  void AbreTablasCxCDocumento();
  // The account of the number in Factura, when it has movements.
  void CargaCxCDocumento();
  void SaldoCxCDocumento();
  void EncabezadoCxCDocumento();
  void VencimientoCxCDocumento();

 protected:
  void FormActivate() override;

 private:
  void CreaComponentes();
  void SumaNumero(int paso);
};

inline TFormaCxCDocumento* FormaCxCDocumento() { return ui::InstanciaDe<TFormaCxCDocumento>().data(); }

// The customer catalogue's "Saldo..." and the table browser's receivables
// rows: the window made for the occasion with the user's number and, given
// a number, its account loaded; shown modally and freed.
void MuestraCuentasDocumento(const QString& usuario, const QString& numero = QString());

// The number of the customer's latest invoice account (the highest NUFAC_CC
// of the rows whose CLCLI_CC is the key, blanks aside); "" when the
// customer has none. Throws plat::Error when the table cannot be read.
QString UltimaCuentaCliente(const QString& clave);

// The customer catalogue's "Saldo...": the window opened on the customer's
// latest account; a customer without accounts is told so and nothing opens
// (an unreadable table is shown as its error);
// no customer (an empty key) opens the window empty.
void MuestraCuentasCliente(const QString& usuario, const QString& clave);
