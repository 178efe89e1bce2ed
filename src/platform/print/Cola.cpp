#include "platform/print/Cola.h"

#include "platform/Error.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <cups/cups.h>

#include <cerrno>
#include <memory>

#include <unistd.h>

namespace print {

namespace {

constexpr int kEsperaConexionMs = 3000;
constexpr double kEsperaServidorSeg = 5.0;

struct CierraHttp {
  void operator()(http_t* http) const { httpClose(http); }
};
using Conexion = std::unique_ptr<http_t, CierraHttp>;

// A connection to the CUPS server, or null when it does not answer in time.
// Once connected, a wait longer than kEsperaServidorSeg gives up.
Conexion Conecta() {
  Conexion http(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                             kEsperaConexionMs, nullptr));
  if (http) {
    httpSetTimeout(http.get(), kEsperaServidorSeg, [](http_t*, void*) { return 0; }, nullptr);
  }
  return http;
}

QString UltimoError() { return QString::fromUtf8(cupsLastErrorString()); }

// The answer to one Get-Printer-Attributes request on the queue, or null
// when the queue does not exist or the server does not answer (the reason
// in cupsLastError). The caller frees the answer.
ipp_t* PideAtributos(http_t* http, const QString& cola, const char* atributo) {
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), "/printers/%s",
                   cola.toUtf8().constData());
  ipp_t* peticion = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
  ippAddString(peticion, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
  ippAddString(peticion, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, atributo);
  ipp_t* respuesta = cupsDoRequest(http, peticion, "/");
  if (respuesta && ippGetStatusCode(respuesta) > IPP_STATUS_OK_EVENTS_COMPLETE) {
    ippDelete(respuesta);
    return nullptr;
  }
  return respuesta;
}

plat::Error ErrorDeCola(http_t* http, const QString& cola) {
  if (cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND) {
    return plat::Error(plat::Clase::NoExiste, QStringLiteral("La impresora \"%1\" no existe").arg(cola));
  }
  if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE || httpError(http) != 0) {
    return plat::Error(plat::Clase::Io,
                       QStringLiteral("El servicio de impresión no responde; no se imprimió en \"%1\"").arg(cola));
  }
  return plat::Error(plat::Clase::Io,
                     QStringLiteral("No se pudo imprimir en \"%1\": %2").arg(cola, UltimoError()));
}

// Writes the job as the next numbered file of the spool folder: the bytes go
// to a temporary file that is then linked under the first free number, so a
// reader never sees a half-written job and two writers never share a number.
void EscribeEnCarpeta(const QString& carpeta, const QString& cola, const QByteArray& datos,
                      const QString& extension) {
  if (!QDir().mkpath(carpeta)) {
    throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo crear la carpeta de impresión %1").arg(carpeta));
  }
  QTemporaryFile temporal(carpeta + QStringLiteral("/.trabajo-XXXXXX"));
  if (!temporal.open() || temporal.write(datos) != datos.size() || !temporal.flush()) {
    throw plat::Error(plat::Clase::Io,
                      QStringLiteral("No se pudo escribir el trabajo de impresión en %1").arg(carpeta));
  }
  QString nombreCola = cola;
  nombreCola.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]")), QStringLiteral("_"));
  int numero = 1;
  const QDir dir(carpeta);
  for (const QString& nombre : dir.entryList(QDir::Files)) {
    numero = std::max(numero, nombre.section(u'-', 0, 0).toInt() + 1);
  }
  for (;; ++numero) {
    const QString destino = dir.filePath(QStringLiteral("%1-%2.%3")
                                             .arg(numero, 6, 10, QLatin1Char('0'))
                                             .arg(nombreCola, extension));
    if (::link(QFile::encodeName(temporal.fileName()).constData(), QFile::encodeName(destino).constData()) == 0) {
      return;
    }
    if (errno != EEXIST) throw plat::ErrorDeSistema(QStringLiteral("No se pudo escribir ") + destino, errno);
  }
}

void EnviaTrabajo(const QString& cola, const QByteArray& datos, const char* formato, const QString& titulo,
                  const QString& extension) {
  const QString carpeta = qEnvironmentVariable("VORLAN_RAW_SPOOL");
  if (!carpeta.isEmpty()) {
    EscribeEnCarpeta(carpeta, cola, datos, extension);
    return;
  }
  Conexion http = Conecta();
  if (!http) {
    throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo conectar con el servicio de impresión para \"%1\"").arg(cola));
  }
  const QByteArray nombre = cola.toUtf8();
  const QByteArray documento = titulo.toUtf8();
  // Asked first, in one request, so a missing queue is told as such rather
  // than as the server's internal error for a job on it.
  ipp_t* respuesta = PideAtributos(http.get(), cola, "printer-state");
  if (!respuesta) throw ErrorDeCola(http.get(), cola);
  ippDelete(respuesta);
  const int trabajo = cupsCreateJob(http.get(), nombre.constData(), documento.constData(), 0, nullptr);
  if (trabajo == 0) throw ErrorDeCola(http.get(), cola);
  const auto falla = [&]() {
    const plat::Error error = ErrorDeCola(http.get(), cola);
    cupsCancelJob2(http.get(), nombre.constData(), trabajo, 0);
    return error;
  };
  if (cupsStartDocument(http.get(), nombre.constData(), trabajo, documento.constData(), formato, 1) !=
      HTTP_STATUS_CONTINUE) {
    throw falla();
  }
  const bool escrito = datos.isEmpty() || cupsWriteRequestData(http.get(), datos.constData(),
                                                                static_cast<size_t>(datos.size())) ==
                                              HTTP_STATUS_CONTINUE;
  // The document is finished even after a failed write, so the server
  // answers and the connection is left clean before the job is cancelled.
  if (cupsFinishDocument(http.get(), nombre.constData()) != IPP_STATUS_OK || !escrito) throw falla();
}

}  // namespace

void EnviaCrudo(const QString& cola, const QByteArray& bytes, const QString& titulo) {
  EnviaTrabajo(cola, bytes, CUPS_FORMAT_RAW, titulo, QStringLiteral("prn"));
}

void EnviaPdf(const QString& cola, const QByteArray& pdf, const QString& titulo) {
  EnviaTrabajo(cola, pdf, CUPS_FORMAT_PDF, titulo, QStringLiteral("pdf"));
}

namespace detalle {

std::vector<ColaSistema> ColasDelSistema() {
  std::vector<ColaSistema> colas;
  Conexion http = Conecta();
  if (!http) return colas;
  ipp_t* peticion = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
  static const char* const kAtributos[] = {"printer-name", "printer-info"};
  ippAddStrings(peticion, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2, nullptr, kAtributos);
  ipp_t* respuesta = cupsDoRequest(http.get(), peticion, "/");
  if (!respuesta) return colas;
  // One group of attributes per printer.
  ColaSistema actual;
  const auto cierra = [&]() {
    if (!actual.nombre.isEmpty()) colas.push_back(actual);
    actual = ColaSistema();
  };
  for (ipp_attribute_t* a = ippFirstAttribute(respuesta); a; a = ippNextAttribute(respuesta)) {
    if (ippGetGroupTag(a) != IPP_TAG_PRINTER) {
      cierra();
      continue;
    }
    const char* nombre = ippGetName(a);
    if (!nombre) continue;
    if (!qstrcmp(nombre, "printer-name")) actual.nombre = QString::fromUtf8(ippGetString(a, 0, nullptr));
    if (!qstrcmp(nombre, "printer-info")) actual.descripcion = QString::fromUtf8(ippGetString(a, 0, nullptr));
  }
  cierra();
  ippDelete(respuesta);
  // The user's choice ($PRINTER, $LPDEST) or the server's default.
  if (const char* predeterminada = cupsGetDefault2(http.get())) {
    for (ColaSistema& c : colas) c.predeterminada = c.nombre == QString::fromUtf8(predeterminada);
  }
  return colas;
}

int ResolucionDeCola(const QString& cola) {
  Conexion http = Conecta();
  if (!http) return 0;
  ipp_t* respuesta = PideAtributos(http.get(), cola, "printer-resolution-default");
  int ppp = 0;
  if (respuesta) {
    if (ipp_attribute_t* a = ippFindAttribute(respuesta, "printer-resolution-default", IPP_TAG_RESOLUTION)) {
      int vertical = 0;
      ipp_res_t unidades = IPP_RES_PER_INCH;
      const int horizontal = ippGetResolution(a, 0, &vertical, &unidades);
      ppp = unidades == IPP_RES_PER_CM ? qRound(horizontal * 2.54) : horizontal;
    }
    ippDelete(respuesta);
  }
  return ppp;
}

}  // namespace detalle

}  // namespace print
