#pragma once
// The totals and taxes of a sale, computed from the lines of the capture
// table: every line's amount (a line whose amount changed is repriced by the
// volume policy), the subtotal, IVA and IEPS (with their breakdown when the
// prices include the taxes), the cost, the document discount and the
// rounding of the total; then their place in the document header and in
// total.dat.
//
// Money is exact to four decimals; "to cents" rounds half away from zero
// (dinero.h). The tax accumulators are reals, rounded when they are shown or
// stored.

#include "foundation/dinero.h"

#include <QString>

namespace db {
class Dataset;
class Tabla;
}  // namespace db

// The total rounded by configuration line 45 (`digitos`): the cents go up to
// the next multiple of 10 × digitos cents, a step of a peso or more adding
// the whole step (5: 12.30 -> 12.50, 12.75 -> 13.00, 12.50 stays; 20:
// 12.30 -> 14.00). An amount without cents, or digitos 0 or less, stays. A
// negative amount is rounded as its positive counterpart.
Dinero RedondeaTotal(int digitos, Dinero importe);

// The rules of a run.
struct ReglasTotales {
  bool impuestosIncluidos = false;  // configuration line 33: prices include the taxes
  int digitosTotal = 0;             // configuration line 45
  bool precioDesbloqueado = false;  // "Cambio Precio" unlocked the price: no repricing
  double factorPrecio = 1.0;        // the payment type's price factor
  double descuentoDocumento = 0;    // DESFI_F, per cent
  double tasaDocumento = 0;         // IMIM1_F, per cent; 0: each line's own rate
};

struct TotalesVenta {
  Dinero SubtotalVenta;       // line amounts (less the included IVA), to cents
  Dinero IvaVenta;            // to cents
  Dinero TotalVenta;          // subtotal + IVA − document discount, to cents, rounded by line 45
  Dinero CostoVenta;          // quantity × unit cost (without the included IVA)
  Dinero DescuentoLineas;     // quantity × price × line discount
  Dinero DescuentoDocumento;  // DESFI_F of subtotal + IVA, to cents
  Dinero ExentoVenta;         // amounts of lines with neither IVA nor IEPS (taxes included only)
  double IepsVenta = 0;
  double IepsSinIva = 0, IvaSinIeps = 0, IepsConIva = 0, IvaConIeps = 0;
  int Partidas = 0;
  double Articulos = 0;
};

// Walks every row of the capture table through `captura` (the totals
// cursor), in table order: a row without a key gets price and amount 0;
// every row's IMPORTE is recomputed; a row whose amount no longer equals
// the stored one (to four decimals) is, unless the price is unlocked and
// when `productos` finds its product, repriced by PrecioPorVolumen with its
// quantity, and its FACTOR and EMPAQUE follow the product's package. Each
// row is posted. Then the totals by the rules. A row that cannot be
// repriced keeps its price; any other error reaches the caller (rows
// posted before it stay).
TotalesVenta CalculaTotalesCaptura(db::Dataset& captura, db::Tabla* productos, const ReglasTotales& reglas);

// The header field and the value differ when both are written with
// "#######0.000" (a blank field is 0).
bool DifiereCampo(const db::Dataset& encabezado, const QString& campo, double valor);
// Any of IMTOD_F, SUBTO_F, IEPS1_F, EXENT_F, IVAX1_F, IVAX2_F, IEPS2_F,
// IEPS3_F differs from the totals.
bool TotalesDifieren(const db::Dataset& encabezado, const TotalesVenta& t);
// Writes the totals into the header row being edited or inserted: SUBTO_F,
// IMIM2_F, IMTOD_F, COSTO_F, SALDO_F (IMTOD_F − ABONO_F), IEPS1_F, EXENT_F,
// IEPS2_F, IVAX1_F, IEPS3_F, IVAX2_F (reals to four decimals).
void EscribeTotales(db::Dataset& encabezado, const TotalesVenta& t);

// The text of total.dat for the total shown: the text without its commas,
// points and blanks ("1,234.50" -> "123450").
QString TextoTotalArchivo(const QString& totalMostrado);
// total.dat of the program folder rewritten with that text, for outside
// programs; a failure is ignored.
void EscribeTotalArchivo(const QString& totalMostrado);
