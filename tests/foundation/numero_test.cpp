#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "platform/Error.h"
#include "platform/fs/Regional.h"

#include <QFont>
#include <QFontMetricsF>
#include <gtest/gtest.h>

#include <limits>

namespace {

class NumeroTest : public ::testing::Test {
 protected:
  void TearDown() override { FijaFormatosRegionales(); }
};

}  // namespace

TEST_F(NumeroTest, FormatoImportePorMascara) {
  struct Caso { const char* mascara; const char* valor; const char* prefijo; const char* esperado; };
  const Caso casos[] = {
      {"##,##0.00", "1234.5", "$", "$ 1,234.50"},
      {"##,##0.00", "1234.5", "f", "$ 1,234.50"},
      {"##,##0.00", "1234.5", "c", "1234.5"},
      {"##,##0.00", "no es numero", "c", "no es numero"},
      {"##,##0.00", "", "", "     0.00"},
      {"##,##0.00", "-1234.5", "", "-1,234.50"},
      {"###,###,##0.00", "-1234567.891", "$", "$ -1,234,567.89"},
      {"###,###,##0.00", "0.005", "", "          0.01"},
      {"###,###,##0.00", "-0.004", "", "          0.00"},
      {"###,###,##0", "1234567.5", "", "  1,234,568"},
      {"##0.00", "1234567", "", "1234567.00"},
      {"#,##0", "1234567", "", "1,234,567"},
      {"#,###,###", "0", "", "         "},
      {"#.##", "0.5", "", "  .5"},
      {"#.##", "12", "", "  12"},
      {"0.0#", "2.5", "", " 2.5"},
      {"0000", "42", "", "0042"},
      {"0,000", "5", "", "0,005"},
      {"$#,##0.00", "-5", "", "   $-5.00"},
      {"0.00%", "12.5", "", "12.50%"},
  };
  for (const Caso& c : casos) {
    EXPECT_EQ(FormatoImporte(c.mascara, c.valor, c.prefijo), QString::fromUtf8(c.esperado))
        << c.mascara << " " << c.valor << " " << c.prefijo;
  }
  EXPECT_EQ(FormatoImporte("##,##0.00", "0"), "     0.00");
}

TEST_F(NumeroTest, FormatoImporteDeUnTextoQueNoEsNumero) {
  for (const char* valor : {"abc", "1,234.50", "12..5"}) {
    try {
      FormatoImporte("##,##0.00", valor, "$");
      ADD_FAILURE() << valor << " se formateó";
    } catch (const plat::Error& e) {
      EXPECT_EQ(e.clase(), plat::Clase::Conversion) << valor;
    }
  }
}

TEST_F(NumeroTest, TextoImporteYMascarasDeReales) {
  EXPECT_EQ(TextoImporte(Dinero::DeTexto("12.345")), "12.35");
  EXPECT_EQ(TextoImporte(Dinero::DeTexto("-12.345")), "-12.35");
  EXPECT_EQ(TextoImporte(Dinero::DeTexto("1234567.5")), "1234567.50");
  EXPECT_EQ(TextoImporte(Dinero()), "0.00");
  EXPECT_EQ(FormatoMascara("######0.00", 2.25), "2.25");
  EXPECT_EQ(FormatoMascara("0.000", 2.0005), "2.001");
  EXPECT_EQ(FormatoMascara("0.00", 1.005), "1.01");
  EXPECT_EQ(FormatoMascara("", 0.1 + 0.2), "0.30000000000000004");
}

TEST_F(NumeroTest, SeparadoresDelProcesoNoDelSistema) {
  fs::Regional().separadorMiles = u'.';
  fs::Regional().separadorDecimal = u',';
  EXPECT_EQ(FormatoImporte("##,##0.00", "1234,5", "$"), "$ 1.234,50");
  EXPECT_DOUBLE_EQ(ValorReal("2,5"), 2.5);
  EXPECT_TRUE(FijaFormatosRegionales());
  EXPECT_EQ(FormatoImporte("##,##0.00", "1234.5", "$"), "$ 1,234.50");
}

TEST_F(NumeroTest, Redondea) {
  struct Caso { int decimales; double valor; double esperado; };
  const Caso casos[] = {
      {2, 2.675, 2.68},   {2, -2.675, -2.68}, {2, 1.005, 1.01},  {0, 0.5, 1},       {0, -0.5, -1},
      {4, 1.23456, 1.2346}, {2, 12.3, 12.3},  {2, 0.0049, 0},    {2, 1e20, 1e20},   {-3, 7.6, 8},
  };
  for (const Caso& c : casos) EXPECT_EQ(Redondea(c.decimales, c.valor), c.esperado) << c.decimales << " " << c.valor;

  struct Texto { int decimales; double valor; const char* esperado; };
  const Texto textos[] = {
      {2, 2.675, "2.68"},  {2, -2.675, "-2.68"}, {2, 1.995, "2.00"}, {0, -2.5, "-3"},
      {2, -0.001, "0.00"}, {3, 7, "7.000"},      {2, 1e20, "100000000000000000000.00"},
      {2, std::numeric_limits<double>::infinity(), "INF"},
  };
  for (const Texto& t : textos) {
    EXPECT_EQ(TextoRedondeado(t.decimales, t.valor), t.esperado) << t.decimales << " " << t.valor;
  }
  fs::Regional().separadorDecimal = u',';
  EXPECT_EQ(TextoRedondeado(2, 2.675), "2,68");
}

TEST_F(NumeroTest, ValorRealYValorNumerico) {
  struct Caso { const char* texto; double real; };
  const Caso casos[] = {
      {"12.5", 12.5}, {" 7 ", 7},   {"-3e2", -300}, {".5", 0.5}, {"5.", 5},  {"abc", 0},
      {"", 0},        {"1,000", 0}, {"e", 0},       {"x", 0},    {"1e999", 0}, {"1e-999", 0},
  };
  for (const Caso& c : casos) {
    EXPECT_EQ(ValorReal(c.texto), c.real) << c.texto;
    EXPECT_EQ(ValorNumerico(c.texto), c.real) << c.texto;
  }
  double intacto = 9;
  EXPECT_FALSE(LeeReal("9x", intacto));
  EXPECT_EQ(intacto, 9);
  EXPECT_EQ(TextoReal(0.1), "0.1");
  EXPECT_EQ(TextoReal(-1234.5), "-1234.5");
  EXPECT_EQ(TextoReal(1.0 / 3), "0.3333333333333333");
  EXPECT_EQ(TextoReal(1e-7), "0.0000001");
  EXPECT_EQ(TextoReal(1.5e30), "1.5E30");
  EXPECT_EQ(ValorReal(TextoReal(1.5e30)), 1.5e30);
}

TEST_F(NumeroTest, LetrasDeTipoDeCampo) {
  struct Caso { TipoCampo tipo; const char* letra; };
  const Caso casos[] = {
      {TipoCampo::Cadena, "c"},      {TipoCampo::Logico, "c"},     {TipoCampo::BCD, "c"},
      {TipoCampo::Hora, "c"},        {TipoCampo::Autoincremento, "c"}, {TipoCampo::Blob, "c"},
      {TipoCampo::Memo, "c"},        {TipoCampo::EnteroCorto, "e"}, {TipoCampo::Entero, "e"},
      {TipoCampo::Bytes, "e"},       {TipoCampo::Palabra, "w"},    {TipoCampo::Flotante, "f"},
      {TipoCampo::Moneda, "$"},      {TipoCampo::Fecha, "d"},      {TipoCampo::FechaHora, "d"},
      {TipoCampo::BytesVariables, "b"}, {TipoCampo::Grafico, "g"}, {TipoCampo::Otro, "x"},
  };
  for (const Caso& c : casos) EXPECT_EQ(LetraTipoCampo(c.tipo), c.letra) << c.letra;
  EXPECT_EQ(LetraTipoCampo(TipoCampoDe(db::TipoDato::Moneda)), "$");
  EXPECT_EQ(LetraTipoCampo(TipoCampoDe(db::TipoDato::Logico)), "c");
  EXPECT_EQ(LetraTipoCampo(TipoCampoDe(db::TipoDato::Entero)), "e");

  EXPECT_EQ(AjustaLetraTipo(TipoCampo::Entero, "e"), "c");
  EXPECT_EQ(AjustaLetraTipo(TipoCampo::Moneda, "e"), "c");
  EXPECT_EQ(AjustaLetraTipo(TipoCampo::Flotante, "e"), "e");
  EXPECT_EQ(AjustaLetraTipo(TipoCampo::Entero, "f"), "f");
}

TEST_F(NumeroTest, CodigosDeOperador) {
  struct Caso { const char* palabra; const char* codigo; };
  const Caso casos[] = {
      {"=", "="}, {"<", "<"}, {">", ">"}, {"<>", "X"}, {"<=", "Y"}, {">=", "Z"}, {"&", "W"},
      {"Inicia_Con", "I"}, {"Termina_Con", "T"}, {"Incluye", "U"}, {"!=", ""}, {"incluye", ""}, {"", ""},
  };
  for (const Caso& c : casos) EXPECT_EQ(CodigoOperador(c.palabra), c.codigo) << c.palabra;
}

// A canvas font that is neither "MS Sans Serif" nor "Courier New" gets blanks
// in front until the text is as wide as the mask in that font.
TEST_F(NumeroTest, FormatoImporteAnchoSegunLaFuente) {
  const QString mascara = "###,###,##0.00";
  for (const char* familia : {"Courier New", "MS Sans Serif"}) {
    QString salida = "sin tocar";
    FormatoImporteAncho(mascara, "1234.5", "$", salida, QFont(familia, 10));
    EXPECT_EQ(salida, FormatoImporte(mascara, "1234.5", "$")) << familia;
  }

  const QFont proporcional("Liberation Sans", 10);
  const QFontMetricsF medidas(proporcional);
  ASSERT_LT(medidas.horizontalAdvance(" "), medidas.horizontalAdvance("0"));
  struct Caso { const char* prefijo; const char* valor; const char* fin; };
  for (const Caso& c : {Caso{"$", "1234.5", "1,234.50"}, Caso{"f", "-7", "-7.00"}, Caso{"", "1234.5", "1,234.50"},
                        Caso{"c", "12", "12"}}) {
    QString salida;
    FormatoImporteAncho(mascara, c.valor, c.prefijo, salida, proporcional);
    const bool pesos = QString(c.prefijo) == "$" || QString(c.prefijo) == "f";
    ASSERT_TRUE(salida.endsWith(c.fin)) << salida.toStdString();
    const QString delante = salida.chopped(QString(c.fin).size());
    EXPECT_EQ(delante, (pesos ? "$" : " ") + QString(delante.size() - 1, u' ')) << salida.toStdString();
    EXPECT_GT(delante.size(), FormatoImporte(mascara, c.valor, c.prefijo).size() - QString(c.fin).size());
    // As wide as the mask, counting the "$" as the blank it stood in for,
    // and one blank less would be narrower.
    const QString medido = " " + salida.mid(1);
    EXPECT_GE(medidas.horizontalAdvance(medido), medidas.horizontalAdvance(mascara)) << salida.toStdString();
    EXPECT_LT(medidas.horizontalAdvance(medido.mid(1)), medidas.horizontalAdvance(mascara)) << salida.toStdString();
  }

  QString salida = "sin tocar";
  FormatoImporteAncho(mascara, "abc", "$", salida, proporcional);
  EXPECT_EQ(salida, "abc");
}
