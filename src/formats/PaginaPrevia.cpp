#include "formats/PaginaPrevia.h"

#include "formats/CarpetaFormato.h"
#include "platform/Error.h"
#include "platform/fs/CadenaCorta.h"
#include "platform/fs/Real6.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"

#include <QFile>
#include <QtEndian>

#include <cmath>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Field offsets of a record.
constexpr int kX = 0;
constexpr int kY = 6;
constexpr int kTexto = 12;
constexpr int kTipo = 164;
constexpr int kFuente = 168;
constexpr int kColor = 219;
constexpr int kExtra = 228;
constexpr int kPagina = 280;

void PonReal(char* registro, int desplazamiento, double valor) {
  const fs::BytesReal6 bytes = fs::CodificaReal6(valor);
  std::memcpy(registro + desplazamiento, bytes.data(), bytes.size());
}

double LeeReal(const char* registro, int desplazamiento) {
  return fs::DecodificaReal6(reinterpret_cast<const std::uint8_t*>(registro + desplazamiento));
}

}  // namespace

QByteArray CodificaElementoPagina(const TElementoPagina& e) {
  QByteArray bytes(kTamanoElementoPagina, '\0');
  char* r = bytes.data();
  PonReal(r, kX, e.X);
  PonReal(r, kY, e.Y);
  fs::EscribeCadenaCorta(bytes, kTexto, 151, e.Texto);
  qToLittleEndian<qint32>(e.Tipo, r + kTipo);
  fs::EscribeCadenaCorta(bytes, kFuente, 51, e.Fuente);
  fs::EscribeCadenaCorta(bytes, kColor, 9, e.Color);
  fs::EscribeCadenaCorta(bytes, kExtra, 26, e.Extra);
  qToLittleEndian<qint32>(e.NumeroPagina, r + kPagina);
  return bytes;
}

TElementoPagina DecodificaElementoPagina(const char* r) {
  const QByteArrayView registro(r, kTamanoElementoPagina);
  TElementoPagina e;
  e.X = LeeReal(r, kX);
  e.Y = LeeReal(r, kY);
  e.Texto = fs::LeeCadenaCorta(registro, kTexto, 151);
  e.Tipo = qFromLittleEndian<qint32>(r + kTipo);
  e.Fuente = fs::LeeCadenaCorta(registro, kFuente, 51);
  e.Color = fs::LeeCadenaCorta(registro, kColor, 9);
  e.Extra = fs::LeeCadenaCorta(registro, kExtra, 26);
  e.NumeroPagina = qFromLittleEndian<qint32>(r + kPagina);
  return e;
}

QString ArchivoPaginaPrevia() { return RutaTrabajoFormato(QStringLiteral("tempo\\format.tmp")); }

QString ArchivoElementosRemotos() { return RutaTrabajoFormato(QStringLiteral("tempo\\remoto.tmp")); }

void CreaArchivosPrevia() {
  fs::CreaCarpeta(fs::CarpetaDe(ArchivoPaginaPrevia()));
  fs::EscribeAtomico(ArchivoPaginaPrevia(), QByteArray());
  fs::EscribeAtomico(ArchivoElementosRemotos(), QByteArray());
}

void AgregaRegistroPagina(const TElementoPagina& elemento) {
  const QByteArray registro = CodificaElementoPagina(elemento);
  const QString ruta = ArchivoPaginaPrevia();
  const int fd = ::open(QFile::encodeName(fs::Local(ruta)).constData(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) throw plat::ErrorDeSistema(QStringLiteral("No se pudo abrir ") + ruta, errno);
  struct stat datos {};
  // After the last whole record: a torn tail left by a failed write is
  // overwritten rather than shifting every later record.
  bool escrito = ::fstat(fd, &datos) == 0;
  if (escrito) {
    const off_t posicion = datos.st_size / kTamanoElementoPagina * kTamanoElementoPagina;
    escrito = ::pwrite(fd, registro.constData(), registro.size(), posicion) == registro.size() &&
              ::ftruncate(fd, posicion + registro.size()) == 0;
  }
  const int error = errno;
  ::close(fd);
  if (!escrito) throw plat::ErrorDeSistema(QStringLiteral("No se pudo escribir ") + ruta, error);
}

void AgregaElementoPagina(double izquierda, int tipo, int pagina, double arriba, const QString& derecha,
                          const QString& abajo, const QString& grosor, const QString& color) {
  TElementoPagina e;
  e.X = izquierda;
  e.Y = arriba;
  e.Texto = derecha;
  e.Tipo = tipo;
  e.Fuente = grosor;
  e.Color = color;
  e.Extra = abajo;
  e.NumeroPagina = pagina;
  AgregaRegistroPagina(e);
}

void RegistraElementoRemoto(double izquierda, double arriba, int tipo, const QString& derecha,
                            const QString& abajo, const QString& grosor, const QString& color,
                            const QString& texto) {
  const QStringList campos{TextoEntero(izquierda), TextoEntero(arriba), QString::number(tipo), derecha, abajo,
                           grosor, color, texto, QStringLiteral("1")};
  fs::AgregaLinea(ArchivoElementosRemotos(), campos.join(u','));
}

std::vector<TElementoPagina> LeeElementosPagina(const QString& ruta) {
  std::vector<TElementoPagina> elementos;
  if (!fs::ExisteArchivo(ruta)) return elementos;
  const QByteArray bytes = fs::LeeBytes(ruta);
  if (bytes.size() % kTamanoElementoPagina != 0) {
    throw plat::Error(plat::Clase::Corrupto, QStringLiteral("El archivo %1 está incompleto").arg(ruta));
  }
  for (qsizetype i = 0; i < bytes.size(); i += kTamanoElementoPagina) {
    elementos.push_back(DecodificaElementoPagina(bytes.constData() + i));
  }
  return elementos;
}

int CuentaPaginasPrevia(const std::vector<TElementoPagina>& elementos) {
  int paginas = 0;
  for (const TElementoPagina& e : elementos) paginas = std::max(paginas, static_cast<int>(e.NumeroPagina));
  return paginas;
}

QString TextoNumero(double valor) {
  if (valor == 0) return QStringLiteral("0");
  QString texto = QString::number(valor, 'g', 15);
  const qsizetype e = texto.indexOf(u'e');
  if (e < 0) return texto;
  return texto.left(e) + u'E' + QString::number(texto.mid(e + 1).toInt());
}

QString TextoEntero(double valor) { return QString::number(static_cast<long long>(std::trunc(valor))); }
