// The report script window as a user works it: pages, automatic advance,
// printing, export and charts.

#include "reports/DialogosImpresora.h"
#include "reports/guion_prueba.h"
#include "support/LanzadorGrabador.h"
#include "support/LibroPrueba.h"

#include "platform/fs/Texto.h"
#include "platform/print/Registro.h"

#include <QChartView>
#include <QElapsedTimer>
#include <QFontDialog>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include <map>

namespace {

// On "laser" (600 dpi, 6600 dots high) a slot is 6600 / 57 dots.
constexpr int kRanura = 115;

QString Clave(int i) { return QStringLiteral("%1").arg(i, 4, 10, QChar(u'0')); }

class VentanaGuionTest : public GuionPrueba {
 protected:
  void SetUp() override {
    GuionPrueba::SetUp();
    ConHojaCalculo();
  }

  // numeros.dbf with keys 0001 ... and amounts i × 1.25, and its report:
  // a title and n + 9 lines.
  void Numeros(int n, const QString& titulo, const std::function<void(TFormaReporteSQL&)>& ventana) {
    std::vector<QVariantList> filas;
    for (int i = 1; i <= n; ++i) filas.push_back({Clave(i), i * 1.25});
    db::Tabla& numeros =
        Tabla("numeros.dbf", {{"CLAVE", 'C', 6, 0}, {"IMPORTE", 'N', 12, 2}}, {{"CLAVE", "CLAVE"}}, filas);
    PedidoGuion p;
    p.titulo = titulo;
    p.clave.clear();
    p.dialogo = false;
    const CorridaGuion c = Ejecuta(numeros,
                                   "$" + titulo + "\r& Select CLAVE,IMPORTE,IMPORTE*2 from \"C:\\DATOS\\numeros.dbf\"\r"
                                   "!CLAVE\r%c      t           \r#CLAVE  IMPORTE     \r@\r",
                                   p, ventana);
    ASSERT_TRUE(c.mostrada) << Mensajes().join(u'|').toStdString();
    ASSERT_EQ(c.paginas.size(), n + 9);
  }

  // Answers the print dialog: every page (desde 0) or pages desde to hasta.
  static void ImprimeConDialogo(QDialog& ventana, const QString& boton, int desde = 0, int hasta = 0) {
    ui::PuertaModal::Espera("Impresora", [=](QDialog& d) {
      auto& dialogo = static_cast<DialogoImpresion&>(d);
      if (desde > 0) {
        dialogo.Paginas->setChecked(true);
        dialogo.Desde->setValue(desde);
        dialogo.Hasta->setValue(hasta);
      }
      prueba::Pulsa(d, "Aceptar");
    });
    prueba::Pulsa(ventana, boton);
  }

  // The texts printed on each sheet, with their places.
  static std::map<int, std::vector<print::Operacion>> Hojas() {
    std::map<int, std::vector<print::Operacion>> hojas;
    for (const print::Operacion& op : print::OperacionesGrabadas()) {
      if (op.tipo == print::Operacion::Tipo::Texto) hojas[op.pagina].push_back(op);
    }
    return hojas;
  }
};

}  // namespace

TEST_F(VentanaGuionTest, PaginasDeCincuentaYAvanceAutomatico) {
  Numeros(42, "Numeros", [](TFormaReporteSQL& v) {
    EXPECT_EQ(v.PanelPaginas->text(), "Página 1 de  2");
    const QStringList pagina1 = Hoja(v);
    // The title in red, followed by an empty line; then 49 more lines.
    ASSERT_EQ(pagina1.size(), 51);
    EXPECT_EQ(pagina1.mid(0, 4), (QStringList{"Reporte de Numeros", "", "CLAVE  IMPORTE     ", ""}));
    EXPECT_EQ(v.Hoja->document()->firstBlock().begin().fragment().charFormat().foreground().color(),
              QColor(Qt::red));
    EXPECT_EQ(pagina1[46], "0042          52.50 ");

    prueba::Pulsa(v, "BotonSiguiente");
    EXPECT_EQ(v.PanelPaginas->text(), "Página 2 de  2");
    EXPECT_EQ(Hoja(v), QStringList{"."});
    // Past the last page it stays; back, never before the first.
    prueba::Pulsa(v, "BotonSiguiente");
    EXPECT_EQ(v.PanelPaginas->text(), "Página 2 de  2");
    EXPECT_EQ(v.PaginaActual->value(), 2);
    for (int i = 0; i < 3; ++i) prueba::Pulsa(v, "BotonAnterior");
    EXPECT_EQ(v.PanelPaginas->text(), "Página 1 de  2");
    EXPECT_EQ(Hoja(v), pagina1);
    v.PaginaActual->setValue(2);
    EXPECT_EQ(Hoja(v), QStringList{"."});

    // Colour and size change the page shown, not its lines.
    prueba::Pulsa(v, "BotonColor");
    EXPECT_EQ(v.Hoja->palette().color(QPalette::Base), QColor(Qt::black));
    v.TamanoFuente->setValue(14);
    EXPECT_EQ(v.Hoja->font().pointSize(), 14);
    EXPECT_EQ(Hoja(v), QStringList{"."});
    prueba::Pulsa(v, "BotonColor");
    EXPECT_EQ(v.Hoja->palette().color(QPalette::Base), QColor(Qt::white));

    // The font dialog changes the text selected.
    v.Hoja->selectAll();
    QString familia;
    ui::PuertaModal::Espera("Fuente", [&](QDialog& d) {
      auto& fuentes = static_cast<QFontDialog&>(d);
      fuentes.setCurrentFont(QFont("Arial", 16));
      familia = fuentes.currentFont().family();
      d.accept();
    });
    prueba::Pulsa(v, "SpeedButton1");
    const QFont elegida = v.Hoja->document()->firstBlock().begin().fragment().charFormat().font();
    EXPECT_EQ(elegida.family(), familia);
    EXPECT_NE(familia, "Courier New");
    EXPECT_EQ(elegida.pointSize(), 16);
  });

  // Two full pages: the advance stops on the last one.
  Numeros(91, "Numeros", [](TFormaReporteSQL& v) {
    prueba::Pulsa(v, "BotonAutomatico");
    EXPECT_TRUE(v.Timer1->isActive());
    QElapsedTimer reloj;
    reloj.start();
    while (v.Timer1->isActive() && reloj.elapsed() < 10000) QTest::qWait(20);
    EXPECT_FALSE(v.Timer1->isActive());
    EXPECT_EQ(v.PanelPaginas->text(), "Página 2 de  2");
    EXPECT_EQ(Hoja(v).last(), ".");
  });
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

TEST_F(VentanaGuionTest, ImpresionEnHojasDeCincuentaRanuras) {
  // 120 lines: three pages.
  Numeros(111, "Numeros", [](TFormaReporteSQL& v) {
    print::BorraOperacionesGrabadas();
    ImprimeConDialogo(v, "BotonImprime");
    auto hojas = Hojas();
    ASSERT_EQ(hojas.size(), 3u);
    // Sheet 1: lines 0 to 50 in slots 1 to 51 (the empty ones print
    // nothing); the title without its "*", in red.
    const print::Operacion& titulo = hojas[1].front();
    EXPECT_EQ(titulo.texto, "Reporte de Numeros");
    EXPECT_EQ(titulo.punto, QPoint(1, kRanura));
    EXPECT_EQ(titulo.fuente.color, QColor(Qt::red));
    EXPECT_EQ(titulo.fuente.nombre, "Courier New");
    EXPECT_TRUE(titulo.fuente.negrita);
    EXPECT_EQ(hojas[1][1].fuente.color, QColor(Qt::black));
    EXPECT_EQ(hojas[1].size(), 49u);
    EXPECT_EQ(hojas[1].back().punto.y(), 51 * kRanura);
    EXPECT_TRUE(hojas[1].back().texto.startsWith(Clave(47)));
    // Sheet 2: lines 51 to 100 in slots 2 to 51.
    EXPECT_EQ(hojas[2].size(), 50u);
    EXPECT_TRUE(hojas[2].front().texto.startsWith(Clave(48)));
    EXPECT_EQ(hojas[2].front().punto.y(), 2 * kRanura);
    EXPECT_EQ(hojas[2].back().punto.y(), 51 * kRanura);
    // Sheet 3: lines 101 to 119 in slots 2 to 20, the last one ".".
    EXPECT_EQ(hojas[3].back().texto, ".");
    EXPECT_EQ(hojas[3].back().punto.y(), 20 * kRanura);
    EXPECT_TRUE(hojas[3].front().texto.startsWith(Clave(98)));

    // Pages 2 and 3 alone: lines 50 to 119 on two sheets.
    print::BorraOperacionesGrabadas();
    ImprimeConDialogo(v, "BotonImprime", 2, 3);
    hojas = Hojas();
    ASSERT_EQ(hojas.size(), 2u);
    EXPECT_TRUE(hojas[1].front().texto.startsWith(Clave(47)));
    EXPECT_EQ(hojas[1].front().punto.y(), kRanura);
    EXPECT_EQ(hojas[1].size(), 51u);
    EXPECT_EQ(hojas[2].back().texto, ".");
    EXPECT_EQ(hojas[2].back().punto.y(), 20 * kRanura);

    // Ctrl+P in the text: the page shown, line under line, on one sheet.
    prueba::Pulsa(v, "BotonSiguiente");
    const QStringList pagina = Hoja(v);
    print::BorraOperacionesGrabadas();
    ui::PuertaModal::Espera("Impresora", [](QDialog& d) { prueba::Pulsa(d, "Aceptar"); });
    prueba::Tecla(v, "Hoja", Qt::Key_P, Qt::ControlModifier);
    hojas = Hojas();
    ASSERT_EQ(hojas.size(), 1u);
    QStringList impresas;
    int y = 0;
    for (const print::Operacion& op : hojas[1]) {
      EXPECT_GT(op.punto.y(), y);
      y = op.punto.y();
      impresas << op.texto;
    }
    EXPECT_EQ(impresas, pagina.filter(QRegularExpression(".")));
  });
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

TEST_F(VentanaGuionTest, ExportaPaginasOLosRenglones) {
  struct Caso {
    const char* tecleado;
    const char* archivo;
  };
  const Caso casos[] = {{"C:\\EXPORTA\\numeros.txt", "C:\\EXPORTA\\numeros.txt"},
                        {"C:\\EXPORTA\\numeros", "C:\\EXPORTA\\numeros.xlsx"},
                        {"C:\\EXPORTA\\numeros.csv", "C:\\EXPORTA\\numeros.csv"}};
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.tecleado);
    prueba::LanzadorGrabador lanzador;
    Numeros(111, "Numeros", [&](TFormaReporteSQL& v) {
      ui::PuertaModal::Espera("Guardar", [&](QDialog& g) { prueba::EligeArchivo(g, caso.tecleado); });
      prueba::Pulsa(v, "BotonExporta");
      if (QString(caso.archivo).endsWith(".txt")) {
        EXPECT_EQ(v.PanelPaginas->text(), "Página 3 de  3");
      }
    });
    ASSERT_EQ(lanzador.iniciados.size(), 1u);
    EXPECT_EQ(lanzador.iniciados[0], (proc::Orden{"hojacalc", {"--abre", fs::Local(caso.archivo)}, {}}));
    const QString archivo = caso.archivo;
    if (archivo.endsWith(".txt")) {
      // The titles, then every page as it shows: the title line and the
      // empty line after it, then the others.
      const QStringList lineas = fs::LeeLineas(archivo);
      ASSERT_EQ(lineas.size(), 1 + 121);
      EXPECT_EQ(lineas.mid(0, 4), (QStringList{"CLAVE\tIMPORTE\t", "Reporte de Numeros", "", "CLAVE  IMPORTE     "}));
      EXPECT_EQ(lineas[6], "0001           1.25 ");
      EXPECT_EQ(lineas.last(), ".");
    } else if (archivo.endsWith(".xlsx")) {
      const LibroLeido libro = LeeLibro(archivo);
      EXPECT_EQ(libro.error, "");
      // The rows, then the total line the screen shows after them.
      ASSERT_EQ(libro.filas.size(), 113u);
      EXPECT_EQ(libro.filas[0], (QStringList{"CLAVE", "IMPORTE"}));
      EXPECT_EQ(libro.filas[1], (QStringList{"0001", "=1.25 [0.00]", "=2.5 [0.0]"}));
      EXPECT_EQ(libro.filas[112], (QStringList{"", "=7770 [0]"}));
    } else {
      const QStringList lineas = fs::LeeLineas(archivo);
      ASSERT_EQ(lineas.size(), 113);
      EXPECT_EQ(lineas[0], "CLAVE\tIMPORTE\t");
      EXPECT_EQ(lineas[2], "  0002\t2.5\t5\t");
      EXPECT_EQ(lineas[112], "\t7770\t\t");
    }
  }
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

TEST_F(VentanaGuionTest, GraficasDeDiezEnDiez) {
  const auto puntos = [](const SerieGrafica& s) {
    std::vector<std::pair<QString, double>> p;
    for (const PuntoGrafica& punto : s.puntos) p.emplace_back(punto.etiqueta, punto.valor);
    return p;
  };
  Numeros(25, "Numeros", [&](TFormaReporteSQL& v) {
    prueba::Pulsa(v, "BotonGrafica");
    EXPECT_TRUE(v.Hoja->isHidden());
    EXPECT_FALSE(v.ModuloGrafica->isHidden());
    EXPECT_EQ(v.Tag(), 1);
    ASSERT_EQ(v.Grafica.series[0].puntos.size(), 10u);
    EXPECT_EQ(v.Grafica.series[0].puntos[0], (PuntoGrafica{1, 1.25, "0001", PaletaGrafica()[0]}));
    EXPECT_EQ(v.Grafica.series[0].puntos[9].etiqueta, "0010");
    EXPECT_DOUBLE_EQ(v.Grafica.ejeIzquierdo.maximo, 12.5 + 100);
    EXPECT_TRUE(v.Grafica.ejesVisibles);
    prueba::Pulsa(v, "BotonGrafica");
    EXPECT_EQ(puntos(v.Grafica.series[0]).front(), (std::pair<QString, double>{"0011", 13.75}));
    prueba::Pulsa(v, "BotonGrafica");
    EXPECT_EQ(v.Grafica.series[0].puntos.size(), 5u);
    // At the end of the rows it starts over.
    prueba::Pulsa(v, "BotonGrafica");
    EXPECT_EQ(puntos(v.Grafica.series[0]).front(), (std::pair<QString, double>{"0001", 1.25}));
    // Pie and lines go on from there, in their own series.
    prueba::Pulsa(v, "BotonPie");
    EXPECT_TRUE(v.Grafica.series[0].puntos.empty());
    EXPECT_EQ(puntos(v.Grafica.series[1]).front(), (std::pair<QString, double>{"0011", 13.75}));
    prueba::Pulsa(v, "BotonLineas");
    EXPECT_EQ(puntos(v.Grafica.series[2]).size(), 5u);
    EXPECT_DOUBLE_EQ(v.Grafica.ejeIzquierdo.maximo, 31.25 + 100);
    prueba::Pulsa(v, "BotonReporte");
    EXPECT_FALSE(v.Hoja->isHidden());
    EXPECT_TRUE(v.ModuloGrafica->isHidden());
    EXPECT_EQ(v.Tag(), 0);
  });
  // "Global por Línea" charts its third field.
  Numeros(3, "Global por Línea", [&](TFormaReporteSQL& v) {
    prueba::Pulsa(v, "BotonGrafica");
    EXPECT_EQ(puntos(v.Grafica.series[0]),
              (std::vector<std::pair<QString, double>>{{"0001", 2.5}, {"0002", 5}, {"0003", 7.5}}));
  });
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}
