// A customer's discounts per product line: the window the customer
// catalogue opens, its list of product lines, "Crear Lista", and rows typed
// in its grid.

#include "customers/PoliClie.h"
#include "foundation/rutinas.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/PuertaModal.h"
#include "platform/ui/RejillaDatos.h"
#include "shell/LineasConfiguracion.h"
#include "support/Maneja.h"
#include "support/RaizPrueba.h"
#include "tablas/TablasVorlan.h"

#include <QApplication>
#include <QListWidget>
#include <QTest>

namespace {

const QString kDatos = QStringLiteral("C:\\VRL\\DATOS");
const QString kAlmacen = QStringLiteral("C:\\VRL\\ALMACEN");

class PoliticaClientes : public RaizPrueba {
 protected:
  void SetUp() override {
    RaizPrueba::SetUp();
    EscribeLineas(kArchivoInicio, {"C:\\VRL", "C:\\VRL\\Gener1.cnf", ""});
    Configura(QString());
    CreaTablasEmpresa(db::Carpetas{kDatos, {}, {}, "C:\\VRL"});
    fs::CreaCarpeta(kAlmacen);
    db::Tabla productos;
    productos.SetCarpeta(kDatos);
    productos.SetNombreTabla("INVENTAR.DBF");
    db::Tabla::CreaComo(kAlmacen, "INVENTAR.DBF", productos);
    for (const char* linea : {"PINT", "ABAR", "HERR", "ABAR"}) AgregaProducto(kDatos, linea);
    AgregaProducto(kAlmacen, "VIDR");
    AgregaDescuento("12", "HERR", "5");
    AgregaDescuento("120", "ABAR", "7");
  }

  static void Configura(const QString& inventario) {
    QStringList conf = ValoresInicialesConfiguracion();
    conf[ConfCarpetaDatos - 1] = kDatos;
    conf[ConfCarpetaInventario - 1] = inventario;
    EscribeLineas("C:\\VRL\\Gener1.cnf", conf);
  }

  static void AgregaProducto(const QString& carpeta, const char* linea) {
    db::Tabla t;
    t.SetCarpeta(carpeta);
    t.SetNombreTabla("INVENTAR.DBF");
    t.Open();
    t.Append();
    t.FieldByName("CLPRO_I").SetAsString(QString::number(t.RecordCount() + 1));
    t.FieldByName("LIPRO_I").SetAsString(linea);
    t.Post();
  }

  static void AgregaDescuento(const QString& cliente, const QString& linea, const QString& descuento) {
    db::Tabla t;
    t.SetCarpeta(kDatos);
    t.SetNombreTabla(kTablaDescuentosCliente);
    t.Open();
    t.Append();
    t.FieldByName("CLCLI_D").SetAsString(cliente);
    t.FieldByName("LINEA_D").SetAsString(linea);
    t.FieldByName("DESCU_D").SetAsString(descuento);
    t.Post();
  }

  // Every row of ClieDesc.dbf in key order: "customer line discount".
  static QStringList Descuentos() {
    db::Tabla t;
    t.SetCarpeta(kDatos);
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
  MuestraDescuentosCliente(kDatos, "12");
  EXPECT_TRUE(visto);
  EXPECT_EQ(Descuentos(), QStringList({"12 HERR 5", "12 ABAR ", "12 PINT ", "120 ABAR 7"}));
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(PoliticaClientes, UnClienteSinRenglonesVeLasLineasDelAlmacenYLoTecleadoSeGuardaConSuClave) {
  Configura(kAlmacen);
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
  MuestraDescuentosCliente(kDatos, "7");
  EXPECT_EQ(Descuentos(), QStringList({"12 HERR 5", "120 ABAR 7", "7  15"}));
  EXPECT_EQ(Mensajes(), QStringList());
}
