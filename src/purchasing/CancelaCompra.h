#pragma once
// Cancelling a purchase document as one unit of work of the purchase
// save's journal (GuardaCompra.h), so a station killed in the middle of a
// cancel finishes it, once, when its purchase window next claims the
// capture table: never a receipt marked "C" with its lines, mirror rows or
// charge row half marked.
//
//   PlanCancelacionCompra plan = ...;        // fixed before any write
//   UnidadTrabajo u(programa, kDiarioCompras);
//   u.Inicia(plan.Datos());
//   CancelaCompra(u, plan);
//   u.Termina();
//
// A receipt: the header STDOC_O "C" (proceso "C" while the cancel runs),
// its lines of the header's CONTROL TREGI_OD "C", its movement mirror rows
// STATUS "C", its charge row of the payables STATU_CP "C" with SALDO_CP 0
// (so it no longer shows as owed), the document's log line " CANCELADA Por
// <name>", then proceso "G". An order: its header STDOC_O "C" alone. Stock,
// the supplier's balance and the payment rows stay as they are.
//
// The header is the first write: a header another station holds is waited
// for within the table layer's bound and then stops the cancel before
// anything is written (plat::Error of kind Bloqueado or EnUso).

#include "foundation/UnidadTrabajo.h"

#include <QChar>
#include <QString>

#include <optional>

namespace db {
class Tabla;
}

struct PlanCancelacionCompra {
  QChar letra;               // "R" receipt, "O" order
  QString numero;            // CLDOC_O
  QString control;           // the header's CONTROL
  QString carpetaDatos;
  QString carpetaInventario; // of the movement mirror
  QString tablaEncabezado;   // the kind's header and line tables
  QString tablaPartidas;
  bool bitacora = false;     // configuration line 85 "S"
  QString nombreUsuario;     // for the log line

  UnidadTrabajo::Datos Datos() const;
  // The plan of a journal started by a cancel; nullopt for another save's.
  static std::optional<PlanCancelacionCompra> De(const UnidadTrabajo::Datos& datos);
};

// Runs the cancel, skipping what the journal says is done. Errors of the
// tables reach the caller; the mirror and the log never stop it.
void CancelaCompra(UnidadTrabajo& unidad, const PlanCancelacionCompra& plan);

// Marks TREGI_OD "C" on the rows of the line table `lineas` (open on its
// number tag) of document `numero` whose CONTROL is `control`, from the last
// to the first; rows marked already are left. Returns how many it marked.
// The range is cancelled afterwards; errors reach the caller.
int MarcaPartidasCanceladas(db::Tabla& lineas, const QString& numero, const QString& control);
