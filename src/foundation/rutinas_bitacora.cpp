#include "foundation/rutinas_bitacora.h"

#include "foundation/rutinas.h"
#include "foundation/rutinas_fecha.h"
#include "platform/db/Campo.h"
#include "platform/db/Dataset.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"

#include <QFile>
#include <QFileInfo>

QString CarpetaBitacora;

namespace {

// Where a path without a drive lands: the root of the program's drive.
QString UnidadDelPrograma() {
  const QString carpeta = fs::CarpetaDelPrograma();
  return carpeta.size() >= 2 && carpeta[1] == u':' ? carpeta.left(2) : QString();
}

// Appends the text and a line end in one write; the text may hold line ends
// of its own, so an event of several lines goes in whole. Failures are lost.
void AgregaCallado(const QString& ruta, const QString& texto) {
  try {
    fs::AgregaLinea(ruta, texto);
  } catch (...) {
    // A log line that cannot be written must not stop the work that logs.
  }
}

QString EnCarpetaLocal(const QString& nombre) {
  QString carpeta;
  CarpetaLocal(carpeta);
  return carpeta + u'\\' + nombre;
}

}  // namespace

QString TextoFechaHora(const QDateTime& momento) {
  return TextoFecha(momento.date()) + u' ' + TextoHora(momento.time());
}

void FijaCarpetaBitacora() { LeeLineaConfig(8, CarpetaBitacora); }

void RegistraBitacora(const QString& texto) {
  const QString carpeta = CarpetaBitacora.isEmpty() ? UnidadDelPrograma() : CarpetaBitacora;
  AgregaCallado(carpeta + QStringLiteral("\\Bitacora.txt"),
                TextoFechaHora(fs::Ahora()) + QStringLiteral("\t\r\n") + texto);
}

void EscribeBitacoraLocal(const QString& texto) {
  const QString ruta = EnCarpetaLocal(QStringLiteral("Bitacora.txt"));
  const QString local = fs::Local(ruta);
  if (QFileInfo(local).size() > kLimiteBitacoraLocal) QFile::remove(local);
  AgregaCallado(ruta, texto);
}

void RegistraBorrado(db::Dataset& dataset, const QString&) {
  try {
    // Without a current record (closed, or browsing an empty table) there is
    // nothing to be deleted and nothing to log.
    if (!dataset.Active() || (dataset.State() == db::Dataset::Estado::Navegando && dataset.IsEmpty())) return;
    QString linea = dataset.NombreTabla() + u',' + TextoFechaHora(fs::Ahora()) + u',';
    for (int i = 0; i < dataset.FieldCount(); ++i) {
      const db::Campo& campo = dataset.Fields(i);
      linea += campo.Nombre() + u',' + campo.AsString() + u',';
    }
    AgregaCallado(EnCarpetaLocal(QStringLiteral("borrados.dat")), linea);
  } catch (...) {
    // A record that cannot be read (no current row, a damaged field) is not
    // logged; the deletion goes on.
  }
}

bool LeeConfBitacora() {
  QString valor;
  LeeLineaConfig(85, valor);
  return valor == u"S";
}

QString ArchivoHistorial(const QString& carpetaDatos, QChar letra, const QString& clave) {
  return carpetaDatos + QStringLiteral("\\Bitacora\\") + letra + u'-' + clave + QStringLiteral(".bit");
}

QString LineaHistorial(const QString& accion, const QString& nombre) {
  return TextoFechaHora(fs::Ahora()) + u' ' + accion + QStringLiteral(" Por ") + nombre;
}

void RegistraHistorial(bool activo, const QString& carpetaDatos, QChar letra, const QString& clave,
                       const QString& accion, const QString& nombre) {
  if (!activo) return;
  AgregaLineaArchivo(true, ArchivoHistorial(carpetaDatos, letra, clave), LineaHistorial(accion, nombre));
}
