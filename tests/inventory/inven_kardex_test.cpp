// The product window's stock card commands, chosen by configuration lines
// 78 and 6 and reading the inventory or the data folder; the average cost
// and last-use stamp of every product; the cut of the movements, with
// another station holding the movement table; and the commands kept for
// the administrator.

#include "foundation/rutinas_fecha.h"
#include "inventory/Costeo.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ControlesDatos.h"
#include "support/LanzadorGrabador.h"
#include "support/Proceso.h"
#include "ventana_inventario.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

using prueba::AvisaPadre;
using prueba::EsperaPadre;
using prueba::ProcesoHijo;

// Another station with the movement table open until the parent says.
RUTINA_HIJA(TieneMovimientos) {
  auto t = AbreTabla(argumentos[0], kTablaMovimientos);
  AvisaPadre("ABIERTA");
  EsperaPadre();
  return 0;
}

namespace {

const QString kInventario = QStringLiteral("C:\\VRL\\INVEN");

class KardexInventario : public VentanaInventario {
 protected:
  static void Movimiento(const QString& carpeta, const QString& clave, int concepto, double cantidad,
                         const QVariantMap& mas = {}) {
    QVariantMap v = {{"CLDOC_MI", 9},       {"CLPRO_MI", clave},           {"TIMOV_MI", concepto},
                     {"CANTI_MI", cantidad}, {"FEDOC_MI", QDate(2025, 3, 1)}, {"DESCR_MI", "Producto " + clave}};
    v.insert(mas);
    AgregaFila(carpeta, kTablaMovimientos, v);
  }

  static void Corre(TFormaInventario& f, const char* item) {
    auto* a = f.Componente<QAction>(QString::fromLatin1(item));
    ASSERT_TRUE(a && a->isEnabled()) << item;
    a->trigger();
  }
};

// The card each command shows, by lines 78 and 6, and what "Ajustar Inv."
// writes: the integral card (movement mirror) whatever line 6 says when
// line 78 is "S"; the alternate card (documents of the data folder,
// movements of the inventory folder) when line 6 is "SI" or asked for,
// which also rewrites the totals row; the movement card of the inventory
// folder, or of the data folder for "Neuvo kardex". A card closed without
// "Ajustar Inv." changes nothing.
TEST_F(KardexInventario, CadaTarjetaYLoQueAjusta) {
  for (const char* t : {"INVENTAR.DBF", "MOVINVEN.DBF", "Kardex.dbf"}) CreaTabla(kInventario, t);
  CreaTablaDe(db::CarpetaTabla::Inventario, "MOVIMIENTOS.DBF", kInventario);
  CreaTablaDe(db::CarpetaTabla::Datos, "comovinv.dbf", kDatos);
  AgregaFila(kInventario, kTablaProductos, {{"CLPRO_I", "P1"}, {"DSCPR_I", "Pinza"}});
  AgregaFila(kInventario, kTablaKardex, {{"CLPRO_I", "P1"}});
  // Movement card of the inventory folder: 10 − 2.
  Movimiento(kInventario, "P1", 51, 10);
  Movimiento(kInventario, "P1", 3, 2, {{"FEDOC_MI", QDate(2025, 3, 2)}});
  // A stray copy in the data folder, where the table does not live: 30.
  Movimiento(kDatos, "P1", 57, 30);
  // The mirror: 20 − 5, the cancelled copy left out, with the movements
  // above: 23.
  for (const auto& [documento, concepto, cantidad, estado] :
       {std::tuple{"C7", 51, 20.0, ""}, std::tuple{"R15", 3, 5.0, ""}, std::tuple{"R16", 3, 4.0, "C"}})
    AgregaFila(kInventario, "MOVIMIENTOS.DBF",
               {{"CLDOC_MI", documento}, {"CLPRO_MI", "P1"}, {"TIMOV_MI", concepto}, {"CANTI_MI", cantidad},
                {"FEDOC_MI", QDate(2025, 3, 1)}, {"STATUS", estado}});
  // Documents of the data folder for the alternate card: 6 − 1, then its
  // movements: 13 in all.
  AgregaFila(kDatos, "ComprasD.dbf",
             {{"CLDOC_OD", "4"}, {"CLPRO_OD", "P1"}, {"CANTI_OD", 6}, {"FEDOC_OD", QDate(2025, 2, 1)}});
  AgregaFila(kDatos, "RemisioD.dbf",
             {{"CLDOC_FD", "15"}, {"CLPRO_FD", "P1"}, {"CANTI_FD", 1}, {"FEDOC_FD", QDate(2025, 2, 2)}});

  struct Caso {
    const char* item;
    QString linea78, linea6;
    bool ajusta;
    QString totales;      // the card's caption of totals, squeezed
    QString existencia;   // the product's stock afterwards
    QString kardex;       // its totals row: entries/exits/stock
  };
  const QString sinTotales = "//";
  const Caso casos[] = {
      {"Kardex1", "S", "SI", true, "Entradas 30.00 Salidas -7.00 Existencias 23.00", "23", sinTotales},
      {"Kardex1", "N", "SI", true, "Entradas 16.00 Salidas -3.00 Existencias 13.00", "13", "16/-3/13"},
      {"Kardex1", "N", "NO", true, "Entradas 10.00 Salidas -2.00 Existencias 8.00", "8", sinTotales},
      // The movement table is the inventory folder's: the data folder's
      // stray copy is read by no card.
      {"Neuvokardex1", "S", "SI", true, "Entradas 10.00 Salidas -2.00 Existencias 8.00", "8", sinTotales},
      {"Kardexalterno1", "S", "NO", true, "Entradas 16.00 Salidas -3.00 Existencias 13.00", "13", "16/-3/13"},
      {"Kardex1", "N", "SI", false, "Entradas 16.00 Salidas -3.00 Existencias 13.00", "12", sinTotales},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(std::string(c.item) + " 78=" + c.linea78.toStdString() + " 6=" + c.linea6.toStdString());
    {
      auto p = AbreTabla(kInventario, kTablaProductos);
      p->Edit();
      p->FieldByName("EXIST_I").SetAsFloat(12);
      p->Post();
      auto k = AbreTabla(kInventario, kTablaKardex);
      k->Edit();
      for (const char* campo : {"ENTRA_I", "SALID_I", "EXIST_I", "INVEN_I"}) k->FieldByName(campo).Clear();
      k->Post();
    }
    Lineas({{ConfCarpetaInventario, kInventario}, {ConfKardexIntegral, c.linea78}, {ConfIntegraMovimientos, c.linea6}});
    QString totales, actuales;
    ui::PuertaModal::Espera("TFormaCosteo", [&](QDialog& d) {
      auto& card = static_cast<TFormaCosteo&>(d);
      totales = card.Panel2->Caption().simplified();
      actuales = card.Actuales->text();
      if (c.ajusta) prueba::Pulsa(card, "BitBtn1");
    });
    TFormaInventario& f = Ventana();
    Corre(f, c.item);
    EXPECT_EQ(Mensajes(), QStringList());
    EXPECT_EQ(actuales, "12");
    EXPECT_EQ(totales, c.totales);
    auto p = AbreTabla(kInventario, kTablaProductos);
    EXPECT_EQ(p->FieldByName("EXIST_I").AsString(), c.existencia);
    auto k = AbreTabla(kInventario, kTablaKardex);
    EXPECT_EQ(k->FieldByName("ENTRA_I").AsString() + u'/' + k->FieldByName("SALID_I").AsString() + u'/' +
                  k->FieldByName("EXIST_I").AsString(),
              c.kardex);
    EXPECT_EQ(f.EditCLPRO_I->text(), "P1");
    EXPECT_EQ(f.EditEXIST_I->text(), c.existencia);
  }
}

// The average cost of every product, from the receipts (concept 51) of the
// data folder's movements: weighted by quantity; without receipts kept.
TEST_F(KardexInventario, CostoPromedioDeLasEntradasDeCompra) {
  Producto({{"CLPRO_I", "B"}, {"CPROM_I", "1"}});
  Producto({{"CLPRO_I", "C"}, {"CPROM_I", "2"}});
  Producto({{"CLPRO_I", "D"}, {"CPROM_I", "3"}});
  Movimiento(kDatos, "B", 51, 10, {{"COSUN_MI", 5}});
  Movimiento(kDatos, "B", 51, 30, {{"COSUN_MI", 7}, {"FEDOC_MI", QDate(2025, 3, 2)}});
  Movimiento(kDatos, "B", 3, 4, {{"COSUN_MI", 9}, {"FEDOC_MI", QDate(2025, 3, 3)}});
  Movimiento(kDatos, "C", 3, 4, {{"COSUN_MI", 9}});

  TFormaInventario& f = Ventana();
  f.PosicionaProducto("C");
  Corre(f, "AjustarCostoPromedio1");
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(Campo("B", "CPROM_I"), "6.5");
  // Without receipt rows (only sales, or nothing) there is no average to
  // give: the product keeps its own.
  EXPECT_EQ(Campo("C", "CPROM_I"), "2");
  EXPECT_EQ(Campo("D", "CPROM_I"), "3");
  EXPECT_EQ(f.EditCLPRO_I->text(), "D");
}

// The last-use stamp raised to the later of the last purchase and sale,
// never lowered; run by any user.
TEST_F(KardexInventario, FechaUsoSubeALaUltimaCompraOVenta) {
  const auto dia = [](int d) { return QString::number(NumeroDeFecha(QDate(2025, 3, d))); };
  Producto({{"CLPRO_I", "E1"}, {"FEULC_I", "02/03/2025"}, {"FEULV_I", "05/03/2025"}, {"HORAF_F", dia(1)}});
  Producto({{"CLPRO_I", "E2"}, {"FEULC_I", "02/03/2025"}, {"FEULV_I", "05/03/2025"}, {"HORAF_F", dia(10)}});
  Producto({{"CLPRO_I", "E3"}, {"FEULC_I", "07/03/2025"}});
  Producto({{"CLPRO_I", "E4"}});

  TFormaInventario& f = Ventana("1");
  Corre(f, "ActualizarFechaUso1");
  EXPECT_EQ(Mensajes(), QStringList{"Proceso Terminado..."});
  EXPECT_EQ(Campo("E1", "HORAF_F"), dia(5));
  EXPECT_EQ(Campo("E2", "HORAF_F"), dia(10));
  EXPECT_EQ(Campo("E3", "HORAF_F"), dia(7));
  EXPECT_EQ(Campo("E4", "HORAF_F"), "");
}

// The cut deletes the movement rows of sales, returns to suppliers,
// receipts and put-back stock, and says how many; while another station
// has the movement table open it names the table and deletes nothing.
TEST_F(KardexInventario, CorteBorraLosMovimientosDeDocumentos) {
  Producto({{"CLPRO_I", "P1"}});
  const int conceptos[] = {1, 57, 3, 56, 51, 6, 58, 52, 60, 54};
  int numero = 1;
  for (int c : conceptos) Movimiento(kDatos, "P1", c, 1, {{"CLDOC_MI", numero++}});
  const auto quedan = [] {
    QStringList v;
    auto t = Abre(kTablaMovimientos);
    for (t->First(); !t->Eof(); t->Next()) v << t->FieldByName("TIMOV_MI").AsString();
    return v;
  };
  const QStringList todos = quedan();

  TFormaInventario& f = Ventana();
  {
    ProcesoHijo otra("TieneMovimientos", {kDatos});
    ASSERT_EQ(otra.EsperaLinea(), "ABIERTA");
    Corre(f, "cortedeInventario1");
    EXPECT_EQ(Mensajes(),
              QStringList{"La tabla C:\\VRL\\DATOS\\MovInven.dbf está en uso en otra estación; no se borró ningún "
                          "movimiento"});
    EXPECT_EQ(quedan(), todos);
    otra.Envia("FIN");
    EXPECT_EQ(otra.Espera(), 0);
  }

  ui::PuertaModal::LimpiaMensajes();
  Corre(f, "cortedeInventario1");
  EXPECT_EQ(Mensajes(), QStringList{"4 borrados"});
  EXPECT_EQ(quedan(), (QStringList{"57", "56", "6", "58", "52", "60"}));

  Movimiento(kDatos, "P1", 2, 1, {{"CLDOC_MI", 11}});
  ui::PuertaModal::LimpiaMensajes();
  Corre(f, "cortedeInventario1");
  EXPECT_EQ(Mensajes(), QStringList{"1 borrados"});
  EXPECT_EQ(quedan().size(), 6);
}

// The administrator's commands refuse any other user and leave everything
// as it was.
TEST_F(KardexInventario, SoloElAdministrador) {
  CreaTablaDe(db::CarpetaTabla::Datos, "comovinv.dbf", kDatos);
  Producto({{"CLPRO_I", "P1"}, {"EXIST_I", "10"}, {"CPROM_I", "3"}});
  Movimiento(kDatos, "P1", 51, 4, {{"COSUN_MI", 2}});
  Movimiento(kDatos, "P1", 3, 1);
  prueba::LanzadorGrabador lanzador;
  TFormaInventario& f = Ventana("1");
  for (const char* item : {"AjustarInventarioSegunExistencias1", "RevisaExistencias1", "RevisaExistenciasRapido1",
                           "AjustarCostoPromedio1", "cortedeInventario1"}) {
    SCOPED_TRACE(item);
    ui::PuertaModal::LimpiaMensajes();
    Corre(f, item);
    EXPECT_EQ(Mensajes(), QStringList{"Esta Opción es Permitida solo al Administrador"});
  }
  EXPECT_EQ(Abre(kTablaMovimientos)->RecordCount(), 2);
  EXPECT_EQ(Campo("P1", "CPROM_I"), "3");
  EXPECT_FALSE(fs::Existe("C:\\VRL\\tempo\\ajustar.txt"));
  EXPECT_TRUE(lanzador.iniciados.isEmpty());
}

}  // namespace
