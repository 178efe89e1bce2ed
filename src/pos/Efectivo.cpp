#include "pos/Efectivo.h"

#include "foundation/rutinas.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "shell/LugarTablas.h"
#include "shell/Moneda.h"

#include <exception>

void LeeLineaConfigDirecta(int n, QString& salida) {
  try {
    if (!fs::ExisteArchivo(kArchivoInicio)) return;
    const std::optional<QString> configuracion = fs::LeeLinea(kArchivoInicio, 2);
    if (!configuracion || configuracion->trimmed().isEmpty() || !fs::ExisteArchivo(configuracion->trimmed())) return;
    salida = fs::LeeLinea(configuracion->trimmed(), n).value_or(QString());
  } catch (const std::exception&) {
  }
}

QString ClaveConcepto(const QString& concepto) {
  const QString texto = concepto.trimmed();
  qsizetype fin = 0;
  while (fin < texto.size() && texto[fin] != u' ' && texto[fin] != u'-') ++fin;
  return texto.left(fin);
}

QString ClasificacionConcepto(const QString& carpeta, const QString& concepto) {
  const QString clave = ClaveConcepto(concepto);
  db::Tabla clasificacion;
  ApuntaTabla(clasificacion, QStringLiteral("Clasificacion.dbf"), db::Carpetas{carpeta, {}, {}, {}});
  clasificacion.SetIndexName(QStringLiteral("CLAVE"));
  clasificacion.Open();
  if (clave.isEmpty() || !clasificacion.FindKey({clave})) return QString();
  return clave + u' ' + clasificacion.FieldByName(QStringLiteral("CLASIFICAC")).AsString();
}

Dinero RedondeaCentavos(Dinero x, int n) {
  constexpr std::int64_t kCentavo = Dinero::kEscala / 100;
  const std::int64_t total = x.Diezmilesimas();
  const std::int64_t enteros = total / Dinero::kEscala * Dinero::kEscala;
  std::int64_t centavos = (total - enteros) / kCentavo;
  if (centavos == 0) return x;
  const std::int64_t paso = 10 * std::int64_t{n};
  const std::int64_t resto = paso > 0 ? centavos % paso : 0;
  if (resto > 0) centavos += paso - resto;
  else if (resto < 0) centavos -= resto;
  return Dinero::DeDiezmilesimas(enteros + centavos * kCentavo);
}

QString TextoMonedaVenta(const QString& carpetaDatos, const QString& nombre, int n) {
  const QString kNinguno = QStringLiteral("xx");
  if (n < 1 || n > 4) return kNinguno;
  try {
    const QString ruta = fs::Une(carpetaDatos, kArchivoMonedas);
    if (carpetaDatos.isEmpty() || !fs::ExisteArchivo(ruta)) return kNinguno;
    for (const TRegistroMoneda& moneda : RegistrosMoneda(fs::LeeBytes(ruta)))
      if (moneda.Campos[MonedaDivisa] == nombre) return moneda.Campos[MonedaDivisa + 1 + n];
  } catch (const std::exception&) {
  }
  return kNinguno;
}
