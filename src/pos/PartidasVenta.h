#pragma once
// The lines of a sale as line capture builds them: the quantity typed, how
// near a typed text comes to a product's description, the quantity the
// capture asks of each product, and what a capture row takes from its
// product (the price aside: PreciosVenta.h).

#include "foundation/dinero.h"

#include <QString>
#include <QStringList>

#include <optional>

struct TRegistroProducto;
namespace db {
class Dataset;
class Tabla;
}  // namespace db

// The product line of services, never refused for lack of stock.
inline const QString kLineaServicio = QStringLiteral("SERVI");

// The characters "." to "9" of the text: the point, the slash and the digits.
QString FiltraNumero(const QString& texto);

// How near a typed text comes to the descriptions of the products, from 0 to
// 1: `productos` is stood on the first description (tag DSCPR_I) at or after
// the upper-cased text, and the positions where that description and the
// upper-cased text hold the same character are counted over the text's
// length. 0 for an empty text or when no description follows it. The table
// keeps its tag; its current row is the description compared. Table errors
// reach the caller.
double SemejanzaDescripcion(db::Tabla& productos, const QString& texto);

// Each key of the capture and its summed quantity, as two parallel lists:
// every row of `captura` from its first (rows of one key added; quantities
// written as their shortest text). The cursor is left at the end.
void SumaCantidadesPorClave(db::Dataset& captura, QStringList& claves, QStringList& cantidades);
// The quantity of `clave` in two such lists; 0 when it is not there.
double CantidadDeClave(const QStringList& claves, const QStringList& cantidades, const QString& clave);

// The cost a line of the product carries: the average cost for the costing
// method "PROM" or none, else the last cost.
std::optional<Dinero> CostoDeProducto(const TRegistroProducto& producto);

// The package factor a line of the product takes: its units per package, 1
// when it has none.
double FactorDeProducto(const TRegistroProducto& producto);

// What the capture row being edited takes from its product, the price and
// the amount aside: description, package factor, kind ("K" for a kit, empty
// otherwise), unit, supplier, IVA, FPGC, and the product's discount when the
// row has none above 0.
void DatosDeProducto(db::Dataset& captura, const TRegistroProducto& producto);
// The rest of a filled row: IEPS, the tare text (the product's units per
// package) and the cost (CostoDeProducto).
void CostoDePartida(db::Dataset& captura, const TRegistroProducto& producto);

// A captured line whose description no longer names its product, made
// that product's line again at saving, in this order: description, unit,
// supplier; IMPORTE from the quantity, the price and the discount the row
// had; IVA, IEPS, tare text, FPGC; the product's discount when the row has
// none above 0; then the volume price of the row's quantity with the
// payment type's `factor` (PreciosVenta.h).
void RehacePartidaDeProducto(db::Dataset& captura, const TRegistroProducto& producto, double factor);

// The stock of the product as the line shows it beside its description
// ("" for a blank stock).
QString TextoExistencia(const TRegistroProducto& producto);
