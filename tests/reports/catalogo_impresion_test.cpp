#include "reports/DialogosImpresora.h"
#include "reports/ImpresionFranjas.h"
#include "reports/catalogo_prueba.h"

#include <QProcess>
#include <QRegularExpression>
#include <QRadioButton>
#include <QSpinBox>

namespace {

using Tipo = print::Operacion::Tipo;

class CatalogoImpresionTest : public CatalogoPrueba {
 protected:
  // n customers, keys "001" ...; the first one named "12.50".
  static void ClientesNumerados(int n) {
    FilasTabla filas{{"CLCLI_C", "NOMBR_C", "SALDO_C"}, {}};
    for (int i = 1; i <= n; ++i)
      filas.filas.push_back({QStringLiteral("%1").arg(i, 3, 10, QChar(u'0')),
                             i == 1 ? QStringLiteral("12.50") : QStringLiteral("CLIENTE %1").arg(i), i * 10.5});
    CreaTabla("cliente.dbf", filas);
  }

  // The grid shows only these fields.
  static void SoloCampos(TFormaCatalogo& c, const QStringList& campos) {
    for (int i = 0; i < c.DetalleCatalogo->Columnas(); ++i)
      c.DetalleCatalogo->SetColumnaVisible(i, campos.contains(c.DetalleCatalogo->Columna(i).campo));
  }

  // "Imprimir" answered with every page offered (checked to be `paginas`),
  // or with pages desde to hasta.
  static void Imprime(TFormaCatalogo& c, int paginas, int desde = 0, int hasta = 0) {
    ui::PuertaModal::Espera("Imprimir", [=](QDialog& d) {
      auto& dialogo = static_cast<DialogoImpresion&>(d);
      EXPECT_EQ(dialogo.Hasta->maximum(), paginas);
      EXPECT_EQ(dialogo.Hasta->value(), paginas);
      EXPECT_EQ(dialogo.Desde->value(), 1);
      if (desde > 0) {
        dialogo.Paginas->setChecked(true);
        dialogo.Desde->setValue(desde);
        dialogo.Hasta->setValue(hasta);
      }
      prueba::Pulsa(d, "Aceptar");
    });
    prueba::Pulsa(c, "BotonImprimir");
  }

  // The texts printed on each page, in order.
  static std::vector<QStringList> Paginas() {
    std::vector<QStringList> paginas;
    for (const TextoImpreso& t : Impresos()) {
      if (static_cast<int>(paginas.size()) < t.pagina) paginas.resize(static_cast<size_t>(t.pagina));
      paginas[static_cast<size_t>(t.pagina - 1)] << t.texto;
    }
    return paginas;
  }
};

}  // namespace

TEST(ImpresionFranjasTest, FranjasYPaginas) {
  struct Caso {
    QVector<int> anchos;
    std::vector<std::pair<int, int>> franjas;
  };
  const Caso casos[] = {
      {{10, 20, 30}, {{0, 2}}},
      {{60, 50, 20}, {{0, 0}, {1, 2}}},     // 110 reached: the column opens the next strip
      {{50, 59, 1}, {{0, 1}, {2, 2}}},
      {{120, 10, 5}, {{0, 0}, {1, 2}}},     // wider than a page: a strip of its own
      {{5, 130, 130, 5}, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
      {{}, {}},
  };
  for (const Caso& c : casos) {
    std::vector<std::pair<int, int>> franjas;
    for (const Franja& f : CortaFranjas(c.anchos, 110)) franjas.emplace_back(f.primera, f.ultima);
    EXPECT_EQ(franjas, c.franjas) << c.anchos.size();
  }
  using O = print::Orientacion;
  EXPECT_EQ(PaginasImpresion(0, O::Vertical), 1);
  EXPECT_EQ(PaginasImpresion(49, O::Vertical), 1);
  EXPECT_EQ(PaginasImpresion(50, O::Vertical), 2);
  EXPECT_EQ(PaginasImpresion(100, O::Vertical), 3);
  EXPECT_EQ(PaginasImpresion(37, O::Horizontal), 1);
  EXPECT_EQ(PaginasImpresion(75, O::Horizontal), 3);
  EXPECT_EQ(PrimerRegistroPagina(3, O::Vertical), 99);
  EXPECT_EQ(PrimerRegistroPagina(2, O::Horizontal), 38);
  EXPECT_EQ(AnchoImpresion(O::Horizontal), 150);
}

TEST_F(CatalogoImpresionTest, CadaRegistroUnaVezEnLasPaginasQueSeOfrecen) {
  ClientesNumerados(100);
  Navega("cliente.dbf", [](TFormaCatalogo& c) {
    SoloCampos(c, {"CLCLI_C", "NOMBR_C"});
    Imprime(c, 3);
  });
  std::vector<QStringList> paginas = Paginas();
  ASSERT_EQ(paginas.size(), 3u);
  QStringList claves;
  for (const QStringList& p : paginas) {
    EXPECT_EQ(p.mid(0, 2), (QStringList{"Clave del Cliente", "Nombre del Cliente"}));
    for (qsizetype i = 2; i < p.size(); i += 2) claves << p[i];
  }
  QStringList todas;
  for (int i = 1; i <= 100; ++i) todas << QStringLiteral("%1").arg(i, 3, 10, QChar(u'0'));
  EXPECT_EQ(claves, todas);
  EXPECT_EQ(paginas[0].size(), 2 + 49 * 2);
  // Digits, point and two digits print as money.
  EXPECT_EQ(paginas[0][3], "$       12.50");

  // Page 2 alone: records 50 to 98; a cell's frame and text where the page's
  // grid puts them (600 dpi letter: 46 units a character, 132 a row).
  print::BorraOperacionesGrabadas();
  Navega("cliente.dbf", [](TFormaCatalogo& c) {
    SoloCampos(c, {"CLCLI_C", "NOMBR_C"});
    Imprime(c, 3, 2, 2);
  });
  paginas = Paginas();
  ASSERT_EQ(paginas.size(), 1u);
  EXPECT_EQ(paginas[0].value(2), "050");
  EXPECT_EQ(paginas[0].value(paginas[0].size() - 2), "098");
  const std::vector<TextoImpreso> textos = Impresos();
  EXPECT_EQ(textos[3].x, 10 * 46 + 5);    // the name, after the key's 10 characters
  EXPECT_EQ(textos[3].y, 2 * 132 - 50);   // row 1
  EXPECT_EQ(textos[3].fuente, "Arial");
  std::vector<print::Operacion> marcos;
  for (const print::Operacion& op : print::OperacionesGrabadas())
    if (op.tipo == Tipo::Rectangulo) marcos.push_back(op);
  ASSERT_FALSE(marcos.empty());
  EXPECT_EQ(marcos[3].rect.topLeft(), QPoint(10 * 46, 132 + 10));
  EXPECT_EQ(marcos[3].rect.width(), 60 * 46);
  EXPECT_EQ(marcos[3].rect.height(), 132);
  EXPECT_EQ(marcos[3].pluma.grosor, 2);
}

TEST_F(CatalogoImpresionTest, UnaRejillaAnchaSeImprimeEnFranjas) {
  ClientesNumerados(3);
  Navega(CatalogoMenu{"cliente.dbf",
                      {"CLCLI_C", "NOMBR_C", "RFCXX_C", "c4", "c5", "c6", "c7", "c8", "c9"},
                      {"Cliente", "Nombre", "R.F.C", "e4", "e5", "e6", "e7", "e8", "e9"}},
         [](TFormaCatalogo& c) {
           // Widths 10 60 15 20 | 60 15 18 | 60: MAILX_C and DIREC_C open strips.
           Imprime(c, 1);
           QStringList marcadas;
           for (int i = 0; i < c.DetalleCatalogo->Columnas(); ++i) {
             const ui::ColumnaDatos col = c.DetalleCatalogo->Columna(i);
             if (col.colorFondo == QColor(255, 0, 0)) marcadas << col.campo + "|" + col.titulo;
           }
           EXPECT_EQ(marcadas, (QStringList{"MAILX_C|Correo Electrónico >", "DIREC_C|Dirección >"}));
           EXPECT_EQ(c.DetalleCatalogo->model()->index(0, 4).data(Qt::BackgroundRole).value<QColor>(), QColor(255, 0, 0));
           // Printed again: marked once, titled as before on paper.
           print::BorraOperacionesGrabadas();
           Imprime(c, 1);
           EXPECT_EQ(c.DetalleCatalogo->Columna(4).titulo, "Correo Electrónico >");
         });
  const std::vector<QStringList> paginas = Paginas();
  ASSERT_EQ(paginas.size(), 3u);
  EXPECT_EQ(paginas[0].mid(0, 4), (QStringList{"Clave del Cliente", "Nombre del Cliente", "R.F.C.", "Fax"}));
  EXPECT_EQ(paginas[1].mid(0, 3), (QStringList{"Correo Electrónico", "R.F.C.", "C.U.R.P."}));
  EXPECT_EQ(paginas[2].value(0), "Dirección");
  EXPECT_EQ(paginas[2].size(), 4);  // its title and three records
}

TEST_F(CatalogoImpresionTest, EnLaImpresoraPdfCienRegistrosSonTresHojas) {
  const QString pdf = raiz() + "/catalogo.pdf";
  print::FijaImpresorasPrueba({{"pdf", "Imprimir a PDF", print::TipoImpresora::Pdf, pdf, 300}}, 0);
  print::Impresora::Global().Restablece();
  ClientesNumerados(100);
  Navega("cliente.dbf", [](TFormaCatalogo& c) {
    SoloCampos(c, {"CLCLI_C", "NOMBR_C"});
    Imprime(c, 3);
  });
  QProcess info;
  info.start("pdfinfo", {pdf});
  info.waitForFinished(20000);
  EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression("Pages:\\s+3\\n")));
  QProcess texto;
  texto.start("pdftotext", {"-f", "3", "-l", "3", pdf, "-"});
  texto.waitForFinished(20000);
  const QString tercera = QString::fromUtf8(texto.readAllStandardOutput());
  EXPECT_TRUE(tercera.contains("099") && tercera.contains("100")) << tercera.toStdString();
  EXPECT_FALSE(tercera.contains("098"));
}
