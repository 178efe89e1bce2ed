#include "platform/fs/Sistema.h"

#include "platform/fs/Rutas.h"

#include <QFile>
#include <QHash>
#include <QList>

#include <sys/statvfs.h>

namespace fs {

EstadoMemoria EstadoMemoriaDe(const QByteArray& meminfo) {
  // Lines "MemTotal:       16314140 kB".
  QHash<QByteArray, qint64> kb;
  for (const QByteArray& linea : meminfo.split('\n')) {
    const int dos = linea.indexOf(':');
    if (dos <= 0) continue;
    const QList<QByteArray> partes = linea.mid(dos + 1).simplified().split(' ');
    bool ok = false;
    const qint64 valor = partes.value(0).toLongLong(&ok);
    if (ok) kb.insert(linea.left(dos), valor);
  }
  EstadoMemoria m;
  const qint64 total = kb.value("MemTotal");
  if (total <= 0) return m;
  const qint64 disponible = kb.contains("MemAvailable")
                                ? kb.value("MemAvailable")
                                : kb.value("MemFree") + kb.value("Buffers") + kb.value("Cached");
  m.totalBytes = total * 1024;
  m.disponibleBytes = qBound<qint64>(0, disponible, total) * 1024;
  m.cargaPorciento = static_cast<int>((m.totalBytes - m.disponibleBytes) * 100 / m.totalBytes);
  return m;
}

EstadoMemoria LeeEstadoMemoria() {
  QFile archivo(QStringLiteral("/proc/meminfo"));
  if (!archivo.open(QIODevice::ReadOnly)) return {};
  return EstadoMemoriaDe(archivo.readAll());
}

qint64 EspacioLibre(const QString& ruta) {
  struct statvfs datos {};
  if (::statvfs(QFile::encodeName(Local(ruta)).constData(), &datos) != 0) return -1;
  return static_cast<qint64>(datos.f_bavail) * static_cast<qint64>(datos.f_frsize);
}

}  // namespace fs
