#include "pos/ControlVenta.h"

#include "platform/db/Dataset.h"
#include "platform/fs/Rutas.h"
#include "pos/DocumentosVenta.h"

QString CarpetaControl(const QString& programa, const QDateTime& momento) {
  return fs::Une(fs::Une(programa, QStringLiteral("Control")), momento.toString(QStringLiteral("MM-yyyy")));
}

QString CarpetaControlDatos(const QString& datos, const QDateTime& momento, const QString& computadora) {
  return fs::Une(fs::Une(datos, QStringLiteral("Control")),
                 momento.toString(QStringLiteral("MM-yyyy")) + u'-' + computadora);
}

QString NombreControl(QChar letra, const QString& numero, qint64 control, const QDateTime& momento) {
  return QStringLiteral("FA-") + letra + u'-' + numero + u'-' + QString::number(control) + u'-' +
         QString::number(NumeroFechaHora(momento), 'g', 15) + QStringLiteral(".con");
}

QString LineaControl(const db::Dataset& fila) {
  QString linea;
  for (int i = 0; i < fila.FieldCount(); ++i) {
    const db::Campo& c = fila.Fields(i);
    linea += c.Nombre() + u',' + c.AsString() + u',';
  }
  return linea;
}

QString ArchivoAcumulado(const QString& programa, const QDate& dia) {
  return fs::Une(fs::Une(programa, QStringLiteral("Acumular")),
                 QStringLiteral("%1-%2-%3.acu").arg(dia.year()).arg(dia.month()).arg(dia.day()));
}

QString LineaAcumulado(Dinero total, bool cancelado) {
  // A cancelled negative total is written as the positive amount it takes
  // back, so the line stays readable.
  return (cancelado ? -total : total).Texto();
}

std::optional<Dinero> SumaAcumulado(const QStringList& lineas) {
  Dinero suma;
  for (const QString& linea : lineas) {
    const std::optional<Dinero> importe = Dinero::Lee(linea);
    if (!importe) return std::nullopt;
    suma += *importe;
  }
  return suma;
}
