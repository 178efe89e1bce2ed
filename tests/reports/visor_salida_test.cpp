// The viewer's printing and export, as a user runs them from its window.

#include "foundation/rutinas.h"
#include "platform/print/Registro.h"
#include "reports/DialogosImpresora.h"
#include "reports/visor_prueba.h"
#include "support/LanzadorGrabador.h"
#include "support/LibroPrueba.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSpinBox>

namespace {

using Tipo = print::Operacion::Tipo;

// pdftotext's text of page n (0: every page), laid out as on paper.
QString TextoPdf(const QString& pdf, int n = 0) {
  QProcess p;
  QStringList argumentos{"-layout"};
  if (n > 0) argumentos << "-f" << QString::number(n) << "-l" << QString::number(n);
  p.start("pdftotext", argumentos << pdf << "-");
  p.waitForFinished(20000);
  return QString::fromUtf8(p.readAllStandardOutput());
}

// pdfinfo's "Pages" and "Page size" lines, blanks simplified.
QStringList InfoPdf(const QString& pdf) {
  QProcess p;
  p.start("pdfinfo", {pdf});
  p.waitForFinished(20000);
  QStringList r;
  for (const QString& l : QString::fromUtf8(p.readAllStandardOutput()).split(u'\n')) {
    if (l.startsWith("Pages:") || l.startsWith("Page size:")) r << l.simplified();
  }
  return r;
}

// Answers the print dialog with pages desde to hasta of printer `impresora`.
void ImprimePaginas(QDialog& visor, int desde, int hasta, int impresora = 0) {
  ui::PuertaModal::Espera("Impresora", [=](QDialog& d) {
    auto& dialogo = static_cast<DialogoImpresion&>(d);
    dialogo.Impresoras->setCurrentIndex(impresora);
    dialogo.Paginas->setChecked(true);
    dialogo.Desde->setValue(desde);
    dialogo.Hasta->setValue(hasta);
    prueba::Pulsa(d, "Aceptar");
  });
  prueba::Pulsa(visor, "BotonImprime");
}

class SalidaTest : public VisorPrueba {
 protected:
  // n rows "K0001" ... with amounts 1 ... n; the conditions of the dialog.
  static void VentasNumeradas(int n, const QString& modo = "D", int llavesIguales = 1) {
    ReporteEscrito r;
    r.modo = modo;
    for (int i = 1; i <= n; ++i) {
      r.renglones.push_back(
          Renglon(QStringLiteral("K%1").arg((i + llavesIguales - 1) / llavesIguales, 4, 10, QChar(u'0')), "",
                  {QString::number(i)}));
    }
    r.renglones.push_back(TRenglonReporte::Cierre());
    r.condiciones = {"NOMBR_F", "", "", "IMTOD_F", "I", "", "Z", "JU", "", "100"};
    EscribeReporte(r);
  }
};

}  // namespace

// The viewer opens within the screen, whatever room its buttons ask for.
TEST_F(SalidaTest, ElVisorAbreDentroDeLaPantalla) {
  VentasNumeradas(3);
  bool visto = false;
  MuestraVisor("Ventas", 1, [&](QDialog& d) {
    visto = true;
    const QRect pantalla = d.screen()->availableGeometry();
    const QRect ventana = d.frameGeometry();
    EXPECT_TRUE(pantalla.contains(ventana)) << ventana.x() << "," << ventana.y() << " " << ventana.width() << "x"
                                            << ventana.height() << " en " << pantalla.width() << "x"
                                            << pantalla.height();
  });
  EXPECT_TRUE(visto);
}

TEST_F(SalidaTest, PaginasImpresasEnPdfConSuEncabezadoYLaGraficaApaisada) {
  const QString pdf = raiz() + "/reporte.pdf";
  print::FijaImpresorasPrueba({{"pdf", "Imprimir a PDF", print::TipoImpresora::Pdf, pdf, 300}}, 0);
  print::Impresora::Global().Restablece();
  VentasNumeradas(230);  // with the two markers: five pages of 50
  MuestraVisor("Reporte de Ventas", 1, [&](QDialog& d) {
    auto& visor = static_cast<TFormaBarras&>(d);
    prueba::Pulsa(d, "BotonSiguiente");
    ImprimePaginas(d, 1, 3);
    EXPECT_EQ(InfoPdf(pdf), (QStringList{"Pages: 3", "Page size: 612 x 792 pts (letter)"}));
    for (int hoja = 1; hoja <= 3; ++hoja) {
      SCOPED_TRACE(hoja);
      const QStringList lineas = TextoPdf(pdf, hoja).split(u'\n');
      // The caption, then the conditions and the date with the page on one
      // line.
      EXPECT_EQ(lineas.filter(QRegularExpression("^ +Reporte de Ventas$")).size(), 1);
      const QStringList encabezado = lineas.filter("Pag ");
      ASSERT_EQ(encabezado.size(), 1);
      EXPECT_TRUE(encabezado[0].contains(QRegularExpression(
          QStringLiteral("^ *NOMBR_F I JU +IMTOD_F Z 100 +15/03/2024 +Pag %1$").arg(hoja))))
          << encabezado[0].toStdString();
      EXPECT_TRUE(lineas.filter(QRegularExpression("^ *Clave +Importe")).size() == 1);
      const QString primera = QStringLiteral("K%1").arg((hoja - 1) * 50 + (hoja == 1 ? 1 : 0), 4, 10, QChar(u'0'));
      EXPECT_EQ(lineas.filter(primera).size(), 1) << primera.toStdString();
      EXPECT_TRUE(lineas.filter("TOTAL").isEmpty());
    }
    // The screen stays on the last printed page.
    EXPECT_EQ(visor.PanelPaginas->text(), "Página 3 de  5");

    // The grand total only on the page that ends the report.
    ImprimePaginas(d, 4, 5);
    EXPECT_TRUE(TextoPdf(pdf, 1).split(u'\n').filter("TOTAL").isEmpty());
    EXPECT_EQ(TextoPdf(pdf, 2).split(u'\n').filter(QRegularExpression("TOTALE +\\$ +26,565.00")).size(), 1)
        << TextoPdf(pdf, 2).toStdString();

    // The chart on one landscape sheet; the orientation is portrait again.
    prueba::Pulsa(d, "BotonGrafica");
    ImprimePaginas(d, 1, 1);
    EXPECT_EQ(InfoPdf(pdf), (QStringList{"Pages: 1", "Page size: 792 x 612 pts (letter)"}));
    EXPECT_EQ(print::Impresora::Global().orientacion(), print::Orientacion::Vertical);
  });
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

TEST_F(SalidaTest, HojasDe53RenglonesYPosicionesEnElPapel) {
  // One key a row in a "DC" report: every row adds a subtotal and an
  // underline, so the page takes more than one sheet.
  VentasNumeradas(20, "DC");
  MuestraVisor("Reporte de Ventas", 1, [&](QDialog& d) {
    auto& visor = static_cast<TFormaBarras&>(d);
    const QStringList pantalla = visor.Concentrado->toPlainText().split(u'\n');
    ASSERT_GT(pantalla.size(), 53);
    print::BorraOperacionesGrabadas();
    ImprimePaginas(d, 1, 1);

    // On "laser" (600 dpi): 5100 × 6600 dots, a row of 6600 / 57 = 115.
    constexpr int h = 115;
    print::Lienzo& medida = print::Impresora::Global().lienzo();
    medida.fuente().nombre = "Arial";
    medida.fuente().tamano = 14;
    const int anchoTitulo = medida.AnchoTexto("Reporte de Ventas");
    medida.fuente().tamano = 10;
    const QString fecha = "15/03/2024     Pag 1";
    const int anchoFecha = medida.AnchoTexto(fecha);
    const int y = 3 * h + 10 - medida.AltoTexto("Pag") - 5;

    std::vector<TextoImpreso> esperados = {
        {"laser", 1, (5100 - anchoTitulo) / 2, 30, "Reporte de Ventas", "Arial"},
        {"laser", 1, 5100 - anchoFecha - 15, y, fecha, "Arial"},
        {"laser", 1, 20, y, "NOMBR_F I JU     IMTOD_F Z 100", "Arial"},
    };
    for (qsizetype i = 1; i < pantalla.size(); ++i) {
      const bool segunda = i >= 53;
      esperados.push_back({"laser", segunda ? 2 : 1, 10, int((segunda ? i - 53 + 3 : i + 3) * h), pantalla[i],
                           "Courier New"});
    }
    EXPECT_EQ(Impresos(), esperados);
    const std::vector<print::Operacion> ops = print::OperacionesGrabadas();
    const auto marco = std::find_if(ops.begin(), ops.end(), [](const print::Operacion& op) { return op.tipo == Tipo::Rectangulo; });
    ASSERT_NE(marco, ops.end());
    EXPECT_EQ(marco->rect, QRect(8, 10, 5100 - 10 - 8, 3 * h + 10 - 10));
    EXPECT_EQ(marco->brocha.color, QColor(235, 239, 192));
    EXPECT_TRUE(marco->conPluma && marco->conBrocha);
    EXPECT_EQ(Pasos(), (std::vector<Tipo>{Tipo::Comienza, Tipo::Rectangulo, Tipo::Pagina, Tipo::Termina}));

    // The chart, on "otra" (300 dpi): one landscape sheet with the picture
    // 50 dots inside the edges.
    prueba::Pulsa(d, "BotonGrafica");
    print::BorraOperacionesGrabadas();
    ImprimePaginas(d, 1, 1, 1);
    const std::vector<print::Operacion> grafica = print::OperacionesGrabadas();
    ASSERT_EQ(grafica.size(), 3u);
    EXPECT_EQ(grafica[1].tipo, Tipo::Imagen);
    EXPECT_EQ(grafica[1].rect, QRect(50, 50, 3300 - 100, 2550 - 100));
    EXPECT_EQ(grafica[1].imagen, QSize(3200, 2450));
    EXPECT_EQ(print::Impresora::Global().orientacion(), print::Orientacion::Vertical);

    // A cancelled dialog prints nothing.
    print::BorraOperacionesGrabadas();
    ui::PuertaModal::Espera("Impresora", [](QDialog& dialogo) { prueba::Pulsa(dialogo, "Cancelar"); });
    prueba::Pulsa(d, "BotonImprime");
    EXPECT_TRUE(print::OperacionesGrabadas().empty());
  });
}

namespace {

class ExportaTest : public VisorPrueba {
 protected:
  void SetUp() override {
    VisorPrueba::SetUp();
    ConHojaCalculo();
  }

  // A report run, then the export from its viewer to the name typed.
  void Exporta(const QString& tecleado) {
    ReporteEscrito r;
    r.titulos = {"Clave", "Nombre", "Importe", "-Piezas", "Línea", "", "", "", "", ""};
    r.tipos = {"f", "e", "c", "x", "x", "x", "x", "x"};
    r.renglones = {Renglon("0012", "JOSÉ PÉREZ", {"1234.5", "3", "Ñandú"}),
                   Renglon("0013", "ANA", {"abc", "10", "Café"}), TRenglonReporte::Cierre()};
    EscribeReporte(r);
    MuestraVisor("Reporte de Ventas", 1, [&](QDialog& d) {
      // An empty name cancels the dialog.
      ui::PuertaModal::Espera("Guardar", [&](QDialog& g) {
        if (tecleado.isEmpty()) g.reject();
        else prueba::EligeArchivo(g, tecleado);
      });
      prueba::Pulsa(d, "BotonExporta");
      const QString exel = ArchivoTrabajoReporte("exel.tmp");
      exel_ = fs::ExisteArchivo(exel) ? fs::LeeBytes(exel) : QByteArray();
    });
  }

  QByteArray exel_;
};

// A text fitted to w characters by the viewer's fixed font.
QByteArray Ajusta(const char* texto, int w) { return fs::ACp1252(QString::fromUtf8(texto).leftJustified(w + 1, u' ')); }

}  // namespace

TEST_F(ExportaTest, ExelTmpYElArchivoPorSuNombre) {
  QByteArray titulos;
  for (const char* t : {"Clave", "Nombre", "Importe", "-Piezas", "Línea", "", "", "", "", ""}) titulos += Ajusta(t, 20) + '\t';
  const auto renglon = [](const char* llave, const char* texto, const char* c1, const char* c2, const char* c3) {
    return Ajusta(llave, 20) + '\t' + Ajusta(texto, 40) + '\t' + Ajusta(c1, 30) + '\t' + Ajusta(c2, 20) + '\t' +
           Ajusta(c3, 20) + "\t\t\t\t\t";
  };
  // The engine's closing row gives way to the totals the screen shows: the
  // amount column's total; none under "-Piezas"; "Línea" shows its $0.00.
  const QByteArray exel = titulos + "\r\n" + renglon("0012", "JOSÉ PÉREZ", "1234.5", "3", "Ñandú") + "\r\n" +
                          renglon("0013", "ANA", "abc", "10", "Café") + "\r\n" +
                          renglon("TOTALES", "", "1234.5", "", "0") + "\r\n";
  const std::vector<QStringList> libro = {
      {"Clave", "Nombre", "Importe", "-Piezas", "Línea"},
      {"0012", "JOSÉ PÉREZ", "=1234.5 [0.0]", "=3 [0]", "Ñandú"},
      {"0013", "ANA", "abc", "=10 [0]", "Café"},
      {"TOTALES", "", "=1234.5 [0.0]", "", "0"},
  };
  struct Caso {
    const char* tecleado;
    const char* archivo;
  };
  for (const Caso& c : {Caso{"C:\\EXPORTA\\ventas", "C:\\EXPORTA\\ventas.xlsx"},
                        Caso{"C:\\EXPORTA\\otras.xls", "C:\\EXPORTA\\otras.xlsx"},
                        Caso{"C:\\EXPORTA\\ventas.dat", "C:\\EXPORTA\\ventas.dat"},
                        Caso{"C:\\EXPORTA\\ab", "C:\\EXPORTA\\ab"}}) {
    SCOPED_TRACE(c.tecleado);
    prueba::LanzadorGrabador lanzador;
    Exporta(c.tecleado);
    EXPECT_EQ(exel_, exel);
    if (QString(c.archivo).endsWith("xlsx")) {
      const LibroLeido leido = LeeLibro(c.archivo);
      EXPECT_EQ(leido.error, "");
      EXPECT_EQ(leido.filas, libro);
    } else {
      EXPECT_EQ(fs::LeeBytes(c.archivo), exel);
    }
    ASSERT_EQ(lanzador.iniciados.size(), 1);
    EXPECT_EQ(lanzador.iniciados[0], (proc::Orden{"hojacalc", {"--abre", fs::Local(c.archivo)}, {}}));
  }
  EXPECT_FALSE(fs::ExisteArchivo("C:\\EXPORTA\\otras.xls"));
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

// A "DC" report: each run of keys closes with its subtotal, as on screen,
// and the grand total comes last; the engine's closing row is not written.
TEST_F(ExportaTest, UnReporteAgrupadoLlevaSusSubtotalesYSuTotal) {
  ReporteEscrito r;
  r.modo = "DC";
  r.renglones = {Renglon("A", "", {"10"}), Renglon("A", "", {"20.5"}), Renglon("B", "", {"5"}),
                 TRenglonReporte::Cierre()};
  EscribeReporte(r);
  prueba::LanzadorGrabador lanzador;
  MuestraVisor("Ventas", 1, [](QDialog& d) {
    ui::PuertaModal::Espera("Guardar", [](QDialog& g) { prueba::EligeArchivo(g, "C:\\EXPORTA\\grupos.txt"); });
    prueba::Pulsa(d, "BotonExporta");
  });
  QStringList filas;
  for (const QString& linea : fs::DeCp1252(fs::LeeBytes("C:\\EXPORTA\\grupos.txt")).split("\r\n", Qt::SkipEmptyParts)) {
    const QStringList celdas = linea.split(u'\t');
    filas << celdas.value(0).trimmed() + u'|' + celdas.value(2).trimmed();
  }
  EXPECT_EQ(filas, (QStringList{"Clave|Importe", "A|10", "A|20.5", "TOTALES|30.5", "B|5", "TOTALES|5", "TOTALES|35.5"}));
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

// The save dialog speaks Spanish and offers the kinds the export writes.
TEST_F(ExportaTest, ElDialogoDeGuardarHablaEspanolYOfreceLosTiposDeLaExportacion) {
  QStringList botones, tipos;
  ReporteEscrito r;
  r.renglones = {Renglon("A", "", {"10"}), TRenglonReporte::Cierre()};
  EscribeReporte(r);
  MuestraVisor("Ventas", 1, [&](QDialog& d) {
    ui::PuertaModal::Espera("Guardar", [&](QDialog& g) {
      for (const QAbstractButton* b : g.findChild<QDialogButtonBox*>()->buttons()) botones << b->text().remove(u'&');
      const auto* combo = g.findChild<QComboBox*>("fileTypeCombo");
      for (int i = 0; combo && i < combo->count(); ++i) tipos << combo->itemText(i);
      g.reject();
    });
    prueba::Pulsa(d, "BotonExporta");
  });
  botones.sort();
  EXPECT_EQ(botones, (QStringList{"Cancelar", "Guardar"}));
  EXPECT_EQ(tipos, (QStringList{"Hoja de cálculo (*.xlsx)", "Texto separado por tabuladores (*.txt)",
                                "Todos los archivos (*)"}));
}

TEST_F(ExportaTest, SinNombreNadaYSinProgramaElArchivoQueda) {
  {
    prueba::LanzadorGrabador lanzador;
    Exporta("");
    EXPECT_TRUE(exel_.isEmpty());
    EXPECT_TRUE(lanzador.iniciados.isEmpty());
  }
  // A program the machine does not have: the file is there all the same.
  QStringList config(90);
  config[7] = kDatosReporte;
  config[30] = "C:\\Office\\NOHAY.EXE";
  EscribeLineas(kPrograma + "\\Gener1.cnf", config);
  Exporta("C:\\EXPORTA\\ventas");
  EXPECT_EQ(LeeLibro("C:\\EXPORTA\\ventas.xlsx").filas.size(), 4u);
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}
