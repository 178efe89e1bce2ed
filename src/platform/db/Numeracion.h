#pragma once
// The numbering lock of a table: "last + 1" numbers between stations
// (purchases, movement documents, vouchers, cuts, customer and supplier
// keys). Holding it, a station reads the table's highest number and appends
// its row with the next one; no other station holding it does the same
// meanwhile, so every number is taken once and none is skipped.
//
//   db::Numeracion n(compras);            // waits a few seconds at most
//   compras.SetIndexName("ICLDOC_O");
//   compras.Last();
//   const qint64 siguiente = compras.FieldByName("CLDOC_O").AsInteger() + 1;
//   compras.Append();
//   compras.FieldByName("CLDOC_O").SetAsInteger(siguiente);
//   compras.Post();
//   n.Suelta();                           // or at the end of the scope
//
// Contracts:
//   - The caller passes an open dBASE table (not read-only) and keeps it
//     open while it holds the lock. The lock belongs to that handle, as a
//     record lock does: another handle of this process is another station.
//   - On return the lock is held and the table was refreshed (Refresh: an
//     edit in progress is posted first), so its rows, count and last row
//     include everything other stations posted.
//   - A station that does not get the lock within a few seconds gets EnUso
//     "La numeración de la tabla <name> está ocupada por otra estación" and
//     holds nothing.
//   - The lock goes at Suelta, at the end of the scope, at the table's
//     Close, and when the process dies (a kernel lock): a station killed
//     while holding it never blocks the others.
//   - It orders only stations that take it: a writer that appends without
//     it is not held back.

#include "platform/db/Tabla.h"

namespace db {

class Numeracion {
 public:
  explicit Numeracion(Tabla& tabla) : tabla_(&tabla) { tabla.TomaNumeracion(); }
  ~Numeracion() { Suelta(); }
  Numeracion(const Numeracion&) = delete;
  Numeracion& operator=(const Numeracion&) = delete;

  void Suelta() {
    if (tabla_) tabla_->SueltaNumeracion();
    tabla_ = nullptr;
  }

 private:
  Tabla* tabla_;
};

}  // namespace db
