// The product window's "Reportes" menu: the plain listings through the
// report script runner, the purchase-expiry and history listings, the
// concentrated stock card file; the "Consultas" quick grids and the query
// runner with its saved views.

#include "inventory/ConsultaRap.h"
#include "inventory/GuionesInventario.h"
#include "platform/db/Consulta.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Texto.h"
#include "reports/Consulta.h"
#include "reports/Formatos.h"
#include "reports/GuionReporte.h"
#include "reports/RepoSQL.h"
#include "reports/Vistas.h"
#include "support/LanzadorGrabador.h"
#include "ventana_inventario.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>

namespace {

using prueba::Pulsa;

// What the runner was handed and showed.
struct Reporte {
  bool mostrado = false;
  QString caption;
  QString guion;  // the script with its placeholders filled
  QStringList paginas;
  QString de, hasta;
  bool fechas = false;  // the dialog's date boxes usable
  bool rango = false;   // its key boxes usable
};

// Runs a report item, accepting its parameters dialog as it comes (after
// `dialogo` has set it, when given).
Reporte Corre(QAction* item, std::function<void(TFormaFormatos&)> dialogo = {}) {
  auto r = std::make_shared<Reporte>();
  ui::PuertaModal::Espera("TFormaFormatos", [r, dialogo](QDialog& d) {
    auto& f = static_cast<TFormaFormatos&>(d);
    r->de = f.De->text();
    r->hasta = f.Hasta->text();
    r->fechas = f.Inicial->isEnabled() && f.Final->isEnabled();
    r->rango = f.De->isEnabled() && f.Hasta->isEnabled();
    if (dialogo) dialogo(f);
    Pulsa(d, "BitBtn4");
  });
  ui::PuertaModal::Espera("TFormaReporteSQL", [r](QDialog& d) {
    auto& v = static_cast<TFormaReporteSQL&>(d);
    r->mostrado = true;
    r->caption = v.windowTitle();
    r->guion = v.CodigoGlobal.join(u'\r') + u'\r';
    r->paginas = v.PaginasGuion;
  });
  item->trigger();
  return *r;
}

// The report's rows that start with a key, blanks squeezed.
QStringList Filas(const Reporte& r, const QStringList& claves) {
  QStringList filas;
  for (const QString& p : r.paginas) {
    const QString f = p.simplified();
    for (const QString& c : claves)
      if (f.startsWith(c + u' ')) filas << f;
  }
  return filas;
}

class ReportesInventario : public VentanaInventario {
 protected:
  void SetUp() override {
    VentanaInventario::SetUp();
    Producto({{"CLPRO_I", "A1"}, {"DSCPR_I", "Martillo"}, {"EXIST_I", "23"}, {"UEMPA_I", "10"}, {"EXIFA_I", "2.3"},
              {"STMAX_I", "30"}, {"VANCA_I", "5"}, {"VANMO_I", "100"}, {"FPGCC_I", "5"}, {"PPUBL_I", "12"}});
    Producto({{"CLPRO_I", "B2"}, {"DSCPR_I", "Clavo"}, {"EXIST_I", "8"}, {"UEMPA_I", "0"}, {"EXIFA_I", "7"},
              {"STMAX_I", "10"}, {"VANCA_I", "0"}, {"PPUBL_I", "1"}});
    Producto({{"CLPRO_I", "D4"}, {"DSCPR_I", "Serrucho"}, {"EXIST_I", "40"}, {"STMAX_I", "12"}, {"VANCA_I", "2"},
              {"PPUBL_I", "90"}});
  }

  static QAction* Item(TFormaInventario& f, const char* nombre) {
    auto* a = f.Componente<QAction>(QString::fromLatin1(nombre));
    EXPECT_TRUE(a) << nombre;
    return a;
  }

  // The window ordered by description, standing on the product.
  static void EnProducto(TFormaInventario& f, const QString& clave) {
    f.PosicionaProducto(clave);
    f.Dscripcin1->trigger();
    ASSERT_EQ(f.EditCLPRO_I->text(), clave);
  }
};

// The filled condition of a listing: the key range of the whole table.
const QString kRango = QStringLiteral("  and (CLPRO_I>='A1' and CLPRO_I<='D4')");

TEST_F(ReportesInventario, CadaListadoEntregaSuGuionYVuelveAlProducto) {
  TFormaInventario& f = Ventana();
  EnProducto(f, "B2");
  // Three listings byte for byte: the common shape, the descending order
  // and the stock factor.
  const QByteArray inicio = "& Select ";
  const QByteArray tabla = " from \"C:\\VRL\\DATOS\\INVENTAR.dbf\"\r";
  const std::map<QString, QByteArray> exactos = {
      {"Stocks1",
       "$Reporte de Stocks\r" + inicio + "CLPRO_I,DSCPR_I,EXIST_I,ULCOS_I,STMIN_I,STMAX_I,EXIST_I-STMIN_I" + tabla +
           "?(CLPRO_I=CLPRO_I) \xBF\r!CLPRO_I\r"
           "%c              c                   f                 t                 f              f             f "
           "            \r"
           "#PRODUCTO       DESCRIPCION         EXISTENCIAS       ULTIMO_COSTO      STOCK_MINIMO   STOCK_MAXIMO  "
           "AJUSTE        \r@\r"},
      {"MsVendido1", "$M\xE1s Vendido\r" + inicio + "CLPRO_I,DSCPR_I,VANMO_I,EXIST_I,EXIFA_I" + tabla +
                         "?(CLPRO_I=CLPRO_I) \xBF\r!VANMO_I desc\r"
                         "%c              c                       t             t            t             \r"
                         "#PRODUCTO       DESCRIPCION              CANTIDAD     EXISTENCIAS  PIEZAS        \r@\r"},
      {"ExistenciasyStockMnimo1",
       "$Existencias y Stock M\xE1ximo\r" + inicio + "CLPRO_I,DSCPR_I,EXIST_I,STMAX_I,((EXIST_I-STMAX_I)*(-1))" +
           tabla +
           "?((EXIST_I-(STMAX_I-0))<=0)and(CLPRO_I=CLPRO_I) \xBF\r!CLPRO_I\r"
           "%c              c                   t                     f              f             \r"
           "#PRODUCTO       DESCRIPCION         EXISTENCIAS           STOCK_MAXIMO   FALTANTES        \r@\r"},
  };
  int vistos = 0;
  for (const ListadoInventario& l : ListadosInventario()) {
    SCOPED_TRACE(l.item);
    ui::PuertaModal::LimpiaMensajes();
    QAction* item = Item(f, l.item);
    ASSERT_TRUE(item && item->isEnabled());
    const Reporte r = Corre(item);
    ASSERT_TRUE(r.mostrado);
    EXPECT_EQ(Mensajes(), QStringList());
    EXPECT_EQ(r.caption, "Reporte de " + item->text());
    // Key range on CLPRO_I over the whole table, though ordered by
    // description; the date boxes off.
    EXPECT_EQ(r.de, "A1");
    EXPECT_EQ(r.hasta, "D4");
    EXPECT_TRUE(r.rango);
    EXPECT_FALSE(r.fechas);
    const QStringList lineas = r.guion.split(u'\r');
    ASSERT_EQ(lineas.size(), 8);
    EXPECT_EQ(lineas[0], "$" + item->text());
    EXPECT_TRUE(lineas[1].endsWith(" from \"C:\\VRL\\DATOS\\INVENTAR.dbf\"")) << lineas[1].toStdString();
    EXPECT_TRUE(lineas[2].endsWith(kRango)) << lineas[2].toStdString();
    EXPECT_EQ(lineas[6], "@");
    // As many kinds and headings as selected columns.
    const int columnas = QString::fromUtf8(l.columnas).count(u',') + 1;
    EXPECT_EQ(TokensTiposGuion(lineas[4].mid(1)).size(), columnas);
    EXPECT_EQ(AnchosDeEncabezado(lineas[5].mid(1)).size(), size_t(columnas));
    if (const auto e = exactos.find(l.item); e != exactos.end()) {
      EXPECT_EQ(fs::ACp1252(r.guion), QByteArray(e->second).replace("\xBF", fs::ACp1252(kRango)));
      ++vistos;
    }
    // The window shows the product it showed, in its order.
    EXPECT_EQ(f.EditCLPRO_I->text(), "B2");
    EXPECT_EQ(f.TablaInventario->FieldByName("CLPRO_I").AsString(), "B2");
    EXPECT_EQ(f.TablaInventario->IndexName(), "DSCPR_I");
  }
  EXPECT_EQ(vistos, 3);
}

TEST_F(ReportesInventario, ExistenciasYStockMaximoRestaElFactor) {
  struct Caso {
    QString linea72;
    QStringList filas;
  };
  const Caso casos[] = {
      {"", {"A1 Martillo 23.00 30.00 7.00", "B2 Clavo 8.00 10.00 2.00"}},
      {"5", {"A1 Martillo 23.00 30.00 7.00"}},
      // A text that is no number counts 0 and never reaches the statement.
      {"1)or(1=1", {"A1 Martillo 23.00 30.00 7.00", "B2 Clavo 8.00 10.00 2.00"}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.linea72.toStdString());
    Lineas({{ConfFactorStock, c.linea72}});
    TFormaInventario& f = Ventana();
    const Reporte r = Corre(Item(f, "ExistenciasyStockMnimo1"));
    ASSERT_TRUE(r.mostrado);
    EXPECT_EQ(Filas(r, {"A1", "B2", "D4"}), c.filas) << r.paginas.join(u'\n').toStdString();
  }
}

TEST_F(ReportesInventario, EmpaquesYCajasGuardaLasPiezasSueltas) {
  TFormaInventario& f = Ventana();
  const Reporte r = Corre(Item(f, "EmpaquesyCajas1"));
  ASSERT_TRUE(r.mostrado);
  EXPECT_EQ(Campo("A1", "EXIFA_I"), "3");
  EXPECT_EQ(Campo("B2", "EXIFA_I"), "7");
  EXPECT_EQ(Filas(r, {"A1", "B2", "D4"}), QStringList{"A1 Martillo 23.00 3.00"});
  EXPECT_EQ(Mensajes(), QStringList());
}

// Purchase lines of the product with their expiry, and its purchase and
// invoice history: a key holding quotes lists its own rows.
TEST_F(ReportesInventario, CaducidadEHistoriaConComillasEnLaClave) {
  for (const QString& clave : {QStringLiteral("O\"B"), QStringLiteral("O'B")}) {
    Producto({{"CLPRO_I", clave}, {"DSCPR_I", "Cable " + clave}});
    auto compras = AbreTabla(kDatos, "ComprasD.dbf");
    compras->Append();
    compras->FieldByName("CLDOC_OD").SetAsString(clave.contains(u'"') ? "41" : "42");
    compras->FieldByName("CLPRO_OD").SetAsString(clave);
    compras->FieldByName("DESCR_OD").SetAsString("Cable");
    compras->FieldByName("CANTI_OD").SetAsFloat(6);
    compras->FieldByName("CUNIT_OD").SetAsFloat(2.5);
    compras->FieldByName("CADUC_OD").SetAsString("30/06/2026");
    compras->FieldByName("FEDOC_OD").SetAsString("01/03/2025");
    compras->Post();
  }
  auto facturas = AbreTabla(kDatos, "FacturaD.dbf");
  facturas->Append();
  facturas->FieldByName("CLDOC_FD").SetAsString("77");
  facturas->FieldByName("CLPRO_FD").SetAsString("O'B");
  facturas->FieldByName("DEPRO_FD").SetAsString("Cable");
  facturas->FieldByName("CANTI_FD").SetAsFloat(2);
  facturas->FieldByName("PUNPR_FD").SetAsFloat(4);
  facturas->Post();
  facturas.reset();

  TFormaInventario& f = Ventana();
  f.PosicionaProducto("O\"B");
  const Reporte caducidad = Corre(Item(f, "Caducidad1"));
  ASSERT_TRUE(caducidad.mostrado) << Mensajes().join(u'\n').toStdString();
  EXPECT_EQ(caducidad.caption, "Reporte de Caducidad");
  EXPECT_TRUE(caducidad.guion.contains("I.CLPRO_I=\"O\"\"B\")")) << caducidad.guion.toStdString();
  EXPECT_EQ(Filas(caducidad, {"41", "42"}), QStringList{"41 O\"B Cable 6.00 01/03/2025 30/06/2026"})
      << caducidad.paginas.join(u'\n').toStdString();

  f.PosicionaProducto("O'B");
  const Reporte historia = Corre(Item(f, "HistoriaComprasyVentas1"));
  ASSERT_TRUE(historia.mostrado) << Mensajes().join(u'\n').toStdString();
  // One statement of two selects on the one "&" line; no key range asked.
  EXPECT_EQ(historia.guion.count(u'\r'), 5);
  EXPECT_TRUE(historia.guion.contains("WHERE CLPRO_OD='O''B'  UNION & Select")) << historia.guion.toStdString();
  EXPECT_EQ(historia.de, "");
  EXPECT_EQ(Filas(historia, {"42", "77"}),
            (QStringList{"42 O'B Cable 6.00 2.50 15.00 A", "77 O'B Cable 2.00 4.00 8.00 B"}))
      << historia.paginas.join(u'\n').toStdString();
  EXPECT_EQ(f.EditCLPRO_I->text(), "O'B");
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(ReportesInventario, ConsultasRapidasDelProducto) {
  Producto({{"CLPRO_I", "O\"B"}, {"DSCPR_I", "Cable"}});
  auto compras = AbreTabla(kDatos, "ComprasD.dbf");
  for (const char* estado : {"", "C"}) {
    compras->Append();
    compras->FieldByName("CLDOC_OD").SetAsString("5");
    compras->FieldByName("CLPRO_OD").SetAsString("O\"B");
    compras->FieldByName("CANTI_OD").SetAsFloat(3);
    compras->FieldByName("TREGI_OD").SetAsString(estado);
    compras->Post();
  }
  compras.reset();
  auto remisiones = AbreTabla(kDatos, "RemisioD.dbf");
  remisiones->Append();
  remisiones->FieldByName("CLDOC_FD").SetAsString("9");
  remisiones->FieldByName("CLPRO_FD").SetAsString("O\"B");
  remisiones->FieldByName("CANTI_FD").SetAsFloat(1);
  remisiones->Post();
  remisiones.reset();
  AgregaFila(kDatos, "MOVINVEN.DBF", {{"CLDOC_MI", 3}, {"CLPRO_MI", "O\"B"}, {"TIMOV_MI", 57}, {"CANTI_MI", 4}});
  AgregaFila(kDatos, "MOVINVEN.DBF", {{"CLDOC_MI", 4}, {"CLPRO_MI", "A1"}, {"TIMOV_MI", 57}, {"CANTI_MI", 4}});

  TFormaInventario& f = Ventana();
  f.PosicionaProducto("O\"B");
  struct Caso {
    const char* item;
    QString cantidad;  // the first column's values
  };
  const Caso casos[] = {{"Compras1", "3"}, {"Ventas1", "1"}, {"Movimientos1", "4"}};
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.item);
    QString encabezado;
    QStringList valores;
    ui::PuertaModal::Espera("TFormaConsultaRapida", [&](QDialog& d) {
      auto& q = static_cast<TFormaConsultaRapida&>(d);
      encabezado = q.LabelEncabezado->text();
      for (q.QueryRap->First(); !q.QueryRap->Eof(); q.QueryRap->Next()) valores << q.QueryRap->Fields(0).AsString();
    });
    Item(f, c.item)->trigger();
    EXPECT_EQ(encabezado, "O\"B  Cable");
    EXPECT_EQ(valores, QStringList{c.cantidad});
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

// "Personalizar": the query runner over the product table of the inventory
// folder, with the saved views whose files still exist; a list naming a
// view that is gone is rewritten without it, through Cliente2.for.
TEST_F(ReportesInventario, PersonalizarCompactaLaListaDeVistas) {
  const QString lista = kDatos + "\\report\\inventar.for";
  const QStringList vistas = {"C:\\VRL\\report\\uno.vis", "C:\\VRL\\report\\dos.vis", "C:\\VRL\\report\\tres.vis"};
  for (int i = 0; i < 3; ++i) {
    if (i != 1) EscribeLineas(vistas[i], {"C.CLPRO_I"});
    AgregaEntradaVista(lista, {vistas[i], QStringLiteral("Vista %1").arg(i + 1)});
  }
  // The inventory folder apart from the data folder.
  const QString inventario = "C:\\VRL\\INVENT";
  CreaTabla(inventario, "INVENTAR.DBF");
  auto t = AbreTabla(inventario, "INVENTAR.DBF");
  AgregaProducto(*t, "Z9");
  t.reset();
  Lineas({{ConfCarpetaInventario, inventario}});

  QStringList archivos;
  QString descripcion, archi, tabla, primera;
  ui::PuertaModal::Espera("TFormaConsulta", [&](QDialog& d) {
    auto& c = static_cast<TFormaConsulta&>(d);
    for (int i = 0; i < c.Archivo->count(); ++i) archivos << c.Archivo->itemText(i);
    primera = c.Archivo->currentText();
    descripcion = c.Descripcion->toPlainText();
    archi = c.Archi->text();
    tabla = c.TablaConsulta->Active() ? c.TablaConsulta->FieldByName("CLPRO_I").AsString() : QString();
  });
  TFormaInventario& f = Ventana();
  Item(f, "Personalizar1")->trigger();

  EXPECT_EQ(archivos, (QStringList{vistas[0], vistas[2]}));
  EXPECT_EQ(primera, vistas[0]);
  EXPECT_EQ(descripcion, "Vista 3");
  EXPECT_EQ(archi, "inventar.for");
  EXPECT_EQ(tabla, "Z9");
  for (const QString& archivo : {lista, kDatos + "\\report\\Cliente2.for"}) {
    QStringList quedan;
    for (const TEntradaVista& e : LeeListaVistas(archivo)) quedan << e.Archivo + "|" + e.Descripcion;
    EXPECT_EQ(quedan, (QStringList{vistas[0] + "|Vista 1", vistas[2] + "|Vista 3"})) << archivo.toStdString();
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

// "Kardex Concentrado": entries, exits and stock of every product sold,
// from the product shown to the end, into TEMPO\Kardex<day>.XLS, opened
// with the spreadsheet program of line 31.
TEST_F(ReportesInventario, KardexConcentradoEscribeLosProductosVendidos) {
  Lineas({{ConfHojaCalculo, "calc.exe"}});
  EscribeLineas("C:\\VRL\\programas.map", {"calc.exe=hoja"});
  AgregaFila(kDatos, "MOVINVEN.DBF", {{"CLDOC_MI", 1}, {"CLPRO_MI", "A1"}, {"TIMOV_MI", 57}, {"CANTI_MI", 30}});
  AgregaFila(kDatos, "MOVINVEN.DBF", {{"CLDOC_MI", 2}, {"CLPRO_MI", "A1"}, {"TIMOV_MI", 3}, {"CANTI_MI", 7}});
  AgregaFila(kDatos, "MOVINVEN.DBF", {{"CLDOC_MI", 3}, {"CLPRO_MI", "B2"}, {"TIMOV_MI", 57}, {"CANTI_MI", 8}});
  prueba::LanzadorGrabador lanzador;

  // Not the administrator: refused.
  TFormaInventario& caja = Ventana("1");
  Item(caja, "KardexConcentrado1")->trigger();
  EXPECT_EQ(Mensajes(), QStringList{"Esta Opción es Permitida solo al Administrador"});
  EXPECT_TRUE(lanzador.iniciados.isEmpty());

  const QString archivo = "C:\\VRL\\TEMPO\\Kardex" + QString::number(QDate(1899, 12, 30).daysTo(fs::Hoy())) + ".XLS";
  TFormaInventario& f = Ventana();
  f.PosicionaProducto("A1");
  Item(f, "KardexConcentrado1")->trigger();
  EXPECT_EQ(Mensajes(), QStringList());
  // B2 never sold: no line, though it has stock.
  EXPECT_EQ(fs::LeeBytes(archivo), "CLAVE\tENTRADAS\tSALIDAS\tEXISTENCIAS\r\n"
                                   "A1\t30\t-7\t23.00\r\n"
                                   "D4\t0\t0\t40.00\r\n");
  ASSERT_EQ(lanzador.iniciados.size(), 1);
  EXPECT_EQ(lanzador.iniciados[0], (proc::Orden{"hoja", {fs::Local(archivo)}, {}}));
  EXPECT_EQ(f.EditCLPRO_I->text(), "A1");

  // From the product shown on: standing on D4, A1 is left out.
  f.PosicionaProducto("D4");
  Item(f, "KardexConcentrado1")->trigger();
  EXPECT_EQ(fs::LeeBytes(archivo), "CLAVE\tENTRADAS\tSALIDAS\tEXISTENCIAS\r\nD4\t0\t0\t40.00\r\n");
}

TEST_F(VentanaInventario, KardexConcentradoDeUnSoloProducto) {
  Producto({{"CLPRO_I", "P1"}, {"VANCA_I", "1"}, {"EXIST_I", "1234.5"}});
  prueba::LanzadorGrabador lanzador;
  TFormaInventario& f = Ventana();
  f.Componente<QAction>("KardexConcentrado1")->trigger();
  EXPECT_EQ(Mensajes(), QStringList());
  const QString archivo = "C:\\VRL\\TEMPO\\Kardex" + QString::number(QDate(1899, 12, 30).daysTo(fs::Hoy())) + ".XLS";
  EXPECT_EQ(fs::LeeBytes(archivo), "CLAVE\tENTRADAS\tSALIDAS\tEXISTENCIAS\r\nP1\t0\t0\t1,234.50\r\n");
}

}  // namespace
