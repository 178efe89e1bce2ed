// The totals and taxes of a sale: the examples worked to the cent (taxes
// on top and included, the header's rate, the document discount, the
// rounding of the total), the repricing of a changed line, and the screen's
// labels, header row, control number and total.dat.

#include "foundation/rutinas.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Forma.h"
#include "pos/ImportesVenta.h"
#include "pos/TotalesVenta.h"
#include "captura_prueba.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace {

using Pantalla = TFormaCapturaRapida;

Dinero D(const char* texto) { return Dinero::DeTexto(QString::fromLatin1(texto)); }

// A line whose stored amount is already its own, so nothing is repriced.
FilaCaptura Linea(const char* clave, double cantidad, const char* precio, double descuento, double iva,
                  double ieps = 0) {
  return {{"CLAVE", clave},
          {"CANTIDAD", cantidad},
          {"PRECIO", D(precio).Real()},
          {"DESCUENTO", descuento},
          {"IMPUESTO", iva},
          {"IEPS1", ieps},
          {"IMPORTE", ImporteLinea(cantidad, D(precio), descuento).Real()}};
}

class Totales : public VentaPrueba {
 protected:
  void SetUp() override {
    VentaPrueba::SetUp();
    captura_ = AbreEn(kPrograma, "Deta.db");
  }
  TotalesVenta Calcula(const QList<FilaCaptura>& filas, const ReglasTotales& reglas, db::Tabla* productos = nullptr) {
    while (!captura_->IsEmpty()) {
      captura_->First();
      captura_->Delete();
    }
    AgregaFilas(*captura_, filas);
    return CalculaTotalesCaptura(*captura_, productos, reglas);
  }
  std::unique_ptr<db::Tabla> captura_;
};

}  // namespace

TEST(TotalesVenta, ElTotalSeRedondeaAlPasoDeLaLinea45) {
  struct Caso {
    int digitos;
    const char* importe;
    const char* redondeado;
  };
  for (const Caso& c : {Caso{5, "12.30", "12.50"}, Caso{5, "12.75", "13.00"}, Caso{5, "12.50", "12.50"},
                        Caso{5, "104.40", "104.50"}, Caso{5, "104.00", "104.00"}, Caso{1, "12.31", "12.40"},
                        Caso{20, "12.30", "14.00"}, Caso{0, "12.31", "12.31"}, Caso{5, "-12.30", "-12.50"}}) {
    SCOPED_TRACE(std::to_string(c.digitos) + " " + c.importe);
    EXPECT_EQ(RedondeaTotal(c.digitos, D(c.importe)), D(c.redondeado));
  }
  EXPECT_EQ(TextoTotalArchivo("  1,234.50"), "123450");
}

TEST_F(Totales, LosEjemplosDeImpuestosEncimaEIncluidosDescuentosYRedondeo) {
  struct Caso {
    const char* nombre;
    QList<FilaCaptura> filas;
    ReglasTotales reglas;
    const char *subtotal, *iva, *total, *descuentoLineas, *descuentoDocumento, *exento;
    double ivaSinIeps;
  };
  const auto encima = [](double tasa, double descuento = 0, int digitos = 0) {
    ReglasTotales r;
    r.tasaDocumento = tasa;
    r.descuentoDocumento = descuento;
    r.digitosTotal = digitos;
    return r;
  };
  ReglasTotales incluidos;
  incluidos.impuestosIncluidos = true;
  const Caso casos[] = {
      {"2 x 50 al 16 % con 10 % de la línea", {Linea("A", 2, "50", 10, 16)}, encima(0), "90", "14.40", "104.40", "10",
       "0", "0", 0},
      {"tasa del encabezado 16", {Linea("A", 2, "50", 10, 0)}, encima(16), "90", "14.40", "104.40", "10", "0", "0", 0},
      {"tasa del encabezado 10", {Linea("A", 2, "50", 10, 16)}, encima(10), "90", "9", "99", "10", "0", "0", 0},
      {"116 con el 16 % incluido", {Linea("A", 1, "116", 0, 16)}, incluidos, "100", "16", "116", "0", "0", "0", 16},
      {"sin IVA ni IEPS incluidos: exento", {Linea("A", 1, "116", 0, 16), Linea("B", 3, "10", 0, 0)}, incluidos,
       "130", "16", "146", "0", "0", "30", 16},
      {"10 % del documento sobre 100 + 16", {Linea("A", 1, "100", 0, 16)}, encima(0, 10), "100", "16", "104.40", "0",
       "11.60", "0", 0},
      {"línea 45 en 5 sube 104.40", {Linea("A", 1, "100", 0, 16)}, encima(0, 10, 5), "100", "16", "104.50", "0",
       "11.60", "0", 0},
      {"línea 45 en 5 deja 104.00", {Linea("A", 1, "104", 0, 0)}, encima(0, 0, 5), "104", "0", "104", "0", "0", "0",
       0},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    const TotalesVenta t = Calcula(c.filas, c.reglas);
    EXPECT_EQ(t.SubtotalVenta, D(c.subtotal));
    EXPECT_EQ(t.IvaVenta, D(c.iva));
    EXPECT_EQ(t.TotalVenta, D(c.total));
    EXPECT_EQ(t.DescuentoLineas, D(c.descuentoLineas));
    EXPECT_EQ(t.DescuentoDocumento, D(c.descuentoDocumento));
    EXPECT_EQ(t.ExentoVenta, D(c.exento));
    EXPECT_NEAR(t.IvaSinIeps, c.ivaSinIeps, 1e-9);
  }
}

TEST_F(Totales, ConImpuestosIncluidosElIepsSeDesglosaPorClaseDeLinea) {
  ReglasTotales incluidos;
  incluidos.impuestosIncluidos = true;
  const TotalesVenta t = Calcula(
      {Linea("A", 1, "116", 0, 16, 8), Linea("B", 2, "10.80", 0, 0, 8), Linea("C", 1, "50", 0, 0, 0)}, incluidos);
  EXPECT_EQ(t.SubtotalVenta, D("171.60"));
  EXPECT_EQ(t.IvaVenta, D("16"));
  EXPECT_EQ(t.TotalVenta, D("187.60"));
  EXPECT_EQ(Dinero::DeReal(t.IepsVenta), D("9.0074"));
  EXPECT_EQ(Dinero::DeReal(t.IepsSinIva), D("1.6"));
  EXPECT_EQ(Dinero::DeReal(t.IepsConIva), D("7.4074"));
  EXPECT_EQ(Dinero::DeReal(t.IvaSinIeps), D("0"));
  EXPECT_EQ(Dinero::DeReal(t.IvaConIeps), D("16"));
  EXPECT_EQ(t.ExentoVenta, D("50"));
  EXPECT_EQ(t.Partidas, 3);
  EXPECT_EQ(t.Articulos, 4);

  // A line marked below -1000 in FPGC adds its IVA and nothing else.
  FilaCaptura marcada = Linea("D", 1, "116", 0, 16, 8);
  marcada["FPGC"] = -2000;
  const TotalesVenta m = Calcula({marcada}, incluidos);
  EXPECT_EQ(m.IvaVenta, D("16"));
  EXPECT_EQ(m.SubtotalVenta, D("100"));
  EXPECT_EQ(m.IepsVenta, 0);
  EXPECT_EQ(m.IvaConIeps, 0);
}

TEST_F(Totales, UnaLineaCuyoImporteCambioSeRepreciaPorVolumenSalvoConElPrecioAbierto) {
  TRegistroProducto p;
  p.CLPRO_I = "T1";
  p.DSCPR_I = "TORNILLO";
  p.PPUBL_I = D("10");
  p.PLIS2_I = D("9");
  p.PLIS3_I = D("8");
  p.POLI1_I = 10;
  p.POLI2_I = 50;
  p.UEMPA_I = 12;
  AgregaProducto(p);
  p.CLPRO_I = "T2";
  p.UEMPA_I.reset();
  AgregaProducto(p);
  auto productos = AbreEn(kDatos, kTablaProductos, kTagClaveProducto);

  // Quantity 1 captured at 10, then changed to 12 in the grid: the amount no
  // longer matches and the line takes the volume price of 12.
  FilaCaptura cambiada = Linea("T1", 1, "10", 0, 16);
  cambiada["CANTIDAD"] = 12;
  cambiada["EMPAQUE"] = 3;
  struct Caso {
    const char* nombre;
    FilaCaptura fila;
    bool abierto;
    double factor;
    const char *precio, *importe, *empaque, *factorEmpaque;
  };
  FilaCaptura seis = cambiada;
  seis["CANTIDAD"] = 6;
  FilaCaptura cinco = cambiada;
  cinco["CANTIDAD"] = 5;
  FilaCaptura sinEmpaque = cambiada;
  sinEmpaque["CLAVE"] = "T2";
  FilaCaptura cuadrada = Linea("T1", 12, "10", 0, 16);
  cuadrada["EMPAQUE"] = 3;
  const Caso casos[] = {
      {"1 a 12 por volumen", cambiada, false, 1, "9", "108", "1", "12"},
      {"con factor de tarjeta", cambiada, false, 1.025, "9.225", "110.7", "1", "12"},
      {"medio paquete", seis, false, 1, "10", "60", "0.5", "12"},
      {"ni entero ni medio", cinco, false, 1, "10", "50", "0", "12"},
      {"sin paquete el empaque se vacía", sinEmpaque, false, 1, "9", "108", "", ""},
      {"precio abierto por Cambio Precio", cambiada, true, 1, "10", "120", "3", ""},
      {"importe que ya cuadra", cuadrada, false, 1, "10", "120", "3", ""},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    ReglasTotales r;
    r.precioDesbloqueado = c.abierto;
    r.factorPrecio = c.factor;
    const TotalesVenta t = Calcula({c.fila, {{"CANTIDAD", 2}}}, r, productos.get());
    EXPECT_EQ(ColumnaCaptura(*captura_, "PRECIO"), QStringList({c.precio, "0"}));
    EXPECT_EQ(ColumnaCaptura(*captura_, "IMPORTE"), QStringList({c.importe, "0"}));
    EXPECT_EQ(ColumnaCaptura(*captura_, "EMPAQUE").value(0), c.empaque);
    EXPECT_EQ(ColumnaCaptura(*captura_, "FACTOR").value(0), c.factorEmpaque);
    // The line without a key counts, at no price.
    EXPECT_EQ(t.Partidas, 2);
    EXPECT_EQ(t.Articulos, c.fila["CANTIDAD"].toDouble() + 2);
    EXPECT_EQ(t.SubtotalVenta, D(c.importe));
  }
}

namespace {

class TotalesPantalla : public VentaPrueba {
 protected:
  static QByteArray Bytes(const QString& ruta) { return fs::LeeBytes(ruta); }
  static QString TotalArchivo() { return fs::LeeLineas(fs::Une(kPrograma, "total.dat")).value(0); }
};

}  // namespace

TEST_F(TotalesPantalla, LosTotalesSeMuestranSeEscribenEnElEncabezadoYEnTotalDat) {
  AgregaRemision(40, {{"DESFI_F", "10"}, {"ABONO_F", "4"}});
  Abre("1", [](Pantalla& p) {
    AgregaFilas(*p.TablaDeta, {Linea("A", 1, "1000", 0, 16), Linea("B", 2, "32.5", 0, 16)});
    fs::FijaAhora(QDateTime(QDate(2010, 3, 5), QTime(12, 0, 0)));
    EXPECT_EQ(p.CalculaTotales(), 2);
    EXPECT_EQ(p.LineasCaptura, 2);
    EXPECT_EQ(p.SumarTotal->text().trimmed(), "1,065.00");
    EXPECT_EQ(p.ImpuestoValor->text().trimmed(), "170.40");
    EXPECT_EQ(p.LabelDescuento->text().trimmed(), "123.54");
    EXPECT_EQ(p.TotalFact->text().trimmed(), "1,111.86");
    EXPECT_EQ(p.LabelPartidas->text(), "Partidas  2  ARTICULOS 3");
    EXPECT_EQ(p.LabelIEPS->text(), "0.00");
    // The second run: the document shown at opening was the first.
    EXPECT_EQ(p.LabelFPGC->text(), "2");
    EXPECT_EQ(TotalArchivo(), "111186");
    EXPECT_EQ(p.ControlDocumento, 50000);

    // The header row holds the totals.
    auto e = AbreEn(kDatos, "Remision.dbf");
    e->Last();
    EXPECT_EQ(e->FieldByName("SUBTO_F").AsString(), "1065");
    EXPECT_EQ(e->FieldByName("IMIM2_F").AsString(), "170.4");
    EXPECT_EQ(e->FieldByName("IMTOD_F").AsString(), "1111.86");
    EXPECT_EQ(e->FieldByName("SALDO_F").AsString(), "1107.86");
    EXPECT_EQ(e->FieldByName("DECOT_F").AsString(), "0");
    EXPECT_EQ(e->FieldByName("EXENT_F").AsString(), "0");

    // Unchanged totals leave the header's bytes and the control as they were.
    const QByteArray antes = Bytes(fs::Une(kDatos, "Remision.dbf"));
    fs::FijaAhora(QDateTime(QDate(2010, 3, 5), QTime(18, 0, 0)));
    p.CalculaTotales();
    EXPECT_EQ(Bytes(fs::Une(kDatos, "Remision.dbf")), antes);
    EXPECT_EQ(p.ControlDocumento, 50000);
    EXPECT_EQ(p.LabelFPGC->text(), "3");

    // Changed totals draw a new control.
    p.TablaDeta->Last();
    p.TablaDeta->Edit();
    p.TablaDeta->FieldByName("IMPUESTO").SetAsFloat(0);
    p.CalculaTotales();
    EXPECT_EQ(p.ControlDocumento, 75000);
    EXPECT_EQ(p.TotalFact->text().trimmed(), "1,102.50");
    EXPECT_EQ(TotalArchivo(), "110250");
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(TotalesPantalla, SinPartidasTodoEsCeroYUnEncabezadoFaltanteSeHaceUnaVez) {
  AgregaRemision(40, {{"IMTOD_F", "55"}});
  Abre("1", [](Pantalla& p) {
    EXPECT_EQ(p.CalculaTotales(), 0);
    EXPECT_EQ(p.LabelPartidas->text(), "Partidas  0  ARTICULOS 0");
    EXPECT_EQ(p.TotalFact->text().trimmed(), "0.00");
    EXPECT_EQ(TotalArchivo(), "000");
    auto e = AbreEn(kDatos, "Remision.dbf");
    e->Last();
    EXPECT_EQ(e->FieldByName("IMTOD_F").AsString(), "0");

    // The save re-creates a header another station removed, once.
    AgregaFilas(*p.TablaDeta, {Linea("A", 3, "10", 0, 16)});
    p.Nombre->setText("Ferretería O'Brien");
    p.EditFEDOC_F->setText("04/03/2010");
    ui::SetTag(p.BotonNuevo, 1);
    p.InsertaEncabezadoFaltante("41", 1234);
    p.InsertaEncabezadoFaltante("41", 1234);
    ui::SetTag(p.BotonNuevo, 0);
    e->Refresh();
    EXPECT_EQ(e->RecordCount(), 2);
    e->Last();
    EXPECT_EQ(e->FieldByName("CLDOC_F").AsInteger(), 41);
    EXPECT_EQ(e->FieldByName("CONTROL").AsInteger(), 1234);
    EXPECT_EQ(e->FieldByName("NOMBR_F").AsString(), "Ferretería O'Brien");
    for (const char* fecha : {"FEDOC_F", "FEENT_F", "FEVEN_F"}) EXPECT_EQ(e->FieldByName(fecha).AsString(), "04/03/2010");
    EXPECT_EQ(e->FieldByName("SUBTO_F").AsString(), "30");
    EXPECT_EQ(e->FieldByName("IMTOD_F").AsString(), "34.8");
    EXPECT_FALSE(e->FieldByName("HORAX_F").IsNull());
    EXPECT_EQ(p.LabelPartidas->text(), "Partidas  1  ARTICULOS 3");
  });
}
