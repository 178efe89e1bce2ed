#pragma once
// The customer side of a sale: the customer's running balance in
// CLIENTE.DBF (SALDO_C, COMPR_C, FULCO_C), raised when an invoice is saved
// (only then: a remission, credit or not, is followed in its own account,
// and its cancel leaves the balance as its save did), and the rows a sale
// writes into the remission accounts
// (CucobrarRemision.DBF of the remission folder, customers/CuentasCobrar.h):
// the cash payment that settles a counter sale at once, and, when a
// remission is cancelled, the removal of its rows and the return row.
//
// Every table write of these routines goes through an EscrituraVenta, so
// the save's unit of work can journal each one before it is made (a
// station killed in the middle is rolled forward, nothing applied twice).
// What it receives is whole: the values of a row to append, and for a
// change the values computed from the row as it stands locked (the
// customer's balance is read under the record lock, so two stations
// raising one balance never lose an amount); a value is absolute, never an
// increment, so applying a journaled change again gives the same row.
// EscrituraDirecta makes the writes at once (a cancel, the tests).
//
// The tables handed in (the customers, the header) are expected to wait for
// a row or table another station holds, as the sale screen's shared tables
// do (EsperaBloqueos); the tables these routines open themselves do. A
// failed write stops the routine with the table layer's error (naming the
// table); what it wrote before stays.

#include "customers/CuentasCobrar.h"
#include "foundation/ValoresFila.h"
#include "foundation/dinero.h"

#include <QDate>
#include <QString>
#include <QVariant>
#include <QVector>

#include <functional>
#include <utility>

namespace db {
class Dataset;
class Tabla;
}  // namespace db

class EscrituraVenta {
 public:
  virtual ~EscrituraVenta() = default;
  // Appends to the open table one row holding the values and posts it; the
  // table then stands on it.
  virtual void Agrega(db::Tabla& tabla, const ValoresFila& valores) = 0;
  // Puts the row the table stands on into edit (locked, read afresh from
  // the file; a row already being edited stays so), gives it to `calcula`,
  // writes the values it returns into the row and posts it.
  virtual void Cambia(db::Tabla& tabla, const std::function<ValoresFila(const db::Dataset& fila)>& calcula) = 0;
  // Deletes the row the table stands on.
  virtual void Borra(db::Tabla& tabla) = 0;
};

// The writes made at once; a write that fails is given up (an appended or
// edited row cancelled) before its error reaches the caller.
class EscrituraDirecta final : public EscrituraVenta {
 public:
  void Agrega(db::Tabla& tabla, const ValoresFila& valores) override;
  void Cambia(db::Tabla& tabla, const std::function<ValoresFila(const db::Dataset& fila)>& calcula) override;
  void Borra(db::Tabla& tabla) override;
};

namespace cuentas {

// The counter customer.
inline const QString kClienteMostrador = QStringLiteral("1");

// The payment type texts of a credit sale: "Crédito", "Credito", "CREDITO".
bool PagoACredito(const QString& tipoPago);

// A saved document as these routines need it.
struct VentaCuenta {
  qint64 numero = 0;  // CLDOC_F
  QString control;    // CONTROL of the header, as text
  Dinero total;       // IMTOD_F
  QString cliente;    // the sale's customer key
  QString tipoPago;   // the payment type text
};

// The customer balance after an invoice is written.
struct SaldoVenta {
  QString cliente;      // the customer key the save kept
  Dinero subtotal;      // the screen's subtotal
  double tasaIva = 0;   // the header's tax percentage
  QDate fecha;          // the document date
  Dinero totalAnterior; // the total the document had before a change; 0 for a new one
};

// The customer of `venta.cliente` in `clientes` (CLIENTE.DBF, open): SALDO_C
// and COMPR_C raised by the subtotal with its tax (to the cent) less the
// previous total, FULCO_C := the document date. Returns the subtotal with
// tax (the screen's subtotal from then on); a key that is no customer
// changes nothing and returns the subtotal as given.
Dinero ActualizaSaldoCliente(EscrituraVenta& escritura, db::Tabla& clientes, const SaldoVenta& venta);

// A sale of the counter customer paid on credit, or any with the
// remissions' receivables (configuration line 96): its account settled at
// once by one row "Efectivo Contado <n>" (concept "7", a payment of the
// total) in CucobrarRemision.DBF of `carpetaRemisiones`, and the header
// `encabezado` (standing on the saved document) paid in full (ABONO_F :=
// total, SALDO_F := 0). False, and nothing written, for other sales.
bool AbonaContadoMostrador(EscrituraVenta& escritura, const QString& carpetaRemisiones, db::Tabla& encabezado,
                           const VentaCuenta& venta, bool cxcRemisiones);

// The return row "Devolucion <n>" (concept "12", a charge of minus the
// total) of a cancelled remission paid "Efectivo" or "Tarjeta", stamped
// with the cash cut in course when `conCortes` (configuration line 95; an
// unreadable Cortes.DBF of `carpetaDatos` leaves it blank). False, and
// nothing written, for other payment types.
bool DevolucionCuentaCobrar(EscrituraVenta& escritura, const QString& carpetaRemisiones,
                            const QString& carpetaDatos, const VentaCuenta& venta, bool conCortes);

// Deletes the account rows of the document: those of its number whose
// CONTROL is the document's (every row of the number when the document has
// none), as the account window shows them; the accounts of other documents
// with the same number stay. Returns the rows deleted.
int BorraCuentaCobrarDocumento(EscrituraVenta& escritura, const QString& carpetaRemisiones, qint64 numero,
                               const QString& control);

}  // namespace cuentas
