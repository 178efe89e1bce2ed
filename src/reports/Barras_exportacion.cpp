// The viewer's export: the whole report as exel.tmp, then as the file the
// user names.

#include "reports/ArchivosReporte.h"
#include "reports/Barras.h"

#include "foundation/HojaCalculo.h"
#include "platform/Error.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/hoja/Hoja.h"
#include "platform/ui/DialogoArchivo.h"

#include <QFile>

namespace {

constexpr int kAnchoTitulo = 20;
constexpr int kAnchoLlave = 20;
constexpr int kAnchoTexto = 40;
constexpr int kAnchoColumna1 = 30;
constexpr int kAnchoColumna = 20;


}  // namespace

QString NombreExportacion(const QString& tecleado) {
  const QString archivo = fs::NombreArchivo(tecleado);
  return hoja::NombreHoja(tecleado, archivo.size() > 3 && archivo[archivo.size() - 4] != u'.');
}

void TFormaBarras::BotonExportaClick() {
  // Another copy's work files are not this viewer's to export.
  if (!ReporteDelVisor()) return;
  if (!Guardar->Execute()) return;
  EscribeExportacionReporte();
  const QString nombre = NombreExportacion(Guardar->FileName);
  if (hoja::EsLibro(nombre)) {
    LibroDeExportacion(nombre);
  } else if (!fs::CopiaArchivo(ArchivoTrabajoReporte(kArchivoExportacion), nombre)) {
    throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo escribir el archivo ") + nombre);
  }
  AbreHojaCalculo(nombre);
}

void TFormaBarras::EscribeExportacionReporte() {
  TEstadoVisorReporte& e = EstadoVisorReporte();
  e.PaginaReporte = 0;
  e.TotalesGenerales = {};
  const std::array<TTitulosReporte, 3> etiquetas = LeeTitulosReporte();
  const auto& titulos = etiquetas[0].Textos;
  const auto& tipos = etiquetas[1].Textos;
  hoja::Hoja salida(ArchivoTrabajoReporte(kArchivoExportacion));
  hoja::Fila encabezado;
  for (const QString& titulo : titulos) encabezado << hoja::Celda{AjustaTextoColumna(titulo, kAnchoTitulo)};
  salida.Agrega(encabezado, true);
  // Every row after the type letters', closing rows too, with amounts as
  // they are stored.
  LectorRenglones final(kArchivoFinal);
  final.VeA(1);
  while (const char* r = final.Siguiente()) {
    const TRenglonReporte renglon = TRenglonReporte::DeBytes(QByteArrayView(r, TRenglonReporte::kTamano));
    hoja::Fila fila{{AjustaTextoColumna(renglon.Llave, kAnchoLlave)}, {AjustaTextoColumna(renglon.Texto, kAnchoTexto)}};
    for (int c = 0; c < TRenglonReporte::kColumnas; ++c) {
      fila << hoja::Celda{FormateaCeldaReporte(renglon.Columnas[c], QStringLiteral("C"), tipos[c + 2],
                                               c == 0 ? kAnchoColumna1 : kAnchoColumna)};
    }
    salida.Agrega(fila);
  }
  salida.Cierra();
}

// exel.tmp's lines as rows: the titles, then key and text as texts and the
// columns of type "f" or "e" as numbers.
void TFormaBarras::LibroDeExportacion(const QString& nombre) const {
  const std::array<QString, 10> tipos = LeeTitulosReporte()[1].Textos;
  const QString origen = ArchivoTrabajoReporte(kArchivoExportacion);
  QFile texto(fs::Local(origen));
  if (!texto.open(QIODevice::ReadOnly)) {
    throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo leer el archivo ") + origen);
  }
  hoja::Hoja libro(nombre);
  for (bool titulos = true; !texto.atEnd(); titulos = false) {
    QByteArray bytes = texto.readLine();
    while (bytes.endsWith('\n') || bytes.endsWith('\r')) bytes.chop(1);
    QStringList campos = fs::DeCp1252(bytes).split(u'\t');
    // The titles' line ends with a tab.
    if (titulos && campos.size() > 1 && campos.last().isEmpty()) campos.removeLast();
    hoja::Fila fila;
    for (qsizetype c = 0; c < campos.size(); ++c) {
      const bool numero = !titulos && c >= 2 && c < 10 && EsColumnaImporte(tipos[c]);
      fila << hoja::Celda{campos[c], numero ? hoja::Tipo::Numero : hoja::Tipo::Texto};
    }
    libro.Agrega(fila);
  }
  libro.Cierra();
}
