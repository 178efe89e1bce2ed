#pragma once
// The customer-side writes of a sale (CuentasVenta.h) made as steps of the
// save's unit of work (UnidadTrabajo.h), so a save run again from its
// journal, after an error or when a killed station starts again, makes each
// of them once.
//
//   EscrituraGuardado escritura(unidad, "CxCSaldo");
//   cuentas::ActualizaSaldoCliente(escritura, clientes, venta);
//
// Each write is a step named by the writer's prefix and its place among the
// writer's writes (a deletion by the record it deletes), so the caller runs
// the same writes in the same order every time:
//   Agrega  the values are journaled before the row is appended; run again,
//           the row a killed run appended is found by the record its
//           journal reserved (UnidadTrabajo::Agrega), and the journaled
//           values are appended only when there is none (a date of today
//           stays the day the save began);
//   Cambia  the values are computed from the row as it stands locked and
//           journaled before they are written. Run again after a kill: a row
//           that holds the journaled values was written; otherwise they are
//           computed again from the row as it now stands and written. (A row
//           another station changed between the kill and the run again
//           cannot tell whether the killed write was made: it is taken as
//           not made, so the other station's change is never lost.)
//   Borra   a deleted record is never asked for again.

#include "pos/CuentasVenta.h"

class UnidadTrabajo;

class EscrituraGuardado final : public EscrituraVenta {
 public:
  EscrituraGuardado(UnidadTrabajo& unidad, const QString& prefijo);

  void Agrega(db::Tabla& tabla, const ValoresFila& valores) override;
  void Cambia(db::Tabla& tabla, const std::function<ValoresFila(const db::Dataset& fila)>& calcula) override;
  void Borra(db::Tabla& tabla) override;

 private:
  QString Paso();

  UnidadTrabajo& unidad_;
  QString prefijo_;
  int escrituras_ = 0;
};
