// The storage kinds by file extension and the production-index module, and
// what every storage has by default.

#include "platform/db/Almacen.h"
#include "platform/Error.h"
#include "platform/db/Dbf.h"
#include "platform/db/paradox/AlmacenParadox.h"
#include "platform/db/Orden.h"

#include <QHash>

namespace db {
namespace {

QHash<QString, FabricaAlmacen*>& Registradas() {
  static QHash<QString, FabricaAlmacen*> fabricas;
  return fabricas;
}

FabricaIndices*& ModuloDeIndices() {
  static FabricaIndices* fabrica = &FabricaMdx();
  return fabrica;
}

}  // namespace

void Almacen::TomaNumeracion() {
  throw plat::Error(plat::Clase::Estado, QStringLiteral("La tabla %1 no lleva numeración entre estaciones").arg(Nombre()));
}

void Almacen::Rehace(qint64, const QByteArray&, bool) {
  throw plat::Error(plat::Clase::Estado, QStringLiteral("La tabla %1 no lleva índice de producción").arg(Nombre()));
}

void Almacen::Revive(Registro&) const {
  throw plat::Error(plat::Clase::Estado, QStringLiteral("La tabla %1 no marca filas borradas").arg(Nombre()));
}

ReparacionFin Almacen::ReparaFin() {
  throw plat::Error(plat::Clase::Estado, QStringLiteral("La tabla %1 no se repara por sus bytes").arg(Nombre()));
}

FabricaAlmacen* FabricaPara(const QString& extension) {
  const QString ext = extension.toLower();
  if (ext == u"dbf") return &FabricaDbf();
  if (ext == u"db") return &FabricaParadox();
  return Registradas().value(ext, nullptr);
}

void RegistraFabrica(const QString& extension, FabricaAlmacen* fabrica) { Registradas()[extension.toLower()] = fabrica; }

FabricaIndices* FabricaDeIndices() { return ModuloDeIndices(); }
void RegistraFabricaIndices(FabricaIndices* fabrica) { ModuloDeIndices() = fabrica; }

}  // namespace db
