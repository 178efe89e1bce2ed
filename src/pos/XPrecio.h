#pragma once
// The price calculator's computation: on the current row of the sale
// screen's capture table the cashier has typed an amount of money (IMPORTE)
// and a product key or barcode (CLAVE); the row gets the price that fits
// that amount and the quantity the amount buys. The calculator window calls
// it when the key is left.
//
// The price: every list n with a price above 0 has an amount limit, price n
// times its quantity limit POLI<n>_I (what buys exactly that quantity at
// that price). The amount takes the lowest-numbered priced list whose limit
// it does not pass, else the highest-numbered priced list; a public price
// or first limit of 0 makes it the public price whatever the amount. The
// customer's price list, the payment factor and the line's discount play no
// part; IMPORTE keeps the amount typed.

#include <QString>

namespace db {
class Dataset;
class Tabla;
}  // namespace db

// The key of a text-only line, which is never looked up.
inline const QString kClaveComentario = QStringLiteral("COMENTARIO");

// The message of a fractional quantity of a product sold in whole pieces.
inline const QString kCantidadEnPiezas = QStringLiteral("Cantidad con error producto en PIEZA");

// The value has a fractional part above 0.
bool TieneFraccion(double valor);
// A unit of whole pieces: "pza" or "pz", any case.
bool EsPieza(const QString& unidad);

// The pieces check of the current capture row: when its UNIDAD (any case)
// is "pza" or "pz" and its CANTIDAD has a fraction, the message
// kCantidadEnPiezas and the quantity cut to its integer part (a row being
// browsed is put into edit); true then.
bool CorrigePiezas(db::Dataset& captura);

enum class ResultadoXPrecio {
  SinProducto,  // no product has the key (or it is a text-only line): the row keeps what was typed
  Calculado,    // the row priced and posted
};

// Computes the current row of `captura` from the product `productos` finds
// for its key (the key, else the barcode, which then becomes the product's
// key): PRODUCTO, FACTOR and UNIDAD from the product, PRECIO by the amount,
// COSTO (average cost for the "PROM" or empty costing method, else the last
// cost), IMPUESTO, and CANTIDAD = IMPORTE / PRECIO to four decimals (kept
// when the price is 0); the pieces check; the row posted. Then, when the
// last row of the capture has both a key and a description, a new row with
// quantity 1 is appended and left for typing. Table errors reach the
// caller.
ResultadoXPrecio CalculaPrecioPorImporte(db::Dataset& captura, db::Tabla& productos);
