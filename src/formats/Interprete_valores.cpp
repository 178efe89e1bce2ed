// Values of tokens, the 30 number and 30 text variables, assignment lines
// and their arithmetic.

#include "formats/Interprete.h"
#include "formats/Interprete_estado.h"
#include "foundation/aritmetica.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_texto.h"
#include "platform/Error.h"
#include "platform/db/Dataset.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"

#include <vector>

namespace {

constexpr int kVariables = 30;

enum Tipo { kLiteral = 0, kCampoPorIndice = 1, kVariable = 2, kCadena = 3, kCampo = 4, kIni = 5 };

// 1 to 30 for "<raiz>1" .. "<raiz>30" exactly; 0 otherwise.
int NumeroDeNombre(const QString& nombre, QStringView raiz) {
  if (!nombre.startsWith(raiz)) return 0;
  const QStringView resto = QStringView(nombre).mid(raiz.size());
  if (resto.isEmpty() || resto.size() > 2 || resto[0] == u'0') return 0;
  int n = 0;
  for (QChar c : resto) {
    if (c < u'0' || c > u'9') return 0;
    n = n * 10 + (c.unicode() - u'0');
  }
  return n <= kVariables ? n : 0;
}

int NumeroDeVariable(const QString& nombre) { return NumeroDeNombre(nombre, u"variable"); }
int NumeroDeCadena(const QString& nombre) { return NumeroDeNombre(nombre, u"cadena"); }

// The index of a "[ddd]..." token; -1 for any other token.
int IndicePorCorchetes(const QString& token) {
  if (token.size() < 5 || token[0] != u'[' || token[4] != u']') return -1;
  for (int i = 1; i <= 3; ++i) {
    if (token[i] < u'0' || token[i] > u'9') return -1;
  }
  return token.mid(1, 3).toInt();
}

// The field of that name, written exactly (no blanks around it), in the
// dataset's current record.
db::Campo* CampoDe(db::Dataset* datos, const QString& nombre) {
  if (!datos || !datos->Active() || nombre.isEmpty() || nombre != nombre.trimmed()) return nullptr;
  return datos->FindField(nombre);
}

QString CampoPorIndice(db::Dataset* datos, int indice) {
  if (!datos || !datos->Active()) {
    throw plat::Error(plat::Clase::NoExiste, QStringLiteral("No hay datos para el campo número %1").arg(indice));
  }
  return datos->Fields(indice).AsString();
}

QString ValorPorTipo(int tipo, const QString& token, db::Dataset* datos) {
  const EstadoFormato& e = EstadoActual();
  switch (tipo) {
    case kCampoPorIndice: return CampoPorIndice(datos, IndicePorCorchetes(token));
    case kVariable: return TextoReal(e.Variables[static_cast<size_t>(NumeroDeVariable(token) - 1)]);
    case kCadena: return e.Cadenas[static_cast<size_t>(NumeroDeCadena(token) - 1)];
    case kCampo: return CampoDe(datos, token)->AsString();
    case kIni: return ValorIni(token);
    default: return token;
  }
}

bool EsOperadorAsignacion(QChar c) { return QStringView(u"=+-*/!<>^|()%#").contains(c); }

bool EsOperadorAritmetico(QChar c) { return QStringView(u"+-;*/%#").contains(c); }

bool ParentesisBalanceados(const QString& texto) {
  int nivel = 0;
  for (QChar c : texto) {
    if (c == u'(') ++nivel;
    if (c == u')' && --nivel < 0) return false;
  }
  return nivel == 0;
}

}  // namespace

int TipoElemento(const QString& token, db::Dataset* datos) {
  if (IndicePorCorchetes(token) >= 0) return kCampoPorIndice;
  if (NumeroDeVariable(token)) return kVariable;
  if (NumeroDeCadena(token)) return kCadena;
  if (CampoDe(datos, token)) return kCampo;
  if (token.startsWith(u"ini_")) return kIni;
  return kLiteral;
}

QString ValorElemento(const QString& token, db::Dataset* datos) {
  return ValorPorTipo(TipoElemento(token, datos), token, datos);
}

QString ValorCompuesto(const QString& texto, db::Dataset* datos) {
  QString valor;
  for (const QString& pieza : texto.split(u'+')) {
    if (pieza.isEmpty()) continue;
    if (const int i = IndicePorCorchetes(pieza); i >= 0) {
      valor += CampoPorIndice(datos, i);
    } else if (db::Campo* campo = CampoDe(datos, pieza)) {
      valor += campo->AsString();
    } else if (TipoVariable(pieza) != 0) {
      valor += ValorVariableFormato(pieza);
    } else if (pieza.startsWith(u"ini_")) {
      valor += ValorIni(pieza);
    } else {
      valor += pieza;
    }
  }
  return valor;
}

QString ValorNumericoElemento(const QString& token) {
  double numero = 0;
  if (LeeReal(token, numero)) return token;
  return ValorVariableFormato(token);
}

QString ValorIni(const QString& token) {
  const QString clave = token.mid(4);
  const QString ruta = fs::Une(EstadoActual().CarpetaFacturaElectronica, QStringLiteral("FE_emisor.ini"));
  if (!fs::ExisteArchivo(ruta)) return QString();
  const QStringList lineas = fs::LeeLineasCp1252OUtf8(ruta);
  const qsizetype i = lineas.indexOf(clave);
  return i >= 0 && i + 1 < lineas.size() ? lineas[i + 1] : QString();
}

int IndiceCampo(const QString& token) {
  if (const int i = IndicePorCorchetes(token); i >= 0) return i;
  if (NumeroDeVariable(token)) return -2;
  if (NumeroDeCadena(token)) return -3;
  return -1;
}

int TipoVariable(const QString& nombre) {
  if (NumeroDeVariable(nombre)) return 1;
  if (NumeroDeCadena(nombre)) return 2;
  return 0;
}

void FijaVariable(const QString& nombre, double valor) {
  if (const int n = NumeroDeVariable(nombre)) EstadoActual().Variables[static_cast<size_t>(n - 1)] = valor;
}

void FijaCadena(const QString& nombre, const QString& valor) {
  if (const int n = NumeroDeCadena(nombre)) EstadoActual().Cadenas[static_cast<size_t>(n - 1)] = valor;
}

QString ValorVariableFormato(const QString& nombre) {
  switch (TipoVariable(nombre)) {
    case 1: return ValorPorTipo(kVariable, nombre, nullptr);
    case 2: return ValorPorTipo(kCadena, nombre, nullptr);
    default: return QString();
  }
}

void EjecutaAsignacionFormato(const QString& linea, db::Dataset* datos) {
  const qsizetype igual = linea.indexOf(u'=');
  const QString destino = igual < 0 ? linea : linea.left(igual);
  const int tipoDestino = TipoVariable(destino);
  if (tipoDestino == 0) return;
  const bool cadena = tipoDestino == 2;

  // Operands between the operator characters are replaced by their values;
  // for a number variable an empty variable or field counts 0.
  const auto valor = [&](const QString& operando) {
    const int tipo = TipoElemento(operando, datos);
    if (tipo == kLiteral) return operando;
    QString v = ValorPorTipo(tipo, operando, datos);
    if (!cadena && v.isEmpty() && (tipo == kVariable || tipo == kCampo)) v = QStringLiteral("0");
    return v;
  };
  QString unido, operando;
  for (QChar c : QStringView(linea).mid(igual + 1)) {
    if (EsOperadorAsignacion(c)) {
      unido += valor(operando) + c;
      operando.clear();
    } else {
      operando += c;
    }
  }
  unido += valor(operando);

  if (cadena) {
    FijaCadena(destino, UneTextos(unido));
  } else {
    FijaVariable(destino, NumeroArgumento(EvaluaExpresion(unido)));
  }
}

QString EvaluaExpresion(const QString& texto) {
  if (texto.isEmpty() || !ParentesisBalanceados(texto)) {
    MuestraMensaje(QStringLiteral("Existe un error en la expresion Faltan parentesis"));
    return QString();
  }
  QString t = texto;
  if (t.endsWith(u'+')) t += u'0';
  t = u'(' + t + QStringLiteral(");");

  // Innermost groups first. A group that begins or ends with an operator
  // ("5*") cannot be reduced; when no group of a pass can, the expression is
  // an error rather than a pass repeated forever.
  while (t.contains(u'(')) {
    std::vector<QString> partes;  // text, delimiter, text, ..., text
    QString pieza;
    for (QChar c : t) {
      if (c == u'(' || c == u')' || c == u';') {
        partes.push_back(pieza);
        partes.emplace_back(c);
        pieza.clear();
      } else {
        pieza += c;
      }
    }
    partes.push_back(pieza);

    bool reducido = false;
    for (size_t i = 1; i + 2 < partes.size(); i += 2) {
      if (partes[i] != u"(" || partes[i + 2] != u")") continue;
      QString grupo = partes[i + 1];
      if (grupo.startsWith(u'-')) grupo.prepend(u'0');
      partes[i + 1] = grupo;
      if (!grupo.isEmpty() && (EsOperadorAritmetico(grupo.front()) || EsOperadorAritmetico(grupo.back()))) continue;
      partes[i].clear();
      partes[i + 1] = EvaluaAritmetica(grupo);
      partes[i + 2].clear();
      reducido = true;
    }
    if (!reducido) {
      throw plat::Error(plat::Clase::Conversion, QStringLiteral("La expresión %1 está incompleta").arg(texto));
    }
    t.clear();
    for (const QString& p : partes) t += p;
  }
  return EvaluaAritmetica(t.remove(u';'));
}
