// The consolidated totals over a small company: six lines and six bars,
// the whole tables or a period.

#include "platform/fs/Rutas.h"
#include "platform/ui/PuertaModal.h"
#include "reports/Consolidar.h"
#include "reports/reportes_prueba.h"
#include "support/Maneja.h"

#include <QChart>
#include <QChartView>
#include <QDateEdit>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>

#include <functional>

namespace {

using Filas = std::vector<QVariantList>;

void Tabla(const QString& archivo, const QVector<db::DefCampo>& campos, const Filas& filas) {
  db::Tabla::Crea(kDatosReporte, archivo, campos);
  db::Tabla t;
  t.SetCarpeta(kDatosReporte);
  t.SetNombreTabla(archivo);
  t.Open();
  for (const QVariantList& fila : filas) {
    t.Append();
    for (int i = 0; i < fila.size(); ++i) {
      if (fila[i].isValid()) t.Fields(i).SetValue(fila[i]);
    }
    t.Post();
  }
}

// A line as the window writes it: the label, "$" and the amount in 14.
QString Linea(const char* etiqueta, const char* importe) {
  return QString::fromLatin1(etiqueta) + u'$' + QString::fromLatin1(importe).rightJustified(14);
}

class ConsolidarTest : public ReportePrueba {
 protected:
  void SetUp() override {
    ReportePrueba::SetUp();
    Tabla("remision.dbf", {{"CLDOC_F", u'N', 10, 0}, {"IMTOD_F", u'N', 14, 2}, {"FEDOC_F", u'D', 8}},
          {{1, 100.10, QDate(2024, 2, 29)},
           {2, 200.20, QDate(2024, 3, 1)},
           {3, 300.30, QDate(2024, 3, 31)},
           {4, 400.40, QDate(2024, 4, 1)}});
    Tabla("ComprasE.dbf", {{"CLDOC_O", u'N', 10, 0}, {"IMDOC_O", u'N', 14, 2}, {"SALDO_O", u'N', 14, 2}, {"FEDOC_O", u'D', 8}},
          {{1, 1000, 400, QDate(2024, 3, 10)}, {2, 500, 500, QDate(2024, 2, 1)}, {3, 250.5, 50, QDate(2024, 3, 20)}});
    Tabla("INVENTAR.DBF", {{"CLPRO_I", u'C', 10}, {"CPROM_I", u'N', 14, 4}, {"PPUBL_I", u'N', 14, 2}, {"EXIST_I", u'N', 12, 3}},
          {{"A", 10, 15, 5}, {"B", 20, 30, 0}, {"C", 7.5, 9.99, -3}, {"D", 3.333, 4.5, 3}});
  }

  // The window as the main menu opens it; `usuario` works in it once it is
  // shown.
  static void AbreConsolidar(const std::function<void(TFormaConsolidar&)>& usuario) {
    TFormaConsolidar forma;
    forma.LabelRuta->setText(kDatosReporte);
    ui::PuertaModal::Espera("TFormaConsolidar", [&](QDialog&) {
      usuario(forma);
      forma.Close();
    });
    forma.ShowModal();
  }

  static QStringList Lineas(const TFormaConsolidar& f) { return f.MemoConsolidar->toPlainText().split(u'\n'); }
};

}  // namespace

TEST_F(ConsolidarTest, SeisCifrasYSeisBarrasAlMostrarse) {
  QList<int> avance;
  AbreConsolidar([&](TFormaConsolidar& f) {
    EXPECT_EQ(Lineas(f), (QStringList{Linea("Total de Remisiones  ", "1,001.00"),
                                      Linea("Total de Compras     ", "1,750.50"),
                                      Linea("Abonos en Compras    ", "800.50"),
                                      Linea("Saldo en Compras     ", "950.00"),
                                      Linea("Costo del Inventario ", "60.00"),
                                      Linea("Valor del Inventario ", "88.50")}));
    EXPECT_EQ(f.Progreso->value(), 100);
    EXPECT_FALSE(f.FechaInicio->isEnabled());

    const SerieGrafica& barras = f.Grafica.series.at(0);
    EXPECT_EQ(f.Grafica.series.size(), 1u);
    EXPECT_EQ(barras.color, QColor(Qt::red));
    EXPECT_EQ(barras.marcas, MarcaGrafica::Valor);
    EXPECT_EQ(f.Grafica.fondo, QColor(Qt::black));
    ASSERT_EQ(barras.puntos.size(), 6u);
    const double valores[] = {1001, 1750.5, 800.5, 950, 59.999, 88.5};
    for (int i = 0; i < 6; ++i) {
      EXPECT_EQ(barras.puntos[i].x, i + 1);
      EXPECT_DOUBLE_EQ(barras.puntos[i].valor, valores[i]);
      EXPECT_EQ(barras.puntos[i].etiqueta, EtiquetaConsolidar(Lineas(f)[i]));
    }
    EXPECT_EQ(barras.puntos[0].etiqueta, "Total de Remisiones  ");
    EXPECT_EQ(f.ModuloGrafica->chart()->series().size(), 6);
    EXPECT_EQ(f.ModuloGrafica->chart()->backgroundBrush().color(), QColor(Qt::black));

    // "Consolida" walks the gauge again.
    QObject::connect(f.Progreso, &QProgressBar::valueChanged, [&](int v) { avance << v; });
    prueba::Pulsa(f, "BotonEsquinado1");
  });
  EXPECT_EQ(avance, (QList<int>{16, 33, 50, 66, 83, 100}));
  EXPECT_TRUE(Mensajes().isEmpty());
}

TEST_F(ConsolidarTest, TablaQueFaltaDaCeroSinMensaje) {
  fs::BorraArchivo("C:\\DATOS\\ComprasE.dbf");
  // Remissions without rows: a sum of nothing.
  fs::BorraArchivo("C:\\DATOS\\remision.dbf");
  Tabla("remision.dbf", {{"IMTOD_F", u'N', 14, 2}}, {});
  AbreConsolidar([](TFormaConsolidar& f) {
    const QStringList lineas = Lineas(f);
    EXPECT_EQ(lineas[0], Linea("Total de Remisiones  ", "0.00"));
    EXPECT_EQ(lineas[1], Linea("Total de Compras     ", "0.00"));
    EXPECT_EQ(lineas[3], Linea("Saldo en Compras     ", "0.00"));
    EXPECT_EQ(lineas[4], Linea("Costo del Inventario ", "60.00"));
    EXPECT_EQ(f.Grafica.series[0].puntos[1].valor, 0);
  });
  EXPECT_TRUE(Mensajes().isEmpty());
}

TEST_F(ConsolidarTest, PorPeriodoSoloLasRemisionesYComprasDelPeriodo) {
  AbreConsolidar([](TFormaConsolidar& f) {
    prueba::Pulsa(f, "RadioButton2");
    EXPECT_TRUE(f.FechaInicio->isEnabled());
    EXPECT_TRUE(f.FechaFinal->isEnabled());
    f.FechaInicio->setDate(QDate(2024, 3, 1));
    f.FechaFinal->setDate(QDate(2024, 3, 31));
    prueba::Pulsa(f, "BotonEsquinado1");
    EXPECT_EQ(Lineas(f), (QStringList{Linea("Total de Remisiones  ", "500.50"),
                                      Linea("Total de Compras     ", "1,250.50"),
                                      Linea("Abonos en Compras    ", "800.50"),
                                      Linea("Saldo en Compras     ", "450.00"),
                                      Linea("Costo del Inventario ", "60.00"),
                                      Linea("Valor del Inventario ", "88.50")}));
    // "Graficar" charts what was computed last.
    EXPECT_DOUBLE_EQ(f.Grafica.series[0].puntos[0].valor, 1001);
    prueba::Pulsa(f, "BotonEsquinado2");
    EXPECT_DOUBLE_EQ(f.Grafica.series[0].puntos[0].valor, 500.5);

    prueba::Pulsa(f, "RadioButton1");
    EXPECT_FALSE(f.FechaInicio->isEnabled());
  });
}

TEST(FormatoConsolidar, Prefijos) {
  EXPECT_EQ(FormatoConsolidar("###,###,##0.00", "1234.5", "f"), "$      1,234.50");
  EXPECT_EQ(FormatoConsolidar("###,###,##0.00", "", "f"), "$          0.00");
  EXPECT_EQ(FormatoConsolidar("###,###,##0.00", "abc", "f"), "$          0.00");
  EXPECT_EQ(FormatoConsolidar("###,###,##0.00", "12", "c"), "12");
  EXPECT_EQ(FormatoConsolidar("##0.00", "7", "MX"), "MX  7.00");
  EXPECT_EQ(EtiquetaConsolidar("Saldo en Compras     $   1.00"), "Saldo en Compras     ");
  EXPECT_EQ(EtiquetaConsolidar("sin importe"), "sin importe");
}
