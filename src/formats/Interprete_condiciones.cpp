// Conditions of "si" lines: si(total_f>1000), si(a=1^b=2), si(a=1|b=2).

#include "formats/Interprete_estado.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "platform/Error.h"
#include "platform/fs/Texto.h"

#include <vector>
#include <utility>

namespace {

constexpr QStringView kOperadores = u"=+-*/!<>^|();";

struct Elemento {
  QString texto;
  bool operador = false;
};

// The text cut at the operator characters: operand, operator, operand, ...
// The operand after the last operator is kept only when `conUltimo`.
std::vector<Elemento> Corta(const QString& texto, bool conUltimo) {
  std::vector<Elemento> elementos;
  QString operando;
  for (QChar c : texto) {
    if (kOperadores.contains(c)) {
      elementos.push_back({operando, false});
      elementos.push_back({QString(c), true});
      operando.clear();
    } else {
      operando += c;
    }
  }
  if (conUltimo) elementos.push_back({operando, false});
  return elementos;
}

// The nearest operand with a text on one side of position i (empty when
// none); it is emptied, as the operator takes its place.
QString TomaVecino(std::vector<Elemento>& elementos, size_t i, int paso) {
  for (auto j = static_cast<std::ptrdiff_t>(i) + paso; j >= 0 && j < static_cast<std::ptrdiff_t>(elementos.size());
       j += paso) {
    Elemento& e = elementos[static_cast<size_t>(j)];
    if (e.operador || e.texto.isEmpty()) continue;
    return std::exchange(e.texto, QString());
  }
  return QString();
}

void Combina(std::vector<Elemento>& elementos, QChar operador) {
  for (size_t i = 0; i < elementos.size(); ++i) {
    if (!elementos[i].operador || elementos[i].texto != operador) continue;
    const bool izquierdo = TomaVecino(elementos, i, -1).startsWith(u'v');
    const bool derecho = TomaVecino(elementos, i, 1).startsWith(u'v');
    const bool valor = operador == u'^' ? izquierdo && derecho : izquierdo || derecho;
    elementos[i] = {valor ? QStringLiteral("v") : QStringLiteral("f"), false};
  }
}

double NumeroOCero(const QString& texto) {
  double valor = 0;
  return LeeReal(texto, valor) ? valor : 0;
}

QDate FechaDe(const QString& texto) {
  QDate fecha;
  if (!LeeFecha(texto, fecha)) {
    throw plat::Error(plat::Clase::Conversion, QStringLiteral("'%1' no es una fecha válida").arg(texto));
  }
  return fecha;
}

template <class T>
bool Compara(const T& a, QChar operador, const T& b) {
  switch (operador.unicode()) {
    case u'=': return a == b;
    case u'<': return a < b;
    case u'>': return a > b;
    case u'X': return a != b;
    case u'Y': return a <= b;
    case u'Z': return a >= b;
    default: return false;
  }
}

}  // namespace

bool ComparaValores(const QString& izquierdo, QChar operador, const QString& derecho, TipoComparacion tipo) {
  if (izquierdo == u"X") return true;
  switch (tipo) {
    case TipoComparacion::Texto:
      return Compara(fs::ACp1252(izquierdo), operador, fs::ACp1252(derecho));
    case TipoComparacion::Fecha:
      return Compara(FechaDe(izquierdo.isEmpty() ? QStringLiteral("01/01/1900") : izquierdo), operador,
                     FechaDe(derecho));
    case TipoComparacion::Numero:
      return Compara(NumeroOCero(izquierdo), operador,
                     derecho.isEmpty() ? 0.0 : NumeroArgumento(derecho));
  }
  return false;
}

QString EvaluaLogica(const QString& texto) {
  std::vector<Elemento> elementos = Corta(texto, true);
  // "^" binds before "|"; each takes the nearest values on its sides, so a
  // chain a^b|c reads (a and b) or c.
  Combina(elementos, u'^');
  Combina(elementos, u'|');
  QString resultado;
  for (const Elemento& e : elementos) resultado += e.texto;
  return resultado.remove(u'(').remove(u')');
}

bool EvaluaCondicion(const QString& linea, db::Dataset* datos) {
  // The text after the last operator is dropped: a condition ends with ")".
  std::vector<Elemento> elementos = Corta(linea.mid(2), false);
  // The first operand (between "si" and the first operator) is not looked up.
  for (size_t i = 1; i < elementos.size(); ++i) {
    if (!elementos[i].operador) elementos[i].texto = ValorElemento(elementos[i].texto, datos);
  }

  for (size_t i = 0; i < elementos.size(); ++i) {
    const Elemento& op = elementos[i];
    if (!op.operador || !QStringView(u"=!<>").contains(op.texto)) continue;
    if (i + 1 >= elementos.size()) {
      throw plat::Error(plat::Clase::Conversion, QStringLiteral("La condición %1 está incompleta").arg(linea));
    }
    QString izquierdo = elementos[i - 1].texto;
    QString derecho = elementos[i + 1].texto;
    TipoComparacion tipo = TipoComparacion::Texto;
    for (const QString* operando : {&izquierdo, &derecho}) {
      if (operando->startsWith(u'#')) tipo = TipoComparacion::Numero;
      if (operando->startsWith(u'%')) tipo = TipoComparacion::Fecha;
    }
    for (QString* operando : {&izquierdo, &derecho}) operando->remove(u'@').remove(u'#').remove(u'%');
    double n = 0;
    if (LeeReal(izquierdo, n) && LeeReal(derecho, n)) tipo = TipoComparacion::Numero;
    const QChar operador = op.texto == u"!" ? QChar(u'X') : op.texto[0];
    const bool valor = ComparaValores(izquierdo, operador, derecho, tipo);
    elementos[i] = {valor ? QStringLiteral("v") : QStringLiteral("f"), false};
    elementos[i - 1].texto.clear();
    elementos[i + 1].texto.clear();
  }

  QString unido;
  for (const Elemento& e : elementos) unido += e.texto;
  const QString resultado = EvaluaLogica(unido);
  return resultado == u"v";
}
