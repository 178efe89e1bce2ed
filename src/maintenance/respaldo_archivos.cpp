// The files a backup reads and the zip archive of the compressed backup.

#include "maintenance/respaldo.h"

#include "platform/Error.h"
#include "platform/fs/Rutas.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <zip.h>

#include <memory>

namespace {

struct CierraZip {
  void operator()(zip_t* zip) const { zip_discard(zip); }
};
using Zip = std::unique_ptr<zip_t, CierraZip>;

plat::Error ErrorZip(const QString& archivo, const char* detalle) {
  return plat::Error(plat::Clase::Io,
                     QStringLiteral("No se pudo escribir %1: %2").arg(archivo, QString::fromLocal8Bit(detalle)));
}

void AvisaAvance(zip_t*, double hecho, void* avance) {
  (*static_cast<const std::function<void(double)>*>(avance))(hecho);
}

// Whether a file should be listed: a regular file, or a name that leads to
// nothing (a broken link), so that a file that cannot be read is reported
// rather than passed over. FIFOs, sockets and devices are left out: reading
// them could wait forever.
bool Respaldable(const QFileInfo& archivo) {
  return archivo.isFile() || (archivo.isSymLink() && !archivo.exists());
}

}  // namespace

QStringList ArchivosDeCarpeta(const QString& carpeta, const QString& patron) {
  QDir dir(fs::Local(carpeta));
  dir.setNameFilters({patron});
  // System brings in broken links (and FIFOs, sockets and devices, left out
  // below: reading them could wait forever).
  dir.setFilter(QDir::Files | QDir::System);
  dir.setSorting(QDir::Name | QDir::IgnoreCase);
  QStringList nombres;
  for (const QFileInfo& archivo : dir.entryInfoList())
    if (Respaldable(archivo)) nombres << archivo.fileName();
  return nombres;
}

ArchivosRespaldo ArchivosDelRespaldo(const QString& carpeta, const QString& fuera) {
  const QString raiz = QDir(fs::Local(carpeta)).absolutePath();
  const QString excluida = fuera.isEmpty() ? QString() : QDir(fs::Local(fuera)).absolutePath();
  const auto dentroDeExcluida = [&excluida](const QString& ruta) {
    return !excluida.isEmpty() && (ruta == excluida || ruta.startsWith(excluida + u'/'));
  };
  ArchivosRespaldo r;
  // The folder's own tables and indexes, as the Part's copy takes them.
  const QStringList memos = ArchivosDeCarpeta(carpeta, QStringLiteral("*.dbt"));
  for (const QString& tabla : ArchivosDeCarpeta(carpeta, QStringLiteral("*.dbf"))) {
    r.tablas << tabla;
    const QString base = tabla.left(tabla.size() - 4);
    for (const QString& memo : memos)
      if (memo.left(memo.size() - 4).compare(base, Qt::CaseInsensitive) == 0) r.tablas << memo;
  }
  r.indices = ArchivosDeCarpeta(carpeta, QStringLiteral("*.mdx"));
  // Everything else, in this folder and below (links to folders are not
  // followed, so a loop of links cannot trap the walk).
  QStringList otros;
  QDirIterator it(raiz, QDir::Files | QDir::System | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    it.next();
    const QFileInfo archivo = it.fileInfo();
    if (!Respaldable(archivo) || dentroDeExcluida(archivo.absoluteFilePath())) continue;
    const QString relativo = QDir(raiz).relativeFilePath(archivo.absoluteFilePath()).replace(u'/', u'\\');
    if (!relativo.contains(u'\\') && (r.tablas.contains(relativo) || r.indices.contains(relativo))) continue;
    otros << relativo;
  }
  std::sort(otros.begin(), otros.end(), [](const QString& a, const QString& b) {
    // The folder's own files first, then each subfolder's.
    const bool suyoA = !a.contains(u'\\'), suyoB = !b.contains(u'\\');
    if (suyoA != suyoB) return suyoA;
    return a.compare(b, Qt::CaseInsensitive) < 0;
  });
  r.otros = otros;
  return r;
}

void EscribeZip(const QString& archivo, const QString& carpeta, const QStringList& nombres,
                const std::function<void(double)>& avance) {
  // An archive of nothing is no backup (libzip would not even write it).
  if (nombres.isEmpty()) throw ErrorZip(archivo, "no hay archivos que respaldar");
  const QByteArray local = QFile::encodeName(fs::Local(archivo));
  int codigo = 0;
  // libzip writes the whole archive at zip_close under a temporary name in
  // the archive's folder and renames it over the old file only when whole;
  // zip_discard (and a failed close) leave the old file as it was.
  Zip zip(zip_open(local.constData(), ZIP_CREATE | ZIP_TRUNCATE, &codigo));
  if (!zip) {
    zip_error_t error;
    zip_error_init_with_code(&error, codigo);
    const plat::Error e = ErrorZip(archivo, zip_error_strerror(&error));
    zip_error_fini(&error);
    throw e;
  }
  for (const QString& relativo : nombres) {
    const QString ruta = fs::Une(carpeta, relativo);
    zip_source_t* fuente = zip_source_file(zip.get(), QFile::encodeName(fs::Local(ruta)).constData(), 0, 0);
    if (!fuente) throw ErrorZip(archivo, zip_strerror(zip.get()));
    const QByteArray nombre = QString(relativo).replace(u'\\', u'/').toUtf8();
    if (zip_file_add(zip.get(), nombre.constData(), fuente, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) < 0) {
      zip_source_free(fuente);
      throw ErrorZip(archivo, zip_strerror(zip.get()));
    }
  }
  if (avance) zip_register_progress_callback_with_state(zip.get(), 0.01, AvisaAvance, nullptr,
                                                        const_cast<std::function<void(double)>*>(&avance));
  if (zip_close(zip.get()) < 0) throw ErrorZip(archivo, zip_strerror(zip.get()));
  zip.release();  // closed: nothing left to discard
}
