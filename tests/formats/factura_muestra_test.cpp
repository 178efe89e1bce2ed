// The letter invoice the program ships (consulta\factura.fmt), over a sales
// document of the registered layouts: previewed page by page, then printed
// from the preview.

#include "formats/ImporteLetra.h"
#include "formats/edicion.h"
#include "formats/formato_prueba.h"
#include "formats/pdf_prueba.h"
#include "foundation/ArchivosPrograma.h"
#include "platform/db/Catalogo.h"
#include "platform/ui/PuertaModal.h"
#include "support/Maneja.h"
#include "tablas/TablasVorlan.h"

#include <QLabel>
#include <QSpinBox>

namespace {

const QString kFactura = QStringLiteral("C:\\VRL\\consulta\\factura.fmt");

class FacturaMuestraTest : public FormatoPrueba {
 protected:
  void SetUp() override {
    FormatoPrueba::SetUp();
    InstalaArchivosPrograma();
    pdf_ = raiz() + QStringLiteral("/factura.pdf");
    print::FijaImpresorasPrueba({{"pdf", "Imprimir a PDF", print::TipoImpresora::Pdf, pdf_, 300}}, 0);
    print::Impresora::Global().Restablece();
    FijaTextosMoneda(QStringLiteral("PESO"), QStringLiteral("PESOS DE"), QStringLiteral("PESOS"),
                     QStringLiteral("M.N."));

    // Invoice 812 of 25 lines, in the tables as a company keeps them.
    encabezado_.reset();
    detalle_.reset();
    for (const char* nombre : {"FacturaE.dbf", "FacturaD.dbf"}) {
      const db::DefTabla& t = CatalogoVorlan().Tabla(db::CarpetaTabla::Datos, nombre);
      db::Tabla::Crea(kDatosFormato, t.archivo, t.campos);
    }
    encabezado_ = Abre(QStringLiteral("FacturaE.dbf"));
    encabezado_->Append();
    encabezado_->FieldByName("CLDOC_F").SetAsInteger(812);
    encabezado_->FieldByName("NOMBR_F").SetAsString(QStringLiteral("MARIA LOPEZ"));
    encabezado_->FieldByName("DIREC_F").SetAsString(QStringLiteral("AV. JUAREZ 40"));
    encabezado_->FieldByName("FEDOC_F").SetAsDate(QDate(2024, 7, 9));
    encabezado_->FieldByName("SUBTO_F").SetAsFloat(250);
    encabezado_->FieldByName("IMIM2_F").SetAsFloat(40);
    encabezado_->FieldByName("IMTOD_F").SetAsFloat(290);
    encabezado_->Post();
    detalle_ = Abre(QStringLiteral("FacturaD.dbf"));
    for (int i = 1; i <= 25; ++i) {
      detalle_->Append();
      detalle_->FieldByName("CLDOC_FD").SetAsString(QStringLiteral("812"));
      detalle_->FieldByName("CLPRO_FD").SetAsString(QStringLiteral("A%1").arg(i));
      detalle_->FieldByName("DEPRO_FD").SetAsString(QStringLiteral("Articulo %1").arg(i));
      detalle_->FieldByName("CANTI_FD").SetAsFloat(1);
      detalle_->FieldByName("PUNPR_FD").SetAsFloat(10);
      detalle_->FieldByName("IMPOR_FD").SetAsFloat(10);
      detalle_->Post();
    }
    encabezado_->First();
  }

  QString pdf_;
};

}  // namespace

TEST_F(FacturaMuestraTest, VistaPreviaPorPaginaYLuegoImpresa) {
  ui::PuertaModal::Espera("TFormaEdicion", [](QDialog& d) {
    auto& vista = static_cast<TFormaEdicion&>(d);
    vista.VistaPreliminar->grab();
    EXPECT_EQ(prueba::Texto(vista, "Pagina"), "2 Paginas");
    std::map<int, QStringList> paginas;
    for (const TElementoPagina& e : LeeElementosPagina()) paginas[e.NumeroPagina] << e.Texto;
    EXPECT_TRUE(paginas[1].contains("Folio 812"));
    EXPECT_TRUE(paginas[2].contains("Folio 812"));
    EXPECT_TRUE(paginas[1].contains("MARIA LOPEZ"));
    EXPECT_TRUE(paginas[1].contains("Articulo 19"));
    EXPECT_TRUE(paginas[2].contains("Articulo 20"));
    EXPECT_TRUE(paginas[2].contains("( DOSCIENTOS NOVENTA PESOS 00/100 M.N.)"));
    vista.NumerodePagina->setValue(2);
    EXPECT_EQ(vista.PaginaActual(), 2);
    prueba::Pulsa(vista, "BotonImprime");
  });
  EXPECT_TRUE(VistaPreviaFormato(encabezado_.get(), detalle_.get(), kFactura));
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();

  const QString pagina1 = TextoDePaginaPdf(pdf_, 1);
  const QString pagina2 = TextoDePaginaPdf(pdf_, 2);
  EXPECT_TRUE(pagina1.contains(QRegularExpression(QStringLiteral("Fecha +09 +julio +2024"), QRegularExpression::CaseInsensitiveOption))) << pagina1.toStdString();
  EXPECT_TRUE(pagina1.contains(u"1 de 2 Paginas")) << pagina1.toStdString();
  EXPECT_TRUE(pagina2.contains(u"2 de 2 Paginas")) << pagina2.toStdString();
  EXPECT_TRUE(pagina2.contains(u"Articulo 25")) << pagina2.toStdString();
  EXPECT_TRUE(pagina2.contains(QRegularExpression(QStringLiteral("Total +\\$ +290\\.00")))) << pagina2.toStdString();
}
