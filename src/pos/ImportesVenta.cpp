#include "pos/ImportesVenta.h"

#include "foundation/decimal.h"
#include "platform/Error.h"

#include <cmath>

namespace {

Dinero ADinero(const NumeroDecimal& n) {
  const auto d = DiezmilesimasDeDecimal(n, Mitades::LejosDelCero);
  if (!d) throw plat::Error(plat::Clase::Conversion, QStringLiteral("Importe fuera de rango"));
  return Dinero::DeDiezmilesimas(*d);
}

NumeroDecimal Real(double valor) {
  if (!std::isfinite(valor)) throw plat::Error(plat::Clase::Conversion, QStringLiteral("Importe fuera de rango"));
  return DecimalDeReal(valor);
}

NumeroDecimal Decimal(Dinero d) { return DecimalDeDiezmilesimas(d.Diezmilesimas()); }

NumeroDecimal Bruto(double cantidad, Dinero precio) { return Producto(Decimal(precio), Real(cantidad)); }

}  // namespace

Dinero ImporteLinea(double cantidad, Dinero precio, double descuento) {
  return ADinero(Producto(Bruto(cantidad, precio), Real((100.0 - descuento) / 100.0)));
}

Dinero DescuentoDeLinea(double cantidad, Dinero precio, double descuento) {
  return ADinero(Producto(Bruto(cantidad, precio), Real(descuento / 100.0)));
}

Dinero PorcentajeACentavos(Dinero base, double porcentaje) {
  return ADinero(Redondeado(Producto(Decimal(base), Real(porcentaje / 100.0)), 2, Mitades::LejosDelCero));
}

Dinero ACentavos(double valor) { return ADinero(Redondeado(Real(valor), 2, Mitades::LejosDelCero)); }

double ImpuestoIncluido(double monto, double tasa) { return monto - monto / (1 + tasa / 100); }
