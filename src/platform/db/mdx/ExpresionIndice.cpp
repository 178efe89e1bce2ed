#include "platform/db/mdx/ExpresionIndice.h"

#include "platform/Error.h"
#include "platform/db/mdx/mdx_format.h"
#include "platform/fs/Texto.h"

#include <array>
#include <cmath>
#include <cstring>
#include <vector>

namespace db {

namespace {

enum class Clase { Campo, Literal, Numero, Suma, Mayusculas, Str, Dtos, Substr };

struct Numero {
  bool entero = true;
  qint64 i = 0;
  double d = 0;
  double Real() const { return entero ? static_cast<double>(i) : d; }
};

// Windows-1252 byte -> its upper-case byte (the byte itself when the code page
// has no single upper-case letter for it).
const std::array<std::uint8_t, 256>& TablaMayusculas() {
  static const std::array<std::uint8_t, 256> tabla = [] {
    std::array<std::uint8_t, 256> t{};
    for (int b = 0; b < 256; ++b) {
      t[b] = static_cast<std::uint8_t>(b);
      const QString c = fs::DeCp1252(QByteArray(1, static_cast<char>(b)));
      if (c.size() != 1) continue;
      const QChar m = c[0].toUpper();
      if (m == c[0]) continue;
      const QByteArray r = fs::ACp1252(QString(m));
      if (r.size() == 1 && r[0] != '?') t[b] = static_cast<std::uint8_t>(r[0]);
    }
    return t;
  }();
  return tabla;
}

}  // namespace

struct ExpresionIndice::Nodo {
  Clase clase = Clase::Literal;
  TipoClave tipo = TipoClave::Caracter;
  int largo = 0;        // bytes of a text result
  int campo = -1;
  QByteArray literal;
  Numero numero;
  int a = 0, b = 0;     // STR: length, decimals; SUBSTR: start (from 0), length
  std::vector<std::unique_ptr<Nodo>> hijos;
};

namespace {

using Nodo = ExpresionIndice::Nodo;

class Compilador {
 public:
  Compilador(const QString& texto, const QVector<DefCampo>& campos) : t_(texto), campos_(campos) {}

  std::unique_ptr<Nodo> Compila() {
    auto n = Suma();
    Blancos();
    if (p_ < t_.size()) Falla(QStringLiteral("sobra \"%1\"").arg(t_.mid(p_)));
    if (n->tipo == TipoClave::Caracter && (n->largo < 1 || n->largo > mdx::kMaxLargoCaracter)) {
      Falla(QStringLiteral("la clave debe medir de 1 a %1 caracteres y mide %2").arg(mdx::kMaxLargoCaracter).arg(n->largo));
    }
    return n;
  }

 private:
  [[noreturn]] void Falla(const QString& detalle) const {
    throw plat::Error(plat::Clase::General,
                      QStringLiteral("Expresión de índice no válida \"%1\": %2").arg(t_, detalle));
  }

  void Blancos() {
    while (p_ < t_.size() && t_[p_].isSpace()) ++p_;
  }
  bool Toma(QChar c) {
    Blancos();
    if (p_ < t_.size() && t_[p_] == c) {
      ++p_;
      return true;
    }
    return false;
  }
  void Exige(QChar c) {
    if (!Toma(c)) Falla(QStringLiteral("se esperaba \"%1\"").arg(c));
  }

  std::unique_ptr<Nodo> Suma() {
    auto izq = Termino();
    while (Toma(u'+')) {
      auto der = Termino();
      auto n = std::make_unique<Nodo>();
      n->clase = Clase::Suma;
      if (izq->tipo == TipoClave::Caracter && der->tipo == TipoClave::Caracter) {
        n->tipo = TipoClave::Caracter;
        n->largo = izq->largo + der->largo;
      } else if (izq->tipo == TipoClave::Numero && der->tipo == TipoClave::Numero) {
        n->tipo = TipoClave::Numero;
      } else {
        Falla(QStringLiteral("\"+\" une textos o suma números, no mezcla tipos"));
      }
      n->hijos.push_back(std::move(izq));
      n->hijos.push_back(std::move(der));
      izq = std::move(n);
    }
    return izq;
  }

  int EnteroConstante() {
    auto n = Suma();
    if (n->clase != Clase::Numero || !n->numero.entero) Falla(QStringLiteral("se esperaba un número entero"));
    return static_cast<int>(n->numero.i);
  }

  std::unique_ptr<Nodo> Termino() {
    Blancos();
    if (p_ >= t_.size()) Falla(QStringLiteral("falta un término al final"));
    const QChar c = t_[p_];
    if (Toma(u'(')) {
      auto n = Suma();
      Exige(u')');
      return n;
    }
    if (c == u'\'' || c == u'"') {
      const int fin = t_.indexOf(c, p_ + 1);
      if (fin < 0) Falla(QStringLiteral("texto sin cerrar"));
      auto n = std::make_unique<Nodo>();
      n->clase = Clase::Literal;
      n->literal = fs::ACp1252(t_.mid(p_ + 1, fin - p_ - 1));
      n->largo = n->literal.size();
      p_ = fin + 1;
      return n;
    }
    if (c.isDigit()) {
      int q = p_;
      while (q < t_.size() && (t_[q].isDigit() || t_[q] == u'.')) ++q;
      const QString num = t_.mid(p_, q - p_);
      p_ = q;
      auto n = std::make_unique<Nodo>();
      n->clase = Clase::Numero;
      n->tipo = TipoClave::Numero;
      bool ok = false;
      if (num.contains(u'.')) {
        n->numero.entero = false;
        n->numero.d = num.toDouble(&ok);
      } else {
        n->numero.i = num.toLongLong(&ok);
      }
      if (!ok) Falla(QStringLiteral("número mal escrito \"%1\"").arg(num));
      return n;
    }
    if (c.isLetter() || c == u'_') {
      int q = p_;
      while (q < t_.size() && (t_[q].isLetterOrNumber() || t_[q] == u'_')) ++q;
      const QString nombre = t_.mid(p_, q - p_).toUpper();
      p_ = q;
      if (Toma(u'(')) return Funcion(nombre);
      return Campo(nombre);
    }
    Falla(QStringLiteral("carácter inesperado \"%1\"").arg(c));
  }

  std::unique_ptr<Nodo> Campo(const QString& nombre) {
    for (int i = 0; i < campos_.size(); ++i) {
      const DefCampo& d = campos_[i];
      if (d.nombre.compare(nombre, Qt::CaseInsensitive) != 0) continue;
      auto n = std::make_unique<Nodo>();
      n->clase = Clase::Campo;
      n->campo = i;
      const QChar t = d.tipo.toUpper();
      if (t == u'C') {
        n->tipo = TipoClave::Caracter;
        n->largo = d.ancho;
      } else if (t == u'N' || t == u'F') {
        n->tipo = TipoClave::Numero;
      } else if (t == u'D') {
        n->tipo = TipoClave::Fecha;
      } else {
        Falla(QStringLiteral("el campo %1 de tipo %2 no puede formar parte de una clave").arg(d.nombre, d.tipo));
      }
      return n;
    }
    Falla(QStringLiteral("no existe el campo %1").arg(nombre));
  }

  static bool Nombra(const QString& dado, const QString& funcion) {
    return dado == funcion || (dado.size() >= 4 && funcion.startsWith(dado));
  }

  std::unique_ptr<Nodo> Funcion(const QString& nombre) {
    auto n = std::make_unique<Nodo>();
    auto arg = Suma();
    if (Nombra(nombre, QStringLiteral("UPPER"))) {
      if (arg->tipo != TipoClave::Caracter) Falla(QStringLiteral("UPPER() lleva un texto"));
      n->clase = Clase::Mayusculas;
      n->largo = arg->largo;
      n->hijos.push_back(std::move(arg));
    } else if (Nombra(nombre, QStringLiteral("DTOS"))) {
      if (arg->tipo != TipoClave::Fecha) Falla(QStringLiteral("DTOS() lleva una fecha"));
      n->clase = Clase::Dtos;
      n->largo = 8;
      n->hijos.push_back(std::move(arg));
    } else if (Nombra(nombre, QStringLiteral("STR"))) {
      if (arg->tipo != TipoClave::Numero) Falla(QStringLiteral("STR() lleva un número"));
      n->clase = Clase::Str;
      n->a = 10;
      n->b = 0;
      if (Toma(u',')) {
        n->a = EnteroConstante();
        if (Toma(u',')) n->b = EnteroConstante();
      }
      if (n->a < 1 || n->a > mdx::kMaxLargoCaracter || n->b < 0 || n->b >= n->a) {
        Falla(QStringLiteral("STR() con largo o decimales fuera de rango"));
      }
      n->largo = n->a;
      n->hijos.push_back(std::move(arg));
    } else if (Nombra(nombre, QStringLiteral("SUBSTR"))) {
      if (arg->tipo != TipoClave::Caracter) Falla(QStringLiteral("SUBSTR() lleva un texto"));
      Exige(u',');
      const int inicio = EnteroConstante();
      int largo = arg->largo - inicio + 1;
      if (Toma(u',')) largo = EnteroConstante();
      if (inicio < 1 || largo < 1) Falla(QStringLiteral("SUBSTR() con inicio o largo fuera de rango"));
      n->clase = Clase::Substr;
      n->a = inicio - 1;
      n->b = largo;
      n->largo = largo;
      n->hijos.push_back(std::move(arg));
    } else {
      Falla(QStringLiteral("función desconocida %1()").arg(nombre));
    }
    Exige(u')');
    return n;
  }

  const QString& t_;
  const QVector<DefCampo>& campos_;
  int p_ = 0;
};

Numero NumeroDe(const QVariant& v) {
  Numero n;
  if (!v.isValid() || v.isNull()) return n;
  switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Bool:
      n.i = v.toLongLong();
      return n;
    case QMetaType::Double:
    case QMetaType::Float:
      n.entero = false;
      n.d = v.toDouble();
      return n;
    default: break;
  }
  const QString t = v.toString().trimmed();
  if (t.isEmpty()) return n;
  bool ok = false;
  n.i = t.toLongLong(&ok);
  if (ok) return n;
  n.entero = false;
  n.d = t.toDouble(&ok);
  if (!ok) throw plat::Error(plat::Clase::Conversion, QStringLiteral("\"%1\" no es un número válido").arg(t));
  return n;
}

Numero Evalua(const Nodo& n, const LectorCampo& lector) {
  switch (n.clase) {
    case Clase::Numero: return n.numero;
    case Clase::Campo: return NumeroDe(lector(n.campo));
    case Clase::Suma: {
      const Numero a = Evalua(*n.hijos[0], lector);
      const Numero b = Evalua(*n.hijos[1], lector);
      Numero r;
      if (a.entero && b.entero) {
        r.i = a.i + b.i;
      } else {
        r.entero = false;
        r.d = a.Real() + b.Real();
      }
      return r;
    }
    default: break;
  }
  return {};
}

QDate FechaDe(const Nodo& n, const LectorCampo& lector) {
  const QVariant v = lector(n.campo);
  if (v.typeId() == QMetaType::QDate) return v.toDate();
  if (v.typeId() == QMetaType::QDateTime) return v.toDateTime().date();
  const QString t = v.toString().trimmed();
  if (t.isEmpty()) return {};
  QDate d = QDate::fromString(t, QStringLiteral("yyyyMMdd"));
  if (!d.isValid()) d = QDate::fromString(t, QStringLiteral("dd/MM/yyyy"));
  return d;
}

// "123.46" for (123.456, 2): rounded half away from zero.
QByteArray TextoNumero(const Numero& x, int decimales) {
  if (x.entero && decimales == 0) return QByteArray::number(x.i);
  const double v = x.Real();
  const double escala = std::pow(10.0, decimales);
  const double redondo = std::round(std::fabs(v) * escala);
  if (!(redondo < 9.0e18)) return QByteArray(64, '*');
  QByteArray digitos = QByteArray::number(static_cast<qint64>(redondo));
  if (decimales > 0) {
    if (digitos.size() <= decimales) digitos.prepend(QByteArray(decimales - digitos.size() + 1, '0'));
    digitos.insert(digitos.size() - decimales, '.');
  }
  if (v < 0 && redondo != 0) digitos.prepend('-');
  return digitos;
}

void EscribeTexto(const Nodo& n, const LectorCampo& lector, std::uint8_t* d) {
  switch (n.clase) {
    case Clase::Literal:
      std::memcpy(d, n.literal.constData(), static_cast<size_t>(n.largo));
      return;
    case Clase::Campo: {
      const QVariant v = lector(n.campo);
      QByteArray b;
      if (v.typeId() == QMetaType::QByteArray) b = v.toByteArray();
      else if (v.isValid()) b = fs::ACp1252(v.toString());
      const int k = std::min<int>(static_cast<int>(b.size()), n.largo);
      std::memcpy(d, b.constData(), static_cast<size_t>(k));
      std::memset(d + k, ' ', static_cast<size_t>(n.largo - k));
      return;
    }
    case Clase::Suma:
      EscribeTexto(*n.hijos[0], lector, d);
      EscribeTexto(*n.hijos[1], lector, d + n.hijos[0]->largo);
      return;
    case Clase::Mayusculas: {
      EscribeTexto(*n.hijos[0], lector, d);
      const auto& t = TablaMayusculas();
      for (int i = 0; i < n.largo; ++i) d[i] = t[d[i]];
      return;
    }
    case Clase::Dtos: {
      const QDate f = FechaDe(*n.hijos[0], lector);
      const QByteArray s = f.isValid() ? f.toString(QStringLiteral("yyyyMMdd")).toLatin1() : QByteArray(8, ' ');
      std::memcpy(d, s.constData(), 8);
      return;
    }
    case Clase::Str: {
      const QByteArray s = TextoNumero(Evalua(*n.hijos[0], lector), n.b);
      if (s.size() > n.largo) {
        std::memset(d, '*', static_cast<size_t>(n.largo));
      } else {
        std::memset(d, ' ', static_cast<size_t>(n.largo - s.size()));
        std::memcpy(d + n.largo - s.size(), s.constData(), static_cast<size_t>(s.size()));
      }
      return;
    }
    case Clase::Substr: {
      const Nodo& h = *n.hijos[0];
      std::vector<std::uint8_t> buf(static_cast<size_t>(h.largo));
      EscribeTexto(h, lector, buf.data());
      for (int i = 0; i < n.largo; ++i) {
        const int j = n.a + i;
        d[i] = j < h.largo ? buf[static_cast<size_t>(j)] : ' ';
      }
      return;
    }
    case Clase::Numero: break;
  }
}

}  // namespace

ExpresionIndice::ExpresionIndice(const QString& texto, const QVector<DefCampo>& campos)
    : texto_(texto.trimmed()) {
  raiz_ = Compilador(texto_, campos).Compila();
}

ExpresionIndice::~ExpresionIndice() = default;
ExpresionIndice::ExpresionIndice(ExpresionIndice&&) noexcept = default;
ExpresionIndice& ExpresionIndice::operator=(ExpresionIndice&&) noexcept = default;

TipoClave ExpresionIndice::Tipo() const { return raiz_->tipo; }

int ExpresionIndice::Largo() const {
  switch (raiz_->tipo) {
    case TipoClave::Numero: return mdx::kLargoNumero;
    case TipoClave::Fecha: return mdx::kLargoFecha;
    case TipoClave::Caracter: break;
  }
  return raiz_->largo;
}

bool ExpresionIndice::EsCampo() const { return raiz_->clase == Clase::Campo; }

void ExpresionIndice::Evalua(const LectorCampo& lector, std::uint8_t* destino) const {
  QByteArray k;
  switch (raiz_->tipo) {
    case TipoClave::Caracter:
      EscribeTexto(*raiz_, lector, destino);
      return;
    case TipoClave::Numero: {
      const Numero n = db::Evalua(*raiz_, lector);
      k = n.entero ? clave::Numero(n.i) : clave::Numero(n.d);
      break;
    }
    case TipoClave::Fecha:
      k = clave::Fecha(FechaDe(*raiz_, lector));
      break;
  }
  std::memcpy(destino, k.constData(), static_cast<size_t>(k.size()));
}

QByteArray ExpresionIndice::Evalua(const LectorCampo& lector) const {
  QByteArray r(Largo(), '\0');
  Evalua(lector, reinterpret_cast<std::uint8_t*>(r.data()));
  return r;
}

}  // namespace db
