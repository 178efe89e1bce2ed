#include "foundation/rutinas_numero.h"

#include "foundation/decimal.h"
#include "platform/Error.h"
#include "platform/fs/Regional.h"

#include <QFont>
#include <QFontMetricsF>

#include <cmath>
#include <exception>

namespace {

bool EsMarcaDigito(QChar c) { return c == u'#' || c == u'0'; }

// Writes n with the mask: see the header for the mask characters. The value
// is rounded to as many decimals as the mask has digit marks after its point.
QString AplicaMascara(const QString& mascara, const NumeroDecimal& n) {
  if (mascara.isEmpty()) return TextoGeneral(n);
  const qsizetype punto = mascara.indexOf(u'.');
  const QString parteEntera = punto < 0 ? mascara : mascara.left(punto);
  const QString parteDecimal = punto < 0 ? QString() : mascara.mid(punto + 1);

  int marcasEnteras = 0, primerCero = -1;
  for (QChar c : parteEntera) {
    if (!EsMarcaDigito(c)) continue;
    if (c == u'0' && primerCero < 0) primerCero = marcasEnteras;
    ++marcasEnteras;
  }
  int marcasDecimales = 0, ultimoCero = 0;
  for (QChar c : parteDecimal) {
    if (!EsMarcaDigito(c)) continue;
    ++marcasDecimales;
    if (c == u'0') ultimoCero = marcasDecimales;
  }
  const bool miles = parteEntera.contains(u',');

  // The digits: integer part padded to the forced marks, decimals rounded.
  const QString fijo = TextoFijo(n, marcasDecimales);
  const bool negativo = fijo.startsWith(u'-');
  const QString sinSigno = negativo ? fijo.mid(1) : fijo;
  QString enteros = marcasDecimales > 0 ? sinSigno.left(sinSigno.size() - marcasDecimales - 1) : sinSigno;
  const QString decimales = marcasDecimales > 0 ? sinSigno.right(marcasDecimales) : QString();
  if (enteros == u"0") enteros.clear();
  const int forzados = primerCero < 0 ? 0 : marcasEnteras - primerCero;
  if (enteros.size() < forzados) enteros = QString(forzados - enteros.size(), u'0') + enteros;
  int mostrados = ultimoCero;
  for (int i = static_cast<int>(decimales.size()); i > mostrados; --i) {
    if (decimales[i - 1] != u'0') {
      mostrados = i;
      break;
    }
  }

  const fs::FormatosRegionales& regional = fs::Regional();
  QString salida;
  auto ponDigito = [&](qsizetype j) {
    salida += enteros[j];
    const qsizetype restantes = enteros.size() - 1 - j;
    if (miles && restantes > 0 && restantes % 3 == 0) salida += regional.separadorMiles;
  };
  // The sign and the digits that find no mark go in front of the first mark.
  auto ponCabeza = [&](qsizetype hasta) {
    if (negativo) salida += u'-';
    for (qsizetype j = 0; j < hasta; ++j) ponDigito(j);
  };
  const qsizetype sobrantes = enteros.size() - marcasEnteras;
  int marca = 0;
  for (QChar c : parteEntera) {
    if (c == u',') continue;
    if (!EsMarcaDigito(c)) {
      salida += c;
      continue;
    }
    if (marca == 0) ponCabeza(qMax<qsizetype>(sobrantes, 0));
    const qsizetype j = sobrantes + marca;
    if (j >= 0) ponDigito(j);
    ++marca;
  }
  if (marcasEnteras == 0) ponCabeza(enteros.size());
  if (punto >= 0) {
    if (mostrados > 0) salida += regional.separadorDecimal;
    int k = 0;
    for (QChar c : parteDecimal) {
      if (EsMarcaDigito(c)) {
        if (k < mostrados) salida += decimales[k];
        ++k;
      } else if (c != u',' && c != u'.') {
        salida += c;
      }
    }
  }
  return salida;
}

}  // namespace

QString FormatoMascara(const QString& mascara, Dinero valor) {
  return AplicaMascara(mascara, DecimalDeDiezmilesimas(valor.Diezmilesimas()));
}

QString FormatoMascara(const QString& mascara, double valor) {
  if (!std::isfinite(valor)) return TextoReal(valor);
  return AplicaMascara(mascara, DecimalDeReal(valor));
}

bool LeeReal(const QString& texto, double& valor) {
  const auto n = LeeDecimal(texto);
  if (!n) return false;
  const auto real = RealDeDecimal(*n);
  if (!real) return false;
  valor = *real;
  return true;
}

QString TextoReal(double valor) {
  if (std::isnan(valor)) return QStringLiteral("NAN");
  if (std::isinf(valor)) return valor < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
  return TextoGeneral(DecimalDeReal(valor));
}

QString FormatoImporte(const QString& mascara, const QString& valor, const QString& prefijo) {
  if (prefijo == u"c") return valor;
  const QString signo = prefijo == u"f" ? QStringLiteral("$") : prefijo;
  const Dinero importe = valor.isEmpty() ? Dinero() : Dinero::DeTexto(valor);
  return signo + FormatoMascara(mascara, importe).rightJustified(mascara.size(), u' ');
}

void FormatoImporteAncho(const QString& mascara, const QString& valor, const QString& prefijo, QString& salida,
                         const QFont& fuente, const QPaintDevice* dispositivo) {
  try {
    QString texto = FormatoImporte(mascara, valor, prefijo);
    const QString nombre = fuente.family();
    if (nombre != u"MS Sans Serif" && nombre != u"Courier New") {
      // In a proportional font a blank is narrower than a digit: widen the
      // text with blanks to the width of the mask, keeping "$" at the edge.
      const QFontMetricsF medidas(fuente, dispositivo);
      const bool pesos = texto.startsWith(u'$');
      if (pesos) texto[0] = u' ';
      const qreal ancho = medidas.horizontalAdvance(mascara);
      if (medidas.horizontalAdvance(QStringLiteral(" ")) > 0) {
        while (medidas.horizontalAdvance(texto) < ancho) texto.prepend(u' ');
      }
      if (pesos) texto[0] = u'$';
    }
    salida = texto;
  } catch (const std::exception&) {
    salida = valor;
  }
}

QString TextoImporte(Dinero importe) { return FormatoMascara(QStringLiteral("###########0.00"), importe); }

double Redondea(int decimales, double valor) {
  if (!std::isfinite(valor)) return valor;
  return RealDeDecimal(Redondeado(DecimalDeReal(valor), qMax(decimales, 0), Mitades::LejosDelCero)).value_or(valor);
}

QString TextoRedondeado(int decimales, double valor) {
  if (!std::isfinite(valor)) return TextoReal(valor);
  return TextoFijo(DecimalDeReal(valor), decimales);
}

double ValorReal(const QString& texto) {
  double valor = 0;
  return LeeReal(texto, valor) ? valor : 0;
}

double ValorNumerico(const QString& texto) {
  if (texto.isEmpty() || texto == u"f" || texto == u"e" || texto == u"x") return 0;
  return ValorReal(texto);
}

TipoCampo TipoCampoDe(db::TipoDato tipo) {
  switch (tipo) {
    case db::TipoDato::Texto: return TipoCampo::Cadena;
    case db::TipoDato::Entero: return TipoCampo::Entero;
    case db::TipoDato::Flotante: return TipoCampo::Flotante;
    case db::TipoDato::Moneda: return TipoCampo::Moneda;
    case db::TipoDato::Fecha: return TipoCampo::Fecha;
    case db::TipoDato::Logico: return TipoCampo::Logico;
    case db::TipoDato::Memo: return TipoCampo::Memo;
  }
  return TipoCampo::Otro;
}

QString LetraTipoCampo(TipoCampo tipo) {
  switch (tipo) {
    case TipoCampo::Cadena:
    case TipoCampo::Logico:
    case TipoCampo::BCD:
    case TipoCampo::Hora:
    case TipoCampo::Autoincremento:
    case TipoCampo::Blob:
    case TipoCampo::Memo: return QStringLiteral("c");
    case TipoCampo::EnteroCorto:
    case TipoCampo::Entero:
    case TipoCampo::Bytes: return QStringLiteral("e");
    case TipoCampo::Palabra: return QStringLiteral("w");
    case TipoCampo::Flotante: return QStringLiteral("f");
    case TipoCampo::Moneda: return QStringLiteral("$");
    case TipoCampo::Fecha:
    case TipoCampo::FechaHora: return QStringLiteral("d");
    case TipoCampo::BytesVariables: return QStringLiteral("b");
    case TipoCampo::Grafico: return QStringLiteral("g");
    case TipoCampo::Otro: break;
  }
  return QStringLiteral("x");
}

QString AjustaLetraTipo(TipoCampo tipo, const QString& letra) {
  if (letra == u"e" && tipo != TipoCampo::Flotante) return QStringLiteral("c");
  return letra;
}

QString CodigoOperador(const QString& palabra) {
  static const struct {
    const char16_t* palabra;
    const char16_t* codigo;
  } kCodigos[] = {
      {u"=", u"="}, {u"<", u"<"},   {u">", u">"},          {u"<>", u"X"},          {u"<=", u"Y"},
      {u">=", u"Z"}, {u"&", u"W"}, {u"Inicia_Con", u"I"}, {u"Termina_Con", u"T"}, {u"Incluye", u"U"},
  };
  for (const auto& c : kCodigos) {
    if (palabra == QStringView(c.palabra)) return QString::fromUtf16(c.codigo);
  }
  return QString();
}
