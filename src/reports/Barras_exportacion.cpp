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
  const auto fila = [&](const QString& llave, const QString& texto, const auto& celda) {
    hoja::Fila f{{AjustaTextoColumna(llave, kAnchoLlave)}, {AjustaTextoColumna(texto, kAnchoTexto)}};
    for (int c = 0; c < TRenglonReporte::kColumnas; ++c) {
      f << hoja::Celda{FormateaCeldaReporte(celda(c), QStringLiteral("C"), tipos[c + 2],
                                            c == 0 ? kAnchoColumna1 : kAnchoColumna)};
    }
    salida.Agrega(f);
  };
  // A totals line as the screen shows it: its amounts as they are stored,
  // under the columns whose title shows a total.
  const auto totales = [&](const FilaTotalesReporte& t) {
    fila(QStringLiteral("TOTALES"), t.texto, [&](int c) {
      return TotalVisibleReporte(t.TituloColumna(c)) ? t.importes[c].Texto() : QString();
    });
  };
  // The rows the screen shows, amounts as they are stored; the engine's
  // closing rows give way to the totals the screen works out: the subtotal
  // of each run of keys of a "DC" report, then the grand totals, by
  // currency when the rows carry one.
  LectorRenglones final(kArchivoFinal);
  bool porMoneda = false;
  final.VeA(1);
  while (const char* r = final.Siguiente()) {
    const QByteArrayView columna8 = ColumnaRenglon(r, 7);
    if (!EsMarcaRenglon(r) && EsCodigoMonedaReporte(fs::DeCp1252(columna8.data(), columna8.size()))) porMoneda = true;
  }
  const bool porGrupos = tipos[0] == u"DC";
  GrupoReporte grupo;
  final.VeA(1);
  while (const char* r = final.Siguiente()) {
    if (EsMarcaRenglon(r)) continue;
    const TRenglonReporte renglon = TRenglonReporte::DeBytes(QByteArrayView(r, TRenglonReporte::kTamano));
    GrupoReporte cerrado;
    if (porGrupos &&
        grupo.Entra(LlaveRenglon(r), ImportesRenglon(r), IndiceMonedaReporte(renglon.Columnas[7]), cerrado)) {
      for (const FilaTotalesReporte& t : FilasTotalesReporte(cerrado.Subtotales, cerrado.SubtotalesMoneda, porMoneda))
        totales(t);
    }
    fila(renglon.Llave, renglon.Texto, [&](int c) { return renglon.Columnas[c]; });
  }
  if (porGrupos && !grupo.Llave.isEmpty()) {
    for (const FilaTotalesReporte& t : FilasTotalesReporte(grupo.Subtotales, grupo.SubtotalesMoneda, porMoneda))
      totales(t);
  }
  const TotalesArchivoReporte& generales = Totales();
  for (const FilaTotalesReporte& t : FilasTotalesReporte(generales.Generales, generales.Moneda, porMoneda)) totales(t);
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
