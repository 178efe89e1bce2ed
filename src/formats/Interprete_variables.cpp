// Commands that set variables: assignment lines, numero, modulo, entero,
// corta. Each reports its own failure with "Existe un error en la estructura
// de la linea " and the line.

#include "formats/Interprete.h"
#include "formats/Interprete_estado.h"
#include "foundation/rutinas_numero.h"
#include "platform/Error.h"

#include <cmath>

namespace {

template <class F>
void ConAviso(const LineaFormato& l, F&& orden) {
  try {
    orden();
  } catch (const std::exception&) {
    ReportaErrorDeLinea(l.texto);
  }
}

qint64 TruncaLargo(double valor) {
  const double t = std::trunc(valor);
  if (!std::isfinite(t) || std::fabs(t) >= 9.2e18) {
    throw plat::Error(plat::Clase::Conversion, QStringLiteral("El número %1 es demasiado grande").arg(valor));
  }
  return static_cast<qint64>(t);
}

// modulo(a,b,target) and entero(a,b,target): nothing but 0 unless TRUNC(b)
// is above 0.
void Division(const LineaFormato& l, bool resto) {
  ConAviso(l, [&] {
    const double a = NumeroArgumento(ValorElemento(l.Token(2), l.datos));
    const double b = NumeroArgumento(ValorElemento(l.Token(3), l.datos));
    qint64 resultado = 0;
    if (TruncaLargo(b) > 0) resultado = resto ? TruncaLargo(a) % TruncaLargo(b) : TruncaLargo(a / b);
    EjecutaAsignacionFormato(l.Token(4) + u'=' + QString::number(resultado) + QStringLiteral("+0"), l.datos);
  });
}

}  // namespace

void ComandoAsignacion(const LineaFormato& l) {
  ConAviso(l, [&] { EjecutaAsignacionFormato(l.texto, l.datos); });
}

void ComandoNumero(const LineaFormato& l) {
  ConAviso(l, [&] {
    const QString importe = FormatoImporte(EstadoActual().Mascara, ValorElemento(l.Token(2), l.datos));
    EjecutaAsignacionFormato(l.Token(4) + u'=' + importe, l.datos);
  });
}

void ComandoModulo(const LineaFormato& l) { Division(l, true); }

void ComandoEntero(const LineaFormato& l) { Division(l, false); }

void ComandoCorta(const LineaFormato& l) {
  ConAviso(l, [&] {
    const int largo = EnteroArgumento(l.Token(3));
    const QString corto = largo > 0 ? ValorElemento(l.Token(2), l.datos).left(largo) : QString();
    if (!corto.isEmpty()) EjecutaAsignacionFormato(l.Token(2) + u'=' + corto, l.datos);
  });
}
