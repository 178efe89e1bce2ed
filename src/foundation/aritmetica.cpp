#include "foundation/aritmetica.h"

#include "foundation/decimal.h"
#include "foundation/rutinas_numero.h"
#include "platform/Error.h"

#include <QStringList>

#include <cmath>
#include <exception>

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
  QString t = texto;
  // Innermost groups first: each pass replaces every "(" ... ")" that holds
  // no other parenthesis, so every pass removes at least one pair.
  for (;;) {
    QString reducido;
    qsizetype abre = -1, copiado = 0;
    for (qsizetype i = 0; i < t.size(); ++i) {
      if (t[i] == u'(') {
        abre = i;
      } else if (t[i] == u')' && abre >= 0) {
        reducido += QStringView(t).mid(copiado, abre - copiado);
        reducido += ValorDeGrupo(t.mid(abre + 1, i - abre - 1));
        copiado = i + 1;
        abre = -1;
      }
    }
    if (copiado == 0) break;
    reducido += QStringView(t).mid(copiado);
    t = reducido;
  }
  // What is left has no pairs: a stray ")" closes the piece before it, which
  // is evaluated; stray "(" and every ";" are dropped.
  QString resultado, pieza;
  for (QChar c : t + u';') {
    if (c == u')') {
      resultado += EvaluaAritmetica(pieza);
      pieza.clear();
    } else if (c == u'(' || c == u';') {
      resultado += pieza;
      pieza.clear();
    } else {
      pieza += c;
    }
  }
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
    if (!EsOperador(c)) {
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
