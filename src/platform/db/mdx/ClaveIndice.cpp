#include "platform/db/mdx/ClaveIndice.h"

#include "platform/Error.h"
#include "platform/db/mdx/mdx_format.h"
#include "platform/fs/Texto.h"

#include <charconv>
#include <cstring>

namespace db::clave {

namespace {

int Digito(const std::uint8_t* clave, int i) {
  const std::uint8_t b = clave[2 + i / 2];
  return (i % 2 == 0) ? (b >> 4) : (b & 0x0F);
}

int CuentaDigitos(const std::uint8_t* clave) {
  const int n = (clave[1] >> 2) & 0x1F;
  return n > mdx::kMaxDigitos ? mdx::kMaxDigitos : n;
}

bool Negativo(const std::uint8_t* clave) { return (clave[1] & mdx::kSignoNegativo) != 0; }

// Magnitudes of two non-zero numbers of the same sign.
int ComparaMagnitud(const std::uint8_t* a, const std::uint8_t* b) {
  if (a[0] != b[0]) return a[0] < b[0] ? -1 : 1;
  // Digits past the count are zero in the file, so the digit bytes compare
  // as they stand.
  const int bytes = (std::max(CuentaDigitos(a), CuentaDigitos(b)) + 1) / 2;
  const int c = std::memcmp(a + 2, b + 2, static_cast<size_t>(bytes));
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

}  // namespace

QByteArray NumeroDeTexto(const QString& texto) {
  QByteArray r(mdx::kLargoNumero, '\0');
  const QString t = texto.trimmed();
  int i = 0;
  bool negativo = false;
  if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) {
    negativo = t[i] == u'-';
    ++i;
  }
  QString entera;
  QString fraccion;
  bool punto = false;
  bool alguno = false;
  for (; i < t.size(); ++i) {
    const QChar c = t[i];
    if (c == u'.' && !punto) {
      punto = true;
    } else if (c.isDigit() && c.unicode() < 128) {
      (punto ? fraccion : entera).append(c);
      alguno = true;
    } else {
      throw plat::Error(plat::Clase::Conversion, QStringLiteral("\"%1\" no es un número válido").arg(texto));
    }
  }
  if (!alguno && !t.isEmpty() && t != QStringLiteral("-") && t != QStringLiteral("+") && t != QStringLiteral(".")) {
    throw plat::Error(plat::Clase::Conversion, QStringLiteral("\"%1\" no es un número válido").arg(texto));
  }
  while (!entera.isEmpty() && entera[0] == u'0') entera.remove(0, 1);
  while (!fraccion.isEmpty() && fraccion.back() == u'0') fraccion.chop(1);
  int exponente;
  QString digitos;
  if (!entera.isEmpty()) {
    exponente = entera.size();
    digitos = entera + fraccion;
  } else {
    int ceros = 0;
    while (ceros < fraccion.size() && fraccion[ceros] == u'0') ++ceros;
    digitos = fraccion.mid(ceros);
    exponente = digitos.isEmpty() ? 0 : -ceros;
  }
  if (digitos.isEmpty()) negativo = false;
  if (digitos.size() > mdx::kMaxDigitos) digitos.truncate(mdx::kMaxDigitos);
  r[0] = static_cast<char>(mdx::kBaseExponente + exponente);
  r[1] = static_cast<char>((negativo ? mdx::kSignoNegativo : 0) | (digitos.size() << 2) | mdx::kMarcaDigitos);
  for (int k = 0; k < digitos.size(); ++k) {
    const int d = digitos[k].unicode() - '0';
    std::uint8_t& b = reinterpret_cast<std::uint8_t&>(r[2 + k / 2]);
    b |= (k % 2 == 0) ? static_cast<std::uint8_t>(d << 4) : static_cast<std::uint8_t>(d);
  }
  return r;
}

QByteArray Numero(double valor) {
  char buf[400];
  const auto res = std::to_chars(buf, buf + sizeof buf, valor, std::chars_format::fixed);
  return NumeroDeTexto(QString::fromLatin1(buf, static_cast<int>(res.ptr - buf)));
}

QByteArray Numero(qint64 valor) { return NumeroDeTexto(QString::number(valor)); }

QString TextoDeNumero(const std::uint8_t* clave) {
  const int n = CuentaDigitos(clave);
  if (n == 0) return QStringLiteral("0");
  const int exponente = static_cast<int>(clave[0]) - mdx::kBaseExponente;
  QString digitos;
  for (int i = 0; i < n; ++i) digitos.append(QChar(u'0' + Digito(clave, i)));
  QString r;
  if (exponente <= 0) {
    r = QStringLiteral("0.") + QString(-exponente, u'0') + digitos;
  } else if (exponente >= n) {
    r = digitos + QString(exponente - n, u'0');
  } else {
    r = digitos.left(exponente) + u'.' + digitos.mid(exponente);
  }
  return Negativo(clave) ? u'-' + r : r;
}

QByteArray Fecha(const QDate& fecha) {
  const double dia = fecha.isValid() ? static_cast<double>(fecha.toJulianDay()) : 0.0;
  QByteArray r(mdx::kLargoFecha, '\0');
  std::memcpy(r.data(), &dia, sizeof dia);  // little-endian hosts only, as the file
  return r;
}

QDate FechaDe(const std::uint8_t* clave) {
  double dia;
  std::memcpy(&dia, clave, sizeof dia);
  if (!(dia > 0)) return {};
  return QDate::fromJulianDay(static_cast<qint64>(dia));
}

QByteArray Caracter(const QString& texto, int largo) {
  QByteArray r = fs::ACp1252(texto);
  if (r.size() > largo) r.truncate(largo);
  if (r.size() < largo) r.append(QByteArray(largo - r.size(), ' '));
  return r;
}

int ComparaCaracter(const std::uint8_t* a, const std::uint8_t* b, int largo) {
  const int c = std::memcmp(a, b, static_cast<size_t>(largo));
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int ComparaNumero(const std::uint8_t* a, const std::uint8_t* b) {
  const bool ca = CuentaDigitos(a) == 0;
  const bool cb = CuentaDigitos(b) == 0;
  const int sa = ca ? 0 : (Negativo(a) ? -1 : 1);
  const int sb = cb ? 0 : (Negativo(b) ? -1 : 1);
  if (sa != sb) return sa < sb ? -1 : 1;
  if (sa == 0) return 0;
  const int m = ComparaMagnitud(a, b);
  return sa > 0 ? m : -m;
}

int ComparaFecha(const std::uint8_t* a, const std::uint8_t* b) {
  double x, y;
  std::memcpy(&x, a, sizeof x);
  std::memcpy(&y, b, sizeof y);
  return x < y ? -1 : (x > y ? 1 : 0);
}

int Compara(TipoClave tipo, const std::uint8_t* a, const std::uint8_t* b, int largo) {
  switch (tipo) {
    case TipoClave::Numero: return ComparaNumero(a, b);
    case TipoClave::Fecha: return ComparaFecha(a, b);
    case TipoClave::Caracter: break;
  }
  return ComparaCaracter(a, b, largo);
}

QVariant Valor(TipoClave tipo, const std::uint8_t* clave, int largo) {
  switch (tipo) {
    case TipoClave::Numero: return TextoDeNumero(clave).toDouble();
    case TipoClave::Fecha: return FechaDe(clave);
    case TipoClave::Caracter: break;
  }
  int n = largo;
  while (n > 0 && clave[n - 1] == ' ') --n;
  return fs::DeCp1252(QByteArray(reinterpret_cast<const char*>(clave), n));
}

}  // namespace db::clave
