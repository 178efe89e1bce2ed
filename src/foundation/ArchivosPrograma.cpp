#include "foundation/ArchivosPrograma.h"

#include "platform/Error.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"

#include <QDirIterator>
#include <QFile>

namespace {

// Where the build puts the contents of assets/programa.
const QString kRecursos = QStringLiteral(":/programa");

}  // namespace

QStringList InstalaArchivosPrograma() {
  QStringList escritos;
  QDirIterator recorrido(kRecursos, QDir::Files, QDirIterator::Subdirectories);
  while (recorrido.hasNext()) {
    const QString origen = recorrido.next();
    const QString relativo = origen.mid(kRecursos.size() + 1).replace(u'/', u'\\');
    const QString destino = fs::Une(fs::CarpetaDelPrograma(), relativo);
    if (fs::Existe(destino)) continue;
    QFile archivo(origen);
    if (!archivo.open(QIODevice::ReadOnly))
      throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo leer ") + origen);
    if (!fs::CreaCarpeta(fs::CarpetaDe(destino)))
      throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo crear la carpeta ") + fs::CarpetaDe(destino));
    fs::EscribeAtomico(destino, archivo.readAll());
    escritos << destino;
  }
  escritos.sort();
  return escritos;
}
