// Commands that place dates and times: dia, mes, año, mletra, flarga, hor.
//
// The date argument is "hoy" (any case) for today, "[ddd]" for the field
// with that index in the line's dataset, or a field name of that dataset. A
// blank date field places an empty text.

#include "formats/Interprete_estado.h"
#include "foundation/rutinas_fecha.h"
#include "platform/Error.h"
#include "platform/db/Dataset.h"
#include "platform/fs/Regional.h"
#include "platform/fs/Reloj.h"

#include <QDate>
#include <QTime>

#include <cmath>

namespace {

enum class Fila { Relativa, Absoluta, Fija };

bool EsHoy(const QString& argumento) { return argumento.toLower() == u"hoy"; }

db::Campo& CampoFecha(const LineaFormato& l) {
  const QString& argumento = l.Token(4);
  if (!l.datos || !l.datos->Active()) {
    throw plat::Error(plat::Clase::NoExiste, QStringLiteral("No hay datos para la fecha %1").arg(argumento));
  }
  const int indice = IndiceCampo(argumento);
  return indice >= 0 ? l.datos->Fields(indice) : l.datos->FieldByName(argumento);
}

QDate FechaDe(const LineaFormato& l) { return EsHoy(l.Token(4)) ? fs::Hoy() : CampoFecha(l).AsDate(); }

QString DosDigitos(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

void Coloca(const LineaFormato& l, Fila fila, const QString& texto) {
  const EstadoFormato& e = EstadoActual();
  const int x = ColumnaDispositivo(NumeroArgumento(l.Token(2)));
  const double y = NumeroArgumento(l.Token(3));
  double yy = 0;
  switch (fila) {
    case Fila::Relativa: yy = RenglonRelativo(y, l.renglon); break;
    case Fila::Absoluta: yy = RenglonAbsoluto(y); break;
    case Fila::Fija: yy = RenglonFijo(y, l.renglon); break;
  }
  ColocaTexto(x, texto, QString(), yy, e.TamanoFuente, e.NombreFuente, l.contexto);
}

// A part of the date, empty for a blank date.
template <class Parte>
void ColocaParte(const LineaFormato& l, QStringView palabra, Fila fila, Parte parte) {
  if (!EsPalabra(l, palabra)) return;
  const QDate fecha = FechaDe(l);
  Coloca(l, fila, fecha.isValid() ? parte(fecha) : QString());
}

}  // namespace

void ComandoDia(const LineaFormato& l) {
  ColocaParte(l, u"dia", Fila::Absoluta, [](const QDate& f) { return DosDigitos(f.day()); });
}

void ComandoMes(const LineaFormato& l) {
  ColocaParte(l, u"mes", Fila::Relativa, [](const QDate& f) { return DosDigitos(f.month()); });
}

void ComandoAno(const LineaFormato& l) {
  ColocaParte(l, u"año", Fila::Relativa, [](const QDate& f) { return QString::number(f.year()); });
}

void ComandoMesLetra(const LineaFormato& l) {
  // Another word of the same letters places an empty text.
  QString texto;
  if (EsPalabra(l, u"mletra")) {
    const QDate fecha = FechaDe(l);
    if (fecha.isValid()) MesEnLetra(fecha.month(), texto);
  }
  Coloca(l, Fila::Fija, texto);
}

void ComandoFechaLarga(const LineaFormato& l) {
  QString texto;
  if (EsPalabra(l, u"flarga")) {
    const QString fecha = EsHoy(l.Token(4)) ? fs::Hoy().toString(fs::Regional().fechaCorta) : CampoFecha(l).AsString();
    texto = FechaLarga(fecha);
  }
  Coloca(l, Fila::Fija, texto);
}

void ComandoHora(const LineaFormato& l) {
  // The value is a fraction of a day.
  const QString valor = ValorCompuesto(l.Token(4), l.datos);
  QString texto;
  if (!valor.isEmpty()) {
    const double dia = std::fabs(NumeroArgumento(valor));
    const auto ms = static_cast<int>(std::llround((dia - std::floor(dia)) * 86400000.0) % 86400000);
    texto = TextoHora(QTime::fromMSecsSinceStartOfDay(ms));
  }
  Coloca(l, Fila::Relativa, texto);
}
