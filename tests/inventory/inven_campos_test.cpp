// The product window's display and the rules of its boxes: the stock as
// the configuration allows it, the package and stock-limit labels, price
// from cost, below-cost warnings, stock in packages, the F2 lookups and the
// help lines.

#include "app/Vorlan.h"
#include "foundation/ArchivosPrograma.h"
#include "inventory/Tipinve.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ControlesDatos.h"
#include "ventana_inventario.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTest>

#include <functional>

namespace {

using prueba::Pulsa;
using prueba::Tecla;
using prueba::Teclea;

class CamposInventario : public VentanaInventario {};

TEST_F(CamposInventario, LaExistenciaSeMuestraComoLaConfiguracionLaPermite) {
  struct Caso {
    const char* nombre;
    const char* linea41;
    std::map<QString, QString> producto;
    const char* existencia;
    bool roja;
    const char* empaques;
  };
  const Caso casos[] = {
      {"negativa sin permiso", "N", {{"EXIST_I", "-3"}}, "0", false, ""},
      {"negativa permitida", "S", {{"EXIST_I", "-3"}}, "-3", true, ""},
      {"por empaques", "N", {{"EXIST_I", "25"}, {"UEMPA_I", "12"}}, "25", false, "EMPAQUES           2.08"},
  };
  for (const Caso& c : casos) {
    forma_.reset();
    CreaTabla(kDatos, "INVENTAR.DBF");
    std::map<QString, QString> producto = c.producto;
    producto["CLPRO_I"] = "P1";
    Producto(producto);
    Lineas({{ConfExistenciasNegativas, c.linea41}});
    TFormaInventario& f = Ventana();
    EXPECT_EQ(f.EditEXIST_I->text(), c.existencia) << c.nombre;
    EXPECT_EQ(Campo("P1", "EXIST_I"), c.existencia) << c.nombre;
    EXPECT_EQ(f.EditEXIST_I->palette().color(QPalette::Text) == QColor(Qt::red), c.roja) << c.nombre;
    EXPECT_EQ(f.EtiquetaEmpaque->text(), c.empaques) << c.nombre;
    // A product without a warehouse is given warehouse 1 when shown.
    EXPECT_EQ(Campo("P1", "ALMAC_I"), "1") << c.nombre;
    EXPECT_EQ(ui::PuertaModal::Mensajes(), QStringList()) << c.nombre;
  }
}

// Another station raises a negative stock after this window read it: the
// 0 for a negative stock is written only over what the row holds under its
// lock, so the raise stays.
TEST_F(CamposInventario, ElCeroDeUnaExistenciaNegativaNoPisaLaDeOtraEstacion) {
  Producto({{"CLPRO_I", "P1"}, {"EXIST_I", "-5"}});
  Lineas({{ConfExistenciasNegativas, "S"}});
  TFormaInventario& f = Ventana();
  ASSERT_EQ(f.TablaInventario->FieldByName("EXIST_I").AsFloat(), -5);
  {
    auto otra = Abre("INVENTAR.DBF", "ICLPRO");
    ASSERT_TRUE(otra->FindKey({"P1"}));
    otra->Edit();
    otra->FieldByName("EXIST_I").SetAsFloat(10);
    otra->Post();
  }
  Lineas({{ConfExistenciasNegativas, "N"}});
  f.MuestraExistencia();
  EXPECT_EQ(Campo("P1", "EXIST_I"), "10");
  EXPECT_EQ(ui::PuertaModal::Mensajes(), QStringList());
}

TEST_F(CamposInventario, ChecarStocksAvisaDeLosLimitesAlMostrar) {
  Producto({{"CLPRO_I", "P1"}, {"STMIN_I", "10"}, {"EXIST_I", "4"}, {"UEMPA_I", "6"}, {"ULCOS_I", "2.5"}});
  Producto({{"CLPRO_I", "P2"}, {"STMIN_I", "0"}, {"EXIST_I", "4"}});
  Producto({{"CLPRO_I", "P3"}, {"STMAX_I", "5"}, {"EXIST_I", "8"}});
  TFormaInventario& sinChecar = Ventana();
  EXPECT_EQ(sinChecar.CxEmpaque->text(), "Cost x Emp 15.00");
  sinChecar.ChecarStocks1->trigger();
  EXPECT_EQ(fs::LeeLineas("C:\\VRL\\inventar.cnf"), QStringList{"S"});

  // The option is read when the window is made.
  TFormaInventario& f = Ventana();
  EXPECT_TRUE(f.ChecarStocks1->isChecked());
  f.MuestraProducto();
  Tecla(f, "", Qt::Key_S, Qt::ControlModifier);
  Tecla(f, "", Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(f.EditCLPRO_I->text(), "P3");
  EXPECT_EQ(ui::PuertaModal::Mensajes(),
            (QStringList{"El Producto Esta por Debajo de su Stock Mínimo 10 Existencias 4",
                         "El Producto Esta por Arriba de su Stock Máximo 5 Existencias 8"}));
  // No warning while a new product is entered.
  ui::PuertaModal::LimpiaMensajes();
  Pulsa(f, "BotonNuevo");
  EXPECT_EQ(ui::PuertaModal::Mensajes(), QStringList());
  f.ChecarStocks1->trigger();
  EXPECT_EQ(fs::LeeLineas("C:\\VRL\\inventar.cnf"), QStringList{"N"});
}

TEST_F(CamposInventario, ElUltimoCostoDaElPrecioYElCostoPromedio) {
  struct Caso {
    const char* nombre;
    const char* porcentaje;
    const char* promedio;
    const char* precio;         // price 1 after the last cost is left
    const char* promedioFinal;
  };
  const Caso casos[] = {
      {"con utilidad y sin promedio", "25", "", "100", "80"},
      {"sin utilidad", "0", "", "30", "80"},
      {"con promedio", "25", "50", "100", "50"},
  };
  for (const Caso& c : casos) {
    forma_.reset();
    CreaTabla(kDatos, "INVENTAR.DBF");
    Producto({{"CLPRO_I", "P1"}, {"PORC1_I", c.porcentaje}, {"CPROM_I", c.promedio}, {"PPUBL_I", "30"}});
    TFormaInventario& f = Ventana();
    Pulsa(f, "BotonCambios");
    Teclea(f, "EditULCOS_I", "80.00");
    Tecla(f, "EditULCOS_I", Qt::Key_Return);
    EXPECT_EQ(f.EditPPUBL_I->text(), c.precio) << c.nombre;
    EXPECT_EQ(f.EditCPROM_I->text(), c.promedioFinal) << c.nombre;
    Pulsa(f, "BotonGuardar");
    EXPECT_EQ(Campo("P1", "PPUBL_I"), c.precio) << c.nombre;
    EXPECT_EQ(Campo("P1", "CPROM_I"), c.promedioFinal) << c.nombre;
    EXPECT_EQ(Campo("P1", "ULCOS_I"), "80") << c.nombre;
  }
}

TEST_F(CamposInventario, UnPrecioMenorAlCostoSeAvisaYSeConserva) {
  struct Caso {
    const char* caja;
    const char* precio;
    const char* costo;
    bool aviso;
  };
  const Caso casos[] = {
      {"EditPLIS_I2", "10.00", "12.50", true}, {"EditPLIS_I2", "10.00", "", false},
      {"EditPLIS_I2", "-1", "", true},         {"EditPREC7_I", "15", "12.50", false},
      {"EditPMINI_I", "12", "12.50", true},    {"EditPPUBL_I", "10", "12.50", false},
  };
  for (const Caso& c : casos) {
    forma_.reset();
    CreaTabla(kDatos, "INVENTAR.DBF");
    Producto({{"CLPRO_I", "P1"}, {"ULCOS_I", c.costo}});
    TFormaInventario& f = Ventana();
    Pulsa(f, "BotonCambios");
    Teclea(f, c.caja, c.precio);
    Tecla(f, c.caja, Qt::Key_Return);
    const QStringList aviso = c.aviso ? QStringList{kPrecioMenorCosto} : QStringList();
    EXPECT_EQ(ui::PuertaModal::Mensajes(), aviso) << c.caja << " " << c.precio << " " << c.costo;
    Pulsa(f, "BotonGuardar");
    EXPECT_EQ(Campo("P1", f.Componente<ui::EditDatos>(c.caja)->Campo()), QString::number(QString(c.precio).toDouble()));
  }
}

TEST_F(CamposInventario, LaUtilidadAlSalirCalculaLosEmpaquesYF2Elige) {
  Producto({{"CLPRO_I", "P1"}, {"EXIST_I", "25"}, {"UEMPA_I", "10"}, {"CLPR1_I", "PR"}});
  TFormaInventario& f = Ventana();
  Pulsa(f, "BotonCambios");
  Teclea(f, "EditPORC1_I", "30");
  Tecla(f, "EditPORC1_I", Qt::Key_Return);
  EXPECT_EQ(f.TablaAuxiliar->FieldByName("EXIFA_I").AsString(), "2.5");

  // The costing method from its picker.
  ui::PuertaModal::Espera("TFormaTipoInventario", [](QDialog& d) {
    Pulsa(d, "RadioButton2");
    Pulsa(d, "Aceptar");
  });
  Tecla(f, "EditTICOS_I", Qt::Key_F2);
  EXPECT_EQ(f.EditTICOS_I->text(), "UEPS");

  // The supplier lookup once the purchasing subsystem has joined: its
  // answer replaces the box, "" when refused.
  Tecla(f, "EditCLPR_I", Qt::Key_F2);
  EXPECT_EQ(f.EditCLPR_I->text(), "PR");
  QStringList pedidas;
  UneConsultaProveedores([&](const QString& inicial) {
    pedidas << inicial;
    return inicial == "PR" ? QStringLiteral("PROV7") : QString();
  });
  Tecla(f, "EditCLPR_I", Qt::Key_F2);
  EXPECT_EQ(f.EditCLPR_I->text(), "PROV7");
  Tecla(f, "EditCLPR_I2", Qt::Key_F2);
  EXPECT_EQ(pedidas, (QStringList{"PR", ""}));
  Pulsa(f, "BotonGuardar");
  EXPECT_EQ(Campo("P1", "TICOS_I"), "UEPS");
  EXPECT_EQ(Campo("P1", "CLPR1_I"), "PROV7");
  EXPECT_EQ(Campo("P1", "EXIFA_I"), "2.5");
  EXPECT_EQ(ui::PuertaModal::Mensajes(), QStringList());
}

TEST_F(CamposInventario, LaAyudaDeCadaCajaVieneDeInventaDes) {
  Producto({{"CLPRO_I", "P1"}});
  const QStringList lineas = fs::LeeLineas("C:\\VRL\\inventa.des");
  ASSERT_GE(lineas.size(), 52);
  TFormaInventario& f = Ventana();
  Pulsa(f, "BotonCambios");
  for (const auto& [caja, primera] : {std::pair{"EditDSCPR_I", 3}, {"EditPREC6_I", 47}, {"EditVANCA_I", 51}}) {
    f.Componente<QWidget>(caja)->setFocus();
    EXPECT_EQ(f.Uno->text(), lineas[primera - 1]) << caja;
    EXPECT_EQ(f.Dos->text(), lineas[primera]) << caja;
  }
  // A cyan box while it has the focus, its own colour after.
  EXPECT_EQ(f.EditVANCA_I->palette().color(QPalette::Base), QColor(0, 255, 255));
  f.EditDSCPR_I->setFocus();
  EXPECT_NE(f.EditVANCA_I->palette().color(QPalette::Base), QColor(0, 255, 255));

  // Without the file: said once each time the window is shown.
  fs::BorraArchivo("C:\\VRL\\inventa.des");
  for (int vez = 0; vez < 2; ++vez) {
    f.hide();
    f.Show();
    Activa(f);
    ui::PuertaModal::LimpiaMensajes();
    for (const char* caja : {"EditUMEDI_I", "EditLIPRO_I", "EditDSCPR_I"}) f.Componente<QWidget>(caja)->setFocus();
    EXPECT_EQ(ui::PuertaModal::Mensajes().size(), 1);
    EXPECT_TRUE(f.Uno->text().isEmpty());
  }
}

TEST_F(CamposInventario, LaClaveVaciaConservaElFoco) {
  TFormaInventario& f = Ventana();
  Pulsa(f, "BotonNuevo");
  EXPECT_EQ(Foco(), f.EditCLPRO_I);
  Tecla(f, "EditCLPRO_I", Qt::Key_Return);
  EXPECT_EQ(Foco(), f.EditCLPRO_I);
  Teclea(f, "EditCLPRO_I", "K1");
  Tecla(f, "EditCLPRO_I", Qt::Key_Return);
  EXPECT_NE(Foco(), f.EditCLPRO_I);
  EXPECT_EQ(ui::PuertaModal::Mensajes(), QStringList());
}

}  // namespace

namespace {

TEST_F(CamposInventario, LaImagenSeEligeAlCapturarYSeVeAlConsultar) {
  fs::CreaCarpeta("c:\\fotos");
  QImage foto(24, 16, QImage::Format_RGB32);
  foto.fill(Qt::darkGreen);
  ASSERT_TRUE(foto.save(fs::Local("c:\\fotos\\p1.bmp"), "BMP"));
  Producto({{"CLPRO_I", "P1"}, {"SERIE_I", "S"}});
  Producto({{"CLPRO_I", "P2"}});
  TFormaInventario& f = Ventana();
  EXPECT_TRUE(f.Series->isChecked());
  Pulsa(f, "BotonCambios");
  ui::PuertaModal::Espera("AbreArchivo", [](QDialog& d) { prueba::EligeArchivo(d, "c:\\fotos\\p1.bmp"); });
  prueba::DobleClic(f.PanelImagen);
  EXPECT_EQ(f.PanelImagen->Caption(), "C:\\fotos\\p1.bmp");
  EXPECT_FALSE(f.Imagen->isHidden());
  Pulsa(f, "BotonGuardar");
  EXPECT_EQ(Campo("P1", "IMAGE_I"), "C:\\fotos\\p1.bmp");
  EXPECT_EQ(Campo("P1", "SERIE_I"), "S");

  // Browsing, a double click shows it in the viewer.
  bool vista = false;
  ui::PuertaModal::Espera("TFormaImagen", [&](QDialog&) { vista = true; });
  prueba::DobleClic(f.Imagen);
  EXPECT_TRUE(vista);

  // A new product starts without the picture and marks of the one shown.
  Pulsa(f, "BotonNuevo");
  EXPECT_EQ(f.PanelImagen->Caption(), kSinImagenPanel);
  EXPECT_FALSE(f.Series->isChecked());
  Teclea(f, "EditCLPRO_I", "P3");
  Pulsa(f, "BotonGuardar");
  EXPECT_EQ(Campo("P3", "IMAGE_I"), "");
  EXPECT_EQ(Campo("P3", "SERIE_I"), "N");
  // Nor does a product without a picture show the one shown before.
  Tecla(f, "", Qt::Key_A, Qt::ControlModifier);
  Tecla(f, "", Qt::Key_A, Qt::ControlModifier);
  ASSERT_EQ(f.EditCLPRO_I->text(), "P1");
  Tecla(f, "", Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(f.Imagen->pixmap().isNull());
}

TEST_F(CamposInventario, ElAlmacenFiltraLosProductosYUnCambioNoMueveDeAlmacen) {
  Lineas({{ConfMultialmacen, "S"}});
  Producto({{"CLPRO_I", "A1"}, {"ALMAC_I", "1"}});
  Producto({{"CLPRO_I", "A1"}, {"ALMAC_I", "2"}, {"DSCPR_I", "En el dos"}});
  Producto({{"CLPRO_I", "B2"}, {"ALMAC_I", "2"}});
  Producto({{"CLPRO_I", "C3"}, {"ALMAC_I", "1"}});
  EscribeLineas("C:\\VRL\\FormaInventario.dat", {"Núm/Emp:", "Piezas/Caja:"});
  TFormaInventario& f = Ventana();
  EXPECT_TRUE(f.NoAlmacen->isEnabled());
  EXPECT_EQ(f.Componente<QLabel>("LabelUEMPA_I")->text(), "Piezas/Caja:");

  // Before the spin is touched every warehouse shows: a change keeps the
  // product's own warehouse.
  Tecla(f, "", Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(f.EditDSCPR_I->text(), "En el dos");
  Pulsa(f, "BotonCambios");
  EXPECT_FALSE(f.NoAlmacen->isEnabled());
  Teclea(f, "EditUMEDI_I", "PZA");
  Pulsa(f, "BotonGuardar");
  auto t = Abre("INVENTAR.DBF");
  ASSERT_TRUE(t->Locate("CLPRO_I;DSCPR_I", {"A1", "En el dos"}));
  EXPECT_EQ(t->FieldByName("ALMAC_I").AsString(), "2");
  EXPECT_EQ(t->FieldByName("UMEDI_I").AsString(), "PZA");

  f.NoAlmacen->setValue(2);
  QStringList vistos;
  Tecla(f, "", Qt::Key_A, Qt::ControlModifier);
  for (int i = 0; i < 3; ++i) {
    vistos << f.EditCLPRO_I->text();
    Tecla(f, "", Qt::Key_S, Qt::ControlModifier);
  }
  EXPECT_EQ(vistos, (QStringList{"A1", "B2", "B2"}));
  EXPECT_EQ(ui::PuertaModal::Mensajes(), QStringList());
}

}  // namespace

namespace {

TEST_F(CamposInventario, F2EnUnProveedorAbreLaConsultaDeProveedoresDelPrograma) {
  const db::DefTabla& proveedores = CatalogoVorlan().Tabla(db::CarpetaTabla::Datos, "PROVEEDO.DBF");
  db::Tabla::Crea(kDatos, proveedores.archivo, proveedores.campos, proveedores.tags);
  {
    auto t = Abre("PROVEEDO.DBF");
    for (const char* clave : {"P10", "P20"}) {
      t->Append();
      t->FieldByName("CLAVE_P").SetAsString(clave);
      t->Post();
    }
  }
  Producto({{"CLPRO_I", "P1"}, {"CLPR1_I", "P10"}});
  ProgramaVorlan programa;
  programa.Inicia();
  TFormaInventario& f = *FormaInventario();
  f.Usuario->setText("0");
  f.Show();
  Activa(f);
  Pulsa(f, "BotonCambios");
  ui::PuertaModal::Espera("TFormaConProvee", [](QDialog&) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  });
  Tecla(f, "EditCLPR_I", Qt::Key_F2);
  EXPECT_EQ(f.EditCLPR_I->text(), "P20");
  Pulsa(f, "BotonGuardar");
  EXPECT_EQ(Campo("P1", "CLPR1_I"), "P20");
}

}  // namespace
