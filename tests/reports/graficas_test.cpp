#include "reports/ModeloGrafica.h"
#include "reports/visor_prueba.h"

#include <QAction>
#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QGraphicsItemGroup>
#include <QGraphicsSimpleTextItem>
#include <QLineSeries>
#include <QPieSeries>
#include <QPieSlice>
#include <QTimer>

namespace {

// Points as "x:value:label".
QStringList Puntos(const SerieGrafica& serie) {
  QStringList r;
  for (const PuntoGrafica& p : serie.puntos) r << QStringLiteral("%1:%2:%3").arg(p.x).arg(p.valor).arg(p.etiqueta);
  return r;
}

// Points x:value labelled "K<nn>" for the given row numbers and values.
QStringList Serie(std::initializer_list<std::tuple<double, double, int>> puntos) {
  QStringList r;
  for (const auto& [x, valor, renglon] : puntos)
    r << QStringLiteral("%1:%2:K%3").arg(x).arg(valor).arg(renglon, 2, 10, QChar(u'0'));
  return r;
}

// Texts of the value marks drawn on the chart.
QStringList Marcas(QChart& grafica) {
  QStringList r;
  for (QGraphicsItem* hijo : grafica.childItems()) {
    if (!dynamic_cast<QGraphicsItemGroup*>(hijo)) continue;
    for (QGraphicsItem* marca : hijo->childItems()) {
      if (auto* texto = dynamic_cast<QGraphicsSimpleTextItem*>(marca)) r << texto->text();
    }
  }
  return r;
}

QStringList Etiquetas(QAbstractAxis* eje) {
  QStringList r;
  for (const QString& e : static_cast<QCategoryAxis*>(eje)->categoriesLabels()) r << QString(e).remove(QChar(0x200B));
  return r;
}

class GraficasTest : public VisorPrueba {
 protected:
  // Rows K01 to K14: columns 1 to 3 hold 10, 100 and 1000 times the row
  // number, but K03 has -5 and K05 0 in column 1, and K07 has numbers only
  // in columns 4 and 7; then a closing row.
  static void RenglonesNumerados() {
    ReporteEscrito r;
    for (int i = 1; i <= 14; ++i) {
      const QString llave = QStringLiteral("K%1").arg(i, 2, 10, QChar(u'0'));
      QString uno = QString::number(i * 10);
      if (i == 3) uno = "-5";
      if (i == 5) uno = "0";
      if (i == 7) r.renglones.push_back(Renglon(llave, "Siete", {"abc", "1x", "", "44", "x", "", "77", "M.N."}));
      else r.renglones.push_back(Renglon(llave, "", {uno, QString::number(i * 100), QString::number(i * 1000)}));
    }
    r.renglones.push_back(TRenglonReporte::Cierre());
    EscribeReporte(r);
  }
};

}  // namespace

TEST_F(GraficasTest, PaginasPorValoresDeCadaRenglon) {
  RenglonesNumerados();
  struct Caso {
    const char* nombre;
    int vista;
    qint16 valores;
    qint32 pagina;
    QStringList puntos;
    double maximo;  // of the value axis
    bool fin;       // the page reaches the end
  };
  const QStringList barras12 = Serie({{1, 10, 1}, {2, 20, 2}, {3, -5, 3}, {4, 40, 4}, {5, 0, 5}, {6, 60, 6},
                                      {7, 44, 7}, {8, 80, 8}, {9, 90, 9}, {10, 100, 10}, {11, 110, 11}, {12, 120, 12}});
  const Caso casos[] = {
      {"un valor", kVistaBarras, 1, 0, barras12, 220, false},
      {"la última página, sin el cierre", kVistaBarras, 1, 1, Serie({{1, 130, 13}, {2, 140, 14}}), 240, true},
      {"ninguno cuenta como uno", kVistaBarras, 0, 1, Serie({{1, 130, 13}, {2, 140, 14}}), 240, true},
      {"tres valores", kVistaBarras, 3, 0,
       Serie({{0, 10, 1}, {1, 100, 1}, {2, 1000, 1}, {3, 20, 2}, {4, 200, 2}, {5, 2000, 2},
              {6, -5, 3}, {7, 300, 3}, {8, 3000, 3}, {9, 40, 4}, {10, 400, 4}, {11, 4000, 4}}),
       4100, false},
      {"dos valores en una posición", kVistaBarras, 2, 0,
       Serie({{0, 10, 1}, {0, 100, 1}, {2, 20, 2}, {2, 200, 2}, {4, -5, 3}, {4, 300, 3},
              {6, 40, 4}, {6, 400, 4}, {8, 0, 5}, {8, 500, 5}, {10, 60, 6}, {10, 600, 6}}),
       700, false},
      {"columnas 4 y 7", kVistaBarras, 2, 1,
       Serie({{0, 44, 7}, {0, 77, 7}, {2, 80, 8}, {2, 800, 8}, {4, 90, 9}, {4, 900, 9},
              {6, 100, 10}, {6, 1000, 10}, {8, 110, 11}, {8, 1100, 11}, {10, 120, 12}, {10, 1200, 12}}),
       1300, false},
      {"pie sin valores de 0 o menos", kVistaPie, 1, 0,
       Serie({{1, 10, 1}, {2, 20, 2}, {4, 40, 4}, {6, 60, 6}, {7, 44, 7}, {8, 80, 8},
              {9, 90, 9}, {10, 100, 10}, {11, 110, 11}, {12, 120, 12}}),
       100, false},
      {"líneas", kVistaLineas, 1, 0, barras12, 220, false},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    // Each viewer lets the work files go when freed; a report run holds them.
    ASSERT_TRUE(TomaArchivosReporte(false));
    TFormaBarras visor;
    PreparaGraficaReporte("Gráfica", "Clave", "Total", c.valores);
    ui::SetTag(visor.BotonGrafica, c.vista);
    TEstadoVisorReporte& e = EstadoVisorReporte();
    e.PaginaReporte = c.pagina;
    visor.Timer1->start();
    visor.MuestraPaginaGrafica();

    const SerieGrafica& serie = c.vista == kVistaBarras ? visor.Series1()
                                : c.vista == kVistaPie  ? visor.Series2()
                                                        : visor.Series3();
    EXPECT_EQ(Puntos(serie), c.puntos);
    for (const SerieGrafica& otra : visor.Grafica.series) {
      if (&otra != &serie) {
        EXPECT_TRUE(otra.puntos.empty());
      }
    }
    EXPECT_EQ(visor.Grafica.ejeIzquierdo.minimo, 0);
    EXPECT_EQ(visor.Grafica.ejeIzquierdo.maximo, c.maximo);
    EXPECT_FALSE(visor.Grafica.ejeIzquierdo.automatico);
    EXPECT_TRUE(visor.Grafica.ejesVisibles);
    EXPECT_EQ(visor.Timer1->isActive(), !c.fin);
    EXPECT_EQ(e.FinReporteAlcanzado, c.fin);
    EXPECT_EQ(e.PaginaReporte, c.pagina);
    ReiniciaTotalesGenerales();
  }

  // Bars take a colour each, the line is yellow; a page past the end draws
  // nothing and keeps its number.
  ASSERT_TRUE(TomaArchivosReporte(false));
  TFormaBarras visor;
  PreparaGraficaReporte("Gráfica", "Clave", "Total", 1);
  visor.MuestraPaginaGrafica();
  for (size_t i = 0; i < visor.Series1().puntos.size(); ++i)
    EXPECT_EQ(visor.Series1().puntos[i].color, PaletaGrafica()[i]) << i;
  EstadoVisorReporte().PaginaReporte = 1;
  visor.BotonLineasClick();
  const std::vector<PuntoGrafica> ultima = visor.Series3().puntos;
  ASSERT_EQ(ultima.size(), 2u);
  EXPECT_EQ(ultima[0].color, QColor(Qt::yellow));
  visor.Timer1->start();
  prueba::Pulsa(visor, "BotonSiguiente");
  EXPECT_EQ(EstadoVisorReporte().PaginaReporte, 2);
  EXPECT_EQ(visor.Series3().puntos, ultima);
  EXPECT_FALSE(visor.Timer1->isActive());
}

TEST_F(GraficasTest, VistasPaginasY3DDesdeLaVentana) {
  ReporteEscrito r;
  for (int i = 1; i <= 59; ++i)
    r.renglones.push_back(Renglon(QStringLiteral("K%1").arg(i, 2, 10, QChar(u'0')), "", {QString::number(i)}));
  r.renglones.push_back(TRenglonReporte::Cierre());
  EscribeReporte(r);
  MuestraVisor("Ventas", 1, [](QDialog& d) {
    auto& visor = static_cast<TFormaBarras&>(d);
    TEstadoVisorReporte& e = EstadoVisorReporte();
    QChart& grafica = *visor.ModuloGrafica->chart();
    const auto etiquetas = [](const SerieGrafica& s) {
      QStringList r;
      for (const PuntoGrafica& p : s.puntos) r << p.etiqueta;
      return r;
    };
    prueba::Pulsa(d, "BotonSiguiente");
    ASSERT_EQ(e.PaginaReporte, 1);

    // From the text view a chart starts at its first page.
    prueba::Pulsa(d, "BotonGrafica");
    EXPECT_EQ(visor.VistaGrafica(), kVistaBarras);
    EXPECT_TRUE(visor.Concentrado->isHidden());
    EXPECT_TRUE(visor.ModuloGrafica->isVisible());
    EXPECT_EQ(e.PaginaReporte, 0);
    EXPECT_EQ(etiquetas(visor.Series1()).first(), "K01");
    EXPECT_EQ(grafica.title(), "Gráfica de Ventas");
    EXPECT_EQ(grafica.series().size(), 12);

    // Between charts the page stays.
    prueba::Pulsa(d, "BotonSiguiente");
    EXPECT_EQ(etiquetas(visor.Series1()).first(), "K13");
    prueba::Pulsa(d, "BotonPie");
    EXPECT_EQ(e.PaginaReporte, 1);
    EXPECT_EQ(etiquetas(visor.Series2()).first(), "K13");
    visor.Lineas1->trigger();
    EXPECT_EQ(visor.VistaGrafica(), kVistaLineas);
    EXPECT_EQ(etiquetas(visor.Series3()).first(), "K13");

    // The right button turns the 3D view off and on; the left one nothing.
    const bool primero = grafica.isDropShadowEnabled();
    EXPECT_TRUE(primero);
    QTest::mouseClick(visor.ModuloGrafica->viewport(), Qt::RightButton);
    EXPECT_FALSE(visor.Grafica.vista3D);
    EXPECT_FALSE(grafica.isDropShadowEnabled());
    QTest::mouseClick(visor.ModuloGrafica->viewport(), Qt::LeftButton);
    EXPECT_FALSE(grafica.isDropShadowEnabled());
    QTest::mouseClick(visor.ModuloGrafica->viewport(), Qt::RightButton);
    EXPECT_EQ(grafica.isDropShadowEnabled(), primero);

    // The column items toggle their marks and change no point.
    const std::vector<PuntoGrafica> antes = visor.Series3().puntos;
    visor.Primeracolumna1->trigger();
    visor.TerceraColumna1->trigger();
    EXPECT_FALSE(visor.Primeracolumna1->isChecked());
    EXPECT_TRUE(visor.TerceraColumna1->isChecked());
    EXPECT_EQ(visor.Series3().puntos, antes);

    // Automatic advance stops on the last chart page.
    prueba::Pulsa(d, "BotonAutomatico");
    QElapsedTimer reloj;
    reloj.start();
    while (visor.Timer1->isActive() && reloj.elapsed() < 10000) QTest::qWait(20);
    EXPECT_FALSE(visor.Timer1->isActive());
    EXPECT_EQ(e.PaginaReporte, 5);
    EXPECT_EQ(etiquetas(visor.Series3()),
              (QStringList{"K49", "K50", "K51", "K52", "K53", "K54", "K55", "K56", "K57", "K58", "K59"}));

    prueba::Pulsa(d, "BotonReporte");
    EXPECT_EQ(e.PaginaReporte, 0);
    EXPECT_FALSE(visor.Concentrado->isHidden());
  });
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

TEST_F(GraficasTest, ElModeloDibujadoConQtCharts) {
  ModeloGrafica modelo;
  modelo.titulo = "Ventas";
  modelo.ejeInferior.titulo = "Cliente";
  modelo.ejeIzquierdo = {"Total", "#,###,###,##0.###", false, 0, 1600};
  SerieGrafica barras;
  barras.colorPorPunto = true;
  barras.marcas = MarcaGrafica::Valor;
  barras.mascaraMarcas = "#,###,###,##0.###";
  barras.largoFlecha = 20;
  barras.Agrega(0, 1234.5, "A");
  barras.Agrega(0, 12, "A");
  barras.Agrega(2, 0.125, "A");
  modelo.series = {barras};

  QChartView vista(new QChart);
  vista.resize(640, 400);
  QChart& grafica = *vista.chart();
  DibujaGrafica(modelo, grafica);
  EXPECT_EQ(grafica.title(), "Ventas");
  EXPECT_EQ(grafica.series().size(), 3);
  QStringList colores;
  for (QAbstractSeries* s : grafica.series()) colores << static_cast<QAreaSeries*>(s)->brush().color().name();
  EXPECT_EQ(colores, (QStringList{PaletaGrafica()[0].name(), PaletaGrafica()[1].name(), PaletaGrafica()[2].name()}));
  EXPECT_EQ(Marcas(grafica), (QStringList{"1,234.5", "12", "0.125"}));
  ASSERT_EQ(grafica.axes().size(), 2);
  EXPECT_EQ(Etiquetas(grafica.axes(Qt::Horizontal).first()), (QStringList{"A", "A"}));
  EXPECT_EQ(grafica.axes(Qt::Horizontal).first()->titleText(), "Cliente");
  QAbstractAxis* valores = grafica.axes(Qt::Vertical).first();
  EXPECT_EQ(Etiquetas(valores), (QStringList{"0", "500", "1,000", "1,500"}));
  EXPECT_EQ(static_cast<QCategoryAxis*>(valores)->max(), 1600);
  EXPECT_TRUE(valores->isVisible());
  EXPECT_TRUE(grafica.isDropShadowEnabled());

  // Drawn again as a yellow line without marks, axes hidden, no 3D: nothing
  // of the bars is left.
  modelo.series[0].tipo = TipoSerieGrafica::Lineas;
  modelo.series[0].marcas = MarcaGrafica::Ninguna;
  modelo.series[0].color = Qt::yellow;
  modelo.ejesVisibles = false;
  modelo.vista3D = false;
  DibujaGrafica(modelo, grafica);
  ASSERT_EQ(grafica.series().size(), 1);
  auto* linea = static_cast<QLineSeries*>(grafica.series().first());
  EXPECT_EQ(linea->pen().color(), QColor(Qt::yellow));
  EXPECT_FALSE(linea->pointsVisible());
  EXPECT_EQ(linea->count(), 3);
  EXPECT_TRUE(Marcas(grafica).isEmpty());
  EXPECT_FALSE(grafica.axes(Qt::Vertical).first()->isVisible());
  EXPECT_FALSE(grafica.isDropShadowEnabled());

  // A pie: slices of the values above 0, labelled, and no axes.
  modelo.series[0].tipo = TipoSerieGrafica::Pie;
  modelo.series[0].marcas = MarcaGrafica::Etiqueta;
  modelo.series[0].puntos.push_back({3, -1, "B", Qt::black});
  DibujaGrafica(modelo, grafica);
  ASSERT_EQ(grafica.series().size(), 1);
  QStringList rebanadas;
  for (QPieSlice* s : static_cast<QPieSeries*>(grafica.series().first())->slices())
    rebanadas << QStringLiteral("%1=%2").arg(s->label()).arg(s->value());
  EXPECT_EQ(rebanadas, (QStringList{"A=1234.5", "A=12", "A=0.125"}));
  EXPECT_TRUE(grafica.axes().isEmpty());

  // Printed: a picture of the size asked for.
  const QImage imagen = ImagenGrafica(modelo, QSize(660, 510), 300 / 96.0);
  EXPECT_EQ(imagen.size(), QSize(660, 510));
}
