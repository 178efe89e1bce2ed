// The extra data window as the product window opens it: the boxes the
// installation's .cam file names, the supplier's discounts for a product
// without them, and its own cost formula and price change.

#include "inventory/AdicionalProducto.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/FuenteDatos.h"
#include "ventana_inventario.h"

#include <QLabel>

namespace {

using prueba::Pulsa;
using prueba::Teclea;
using ui::PuertaModal::Mensajes;

class AdicionalInventario : public VentanaInventario {
 protected:
  void SetUp() override {
    VentanaInventario::SetUp();
    Proveedor("P1", {"20", "5", "1"});
  }

  // "Datos Adicionales" of the window, answered by the script.
  static void Adicionales(TFormaInventario& f, const std::function<void(TFormaAdicionalProducto&)>& guion) {
    bool mostrada = false;
    ui::PuertaModal::Espera("TFormaAdicionalProducto", [&](QDialog& d) {
      mostrada = true;
      guion(static_cast<TFormaAdicionalProducto&>(d));
    });
    Pulsa(f, "BitBtn1");
    EXPECT_TRUE(mostrada);
  }
};

TEST_F(AdicionalInventario, LlenaLosDescuentosVaciosDelPrimerProveedor) {
  Producto({{"CLPRO_I", "A1"}, {"CLPR1_I", "P1"}, {"ULCOS_I", "50"}, {"ALMAC_I", "1"}});
  Producto({{"CLPRO_I", "B2"}, {"CLPR1_I", "P1"}, {"DESC1_I", "3"}, {"ALMAC_I", "1"}});
  TFormaInventario& f = Ventana();

  // A change: the window works on the edit copy, saved with the product.
  Pulsa(f, "BotonCambios");
  Adicionales(f, [&](TFormaAdicionalProducto& a) {
    EXPECT_EQ(a.windowTitle(), "Datos Adicionales del Producto");
    EXPECT_EQ(a.DataSource1->DataSet(), f.TablaAuxiliar);
    EXPECT_EQ(a.Eti1->text(), "Desc 1");
    EXPECT_EQ(a.Eti3->text(), "Desc 3");
    EXPECT_EQ(a.Edit2->Campo(), "DESC2_I");
    EXPECT_EQ(a.Edit1->text(), "20");
    EXPECT_EQ(a.Edit3->text(), "1");
    Teclea(a, "EditMENSA_I", "Pedir por caja");
  });
  EXPECT_EQ(Campo("A1", "DESC1_I"), "");
  Pulsa(f, "BotonGuardar");
  EXPECT_EQ(Campo("A1", "DESC1_I"), "20");
  EXPECT_EQ(Campo("A1", "DESC2_I"), "5");
  EXPECT_EQ(Campo("A1", "MENSA_I"), "Pedir por caja");

  // A product that has discounts is left as it is.
  prueba::Tecla(f, "", Qt::Key_S, Qt::ControlModifier);
  Pulsa(f, "BotonCambios");
  Adicionales(f, [](TFormaAdicionalProducto& a) {
    EXPECT_EQ(a.Edit1->text(), "3");
    EXPECT_EQ(a.Edit2->text(), "");
  });
  Pulsa(f, "BotonGuardar");
  EXPECT_EQ(Campo("B2", "DESC1_I"), "3");
  EXPECT_EQ(Campo("B2", "DESC2_I"), "");
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(AdicionalInventario, AplicaLaFormulaConLosDescuentosDeSusCajas) {
  EscribeLineas("C:\\VRL\\Formula_CostosI.dat", {"variable2=i.ulcos_i*(1-i.desc1_i/100)", "variable1=variable2*1.5"});
  Producto({{"CLPRO_I", "A1"}, {"ULCOS_I", "200"}, {"DESC1_I", "10"}, {"ALMAC_I", "1"}});
  TFormaInventario& f = Ventana();
  Pulsa(f, "BotonNuevo");
  Teclea(f, "EditCLPRO_I", "N1");
  Teclea(f, "EditULCOS_I", "100");
  Adicionales(f, [&](TFormaAdicionalProducto& a) {
    EXPECT_EQ(a.DataSource1->DataSet(), f.TablaInventario);
    // Before any formula run the price stored is 0.00.
    Pulsa(a, "BitBtn3");
    EXPECT_EQ(f.TablaInventario->FieldByName("PPUBL_I").AsString(), "0");
    Teclea(a, "Edit1", "20");
    Pulsa(a, "BitBtn2");
    EXPECT_EQ(a.LabelPrecio->text(), "120.00");
    EXPECT_EQ(a.MemoResultado->toPlainText(), "variable2=100*(1-20/100)\nvariable1=variable2*1.5");
    Pulsa(a, "BitBtn3");
    Pulsa(a, "BitBtn1");
  });
  Pulsa(f, "BotonGuardar");
  EXPECT_EQ(Campo("N1", "DESC1_I"), "20");
  EXPECT_EQ(Campo("N1", "PPUBL_I"), "120");
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(AdicionalInventario, SinElArchivoCamLasCajasNoMuestranCampo) {
  fs::BorraArchivo("C:\\VRL\\FormaAdicionalProducto.cam");
  Producto({{"CLPRO_I", "A1"}, {"CLPR1_I", "P1"}, {"ALMAC_I", "1"}});
  TFormaInventario& f = Ventana();
  Pulsa(f, "BotonCambios");
  Adicionales(f, [](TFormaAdicionalProducto& a) {
    EXPECT_EQ(a.Eti2->text(), "Eti2");
    EXPECT_EQ(a.Edit2->Campo(), "");
  });
  Pulsa(f, "BotonGuardar");
  EXPECT_EQ(Campo("A1", "DESC2_I"), "5");
  EXPECT_EQ(Mensajes(), QStringList());
}

}  // namespace
