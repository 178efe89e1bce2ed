// Movement rows, the entry/exit rule and the per-product totals.

#include "foundation/rutinas_tablas.h"
#include "inventario_prueba.h"
#include "inventory/RegistroMovimiento.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(Conceptos, MasDe50EsEntrada) {
  const std::pair<int, bool> casos[] = {{ConceptoVentaFactura, false},      {ConceptoVentaRemision, false},
                                        {ConceptoCantidadNegativa, false},  {ConceptoNotaCreditoProveedor, false},
                                        {50, false},                        {ConceptoCompra, true},
                                        {ConceptoCancelacionVenta, true},   {ConceptoAjusteEntrada, true},
                                        {ConceptoEntradaTraspaso, true},    {0, false},
                                        {99, true}};
  for (const auto& [concepto, entrada] : casos) {
    EXPECT_EQ(EsEntrada(concepto), entrada) << concepto;
    EXPECT_EQ(SignoConcepto(concepto), entrada ? 1 : -1) << concepto;
  }
  EXPECT_EQ(CondicionEntradas("TIMOV_MI"), "TIMOV_MI>50");
  EXPECT_EQ(CondicionSalidas("TIMOV_MI"), "TIMOV_MI<51");
}

// A movement row goes in and comes back whole; what the writer left empty
// stays empty. The entry and exit conditions split the rows at the rule.
TEST_F(InventarioPrueba, LosRenglonesDeMovimientoSeGuardanYSeFiltranPorLaRegla) {
  {
    auto t = Abre("MOVINVEN.DBF");
    for (int concepto : {50, 51, 3, 57}) {
      TRegistroMovimientoInventario m;
      m.CLDOC_MI = 41;
      m.TIMOV_MI = concepto;
      m.FEDOC_MI = QDate(2010, 3, 5);
      m.NUDOC_MI = "M41";
      m.CLPRO_MI = QString("P%1").arg(concepto);
      m.DESCR_MI = "Clavo 2\"";
      m.CANTI_MI = 1.23456;
      m.COSUN_MI = Dinero::DeTexto("7.125");
      m.NALMA_MI = 1;
      m.USUARIO = "3";
      m.HORAF_F = 3;
      m.FECHA = 40242427;
      t->Append();
      m.Escribe(*t);
      t->Post();
    }
  }
  auto t = Abre("MOVINVEN.DBF");
  TRegistroMovimientoInventario m;
  m.CONTROL = 99;
  m.Lee(*t);
  EXPECT_EQ(m.CLDOC_MI, 41);
  EXPECT_EQ(m.TIMOV_MI, 50);
  EXPECT_EQ(m.FEDOC_MI, QDate(2010, 3, 5));
  EXPECT_EQ(m.NUDOC_MI, "M41");
  EXPECT_EQ(m.DESCR_MI, "Clavo 2\"");
  EXPECT_EQ(m.CANTI_MI, 1.23456);
  EXPECT_EQ(m.COSUN_MI, Dinero::DeTexto("7.125"));
  EXPECT_EQ(m.PUNIT_MI, std::nullopt);
  EXPECT_EQ(m.CONTROL, std::nullopt);
  EXPECT_EQ(m.BANAF_MI, "");
  EXPECT_EQ(m.FECHA, 40242427);

  const auto claves = [&](const QString& filtro) {
    t->SetFilter(filtro);
    t->SetFiltered(true);
    QStringList c;
    for (t->First(); !t->Eof(); t->Next()) c << t->FieldByName("CLPRO_MI").AsString();
    return c;
  };
  EXPECT_EQ(claves(CondicionEntradas("TIMOV_MI")), QStringList({"P51", "P57"}));
  EXPECT_EQ(claves(CondicionSalidas("TIMOV_MI")), QStringList({"P50", "P3"}));
}

struct Linea {
  int signo;
  int concepto;
  double cantidad;
  double existencia;  // the product's stock after the line
};

TRegistroKardex Totales(db::Tabla& kardex, const QString& clave) {
  TRegistroKardex k;
  kardex.Refresh();
  kardex.SetIndexName(kTagKardex);
  if (kardex.FindKey({clave})) k.Lee(kardex);
  return k;
}

TEST_F(InventarioPrueba, LosTotalesSiguenCadaLineaPorLaRegla) {
  struct Caso {
    const char* nombre;
    std::vector<Linea> lineas;
    double entradas, salidas, existencia, inventario;
  };
  const Caso casos[] = {
      {"salida de 5 y entrada de 3", {{-1, 1, 5, -5}, {1, 51, 3, -2}}, 3, -5, -2, -2},
      {"concepto 50 baja", {{-1, 50, 4, 6}}, 0, -4, -4, 6},
      {"concepto 51 sube y cuenta como entrada", {{1, 51, 4, 14}}, 4, 0, 4, 14},
      {"cantidad negativa con concepto 8", {{-1, 8, -2, 12}}, 0, 2, 2, 12},
      {"decimales", {{1, 57, 1.25, 1.25}, {-1, 3, 0.125, 1.125}, {1, 56, 0.00001, 1.12501}}, 1.25001, -0.125,
       1.12501, 1.12501},
      {"conteo y ajustes", {{1, 58, 10, 10}, {-1, 6, 3, 7}, {1, 60, 2, 9}, {-1, 20, 1, 8}}, 12, -4, 8, 8},
  };
  auto kardex = Abre("Kardex.dbf");
  int n = 0;
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    const QString clave = QString("K%1").arg(++n);
    for (const Linea& l : c.lineas)
      ActualizaKardexMovimiento(*kardex, l.signo, clave, l.concepto, l.cantidad, l.existencia);
    const TRegistroKardex k = Totales(*kardex, clave);
    EXPECT_EQ(k.CLPRO_I, clave);
    EXPECT_DOUBLE_EQ(k.ENTRA_I.value_or(-1e9), c.entradas);
    EXPECT_DOUBLE_EQ(k.SALID_I.value_or(-1e9), c.salidas);
    EXPECT_DOUBLE_EQ(k.EXIST_I.value_or(-1e9), c.existencia);
    EXPECT_DOUBLE_EQ(k.INVEN_I.value_or(-1e9), c.inventario);
    EXPECT_DOUBLE_EQ(*k.EXIST_I, *k.ENTRA_I + *k.SALID_I);
  }
  EXPECT_EQ(kardex->RecordCount(), n);  // one row per key
  EXPECT_TRUE(Mensajes().isEmpty());
}

TEST_F(InventarioPrueba, SinTablaDeTotalesNadaCambiaNiSeMuestra) {
  db::Tabla::Borra(kDatos, kTablaKardex);
  db::Tabla kardex;
  kardex.SetCarpeta(kDatos);
  kardex.SetNombreTabla(kTablaKardex);
  ::AbreTabla(kardex);  // the window's open: a failure is logged, not shown
  ASSERT_FALSE(kardex.Active());
  ActualizaKardexMovimiento(kardex, -1, "P1", 3, 5, 10);
  EXPECT_FALSE(db::Tabla::Existe(kDatos, kTablaKardex));
  EXPECT_TRUE(Mensajes().isEmpty());
}

// Two stations miss the key's row at once: the second one's append finds
// the row the first one made, and its quantities go into that row.
TEST_F(InventarioPrueba, DosPrimerasLineasALaVezQuedanEnUnRenglon) {
  auto primera = Abre("Kardex.dbf");
  auto segunda = Abre("Kardex.dbf");
  ActualizaKardexMovimiento(*primera, 1, "OTRO", 51, 1, 1);
  bool otraEstacion = false;
  segunda->BeforeInsert = [&](db::Dataset&) {
    if (otraEstacion) return;
    otraEstacion = true;
    ActualizaKardexMovimiento(*primera, 1, "P1", 51, 10, 10);
  };
  ActualizaKardexMovimiento(*segunda, -1, "P1", 3, 4, 6);
  ASSERT_TRUE(otraEstacion);

  auto lector = Abre("Kardex.dbf");
  EXPECT_EQ(lector->RecordCount(), 2);
  const TRegistroKardex k = Totales(*lector, "P1");
  EXPECT_EQ(k.ENTRA_I, 10);
  EXPECT_EQ(k.SALID_I, -4);
  EXPECT_EQ(k.EXIST_I, 6);
  EXPECT_EQ(k.INVEN_I, 6);
}

}  // namespace
