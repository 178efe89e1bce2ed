#pragma once
// Posting a movement document captured in the movement window: each line
// with a quantity becomes a row of MOVINVEN.DBF, moves its product's stock
// (SumaExistencia), keeps the average cost and the date of the product's
// last movement, and updates the per-product totals of Kardex.dbf; a
// transfer also carries the goods into the tables of another folder.
//
// All or nothing, and one unit of work of the station (UnidadTrabajo.h):
// every write is a step of its journal, so a station killed at any write
// finishes the save, each write once, when it runs the unit again (or, if
// it died while undoing, goes on undoing). Before anything is written the
// product row of every line is taken (in key order, each within the table
// layer's bounded wait) and kept locked to the end, and for a transfer the
// destination's tables are opened, its existing product rows taken and its
// numbering lock held. When any of that fails, or a write fails later, what
// was written is undone and nothing of the document stays posted; the
// error says why. The totals are written last, once everything else stands
// (their failures are ignored, as ActualizaKardexMovimiento says).
//
// Direction: the document's concept decides it for every line (above 50 an
// entry). A line with a negative quantity is written as a concept-8 row of
// its absolute value and moves the stock the other way (a negative line of
// an exit document raises the stock).

#include "foundation/UnidadTrabajo.h"
#include "foundation/ValoresFila.h"
#include "foundation/dinero.h"
#include "inventory/DocumentoMovimiento.h"

#include <QDate>
#include <QString>

#include <vector>

namespace db {
class Dataset;
class Tabla;
}  // namespace db

// The header of the document as the window holds it when it is saved.
struct EncabezadoMovimiento {
  qint64 numero = 0;
  int concepto = 0;
  QDate fecha;
  QString contraparte;  // as captured: whole in CLCOP_MI, cut to 20 in CLPRV_MI
  QString referencia;   // cut to 20 in REFMO_MI
  int almacen = 1;      // the warehouse box, NALMA_MI
  QString usuario;      // the logged user number
  bool sinNegativos = false;        // line 41 starts with "N": stock never below 0
  bool traspaso = false;            // the concept's kind is "T"
  QString carpetaDestino;           // ALMAC_CM of the concept
  bool traspasoPorEmpaque = false;  // line 57 "S": the destination counts packages
};

// The fields every movement row of a line carries, written into the row the
// dataset is editing or appending: its concept (a negative quantity is
// written positive under ConceptoCantidadNegativa), quantity, product key
// and description, counterpart (cut to 20 in CLPRV_MI, whole in CLCOP_MI),
// date, reference (cut to 20 in REFMO_MI), cost, warehouse and price. The
// rows of a posted document, of a transfer's destination and of a sale are
// written through it; each writer adds its number and its own fields.
void CamposRenglon(db::Dataset& movimiento, const EncabezadoMovimiento& documento,
                   const TPartidaCapturaMovimiento& partida, int concepto, double cantidad);

// The document cost total: Σ CANTIDAD × COSTO over every line (blanks as 0).
Dinero CostoDocumento(const std::vector<TPartidaCapturaMovimiento>& partidas);

// A line of a run of new documents posted together (the collector's
// import): its capture line, the concept of its row and its document,
// counted from 0.
struct PartidaDocumentoMovimiento {
  TPartidaCapturaMovimiento partida;
  int concepto = 0;
  int documento = 0;
};

// What a movement save posts, as its unit of work keeps it (the data it
// starts with, UnidadTrabajo::Inicia) so that a later run finishes it.
struct GuardadoMovimiento {
  EncabezadoMovimiento encabezado;
  std::vector<PartidaDocumentoMovimiento> partidas;
  bool nuevos = false;          // new documents, numbered as their first rows are written
  qint64 provisional = 0;       // the provisional row the first line goes into (0: none)
  ValoresFila fotoProvisional;  // its fields as they were, for an undo

  UnidadTrabajo::Datos Datos() const;
  static GuardadoMovimiento De(const UnidadTrabajo::Datos& datos);
  // One document of the window: the header's number and concept for every
  // line; the first line goes into the provisional row when `movimientos`
  // stands on it in edit.
  static GuardadoMovimiento Documento(const EncabezadoMovimiento& documento,
                                      const std::vector<TPartidaCapturaMovimiento>& partidas,
                                      const db::Dataset& movimientos);
  // Several new documents (the collector): the direction, average cost and
  // totals follow each line's own concept; the header gives the date,
  // reference, counterpart, warehouse, user and the negative-stock switch,
  // its number and concept are not used and no transfer is made.
  static GuardadoMovimiento Documentos(const EncabezadoMovimiento& comun,
                                       const std::vector<PartidaDocumentoMovimiento>& partidas);
};

// Posts the lines in order as the unit of work `unidad`, pending with
// `guardado`'s data (begun by the caller, or left by a former run: its
// steps done are skipped, so every row, stock and total is written once).
// `movimientos` is the open movement table (standing on the provisional row
// in edit, or not editing), `productos` and `kardex` the open product and
// totals tables of the inventory folder (a totals table that is not open
// only skips the totals). Rows of lines whose product the table lacks are
// written without stock, cost or totals. A document whose lines have no
// quantity posts the provisional row as it is. A new document draws its
// number under the table's numbering lock when its first row is written.
// Returns the numbers of the documents, in order (0 for one that had no
// line with a quantity); the unit stays pending for the caller's own steps
// (it ends it). On success the movement table stands on the last row
// written, not editing, and every lock taken is let go. Throws plat::Error
// with the text to show ("El producto P1 está en uso en otra estación; no
// se guardó el documento", the table's own error ...): then everything
// written was undone, the provisional row is in edit again as it was
// before the call, and the unit is ended; or, when the undo could not be
// finished ("... ; parte de él quedó guardada y no se pudo deshacer"), the
// unit stays pending and a later run goes on undoing. A product row
// another station holds when a later run begins stops it, the unit
// pending.
std::vector<qint64> PostaMovimientos(UnidadTrabajo& unidad, const GuardadoMovimiento& guardado,
                                     db::Tabla& movimientos, db::Tabla& productos, db::Tabla& kardex);

// The average cost after an entry. An empty method counts as "PROM". With a
// stock above 0 under "PROM": (existencia × promedio + cantidad × costo) /
// (existencia + cantidad), rounded to four decimals; the average stays as it
// is when that sum of quantities is 0 or less (a negative entry line taking
// the whole stock). Otherwise (stock 0 or below, "PEPS", "UEPS"): the entry
// cost.
Dinero CostoPromedio(const QString& metodo, double existencia, double cantidad, Dinero promedio, Dinero costo);

// The saved document a supplier credit note is booked for.
struct DocumentoNotaCredito {
  qint64 numero = 0;
  QString referencia;   // the purchase number, as captured
  QString contraparte;  // the supplier's key, as captured
};

// Books a supplier credit note of `importe` against the purchase whose
// number the document's reference holds, in the tables of the data folder,
// as steps of the unit of work `unidad`: one CUEPAGAR.DBF row (NUCOM_CP the
// purchase, CLPRO_CP the supplier cut to 20, IMCUE_CP and ABONO_CP the
// amount, TIMOV_CP 10, FEAPL_CP and FEVEN_CP today, OPERA_CP "A", CONCE_CP
// "Nota de Crédito"), the purchase's ABONO_O raised and SALDO_O lowered by
// the amount, and so the balance SALDO_CP of its charge row (concept 51)
// when it has one. The purchase row is taken first (bounded wait); the row
// and the purchase's amounts stand together or not at all. Returns false, writing nothing, when no
// purchase has that number. Errors (tables that do not open, a purchase
// held by another station) reach the caller with nothing written.
bool NotaCreditoProveedor(UnidadTrabajo& unidad, const QString& carpetaDatos, const DocumentoNotaCredito& documento,
                          Dinero importe);
