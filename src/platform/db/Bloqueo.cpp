#include "platform/db/Bloqueo.h"

#include "platform/Error.h"

#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>

namespace db {
namespace {

int Fcntl(int fd, short tipo, qint64 posicion, qint64 largo) {
  struct flock f {};
  f.l_type = tipo;
  f.l_whence = SEEK_SET;
  f.l_start = static_cast<off_t>(posicion);
  f.l_len = static_cast<off_t>(largo);
  f.l_pid = 0;
  int r;
  do {
    r = ::fcntl(fd, F_OFD_SETLK, &f);
  } while (r < 0 && errno == EINTR);
  return r;
}

}  // namespace

bool IntentaBloqueo(int fd, qint64 posicion, TipoBloqueo tipo, qint64 largo) {
  const short t = tipo == TipoBloqueo::Exclusivo ? F_WRLCK : F_RDLCK;
  if (Fcntl(fd, t, posicion, largo) == 0) return true;
  if (errno == EAGAIN || errno == EACCES) return false;
  throw plat::ErrorDeSistema(QStringLiteral("No se pudo bloquear"), errno);
}

void EsperaBloqueo(int fd, qint64 posicion, TipoBloqueo tipo, const QString& tabla) {
  if (IntentaBloqueo(fd, posicion, tipo)) return;
  QElapsedTimer reloj;
  reloj.start();
  unsigned long pausa = 50;  // microseconds, doubled up to 5 ms
  while (reloj.elapsed() < kEsperaMaximaMs) {
    QThread::usleep(pausa);
    if (pausa < 5000) pausa *= 2;
    if (IntentaBloqueo(fd, posicion, tipo)) return;
  }
  throw plat::Error(plat::Clase::EnUso, QStringLiteral("La tabla %1 está ocupada por otra estación").arg(tabla));
}

void QuitaBloqueo(int fd, qint64 posicion, qint64 largo) { Fcntl(fd, F_UNLCK, posicion, largo); }

qint64 BloqueoAjeno(int fd, qint64 posicion, qint64 largo) {
  struct flock f {};
  f.l_type = F_WRLCK;
  f.l_whence = SEEK_SET;
  f.l_start = static_cast<off_t>(posicion);
  f.l_len = static_cast<off_t>(largo);
  if (::fcntl(fd, F_OFD_GETLK, &f) < 0) throw plat::ErrorDeSistema(QStringLiteral("No se pudo consultar un bloqueo"), errno);
  if (f.l_type == F_UNLCK) return -1;
  return std::max<qint64>(posicion, f.l_start);
}

}  // namespace db
