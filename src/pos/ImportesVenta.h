#pragma once
// Amounts of a sale line and the roundings of the totals, computed on the
// exact decimal values and rounded once, halves away from zero (dinero.h).

#include "foundation/dinero.h"

// The amount of a line: cantidad × precio less `descuento` per cent of it,
// to four decimals.
Dinero ImporteLinea(double cantidad, Dinero precio, double descuento);
// The discount part of that amount: cantidad × precio × descuento / 100, to
// four decimals.
Dinero DescuentoDeLinea(double cantidad, Dinero precio, double descuento);
// `porcentaje` per cent of `base`, to cents.
Dinero PorcentajeACentavos(Dinero base, double porcentaje);
// A real to cents, by the digits it is written with. Throws plat::Error
// (Conversion) when it is not finite or does not fit.
Dinero ACentavos(double valor);
// The tax contained in an amount whose price includes it at `tasa` per
// cent: monto − monto / (1 + tasa / 100).
double ImpuestoIncluido(double monto, double tasa);
