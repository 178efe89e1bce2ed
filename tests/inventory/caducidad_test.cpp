// Expiry batches: the analysis of the product shown ("Caducidad" of
// "Opciones", TFormaCaducidad) and of every product ("Caducidad" of
// "Reportes", listed through the report script runner).

#include "inventory/Caducidad.h"
#include "platform/db/Consulta.h"
#include "reports/Formatos.h"
#include "reports/RepoSQL.h"
#include "ventana_inventario.h"

#include <QAction>
#include <QDateEdit>

namespace {

using prueba::Pulsa;
using prueba::Tecla;

class Caducidad : public VentanaInventario {
 protected:
  // A purchase line of the product.
  static void Compra(const QString& clave, double cantidad, const QString& caducidad, int documento) {
    AgregaFila(kDatos, "ComprasD.dbf",
               {{"CLDOC_OD", documento}, {"CLPRO_OD", clave}, {"DESCR_OD", "Leche " + clave}, {"CANTI_OD", cantidad},
                {"CADUC_OD", caducidad}, {"FEDOC_OD", QDate(2025, 12, documento)}});
  }
  // An inventory movement of the product.
  static void Movimiento(const QString& clave, int concepto, double cantidad, const QString& caducidad,
                         int documento) {
    AgregaFila(kDatos, "MOVINVEN.DBF",
               {{"CLDOC_MI", documento}, {"CLPRO_MI", clave}, {"DESCR_MI", "Leche " + clave}, {"TIMOV_MI", concepto},
                {"CANTI_MI", cantidad}, {"CADUC_MI", caducidad}, {"FEDOC_MI", QDate(2025, 12, documento)}});
  }
  // Receipts 10 (A), 5 (B), 8 (C) in expiry order; an exit that is no
  // receipt.
  static void TresLotes(const QString& clave) {
    Compra(clave, 10, "01/01/2026", 1);
    Compra(clave, 5, "01/02/2026", 2);
    Movimiento(clave, 57, 8, "01/03/2026", 3);
    Movimiento(clave, 3, 4, "01/04/2026", 4);
  }

  // The window's rows (CADUCIDAD/CANTIDAD/SUMA/DOCUMENTO/MOVIMIENTO/CUENTA)
  // after "Caducidad" of "Opciones" on the product; `tecla` answers it.
  QStringList Lotes(TFormaInventario& f, const QString& clave, int tecla = Qt::Key_Escape, int* tag = nullptr) {
    f.PosicionaProducto(clave);
    auto filas = std::make_shared<QStringList>();
    auto mostrada = std::make_shared<bool>(false);
    ui::PuertaModal::Espera("TFormaCaducidad", [=](QDialog& d) {
      *mostrada = true;
      auto& c = static_cast<TFormaCaducidad&>(d);
      EXPECT_EQ(c.windowTitle(), "Caducidad");
      db::Consulta& q = *c.Query1;
      for (q.First(); !q.Eof(); q.Next()) {
        QStringList v;
        for (const char* campo : {"CADUCIDAD", "CANTIDAD", "SUMA", "DOCUMENTO", "MOVIMIENTO", "CUENTA"})
          v << q.FieldByName(campo).AsString();
        *filas << v.join(u'/');
      }
      Tecla(d, "DBGrid1", tecla);
      if (tag) *tag = c.Tag();
    });
    f.Componente<QAction>("Caducidad2")->trigger();
    EXPECT_TRUE(*mostrada);
    return *filas;
  }
};

TEST_F(Caducidad, LaExistenciaSeAsignaDesdeElLoteMasReciente) {
  struct Caso {
    const char* clave;
    const char* existencia;
    QStringList filas;
  };
  const Caso casos[] = {
      // The part of B that makes up the stock, then C whole; the running
      // sums from the earliest batch listed.
      {"P12", "12", {"01/02/2026/4/4/2/51/1", "01/03/2026/8/12/3/57/0"}},
      // Stock 0: the latest batch with nothing of it left.
      {"P0", "0", {"01/03/2026/0/0/3/57/0"}},
      // Receipts short of the stock: all of them in full.
      {"P100", "100", {"01/01/2026/10/10/1/51/2", "01/02/2026/5/15/2/51/1", "01/03/2026/8/23/3/57/0"}},
      // No receipts: no batches.
      {"PV", "5", {}},
  };
  for (const Caso& c : casos) {
    Producto({{"CLPRO_I", c.clave}, {"EXIST_I", c.existencia}});
    if (QString(c.clave) != u"PV") TresLotes(c.clave);
  }
  TFormaInventario& f = Ventana();
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.clave);
    EXPECT_EQ(Lotes(f, c.clave), c.filas);
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

// The expiry texts read "dd/mm/yyyy": the latest expiry is the latest date,
// not the greatest text.
TEST_F(Caducidad, LasCaducidadesSeOrdenanComoFechas) {
  Producto({{"CLPRO_I", "Q"}, {"EXIST_I", "5"}});
  Compra("Q", 10, "15/01/2026", 1);
  Compra("Q", 5, "10/06/2026", 2);
  TFormaInventario& f = Ventana();
  int tag = -1;
  EXPECT_EQ(Lotes(f, "Q", Qt::Key_Return, &tag), QStringList{"10/06/2026/5/5/2/51/0"});
  EXPECT_EQ(tag, 1);
  Lotes(f, "Q", Qt::Key_Escape, &tag);
  EXPECT_EQ(tag, 0);
}

TEST_F(Caducidad, UnaCaducidadQueNoEsFechaTerminaElAnalisis) {
  Producto({{"CLPRO_I", "X"}, {"EXIST_I", "3"}});
  Compra("X", 4, "31/13/2026", 1);
  TFormaInventario& f = Ventana();
  f.PosicionaProducto("X");
  f.Componente<QAction>("Caducidad2")->trigger();
  ASSERT_EQ(Mensajes().size(), 1);
  EXPECT_TRUE(Mensajes()[0].contains("31/13/2026")) << Mensajes()[0].toStdString();
  EXPECT_FALSE(ui::PuertaModal::SinRespuesta().contains("TFormaCaducidad"));
}

// Every product's batches into the all-products table, listed through the
// runner with the expiry dates asked in its dialog.
TEST_F(Caducidad, TodosLosProductosSeListanPorElReporte) {
  Producto({{"CLPRO_I", "P12"}, {"DSCPR_I", "Leche"}, {"EXIST_I", "12"}});
  Producto({{"CLPRO_I", "R1"}, {"DSCPR_I", "Queso"}, {"EXIST_I", "3"}});
  Producto({{"CLPRO_I", "S0"}, {"DSCPR_I", "Sal"}, {"EXIST_I", "9"}});
  TresLotes("P12");
  Compra("R1", 7, "20/12/2026", 5);
  TFormaInventario& f = Ventana();
  f.PosicionaProducto("R1");

  QString de, hasta, caption, guion;
  QStringList paginas;
  bool fechas = false;
  ui::PuertaModal::Espera("TFormaFormatos", [&](QDialog& d) {
    auto& p = static_cast<TFormaFormatos&>(d);
    de = p.De->text();
    hasta = p.Hasta->text();
    fechas = p.Inicial->isEnabled() && p.Final->isEnabled();
    p.Inicial->setDate(QDate(2026, 1, 1));
    p.Final->setDate(QDate(2026, 12, 31));
    Pulsa(d, "BitBtn4");
  });
  ui::PuertaModal::Espera("TFormaReporteSQL", [&](QDialog& d) {
    auto& v = static_cast<TFormaReporteSQL&>(d);
    caption = v.windowTitle();
    guion = v.CodigoGlobal.join(u'\r');
    paginas = v.PaginasGuion;
  });
  f.Componente<QAction>("Caducidad3")->trigger();
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(caption, "Reporte de Caducidad");
  EXPECT_TRUE(fechas);
  EXPECT_EQ(de, "P12");
  EXPECT_EQ(hasta, "R1");
  EXPECT_TRUE(guion.startsWith("$Caducidad\r& Select CLPRO,PRODUCTO,CANTIDAD,CADUCIDAD,DOCUMENTO,MOVIMIENTO from "
                               "\"C:\\VRL\\Caducidad.dbf\"\r?(CLPRO=CLPRO) "))
      << guion.toStdString();
  QStringList filas;
  for (const QString& p : paginas)
    if (p.startsWith("P12") || p.startsWith("R1")) filas << p.simplified();
  // A product whose latest batch alone covers its stock gets its stock.
  EXPECT_EQ(filas, (QStringList{"P12 Leche P12 4.00 01/02/2026 2 51", "P12 Leche P12 8.00 01/03/2026 3 57",
                                "R1 Leche R1 3.00 20/12/2026 5 51"}))
      << paginas.join(u'\n').toStdString();

  auto lotes = AbreTabla("C:\\VRL", "CADUCIDAD.DBF");
  QStringList tabla;
  for (lotes->First(); !lotes->Eof(); lotes->Next())
    tabla << lotes->FieldByName("CLPRO").AsString() + "/" + lotes->FieldByName("CANTIDAD").AsString() + "/" +
                 lotes->FieldByName("SUMA").AsString();
  EXPECT_EQ(tabla, (QStringList{"P12/8/8", "P12/4/12", "R1/3/3"}));
  // The window shows the product it showed.
  EXPECT_EQ(f.EditCLPRO_I->text(), "R1");
}

}  // namespace
