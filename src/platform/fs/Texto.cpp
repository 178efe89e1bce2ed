#include "platform/fs/Texto.h"

#include "platform/Error.h"
#include "platform/fs/Rutas.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs {
namespace {

// Windows-1252 code points of the bytes 0x80..0x9F; 0 where the byte is
// undefined (it is then taken as the C1 control of the same value).
constexpr char16_t kAltos[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char CaracterCp1252(char16_t u) {
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<char>(u);
  for (int i = 0; i < 32; ++i) {
    if (kAltos[i] == u) return static_cast<char>(0x80 + i);
  }
  if (u >= 0x80 && u < 0xA0) return static_cast<char>(u);
  return '?';
}

int AbreParaEscribir(const QString& local, int banderas) {
  const QByteArray nombre = QFile::encodeName(local);
  return ::open(nombre.constData(), banderas | O_CLOEXEC, 0666);
}

void EscribeTodo(int fd, const QByteArray& bytes, const QString& ruta) {
  const char* p = bytes.constData();
  qsizetype falta = bytes.size();
  while (falta > 0) {
    const ssize_t n = ::write(fd, p, static_cast<size_t>(falta));
    if (n < 0) {
      if (errno == EINTR) continue;
      throw plat::ErrorDeSistema(QStringLiteral("No se pudo escribir ") + ruta, errno);
    }
    p += n;
    falta -= n;
  }
}

}  // namespace

// Read once at start: reading it means setting it, which must not race with
// other threads later.
unsigned MascaraDelProceso() {
  static const mode_t mascara = [] {
    const mode_t m = ::umask(0);
    ::umask(m);
    return m;
  }();
  return mascara;
}

QByteArray ACp1252(const QString& texto) {
  QByteArray salida;
  salida.reserve(texto.size());
  for (QChar c : texto) salida.append(CaracterCp1252(c.unicode()));
  return salida;
}

QString DeCp1252(const QByteArray& bytes) { return DeCp1252(bytes.constData(), bytes.size()); }

QString DeCp1252(const char* bytes, qsizetype n) {
  QString salida(n, Qt::Uninitialized);
  QChar* d = salida.data();
  for (qsizetype i = 0; i < n; ++i) {
    const auto u = static_cast<unsigned char>(bytes[i]);
    d[i] = (u >= 0x80 && u < 0xA0 && kAltos[u - 0x80] != 0) ? QChar(kAltos[u - 0x80]) : QChar(u);
  }
  return salida;
}

QString DeCp1252OUtf8(const QByteArray& bytes) {
  bool ascii = true;
  for (char b : bytes) {
    if (static_cast<unsigned char>(b) >= 0x80) { ascii = false; break; }
  }
  if (ascii) return QString::fromLatin1(bytes);
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString texto = utf8.decode(bytes);
  if (!utf8.hasError()) return texto;
  return DeCp1252(bytes);
}

namespace {

template <class Decodifica>
QStringList Divide(const QByteArray& bytes, qsizetype inicio, Decodifica decodifica) {
  QStringList lineas;
  const qsizetype n = bytes.size();
  while (inicio < n) {
    qsizetype fin = bytes.indexOf('\n', inicio);
    qsizetype siguiente;
    if (fin < 0) {
      fin = n;
      siguiente = n;
    } else {
      siguiente = fin + 1;
    }
    qsizetype corte = fin;
    if (corte > inicio && bytes[corte - 1] == '\r') --corte;
    lineas << decodifica(bytes.mid(inicio, corte - inicio));
    inicio = siguiente;
  }
  return lineas;
}

}  // namespace

QStringList DivideLineas(const QByteArray& bytes) {
  return Divide(bytes, 0, [](const QByteArray& b) { return DeCp1252(b); });
}

QStringList DivideLineasCp1252OUtf8(const QByteArray& bytes) {
  const qsizetype inicio = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
  return Divide(bytes, inicio, [](const QByteArray& b) { return DeCp1252OUtf8(b); });
}

QByteArray LeeBytes(const QString& ruta) {
  QFile archivo(Local(ruta));
  if (!archivo.open(QIODevice::ReadOnly)) {
    if (!archivo.exists()) throw plat::Error(plat::Clase::NoExiste, QStringLiteral("El Archivo ") + ruta + QStringLiteral(" No Existe"));
    throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo leer ") + ruta + QStringLiteral(": ") + archivo.errorString());
  }
  return archivo.readAll();
}

QStringList LeeLineas(const QString& ruta) { return DivideLineas(LeeBytes(ruta)); }

QStringList LeeLineasCp1252OUtf8(const QString& ruta) { return DivideLineasCp1252OUtf8(LeeBytes(ruta)); }

std::optional<QString> LeeLinea(const QString& ruta, int n) {
  const QStringList lineas = LeeLineas(ruta);
  if (n < 1 || n > lineas.size()) return std::nullopt;
  return lineas[n - 1];
}

void AgregaLinea(const QString& ruta, const QString& linea) { AgregaBytes(ruta, ACp1252(linea) + "\r\n"); }

void AgregaBytes(const QString& ruta, const QByteArray& bytes) {
  const QString local = Local(ruta);
  const int fd = AbreParaEscribir(local, O_WRONLY | O_APPEND | O_CREAT);
  if (fd < 0) throw plat::ErrorDeSistema(QStringLiteral("No se pudo abrir ") + ruta, errno);
  // The whole-file lock keeps writers of other stations out while these
  // bytes go in; the single O_APPEND write keeps them whole even for writers
  // that do not lock.
  struct flock candado {};
  candado.l_type = F_WRLCK;
  candado.l_whence = SEEK_SET;
  while (::fcntl(fd, F_OFD_SETLKW, &candado) < 0 && errno == EINTR) {
  }
  try {
    EscribeTodo(fd, bytes, ruta);
  } catch (...) {
    ::close(fd);
    throw;
  }
  ::close(fd);
}

void EscribeAtomico(const QString& ruta, const QByteArray& bytes) {
  const QString local = Local(ruta);
  const QFileInfo info(local);
  QByteArray plantilla = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
  const int fd = ::mkostemp(plantilla.data(), O_CLOEXEC);
  if (fd < 0) throw plat::ErrorDeSistema(QStringLiteral("No se pudo escribir ") + ruta, errno);
  try {
    EscribeTodo(fd, bytes, ruta);
    if (::fsync(fd) < 0) throw plat::ErrorDeSistema(QStringLiteral("No se pudo escribir ") + ruta, errno);
  } catch (...) {
    ::close(fd);
    ::unlink(plantilla.constData());
    throw;
  }
  ::fchmod(fd, 0666 & ~MascaraDelProceso());
  ::close(fd);
  if (::rename(plantilla.constData(), QFile::encodeName(local).constData()) < 0) {
    const int e = errno;
    ::unlink(plantilla.constData());
    throw plat::ErrorDeSistema(QStringLiteral("No se pudo reemplazar ") + ruta, e);
  }
}

void ReescribeLineas(const QString& ruta, const QStringList& lineas) {
  QByteArray bytes;
  for (const QString& l : lineas) bytes += ACp1252(l) + "\r\n";
  EscribeAtomico(ruta, bytes);
}

}  // namespace fs
