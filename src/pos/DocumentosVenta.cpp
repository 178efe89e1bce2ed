#include "pos/DocumentosVenta.h"

#include "foundation/rutinas_fecha.h"
#include "platform/fs/Reloj.h"

#include <cmath>
#include <utility>

namespace {

constexpr double kMilisegundosDia = 86400000.0;

}  // namespace

QChar LetraDocumento(const QString& tipo) {
  static const std::pair<QString, QChar> kLetras[] = {
      {QStringLiteral("Factura"), u'F'},    {QStringLiteral("Remisión"), u'R'},
      {QStringLiteral("Pedido"), u'P'},     {QStringLiteral("Cotización"), u'C'},
      {QStringLiteral("Caja Chica"), u'C'}, {QStringLiteral("Devolución"), u'D'},
      {QStringLiteral("Nota de Crédito"), u'N'},
  };
  for (const auto& [texto, letra] : kLetras)
    if (texto == tipo) return letra;
  return {};
}

std::optional<QString> TextoEstadoDocumento(const QString& estado) {
  if (estado.isEmpty()) return QStringLiteral("Activa");
  if (estado.size() != 1) return std::nullopt;
  switch (estado[0].unicode()) {
    case kEstadoCancelada.unicode(): return QStringLiteral("Cancelada");
    case kEstadoDevolucionTotal.unicode(): return QStringLiteral("Dev. Total");
    case kEstadoDevolucionParcial.unicode(): return QStringLiteral("Dev. Parcial");
    case kEstadoPagada.unicode(): return QStringLiteral("Pagada");
    case kEstadoEnEspera.unicode(): return QStringLiteral("En Espera...");
    default: return std::nullopt;
  }
}

int NumeroControl() {
  // 100000 parts of a day of 86400000 ms: one part every 864 ms.
  return fs::Ahora().time().msecsSinceStartOfDay() / 864;
}

double NumeroFechaHora(const QDateTime& momento) {
  return NumeroDeFecha(momento.date()) + momento.time().msecsSinceStartOfDay() / kMilisegundosDia;
}

QTime HoraDeNumero(double numero) {
  const double fraccion = numero - std::floor(numero);
  const qint64 segundos = std::llround(fraccion * 86400.0) % 86400;
  return QTime(0, 0).addSecs(static_cast<int>(segundos));
}

QString QuitaCerosBusqueda(const QString& texto, bool& deTicket) {
  if (texto.size() <= 5 || !texto.startsWith(QStringLiteral("0000"))) return texto;
  qsizetype ceros = 0;
  while (ceros < texto.size() && texto[ceros] == u'0') ++ceros;
  deTicket = true;
  return texto.mid(ceros);
}
