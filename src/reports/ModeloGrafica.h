#pragma once
// Charts of the report windows as data: what a window puts on its chart
// (series of bars, pie slices or lines, their points, the axes, the titles),
// held apart from the drawing so that a window's logic can be checked point
// by point. DibujaGrafica puts a model on a Qt chart; ImagenGrafica draws it
// into a picture (printing).
//
//   ModeloGrafica g;
//   g.titulo = "Gráfica de Ventas";
//   g.series.push_back(SerieGrafica::Barras(Qt::red));
//   g.series[0].Agrega(1, 1500, "C001");
//   g.ejeIzquierdo = {"Total", "#,###,##0", false, 0, 1600};
//   DibujaGrafica(g, *vista->chart());
//
// Only series with points are drawn. A chart whose points are pie slices has
// no axes. Points of a bar series that share one position stand side by
// side in it; the bottom axis shows each position's label (the first point's
// there). Value marks and axis labels are written with the program's number
// masks (FormatoMascara). Charts have no depth: the "3D" view shows as the
// chart's drop shadow.

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

#include <vector>

class QChart;

enum class TipoSerieGrafica { Barras, Pie, Lineas };

// What a point's mark shows.
enum class MarcaGrafica { Ninguna, Valor, Etiqueta };

struct PuntoGrafica {
  double x = 0;
  double valor = 0;
  QString etiqueta;
  QColor color;
  bool operator==(const PuntoGrafica&) const = default;
};

struct SerieGrafica {
  TipoSerieGrafica tipo = TipoSerieGrafica::Barras;
  QColor color;                // the series' colour
  bool colorPorPunto = false;  // each point takes the next colour of PaletaGrafica
  MarcaGrafica marcas = MarcaGrafica::Ninguna;
  QString mascaraMarcas;       // values of the marks; empty: shortest text
  int largoFlecha = 0;         // pixels from a point up to its mark
  bool marcadores = false;     // a line's points drawn as dots
  std::vector<PuntoGrafica> puntos;

  // Adds a point in the series' default colour: the series' colour, or the
  // palette's next one when colorPorPunto.
  void Agrega(double x, double valor, const QString& etiqueta);
  // The greatest value of the points; 0 without points.
  double MayorValor() const;
};

struct EjeGrafica {
  QString titulo;
  QString mascara;         // labels; empty: shortest text
  bool automatico = true;  // the range follows the points
  double minimo = 0;       // the range when not automatic
  double maximo = 0;
};

struct ModeloGrafica {
  QString titulo;
  EjeGrafica ejeInferior;   // positions (x)
  EjeGrafica ejeIzquierdo;  // values
  bool ejesVisibles = true;
  bool vista3D = true;
  // The chart's background; invalid: the chart's own. On a dark one the
  // title, the axes' texts and the value marks are written in white.
  QColor fondo;
  std::vector<SerieGrafica> series;
};

// The colours points take in turn in a series coloured by point.
const std::vector<QColor>& PaletaGrafica();

// Puts the model on the chart: its series, axes, marks and titles replace
// the chart's own.
void DibujaGrafica(const ModeloGrafica& modelo, QChart& grafica);

// The model drawn into a picture of `tamano` pixels, laid out as on a
// screen `escala` times smaller, so texts keep their proportions on paper.
QImage ImagenGrafica(const ModeloGrafica& modelo, QSize tamano, double escala);
