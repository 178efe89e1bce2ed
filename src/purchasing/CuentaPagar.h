#pragma once
// The payable account of a purchase receipt: the rows of CUEPAGAR.DBF whose
// NUCOM_CP is the receipt's number. The receipt's save writes its charge
// row (concept 51, the receipt's total); payments (OPERA_CP "A": bulk
// payments, supplier credit notes, movements typed in the account window)
// and other charges follow it. The balance is the sum of the rows, a
// payment subtracting IMCUE_CP and any other row adding it.
//
// The balance is stored where windows and reports read it: SALDO_CP of the
// charge row, and the receipt's SALDO_O with ABONO_O = IMDOC_O - balance.
// Every writer of an account's rows stores it afterwards, so the receipt,
// its charge row and the rows agree. An account without a charge row (one
// a former program left, whose receipts keep their balance themselves)
// stores the balance in its first row only, and its receipt is left as it
// is.
//
//   const CuentaCompra c = LeeCuentaPagar(cuentas, 12);
//   if (c.ConPagos()) ...;                      // the receipt has payments
//   AsientaCuentaPagar(escritura, cuentas, &compras, 12);

#include "foundation/dinero.h"
#include "purchasing/TablasCompras.h"

#include <QString>

namespace db {
class Tabla;
}
class EscrituraVenta;

struct CuentaCompra {
  Dinero saldo;               // the sum of the rows
  Dinero abonos;              // the payments
  qint64 cargo = 0;           // the record of the charge row; 0 without one
  bool cargoPagado = false;   // the charge row owes less than its amount
  qint64 primera = 0;         // the record of the first row; 0 without rows

  // Payments were made: a payment row, or a charge row that owes less than
  // its amount (an older program's way of telling).
  bool ConPagos() const { return abonos != Dinero() || cargoPagado; }
};

// The account of `numero` in `cuentas` (CUEPAGAR.DBF, open): it is left on
// tag NUCOM without a range. Table errors reach the caller.
CuentaCompra LeeCuentaPagar(db::Tabla& cuentas, qint64 numero);

// Stores the balance of the account of `numero`: SALDO_CP of its charge row
// and, when `compra` stands on that receipt (in edit or not), its SALDO_O
// and ABONO_O; without a charge row SALDO_CP of its first row only. Every
// write goes through `escritura` (each one made the same way every time, as
// a save's journal needs). Returns the balance. Table errors reach the
// caller; what was written before stays.
Dinero AsientaCuentaPagar(EscrituraVenta& escritura, db::Tabla& cuentas, db::Tabla* compra, qint64 numero);

// The same over CUEPAGAR.DBF and COMPRASE.DBF of `carpetaDatos`, each row
// another station holds waited for within the table layer's bound; the
// writes made at once.
Dinero AsientaCuentaPagar(const QString& carpetaDatos, qint64 numero);
