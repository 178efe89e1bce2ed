#include "platform/db/Filtro.h"

#include "platform/Error.h"
#include "platform/db/Valores.h"
#include "platform/fs/Texto.h"

#include <QDate>

namespace db {

struct Filtro::Nodo {
  enum class Clase { Y, O, No, Compara } clase = Clase::Compara;
  std::unique_ptr<Nodo> a, b;
  // Comparison.
  int campo = -1;
  TipoDato tipo = TipoDato::Texto;
  QString op;
  bool prefijo = false;   // texts: trailing '*' in the constant
  bool nulo = false;      // '' on a number/date/logical field
  QByteArray texto;       // Windows-1252 bytes, right-trimmed
  double numero = 0;
  QDate fecha;
  bool logico = false;
};

namespace {

using Nodo = Filtro::Nodo;

struct Token {
  enum class Tipo { Fin, Nombre, Cadena, Numero, Op, Abre, Cierra } tipo = Tipo::Fin;
  QString texto;
};

class Analizador {
 public:
  Analizador(const QString& texto, const Filtro::Contexto& c) : s_(texto), c_(c) { Avanza(); }

  std::unique_ptr<Nodo> Todo() {
    auto n = Expresion();
    if (t_.tipo != Token::Tipo::Fin) throw Malo(QStringLiteral("sobra \"%1\"").arg(t_.texto));
    return n;
  }

 private:
  plat::Error Malo(const QString& detalle) const {
    return plat::Error(plat::Clase::Conversion,
                       QStringLiteral("El filtro \"%1\" de la tabla %2 no es válido: %3").arg(s_, c_.tabla, detalle));
  }

  bool EsPalabra(const char* p) const {
    return t_.tipo == Token::Tipo::Nombre && t_.texto.compare(QLatin1String(p), Qt::CaseInsensitive) == 0;
  }

  std::unique_ptr<Nodo> Expresion() {
    auto n = Termino();
    while (EsPalabra("OR")) {
      Avanza();
      auto o = std::make_unique<Nodo>();
      o->clase = Nodo::Clase::O;
      o->a = std::move(n);
      o->b = Termino();
      n = std::move(o);
    }
    return n;
  }

  std::unique_ptr<Nodo> Termino() {
    auto n = Factor();
    while (EsPalabra("AND")) {
      Avanza();
      auto y = std::make_unique<Nodo>();
      y->clase = Nodo::Clase::Y;
      y->a = std::move(n);
      y->b = Factor();
      n = std::move(y);
    }
    return n;
  }

  std::unique_ptr<Nodo> Factor() {
    if (EsPalabra("NOT")) {
      Avanza();
      auto n = std::make_unique<Nodo>();
      n->clase = Nodo::Clase::No;
      n->a = Factor();
      return n;
    }
    if (t_.tipo == Token::Tipo::Abre) {
      Avanza();
      auto n = Expresion();
      if (t_.tipo != Token::Tipo::Cierra) throw Malo(QStringLiteral("falta \")\""));
      Avanza();
      return n;
    }
    return Comparacion();
  }

  std::unique_ptr<Nodo> Comparacion() {
    if (t_.tipo != Token::Tipo::Nombre) throw Malo(QStringLiteral("se esperaba un campo"));
    auto n = std::make_unique<Nodo>();
    const QString nombre = t_.texto;
    n->campo = c_.indice(nombre);
    if (n->campo < 0)
      throw plat::Error(plat::Clase::NoExiste, QStringLiteral("Campo %1 no encontrado en %2").arg(nombre, c_.tabla));
    n->tipo = c_.tipo(n->campo);
    Avanza();
    if (t_.tipo != Token::Tipo::Op) throw Malo(QStringLiteral("falta el operador tras %1").arg(nombre));
    n->op = t_.texto;
    Avanza();
    if (t_.tipo == Token::Tipo::Cadena) Constante(*n, t_.texto, true);
    else if (t_.tipo == Token::Tipo::Numero || t_.tipo == Token::Tipo::Nombre) Constante(*n, t_.texto, false);
    else throw Malo(QStringLiteral("falta el valor de %1").arg(nombre));
    Avanza();
    return n;
  }

  void Constante(Nodo& n, QString valor, bool entreComillas) {
    const QString campo = c_.nombre(n.campo);
    auto noCabe = [&](const QString& que) {
      return plat::Error(plat::Clase::Conversion, QStringLiteral("El valor \"%1\" del filtro no es %2 válido para el campo %3 de la tabla %4")
                                                      .arg(valor, que, campo, c_.tabla));
    };
    const bool igualdad = n.op == u"=" || n.op == u"<>";
    switch (n.tipo) {
      case TipoDato::Texto:
      case TipoDato::Memo:
        if (entreComillas && valor.endsWith(u'*') && igualdad) {
          n.prefijo = true;
          valor.chop(1);
        }
        n.texto = fs::ACp1252(valor);
        while (!n.texto.isEmpty() && n.texto.back() == ' ') n.texto.chop(1);
        return;
      default: break;
    }
    if (valor.trimmed().isEmpty()) {
      if (!igualdad) throw noCabe(QStringLiteral("un valor comparable"));
      n.nulo = true;
      return;
    }
    switch (n.tipo) {
      case TipoDato::Entero:
      case TipoDato::Flotante:
      case TipoDato::Moneda: {
        const auto r = RealDeTexto(valor);
        if (!r) throw noCabe(QStringLiteral("un número"));
        n.numero = *r;
        return;
      }
      case TipoDato::Fecha:
        n.fecha = FechaDeTexto(valor);
        if (!n.fecha.isValid()) throw noCabe(QStringLiteral("una fecha"));
        return;
      case TipoDato::Logico: {
        const QString t = valor.trimmed().toUpper();
        if (t == u"T" || t == u"TRUE" || t == u"Y") n.logico = true;
        else if (t == u"F" || t == u"FALSE" || t == u"N") n.logico = false;
        else throw noCabe(QStringLiteral("un valor lógico"));
        return;
      }
      default: return;
    }
  }

  void Avanza() {
    while (p_ < s_.size() && s_[p_].isSpace()) ++p_;
    t_ = Token();
    if (p_ >= s_.size()) return;
    const QChar c = s_[p_];
    if (c == u'\'' || c == u'"') {
      QString v;
      ++p_;
      for (;;) {
        if (p_ >= s_.size()) throw Malo(QStringLiteral("falta cerrar una comilla"));
        if (s_[p_] == c) {
          if (p_ + 1 < s_.size() && s_[p_ + 1] == c) {
            v += c;
            p_ += 2;
            continue;
          }
          ++p_;
          break;
        }
        v += s_[p_++];
      }
      t_ = {Token::Tipo::Cadena, v};
      return;
    }
    if (c == u'(' || c == u')') {
      ++p_;
      t_ = {c == u'(' ? Token::Tipo::Abre : Token::Tipo::Cierra, QString(c)};
      return;
    }
    if (c == u'<' || c == u'>' || c == u'=') {
      QString op(c);
      ++p_;
      if (p_ < s_.size() && ((c == u'<' && (s_[p_] == u'>' || s_[p_] == u'=')) || (c == u'>' && s_[p_] == u'='))) op += s_[p_++];
      t_ = {Token::Tipo::Op, op};
      return;
    }
    if (c.isDigit() || c == u'-' || c == u'.' || c == u'+') {
      const qsizetype ini = p_++;
      while (p_ < s_.size() && (s_[p_].isDigit() || s_[p_] == u'.')) ++p_;
      t_ = {Token::Tipo::Numero, s_.mid(ini, p_ - ini)};
      return;
    }
    if (c.isLetter() || c == u'_') {
      const qsizetype ini = p_++;
      while (p_ < s_.size() && (s_[p_].isLetterOrNumber() || s_[p_] == u'_')) ++p_;
      t_ = {Token::Tipo::Nombre, s_.mid(ini, p_ - ini)};
      return;
    }
    throw Malo(QStringLiteral("carácter \"%1\" inesperado").arg(c));
  }

  QString s_;
  const Filtro::Contexto& c_;
  qsizetype p_ = 0;
  Token t_;
};

template <class T>
bool Aplica(const QString& op, const T& a, const T& b) {
  if (op == u"=") return a == b;
  if (op == u"<>") return !(a == b);
  if (op == u"<") return a < b;
  if (op == u">") return b < a;
  if (op == u"<=") return !(b < a);
  return !(a < b);  // >=
}

bool Compara(const Nodo& n, const QVariant& v) {
  if (n.nulo) return (n.op == u"=") == !v.isValid();
  switch (n.tipo) {
    case TipoDato::Texto:
    case TipoDato::Memo: {
      QByteArray campo = v.isValid() ? fs::ACp1252(v.toString()) : QByteArray();
      if (n.prefijo) return (n.op == u"=") == campo.startsWith(n.texto);
      while (!campo.isEmpty() && campo.back() == ' ') campo.chop(1);
      return Aplica(n.op, campo, n.texto);
    }
    case TipoDato::Entero:
    case TipoDato::Flotante:
    case TipoDato::Moneda: return Aplica(n.op, v.isValid() ? v.toDouble() : 0.0, n.numero);
    case TipoDato::Fecha: return Aplica(n.op, v.isValid() ? v.toDate().toJulianDay() : qint64(0), n.fecha.toJulianDay());
    case TipoDato::Logico: return Aplica(n.op, v.isValid() && v.toBool(), n.logico);
  }
  return false;
}

bool EvaluaNodo(const Nodo& n, const std::function<QVariant(int)>& valor) {
  switch (n.clase) {
    case Nodo::Clase::Y: return EvaluaNodo(*n.a, valor) && EvaluaNodo(*n.b, valor);
    case Nodo::Clase::O: return EvaluaNodo(*n.a, valor) || EvaluaNodo(*n.b, valor);
    case Nodo::Clase::No: return !EvaluaNodo(*n.a, valor);
    case Nodo::Clase::Compara: return Compara(n, valor(n.campo));
  }
  return false;
}

}  // namespace

Filtro::~Filtro() = default;

std::unique_ptr<Filtro> Filtro::Compila(const QString& texto, const Contexto& contexto) {
  std::unique_ptr<Filtro> f(new Filtro);
  Analizador a(texto, contexto);
  f->raiz_ = a.Todo();
  return f;
}

bool Filtro::Evalua(const std::function<QVariant(int)>& valor) const { return EvaluaNodo(*raiz_, valor); }

}  // namespace db
