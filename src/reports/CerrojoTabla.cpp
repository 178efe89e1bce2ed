#include "reports/CerrojoTabla.h"

#include "platform/Error.h"
#include "platform/db/Bloqueo.h"
#include "platform/fs/Rutas.h"

#include <QLockFile>

CerrojoTabla::CerrojoTabla(QString tabla) : tabla_(std::move(tabla)) {}

CerrojoTabla::~CerrojoTabla() = default;

bool CerrojoTabla::Toma() {
  if (cerrojo_) return true;
  const QString carpeta = fs::CarpetaDe(tabla_);
  fs::CreaCarpeta(carpeta);
  QString nombre = fs::NombreArchivo(tabla_);
  const qsizetype punto = nombre.lastIndexOf(u'.');
  if (punto > 0) nombre.truncate(punto);
  const QString ruta = fs::Une(carpeta, nombre + QStringLiteral(".lck"));
  auto nuevo = std::make_unique<QLockFile>(fs::Local(ruta));
  // A live copy's report may stay open for long and is never stale.
  nuevo->setStaleLockTime(0);
  if (!nuevo->tryLock(db::kEsperaMaximaMs)) {
    if (nuevo->error() == QLockFile::LockFailedError) return false;
    throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo crear ") + ruta);
  }
  cerrojo_ = std::move(nuevo);
  return true;
}
