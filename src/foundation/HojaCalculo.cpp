#include "foundation/HojaCalculo.h"

#include "foundation/rutinas.h"
#include "platform/process/Procesos.h"

namespace {

constexpr int kLineaHojaCalculo = 31;  // the spreadsheet program

}  // namespace

void AbreHojaCalculo(const QString& nombre) {
  QString programa;
  LeeLineaConfig(kLineaHojaCalculo, programa);
  // A start that fails leaves the file for the user to open.
  proc::Ejecuta(programa + QStringLiteral(" \"") + nombre + u'"');
}
