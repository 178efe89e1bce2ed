#pragma once
// The stock a sale takes from its products and gives back: the exit of one
// line under the product row's lock (refused for lack of stock, clamped at
// zero, the sold-quantity and sold-amount accumulators), the per-product
// totals of Kardex.dbf, the shortage log Existe.dbf of stock writes that
// failed, and the reserved quantities of a document under change.
//
// Every write goes through the inventory subsystem's routines: the stock
// through SumaExistencia (the row read afresh under its lock, the bounded
// wait of the table layer), the totals through SumaKardex (one find-or-insert
// for every writer, so two stations making a key's first totals row end
// with one row).

#include "foundation/dinero.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

namespace db {
class Dataset;
class Tabla;
}  // namespace db

inline const QString kTablaFaltantes = QStringLiteral("Existe.dbf");
inline const QString kTablaKits = QStringLiteral("KITS.DBF");

// How a sale line left its product.
struct SalidaExistencia {
  bool rechazada = false;  // the stock did not cover the line and it was not taken
  double inicial = 0;      // EXIST_I before the line
  double sinTope = 0;      // EXIST_I less the line, before the clamp at zero
  double final = 0;        // EXIST_I as posted
};

// The exit of a sale line from the product on which `productos` stands,
// under its row lock: with `rechazaSinExistencia` (configuration line 21
// "N") a quantity above the stock leaves the row untouched and the result
// rechazada; otherwise EXIST_I goes down by the quantity, back to 0 when
// below it and `sinNegativos` (line 41 "N"); VANCA_I grows by the stock
// actually removed, VANMO_I by that times `precio`; FEULV_I := `fecha`;
// HORAF_F := now. A row held by another station past the bounded wait is
// plat::Error (Bloqueado) and nothing changes.
SalidaExistencia DescuentaExistencia(db::Tabla& productos, double cantidad, Dinero precio, const QDate& fecha,
                                     bool rechazaSinExistencia, bool sinNegativos);

// What one saved line of an invoice or remission (TPartidaDocumento) took
// from its product when it was saved, to be given back when the document is
// cancelled or changed.
struct EfectoPartida {
  double existencia = 0;  // EXIST_I it removed
  double vendida = 0;     // what it added to VANCA_I ...
  Dinero precio;          // ... and, times this, to VANMO_I
  double totales = 0;     // what it took from SALID_I and EXIST_I of Kardex.dbf
};
// Read from the line: a line carried from other documents (TDOCU_FD) took
// nothing; a kit component (TIPOX_FD "X") took its quantity from stock and
// totals when its save lowered it (PCOMI_FD "-1"), nothing otherwise; any
// other line with its stock snapshot took INICIAL − FINAL (a quantity above
// the stock stopped at 0 took what there was), counted that as sold at its
// price PUNPR_FD, and took its whole quantity CANTI_FD from the totals; a
// line without the snapshot (saved by the older document window, which
// keeps no totals) took its quantity from stock alone. nullopt: nothing.
std::optional<EfectoPartida> EfectoPartidaVenta(const db::Dataset& linea);

// Gives back on the product on which `productos` stands what a line took
// (EfectoPartidaVenta), under its row lock: EXIST_I grows by existencia,
// VANCA_I and VANMO_I fall by vendida and vendida × precio. Returns EXIST_I
// as posted. A row held by another station past the bounded wait is
// plat::Error (Bloqueado) and nothing changes.
double DevuelveExistencia(db::Tabla& productos, const EfectoPartida& efecto);

// The per-product totals after a sale (signo -1) or stock coming back (+1):
// SALID_I (ENTRA_I for a purchase) and EXIST_I of the key's row of
// Kardex.dbf grow by signo × cantidad, INVEN_I := existencia; a key without
// a row gets one. Errors (the row held past the bounded wait) reach the
// caller, the row as it was.
enum class ColumnaKardex { Salidas, Entradas };
void ActualizaKardexProducto(db::Tabla& kardex, int signo, const QString& clave, double cantidad, double existencia,
                             ColumnaKardex columna = ColumnaKardex::Salidas);

// TFaltanteExistencia: a stock write that failed, one row of Existe.dbf.
struct TFaltanteExistencia {
  QString CLAVE;       // product key
  double CANTI = 0;    // quantity
  QString CONTROL;     // control number of the document, as text
  QString MODULO;      // the kind of document ("Remisión")
  int MOVIMIENTO = 0;  // the movement concept of the sale

  // Writes every field into the row being appended.
  void Escribe(db::Dataset& faltantes) const;
};

// AcumulaReservaProducto: the key's quantity text in the two parallel
// lists becomes the old quantity plus the new one; a key not in them is
// appended with the quantity.
void AcumulaReserva(QStringList& claves, QStringList& cantidades, const QString& clave, double cantidad);
