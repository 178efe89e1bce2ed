#include "reports/GuionReporte.h"

#include "foundation/rutinas.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_texto.h"
#include "platform/Error.h"
#include "platform/db/Campo.h"
#include "platform/db/Dataset.h"
#include "platform/fs/Real6.h"

#include <QDateTime>

#include <cmath>

namespace {

const QString kMascaraEntera = QStringLiteral("#######");
const QString kMascaraImporte = QStringLiteral("#,###,##0.00");
const QString kMascaraPesos = QStringLiteral("$#,###,##0.00");
constexpr int kAnchoEntero = 7;
constexpr int kAnchoImporte = 12;
constexpr int kLargoNumeroSubcadena = 10;
const QDate kDiaCero(1899, 12, 30);
constexpr qint64 kMilisegundosDia = 86400000;

plat::Error NoEsNumero(const QString& v) {
  return plat::Error(plat::Clase::Conversion, QStringLiteral("'%1' no es un valor numérico válido").arg(v));
}

// The text read as money, or an error.
Dinero Importe(const QString& v) {
  const std::optional<Dinero> importe = Dinero::Lee(v);
  if (!importe) throw NoEsNumero(v);
  return *importe;
}

QString Entero(const QString& v) {
  return AlineaDerechaGuion(FormatoMascara(kMascaraEntera, Importe(LimpiaNumeroGuion(v))), kAnchoEntero);
}

// A day number with its fraction as the regional date and time; the time
// is left out at midnight.
QString FechaHora(const QString& v) {
  double dias = 0;
  if (!LeeReal(v, dias) || !std::isfinite(dias)) throw NoEsNumero(v);
  const QDateTime momento =
      QDateTime(kDiaCero, QTime(0, 0)).addMSecs(static_cast<qint64>(std::llround(dias * kMilisegundosDia)));
  const QTime hora = momento.time();
  return hora == QTime(0, 0) ? TextoFecha(momento.date()) : TextoFecha(momento.date()) + u' ' + TextoHora(hora);
}

}  // namespace

QString AlineaDerechaGuion(const QString& s, int w) {
  if (w > s.size()) return QString(w - s.size(), u' ') + s;
  return s.left(qMax(w - 1, 0)) + u' ';
}

QString AjustaAnchoGuion(const QString& s, int w) {
  if (w > s.size()) return s + QString(w - s.size(), u' ');
  return s.left(qMax(w - 1, 0)) + u' ';
}

QString LimpiaNumeroGuion(const QString& s) {
  const QString limpio = s.trimmed();
  return limpio.isEmpty() ? QStringLiteral("0") : limpio;
}

QString PrimerosCaracteres(const QString& s, int n) { return s.left(qMax(n, 0)).trimmed(); }

QString SubcadenaGuion(const QString& v, const QString& tipo) {
  QString a;
  QString b;
  ElementoComa(tipo, 2, a);
  ElementoComa(tipo, 3, b);
  bool bienA = false;
  bool bienB = false;
  const int desde = a.left(kLargoNumeroSubcadena).toInt(&bienA);
  const int hasta = b.left(kLargoNumeroSubcadena).toInt(&bienB);
  if (v.isEmpty() || !bienA || !bienB) return {};
  return SubTexto(desde, hasta, v);
}

QString FormateaValorGuion(const QString& v, const QString& tipo) {
  switch (tipo.isEmpty() ? u'\0' : tipo[0].toLower().unicode()) {
    case u'e':
      try {
        return Entero(v);
      } catch (const plat::Error&) {
        return {};
      }
    case u's':
      return Entero(v);
    case u'f': {
      double valor = 0;
      if (!LeeReal(LimpiaNumeroGuion(v), valor) || !std::isfinite(valor)) valor = 0;
      return AlineaDerechaGuion(FormatoMascara(kMascaraImporte, valor), kAnchoImporte);
    }
    case u't':
    case u'r':
    case u'm': {
      const std::optional<Dinero> importe = Dinero::Lee(LimpiaNumeroGuion(v));
      if (!importe) return AlineaDerechaGuion(QStringLiteral("0"), kAnchoImporte);
      return AlineaDerechaGuion(FormatoMascara(kMascaraImporte, *importe), kAnchoImporte);
    }
    case u'$':
      return AlineaDerechaGuion(FormatoMascara(kMascaraPesos, Importe(LimpiaNumeroGuion(v))), kAnchoImporte);
    case u'p':
      return SubcadenaGuion(v, tipo);
    case u'h':
      return v.isEmpty() ? QString() : FechaHora(v);
    default:
      return v;
  }
}

QString InsertaCampoOrden(const QString& q, const QString& from, const QString& campo) {
  const QString insercion = u',' + campo + u' ';
  QString salida;
  qsizetype copiado = 0;
  for (qsizetype i = q.indexOf(from); i >= 0; i = q.indexOf(from, i + 1)) {
    // Positions from 1: an occurrence at p < length - 10.
    if (i + 1 >= q.size() - 10) break;
    salida += QStringView(q).sliced(copiado, i - copiado);
    salida += insercion;
    copiado = i;
  }
  salida += QStringView(q).sliced(copiado);
  return salida;
}

QStringList TokensTiposGuion(const QString& linea) { return linea.split(u' ', Qt::SkipEmptyParts); }

std::vector<int> AnchosDeEncabezado(const QString& encabezado) {
  const QString h = encabezado + u' ';
  std::vector<int> anchos;
  qsizetype inicio = -1;
  for (qsizetype i = 0; i < h.size(); ++i) {
    const bool titulo = h[i] != u' ' && (i == 0 || h[i - 1] == u' ');
    if (!titulo) continue;
    if (inicio >= 0) anchos.push_back(static_cast<int>(i - inicio));
    inicio = i;
  }
  if (inicio >= 0) anchos.push_back(static_cast<int>(h.size() - inicio));
  return anchos;
}

QStringList TitulosDeEncabezado(const QString& encabezado) {
  QString h = encabezado;
  h.remove(u'%');
  QStringList titulos;
  QString pieza;
  for (qsizetype i = 0; i < h.size(); ++i) {
    const QChar c = h[i];
    if (c == u'*' || (c == u' ' && (i == 0 || h[i - 1] != u' '))) {
      titulos << pieza;
      pieza.clear();
    } else if (c != u' ') {
      pieza += c;
    }
  }
  if (!pieza.isEmpty()) titulos << pieza;
  return titulos;
}

Dinero ValorTotalGuion(const db::Campo& campo) {
  try {
    const QVariant v = campo.Value();
    switch (v.typeId()) {
      case QMetaType::Double: return Dinero::DeReal(v.toDouble());
      case QMetaType::LongLong: return Dinero::DeReal(static_cast<double>(v.toLongLong()));
      case QMetaType::QString: return Dinero::Lee(v.toString()).value_or(Dinero());
      default: return {};
    }
  } catch (const plat::Error&) {
    return {};
  }
}

Dinero DivideTotalGuion(Dinero total, double divisor) {
  if (divisor == 0) return total;
  try {
    return Dinero::DeReal(total.Real() / divisor);
  } catch (const plat::Error&) {
    return total;
  }
}

bool FinDeRecorridoGuion(QChar sentido, const db::Dataset& dataset) {
  return sentido == u'd' ? dataset.Bof() : dataset.Eof();
}

QString TextoRealGuion(double valor) {
  if (!std::isfinite(valor)) return TextoReal(valor);
  try {
    const double guardado = fs::AjustaReal6(valor);
    // Six bytes hold 40 significant bits: 13 digits always read back.
    for (int digitos = 1; digitos < 17; ++digitos) {
      const double leido = QString::number(guardado, 'g', digitos).toDouble();
      if (fs::AjustaReal6(leido) == guardado) return TextoReal(leido);
    }
    return TextoReal(guardado);
  } catch (const plat::Error&) {
    // Too large for six bytes: as it is.
    return TextoReal(valor);
  }
}
