#include "foundation/decimal.h"

#include "platform/fs/Regional.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

namespace {

bool EsDigito(QChar c) { return c >= u'0' && c <= u'9'; }

void Normaliza(NumeroDecimal& n) {
  const auto primero = n.digitos.find_first_not_of('0');
  if (primero == std::string::npos) {
    n = NumeroDecimal{};
    return;
  }
  n.digitos.erase(0, primero);
  const auto ultimo = n.digitos.find_last_not_of('0');
  n.exponente += static_cast<int>(n.digitos.size() - 1 - ultimo);
  n.digitos.erase(ultimo + 1);
}

// Adds one to a string of digits, growing it on a carry out of the front.
void Incrementa(std::string& digitos) {
  for (auto i = digitos.size(); i-- > 0;) {
    if (digitos[i] != '9') {
      ++digitos[i];
      return;
    }
    digitos[i] = '0';
  }
  digitos.insert(digitos.begin(), '1');
}

QString ConSigno(bool negativo, const QString& texto) {
  return negativo ? QStringLiteral("-") + texto : texto;
}

}  // namespace

std::optional<NumeroDecimal> LeeDecimal(const QString& texto) {
  const QString t = texto.trimmed();
  const QChar separador = fs::Regional().separadorDecimal;
  NumeroDecimal n;
  qsizetype i = 0;
  if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) n.negativo = t[i++] == u'-';
  bool hayDigito = false, haySeparador = false;
  int decimales = 0;
  for (; i < t.size(); ++i) {
    const QChar c = t[i];
    if (EsDigito(c)) {
      n.digitos.push_back(static_cast<char>(c.unicode()));
      hayDigito = true;
      if (haySeparador) ++decimales;
    } else if (c == separador && !haySeparador) {
      haySeparador = true;
    } else {
      break;
    }
  }
  if (!hayDigito) return std::nullopt;
  long exponente = 0;
  if (i < t.size()) {
    if (t[i] != u'e' && t[i] != u'E') return std::nullopt;
    ++i;
    bool negativo = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) negativo = t[i++] == u'-';
    if (i >= t.size()) return std::nullopt;
    for (; i < t.size(); ++i) {
      if (!EsDigito(t[i])) return std::nullopt;
      exponente = exponente * 10 + (t[i].unicode() - u'0');
      if (exponente > 100000) return std::nullopt;
    }
    if (negativo) exponente = -exponente;
  }
  n.exponente = static_cast<int>(exponente) - decimales;
  Normaliza(n);
  return n;
}

NumeroDecimal DecimalDeReal(double valor) {
  char texto[64];
  const auto r = std::to_chars(texto, texto + sizeof texto, valor, std::chars_format::scientific);
  // "-1.2345e+03": sign, digits around the point, exponent.
  NumeroDecimal n;
  const char* p = texto;
  if (*p == '-') {
    n.negativo = true;
    ++p;
  }
  int exponente = 0;
  for (; p < r.ptr; ++p) {
    if (*p == 'e') {
      std::from_chars(p + 1 + (p[1] == '+'), r.ptr, exponente);
      break;
    }
    if (*p != '.') n.digitos.push_back(*p);
  }
  n.exponente = exponente - static_cast<int>(n.digitos.size()) + 1;
  Normaliza(n);
  return n;
}

NumeroDecimal DecimalDeDiezmilesimas(std::int64_t d) {
  NumeroDecimal n;
  n.negativo = d < 0;
  const std::uint64_t magnitud = n.negativo ? 0 - static_cast<std::uint64_t>(d) : static_cast<std::uint64_t>(d);
  n.digitos = std::to_string(magnitud);
  n.exponente = -Dinero::kDecimales;
  Normaliza(n);
  return n;
}

std::optional<double> RealDeDecimal(const NumeroDecimal& n) {
  if (n.EsCero()) return 0.0;
  const std::string texto = n.digitos + 'e' + std::to_string(n.exponente);
  double valor = 0;
  const auto r = std::from_chars(texto.data(), texto.data() + texto.size(), valor);
  if (r.ec == std::errc::result_out_of_range) {
    // Too small gives zero; too big is no real at all.
    if (static_cast<long>(n.digitos.size()) + n.exponente > 0) return std::nullopt;
    valor = 0;
  }
  return n.negativo ? -valor : valor;
}

NumeroDecimal Redondeado(const NumeroDecimal& n, int decimales, Mitades mitades) {
  if (n.EsCero() || n.exponente >= -decimales) return n;
  // Drop the digits below 10^-decimales, deciding on the first dropped one
  // and whether anything non-zero follows it.
  const long quitar = -static_cast<long>(decimales) - n.exponente;
  const long tam = static_cast<long>(n.digitos.size());
  NumeroDecimal r;
  r.negativo = n.negativo;
  r.exponente = -decimales;
  char primero = '0';
  bool restoNoCero = false;
  if (quitar <= tam) {
    r.digitos = n.digitos.substr(0, tam - quitar);
    primero = n.digitos[tam - quitar];
    restoNoCero = n.digitos.find_first_not_of('0', tam - quitar + 1) != std::string::npos;
  } else {
    restoNoCero = true;  // normalised digits are never all zeros
  }
  bool sube = false;
  if (primero > '5') {
    sube = true;
  } else if (primero == '5') {
    if (mitades == Mitades::LejosDelCero || restoNoCero) {
      sube = true;
    } else {
      const char ultimo = r.digitos.empty() ? '0' : r.digitos.back();
      sube = (ultimo - '0') % 2 == 1;
    }
  }
  if (sube) Incrementa(r.digitos);
  Normaliza(r);
  return r;
}

std::optional<std::int64_t> DiezmilesimasDeDecimal(const NumeroDecimal& n, Mitades mitades) {
  const NumeroDecimal r = Redondeado(n, Dinero::kDecimales, mitades);
  if (r.EsCero()) return 0;
  const long ceros = static_cast<long>(r.exponente) + Dinero::kDecimales;
  if (static_cast<long>(r.digitos.size()) + ceros > 19) return std::nullopt;
  unsigned __int128 magnitud = 0;
  for (char c : r.digitos) magnitud = magnitud * 10 + static_cast<unsigned>(c - '0');
  for (long i = 0; i < ceros; ++i) magnitud *= 10;
  const unsigned __int128 maximo = static_cast<unsigned __int128>(std::numeric_limits<std::int64_t>::max());
  if (magnitud > maximo + (r.negativo ? 1 : 0)) return std::nullopt;
  if (r.negativo) return static_cast<std::int64_t>(0 - static_cast<std::uint64_t>(magnitud));
  return static_cast<std::int64_t>(magnitud);
}

NumeroDecimal Producto(const NumeroDecimal& a, const NumeroDecimal& b) {
  if (a.EsCero() || b.EsCero()) return NumeroDecimal{};
  // Schoolbook multiplication, least significant digit first.
  std::vector<int> suma(a.digitos.size() + b.digitos.size(), 0);
  for (auto i = a.digitos.size(); i-- > 0;) {
    for (auto j = b.digitos.size(); j-- > 0;) {
      const auto pos = (a.digitos.size() - 1 - i) + (b.digitos.size() - 1 - j);
      suma[pos] += (a.digitos[i] - '0') * (b.digitos[j] - '0');
    }
  }
  for (std::size_t k = 0; k + 1 < suma.size(); ++k) {
    suma[k + 1] += suma[k] / 10;
    suma[k] %= 10;
  }
  NumeroDecimal r;
  r.negativo = a.negativo != b.negativo;
  for (auto k = suma.size(); k-- > 0;) r.digitos.push_back(static_cast<char>('0' + suma[k]));
  r.exponente = a.exponente + b.exponente;
  Normaliza(r);
  return r;
}

QString TextoFijo(const NumeroDecimal& n, int decimales, Mitades mitades) {
  if (decimales < 0) decimales = 0;
  const NumeroDecimal r = Redondeado(n, decimales, mitades);
  std::string entero, fraccion;
  if (r.exponente >= 0) {
    entero = r.EsCero() ? std::string("0") : r.digitos + std::string(r.exponente, '0');
  } else {
    const std::size_t k = static_cast<std::size_t>(-r.exponente);
    if (r.digitos.size() > k) {
      entero = r.digitos.substr(0, r.digitos.size() - k);
      fraccion = r.digitos.substr(r.digitos.size() - k);
    } else {
      entero = "0";
      fraccion = std::string(k - r.digitos.size(), '0') + r.digitos;
    }
  }
  fraccion.resize(static_cast<std::size_t>(decimales), '0');
  QString texto = QString::fromLatin1(entero);
  if (decimales > 0) texto += fs::Regional().separadorDecimal + QString::fromLatin1(fraccion);
  return ConSigno(r.negativo, texto);
}

QString TextoGeneral(const NumeroDecimal& n) {
  if (n.EsCero()) return QStringLiteral("0");
  const QString digitos = QString::fromLatin1(n.digitos);
  const QChar separador = fs::Regional().separadorDecimal;
  // Position of the decimal point counted from the first digit.
  const long punto = static_cast<long>(n.digitos.size()) + n.exponente;
  QString texto;
  if (punto > 21 || punto < -20) {
    texto = digitos.left(1);
    if (digitos.size() > 1) texto += separador + digitos.mid(1);
    texto += QStringLiteral("E") + QString::number(punto - 1);
  } else if (n.exponente >= 0) {
    texto = digitos + QString(n.exponente, u'0');
  } else if (punto > 0) {
    texto = digitos.left(punto) + separador + digitos.mid(punto);
  } else {
    texto = QStringLiteral("0") + separador + QString(-punto, u'0') + digitos;
  }
  return ConSigno(n.negativo, texto);
}
