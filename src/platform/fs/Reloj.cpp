#include "platform/fs/Reloj.h"

#include <optional>

namespace fs {
namespace {
std::optional<QDateTime>& Fijado() {
  static std::optional<QDateTime> momento;
  return momento;
}
}  // namespace

QDateTime Ahora() {
  if (Fijado()) return *Fijado();
  static const QByteArray env = qgetenv("VORLAN_AHORA");
  if (!env.isEmpty()) {
    const QDateTime d = QDateTime::fromString(QString::fromLatin1(env), Qt::ISODateWithMs);
    if (d.isValid()) return d;
  }
  return QDateTime::currentDateTime();
}

QDate Hoy() { return Ahora().date(); }

void FijaAhora(const QDateTime& momento) { Fijado() = momento; }

void LiberaReloj() { Fijado().reset(); }

}  // namespace fs
