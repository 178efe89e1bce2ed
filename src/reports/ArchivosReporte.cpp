#include "reports/ArchivosReporte.h"

#include "foundation/rutinas.h"
#include "platform/Error.h"
#include "platform/db/Bloqueo.h"
#include "platform/fs/CadenaCorta.h"
#include "platform/fs/Regional.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"

#include <QLockFile>
#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>

namespace {

// Rows read or written at a time.
constexpr qint64 kRenglonesPorBloque = 4096;

plat::Error ErrorArchivo(const QString& accion, const QString& nombre, const QFile& archivo) {
  return plat::Error(plat::Clase::Io, accion + u' ' + ArchivoTrabajoReporte(nombre) + QStringLiteral(": ") +
                                          archivo.errorString());
}

// Whole amounts of up to 15 digits with up to four decimals, the texts the
// engine writes, read without the general number reader.
bool LeeImporteSimple(QByteArrayView t, Dinero& importe) {
  qsizetype i = 0;
  bool negativo = false;
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) negativo = t[i++] == '-';
  const char separador = static_cast<char>(fs::Regional().separadorDecimal.unicode());
  std::int64_t entero = 0;
  int digitosEnteros = 0;
  for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i, ++digitosEnteros) entero = entero * 10 + (t[i] - '0');
  std::int64_t fraccion = 0;
  int decimales = 0;
  if (i < t.size() && t[i] == separador) {
    for (++i; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i, ++decimales) fraccion = fraccion * 10 + (t[i] - '0');
  }
  if (i != t.size() || digitosEnteros > 15 || decimales > Dinero::kDecimales || digitosEnteros + decimales == 0)
    return false;
  for (int d = decimales; d < Dinero::kDecimales; ++d) fraccion *= 10;
  const std::int64_t valor = entero * Dinero::kEscala + fraccion;
  importe = Dinero::DeDiezmilesimas(negativo ? -valor : valor);
  return true;
}

std::unique_ptr<QLockFile>& Cerrojo() {
  static std::unique_ptr<QLockFile> cerrojo;
  return cerrojo;
}

}  // namespace

TRenglonReporte TRenglonReporte::Cierre() {
  TRenglonReporte r;
  r.Llave = QStringLiteral("*");
  r.Columnas.fill(QStringLiteral("0"));
  return r;
}

TRenglonReporte TRenglonReporte::DeBytes(QByteArrayView registro) {
  TRenglonReporte r;
  r.Llave = fs::LeeCadenaCorta(registro, 0, kAnchoLlave);
  r.Texto = fs::LeeCadenaCorta(registro, kPosicionTexto, kAnchoTexto);
  for (int i = 0; i < kColumnas; ++i) r.Columnas[i] = fs::LeeCadenaCorta(registro, PosicionColumna(i), kAnchoColumna);
  return r;
}

QByteArray TRenglonReporte::ABytes() const {
  QByteArray bytes(kTamano, '\0');
  fs::EscribeCadenaCorta(bytes, 0, kAnchoLlave, Llave);
  fs::EscribeCadenaCorta(bytes, kPosicionTexto, kAnchoTexto, Texto);
  for (int i = 0; i < kColumnas; ++i) fs::EscribeCadenaCorta(bytes, PosicionColumna(i), kAnchoColumna, Columnas[i]);
  return bytes;
}

QByteArrayView CampoRenglon(const char* registro, int posicion, int ancho) {
  const int largo = std::min<int>(static_cast<unsigned char>(registro[posicion]), ancho - 1);
  return QByteArrayView(registro + posicion + 1, largo);
}

bool EsMarcaRenglon(const char* registro) {
  const QByteArrayView llave = LlaveRenglon(registro);
  return llave.isEmpty() || llave == "*";
}

Dinero ImporteColumnaReporte(QByteArrayView texto) {
  const QByteArrayView t = texto.trimmed();
  if (t.isEmpty() || t == "f" || t == "e" || t == "x") return Dinero();
  Dinero importe;
  if (LeeImporteSimple(t, importe)) return importe;
  return Dinero::Lee(fs::DeCp1252(t.data(), t.size())).value_or(Dinero());
}

std::array<Dinero, TRenglonReporte::kColumnas> ImportesRenglon(const char* registro) {
  std::array<Dinero, TRenglonReporte::kColumnas> importes;
  for (int c = 0; c < TRenglonReporte::kColumnas; ++c) importes[c] = ImporteColumnaReporte(ColumnaRenglon(registro, c));
  return importes;
}

TTitulosReporte TTitulosReporte::DeBytes(QByteArrayView registro) {
  TTitulosReporte r;
  for (int i = 0; i < kTextos; ++i) r.Textos[i] = fs::LeeCadenaCorta(registro, kAncho * i, kAncho);
  return r;
}

QByteArray TTitulosReporte::ABytes() const {
  QByteArray bytes(kTamano, '\0');
  for (int i = 0; i < kTextos; ++i) fs::EscribeCadenaCorta(bytes, kAncho * i, kAncho, Textos[i]);
  return bytes;
}

TAnchosReporte TAnchosReporte::DeBytes(QByteArrayView registro) {
  TAnchosReporte r;
  for (int i = 0; i < 10; ++i) r.Anchos[i] = qFromLittleEndian<quint16>(registro.data() + 2 * i);
  return r;
}

QByteArray TAnchosReporte::ABytes() const {
  QByteArray bytes(kTamano, '\0');
  for (int i = 0; i < 10; ++i) qToLittleEndian<quint16>(Anchos[i], bytes.data() + 2 * i);
  return bytes;
}

QString CarpetaTrabajoReporte() {
  QString programa;
  CarpetaLocal(programa);
  return programa + QStringLiteral("\\tempo");
}

QString ArchivoTrabajoReporte(const QString& nombre) { return fs::Une(CarpetaTrabajoReporte(), nombre); }

void BorraArchivoReporte(const QString& nombre) { fs::BorraArchivo(ArchivoTrabajoReporte(nombre)); }

void RenombraArchivoReporte(const QString& origen, const QString& destino) {
  const QByteArray de = QFile::encodeName(fs::Local(ArchivoTrabajoReporte(origen)));
  const QByteArray a = QFile::encodeName(fs::Local(ArchivoTrabajoReporte(destino)));
  if (std::rename(de.constData(), a.constData()) != 0)
    throw plat::ErrorDeSistema(QStringLiteral("No se pudo renombrar ") + ArchivoTrabajoReporte(origen), errno);
}

LectorRenglones::LectorRenglones(const QString& nombre)
    : archivo_(fs::Local(ArchivoTrabajoReporte(nombre))), nombre_(nombre) {
  if (!archivo_.open(QIODevice::ReadOnly)) {
    if (!archivo_.exists()) {
      throw plat::Error(plat::Clase::NoExiste,
                        QStringLiteral("El Archivo ") + ArchivoTrabajoReporte(nombre) + QStringLiteral(" No Existe"));
    }
    throw ErrorArchivo(QStringLiteral("No se pudo leer"), nombre, archivo_);
  }
  cuenta_ = archivo_.size() / TRenglonReporte::kTamano;
}

void LectorRenglones::VeA(qint64 n) { siguiente_ = std::clamp<qint64>(n, 0, cuenta_); }

const char* LectorRenglones::Siguiente() { return siguiente_ < cuenta_ ? Renglon(siguiente_++) : nullptr; }

const char* LectorRenglones::Renglon(qint64 n) {
  if (n < primeroBloque_ || n >= primeroBloque_ + enBloque_) {
    // Going back, the block ends at the row asked for; otherwise it starts there.
    const qint64 primero = n < primeroBloque_ ? std::max<qint64>(0, n - kRenglonesPorBloque + 1) : n;
    const qint64 renglones = std::min(kRenglonesPorBloque, cuenta_ - primero);
    if (!archivo_.seek(primero * TRenglonReporte::kTamano)) throw ErrorArchivo(QStringLiteral("No se pudo leer"), nombre_, archivo_);
    bloque_ = archivo_.read(renglones * TRenglonReporte::kTamano);
    if (bloque_.size() < (n - primero + 1) * TRenglonReporte::kTamano)
      throw ErrorArchivo(QStringLiteral("No se pudo leer"), nombre_, archivo_);
    primeroBloque_ = primero;
    enBloque_ = bloque_.size() / TRenglonReporte::kTamano;
  }
  return bloque_.constData() + (n - primeroBloque_) * TRenglonReporte::kTamano;
}

EscritorRenglones::EscritorRenglones(const QString& nombre)
    : archivo_(fs::Local(ArchivoTrabajoReporte(nombre))), nombre_(nombre) {
  if (!archivo_.open(QIODevice::WriteOnly | QIODevice::Truncate))
    throw ErrorArchivo(QStringLiteral("No se pudo crear"), nombre, archivo_);
  pendiente_.resize(kRenglonesPorBloque * TRenglonReporte::kTamano);
}

void EscritorRenglones::Escribe(const TRenglonReporte& renglon) { Escribe(renglon.ABytes().constData()); }

void EscritorRenglones::Escribe(const char* registro) {
  std::copy_n(registro, TRenglonReporte::kTamano, pendiente_.data() + usados_);
  usados_ += TRenglonReporte::kTamano;
  if (usados_ == pendiente_.size()) Vacia();
}

void EscritorRenglones::Vacia() {
  if (archivo_.write(pendiente_.constData(), usados_) != usados_)
    throw ErrorArchivo(QStringLiteral("No se pudo escribir"), nombre_, archivo_);
  usados_ = 0;
}

void EscritorRenglones::Cierra() {
  Vacia();
  if (!archivo_.flush()) throw ErrorArchivo(QStringLiteral("No se pudo escribir"), nombre_, archivo_);
  archivo_.close();
}

std::array<TTitulosReporte, 3> LeeTitulosReporte() {
  const QByteArray bytes = fs::LeeBytes(ArchivoTrabajoReporte(kArchivoEtiquetas));
  if (bytes.size() < 3 * TTitulosReporte::kTamano) {
    throw plat::Error(plat::Clase::Corrupto,
                      QStringLiteral("El archivo %1 está incompleto").arg(ArchivoTrabajoReporte(kArchivoEtiquetas)));
  }
  std::array<TTitulosReporte, 3> registros;
  for (int i = 0; i < 3; ++i) {
    registros[i] = TTitulosReporte::DeBytes(QByteArrayView(bytes).sliced(i * TTitulosReporte::kTamano, TTitulosReporte::kTamano));
  }
  return registros;
}

void EscribeArchivoTitulos(const std::array<TTitulosReporte, 3>& registros) {
  QByteArray bytes;
  for (const TTitulosReporte& r : registros) bytes += r.ABytes();
  fs::EscribeAtomico(ArchivoTrabajoReporte(kArchivoEtiquetas), bytes);
}

QVector<TRegistroMoneda> MonedasReporte() {
  QString datos;
  LeeLineaConfig(8, datos);
  const QString ruta = fs::Une(datos, kArchivoMonedas);
  if (datos.isEmpty() || !fs::ExisteArchivo(ruta)) return {};
  return RegistrosMoneda(fs::LeeBytes(ruta));
}

bool TomaArchivosReporte(bool esperar) {
  std::unique_ptr<QLockFile>& cerrojo = Cerrojo();
  if (cerrojo) return true;
  const QString ruta = ArchivoTrabajoReporte(QStringLiteral("reporte.lck"));
  auto nuevo = std::make_unique<QLockFile>(fs::Local(ruta));
  // A copy that stops without letting go is found out by its process id; a
  // lock kept for long by a live copy (an open viewer) is never stale.
  nuevo->setStaleLockTime(0);
  if (!nuevo->tryLock(esperar ? db::kEsperaMaximaMs : 0)) {
    if (nuevo->error() == QLockFile::LockFailedError) return false;
    throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo crear ") + ruta);
  }
  cerrojo = std::move(nuevo);
  return true;
}

bool TieneArchivosReporte() { return Cerrojo() != nullptr; }

void SueltaArchivosReporte() { Cerrojo().reset(); }
