#include "platform/fs/Real6.h"

#include "platform/Error.h"

#include <QString>

#include <cmath>

namespace fs {

namespace {
constexpr int kSesgo = 129;
constexpr std::uint64_t kUnoFraccion = std::uint64_t{1} << 39;
}  // namespace

BytesReal6 CodificaReal6(double valor) {
  BytesReal6 bytes{};
  if (valor == 0) return bytes;
  if (!std::isfinite(valor)) {
    throw plat::Error(plat::Clase::NoCabe, QStringLiteral("Valor no válido para un real de 6 bytes"));
  }
  const bool negativo = valor < 0;
  int exponente = 0;
  // |valor| = m × 2^exponente with m in [0.5, 1), that is (2m) × 2^(exponente − 1).
  const double m = std::frexp(std::fabs(valor), &exponente);
  --exponente;
  std::uint64_t fraccion = static_cast<std::uint64_t>(std::llround((2 * m - 1) * static_cast<double>(kUnoFraccion)));
  if (fraccion == kUnoFraccion) {  // rounded up to the next power of two
    fraccion = 0;
    ++exponente;
  }
  const int sesgado = exponente + kSesgo;
  if (sesgado <= 0) return bytes;  // too small: reads as 0
  if (sesgado > 255) {
    throw plat::Error(plat::Clase::NoCabe,
                      QStringLiteral("El valor %1 no cabe en un real de 6 bytes").arg(valor, 0, 'g', 17));
  }
  bytes[0] = static_cast<std::uint8_t>(sesgado);
  for (int i = 0; i < 5; ++i) bytes[1 + i] = static_cast<std::uint8_t>(fraccion >> (8 * i));
  if (negativo) bytes[5] |= 0x80;
  return bytes;
}

double DecodificaReal6(const std::uint8_t* bytes) {
  if (bytes[0] == 0) return 0;
  std::uint64_t fraccion = 0;
  for (int i = 4; i >= 0; --i) fraccion = (fraccion << 8) | bytes[1 + i];
  fraccion &= kUnoFraccion - 1;  // drops the sign bit
  const double magnitud =
      std::ldexp(1.0 + static_cast<double>(fraccion) / static_cast<double>(kUnoFraccion), bytes[0] - kSesgo);
  return (bytes[5] & 0x80) ? -magnitud : magnitud;
}

double AjustaReal6(double valor) { return DecodificaReal6(CodificaReal6(valor)); }

double DecodificaReal6Breve(const std::uint8_t* bytes) {
  const double exacto = DecodificaReal6(bytes);
  if (exacto == 0) return 0;
  const BytesReal6 guardado = {bytes[0], bytes[1], bytes[2], bytes[3], bytes[4], bytes[5]};
  // Six bytes hold 40 significant bits: 13 digits always read back.
  for (int digitos = 1; digitos < 17; ++digitos) {
    const double corto = QString::number(exacto, 'g', digitos).toDouble();
    if (CodificaReal6(corto) == guardado) return corto;
  }
  return exacto;
}

}  // namespace fs
