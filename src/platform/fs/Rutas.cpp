#include "platform/fs/Rutas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

#include <sys/stat.h>

namespace fs {
namespace {

bool ExisteLocal(const QString& local) {
  struct stat st;
  return ::lstat(QFile::encodeName(local).constData(), &st) == 0;
}

// The entry of `carpeta` named `nombre` without regard to case, or `nombre`
// itself when there is none.
QString EntradaSinCaso(const QString& carpeta, const QString& nombre) {
  const QString exacto = carpeta + u'/' + nombre;
  if (ExisteLocal(exacto)) return exacto;
  QDir dir(carpeta);
  if (dir.exists()) {
    const QStringList entradas = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& e : entradas) {
      if (e.compare(nombre, Qt::CaseInsensitive) == 0) return carpeta + u'/' + e;
    }
  }
  return exacto;
}

}  // namespace

QString Raiz() {
  const QByteArray env = qgetenv("VORLAN_ROOT");
  if (!env.isEmpty()) return QDir::cleanPath(QFile::decodeName(env));
  return QDir::homePath() + QStringLiteral("/.vorlan");
}

QString CarpetaEscritorio() {
  const QByteArray env = qgetenv("VORLAN_ESCRITORIO");
  if (!env.isEmpty()) return QString::fromLocal8Bit(env);
  return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

QString CarpetaDelPrograma() {
  const QByteArray env = qgetenv("VORLAN_PROGRAM_FOLDER");
  QString carpeta = env.isEmpty() ? QStringLiteral("C:\\VRL") : QString::fromLocal8Bit(env);
  while (carpeta.size() > 3 && (carpeta.endsWith(u'\\') || carpeta.endsWith(u'/'))) carpeta.chop(1);
  return carpeta;
}

QString Local(const QString& ruta) {
  if (ruta.startsWith(u'/')) return ruta;

  QString base;
  QString resto = ruta;
  if (ruta.size() >= 2 && ruta[1] == u':' && ruta[0].isLetter()) {
    base = EntradaSinCaso(Raiz(), ruta[0].toLower());
    resto = ruta.mid(2);
  } else if (ruta.startsWith(QStringLiteral("\\\\"))) {
    base = Raiz() + QStringLiteral("/unc");
  } else {
    base = QDir::currentPath();
  }

  static const QRegularExpression separadores(QStringLiteral("[\\\\/]"));
  const QStringList partes = resto.split(separadores, Qt::SkipEmptyParts);
  QString actual = base;
  for (const QString& parte : partes) {
    if (parte == u'.') continue;
    if (parte == QStringLiteral("..")) {
      const int corte = actual.lastIndexOf(u'/');
      if (corte > 0 && actual.size() > base.size()) actual.truncate(corte);
      continue;
    }
    actual = EntradaSinCaso(actual, parte);
  }
  return actual;
}

QString FormaWindows(const QString& local) {
  const QString raiz = Raiz();
  const QString limpio = QDir::cleanPath(local);
  if (limpio.startsWith(raiz + u'/')) {
    const QString resto = limpio.mid(raiz.size() + 1);
    const int corte = resto.indexOf(u'/');
    const QString unidad = corte < 0 ? resto : resto.left(corte);
    if (unidad.size() == 1 && unidad[0].isLetter()) {
      QString camino = corte < 0 ? QString() : resto.mid(corte + 1);
      camino.replace(u'/', u'\\');
      return unidad.toUpper() + QStringLiteral(":\\") + camino;
    }
  }
  return limpio;
}

QString Une(const QString& carpeta, const QString& nombre) {
  if (carpeta.isEmpty()) return nombre;
  if (carpeta.endsWith(u'\\') || carpeta.endsWith(u'/')) return carpeta + nombre;
  // A POSIX folder is taken as it is by Local, so it joins with "/".
  return carpeta + (carpeta.startsWith(u'/') ? u'/' : u'\\') + nombre;
}

bool Existe(const QString& ruta) { return ExisteLocal(Local(ruta)); }

bool ExisteArchivo(const QString& ruta) { return QFileInfo(Local(ruta)).isFile(); }

bool ExisteCarpeta(const QString& ruta) { return QFileInfo(Local(ruta)).isDir(); }

bool CreaCarpeta(const QString& ruta) { return QDir().mkpath(Local(ruta)); }

bool BorraArchivo(const QString& ruta) { return QFile::remove(Local(ruta)); }

bool CopiaArchivo(const QString& origen, const QString& destino) {
  QFile entrada(Local(origen));
  if (!entrada.open(QIODevice::ReadOnly)) return false;
  QSaveFile salida(Local(destino));
  if (!salida.open(QIODevice::WriteOnly)) return false;
  char bloque[65536];
  for (;;) {
    const qint64 n = entrada.read(bloque, sizeof bloque);
    if (n < 0) return false;
    if (n == 0) break;
    if (salida.write(bloque, n) != n) return false;
  }
  return salida.commit();
}

QStringList ListaCarpeta(const QString& carpeta, const QString& patron) {
  QDir dir(Local(carpeta));
  dir.setNameFilters({patron});
  dir.setFilter(QDir::AllEntries | QDir::NoDotAndDotDot);
  dir.setSorting(QDir::Name | QDir::IgnoreCase);
  return dir.entryList();
}

QStringList Unidades() {
  QStringList unidades;
  const QStringList entradas = QDir(Raiz()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
  for (const QString& e : entradas) {
    if (e.size() == 1 && e[0].isLetter()) unidades << e.toUpper() + u':';
  }
  return unidades;
}

QString NombreArchivo(const QString& ruta) {
  int corte = -1;
  for (int i = ruta.size() - 1; i >= 0; --i) {
    const QChar c = ruta[i];
    if (c == u'\\' || c == u'/' || c == u':') { corte = i; break; }
  }
  return ruta.mid(corte + 1);
}

QString CarpetaDe(const QString& ruta) {
  const QString nombre = NombreArchivo(ruta);
  QString carpeta = ruta.left(ruta.size() - nombre.size());
  if (carpeta.size() > 3 && (carpeta.endsWith(u'\\') || carpeta.endsWith(u'/'))) carpeta.chop(1);
  return carpeta;
}

}  // namespace fs
