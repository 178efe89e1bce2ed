#include "platform/db/mdx/MdxArchivo.h"

#include "platform/Error.h"
#include "platform/db/PuntosFalla.h"
#include "platform/db/mdx/mdx_format.h"
#include "platform/fs/Falla.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Texto.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <exception>
#include <map>
#include <thread>
#include <unordered_map>

namespace db {

using namespace mdx;

namespace {

// A lock held longer than this by another station gives EnUso.
constexpr auto kEsperaMaxima = std::chrono::seconds(10);
// Deeper than this, a tree can only be a loop of damaged pointers.
constexpr int kMaxProfundidad = 24;
// Cached blocks dropped at the start of an operation beyond this many.
constexpr size_t kMaxBloquesCache = 1u << 16;

std::uint32_t U32(const std::uint8_t* p) {
  std::uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}
void PonU32(std::uint8_t* p, std::uint32_t v) { std::memcpy(p, &v, 4); }
std::uint16_t U16(const std::uint8_t* p) {
  std::uint16_t v;
  std::memcpy(&v, p, 2);
  return v;
}
void PonU16(std::uint8_t* p, std::uint16_t v) { std::memcpy(p, &v, 2); }

void PonFecha(std::uint8_t* p, const QDate& f) {
  p[0] = static_cast<std::uint8_t>(f.year() - 1900);
  p[1] = static_cast<std::uint8_t>(f.month());
  p[2] = static_cast<std::uint8_t>(f.day());
}

bool NombreTagValido(const QString& n) {
  static const QRegularExpression re(QStringLiteral("^[A-Za-z][A-Za-z0-9_]{0,9}$"));
  return re.match(n).hasMatch();
}

bool EsUnCampo(const QString& expresion) {
  static const QRegularExpression re(QStringLiteral("^\\s*[A-Za-z_][A-Za-z0-9_]*\\s*$"));
  return re.match(expresion).hasMatch();
}

// Where a search for a key stops in the tag's order.
enum class Limite {
  Inferior,  // the first entry not before (key, record)
  Superior,  // the first entry after every entry of the key
};

struct Paso {
  std::uint32_t pagina;
  int i;
};
using Camino = std::vector<Paso>;

// A key searched for: the tag's length, or longer for a text that goes on
// past the key (it then sorts after the keys it starts with).
struct Busqueda {
  const std::uint8_t* p;
  int n;
};

}  // namespace

struct TagMdx {
  QString nombre;
  QString expresion;
  bool unico = false;
  bool descendente = false;
  TipoClave tipo = TipoClave::Caracter;
  std::uint32_t cabecera = 0;
  std::uint32_t raiz = 0;
  std::uint32_t paginas = 0;
  int largo = 0;
  int item = 0;
  int maxClaves = 0;
  bool cambiado = false;
};

struct MdxArchivo::Impl {
  QString ruta;
  QVector<DefCampo> campos;
  int fd = -1;
  bool escribible = true;

  int nivel = 0;
  bool exclusivo = false;
  bool cargado = false;
  bool modificado = false;
  bool tablaCambiada = false;
  // The change touches more than leaves: blocks taken or freed, or an
  // interior node written. Only such a change needs the page journal: each
  // leaf alone is written whole, and the table's finisher (idempotent)
  // mends the keys of a change cut between leaves.
  bool estructural = false;
  std::uint64_t generacion = 1;

  std::vector<std::uint8_t> cab;  // pages 0..3: header and tag table
  std::uint8_t vivo[kLargoEncabezadoVivo] = {};
  int tamBloque = kBloque;
  int paginasBloque = kPaginasPorBloque;
  std::uint32_t paginasArchivo = 0;
  std::uint32_t primeraLibre = 0;
  std::uint32_t bloquesLibres = 0;
  std::vector<TagMdx> tags;

  struct Bloque {
    std::vector<std::uint8_t> b;
    bool sucio = false;
  };
  std::unordered_map<std::uint32_t, Bloque> cache;
  std::vector<std::uint32_t> sucias;  // pages changed by this operation
  std::map<QString, std::shared_ptr<ExpresionIndice>> expresiones;
  // Finishes a table write whose intent a dead station left (FijaRemate).
  std::function<void(const QByteArray&)> remate;

  // ---------------------------------------------------------------- errors
  [[noreturn]] void Corrupto(const QString& detalle) const {
    throw plat::Error(plat::Clase::Corrupto,
                      QStringLiteral("El archivo de índices %1 está dañado (%2)").arg(ruta, detalle));
  }

  // ---------------------------------------------------------------- locks
  void Bloquea(bool excl) {
    if (excl && !escribible) {
      throw plat::Error(plat::Clase::Io, QStringLiteral("El archivo de índices %1 es de solo lectura").arg(ruta));
    }
    struct flock fl {};
    fl.l_type = excl ? F_WRLCK : F_RDLCK;
    fl.l_whence = SEEK_SET;
    const auto fin = std::chrono::steady_clock::now() + kEsperaMaxima;
    auto pausa = std::chrono::microseconds(50);
    while (fcntl(fd, F_OFD_SETLK, &fl) != 0) {
      if (errno == EINTR) continue;
      if (errno != EAGAIN && errno != EACCES) {
        throw plat::ErrorDeSistema(QStringLiteral("No se pudo bloquear el archivo de índices %1").arg(ruta), errno);
      }
      if (std::chrono::steady_clock::now() > fin) {
        throw plat::Error(plat::Clase::EnUso,
                          QStringLiteral("El archivo de índices %1 está ocupado por otra estación").arg(ruta));
      }
      std::this_thread::sleep_for(pausa);
      pausa = std::min(pausa * 2, std::chrono::microseconds(5000));
    }
  }

  void Desbloquea() {
    struct flock fl {};
    fl.l_type = F_UNLCK;
    fl.l_whence = SEEK_SET;
    fcntl(fd, F_OFD_SETLK, &fl);
  }

  // An exclusive hold becomes a shared one (never fails: nobody else holds).
  void Degrada() {
    struct flock fl {};
    fl.l_type = F_RDLCK;
    fl.l_whence = SEEK_SET;
    while (fcntl(fd, F_OFD_SETLK, &fl) != 0 && errno == EINTR) {
    }
  }

  void Entra(bool excl) {
    if (nivel == 0) {
      Bloquea(excl);
      exclusivo = excl;
      try {
        Valida(true);
      } catch (...) {
        Desbloquea();
        throw;
      }
    } else {
      if (excl && !exclusivo) {
        throw plat::Error(plat::Clase::Estado,
                          QStringLiteral("El archivo de índices %1 está bloqueado solo para lectura").arg(ruta));
      }
      if (!cargado) Valida(false);
    }
    ++nivel;
  }

  void Sale() {
    if (--nivel == 0) Desbloquea();
  }

  // Drops what this handle changed but did not write: the file is read again.
  void Descarta() {
    cache.clear();
    sucias.clear();
    estructural = false;
    cargado = false;
    modificado = false;
    tablaCambiada = false;
    ++generacion;
  }

  // ---------------------------------------------------------------- I/O
  void LeeEn(std::uint8_t* destino, size_t largo, off_t posicion) {
    size_t hecho = 0;
    while (hecho < largo) {
      const ssize_t n = pread(fd, destino + hecho, largo - hecho, posicion + static_cast<off_t>(hecho));
      if (n < 0) {
        if (errno == EINTR) continue;
        throw plat::ErrorDeSistema(QStringLiteral("No se pudo leer el archivo de índices %1").arg(ruta), errno);
      }
      if (n == 0) Corrupto(QStringLiteral("termina antes de tiempo"));
      hecho += static_cast<size_t>(n);
    }
  }

  void EscribeEn(const std::uint8_t* origen, size_t largo, off_t posicion) {
    size_t hecho = 0;
    while (hecho < largo) {
      const ssize_t n = pwrite(fd, origen + hecho, largo - hecho, posicion + static_cast<off_t>(hecho));
      if (n < 0) {
        if (errno == EINTR) continue;
        throw plat::ErrorDeSistema(QStringLiteral("No se pudo escribir el archivo de índices %1").arg(ruta), errno);
      }
      hecho += static_cast<size_t>(n);
    }
  }

  // ---------------------------------------------------------------- header
  // Re-reads the live header bytes; when another station (or a failed
  // operation of this one) changed the file, everything is loaded again.
  // On taking the file (`alTomar`), a change left halfway is finished first:
  // whoever held the file before let it go, so its writer is dead (while
  // this handle holds the file, the pending change is its own).
  void Valida(bool alTomar) {
    std::uint8_t ahora[kLargoEncabezadoVivo];
    LeeEn(ahora, sizeof ahora, 0);
    if (alTomar && Pendiente(ahora) && escribible) {
      Remata();
      LeeEn(ahora, sizeof ahora, 0);
    }
    if (cargado && std::memcmp(ahora, vivo, sizeof ahora) == 0) {
      if (cache.size() > kMaxBloquesCache) cache.clear();
      return;
    }
    Carga();
  }

  static bool Pendiente(const std::uint8_t* h) { return U32(h + kLargoIntencion) != 0 || U32(h + kLargoDiario) != 0; }

  // Under the file's lock, with a change left pending by a dead station:
  // its page journal is written in place again, then its intent goes to the
  // table's finisher; both under an exclusive hold, which goes back to
  // shared when that was asked.
  void Remata() {
    const bool compartido = !exclusivo;
    if (compartido) {
      Desbloquea();
      Bloquea(true);
      exclusivo = true;
    }
    std::uint8_t h[kLargoEncabezadoVivo];
    LeeEn(h, sizeof h, 0);
    if (U32(h + kLargoDiario) != 0) {
      Repone(h);
      cargado = false;
      LeeEn(h, sizeof h, 0);
    }
    if (U32(h + kLargoIntencion) != 0 && remate) {
      if (!cargado || std::memcmp(h, vivo, sizeof h) != 0) Carga();
      const QByteArray intencion = LeeIntencion(h);
      ++nivel;
      try {
        remate(intencion);
      } catch (...) {
        --nivel;
        throw;
      }
      --nivel;
      // The dead writer may have left leaves written and the header not:
      // every station drops its cached pages.
      PonU32(cab.data() + kContadorCambios, U32(cab.data() + kContadorCambios) + 1);
      EscribeEn(cab.data() + kContadorCambios, 4, kContadorCambios);
      std::memcpy(vivo, cab.data(), sizeof vivo);
    }
    if (compartido) {
      Degrada();
      exclusivo = false;
    }
  }

  // The pending intent: after the live header bytes when it fits there,
  // else in its area.
  QByteArray LeeIntencion(const std::uint8_t* h) {
    const std::uint32_t largo = U32(h + kLargoIntencion);
    if (largo > kMaxIntencionEnLinea) return LeeArea(h, kAreaIntencion, kLargoIntencion, QStringLiteral("intención"));
    QByteArray b(static_cast<qsizetype>(largo), Qt::Uninitialized);
    LeeEn(reinterpret_cast<std::uint8_t*>(b.data()), largo, kIntencionEnLinea);
    return b;
  }

  // The pending bytes of an area, as the live header bytes `h` place them.
  QByteArray LeeArea(const std::uint8_t* h, int area, int campoLargo, const QString& que) {
    const std::uint32_t pagina = U32(h + area);
    const std::uint64_t capacidad = static_cast<std::uint64_t>(U32(h + area + 4)) * U16(h + kTamanoBloque);
    const std::uint32_t largo = U32(h + campoLargo);
    if (pagina < kPaginasIniciales || largo > capacidad) Corrupto(QStringLiteral("%1 pendiente").arg(que));
    QByteArray b(static_cast<qsizetype>(largo), Qt::Uninitialized);
    LeeEn(reinterpret_cast<std::uint8_t*>(b.data()), largo, static_cast<off_t>(pagina) * kPagina);
    return b;
  }

  // Writes again every page of a pending journal, the header last (which
  // clears the journal).
  void Repone(const std::uint8_t* h) {
    const QByteArray diario = LeeArea(h, kAreaDiario, kLargoDiario, QStringLiteral("diario de páginas"));
    const auto* p = reinterpret_cast<const std::uint8_t*>(diario.constData());
    const size_t total = static_cast<size_t>(diario.size());
    if (total < 4) Corrupto(QStringLiteral("diario de páginas"));
    const std::uint32_t entradas = U32(p);
    size_t pos = 4;
    for (std::uint32_t i = 0; i < entradas; ++i) {
      if (pos + 8 > total) Corrupto(QStringLiteral("diario de páginas"));
      const std::uint32_t pagina = U32(p + pos), largo = U32(p + pos + 4);
      pos += 8;
      if (largo > total - pos) Corrupto(QStringLiteral("diario de páginas"));
      EscribeEn(p + pos, largo, static_cast<off_t>(pagina) * kPagina);
      pos += largo;
    }
    const std::uint8_t cero[4] = {};
    EscribeEn(cero, sizeof cero, kLargoDiario);
  }

  // The first page of an area (kAreaIntencion or kAreaDiario) that holds
  // `largo` bytes: the one in the header, or a new run of blocks at the end
  // of the file (the old run is left unused until the tags are rebuilt).
  std::uint32_t Area(int area, size_t largo) {
    std::uint8_t* h = cab.data();
    const std::uint32_t bloques = static_cast<std::uint32_t>((largo + static_cast<size_t>(tamBloque) - 1) / static_cast<size_t>(tamBloque));
    if (U32(h + area) != 0 && U32(h + area + 4) >= bloques) return U32(h + area);
    const std::uint32_t nuevos = std::max(bloques, 2 * U32(h + area + 4));
    const std::uint32_t pagina = paginasArchivo;
    paginasArchivo += nuevos * static_cast<std::uint32_t>(paginasBloque);
    struct stat st {};
    if (fstat(fd, &st) != 0) throw plat::ErrorDeSistema(QStringLiteral("No se pudo leer %1").arg(ruta), errno);
    const off_t fin = static_cast<off_t>(paginasArchivo) * kPagina;
    if (st.st_size < fin && ftruncate(fd, fin) != 0)
      throw plat::ErrorDeSistema(QStringLiteral("No se pudo escribir el archivo de índices %1").arg(ruta), errno);
    PonU32(h + area, pagina);
    PonU32(h + area + 4, nuevos);
    PonU32(h + kPaginasArchivo, paginasArchivo);
    return pagina;
  }

  void Carga() {
    cache.clear();
    tags.clear();
    cargado = false;
    ++generacion;
    struct stat st {};
    if (fstat(fd, &st) != 0) throw plat::ErrorDeSistema(QStringLiteral("No se pudo leer %1").arg(ruta), errno);
    const off_t minimo = kPaginasIniciales * kPagina;
    if (st.st_size < minimo) Corrupto(QStringLiteral("mide %1 bytes").arg(st.st_size));
    cab.assign(static_cast<size_t>(minimo), 0);
    LeeEn(cab.data(), cab.size(), 0);
    const std::uint8_t* h = cab.data();
    if (h[kVersion] != kValorVersion) Corrupto(QStringLiteral("versión %1").arg(h[kVersion]));
    paginasBloque = U16(h + kPaginasBloque);
    tamBloque = U16(h + kTamanoBloque);
    if (paginasBloque < 1 || paginasBloque > 64 || tamBloque != paginasBloque * kPagina) {
      Corrupto(QStringLiteral("bloques de %1 bytes").arg(tamBloque));
    }
    if (h[kLargoEntradaTag] != kValorLargoEntradaTag) Corrupto(QStringLiteral("tabla de tags"));
    const int nTags = U16(h + kTagsEnUso);
    if (nTags > kMaxTags) Corrupto(QStringLiteral("%1 tags").arg(nTags));
    paginasArchivo = U32(h + kPaginasArchivo);
    primeraLibre = U32(h + kPrimeraLibre);
    bloquesLibres = U32(h + kBloquesLibres);
    const std::uint64_t paginasReales = static_cast<std::uint64_t>(st.st_size) / kPagina;
    if (paginasArchivo < kPaginasIniciales || paginasArchivo > paginasReales + static_cast<std::uint64_t>(paginasBloque)) {
      Corrupto(QStringLiteral("cuenta de páginas %1").arg(paginasArchivo));
    }
    if (primeraLibre != 0 && !PaginaValida(primeraLibre)) Corrupto(QStringLiteral("lista de bloques libres"));
    std::memcpy(vivo, h, sizeof vivo);
    cargado = true;  // blocks can be read from here on
    try {
      for (int i = 0; i < nTags; ++i) tags.push_back(LeeTag(i));
    } catch (...) {
      cargado = false;
      tags.clear();
      throw;
    }
  }

  bool PaginaValida(std::uint32_t p) const {
    return p >= kPaginasIniciales && p + static_cast<std::uint32_t>(paginasBloque) <= paginasArchivo;
  }

  TagMdx LeeTag(int i) {
    const std::uint8_t* e = cab.data() + kTablaTags + i * kValorLargoEntradaTag;
    TagMdx t;
    t.cabecera = U32(e + kTagPagina);
    t.nombre = QString::fromLatin1(reinterpret_cast<const char*>(e + kTagNombre),
                                   static_cast<int>(strnlen(reinterpret_cast<const char*>(e + kTagNombre), 11)))
                   .trimmed()
                   .toUpper();
    if (t.nombre.isEmpty()) Corrupto(QStringLiteral("tag %1 sin nombre").arg(i + 1));
    if (!PaginaValida(t.cabecera)) Corrupto(QStringLiteral("cabecera del tag %1").arg(t.nombre));
    const std::uint8_t* c = Lee(t.cabecera);
    const char tipo = static_cast<char>(c[kCabTipo]);
    t.largo = U16(c + kCabLargoClave);
    t.item = U16(c + kCabLargoItem);
    if (tipo == 'C' && t.largo >= 1 && t.largo <= kMaxLargoCaracter) {
      t.tipo = TipoClave::Caracter;
    } else if (tipo == 'N' && t.largo == kLargoNumero) {
      t.tipo = TipoClave::Numero;
    } else if (tipo == 'D' && t.largo == kLargoFecha) {
      t.tipo = TipoClave::Fecha;
    } else {
      Corrupto(QStringLiteral("clave del tag %1").arg(t.nombre));
    }
    if (t.item != ((t.largo + kPuntero + 3) / 4) * 4) Corrupto(QStringLiteral("items del tag %1").arg(t.nombre));
    t.maxClaves = (tamBloque - 12) / t.item;
    if (t.maxClaves < 3) Corrupto(QStringLiteral("items del tag %1").arg(t.nombre));
    t.raiz = U32(c + kCabRaiz);
    if (!PaginaValida(t.raiz)) Corrupto(QStringLiteral("raíz del tag %1").arg(t.nombre));
    t.paginas = U32(c + kCabPaginas);
    t.descendente = (c[kCabFormato] & kFormatoDescendente) != 0;
    t.unico = c[kCabUnico] != 0 || (c[kCabFormato] & kFormatoUnico) != 0;
    const char* ex = reinterpret_cast<const char*>(c + kCabExpresion);
    t.expresion = fs::DeCp1252(QByteArray(ex, static_cast<int>(strnlen(ex, kLargoExpresion)))).trimmed();
    return t;
  }

  // ---------------------------------------------------------------- blocks
  const std::uint8_t* Lee(std::uint32_t pagina) { return Celda(pagina).b.data(); }

  std::uint8_t* Escribe(std::uint32_t pagina) {
    auto& b = Celda(pagina);
    if (!b.sucio) sucias.push_back(pagina);
    b.sucio = true;
    modificado = true;
    return b.b.data();
  }

  Bloque& Celda(std::uint32_t pagina) {
    auto it = cache.find(pagina);
    if (it != cache.end()) return it->second;
    if (!PaginaValida(pagina)) Corrupto(QStringLiteral("página %1 fuera del archivo").arg(pagina));
    Bloque nuevo;
    nuevo.b.resize(static_cast<size_t>(tamBloque));
    LeeEn(nuevo.b.data(), nuevo.b.size(), static_cast<off_t>(pagina) * kPagina);
    return cache.emplace(pagina, std::move(nuevo)).first->second;
  }

  std::uint32_t Nuevo(TagMdx& t) {
    estructural = true;
    std::uint32_t pagina;
    if (primeraLibre != 0) {
      pagina = primeraLibre;
      const std::uint32_t siguiente = U32(Lee(pagina) + kNodoSiguienteLibre);
      if (siguiente != 0 && !PaginaValida(siguiente)) Corrupto(QStringLiteral("lista de bloques libres"));
      primeraLibre = siguiente;
      if (bloquesLibres > 0) --bloquesLibres;
    } else {
      pagina = paginasArchivo;
      paginasArchivo += static_cast<std::uint32_t>(paginasBloque);
    }
    auto& b = cache[pagina];
    b.b.assign(static_cast<size_t>(tamBloque), 0);
    if (!b.sucio) sucias.push_back(pagina);
    b.sucio = true;
    modificado = true;
    t.paginas += static_cast<std::uint32_t>(paginasBloque);
    t.cambiado = true;
    return pagina;
  }

  void LiberaBloque(TagMdx& t, std::uint32_t pagina) {
    estructural = true;
    std::uint8_t* b = Escribe(pagina);
    std::memset(b, 0, static_cast<size_t>(tamBloque));
    PonU32(b + kNodoSiguienteLibre, primeraLibre);
    primeraLibre = pagina;
    ++bloquesLibres;
    if (t.paginas >= static_cast<std::uint32_t>(paginasBloque)) t.paginas -= static_cast<std::uint32_t>(paginasBloque);
    t.cambiado = true;
  }

  // ---------------------------------------------------------------- nodes
  static int Cuenta(const std::uint8_t* b) { return static_cast<int>(U32(b + kNodoCuenta)); }
  static std::uint32_t Puntero(const std::uint8_t* b, const TagMdx& t, int i) {
    return U32(b + kNodoItems + i * t.item);
  }
  static const std::uint8_t* ClaveEn(const std::uint8_t* b, const TagMdx& t, int i) {
    return b + kNodoItems + i * t.item + kPuntero;
  }
  static bool EsHoja(const std::uint8_t* b, const TagMdx& t) { return Puntero(b, t, Cuenta(b)) == 0; }

  // A node of the tag, checked before use.
  const std::uint8_t* Nodo(const TagMdx& t, std::uint32_t pagina) {
    const std::uint8_t* b = Lee(pagina);
    const int n = Cuenta(b);
    if (n < 0 || n > t.maxClaves) Corrupto(QStringLiteral("nodo %1 del tag %2").arg(pagina).arg(t.nombre));
    return b;
  }

  std::uint32_t Hijo(const TagMdx& t, const std::uint8_t* b, int i) {
    const std::uint32_t p = Puntero(b, t, i);
    if (!PaginaValida(p)) Corrupto(QStringLiteral("puntero %1 del tag %2").arg(p).arg(t.nombre));
    return p;
  }

  static int Compara(const TagMdx& t, const std::uint8_t* a, const std::uint8_t* b) {
    const int c = clave::Compara(t.tipo, a, b, t.largo);
    return t.descendente ? -c : c;
  }

  // An entry's key against a searched key, in the tag's order.
  static int Compara(const TagMdx& t, const std::uint8_t* entrada, Busqueda k) {
    int c = clave::Compara(t.tipo, entrada, k.p, t.largo);
    if (c == 0 && k.n > t.largo) c = -1;
    return t.descendente ? -c : c;
  }

  // Whether an entry comes before the place searched for.
  static bool Antes(const TagMdx& t, const std::uint8_t* b, int i, Busqueda k, std::uint32_t registro, Limite l) {
    const int c = Compara(t, ClaveEn(b, t, i), k);
    if (l == Limite::Superior) return c <= 0;
    return c < 0 || (c == 0 && Puntero(b, t, i) < registro);
  }

  Camino Desciende(const TagMdx& t, Busqueda k, std::uint32_t registro, Limite l) {
    Camino c;
    std::uint32_t pagina = t.raiz;
    for (int prof = 0;; ++prof) {
      if (prof > kMaxProfundidad) Corrupto(QStringLiteral("árbol del tag %1 sin fondo").arg(t.nombre));
      const std::uint8_t* b = Nodo(t, pagina);
      const int n = Cuenta(b);
      int lo = 0, hi = n;
      const bool hoja = EsHoja(b, t);
      while (lo < hi) {
        const int m = (lo + hi) / 2;
        bool antes;
        if (hoja) {
          antes = Antes(t, b, m, k, registro, l);
        } else {
          const int cmp = Compara(t, ClaveEn(b, t, m), k);
          antes = l == Limite::Superior ? cmp <= 0 : cmp < 0;
        }
        if (antes) lo = m + 1;
        else hi = m;
      }
      c.push_back({pagina, lo});
      if (hoja) break;
      pagina = Hijo(t, b, lo);
    }
    // Equal keys may run on into the following leaves.
    for (;;) {
      const std::uint8_t* b = Nodo(t, c.back().pagina);
      const int n = Cuenta(b);
      int i = c.back().i;
      while (i < n && Antes(t, b, i, k, registro, l)) ++i;
      c.back().i = i;
      if (i < n) break;
      if (!SiguienteHoja(t, c)) break;
    }
    return c;
  }

  // Moves to the first entry of the next leaf; false (path unchanged) at the end.
  bool SiguienteHoja(const TagMdx& t, Camino& c) {
    for (;;) {
      int nivelArriba = -1;
      for (int lv = static_cast<int>(c.size()) - 2; lv >= 0; --lv) {
        if (c[lv].i < Cuenta(Nodo(t, c[lv].pagina))) {
          nivelArriba = lv;
          break;
        }
      }
      if (nivelArriba < 0) return false;
      c.resize(static_cast<size_t>(nivelArriba) + 1);
      ++c.back().i;
      BajaIzquierda(t, c);
      if (Cuenta(Nodo(t, c.back().pagina)) > 0) return true;
    }
  }

  // Moves to the last entry of the previous leaf; false (path unchanged) at the start.
  bool HojaAnterior(const TagMdx& t, Camino& c) {
    for (;;) {
      int nivelArriba = -1;
      for (int lv = static_cast<int>(c.size()) - 2; lv >= 0; --lv) {
        if (c[lv].i > 0) {
          nivelArriba = lv;
          break;
        }
      }
      if (nivelArriba < 0) return false;
      c.resize(static_cast<size_t>(nivelArriba) + 1);
      --c.back().i;
      BajaDerecha(t, c);
      if (c.back().i >= 0) return true;
    }
  }

  // From the child c.back() points at, down its first entries to a leaf.
  void BajaIzquierda(const TagMdx& t, Camino& c) {
    std::uint32_t pagina = Hijo(t, Nodo(t, c.back().pagina), c.back().i);
    for (;;) {
      if (static_cast<int>(c.size()) > kMaxProfundidad) Corrupto(QStringLiteral("árbol del tag %1 sin fondo").arg(t.nombre));
      const std::uint8_t* b = Nodo(t, pagina);
      c.push_back({pagina, 0});
      if (EsHoja(b, t)) return;
      pagina = Hijo(t, b, 0);
    }
  }

  // From the child c.back() points at, down its last entries to a leaf; the
  // leaf's index is its last entry (-1 when empty).
  void BajaDerecha(const TagMdx& t, Camino& c) {
    std::uint32_t pagina = Hijo(t, Nodo(t, c.back().pagina), c.back().i);
    for (;;) {
      if (static_cast<int>(c.size()) > kMaxProfundidad) Corrupto(QStringLiteral("árbol del tag %1 sin fondo").arg(t.nombre));
      const std::uint8_t* b = Nodo(t, pagina);
      const int n = Cuenta(b);
      if (EsHoja(b, t)) {
        c.push_back({pagina, n - 1});
        return;
      }
      c.push_back({pagina, n});
      pagina = Hijo(t, b, n);
    }
  }

  Camino Izquierda(const TagMdx& t) {
    Camino c;
    const std::uint8_t* b = Nodo(t, t.raiz);
    if (EsHoja(b, t)) {
      c.push_back({t.raiz, 0});
      return c;
    }
    c.push_back({t.raiz, 0});
    BajaIzquierda(t, c);
    if (Cuenta(Nodo(t, c.back().pagina)) == 0) SiguienteHoja(t, c);
    return c;
  }

  Camino Derecha(const TagMdx& t) {
    Camino c;
    const std::uint8_t* b = Nodo(t, t.raiz);
    const int n = Cuenta(b);
    if (EsHoja(b, t)) {
      c.push_back({t.raiz, n - 1});
      return c;
    }
    c.push_back({t.raiz, n});
    BajaDerecha(t, c);
    if (c.back().i < 0) HojaAnterior(t, c);
    return c;
  }

  // Whether the path stands on an entry.
  bool EnEntrada(const TagMdx& t, const Camino& c) {
    if (c.empty()) return false;
    const int i = c.back().i;
    return i >= 0 && i < Cuenta(Nodo(t, c.back().pagina));
  }

  bool Avanza(const TagMdx& t, Camino& c) {
    const int n = Cuenta(Nodo(t, c.back().pagina));
    if (c.back().i + 1 < n) {
      ++c.back().i;
      return true;
    }
    return SiguienteHoja(t, c);
  }

  bool Retrocede(const TagMdx& t, Camino& c) {
    if (c.back().i > 0) {
      --c.back().i;
      return true;
    }
    return HojaAnterior(t, c);
  }

  // ---------------------------------------------------------------- changes
  // The separator above a leaf or node whose greatest key is now `clave`.
  void PonSeparador(TagMdx& t, const Camino& c, int debajoDe, const std::uint8_t* clave) {
    for (int lv = debajoDe - 1; lv >= 0; --lv) {
      const std::uint8_t* b = Nodo(t, c[lv].pagina);
      if (c[lv].i < Cuenta(b)) {
        estructural = true;
        std::uint8_t* w = Escribe(c[lv].pagina);
        std::memcpy(w + kNodoItems + c[lv].i * t.item + kPuntero, clave, static_cast<size_t>(t.largo));
        return;
      }
    }
  }

  void InsertaEn(TagMdx& t, Camino& c, const std::uint8_t* clave, std::uint32_t registro) {
    const Paso hojaPaso = c.back();
    std::uint8_t* b = Escribe(hojaPaso.pagina);
    const int n = Cuenta(b);
    const int i = std::clamp(hojaPaso.i, 0, n);
    const int item = t.item;
    if (n < t.maxClaves) {
      std::memmove(b + kNodoItems + (i + 1) * item, b + kNodoItems + i * item, static_cast<size_t>((n - i) * item));
      std::uint8_t* p = b + kNodoItems + i * item;
      std::memset(p, 0, static_cast<size_t>(item));
      PonU32(p, registro);
      std::memcpy(p + kPuntero, clave, static_cast<size_t>(t.largo));
      PonU32(b + kNodoItems + (n + 1) * item, 0);
      PonU32(b + kNodoCuenta, static_cast<std::uint32_t>(n + 1));
      if (i == n) PonSeparador(t, c, static_cast<int>(c.size()) - 1, clave);
      t.cambiado = true;
      return;
    }
    // Full leaf: split it, the left half keeps its page.
    std::vector<std::uint8_t> todo(static_cast<size_t>((n + 1) * item), 0);
    std::memcpy(todo.data(), b + kNodoItems, static_cast<size_t>(i * item));
    PonU32(todo.data() + i * item, registro);
    std::memcpy(todo.data() + i * item + kPuntero, clave, static_cast<size_t>(t.largo));
    std::memcpy(todo.data() + (i + 1) * item, b + kNodoItems + i * item, static_cast<size_t>((n - i) * item));
    const bool alFinal = i == n && UltimaRama(t, c);
    const int izq = alFinal ? n : (n + 2) / 2;
    const std::uint32_t derecha = Nuevo(t);
    b = Escribe(hojaPaso.pagina);
    std::memset(b, 0, static_cast<size_t>(tamBloque));
    std::memcpy(b + kNodoItems, todo.data(), static_cast<size_t>(izq * item));
    PonU32(b + kNodoCuenta, static_cast<std::uint32_t>(izq));
    std::uint8_t* d = Escribe(derecha);
    std::memcpy(d + kNodoItems, todo.data() + izq * item, static_cast<size_t>((n + 1 - izq) * item));
    PonU32(d + kNodoCuenta, static_cast<std::uint32_t>(n + 1 - izq));
    const std::vector<std::uint8_t> separador(todo.data() + (izq - 1) * item + kPuntero,
                                              todo.data() + (izq - 1) * item + kPuntero + t.largo);
    if (i == n) PonSeparador(t, c, static_cast<int>(c.size()) - 1, clave);
    InsertaEnPadre(t, c, static_cast<int>(c.size()) - 2, separador.data(), hojaPaso.pagina, derecha);
  }

  // Whether the path runs down the last child at every level.
  bool UltimaRama(const TagMdx& t, const Camino& c) {
    for (size_t lv = 0; lv + 1 < c.size(); ++lv) {
      if (c[lv].i < Cuenta(Nodo(t, c[lv].pagina))) return false;
    }
    return true;
  }

  // Puts `derecha` after `izquierda` (the child at c[nivel]) with the
  // separator between them; splits upwards as needed.
  void InsertaEnPadre(TagMdx& t, Camino& c, int nivel, const std::uint8_t* separador, std::uint32_t izquierda,
                      std::uint32_t derecha) {
    estructural = true;
    const int item = t.item;
    if (nivel < 0) {
      const std::uint32_t raiz = Nuevo(t);
      std::uint8_t* r = Escribe(raiz);
      PonU32(r + kNodoCuenta, 1);
      PonU32(r + kNodoItems, izquierda);
      std::memcpy(r + kNodoItems + kPuntero, separador, static_cast<size_t>(t.largo));
      PonU32(r + kNodoItems + item, derecha);
      t.raiz = raiz;
      t.cambiado = true;
      return;
    }
    const std::uint32_t pagina = c[nivel].pagina;
    std::uint8_t* b = Escribe(pagina);
    const int n = Cuenta(b);
    const int p = c[nivel].i;
    if (n < t.maxClaves) {
      std::memmove(b + kNodoItems + (p + 1) * item, b + kNodoItems + p * item,
                   static_cast<size_t>((n - p) * item + kPuntero));
      std::uint8_t* q = b + kNodoItems + p * item;
      PonU32(q, izquierda);
      std::memcpy(q + kPuntero, separador, static_cast<size_t>(t.largo));
      PonU32(q + item, derecha);
      PonU32(b + kNodoCuenta, static_cast<std::uint32_t>(n + 1));
      return;
    }
    // Full interior node: n + 1 keys and n + 2 children to share.
    std::vector<std::uint32_t> hijos;
    std::vector<std::vector<std::uint8_t>> claves;
    for (int j = 0; j < n; ++j) {
      hijos.push_back(Puntero(b, t, j));
      claves.emplace_back(ClaveEn(b, t, j), ClaveEn(b, t, j) + t.largo);
    }
    hijos.push_back(Puntero(b, t, n));
    hijos[static_cast<size_t>(p)] = izquierda;
    hijos.insert(hijos.begin() + p + 1, derecha);
    claves.insert(claves.begin() + p, std::vector<std::uint8_t>(separador, separador + t.largo));
    const int m = n + 1;
    const int h = (p == n && UltimaRama(t, Camino(c.begin(), c.begin() + nivel + 1))) ? m - 2 : m / 2;
    auto escribe = [&](std::uint8_t* w, int desde, int cuantas) {
      std::memset(w, 0, static_cast<size_t>(tamBloque));
      PonU32(w + kNodoCuenta, static_cast<std::uint32_t>(cuantas));
      for (int j = 0; j < cuantas; ++j) {
        PonU32(w + kNodoItems + j * item, hijos[static_cast<size_t>(desde + j)]);
        std::memcpy(w + kNodoItems + j * item + kPuntero, claves[static_cast<size_t>(desde + j)].data(),
                    static_cast<size_t>(t.largo));
      }
      PonU32(w + kNodoItems + cuantas * item, hijos[static_cast<size_t>(desde + cuantas)]);
    };
    const std::uint32_t nueva = Nuevo(t);
    escribe(Escribe(pagina), 0, h);
    escribe(Escribe(nueva), h + 1, m - h - 1);
    const std::vector<std::uint8_t> sube = claves[static_cast<size_t>(h)];
    InsertaEnPadre(t, c, nivel - 1, sube.data(), pagina, nueva);
  }

  // Removes the entry the path stands on.
  void BorraEn(TagMdx& t, Camino& c) {
    const Paso hoja = c.back();
    std::uint8_t* b = Escribe(hoja.pagina);
    const int n = Cuenta(b);
    const int item = t.item;
    const int i = hoja.i;
    std::memmove(b + kNodoItems + i * item, b + kNodoItems + (i + 1) * item, static_cast<size_t>((n - i - 1) * item));
    std::memset(b + kNodoItems + (n - 1) * item, 0, static_cast<size_t>(item + kPuntero));
    PonU32(b + kNodoCuenta, static_cast<std::uint32_t>(n - 1));
    t.cambiado = true;
    if (n - 1 == 0 && c.size() > 1) {
      c.pop_back();
      LiberaBloque(t, hoja.pagina);
      QuitaHijo(t, c, static_cast<int>(c.size()) - 1);
    } else if (i == n - 1 && n - 1 > 0) {
      const std::vector<std::uint8_t> ultima(ClaveEn(b, t, n - 2), ClaveEn(b, t, n - 2) + t.largo);
      PonSeparador(t, c, static_cast<int>(c.size()) - 1, ultima.data());
    }
  }

  // Removes from the node at c[nivel] the child its index points at (that
  // child was freed).
  void QuitaHijo(TagMdx& t, Camino& c, int nivel) {
    estructural = true;
    const std::uint32_t pagina = c[nivel].pagina;
    std::uint8_t* b = Escribe(pagina);
    const int n = Cuenta(b);
    const int p = c[nivel].i;
    const int item = t.item;
    if (p < n) {
      std::memmove(b + kNodoItems + p * item, b + kNodoItems + (p + 1) * item,
                   static_cast<size_t>((n - p - 1) * item + kPuntero));
      std::memset(b + kNodoItems + n * item, 0, static_cast<size_t>(kPuntero));
      std::memset(b + kNodoItems + (n - 1) * item + kPuntero, 0, static_cast<size_t>(item - kPuntero));
    } else {
      // The last child went: the one before it is last now, and its greatest
      // key is the greatest of this subtree.
      const std::vector<std::uint8_t> nuevaMayor(ClaveEn(b, t, n - 1), ClaveEn(b, t, n - 1) + t.largo);
      std::memset(b + kNodoItems + (n - 1) * item + kPuntero, 0, static_cast<size_t>(item));
      PonU32(b + kNodoCuenta, static_cast<std::uint32_t>(n - 1));
      c[nivel].i = n - 1;
      PonSeparador(t, c, nivel, nuevaMayor.data());
    }
    if (p < n) PonU32(b + kNodoCuenta, static_cast<std::uint32_t>(n - 1));
    if (n - 1 > 0) return;
    // One child left: it takes this node's place.
    const std::uint32_t unico = Puntero(b, t, 0);
    LiberaBloque(t, pagina);
    if (nivel == 0) {
      t.raiz = unico;
    } else {
      std::uint8_t* padre = Escribe(c[nivel - 1].pagina);
      PonU32(padre + kNodoItems + c[nivel - 1].i * item, unico);
    }
  }

  // ---------------------------------------------------------------- tags
  TagMdx* BuscaTag(const QString& nombre) {
    for (auto& t : tags) {
      if (t.nombre.compare(nombre, Qt::CaseInsensitive) == 0) return &t;
    }
    const QString limpio = nombre.trimmed();
    if (limpio.size() == nombre.size()) return nullptr;
    for (auto& t : tags) {
      if (t.nombre.compare(limpio, Qt::CaseInsensitive) == 0) return &t;
    }
    return nullptr;
  }

  TagMdx& Tag(const QString& nombre) {
    TagMdx* t = BuscaTag(nombre);
    if (!t) {
      throw plat::Error(plat::Clase::NoExiste,
                        QStringLiteral("El archivo de índices %1 no tiene el índice %2").arg(ruta, nombre));
    }
    return *t;
  }

  const ExpresionIndice& Expresion(const TagMdx& t) {
    auto it = expresiones.find(t.expresion);
    if (it != expresiones.end()) return *it->second;
    std::shared_ptr<ExpresionIndice> e;
    try {
      e = std::make_shared<ExpresionIndice>(t.expresion, campos);
    } catch (const plat::Error& err) {
      Corrupto(QStringLiteral("la expresión del índice %1 no vale: %2").arg(t.nombre, err.mensaje()));
    }
    if (e->Tipo() != t.tipo || e->Largo() != t.largo) {
      throw plat::Error(plat::Clase::Corrupto,
                        QStringLiteral("El índice %1 de %2 no corresponde a los campos de la tabla").arg(t.nombre, ruta));
    }
    return *expresiones.emplace(t.expresion, std::move(e)).first->second;
  }

  // A key of the tag's length from a given key (texts blank padded).
  QByteArray Normaliza(const TagMdx& t, const QByteArray& clave, bool permiteLarga) {
    QByteArray k = clave;
    if (t.tipo == TipoClave::Caracter) {
      if (k.size() < t.largo) k.append(QByteArray(t.largo - k.size(), ' '));
      while (k.size() > t.largo && k.back() == ' ') k.chop(1);
      if (k.size() > t.largo && !permiteLarga) {
        throw plat::Error(plat::Clase::NoCabe,
                          QStringLiteral("La clave pasa de %1 caracteres en el índice %2").arg(t.largo).arg(t.nombre));
      }
    } else if (k.size() != t.largo) {
      throw plat::Error(plat::Clase::NoCabe, QStringLiteral("Clave de largo %1 en el índice %2").arg(k.size()).arg(t.nombre));
    }
    return k;
  }

  static Busqueda B(const QByteArray& k) {
    return {reinterpret_cast<const std::uint8_t*>(k.constData()), static_cast<int>(k.size())};
  }

  // The record holding the key in a unique tag other than `registro`, or 0.
  std::uint32_t Ocupante(const TagMdx& t, const QByteArray& k, std::uint32_t registro) {
    Camino c = Desciende(t, B(k), 0, Limite::Inferior);
    while (EnEntrada(t, c)) {
      const std::uint8_t* b = Nodo(t, c.back().pagina);
      if (Compara(t, ClaveEn(b, t, c.back().i), B(k)) != 0) return 0;
      const std::uint32_t r = Puntero(b, t, c.back().i);
      if (r != registro) return r;
      if (!Avanza(t, c)) return 0;
    }
    return 0;
  }

  void Inserta(TagMdx& t, const QByteArray& k, std::uint32_t registro) {
    Camino c = Desciende(t, B(k), registro, Limite::Inferior);
    if (EnEntrada(t, c)) {
      const std::uint8_t* b = Nodo(t, c.back().pagina);
      if (Puntero(b, t, c.back().i) == registro && Compara(t, ClaveEn(b, t, c.back().i), B(k)) == 0) return;
    }
    InsertaEn(t, c, reinterpret_cast<const std::uint8_t*>(k.constData()), registro);
  }

  bool Borra(TagMdx& t, const QByteArray& k, std::uint32_t registro) {
    Camino c = Desciende(t, B(k), registro, Limite::Inferior);
    if (!EnEntrada(t, c)) return false;
    const std::uint8_t* b = Nodo(t, c.back().pagina);
    if (Puntero(b, t, c.back().i) != registro || Compara(t, ClaveEn(b, t, c.back().i), B(k)) != 0) return false;
    BorraEn(t, c);
    return true;
  }

  [[noreturn]] void Duplicada(const TagMdx& t, std::uint32_t ocupante) const {
    throw plat::Error(plat::Clase::General,
                      QStringLiteral("La clave ya existe en el índice único %1 de %2 (registro %3)")
                          .arg(t.nombre, ruta)
                          .arg(ocupante));
  }

  // ---------------------------------------------------------------- writing
  void EscribeCabeceraTag(TagMdx& t, bool completa) {
    std::uint8_t* c = Escribe(t.cabecera);
    if (completa) {
      std::memset(c, 0, static_cast<size_t>(tamBloque));
      c[kCabFormato] = static_cast<std::uint8_t>(kFormatoBase | (t.descendente ? kFormatoDescendente : 0) |
                                                 (t.unico ? kFormatoUnico : 0));
      c[kCabTipo] = static_cast<std::uint8_t>(t.tipo);
      c[kCab1B] = 0x1B;
      PonU16(c + kCabLargoClave, static_cast<std::uint16_t>(t.largo));
      PonU16(c + kCabClavesPorNodo, static_cast<std::uint16_t>(t.maxClaves));
      PonU16(c + kCabTipoSecundario, t.tipo == TipoClave::Fecha ? 1 : 0);
      PonU16(c + kCabLargoItem, static_cast<std::uint16_t>(t.item));
      c[kCabUnico] = t.unico ? 1 : 0;
      const QByteArray ex = fs::ACp1252(t.expresion).left(kLargoExpresion - 1);
      std::memcpy(c + kCabExpresion, ex.constData(), static_cast<size_t>(ex.size()));
      PonFecha(c + kCabFecha, fs::Hoy());
      c[kCabUnCampo] = EsUnCampo(t.expresion) ? 1 : 0;
    }
    PonU32(c + kCabRaiz, t.raiz);
    PonU32(c + kCabPaginas, t.paginas);
    c[kCabSerie] = static_cast<std::uint8_t>(c[kCabSerie] + 1);
    Camino izq = Izquierda(t);
    Camino der = Derecha(t);
    c = Escribe(t.cabecera);
    c[kCabTieneClaves] = EnEntrada(t, izq) ? 1 : 0;
    PonU32(c + kCabPrimeraHoja, izq.back().pagina);
    PonU32(c + kCabUltimaHoja, der.back().pagina);
    t.cambiado = false;
  }

  void EscribeTablaTags() {
    std::uint8_t* base = cab.data() + kTablaTags;
    std::memset(base, 0, static_cast<size_t>(kMaxTags * kValorLargoEntradaTag));
    // The tag names also form a binary tree, in the order tags were added.
    std::vector<int> menor(tags.size(), 0), mayor(tags.size(), 0), padre(tags.size(), 0);
    for (size_t i = 1; i < tags.size(); ++i) {
      size_t j = 0;
      for (;;) {
        auto& rama = tags[i].nombre < tags[j].nombre ? menor : mayor;
        if (rama[j] == 0) {
          rama[j] = static_cast<int>(i) + 1;
          padre[i] = static_cast<int>(j) + 1;
          break;
        }
        j = static_cast<size_t>(rama[j] - 1);
      }
    }
    for (size_t i = 0; i < tags.size(); ++i) {
      std::uint8_t* e = base + i * kValorLargoEntradaTag;
      PonU32(e + kTagPagina, tags[i].cabecera);
      const QByteArray n = tags[i].nombre.toLatin1().left(kLargoNombreTag);
      std::memcpy(e + kTagNombre, n.constData(), static_cast<size_t>(n.size()));
      e[kTagFormato] = kValorTagFormato;
      e[kTagHijoMenor] = static_cast<std::uint8_t>(menor[i]);
      e[kTagHijoMayor] = static_cast<std::uint8_t>(mayor[i]);
      e[kTagPadre] = static_cast<std::uint8_t>(padre[i]);
      e[kTag02] = 0x02;
      e[kTagTipo] = static_cast<std::uint8_t>(tags[i].tipo);
    }
    PonU16(cab.data() + kTagsEnUso, static_cast<std::uint16_t>(tags.size()));
    tablaCambiada = true;
    modificado = true;
  }

  // Today's date, read again from the clock at most once a second (reading
  // the local time zone costs a file check each time).
  QElapsedTimer relojFecha;
  QDate fechaHoy;
  QDate Hoy() {
    if (!relojFecha.isValid() || relojFecha.elapsed() >= 1000) {
      fechaHoy = fs::Hoy();
      relojFecha.start();
    }
    return fechaHoy;
  }

  // Writes what this operation changed and counts the change in the header.
  // A structural change goes first to the page journal, pages and header,
  // so a station killed while writing them in place leaves a change that
  // the next one finishes; bulk rebuilds (`masivo`, under exclusive use of
  // the table) write in place only.
  void Vuelca(bool masivo = false) {
    if (!modificado) return;
    try {
      for (auto& t : tags) {
        if (t.cambiado) EscribeCabeceraTag(t, false);
      }
      std::sort(sucias.begin(), sucias.end());
      // Consecutive blocks go out in one write: runs [desde, hasta) of sucias.
      std::vector<std::pair<size_t, size_t>> tramos;
      for (size_t k = 0; k < sucias.size();) {
        size_t fin = k + 1;
        while (fin < sucias.size() && sucias[fin] == sucias[fin - 1] + static_cast<std::uint32_t>(paginasBloque) &&
               fin - k < 1024) {
          ++fin;
        }
        tramos.emplace_back(k, fin);
        k = fin;
      }
      const size_t largoCabecera = tablaCambiada ? cab.size() : static_cast<size_t>(kTablaTags);
      const size_t bloque = static_cast<size_t>(tamBloque);
      const bool conDiario = !masivo && estructural;
      std::uint32_t areaDiario = 0;
      size_t largoDiario = 4 + 8 + largoCabecera;
      if (conDiario) {
        for (const auto& [desde, hasta] : tramos) largoDiario += 8 + (hasta - desde) * bloque;
        areaDiario = Area(kAreaDiario, largoDiario);
      }
      std::uint8_t* h = cab.data();
      PonU32(h + kPaginasArchivo, paginasArchivo);
      PonU32(h + kPrimeraLibre, primeraLibre);
      PonU32(h + kBloquesLibres, bloquesLibres);
      PonFecha(h + kFechaCambio, Hoy());
      PonU32(h + kContadorCambios, U32(h + kContadorCambios) + 1);
      PonU32(h + kLargoDiario, 0);

      std::vector<std::uint8_t> tramo;
      auto llena = [&](const std::pair<size_t, size_t>& r) {
        tramo.resize((r.second - r.first) * bloque);
        for (size_t j = r.first; j < r.second; ++j) std::memcpy(tramo.data() + (j - r.first) * bloque, cache[sucias[j]].b.data(), bloque);
      };
      if (conDiario) {
        std::vector<std::uint8_t> diario;
        diario.reserve(largoDiario);
        auto pon32 = [&](std::uint32_t v) {
          const size_t p = diario.size();
          diario.resize(p + 4);
          PonU32(diario.data() + p, v);
        };
        pon32(static_cast<std::uint32_t>(tramos.size() + 1));
        for (const auto& r : tramos) {
          llena(r);
          pon32(sucias[r.first]);
          pon32(static_cast<std::uint32_t>(tramo.size()));
          diario.insert(diario.end(), tramo.begin(), tramo.end());
        }
        pon32(0);
        pon32(static_cast<std::uint32_t>(largoCabecera));
        diario.insert(diario.end(), h, h + largoCabecera);
        EscribeEn(diario.data(), diario.size(), static_cast<off_t>(areaDiario) * kPagina);
        std::uint8_t marca[12];
        PonU32(marca, areaDiario);
        PonU32(marca + 4, U32(h + kAreaDiario + 4));
        PonU32(marca + 8, static_cast<std::uint32_t>(diario.size()));
        EscribeEn(marca, sizeof marca, kAreaDiario);
      }
      if (!masivo) {
        falla::Punto(puntos::kIndiceAMedias, [&] {  // the first half of the runs, in page order
          for (size_t r = 0; r < (tramos.size() + 1) / 2; ++r) {
            llena(tramos[r]);
            EscribeEn(tramo.data(), tramo.size(), static_cast<off_t>(sucias[tramos[r].first]) * kPagina);
          }
        });
      }
      for (const auto& r : tramos) {
        llena(r);
        EscribeEn(tramo.data(), tramo.size(), static_cast<off_t>(sucias[r.first]) * kPagina);
      }
      for (std::uint32_t pagina : sucias) cache[pagina].sucio = false;
      sucias.clear();
      EscribeEn(h, largoCabecera, 0);
      std::memcpy(vivo, h, sizeof vivo);
      modificado = false;
      tablaCambiada = false;
      estructural = false;
      ++generacion;
    } catch (...) {
      Descarta();
      throw;
    }
  }

  // ---------------------------------------------------------------- bulk build
  struct Entradas {
    int largo = 0;
    std::vector<std::uint8_t> claves;
    std::vector<std::uint32_t> registros;
    std::vector<std::uint32_t> orden;
  };

  // Each tag sorts its keys on a thread of its own.
  void OrdenaTodas(const std::vector<TagMdx*>& lista, std::vector<Entradas>& e, bool exigeUnicas) {
    std::vector<std::thread> hilos;
    std::vector<std::exception_ptr> fallas(lista.size());
    for (size_t i = 0; i < lista.size(); ++i) {
      hilos.emplace_back([&, i] {
        try {
          Ordena(*lista[i], e[i], exigeUnicas);
        } catch (...) {
          fallas[i] = std::current_exception();
        }
      });
    }
    for (auto& h : hilos) h.join();
    for (auto& f : fallas) {
      if (f) std::rethrow_exception(f);
    }
  }

  // Whether the tag's entries, walked in order, are the sorted entries.
  bool Concuerda(const TagMdx& t, const Entradas& e) {
    try {
      Camino c = Izquierda(t);
      const std::uint8_t* base = e.claves.data();
      const size_t largo = static_cast<size_t>(t.largo);
      size_t k = 0;
      for (bool hay = EnEntrada(t, c); hay; hay = Avanza(t, c)) {
        if (k == e.orden.size()) return false;
        const std::uint8_t* b = Nodo(t, c.back().pagina);
        const std::uint32_t idx = e.orden[k++];
        if (Puntero(b, t, c.back().i) != e.registros[idx] ||
            Compara(t, ClaveEn(b, t, c.back().i), base + idx * largo) != 0)
          return false;
      }
      return k == e.orden.size();
    } catch (const plat::Error& error) {
      if (error.clase() != plat::Clase::Corrupto) throw;
      return false;
    }
  }

  void Ordena(const TagMdx& t, Entradas& e, bool exigeUnicas = true) {
    const size_t n = e.registros.size();
    e.orden.resize(n);
    for (size_t i = 0; i < n; ++i) e.orden[i] = static_cast<std::uint32_t>(i);
    const std::uint8_t* base = e.claves.data();
    const size_t largo = static_cast<size_t>(t.largo);
    std::sort(e.orden.begin(), e.orden.end(), [&](std::uint32_t a, std::uint32_t b) {
      const int c = Compara(t, base + a * largo, base + b * largo);
      if (c != 0) return c < 0;
      return e.registros[a] < e.registros[b];
    });
    if (t.unico && exigeUnicas) ExigeSinRepetidas(t, e);
  }

  // A unique tag is built only over rows whose keys are all different: the
  // first key held by several rows is reported with their numbers.
  void ExigeSinRepetidas(const TagMdx& t, const Entradas& e) const {
    const std::uint8_t* base = e.claves.data();
    const size_t largo = static_cast<size_t>(t.largo);
    auto llave = [&](size_t i) { return base + e.orden[i] * largo; };
    for (size_t r = 1; r < e.orden.size(); ++r) {
      if (Compara(t, llave(r), llave(r - 1)) != 0) continue;
      QStringList registros{QString::number(e.registros[e.orden[r - 1]])};
      for (size_t k = r; k < e.orden.size() && Compara(t, llave(k), llave(r - 1)) == 0; ++k)
        registros << QString::number(e.registros[e.orden[k]]);
      const QString ultimo = registros.takeLast();
      throw plat::Error(plat::Clase::General,
                        QStringLiteral("El índice único %1 de %2 no se puede construir: la clave \"%3\" está en los registros %4 y %5")
                            .arg(t.nombre, ruta, clave::Valor(t.tipo, llave(r), t.largo).toString(),
                                 registros.join(QStringLiteral(", ")), ultimo));
    }
  }

  // Builds the tag's tree bottom-up from sorted entries, full leaves first.
  void Construye(TagMdx& t, const Entradas& e) {
    const int item = t.item;
    const size_t largo = static_cast<size_t>(t.largo);
    const std::uint8_t* base = e.claves.data();
    struct Hijo {
      std::uint32_t pagina;
      const std::uint8_t* mayor;
    };
    std::vector<Hijo> nivel;
    const size_t n = e.orden.size();
    if (n == 0) {
      t.raiz = Nuevo(t);
      return;
    }
    for (size_t desde = 0; desde < n; desde += static_cast<size_t>(t.maxClaves)) {
      const size_t cuantas = std::min(n - desde, static_cast<size_t>(t.maxClaves));
      const std::uint32_t pagina = Nuevo(t);
      std::uint8_t* b = Escribe(pagina);
      PonU32(b + kNodoCuenta, static_cast<std::uint32_t>(cuantas));
      for (size_t j = 0; j < cuantas; ++j) {
        const std::uint32_t idx = e.orden[desde + j];
        std::uint8_t* p = b + kNodoItems + j * static_cast<size_t>(item);
        PonU32(p, e.registros[idx]);
        std::memcpy(p + kPuntero, base + idx * largo, largo);
      }
      nivel.push_back({pagina, base + e.orden[desde + cuantas - 1] * largo});
    }
    const size_t porNodo = static_cast<size_t>(t.maxClaves) + 1;
    while (nivel.size() > 1) {
      std::vector<Hijo> arriba;
      size_t desde = 0;
      while (desde < nivel.size()) {
        size_t cuantos = std::min(porNodo, nivel.size() - desde);
        const size_t quedan = nivel.size() - desde - cuantos;
        if (quedan == 1) --cuantos;  // no node is left with a single child
        const std::uint32_t pagina = Nuevo(t);
        std::uint8_t* b = Escribe(pagina);
        PonU32(b + kNodoCuenta, static_cast<std::uint32_t>(cuantos - 1));
        for (size_t j = 0; j < cuantos; ++j) {
          std::uint8_t* p = b + kNodoItems + j * static_cast<size_t>(item);
          PonU32(p, nivel[desde + j].pagina);
          if (j + 1 < cuantos) std::memcpy(p + kPuntero, nivel[desde + j].mayor, largo);
        }
        arriba.push_back({pagina, nivel[desde + cuantos - 1].mayor});
        desde += cuantos;
      }
      nivel.swap(arriba);
    }
    t.raiz = nivel[0].pagina;
  }

  void Recoge(const std::vector<TagMdx*>& lista, const RecorreRegistros& registros, std::vector<Entradas>& salida) {
    std::vector<const ExpresionIndice*> exprs;
    salida.assign(lista.size(), {});
    for (size_t i = 0; i < lista.size(); ++i) {
      exprs.push_back(&Expresion(*lista[i]));
      salida[i].largo = lista[i]->largo;
    }
    if (!registros) return;
    registros([&](std::uint32_t registro, const LectorCampo& lector) {
      for (size_t i = 0; i < lista.size(); ++i) {
        Entradas& e = salida[i];
        const size_t pos = e.claves.size();
        e.claves.resize(pos + static_cast<size_t>(e.largo));
        exprs[i]->Evalua(lector, e.claves.data() + pos);
        e.registros.push_back(registro);
      }
    });
  }

  std::vector<QByteArray> ClavesDe(const LectorCampo& lector) {
    std::vector<QByteArray> r;
    r.reserve(tags.size());
    for (auto& t : tags) r.push_back(Expresion(t).Evalua(lector));
    return r;
  }
};

// ------------------------------------------------------------------ operation guard
namespace {

class Operacion {
 public:
  Operacion(MdxArchivo::Impl& d, bool exclusiva) : d_(d) { d_.Entra(exclusiva); }
  ~Operacion() {
    if (!terminada_ && d_.modificado) d_.Descarta();
    d_.Sale();
  }
  // Writes the change; `masivo` for the bulk rebuilds of tags.
  void Termina(bool masivo = false) {
    d_.Vuelca(masivo);
    terminada_ = true;
  }

 private:
  MdxArchivo::Impl& d_;
  bool terminada_ = false;
};

int AbreArchivo(const QString& ruta, bool& escribible) {
  const QByteArray local = QFile::encodeName(ruta);
  escribible = true;
  int fd = ::open(local.constData(), O_RDWR | O_CLOEXEC);
  if (fd < 0 && (errno == EACCES || errno == EROFS)) {
    escribible = false;
    fd = ::open(local.constData(), O_RDONLY | O_CLOEXEC);
  }
  if (fd < 0) {
    if (errno == ENOENT) {
      throw plat::Error(plat::Clase::NoExiste, QStringLiteral("No existe el archivo de índices %1").arg(ruta));
    }
    throw plat::ErrorDeSistema(QStringLiteral("No se pudo abrir el archivo de índices %1").arg(ruta), errno);
  }
  return fd;
}

}  // namespace

// ------------------------------------------------------------------ MdxArchivo

void MdxArchivo::Crea(const QString& ruta, const QString& tabla) {
  const QByteArray local = QFile::encodeName(ruta);
  const int fd = ::open(local.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) throw plat::ErrorDeSistema(QStringLiteral("No se pudo crear el archivo de índices %1").arg(ruta), errno);
  Impl d;
  d.ruta = ruta;
  d.fd = fd;
  try {
    d.Bloquea(true);
    std::uint32_t contador = 0;
    std::uint8_t previo[kLargoEncabezadoVivo] = {};
    if (pread(fd, previo, sizeof previo, 0) == static_cast<ssize_t>(sizeof previo)) contador = U32(previo + kContadorCambios);
    std::vector<std::uint8_t> h(static_cast<size_t>(kPaginasIniciales * kPagina), 0);
    const QDate hoy = fs::Hoy();
    h[kVersion] = kValorVersion;
    PonFecha(h.data() + kFechaCreacion, hoy);
    const QByteArray nombre = fs::ACp1252(tabla.toUpper()).left(kLargoNombreTabla - 1);
    std::memcpy(h.data() + kNombreTabla, nombre.constData(), static_cast<size_t>(nombre.size()));
    PonU16(h.data() + kPaginasBloque, kPaginasPorBloque);
    PonU16(h.data() + kTamanoBloque, kBloque);
    h[kIndiceProduccion] = 1;
    h[kEntradasTablaTags] = kValorEntradasTablaTags;
    h[kLargoEntradaTag] = kValorLargoEntradaTag;
    h[kSiguienteTag] = 1;
    h[kMarca1B] = 0x1B;
    PonU32(h.data() + kPaginasArchivo, kPaginasIniciales);
    PonFecha(h.data() + kFechaCambio, hoy);
    PonU32(h.data() + kContadorCambios, contador + 1);
    if (ftruncate(fd, 0) != 0) throw plat::ErrorDeSistema(QStringLiteral("No se pudo crear %1").arg(ruta), errno);
    d.EscribeEn(h.data(), h.size(), 0);
  } catch (...) {
    ::close(fd);
    d.fd = -1;
    throw;
  }
  ::close(fd);
  d.fd = -1;
}

MdxArchivo::MdxArchivo(const QString& ruta, const QVector<DefCampo>& campos) : d_(std::make_unique<Impl>()) {
  d_->ruta = ruta;
  d_->campos = campos;
  d_->fd = AbreArchivo(ruta, d_->escribible);
  try {
    Operacion op(*d_, false);
    for (const TagMdx& t : d_->tags) d_->Expresion(t);  // a damaged expression is found at once
  } catch (...) {
    ::close(d_->fd);
    d_->fd = -1;
    throw;
  }
}

MdxArchivo::~MdxArchivo() {
  if (d_->fd >= 0) ::close(d_->fd);
}

const QString& MdxArchivo::Ruta() const { return d_->ruta; }

QVector<InfoTag> MdxArchivo::Tags() {
  Operacion op(*d_, false);
  QVector<InfoTag> r;
  for (const auto& t : d_->tags) {
    InfoTag i;
    i.def.nombre = t.nombre;
    i.def.expresion = t.expresion;
    i.def.unico = t.unico;
    i.def.descendente = t.descendente;
    i.tipo = t.tipo;
    i.largo = t.largo;
    i.unCampo = EsUnCampo(t.expresion);
    r.push_back(i);
  }
  return r;
}

bool MdxArchivo::TieneTag(const QString& nombre) {
  Operacion op(*d_, false);
  return d_->BuscaTag(nombre) != nullptr;
}

void MdxArchivo::AgregaTag(const DefTag& def, const RecorreRegistros& registros) {
  const QString nombre = def.nombre.trimmed().toUpper();
  if (!NombreTagValido(nombre)) {
    throw plat::Error(plat::Clase::General, QStringLiteral("Nombre de índice no válido: \"%1\"").arg(def.nombre));
  }
  ExpresionIndice expr(def.expresion, d_->campos);
  Operacion op(*d_, true);
  Impl& d = *d_;
  if (d.BuscaTag(nombre)) {
    throw plat::Error(plat::Clase::General, QStringLiteral("Ya existe el índice %1 en %2").arg(nombre, d.ruta));
  }
  if (static_cast<int>(d.tags.size()) >= kMaxTags) {
    throw plat::Error(plat::Clase::General, QStringLiteral("El archivo de índices %1 ya tiene %2 índices").arg(d.ruta).arg(kMaxTags));
  }
  TagMdx t;
  t.nombre = nombre;
  t.expresion = expr.Texto();
  t.unico = def.unico;
  t.descendente = def.descendente;
  t.tipo = expr.Tipo();
  t.largo = expr.Largo();
  t.item = ((t.largo + kPuntero + 3) / 4) * 4;
  t.maxClaves = (d.tamBloque - 12) / t.item;
  std::vector<Impl::Entradas> e;
  d.Recoge({&t}, registros, e);
  d.Ordena(t, e[0]);
  d.tags.push_back(t);
  TagMdx& nuevo = d.tags.back();
  nuevo.cabecera = d.Nuevo(nuevo);
  d.Construye(nuevo, e[0]);
  d.EscribeCabeceraTag(nuevo, true);
  d.cab[kSiguienteTag] = static_cast<std::uint8_t>(d.cab[kSiguienteTag] + 1);
  d.EscribeTablaTags();
  op.Termina(true);
}

void MdxArchivo::BorraTag(const QString& nombre) {
  Operacion op(*d_, true);
  Impl& d = *d_;
  TagMdx& t = d.Tag(nombre);
  // Every block of the tree goes to the free list, then its header.
  std::vector<std::uint32_t> pendientes{t.raiz}, paginas;
  while (!pendientes.empty()) {
    const std::uint32_t p = pendientes.back();
    pendientes.pop_back();
    paginas.push_back(p);
    if (paginas.size() > d.paginasArchivo) d.Corrupto(QStringLiteral("árbol del tag %1 en bucle").arg(t.nombre));
    const std::uint8_t* b = d.Nodo(t, p);
    if (!Impl::EsHoja(b, t)) {
      for (int i = 0; i <= Impl::Cuenta(b); ++i) pendientes.push_back(d.Hijo(t, b, i));
    }
  }
  for (std::uint32_t p : paginas) d.LiberaBloque(t, p);
  d.LiberaBloque(t, t.cabecera);
  d.tags.erase(d.tags.begin() + (&t - d.tags.data()));
  d.EscribeTablaTags();
  op.Termina(true);
}

void MdxArchivo::Regenera(const RecorreRegistros& registros) {
  Operacion op(*d_, true);
  Impl& d = *d_;
  std::vector<TagMdx*> lista;
  for (auto& t : d.tags) lista.push_back(&t);
  std::vector<Impl::Entradas> e;
  d.Recoge(lista, registros, e);
  d.OrdenaTodas(lista, e, true);
  // The file is laid out again from its first free page; the intent and
  // journal areas are made anew when next needed.
  d.cache.clear();
  d.sucias.clear();
  std::memset(d.cab.data() + kAreaIntencion, 0, static_cast<size_t>(kLargoEncabezadoVivo - kAreaIntencion));
  d.paginasArchivo = kPaginasIniciales;
  d.primeraLibre = 0;
  d.bloquesLibres = 0;
  for (size_t i = 0; i < lista.size(); ++i) {
    TagMdx& t = *lista[i];
    t.paginas = 0;
    t.cabecera = d.Nuevo(t);
    d.Construye(t, e[i]);
    d.EscribeCabeceraTag(t, true);
    e[i] = {};
  }
  d.EscribeTablaTags();
  op.Termina(true);
  if (ftruncate(d.fd, static_cast<off_t>(d.paginasArchivo) * kPagina) != 0) {
    throw plat::ErrorDeSistema(QStringLiteral("No se pudo ajustar el archivo de índices %1").arg(d.ruta), errno);
  }
}

QStringList MdxArchivo::Discrepantes(const RecorreRegistros& registros) {
  Operacion op(*d_, false);
  Impl& d = *d_;
  std::vector<TagMdx*> lista;
  for (auto& t : d.tags) lista.push_back(&t);
  std::vector<Impl::Entradas> e;
  d.Recoge(lista, registros, e);
  d.OrdenaTodas(lista, e, false);
  QStringList r;
  for (size_t i = 0; i < lista.size(); ++i) {
    if (!d.Concuerda(*lista[i], e[i])) r << lista[i]->nombre;
    e[i] = {};
  }
  return r;
}

QString MdxArchivo::UnicoOcupado(std::uint32_t registro, const LectorCampo& valores) {
  Operacion op(*d_, false);
  Impl& d = *d_;
  for (auto& t : d.tags) {
    if (t.unico && d.Ocupante(t, d.Expresion(t).Evalua(valores), registro) != 0) return t.nombre;
  }
  return {};
}

void MdxArchivo::Agrega(std::uint32_t registro, const LectorCampo& valores) {
  Operacion op(*d_, true);
  Impl& d = *d_;
  const auto claves = d.ClavesDe(valores);
  for (size_t i = 0; i < d.tags.size(); ++i) {
    if (!d.tags[i].unico) continue;
    if (const std::uint32_t o = d.Ocupante(d.tags[i], claves[i], registro)) d.Duplicada(d.tags[i], o);
  }
  for (size_t i = 0; i < d.tags.size(); ++i) d.Inserta(d.tags[i], claves[i], registro);
  op.Termina();
}

void MdxArchivo::Cambia(std::uint32_t registro, const LectorCampo& antes, const LectorCampo& despues) {
  Operacion op(*d_, true);
  Impl& d = *d_;
  const auto viejas = d.ClavesDe(antes);
  const auto nuevas = d.ClavesDe(despues);
  for (size_t i = 0; i < d.tags.size(); ++i) {
    if (!d.tags[i].unico || viejas[i] == nuevas[i]) continue;
    if (const std::uint32_t o = d.Ocupante(d.tags[i], nuevas[i], registro)) d.Duplicada(d.tags[i], o);
  }
  for (size_t i = 0; i < d.tags.size(); ++i) {
    if (viejas[i] == nuevas[i]) continue;
    d.Borra(d.tags[i], viejas[i], registro);
    d.Inserta(d.tags[i], nuevas[i], registro);
  }
  op.Termina();
}

void MdxArchivo::Quita(std::uint32_t registro, const LectorCampo& valores) {
  Operacion op(*d_, true);
  Impl& d = *d_;
  const auto claves = d.ClavesDe(valores);
  for (size_t i = 0; i < d.tags.size(); ++i) d.Borra(d.tags[i], claves[i], registro);
  op.Termina();
}

void MdxArchivo::Anuncia(const QByteArray& intencion) {
  Operacion op(*d_, true);
  Impl& d = *d_;
  if (d.modificado || intencion.isEmpty()) {
    throw plat::Error(plat::Clase::Estado, QStringLiteral("Intención fuera de lugar en el archivo de índices %1").arg(d.ruta));
  }
  std::uint8_t* h = d.cab.data();
  const auto largo = static_cast<std::uint32_t>(intencion.size());
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(intencion.constData());
  PonU32(h + kLargoIntencion, largo);
  if (largo <= kMaxIntencionEnLinea) {
    // Its length and its bytes in one write (and in the header kept here,
    // which later writes of the header carry).
    std::memcpy(h + kIntencionEnLinea, bytes, largo);
    d.EscribeEn(h + kLargoIntencion, kIntencionEnLinea - kLargoIntencion + largo, kLargoIntencion);
  } else {
    const std::uint32_t pagina = d.Area(kAreaIntencion, largo);
    d.EscribeEn(bytes, largo, static_cast<off_t>(pagina) * kPagina);
    // The area's place (and the pages it took) and the intent in one write.
    d.EscribeEn(h + kPaginasArchivo, static_cast<size_t>(kLargoIntencion + 4 - kPaginasArchivo), kPaginasArchivo);
  }
  std::memcpy(d.vivo, h, sizeof d.vivo);
}

void MdxArchivo::Cumplida() {
  Operacion op(*d_, true);
  Impl& d = *d_;
  std::uint8_t* h = d.cab.data();
  if (U32(h + kLargoIntencion) == 0) return;
  PonU32(h + kLargoIntencion, 0);
  d.EscribeEn(h + kLargoIntencion, 4, kLargoIntencion);
  std::memcpy(d.vivo, h, sizeof d.vivo);
}

void MdxArchivo::FijaRemate(std::function<void(const QByteArray&)> remate) { d_->remate = std::move(remate); }

QByteArray MdxArchivo::ClaveDeRegistro(const QString& tag, const LectorCampo& valores) {
  Operacion op(*d_, false);
  return d_->Expresion(d_->Tag(tag)).Evalua(valores);
}

QByteArray MdxArchivo::ClaveDeValor(const QString& tag, const QVariant& valor) {
  Operacion op(*d_, false);
  const TagMdx& t = d_->Tag(tag);
  switch (t.tipo) {
    case TipoClave::Numero: {
      if (!valor.isValid() || valor.isNull()) return clave::Numero(qint64{0});
      switch (valor.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
          return clave::Numero(valor.toLongLong());
        case QMetaType::Double:
        case QMetaType::Float:
          return clave::Numero(valor.toDouble());
        default:
          return clave::NumeroDeTexto(valor.toString());
      }
    }
    case TipoClave::Fecha: {
      if (valor.typeId() == QMetaType::QDate) return clave::Fecha(valor.toDate());
      const QString s = valor.toString().trimmed();
      if (s.isEmpty()) return clave::Fecha({});
      QDate f = QDate::fromString(s, QStringLiteral("dd/MM/yyyy"));
      if (!f.isValid()) f = QDate::fromString(s, QStringLiteral("yyyyMMdd"));
      if (!f.isValid()) {
        throw plat::Error(plat::Clase::Conversion, QStringLiteral("\"%1\" no es una fecha válida para el índice %2").arg(s, t.nombre));
      }
      return clave::Fecha(f);
    }
    case TipoClave::Caracter: break;
  }
  const QByteArray b = valor.typeId() == QMetaType::QByteArray ? valor.toByteArray() : fs::ACp1252(valor.toString());
  return d_->Normaliza(t, b, true);
}

void MdxArchivo::InsertaClave(const QString& tag, const QByteArray& clave, std::uint32_t registro) {
  Operacion op(*d_, true);
  TagMdx& t = d_->Tag(tag);
  const QByteArray k = d_->Normaliza(t, clave, false);
  if (t.unico) {
    if (const std::uint32_t o = d_->Ocupante(t, k, registro)) d_->Duplicada(t, o);
  }
  d_->Inserta(t, k, registro);
  op.Termina();
}

bool MdxArchivo::BorraClave(const QString& tag, const QByteArray& clave, std::uint32_t registro) {
  Operacion op(*d_, true);
  TagMdx& t = d_->Tag(tag);
  const bool r = d_->Borra(t, d_->Normaliza(t, clave, false), registro);
  op.Termina();
  return r;
}

MdxArchivo::Bloqueo::Bloqueo(MdxArchivo& archivo, bool exclusivo) : archivo_(archivo) {
  archivo_.d_->Entra(exclusivo);
}

MdxArchivo::Bloqueo::~Bloqueo() {
  if (archivo_.d_->modificado) archivo_.d_->Descarta();
  archivo_.d_->Sale();
}

// ------------------------------------------------------------------ CursorMdx

struct CursorMdx::Estado {
  QString tag;
  bool valido = false;
  QByteArray clave;
  std::uint32_t registro = 0;
  Camino camino;
  std::uint64_t generacion = 0;
  bool rango = false;
  QByteArray desde, hasta;
};

namespace {

// The work of a cursor move, under the file's shared lock.
class Movimiento {
 public:
  Movimiento(MdxArchivo::Impl& d, CursorMdx::Estado& e) : op_(d, false), d_(d), e_(e), t_(d.Tag(e.tag)) {}

  const TagMdx& Tag() const { return t_; }

  bool EnRango(const Camino& c) {
    if (!d_.EnEntrada(t_, c)) return false;
    if (!e_.rango) return true;
    const std::uint8_t* k = MdxArchivo::Impl::ClaveEn(d_.Nodo(t_, c.back().pagina), t_, c.back().i);
    return MdxArchivo::Impl::Compara(t_, k, MdxArchivo::Impl::B(e_.desde)) >= 0 &&
           MdxArchivo::Impl::Compara(t_, k, MdxArchivo::Impl::B(e_.hasta)) <= 0;
  }

  // Stands on the entry the path points at when it is within the range.
  bool Toma(const Camino& c) {
    if (!EnRango(c)) {
      e_.generacion = 0;  // the remembered path no longer matches the position
      return false;
    }
    const std::uint8_t* b = d_.Nodo(t_, c.back().pagina);
    e_.clave = QByteArray(reinterpret_cast<const char*>(MdxArchivo::Impl::ClaveEn(b, t_, c.back().i)), t_.largo);
    e_.registro = MdxArchivo::Impl::Puntero(b, t_, c.back().i);
    e_.camino = c;
    e_.generacion = d_.generacion;
    e_.valido = true;
    return true;
  }

  // The path to the remembered entry, or to the first entry after it when it
  // is gone; `exacta` tells which.
  Camino Vuelve(bool& exacta) {
    if (e_.generacion == d_.generacion) {
      exacta = true;
      return e_.camino;
    }
    Camino c = d_.Desciende(t_, MdxArchivo::Impl::B(e_.clave), e_.registro, Limite::Inferior);
    exacta = false;
    if (d_.EnEntrada(t_, c)) {
      const std::uint8_t* b = d_.Nodo(t_, c.back().pagina);
      exacta = MdxArchivo::Impl::Puntero(b, t_, c.back().i) == e_.registro &&
               MdxArchivo::Impl::Compara(t_, MdxArchivo::Impl::ClaveEn(b, t_, c.back().i),
                                         MdxArchivo::Impl::B(e_.clave)) == 0;
    }
    return c;
  }

  Camino Cercano(const QByteArray& k) {
    return d_.Desciende(t_, MdxArchivo::Impl::B(k), 0, Limite::Inferior);
  }

  MdxArchivo::Impl& D() { return d_; }

 private:
  Operacion op_;
  MdxArchivo::Impl& d_;
  CursorMdx::Estado& e_;
  const TagMdx& t_;
};

}  // namespace

CursorMdx::CursorMdx(MdxArchivo& archivo, const QString& tag) : archivo_(archivo), e_(std::make_unique<Estado>()) {
  Operacion op(*archivo_.d_, false);
  e_->tag = archivo_.d_->Tag(tag).nombre;
}

CursorMdx::~CursorMdx() = default;

bool CursorMdx::Primero() {
  Movimiento m(*archivo_.d_, *e_);
  if (e_->rango) return m.Toma(m.Cercano(e_->desde));
  return m.Toma(m.D().Izquierda(m.Tag()));
}

bool CursorMdx::Ultimo() {
  Movimiento m(*archivo_.d_, *e_);
  auto& d = m.D();
  Camino c;
  if (e_->rango) {
    c = d.Desciende(m.Tag(), MdxArchivo::Impl::B(e_->hasta), 0, Limite::Superior);
    if (!d.Retrocede(m.Tag(), c)) return m.Toma({});
  } else {
    c = d.Derecha(m.Tag());
  }
  return m.Toma(c);
}

bool CursorMdx::Siguiente() {
  if (!e_->valido) return Primero();
  Movimiento m(*archivo_.d_, *e_);
  bool exacta;
  Camino c = m.Vuelve(exacta);
  if (exacta && !m.D().Avanza(m.Tag(), c)) return m.Toma({});
  return m.Toma(c);
}

bool CursorMdx::Anterior() {
  if (!e_->valido) return Ultimo();
  Movimiento m(*archivo_.d_, *e_);
  bool exacta;
  Camino c = m.Vuelve(exacta);
  if (!m.D().Retrocede(m.Tag(), c)) return m.Toma({});
  return m.Toma(c);
}

bool CursorMdx::Busca(const QByteArray& clave) {
  Movimiento m(*archivo_.d_, *e_);
  const QByteArray k = m.D().Normaliza(m.Tag(), clave, true);
  Camino c = m.Cercano(k);
  if (!m.D().EnEntrada(m.Tag(), c)) return m.Toma({});
  const std::uint8_t* b = m.D().Nodo(m.Tag(), c.back().pagina);
  if (MdxArchivo::Impl::Compara(m.Tag(), MdxArchivo::Impl::ClaveEn(b, m.Tag(), c.back().i), MdxArchivo::Impl::B(k)) != 0) {
    return m.Toma({});
  }
  return m.Toma(c);
}

bool CursorMdx::BuscaCercano(const QByteArray& clave) {
  Movimiento m(*archivo_.d_, *e_);
  const QByteArray k = m.D().Normaliza(m.Tag(), clave, true);
  Camino c = m.Cercano(k);
  if (e_->rango && m.D().EnEntrada(m.Tag(), c)) {
    const std::uint8_t* b = m.D().Nodo(m.Tag(), c.back().pagina);
    if (MdxArchivo::Impl::Compara(m.Tag(), MdxArchivo::Impl::ClaveEn(b, m.Tag(), c.back().i),
                                  MdxArchivo::Impl::B(e_->desde)) < 0) {
      c = m.Cercano(e_->desde);
    }
  }
  return m.Toma(c);
}

bool CursorMdx::Situa(const QByteArray& clave, std::uint32_t registro) {
  Movimiento m(*archivo_.d_, *e_);
  const QByteArray k = m.D().Normaliza(m.Tag(), clave, false);
  Camino c = m.D().Desciende(m.Tag(), MdxArchivo::Impl::B(k), registro, Limite::Inferior);
  if (!m.D().EnEntrada(m.Tag(), c)) return m.Toma({});
  const std::uint8_t* b = m.D().Nodo(m.Tag(), c.back().pagina);
  if (MdxArchivo::Impl::Puntero(b, m.Tag(), c.back().i) != registro ||
      MdxArchivo::Impl::Compara(m.Tag(), MdxArchivo::Impl::ClaveEn(b, m.Tag(), c.back().i), MdxArchivo::Impl::B(k)) != 0) {
    return m.Toma({});
  }
  return m.Toma(c);
}

void CursorMdx::Recuerda(const QByteArray& clave, std::uint32_t registro) {
  e_->valido = !clave.isEmpty();
  e_->clave = clave;
  e_->registro = registro;
  e_->generacion = 0;  // the path is looked up again at the next move
}

void CursorMdx::FijaRango(const QByteArray& desde, const QByteArray& hasta) {
  Operacion op(*archivo_.d_, false);
  const TagMdx& t = archivo_.d_->Tag(e_->tag);
  e_->desde = archivo_.d_->Normaliza(t, desde, true);
  e_->hasta = archivo_.d_->Normaliza(t, hasta, true);
  e_->rango = true;
}

void CursorMdx::QuitaRango() { e_->rango = false; }

bool CursorMdx::ConRango() const { return e_->rango; }

qint64 CursorMdx::Cuenta() {
  Movimiento m(*archivo_.d_, *e_);
  auto& d = m.D();
  const TagMdx& t = m.Tag();
  Camino c = e_->rango ? m.Cercano(e_->desde) : d.Izquierda(t);
  qint64 n = 0;
  while (d.EnEntrada(t, c)) {
    const std::uint8_t* b = d.Nodo(t, c.back().pagina);
    const int cuenta = MdxArchivo::Impl::Cuenta(b);
    int hasta = cuenta;
    if (e_->rango) {
      const auto bh = MdxArchivo::Impl::B(e_->hasta);
      if (MdxArchivo::Impl::Compara(t, MdxArchivo::Impl::ClaveEn(b, t, cuenta - 1), bh) > 0) {
        hasta = c.back().i;
        while (hasta < cuenta && MdxArchivo::Impl::Compara(t, MdxArchivo::Impl::ClaveEn(b, t, hasta), bh) <= 0) ++hasta;
        n += hasta - c.back().i;
        break;
      }
    }
    n += hasta - c.back().i;
    if (!d.SiguienteHoja(t, c)) break;
  }
  return n;
}

bool CursorMdx::Valido() const { return e_->valido; }
std::uint32_t CursorMdx::Registro() const { return e_->registro; }
const QByteArray& CursorMdx::Clave() const { return e_->clave; }

}  // namespace db
