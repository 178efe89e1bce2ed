// The viewer's chart pages.

#include "reports/ArchivosReporte.h"
#include "reports/Barras.h"

#include "foundation/rutinas_numero.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Eventos.h"

#include <QChartView>
#include <QTextEdit>
#include <QTimer>

namespace {

const QString kMascaraGrafica = QStringLiteral("#,###,###,##0.###");
constexpr int kValoresPagina = 12;
constexpr int kValoresRenglon = 3;  // at most, of a row
constexpr double kMargenEje = 100;  // above the greatest value

}  // namespace

bool EsTextoNumerico(const QString& texto) {
  double valor = 0;
  return LeeReal(texto, valor);
}

bool EsMayorQueCero(double valor) { return valor > 0; }

void TFormaBarras::ConstruyeGrafica() {
  Grafica.titulo = QStringLiteral("Gráficas");
  Grafica.ejeIzquierdo.titulo = QStringLiteral("Valor");
  Grafica.ejeIzquierdo.mascara = kMascaraGrafica;
  Grafica.ejeIzquierdo.automatico = false;
  Grafica.ejeIzquierdo.maximo = kMargenEje;
  Grafica.ejesVisibles = false;
  Grafica.series.assign(3, SerieGrafica());
  SerieGrafica& barras = Series1();
  barras.color = Qt::red;
  barras.colorPorPunto = true;
  barras.marcas = MarcaGrafica::Valor;
  barras.mascaraMarcas = kMascaraGrafica;
  barras.largoFlecha = 20;
  SerieGrafica& pie = Series2();
  pie.tipo = TipoSerieGrafica::Pie;
  pie.colorPorPunto = true;
  pie.marcas = MarcaGrafica::Etiqueta;
  pie.largoFlecha = 8;
  SerieGrafica& lineas = Series3();
  lineas.tipo = TipoSerieGrafica::Lineas;
  lineas.color = Qt::yellow;
  RedibujaGrafica();
  ui::Conecta(&ui::Eventos::De(ModuloGrafica->viewport()), &ui::Eventos::MouseDown, this,
              [this](Qt::MouseButton boton, QPoint) { ModuloGraficaMouseDown(boton); });
}

void TFormaBarras::RedibujaGrafica() { DibujaGrafica(Grafica, *ModuloGrafica->chart()); }

void TFormaBarras::ModuloGraficaMouseDown(Qt::MouseButton boton) {
  if (boton != Qt::RightButton) return;
  Grafica.vista3D = !Grafica.vista3D;
  RedibujaGrafica();
}

void TFormaBarras::LimpiaSeriesGrafica() {
  for (SerieGrafica& serie : Grafica.series) serie.puntos.clear();
}

void TFormaBarras::AgregaPuntosGrafica(int a, const QString& etiqueta, int n, double y1, double y2, double y3) {
  SerieGrafica* serie = nullptr;
  switch (VistaGrafica()) {
    case kVistaBarras: serie = &Series1(); break;
    case kVistaPie: serie = &Series2(); break;
    case kVistaLineas: serie = &Series3(); break;
    default: return;
  }
  const bool pie = VistaGrafica() == kVistaPie;
  const auto punto = [&](double x, double y) {
    if (!pie || EsMayorQueCero(y)) serie->Agrega(x, y, etiqueta);
  };
  switch (n) {
    case 1:
      punto(a, y1);
      break;
    case 2:
      punto(2 * a - 2, y1);
      punto(2 * a - 2, y2);
      break;
    case 3:
      punto(3 * a - 3, y1);
      punto(3 * a - 2, y2);
      punto(3 * a - 1, y3);
      break;
    default:
      break;
  }
}

void TFormaBarras::AjustaEjeGrafica() {
  const SerieGrafica* serie = nullptr;
  switch (VistaGrafica()) {
    case kVistaBarras:
    case kVistaPie: serie = &Series1(); break;
    case kVistaLineas: serie = &Series3(); break;
    default: return;
  }
  Grafica.ejeIzquierdo.automatico = false;
  Grafica.ejeIzquierdo.minimo = 0;
  Grafica.ejeIzquierdo.maximo = serie->MayorValor() + kMargenEje;
  Grafica.ejesVisibles = true;
}

void TFormaBarras::MuestraPaginaGrafica() {
  TEstadoVisorReporte& e = EstadoVisorReporte();
  Concentrado->hide();
  ModuloGrafica->show();
  // Another copy's work files are not this viewer's to chart.
  if (!ReporteDelVisor()) return;
  LectorRenglones final(kArchivoFinal);
  const qint64 cuenta = final.Cuenta();
  if (e.ValoresPorRegistro == 0) e.ValoresPorRegistro = 1;
  const int n = e.ValoresPorRegistro;
  const qint64 porPagina = n > 0 ? kValoresPagina / n : 0;
  // Row 0 holds the type letters: page p charts rows p·k + 1 to p·k + k.
  const qint64 primero = qint64(e.PaginaReporte) * porPagina + 1;
  if (primero < cuenta && porPagina > 0) {
    final.VeA(primero);
    LimpiaSeriesGrafica();
    for (qint64 i = 0; i < porPagina; ++i) {
      const char* r = final.Siguiente();
      if (!r) break;
      const TRenglonReporte renglon = TRenglonReporte::DeBytes(QByteArrayView(r, TRenglonReporte::kTamano));
      // A closing row keeps its place on the page.
      if (renglon.Llave == u"*") continue;
      std::array<double, kValoresRenglon> valores{};
      size_t tomados = 0;
      for (const QString& columna : renglon.Columnas) {
        if (tomados == valores.size()) break;
        if (EsTextoNumerico(columna)) valores[tomados++] = ValorNumerico(columna);
      }
      AgregaPuntosGrafica(static_cast<int>(i + 1), renglon.Llave, n, valores[0], valores[1], valores[2]);
    }
    AjustaEjeGrafica();
    RedibujaGrafica();
  }
  // The last page, and any past it, ends the automatic advance.
  if (porPagina == 0 || primero + porPagina >= cuenta) {
    GuardaSubtotalesFinales();
    Timer1->stop();
  }
}
