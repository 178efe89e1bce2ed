// A letter-size invoice of two pages, printed to a PDF file and previewed:
// page header with logo, boxes, a grey labelled box and page numbers on every
// page, one row per document line, the total and its words at the foot.

#include "formats/ImporteLetra.h"
#include "formats/formato_prueba.h"
#include "formats/pdf_prueba.h"

#include <QRegularExpression>

namespace {

const QStringList kFactura{
    "impresora,pdf",
    "lineas(32)",
    "paginas(imprime)",
    "$",
    "logo(1,0,14,4,c:\\vrl\\fotos\\logo.jpg)",
    "tamaño(14)",
    "estilo(negrita)",
    "texto(30,1,ABARROTES LA ESPERANZA)",
    "tamaño(9)",
    "estilo(normal)",
    "@30,2,FACTURA No. +cldoc_f",
    "cuadro(1,5,79,9,1)",
    "cuadro(1,5,20,6,1,clSilver,Cliente)",
    "@2,7,+nombr_f",
    "texto(50,7,Fecha)",
    "dia(56,7,fedoc_f)",
    "mletra(59,7,fedoc_f)",
    "año(68,7,fedoc_f)",
    "lna(1,10,79,10,2)",
    "texto(2,10,Clave)",
    "texto(12,10,Descripcion)",
    "texto(50,10,Cantidad)",
    "texto(62,10,Precio)",
    "saltar(11)",
    "$",
    "&",
    "@2,0,+clpro_f",
    "@12,0,+descr_f",
    "@50,0,+canti_f",
    "moneda(62,0,preci_f,f,,2)",
    "saltar(1)",
    "&",
    "saltar(inicio)",
    "lna(1,44,79,44,2)",
    "cuadro(48,45,79,49,2)",
    "moneda(50,46,total_f,f,TOTAL ,2)",
    "tra(2,50,total_f)",
};

class FacturaCartaTest : public FormatoPrueba {
 protected:
  void SetUp() override {
    FormatoPrueba::SetUp();
    pdf_ = raiz() + QStringLiteral("/factura.pdf");
    print::FijaImpresorasPrueba({{"pdf", "Imprimir a PDF", print::TipoImpresora::Pdf, pdf_, 300}}, 0);
    print::Impresora::Global().Restablece();
    QImage logo(200, 80, QImage::Format_RGB32);
    logo.fill(QColor(20, 60, 160));
    fs::CreaCarpeta(QStringLiteral("C:\\VRL\\fotos"));
    ASSERT_TRUE(logo.save(fs::Local(QStringLiteral("C:\\VRL\\fotos\\logo.jpg")), "JPEG", 90));
    // 25 lines: 21 fit under the header of the first page.
    CreaDocumentoDe(25);
    FijaTextosMoneda(QStringLiteral("PESO"), QStringLiteral("PESOS DE"), QStringLiteral("PESOS"),
                     QStringLiteral("M.N."));
  }

  QString pdf_;
};

int Veces(const QString& texto, const QString& palabra) {
  return static_cast<int>(
      texto.count(QRegularExpression(QStringLiteral("(^|\\s)") + QRegularExpression::escape(palabra) + "(\\s|$)")));
}

}  // namespace

TEST_F(FacturaCartaTest, ImpresaEnPdfDosPaginasConSuEncabezadoYCadaLineaUnaVez) {
  Corre(kFactura, u'i');
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();

  const QString info = SalidaDePrograma(QStringLiteral("pdfinfo"), {pdf_});
  EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n")))) << info.toStdString();
  const QString pagina1 = TextoDePaginaPdf(pdf_, 1);
  const QString pagina2 = TextoDePaginaPdf(pdf_, 2);
  for (const QString& pagina : {pagina1, pagina2}) {
    EXPECT_TRUE(pagina.contains(u"ABARROTES LA ESPERANZA")) << pagina.toStdString();
    EXPECT_TRUE(pagina.contains(u"FACTURA No. 57")) << pagina.toStdString();
    EXPECT_TRUE(pagina.contains(u"Cliente")) << pagina.toStdString();
    EXPECT_TRUE(pagina.contains(u"JUAN PEREZ")) << pagina.toStdString();
    EXPECT_TRUE(pagina.contains(QRegularExpression(QStringLiteral("Fecha +05 +Marzo +2024")))) << pagina.toStdString();
    EXPECT_TRUE(pagina.contains(u"Descripcion")) << pagina.toStdString();
  }
  EXPECT_TRUE(pagina1.contains(u"1 de 2 Paginas")) << pagina1.toStdString();
  EXPECT_TRUE(pagina2.contains(u"2 de 2 Paginas")) << pagina2.toStdString();
  const QString todo = pagina1 + pagina2;
  for (int i = 1; i <= 25; ++i) {
    const QString linea = QStringLiteral("Articulo %1").arg(i);
    EXPECT_EQ(Veces(todo, linea), 1) << linea.toStdString();
    EXPECT_EQ(Veces(i <= 21 ? pagina1 : pagina2, linea), 1) << linea.toStdString();
  }
  EXPECT_FALSE(pagina1.contains(u"TOTAL"));
  EXPECT_TRUE(pagina2.contains(QRegularExpression(QStringLiteral("TOTAL \\$ +250\\.00")))) << pagina2.toStdString();
  EXPECT_TRUE(pagina2.contains(u"( DOSCIENTOS CINCUENTA PESOS 00/100 M.N.)")) << pagina2.toStdString();

  // The logo on both pages.
  EXPECT_EQ(ImagenesDePdf(pdf_), (QStringList{"1:200x80", "2:200x80"}));
}

TEST_F(FacturaCartaTest, EnVistaPreviaDosPaginasYCadaCuadroEnLaSuya) {
  Corre(kFactura, u'p');
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
  const std::vector<TElementoPagina> elementos = LeeElementosPagina();
  EXPECT_EQ(CuentaPaginasPrevia(elementos), 2);
  // page -> kinds drawn there: boxes (−2), lines (−3), pictures (−1)
  std::map<int, std::map<int, int>> dibujos;
  std::map<QString, int> paginaDe;
  for (const TElementoPagina& e : elementos) {
    if (e.Tipo < 0) ++dibujos[e.NumeroPagina][e.Tipo];
    paginaDe[e.Texto] = e.NumeroPagina;
  }
  EXPECT_EQ(dibujos, (std::map<int, std::map<int, int>>{{1, {{-3, 1}, {-2, 2}, {-1, 1}}},
                                                        {2, {{-3, 2}, {-2, 3}, {-1, 1}}}}));
  EXPECT_EQ(paginaDe["Articulo 21"], 1);
  EXPECT_EQ(paginaDe["Articulo 22"], 2);
  EXPECT_EQ(paginaDe["( DOSCIENTOS CINCUENTA PESOS 00/100 M.N.)"], 2);
}
