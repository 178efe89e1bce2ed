// The stock of a product counted again from its document lines and
// movement rows, written into the product and its totals row.

#include "documentos_prueba.h"
#include "inventory/ConciliaExistencias.h"
#include "inventory/Costeo.h"
#include "inventory/RecalculoExistencia.h"
#include "inventory/RegistroMovimiento.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

// What a recount left: the stored stock as text ("" blank) and the totals
// row (nullopt when the key has none).
struct Resultado {
  QString existencia;
  std::optional<TRegistroKardex> totales;
};

Resultado Lee(const QString& clave) {
  Resultado r;
  auto p = AbreTabla(kDatos, kTablaProductos, kTagClaveProducto);
  if (p->FindKey({clave})) r.existencia = p->FieldByName("EXIST_I").AsString();
  auto k = AbreTabla(kDatos, kTablaKardex, kTagKardex);
  if (k->FindKey({clave})) {
    r.totales.emplace();
    r.totales->Lee(*k);
  }
  return r;
}

void ExpectTotales(const Resultado& r, double entradas, double salidas, double existencia) {
  ASSERT_TRUE(r.totales);
  EXPECT_EQ(r.totales->ENTRA_I, entradas);
  EXPECT_EQ(r.totales->SALID_I, salidas);
  EXPECT_EQ(r.totales->EXIST_I, existencia);
  EXPECT_EQ(r.totales->INVEN_I, existencia);
}

void Recalcula(const QString& clave) {
  auto p = AbreTabla(kDatos, kTablaProductos, kTagClaveProducto);
  ASSERT_TRUE(p->FindKey({clave}));
  RecalculaExistenciaProducto(clave, *p);
}

using Recuento = DocumentosPrueba;

// A remission line of 5, a purchase line of 12 and an adjustment entry of 3
// leave 10; cancelled lines, converted invoice lines, concept-54 rows and
// other products change nothing. An old totals row is rewritten, not added
// to.
TEST_F(Recuento, CuentaEntradasYSalidasDeLosDocumentos) {
  {
    auto p = Abre(kTablaProductos);
    AgregaProducto(*p, "P1", "", 4);
    AgregaProducto(*p, "P10");
    auto k = Abre(kTablaKardex);
    SumaKardex(*k, "P1", 99, -1, 98, 4);
  }
  Remision(kDatos, "P1", 5);
  Compra("P1", 12);
  Movimiento("P1", ConceptoAjusteEntrada, 3);

  Remision(kDatos, "P1", 100, {{"TREGI_FD", "C"}});
  Factura("P1", 7, {{"TDOCU_FD", "R"}});
  Factura("P1", 8, {{"TREGI_FD", "C"}});
  Compra("P1", 50, {{"TREGI_OD", "C"}});
  Movimiento("P1", ConceptoCancelacionVenta, 9);
  Remision(kDatos, "P10", 1);
  Movimiento("P10", ConceptoCompra, 1);

  Recalcula("P1");
  const Resultado r = Lee("P1");
  EXPECT_EQ(r.existencia, "10");
  ExpectTotales(r, 15, -5, 10);
  EXPECT_EQ(Lee("P10").existencia, "");
  EXPECT_TRUE(Mensajes().isEmpty());
}

// Invoice lines entered on the invoice are exits; movement rows follow
// their concept.
TEST_F(Recuento, FacturasYMovimientosSiguenLaRegla) {
  {
    auto p = Abre(kTablaProductos);
    AgregaProducto(*p, "P1");
  }
  Factura("P1", 2);
  Movimiento("P1", ConceptoCompra, 20);
  Movimiento("P1", 50, 1.5);
  Recalcula("P1");
  const Resultado r = Lee("P1");
  EXPECT_EQ(r.existencia, "16.5");
  ExpectTotales(r, 20, -3.5, 16.5);
}

// What is written depends on what is stored: an equal text writes nothing,
// not even the totals row; a blank stock stays blank on a recount of 0;
// anything between -0.001 and 0.001 is stored as "0".
TEST_F(Recuento, LoGuardadoDecideQueSeEscribe) {
  struct Caso {
    std::optional<double> guardada;
    double entrada, salida;
    QString existencia;
    std::optional<double> totales;
  };
  const Caso casos[] = {
      {10, 10, 0, "10", std::nullopt},
      {std::nullopt, 4, 4, "", 0},
      {5, 0.0004, 0, "0", 0},
      {5, 0, 0.002, "-0.002", -0.002},
      {std::nullopt, 7.25, 0, "7.25", 7.25},
      {0, 0, 0, "0", std::nullopt},
  };
  int n = 0;
  for (const Caso& c : casos) {
    const QString clave = QString("P%1").arg(++n);
    {
      auto p = Abre(kTablaProductos);
      AgregaProducto(*p, clave, "", c.guardada);
    }
    if (c.entrada) Movimiento(clave, ConceptoAjusteEntrada, c.entrada);
    if (c.salida) Movimiento(clave, ConceptoAjusteSalida, c.salida);
    Recalcula(clave);
    const Resultado r = Lee(clave);
    EXPECT_EQ(r.existencia, c.existencia) << clave.toStdString();
    ASSERT_EQ(r.totales.has_value(), c.totales.has_value()) << clave.toStdString();
    if (c.totales) {
      EXPECT_EQ(r.totales->EXIST_I, *c.totales) << clave.toStdString();
    }
  }
}

// A sale is counted from its lines once: the movement rows it wrote for
// them (its kind letter and number in NUDOC_MI, its CONTROL) are left out
// of every union that reads its lines, the recount, the reduced union and
// the mirror's; rows of the movement window and of documents whose lines
// the union does not read still count.
TEST_F(Recuento, UnaVentaSeCuentaUnaVezAunqueEscribaMovimientos) {
  {
    auto p = Abre(kTablaProductos);
    AgregaProducto(*p, "P1", "", 0);
  }
  const auto venta = [](int concepto, double cantidad, const QString& documento, qint64 control) {
    Movimiento("P1", concepto, cantidad, {{"NUDOC_MI", documento}, {"CONTROL", control}});
  };
  Compra("P1", 30);
  // Remission 15 of 5, with its sale row, its reversal by a change and its
  // second sale row.
  Remision(kDatos, "P1", 5, {{"CONTROL", 100}});
  venta(ConceptoVentaRemision, 5, "R15-90", 90);
  venta(ConceptoCancelacionVenta, 5, "R15-90", 90);
  venta(ConceptoVentaRemision, 5, "R15-100", 100);
  // Invoice 7 of 2 and its row of concept 1; a changed sale's reversal of 52.
  Factura("P1", 2, {{"CONTROL", 7}});
  venta(ConceptoVentaFactura, 2, "F7-7", 7);
  venta(ConceptoDevolucionCliente, 1, "R15-80", 80);
  // Counted: a return's row (its lines are not read), the movement
  // window's exits, a sale-like row without a control.
  venta(ConceptoDevolucionCliente, 1, "D3-9", 9);
  Movimiento("P1", ConceptoAjusteSalida, 2, {{"NUDOC_MI", "M5"}});
  Movimiento("P1", ConceptoVentaRemision, 4, {{"NUDOC_MI", "M6"}});

  Recalcula("P1");
  const Resultado r = Lee("P1");
  // 30 + 1 in, 5 + 2 + 2 + 4 out.
  EXPECT_EQ(r.existencia, "18");
  ExpectTotales(r, 31, -13, 18);
  // The reduced union reads no invoices: their rows stand for them.
  EXPECT_EQ(CalculaExistenciaKardex(ConsultaExistenciaReducida(Empresa(), "P1")), "18,31,13,");
  // The mirror holds the remission's lines (and no purchase lines); returns
  // never count there.
  AgregaFila(kDatos, "MOVIMIENTOS.DBF",
             {{"CLDOC_MI", "15"}, {"CLPRO_MI", "P1"}, {"TIMOV_MI", 3}, {"CANTI_MI", 5}, {"FEDOC_MI", QDate(2025, 3, 1)}});
  EXPECT_EQ(MuestraKardexIntegral(ConsultaEspejoExistencia(Empresa(), "P1"), kOrdenEspejo, "18", false), "-13");
}

// Remissions come from the folders RutasMI.dbf lists when any of them holds
// remission lines (the data folder's then count only when listed); blank
// rows and folders without remission lines are skipped.
TEST_F(Recuento, LasRemisionesVienenDeLasCarpetasListadas) {
  const QString suc1 = "C:\\SUC1", suc2 = "C:\\SUC2", vacia = "C:\\VACIA";
  CreaTablaDe(db::CarpetaTabla::Remisiones, "RemisioD.dbf", suc1);
  CreaTablaDe(db::CarpetaTabla::Remisiones, "RemisioD.dbf", suc2);
  fs::CreaCarpeta(vacia);
  Remision(suc1, "P1", 2);
  Remision(suc2, "P1", 3);
  Remision(kDatos, "P1", 100);
  Movimiento("P1", ConceptoInventarioInicial, 1000);
  {
    auto p = Abre(kTablaProductos);
    AgregaProducto(*p, "P1");
  }
  CreaTablaDe(db::CarpetaTabla::Datos, "RutasMI.dbf", kDatos);
  for (const QString& ruta : {vacia, QString(), suc1, suc2}) AgregaFila(kDatos, "RutasMI.dbf", {{"ruta", ruta}});

  const QString union1 = UnionRemisiones(Empresa(), 1, "P1");
  EXPECT_EQ(union1.count("remisiod.dbf"), 2);
  EXPECT_TRUE(union1.endsWith("   union ALL \r"));
  Recalcula("P1");
  EXPECT_EQ(Lee("P1").existencia, "995");

  // Another mode reads no list.
  for (const QString& otra : {UnionRemisiones(Empresa(), 0, "P1"), UnionRemisionesDetalle(Empresa(), 0, "P1")}) {
    EXPECT_EQ(otra.count("remisiod.dbf"), 1);
    EXPECT_TRUE(otra.contains("\"C:\\VRL\\DATOS\\remisiod.dbf\"")) << otra.toStdString();
  }

  // A list whose folders hold no remission lines: the data folder's count.
  {
    auto rutas = Abre("RutasMI.dbf");
    rutas->First();
    while (!rutas->Eof()) rutas->Delete();
  }
  AgregaFila(kDatos, "RutasMI.dbf", {{"ruta", vacia}});
  Recalcula("P1");
  EXPECT_EQ(Lee("P1").existencia, "900");
}

// A key holding a double quote is counted like any other, and only its own
// lines count.
TEST_F(Recuento, UnaClaveConComillasSeCuenta) {
  const QString clave = "AB\"1";
  {
    auto p = Abre(kTablaProductos);
    AgregaProducto(*p, clave);
    AgregaProducto(*p, "AB");
  }
  Remision(kDatos, clave, 4);
  Compra(clave, 10);
  Movimiento(clave, ConceptoAjusteEntrada, 1);
  Remision(kDatos, "AB", 50);
  Recalcula(clave);
  const Resultado r = Lee(clave);
  EXPECT_EQ(r.existencia, "7");
  ExpectTotales(r, 11, -4, 7);
}

// A source table that cannot be read stops the recount with its error and
// nothing is written. A missing totals table only leaves the totals out.
TEST_F(Recuento, UnaTablaQueFaltaNoEscribeNada) {
  {
    auto p = Abre(kTablaProductos);
    AgregaProducto(*p, "P1", "", 3);
  }
  Movimiento("P1", ConceptoAjusteEntrada, 8);
  db::Tabla::Borra(kDatos, "FacturaD.dbf");
  auto p = Producto("P1");
  EXPECT_EQ(ErrorDe([&] { RecalculaExistenciaProducto("P1", *p); }).first, plat::Clase::NoExiste);
  const Resultado r = Lee("P1");
  EXPECT_EQ(r.existencia, "3");
  EXPECT_FALSE(r.totales);

  CreaTablaDe(db::CarpetaTabla::Datos, "FacturaD.dbf", kDatos);
  db::Tabla::Borra(kDatos, kTablaKardex);
  RecalculaExistenciaProducto("P1", *p);
  EXPECT_EQ(Producto("P1")->FieldByName("EXIST_I").AsString(), "8");
}

}  // namespace
