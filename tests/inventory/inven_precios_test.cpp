// The product window's discount panel and cost formula, and its price
// commands: the policy window, the extra price columns, the price grid and
// the extra data folders.

#include "foundation/rutinas_usuarios.h"
#include "inventory/ConPro.h"
#include "inventory/Politica.h"
#include "inventory/PreciosPref.h"
#include "inventory/RutaKardex.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "ventana_inventario.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>

namespace {

using prueba::Pulsa;
using prueba::Tecla;
using prueba::Teclea;
using ui::PuertaModal::Mensajes;

const QString kFormula = QStringLiteral("C:\\VRL\\Formula_CostosI.dat");

// Types into the grid DBGrid1: the first key opens the cell's editor, the
// rest goes to it.
void EscribeEnRejilla(const QDialog& d, const QString& texto) {
  Teclea(d, "DBGrid1", texto.left(1));
  QTest::keyClicks(QApplication::focusWidget(), texto.mid(1));
}

class PreciosInventario : public VentanaInventario {
 protected:
  // INVENTAR.DBF of the folder made anew: the registered layout without the
  // columns `sin`, plus the price columns PLIS<desde>_I to PLIS<hasta>_I.
  static void CreaInventario(const QString& carpeta, const QStringList& sin, int desde = 0, int hasta = -1) {
    if (db::Tabla::Existe(carpeta, "INVENTAR.DBF")) db::Tabla::Borra(carpeta, "INVENTAR.DBF");
    fs::CreaCarpeta(carpeta);
    const db::DefTabla& d = Esquema("INVENTAR.DBF");
    QVector<db::DefCampo> campos;
    for (const db::DefCampo& c : d.campos)
      if (!sin.contains(c.nombre)) campos << c;
    for (int n = desde; n <= hasta; ++n) campos << db::DefCampo{QStringLiteral("PLIS%1_I").arg(n), u'N', 8, 2};
    db::Tabla::Crea(carpeta, d.archivo, campos, d.tags);
  }

  static QStringList Campos(const QString& carpeta) {
    return AbreTabla(carpeta, "INVENTAR.DBF")->NombresCampos();
  }
};

TEST_F(PreciosInventario, ElCostoConDescuentosAplicaLosTresDescuentosYElImpuesto1) {
  struct Caso {
    const char* costo;
    const char* d1;
    const char* d2;
    const char* d3;
    const char* iva;
    const char* etiqueta;
  };
  const Caso casos[] = {
      {"100", "10", "5", "0", "16", "Costo Con Descuentos 99.18"},
      {"100", "", "", "", "16", "Costo Con Descuentos 116.00"},  // empty discounts count 0
      {"2500", "50", "", "20", "", "Costo Con Descuentos 1,000.00"},
  };
  int n = 0;
  for (const Caso& c : casos)
    Producto({{"CLPRO_I", QString::number(++n)}, {"ULCOS_I", c.costo}, {"DESC1_I", c.d1}, {"DESC2_I", c.d2},
              {"DESC3_I", c.d3}, {"PIVA1_I", c.iva}, {"ALMAC_I", "1"}});
  TFormaInventario& f = Ventana();
  EXPECT_FALSE(f.PanelDescuentos->isHidden());
  for (const Caso& c : casos) {
    EXPECT_EQ(f.LabelCostoF->text(), c.etiqueta) << f.EditCLPRO_I->text().toStdString();
    Tecla(f, "", Qt::Key_S, Qt::ControlModifier);
  }

  // Without DESC3_I the panel stays hidden and the label is never touched.
  forma_.reset();
  CreaInventario(kDatos, {"DESC1_I", "DESC2_I", "DESC3_I"});
  Producto({{"CLPRO_I", "1"}, {"ULCOS_I", "100"}, {"ALMAC_I", "1"}});
  Producto({{"CLPRO_I", "2"}, {"ULCOS_I", "200"}, {"ALMAC_I", "1"}});
  TFormaInventario& sin = Ventana();
  Tecla(sin, "", Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(sin.EditCLPRO_I->text(), "2");
  EXPECT_TRUE(sin.PanelDescuentos->isHidden());
  EXPECT_EQ(sin.LabelCostoF->text(), "Costo Con Descuentos");
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(PreciosInventario, LaFormulaSugierePrecioYCambiarPrecioLoGuarda) {
  EscribeLineas(kFormula, {"variable1=i.ulcos_i*(1+i.desc1_i/100)"});
  Proveedor("P1", {"20", "5", ""});
  Producto({{"CLPRO_I", "A1"}, {"ULCOS_I", "100"}, {"DESC1_I", "10"}, {"CLPR1_I", "P9"}, {"ALMAC_I", "1"}});
  Producto({{"CLPRO_I", "B2"}, {"ULCOS_I", "100"}, {"DESC1_I", "10"}, {"CLPR1_I", "P1"}, {"ALMAC_I", "1"}});
  TFormaInventario& f = Ventana();
  ASSERT_EQ(f.EditCLPRO_I->text(), "A1");

  // Before any formula run the price stored is 0.00.
  Pulsa(f, "BotonCambios");
  EXPECT_EQ(f.LabelPrecio->text(), "0.00");
  Pulsa(f, "BitBtn3");
  Pulsa(f, "BotonGuardar");
  EXPECT_EQ(Campo("A1", "PPUBL_I"), "0");

  // The supplier is not found: the discounts as typed.
  Pulsa(f, "BotonCambios");
  Pulsa(f, "BitBtn2");
  EXPECT_EQ(f.LabelPrecio->text(), "110.00");
  EXPECT_EQ(f.MemoResultado->toPlainText(), "variable1=100*(1+10/100)");
  Pulsa(f, "BitBtn3");
  EXPECT_EQ(Campo("A1", "PPUBL_I"), "0");  // a change reaches the product at "Guardar"
  Pulsa(f, "BotonGuardar");
  EXPECT_EQ(Campo("A1", "PPUBL_I"), "110");

  // The supplier found: its discounts overwrite the product's.
  Tecla(f, "", Qt::Key_S, Qt::ControlModifier);
  Pulsa(f, "BotonCambios");
  Pulsa(f, "BitBtn2");
  EXPECT_EQ(f.EditDESC1_I->text(), "20");
  EXPECT_EQ(f.LabelPrecio->text(), "120.00");
  // A formula that fails leaves the price shown as it was.
  f.MemoFormula->setPlainText("variable1=i.nohay_i");
  Pulsa(f, "BitBtn2");
  EXPECT_EQ(f.LabelPrecio->text(), "120.00");
  Pulsa(f, "BotonGuardar");
  EXPECT_EQ(Campo("B2", "DESC1_I"), "20");
  EXPECT_EQ(Campo("B2", "DESC2_I"), "5");
  EXPECT_EQ(Campo("B2", "PPUBL_I"), "");

  // A new product: the formula posts the row being entered at once.
  f.MemoFormula->setPlainText("variable1=i.ulcos_i*2");
  Pulsa(f, "BotonNuevo");
  Teclea(f, "EditCLPRO_I", "C3");
  Teclea(f, "EditULCOS_I", "7");
  Pulsa(f, "BitBtn2");
  EXPECT_EQ(f.LabelPrecio->text(), "14.00");
  EXPECT_EQ(AbreTabla(kDatos, "INVENTAR.DBF")->RecordCount(), 3);
  Pulsa(f, "BitBtn3");
  Pulsa(f, "BotonGuardar");
  EXPECT_EQ(Campo("C3", "ULCOS_I"), "7");
  EXPECT_EQ(Campo("C3", "PPUBL_I"), "14");
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(PreciosInventario, LaPoliticaPideElDerecho34YEditaLoQueSeMuestra) {
  Producto({{"CLPRO_I", "A1"}, {"ULCOS_I", "10"}, {"ALMAC_I", "1"}});
  Lineas({{ConfDigitosCosto, "5"}});
  Ventana("1").Componente<QAction>("PolticadePrecios1")->trigger();
  EXPECT_EQ(Mensajes(), QStringList{kSinAcceso});
  EXPECT_EQ(ui::PuertaModal::SinRespuesta(), QStringList());

  struct Caso {
    bool cambio;
    const char* digitos;
    int tag;
  };
  for (const Caso c : {Caso{false, "5", 5}, Caso{true, "x", 0}}) {
    Lineas({{ConfDigitosCosto, c.digitos}});
    TFormaInventario& f = Ventana("0");
    if (c.cambio) Pulsa(f, "BotonCambios");
    bool mostrada = false;
    ui::PuertaModal::Espera("TFormaPolitica", [&](QDialog& d) {
      mostrada = true;
      auto& politica = static_cast<TFormaPolitica&>(d);
      EXPECT_EQ(politica.Tag(), c.tag);
      EXPECT_EQ(politica.DataSource1->DataSet(),
                c.cambio ? static_cast<db::Dataset*>(f.TablaAuxiliar) : f.TablaInventario);
      Teclea(d, "DBEdit8", c.cambio ? "4" : "3");  // the limit of price 1, left in edit
    });
    f.Componente<QAction>("PolticadePrecios1")->trigger();
    EXPECT_TRUE(mostrada);
    if (c.cambio) Pulsa(f, "BotonGuardar");
    EXPECT_EQ(Campo("A1", "POLI1_I"), c.cambio ? "4" : "3");
    EXPECT_EQ(f.TablaInventario->State(), db::Dataset::Estado::Navegando);
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(PreciosInventario, AgregaPreciosAgregaLasColumnasQueFaltanYLaRejillaLasMuestra) {
  // The product table lives in the inventory folder of line 59; the data
  // folder's INVENTAR.DBF is none of the window's business.
  const QString inventario = QStringLiteral("C:\\VRL\\INVEN");
  Lineas({{ConfCarpetaInventario, inventario}});
  CreaInventario(inventario, {}, 101, 150);
  for (const char* clave : {"A1", "B2"}) {
    auto t = AbreTabla(inventario, "INVENTAR.DBF");
    t->Append();
    t->FieldByName("CLPRO_I").SetAsString(clave);
    t->FieldByName("PLIS120_I").SetAsString("7.5");
    t->FieldByName("ALMAC_I").SetAsString("1");
    t->Post();
  }
  TFormaInventario& f = Ventana();
  Tecla(f, "", Qt::Key_S, Qt::ControlModifier);
  QAction* agrega = f.Componente<QAction>("AgregaPrecios1");

  // Another station has the table open: nothing is added, and the user is
  // told once.
  auto otraEstacion = AbreTabla(inventario, "INVENTAR.DBF");
  agrega->trigger();
  EXPECT_EQ(Mensajes(), QStringList{"La tabla INVENTAR.DBF está abierta en otra estación o ventana; ciérrela para "
                                    "agregar los precios"});
  EXPECT_FALSE(Campos(inventario).contains("PLIS151_I"));
  otraEstacion.reset();
  ui::PuertaModal::LimpiaMensajes();

  // The product lookup used on the way (F12) keeps the table open between
  // lookups; adding the prices lets it go first.
  TFormaConProduct consulta;
  ui::PuertaModal::Espera("TFormaConProduct", [](QDialog& d) { Tecla(d, "", Qt::Key_Return); });
  Tecla(f, "", Qt::Key_F12);
  ASSERT_EQ(f.EditCLPRO_I->text(), "B2");
  agrega->trigger();
  QStringList agregadas;
  for (int n = 151; n <= 200; ++n) agregadas << QStringLiteral("PLIS%1_I").arg(n);
  EXPECT_EQ(Mensajes(), agregadas);
  const QStringList campos = Campos(inventario);
  EXPECT_EQ(campos.mid(campos.indexOf("PLIS101_I")).size(), 100);
  EXPECT_EQ(campos.last(), "PLIS200_I");
  // The window stays on its product, with the table whole.
  EXPECT_EQ(f.EditCLPRO_I->text(), "B2");
  EXPECT_EQ(f.TablaInventario->FieldByName("PLIS120_I").AsString(), "7.5");
  EXPECT_TRUE(f.TablaInventario2->Active());
  ui::PuertaModal::LimpiaMensajes();
  agrega->trigger();
  EXPECT_EQ(Mensajes(), QStringList());

  // The price grid: key, description and the prices; a price typed is kept.
  ui::PuertaModal::Espera("TFormaPrecios", [&](QDialog& d) {
    auto& precios = static_cast<TFormaPrecios&>(d);
    EXPECT_EQ(precios.LabelRuta->text(), inventario);
    QStringList visibles;
    for (int i = 0; i < precios.DBGrid1->Columnas(); ++i)
      if (precios.DBGrid1->Columna(i).visible) visibles << precios.DBGrid1->Columna(i).campo;
    EXPECT_EQ(visibles, QStringList({"CLPRO_I", "DSCPR_I", "PPUBL_I", "PLIS2_I", "PLIS3_I", "PLIS4_I", "PMINI_I",
                                     "PLIS6_I", "PLIS7_I"}) +
                            campos.mid(campos.indexOf("PLIS101_I")));
    ASSERT_TRUE(precios.Table1->FindKey({"B2"}));
    precios.DBGrid1->SetSelectedIndex(precios.Table1->FieldByName("PLIS200_I").Indice());
    EscribeEnRejilla(d, "9.25");
  });
  f.Componente<QAction>("PreciosPreferencial1")->trigger();
  auto t = AbreTabla(inventario, "INVENTAR.DBF", "ICLPRO");
  ASSERT_TRUE(t->FindKey({"B2"}));
  EXPECT_EQ(t->FieldByName("PLIS200_I").AsString(), "9.25");

  // While a product is entered the table is not to be reopened.
  Pulsa(f, "BotonNuevo");
  EXPECT_FALSE(agrega->isEnabled());
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(PreciosInventario, LasRutasDelKardexSeEditanEnSuTabla) {
  const db::DefTabla& d = CatalogoVorlan().Tabla(db::CarpetaTabla::Datos, "RutasMI.dbf");
  db::Tabla::Crea(kDatos, d.archivo, d.campos, d.tags);
  {
    auto t = Abre("RutasMI.dbf");
    for (const char* ruta : {"C:\\SUC1", "C:\\NOHAY"}) {
      t->Append();
      t->FieldByName("ruta").SetAsString(ruta);
      t->Post();
    }
  }
  TFormaInventario& f = Ventana();
  ui::PuertaModal::Espera("TFormaRutaKardex", [](QDialog& d) {
    auto& rutas = static_cast<TFormaRutaKardex&>(d);
    EXPECT_EQ(rutas.windowTitle(), "Rutas del Kardex");
    ASSERT_EQ(rutas.DBGrid1->model()->rowCount(), 2);
    rutas.Table1->First();
    ui::PuertaModal::Espera("MessageDlg", [](QDialog& m) { m.done(QMessageBox::Yes); });
    Tecla(d, "DBGrid1", Qt::Key_Delete, Qt::ControlModifier);
    Tecla(d, "DBGrid1", Qt::Key_Insert);
    EscribeEnRejilla(d, "C:\\SUC2");
  });
  f.Componente<QAction>("RutasKardex1")->trigger();
  QStringList rutas;
  auto t = Abre("RutasMI.dbf");
  for (t->First(); !t->Eof(); t->Next()) rutas << t->FieldByName("ruta").AsString();
  rutas.sort();
  EXPECT_EQ(rutas, QStringList({"C:\\NOHAY", "C:\\SUC2"}));

  // The table comes with the installation: without it, the error and no window.
  t.reset();
  db::Tabla::Borra(kDatos, "RutasMI.dbf");
  ui::PuertaModal::LimpiaMensajes();
  f.Componente<QAction>("RutasKardex1")->trigger();
  ASSERT_EQ(Mensajes().size(), 1);
  EXPECT_TRUE(Mensajes()[0].contains("RutasMI", Qt::CaseInsensitive)) << Mensajes()[0].toStdString();
  EXPECT_EQ(ui::PuertaModal::SinRespuesta(), QStringList());
}

}  // namespace
