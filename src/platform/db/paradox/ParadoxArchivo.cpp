#include "platform/db/paradox/ParadoxArchivo.h"

#include "platform/Error.h"
#include "platform/db/Bloqueo.h"
#include "platform/db/paradox/paradox_format.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

namespace db {

using namespace paradox;
using plat::Clase;
using plat::Error;

namespace {

quint16 U16(const QByteArray& b, int p) {
  return quint16(quint8(b[p]) | (quint8(b[p + 1]) << 8));
}
qint16 I16(const QByteArray& b, int p) { return qint16(U16(b, p)); }
quint32 U32(const QByteArray& b, int p) { return quint32(U16(b, p)) | (quint32(U16(b, p + 2)) << 16); }
void Pon16(QByteArray& b, int p, quint16 v) {
  b[p] = char(v & 0xFF);
  b[p + 1] = char(v >> 8);
}
void Pon32(QByteArray& b, int p, quint32 v) {
  Pon16(b, p, quint16(v & 0xFFFF));
  Pon16(b, p + 2, quint16(v >> 16));
}

// Big-endian values of records.
quint64 TomaBE(const char* p, int bytes) {
  quint64 v = 0;
  for (int i = 0; i < bytes; ++i) v = (v << 8) | quint8(p[i]);
  return v;
}
void PonBE(char* p, quint64 v, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) {
    p[i] = char(v & 0xFF);
    v >>= 8;
  }
}

// Field type letter <-> code and size.
struct TipoConocido {
  char letra;
  uint8_t codigo;
  int largo;  // 0: the width given
};
constexpr TipoConocido kTipos[] = {
    {'A', kAlfa, 0},
    {'D', kFecha, kLargoFecha},
    {'S', kCorto, kLargoCorto},
    {'I', kLargo, kLargoLargo},
    {'$', kMoneda, kLargoDoble},
    {'N', kNumero, kLargoDoble},
    {'L', kLogico, kLargoLogico},
};
const TipoConocido* PorLetra(QChar letra) {
  for (const TipoConocido& t : kTipos)
    if (QChar(QLatin1Char(t.letra)) == letra.toUpper()) return &t;
  return nullptr;
}
const TipoConocido* PorCodigo(int codigo) {
  for (const TipoConocido& t : kTipos)
    if (t.codigo == codigo) return &t;
  return nullptr;
}
// Paradox types these tables do not use: memo, blob, formatted memo, OLE,
// graphic, time, timestamp, autoincrement, BCD, bytes.
bool TipoNoManejado(int codigo) {
  return (codigo >= 0x0C && codigo <= 0x10) || (codigo >= 0x14 && codigo <= 0x18);
}

void EscribeTodo(int fd, const QByteArray& bytes, qint64 posicion, const QString& nombre) {
  qint64 hecho = 0;
  while (hecho < bytes.size()) {
    const ssize_t n = ::pwrite(fd, bytes.constData() + hecho, size_t(bytes.size() - hecho), off_t(posicion + hecho));
    if (n < 0) {
      if (errno == EINTR) continue;
      throw plat::ErrorDeSistema(QStringLiteral("No se pudo escribir la tabla ") + nombre, errno);
    }
    hecho += n;
  }
}

// Opens the file that is about to be replaced and takes its exclusive use,
// so that no station works on a file that is no longer under its name.
// -1 when there is no such file; EnUso when someone has it open.
int TomaParaReemplazar(const QString& local, const QString& nombre) {
  const int fd = ::open(QFile::encodeName(local).constData(), O_RDWR | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return -1;
    throw plat::ErrorDeSistema(QStringLiteral("No se pudo reemplazar la tabla ") + nombre, errno);
  }
  bool tomado;
  try {
    tomado = IntentaBloqueo(fd, kBloqueoApertura, TipoBloqueo::Exclusivo);
  } catch (...) {
    ::close(fd);
    throw;
  }
  if (!tomado) {
    ::close(fd);
    throw Error(Clase::EnUso, QStringLiteral("La tabla %1 está en uso por otro usuario; no se puede reemplazar").arg(nombre));
  }
  return fd;
}

// Writes a whole new file under the name local: a temporary file in the same
// folder, already held for exclusive use, renamed over the old one. Returns
// the new file's descriptor, still holding its exclusive use.
int EscribeNuevo(const QString& local, const QString& nombre, const QByteArray& bytes) {
  const QFileInfo info(local);
  QByteArray plantilla = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
  const int fd = ::mkostemp(plantilla.data(), O_CLOEXEC);
  if (fd < 0) throw plat::ErrorDeSistema(QStringLiteral("No se pudo escribir la tabla ") + nombre, errno);
  try {
    if (!IntentaBloqueo(fd, kBloqueoApertura, TipoBloqueo::Exclusivo))
      throw Error(Clase::Io, QStringLiteral("No se pudo escribir la tabla ") + nombre);
    EscribeTodo(fd, bytes, 0, nombre);
    if (::fsync(fd) < 0) throw plat::ErrorDeSistema(QStringLiteral("No se pudo escribir la tabla ") + nombre, errno);
    ::fchmod(fd, 0666 & ~fs::MascaraDelProceso());
    if (::rename(plantilla.constData(), QFile::encodeName(local).constData()) < 0)
      throw plat::ErrorDeSistema(QStringLiteral("No se pudo reemplazar la tabla ") + nombre, errno);
  } catch (...) {
    ::close(fd);
    ::unlink(plantilla.constData());
    throw;
  }
  return fd;
}

// EscribeNuevo over a file nobody else has open: EnUso, leaving it as it
// was, while someone does.
int Reemplaza(const QString& local, const QString& nombre, const QByteArray& bytes) {
  const int viejo = TomaParaReemplazar(local, nombre);
  int nuevo = -1;
  try {
    nuevo = EscribeNuevo(local, nombre, bytes);
  } catch (...) {
    if (viejo >= 0) ::close(viejo);
    throw;
  }
  if (viejo >= 0) ::close(viejo);
  return nuevo;
}

// The file name of a table path, for messages.
QString NombreDe(const QString& ruta) {
  const QString nombre = fs::NombreArchivo(ruta);
  return nombre.isEmpty() ? ruta : nombre;
}

QByteArray CabeceraNueva(const QString& nombre, const QVector<DefCampo>& campos) {
  const int n = campos.size();
  if (n < 1 || n > 255)
    throw Error(Clase::NoCabe, QStringLiteral("La tabla %1 debe tener entre 1 y 255 campos").arg(nombre));
  QByteArray tipos, nombres;
  QStringList vistos;
  int tamRegistro = 0;
  for (const DefCampo& c : campos) {
    const QByteArray bytes = fs::ACp1252(c.nombre);
    if (c.nombre.trimmed().isEmpty() || c.nombre.size() > kLargoNombreCampo || bytes.contains('\0') ||
        fs::DeCp1252(bytes) != c.nombre)
      throw Error(Clase::NoCabe, QStringLiteral("Nombre de campo no válido en la tabla %1: \"%2\"").arg(nombre, c.nombre));
    if (vistos.contains(c.nombre, Qt::CaseInsensitive))
      throw Error(Clase::NoCabe, QStringLiteral("El campo %1 está repetido en la tabla %2").arg(c.nombre, nombre));
    vistos << c.nombre;
    const TipoConocido* t = PorLetra(c.tipo);
    if (!t)
      throw Error(Clase::NoCabe, QStringLiteral("El campo %1 de la tabla %2 tiene un tipo no válido (%3)").arg(c.nombre, nombre, QString(c.tipo)));
    int largo = t->largo;
    if (largo == 0) {
      if (c.ancho < 1 || c.ancho > kAnchoAlfaMaximo)
        throw Error(Clase::NoCabe, QStringLiteral("El ancho del campo %1 de la tabla %2 debe estar entre 1 y 255").arg(c.nombre, nombre));
      largo = c.ancho;
    }
    tipos.append(char(t->codigo));
    tipos.append(char(largo));
    nombres += bytes + '\0';
    tamRegistro += largo;
  }
  int kb = 2;
  while (kb * kUnidadBloque - kCabeceraBloque < tamRegistro) kb *= 2;
  if (kb > 32) throw Error(Clase::NoCabe, QStringLiteral("Los campos de la tabla %1 no caben en un registro").arg(nombre));

  const QByteArray nombreTabla = fs::ACp1252(nombre).left(kNombreTablaLargo - 1);
  const QByteArray orden(kNombreOrdenAnsiIntl, sizeof kNombreOrdenAnsiIntl);  // with its NUL
  const int usada = kFinCabeceraDatos + 2 * n + 4 + 4 * n + kNombreTablaLargo + nombres.size() + 2 * n + orden.size();
  // Room left for the change counters at the end (paradox_format.h).
  const int tamCabecera = (usada + kContadorLista + kUnidadCabecera - 1) / kUnidadCabecera * kUnidadCabecera;

  QByteArray h(tamCabecera, '\0');
  Pon16(h, kTamRegistro, quint16(tamRegistro));
  Pon16(h, kTamCabecera, quint16(tamCabecera));
  h[kTipoArchivo] = char(kTablaSinLlave);
  h[kTamBloque] = char(kb);
  Pon16(h, kNumCampos, quint16(n));
  Pon32(h, kCifrado1, kSinCifrado1);
  h[kOrden] = char(kOrdenAnsiIntl);
  h[kVersion] = char(kVersion7);
  h[kFijo3E] = char(0x1F);
  h[kFijo3E + 1] = char(0x0F);
  Pon16(h, kTamCabeceraUsada, quint16(usada));
  Pon16(h, kVersionDatos1, quint16(0x0100 | kVersion7));
  Pon16(h, kVersionDatos2, quint16(0x0100 | kVersion7));
  Pon16(h, kCampoSiguiente, quint16(n + 1));
  Pon16(h, kCodigoPagina, kPaginaWindows1252);
  int p = kFinCabeceraDatos;
  h.replace(p, tipos.size(), tipos);
  p += tipos.size() + 4 + 4 * n;  // the pointers stay zero on disk
  h.replace(p, nombreTabla.size(), nombreTabla);
  p += kNombreTablaLargo;
  h.replace(p, nombres.size(), nombres);
  p += nombres.size();
  for (int i = 0; i < n; ++i, p += 2) Pon16(h, p, quint16(i + 1));
  h.replace(p, orden.size(), orden);
  return h;
}

}  // namespace

// Counters of the header, read at the start of every operation.
struct ParadoxArchivo::Estado {
  QByteArray fijo;  // header bytes 0..kFinCabeceraComun as read
  quint32 registros = 0;
  int enUso = 0;
  int bloques = 0;
  int primero = 0;
  int ultimo = 0;
  int libre = 0;
};

// One block of the list of rows.
struct ParadoxArchivo::Eslabon {
  int bloque;
  int cuenta;
  qint64 antes;  // rows in the blocks before it
};

struct ParadoxArchivo::Bloque {
  int siguiente = 0;
  int anterior = 0;
  QVector<QByteArray> registros;
};

// The lock of one operation: shared to read, exclusive to write; waits a few
// seconds at most for another station's operation to end.
struct ParadoxArchivo::Candado {
  Candado(int fd, TipoBloqueo tipo, const QString& nombre) : fd_(fd) {
    EsperaBloqueo(fd_, kBloqueoEscritura, tipo, nombre);
    puesto_ = true;
  }
  ~Candado() { Suelta(); }
  void Suelta() {
    if (puesto_) QuitaBloqueo(fd_, kBloqueoEscritura, largo_);
    puesto_ = false;
  }
  int fd_;
  bool puesto_ = false;
  qint64 largo_ = 1;  // bytes let go with the lock (more: row locks after it)
};

// One write: the exclusive lock, and the change counter made odd for its
// length, so a reader without the lock tells a half-made change.
struct ParadoxArchivo::Escritura {
  explicit Escritura(ParadoxArchivo& a) : a_(a), candado_(a.fd_, TipoBloqueo::Exclusivo, a.nombre_) {
    if (!a_.contadores_) return;
    antes_ = a_.Contador(kContadorCambios).load(std::memory_order_relaxed);
    a_.Contador(kContadorCambios).store(antes_ + ((antes_ & 1) ? 2 : 1), std::memory_order_relaxed);  // odd meanwhile
    std::atomic_thread_fence(std::memory_order_seq_cst);
  }
  ~Escritura() {
    if (!a_.contadores_ || !a_.mapa_) return;
    std::atomic_thread_fence(std::memory_order_seq_cst);
    const quint64 s = a_.Contador(kContadorCambios).load(std::memory_order_relaxed);
    a_.Contador(kContadorCambios).store(s + 1, std::memory_order_release);
  }
  // The counter as the write found it, and as it leaves it.
  quint64 Antes() const { return antes_; }
  quint64 Despues() const { return antes_ + ((antes_ & 1) ? 3 : 2); }
  // This handle's lock on row n goes in the same call as the write's: every
  // lock byte up to it is let go, so this handle must hold no other row.
  void SueltaTambien(qint64 n) { candado_.largo_ = kBloqueoRegistros + n - kBloqueoEscritura + 1; }
  // The list of blocks changes: readers drop the one they keep.
  void CambiaLista() {
    if (a_.contadores_) a_.Contador(kContadorLista).fetch_add(1, std::memory_order_relaxed);
  }
  ParadoxArchivo& a_;
  Candado candado_;
  quint64 antes_ = 0;
};

ParadoxArchivo::ParadoxArchivo(const QString& ruta, Uso uso, bool soloLectura, const QString& nombre)
    : nombre_(nombre.isEmpty() ? NombreDe(ruta) : nombre), local_(fs::Local(ruta)), uso_(uso), soloLectura_(soloLectura) {
  Abre();
}

ParadoxArchivo::~ParadoxArchivo() {
  Desmapea();
  if (fd_ >= 0) ::close(fd_);
}

void ParadoxArchivo::Abre() {
  const QByteArray ruta = QFile::encodeName(local_);
  const bool escritura = !soloLectura_ || uso_ == Uso::Exclusivo;  // an exclusive lock needs a writable descriptor
  for (int intento = 0;; ++intento) {
    fd_ = ::open(ruta.constData(), (escritura ? O_RDWR : O_RDONLY) | O_CLOEXEC);
    if (fd_ < 0) {
      const int e = errno;
      if (e == ENOENT || e == ENOTDIR) throw Error(Clase::NoExiste, QStringLiteral("No existe la tabla ") + nombre_);
      throw plat::ErrorDeSistema(QStringLiteral("No se pudo abrir la tabla ") + nombre_, e);
    }
    bool tomado;
    try {
      tomado = IntentaBloqueo(fd_, kBloqueoApertura, uso_ == Uso::Exclusivo ? TipoBloqueo::Exclusivo : TipoBloqueo::Compartido);
    } catch (...) {
      ::close(fd_);
      fd_ = -1;
      throw;
    }
    if (!tomado) {
      ::close(fd_);
      fd_ = -1;
      throw Error(Clase::EnUso, uso_ == Uso::Exclusivo
                                    ? QStringLiteral("La tabla %1 está en uso por otro usuario; no se puede abrir en forma exclusiva").arg(nombre_)
                                    : QStringLiteral("La tabla %1 está abierta en forma exclusiva por otro usuario").arg(nombre_));
    }
    // A copy or a pack may have put a new file under the name between the
    // open and the lock: work on the file the name shows now.
    struct stat abierto, actual;
    if (::fstat(fd_, &abierto) == 0 && ::stat(ruta.constData(), &actual) == 0 && abierto.st_ino == actual.st_ino &&
        abierto.st_dev == actual.st_dev)
      break;
    ::close(fd_);
    fd_ = -1;
    if (intento == 10) throw Error(Clase::EnUso, QStringLiteral("La tabla %1 está ocupada por otro usuario; intente de nuevo").arg(nombre_));
  }
  try {
    Candado candado(fd_, TipoBloqueo::Compartido, nombre_);
    LeeDefinicion();
    Mapea();
    ListaVigente(LeeEstado());
  } catch (...) {
    Desmapea();
    ::close(fd_);
    fd_ = -1;
    throw;
  }
}

// The header is mapped: its counters and state are read with no system
// call. (Blocks are read with pread, which never faults on a file another
// program cut short.)
void ParadoxArchivo::Mapea() {
  const bool escritura = !soloLectura_ || uso_ == Uso::Exclusivo;
  void* m = ::mmap(nullptr, size_t(tamCabecera_), PROT_READ | (escritura ? PROT_WRITE : 0), MAP_SHARED, fd_, 0);
  if (m == MAP_FAILED) throw plat::ErrorDeSistema(QStringLiteral("No se pudo leer la tabla ") + nombre_, errno);
  mapa_ = static_cast<char*>(m);
  struct stat st;
  if (::fstat(fd_, &st) < 0) throw plat::ErrorDeSistema(QStringLiteral("No se pudo leer la tabla ") + nombre_, errno);
  tamConocido_ = st.st_size;
  listaValida_ = false;
  leido_ = {};
}

void ParadoxArchivo::Desmapea() noexcept {
  if (mapa_) ::munmap(mapa_, size_t(tamCabecera_));
  mapa_ = nullptr;
  listaValida_ = false;
  leido_ = {};
}

std::atomic_ref<quint64> ParadoxArchivo::Contador(int cual) const {
  return std::atomic_ref<quint64>(*reinterpret_cast<quint64*>(mapa_ + tamCabecera_ - cual));
}

// Reads the table's state and rows: without any lock while the change
// counter shows no writer at work before and after the reading (the list of
// blocks kept since the last reading under the lock must still hold), else
// under the shared lock. `lee(conCandado)` returns false when it needs the
// lock.
template <class F>
void ParadoxArchivo::Consulta(F&& lee) {
  if (contadores_) {
    for (int intento = 0; intento < 4; ++intento) {
      const quint64 s = Contador(kContadorCambios).load(std::memory_order_acquire);
      if (s & 1) break;
      bool hecho = false;
      try {
        hecho = lee(false);
      } catch (const Error&) {
        std::atomic_thread_fence(std::memory_order_acquire);
        if (Contador(kContadorCambios).load(std::memory_order_relaxed) == s) throw;
        continue;  // a torn reading: again
      }
      std::atomic_thread_fence(std::memory_order_acquire);
      if (Contador(kContadorCambios).load(std::memory_order_relaxed) == s) {
        if (hecho) return;
        break;
      }
    }
  }
  Candado candado(fd_, TipoBloqueo::Compartido, nombre_);
  lee(true);
}

void ParadoxArchivo::Danada(const QString& detalle) const {
  throw Error(Clase::Corrupto, QStringLiteral("La tabla %1 está dañada (%2)").arg(nombre_, detalle));
}

QByteArray ParadoxArchivo::LeeEn(qint64 posicion, int largo) {
  if (mapa_ && posicion + largo <= tamCabecera_) return QByteArray(mapa_ + posicion, largo);
  QByteArray bytes(largo, '\0');
  qint64 hecho = 0;
  while (hecho < largo) {
    const ssize_t n = ::pread(fd_, bytes.data() + hecho, size_t(largo - hecho), off_t(posicion + hecho));
    if (n < 0) {
      if (errno == EINTR) continue;
      throw plat::ErrorDeSistema(QStringLiteral("No se pudo leer la tabla ") + nombre_, errno);
    }
    if (n == 0) Danada(QStringLiteral("el archivo está incompleto"));
    hecho += n;
  }
  return bytes;
}

void ParadoxArchivo::EscribeEn(qint64 posicion, const QByteArray& bytes) { EscribeTodo(fd_, bytes, posicion, nombre_); }

qint64 ParadoxArchivo::PosicionBloque(int numero) const { return tamCabecera_ + qint64(numero - 1) * tamBloque_; }

void ParadoxArchivo::LeeDefinicion() {
  struct stat st;
  if (::fstat(fd_, &st) < 0) throw plat::ErrorDeSistema(QStringLiteral("No se pudo leer la tabla ") + nombre_, errno);
  if (st.st_size < kFinCabeceraComun) Danada(QStringLiteral("el encabezado está incompleto"));
  const QByteArray fijo = LeeEn(0, kFinCabeceraComun);
  const int version = quint8(fijo[kVersion]);
  const int tipo = quint8(fijo[kTipoArchivo]);
  const int kb = quint8(fijo[kTamBloque]);
  if (version < kVersionMinima || version > kVersionMaxima) Danada(QStringLiteral("no es una tabla Paradox"));
  if (tipo == kTablaConLlave)
    throw Error(QStringLiteral("La tabla %1 tiene llave primaria; sólo se manejan tablas sin llave").arg(nombre_));
  if (tipo != kTablaSinLlave) Danada(QStringLiteral("no es una tabla de datos"));
  if (kb != 1 && kb != 2 && kb != 3 && kb != 4 && kb != 8 && kb != 16 && kb != 32)
    Danada(QStringLiteral("tamaño de bloque no válido"));
  tamBloque_ = kb * kUnidadBloque;
  tamRegistro_ = U16(fijo, kTamRegistro);
  tamCabecera_ = U16(fijo, kTamCabecera);
  if (tamRegistro_ < 1 || tamRegistro_ > tamBloque_ - kCabeceraBloque) Danada(QStringLiteral("tamaño de registro no válido"));
  const bool conDatos = version >= kVersionConDatos;
  int p = conDatos ? kFinCabeceraDatos : kFinCabeceraComun;
  if (tamCabecera_ < p) Danada(QStringLiteral("tamaño de encabezado no válido"));
  if (st.st_size < tamCabecera_) Danada(QStringLiteral("el encabezado está incompleto"));
  const QByteArray h = LeeEn(0, tamCabecera_);
  const bool cifrada = conDatos && U32(h, kCifrado1) == kSinCifrado1 ? U32(h, kCifrado2) != 0 : U32(h, kCifrado1) != 0;
  if (cifrada) throw Error(QStringLiteral("La tabla %1 está protegida con contraseña; no se puede abrir").arg(nombre_));

  const int n = U16(h, kNumCampos);
  if (n < 1 || n > 255) Danada(QStringLiteral("número de campos no válido"));
  if (p + 2 * n > tamCabecera_) Danada(QStringLiteral("el encabezado está incompleto"));
  campos_.clear();
  tipos_.clear();
  posiciones_.clear();
  largos_.clear();
  int posicion = 0;
  for (int i = 0; i < n; ++i, p += 2) {
    const int codigo = quint8(h[p]);
    const int largo = quint8(h[p + 1]);
    const TipoConocido* t = PorCodigo(codigo);
    if (!t) {
      if (TipoNoManejado(codigo))
        throw Error(QStringLiteral("La tabla %1 tiene campos de un tipo que no se maneja (%2)").arg(nombre_).arg(codigo));
      Danada(QStringLiteral("tipo de campo desconocido"));
    }
    if (t->largo ? largo != t->largo : largo < 1) Danada(QStringLiteral("tamaño de campo no válido"));
    campos_.append(DefCampo{QString(), QChar(QLatin1Char(t->letra)), t->largo ? 0 : largo, 0});
    tipos_.append(codigo);
    posiciones_.append(posicion);
    largos_.append(largo);
    posicion += largo;
  }
  if (posicion != tamRegistro_) Danada(QStringLiteral("los campos no forman el registro"));
  p += 4 + 4 * n + (version >= kVersion7 ? kNombreTablaLargo : kNombreTablaCorto);
  for (int i = 0; i < n; ++i) {
    const int fin = p < tamCabecera_ ? h.indexOf('\0', p) : -1;
    if (fin < 0) Danada(QStringLiteral("faltan nombres de campos"));
    campos_[i].nombre = fs::DeCp1252(h.mid(p, fin - p));
    p = fin + 1;
  }
  porBloque_ = (tamBloque_ - kCabeceraBloque) / tamRegistro_;
  const int usada = U16(h, kTamCabeceraUsada);
  contadores_ = usada >= p && usada + kContadorLista <= tamCabecera_;
}

ParadoxArchivo::Estado ParadoxArchivo::LeeEstado() {
  Estado e;
  e.fijo = LeeEn(0, kFinCabeceraComun);
  if (U16(e.fijo, kTamRegistro) != tamRegistro_ || U16(e.fijo, kTamCabecera) != tamCabecera_)
    Danada(QStringLiteral("el encabezado cambió"));
  e.registros = U32(e.fijo, kNumRegistros);
  e.enUso = U16(e.fijo, kBloquesEnUso);
  e.bloques = U16(e.fijo, kBloquesArchivo);
  e.primero = U16(e.fijo, kPrimerBloque);
  e.ultimo = U16(e.fijo, kUltimoBloque);
  e.libre = U16(e.fijo, kPrimerLibre);
  if (PosicionBloque(e.bloques + 1) > tamConocido_) {  // the file must hold every block
    struct stat st;
    if (::fstat(fd_, &st) < 0) throw plat::ErrorDeSistema(QStringLiteral("No se pudo leer la tabla ") + nombre_, errno);
    tamConocido_ = st.st_size;
    if (tamConocido_ < PosicionBloque(e.bloques + 1)) Danada(QStringLiteral("el archivo está incompleto"));
  }
  if (e.primero > e.bloques || e.libre > e.bloques) Danada(QStringLiteral("lista de bloques no válida"));
  return e;
}

void ParadoxArchivo::PonContadores(QByteArray& h, const Estado& e) {
  Pon32(h, kNumRegistros, e.registros);
  Pon16(h, kBloquesEnUso, quint16(e.enUso));
  Pon16(h, kBloquesArchivo, quint16(e.bloques));
  Pon16(h, kMaxBloques, quint16(e.bloques));
  Pon16(h, kPrimerBloque, quint16(e.primero));
  Pon16(h, kUltimoBloque, quint16(e.ultimo));
  Pon16(h, kPrimerLibre, quint16(e.libre));
}

void ParadoxArchivo::GuardaEstado(const Estado& e) {
  QByteArray h = e.fijo;
  PonContadores(h, e);
  EscribeEn(0, h);
}

QVector<ParadoxArchivo::Eslabon> ParadoxArchivo::Cadena(const Estado& e) {
  QVector<Eslabon> cadena;
  qint64 total = 0;
  int anterior = 0;
  for (int b = e.primero; b != 0;) {
    if (b > e.bloques || cadena.size() >= e.bloques) Danada(QStringLiteral("lista de bloques no válida"));
    const QByteArray cab = LeeEn(PosicionBloque(b), kCabeceraBloque);
    const int siguiente = U16(cab, 0);
    const int agregado = I16(cab, 4);
    if (U16(cab, 2) != anterior || agregado % tamRegistro_ != 0 || agregado < -tamRegistro_ ||
        agregado / tamRegistro_ + 1 > porBloque_)
      Danada(QStringLiteral("bloque %1 no válido").arg(b));
    const int cuenta = agregado / tamRegistro_ + 1;
    cadena.append({b, cuenta, total});
    total += cuenta;
    anterior = b;
    b = siguiente;
  }
  if (total != e.registros) Danada(QStringLiteral("el número de registros no coincide"));
  return cadena;
}

qint64 ParadoxArchivo::Total(const QVector<Eslabon>& c) const {
  qint64 total = 0;
  for (const Eslabon& s : c) total += s.cuenta;
  return total;
}

bool ParadoxArchivo::Busca(const QVector<Eslabon>& c, qint64 n, int& k, int& i) const {
  if (n < 1 || c.isEmpty() || n > c.back().antes + c.back().cuenta) return false;
  const auto it = std::upper_bound(c.begin(), c.end(), n - 1, [](qint64 v, const Eslabon& s) { return v < s.antes; });
  k = int(it - c.begin()) - 1;
  i = int(n - c[k].antes - 1);
  return true;
}

// The list of blocks for a state read under the lock: the one kept when no
// block moved since (the list counter says so), else read anew and kept.
const QVector<ParadoxArchivo::Eslabon>& ParadoxArchivo::ListaVigente(const Estado& e) {
  const quint64 lista = contadores_ ? Contador(kContadorLista).load(std::memory_order_relaxed) : 0;
  if (!listaValida_ || !contadores_ || lista != numeroLista_) {
    lista_ = Cadena(e);
    numeroLista_ = lista;
    listaValida_ = true;
  }
  return lista_;
}

// The list kept, when still good for a reading without the lock; nullptr
// when it has to be read again (under the lock).
const QVector<ParadoxArchivo::Eslabon>* ParadoxArchivo::ListaGuardada(const Estado& e) const {
  if (!listaValida_ || Contador(kContadorLista).load(std::memory_order_relaxed) != numeroLista_) return nullptr;
  const qint64 total = lista_.isEmpty() ? 0 : lista_.back().antes + lista_.back().cuenta;
  if (total != e.registros) return nullptr;
  return &lista_;
}

void ParadoxArchivo::Ubica(const QVector<Eslabon>& c, qint64 n, int& k, int& i) const {
  if (Busca(c, n, k, i)) return;
  throw Error(Clase::NoExiste, QStringLiteral("No existe el registro %1 de la tabla %2").arg(n).arg(nombre_));
}

ParadoxArchivo::Bloque ParadoxArchivo::LeeBloque(int numero) {
  const QByteArray bytes = LeeEn(PosicionBloque(numero), tamBloque_);
  Bloque b;
  b.siguiente = U16(bytes, 0);
  b.anterior = U16(bytes, 2);
  const int agregado = I16(bytes, 4);
  if (agregado % tamRegistro_ != 0 || agregado < -tamRegistro_ || agregado / tamRegistro_ + 1 > porBloque_)
    Danada(QStringLiteral("bloque %1 no válido").arg(numero));
  const int cuenta = agregado / tamRegistro_ + 1;
  for (int i = 0; i < cuenta; ++i) b.registros.append(bytes.mid(kCabeceraBloque + i * tamRegistro_, tamRegistro_));
  return b;
}

void ParadoxArchivo::EscribeBloque(int numero, const Bloque& b) {
  QByteArray bytes(tamBloque_, '\0');
  Pon16(bytes, 0, quint16(b.siguiente));
  Pon16(bytes, 2, quint16(b.anterior));
  Pon16(bytes, 4, quint16(qint16((b.registros.size() - 1) * tamRegistro_)));
  for (int i = 0; i < b.registros.size(); ++i) bytes.replace(kCabeceraBloque + i * tamRegistro_, tamRegistro_, b.registros[i]);
  EscribeEn(PosicionBloque(numero), bytes);
}

void ParadoxArchivo::EnlazaSiguiente(int numero, int siguiente) {
  QByteArray v(2, '\0');
  Pon16(v, 0, quint16(siguiente));
  EscribeEn(PosicionBloque(numero), v);
}

void ParadoxArchivo::EnlazaAnterior(int numero, int anterior) {
  QByteArray v(2, '\0');
  Pon16(v, 0, quint16(anterior));
  EscribeEn(PosicionBloque(numero) + 2, v);
}

int ParadoxArchivo::AsignaBloque(Estado& e, const QVector<Eslabon>& cadena) {
  if (e.libre != 0) {
    const int b = e.libre;
    e.libre = U16(LeeEn(PosicionBloque(b), 2), 0);
    // A free block that is also in the list of rows would lose them.
    const bool enUso = std::any_of(cadena.begin(), cadena.end(), [b](const Eslabon& s) { return s.bloque == b; });
    if (enUso || e.libre > e.bloques) Danada(QStringLiteral("lista de bloques libres no válida"));
    return b;
  }
  if (e.bloques >= 0xFFFF) throw Error(Clase::NoCabe, QStringLiteral("La tabla %1 está llena").arg(nombre_));
  return ++e.bloques;  // the caller writes it, which extends the file
}

void ParadoxArchivo::LiberaBloque(Estado& e, int numero) {
  Bloque vacio;
  vacio.siguiente = e.libre;
  EscribeBloque(numero, vacio);
  e.libre = numero;
}

void ParadoxArchivo::ExigeEscritura() const {
  if (soloLectura_) throw Error(Clase::Estado, QStringLiteral("La tabla %1 está abierta sólo para lectura").arg(nombre_));
}

void ParadoxArchivo::VerificaAjenos(qint64 desde, qint64 hasta) {
  const qint64 ajeno = BloqueoAjeno(fd_, kBloqueoRegistros + desde, hasta < 0 ? 0 : hasta - desde + 1);
  if (ajeno >= 0) {
    const qint64 fila = ajeno - kBloqueoRegistros;
    throw Error(Clase::Bloqueado, QStringLiteral("El registro %1 de la tabla %2 está bloqueado por otro usuario").arg(fila).arg(nombre_));
  }
}

// After rows from desde on moved by delta, this handle's locks follow them.
void ParadoxArchivo::MueveBloqueos(qint64 desde, int delta) {
  std::set<qint64> nuevos;
  for (qint64 n : propios_) {
    const qint64 ahora = n >= desde ? n + delta : n;
    // Another station may take the row between the move and this lock; the
    // lock is lost then, as after a release.
    if (propios_.count(ahora) || IntentaBloqueo(fd_, kBloqueoRegistros + ahora, TipoBloqueo::Exclusivo)) nuevos.insert(ahora);
  }
  for (qint64 n : propios_)
    if (!nuevos.count(n)) QuitaBloqueo(fd_, kBloqueoRegistros + n);
  propios_ = nuevos;
}

void ParadoxArchivo::BloqueaRegistro(qint64 n) {
  ExigeEscritura();
  if (n < 1) throw Error(Clase::NoExiste, QStringLiteral("No existe el registro %1 de la tabla %2").arg(n).arg(nombre_));
  if (propios_.count(n)) return;
  if (!IntentaBloqueo(fd_, kBloqueoRegistros + n, TipoBloqueo::Exclusivo))
    throw Error(Clase::Bloqueado, QStringLiteral("El registro %1 de la tabla %2 está bloqueado por otro usuario").arg(n).arg(nombre_));
  propios_.insert(n);
}

void ParadoxArchivo::LiberaRegistro(qint64 n) {
  if (propios_.erase(n)) QuitaBloqueo(fd_, kBloqueoRegistros + n);
}

void ParadoxArchivo::LiberaBloqueos() {
  if (!propios_.empty()) QuitaBloqueo(fd_, kBloqueoRegistros, 0);
  propios_.clear();
}

qint64 ParadoxArchivo::Registros() {
  qint64 n = 0;
  Consulta([&](bool) {
    n = LeeEstado().registros;
    return true;
  });
  return n;
}

QByteArray ParadoxArchivo::LeeRegistro(qint64 n) {
  QByteArray registro;
  if (!LeeRegistro(n, registro))
    throw Error(Clase::NoExiste, QStringLiteral("No existe el registro %1 de la tabla %2").arg(n).arg(nombre_));
  return registro;
}

bool ParadoxArchivo::LeeRegistro(qint64 n, QByteArray& registro) {
  const char* fila = Fila(n);
  if (!fila) return false;
  registro = QByteArray(fila, tamRegistro_);
  return true;
}

// A walk reads each block once: the rows of the block read last are kept
// with the change counter they were read under, and serve while it stays.
const char* ParadoxArchivo::Fila(qint64 n) {
  const char* fila = nullptr;
  auto enBloque = [&] { return n > leido_.antes && n <= leido_.antes + leido_.cuenta; };
  Consulta([&](bool conCandado) {
    const quint64 cambios = contadores_ ? Contador(kContadorCambios).load(std::memory_order_relaxed) : 1;
    if (!(cambios & 1) && leido_.cambios == cambios && enBloque()) {
      fila = leido_.filas.constData() + (n - leido_.antes - 1) * tamRegistro_;
      return true;
    }
    const Estado e = LeeEstado();
    const QVector<Eslabon>* c = conCandado ? &ListaVigente(e) : ListaGuardada(e);
    if (!c) return false;
    int k, i;
    fila = nullptr;
    if (!Busca(*c, n, k, i)) return true;
    const Eslabon& b = (*c)[k];
    leido_ = {};
    leido_.filas = LeeEn(PosicionBloque(b.bloque) + kCabeceraBloque, b.cuenta * tamRegistro_);
    leido_.antes = b.antes;
    leido_.cuenta = b.cuenta;
    leido_.cambios = cambios;  // odd (never matched) without counters or under a writer
    fila = leido_.filas.constData() + qint64(i) * tamRegistro_;
    return true;
  });
  return fila;
}

void ParadoxArchivo::GrabaRegistro(qint64 n, const QByteArray& registro, const std::function<void()>& dentro,
                                   bool liberaFila) {
  ExigeEscritura();
  ExigeTamano(registro);
  Escritura escritura(*this);
  const QVector<Eslabon>& c = ListaVigente(LeeEstado());
  int k, i;
  Ubica(c, n, k, i);
  if (!propios_.count(n)) VerificaAjenos(n, n);  // a row this handle locks nobody else does
  EscribeEn(PosicionBloque(c[k].bloque) + kCabeceraBloque + qint64(i) * tamRegistro_, registro);
  // The block kept for reading takes the row when nobody wrote since.
  if (contadores_ && leido_.cambios == escritura.Antes() && n > leido_.antes && n <= leido_.antes + leido_.cuenta) {
    leido_.filas.replace((n - leido_.antes - 1) * tamRegistro_, tamRegistro_, registro);
    leido_.cambios = escritura.Despues();
  } else {
    leido_ = {};
  }
  if (dentro) dentro();
  if (liberaFila && propios_.size() == 1 && propios_.count(n)) {
    escritura.SueltaTambien(n);
    propios_.clear();
  }
}

qint64 ParadoxArchivo::AgregaRegistro(const QByteArray& registro, const std::function<void(qint64)>& dentro) {
  ExigeEscritura();
  ExigeTamano(registro);
  return InsertaEn(-1, registro, dentro);
}

qint64 ParadoxArchivo::InsertaRegistro(qint64 antes, const QByteArray& registro, const std::function<void(qint64)>& dentro) {
  ExigeEscritura();
  ExigeTamano(registro);
  return InsertaEn(antes, registro, dentro);
}

QVector<QVariant> ParadoxArchivo::Lee(qint64 n) { return Decodifica(LeeRegistro(n)); }
void ParadoxArchivo::Escribe(qint64 n, const QVector<QVariant>& valores) { GrabaRegistro(n, Codifica(valores)); }
qint64 ParadoxArchivo::Agrega(const QVector<QVariant>& valores) { return AgregaRegistro(Codifica(valores)); }
void ParadoxArchivo::Inserta(qint64 n, const QVector<QVariant>& valores) { InsertaRegistro(n, Codifica(valores)); }

void ParadoxArchivo::ExigeTamano(const QByteArray& registro) const {
  if (registro.size() != tamRegistro_)
    throw Error(QStringLiteral("Registro de tamaño equivocado para la tabla %1").arg(nombre_));
}

qint64 ParadoxArchivo::InsertaEn(qint64 n, const QByteArray& registro, const std::function<void(qint64)>& dentro) {
  Escritura escritura(*this);
  Estado e = LeeEstado();
  const QVector<Eslabon> c = ListaVigente(e);
  const qint64 total = Total(c);
  if (n < 0) n = total + 1;
  if (n < 1 || n > total + 1)
    throw Error(Clase::NoExiste, QStringLiteral("No existe el registro %1 de la tabla %2").arg(n).arg(nombre_));
  if (total >= 0x7FFFFFFF) throw Error(Clase::NoCabe, QStringLiteral("La tabla %1 está llena").arg(nombre_));
  VerificaAjenos(n, -1);

  e.enUso = c.size();
  if (c.isEmpty()) {
    const int b = AsignaBloque(e, c);
    Bloque nuevo;
    nuevo.registros.append(registro);
    EscribeBloque(b, nuevo);
    e.primero = e.ultimo = b;
    e.enUso = 1;
  } else {
    int k, i;
    if (n == total + 1) {
      k = c.size() - 1;
      i = c[k].cuenta;
    } else {
      Ubica(c, n, k, i);
    }
    Bloque b = LeeBloque(c[k].bloque);
    b.registros.insert(i, registro);
    if (b.registros.size() > porBloque_) {
      // A full block: a row past the end of the last block opens a new block;
      // anywhere else the block splits in two halves.
      Bloque nuevo;
      const int numero = AsignaBloque(e, c);
      nuevo.anterior = c[k].bloque;
      nuevo.siguiente = b.siguiente;
      const int corte = (k == c.size() - 1 && i == c[k].cuenta) ? b.registros.size() - 1 : b.registros.size() / 2;
      nuevo.registros = b.registros.mid(corte);
      b.registros.resize(corte);
      b.siguiente = numero;
      EscribeBloque(numero, nuevo);
      if (nuevo.siguiente != 0)
        EnlazaAnterior(nuevo.siguiente, numero);
      else
        e.ultimo = numero;
      ++e.enUso;
    }
    EscribeBloque(c[k].bloque, b);
  }
  ++e.registros;
  escritura.CambiaLista();
  GuardaEstado(e);
  MueveBloqueos(n, +1);
  if (dentro) dentro(n);
  return n;
}

void ParadoxArchivo::Borra(qint64 n, const std::function<void()>& dentro) {
  ExigeEscritura();
  Escritura escritura(*this);
  Estado e = LeeEstado();
  const QVector<Eslabon> c = ListaVigente(e);
  int k, i;
  Ubica(c, n, k, i);
  VerificaAjenos(n, -1);
  escritura.CambiaLista();

  e.enUso = c.size();
  const int numero = c[k].bloque;
  Bloque b = LeeBloque(numero);
  b.registros.removeAt(i);
  bool vacia = false;
  if (!b.registros.isEmpty()) {
    EscribeBloque(numero, b);
  } else if (k > 0) {
    // An emptied block leaves the list and joins the free blocks.
    EnlazaSiguiente(c[k - 1].bloque, b.siguiente);
    if (b.siguiente != 0)
      EnlazaAnterior(b.siguiente, c[k - 1].bloque);
    else
      e.ultimo = c[k - 1].bloque;
    LiberaBloque(e, numero);
    --e.enUso;
  } else if (c.size() > 1) {
    // The first block stays first: it takes the rows of the second one.
    const int segundo = c[1].bloque;
    const Bloque siguiente = LeeBloque(segundo);
    b.registros = siguiente.registros;
    b.siguiente = siguiente.siguiente;
    EscribeBloque(numero, b);
    if (b.siguiente != 0)
      EnlazaAnterior(b.siguiente, numero);
    else
      e.ultimo = numero;
    LiberaBloque(e, segundo);
    --e.enUso;
  } else {
    vacia = true;
    e.primero = e.ultimo = e.enUso = e.bloques = e.libre = 0;
  }
  --e.registros;
  GuardaEstado(e);
  // The emptied blocks are cut off only where no other handle can be
  // reading them.
  if (vacia && uso_ == Uso::Exclusivo) Recorta();
  LiberaRegistro(n);
  MueveBloqueos(n + 1, -1);
  if (dentro) dentro();
}

// Cuts the file after the header (no blocks left): only while no other
// handle can have it open, since they read blocks straight from the file.
void ParadoxArchivo::Recorta() {
  if (::ftruncate(fd_, tamCabecera_) < 0)
    throw plat::ErrorDeSistema(QStringLiteral("No se pudo escribir la tabla ") + nombre_, errno);
  tamConocido_ = tamCabecera_;
}

void ParadoxArchivo::TomaExclusivo() {
  if (uso_ == Uso::Exclusivo) return;
  if (!IntentaBloqueo(fd_, kBloqueoApertura, TipoBloqueo::Exclusivo))
    throw Error(Clase::EnUso, QStringLiteral("La tabla %1 está en uso por otro usuario; se requiere uso exclusivo").arg(nombre_));
}

// Back to shared use; a lock held never fails to step down.
void ParadoxArchivo::DejaExclusivo() noexcept {
  if (uso_ == Uso::Exclusivo) return;
  try {
    IntentaBloqueo(fd_, kBloqueoApertura, TipoBloqueo::Compartido);
  } catch (...) {
  }
}

void ParadoxArchivo::Vacia() {
  ExigeEscritura();
  TomaExclusivo();
  try {
    Escritura escritura(*this);
    Estado e = LeeEstado();
    e.registros = 0;
    e.primero = e.ultimo = e.enUso = e.bloques = e.libre = 0;
    escritura.CambiaLista();
    GuardaEstado(e);
    Recorta();
    LiberaBloqueos();
  } catch (...) {
    DejaExclusivo();
    throw;
  }
  DejaExclusivo();
}

QVector<QByteArray> ParadoxArchivo::LeeTodos() {
  QVector<QByteArray> registros;
  for (const Eslabon& s : ListaVigente(LeeEstado())) registros += LeeBloque(s.bloque).registros;
  return registros;
}

void ParadoxArchivo::Empaca() {
  ExigeEscritura();
  TomaExclusivo();
  try {
    Candado candado(fd_, TipoBloqueo::Exclusivo, nombre_);
    const QVector<QByteArray> registros = LeeTodos();
    Estado e = LeeEstado();
    const int bloques = int((registros.size() + porBloque_ - 1) / porBloque_);
    if (bloques > 0xFFFF) throw Error(Clase::NoCabe, QStringLiteral("La tabla %1 está llena").arg(nombre_));
    e.registros = quint32(registros.size());
    e.enUso = e.bloques = e.ultimo = bloques;
    e.primero = bloques ? 1 : 0;
    e.libre = 0;
    QByteArray cabecera = LeeEn(0, tamCabecera_);
    PonContadores(cabecera, e);
    QByteArray bytes;
    bytes.reserve(tamCabecera_ + qint64(bloques) * tamBloque_);
    bytes += cabecera;
    for (int b = 1; b <= bloques; ++b) {
      QByteArray bloque(tamBloque_, '\0');
      const int desde = (b - 1) * porBloque_;
      const int cuenta = qMin(porBloque_, int(registros.size()) - desde);
      Pon16(bloque, 0, quint16(b < bloques ? b + 1 : 0));
      Pon16(bloque, 2, quint16(b - 1));
      Pon16(bloque, 4, quint16(qint16((cuenta - 1) * tamRegistro_)));
      for (int i = 0; i < cuenta; ++i) bloque.replace(kCabeceraBloque + i * tamRegistro_, tamRegistro_, registros[desde + i]);
      bytes += bloque;
    }
    // The packed file replaces the old one under its name, already held for
    // exclusive use, so no station can reach the old file any more.
    const int nuevo = EscribeNuevo(local_, nombre_, bytes);
    candado.Suelta();
    Desmapea();
    ::close(fd_);
    fd_ = nuevo;
    propios_.clear();
    Mapea();
  } catch (...) {
    DejaExclusivo();
    throw;
  }
  DejaExclusivo();
}

void ParadoxArchivo::Crea(const QString& ruta, const QVector<DefCampo>& campos) {
  const QString nombre = NombreDe(ruta);
  const QString local = fs::Local(ruta);
  ::close(Reemplaza(local, nombre, CabeceraNueva(nombre, campos)));
}

void ParadoxArchivo::Copia(const QString& origen, const QString& destino) {
  const QString nombre = NombreDe(origen);
  const QString nombreDestino = NombreDe(destino);
  const QString localOrigen = fs::Local(origen);
  const QString localDestino = fs::Local(destino);

  // The bytes of the source, read between two of its writers' operations.
  const int fd = ::open(QFile::encodeName(localOrigen).constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    const int e = errno;
    if (e == ENOENT || e == ENOTDIR) throw Error(Clase::NoExiste, QStringLiteral("No existe la tabla ") + nombre);
    throw plat::ErrorDeSistema(QStringLiteral("No se pudo leer la tabla ") + nombre, e);
  }
  QByteArray bytes;
  try {
    Candado candado(fd, TipoBloqueo::Compartido, nombre);
    QFile archivo;
    if (!archivo.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
      throw Error(Clase::Io, QStringLiteral("No se pudo leer la tabla ") + nombre);
    archivo.seek(0);
    bytes = archivo.readAll();
    if (archivo.error() != QFileDevice::NoError) throw Error(Clase::Io, QStringLiteral("No se pudo leer la tabla ") + nombre);
  } catch (...) {
    ::close(fd);
    throw;
  }
  ::close(fd);

  const int nuevo = Reemplaza(localDestino, nombreDestino, bytes);

  // Companion files, copied while the new table is still held; the old
  // table's companions go.
  const QFileInfo infoDestino(localDestino);
  for (const QString& viejo : Companeros(localDestino)) QFile::remove(viejo);
  bool copiados = true;
  for (const QString& companero : Companeros(localOrigen)) {
    const QString meta = infoDestino.absolutePath() + u'/' + infoDestino.completeBaseName() + u'.' + QFileInfo(companero).suffix();
    copiados = fs::CopiaArchivo(companero, meta) && copiados;
  }
  ::close(nuevo);
  if (!copiados) throw Error(Clase::Io, QStringLiteral("No se pudieron copiar los archivos de la tabla ") + nombre);
}

QStringList ParadoxArchivo::Companeros(const QString& ruta) {
  static const QStringList kDeOtrasTablas = {QStringLiteral("dbf"), QStringLiteral("dbt"), QStringLiteral("mdx")};
  const QFileInfo tabla(fs::Local(ruta));
  const QString base = tabla.completeBaseName();
  QStringList companeros;
  for (const QString& entrada : QDir(tabla.absolutePath()).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
    const QFileInfo info(entrada);
    if (entrada.compare(tabla.fileName(), Qt::CaseInsensitive) == 0 ||
        info.completeBaseName().compare(base, Qt::CaseInsensitive) != 0 ||
        kDeOtrasTablas.contains(info.suffix(), Qt::CaseInsensitive))
      continue;
    companeros << tabla.absolutePath() + u'/' + entrada;
  }
  return companeros;
}

void ParadoxArchivo::EmpacaArchivo(const QString& ruta) {
  ParadoxArchivo tabla(ruta, Uso::Exclusivo);
  tabla.Empaca();
}

QByteArray ParadoxArchivo::Vacio() const { return QByteArray(tamRegistro_, '\0'); }

void ParadoxArchivo::Fija(QByteArray& registro, int c, const QVariant& v) const {
  ExigeTamano(registro);
  // The field's bytes are made apart and go into the record only when the
  // value was good.
  const int largo = largos_[c];
  QByteArray campo(largo, '\0');
  char* p = campo.data();
  const auto noCabe = [&] {
    return Error(Clase::NoCabe, QStringLiteral("El valor no cabe en el campo %1 de la tabla %2").arg(campos_[c].nombre, nombre_));
  };
  const auto noValido = [&] {
    return Error(Clase::Conversion, QStringLiteral("Valor no válido para el campo %1 de la tabla %2").arg(campos_[c].nombre, nombre_));
  };
  bool ok = true;
  switch (v.isValid() ? tipos_[c] : 0) {
    case kAlfa: {
      QString texto = v.toString();
      while (texto.endsWith(u' ')) texto.chop(1);
      const QByteArray bytes = fs::ACp1252(texto).left(largo);  // cut to the field's width
      std::memcpy(p, bytes.constData(), size_t(bytes.size()));
      break;
    }
    case kNumero:
    case kMoneda: {
      double d = v.toDouble(&ok);
      if (!ok) throw noValido();
      if (!std::isfinite(d)) throw noCabe();
      if (d == 0) d = 0;  // no negative zero
      quint64 bits;
      std::memcpy(&bits, &d, sizeof bits);
      bits = (bits >> 63) ? ~bits : bits | (quint64(1) << 63);
      PonBE(p, bits, kLargoDoble);
      break;
    }
    case kCorto:
    case kLargo: {
      const double d = v.toDouble(&ok);
      if (!ok) throw noValido();
      const double limite = tipos_[c] == kCorto ? 32767.0 : 2147483647.0;
      if (!std::isfinite(d) || d != std::trunc(d) || d < -limite || d > limite) throw noCabe();
      if (tipos_[c] == kCorto)
        PonBE(p, quint16(qint16(d)) ^ 0x8000u, kLargoCorto);
      else
        PonBE(p, quint32(qint32(d)) ^ 0x80000000u, kLargoLargo);
      break;
    }
    case kFecha: {
      QDate fecha;
      const bool texto = v.typeId() == QMetaType::QString;
      if (v.typeId() == QMetaType::QDate)
        fecha = v.toDate();
      else if (v.typeId() == QMetaType::QDateTime)
        fecha = v.toDateTime().date();
      else if (texto && v.toString().trimmed().isEmpty())
        break;
      else if (texto)
        fecha = QDate::fromString(v.toString().trimmed(), QStringLiteral("dd/MM/yyyy"));
      else
        throw noValido();
      if (!fecha.isValid()) {
        if (texto) throw noValido();
        break;  // an invalid date is a blank date
      }
      const qint64 dias = fecha.toJulianDay() - kDiaJulianoCero;
      if (dias < 1) throw noCabe();
      PonBE(p, quint32(qint32(dias)) ^ 0x80000000u, kLargoFecha);
      break;
    }
    case kLogico:
      *p = char(v.toBool() ? kVerdadero : kFalso);
      break;
  }
  registro.replace(posiciones_[c], largo, campo);
}

QVariant ParadoxArchivo::Valor(const char* registro, int c) const {
  const char* p = registro + posiciones_[c];
  switch (tipos_[c]) {
    case kAlfa: {
      const int largo = int(qstrnlen(p, uint(campos_[c].ancho)));
      return largo > 0 ? QVariant(fs::DeCp1252(QByteArray(p, largo))) : QVariant();
    }
    case kNumero:
    case kMoneda: {
      quint64 bits = TomaBE(p, kLargoDoble);
      if (bits == 0) return QVariant();
      bits = (bits >> 63) ? bits & ~(quint64(1) << 63) : ~bits;
      double d;
      std::memcpy(&d, &bits, sizeof d);
      return d;
    }
    case kCorto: {
      const quint64 crudo = TomaBE(p, kLargoCorto);
      return crudo ? QVariant(qint64(qint16(quint16(crudo ^ 0x8000u)))) : QVariant();
    }
    case kLargo: {
      const quint64 crudo = TomaBE(p, kLargoLargo);
      return crudo ? QVariant(qint64(qint32(quint32(crudo ^ 0x80000000u)))) : QVariant();
    }
    case kFecha: {
      const quint64 crudo = TomaBE(p, kLargoFecha);
      return crudo ? QVariant(QDate::fromJulianDay(qint32(quint32(crudo ^ 0x80000000u)) + kDiaJulianoCero)) : QVariant();
    }
    case kLogico:
      return *p ? QVariant((quint8(*p) & 0x7F) != 0) : QVariant();
  }
  return QVariant();
}

QByteArray ParadoxArchivo::Codifica(const QVector<QVariant>& valores) const {
  if (valores.size() != campos_.size())
    throw Error(QStringLiteral("La tabla %1 tiene %2 campos y se dieron %3 valores").arg(nombre_).arg(campos_.size()).arg(valores.size()));
  QByteArray registro = Vacio();
  for (int c = 0; c < campos_.size(); ++c) Fija(registro, c, valores[c]);
  return registro;
}

QVector<QVariant> ParadoxArchivo::Decodifica(const QByteArray& registro) const {
  QVector<QVariant> valores(campos_.size());
  for (int c = 0; c < campos_.size(); ++c) valores[c] = Valor(registro.constData(), c);
  return valores;
}

}  // namespace db
