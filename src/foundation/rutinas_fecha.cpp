#include "foundation/rutinas_fecha.h"

#include "platform/Error.h"
#include "platform/fs/Regional.h"
#include "platform/fs/Reloj.h"

#include <QStringList>

namespace {

const QDate kDiaCero(1899, 12, 30);

// A whole number as the date check reads it: leading blanks, an optional
// sign, digits and nothing after them.
bool LeeEntero(const QString& texto, int& valor) {
  qsizetype i = 0;
  while (i < texto.size() && texto[i] == u' ') ++i;
  bool negativo = false;
  if (i < texto.size() && (texto[i] == u'+' || texto[i] == u'-')) negativo = texto[i++] == u'-';
  if (i >= texto.size()) return false;
  long numero = 0;
  for (; i < texto.size(); ++i) {
    if (texto[i] < u'0' || texto[i] > u'9') return false;
    numero = numero * 10 + (texto[i].unicode() - u'0');
    if (numero > 1000000000) return false;
  }
  valor = static_cast<int>(negativo ? -numero : numero);
  return true;
}

bool SoloDigitos(const QString& texto, int maximo) {
  if (texto.isEmpty() || texto.size() > maximo) return false;
  for (QChar c : texto) {
    if (c < u'0' || c > u'9') return false;
  }
  return true;
}

QDate FechaOError(const QString& texto) {
  QDate fecha;
  if (!LeeFecha(texto, fecha)) {
    throw plat::Error(plat::Clase::Conversion, QStringLiteral("'") + texto + QStringLiteral("' no es una fecha válida"));
  }
  return fecha;
}

const char16_t* const kMeses[] = {u"Enero", u"Febrero", u"Marzo",     u"Abril",   u"Mayo",      u"Junio",
                                  u"Julio", u"Agosto",  u"Septiembre", u"Octubre", u"Noviembre", u"Diciembre"};
const char16_t* const kDias[] = {u"domingo", u"lunes", u"martes", u"miercoles", u"jueves", u"viernes", u"sabado"};

}  // namespace

int NumeroDeFecha(const QDate& fecha) { return static_cast<int>(kDiaCero.daysTo(fecha)); }

bool LeeFecha(const QString& texto, QDate& fecha) {
  const QStringList partes = texto.split(fs::Regional().separadorFecha);
  if (partes.size() != 3) return false;
  const QString dia = partes[0].trimmed(), mes = partes[1].trimmed(), anio = partes[2].trimmed();
  if (!SoloDigitos(dia, 2) || !SoloDigitos(mes, 2) || !SoloDigitos(anio, 4)) return false;
  int a = anio.toInt();
  if (anio.size() <= 2) a += fs::Hoy().year() / 100 * 100;
  const QDate leida(a, mes.toInt(), dia.toInt());
  if (!leida.isValid()) return false;
  fecha = leida;
  return true;
}

QString TextoFecha(const QDate& fecha) { return fecha.toString(fs::Regional().fechaCorta); }

bool FijaFormatosRegionales() {
  fs::FormatosRegionales& r = fs::Regional();
  r.separadorFecha = u'/';
  r.fechaCorta = QStringLiteral("dd/MM/yyyy");
  r.fechaLarga = QStringLiteral("dddd d 'de' MMMM 'de' yyyy");
  r.formatoMoneda = 0;
  r.formatoMonedaNegativa = 0;
  r.separadorMiles = u',';
  r.separadorDecimal = u'.';
  r.decimalesMoneda = 2;
  return true;
}

void NombreMes(int mes, QString& salida) {
  if (mes >= 1 && mes <= 12) salida = QString::fromUtf16(kMeses[mes - 1]);
}

void MesEnLetra(int mes, QString& salida) {
  NombreMes(mes, salida);
  if (mes == 7) salida = QStringLiteral("julio");
}

void NombreDia(int dia, QString& salida) {
  if (dia >= 1 && dia <= 7) salida = QString::fromUtf16(kDias[dia - 1]);
}

QString FechaLarga(const QString& texto) {
  QDate fecha;
  if (!LeeFecha(texto, fecha)) return TextoFecha(fs::Hoy());
  QString dia, mes;
  NombreDia(fecha.dayOfWeek() % 7 + 1, dia);
  NombreMes(fecha.month(), mes);
  QString larga = dia + u' ' + QString::number(fecha.day()) + QStringLiteral(" de ") + mes +
                  QStringLiteral(" del año ") + QString::number(fecha.year());
  larga[0] = larga[0].toUpper();
  return larga;
}

QString FechaSQL(const QString& texto) {
  const QDate fecha = FechaOError(texto);
  return QStringLiteral("%1/%2/%3").arg(fecha.month()).arg(fecha.day()).arg(fecha.year());
}

bool FechaValida(const QString& texto) {
  if (texto.size() < 10) return false;
  int dia = 0, mes = 0, anio = 0;
  if (!LeeEntero(texto.mid(0, 2), dia) || !LeeEntero(texto.mid(3, 2), mes)) return false;
  QString textoAnio = texto.mid(6, 4);
  for (int i = 0; i < 2; ++i) {
    if (textoAnio[i] == u'_') textoAnio[i] = u'0';
  }
  if (!LeeEntero(textoAnio, anio)) return false;
  return dia >= 1 && dia <= 31 && mes >= 1 && mes <= 12 && anio >= 0;
}

bool FechaPosible(const QString& texto) {
  QDate fecha;
  return FechaValida(texto) && LeeFecha(texto, fecha) && fecha.isValid();
}

QString TextoHora(const QTime& hora) { return hora.toString(fs::Regional().hora); }

int SelloFecha(const QDate& fecha) {
  // Counted in 1/8640 of a unit: a millisecond is 10000 / 86400000 of one.
  const qint64 total = qint64{NumeroDeFecha(fecha)} * 8640 + fs::Ahora().time().msecsSinceStartOfDay();
  qint64 entero = total / 8640, resto = total % 8640;
  if (resto < 0) {
    resto += 8640;
    --entero;
  }
  if (resto > 4320 || (resto == 4320 && entero % 2 != 0)) ++entero;
  return static_cast<int>(entero);
}

int DiasDesde1980(const QString& texto) {
  if (texto.isEmpty()) return 0;
  const QDate fecha = FechaOError(texto);
  const int y = fecha.year() - 1980;
  const int bisiesto = y % 4 == 0 && fecha.month() > 2 ? 1 : 0;
  return y * 365 + y / 4 + bisiesto + (fecha.month() - 1) * 30 + fecha.day();
}
