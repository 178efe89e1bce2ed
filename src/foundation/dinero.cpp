#include "foundation/dinero.h"

#include "foundation/decimal.h"
#include "platform/Error.h"

#include <cmath>
#include <limits>

namespace {

[[noreturn]] void FueraDeRango() {
  throw plat::Error(plat::Clase::Conversion, QStringLiteral("Importe fuera de rango"));
}

Dinero DeDecimal(const NumeroDecimal& n, Mitades mitades) {
  const auto d = DiezmilesimasDeDecimal(n, mitades);
  if (!d) FueraDeRango();
  return Dinero::DeDiezmilesimas(*d);
}

}  // namespace

Dinero Dinero::DeReal(double valor, Mitades mitades) {
  if (!std::isfinite(valor)) FueraDeRango();
  return DeDecimal(DecimalDeReal(valor), mitades);
}

std::optional<Dinero> Dinero::Lee(const QString& texto, Mitades mitades) {
  const auto n = LeeDecimal(texto);
  if (!n) return std::nullopt;
  const auto d = DiezmilesimasDeDecimal(*n, mitades);
  if (!d) return std::nullopt;
  return DeDiezmilesimas(*d);
}

Dinero Dinero::DeTexto(const QString& texto) {
  const auto d = Lee(texto);
  if (!d) {
    throw plat::Error(plat::Clase::Conversion,
                      QStringLiteral("'") + texto + QStringLiteral("' no es un valor numérico válido"));
  }
  return *d;
}

QString Dinero::Texto() const { return TextoGeneral(DecimalDeDiezmilesimas(diezmilesimas_)); }

Dinero Dinero::Redondeada(int decimales, Mitades mitades) const {
  if (decimales >= kDecimales) return *this;
  if (decimales < 0) decimales = 0;
  return DeDecimal(Redondeado(DecimalDeDiezmilesimas(diezmilesimas_), decimales, mitades), mitades);
}

Dinero Dinero::operator-() const {
  if (diezmilesimas_ == std::numeric_limits<std::int64_t>::min()) FueraDeRango();
  return DeDiezmilesimas(-diezmilesimas_);
}

Dinero& Dinero::operator+=(Dinero otro) {
  std::int64_t suma;
  if (__builtin_add_overflow(diezmilesimas_, otro.diezmilesimas_, &suma)) FueraDeRango();
  diezmilesimas_ = suma;
  return *this;
}

Dinero& Dinero::operator-=(Dinero otro) {
  std::int64_t resta;
  if (__builtin_sub_overflow(diezmilesimas_, otro.diezmilesimas_, &resta)) FueraDeRango();
  diezmilesimas_ = resta;
  return *this;
}

Dinero operator*(Dinero a, Dinero b) {
  return DeDecimal(Producto(DecimalDeDiezmilesimas(a.diezmilesimas_), DecimalDeDiezmilesimas(b.diezmilesimas_)),
                   Mitades::LejosDelCero);
}

Dinero operator*(Dinero a, double factor) {
  if (!std::isfinite(factor)) FueraDeRango();
  return DeDecimal(Producto(DecimalDeDiezmilesimas(a.diezmilesimas_), DecimalDeReal(factor)), Mitades::LejosDelCero);
}
