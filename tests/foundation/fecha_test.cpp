#include "foundation/rutinas_fecha.h"
#include "platform/Error.h"
#include "platform/fs/Regional.h"
#include "platform/fs/Reloj.h"

#include <gtest/gtest.h>

namespace {

class FechaTest : public ::testing::Test {
 protected:
  void SetUp() override { fs::FijaAhora(QDateTime(QDate(2026, 6, 15), QTime(10, 30))); }
  void TearDown() override {
    fs::LiberaReloj();
    FijaFormatosRegionales();
  }
};

}  // namespace

TEST_F(FechaTest, FechaValida) {
  struct Caso { const char* texto; bool valida; };
  const Caso casos[] = {
      {"31/12/2009", true},  {"05/03/__09", true},  {"31/04/2009", true},   {" 5/ 3/2009", true},
      {"31/12/2009 10:00", true}, {"32/01/2009", false}, {"15/13/2009", false}, {"00/01/2009", false},
      {"05/03/20__", false}, {"1/1/2009", false},   {"", false},            {"05/03/-009", false},
      {"ab/03/2009", false}, {"5 /03/2009", false},
  };
  for (const Caso& c : casos) EXPECT_EQ(FechaValida(c.texto), c.valida) << c.texto;
}

TEST_F(FechaTest, FechaSQL) {
  struct Caso { const char* texto; const char* sql; };
  for (const Caso& c : {Caso{"05/03/2010", "3/5/2010"}, Caso{"31/12/1999", "12/31/1999"}, Caso{" 5/3/2010", "3/5/2010"},
                        Caso{"01/02/26", "2/1/2026"}}) {
    EXPECT_EQ(FechaSQL(c.texto), c.sql) << c.texto;
  }
  for (const char* malo : {"32/01/2010", "29/02/2010", "abc", "05/03/__09", "05-03-2010", "", "05/03/2010 10:00"}) {
    try {
      FechaSQL(malo);
      ADD_FAILURE() << malo << " se tomó por fecha";
    } catch (const plat::Error& e) {
      EXPECT_EQ(e.clase(), plat::Clase::Conversion) << malo;
    }
  }
}

TEST_F(FechaTest, FechaLarga) {
  struct Caso { const char* texto; const char* larga; };
  const Caso casos[] = {
      {"05/01/2004", "Lunes 5 de Enero del año 2004"},
      {"07/01/2004", "Miercoles 7 de Enero del año 2004"},
      {"04/07/2004", "Domingo 4 de Julio del año 2004"},
      {"31/12/2011", "Sabado 31 de Diciembre del año 2011"},
      {"no es fecha", "15/06/2026"},
      {"", "15/06/2026"},
  };
  for (const Caso& c : casos) EXPECT_EQ(FechaLarga(c.texto), QString::fromUtf8(c.larga)) << c.texto;
}

TEST_F(FechaTest, DiasDesde1980) {
  struct Caso { const char* texto; int dias; };
  const Caso casos[] = {
      {"01/01/1980", 1}, {"28/02/1984", 1519}, {"01/03/1984", 1523}, {"01/03/1983", 1156}, {"", 0},
      {"31/01/2027", 17197}, {"01/02/2027", 17197},  // 30-day months: the 31st and the 1st meet
      {"31/12/1979", -4},
  };
  for (const Caso& c : casos) EXPECT_EQ(DiasDesde1980(c.texto), c.dias) << c.texto;
  EXPECT_THROW(DiasDesde1980("31/02/2027"), plat::Error);
}

TEST_F(FechaTest, NombresDeMesesYDias) {
  struct Caso { int numero; const char* mes; const char* enLetra; const char* dia; };
  const Caso casos[] = {
      {1, "Enero", "Enero", "domingo"},        {2, "Febrero", "Febrero", "lunes"},
      {4, "Abril", "Abril", "miercoles"},      {7, "Julio", "julio", "sabado"},
      {9, "Septiembre", "Septiembre", "sin tocar"}, {12, "Diciembre", "Diciembre", "sin tocar"},
      {0, "sin tocar", "sin tocar", "sin tocar"},   {13, "sin tocar", "sin tocar", "sin tocar"},
  };
  for (const Caso& c : casos) {
    QString mes = "sin tocar", enLetra = "sin tocar", dia = "sin tocar";
    NombreMes(c.numero, mes);
    MesEnLetra(c.numero, enLetra);
    NombreDia(c.numero, dia);
    EXPECT_EQ(mes, c.mes) << c.numero;
    EXPECT_EQ(enLetra, c.enLetra) << c.numero;
    EXPECT_EQ(dia, c.dia) << c.numero;
  }
}

// The stamp is the day number plus the time of day in ten-thousandths of a
// day; a half goes to the even stamp.
TEST_F(FechaTest, SelloFecha) {
  const QDate viernes(2010, 3, 5), sabado(2010, 3, 6);  // day numbers 40242 and 40243
  ASSERT_EQ(NumeroDeFecha(viernes), 40242);
  struct Caso { QDate fecha; QTime hora; int sello; };
  const Caso casos[] = {
      {viernes, QTime(0, 0), 40242},
      {viernes, QTime(0, 0, 4, 319), 40242},
      {viernes, QTime(0, 0, 4, 320), 40242},  // 40242.5 -> even
      {sabado, QTime(0, 0, 4, 320), 40244},   // 40243.5 -> even
      {viernes, QTime(0, 0, 4, 321), 40243},
      {viernes, QTime(0, 0, 12, 960), 40244},  // 40243.5 -> even
      {viernes, QTime(12, 0), 45242},
      {viernes, QTime(23, 59, 59, 999), 50242},
  };
  for (const Caso& c : casos) {
    fs::FijaAhora(QDateTime(QDate(2026, 1, 1), c.hora));
    EXPECT_EQ(SelloFecha(c.fecha), c.sello) << c.hora.toString("HH:mm:ss.zzz").toStdString();
  }
}

TEST_F(FechaTest, HoraYFormatosRegionales) {
  EXPECT_EQ(TextoHora(QTime(9, 5, 3)), "09:05:03");
  EXPECT_EQ(TextoHora(QTime(21, 0)), "21:00:00");
  EXPECT_EQ(TextoFecha(QDate(2004, 1, 5)), "05/01/2004");

  fs::FormatosRegionales& r = fs::Regional();
  r.separadorFecha = u'-';
  r.fechaCorta = "yyyy-MM-dd";
  r.separadorMiles = u'.';
  r.separadorDecimal = u',';
  r.decimalesMoneda = 3;
  r.formatoMoneda = 3;
  r.formatoMonedaNegativa = 5;
  EXPECT_EQ(FechaSQL("05-03-2010"), "3/5/2010");
  EXPECT_EQ(TextoFecha(QDate(2004, 1, 5)), "2004-01-05");
  EXPECT_TRUE(FijaFormatosRegionales());
  EXPECT_EQ(r.separadorFecha, u'/');
  EXPECT_EQ(r.fechaCorta, "dd/MM/yyyy");
  EXPECT_EQ(r.fechaLarga, "dddd d 'de' MMMM 'de' yyyy");
  EXPECT_EQ(r.separadorMiles, u',');
  EXPECT_EQ(r.separadorDecimal, u'.');
  EXPECT_EQ(r.decimalesMoneda, 2);
  EXPECT_EQ(r.formatoMoneda, 0);
  EXPECT_EQ(r.formatoMonedaNegativa, 0);
  EXPECT_EQ(FechaSQL("05/03/2010"), "3/5/2010");
}
