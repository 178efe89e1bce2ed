#include "platform/db/Consulta.h"
#include "reports/CamposReporte.h"
#include "reports/Formatos.h"
#include "reports/ProtocoloReporte.h"
#include "reports/reportes_prueba.h"

#include <QComboBox>
#include <QDateEdit>

namespace {

class CondicionesTest : public ReportePrueba {
 protected:
  void SetUp() override {
    ReportePrueba::SetUp();
    EscribeCampos({{"facturae.dbf", "FEDOC_F", "Fecha", "ftDate"},
                   {"facturae.dbf", "NOMBR_F", "Nombre", "ftString"},
                   {"cliente.dbf", "CLCLI_C", "Clave", "ftString"},
                   {"cliente.dbf", "NOMBR_C", "Nombre", "ftString"}});
  }

  // A condition chosen in the dialog: field caption, operator word, value.
  static void Condicion(TFormaFormatos& forma, int n, const QString& campo, const QString& operador,
                        const QString& valor) {
    forma.Condicion[n]->setCurrentIndex(forma.Condicion[n]->findText(campo));
    forma.Operador[n]->setCurrentIndex(forma.Operador[n]->findText(operador));
    forma.Valor[n]->setEditText(valor);
  }
};

}  // namespace

TEST_F(CondicionesTest, ComparacionPorCadaOperador) {
  struct Caso {
    const char* palabra;
    const char* valor;
    const char* sql;
  };
  const Caso casos[] = {
      {"=", "JUAN", "= \"JUAN\""},
      {"=", "", " IS NULL"},
      {"<", "", "< \"\""},
      {">", "5", "> \"5\""},
      {"<>", "", " LIKE NOT NULL"},
      {"<>", "A", "<> \"A\""},
      {"<=", "", "<= \"\""},
      {">=", "B", ">= \"B\""},
      {"&", "x", "W"},
      {"Inicia_Con", "JU", " LIKE 'JU%'"},
      {"Inicia_Con", "", " LIKE '%'"},
      {"Termina_Con", "EZ", " LIKE '%EZ'"},
      {"Incluye", "", " LIKE '%%'"},
      {"Incluye", "D'AN", " LIKE '%D''AN%'"},
      // A wildcard the user types is matched as typed.
      {"Incluye", "50%", " LIKE '%50\\%%' ESCAPE '\\'"},
      {"Inicia_Con", "A_B\\", " LIKE 'A\\_B\\\\%' ESCAPE '\\'"},
      {"=", "O\"NEIL", "= \"O\"\"NEIL\""},
      {"Empieza", "x", "previo"},
      {"", "", "previo"},
  };
  for (const Caso& c : casos) {
    QString sql = "previo";
    ComparacionSQL(QString::fromUtf8(c.palabra), QString::fromUtf8(c.valor), sql);
    EXPECT_EQ(sql, QString::fromUtf8(c.sql)) << c.palabra << " " << c.valor;
  }
}

TEST_F(CondicionesTest, FechasYCondicionesDelDialogo) {
  struct Caso {
    const char* desde;
    const char* hasta;
    bool conCondicion;
    const char* sql;
  };
  const Caso casos[] = {
      {"FEDOC_F", "FEDOC_F", true,
       "and FEDOC_F >= '3/1/2024' and FEDOC_F <= '3/31/2024'   and NOMBR_F LIKE '%JUAN%'"},
      {"FEDOC_F", "", true, "and FEDOC_F >= '3/1/2024'  and NOMBR_F LIKE '%JUAN%'"},
      {"", "FEAPL_CC", true, "and FEAPL_CC <= '3/31/2024'   and NOMBR_F LIKE '%JUAN%'"},
      {"", "", true, "and NOMBR_F LIKE '%JUAN%'"},
      {"FEDOC_F", "FEDOC_F", false, "and FEDOC_F >= '3/1/2024' and FEDOC_F <= '3/31/2024'  "},
      {"", "", false, ""},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(testing::Message() << c.desde << " " << c.hasta << " " << c.conCondicion);
    TFormaFormatos forma;
    PreparaParametrosReporte(true, true, false, true, false, true, true, true, true, "remision.dbf");
    forma.Inicial->setDate(QDate(2024, 3, 1));
    forma.Final->setDate(QDate(2024, 3, 31));
    // A condition needs a field and an operator.
    Condicion(forma, 1, "", "=", "JUAN");
    if (c.conCondicion) Condicion(forma, 2, "Nombre", "Incluye", "JUAN");
    QString sql = "previo";
    CondicionesReporteSQL(c.desde, c.hasta, sql);
    EXPECT_EQ(sql, c.sql);
  }
}

TEST_F(CondicionesTest, ValoresConComillasEncuentranSoloSuRenglon) {
  EscribeClientes({{"1", "O\"NEIL"},
                   {"2", "ONEIL"},
                   {"3", "D'ANGELO"},
                   {"4", "DANGELO"},
                   {"5", "LUIS D'ANGELO RUIZ"},
                   {"6", "O\""}});
  struct Caso {
    const char* operador;
    const char* valor;
    QStringList claves;
  };
  const Caso casos[] = {
      {"=", "O\"NEIL", {"1"}},
      {"Incluye", "D'ANGELO", {"3", "5"}},
      {"Inicia_Con", "D'ANG", {"3"}},
      {"Termina_Con", "'ANGELO", {"3"}},
      {"=", "O\" OR NOMBR_C <> \"", {}},
      {"Incluye", "' OR CLCLI_C <> '", {}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.valor);
    TFormaFormatos forma;
    PreparaParametrosReporte(true, true, false, false, false, true, true, true, true, "cliente.dbf");
    Condicion(forma, 0, "Nombre", c.operador, c.valor);
    QString condiciones;
    CondicionesReporteSQL("", "", condiciones);
    db::Consulta q;
    q.SetSQL("SELECT CLCLI_C FROM \"C:\\DATOS\\cliente.dbf\" WHERE CLCLI_C IS NOT NULL " + condiciones +
             " ORDER BY CLCLI_C");
    q.Open();
    QStringList claves;
    for (q.First(); !q.Eof(); q.Next()) claves << q.FieldByName("CLCLI_C").AsString();
    EXPECT_EQ(claves, c.claves);
  }
}

TEST_F(CondicionesTest, OrdenElegido) {
  TFormaFormatos forma;
  PreparaParametrosReporte(true, true, false, false, false, true, true, true, true, "cliente.dbf");
  QString orden = "previo";
  OrdenReporteSQL("", orden);
  EXPECT_EQ(orden, "");
  forma.Orden->setCurrentIndex(forma.Orden->findText("Nombre"));
  OrdenReporteSQL("", orden);
  EXPECT_EQ(orden, "NOMBR_C");
  forma.Orden->setEditText("");
  OrdenReporteSQL("", orden);
  EXPECT_EQ(orden, "");
}

TEST(CamposReporte, ColumnasDelSelect) {
  struct Caso {
    const char* guion;
    const char* campos;
  };
  const Caso casos[] = {
      {"&select CLCLI_C,NOMBR_C,SALDO_C from x", " CLCLI_C\rNOMBR_C\rSALDO_C "},
      {"&Select c.CLCLI_C, SUM(c.SALDO_C*1.16)/2 FROM x", "CLCLI_C\rSALDO_C\r16\r2 "},
      {"&Select a-b+c FrOm", " a\rb\rc "},
      {"$T\r& CLDOC_F, FEDOC_F\r from x", " CLDOC_F\r FEDOC_F\r "},
      {"&select CLCLI_C", " CLCLI_C"},
      {"select X,Y from z", " X\rY "},
      {"", ""},
  };
  for (const Caso& c : casos) {
    QString campos = "previo";
    CamposDelSelect(c.guion, campos);
    EXPECT_EQ(campos, c.campos) << c.guion;
    EXPECT_EQ(CamposGuionReporte, campos);
  }
}

TEST(CamposReporte, TablasCatalogadas) {
  const std::pair<const char*, const char*> casos[] = {
      {"remision.dbf", "facturae.dbf"}, {"cotizaci.dbf", "facturae.dbf"}, {"pedido.dbf", "facturae.dbf"},
      {"devoluci.dbf", "facturae.dbf"}, {"devoluc.dbf", "facturae.dbf"},  {"remisiod.dbf", "facturad.dbf"},
      {"cotizacd.dbf", "facturad.dbf"}, {"pedidod.dbf", "facturad.dbf"},  {"devolucd.dbf", "facturad.dbf"},
      {"cliente.dbf", "cliente.dbf"},   {"Remision.dbf", "Remision.dbf"},
  };
  for (const auto& [tabla, catalogada] : casos) EXPECT_EQ(TablaCamposReporte(tabla), catalogada) << tabla;
}

TEST(ProtocoloReporte, CondicionesCortadasParaElMotor) {
  EXPECT_EQ(CondicionesDialogoReporte().condiciones[0].codigo, "X");
  FijaCondicionesReporte("NOMBR_C", "U", "UN VALOR MUY LARGO DE MAS", "ftStringMuyLargo", "", "", "", "", "SALDO_C",
                         "Z", "100", "ftFloat", "YO");
  const CondicionesReporte& c = CondicionesDialogoReporte();
  EXPECT_EQ(c.condiciones[0].campo, "NOMBR_C");
  EXPECT_EQ(c.condiciones[0].codigo, "U");
  EXPECT_EQ(c.condiciones[0].valor, "UN VALOR MUY LA");
  EXPECT_EQ(c.condiciones[0].tipo, "ftStringMuyLarg");
  EXPECT_EQ(c.condiciones[1].campo, "");
  EXPECT_EQ(c.condiciones[2].valor, "100");
  EXPECT_EQ(c.conector, "Y");
  CondicionesDialogoReporte() = {};
}
