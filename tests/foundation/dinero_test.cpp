#include "foundation/dinero.h"
#include "foundation/rutinas_fecha.h"
#include "platform/Error.h"
#include "platform/fs/Regional.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

namespace {

class DineroTest : public ::testing::Test {
 protected:
  void TearDown() override { FijaFormatosRegionales(); }
};

Dinero D(const char* texto) { return Dinero::DeTexto(QString::fromUtf8(texto)); }

}  // namespace

TEST_F(DineroTest, LecturaDeTextos) {
  struct Caso { const char* texto; std::optional<std::int64_t> diezmilesimas; };
  const Caso casos[] = {
      {"1234.5", 12345000},     {" -0.25 ", -2500},  {"+7", 70000},        {"1E3", 10000000},
      {"2.5e-3", 25},           {".5", 5000},        {"5.", 50000},        {"0.00005", 1},
      {"-0.00005", -1},         {"0.00004999", 0},   {"922337203685477.5807", std::numeric_limits<std::int64_t>::max()},
      {"abc", std::nullopt},    {"", std::nullopt},  {"1,234.5", std::nullopt}, {"1.2.3", std::nullopt},
      {"1e30", std::nullopt},   {"e5", std::nullopt}, {"5e", std::nullopt}, {"- 5", std::nullopt},
  };
  for (const Caso& c : casos) {
    const auto leido = Dinero::Lee(QString::fromUtf8(c.texto));
    ASSERT_EQ(leido.has_value(), c.diezmilesimas.has_value()) << c.texto;
    if (leido) {
      EXPECT_EQ(leido->Diezmilesimas(), *c.diezmilesimas) << c.texto;
    }
  }
  try {
    Dinero::DeTexto("abc");
    FAIL() << "abc se leyó como importe";
  } catch (const plat::Error& e) {
    EXPECT_EQ(e.clase(), plat::Clase::Conversion);
    EXPECT_EQ(e.mensaje(), "'abc' no es un valor numérico válido");
  }
}

TEST_F(DineroTest, DesdeRealesRedondeaLaCuartaCifraComoSeEscribe) {
  struct Caso { double real; Mitades mitades; std::int64_t diezmilesimas; };
  const Caso casos[] = {
      {0.1 + 0.2, Mitades::LejosDelCero, 3000},  // 0.30000000000000004
      {2.675, Mitades::LejosDelCero, 26750},
      {1.00005, Mitades::LejosDelCero, 10001},   // binary 1.0000499999..., written 1.00005
      {1.00005, Mitades::AlPar, 10000},
      {1.00015, Mitades::AlPar, 10002},
      {-1.00005, Mitades::LejosDelCero, -10001},
      {-1.00005, Mitades::AlPar, -10000},
      {1e-9, Mitades::LejosDelCero, 0},
      {123456789.98765, Mitades::LejosDelCero, 1234567899877},
  };
  for (const Caso& c : casos) {
    EXPECT_EQ(Dinero::DeReal(c.real, c.mitades).Diezmilesimas(), c.diezmilesimas) << c.real;
  }
  EXPECT_THROW(Dinero::DeReal(std::numeric_limits<double>::quiet_NaN()), plat::Error);
  EXPECT_THROW(Dinero::DeReal(1e300), plat::Error);
}

TEST_F(DineroTest, SumasLargasSonExactas) {
  Dinero suma;
  double real = 0;
  for (int i = 0; i < 100000; ++i) {
    suma += D("0.1");
    real += 0.1;
  }
  EXPECT_EQ(suma, Dinero(10000));
  EXPECT_NE(real, 10000.0);  // what the same sum in reals would drift to
  suma -= D("9999.9999");
  EXPECT_EQ(suma.Texto(), "0.0001");
}

TEST_F(DineroTest, Textos) {
  struct Caso { const char* valor; const char* texto; };
  for (const Caso& c : {Caso{"1234.5", "1234.5"}, Caso{"0", "0"}, Caso{"-0.0001", "-0.0001"}, Caso{"100", "100"},
                        Caso{"-922337203685477.5807", "-922337203685477.5807"}}) {
    EXPECT_EQ(D(c.valor).Texto(), c.texto);
  }
  EXPECT_DOUBLE_EQ(D("-12.34").Real(), -12.34);
}

TEST_F(DineroTest, RedondeoACentavosYUnidades) {
  struct Caso { const char* valor; int decimales; Mitades mitades; const char* esperado; };
  const Caso casos[] = {
      {"0.125", 2, Mitades::LejosDelCero, "0.13"}, {"-0.125", 2, Mitades::LejosDelCero, "-0.13"},
      {"0.125", 2, Mitades::AlPar, "0.12"},        {"0.135", 2, Mitades::AlPar, "0.14"},
      {"0.1251", 2, Mitades::AlPar, "0.13"},       {"2.5", 0, Mitades::AlPar, "2"},
      {"3.5", 0, Mitades::AlPar, "4"},             {"2.5", 0, Mitades::LejosDelCero, "3"},
      {"9.995", 2, Mitades::LejosDelCero, "10"},   {"0.0049", 2, Mitades::LejosDelCero, "0"},
      {"1.2345", 4, Mitades::LejosDelCero, "1.2345"}, {"1.2345", -1, Mitades::LejosDelCero, "1"},
  };
  for (const Caso& c : casos) {
    EXPECT_EQ(D(c.valor).Redondeada(c.decimales, c.mitades).Texto(), c.esperado) << c.valor << " " << c.decimales;
  }
}

TEST_F(DineroTest, Aritmetica) {
  EXPECT_EQ(D("19.99") * 3.0, D("59.97"));
  EXPECT_EQ(D("19.99") * 0.1, D("1.999"));  // 0.1 as written, not its binary neighbour
  EXPECT_EQ(D("12.345") * 0.5, D("6.1725"));
  EXPECT_EQ(D("0.0005") * 0.5, D("0.0003"));  // 0.00025: half away from zero
  EXPECT_EQ(D("-0.0005") * 0.5, D("-0.0003"));
  EXPECT_EQ(D("0.15") * D("0.5"), D("0.075"));
  EXPECT_EQ(D("1000000") * D("1000000"), D("1000000000000"));
  EXPECT_EQ(D("10") - D("10.0001"), D("-0.0001"));
  EXPECT_EQ(-D("5"), D("-5"));
  EXPECT_LT(D("-0.0001"), Dinero());
  EXPECT_GT(D("1.5"), 1);

  const Dinero maximo = Dinero::DeDiezmilesimas(std::numeric_limits<std::int64_t>::max());
  EXPECT_THROW(maximo + D("0.0001"), plat::Error);
  EXPECT_THROW(-maximo - D("0.0002"), plat::Error);
  EXPECT_THROW(maximo * 2.0, plat::Error);
  EXPECT_THROW(D("1") * std::numeric_limits<double>::infinity(), plat::Error);
  Dinero intacto = maximo;
  EXPECT_THROW(intacto += D("1"), plat::Error);
  EXPECT_EQ(intacto, maximo);
}

TEST_F(DineroTest, UsaElSeparadorDecimalDelProceso) {
  fs::Regional().separadorDecimal = u',';
  EXPECT_EQ(D("1234,5").Texto(), "1234,5");
  EXPECT_FALSE(Dinero::Lee("1234.5"));
}
