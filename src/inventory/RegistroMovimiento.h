#pragma once
// The inventory movement record (one row of MOVINVEN.DBF, or of
// MOVINVEN2.DBF where purchases fall back), the movement concepts with a
// fixed role and the one entry/exit rule, and the per-product totals of
// Kardex.dbf with the routines that keep them.
//
// All three tables live in the inventory folder (CarpetaInventario,
// shell/LineasConfiguracion.h). MOVINVEN.DBF has the tags CLDOC_MI,
// NUDOC_MI, CLPRO_MI and FEDOC_MI; Kardex.dbf the tag CLPRO_I, one row per
// product key.

#include "foundation/ValoresFila.h"
#include "foundation/dinero.h"

#include <QDate>
#include <QString>

#include <functional>
#include <optional>

namespace db {
class Dataset;
class Tabla;
}  // namespace db

inline const QString kTablaMovimientos = QStringLiteral("MOVINVEN.DBF");
inline const QString kTablaMovimientosAlterna = QStringLiteral("MOVINVEN2.DBF");
inline const QString kTablaKardex = QStringLiteral("Kardex.dbf");
inline const QString kTagKardex = QStringLiteral("CLPRO_I");

// Concept numbers (TIMOV_MI, NUCON_CM of comovinv.dbf) with a fixed role.
// Any other number a user defines behaves by the entry/exit rule alone.
enum ConceptoMovimiento : int {
  ConceptoVentaFactura = 1,            // sale on an invoice
  ConceptoDevolucionProveedor = 2,     // goods returned to a supplier
  ConceptoVentaRemision = 3,           // sale on a remission; default of the sale forms
  ConceptoAjusteSalida = 6,            // adjustment that lowers stock
  ConceptoCantidadNegativa = 8,        // a line captured with a negative quantity, a transfer's exit
  ConceptoNotaCreditoProveedor = 20,   // return to a supplier with a credit note (REFMO_MI: the purchase)
  ConceptoCompra = 51,                 // purchase receipt; recomputes the average cost
  ConceptoDevolucionCliente = 52,      // goods returned by a customer
  ConceptoCancelacionVenta = 54,       // stock put back by a cancelled sale
  ConceptoAjusteEntrada = 56,          // adjustment that raises stock
  ConceptoInventarioInicial = 57,      // initial inventory; default of collector imports
  ConceptoConteoFisico = 58,           // physical count
  ConceptoEntradaTraspaso = 60,        // entry at a transfer's destination warehouse
};

// The entry/exit rule, the only one in the system: a concept above 50 is an
// entry (adds its quantity to the stock), 50 and below an exit.
inline constexpr int kUltimoConceptoSalida = 50;
constexpr bool EsEntrada(int concepto) { return concepto > kUltimoConceptoSalida; }
// +1 for an entry, -1 for an exit.
constexpr int SignoConcepto(int concepto) { return EsEntrada(concepto) ? 1 : -1; }
// The same rule as the conditions of filters and statements on a concept
// column: "TIMOV_MI>50" for entries, "TIMOV_MI<51" for exits.
QString CondicionEntradas(const QString& columna);
QString CondicionSalidas(const QString& columna);

// One product line of one movement document. Blank fields are null (see
// inventory/CamposRegistro.h): writers leave empty what they do not fill
// (the movement window leaves CONTROL empty).
struct TRegistroMovimientoInventario {
  std::optional<qint64> CLDOC_MI;  // movement document number
  std::optional<qint64> TIMOV_MI;  // concept number
  QDate FEDOC_MI;                  // date
  QString REFMO_MI;                // free reference; concept 20: the purchase number
  QString NUDOC_MI;                // origin reference ("M" + number, sale letter + number ...)
  QString CLPRO_MI;                // product key
  QString DESCR_MI;                // description at the time of the movement
  QString CLPRV_MI;                // counterpart key
  QString CLCOP_MI;                // counterpart as captured
  QString CLVEN_MI;                // seller key
  std::optional<double> CANTI_MI;  // quantity in product units
  std::optional<Dinero> PUNIT_MI;  // unit price
  std::optional<Dinero> COSUN_MI;  // unit cost
  std::optional<qint64> NALMA_MI;  // warehouse number
  QString BANAF_MI;                // origin: "F" sale, "C" purchase, empty movement window
  std::optional<double> EXIST_MI;  // stock after the movement
  QString CADUC_MI;                // expiry as text
  std::optional<double> EMPAQUE;   // packages of the line
  std::optional<double> INICIAL, FINAL;
  QString USUARIO;                 // user number as text
  std::optional<qint64> HORAF_F;   // movement window rows: the user number
  std::optional<qint64> FECHA;     // ordering stamp (SelloFecha)
  std::optional<qint64> CONTROL;   // control number of the sale or purchase
  QString PRECL_OD;                // written by nobody; read by the alternate card

  // Fills the record from the dataset's current row; a missing column is
  // plat::Error (NoExiste).
  void Lee(const db::Dataset& movimientos);
  // Writes every field into the row the dataset is editing or appending.
  void Escribe(db::Dataset& movimientos) const;
};

// The totals row of one product key.
struct TRegistroKardex {
  QString CLPRO_I;                // product key
  std::optional<double> ENTRA_I;  // accumulated entries, positive
  std::optional<double> SALID_I;  // accumulated exits, negative
  std::optional<double> EXIST_I;  // ENTRA_I + SALID_I
  std::optional<double> INVEN_I;  // the product's EXIST_I after the last update
  QString OK;                     // mark column

  void Lee(const db::Dataset& kardex);
  void Escribe(db::Dataset& kardex) const;
};

// Changes the totals row of a product key in the open Kardex.dbf: `cambio`
// runs on the row being edited (put into edit under its lock and read
// afresh, or appended with CLPRO_I set when the key has no row yet) and the
// row is posted. Stations meet here: a row held elsewhere is tried again for
// the table layer's bounded wait (then plat::Error Bloqueado "El producto
// <key> está en uso en los totales"), and when two stations make the first
// row of one key at once, the one whose append finds the row already made
// (the CLPRO_I tag is unique and refuses it) runs `cambio` on that row
// instead. The table is left on the key's row, on the CLPRO_I tag. Errors
// reach the caller; on any error the row is as it was.
void CambiaRenglonKardex(db::Tabla& kardex, const QString& clave, const std::function<void()>& cambio);

// Adds to the totals row of a product key (CambiaRenglonKardex):
// ENTRA_I += entradas, SALID_I += salidas, EXIST_I += existencia (blanks
// count as 0), INVEN_I := inventario; a key without a row gets one made from
// zero. The totals updates of every writer are built on this one:
// movements, sales (exits into SALID_I), purchases (into ENTRA_I), so two
// stations adding at once end with both quantities in one row.
void SumaKardex(db::Tabla& kardex, const QString& clave, double entradas, double salidas, double existencia,
                double inventario);
// The values SumaKardex writes into the row as it stands (a new row: blank).
ValoresFila SumaTotales(const db::Dataset& fila, double entradas, double salidas, double existencia,
                        double inventario);

// The totals update after one posted movement line. signo: -1 for an exit,
// +1 for an entry; cantidad: the line's quantity (negative for a line
// captured with a negative quantity); existencia: the product's EXIST_I
// after the line. An entry concept adds cantidad to ENTRA_I, an exit adds
// signo × cantidad to SALID_I; EXIST_I grows by signo × cantidad; INVEN_I
// := existencia. Every failure of the totals table (a table that did not
// open, a missing tag, a row held past the bounded wait) is ignored: the row
// stays as it was, nothing is shown, and the caller goes on.
void ActualizaKardexMovimiento(db::Tabla& kardex, int signo, const QString& clave, int concepto, double cantidad,
                               double existencia);
