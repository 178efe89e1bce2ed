// The price calculator's computation: an amount and a key on the current
// capture row give the price that fits the amount and the quantity it buys.

#include "pos/XPrecio.h"
#include "captura_prueba.h"

namespace {

Dinero DPrecio(const char* texto) { return Dinero::DeTexto(QString::fromLatin1(texto)); }

class CalculaPorPrecio : public VentaPrueba {
 protected:
  void SetUp() override {
    VentaPrueba::SetUp();
    TRegistroProducto p;
    p.CLPRO_I = "CL1";
    p.CODIG_I = "750100";
    p.DSCPR_I = "CLAVO";
    p.UMEDI_I = "kg";
    p.UEMPA_I = 25;
    p.PPUBL_I = DPrecio("10");
    p.PLIS2_I = DPrecio("9");
    p.PLIS3_I = DPrecio("8");
    p.POLI1_I = 10;
    p.POLI2_I = 50;
    p.POLI3_I = 0;
    p.TICOS_I = "PROM";
    p.CPROM_I = DPrecio("6.5");
    p.ULCOS_I = DPrecio("7");
    p.PIVA1_I = 16;
    AgregaProducto(p);
    p.CLPRO_I = "CL0";
    p.CODIG_I = "";
    p.POLI1_I = 0;
    p.TICOS_I = "UEPS";
    AgregaProducto(p);
    p.CLPRO_I = "PZ";
    p.UMEDI_I = "PZA";
    p.POLI1_I = 10;
    AgregaProducto(p);
    captura_ = AbreEn(kPrograma, "Deta.db");
    productos_ = AbreEn(kDatos, kTablaProductos, kTagClaveProducto);
  }

  // A capture holding one row with the amount and key typed, left in edit
  // as the calculator's fields leave it.
  ResultadoXPrecio Calcula(const char* importe, const char* clave) {
    while (!captura_->IsEmpty()) {
      captura_->First();
      captura_->Delete();
    }
    captura_->Append();
    captura_->FieldByName("CANTIDAD").SetAsFloat(1);
    captura_->FieldByName("IMPORTE").SetAsString(importe);
    captura_->FieldByName("CLAVE").SetAsString(clave);
    return CalculaPrecioPorImporte(*captura_, *productos_);
  }

  std::unique_ptr<db::Tabla> captura_, productos_;
};

}  // namespace

TEST_F(CalculaPorPrecio, ElImporteEligeLaListaYLaCantidadQueCompra) {
  struct Caso {
    const char* importe;
    const char* clave;
    const char *precio, *cantidad;
  };
  for (const Caso& c : {Caso{"90", "CL1", "10", "9"}, Caso{"100", "CL1", "10", "10"}, Caso{"200", "CL1", "9", "22.2222"},
                        Caso{"450", "CL1", "9", "50"}, Caso{"500", "CL1", "8", "62.5"}, Caso{"500", "CL0", "10", "50"},
                        Caso{"200", "750100", "9", "22.2222"}}) {
    SCOPED_TRACE(std::string(c.importe) + " " + c.clave);
    ASSERT_EQ(Calcula(c.importe, c.clave), ResultadoXPrecio::Calculado);
    // The complete last row is followed by a new one of quantity 1.
    EXPECT_EQ(captura_->State(), db::Dataset::Estado::Insertando);
    EXPECT_EQ(captura_->FieldByName("CANTIDAD").AsString(), "1");
    captura_->Cancel();
    EXPECT_EQ(captura_->RecordCount(), 1);
    captura_->First();
    EXPECT_EQ(captura_->FieldByName("PRECIO").AsString(), c.precio);
    EXPECT_EQ(captura_->FieldByName("CANTIDAD").AsString(), c.cantidad);
    EXPECT_EQ(captura_->FieldByName("IMPORTE").AsString(), c.importe);
    EXPECT_EQ(captura_->FieldByName("CLAVE").AsString(), QString(c.clave) == "CL0" ? "CL0" : "CL1");
    EXPECT_EQ(captura_->FieldByName("PRODUCTO").AsString(), "CLAVO");
    EXPECT_EQ(captura_->FieldByName("UNIDAD").AsString(), "kg");
    EXPECT_EQ(captura_->FieldByName("FACTOR").AsString(), "25");
    EXPECT_EQ(captura_->FieldByName("COSTO").AsString(), QString(c.clave) == "CL0" ? "7" : "6.5");
    EXPECT_EQ(captura_->FieldByName("IMPUESTO").AsString(), "16");
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(CalculaPorPrecio, SinProductoNadaCambiaYEnPiezasLaCantidadSeCortaConElAviso) {
  for (const char* clave : {"NOEXISTE", "COMENTARIO"}) {
    SCOPED_TRACE(clave);
    EXPECT_EQ(Calcula("50", clave), ResultadoXPrecio::SinProducto);
    EXPECT_EQ(captura_->FieldByName("CLAVE").AsString(), clave);
    EXPECT_EQ(captura_->FieldByName("CANTIDAD").AsString(), "1");
    EXPECT_TRUE(captura_->FieldByName("PRODUCTO").IsNull());
    captura_->Cancel();
  }

  ASSERT_EQ(Calcula("95", "PZ"), ResultadoXPrecio::Calculado);
  EXPECT_EQ(Mensajes(), QStringList{kCantidadEnPiezas});
  captura_->Cancel();
  captura_->First();
  EXPECT_EQ(captura_->FieldByName("CANTIDAD").AsString(), "9");
  EXPECT_EQ(captura_->FieldByName("PRECIO").AsString(), "10");
}
