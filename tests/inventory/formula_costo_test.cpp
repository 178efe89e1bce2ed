// The cost formula as the windows and the purchase window run it: the
// translation of prefixed operands, the run through the format
// interpreter's assignments, and the supplier's discounts.

#include "formats/Interprete.h"
#include "inventario_prueba.h"
#include "inventory/FormulaCosto.h"
#include "platform/fs/Real6.h"
#include "support/ErrorPrueba.h"

namespace {

TEST(FormulaCosto, LosOperandosConPrefijoTomanElTextoDelCampo) {
  const ValorOperandoFormula valor = [](QChar prefijo, const QString& campo) -> QString {
    if (campo == u"vacio") return {};
    return QString(prefijo) + u':' + campo;
  };
  struct Caso {
    QStringList formula;
    QStringList traducida;
  };
  const Caso casos[] = {
      {{"variable1=i.ulcos_i*(1+i.desc1_i/100)"}, {"variable1=i:ulcos_i*(1+i:desc1_i/100)"}},
      {{"VARIABLE1=I.ULCOS_I+E.Total#D.Precio%2"}, {"variable1=i:ulcos_i+e:total#d:precio%2"}},
      // An empty field is 0; "i." alone and other letters are no operand.
      {{"variable2=i.vacio-i.*x.ulcos_i"}, {"variable2=0-i.*x.ulcos_i"}},
      // Every line ends at ";"; a line that comes out empty is left out.
      {{"variable1=2;variable3=4", "", ";", "variable2=i.a"}, {"variable1=2variable3=4", "variable2=i:a"}},
      // "(" is no separator: a prefix behind it stays as typed.
      {{"variable1=(i.ulcos_i)"}, {"variable1=(i.ulcos_i)"}},
  };
  for (const Caso& c : casos) EXPECT_EQ(TraduceFormulaCosto(c.formula, valor), c.traducida) << c.formula.join('|').toStdString();
}

class FormulaProducto : public InventarioPrueba {
 protected:
  void SetUp() override {
    InventarioPrueba::SetUp();
    productos_ = Abre("INVENTAR.DBF");
    productos_->Append();
    productos_->FieldByName("CLPRO_I").SetAsString("A1");
    productos_->FieldByName("ULCOS_I").SetAsString("100");
    productos_->FieldByName("DESC1_I").SetAsString("10");
    productos_->Post();
  }
  std::unique_ptr<db::Tabla> productos_;
};

TEST_F(FormulaProducto, ElPrecioEsVariable1TrasLaUltimaLinea) {
  struct Caso {
    QStringList formula;
    double precio;
    QStringList resultado;
  };
  const Caso casos[] = {
      {{"variable1=i.ulcos_i*(1+i.desc1_i/100)"}, 110, {"variable1=100*(1+10/100)"}},
      {{"variable2=i.ulcos_i/8", "variable1=variable2+i.desc2_i"}, 12.5, {"variable2=100/8", "variable1=variable2+0"}},
      // The price as a 6-byte real holds it.
      {{"variable1=i.desc1_i/100"}, fs::AjustaReal6(0.1), {"variable1=10/100"}},
  };
  for (const Caso& c : casos) {
    QStringList resultado;
    EXPECT_DOUBLE_EQ(AplicaFormulaCosto(c.formula, resultado, *productos_), c.precio);
    EXPECT_EQ(resultado, c.resultado);
  }

  // A formula that never assigns variable1, or names a field the product
  // lacks, gives no price: never the variable1 of an earlier run.
  for (const QStringList& mala : {QStringList{}, QStringList{"variable2=5"}, QStringList{"variable1=i.nohay_i"}}) {
    QStringList resultado;
    EXPECT_THROW(AplicaFormulaCosto(mala, resultado, *productos_), plat::Error) << mala.join('|').toStdString();
  }
  EXPECT_EQ(ValorVariableFormato("variable1"), "0.1");  // the last good run
}

TEST_F(FormulaProducto, LosDescuentosDelProveedorSeLeenPorSuClave) {
  Proveedor("P1", {"20", "", "2.5"});
  const auto descuentos = LeeDescuentosProveedor(kDatos, "P1");
  ASSERT_TRUE(descuentos);
  EXPECT_EQ(*descuentos, (DescuentosProveedor{"20", "", "2.5"}));
  EXPECT_FALSE(LeeDescuentosProveedor(kDatos, "P2"));
  // The table is closed again: it can be opened alone.
  auto exclusiva = std::make_unique<db::Tabla>();
  exclusiva->SetCarpeta(kDatos);
  exclusiva->SetNombreTabla("PROVEEDO.DBF");
  exclusiva->SetExclusive(true);
  EXPECT_NO_THROW(exclusiva->Open());
  EXPECT_THROW(LeeDescuentosProveedor(kDatos + "\\NOHAY", "P1"), plat::Error);
}

}  // namespace
