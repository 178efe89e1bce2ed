#include "reports/Vistas.h"

#include "foundation/rutinas.h"
#include "platform/Error.h"
#include "platform/fs/CadenaCorta.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "reports/CerrojoTabla.h"

namespace {

constexpr int kLineaDatos = 8;
const QString kListaOcupada = QStringLiteral("La lista de consultas %1 está ocupada por otra estación");

// The folder a file goes into, made when missing.
void CreaCarpetaDe(const QString& archivo) {
  const QString carpeta = fs::CarpetaDe(archivo);
  if (!fs::ExisteCarpeta(carpeta) && !fs::CreaCarpeta(carpeta))
    throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo crear la carpeta ") + carpeta);
}

}  // namespace

QStringList LeeVista(const QString& ruta) { return fs::LeeLineas(ruta); }

QString LineaVista(const QStringList& lineas, int n) { return n >= 1 && n <= lineas.size() ? lineas[n - 1] : QString(); }

QStringList ElementosVista(const QString& linea) { return linea.split(u','); }

QStringList ElementosCerrados(QString linea) {
  if (linea.endsWith(u' ')) linea.chop(1);
  return linea.isEmpty() ? QStringList() : ElementosVista(linea);
}

QString ElementoVista(const QString& linea, int n) {
  const QStringList elementos = ElementosVista(linea);
  return n >= 0 && n < elementos.size() ? elementos[n] : QString();
}

void EscribeVista(const QString& ruta, const QStringList& lineas) {
  CreaCarpetaDe(ruta);
  fs::ReescribeLineas(ruta, lineas);
}

TEntradaVista TEntradaVista::DeBytes(QByteArrayView registro) {
  TEntradaVista e;
  e.Archivo = fs::LeeCadenaCorta(registro, 0, kAnchoArchivo);
  e.Descripcion = fs::LeeCadenaCorta(registro, kPosicionDescripcion, kAnchoDescripcion);
  return e;
}

QByteArray TEntradaVista::ABytes() const {
  QByteArray bytes(kTamano, '\0');
  fs::EscribeCadenaCorta(bytes, 0, kAnchoArchivo, Archivo);
  fs::EscribeCadenaCorta(bytes, kPosicionDescripcion, kAnchoDescripcion, Descripcion);
  return bytes;
}

QVector<TEntradaVista> LeeListaVistas(const QString& ruta) {
  if (!fs::ExisteArchivo(ruta)) return {};
  const QByteArray bytes = fs::LeeBytes(ruta);
  QVector<TEntradaVista> entradas;
  for (qsizetype p = 0; p + TEntradaVista::kTamano <= bytes.size(); p += TEntradaVista::kTamano)
    entradas << TEntradaVista::DeBytes(QByteArrayView(bytes).sliced(p, TEntradaVista::kTamano));
  return entradas;
}

namespace {

// A view list read and sorted: every record, the ones whose view exists,
// and those kept as they are stored.
struct ListaLeida {
  QVector<TEntradaVista> leidos;
  QVector<TEntradaVista> vigentes;
  QByteArray quedan;
  bool falta = false;
};

ListaLeida LeeYSepara(const QString& ruta) {
  ListaLeida l;
  const QByteArray bytes = fs::LeeBytes(ruta);
  for (qsizetype p = 0; p + TEntradaVista::kTamano <= bytes.size(); p += TEntradaVista::kTamano) {
    const QByteArrayView registro = QByteArrayView(bytes).sliced(p, TEntradaVista::kTamano);
    const TEntradaVista e = TEntradaVista::DeBytes(registro);
    l.leidos << e;
    if (!fs::ExisteArchivo(e.Archivo)) {
      l.falta = true;
      continue;
    }
    l.vigentes << e;
    l.quedan += registro;
  }
  return l;
}

}  // namespace

QVector<TEntradaVista> DepuraListaVistas(const QString& ruta, QVector<TEntradaVista>* leidos, const QString& copia) {
  if (leidos) leidos->clear();
  if (!fs::ExisteArchivo(ruta)) return {};
  ListaLeida lista = LeeYSepara(ruta);
  if (lista.falta) {
    try {
      // Rewritten only while held, from the list as it is then: a view
      // another station adds meanwhile waits, and is not written over.
      CerrojoTabla cerrojo(ruta);
      if (cerrojo.Toma()) {
        lista = LeeYSepara(ruta);
        if (lista.falta) {
          if (!copia.isEmpty()) fs::EscribeAtomico(copia, lista.quedan);
          fs::EscribeAtomico(ruta, lista.quedan);
        }
      }
    } catch (const plat::Error&) {
      // The list is still whole; the missing views go the next time.
    }
  }
  if (leidos) *leidos = lista.leidos;
  return lista.vigentes;
}

void AgregaEntradaVista(const QString& ruta, const TEntradaVista& entrada) {
  CreaCarpetaDe(ruta);
  // Held while it changes, as a cleaning of the list is (DepuraListaVistas).
  CerrojoTabla cerrojo(ruta);
  if (!cerrojo.Toma()) throw plat::Error(plat::Clase::EnUso, kListaOcupada.arg(ruta));
  // A view saved again keeps its one place in the list.
  QVector<TEntradaVista> entradas = LeeListaVistas(ruta);
  const TEntradaVista guardada = TEntradaVista::DeBytes(entrada.ABytes());
  for (TEntradaVista& e : entradas) {
    if (e.Archivo.compare(guardada.Archivo, Qt::CaseInsensitive) != 0) continue;
    e.Descripcion = guardada.Descripcion;
    QByteArray bytes;
    for (const TEntradaVista& r : entradas) bytes += r.ABytes();
    fs::EscribeAtomico(ruta, bytes);
    return;
  }
  fs::AgregaBytes(ruta, entrada.ABytes());
}

QString ArchivoEspeciales() { return CarpetaPrograma(QStringLiteral("\\report\\Especiales.cnf")); }

void AgregaEspeciales(const QString& categoria, const QString& vista) {
  const QString archivo = ArchivoEspeciales();
  CreaCarpetaDe(archivo);
  // Both lines in one write, so another station's pair never comes between.
  fs::AgregaBytes(archivo, fs::ACp1252(categoria) + "\r\n" + fs::ACp1252(vista) + "\r\n");
}

QString CarpetaListasVistas() {
  QString datos;
  LeeLineaConfig(kLineaDatos, datos);
  return datos + QStringLiteral("\\report");
}
