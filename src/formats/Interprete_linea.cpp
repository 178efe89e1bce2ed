// Lines of a format: their command code, their tokens, their execution, and
// the argument conventions the handlers share.

#include "formats/Interprete_estado.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas_numero.h"
#include "platform/Error.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace {

constexpr int kTokens = 8;
constexpr int kLargoToken = 255;

ManejadorComando ManejadorDe(int codigo) {
  for (const ComandoFormato& c : TablaComandos()) {
    if (c.codigo == codigo && c.manejador) return c.manejador;
  }
  return nullptr;
}

void Agrega(QString& token, QChar c) {
  if (token.size() < kLargoToken) token += c;
}

}  // namespace

int Trunca(double valor) {
  const double t = std::trunc(valor);
  if (!std::isfinite(t) || t < std::numeric_limits<int>::min() || t > std::numeric_limits<int>::max()) {
    throw plat::Error(plat::Clase::Conversion, QStringLiteral("La posición %1 está fuera de la hoja").arg(valor));
  }
  return static_cast<int>(t);
}

QString MinusculasAZ(const QString& texto) {
  QString r = texto;
  for (QChar& c : r) {
    if (c >= u'A' && c <= u'Z') c = QChar(c.unicode() + 32);
  }
  return r;
}

int CodigoComando(const QString& linea) {
  int codigo = codigo::Ninguno;
  if (linea.startsWith(u'@')) codigo = codigo::Coloca;
  const QString inicio = MinusculasAZ(linea.left(3));
  for (const ComandoFormato& c : TablaComandos()) {
    if (inicio == c.prefijo) codigo = c.codigo;
  }
  const EstadoFormato& e = EstadoActual();
  if (e.Suspendido) codigo = codigo::Suspendida;
  // Assignments run even in a suspended run.
  if (inicio == u"var" || inicio == u"cad") codigo = codigo::Asignacion;
  return codigo;
}

std::array<QString, 8> TokensDeLinea(const QString& linea) {
  std::array<QString, kTokens> tokens;
  if (linea.startsWith(u'@')) {
    // x, y and the value: the value keeps any further commas.
    tokens[0] = QStringLiteral("@");
    const QString resto = linea.mid(1);
    const qsizetype coma1 = resto.indexOf(u',');
    if (coma1 < 0) {
      tokens[1] = resto.left(kLargoToken);
      return tokens;
    }
    tokens[1] = resto.left(coma1).left(kLargoToken);
    const qsizetype coma2 = resto.indexOf(u',', coma1 + 1);
    if (coma2 < 0) {
      tokens[3] = resto.mid(coma1 + 1).left(kLargoToken);
    } else {
      tokens[2] = resto.mid(coma1 + 1, coma2 - coma1 - 1).left(kLargoToken);
      tokens[3] = resto.mid(coma2 + 1).left(kLargoToken);
    }
    return tokens;
  }
  int n = 0;
  for (QChar c : linea) {
    const bool corta = c == u'(' || c == u')' || (c == u',' && tokens[0] != u"formato");
    if (corta) {
      if (++n >= kTokens) break;
    } else {
      Agrega(tokens[static_cast<size_t>(n)], c);
    }
  }
  return tokens;
}

void EjecutaLineaFormato(db::Dataset* datos, const QString& linea, int renglon, int codigo, QChar contexto) {
  qsizetype inicio = 0;
  while (inicio < linea.size() && linea[inicio] == u' ') ++inicio;
  if (inicio == linea.size()) return;
  const ManejadorComando manejador = ManejadorDe(codigo);
  if (!manejador) return;
  LineaFormato l;
  l.datos = datos;
  l.texto = linea;
  l.renglon = renglon;
  l.codigo = codigo;
  l.contexto = contexto;
  l.tokens = TokensDeLinea(linea.mid(inicio));
  manejador(l);
}

bool EsPalabra(const LineaFormato& linea, QStringView palabra) { return MinusculasAZ(linea.Token(1)) == palabra; }

double NumeroArgumento(const QString& texto) {
  double valor = 0;
  if (!LeeReal(texto, valor)) {
    throw plat::Error(plat::Clase::Conversion, QStringLiteral("'%1' no es un valor numérico válido").arg(texto));
  }
  return valor;
}

bool LeeEnteroArgumento(const QString& texto, int& valor) {
  static const QRegularExpression kEntero(QStringLiteral("^ *[+-]?[0-9]+$"));
  bool ok = kEntero.match(texto).hasMatch();
  const int leido = ok ? texto.trimmed().toInt(&ok) : 0;
  if (ok) valor = leido;
  return ok;
}

int EnteroArgumento(const QString& texto) {
  int valor = 0;
  if (!LeeEnteroArgumento(texto, valor))
    throw plat::Error(plat::Clase::Conversion, QStringLiteral("'%1' no es un valor entero válido").arg(texto));
  return valor;
}

int ColumnaDispositivo(double x) { return Trunca(x * EstadoActual().UnidadHorizontal); }

double RenglonRelativo(double y, int renglon) { return (y + renglon) * EstadoActual().UnidadVertical; }

int RenglonAbsoluto(double y) { return Trunca(y * EstadoActual().UnidadVertical); }

int RenglonFijo(double y, int renglon) { return Trunca(y * EstadoActual().UnidadVertical + renglon * 50.0); }

void ReportaErrorDeLinea(const QString& linea) {
  MuestraMensaje(QStringLiteral("Existe un error en la estructura de la linea ") + linea);
}
