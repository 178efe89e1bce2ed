#include "foundation/aritmetica.h"
#include "foundation/rutinas_fecha.h"
#include "platform/Error.h"
#include "platform/fs/Regional.h"

#include <gtest/gtest.h>

namespace {

// What the usual caller does with a formula.
QString Evalua(const QString& formula) { return EvaluaAritmetica(ResuelveParentesis(formula)); }

}  // namespace

TEST(AritmeticaTest, SumasDeTerminos) {
  struct Caso { const char* formula; const char* valor; };
  const Caso casos[] = {
      {"2+3*4", "14.0000"},      {"-5", "-5.0000"},        {"10-2-3", "5.0000"},   {"3*-2", "-6.0000"},
      {"5--3", "8.0000"},        {"7/0", "0.0000"},        {"1+1+1+1+1+2", "7.0000"}, {"5+-3", "2.0000"},
      {"", "0.0000"},            {"500+200", "700.0000"},  {"12.5*3-10/4", "35.0000"}, {"1/3+1/3+1/3", "1.0000"},
      {"2;3", "5.0000"},         {"+4", "4.0000"},         {" 2 + 3 ", "5.0000"},  {"5 - -3", "8.0000"},
      {"---5", "-5.0000"},       {"8/2/2", "2.0000"},      {"6/-2", "-3.0000"},     {"abc+2", "2.0000"},
      {"5*", "0.0000"},          {"2+5*", "2.0000"},       {"5+", "5.0000"},       {"0.00005", "0.0001"},
      {"-0.00005", "-0.0001"},   {"1e3+1", "1001.0000"},   {"123456789*1000", "123456789000.0000"},
  };
  for (const Caso& c : casos) {
    const QString valor = EvaluaAritmetica(c.formula);
    EXPECT_EQ(valor, QString(c.valor).rightJustified(15)) << c.formula;
  }
}

TEST(AritmeticaTest, Parentesis) {
  EXPECT_EQ(ResuelveParentesis("2*(3+4)"), "2*7.0000");
  EXPECT_EQ(ResuelveParentesis("(1+(2*3))"), "7.0000");
  EXPECT_EQ(ResuelveParentesis("2 + 3"), "2+3");
  struct Caso { const char* formula; const char* valor; };
  const Caso casos[] = {
      {"2*(3+4)", "14.0000"},     {"(1+(2*3))", "7.0000"},        {"((2))*((3))", "6.0000"},
      {"10-(3-5)", "12.0000"},    {"2*(3-5)", "-4.0000"},          {"(5-(0-3))", "8.0000"},
      {"12.5*3-(4+6)/2", "32.5000"}, {"-(2+3)", "-5.0000"},        {"(2+3)*(4-1)/(1+1)", "7.5000"},
      {"()", "0.0000"},           {"(2+3", "5.0000"},              {"2+3)*4", "20.0000"},
      {"((2+3)", "5.0000"},       {"(5*)+1", "1.0000"},            {"((((1+1)*2)*2)*2)", "16.0000"},
      {"2/(3-5)", "-1.0000"},     {"10/(0-4)*2", "-5.0000"},

  };
  for (const Caso& c : casos) EXPECT_EQ(Evalua(c.formula), QString(c.valor).rightJustified(15)) << c.formula;
}

// The pieces ";" cuts inside a parenthesis are kept as they stand, as in
// formulas written for one level of parentheses.
TEST(AritmeticaTest, PuntoYComaEnUnParentesis) {
  EXPECT_EQ(ResuelveParentesis("(2;3)"), "23.0000");
  EXPECT_EQ(ResuelveParentesis("1;2*(3+4)"), "12*7.0000");
}

TEST(AritmeticaTest, SinLimiteDeTerminos) {
  QStringList unos, grupos;
  for (int i = 0; i < 1000; ++i) {
    unos << QStringLiteral("1.5");
    grupos << QStringLiteral("(1+1)");
  }
  EXPECT_EQ(EvaluaAritmetica(unos.join(u'+')), "      1500.0000");
  EXPECT_EQ(EvaluaAritmetica(unos.join(u'-')), "     -1497.0000");
  EXPECT_EQ(Evalua(grupos.join(u'+')), "      2000.0000");
  EXPECT_EQ(Evalua(QString(300, u'(') + "2" + QString(300, u')')), "         2.0000");
}

TEST(AritmeticaTest, Terminos) {
  struct Caso { const char* termino; const char* valor; };
  const Caso casos[] = {
      {"3*4", "12.00000"}, {"-", "-1.00000"}, {"-2", "-2.00000"}, {"3*-2", "-6.00000"}, {"1/3", "0.33333"},
      {"2/3", "0.66667"},  {"7/0", "0.00000"}, {"6/-2", "-3.00000"}, {"6/+2", "3.00000"}, {"7/0*5", "0.00000"}, {"+5", "5.00000"}, {"10/4/5", "0.50000"},
  };
  for (const Caso& c : casos) EXPECT_EQ(EvaluaTermino(c.termino), QString(c.valor).rightJustified(15)) << c.termino;
  EXPECT_EQ(EvaluaTermino(""), "");
  for (const char* malo : {"/3", "2*", "3-2", "x", "1e308*10"}) {
    try {
      EvaluaTermino(malo);
      ADD_FAILURE() << malo << " se evaluó";
    } catch (const plat::Error& e) {
      EXPECT_EQ(e.clase(), plat::Clase::Conversion) << malo;
    }
  }
}

class SeparadorTest : public ::testing::Test {
 protected:
  void TearDown() override { FijaFormatosRegionales(); }
};

TEST_F(SeparadorTest, ElEvaluadorUsaElSeparadorDecimalDelProceso) {
  fs::Regional().separadorDecimal = u',';
  EXPECT_EQ(EvaluaAritmetica("2,5*2"), QString("5,0000").rightJustified(15));
  EXPECT_EQ(EvaluaAritmetica("2.5*2"), QString("0,0000").rightJustified(15));
}
