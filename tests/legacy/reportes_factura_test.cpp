// The Reportes menu of the legacy document window: the sale screen's report
// rows with this window's differences, its own scripts, and the commands
// driven through the window over the report company of the sale screen's
// tests.

#include "abre_factura.h"
#include "customers/CucobraRemision.h"
#include "foundation/DatoForm.h"
#include "foundation/rutinas_usuarios.h"
#include "legacy/Factu.h"
#include "legacy/Factu_reportes.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "reports/Barras.h"
#include "reports/Graficas.h"
#include "salesdocs/reportes_prueba.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// clang-format off
const char* const kConcentrar =
    "$Facturas,Importe,Iva\r"
     "& Select CLCLI_F,NOMBR_F,CLDOC_F,SUBTO_F-(SUBTO_F*(DECOT_F/100)),IMIM2_F,IMTOD_F,FEDOC_F from \"C:\\R\\Remision.dbf\"\r"
     "?(STATU_F<>\"C\" OR STATU_F IS NULL) ¿\r"
     "!CLCLI_F,NOMBR_F,cldoc_f\r"
     ">CLCLI_F\r"
     "%c          c          e             t              t             t            c\r"
     "#CLIENTE    NOMBRE     DOCUMENTO     SUBTOTAL       IVA           TOTAL        FECHA     \r"
     "@\r";
const char* const kComparativo =
    "$Corte Comparativo\r"
     "& Select CLDOC_FD,CLPRO_FD,CANTI_FD,PUNPR_FD,IMPOR_FD,FEDOC_FD from \"C:\\R\\RemisioD.dbf\" WHERE (TREGI_FD<>\"C\" OR TREGI_FD IS NULL) ¿  UNION Select CLDOC_FD,CLPRO_FD,CANTI_FD,PUNPR_FD,IMPOR_FD,FEDOC_FD from \"C:\\R\\Remision.dbf\"\r"
     "?(STATU_F<>\"C\" OR STATU_F IS NULL) ¿\r"
     "!cldoc_fd\r"
     "%e          c            t               f              t               c\r"
     "#DOCUMENTO  PRODUCTO     CANTIDAD        PRECIO         IMPORTE         FECHA     \r"
     "@\r";
const char* const kCorteZ =
    "$Corte Z REMISIONES ADM HORA : 10:15:00\r"
     "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F from \"C:\\R\\remision.dbf\"\r"
     "?((STATU_F<>\"C\" OR STATU_F IS NULL)AND REMIS_F IS NULL ) ¿\r"
     "!cldoc_f\r"
     "%e           c        t           t           t           c          t         \r"
     "#DOCUMENTOS  CLAVE        IMPORTE       SUBTOTAL      IMPUESTO      FECHA     FPGC    \r"
     "@\r"
     "$Corte Z FACTURADAS \r"
     "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F from \"C:\\R\\remision.dbf\"\r"
     "?((STATU_F<>\"C\" OR STATU_F IS NULL)AND REMIS_F>\" \") ¿\r"
     "!cldoc_f\r"
     "%e           c        t           t           t           c           t        \r"
     "#DOCUMENTOS  CLAVE        IMPORTE       SUBTOTAL      IMPUESTO      FECHA     FPGC    \r"
     "@\r"
     "$Corte Z CANCELADAS \r"
     "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F from \"C:\\R\\remision.dbf\"\r"
     "?(STATU_F=\"C\") ¿\r"
     "!cldoc_f\r"
     "%e           c        t           t           t           c         t           \r"
     "#DOCUMENTOS  CLAVE        IMPORTE       SUBTOTAL      IMPUESTO      FECHA     FPGC   \r"
     "@\r"
     "$Corte Z DEVOLUCIONES \r"
     "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F from \"C:\\R\\devoluc.dbf\"\r"
     "?(STATU_F<>\"C\" OR STATU_F IS NULL) ¿\r"
     "!cldoc_f\r"
     "%e           c        t           t           t           c         t           \r"
     "#DOCUMENTOS  CLAVE        IMPORTE       SUBTOTAL      IMPUESTO      FECHA     FPGC   \r"
     "@\r"
     "$Corte Z RETIROS \r"
     "& Select CLDOC_F,CONCEPTO,CANTIDAD,CANTIDAD,CANTIDAD,FEDOC_F,CANTIDAD from \"C:\\R\\retiros.dbf\"\r"
     "? (CLDOC_F=CLDOC_F)¿\r"
     "!CLDOC_F\r"
     "%e           c            t           t           t           c             t       \r"
     "#DOCUMENTOS  CLAVE        IMPORTE       SUBTOTAL      IMPUESTO      FECHA   _  \r"
     "@\r"
     "<14-24\r"
     "@\r";
const char* const kCorteZResumen =
    "$Corte Z (RESUMEN) REMISIONES ADM HORA : 10:15:00\r"
     "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F from \"C:\\R\\remision.dbf\"\r"
     "?((STATU_F<>\"C\" OR STATU_F IS NULL)AND REMIS_F IS NULL ) ¿\r"
     "!cldoc_f\r"
     "%e           c        t           t           t           c\r"
     "#DOCUMENTOS  CLAVE        IMPORTE       SUBTOTAL      IMPUESTO      FECHA     \r"
     "@\r"
     "$Corte Z (RESUMEN) FACTURADAS \r"
     "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F from \"C:\\R\\remision.dbf\"\r"
     "?((STATU_F<>\"C\" OR STATU_F IS NULL)AND REMIS_F>\" \") ¿\r"
     "!cldoc_f\r"
     "%e           c        t           t           t           c\r"
     "#DOCUMENTOS  CLAVE        IMPORTE       SUBTOTAL      IMPUESTO      FECHA     \r"
     "@\r"
     "$Corte Z (RESUMEN) CANCELADAS \r"
     "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F from \"C:\\R\\remision.dbf\"\r"
     "?(STATU_F=\"C\") ¿\r"
     "!cldoc_f\r"
     "%e           c        t           t           t           c\r"
     "#DOCUMENTOS  CLAVE        IMPORTE       SUBTOTAL      IMPUESTO      FECHA     \r"
     "@\r"
     "$Corte Z (RESUMEN) DEVOLUCIONES \r"
     "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F from \"C:\\R\\devoluc.dbf\"\r"
     "?(STATU_F<>\"C\" OR STATU_F IS NULL) ¿\r"
     "!cldoc_f\r"
     "%e           c        t           t           t           c\r"
     "#DOCUMENTOS  CLAVE        IMPORTE       SUBTOTAL      IMPUESTO      FECHA     \r"
     "@\r"
     "$Corte Z (RESUMEN) RETIROS \r"
     "& Select CLDOC_F,CONCEPTO,CANTIDAD,CANTIDAD,CANTIDAD,FEDOC_F from \"C:\\R\\retiros.dbf\"\r"
     "? (CLDOC_F=CLDOC_F)¿\r"
     "!CLDOC_F\r"
     "%e           c            t           t           t           c\r"
     "#DOCUMENTOS  CLAVE        IMPORTE       SUBTOTAL      IMPUESTO      FECHA     \r"
     "@\r"
     "<14-24\r"
     "@\r";
// clang-format on

ContextoReporte Fijo() {
  ContextoReporte x;
  x.lugar.encabezado = "Remision.dbf";
  x.lugar.partidas = "RemisioD.dbf";
  x.lugar.productos = "INVENTAR.DBF";
  x.lugar.carpetas = db::Carpetas{"C:\\R", {}, {}, "C:\\VRL"};
  x.numeroActual = "4";
  x.numeroUltimo = "5";
  x.usuario = "ADM";
  x.momento = QDateTime(QDate(2010, 3, 5), QTime(10, 15, 0));
  return x;
}

// The first word of each row of a report section (totals and blank lines
// left out).
QStringList Documentos(const QStringList& seccion) {
  QStringList primeros;
  for (const QString& l : seccion.mid(1)) {
    if (l.trimmed().isEmpty() || l.contains(u'_') || l == u".") continue;
    primeros << l.section(u' ', 0, 0, QString::SectionSkipEmpty);
  }
  if (!primeros.isEmpty()) primeros.removeLast();  // the totals line
  return primeros;
}

class ReportesFactura : public ReportesPrueba {
 protected:
  static void Abre(const QString& usuario, const std::function<void(TFormaFactura&)>& mira) {
    AbreVentanaFactura(usuario, mira);
  }

  // The register typed in the "No de Caja" prompt.
  static void TecleaCaja(const QString& caja) {
    ui::PuertaModal::Espera("TFormaDato", [caja](QDialog& d) {
      auto& dato = static_cast<TFormaDato&>(d);
      EXPECT_EQ(dato.windowTitle(), "No de Caja");
      dato.EditDato->setText(caja);
    });
  }
};

}  // namespace

TEST(GuionesFactura, LosGuionesPropiosLetraPorLetra) {
  struct Caso {
    const char* clave;
    const char* guion;
    QString titulo, campoClave, fecha, busca;
    DatosReporteVenta datos;
    int tipo;
  };
  const Caso casos[] = {
      {"Concentrar1", kConcentrar, "Facturas,Importe,Iva", "CLDOC_F", "FEDOC_F", "0", DatosReporteVenta::Encabezado, 0},
      {"CorteZ1", kCorteZ, "Corte Z VENTAS REMISION ", "CLDOC_F", "FEDOC_F", "4", DatosReporteVenta::Encabezado, 1},
      {"CorteZRESUMEN1", kCorteZResumen, "Corte Z (RESUMEN) VENTAS REMISION ", "CLDOC_F", "FEDOC_F", "4",
       DatosReporteVenta::Encabezado, 2},
      {"CorteComparativo1", kComparativo, "Corte Comparativo", "CLDOC_FD", "FEDOC_FD", "4",
       DatosReporteVenta::Partidas, 0},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.clave);
    const std::optional<ArgumentosReporteVenta> a = ArgumentosReporteFactura(c.clave, Fijo());
    ASSERT_TRUE(a);
    EXPECT_EQ(a->guion, QString::fromUtf8(c.guion));
    EXPECT_EQ(a->titulo, c.titulo);
    EXPECT_EQ(a->campoClave, c.campoClave);
    EXPECT_EQ(a->fechaDesde, c.fecha);
    EXPECT_EQ(a->fechaHasta, c.fecha);
    EXPECT_EQ(a->claveBusca, c.busca);
    EXPECT_EQ(a->datos, c.datos);
    EXPECT_EQ(a->tipo, c.tipo);
    EXPECT_TRUE(a->dialogo);
    EXPECT_EQ(a->sentido, u' ');
  }
}

TEST(GuionesFactura, LasFilasDeLaPantallaDeVentaConSusDiferencias) {
  // Each case: the lines of the sale screen's script replaced, by their
  // first character (an empty text: the line left out).
  struct Caso {
    const char* clave;
    QMap<QChar, QString> lineas;
    QString titulo = QString();
  };
  const QString articulo =
      "& Select CLDOC_FD,CLPRO_FD,CANTI_FD,CANTI_FD*COPRO_FD,(CANTI_FD*PREDE_FD),(CANTI_FD*PREDE_FD)-(CANTI_FD*COPRO_FD),"
      "((PREDE_FD-COPRO_FD)/PREDE_FD)*100,FEDOC_FD from \"C:\\R\\RemisioD.dbf\"";
  const QString tiposArticulo =
      "%e          c            t               t              t                  t             m             c";
  const QString titulosArticulo =
      "#DOCUMENTO  PRODUCTO     CANTIDAD        COSTO_X_CANT.  PRECIO_X_CANT.     UTILIDAD      %PROM.UTILID. FECHA     ";
  const QList<Caso> casos = {
      {"ConsecutivodeFacturas1",
       {{'&', "& Select CLDOC_F,NOMBR_F,IMTOD_F,SUBTO_F-(SUBTO_F*DECOT_F/100),IMIM2_F,FEDOC_F from \"C:\\R\\Remision.dbf\""},
        {'%', "%e           c                  t            t              t             c         "},
        {'#', "#DOCUMENTOS  NOMBRE             IMPORTE       SUBTOTAL      IMPUESTO      FECHA     "}}},
      {"DocumentosCancelados1",
       {{'&', "& Select CLDOC_F,CLCLI_F,NOMBR_F,SUBTO_F-(SUBTO_F*(DECOT_F/100)),IMIM2_F,IMTOD_F,FEDOC_F from "
              "\"C:\\R\\Remision.dbf\""},
        {'%', "%e          c          c               t              t             t            c"},
        {'#', "#DOCUMENTO  CLIENTE    NOMBRE          SUBTOTAL       IVA           TOTAL        FECHA     "}}},
      {"Comisiones1",
       {{'&', "& Select CLDOC_F,CLVEN_F,SUBTO_F-(SUBTO_F*DECOT_F/100),(SUBTO_F-(SUBTO_F*DECOT_F/100))*(CTOVE_F*0.01),"
              "IMTOD_F,IMTOD_F*CTOVE_F*0.01,FEDOC_F from \"C:\\R\\Remision.dbf\""},
        {'!', "!cldoc_f"},
        {'>', ""},
        {'%', "%e          c             t             t                 t              t                  c        "},
        {'#', "#DOCUMENTO  VENDEDOR      SUBTOTAL      COMISION/SUB.     TOTAL_DOC      COMISION/TOT.      FECHA    "}}},
      {"VentasporArtculo1", {{'&', articulo}, {'%', tiposArticulo}, {'#', titulosArticulo}}},
      {"UtilidadporProducto1", {{'&', articulo}, {'%', tiposArticulo}, {'#', titulosArticulo}}},
      {"UtilidadporProductoantesdeIVA1",
       {{'&', "& Select CLDOC_FD,CLPRO_FD,CANTI_FD,CANTI_FD*(COPRO_FD*(1+(PIVA1_FD/100))),(CANTI_FD*PUNPR_FD),"
              "(CANTI_FD*PUNPR_FD)-(CANTI_FD*(COPRO_FD*(1+(PIVA1_FD/100)))),((PUNPR_FD-(COPRO_FD*(1+(PIVA1_FD/100))))/"
              "PUNPR_FD)*100,FEDOC_FD from \"C:\\R\\RemisioD.dbf\""},
        {'%', tiposArticulo},
        {'#', titulosArticulo}}},
      {"UtilidadporProductoLinea1",
       {{'&', "& Select I.LIPRO_I,F.CLDOC_FD,F.CLPRO_FD,F.CANTI_FD,F.CANTI_FD*F.COPRO_FD,(F.CANTI_FD*F.PREDE_FD),"
              "(F.CANTI_FD*F.PREDE_FD)-(F.CANTI_FD*F.COPRO_FD),((PREDE_FD-COPRO_FD)/PREDE_FD)*100,F.FEDOC_FD,I.CLPRO_I "
              "from \"C:\\R\\RemisioD.dbf\" AS F,\"C:\\R\\INVENTAR.DBF\" as I "},
        {'?', "?(TREGI_FD<>\"C\" OR TREGI_FD IS NULL) and (F.CLPRO_FD=I.CLPRO_I) ¿"},
        {'%', "%c         e          c            t               t              t                  t             m       "
              "          c"},
        {'#', "#LINEA     DOCUMENTO  PRODUCTO     CANTIDAD        COSTO_X_CANT.  PRECIO_X_CANT.     UTILIDAD      "
              "%PROM.UTILID.     FECHA     "}}},
      {"CanceladasnoImpresas1",
       {{'$', "$Canceladas no Impresas"},
        {'&', "& Select TREGI_F,CLDOC_F,CLCLI_F,NOMBR_F,SUBTO_F-(SUBTO_F*(DECOT_F/100)),IMIM2_F,IMTOD_F,FEDOC_F from "
              "\"C:\\R\\Remision.dbf\""},
        {'!', "!TREGI_F,cldoc_f"},
        {'>', ">TREGI_F"},
        {'%', "%c         e          c          c               t              t             t            c"},
        {'#', "#IMPRESA   DOCUMENTO  CLIENTE    NOMBRE          SUBTOTAL       IVA           TOTAL        FECHA     "}},
       "Canceladas no Impresas"},
      // Unchanged rows: the sale screen's script on this window's paths.
      {"ReporteFPGC1", {}},
      {"CorteDetallado1", {}},
      {"ComisionesDetallado1", {}},
  };
  const ContextoReporte x = Fijo();
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.clave);
    const ArgumentosReporteVenta venta = ArgumentosDeFila(*FilaReporte(c.clave), x);
    QStringList lineas = venta.guion.split(u'\r');
    for (auto it = c.lineas.begin(); it != c.lineas.end(); ++it) {
      const qsizetype i = std::find_if(lineas.begin(), lineas.end(), [&](const QString& l) {
                            return l.startsWith(it.key());
                          }) - lineas.begin();
      ASSERT_LT(i, lineas.size()) << QString(it.key()).toStdString();
      if (it.value().isEmpty())
        lineas.removeAt(i);
      else
        lineas[i] = it.value();
    }
    const std::optional<ArgumentosReporteVenta> a = ArgumentosReporteFactura(c.clave, x);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->guion, lineas.join(u'\r'));
    ArgumentosReporteVenta esperados = venta;
    esperados.guion = a->guion;
    if (!c.titulo.isEmpty()) esperados.titulo = c.titulo;
    EXPECT_EQ(*a, esperados);
  }
}

TEST_F(ReportesFactura, PagadosPorLaCajaTecleadaYNoPagados) {
  // Today's paid-documents file: remission 1 at register 01, 5 at 02.
  EscribeLineas(ArchivoPagosDelDia(kDatos, QDate(2010, 3, 5)), {"1", "01", "5", "02"});
  Abre("0", [&](TFormaFactura& f) {
    TecleaCaja("01");
    CorridaReporte c = Ejecuta(f.MainMenu1, "DocumentosPagados1");
    ASSERT_TRUE(c.mostrada);
    EXPECT_EQ(c.caption, "Reporte de Documentos Pagados");
    EXPECT_EQ(Documentos(Seccion(c, 1)), QStringList{"1"});
    // The file was applied first.
    db::Tabla remisiones;
    remisiones.SetCarpeta(kDatos);
    remisiones.SetNombreTabla("Remision.dbf");
    remisiones.Open();
    remisiones.SetIndexName("INUMENC");
    ASSERT_TRUE(remisiones.FindKey({5}));
    EXPECT_EQ(remisiones.FieldByName("PAGOX_F").AsString(), "Pagada en 02");

    // A quote in the register neither breaks the statement nor widens it.
    TecleaCaja("0'1");
    c = Ejecuta(f.MainMenu1, "DocumentosPagados1");
    ASSERT_TRUE(c.mostrada) << ui::PuertaModal::Mensajes().join("|").toStdString();
    EXPECT_EQ(Documentos(Seccion(c, 1)), QStringList());
    TecleaCaja("0' OR '1'='1");
    c = Ejecuta(f.MainMenu1, "DocumentosPagados1");
    ASSERT_TRUE(c.mostrada);
    EXPECT_EQ(Documentos(Seccion(c, 1)), QStringList());

    // Unpaid: the blank payment (remission 4); the register is not used.
    TecleaCaja("02");
    c = Ejecuta(f.MainMenu1, "DocumentosnoPagados1");
    EXPECT_EQ(Documentos(Seccion(c, 1)), QStringList{"4"});
    EXPECT_TRUE(ui::PuertaModal::Mensajes().isEmpty()) << ui::PuertaModal::Mensajes().join("|").toStdString();
  });
}

TEST_F(ReportesFactura, CorteZLeeLasRemisionesAunConCajaChica) {
  Abre("0", [&](TFormaFactura& f) {
    f.Base->setCurrentText(kBaseCajaChica);
    f.BaseChange();
    ASSERT_EQ(f.TablaFacturae->NombreTabla(), "CajaChic.dbf");
    CorridaReporte c = Ejecuta(f.MainMenu1, "CorteZ1");
    ASSERT_TRUE(c.mostrada) << ui::PuertaModal::Mensajes().join("|").toStdString();
    EXPECT_EQ(c.caption, "Reporte de Corte Z VENTAS REMISION ");
    // Open remissions (blank REMIS_F), invoiced, cancelled, returns,
    // withdrawals and entries.
    EXPECT_EQ(Documentos(Seccion(c, 1)), QStringList({"1", "4", "5"}));
    EXPECT_EQ(Documentos(Seccion(c, 2)), QStringList{"2"});
    EXPECT_EQ(Documentos(Seccion(c, 3)), QStringList{"3"});
    EXPECT_EQ(Documentos(Seccion(c, 4)), QStringList{"1"});
    EXPECT_EQ(Documentos(Seccion(c, 5)), QStringList({"1", "2", "3"}));
    EXPECT_TRUE(c.sql.contains("FEDOC_F,CANTIDAD from")) << c.sql.toStdString();

    c = Ejecuta(f.MainMenu1, "CorteZRESUMEN1");
    ASSERT_TRUE(c.mostrada);
    EXPECT_EQ(Documentos(Seccion(c, 1)), QStringList({"1", "4", "5"}));
    EXPECT_FALSE(c.sql.contains("FEDOC_F,CANTIDAD from")) << c.sql.toStdString();
  });
}

TEST_F(ReportesFactura, ElComparativoLoRechazaElEjecutor) {
  Abre("0", [&](TFormaFactura& f) {
    QAction* item = f.MainMenu1->findChild<QAction*>("CorteComparativo1");
    ASSERT_TRUE(item);
    EXPECT_FALSE(item->isVisible());
    bool mostrado = false;
    ui::PuertaModal::Espera("TFormaFormatos", [](QDialog& d) { prueba::Pulsa(d, "BitBtn4"); });
    ui::PuertaModal::Espera("TFormaReporteSQL", [&mostrado](QDialog&) { mostrado = true; });
    item->trigger();
    EXPECT_FALSE(mostrado);
    EXPECT_EQ(ui::PuertaModal::Mensajes(), QStringList{"Error al ejecutar el reporte..."});
    ui::PuertaModal::Reinicia();  // the report window's answer, never used
  });
}

TEST_F(ReportesFactura, VentasPorDiaLlenaFactAuxiDeCxCYLaLineaLeeElInventarioDelEncabezado) {
  const QString cxc = "C:\\VRL\\CXC";
  fs::CreaCarpeta(cxc);
  const QString antes = RutaDatosCxC;
  RutaDatosCxC = cxc;
  Abre("0", [&](TFormaFactura& f) {
    f.PosicionaFactura(2);
    f.Nombre->clear();
    bool mostrado = false;
    ui::PuertaModal::Espera("TFormaFormatos", [](QDialog& d) {
      auto& formatos = static_cast<TFormaFormatos&>(d);
      formatos.Inicial->setDate(QDate(2010, 3, 5));
      formatos.Final->setDate(QDate(2010, 3, 5));
      formatos.IncluirDevoluciones->setChecked(true);
      prueba::Pulsa(d, "BitBtn4");
      ui::PuertaModal::Espera("TFormaProgreso", [](QDialog& p) {
        for (int i = 0; i < 6000 && p.isVisible(); ++i) QTest::qWait(5);
      });
    });
    ui::PuertaModal::Espera("TFormaBarras", [&mostrado](QDialog& d) {
      mostrado = true;
      EXPECT_EQ(d.windowTitle(), "Reporte de Ventas por Día");
    });
    f.MainMenu1->findChild<QAction*>("VentasporDa1")->trigger();
    EXPECT_TRUE(mostrado) << ui::PuertaModal::Mensajes().join("|").toStdString();
    ASSERT_FALSE(fs::ExisteArchivo(fs::Une(kDatos, "FactAuxi.dbf")));
    db::Tabla aux;
    aux.SetCarpeta(cxc);
    aux.SetNombreTabla("FactAuxi.dbf");
    aux.Open();
    QStringList filas;
    for (aux.First(); !aux.Eof(); aux.Next())
      filas << aux.FieldByName("CLDOC_F").AsString() + " " + aux.FieldByName("IMTOD_F").AsString();
    filas.sort();
    // The day's remissions as they stand (the window totals the one it
    // opens on) and the return negated.
    QStringList esperadas{"1 -11.6"};
    db::Tabla remisiones;
    remisiones.SetCarpeta(kDatos);
    remisiones.SetNombreTabla("Remision.dbf");
    remisiones.Open();
    for (remisiones.First(); !remisiones.Eof(); remisiones.Next())
      esperadas << remisiones.FieldByName("CLDOC_F").AsString() + " " + remisiones.FieldByName("IMTOD_F").AsString();
    esperadas.sort();
    EXPECT_EQ(filas, esperadas);
    EXPECT_EQ(filas.size(), 6);
    // The document shown again.
    EXPECT_EQ(f.Nombre->text(), "ANA");

    // The products of the header table's folder, whatever the product
    // table's own folder.
    f.TablaInventario->Close();
    f.TablaInventario->SetCarpeta("C:\\VRL\\OTRA");
    f.Nombre->clear();
    const CorridaReporte c = Ejecuta(f.MainMenu1, "UtilidadporProductoLinea1");
    ASSERT_TRUE(c.mostrada) << ui::PuertaModal::Mensajes().join("|").toStdString();
    EXPECT_TRUE(c.sql.contains("\"C:\\VRL\\DATOS\\INVENTAR.DBF\" as I")) << c.sql.toStdString();
    EXPECT_EQ(Documentos(Seccion(c, 1)).value(0), "GRANOS");
    EXPECT_EQ(f.Nombre->text(), "ANA");

    // A row that does not show the document again leaves the table on the
    // last document and the captions as they were.
    f.Nombre->clear();
    Ejecuta(f.MainMenu1, "DocumentosCancelados1");
    EXPECT_EQ(f.TablaFacturae->FieldByName("CLDOC_F").AsInteger(), 5);
    EXPECT_EQ(f.Nombre->text(), "");
  });
  RutaDatosCxC = antes;
}

TEST_F(ReportesFactura, SinElDerechoDeReportesElMenuQuedaInactivo) {
  QString todos(kNumeroDerechos, u's');
  QString sinReportes = todos;
  sinReportes[DerechoReportesFacturacion - 1] = u'n';
  EscribeUsuarios({{"adm", todos}, {"caja", sinReportes}});
  for (const auto& [usuario, activo] : {std::pair{"0", true}, std::pair{"1", false}}) {
    SCOPED_TRACE(usuario);
    Abre(usuario, [activo](TFormaFactura& f) {
      EXPECT_EQ(f.Reportes1->menuAction()->isEnabled(), activo);
      QStringList visibles;
      for (QAction* a : f.Reportes1->actions())
        if (a->isVisible()) visibles << a->text();
      EXPECT_EQ(visibles.size(), 24);
      EXPECT_EQ(visibles.value(1), "Facturas,Importe,Iva");
    });
  }
}

TEST_F(ReportesFactura, CorteDeCajaYRetirosCorreLaVistaDelProgramaSobreHoy) {
  // A totalled view of the remissions' totals; the day's range is the
  // command's.
  EscribeLineas("C:\\VRL\\report\\CorteCajaVRL", {"A.CLDOC_F,A.IMTOD_F", "\\Remision.dbf\" as A ", "Documento,Total ",
                                                  "C,C ", "0,0,", "CLDOC_F,", "N,totalizar,", "N,N,", "", "Corte"});
  // The runner closes the range on FEVEN_F: the day's documents carry it.
  {
    db::Tabla remisiones;
    remisiones.SetCarpeta(kDatos);
    remisiones.SetNombreTabla("Remision.dbf");
    remisiones.Open();
    for (remisiones.First(); !remisiones.Eof(); remisiones.Next()) {
      remisiones.Edit();
      remisiones.FieldByName("FEVEN_F").SetAsString("05/03/2010");
      remisiones.Post();
    }
  }
  AgregaRemision(9, {{"CLCLI_F", "1"}, {"IMTOD_F", "9"}, {"FEDOC_F", "04/03/2010"}, {"FEVEN_F", "04/03/2010"}});
  Abre("0", [&](TFormaFactura& f) {
    QAction* item = f.MainMenu1->findChild<QAction*>("CortedeCajayRetiros1");
    ASSERT_TRUE(item);
    EXPECT_FALSE(item->isVisible());
    bool consulta = false;
    ui::PuertaModal::Espera("TFormaConsulta", [&consulta](QDialog& d) {
      consulta = true;
      d.close();
    });
    QStringList documentos;
    ui::PuertaModal::Espera("TFormaNuevoReporte", [&documentos](QDialog&) {
      db::Dataset& trabajo = *FormaGraficas()->TablaAuxiliar;
      for (trabajo.First(); !trabajo.Eof(); trabajo.Next()) documentos << trabajo.Fields(0).AsString();
    });
    item->trigger();
    EXPECT_TRUE(consulta);
    EXPECT_EQ(documentos.mid(0, 5), QStringList({"1", "2", "3", "4", "5"}))
        << documentos.join(u'|').toStdString() << ui::PuertaModal::Mensajes().join("|").toStdString();
    EXPECT_FALSE(documentos.contains("9"));
  });
}
