// The statement of a view, its titles and its result mode.

#include "reports/Consulta.h"

#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "platform/Error.h"
#include "platform/db/Literales.h"
#include "reports/Vistas.h"
#include "shell/LugarTablas.h"

namespace {

const QString kConsecutivo = QStringLiteral("CONSEC");

QString FechaSQLDe(const QDate& fecha) { return FechaSQL(TextoFecha(fecha)); }

// A list line whose items each end in a comma, the last comma a blank.
QString SinUltimaComa(QString linea) {
  if (linea.endsWith(u',')) linea[linea.size() - 1] = u' ';
  return linea;
}

}  // namespace

QString ValorCondicionVista(const QString& valor) {
  const bool corta = valor.size() >= 5 && valor[1] == u'/' && valor[3] == u'/';
  const bool larga = valor.size() >= 7 && valor[2] == u'/' && valor[5] == u'/';
  if (!corta && !larga) return valor;
  try {
    return FechaSQL(valor);
  } catch (const plat::Error&) {
    return valor;  // not a calendar date: compared as typed
  }
}

QString FechasEnVista(const QString& texto, const QDate& inicial, const QDate& final) {
  const QString desde = QStringLiteral(" '") + FechaSQLDe(inicial) + QStringLiteral("' ");
  const QString hasta = QStringLiteral(" '") + FechaSQLDe(final) + QStringLiteral("' ");
  QString resultado;
  for (const QChar c : texto) {
    if (c == u'&') resultado += desde;
    else if (c == u'$') resultado += hasta;
    else resultado += c;
  }
  return resultado;
}

QString SentenciaVista(const QStringList& vista, const PeticionVista& p) {
  // The date placeholders are the view's own: typed values never hold them.
  const QString seleccion = FechasEnVista(LineaVista(vista, 1), p.inicial, p.final);
  const QString orden = FechasEnVista(LineaVista(vista, 6), p.inicial, p.final);
  const QString union_ = FechasEnVista(LineaVista(vista, 9), p.inicial, p.final);

  // Each table of line 2 ("\\movinven.dbf\" as A ") in its own folder.
  QString tablas;
  for (const QString& pieza : ElementosVista(LineaVista(vista, 2)))
    tablas += u'"' + CarpetaDeTabla(pieza.section(u'"', 0, 0), p.carpetas) + pieza + u',';

  QStringList condiciones;
  if (!p.campoFecha.isEmpty()) {
    condiciones << p.campoFecha + QStringLiteral(">='") + FechaSQLDe(p.inicial) + QStringLiteral("' and FEVEN_F<='") +
                       FechaSQLDe(p.final) + u'\'';
  }
  for (size_t i = 0; i < p.condiciones.size(); ++i) {
    const CondicionConsulta& c = p.condiciones[i];
    const QString valor = i < size_t(p.valores.size()) ? p.valores[qsizetype(i)] : QString();
    // A field picked as the value compares the two fields.
    const bool campo = !c.CampoValor.isEmpty() && valor == c.DescripcionValor;
    condiciones << c.Campo + u' ' + c.Operador + u' ' +
                       (campo ? c.CampoValor : db::LiteralComillas(ValorCondicionVista(valor)));
  }
  if (!union_.isEmpty()) condiciones << union_;

  QString sql = QStringLiteral("Select ") + seleccion + QStringLiteral(" From  ") + SinUltimaComa(tablas);
  if (!condiciones.isEmpty()) sql += QStringLiteral(" Where ") + condiciones.join(QStringLiteral(" and "));
  sql += QStringLiteral(" Order by ") + (orden.isEmpty() ? ElementoVista(seleccion, 0) : SinUltimaComa(orden) + u' ');
  return sql;
}

bool TotalizaVista(const QString& elemento) {
  return !elemento.isEmpty() && elemento != u"N" && elemento != u"sin totales";
}

QChar ModoVista(const QStringList& vista) {
  QChar modo = u'N';
  for (const QString& e : ElementosVista(LineaVista(vista, 7))) {
    if (TotalizaVista(e)) modo = u'T';
  }
  // Line 8 decides after line 7: "tabla" and "concentrar" end the scan.
  for (const QString& e : ElementosVista(LineaVista(vista, 8))) {
    if (e == u"tabla") return u'A';
    if (e == u"concentrar") return u'C';
    if (!e.isEmpty() && e != u"N") modo = u'D';
  }
  return modo;
}

QStringList TitulosVista(const QStringList& campos, const QStringList& vista) {
  // The blank that closes lines 3 and 4 is no part of the last column's
  // caption or format.
  const QStringList captions = ElementosCerrados(LineaVista(vista, 3));
  const QStringList formatos = ElementosCerrados(LineaVista(vista, 4));
  const QStringList totales = ElementosVista(LineaVista(vista, 7));
  QStringList titulos;
  for (qsizetype n = 0; n < campos.size(); ++n) {
    if (campos[n].compare(kConsecutivo, Qt::CaseInsensitive) == 0) {
      titulos << QStringLiteral("#Consecutivo");
      continue;
    }
    const QString caption = n < captions.size() ? captions[n] : campos[n];
    titulos << (n < formatos.size() && formatos[n] == u"N" ? u'#' + caption : caption);
  }
  for (qsizetype k = 0; k < totales.size() && k < titulos.size(); ++k) {
    if (TotalizaVista(totales[k])) titulos[k] = u'$' + titulos[k];
  }
  return titulos;
}

bool ValorValidoVista(const QString& valor, const QString& tipo) {
  if (valor.isEmpty() || valor.startsWith(u'*')) return true;
  static const QStringList kEnteros = {QStringLiteral("ftSmallint"), QStringLiteral("ftInteger"),
                                       QStringLiteral("ftWord"), QStringLiteral("ftLargeint"),
                                       QStringLiteral("ftAutoInc")};
  static const QStringList kNumeros = {QStringLiteral("ftFloat"), QStringLiteral("ftCurrency"), QStringLiteral("ftBCD")};
  static const QStringList kFechas = {QStringLiteral("ftDate"), QStringLiteral("ftDateTime")};
  if (kEnteros.contains(tipo)) {
    bool entero = false;
    valor.trimmed().toLongLong(&entero);
    return entero;
  }
  if (kNumeros.contains(tipo)) {
    double numero = 0;
    return LeeReal(valor, numero);
  }
  if (kFechas.contains(tipo)) return valor.back().isDigit() || valor.back() == u'/';
  return true;
}
