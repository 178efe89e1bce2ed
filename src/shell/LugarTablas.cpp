#include "shell/LugarTablas.h"

#include "foundation/rutinas.h"
#include "platform/Error.h"
#include "platform/db/Literales.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "shell/LineasConfiguracion.h"

#include <QStringList>

namespace {

// The tables that live outside the data folder, by file name without
// extension, lower case.
struct Lugar {
  const char16_t* nombre;
  db::CarpetaTabla carpeta;
};
constexpr Lugar kLugares[] = {
    {u"inventar", db::CarpetaTabla::Inventario},
    {u"kardex", db::CarpetaTabla::Inventario},
    {u"movinven", db::CarpetaTabla::Inventario},
    {u"movinven2", db::CarpetaTabla::Inventario},
    {u"movimientos", db::CarpetaTabla::Inventario},
    {u"kits", db::CarpetaTabla::Inventario},
    {u"existe", db::CarpetaTabla::Inventario},
    {u"ajuste", db::CarpetaTabla::Inventario},
    {u"remision", db::CarpetaTabla::Remisiones},
    {u"remisiod", db::CarpetaTabla::Remisiones},
    {u"cucobrarremision", db::CarpetaTabla::Remisiones},
    {u"retiros", db::CarpetaTabla::Remisiones},
};

// "C:\DATOS\Kardex.dbf", "KARDEX" and "Kardex.mdx" (the table's index) all
// give "kardex".
QString NombreBase(const QString& archivo) {
  QString nombre = archivo.trimmed();
  const qsizetype barra = std::max(nombre.lastIndexOf(u'\\'), nombre.lastIndexOf(u'/'));
  if (barra >= 0) nombre = nombre.mid(barra + 1);
  const qsizetype punto = nombre.lastIndexOf(u'.');
  if (punto >= 0) nombre.truncate(punto);
  return nombre.toLower();
}

QString Linea(const QStringList& lineas, int n) { return lineas.value(n - 1).trimmed(); }

}  // namespace

db::CarpetaTabla LugarDeTabla(const QString& archivo) {
  const QString nombre = NombreBase(archivo);
  for (const Lugar& l : kLugares)
    if (nombre == QStringView(l.nombre)) return l.carpeta;
  return db::CarpetaTabla::Datos;
}

db::Carpetas CarpetasEmpresa() {
  db::Carpetas c;
  c.programa = CarpetaPrograma(QString());
  QString ruta;
  ArchivoConfiguracion(ruta);
  if (ruta.isEmpty() || !fs::ExisteArchivo(ruta)) {
    // As every configuration read: the user learns the file is missing.
    LeeLineaConfig(ConfCarpetaDatos, c.datos);
    return c;
  }
  const QStringList lineas = fs::LeeLineas(ruta);
  c.datos = Linea(lineas, ConfCarpetaDatos);
  c.inventario = Linea(lineas, ConfCarpetaInventario);
  c.remisiones = Linea(lineas, ConfCarpetaRemisiones);
  return c;
}

QString CarpetaDeTabla(const QString& archivo, const db::Carpetas& carpetas) {
  const QString carpeta = carpetas.De(LugarDeTabla(archivo));
  // No table is read or written in a folder nobody chose.
  if (carpeta.isEmpty())
    throw plat::Error(plat::Clase::NoExiste,
                      QStringLiteral("La configuración de la empresa no indica la carpeta de datos"));
  return carpeta;
}

QString CarpetaDeTabla(const QString& archivo) { return CarpetaDeTabla(archivo, CarpetasEmpresa()); }

QString RutaDeTabla(const QString& archivo, const db::Carpetas& carpetas) {
  return fs::Une(CarpetaDeTabla(archivo, carpetas), archivo);
}

QString RutaDeTabla(const QString& archivo) { return RutaDeTabla(archivo, CarpetasEmpresa()); }

QString TablaSQL(const QString& archivo, const db::Carpetas& carpetas) {
  return db::LiteralComillas(RutaDeTabla(archivo, carpetas));
}

QString TablaSQL(const QString& archivo) { return TablaSQL(archivo, CarpetasEmpresa()); }

void ApuntaTabla(db::Tabla& tabla, const db::Carpetas& carpetas) {
  tabla.SetCarpeta(CarpetaDeTabla(tabla.NombreTabla(), carpetas));
}

void ApuntaTabla(db::Tabla& tabla) { ApuntaTabla(tabla, CarpetasEmpresa()); }

void ApuntaTabla(db::Tabla& tabla, const QString& archivo) {
  tabla.SetNombreTabla(archivo);
  ApuntaTabla(tabla);
}

void ApuntaTabla(db::Tabla& tabla, const QString& archivo, const db::Carpetas& carpetas) {
  tabla.SetNombreTabla(archivo);
  ApuntaTabla(tabla, carpetas);
}
