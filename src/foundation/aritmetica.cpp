#include "foundation/aritmetica.h"

#include "foundation/decimal.h"
#include "foundation/rutinas_numero.h"
#include "platform/Error.h"

#include <QStringList>

#include <cmath>
#include <exception>
#include <vector>

namespace {

constexpr int kAncho = 15;

double NumeroOError(const QString& texto) {
  double valor = 0;
  if (!LeeReal(texto, valor)) {
    throw plat::Error(plat::Clase::Conversion,
                      QStringLiteral("'") + texto + QStringLiteral("' no es un valor numérico válido"));
  }
  return valor;
}

QString Alineado(double valor, int decimales) {
  return TextoFijo(DecimalDeReal(valor), decimales).rightJustified(kAncho, u' ');
}

bool EsOperador(QChar c) { return c == u'/' || c == u'*' || c == u'-' || c == u'+'; }

// The value of the text between a "(" and its ")". A ";" inside ends a piece
// that is kept as it stands; only the last piece is evaluated.
QString ValorDeGrupo(const QString& grupo) {
  const qsizetype corte = grupo.lastIndexOf(u';');
  const QString previo = corte < 0 ? QString() : QString(grupo.left(corte)).remove(u';');
  return previo + EvaluaAritmetica(grupo.mid(corte + 1)).trimmed();
}

}  // namespace

QString ResuelveParentesis(const QString& texto) {
  // The text as pieces: runs of plain text, the values of the groups already
  // reduced, and the parentheses and ";" between them.
  enum class Clase { Texto, Valor, Abre, Cierra, PuntoYComa };
  struct Pieza {
    Clase clase;
    QString texto;
  };
  std::vector<Pieza> piezas;
  for (QChar c : texto) {
    const Clase clase = c == u'(' ? Clase::Abre : c == u')' ? Clase::Cierra : c == u';' ? Clase::PuntoYComa : Clase::Texto;
    if (clase == Clase::Texto && !piezas.empty() && piezas.back().clase == Clase::Texto) {
      piezas.back().texto += c;
    } else {
      piezas.push_back({clase, clase == Clase::Texto ? QString(c) : QString()});
    }
  }

  // Innermost groups first: each pass reduces every "(" ... ")" that holds
  // no other parenthesis, so every pass removes at least one pair.
  for (bool reducido = true; reducido;) {
    reducido = false;
    std::vector<Pieza> siguiente;
    qsizetype abre = -1;
    for (const Pieza& p : piezas) {
      if (p.clase == Clase::Cierra && abre >= 0) {
        QString grupo;
        for (auto i = static_cast<std::size_t>(abre) + 1; i < siguiente.size(); ++i) {
          grupo += siguiente[i].clase == Clase::PuntoYComa ? QStringLiteral(";") : siguiente[i].texto;
        }
        siguiente.resize(static_cast<std::size_t>(abre));
        siguiente.push_back({Clase::Valor, ValorDeGrupo(grupo)});
        abre = -1;
        reducido = true;
        continue;
      }
      if (p.clase == Clase::Abre) abre = static_cast<qsizetype>(siguiente.size());
      if (p.clase == Clase::Cierra) abre = -1;
      siguiente.push_back(p);
    }
    piezas = std::move(siguiente);
  }

  // What is left has no pairs. As in a text without nesting, every
  // parenthesis, ";" and group value ends a piece; a stray ")" evaluates the
  // piece it ends; stray "(" and ";" are dropped.
  QString resultado, pieza;
  for (const Pieza& p : piezas) {
    switch (p.clase) {
      case Clase::Texto: pieza += p.texto; continue;
      case Clase::Cierra: resultado += EvaluaAritmetica(pieza); break;
      case Clase::Valor: resultado += pieza + p.texto; break;
      case Clase::Abre:
      case Clase::PuntoYComa: resultado += pieza; break;
    }
    pieza.clear();
  }
  resultado += pieza;
  return resultado.remove(u' ');
}

QString EvaluaAritmetica(const QString& texto) {
  if (texto.isEmpty()) return Alineado(0, 4);
  // Blanks go first so that "5 - -3" reads as 5 + 3 like "5--3".
  QString t = QString(texto).remove(u' ');
  if (t.startsWith(u'-')) t.prepend(u'0');
  t.replace(QStringLiteral("--"), QStringLiteral("+"));

  // "+", "-" and ";" end a term unless they follow "*", "/" or ")", where
  // they sign the next factor. A "-" also starts the next term.
  QStringList terminos;
  QString actual;
  QChar previo = u'*';
  for (QChar c : t) {
    if ((c == u'+' || c == u'-' || c == u';') && previo != u'*' && previo != u'/' && previo != u')') {
      terminos << actual;
      actual = c == u'-' ? QStringLiteral("-") : QString();
    } else {
      actual += c;
    }
    previo = c;
  }
  // The last term ends with the text, even when it ends in "*" or "/".
  terminos << actual;

  double suma = 0;
  for (const QString& termino : terminos) {
    if (termino.isEmpty()) continue;
    try {
      double valor = 0;
      if (LeeReal(EvaluaTermino(termino), valor)) suma += valor;
    } catch (const std::exception&) {
      // A term that cannot be evaluated adds nothing.
    }
  }
  return Alineado(std::isfinite(suma) ? suma : 0, 4);
}

QString EvaluaTermino(const QString& termino) {
  if (termino.isEmpty()) return QString();
  const QString t = termino == u"-" ? QStringLiteral("-1") : termino;

  // Divisions become products by the reciprocal, walking from the end:
  // a/b/c is a × (1/b) × (1/c).
  QString reescrito, operando;
  for (qsizetype i = t.size() - 1; i >= 0; --i) {
    const QChar c = t[i];
    // A sign right after "*" or "/" belongs to the factor: 6/-2 divides by
    // -2 (a parenthesis that reduced to a negative value ends up there).
    const bool signo = (c == u'-' || c == u'+') && i > 0 && (t[i - 1] == u'*' || t[i - 1] == u'/');
    if (!EsOperador(c) || signo) {
      operando.prepend(c);
      if (i > 0) continue;
    }
    if (c == u'/') {
      const double divisor = NumeroOError(operando);
      reescrito.prepend(u'*' + TextoReal(divisor == 0 ? 0 : 1 / divisor));
    } else if (EsOperador(c)) {
      reescrito.prepend(c + operando);
    } else {
      reescrito.prepend(operando);
    }
    operando.clear();
  }

  double producto = 1;
  QString factor;
  for (QChar c : reescrito + u';') {
    if (c == u'*' || c == u';') {
      producto *= NumeroOError(factor);
      factor.clear();
    } else {
      factor += c;
    }
  }
  if (!std::isfinite(producto)) {
    throw plat::Error(plat::Clase::Conversion, QStringLiteral("El término ") + termino + QStringLiteral(" desborda"));
  }
  return Alineado(producto, 5);
}
