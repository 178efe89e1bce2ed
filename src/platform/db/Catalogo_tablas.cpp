// Making and checking the registered tables of a folder, through the table
// layer.

#include "platform/Error.h"
#include "platform/db/Catalogo.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"

namespace db {

QStringList CreaTablas(const Catalogo& catalogo, const Carpetas& carpetas, OrigenTabla origen) {
  QStringList hechas;
  if (origen == OrigenTabla::Corrida) return hechas;
  for (const DefTabla& t : catalogo.Tablas(origen)) {
    const QString carpeta = carpetas.De(t.carpeta);
    if (Tabla::Existe(carpeta, t.archivo)) continue;
    if (!fs::ExisteCarpeta(carpeta) && !fs::CreaCarpeta(carpeta))
      throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo crear la carpeta %1").arg(carpeta));
    Tabla::Crea(carpeta, t.archivo, t.campos, t.tags);
    hechas << fs::Une(carpeta, t.archivo);
  }
  return hechas;
}

QVector<Diferencia> VerificaTablas(const Catalogo& catalogo, const Carpetas& carpetas, OrigenTabla origen) {
  QVector<Diferencia> r;
  if (origen == OrigenTabla::Corrida) return r;
  for (const DefTabla& t : catalogo.Tablas(origen)) {
    const QString carpeta = carpetas.De(t.carpeta);
    if (!Tabla::Existe(carpeta, t.archivo)) {
      r.append({Diferencia::Tipo::FaltaTabla, t.archivo, carpeta, {}, {}});
      continue;
    }
    Tabla tabla;
    tabla.SetCarpeta(carpeta);
    tabla.SetNombreTabla(t.archivo);
    tabla.SetReadOnly(true);
    try {
      tabla.Open();
    } catch (const plat::Error& e) {
      r.append({Diferencia::Tipo::NoAbre, t.archivo, carpeta, {}, e.mensaje()});
      continue;
    }
    r += ComparaTabla(t, carpeta, tabla.Definiciones(), tabla.IndexDefs());
  }
  return r;
}

}  // namespace db
