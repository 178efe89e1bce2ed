#include "pos/RegistroCaja.h"

#include "platform/Error.h"
#include "platform/fs/CadenaCorta.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"

TRegistroCaja TRegistroCaja::DeBytes(QByteArrayView bytes) {
  Q_ASSERT(bytes.size() >= kTamano);
  return {fs::LeeCadenaCorta(bytes, kPosCaja, kAnchoCaja), fs::LeeCadenaCorta(bytes, kPosVendedor, kAnchoVendedor),
          fs::LeeCadenaCorta(bytes, kPosFormato, kAnchoFormato)};
}

QByteArray TRegistroCaja::ABytes() const {
  QByteArray bytes(kTamano, '\0');
  fs::EscribeCadenaCorta(bytes, kPosCaja, kAnchoCaja, Caja);
  fs::EscribeCadenaCorta(bytes, kPosVendedor, kAnchoVendedor, Vendedor);
  fs::EscribeCadenaCorta(bytes, kPosFormato, kAnchoFormato, Formato);
  return bytes;
}

std::optional<TRegistroCaja> LeePrimeraCaja(const QString& programa) {
  const QString ruta = fs::Une(programa, kArchivoCajas);
  if (!fs::ExisteArchivo(ruta)) return std::nullopt;
  const QByteArray bytes = fs::LeeBytes(ruta);
  if (bytes.size() < TRegistroCaja::kTamano)
    throw plat::Error(plat::Clase::Corrupto, QStringLiteral("El Archivo %1 no tiene la primera caja").arg(ruta));
  return TRegistroCaja::DeBytes(bytes);
}

std::optional<TRegistroCaja> LeeCaja(const QString& programa, int ranura) {
  const QString ruta = fs::Une(programa, kArchivoCajas);
  if (ranura < 1 || !fs::ExisteArchivo(ruta)) return std::nullopt;
  const QByteArray bytes = fs::LeeBytes(ruta);
  const qsizetype inicio = qsizetype(ranura - 1) * TRegistroCaja::kTamano;
  if (bytes.size() < inicio + TRegistroCaja::kTamano) return std::nullopt;
  return TRegistroCaja::DeBytes(QByteArrayView(bytes).sliced(inicio, TRegistroCaja::kTamano));
}

void EscribeCaja(const QString& programa, int ranura, const TRegistroCaja& registro) {
  Q_ASSERT(ranura >= 1);
  const QString ruta = fs::Une(programa, kArchivoCajas);
  QByteArray bytes = fs::ExisteArchivo(ruta) ? fs::LeeBytes(ruta) : QByteArray();
  const qsizetype inicio = qsizetype(ranura - 1) * TRegistroCaja::kTamano;
  if (bytes.size() < inicio + TRegistroCaja::kTamano) bytes.resize(inicio + TRegistroCaja::kTamano, '\0');
  bytes.replace(inicio, TRegistroCaja::kTamano, registro.ABytes());
  fs::EscribeAtomico(ruta, bytes);
}
