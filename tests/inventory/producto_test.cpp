// The product record: the inventory folder, fields in and out, price lists,
// finding a product from a typed text and the next consecutive key.

#include "inventario_prueba.h"
#include "inventory/RegistroProducto.h"
#include "shell/LugarTablas.h"

#include <gtest/gtest.h>

namespace {

const QString kOtraCarpeta = QStringLiteral("D:\\INVENT");

TEST_F(InventarioPrueba, LasTablasDeInventarioAbrenEnLaCarpetaDeLaLinea59OEnLaDeDatos) {
  CreaTabla(kOtraCarpeta, "INVENTAR.DBF");
  CreaTabla(kOtraCarpeta, "MOVINVEN.DBF");
  CreaTabla(kOtraCarpeta, "Kardex.dbf");
  struct Caso {
    QString linea59;
    QString carpeta;
  };
  for (const Caso& c : {Caso{kOtraCarpeta, kOtraCarpeta}, Caso{"", kDatos}, Caso{"  ", kDatos}}) {
    SCOPED_TRACE(c.linea59.toStdString());
    Configura(c.linea59);
    for (const QString archivo : {"INVENTAR.DBF", "MOVINVEN.DBF", "Kardex.dbf"}) {
      EXPECT_EQ(CarpetaDeTabla(archivo), c.carpeta);
      db::Tabla t;
      ApuntaTabla(t, archivo);
      t.Open();
      EXPECT_EQ(t.Ruta(), fs::Local(fs::Une(c.carpeta, archivo)));
    }
  }
  EXPECT_TRUE(Mensajes().isEmpty());
}

TEST(PrecioLista, CadaListaNombraSuColumna) {
  const std::pair<int, QString> casos[] = {{1, "PPUBL_I"},   {2, "PLIS2_I"},   {3, "PLIS3_I"}, {4, "PLIS4_I"},
                                           {5, "PMINI_I"},   {6, "PLIS6_I"},   {7, "PLIS7_I"}, {8, "PLIS8_I"},
                                           {150, "PLIS150_I"}, {0, ""},         {-2, ""}};
  for (const auto& [lista, columna] : casos) {
    EXPECT_EQ(CampoPrecioLista(lista), columna) << lista;
    if (lista >= 1 && lista <= 7) {
      EXPECT_TRUE(Esquema("INVENTAR.DBF").Campo(columna)) << columna.toStdString();
    }
  }
}

// A product with every kind of value goes in and comes back as it was; what
// was left blank comes back null, not 0.
TEST_F(InventarioPrueba, ElRegistroSeGuardaYSeLeeConSusDecimalesYSusNulos) {
  TRegistroProducto p;
  p.CLPRO_I = "P-001";
  p.DSCPR_I = "Tornillo de cabeza hexagonal 1/4\" x 2\" acero inoxidable";
  p.CODIG_I = "7501234567";
  p.LIPRO_I = "SERVI";
  p.UEMPA_I = 12;
  p.FEULV_I = QDate(2010, 3, 5);
  p.HORAF_F = 40242.427083;
  p.EXIST_I = 2.12345;
  p.ULCOS_I = Dinero::DeTexto("10.1234");
  p.PPUBL_I = Dinero::DeTexto("15.5");
  p.PMINI_I = Dinero::DeTexto("0.0001");
  p.PLIS7_I = Dinero::DeTexto("-3.25");
  p.POLI2_I = 10.5;
  p.PORC3_I = 16;
  p.VANMO_I = Dinero::DeTexto("1234567.8901");
  p.ALMAC_I = "1";
  p.DESC2_I = 2.5;
  {
    auto t = Abre("INVENTAR.DBF");
    t->Append();
    p.Escribe(*t);
    t->Post();
  }
  auto t = Abre("INVENTAR.DBF");
  EXPECT_TRUE(t->FieldByName("CPROM_I").IsNull());
  TRegistroProducto l;
  l.CPROM_I = Dinero(7);  // overwritten by the blank field
  l.Lee(*t);
  EXPECT_EQ(l.CLPRO_I, p.CLPRO_I);
  EXPECT_EQ(l.DSCPR_I, p.DSCPR_I);
  EXPECT_EQ(l.CODIG_I, p.CODIG_I);
  EXPECT_EQ(l.LIPRO_I, "SERVI");
  EXPECT_EQ(l.UEMPA_I, 12);
  EXPECT_EQ(l.FEULV_I, QDate(2010, 3, 5));
  EXPECT_FALSE(l.FEULC_I.isValid());
  EXPECT_DOUBLE_EQ(l.HORAF_F.value(), 40242.427083);
  EXPECT_EQ(l.EXIST_I, 2.12345);
  EXPECT_EQ(l.ULCOS_I, Dinero::DeTexto("10.1234"));
  EXPECT_EQ(l.CPROM_I, std::nullopt);
  EXPECT_EQ(l.Precio(1), Dinero::DeTexto("15.5"));
  EXPECT_EQ(l.Precio(5), Dinero::DeTexto("0.0001"));
  EXPECT_EQ(l.Precio(7), Dinero::DeTexto("-3.25"));
  EXPECT_EQ(l.Precio(2), std::nullopt);
  EXPECT_EQ(l.Politica(2), 10.5);
  EXPECT_EQ(l.Porcentaje(3), 16);
  EXPECT_EQ(l.VANMO_I, Dinero::DeTexto("1234567.8901"));
  EXPECT_EQ(l.VANCA_I, std::nullopt);
  EXPECT_EQ(l.DESC2_I, 2.5);
  EXPECT_EQ(l.PESUR_I, std::nullopt);
  EXPECT_TRUE(l.PreciosExtra.empty());
}

// Price lists above 7 live in columns an installation adds; a table without
// the column gives "no price", a blank column a blank price. The purchase
// discounts may be missing as well.
TEST_F(InventarioPrueba, UnaListaSinColumnaNoDaPrecioNiError) {
  QVector<db::DefCampo> campos;
  for (const db::DefCampo& c : Esquema("INVENTAR.DBF").campos)
    if (!QStringList({"DESC1_I", "DESC2_I", "DESC3_I"}).contains(c.nombre)) campos << c;
  campos << db::DefCampo{"PLIS150_I", 'N', 8, 2} << db::DefCampo{"PLIS101_I", 'N', 8, 2};
  fs::CreaCarpeta(kOtraCarpeta);
  db::Tabla::Crea(kOtraCarpeta, "INVENTAR.DBF", campos, Esquema("INVENTAR.DBF").tags);
  {
    auto extra = AbreTabla(kOtraCarpeta, "INVENTAR.DBF");
    for (const QString clave : {"CON", "SIN"}) {
      TRegistroProducto p;
      p.CLPRO_I = clave;
      p.DESC1_I = 5;  // no column: skipped
      if (clave == "CON") p.PreciosExtra[150] = Dinero::DeTexto("12.5");
      p.PreciosExtra[120] = Dinero(9);  // no column: skipped
      extra->Append();
      p.Escribe(*extra);
      extra->Post();
    }
    auto normal = Abre("INVENTAR.DBF");
    AgregaProducto(*normal, "NORMAL");
  }
  struct Caso {
    QString carpeta;
    QString clave;
    bool tiene150;
    std::optional<Dinero> precio150;
  };
  for (const Caso& c : {Caso{kDatos, "NORMAL", false, std::nullopt},
                        Caso{kOtraCarpeta, "CON", true, Dinero::DeTexto("12.5")},
                        Caso{kOtraCarpeta, "SIN", true, std::nullopt}}) {
    SCOPED_TRACE(c.clave.toStdString());
    auto t = AbreTabla(c.carpeta, "INVENTAR.DBF", kTagClaveProducto);
    ASSERT_TRUE(t->FindKey({c.clave}));
    TRegistroProducto p;
    p.Lee(*t);
    EXPECT_EQ(p.TieneLista(150), c.tiene150);
    EXPECT_EQ(p.Precio(150), c.precio150);
    EXPECT_FALSE(p.TieneLista(120));
    EXPECT_EQ(p.Precio(120), std::nullopt);
    EXPECT_EQ(p.DESC1_I, std::nullopt);
    EXPECT_TRUE(p.TieneLista(7));
  }
}

TEST(RegistroProducto, DisponibleEmpaquesYPrecioDesdeElCosto) {
  struct Caso {
    std::optional<double> existencia, porSurtir, factor;
    std::optional<Dinero> costo;
    std::optional<double> porcentaje;
    double disponible;
    std::optional<double> empaques;
    std::optional<Dinero> precio;
  };
  const Caso casos[] = {
      {25, 5, 12, Dinero(10), 16, 20, 25.0 / 12, Dinero::DeTexto("11.6")},
      {25, std::nullopt, 0, Dinero::DeTexto("3.3333"), std::nullopt, 25, std::nullopt, Dinero::DeTexto("3.3333")},
      {std::nullopt, 3, std::nullopt, std::nullopt, 30, -3, std::nullopt, std::nullopt},
      {-4, 0, -2, Dinero::DeTexto("0.125"), 50, -4, std::nullopt, Dinero::DeTexto("0.1875")},
      {6, 0, 4, Dinero::DeTexto("2.675"), 10, 6, 1.5, Dinero::DeTexto("2.9425")},
  };
  for (const Caso& c : casos) {
    TRegistroProducto p;
    p.EXIST_I = c.existencia;
    p.PESUR_I = c.porSurtir;
    p.UEMPA_I = c.factor;
    p.ULCOS_I = c.costo;
    p.PORC4_I = c.porcentaje;
    EXPECT_EQ(p.Disponible(), c.disponible);
    EXPECT_EQ(p.ExistenciaEnEmpaques(), c.empaques);
    EXPECT_EQ(p.PrecioDesdeCosto(4), c.precio);
    EXPECT_EQ(p.PrecioDesdeCosto(8), std::nullopt);
  }
}

TEST_F(InventarioPrueba, UnProductoSeEncuentraPorSuClaveOPorSuCodigo) {
  {
    auto t = Abre("INVENTAR.DBF");
    AgregaProducto(*t, "A1", "X9");
    AgregaProducto(*t, "B2", "ABC12");
    AgregaProducto(*t, "777");
    AgregaProducto(*t, "C3", "777");
    AgregaProducto(*t, "d4", "d4");
  }
  auto t = Abre("INVENTAR.DBF", kTagDescripcionProducto);
  t->Last();
  const qint64 antes = t->RecNo();
  const std::pair<QString, QString> casos[] = {
      {"A1", "A1"}, {"abc12", "B2"}, {"ABC12", "B2"}, {"x9", "A1"},   {"777", "777"},  // the key wins
      {"d4", "d4"}, {"D4", ""},      {"zz", ""},      {"A", ""},      {"", ""}, {"ABC12 X", ""}};
  for (const auto& [texto, clave] : casos) {
    SCOPED_TRACE(texto.toStdString());
    const bool hallado = LocalizaProducto(*t, texto);
    EXPECT_EQ(hallado, !clave.isEmpty());
    EXPECT_EQ(hallado ? t->FieldByName("CLPRO_I").AsString() : QString(), clave);
    if (!hallado) {
      EXPECT_EQ(t->RecNo(), antes);
    }
    EXPECT_EQ(t->IndexName(), kTagDescripcionProducto);
    t->Last();
  }
}

// "Keys 1 to 120" end, in character order, on "99"; the next key is still 121.
TEST_F(InventarioPrueba, LaSiguienteClaveEsLaMayorNumericaMasUno) {
  QStringList uno_a_120;
  for (int i = 1; i <= 120; ++i) uno_a_120 << QString::number(i);
  const std::pair<QStringList, QString> casos[] = {
      {uno_a_120, "121"},
      {{"A7", "12"}, "13"},
      {{"A7", "B", "1.5", "-3"}, ""},
      {{}, ""},
      {{"0099", "7", "98A"}, "100"},
      {{" 41", "0"}, "42"},
      {{"0"}, "1"},
      {{"1999999999999999999"}, "2000000000000000000"},
  };
  for (const auto& [claves, siguiente] : casos) {
    SCOPED_TRACE(siguiente.toStdString());
    db::Tabla::Crea(kDatos, "INVENTAR.DBF", Esquema("INVENTAR.DBF").campos, Esquema("INVENTAR.DBF").tags);
    auto t = Abre("INVENTAR.DBF", kTagClaveProducto);
    for (const QString& c : claves) AgregaProducto(*t, c);
    t->First();
    const qint64 donde = t->RecNo();
    EXPECT_EQ(SiguienteClaveProducto(*t), siguiente);
    EXPECT_EQ(t->RecNo(), donde);
  }
}

}  // namespace
