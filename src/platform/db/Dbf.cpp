#include "platform/db/Dbf.h"

#include "platform/Error.h"
#include "platform/db/Bloqueo.h"
#include "platform/db/PuntosFalla.h"
#include "platform/db/Valores.h"
#include "platform/db/dbf_format.h"
#include "platform/fs/Falla.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Texto.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>
#include <vector>

namespace db {
namespace {

using namespace dbf;
using plat::Clase;
using plat::Error;

constexpr qint64 kBytesPorBloque = 256 * 1024;  // records read per system call

quint16 Lee16(const char* p) {
  const auto* u = reinterpret_cast<const unsigned char*>(p);
  return static_cast<quint16>(u[0] | (u[1] << 8));
}
quint32 Lee32(const char* p) {
  const auto* u = reinterpret_cast<const unsigned char*>(p);
  return u[0] | (u[1] << 8) | (u[2] << 16) | (static_cast<quint32>(u[3]) << 24);
}
void Pon16(char* p, quint16 v) {
  p[0] = static_cast<char>(v & 0xFF);
  p[1] = static_cast<char>(v >> 8);
}
void Pon32(char* p, quint32 v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

QByteArray Local8(const QString& ruta) { return QFile::encodeName(ruta); }

// Reads exactly n bytes at pos unless the file ends first; returns the bytes read.
qint64 LeeEn(int fd, char* destino, qint64 n, qint64 pos, const QString& tabla) {
  qint64 hecho = 0;
  while (hecho < n) {
    const ssize_t r = ::pread(fd, destino + hecho, static_cast<size_t>(n - hecho), static_cast<off_t>(pos + hecho));
    if (r < 0) {
      if (errno == EINTR) continue;
      throw plat::ErrorDeSistema(QStringLiteral("No se pudo leer la tabla ") + tabla, errno);
    }
    if (r == 0) break;
    hecho += r;
  }
  return hecho;
}

void EscribeEn(int fd, const char* origen, qint64 n, qint64 pos, const QString& tabla) {
  qint64 hecho = 0;
  while (hecho < n) {
    const ssize_t r = ::pwrite(fd, origen + hecho, static_cast<size_t>(n - hecho), static_cast<off_t>(pos + hecho));
    if (r < 0) {
      if (errno == EINTR) continue;
      throw plat::ErrorDeSistema(QStringLiteral("No se pudo escribir la tabla ") + tabla, errno);
    }
    hecho += r;
  }
}

qint64 Tamano(int fd, const QString& tabla) {
  const off_t fin = ::lseek(fd, 0, SEEK_END);
  if (fin < 0) throw plat::ErrorDeSistema(QStringLiteral("No se pudo leer la tabla ") + tabla, errno);
  return fin;
}

class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() { Cierra(); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int fd() const { return fd_; }
  int Suelta() { return std::exchange(fd_, -1); }
  void Cambia(int fd) { Cierra(); fd_ = fd; }
  void Cierra() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

// Blanks around field values, skipped eight bytes at a time (numbers are
// right-aligned and texts left-aligned in wide fields).
constexpr quint64 kOchoBlancos = 0x2020202020202020ull;

quint64 Ocho(const char* p) {
  quint64 v;
  std::memcpy(&v, p, 8);
  return v;
}

// The length without trailing blanks or NULs.
int FinSinBlancos(const char* p, int n) {
  while (n >= 8 && Ocho(p + n - 8) == kOchoBlancos) n -= 8;
  while (n > 0 && (p[n - 1] == ' ' || p[n - 1] == '\0')) --n;
  return n;
}

// The first position that is not a blank, up to n.
int InicioSinBlancos(const char* p, int n) {
  int i = 0;
  while (n - i >= 8 && Ocho(p + i) == kOchoBlancos) i += 8;
  while (i < n && p[i] == ' ') ++i;
  return i;
}

Error Corrupto(const QString& tabla, const QString& detalle) {
  return Error(Clase::Corrupto,
               QStringLiteral("La tabla %1 está dañada o no es una tabla dBASE (%2)").arg(tabla, detalle));
}

bool VersionConocida(unsigned char v) {
  switch (v) {
    case 0x03: case 0x83: case 0x8B: case 0x8E: case 0x43: case 0x63: case 0xCB: return true;
    default: return false;
  }
}

bool MemoIV(unsigned char version) { return version == kVersionMemoIV || version == 0x8E || version == 0xCB; }

void PonFecha(char* cabecera, const QDate& hoy) {
  cabecera[kPosFecha] = static_cast<char>(std::clamp(hoy.year() - 1900, 0, 255));
  cabecera[kPosFecha + 1] = static_cast<char>(hoy.month());
  cabecera[kPosFecha + 2] = static_cast<char>(hoy.day());
}

// A whole new file written to a temporary in the same folder and synced,
// waiting to be renamed over `destino` (Instala); dropped (the temporary
// deleted) when it never is.
class ArchivoNuevo {
 public:
  ArchivoNuevo(const QString& destino, const QByteArray& bytes, mode_t modo, const QString& tabla)
      : temporal_(Local8(destino) + ".tmp-XXXXXX"), destino_(Local8(destino)), tabla_(tabla) {
    fd_.Cambia(::mkostemp(temporal_.data(), O_CLOEXEC));
    if (fd_.fd() < 0) throw plat::ErrorDeSistema(QStringLiteral("No se pudo crear la tabla ") + tabla, errno);
    try {
      ::fchmod(fd_.fd(), modo);
      EscribeEn(fd_.fd(), bytes.constData(), bytes.size(), 0, tabla);
      if (::fsync(fd_.fd()) != 0) throw plat::ErrorDeSistema(QStringLiteral("No se pudo escribir la tabla ") + tabla, errno);
    } catch (...) {
      ::unlink(temporal_.constData());
      throw;
    }
  }
  ~ArchivoNuevo() {
    if (!instalado_) ::unlink(temporal_.constData());
  }
  ArchivoNuevo(const ArchivoNuevo&) = delete;
  ArchivoNuevo& operator=(const ArchivoNuevo&) = delete;

  // Renames the new file over the old one; before that `antes` runs on its
  // descriptor (to take its locks). Returns the descriptor (read-write).
  int Instala(const std::function<void(int)>& antes = {}) {
    if (antes) antes(fd_.fd());
    if (::rename(temporal_.constData(), destino_.constData()) != 0)
      throw plat::ErrorDeSistema(QStringLiteral("No se pudo reemplazar la tabla ") + tabla_, errno);
    instalado_ = true;
    return fd_.Suelta();
  }

 private:
  QByteArray temporal_;
  QByteArray destino_;
  QString tabla_;
  Descriptor fd_;
  bool instalado_ = false;
};

// Writes a whole file to a temporary in the same folder and renames it over
// `ruta`; the new file keeps `modo`. Before the rename `antes` runs on the
// new file's descriptor (to take its locks). Returns the open descriptor of
// the new file (read-write).
int ReemplazaArchivo(const QString& ruta, const QByteArray& bytes, mode_t modo, const QString& tabla,
                     const std::function<void(int)>& antes = {}) {
  return ArchivoNuevo(ruta, bytes, modo, tabla).Instala(antes);
}

mode_t ModoPorOmision() {
  const mode_t m = ::umask(0);
  ::umask(m);
  return 0666 & ~m;
}

// ---------------------------------------------------------------------------
// The memo file.

class Memos {
 public:
  Memos(const QString& ruta, const QString& tabla, bool iv, bool soloLectura) : ruta_(ruta), tabla_(tabla), iv_(iv) {
    fd_.Cambia(::open(Local8(ruta).constData(), (soloLectura ? O_RDONLY : O_RDWR) | O_CLOEXEC));
    if (fd_.fd() < 0) {
      if (errno == ENOENT)
        throw Error(Clase::NoExiste, QStringLiteral("Falta el archivo de memos %1 de la tabla %2")
                                         .arg(QFileInfo(ruta).fileName(), tabla));
      throw plat::ErrorDeSistema(QStringLiteral("No se pudo abrir ") + ruta, errno);
    }
    char cab[24] = {};
    if (LeeEn(fd_.fd(), cab, sizeof cab, 0, tabla) < static_cast<qint64>(sizeof cab))
      throw Corrupto(tabla, QStringLiteral("archivo de memos incompleto"));
    bloque_ = kBloqueMemo;
    if (iv_) {
      const int b = Lee16(cab + kMemoPosBloqueIV);
      if (b >= 64 && b <= 32768) bloque_ = b;
    }
  }

  // The text of the memo starting at block `n`.
  QString Lee(quint32 n, const QString& campo) { return fs::DeCp1252(LeeBytes(n, campo)); }

  // The bytes of that memo's text as stored.
  QByteArray LeeBytes(quint32 n, const QString& campo) {
    const qint64 pos = static_cast<qint64>(n) * bloque_;
    char marca[8];
    const qint64 leidos = LeeEn(fd_.fd(), marca, sizeof marca, pos, tabla_);
    if (leidos < 1) throw NoLegible(campo, n);
    if (leidos == 8 && std::memcmp(marca, kMemoMarcaIV, 4) == 0) {
      const quint32 largo = Lee32(marca + 4);
      if (largo < kMemoCabeceraIV || pos + largo > Tamano(fd_.fd(), tabla_)) throw NoLegible(campo, n);
      QByteArray texto(static_cast<qsizetype>(largo - kMemoCabeceraIV), Qt::Uninitialized);
      if (LeeEn(fd_.fd(), texto.data(), texto.size(), pos + kMemoCabeceraIV, tabla_) != texto.size())
        throw NoLegible(campo, n);
      return texto;
    }
    // III layout: the text runs to the first 0x1A.
    QByteArray texto;
    char trozo[kBloqueMemo];
    for (qint64 p = pos;; p += kBloqueMemo) {
      const qint64 r = LeeEn(fd_.fd(), trozo, kBloqueMemo, p, tabla_);
      const char* fin = static_cast<const char*>(std::memchr(trozo, kFinArchivo, static_cast<size_t>(r)));
      if (fin) {
        texto.append(trozo, fin - trozo);
        break;
      }
      texto.append(trozo, r);
      if (r < kBloqueMemo) break;
    }
    return texto;
  }

  // A memo's text as the file stores it, padded to whole blocks.
  QByteArray Bloques(const QByteArray& texto) const {
    QByteArray datos;
    if (iv_) {
      datos.append(reinterpret_cast<const char*>(kMemoMarcaIV), 4);
      char largo[4];
      Pon32(largo, static_cast<quint32>(texto.size() + kMemoCabeceraIV));
      datos.append(largo, 4);
      datos.append(texto);
    } else {
      datos.append(texto);
      datos.append(kFinArchivo).append(kFinArchivo);
    }
    const qint64 bloques = (datos.size() + bloque_ - 1) / bloque_;
    datos.append(QByteArray(bloques * bloque_ - datos.size(), '\0'));
    return datos;
  }

  // The file's header block with no memo after it (block 1 next): the start
  // of a new memo file of the same layout.
  QByteArray SinMemos() {
    QByteArray c(bloque_, '\0');
    LeeEn(fd_.fd(), c.data(), c.size(), 0, tabla_);
    Pon32(c.data() + kMemoPosSiguiente, 1);
    return c;
  }

  int Bloque() const { return bloque_; }
  const QString& Ruta() const { return ruta_; }
  mode_t Modo() const {
    struct stat st {};
    ::fstat(fd_.fd(), &st);
    return st.st_mode & 07777;
  }
  // Works on a new file put in place of the old one.
  void Usa(int fd) { fd_.Cambia(fd); }

  // Appends a memo; returns its first block. The caller holds the table's
  // write lock.
  quint32 Escribe(const QString& texto) {
    char cab[4];
    if (LeeEn(fd_.fd(), cab, 4, 0, tabla_) < 4) throw Corrupto(tabla_, QStringLiteral("archivo de memos incompleto"));
    quint32 siguiente = Lee32(cab);
    const qint64 tam = Tamano(fd_.fd(), tabla_);
    const quint32 porTamano = static_cast<quint32>((tam + bloque_ - 1) / bloque_);
    if (siguiente < 1 || siguiente < porTamano) siguiente = std::max<quint32>(1, porTamano);
    const QByteArray datos = Bloques(fs::ACp1252(texto));
    const qint64 bloques = datos.size() / bloque_;
    EscribeEn(fd_.fd(), datos.constData(), datos.size(), static_cast<qint64>(siguiente) * bloque_, tabla_);
    Pon32(cab, static_cast<quint32>(siguiente + bloques));
    EscribeEn(fd_.fd(), cab, 4, 0, tabla_);
    return siguiente;
  }

  // The header block of a new, empty memo file (dBASE III layout).
  static QByteArray CabeceraNueva() {
    QByteArray c(kBloqueMemo, '\0');
    Pon32(c.data() + kMemoPosSiguiente, 1);
    c[kMemoPosVersionIII] = 0x03;
    return c;
  }

 private:
  Error NoLegible(const QString& campo, quint32 n) const {
    return Error(Clase::Conversion, QStringLiteral("El memo del campo %1 de la tabla %2 no se puede leer (bloque %3)")
                                        .arg(campo, tabla_).arg(n));
  }

  QString ruta_;
  QString tabla_;
  bool iv_;
  int bloque_ = kBloqueMemo;
  Descriptor fd_;
};

// ---------------------------------------------------------------------------
// Field layout.

struct InfoCampo {
  int desde = 0;  // offset in the record
  int ancho = 0;
  int decimales = 0;
  char letra = 'C';
  TipoDato tipo = TipoDato::Texto;
};

struct Estructura {
  QByteArray cabecera;  // the header bytes up to the header length
  QVector<DefCampo> campos;
  std::vector<InfoCampo> info;
  int longCabecera = 0;
  int longRegistro = 0;
  unsigned char version = 0;
};

Estructura LeeEstructura(int fd, const QString& tabla) {
  Estructura e;
  const qint64 tam = Tamano(fd, tabla);
  if (tam < kLongCabecera) throw Corrupto(tabla, QStringLiteral("archivo incompleto"));
  char cab[kLongCabecera];
  LeeEn(fd, cab, kLongCabecera, 0, tabla);
  e.version = static_cast<unsigned char>(cab[kPosVersion]);
  if (!VersionConocida(e.version))
    throw Corrupto(tabla, QStringLiteral("versión 0x%1 desconocida").arg(e.version, 2, 16, QLatin1Char('0')));
  e.longCabecera = Lee16(cab + kPosLongCabecera);
  e.longRegistro = Lee16(cab + kPosLongRegistro);
  if (e.longCabecera < kLongCabecera + kLongDescriptor + 1 || e.longRegistro < 2)
    throw Corrupto(tabla, QStringLiteral("cabecera inválida"));
  if (tam < e.longCabecera) throw Corrupto(tabla, QStringLiteral("archivo incompleto"));
  e.cabecera.resize(e.longCabecera);
  LeeEn(fd, e.cabecera.data(), e.longCabecera, 0, tabla);
  int desde = 1;
  int pos = kLongCabecera;
  for (;; pos += kLongDescriptor) {
    if (pos >= e.longCabecera) throw Corrupto(tabla, QStringLiteral("falta el fin de los campos"));
    if (e.cabecera[pos] == kFinDescriptores) break;
    if (pos + kLongDescriptor > e.longCabecera) throw Corrupto(tabla, QStringLiteral("descriptor incompleto"));
    const char* d = e.cabecera.constData() + pos;
    const int largoNombre = static_cast<int>(strnlen(d + kDescNombre, kDescLongNombre));
    DefCampo def;
    def.nombre = QString::fromLatin1(d + kDescNombre, largoNombre).trimmed();
    def.tipo = QLatin1Char(d[kDescTipo]);
    def.ancho = static_cast<unsigned char>(d[kDescAncho]);
    def.decimales = static_cast<unsigned char>(d[kDescDecimales]);
    InfoCampo i;
    i.letra = static_cast<char>(std::toupper(static_cast<unsigned char>(d[kDescTipo])));
    def.tipo = QLatin1Char(i.letra);
    bool valido = !def.nombre.isEmpty() && def.ancho > 0;
    switch (i.letra) {
      case 'C': def.decimales = 0; break;
      case 'N': case 'F': valido = valido && def.decimales < def.ancho; break;
      case 'D': valido = valido && def.ancho == kAnchoFecha; def.decimales = 0; break;
      case 'L': valido = valido && def.ancho == kAnchoLogico; def.decimales = 0; break;
      case 'M': valido = valido && def.ancho <= kAnchoMemo; def.decimales = 0; break;
      default: valido = false;
    }
    if (!valido)
      throw Corrupto(tabla, QStringLiteral("campo %1 de tipo '%2' y ancho %3 inválido")
                                .arg(def.nombre, QString(QLatin1Char(d[kDescTipo]))).arg(def.ancho));
    i.desde = desde;
    i.ancho = def.ancho;
    i.decimales = def.decimales;
    i.tipo = TipoDatoDe(def);
    desde += def.ancho;
    e.campos.append(def);
    e.info.push_back(i);
  }
  if (e.campos.isEmpty()) throw Corrupto(tabla, QStringLiteral("sin campos"));
  if (desde != e.longRegistro) throw Corrupto(tabla, QStringLiteral("la longitud de registro no cuadra con los campos"));
  return e;
}

// ---------------------------------------------------------------------------
// The storage.

class AlmacenDbf final : public Almacen {
 public:
  AlmacenDbf(const QString& ruta, const QString& nombre, ModoAlmacen modo) : ruta_(ruta), nombre_(nombre), modo_(modo) {
    // A read-only handle opens the file for writing too when it may: it
    // then finishes a write another station left halfway (Rehace).
    fd_.Cambia(::open(Local8(ruta).constData(), O_RDWR | O_CLOEXEC));
    if (fd_.fd() < 0 && modo.soloLectura && !modo.exclusivo && (errno == EACCES || errno == EROFS)) {
      escribible_ = false;
      fd_.Cambia(::open(Local8(ruta).constData(), O_RDONLY | O_CLOEXEC));
    }
    if (fd_.fd() < 0) {
      if (errno == ENOENT || errno == ENOTDIR)
        throw Error(Clase::NoExiste, QStringLiteral("La tabla %1 no existe").arg(nombre));
      throw plat::ErrorDeSistema(QStringLiteral("No se pudo abrir la tabla ") + nombre, errno);
    }
    TomaApertura(fd_.fd());
    {
      Lectura l(*this);
      e_ = LeeEstructura(fd_.fd(), nombre_);
      cuenta_ = CuentaPresente();
    }
    // A writer that died between a record and the header's count left the
    // count behind: a write open sets it right, so readers that trust it
    // see every whole record.
    if (!modo_.soloLectura && Lee32(e_.cabecera.constData() + kPosCuenta) != cuenta_) {
      Escritura e(*this);
      SanaCuenta();
    }
    indiceProduccion_ = e_.cabecera[kPosIndiceProduccion] != 0;
    for (const InfoCampo& i : e_.info) {
      if (i.letra == 'M') {
        memos_ = std::make_unique<Memos>(RutaCompanero(ruta_, QStringLiteral("dbt")), nombre_, MemoIV(e_.version),
                                         modo_.soloLectura);
        break;
      }
    }
    capacidad_ = std::max<qint64>(1, kBytesPorBloque / e_.longRegistro);
  }

  const QString& Nombre() const override { return nombre_; }
  const QVector<DefCampo>& Campos() const override { return e_.campos; }
  ModoAlmacen Modo() const override { return modo_; }
  qint64 Cuenta() const override { return cuenta_; }

  void Refresca() override {
    Lectura l(*this);
    cuenta_ = CuentaPresente();
    numCache_ = 0;
  }

  const char* Lee(qint64 n) override {
    if (n < 1 || n > cuenta_) return nullptr;
    if (n >= iniCache_ && n < iniCache_ + numCache_) return cache_.data() + (n - iniCache_) * e_.longRegistro;
    // A read just after the cached records fills a block from n (forward
    // walks); one just before fills the block that ends at n (backward
    // walks); any other read takes the record alone, as an index order or a
    // key search jumps about the file.
    qint64 ini = n;
    qint64 num = 1;
    if (numCache_ > 0 && n == iniCache_ + numCache_) {
      num = std::min(capacidad_, cuenta_ - n + 1);
    } else if (numCache_ > 0 && n == iniCache_ - 1) {
      ini = std::max<qint64>(1, n - capacidad_ + 1);
      num = n - ini + 1;
    }
    cache_.resize(static_cast<size_t>(num * e_.longRegistro));
    qint64 leidos;
    {
      Lectura l(*this);
      leidos = LeeEn(fd_.fd(), cache_.data(), num * e_.longRegistro, Posicion(ini), nombre_);
    }
    iniCache_ = ini;
    numCache_ = leidos / e_.longRegistro;
    if (n >= iniCache_ + numCache_) {
      numCache_ = 0;
      throw Corrupto(nombre_, QStringLiteral("el registro %1 falta en el archivo").arg(n));
    }
    return cache_.data() + (n - iniCache_) * e_.longRegistro;
  }

  const char* LeeConIndiceBloqueado(qint64 n) override {
    if (n > cuenta_) cuenta_ = CuentaPresente();  // appended by another station since
    if (n < 1 || n > cuenta_) return nullptr;
    char* destino;
    if (n >= iniCache_ && n < iniCache_ + numCache_) {
      destino = cache_.data() + (n - iniCache_) * e_.longRegistro;
    } else {
      cache_.resize(static_cast<size_t>(e_.longRegistro));
      iniCache_ = n;
      numCache_ = 0;
      destino = cache_.data();
    }
    if (LeeEn(fd_.fd(), destino, e_.longRegistro, Posicion(n), nombre_) != e_.longRegistro) {
      numCache_ = 0;
      throw Corrupto(nombre_, QStringLiteral("el registro %1 falta en el archivo").arg(n));
    }
    if (numCache_ == 0) numCache_ = 1;
    return destino;
  }

  bool Borrado(const char* registro) const override { return registro[0] == kBorrado; }
  void Revive(Registro& r) const override { r.datos[0] = kVivo; }

  bool Nulo(const char* registro, int campo) override {
    const InfoCampo& i = e_.info[static_cast<size_t>(campo)];
    const char* p = registro + i.desde;
    if (i.letra == 'L') return p[0] == ' ' || p[0] == '?';
    if (i.letra == 'M') return !Valor(registro, campo).isValid();
    for (int k = 0; k < i.ancho; ++k)
      if (p[k] != ' ' && p[k] != '\0') return i.letra == 'D' && std::memcmp(p, "00000000", 8) == 0;
    return true;
  }

  QVariant Valor(const char* registro, int campo) override {
    const InfoCampo& i = e_.info[static_cast<size_t>(campo)];
    const char* p = registro + i.desde;
    const int fin = FinSinBlancos(p, i.ancho);
    switch (i.letra) {
      case 'C':
        if (fin == 0) return {};
        return fs::DeCp1252(p, fin);
      case 'N':
      case 'F': {
        const int ini = InicioSinBlancos(p, fin);
        if (ini == fin) return {};
        if (i.tipo == TipoDato::Entero) {
          if (auto v = LeeEnteroTexto(p + ini, fin - ini)) return QVariant::fromValue<qint64>(*v);
        }
        if (auto v = LeeRealTexto(p + ini, fin - ini)) {
          if (i.tipo == TipoDato::Entero) return QVariant::fromValue<qint64>(RedondeaEntero(*v));
          return *v;
        }
        throw Ilegible(i, campo, p);
      }
      case 'D': {
        if (fin == 0 || std::memcmp(p, "00000000", 8) == 0) return {};
        const QDate d = LeeFechaDbf(p, fin);
        if (!d.isValid()) throw Ilegible(i, campo, p);
        return d;
      }
      case 'L':
        switch (p[0]) {
          case 'T': case 't': case 'Y': case 'y': return true;
          case 'F': case 'f': case 'N': case 'n': return false;
          case ' ': case '?': case '\0': return {};
          default: throw Ilegible(i, campo, p);
        }
      case 'M': {
        const int ini = InicioSinBlancos(p, fin);
        if (ini == fin) return {};
        const auto bloque = LeeEnteroTexto(p + ini, fin - ini);
        if (!bloque || *bloque < 0 || *bloque > 0xFFFFFFFFll) throw Ilegible(i, campo, p);
        if (*bloque == 0) return {};
        const QString texto = memos_->Lee(static_cast<quint32>(*bloque), e_.campos[campo].nombre);
        if (texto.isEmpty()) return {};
        return texto;
      }
    }
    return {};
  }

  Registro Vacio() const override {
    Registro r;
    r.datos = QByteArray(e_.longRegistro, ' ');
    return r;
  }

  Registro Carga(qint64 n) override {
    Registro r;
    r.datos.resize(e_.longRegistro);
    qint64 leidos;
    {
      Lectura l(*this);
      if (n < 1 || n > CuentaPresente()) throw Error(Clase::NoExiste, QStringLiteral("La tabla %1 no tiene el registro %2").arg(nombre_).arg(n));
      leidos = LeeEn(fd_.fd(), r.datos.data(), e_.longRegistro, Posicion(n), nombre_);
    }
    if (leidos != e_.longRegistro) throw Corrupto(nombre_, QStringLiteral("el registro %1 está incompleto").arg(n));
    ActualizaCache(n, r.datos.constData());
    return r;
  }

  void Fija(Registro& r, int campo, const QVariant& valor) const override {
    const InfoCampo& i = e_.info[static_cast<size_t>(campo)];
    const DefCampo& def = e_.campos[campo];
    char* p = r.datos.data() + i.desde;
    if (i.letra == 'M') {
      r.memos[campo] = valor.isValid() ? valor.toString() : QString();
      return;
    }
    if (!valor.isValid() || (valor.typeId() == QMetaType::QString && valor.toString().isEmpty())) {
      std::memset(p, ' ', static_cast<size_t>(i.ancho));
      return;
    }
    switch (i.letra) {
      case 'C': {
        // A longer text is cut to the field's width, as the routines expect.
        const QByteArray b = fs::ACp1252(valor.toString()).left(i.ancho);
        std::memcpy(p, b.constData(), static_cast<size_t>(b.size()));
        std::memset(p + b.size(), ' ', static_cast<size_t>(i.ancho - b.size()));
        return;
      }
      case 'N':
      case 'F': {
        std::string texto;
        bool cabe;
        if (valor.typeId() == QMetaType::LongLong || valor.typeId() == QMetaType::Int)
          cabe = FormateaNumero(valor.toLongLong(), i.ancho, i.decimales, texto);
        else
          cabe = FormateaNumero(valor.toDouble(), i.ancho, i.decimales, texto);
        if (!cabe)
          throw Error(Clase::NoCabe, QStringLiteral("El valor %1 no cabe en el campo %2 (%3,%4) de la tabla %5")
                                         .arg(valor.toString(), def.nombre)
                                         .arg(i.ancho)
                                         .arg(i.decimales)
                                         .arg(nombre_));
        std::memset(p, ' ', static_cast<size_t>(i.ancho));
        std::memcpy(p + i.ancho - texto.size(), texto.data(), texto.size());
        return;
      }
      case 'D': {
        const QDate d = valor.toDate();
        if (!d.isValid() || d.year() < 1 || d.year() > 9999)
          throw Error(Clase::NoCabe, QStringLiteral("La fecha no cabe en el campo %1 de la tabla %2").arg(def.nombre, nombre_));
        const QByteArray b = d.toString(QStringLiteral("yyyyMMdd")).toLatin1();
        std::memcpy(p, b.constData(), 8);
        return;
      }
      case 'L':
        p[0] = valor.toBool() ? 'T' : 'F';
        return;
    }
  }

  QVariant ValorDe(const Registro& r, int campo) override {
    auto m = r.memos.constFind(campo);
    if (m != r.memos.constEnd()) return m->isEmpty() ? QVariant() : QVariant(*m);
    return Valor(r.datos.constData(), campo);
  }

  void Graba(qint64 n, Registro& r, const PasosEscritura& pasos) override {
    ExigeEscritura();
    Escritura e(*this);
    SanaCuenta();
    if (n < 1 || n > CuentaPresente()) throw Error(Clase::NoExiste, QStringLiteral("La tabla %1 no tiene el registro %2").arg(nombre_).arg(n));
    EscribeMemos(r);
    if (pasos.antes) pasos.antes(n, r.datos);
    falla::Punto(puntos::kRegistroAMedias, [&] { EscribeEn(fd_.fd(), r.datos.constData(), e_.longRegistro / 2, Posicion(n), nombre_); });
    EscribeEn(fd_.fd(), r.datos.constData(), e_.longRegistro, Posicion(n), nombre_);
    ActualizaCache(n, r.datos.constData());
    PonFechaHoy(false, 0);
    falla::Punto(puntos::kAntesDeClaves);
    if (pasos.despues) pasos.despues(n);
  }

  qint64 Agrega(Registro& r, const PasosEscritura& pasos) override {
    ExigeEscritura();
    Escritura e(*this);
    const qint64 presentes = CuentaPresente();
    const qint64 n = presentes + 1;
    if (n > 0xFFFFFFFFll) throw Error(Clase::NoCabe, QStringLiteral("La tabla %1 está llena").arg(nombre_));
    EscribeMemos(r);
    r.datos[0] = pasos.borrado ? kBorrado : kVivo;
    if (pasos.antes) pasos.antes(n, r.datos);
    falla::Punto(puntos::kRegistroAMedias, [&] { EscribeEn(fd_.fd(), r.datos.constData(), e_.longRegistro / 2, Posicion(n), nombre_); });
    EscribeConFin(r.datos, Posicion(n));
    CacheaAgregado(n, r.datos.constData());
    falla::Punto(puntos::kAntesDeClaves);
    if (pasos.despues) pasos.despues(n);
    falla::Punto(puntos::kAntesDeCuenta);
    PonFechaHoy(true, n);
    cuenta_ = n;
    return n;
  }

  qint64 Inserta(qint64, Registro& r, const PasosEscritura& pasos) override { return Agrega(r, pasos); }

  void Borra(qint64 n, const PasosEscritura& pasos) override {
    ExigeEscritura();
    Escritura e(*this);
    SanaCuenta();
    if (n < 1 || n > CuentaPresente()) throw Error(Clase::NoExiste, QStringLiteral("La tabla %1 no tiene el registro %2").arg(nombre_).arg(n));
    if (pasos.antes) {
      QByteArray final(e_.longRegistro, Qt::Uninitialized);
      if (LeeEn(fd_.fd(), final.data(), e_.longRegistro, Posicion(n), nombre_) != e_.longRegistro)
        throw Corrupto(nombre_, QStringLiteral("el registro %1 está incompleto").arg(n));
      final[0] = kBorrado;
      pasos.antes(n, final);
    }
    const char marca = kBorrado;
    EscribeEn(fd_.fd(), &marca, 1, Posicion(n), nombre_);
    if (n >= iniCache_ && n < iniCache_ + numCache_) cache_[static_cast<size_t>((n - iniCache_) * e_.longRegistro)] = kBorrado;
    PonFechaHoy(false, 0);
    falla::Punto(puntos::kAntesDeClaves);
    if (pasos.despues) pasos.despues(n);
  }

  void Rehace(qint64 n, const QByteArray& registro, bool alFinal) override {
    if (!escribible_)
      throw Error(Clase::Io, QStringLiteral("La tabla %1 no se puede escribir para terminar una escritura interrumpida").arg(nombre_));
    Escritura e(*this);
    if (registro.isEmpty()) {
      if (::ftruncate(fd_.fd(), static_cast<off_t>(Posicion(n))) != 0)
        throw plat::ErrorDeSistema(QStringLiteral("No se pudo escribir la tabla ") + nombre_, errno);
      const char fin = kFinArchivo;
      EscribeEn(fd_.fd(), &fin, 1, Posicion(n), nombre_);
      PonFechaHoy(true, n - 1);
    } else if (alFinal) {
      EscribeConFin(registro, Posicion(n));
      PonFechaHoy(true, n);
    } else {
      EscribeEn(fd_.fd(), registro.constData(), e_.longRegistro, Posicion(n), nombre_);
      PonFechaHoy(false, 0);
    }
    cuenta_ = CuentaPresente();
    numCache_ = 0;
  }

  ReparacionFin ReparaFin() override {
    ExigeExclusivo();
    Escritura e(*this);
    ReparacionFin r;
    char cuenta[4];
    LeeEn(fd_.fd(), cuenta, 4, kPosCuenta, nombre_);
    r.cuentaCabecera = Lee32(cuenta);
    const qint64 datos = Tamano(fd_.fd(), nombre_) - e_.longCabecera;
    qint64 enteros = datos / e_.longRegistro;
    const qint64 resto = datos % e_.longRegistro;
    if (resto == 0) {
      const char fin = kFinArchivo;
      EscribeEn(fd_.fd(), &fin, 1, Posicion(enteros + 1), nombre_);
      r.finAgregado = true;
    } else {
      QByteArray pieza(resto, Qt::Uninitialized);
      LeeEn(fd_.fd(), pieza.data(), resto, Posicion(enteros + 1), nombre_);
      // A piece that starts with the end mark is no record.
      if (pieza[0] != kFinArchivo) {
        QByteArray registro = pieza + QByteArray(e_.longRegistro - resto, ' ');
        if (registro[0] != kBorrado) registro[0] = kVivo;
        for (size_t c = 0; c < e_.info.size(); ++c) {
          try {
            Valor(registro.constData(), static_cast<int>(c));
          } catch (const Error&) {
            std::memset(registro.data() + e_.info[c].desde, ' ', static_cast<size_t>(e_.info[c].ancho));
          }
        }
        ++enteros;
        EscribeConFin(registro, Posicion(enteros));
        r.completado = enteros;
        r.blancos = e_.longRegistro - resto;
      }
    }
    if (r.cuentaCabecera != enteros) PonFechaHoy(true, enteros);
    r.registros = enteros;
    cuenta_ = enteros;
    numCache_ = 0;
    return r;
  }

  void Bloquea(qint64 n) override {
    ExigeEscritura();
    if (bloqueados_.contains(n)) return;
    if (!IntentaBloqueo(fd_.fd(), kBloqueoRegistros + n, TipoBloqueo::Exclusivo))
      throw Error(Clase::Bloqueado,
                  QStringLiteral("El registro %1 de la tabla %2 está bloqueado por otro usuario").arg(n).arg(nombre_));
    bloqueados_.insert(n);
  }

  void Libera(qint64 n) override {
    if (!bloqueados_.remove(n)) return;
    QuitaBloqueo(fd_.fd(), kBloqueoRegistros + n);
  }

  void LiberaBloqueos() override {
    for (qint64 n : std::as_const(bloqueados_)) QuitaBloqueo(fd_.fd(), kBloqueoRegistros + n);
    bloqueados_.clear();
  }

  void TomaNumeracion() override {
    ExigeEscritura();
    if (numerando_) return;
    try {
      EsperaBloqueo(fd_.fd(), kBloqueoNumeracion, TipoBloqueo::Exclusivo, nombre_);
    } catch (const Error& e) {
      if (e.clase() != Clase::EnUso) throw;
      throw Error(Clase::EnUso, QStringLiteral("La numeración de la tabla %1 está ocupada por otra estación").arg(nombre_));
    }
    numerando_ = true;
  }

  void SueltaNumeracion() override {
    if (!numerando_) return;
    QuitaBloqueo(fd_.fd(), kBloqueoNumeracion);
    numerando_ = false;
  }

  void Vacia() override {
    ExigeExclusivo();
    QByteArray bytes = e_.cabecera;
    Pon32(bytes.data() + kPosCuenta, 0);
    PonFecha(bytes.data(), fs::Hoy());
    bytes.append(kFinArchivo);
    Reemplaza(bytes, memos_ ? memos_->SinMemos() : QByteArray());
  }

  // The live records in order, and a memo file holding only their memos
  // (renumbered from block 1), both put in place of the old files.
  void Empaca() override {
    ExigeExclusivo();
    const qint64 total = CuentaPresente();
    QByteArray bytes = e_.cabecera;
    bytes.reserve(e_.longCabecera + total * e_.longRegistro + 1);
    QByteArray memos = memos_ ? memos_->SinMemos() : QByteArray();
    std::vector<char> bloque(static_cast<size_t>(capacidad_ * e_.longRegistro));
    qint64 vivos = 0;
    for (qint64 ini = 1; ini <= total; ini += capacidad_) {
      const qint64 num = std::min(capacidad_, total - ini + 1);
      LeeEn(fd_.fd(), bloque.data(), num * e_.longRegistro, Posicion(ini), nombre_);
      for (qint64 k = 0; k < num; ++k) {
        const char* reg = bloque.data() + k * e_.longRegistro;
        if (reg[0] == kBorrado) continue;
        bytes.append(reg, e_.longRegistro);
        if (memos_) MudaMemos(bytes.data() + bytes.size() - e_.longRegistro, memos);
        ++vivos;
      }
    }
    Pon32(bytes.data() + kPosCuenta, static_cast<quint32>(vivos));
    PonFecha(bytes.data(), fs::Hoy());
    bytes.append(kFinArchivo);
    if (memos_) Pon32(memos.data() + kMemoPosSiguiente, static_cast<quint32>(memos.size() / memos_->Bloque()));
    Reemplaza(bytes, memos);
  }

  bool TieneIndiceProduccion() const override { return indiceProduccion_; }

  void FijaIndiceProduccion(bool si, const QStringList& camposConTag) override {
    ExigeEscritura();
    Escritura e(*this);
    // The header as it stands now (the count of every append since the
    // open), with the flags changed.
    SanaCuenta();
    LeeEn(fd_.fd(), e_.cabecera.data(), kLongCabecera, 0, nombre_);
    e_.cabecera[kPosIndiceProduccion] = si ? 1 : 0;
    for (int k = 0; k < e_.campos.size(); ++k) {
      const bool tag = si && camposConTag.contains(e_.campos[k].nombre, Qt::CaseInsensitive);
      e_.cabecera[kLongCabecera + k * kLongDescriptor + kDescTag] = tag ? 1 : 0;
    }
    EscribeEn(fd_.fd(), e_.cabecera.constData(), kLongCabecera + e_.campos.size() * kLongDescriptor, 0, nombre_);
    indiceProduccion_ = si;
  }

 private:
  // Shared hold of the write byte while reading records or the size, unless
  // this handle is writing (a shared request would turn its exclusive hold
  // into a shared one).
  class Lectura {
   public:
    explicit Lectura(AlmacenDbf& a) : a_(a), propia_(!a.escribiendo_) {
      if (propia_) EsperaBloqueo(a_.fd_.fd(), kBloqueoEscritura, TipoBloqueo::Compartido, a_.nombre_);
    }
    ~Lectura() {
      if (propia_) QuitaBloqueo(a_.fd_.fd(), kBloqueoEscritura);
    }

   private:
    AlmacenDbf& a_;
    bool propia_;
  };

  class Escritura {
   public:
    explicit Escritura(AlmacenDbf& a) : a_(a) {
      EsperaBloqueo(a_.fd_.fd(), kBloqueoEscritura, TipoBloqueo::Exclusivo, a_.nombre_);
      a_.escribiendo_ = true;
    }
    ~Escritura() {
      a_.escribiendo_ = false;
      QuitaBloqueo(a_.fd_.fd(), kBloqueoEscritura);
    }

   private:
    AlmacenDbf& a_;
  };

  void TomaApertura(int fd) {
    const bool excl = modo_.exclusivo;
    if (IntentaBloqueo(fd, kBloqueoApertura, excl ? TipoBloqueo::Exclusivo : TipoBloqueo::Compartido)) return;
    if (excl)
      throw Error(Clase::EnUso, QStringLiteral("La tabla %1 está abierta por otro usuario; no se puede usar en exclusiva").arg(nombre_));
    throw Error(Clase::EnUso, QStringLiteral("La tabla %1 está en uso exclusivo por otro usuario").arg(nombre_));
  }

  qint64 Posicion(qint64 n) const { return e_.longCabecera + (n - 1) * static_cast<qint64>(e_.longRegistro); }

  // Whole records present in the file (the caller holds the write byte).
  qint64 CuentaPresente() const {
    const qint64 tam = Tamano(fd_.fd(), nombre_);
    return std::max<qint64>(0, (tam - e_.longCabecera) / e_.longRegistro);
  }

  // Sets the header's record count to the whole records present when it
  // differs (a writer died before writing it); the caller holds the write
  // byte exclusive.
  void SanaCuenta() {
    if (!escribible_) return;
    char cuenta[4];
    LeeEn(fd_.fd(), cuenta, 4, kPosCuenta, nombre_);
    const qint64 presentes = CuentaPresente();
    if (Lee32(cuenta) != presentes) PonFechaHoy(true, presentes);
  }

  void ExigeEscritura() const {
    if (modo_.soloLectura)
      throw Error(Clase::Estado, QStringLiteral("La tabla %1 está abierta sólo para lectura").arg(nombre_));
  }

  void ExigeExclusivo() const {
    ExigeEscritura();
    if (!modo_.exclusivo)
      throw Error(Clase::EnUso, QStringLiteral("Se necesita el uso exclusivo de la tabla %1").arg(nombre_));
  }

  void EscribeMemos(Registro& r) {
    for (auto it = r.memos.cbegin(); it != r.memos.cend(); ++it) {
      const InfoCampo& i = e_.info[static_cast<size_t>(it.key())];
      char* p = r.datos.data() + i.desde;
      std::memset(p, ' ', static_cast<size_t>(i.ancho));
      if (it->isEmpty()) continue;
      const QByteArray n = QByteArray::number(memos_->Escribe(*it));
      std::memcpy(p + i.ancho - n.size(), n.constData(), static_cast<size_t>(n.size()));
    }
    r.memos.clear();
  }

  // The record and the end mark in one write.
  void EscribeConFin(const QByteArray& datos, qint64 pos) {
    static const char fin = kFinArchivo;
    struct iovec partes[2] = {{const_cast<char*>(datos.constData()), static_cast<size_t>(datos.size())},
                              {const_cast<char*>(&fin), 1}};
    const ssize_t total = datos.size() + 1;
    ssize_t r;
    do {
      r = ::pwritev(fd_.fd(), partes, 2, static_cast<off_t>(pos));
    } while (r < 0 && errno == EINTR);
    if (r < 0) throw plat::ErrorDeSistema(QStringLiteral("No se pudo escribir la tabla ") + nombre_, errno);
    if (r < total) {
      QByteArray resto = datos + QByteArray(1, kFinArchivo);
      EscribeEn(fd_.fd(), resto.constData() + r, total - r, pos + r, nombre_);
    }
  }

  // Today's date from the clock, read again at most once a second (reading
  // the local time zone costs a file check each time).
  QDate Hoy() {
    if (!relojFecha_.isValid() || relojFecha_.elapsed() >= 1000) {
      fechaHoy_ = fs::Hoy();
      relojFecha_.start();
    }
    return fechaHoy_;
  }

  // Stamps today's date (and the record count) in the header.
  void PonFechaHoy(bool conCuenta, qint64 cuenta) {
    char cab[8];
    std::memcpy(cab, e_.cabecera.constData(), 8);
    PonFecha(cab, Hoy());
    const bool fechaNueva = std::memcmp(cab + kPosFecha, e_.cabecera.constData() + kPosFecha, 3) != 0;
    if (conCuenta) Pon32(cab + kPosCuenta, static_cast<quint32>(cuenta));
    if (!conCuenta && !fechaNueva) return;
    EscribeEn(fd_.fd(), cab + kPosFecha, conCuenta ? 7 : 3, kPosFecha, nombre_);
    std::memcpy(e_.cabecera.data() + kPosFecha, cab + kPosFecha, 3);
  }

  void ActualizaCache(qint64 n, const char* datos) {
    if (n >= iniCache_ && n < iniCache_ + numCache_)
      std::memcpy(cache_.data() + (n - iniCache_) * e_.longRegistro, datos, static_cast<size_t>(e_.longRegistro));
  }

  // Keeps an appended record in the cache (the dataset stands on it next):
  // after the cached block when it ends just before, else as a block alone.
  void CacheaAgregado(qint64 n, const char* datos) {
    const size_t largo = static_cast<size_t>(e_.longRegistro);
    if (numCache_ > 0 && iniCache_ + numCache_ == n && numCache_ < capacidad_) {
      cache_.insert(cache_.begin() + static_cast<std::ptrdiff_t>(numCache_ * e_.longRegistro), datos, datos + largo);
      ++numCache_;
      return;
    }
    cache_.assign(datos, datos + largo);
    iniCache_ = n;
    numCache_ = 1;
  }

  // Replaces the whole file (exclusive use), keeping this handle's open and
  // numbering locks.
  // Copies the memos of a record into a new memo file being built, and
  // points the record's memo fields at their new blocks.
  void MudaMemos(char* registro, QByteArray& memos) {
    for (size_t c = 0; c < e_.info.size(); ++c) {
      const InfoCampo& i = e_.info[c];
      if (i.letra != 'M') continue;
      char* p = registro + i.desde;
      const int fin = FinSinBlancos(p, i.ancho);
      const int ini = InicioSinBlancos(p, fin);
      if (ini == fin) continue;
      const auto bloque = LeeEnteroTexto(p + ini, fin - ini);
      if (!bloque || *bloque < 0 || *bloque > 0xFFFFFFFFll) throw Ilegible(i, static_cast<int>(c), p);
      std::memset(p, ' ', static_cast<size_t>(i.ancho));
      if (*bloque == 0) continue;
      const QByteArray texto = memos_->LeeBytes(static_cast<quint32>(*bloque), e_.campos[static_cast<int>(c)].nombre);
      if (texto.isEmpty()) continue;
      const QByteArray n = QByteArray::number(memos.size() / memos_->Bloque());
      memos += memos_->Bloques(texto);
      std::memcpy(p + i.ancho - n.size(), n.constData(), static_cast<size_t>(n.size()));
    }
  }

  // Replaces the whole file (exclusive use), keeping this handle's open and
  // numbering locks, and with it the memo file when `memos` holds one. Both
  // new files are written whole before either is renamed in.
  void Reemplaza(const QByteArray& bytes, const QByteArray& memos = {}) {
    struct stat st {};
    ::fstat(fd_.fd(), &st);
    std::unique_ptr<ArchivoNuevo> dbt;
    if (memos_ && !memos.isEmpty()) dbt = std::make_unique<ArchivoNuevo>(memos_->Ruta(), memos, memos_->Modo(), nombre_);
    ArchivoNuevo dbf(ruta_, bytes, st.st_mode & 07777, nombre_);
    LiberaBloqueos();
    if (dbt) memos_->Usa(dbt->Instala());
    fd_.Cambia(dbf.Instala([this](int fd) {
      IntentaBloqueo(fd, kBloqueoApertura, TipoBloqueo::Exclusivo);
      if (numerando_) IntentaBloqueo(fd, kBloqueoNumeracion, TipoBloqueo::Exclusivo);
    }));
    e_.cabecera = bytes.left(e_.longCabecera);
    cuenta_ = CuentaPresente();
    numCache_ = 0;
  }

  Error Ilegible(const InfoCampo& i, int campo, const char* p) const {
    return Error(Clase::Conversion, QStringLiteral("El campo %1 de la tabla %2 tiene un valor que no se puede leer: \"%3\"")
                                        .arg(e_.campos[campo].nombre, nombre_, fs::DeCp1252(p, i.ancho)));
  }

  QString ruta_;
  QString nombre_;
  ModoAlmacen modo_;
  Descriptor fd_;
  Estructura e_;
  bool indiceProduccion_ = false;
  qint64 cuenta_ = 0;
  std::unique_ptr<Memos> memos_;
  bool escribiendo_ = false;
  bool escribible_ = true;  // the descriptor was opened for writing
  QSet<qint64> bloqueados_;
  bool numerando_ = false;
  std::vector<char> cache_;
  qint64 iniCache_ = 0;
  qint64 numCache_ = 0;
  qint64 capacidad_ = 1;
  QElapsedTimer relojFecha_;
  QDate fechaHoy_;
};

// ---------------------------------------------------------------------------

void ValidaDefiniciones(const QVector<DefCampo>& campos, const QString& tabla) {
  auto mal = [&](const QString& detalle) {
    return Error(Clase::NoCabe, QStringLiteral("No se puede crear la tabla %1: %2").arg(tabla, detalle));
  };
  if (campos.isEmpty()) throw mal(QStringLiteral("no tiene campos"));
  if (campos.size() > kMaxCampos) throw mal(QStringLiteral("tiene más de %1 campos").arg(kMaxCampos));
  QSet<QString> vistos;
  int largo = 1;
  for (const DefCampo& c : campos) {
    const QString n = c.nombre.toUpper();
    bool nombreValido = !n.isEmpty() && n.size() <= 10 && n[0].isLetter();
    for (QChar ch : n) nombreValido = nombreValido && ch.unicode() < 0x80 && (ch.isLetterOrNumber() || ch == u'_');
    if (!nombreValido) throw mal(QStringLiteral("nombre de campo inválido \"%1\"").arg(c.nombre));
    if (vistos.contains(n)) throw mal(QStringLiteral("el campo %1 está repetido").arg(n));
    vistos.insert(n);
    const char t = static_cast<char>(c.tipo.toUpper().toLatin1());
    bool valido;
    switch (t) {
      case 'C': valido = c.ancho >= 1 && c.ancho <= kMaxAnchoTexto; break;
      case 'N': case 'F':
        valido = c.ancho >= 1 && c.ancho <= kMaxAnchoNumero && c.decimales >= 0 &&
                 (c.decimales == 0 || c.decimales <= c.ancho - 2);
        break;
      case 'D': case 'L': case 'M': valido = true; break;
      default: valido = false;
    }
    if (!valido)
      throw mal(QStringLiteral("el campo %1 (tipo '%2', ancho %3, decimales %4) no es válido")
                    .arg(n, QString(c.tipo))
                    .arg(c.ancho)
                    .arg(c.decimales));
    largo += t == 'D' ? kAnchoFecha : t == 'L' ? kAnchoLogico : t == 'M' ? kAnchoMemo : c.ancho;
  }
  if (largo > kMaxLongRegistro) throw mal(QStringLiteral("el registro es demasiado largo"));
}

class FabricaDeDbf final : public FabricaAlmacen {
 public:
  std::unique_ptr<Almacen> Abre(const QString& ruta, const QString& nombre, ModoAlmacen modo) override {
    return std::make_unique<AlmacenDbf>(ruta, nombre, modo);
  }

  void Crea(const QString& ruta, const QString& nombre, const QVector<DefCampo>& campos) override {
    ValidaDefiniciones(campos, nombre);
    bool conMemo = false;
    for (const DefCampo& c : campos) conMemo = conMemo || c.tipo.toUpper() == u'M';
    const int longCab = kLongCabecera + kLongDescriptor * static_cast<int>(campos.size()) + 1;
    QByteArray bytes(longCab, '\0');
    char* cab = bytes.data();
    // Memo tables are made in the dBASE III layout, which every reader knows.
    cab[kPosVersion] = static_cast<char>(conMemo ? kVersionMemoIII : kVersionSinMemo);
    PonFecha(cab, fs::Hoy());
    Pon16(cab + kPosLongCabecera, static_cast<quint16>(longCab));
    cab[kPosIdioma] = static_cast<char>(kIdiomaAnsi);
    int largo = 1;
    for (int k = 0; k < campos.size(); ++k) {
      const DefCampo& c = campos[k];
      char* d = cab + kLongCabecera + k * kLongDescriptor;
      const QByteArray n = c.nombre.toUpper().toLatin1();
      std::memcpy(d + kDescNombre, n.constData(), static_cast<size_t>(n.size()));
      const char t = static_cast<char>(c.tipo.toUpper().toLatin1());
      d[kDescTipo] = t;
      const int ancho = t == 'D' ? kAnchoFecha : t == 'L' ? kAnchoLogico : t == 'M' ? kAnchoMemo : c.ancho;
      d[kDescAncho] = static_cast<char>(ancho);
      d[kDescDecimales] = static_cast<char>(t == 'N' || t == 'F' ? c.decimales : 0);
      largo += ancho;
    }
    cab[longCab - 1] = kFinDescriptores;
    Pon16(cab + kPosLongRegistro, static_cast<quint16>(largo));
    bytes.append(kFinArchivo);

    // An old table of that name is replaced only when nobody has it open.
    Descriptor viejo(::open(Local8(ruta).constData(), O_RDWR | O_CLOEXEC));
    if (viejo.fd() >= 0 && !IntentaBloqueo(viejo.fd(), kBloqueoApertura, TipoBloqueo::Exclusivo))
      throw Error(Clase::EnUso, QStringLiteral("La tabla %1 está abierta por otro usuario; no se puede crear de nuevo").arg(nombre));
    // Companions of an old table of that name would not match the new one.
    for (const QString& c : Companeros(ruta)) QFile::remove(c);
    if (conMemo) {
      Descriptor m(ReemplazaArchivo(RutaCompanero(ruta, QStringLiteral("dbt")), Memos::CabeceraNueva(),
                                    ModoPorOmision(), nombre));
    }
    Descriptor nuevo(ReemplazaArchivo(ruta, bytes, ModoPorOmision(), nombre));
  }

  QStringList Companeros(const QString& ruta) const override {
    return {RutaCompanero(ruta, QStringLiteral("dbt")), RutaCompanero(ruta, QStringLiteral("mdx"))};
  }

  void Copia(const QString& origen, const QString& destino, const QString& nombre,
             const QString& nombreDestino) override {
    // The table, its memos and its index as of one moment: read while no
    // station writes (the write lock held shared).
    Descriptor fuente(::open(Local8(origen).constData(), O_RDONLY | O_CLOEXEC));
    if (fuente.fd() < 0) {
      if (errno == ENOENT || errno == ENOTDIR) throw Error(Clase::NoExiste, QStringLiteral("La tabla %1 no existe").arg(nombre));
      throw plat::ErrorDeSistema(QStringLiteral("No se pudo abrir la tabla ") + nombre, errno);
    }
    QByteArray tabla;
    QList<std::pair<QString, QByteArray>> companeros;  // extension, bytes
    EsperaBloqueo(fuente.fd(), kBloqueoEscritura, TipoBloqueo::Compartido, nombre);
    try {
      tabla.resize(Tamano(fuente.fd(), nombre));
      tabla.resize(LeeEn(fuente.fd(), tabla.data(), tabla.size(), 0, nombre));
      for (const QString& ext : {QStringLiteral("dbt"), QStringLiteral("mdx")}) {
        QFile f(RutaCompanero(origen, ext));
        if (!f.exists()) continue;
        if (!f.open(QIODevice::ReadOnly))
          throw Error(Clase::Io, QStringLiteral("No se pudo leer %1 de la tabla %2").arg(QFileInfo(f).fileName(), nombre));
        companeros.append({ext, f.readAll()});
      }
    } catch (...) {
      QuitaBloqueo(fuente.fd(), kBloqueoEscritura);
      throw;
    }
    QuitaBloqueo(fuente.fd(), kBloqueoEscritura);

    // The old table of that name is replaced only when nobody has it open,
    // and held meanwhile.
    Descriptor viejo(::open(Local8(destino).constData(), O_RDWR | O_CLOEXEC));
    if (viejo.fd() >= 0 && !IntentaBloqueo(viejo.fd(), kBloqueoApertura, TipoBloqueo::Exclusivo))
      throw Error(Clase::EnUso,
                  QStringLiteral("La tabla %1 está abierta por otro usuario; no se puede reemplazar").arg(nombreDestino));
    for (const QString& c : Companeros(destino)) QFile::remove(c);
    for (const auto& [ext, bytes] : companeros)
      ::close(ReemplazaArchivo(RutaCompanero(destino, ext), bytes, ModoPorOmision(), nombreDestino));
    ::close(ReemplazaArchivo(destino, tabla, ModoPorOmision(), nombreDestino));
  }
};

}  // namespace

QString RutaCompanero(const QString& rutaTabla, const QString& extension) {
  const QFileInfo info(rutaTabla);
  const QString base = info.completeBaseName();
  const QString buscado = base + u'.' + extension;
  const QDir carpeta = info.dir();
  for (const QString& n : carpeta.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
    if (n.compare(buscado, Qt::CaseInsensitive) == 0) return carpeta.filePath(n);
  }
  const QString ext = info.suffix();
  const bool mayusculas = !ext.isEmpty() && ext == ext.toUpper();
  return carpeta.filePath(base + u'.' + (mayusculas ? extension.toUpper() : extension.toLower()));
}

FabricaAlmacen& FabricaDbf() {
  static FabricaDeDbf fabrica;
  return fabrica;
}

}  // namespace db
