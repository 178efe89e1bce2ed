// The viewer's printing: text pages under a framed heading, or the chart on
// a landscape sheet.

#include "reports/Barras.h"
#include "reports/DialogosImpresora.h"
#include "reports/TrabajoImpresion.h"

#include "foundation/dialogos.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_texto.h"
#include "platform/fs/Reloj.h"
#include "platform/print/Impresora.h"

#include <QSpinBox>
#include <QTextEdit>

namespace {

constexpr double kRenglonesHoja = 57;  // the row height is the page height over this
constexpr int kLineasHoja = 53;
const QColor kColorEncabezado(235, 239, 192);
const QString kFuenteEncabezado = QStringLiteral("Arial");
constexpr int kTamanoEncabezado = 14;

}  // namespace

void TFormaBarras::BotonImprimeClick() {
  if (!ImpresoraLista()) {
    MuestraMensaje(QStringLiteral("La Impresora No Se Encuentra Lista..."));
    return;
  }
  TEstadoVisorReporte& e = EstadoVisorReporte();
  ReiniciaTotalesReporte();
  Impresora->MinPage = 1;
  Impresora->MaxPage = e.TotalPaginasReporte;
  Impresora->FromPage = 1;
  Impresora->ToPage = e.TotalPaginasReporte;
  if (!Impresora->Execute()) return;
  print::Impresora::Global().lienzo().fuente().tamano = TamanoFuente->value();
  if (VistaGrafica() == kVistaReporte) {
    ReiniciaTotalesGenerales();
    ImprimePaginasReporte(Impresora->FromPage, Impresora->ToPage);
  } else {
    ImprimeGraficaReporte();
  }
}

void TFormaBarras::ImprimeEncabezado(print::Lienzo& lienzo, const QString& titulo, int pagina, int renglon) const {
  const print::Impresora& impresora = print::Impresora::Global();
  const int ancho = impresora.AnchoPagina();
  lienzo.fuente().nombre = kFuenteEncabezado;
  lienzo.fuente().tamano = kTamanoEncabezado;
  lienzo.brocha().color = kColorEncabezado;
  lienzo.Rectangulo(8, 10, ancho - 10, 3 * renglon + 10);
  lienzo.Texto(static_cast<int>((ancho - lienzo.AnchoTexto(titulo)) * 0.5), 30, titulo);
  lienzo.fuente().tamano = TamanoFuente->value();
  const QString fecha = TextoFecha(fs::Hoy()) + QStringLiteral("     Pag ") + QString::number(pagina + 1);
  const int y = 3 * renglon + 10 - lienzo.AltoTexto(QStringLiteral("Pag")) - 5;
  lienzo.Texto(ancho - lienzo.AnchoTexto(fecha) - 15, y, fecha);
  // The three conditions: field, operator and value of each.
  const auto& c = EstadoVisorReporte().CondicionesReporte;
  const QString condiciones = QStringList{c[0], c[4], c[7], c[2], c[5], c[8]}.join(u' ') + QStringLiteral("  ") +
                              QStringList{c[3], c[6], c[9]}.join(u' ');
  lienzo.Texto(20, y, condiciones);
  lienzo.fuente().nombre = Concentrado->font().family();
  lienzo.brocha().color = Qt::white;
}

void TFormaBarras::ImprimePaginasReporte(int desde, int hasta) {
  TrabajoImpresion trabajo(windowTitle());
  print::Impresora& impresora = trabajo.Impresora();
  print::Lienzo& lienzo = impresora.lienzo();
  EstadoVisorReporte().LineasPorPaginaReporte = 50;
  const int renglon = static_cast<int>(impresora.AltoPagina() * (1 / kRenglonesHoja));
  lienzo.fuente().nombre = Concentrado->font().family();
  lienzo.fuente().tamano = TamanoFuente->value();
  // A sheet is started only for a line to print, so no sheet stays blank.
  bool hojaNueva = false;
  const auto linea = [&] {
    trabajo.Comienza();
    if (hojaNueva) impresora.NuevaPagina();
    hojaNueva = false;
  };
  for (int p = std::max(desde, 1) - 1; p <= hasta - 1; ++p) {
    if (!MuestraPaginaReporte(p)) continue;
    // Every page on a sheet of its own.
    hojaNueva = impresora.Imprimiendo();
    int r = 0;
    const QStringList lineas = Concentrado->toPlainText().split(u'\n');
    for (qsizetype i = 0; i < lineas.size(); ++i) {
      linea();
      if (i == 0) ImprimeEncabezado(lienzo, lineas[i], p, renglon);
      else lienzo.Texto(10, (r + 3) * renglon, lineas[i]);
      if (++r == kLineasHoja) {
        hojaNueva = true;
        r = 0;
      }
    }
  }
  trabajo.Termina();
}

void TFormaBarras::ImprimeGraficaReporte() {
  TrabajoImpresion trabajo(windowTitle());
  print::Impresora& impresora = trabajo.Impresora();
  impresora.FijaOrientacion(print::Orientacion::Horizontal);
  trabajo.Comienza();
  const QRect rectangulo(50, 50, impresora.AnchoPagina() - 100, impresora.AltoPagina() - 100);
  // Laid out as on a screen, at the printer's resolution.
  constexpr double kPuntosPantalla = 96;
  impresora.lienzo().DibujaImagen(
      rectangulo, ImagenGrafica(Grafica, rectangulo.size(), impresora.Resolucion() / kPuntosPantalla));
  trabajo.Termina();
}
