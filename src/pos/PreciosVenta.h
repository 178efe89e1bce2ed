#pragma once
// The price of a sale line, from the product record: the price of a list,
// the volume price of the product's quantity limits, the customer's discount
// per product line, and the order in which line capture applies them.
//
// Lists 1 to 7 are the record's seven prices (PPUBL_I, the public price,
// is list 1 and the fall-back of every other list); lists above 7 are the
// columns PLIS<n>_I the product table may have. The routines here take the
// record and the line's values and give the new price; the sale screen
// writes it into the capture row.

#include "foundation/dinero.h"

#include <QString>

#include <optional>

struct TRegistroProducto;

// What putting list n on a line leaves: the line's PRECIO (nullopt: empty)
// and the price the list gave.
struct PrecioDeLista {
  std::optional<Dinero> precio;
  Dinero resultado;
};

// The list's price over the line's price `actual`. A list below 1 is list
// 1. A list above 7 whose column the product table lacks keeps `actual`.
// A price that comes out empty or zero becomes the public price (an empty
// public price empties the line's price and gives 0); a negative price
// stays.
PrecioDeLista PrecioLista(const TRegistroProducto& producto, int lista, std::optional<Dinero> actual);

// The volume price of `cantidad`: at or above the largest quantity limit
// (the first of equal ones), that limit's list price (PrecioLista) times
// `factor`; otherwise the price of the first band that holds, times
// `factor`: 0..q1 price 1, above q1 up to q2 price 2, ..., above q6 price 7.
// When no band holds (a negative quantity, limits out of order) the public
// price without the factor. Blank prices and limits count as 0.
Dinero PrecioPorVolumen(const TRegistroProducto& producto, double cantidad, double factor);

// The customer's discount percentage for a product line: DESCU_D of the
// first row of ClieDesc.dbf in `carpetaDatos` (tag CLCLI_D order) whose
// customer key is exactly `cliente` and whose LINEA_D is exactly `linea`
// (case counts); 0 when none. The table is opened for each call, so a row
// another station has just saved counts. Table errors reach the caller.
double DescuentoClienteLinea(const QString& carpetaDatos, const QString& cliente, const QString& linea);

// What decides the price of a line that line capture has just given a
// product.
struct ReglasPrecio {
  int listaCliente = 0;          // the customer's price list; 0 none
  bool politicas = false;        // volume policy on (configuration line 43)
  bool descuentosLinea = false;  // customer line discounts on (line 58)
  double factor = 1.0;           // the payment type's price factor
};

// The line's new PRECIO: the customer's list when there is one, else the
// volume price of `cantidad` when the policy is on, else list 1; then, with
// customer line discounts on, the public price less `descuentoCliente` per
// cent in place of all of that.
std::optional<Dinero> PrecioPartida(const TRegistroProducto& producto, double cantidad,
                                    std::optional<Dinero> actual, const ReglasPrecio& reglas,
                                    double descuentoCliente);
