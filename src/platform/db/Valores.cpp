#include "platform/db/Valores.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace db {

std::optional<qint64> LeeEnteroTexto(const char* p, int n) {
  if (n > 0 && *p == '+') {
    ++p;
    --n;
  }
  qint64 v = 0;
  const auto r = std::from_chars(p, p + n, v);
  if (r.ec != std::errc() || r.ptr != p + n || n == 0) return std::nullopt;
  return v;
}

std::optional<double> LeeRealTexto(const char* p, int n) {
  static constexpr double kPotencias[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                          1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  if (n > 0 && *p == '+') {
    ++p;
    --n;
  }
  if (n == 0) return std::nullopt;
  // Digits, one optional point, an optional leading minus; no exponent.
  bool negativo = p[0] == '-';
  quint64 mantisa = 0;
  int digitos = 0, decimales = 0;
  bool punto = false;
  for (int i = negativo ? 1 : 0; i < n; ++i) {
    const char c = p[i];
    if (c >= '0' && c <= '9') {
      mantisa = mantisa * 10 + static_cast<quint64>(c - '0');
      ++digitos;
      if (punto) ++decimales;
    } else if (c == '.' && !punto) {
      punto = true;
    } else {
      return std::nullopt;
    }
  }
  if (digitos == 0) return std::nullopt;
  // Up to 15 digits the quotient of two exact doubles is the correctly
  // rounded value; longer texts go through the general conversion.
  if (digitos <= 15) {
    const double v = static_cast<double>(mantisa) / kPotencias[decimales];
    return negativo ? -v : v;
  }
  double v = 0;
  const auto r = std::from_chars(p, p + n, v);
  if (r.ec != std::errc() || r.ptr != p + n) return std::nullopt;
  return v;
}

QDate LeeFechaDbf(const char* p, int n) {
  if (n != 8) return {};
  int v[8];
  for (int i = 0; i < 8; ++i) {
    if (p[i] < '0' || p[i] > '9') return {};
    v[i] = p[i] - '0';
  }
  return QDate(v[0] * 1000 + v[1] * 100 + v[2] * 10 + v[3], v[4] * 10 + v[5], v[6] * 10 + v[7]);
}

qint64 RedondeaEntero(double v) { return static_cast<qint64>(std::round(v)); }

bool FormateaNumero(qint64 valor, int ancho, int decimales, std::string& salida) {
  char buf[32];
  auto r = std::to_chars(buf, buf + sizeof buf, valor);
  salida.assign(buf, r.ptr);
  if (decimales > 0) salida += '.' + std::string(static_cast<size_t>(decimales), '0');
  return static_cast<int>(salida.size()) <= ancho;
}

bool FormateaNumero(double valor, int ancho, int decimales, std::string& salida) {
  if (!std::isfinite(valor) || std::fabs(valor) >= 1e20) return false;
  char buf[400];
  auto r = std::to_chars(buf, buf + sizeof buf, valor, std::chars_format::fixed);
  std::string t(buf, r.ptr);
  bool negativo = false;
  if (!t.empty() && t[0] == '-') {
    negativo = true;
    t.erase(0, 1);
  }
  std::string entero = t, fraccion;
  if (const auto punto = t.find('.'); punto != std::string::npos) {
    entero = t.substr(0, punto);
    fraccion = t.substr(punto + 1);
  }
  // Half away from zero on the decimal digits.
  bool sube = fraccion.size() > static_cast<size_t>(decimales) && fraccion[static_cast<size_t>(decimales)] >= '5';
  fraccion.resize(static_cast<size_t>(decimales), '0');
  std::string digitos = entero + fraccion;
  if (sube) {
    int i = static_cast<int>(digitos.size()) - 1;
    for (; i >= 0; --i) {
      if (digitos[static_cast<size_t>(i)] == '9') {
        digitos[static_cast<size_t>(i)] = '0';
      } else {
        ++digitos[static_cast<size_t>(i)];
        break;
      }
    }
    if (i < 0) digitos.insert(digitos.begin(), '1');
  }
  entero = digitos.substr(0, digitos.size() - static_cast<size_t>(decimales));
  fraccion = digitos.substr(digitos.size() - static_cast<size_t>(decimales));
  const size_t nz = entero.find_first_not_of('0');
  entero = nz == std::string::npos ? "0" : entero.substr(nz);
  const bool cero = entero == "0" && fraccion.find_first_not_of('0') == std::string::npos;
  salida = (negativo && !cero ? "-" : "") + entero;
  if (decimales > 0) salida += '.' + fraccion;
  return static_cast<int>(salida.size()) <= ancho;
}

QString TextoReal(double v) {
  if (v == 0) return QStringLiteral("0");
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  std::string t(buf, r.ptr);
  // Large and tiny magnitudes come out in exponent form; plain numbers as
  // the windows show them.
  if (t.find('e') != std::string::npos && std::fabs(v) < 1e15 && std::fabs(v) >= 1e-6) {
    r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
    t.assign(buf, r.ptr);
  }
  return QString::fromLatin1(t.data(), static_cast<qsizetype>(t.size()));
}

std::optional<double> RealDeTexto(const QString& texto) {
  const QByteArray b = texto.trimmed().toLatin1();
  return LeeRealTexto(b.constData(), static_cast<int>(b.size()));
}

std::optional<qint64> EnteroDeTexto(const QString& texto) {
  const QByteArray b = texto.trimmed().toLatin1();
  return LeeEnteroTexto(b.constData(), static_cast<int>(b.size()));
}

QDate FechaDeTexto(const QString& texto) {
  const QStringList partes = texto.trimmed().split(u'/');
  if (partes.size() != 3) return {};
  bool a = false, b = false, c = false;
  const int d = partes[0].toInt(&a), m = partes[1].toInt(&b), y = partes[2].toInt(&c);
  if (!a || !b || !c || partes[2].size() != 4) return {};
  return QDate(y, m, d);
}

}  // namespace db
