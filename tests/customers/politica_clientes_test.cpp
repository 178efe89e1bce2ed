// A customer's discounts per product line: the window the customer
// catalogue opens, its list of product lines, "Crear Lista", and rows typed
// in its grid.

#include "clientes_prueba.h"
#include "customers/PoliClie.h"
#include "platform/fs/Texto.h"
#include "platform/ui/RejillaDatos.h"
#include "support/Maneja.h"

#include <QApplication>
#include <QListWidget>
#include <QTest>

namespace {

const QString kAlmacen = QStringLiteral("C:\\VRL\\ALMACEN");

class PoliticaClientes : public ClientesPrueba {
 protected:
  void SetUp() override {
    ClientesPrueba::SetUp();
    fs::CreaCarpeta(kAlmacen);
    db::Tabla productos;
    productos.SetCarpeta(kDatosClientes);
    productos.SetNombreTabla("INVENTAR.DBF");
    db::Tabla::CreaComo(kAlmacen, "INVENTAR.DBF", productos);
    Agrega("INVENTAR.DBF", {"CLPRO_I", "LIPRO_I"}, {{"1", "PINT"}, {"2", "ABAR"}, {"3", "HERR"}, {"4", "ABAR"}});
    db::Tabla almacen;
    almacen.SetCarpeta(kAlmacen);
    almacen.SetNombreTabla("INVENTAR.DBF");
    almacen.Open();
    almacen.Append();
    almacen.FieldByName("LIPRO_I").SetAsString("VIDR");
    almacen.Post();
    Agrega(kTablaDescuentosCliente, {"CLCLI_D", "LINEA_D", "DESCU_D"}, {{"12", "HERR", "5"}, {"120", "ABAR", "7"}});
  }

  // Configuration line 59: the inventory folder.
  static void CarpetaInventario(const QString& carpeta) {
    QStringList conf = fs::LeeLineas("C:\\VRL\\Gener1.cnf");
    conf[ConfCarpetaInventario - 1] = carpeta;
    EscribeLineas("C:\\VRL\\Gener1.cnf", conf);
  }

  // Every row of ClieDesc.dbf in key order: "customer line discount".
  static QStringList Descuentos() {
    db::Tabla t;
    t.SetCarpeta(kDatosClientes);
    t.SetNombreTabla(kTablaDescuentosCliente);
    t.SetIndexName("CLCLI_D");
    t.Open();
    QStringList filas;
    for (t.First(); !t.Eof(); t.Next())
      filas << QStringList{t.FieldByName("CLCLI_D").AsString(), t.FieldByName("LINEA_D").AsString(),
                           t.FieldByName("DESCU_D").AsString()}
                   .join(' ');
    return filas;
  }

  static QStringList Lineas(const TFormaPoliticaClientes& v) {
    QStringList lineas;
    for (int i = 0; i < v.ListaLineas->count(); ++i) lineas << v.ListaLineas->item(i)->text();
    return lineas;
  }
};

}  // namespace

TEST_F(PoliticaClientes, CrearListaDaUnRenglonPorLineaFaltanteYLaSegundaVezNada) {
  bool visto = false;
  ui::PuertaModal::Espera("TFormaPoliticaClientes", [&](QDialog& d) {
    auto& v = static_cast<TFormaPoliticaClientes&>(d);
    visto = true;
    EXPECT_EQ(v.windowTitle(), "Descuentos al Cliente por Linea de Productos");
    EXPECT_EQ(Lineas(v), QStringList({"ABAR", "HERR", "PINT"}));
    EXPECT_EQ(v.TablaDescuentos->RecordCount(), 1);
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(v.DBGrid1->Columna(i).titulo, QStringList({"Cliente", "Descuento", "Linea"})[i]);
    prueba::Pulsa(v, "BitBtn1");
    prueba::Pulsa(v, "BitBtn1");
    EXPECT_EQ(v.TablaDescuentos->RecordCount(), 3);
    v.Close();
  });
  MuestraDescuentosCliente(kDatosClientes, "12");
  EXPECT_TRUE(visto);
  EXPECT_EQ(Descuentos(), QStringList({"12 HERR 5", "12 ABAR ", "12 PINT ", "120 ABAR 7"}));
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(PoliticaClientes, UnClienteSinRenglonesVeLasLineasDelAlmacenYLoTecleadoSeGuardaConSuClave) {
  CarpetaInventario(kAlmacen);
  ui::PuertaModal::Espera("TFormaPoliticaClientes", [&](QDialog& d) {
    auto& v = static_cast<TFormaPoliticaClientes&>(d);
    EXPECT_EQ(Lineas(v), QStringList{"VIDR"});
    EXPECT_EQ(v.TablaDescuentos->RecordCount(), 0);
    // The key column is passed by: typing goes to the percentage.
    EXPECT_EQ(v.DBGrid1->SelectedIndex(), 1);
    v.DBGrid1->SetSelectedIndex(2);
    v.DBGrid1->SetSelectedIndex(0);
    EXPECT_EQ(v.DBGrid1->SelectedIndex(), 1);
    prueba::Tecla(v, "DBGrid1", Qt::Key_Down);
    for (const QChar c : QString("15")) QTest::keyClicks(QApplication::focusWidget(), QString(c));
    v.Close();
  });
  MuestraDescuentosCliente(kDatosClientes, "7");
  EXPECT_EQ(Descuentos(), QStringList({"12 HERR 5", "120 ABAR 7", "7  15"}));
  EXPECT_EQ(Mensajes(), QStringList());
}
