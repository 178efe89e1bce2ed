#include "platform/fs/Falla.h"

#include "platform/Error.h"

#include <QByteArray>
#include <QMutex>

#include <csignal>
#include <unistd.h>

namespace falla {
namespace {

struct Armado {
  QMutex mutex;
  QByteArray punto;
  int vez = 0;
  int pasadas = 0;
  int fallas = 0;  // passes that throw from the n-th on; 0: the n-th pass stops
};

Armado& Estado() {
  static Armado a;
  return a;
}

void ArmaDesdeEntorno() {
  const QByteArray valor = qgetenv("VORLAN_FALLA");
  if (valor.isEmpty()) return;
  const int arroba = valor.lastIndexOf('@');
  bool ok = false;
  const int vez = arroba > 0 ? valor.mid(arroba + 1).toInt(&ok) : 1;
  Arma(QString::fromUtf8(arroba > 0 && ok ? valor.left(arroba) : valor), ok ? vez : 1);
}

const bool kDelEntorno = (ArmaDesdeEntorno(), true);

}  // namespace

namespace detalle {

std::atomic<bool> armado{false};

bool Toca(const char* punto) {
  Armado& a = Estado();
  QMutexLocker l(&a.mutex);
  if (a.fallas > 0 || a.punto != punto) return false;
  return ++a.pasadas == a.vez;
}

void PasaTabla(const char* punto, const QString& tabla) {
  Armado& a = Estado();
  QMutexLocker l(&a.mutex);
  const QByteArray nombre(punto);
  const bool es = a.punto == nombre ||
                  (a.punto.startsWith(nombre + ':') &&
                   QString::fromUtf8(a.punto.mid(nombre.size() + 1)).compare(tabla, Qt::CaseInsensitive) == 0);
  if (!es) return;
  const int pasada = ++a.pasadas;
  if (a.fallas == 0) {
    if (pasada == a.vez) Muere();
    return;
  }
  if (pasada >= a.vez && pasada < a.vez + a.fallas)
    throw plat::Error(plat::Clase::Io, QStringLiteral("Falla provocada en ") + QString::fromUtf8(a.punto));
}

void Muere() {
  ::kill(::getpid(), SIGKILL);
  ::_exit(137);  // not reached
}

}  // namespace detalle

void Arma(const QString& punto, int vez) {
  (void)kDelEntorno;
  Armado& a = Estado();
  QMutexLocker l(&a.mutex);
  a.punto = punto.toUtf8();
  a.vez = vez;
  a.pasadas = 0;
  a.fallas = 0;
  detalle::armado.store(true);
}

void ArmaError(const QString& punto, int vez, int veces) {
  Arma(punto, vez);
  Armado& a = Estado();
  QMutexLocker l(&a.mutex);
  a.fallas = veces > 0 ? veces : 1;
}

void Desarma() {
  Armado& a = Estado();
  QMutexLocker l(&a.mutex);
  a.punto.clear();
  detalle::armado.store(false);
}

}  // namespace falla
