#include "platform/db/sql/Colacion.h"

#include "platform/fs/Texto.h"

#include <array>

namespace db::sql {
namespace {

// Weight of a code point above 0x7F: its Windows-1252 byte, or 0x100 + the
// code point for characters the code page does not have.
struct Pesos {
  std::array<char16_t, 32> altos{};  // code point of bytes 0x80..0x9F
  Pesos() {
    for (int b = 0; b < 32; ++b) {
      const char c = static_cast<char>(0x80 + b);
      altos[static_cast<size_t>(b)] = fs::DeCp1252(&c, 1).at(0).unicode();
    }
  }
  quint32 De(quint32 cp) const {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return cp;
    for (quint32 b = 0; b < 32; ++b)
      if (altos[b] == cp) return 0x80 + b;
    return 0x100 + cp;
  }
};

const Pesos& LosPesos() {
  static const Pesos p;
  return p;
}

// Next code point of UTF-8 text at p (advances p). Bytes that do not form
// UTF-8 count as themselves.
quint32 Siguiente(const unsigned char*& p, const unsigned char* fin) {
  const unsigned char c = *p++;
  if (c < 0x80) return c;
  int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
  quint32 cp = c & (0x3F >> extra);
  if (extra == 0 || fin - p < extra) return c;
  for (int i = 0; i < extra; ++i) {
    if ((p[i] & 0xC0) != 0x80) return c;
    cp = (cp << 6) | (p[i] & 0x3F);
  }
  p += extra;
  return cp;
}

// The rest of a longer text against blanks.
int ContraBlancos(const unsigned char* p, const unsigned char* fin, int signo) {
  const Pesos& pesos = LosPesos();
  while (p < fin) {
    const quint32 w = pesos.De(Siguiente(p, fin));
    if (w != 0x20) return w < 0x20 ? -signo : signo;
  }
  return 0;
}

}  // namespace

int ComparaCp1252(const char* a, int na, const char* b, int nb) {
  const auto* pa = reinterpret_cast<const unsigned char*>(a);
  const auto* pb = reinterpret_cast<const unsigned char*>(b);
  const auto* fa = pa + na;
  const auto* fb = pb + nb;
  const Pesos& pesos = LosPesos();
  while (pa < fa && pb < fb) {
    if (*pa < 0x80 && *pb < 0x80) {
      if (*pa != *pb) return *pa < *pb ? -1 : 1;
      ++pa;
      ++pb;
      continue;
    }
    const quint32 wa = pesos.De(Siguiente(pa, fa));
    const quint32 wb = pesos.De(Siguiente(pb, fb));
    if (wa != wb) return wa < wb ? -1 : 1;
  }
  if (pa < fa) return ContraBlancos(pa, fa, 1);
  if (pb < fb) return ContraBlancos(pb, fb, -1);
  return 0;
}

int ComparaCp1252(const QString& a, const QString& b) {
  const QByteArray ua = a.toUtf8(), ub = b.toUtf8();
  return ComparaCp1252(ua.constData(), static_cast<int>(ua.size()), ub.constData(), static_cast<int>(ub.size()));
}

}  // namespace db::sql
