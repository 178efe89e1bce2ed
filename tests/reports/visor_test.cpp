#include "platform/ui/PuertaModal.h"
#include "reports/Barras.h"
#include "reports/TamoColu.h"
#include "reports/generador_prueba.h"
#include "support/Maneja.h"

#include <QFontDialog>
#include <QFontMetrics>
#include <QMenu>
#include <QSpinBox>
#include <QStatusBar>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>

namespace {

QString Pagina(const TFormaBarras& visor) { return visor.PanelPaginas->text(); }

class VisorTest : public GeneradorPrueba {
 protected:
  // n sales of customers "C001" ... with amounts 1 ... n.
  void VentasNumeradas(int n) {
    std::vector<Venta> ventas;
    for (int i = 1; i <= n; ++i)
      ventas.push_back({i, QDate(2024, 3, 1), QStringLiteral("C%1").arg(i, 3, 10, QChar(u'0')), double(i)});
    EscribeVentas(ventas);
  }
};

}  // namespace

TEST_F(VisorTest, ProtocoloCompletoPaginaAPagina) {
  VentasNumeradas(98);  // 100 rows in final.tmp with the two markers
  for (const char* otro : {"comentar.tmp", "exel.tmp", "format.tmp", "orden.tmp"})
    EscribeBytes(ArchivoTrabajoReporte(otro), "x");
  EjecutaReporte({}, [](QDialog& d) {
    auto& visor = static_cast<TFormaBarras&>(d);
    TEstadoVisorReporte& e = EstadoVisorReporte();
    EXPECT_EQ(Pagina(visor), "Página 1 de  2");
    const QStringList pagina1 = SinBlancosFinales(Lineas(visor));
    ASSERT_EQ(pagina1.size(), 3 + 49);
    EXPECT_EQ(pagina1[0], "Reporte de Ventas");
    const QTextCharFormat encabezado = visor.Concentrado->document()->firstBlock().begin().fragment().charFormat();
    EXPECT_EQ(encabezado.foreground().color(), QColor(Qt::red));
    EXPECT_EQ(pagina1[1], "Clien  Importe");
    EXPECT_EQ(pagina1[2], "_____  ________________");
    EXPECT_EQ(pagina1[3], "C001   $          1.00");
    EXPECT_EQ(pagina1[51], "C049   $         49.00");

    prueba::Pulsa(d, "BotonSiguiente");
    EXPECT_EQ(Pagina(visor), "Página 2 de  2");
    const QStringList pagina2 = SinBlancosFinales(Lineas(visor));
    ASSERT_EQ(pagina2.size(), 3 + 49 + 2);
    EXPECT_EQ(pagina2[3], "C050   $         50.00");
    EXPECT_EQ(pagina2.mid(51), (QStringList{"C098   $         98.00", "", "TOTAL  $      4,851.00"}));
    EXPECT_TRUE(e.FinReporteAlcanzado);

    // Past the last page nothing is drawn.
    prueba::Pulsa(d, "BotonSiguiente");
    EXPECT_EQ(e.PaginaReporte, 2);
    EXPECT_EQ(SinBlancosFinales(Lineas(visor)), pagina2);

    prueba::Pulsa(d, "BotonAnterior");
    EXPECT_EQ(e.PaginaReporte, 1);
    EXPECT_EQ(SinBlancosFinales(Lineas(visor)), pagina2);
    prueba::Pulsa(d, "BotonAnterior");
    prueba::Pulsa(d, "BotonAnterior");
    EXPECT_EQ(e.PaginaReporte, 0);
    EXPECT_FALSE(e.FinReporteAlcanzado);
    EXPECT_EQ(SinBlancosFinales(Lineas(visor)), pagina1);
    EXPECT_TRUE(TieneArchivosReporte());
  });
  // Closing deletes the viewer's seven work files and lets them go.
  for (const QString& archivo : {kArchivoAnchos, QString("comentar.tmp"), kArchivoEtiquetas, QString("exel.tmp"),
                                 kArchivoFinal, QString("format.tmp"), kArchivoOrden})
    EXPECT_FALSE(Existe(archivo)) << archivo.toStdString();
  EXPECT_FALSE(TieneArchivosReporte());
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

TEST_F(VisorTest, CeldasPorTipoYTitulo) {
  TFormaBarras visor;
  struct Caso {
    const char* valor;
    const char* titulo;
    const char* tipo;  // nullptr: a total's cell
    int ancho;
    QString celda;
  };
  const Caso casos[] = {
      {"1234.5", "Total", "f", 16, "$      1,234.50  "},  // "$" then 1,234.50 right-aligned in 14
      {"1234.5", "Total", "f", 10, "$      1,2 "},
      {"1234", "-Piezas", "e", 12, "      1,234  "},     // whole, right-aligned in 11
      {"1234.5", "%Margen", "f", 15, "      1,234.50  "},  // no "$"
      {"1234.5", "C", "f", 8, "1234.5   "},
      {"abc", "Total", "f", 5, "abc   "},
      {"1234.5", "", "f", 3, "    "},
      {"JUAN", "Nombre", "x", 10, ""},
      {"1234.5", "%Oculta", "x", 15, "      1,234.50  "},
      {"JUAN PEREZ GOMEZ", "Nombre", "c", 10, "JUAN PEREZ "},
      {"AB", "Clave", "c", 10, "AB         "},
      {"A\tB", "Clave", "c", 4, "A B  "},
      {"1234.5", "Total", nullptr, 16, "$      1,234.50  "},
      {"1234.5", "-Nombre", nullptr, 5, "      "},
      {"1234.5", "%A", nullptr, 15, "      1,234.50  "},
      {"1234.5", "%", nullptr, 4, "     "},
      {"1234.5", "%-", nullptr, 4, "     "},
      {"1234.5", "", nullptr, 3, "    "},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(std::string(c.valor) + " / " + c.titulo + " / " + (c.tipo ? c.tipo : "total"));
    EXPECT_EQ(c.tipo ? visor.FormateaCeldaReporte(c.valor, c.titulo, c.tipo, c.ancho)
                     : visor.FormateaTotalReporte(c.valor, c.titulo, c.ancho),
              c.celda);
  }
  EXPECT_EQ(visor.AjustaTextoColumna(QString(60, u'x'), 55), QString(50, u'x') + QString(6, u' '));
  EXPECT_EQ(LimpiaTituloColumna("-$Total%#&"), "  Total   ");
  EXPECT_EQ(QuitaAmpersand("Ventas & Cía"), "Ventas  Cía");

  // A proportional font is never cut and fills the width of as many "X".
  visor.Concentrado->setFont(QFont(QStringLiteral("Liberation Sans"), 8));
  const QString celda = visor.AjustaTextoColumna("iiiiii", 3);
  EXPECT_TRUE(celda.startsWith("iiiiii"));
  const QFontMetrics medidas(QFont(QStringLiteral("Liberation Sans"), visor.font().pointSize()), &visor);
  EXPECT_GE(medidas.horizontalAdvance(celda), medidas.horizontalAdvance("XXX"));
  EXPECT_LT(medidas.horizontalAdvance(celda.chopped(1)), medidas.horizontalAdvance("XXX"));
}

TEST_F(VisorTest, SubtotalesPorLlaveYTotales) {
  EscribeVentas({{1, QDate(2024, 3, 1), "A", 100}, {2, QDate(2024, 3, 1), "A", 50.5}, {3, QDate(2024, 3, 1), "B", 7}});
  PedidoReporte p;
  p.modo = "DC";
  p.tituloLlave = "Clave";
  p.anchos = {4, 0, 16};
  EjecutaReporte(p, [](QDialog& d) {
    EXPECT_EQ(SinBlancosFinales(Lineas(static_cast<TFormaBarras&>(d))),
              (QStringList{"Reporte de Ventas", "Clav  Importe", "____  ________________", "A     $        100.00",
                           "A     $         50.50", "TOTA  $        150.50", "____  ________________",
                           "B     $          7.00", "", "TOTA  $          7.00", "", "TOTA  $        157.50"}));
  });
}

TEST_F(VisorTest, TotalesIgualesEnCualquierOrden) {
  // 48 rows of "A" fill the first page after the two markers: the key
  // changes between the pages.
  std::vector<Venta> ventas;
  for (int i = 1; i <= 48; ++i) ventas.push_back({i, QDate(2024, 3, 1), "A", 1});
  for (int i = 49; i <= 70; ++i) ventas.push_back({i, QDate(2024, 3, 1), "B", 2});
  EscribeVentas(ventas);
  PedidoReporte p;
  p.modo = "DC";
  p.anchos = {4, 0, 16};
  EjecutaReporte(p, [](QDialog& d) {
    auto& visor = static_cast<TFormaBarras&>(d);
    const auto ultima = [&] {
      visor.MuestraPaginaReporte(1);
      return SinBlancosFinales(Lineas(visor));
    };
    const QStringList esperada = ultima();
    EXPECT_EQ(esperada.mid(3, 3), (QStringList{"TOTA  $         48.00", "____  ________________", "B     $          2.00"}));
    EXPECT_EQ(esperada.mid(esperada.size() - 4),
              (QStringList{"", "TOTA  $         44.00", "", "TOTA  $         92.00"}));
    // Again, after the first page, and after a change of font size.
    EXPECT_EQ(ultima(), esperada);
    visor.MuestraPaginaReporte(0);
    prueba::Pulsa(d, "BotonSiguiente");
    EXPECT_EQ(SinBlancosFinales(Lineas(visor)), esperada);
    visor.TamanoFuente->setValue(12);
    EXPECT_EQ(visor.Concentrado->font().pointSize(), 12);
    EXPECT_EQ(SinBlancosFinales(Lineas(visor)), esperada);
    EXPECT_EQ(EstadoVisorReporte().TotalesGenerales[0], Dinero(92));
  });
}

TEST_F(VisorTest, TotalesPorMoneda) {
  EscribeMonedas({{"M.N.", "1"}, {"DLLS", "17.5"}, {"DM", "20"}});
  EscribeVentas({
      {1, QDate(2024, 3, 1), "A", 100, 0, "", "M.N."},
      {2, QDate(2024, 3, 1), "A", 10, 0, "", "DLLS"},
      {3, QDate(2024, 3, 1), "B", -5, 0, "", "DM"},
      {4, QDate(2024, 3, 1), "B", 3, 0, "", "DLLS"},
  });
  PedidoReporte p;
  p.modo = "DC";
  p.columnas = {"IMTOD_F", "", "", "", "", "", "", "MONED_F"};
  p.anchos = {4, 4, 16, 0, 0, 0, 0, 0, 0, 5};
  EjecutaReporte(p, [](QDialog& d) {
    EXPECT_EQ(SinBlancosFinales(Lineas(static_cast<TFormaBarras&>(d))),
              (QStringList{"Reporte de Ventas",
                           "Clie      Importe",
                           "____ ____ ________________",
                           "A         $        100.00  M.N.",
                           "A         $         10.00  DLLS",
                           "",
                           "TOTA M.N.         100.00",
                           "TOTA DLLS          10.00",
                           "____ ____ ________________",
                           "B         $         -5.00  DM",
                           "B         $          3.00  DLLS",
                           "",
                           "TOTA DLLS           3.00",
                           "",
                           "TOTA M.N.         100.00",
                           "TOTA DLLS          13.00"}));
  });
}

TEST_F(VisorTest, AnchosDeColumnas) {
  VentasNumeradas(3);
  PedidoReporte p;
  p.columnas = {"IMTOD_F", "CLDOC_F", "", "", "", "", "NOMBR_F", "NOMBR_F"};
  p.titulos = {"Importe", "-Doc", "", "", "", "", "Siete", "Ocho"};
  p.anchos = {5, 0, 16, 3, 0, 0, 0, 0, 4, 4};
  EjecutaReporte(p, [](QDialog& d) {
    auto& visor = static_cast<TFormaBarras&>(d);
    TEstadoVisorReporte& e = EstadoVisorReporte();
    ui::PuertaModal::Espera("TFormaTamanoColumnas", [](QDialog& dialogo) {
      auto& anchos = static_cast<TFormaTamanoColumnas&>(dialogo);
      QStringList vistos;
      for (QLineEdit* edit : anchos.Edit) vistos << edit->text();
      EXPECT_EQ(vistos, (QStringList{"5", "0", "16", "3", "0", "0", "0", "0"}));
      // A box left empty mends itself.
      anchos.Edit[0]->setFocus();
      anchos.Edit[0]->clear();
      anchos.Edit[1]->setFocus();
      EXPECT_EQ(anchos.Edit[0]->text(), "20");
      const QStringList nuevos = {"6", "2", "15", "12", "1", "1", "1", "1"};
      for (int i = 0; i < 8; ++i) anchos.Edit[i]->setText(nuevos[i]);
      prueba::Tecla(dialogo, "Edit5", Qt::Key_Return);
    });
    prueba::Pulsa(d, "SpeedButton3");
    EXPECT_EQ(e.AnchosColumnas, (std::array<quint16, 10>{6, 2, 15, 12, 1, 1, 1, 1, 4, 4}));
    EXPECT_TRUE(e.AnchosAplicados);
    EXPECT_EQ(SinBlancosFinales(Lineas(visor))[3], "C001" + QString(6, u' ') + "$" + QString(10, u' ') + "1.00" +
                                                       QString(11, u' ') + "1  C001 C001");

    // A box that holds no width stops the apply there.
    ui::PuertaModal::Espera("TFormaTamanoColumnas", [](QDialog& dialogo) {
      auto& anchos = static_cast<TFormaTamanoColumnas&>(dialogo);
      anchos.Edit[0]->setText("7");
      anchos.Edit[3]->setText("ancho");
      anchos.Edit[4]->setText("9");
      prueba::Pulsa(dialogo, "Button1");
    });
    visor.TamaodeColumnas1->trigger();
    EXPECT_EQ(e.AnchosColumnas[0], 7);
    EXPECT_EQ(e.AnchosColumnas[3], 12);
    EXPECT_EQ(e.AnchosColumnas[4], 1);
  });
  EXPECT_EQ(Mensajes(), QStringList{"'ancho' no es un valor entero válido"});
}

TEST_F(VisorTest, ComandosDeLaVentana) {
  VentasNumeradas(140);  // three pages
  EjecutaReporte({}, [](QDialog& d) {
    auto& visor = static_cast<TFormaBarras&>(d);
    TEstadoVisorReporte& e = EstadoVisorReporte();

    prueba::Pulsa(d, "BotonSonido");
    EXPECT_EQ(ui::Tag(visor.BotonSonido), 1);
    prueba::Pulsa(d, "BotonSonido");
    EXPECT_EQ(ui::Tag(visor.BotonSonido), 0);

    // Opening "&Ver" turns back one page.
    prueba::Pulsa(d, "BotonSiguiente");
    ASSERT_EQ(Pagina(visor), "Página 2 de  3");
    visor.Ver1->popup(QPoint(0, 0));
    visor.Ver1->hide();
    EXPECT_EQ(Pagina(visor), "Página 1 de  3");
    EXPECT_EQ(e.PaginaReporte, 0);

    prueba::Pulsa(d, "BotonColor");
    EXPECT_EQ(visor.Concentrado->palette().color(QPalette::Base), QColor(Qt::black));
    EXPECT_EQ(visor.Concentrado->document()->lastBlock().charFormat().foreground().color(), QColor(Qt::white));
    prueba::Pulsa(d, "BotonColor");
    EXPECT_EQ(visor.Concentrado->palette().color(QPalette::Base), QColor(Qt::white));

    ui::PuertaModal::Espera("Fuentes", [](QDialog& dialogo) {
      auto& fuentes = static_cast<QFontDialog&>(dialogo);
      fuentes.setCurrentFont(QFont(QStringLiteral("Liberation Serif"), 14));
      fuentes.accept();
    });
    visor.TipodeLetra1->trigger();
    EXPECT_EQ(visor.Concentrado->font().family(), "Liberation Serif");
    EXPECT_EQ(visor.Concentrado->font().pointSize(), 14);

    // A chart view and back: page 0, the last text page still shown until
    // the next page command.
    visor.BotonGraficaClick();
    EXPECT_TRUE(visor.Concentrado->isHidden());
    prueba::Pulsa(d, "BotonReporte");
    EXPECT_EQ(visor.VistaGrafica(), kVistaReporte);
    EXPECT_FALSE(visor.Concentrado->isHidden());
    EXPECT_EQ(e.PaginaReporte, 0);
    prueba::Pulsa(d, "BotonSiguiente");
    EXPECT_EQ(Pagina(visor), "Página 2 de  3");

    // Automatic advance runs to the last page and stops there.
    prueba::Pulsa(d, "BotonAutomatico");
    QElapsedTimer reloj;
    reloj.start();
    while (visor.Timer1->isActive() && reloj.elapsed() < 10000) QTest::qWait(20);
    EXPECT_FALSE(visor.Timer1->isActive());
    EXPECT_EQ(Pagina(visor), "Página 3 de  3");
  });
}

TEST_F(VisorTest, SinResultadoNoHayRenglones) {
  VentasNumeradas(3);
  PedidoReporte p;
  p.columnas = {"IMTOD_F", "NOHAY_F"};
  EjecutaReporte(p, [](QDialog& d) {
    auto& visor = static_cast<TFormaBarras&>(d);
    EXPECT_EQ(Pagina(visor), "Paginas 0");
    EXPECT_TRUE(visor.Concentrado->toPlainText().isEmpty());
    prueba::Pulsa(d, "BotonSiguiente");
    EXPECT_TRUE(visor.Concentrado->toPlainText().isEmpty());
  });
  EXPECT_EQ(Mensajes(), QStringList{"Campo NOHAY_F no encontrado en ventas.dbf"});
  EXPECT_FALSE(Existe(kArchivoFinal));
}
