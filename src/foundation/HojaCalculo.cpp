#include "foundation/HojaCalculo.h"

#include "foundation/rutinas.h"
#include "platform/process/Procesos.h"

namespace {

constexpr int kLineaHojaCalculo = 31;

}  // namespace

void AbreHojaCalculo(const QString& archivo) {
  QString programa;
  LeeLineaConfig(kLineaHojaCalculo, programa);
  proc::Ejecuta(programa + QStringLiteral(" \"") + archivo + u'"');
}
