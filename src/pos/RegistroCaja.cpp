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
