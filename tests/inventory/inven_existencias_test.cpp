// The product window's stock checks and adjustments: the stored stock set
// to the recount, adjustment movements for the differences, the lists of
// differences with the progress window's stop, and the totals rows that do
// not add up. Each command is run from its menu item as a user does.

#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "inventory/Caducidad.h"
#include "inventory/Costeo.h"
#include "platform/db/Consulta.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Componentes.h"
#include "reports/Progreso.h"
#include "support/LanzadorGrabador.h"
#include "ventana_inventario.h"

#include <QAction>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

const QDateTime kAhora(QDate(2025, 3, 10), QTime(9, 30));

class ExistenciasInventario : public VentanaInventario {
 protected:
  void SetUp() override {
    VentanaInventario::SetUp();
    CreaTablaDe(db::CarpetaTabla::Datos, "comovinv.dbf", kDatos);
    CreaTablaDe(db::CarpetaTabla::Inventario, "MOVIMIENTOS.DBF", kDatos);
    fs::FijaAhora(kAhora);
    qputenv("VORLAN_PROGRAMAS", "notepad.exe=mousepad");
  }
  void TearDown() override {
    qunsetenv("VORLAN_PROGRAMAS");
    VentanaInventario::TearDown();
  }

  static void Compra(const QString& clave, double cantidad) {
    AgregaFila(kDatos, "ComprasD.dbf", {{"CLDOC_OD", "4"}, {"CLPRO_OD", clave}, {"CANTI_OD", cantidad}});
  }
  static void Remision(const QString& clave, double cantidad) {
    AgregaFila(kDatos, "RemisioD.dbf", {{"CLDOC_FD", "15"}, {"CLPRO_FD", clave}, {"CANTI_FD", cantidad}});
  }
  static void Factura(const QString& clave, double cantidad) {
    AgregaFila(kDatos, "FacturaD.dbf", {{"CLDOC_FD", "7"}, {"CLPRO_FD", clave}, {"CANTI_FD", cantidad}});
  }
  static void Movimiento(const QString& clave, int concepto, double cantidad, qint64 numero = 9) {
    AgregaFila(kDatos, kTablaMovimientos,
               {{"CLDOC_MI", numero}, {"CLPRO_MI", clave}, {"TIMOV_MI", concepto}, {"CANTI_MI", cantidad},
                {"FEDOC_MI", QDate(2025, 3, 1)}});
  }

  // The totals row of a key as "entries/exits/stock/stored"; "" when none.
  static QString Totales(const QString& clave) {
    auto k = Abre(kTablaKardex, kTagKardex);
    if (!k->FindKey({clave})) return {};
    QStringList v;
    for (const char* c : {"ENTRA_I", "SALID_I", "EXIST_I", "INVEN_I"}) v << k->FieldByName(c).AsString();
    return v.join(u'/');
  }

  static QByteArray Bytes(const QString& ruta) { return fs::LeeBytes(fs::Local(ruta)); }
  static QString Dia() { return QString::number(NumeroDeFecha(kAhora.date())); }

  static void Corre(TFormaInventario& f, const char* item) {
    auto* a = f.Componente<QAction>(QString::fromLatin1(item));
    ASSERT_TRUE(a && a->isEnabled()) << item;
    a->trigger();
  }
};

// Started on the tenth product, the command examines the tenth to the
// last: the recount is written where it differs from the stored text, a
// recount within a thousandth of 0 is stored as "0" and not counted, a
// blank stock whose recount is 0 stays blank; every examined product gets
// its file line; the stamp file follows the message.
TEST_F(ExistenciasInventario, SegunKardexDesdeElProductoMostrado) {
  for (int i = 1; i <= 9; ++i) {
    const QString clave = QStringLiteral("P%1").arg(i, 2, 10, QChar(u'0'));
    Producto({{"CLPRO_I", clave}, {"EXIST_I", "1"}});
    Compra(clave, 2);
  }
  Producto({{"CLPRO_I", "P10"}, {"EXIST_I", "3"}});
  Compra("P10", 0.0004);
  Producto({{"CLPRO_I", "P11"}, {"EXIST_I", "5"}});
  Compra("P11", 5);
  Producto({{"CLPRO_I", "P12"}, {"EXIST_I", "2"}});
  Compra("P12", 4);
  Remision("P12", 1);
  Producto({{"CLPRO_I", "P13"}});
  const QString control = kDatos + "\\Control\\03-2025";
  fs::CreaCarpeta(control);

  TFormaInventario& f = Ventana("1");
  f.PosicionaProducto("P10");
  Corre(f, "AjustarInventarioSegunKardex1");

  EXPECT_EQ(Mensajes(), QStringList{"Total de Ajustados 1"});
  EXPECT_EQ(Bytes("C:\\VRL\\Kardex" + Dia() + ".dat"), "P10,0\r\nP11,5\r\nP12,3\r\nP13,0\r\n");
  for (int i = 1; i <= 9; ++i) EXPECT_EQ(Campo(QStringLiteral("P%1").arg(i, 2, 10, QChar(u'0')), "EXIST_I"), "1");
  EXPECT_EQ(Campo("P10", "EXIST_I"), "0");
  EXPECT_EQ(Campo("P11", "EXIST_I"), "5");
  EXPECT_EQ(Campo("P12", "EXIST_I"), "3");
  EXPECT_EQ(Campo("P13", "EXIST_I"), "");
  // The totals follow every recount written, and none where the stock
  // already agreed.
  EXPECT_EQ(Totales("P11"), "");
  EXPECT_EQ(Totales("P12"), "4/-1/3/3");
  EXPECT_EQ(Totales("P13"), "0/0/0/0");
  EXPECT_EQ(Totales("P01"), "");

  const double ahora = NumeroDeFecha(kAhora.date()) + 9.5 / 24;
  EXPECT_EQ(fs::LeeLineas(control + "\\UltimoKardex.dat"), (QStringList{TextoReal(ahora), "10/03/2025 09:30:00"}));
  // The window stands on the last product.
  EXPECT_EQ(f.EditCLPRO_I->text(), "P13");
}

// With several warehouses the walks go over the products of the warehouse
// the window shows, as the window lists them; the others stay as they were.
TEST_F(ExistenciasInventario, LosRecorridosSonDelAlmacenMostrado) {
  const auto dia = [](int d) { return QString::number(NumeroDeFecha(QDate(2025, 3, d))); };
  for (const char* almacen : {"1", "2"}) {
    for (const char* producto : {"A", "B"}) {
      const QString clave = QString(producto) + almacen;
      Producto({{"CLPRO_I", clave}, {"ALMAC_I", almacen}, {"EXIST_I", "1"}, {"FEULV_I", "05/03/2025"}});
      Compra(clave, 4);
    }
  }
  Lineas({{ConfMultialmacen, "S"}});
  TFormaInventario& f = Ventana("1");
  f.NoAlmacen->setValue(2);
  ASSERT_EQ(f.EditCLPRO_I->text(), "A2");

  Corre(f, "AjustarInventarioSegunKardex1");
  Corre(f, "ActualizarFechaUso1");
  EXPECT_EQ(Mensajes(), (QStringList{"Total de Ajustados 2", "Proceso Terminado..."}));
  EXPECT_EQ(Bytes("C:\\VRL\\Kardex" + Dia() + ".dat"), "A2,4\r\nB2,4\r\n");
  for (const char* clave : {"A2", "B2"}) {
    EXPECT_EQ(Campo(clave, "EXIST_I"), "4") << clave;
    EXPECT_EQ(Campo(clave, "HORAF_F"), dia(5)) << clave;
  }
  for (const char* clave : {"A1", "B1"}) {
    EXPECT_EQ(Campo(clave, "EXIST_I"), "1") << clave;
    EXPECT_EQ(Campo(clave, "HORAF_F"), "") << clave;
    EXPECT_EQ(Totales(clave), "") << clave;
  }
}

// The quick form examines only the products sold or with a stock, writes
// "0" over a blank stock whose recount is 0, and lists what it wrote; a
// missing month folder leaves the stamp unwritten, without a word.
TEST_F(ExistenciasInventario, PorKardexRapidoSoloLosVendidosOConExistencia) {
  Producto({{"CLPRO_I", "A"}, {"VANCA_I", "0"}});
  Compra("A", 4);
  Producto({{"CLPRO_I", "B"}, {"VANCA_I", "2"}});
  Producto({{"CLPRO_I", "C"}, {"EXIST_I", "1"}});
  Compra("C", 6);
  Producto({{"CLPRO_I", "D"}, {"EXIST_I", "3"}});
  Compra("D", 3);

  TFormaInventario& f = Ventana();
  f.PosicionaProducto("A");
  Corre(f, "AjustarporKardexRapido1");

  EXPECT_EQ(Mensajes(), QStringList{"Total de Ajustados 1 de 3"});
  EXPECT_EQ(Campo("A", "EXIST_I"), "");
  EXPECT_EQ(Campo("B", "EXIST_I"), "0");
  EXPECT_EQ(Campo("C", "EXIST_I"), "6");
  EXPECT_EQ(Campo("D", "EXIST_I"), "3");
  EXPECT_EQ(Totales("C"), "6/0/6/6");
  EXPECT_EQ(Totales("D"), "");
  EXPECT_EQ(Bytes("C:\\VRL\\TEMPO\\Kardex" + Dia() + ".dat"), "B\t0.00\t0.00\r\nC\t6.00\t6.00\r\n");
  EXPECT_FALSE(fs::Existe(kDatos + "\\Control\\03-2025\\UltimoKardex.dat"));
}

// With configuration line 78 "S" the recount comes from the movement
// mirror (cancelled copies, returns and put-back rows left out) and gives
// the stock alone: both adjustments write it and its file line and leave
// the totals row as it was.
TEST_F(ExistenciasInventario, ConElEspejoSoloLaExistencia) {
  Lineas({{ConfKardexIntegral, "S"}});
  for (const auto& [documento, concepto, cantidad, estado] :
       {std::tuple{"C7", 51, 10.0, ""}, std::tuple{"R15", 3, 2.0, ""}, std::tuple{"R16", 3, 5.0, "C"}})
    AgregaFila(kDatos, "MOVIMIENTOS.DBF",
               {{"CLDOC_MI", documento}, {"CLPRO_MI", "M"}, {"TIMOV_MI", concepto}, {"CANTI_MI", cantidad},
                {"FEDOC_MI", QDate(2025, 3, 1)}, {"STATUS", estado}});
  Movimiento("M", 56, 1);
  Movimiento("M", 52, 7);
  Movimiento("M", 54, 7);
  AgregaFila(kDatos, kTablaKardex,
             {{"CLPRO_I", "M"}, {"ENTRA_I", 50}, {"SALID_I", -10}, {"EXIST_I", 40}, {"INVEN_I", 40}});

  struct Caso {
    const char* item;
    QString archivo;
    QByteArray linea;
    QString mensaje;
  };
  const Caso casos[] = {
      {"AjustarInventarioSegunKardex1", "C:\\VRL\\Kardex" + Dia() + ".dat", "M,9\r\n", "Total de Ajustados 1"},
      {"AjustarporKardexRapido1", "C:\\VRL\\TEMPO\\Kardex" + Dia() + ".dat", "M\t9.00\t9.00\r\n",
       "Total de Ajustados 1 de 1"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.item);
    {
      auto t = Abre(kTablaProductos);
      if (t->IsEmpty()) {
        t->Append();
        t->FieldByName("CLPRO_I").SetAsString("M");
      } else {
        t->Edit();
      }
      t->FieldByName("EXIST_I").SetAsFloat(4);
      t->Post();
    }
    TFormaInventario& f = Ventana();
    Corre(f, c.item);
    EXPECT_EQ(Mensajes(), QStringList{c.mensaje});
    EXPECT_EQ(Campo("M", "EXIST_I"), "9");
    EXPECT_EQ(Bytes(c.archivo), c.linea);
    EXPECT_EQ(Totales("M"), "50/-10/40/40");
  }
}

// The history made to agree with the stored stock: an entry adjustment
// (56) where the stock is higher, an exit (6) where it is lower, each a
// document of its own numbered after the last, nothing below a cent; the
// stored stock and the totals stay as they are.
TEST_F(ExistenciasInventario, SegunExistenciasAgregaMovimientosDeAjuste) {
  Producto({{"CLPRO_I", "OTRO"}, {"EXIST_I", "2"}});
  Movimiento("OTRO", 57, 2, 41);
  Producto({{"CLPRO_I", "W"}, {"EXIST_I", "7.01"}});
  Compra("W", 7);
  Producto({{"CLPRO_I", "X"}, {"DSCPR_I", "Taladro"}, {"EXIST_I", "10"}, {"CPROM_I", "4.25"}, {"PPUBL_I", "9.5"}});
  Compra("X", 7);
  Producto({{"CLPRO_I", "Y"}, {"EXIST_I", "7"}});
  Compra("Y", 10);
  Producto({{"CLPRO_I", "Z"}, {"EXIST_I", "7"}});
  Compra("Z", 7.005);

  TFormaInventario& f = Ventana();
  f.PosicionaProducto("OTRO");
  Corre(f, "AjustarInventarioSegunExistencias1");
  EXPECT_EQ(Mensajes(), QStringList());

  auto m = Abre(kTablaMovimientos, "CLDOC_MI");
  QStringList filas;
  for (m->First(); !m->Eof(); m->Next()) {
    QStringList v;
    for (const char* c : {"CLDOC_MI", "TIMOV_MI", "CANTI_MI", "CLPRO_MI"}) v << m->FieldByName(c).AsString();
    filas << v.join(u'/');
  }
  EXPECT_EQ(filas, (QStringList{"41/57/2/OTRO", "42/56/0.01/W", "43/56/3/X", "44/6/3/Y"}));
  ASSERT_TRUE(m->FindKey({43}));
  TRegistroMovimientoInventario r;
  r.Lee(*m);
  EXPECT_EQ(r.DESCR_MI, "Taladro");
  EXPECT_EQ(r.FEDOC_MI, kAhora.date());
  EXPECT_EQ(r.REFMO_MI, "Ajus");
  EXPECT_EQ(r.CLPRV_MI, "Ajuste");
  EXPECT_EQ(r.CLCOP_MI, "Ajuste");
  EXPECT_EQ(r.COSUN_MI, Dinero::DeReal(4.25));
  EXPECT_EQ(r.PUNIT_MI, Dinero::DeReal(9.5));
  EXPECT_EQ(r.NALMA_MI, 1);
  EXPECT_EQ(r.FECHA, SelloFecha(kAhora.date()));
  EXPECT_EQ(r.NUDOC_MI, "");
  EXPECT_EQ(r.USUARIO, "");
  EXPECT_FALSE(r.HORAF_F.has_value());

  for (const char* clave : {"W", "X", "Y", "Z"}) EXPECT_EQ(Totales(clave), "") << clave;
  EXPECT_EQ(Campo("X", "EXIST_I"), "10");
  EXPECT_EQ(Campo("Y", "EXIST_I"), "7");
}

// The numbered quick list counts remissions, purchases and movements but
// not invoices, lists differences above 0.1 only, passes over products
// neither sold nor stocked, and opens in the text editor.
TEST_F(ExistenciasInventario, RevisaRapidoListaLasDiferenciasNumeradas) {
  Producto({{"CLPRO_I", "L1"}, {"EXIST_I", "5"}});
  Compra("L1", 5.2);
  Producto({{"CLPRO_I", "L2"}, {"EXIST_I", "5"}});
  Compra("L2", 5.05);
  Producto({{"CLPRO_I", "L3"}, {"EXIST_I", "5"}});
  Compra("L3", 5);
  Factura("L3", 1);
  Producto({{"CLPRO_I", "L4"}, {"EXIST_I", "9"}});
  Compra("L4", 8);
  Remision("L4", 1);
  Movimiento("L4", 54, 3);
  Producto({{"CLPRO_I", "L5"}, {"VANCA_I", "0"}});
  Compra("L5", 3);

  prueba::LanzadorGrabador lanzador;
  TFormaInventario& f = Ventana();
  f.PosicionaProducto("L1");
  Corre(f, "RevisaExistenciasRapido1");

  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(Bytes("C:\\VRL\\tempo\\ajustar.txt"), "1\tL1\t\t-0.20\t5.00\t5.20\r\n2\tL4\t\t2.00\t9.00\t7.00\r\n");
  ASSERT_EQ(lanzador.iniciados.size(), 1);
  EXPECT_EQ(lanzador.iniciados[0], (proc::Orden{"mousepad", {fs::Local("C:\\VRL\\tempo\\ajustar.txt")}, {}}));
  EXPECT_EQ(Campo("L1", "EXIST_I"), "5");
}

// "Revisa Existencias" lists every product from the one shown, and stops
// after the product under way when the progress window's "Terminar" is
// pressed; meanwhile a click on the product window does nothing.
TEST_F(ExistenciasInventario, RevisaExistenciasSeDetieneConTerminar) {
  for (const char* clave : {"S1", "S2", "S3"}) {
    Producto({{"CLPRO_I", clave}, {"EXIST_I", "1"}});
    Compra(clave, 5);
  }
  const QString lista = "C:\\VRL\\tempo\\ajustar.txt";
  for (const bool paro : {false, true}) {
    SCOPED_TRACE(paro);
    prueba::LanzadorGrabador lanzador;
    TFormaInventario& f = Ventana();
    f.PosicionaProducto("S1");
    if (paro)
      QTimer::singleShot(0, &f, [&f] {
        QTest::mouseClick(f.BotonNuevo, Qt::LeftButton);
        TFormaProgreso* progreso = FormaProgreso();
        ASSERT_TRUE(progreso && progreso->isVisible());
        QTest::mouseClick(progreso->BitBtn1, Qt::LeftButton);
      });
    Corre(f, "RevisaExistencias1");
    EXPECT_EQ(Mensajes(), QStringList());
    EXPECT_EQ(Bytes(lista), paro ? QByteArray("S1\t1.00\t5.00\r\n")
                                 : QByteArray("S1\t1.00\t5.00\r\nS2\t1.00\t5.00\r\nS3\t1.00\t5.00\r\n"));
    ASSERT_EQ(lanzador.iniciados.size(), 1);
    EXPECT_EQ(lanzador.iniciados[0].programa, "xdg-open");
    EXPECT_EQ(lanzador.iniciados[0].argumentos, QStringList{fs::Local(lista)});
    EXPECT_FALSE(f.Nuevo());
    EXPECT_EQ(Claves(), (QStringList{"S1", "S2", "S3"}));
    EXPECT_EQ(f.EditCLPRO_I->text(), paro ? "S1" : "S3");
  }
}

// A key holding a double quote is counted like any other by every query a
// check or a card splices it into: the reduced union, the mirror union,
// the movement card and the average cost.
TEST_F(ExistenciasInventario, UnaClaveConComillasEnCadaConsulta) {
  const QString clave = "O\"B";
  Producto({{"CLPRO_I", clave}, {"EXIST_I", "1"}});
  AgregaFila(kDatos, kTablaMovimientos,
             {{"CLDOC_MI", 3}, {"CLPRO_MI", clave}, {"TIMOV_MI", 51}, {"CANTI_MI", 4}, {"COSUN_MI", 2.5},
              {"FEDOC_MI", QDate(2025, 3, 1)}});
  AgregaFila(kDatos, "MOVIMIENTOS.DBF",
             {{"CLDOC_MI", "C1"}, {"CLPRO_MI", clave}, {"TIMOV_MI", 51}, {"CANTI_MI", 3}, {"FEDOC_MI", QDate(2025, 3, 1)}});
  prueba::LanzadorGrabador lanzador;

  TFormaInventario& f = Ventana();
  Corre(f, "RevisaExistenciasRapido1");
  EXPECT_EQ(Bytes("C:\\VRL\\tempo\\ajustar.txt"), "1\tO\"B\t\t-3.00\t1.00\t4.00\r\n");

  Corre(f, "AjustarCostoPromedio1");
  EXPECT_EQ(Campo(clave, "CPROM_I"), "2.5");

  QString totales;
  ui::PuertaModal::Espera("TFormaCosteo", [&](QDialog& d) {
    totales = static_cast<TFormaCosteo&>(d).Panel2->Caption().simplified();
    prueba::Pulsa(d, "BitBtn1");
  });
  Corre(f, "Kardex1");
  EXPECT_EQ(totales, "Entradas 4.00 Salidas 0.00 Existencias 4.00");
  EXPECT_EQ(Campo(clave, "EXIST_I"), "4");

  Lineas({{ConfKardexIntegral, "S"}});
  Corre(f, "AjustarInventarioSegunKardex1");
  EXPECT_EQ(Campo(clave, "EXIST_I"), "7");
  EXPECT_EQ(Mensajes(), QStringList{"Total de Ajustados 1"});
}

// The totals rows whose entries and exits do not make their stock, to the
// cent: a float sum that agrees to the cent is not listed.
TEST_F(ExistenciasInventario, VerDesajusteListaLoQueNoCuadraAlCentavo) {
  const std::tuple<const char*, double, double, double> filas[] = {
      {"A", 10, -3, 7}, {"B", 0.1, 0.2, 0.3}, {"C", 10, -3, 7.01}, {"D", 5, -1, 3}, {"E", 0.33333, 0.33333, 0.66666}};
  for (const auto& [clave, entra, sale, existe] : filas)
    AgregaFila(kDatos, kTablaKardex, {{"CLPRO_I", clave}, {"ENTRA_I", entra}, {"SALID_I", sale}, {"EXIST_I", existe}});
  QString caption;
  QStringList claves;
  ui::PuertaModal::Espera("TFormaCaducidad", [&](QDialog& d) {
    auto& c = static_cast<TFormaCaducidad&>(d);
    caption = c.windowTitle();
    for (c.Query1->First(); !c.Query1->Eof(); c.Query1->Next()) claves << c.Query1->FieldByName("CLPRO_I").AsString();
  });
  TFormaInventario& f = Ventana("1");
  Corre(f, "VerDesajuste1");
  EXPECT_EQ(caption, "Caducidad");
  EXPECT_EQ(claves, (QStringList{"C", "D"}));
}

}  // namespace
