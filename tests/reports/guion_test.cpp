// Report scripts as report commands run them: the statement each block
// runs, the lines it lays out, its totals, and the caller's table after.

#include "reports/guion_prueba.h"

#include "reports/GuionReporte.h"
#include "reports/Progreso.h"

#include <QCoreApplication>
#include <QLabel>
#include <QEvent>

namespace {

QString B(int n) { return QString(n, u' '); }

const QString kTitulo = QStringLiteral("*Reporte de Saldos de Proveedores");
const QString kEncabezado = QStringLiteral("PROVEEDOR   NOMBRE         CARGOS       ABONOS       SALDO       ");
const QString kTabla = QStringLiteral("\"C:\\DATOS\\proveedo.dbf\"");
const QString kSelect = QStringLiteral(" Select CLAVE_P,NOMBR_P,CARGO_P,ABONO_P,SALDO_P from ") + kTabla;
const QString kRenglon1 = QStringLiteral("      1     ACME                 500.00       200.00       300.00 ");
const QString kRenglon3 = QStringLiteral("      3     GAMA                 150.50         0.00       150.50 ");
const QString kSubrayado = B(27) + QStringLiteral("____________ ____________ ____________ ");
const QString kTotal = B(27) + QStringLiteral("      650.50       200.00       450.50 ");

class GuionTest : public GuionPrueba {};

}  // namespace

TEST_F(GuionTest, SaldosDeProveedoresEnUnRangoDeClaves) {
  db::Tabla& proveedores = TresProveedores();
  PedidoGuion p;
  p.busca = "002";
  p.llena = [](TFormaFormatos& f) {
    // The dialog proposes the table's first and last keys.
    EXPECT_EQ(f.De->text(), "001");
    EXPECT_EQ(f.Hasta->text(), "003");
    f.Hasta->setText("350");
  };
  const CorridaGuion c = Ejecuta(proveedores, GuionSaldos(), p);
  ASSERT_TRUE(c.mostrada);
  EXPECT_EQ(c.caption, "Reporte de Saldos de Proveedores");
  EXPECT_EQ(c.sql, kSelect + "  where (SALDO_P>0.01)   and (CLAVE_P>='001' and CLAVE_P<='350')  order by CLAVE_P");
  EXPECT_EQ(c.paginas, (QStringList{kTitulo, kEncabezado, "", "", kRenglon1, kRenglon3, kSubrayado, kTotal, "", "", "."}));
  // The caller's table is open again on the key asked for.
  ASSERT_TRUE(proveedores.Active());
  EXPECT_EQ(proveedores.FieldByName("CLAVE_P").AsString(), "002");
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

// The dialog proposes the lowest and the highest key, whatever order the
// caller shows its table in, so the proposed range lists every row: by a
// tag of the key field, or without one (numbers ordered as numbers).
TEST_F(GuionTest, ElRangoPropuestoVaDeLaMenorALaMayorClave) {
  struct Caso {
    const char* que;
    std::function<db::Tabla&()> tabla;
    QString guion;
    QString clave;
    QString menor, mayor;
    QString orden;
    QStringList nombres;
  };
  const Caso casos[] = {
      {"proveedores por nombre",
       [&]() -> db::Tabla& {
         db::Tabla& t = Proveedores({{"045", "ACME", 1, 0, 1}, {"012", "ZETA", 1, 0, 1}, {"030", "BETA", 1, 0, 1}});
         t.SetIndexName("NOMBR_P");
         return t;
       },
       GuionSaldos(), "CLAVE_P", "012", "045", "NOMBR_P", {"ACME", "BETA", "ZETA"}},
      {"clave numerica sin tag",
       [&]() -> db::Tabla& {
         return Tabla("cuentas.dbf", {db::campo::N("CLAVE", 6), db::campo::C("NOMBRE", 10)},
                      {db::campo::Tag("NOMBRE")}, {{45, "A"}, {7, "Z"}, {30, "B"}});
       },
       "$Cuentas\r& Select CLAVE,NOMBRE from \"C:\\DATOS\\cuentas.dbf\"\r?(CLAVE>0) \u00BF\r!CLAVE\r"
       "%e            c          \r#CLAVE        NOMBRE     \r@\r",
       "CLAVE", "7", "45", "NOMBRE", {"A", "B", "Z"}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.que);
    db::Tabla& tabla = c.tabla();
    PedidoGuion p;
    p.clave = c.clave;
    QString de, hasta;
    p.llena = [&](TFormaFormatos& f) {
      de = f.De->text();
      hasta = f.Hasta->text();
    };
    const CorridaGuion corrida = Ejecuta(tabla, c.guion, p);
    EXPECT_EQ(de, c.menor);
    EXPECT_EQ(hasta, c.mayor);
    ASSERT_TRUE(corrida.mostrada);
    EXPECT_TRUE(corrida.sql.contains(QStringLiteral("(%1>='%2' and %1<='%3')").arg(c.clave, c.menor, c.mayor)))
        << corrida.sql.toStdString();
    // Every row is listed.
    QStringList nombres;
    for (const QString& linea : corrida.paginas)
      for (const QString& n : c.nombres)
        if (linea.startsWith(u' ') && linea.contains(u' ' + n + u' ')) nombres << n;
    nombres.sort();
    EXPECT_EQ(nombres, c.nombres) << corrida.paginas.join(u'|').toStdString();
    // The caller's table keeps its order.
    EXPECT_EQ(tabla.IndexName(), c.orden);
  }
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

TEST_F(GuionTest, CasosDelLenguaje) {
  EscribeCampos({{"proveedo.dbf", "CLAVE_P", "Clave", "ftString"},
                 {"proveedo.dbf", "NOMBR_P", "Nombre", "ftString"},
                 {"proveedo.dbf", "SALDO_P", "Saldo", "ftFloat"}});
  const QString otraVista = QStringLiteral("$Otra Vista\r%c c\r#CLAVE     NOMBRE \r@\r");
  const PedidoGuion normal;
  PedidoGuion porNombre;
  porNombre.llena = [](TFormaFormatos& f) { f.Orden->setCurrentIndex(f.Orden->findText("Nombre")); };
  PedidoGuion sinNada;
  sinNada.clave.clear();
  PedidoGuion alReves;
  alReves.sentido = u'd';

  struct Caso {
    const char* nombre;
    QString guion;
    PedidoGuion pedido;
    std::optional<QString> sql;
    std::optional<QStringList> paginas;
    bool error = false;
  };
  const Caso casos[] = {
      {"sin orden", GuionSaldos("?(SALDO_P>0.01) \u00BF", "!X"), normal,
       kSelect + "  where (SALDO_P>0.01)   and (CLAVE_P>='001' and CLAVE_P<='003')", std::nullopt},
      {"orden del dialogo", GuionSaldos(), porNombre,
       " Select CLAVE_P,NOMBR_P,CARGO_P,ABONO_P,SALDO_P ,NOMBR_P from " + kTabla +
           "  where (SALDO_P>0.01)   and (CLAVE_P>='001' and CLAVE_P<='003')  order by NOMBR_P",
       // The order field's column reaches the end of the heading; the
       // column before it is narrower by the "*".
       QStringList{kTitulo, kEncabezado + "*NOMBR_P", "", "",
                   "      1     ACME                 500.00       200.00       300.0 ACME     ",
                   "      3     GAMA                 150.50         0.00       150.5 GAMA     ",
                   B(27) + "____________ ____________ ___________ " + B(9),
                   B(27) + "      650.50       200.00       450.5 " + B(9), "", "", "."}},
      {"alias del ultimo", GuionSaldos("?(SALDO_P>0.01) \u00BF ") + GuionSaldos(), normal,
       kSelect + "  where (SALDO_P>0.01)   and (CLAVE_P>='001' and CLAVE_P<='003')  order by CLAVE_P",
       QStringList{kTitulo, kEncabezado, "", "", kRenglon1, kRenglon3, kSubrayado, kTotal, "", "", ".",
                   kTitulo, kEncabezado, "", "", kRenglon1, kRenglon3, kSubrayado, kTotal, "", "", "."}},
      {"nada que aplicar", GuionSaldos(), sinNada, kSelect + "  where (SALDO_P>0.01)    order by CLAVE_P",
       std::nullopt},
      // Its own title, heading and kinds; the kinds of block 1 beyond them
      // still total.
      {"bloque sin consulta", GuionSaldos() + otraVista, normal, std::nullopt,
       QStringList{kTitulo, kEncabezado, "", "", kRenglon1, kRenglon3, kSubrayado, kTotal, "", "", ".",
                   "*Reporte de Otra Vista", "CLAVE     NOMBRE ", "", "", "001       ACME    ", "003       GAMA    ",
                   B(18) + "____________ ____________ ____________ ",
                   B(18) + "      650.50       200.00       450.50 ", "", "", "."}},
      {"primero sin consulta", otraVista + GuionSaldos(), normal, std::nullopt, std::nullopt, true},
      {"renglon de calculo", "<14-24\r@\r" + GuionSaldos(), normal, std::nullopt,
       QStringList{kTitulo, kEncabezado, "", "", kRenglon1, kRenglon3, kSubrayado, kTotal, "", "", "."}},
      {"sin renglones", GuionSaldos("?(SALDO_P>99999) \u00BF"), normal, std::nullopt,
       QStringList{kTitulo, kEncabezado, "", "", kSubrayado, B(27) + "        0.00         0.00         0.00 ", "",
                   "", "."}},
      {"corte sin sumas",
       "$Saldos de Proveedores\r& Select CLAVE_P,NOMBR_P,CARGO_P,ABONO_P,SALDO_P from " + kTabla +
           "\r?(SALDO_P>0.01) \u00BF\r!CLAVE_P\r>CLAVE_P\r%e           c              c            c            c\r#" +
           kEncabezado + "\r@\r",
       normal, std::nullopt,
       QStringList{kTitulo, kEncabezado, "", "", "      1     ACME           500          200          300          ",
                   "      3     GAMA           150.5        0            150.5        ", B(66), B(66), "", B(66), B(66),
                   "", "", "."}},
      {"tipos T p e",
       "& Select NOMBR_P,SALDO_P,ABONO_P from " + kTabla +
           "\r?(SALDO_P>0.01) \u00BF\r!CLAVE_P\r%p,1,3  T  e\r#NOMBRE  SALDO        ABONO   \r@\r",
       normal, std::nullopt,
       QStringList{"", "ACM           300.00     200  ", "GAM           150.50          ", B(30), B(30), "", "",
                   "."}},
      {"al reves", GuionSaldos(), alReves, std::nullopt, QStringList{kTitulo, kEncabezado, "", "", kRenglon3, kRenglon1}},
      {"error de SQL", GuionSaldos().replace("NOMBR_P", "NOHAY_P"), normal, std::nullopt, std::nullopt, true},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.nombre);
    db::Tabla& proveedores = TresProveedores();
    PedidoGuion pedido = caso.pedido;
    pedido.busca = "003";
    const CorridaGuion c = Ejecuta(proveedores, caso.guion, pedido);
    EXPECT_EQ(c.mostrada, !caso.error);
    EXPECT_EQ(Mensajes(), caso.error ? QStringList{"Error al ejecutar el reporte..."} : QStringList{});
    if (caso.sql) {
      EXPECT_EQ(c.sql, *caso.sql);
    }
    if (caso.paginas) {
      EXPECT_EQ(c.paginas, *caso.paginas);
    }
    // Whatever happened, the table is open again on the key.
    ASSERT_TRUE(proveedores.Active());
    EXPECT_EQ(proveedores.FieldByName("CLAVE_P").AsString(), "003");
    ui::PuertaModal::LimpiaMensajes();
  }
}

TEST_F(GuionTest, RangoDeFechasDeLasCuentas) {
  db::Tabla& cuentas =
      Tabla("cuentas.dbf", {{"NUFAC_CC", 'C', 10, 0}, {"FEAPL_CC", 'D', 8, 0}, {"IMCUE_CC", 'N', 12, 2}}, {},
            {{"A1", QDate(2024, 2, 29), 10.0}, {"B2", QDate(2024, 3, 1), 20.0}, {"C3", QDate(2024, 3, 31), 30.5},
             {"D4", QDate(2024, 4, 1), 40.0}});
  PedidoGuion p;
  p.titulo = "&Cobros";
  p.clave.clear();
  p.llena = [](TFormaFormatos& f) {
    f.Inicial->setDate(QDate(2024, 3, 1));
    f.Final->setDate(QDate(2024, 3, 31));
  };
  const CorridaGuion c = Ejecuta(
      cuentas,
      "$Cobros\r& Select NUFAC_CC,IMCUE_CC from \"C:\\DATOS\\cuentas.dbf\"\r?(IMCUE_CC>0) \u00C7\r!NUFAC_CC\r"
      "%c       t           \r#FACTURA  IMPORTE     \r@\r",
      p);
  ASSERT_TRUE(c.mostrada);
  EXPECT_EQ(c.caption, "Reporte de Cobros");
  EXPECT_EQ(c.sql, " Select NUFAC_CC,IMCUE_CC from \"C:\\DATOS\\cuentas.dbf\"  where (IMCUE_CC>0)   and  "
                   "FEAPL_CC>=\"3/1/2024\"and  FEAPL_CC<=\"3/31/2024\"  order by NUFAC_CC");
  EXPECT_EQ(c.paginas.mid(4, 2), (QStringList{"B2              20.00 ", "C3              30.50 "}));
  EXPECT_EQ(c.paginas[7], B(9) + "       50.50 ");
}

TEST_F(GuionTest, ElDialogoDecideSiCorre) {
  db::Tabla& proveedores = TresProveedores();
  // Cancelled: nothing runs, the table is open again on its key.
  PedidoGuion cancela;
  cancela.busca = "003";
  cancela.llena = nullptr;
  EXPECT_FALSE(Ejecuta(proveedores, GuionSaldos(), cancela).mostrada);
  EXPECT_EQ(proveedores.FieldByName("CLAVE_P").AsString(), "003");

  // The mask disables the controls it marks; the window has the caption.
  PedidoGuion mascara;
  mascara.titulo = "Saldos & Cargos";
  mascara.mascara = "NN N";
  mascara.llena = [](TFormaFormatos& f) {
    EXPECT_FALSE(f.Inicial->isEnabled());
    EXPECT_FALSE(f.Final->isEnabled());
    EXPECT_TRUE(f.De->isEnabled());
    EXPECT_FALSE(f.Hasta->isEnabled());
    EXPECT_EQ(f.windowTitle(), "Datos del Reporte");
  };
  EXPECT_EQ(Ejecuta(proveedores, GuionSaldos(), mascara).caption, "Reporte de Saldos  Cargos");

  // Without the dialog: today's dates, the whole key range.
  PedidoGuion directo;
  directo.dialogo = false;
  directo.fechaDesde = directo.fechaHasta = "FULCO_P";
  EXPECT_EQ(Ejecuta(proveedores, GuionSaldos(), directo).sql,
            kSelect + "  where (SALDO_P>0.01)  and FULCO_P >= '3/15/2024' and FULCO_P <= '3/15/2024'   and "
                      "(CLAVE_P>='001' and CLAVE_P<='003')  order by CLAVE_P");
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

TEST_F(GuionTest, ClavesConApostrofoYGuionesSinLimites) {
  db::Tabla& proveedores = Proveedores({{"N1", "NORTE", 1, 0, 1}, {"O'BRIEN", "O'BRIEN HNOS", 10, 0, 10}});
  PedidoGuion p;
  p.llena = [](TFormaFormatos& f) {
    f.De->setText("O'BRIEN");
    f.Hasta->setText("O'BRIEN");
  };
  const CorridaGuion c = Ejecuta(proveedores, GuionSaldos(), p);
  ASSERT_TRUE(c.mostrada) << Mensajes().join(u'|').toStdString();
  EXPECT_TRUE(c.sql.contains("(CLAVE_P>='O''BRIEN' and CLAVE_P<='O''BRIEN')"));
  EXPECT_EQ(c.paginas.size(), 4 + 1 + 5);
  EXPECT_TRUE(c.paginas[4].contains("O'BRIEN HNOS"));

  // Twelve blocks of sixty columns: every block laid out and totalled.
  QString columnas = "SALDO_P";
  QString tipos = "%t";
  QString titulos = "#C01         ";
  for (int i = 2; i <= 60; ++i) {
    columnas += ",SALDO_P*" + QString::number(i);
    tipos += "  t";
    titulos += QStringLiteral("C%1         ").arg(i, 2, 10, QChar(u'0'));
  }
  QString guion;
  for (int b = 1; b <= 12; ++b) {
    guion += QStringLiteral("$Bloque %1\r& Select %2 from ").arg(b).arg(columnas) + kTabla +
             QStringLiteral("\r?(SALDO_P>=%1)\r!CLAVE_P\r").arg(b > 6 ? 5 : 0) + tipos + u'\r' + titulos + "\r@\r";
  }
  PedidoGuion todo;
  todo.dialogo = false;
  todo.clave.clear();
  const CorridaGuion grande = Ejecuta(proveedores, guion, todo);
  ASSERT_TRUE(grande.mostrada) << Mensajes().join(u'|').toStdString();
  ASSERT_EQ(grande.totales.size(), 12u);
  for (int b = 0; b < 12; ++b) {
    SCOPED_TRACE(b + 1);
    ASSERT_EQ(grande.totales[b].size(), 60u);
    EXPECT_EQ(grande.totales[b][0], b >= 6 ? Dinero(10) : Dinero(11));
    EXPECT_EQ(grande.totales[b][59], b >= 6 ? Dinero(600) : Dinero(660));
  }
  // The last total line reaches column 60.
  EXPECT_TRUE(grande.paginas[grande.paginas.size() - 4].endsWith("      600.00 "));
}

TEST_F(GuionTest, ProgresoDeUnaCorridaLarga) {
  // Records what the progress window shows while it is up.
  struct Testigo : QObject {
    QStringList mensajes;
    bool eventFilter(QObject* o, QEvent* e) override {
      if (e->type() == QEvent::Show && o->objectName() == "FormaProgreso")
        mensajes << static_cast<TFormaProgreso*>(o)->Mensaje->text();
      return false;
    }
  } testigo;
  qApp->installEventFilter(&testigo);
  UmbralProgresoGuion = 0;
  db::Tabla& proveedores = TresProveedores();
  const CorridaGuion c = Ejecuta(proveedores, GuionSaldos() + GuionSaldos(), {}, [](TFormaReporteSQL&) {
    // Gone before the report shows.
    EXPECT_TRUE(!FormaProgreso() || !FormaProgreso()->isVisible());
  });
  UmbralProgresoGuion = 1000;
  qApp->removeEventFilter(&testigo);
  EXPECT_TRUE(c.mostrada);
  ASSERT_FALSE(testigo.mensajes.isEmpty());
  EXPECT_EQ(testigo.mensajes[0], "Bloque 1: 0 de 0 renglones");
}

TEST(GuionTexto, ValoresPorTipo) {
  struct Caso {
    const char* valor;
    const char* tipo;
    const char* texto;
  };
  const Caso casos[] = {
      {"123", "e", "    123"},          {"0", "e", "       "},           {"abc", "e", ""},
      {"12.7", "E", "     13"},          {"1234.5", "f", "    1,234.50"},  {"x", "f", "        0.00"},
      {"", "t", "        0.00"},        {"-1234.5", "t", "   -1,234.50"}, {"x", "m", "           0"},
      {"1234.5", "$", "   $1,234.50"},   {"ACME", "p,1,3", "ACM"},        {"ACME", "p,2,9", "CME"},
      {"ACME", "p,x,3", ""},             {"", "p,1,3", ""},               {"45000.5", "h", "15/03/2023 12:00:00"},
      {"45000", "h", "15/03/2023"},      {"", "h", ""},                   {"texto", "c", "texto"},
      {"texto", ",c", "texto"},          {"texto", "", "texto"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(std::string(c.valor) + " / " + c.tipo);
    EXPECT_EQ(FormateaValorGuion(c.valor, c.tipo), c.texto);
  }
  for (const char* tipo : {"s", "$", "h"}) EXPECT_THROW(FormateaValorGuion("abc", tipo), plat::Error) << tipo;

  EXPECT_EQ(AjustaAnchoGuion("AB", 4), "AB  ");
  EXPECT_EQ(AjustaAnchoGuion("ABCD", 4), "ABC ");
  EXPECT_EQ(AlineaDerechaGuion("AB", 4), "  AB");
  EXPECT_EQ(AlineaDerechaGuion("ABCD", 4), "ABC ");
  EXPECT_EQ(InsertaCampoOrden("Select A from \"X\" union Select A from \"Y\"  order by B", "from", "B"),
            "Select A ,B from \"X\" union Select A ,B from \"Y\"  order by B");
  EXPECT_EQ(InsertaCampoOrden("Select A from T", "from", "B"), "Select A from T");
  EXPECT_EQ(AnchosDeEncabezado("UNO   DOS  TRES"), (std::vector<int>{6, 5, 5}));
  EXPECT_EQ(TitulosDeEncabezado("UNO   DOS%  *TRES"), (QStringList{"UNO", "DOS", "", "TRES"}));
  EXPECT_EQ(TextoRealGuion(0.1), "0.1");
  EXPECT_EQ(TextoRealGuion(1234.5678), "1234.5678");
}
