#include "pos/AcumulaEfectivo.h"

#include "foundation/dialogos.h"
#include "foundation/rutinas_numero.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"

#include <exception>

QString ArchivoAcumuladoDia(const QString& programa, const QDate& fecha) {
  return fs::Une(fs::Une(programa, QStringLiteral("Acumular")),
                 QStringLiteral("%1-%2-%3.acu").arg(fecha.year()).arg(fecha.month()).arg(fecha.day()));
}

void AcumulaEfectivo(const QString& programa, double acumulado, Dinero importe) {
  if (!(acumulado > 0)) return;
  try {
    fs::CreaCarpeta(fs::Une(programa, QStringLiteral("Acumular")));
    const QString archivo = ArchivoAcumuladoDia(programa, fs::Hoy());
    if (importe != Dinero()) fs::AgregaLinea(archivo, importe.Texto());
    if (!fs::ExisteArchivo(archivo)) return;
    Dinero suma;
    for (const QString& linea : fs::LeeLineas(archivo)) {
      if (linea.trimmed().isEmpty()) continue;
      const std::optional<Dinero> valor = Dinero::Lee(linea);
      if (!valor) return;
      suma += *valor;
    }
    if (suma > kLimiteEfectivoDia)
      MuestraMensaje(QStringLiteral("Ya se Excedió el Efectivo ") + FormatoMascara(QStringLiteral("###,##0.00"), suma));
  } catch (const std::exception&) {
  }
}
