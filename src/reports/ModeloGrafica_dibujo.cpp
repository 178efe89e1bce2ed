// A chart model drawn with Qt Charts.

#include "reports/ModeloGrafica.h"

#include "foundation/rutinas_numero.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsItemGroup>
#include <QGraphicsLayout>
#include <QGraphicsLineItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QPen>
#include <QPieSeries>
#include <QPieSlice>
#include <QSet>

#include <cmath>
#include <map>

namespace {

constexpr double kAnchoBarras = 0.6;  // of the room between two positions
constexpr int kDivisionesValor = 5;   // labels of the value axis, about

QString TextoValor(double valor, const QString& mascara) { return FormatoMascara(mascara, valor); }

// A category axis holds each label once: a label seen before gets
// zero-width blanks until it is new.
class EtiquetasUnicas {
 public:
  QString operator()(QString etiqueta) {
    while (usadas_.contains(etiqueta)) etiqueta += QChar(0x200B);
    usadas_.insert(etiqueta);
    return etiqueta;
  }

 private:
  QSet<QString> usadas_;
};

// Value marks of points: a text above each point at the end of a short
// line, placed again whenever the plot area moves. The items hang from one
// group of the chart, which a new drawing deletes.
class MarcasValor : public QObject {
 public:
  MarcasValor(QChart& grafica, const QColor& texto)
      : QObject(&grafica), grafica_(grafica), grupo_(new QGraphicsItemGroup(&grafica)), texto_(texto) {
    grupo_->setZValue(100);
    connect(&grafica, &QChart::plotAreaChanged, this, &MarcasValor::Coloca);
  }

  // Deletes the marks (the chart itself deletes them when it goes first).
  void Borra() {
    delete grupo_;
    grupo_ = nullptr;
  }

  void Agrega(QAbstractSeries* serie, QPointF punto, const QString& texto, int largo) {
    auto* flecha = new QGraphicsLineItem(grupo_);
    auto* etiqueta = new QGraphicsSimpleTextItem(texto, grupo_);
    if (texto_.isValid()) {
      flecha->setPen(QPen(texto_));
      etiqueta->setBrush(texto_);
    }
    marcas_.push_back({serie, punto, largo, flecha, etiqueta});
  }

  void Coloca() {
    for (const Marca& m : marcas_) {
      const QPointF base = grafica_.mapToPosition(m.punto, m.serie);
      const QPointF punta = base - QPointF(0, m.largo);
      m.flecha->setLine(QLineF(base, punta));
      const QRectF caja = m.etiqueta->boundingRect();
      m.etiqueta->setPos(punta.x() - caja.width() / 2, punta.y() - caja.height());
    }
  }

 private:
  struct Marca {
    QAbstractSeries* serie;
    QPointF punto;
    int largo;
    QGraphicsLineItem* flecha;
    QGraphicsSimpleTextItem* etiqueta;
  };
  QChart& grafica_;
  QGraphicsItemGroup* grupo_;
  QColor texto_;  // invalid: the scene's default
  std::vector<Marca> marcas_;
};

MarcasValor* MarcasDe(const QChart& grafica) {
  for (QObject* hijo : grafica.children()) {
    if (auto* marcas = dynamic_cast<MarcasValor*>(hijo)) return marcas;
  }
  return nullptr;
}

// A round step near `bruto`: 1, 2 or 5 times a power of ten.
double PasoRedondo(double bruto) {
  if (!(bruto > 0)) return 1;
  const double potencia = std::pow(10.0, std::floor(std::log10(bruto)));
  for (double factor : {1.0, 2.0, 5.0}) {
    if (bruto <= factor * potencia) return factor * potencia;
  }
  return 10 * potencia;
}

// The bottom axis: each position's label (its first point's) at it.
QCategoryAxis* EjePosiciones(const EjeGrafica& eje, const std::vector<const SerieGrafica*>& series) {
  std::map<double, QString> etiquetas;
  for (const SerieGrafica* s : series) {
    for (const PuntoGrafica& p : s->puntos) etiquetas.emplace(p.x, p.etiqueta);
  }
  double minimo = 0, maximo = 1;
  if (!eje.automatico) {
    minimo = eje.minimo;
    maximo = eje.maximo;
  } else if (!etiquetas.empty()) {
    minimo = etiquetas.begin()->first - 0.5;
    maximo = etiquetas.rbegin()->first + 0.5;
  }
  auto* ejeQt = new QCategoryAxis;
  ejeQt->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  ejeQt->setRange(minimo, maximo);
  ejeQt->setStartValue(minimo);
  EtiquetasUnicas unica;
  for (const auto& [x, etiqueta] : etiquetas) {
    if (x > minimo && x <= maximo) ejeQt->append(unica(etiqueta), x);
  }
  return ejeQt;
}

// The value axis: its range (the model's, or one that holds 0 and every
// value) with round steps labelled by the mask.
QCategoryAxis* EjeValores(const EjeGrafica& eje, const std::vector<const SerieGrafica*>& series) {
  double minimo = eje.minimo, maximo = eje.maximo;
  if (eje.automatico) {
    minimo = maximo = 0;
    for (const SerieGrafica* s : series) {
      for (const PuntoGrafica& p : s->puntos) {
        minimo = std::min(minimo, p.valor);
        maximo = std::max(maximo, p.valor);
      }
    }
  }
  if (!(maximo > minimo)) maximo = minimo + 1;
  const double paso = PasoRedondo((maximo - minimo) / kDivisionesValor);
  if (eje.automatico) {
    minimo = std::floor(minimo / paso) * paso;
    maximo = std::ceil(maximo / paso) * paso;
  }
  auto* ejeQt = new QCategoryAxis;
  ejeQt->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  ejeQt->setRange(minimo, maximo);
  // A label may stand on the lowest value too.
  ejeQt->setStartValue(minimo - paso / 1000);
  EtiquetasUnicas unica;
  for (auto i = static_cast<long long>(std::ceil(minimo / paso)); i * paso <= maximo; ++i) {
    ejeQt->append(unica(TextoValor(i * paso, eje.mascara)), i * paso);
  }
  return ejeQt;
}

void Ejes(QChart& grafica, QAbstractSeries* serie) {
  for (QAbstractAxis* eje : grafica.axes()) serie->attachAxis(eje);
}

// Each point a bar from 0 to its value; the points of one position side by
// side in the bar's room.
void DibujaBarras(QChart& grafica, const SerieGrafica& serie, MarcasValor& marcas) {
  std::map<double, std::vector<const PuntoGrafica*>> porPosicion;
  for (const PuntoGrafica& p : serie.puntos) porPosicion[p.x].push_back(&p);
  for (const auto& [x, puntos] : porPosicion) {
    const double ancho = kAnchoBarras / static_cast<double>(puntos.size());
    for (size_t j = 0; j < puntos.size(); ++j) {
      const PuntoGrafica& p = *puntos[j];
      const double izquierda = x - kAnchoBarras / 2 + ancho * static_cast<double>(j);
      auto* barra = new QAreaSeries;
      auto* arriba = new QLineSeries(barra);
      auto* abajo = new QLineSeries(barra);
      arriba->append(izquierda, p.valor);
      arriba->append(izquierda + ancho, p.valor);
      abajo->append(izquierda, 0);
      abajo->append(izquierda + ancho, 0);
      barra->setUpperSeries(arriba);
      barra->setLowerSeries(abajo);
      barra->setBrush(p.color);
      barra->setPen(QPen(p.color.darker(150), 1));
      grafica.addSeries(barra);
      Ejes(grafica, barra);
      if (serie.marcas == MarcaGrafica::Valor) {
        marcas.Agrega(barra, QPointF(izquierda + ancho / 2, p.valor), TextoValor(p.valor, serie.mascaraMarcas),
                      serie.largoFlecha);
      }
    }
  }
}

void DibujaLineas(QChart& grafica, const SerieGrafica& serie, MarcasValor& marcas) {
  auto* linea = new QLineSeries;
  linea->setPen(QPen(serie.color, 2));
  linea->setPointsVisible(serie.marcadores);
  for (const PuntoGrafica& p : serie.puntos) linea->append(p.x, p.valor);
  grafica.addSeries(linea);
  Ejes(grafica, linea);
  if (serie.marcas != MarcaGrafica::Valor) return;
  for (const PuntoGrafica& p : serie.puntos) {
    marcas.Agrega(linea, QPointF(p.x, p.valor), TextoValor(p.valor, serie.mascaraMarcas), serie.largoFlecha);
  }
}

// Slices of the points above 0 (a pie has no room for others).
void DibujaPie(QChart& grafica, const SerieGrafica& serie) {
  auto* pie = new QPieSeries;
  for (const PuntoGrafica& p : serie.puntos) {
    if (!(p.valor > 0)) continue;
    QPieSlice* rebanada = pie->append(
        serie.marcas == MarcaGrafica::Valor ? TextoValor(p.valor, serie.mascaraMarcas) : p.etiqueta, p.valor);
    rebanada->setColor(p.color);
    rebanada->setLabelVisible(serie.marcas != MarcaGrafica::Ninguna);
  }
  grafica.addSeries(pie);
}

}  // namespace

void DibujaGrafica(const ModeloGrafica& modelo, QChart& grafica) {
  if (MarcasValor* anteriores = MarcasDe(grafica)) {
    anteriores->Borra();
    delete anteriores;
  }
  grafica.removeAllSeries();
  for (QAbstractAxis* eje : grafica.axes()) {
    grafica.removeAxis(eje);
    delete eje;
  }
  grafica.setTitle(modelo.titulo);
  grafica.legend()->hide();
  grafica.setDropShadowEnabled(modelo.vista3D);
  // Texts in white on a dark background, in black on a light one.
  QColor textos;
  if (modelo.fondo.isValid()) {
    grafica.setBackgroundBrush(modelo.fondo);
    textos = modelo.fondo.lightness() < 128 ? QColor(Qt::white) : QColor(Qt::black);
    grafica.setTitleBrush(textos);
  }

  std::vector<const SerieGrafica*> conEjes;
  bool pie = false;
  for (const SerieGrafica& s : modelo.series) {
    if (s.puntos.empty()) continue;
    if (s.tipo == TipoSerieGrafica::Pie) pie = true;
    else conEjes.push_back(&s);
  }
  if (!pie) {
    const std::pair<QAbstractAxis*, const EjeGrafica*> ejes[] = {
        {EjePosiciones(modelo.ejeInferior, conEjes), &modelo.ejeInferior},
        {EjeValores(modelo.ejeIzquierdo, conEjes), &modelo.ejeIzquierdo}};
    for (const auto& [eje, datos] : ejes) {
      eje->setTitleText(datos->titulo);
      eje->setVisible(modelo.ejesVisibles);
      if (textos.isValid()) {
        eje->setLabelsBrush(textos);
        eje->setTitleBrush(textos);
      }
      grafica.addAxis(eje, eje == ejes[0].first ? Qt::AlignBottom : Qt::AlignLeft);
    }
  }
  auto* marcas = new MarcasValor(grafica, textos);
  for (const SerieGrafica& s : modelo.series) {
    if (s.puntos.empty()) continue;
    switch (s.tipo) {
      case TipoSerieGrafica::Barras: DibujaBarras(grafica, s, *marcas); break;
      case TipoSerieGrafica::Lineas: DibujaLineas(grafica, s, *marcas); break;
      case TipoSerieGrafica::Pie: DibujaPie(grafica, s); break;
    }
  }
  marcas->Coloca();
}

QImage ImagenGrafica(const ModeloGrafica& modelo, QSize tamano, double escala) {
  QImage imagen(tamano, QImage::Format_RGB32);
  imagen.fill(Qt::white);
  QGraphicsScene escena;
  auto* grafica = new QChart;
  escena.addItem(grafica);
  const QRectF logico(0, 0, tamano.width() / escala, tamano.height() / escala);
  grafica->setGeometry(logico);
  DibujaGrafica(modelo, *grafica);
  grafica->layout()->activate();
  if (MarcasValor* marcas = MarcasDe(*grafica)) marcas->Coloca();
  QPainter pintor(&imagen);
  pintor.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
  escena.render(&pintor, QRectF(imagen.rect()), logico);
  return imagen;
}
