#include "shell/ColocaTabla.h"

#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"

#include <QCoreApplication>
#include <QDir>

namespace {

// A folder removed with everything in it when the scope ends.
struct CarpetaBorrador {
  QString ruta;
  ~CarpetaBorrador() { QDir(fs::Local(ruta)).removeRecursively(); }
};

}  // namespace

void ColocaTabla(const QString& carpeta, const QString& archivo, const QVector<db::DefCampo>& campos,
                 const QVector<db::DefTag>& tags, const std::function<void(db::Tabla&)>& llena) {
  // The scratch table bears the final name, so its index file names the
  // table it will index.
  const QString nombre = QStringLiteral("_nueva%1").arg(QCoreApplication::applicationPid());
  const CarpetaBorrador borrador{fs::Une(carpeta, nombre)};
  if (!fs::CreaCarpeta(borrador.ruta))
    throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo crear la carpeta ") + borrador.ruta);
  db::Tabla::Crea(borrador.ruta, archivo, campos, tags);
  {
    db::Tabla nueva;
    nueva.SetCarpeta(borrador.ruta);
    nueva.SetNombreTabla(archivo);
    nueva.SetExclusive(true);
    nueva.Open();
    llena(nueva);
  }
  db::Tabla::CopiaArchivos(carpeta, fs::Une(nombre, archivo), archivo);
}
