#include "formats/CarpetaFormato.h"
#include "formats/ImporteLetra.h"
#include "formats/moneda_prueba.h"
#include "foundation/rutinas.h"
#include "platform/Error.h"
#include "platform/fs/Texto.h"
#include "support/RaizPrueba.h"

#include <limits>

namespace {

class ImporteLetraTest : public RaizPrueba {
 protected:
  void SetUp() override {
    RaizPrueba::SetUp();
    FijaTextosMoneda("PESO", "PESOS DE", "PESOS", "M.N.");
  }
};

}  // namespace

TEST_F(ImporteLetraTest, ImportesEnEspanol) {
  struct Caso { double importe; const char* texto; };
  const Caso casos[] = {
      {1, "( UN PESO 00/100 M.N.)"},
      {0, "(CERO  PESOS 00/100 M.N.)"},
      {100, "( CIEN PESOS 00/100 M.N.)"},
      {101, "( CIENTO UN PESOS 00/100 M.N.)"},
      {21, "( VEINTIUN PESOS 00/100 M.N.)"},
      {30, "( TREINTA PESOS 00/100 M.N.)"},
      {31, "( TREINTA Y UN PESOS 00/100 M.N.)"},
      {1234.5, "( UN MIL DOSCIENTOS TREINTA Y CUATRO PESOS 50/100 M.N.)"},
      {2000000, "( DOS MILLONES PESOS DE 00/100 M.N.)"},
      {1000000, "( UN MILL\xC3\xB3N PESOS 00/100 M.N.)"},
      {0.5, "(CERO  PESOS 50/100 M.N.)"},
      {17.999, "( DIECIOCHO PESOS 00/100 M.N.)"},
      {215.07, "( DOSCIENTOS QUINCE PESOS 07/100 M.N.)"},
      // Negative amounts have no words.
      {-1234.5, "( ERROR EN CANTIDAD PESOS 50/100 M.N.)"},
      {-0.5, "(CERO  PESOS 50/100 M.N.)"},
      // Beyond a 32-bit whole part.
      {2147483648.0, "( DOS MIL CIENTO CUARENTA Y SIETE MILLONES CUATROCIENTOS OCHENTA Y TRES MIL "
                     "SEISCIENTOS CUARENTA Y OCHO PESOS 00/100 M.N.)"},
      {5000000000.0, "( CINCO MIL MILLONES PESOS DE 00/100 M.N.)"},
      {100000000000.0, "( CIEN MIL MILLONES PESOS DE 00/100 M.N.)"},
      {999999999999.99, "( NOVECIENTOS NOVENTA Y NUEVE MIL NOVECIENTOS NOVENTA Y NUEVE MILLONES NOVECIENTOS "
                        "NOVENTA Y NUEVE MIL NOVECIENTOS NOVENTA Y NUEVE PESOS 99/100 M.N.)"},
      {1000000000000.0, "( ERROR EN CANTIDAD PESOS 00/100 M.N.)"},
      {1e300, "( ERROR EN CANTIDAD PESOS 00/100 M.N.)"},
      {std::numeric_limits<double>::infinity(), "( ERROR EN CANTIDAD PESOS 00/100 M.N.)"},
      {std::numeric_limits<double>::quiet_NaN(), "( ERROR EN CANTIDAD PESOS 00/100 M.N.)"},
  };
  for (const Caso& c : casos) EXPECT_EQ(ImporteConLetra(c.importe), QString::fromUtf8(c.texto)) << c.importe;
}

TEST_F(ImporteLetraTest, GruposConSuEscala) {
  struct Caso { int n, grupo; const char* texto; };
  const Caso casos[] = {{0, 1, ""},           {0, 2, ""},          {0, 3, " millones"},
                        {1, 3, " un millón"}, {100, 2, " cien mil"}, {115, 1, " ciento quince"},
                        {999, 4, " novecientos noventa y nueve mil"}};
  for (const Caso& c : casos) EXPECT_EQ(GrupoEnLetra(c.n, c.grupo), QString::fromUtf8(c.texto)) << c.n;
}

TEST_F(ImporteLetraTest, ImportesEnIngles) {
  FijaTextosMoneda("DOLLAR", "DOLLARS", "DOLLARS", "USD");
  struct Caso { double importe; const char* texto; };
  const Caso casos[] = {
      {1234.5, "(ONE THOUSAND TWO HUNDRED THIRTY FOUR DOLLARS 50/100 USD)"},
      {20.05, "(TWENTY  DOLLARS 5/100 USD)"},
      {0, "(ZERO DLLS )"},
      {1, "(ONE DOLLARS 0/100 USD)"},
      {115, "(ONE HUNDRED FIFTEEN DOLLARS 0/100 USD)"},
      {2000000, "(TWO MILLION  DOLLARS 0/100 USD)"},
      {4294967295.0, "(FOUR BILLION TWO HUNDRED NINETY FOUR MILLION NINE HUNDRED SIXTY SEVEN THOUSAND TWO HUNDRED "
                     "NINETY FIVE DOLLARS 0/100 USD)"},
  };
  for (const Caso& c : casos) EXPECT_EQ(ImporteEnIngles("dlls", c.importe), QString::fromUtf8(c.texto)) << c.importe;
  EXPECT_EQ(ImporteEnIngles(QString(), 0), "(ZERO )");

  struct Malo { double importe; const char* mensaje; };
  const Malo malos[] = {{0.5, "0.5 not in valid range 1..4294967295.99"},
                        {-3, "-3 not in valid range 1..4294967295.99"},
                        {5e9, "5000000000 not in valid range 1..4294967295.99"},
                        {std::numeric_limits<double>::quiet_NaN(), "nan not in valid range 1..4294967295.99"}};
  for (const Malo& m : malos) {
    try {
      ImporteEnIngles("USD", m.importe);
      ADD_FAILURE() << m.importe;
    } catch (const plat::Error& e) {
      EXPECT_EQ(e.mensaje(), m.mensaje);
    }
  }
}

TEST_F(ImporteLetraTest, TextosDeLaTablaDeMonedas) {
  EscribeLineas(kArchivoInicio, {"C:\\VRL", "C:\\VRL\\Gener1.cnf"});
  EscribeLineas("C:\\VRL\\Gener1.cnf", {"1", "2", "3", "4", "5", "6", "7", "C:\\DATOS"});
  QString salida = "sin tocar";
  TextoMoneda("M.N.", 1, salida);
  EXPECT_EQ(salida, "sin tocar");  // no table yet

  QByteArray tabla = RegistroMoneda("M.N.", {"PESO", "PESOS DE", "PESOS", "M.N."});
  for (int i = 0; i < 5; ++i) tabla += RegistroMoneda(QString(), {});
  tabla += RegistroMoneda("USD", {"DOLAR", "DOLARES", "DOLARES", "U.S.D. MONEDA DE LOS ESTADOS UNIDOS"});
  EscribeBytes("C:\\DATOS\\moneda.vrl", tabla);

  struct Caso { const char* nombre; int n; const char* texto; };
  const Caso casos[] = {{"M.N.", 1, "PESO"}, {"M.N.", 2, "PESOS DE"},  {"M.N.", 4, "M.N."},
                        {"USD", 3, "DOLARES"}, {"USD", 4, "U.S.D. MONEDA DE LOS ESTADOS U"},
                        {"usd", 1, "xx"},    {"EUR", 1, "xx"}};
  for (const Caso& c : casos) {
    salida = "sin tocar";
    TextoMoneda(c.nombre, c.n, salida);
    EXPECT_EQ(salida, c.texto) << c.nombre << c.n;
  }

  // The usual way a document sets the texts of its currency.
  QString t[4];
  for (int i = 0; i < 4; ++i) TextoMoneda("USD", i + 1, t[i]);
  CarpetaProgramaFormato.clear();
  FijaTextosMoneda(t[0], t[1], t[2], t[3]);
  EXPECT_EQ(ImporteConLetra(2), "( DOS DOLARES 00/100 U.S.D. MONEDA DE LOS ESTADOS U)");
  EXPECT_EQ(CarpetaProgramaFormato, "C:\\VRL");

  // A table cut inside a record before the name is found.
  EscribeBytes("C:\\DATOS\\moneda.vrl", tabla.left(168 * 6 + 100));
  EXPECT_THROW(TextoMoneda("USD", 1, salida), plat::Error);
  EXPECT_TRUE(Mensajes().isEmpty());
}
