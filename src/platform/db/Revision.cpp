#include "platform/db/Revision.h"

#include "platform/Error.h"
#include "platform/db/Bloqueo.h"
#include "platform/db/Dbf.h"
#include "platform/db/Tabla.h"
#include "platform/db/dbf_format.h"
#include "platform/fs/Rutas.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace db {
namespace {

using plat::Clase;
using plat::Error;

// The level-7 layout of a table header (told by the version byte's low
// three bits).
constexpr int kNivel7 = 4;
constexpr int kCabeceraNivel7 = 68;
constexpr int kDescriptorNivel7 = 48;
constexpr int kTagNivel7 = 37;

}  // namespace

ArchivoExclusivo::ArchivoExclusivo(const QString& ruta, const QString& nombre) : nombre_(nombre) {
  fd_ = ::open(QFile::encodeName(ruta).constData(), O_RDWR | O_CLOEXEC);
  if (fd_ < 0) throw plat::ErrorDeSistema(QStringLiteral("No se pudo abrir la tabla ") + nombre, errno);
  try {
    if (!IntentaBloqueo(fd_, kBloqueoApertura, TipoBloqueo::Exclusivo))
      throw Error(Clase::EnUso,
                  QStringLiteral("La tabla %1 está abierta por otro usuario; no se puede usar en exclusiva").arg(nombre));
  } catch (...) {
    ::close(fd_);
    throw;
  }
}

ArchivoExclusivo::~ArchivoExclusivo() { ::close(fd_); }

qint64 ArchivoExclusivo::Tamano() const {
  const off_t fin = ::lseek(fd_, 0, SEEK_END);
  if (fin < 0) throw plat::ErrorDeSistema(QStringLiteral("No se pudo leer la tabla ") + nombre_, errno);
  return fin;
}

QByteArray ArchivoExclusivo::Lee(qint64 pos, qint64 n) const {
  QByteArray b(std::max<qint64>(0, n), Qt::Uninitialized);
  qint64 hecho = 0;
  while (hecho < b.size()) {
    const ssize_t r = ::pread(fd_, b.data() + hecho, static_cast<size_t>(b.size() - hecho), static_cast<off_t>(pos + hecho));
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) throw plat::ErrorDeSistema(QStringLiteral("No se pudo leer la tabla ") + nombre_, errno);
    if (r == 0) break;
    hecho += r;
  }
  b.resize(hecho);
  return b;
}

void ArchivoExclusivo::Escribe(qint64 pos, const QByteArray& bytes) {
  qint64 hecho = 0;
  while (hecho < bytes.size()) {
    const ssize_t r =
        ::pwrite(fd_, bytes.constData() + hecho, static_cast<size_t>(bytes.size() - hecho), static_cast<off_t>(pos + hecho));
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) throw plat::ErrorDeSistema(QStringLiteral("No se pudo escribir la tabla ") + nombre_, errno);
    hecho += r;
  }
}

bool QuitaIndiceProduccion(const QString& carpeta, const QString& archivo) {
  const QString ruta = fs::Local(fs::Une(carpeta, archivo));
  if (!QFileInfo(ruta).isFile()) return false;
  ArchivoExclusivo f(ruta, archivo);
  QFile::remove(RutaCompanero(ruta, QStringLiteral("mdx")));

  QByteArray cab = f.Lee(0, dbf::kLongCabecera);
  if (cab.size() < dbf::kLongCabecera) return true;
  const auto* u = reinterpret_cast<const unsigned char*>(cab.constData());
  const qint64 longCabecera = std::min<qint64>(u[dbf::kPosLongCabecera] | (u[dbf::kPosLongCabecera + 1] << 8), f.Tamano());
  const bool nivel7 = (u[dbf::kPosVersion] & 0x07) == kNivel7;
  cab = f.Lee(0, longCabecera);
  const QByteArray antes = cab;
  const int inicio = nivel7 ? kCabeceraNivel7 : dbf::kLongCabecera;
  const int bloque = nivel7 ? kDescriptorNivel7 : dbf::kLongDescriptor;
  const int bandera = nivel7 ? kTagNivel7 : dbf::kDescTag;
  auto limpia = [&cab](qint64 pos) {
    if (pos < cab.size() && cab[pos] == 1) cab[pos] = 0;
  };
  limpia(dbf::kPosIndiceProduccion);
  for (qint64 pos = inicio; pos < cab.size() && cab[pos] != dbf::kFinDescriptores; pos += bloque) limpia(pos + bandera);
  for (qint64 pos = 0; pos < cab.size(); ++pos)
    if (cab[pos] != antes[pos]) f.Escribe(pos, cab.mid(pos, 1));
  return true;
}

RevisionTabla RevisaTabla(const QString& carpeta, const QString& archivo,
                          const std::function<void(Tabla&)>& antesDeBorrar) {
  Tabla t;
  t.SetCarpeta(carpeta);
  t.SetNombreTabla(archivo);
  t.SetExclusive(true);
  t.Open();
  RevisionTabla r;
  r.fin = t.ReparaFin();
  if (r.fin.completado && t.VeARegistro(r.fin.completado)) {
    if (antesDeBorrar) antesDeBorrar(t);
    t.Delete();
  }
  try {
    r.tagsRegenerados = t.TagsDiscrepantes();
    if (!r.tagsRegenerados.isEmpty()) t.RegeneraIndices();
  } catch (const Error& e) {
    if (e.clase() != Clase::Conversion && e.clase() != Clase::General) throw;
    r.errorTags = e.mensaje();
  }
  return r;
}

}  // namespace db
