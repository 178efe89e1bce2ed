#include "formats/CarpetaFormato.h"
#include "formats/PaginaPrevia.h"
#include "platform/Error.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "support/RaizPrueba.h"

namespace {

class PaginaPreviaTest : public RaizPrueba {
 protected:
  void SetUp() override {
    RaizPrueba::SetUp();
    CarpetaProgramaFormato = QStringLiteral("C:\\VRL");
    CreaArchivosPrevia();
  }
  void TearDown() override {
    CarpetaProgramaFormato.clear();
    RaizPrueba::TearDown();
  }
};

// A record as the bytes stand: a short string is its length and its bytes.
QByteArray Cadena(const QByteArray& texto, int ancho) {
  QByteArray b(1, static_cast<char>(texto.size()));
  b += texto;
  return b + QByteArray(ancho - b.size(), '\0');
}

}  // namespace

TEST_F(PaginaPreviaTest, CuadroEnElArchivoYEnRemoto) {
  // The box of the line cuadro(10,5,30,9,2,clRed).
  AgregaElementoPagina(10, kElementoCuadro, 1, 5, "30", "9", "2", "clRed");
  RegistraElementoRemoto(10, 5, kElementoCuadro, "30", "9", "2", "clRed", "");

  QByteArray esperado;
  esperado += QByteArray::fromHex("840000000020");  // X 10
  esperado += QByteArray::fromHex("830000000020");  // Y 5
  esperado += Cadena("30", 151);
  esperado += QByteArray(1, '\0');
  esperado += QByteArray::fromHex("feffffff");      // Tipo -2
  esperado += Cadena("2", 51);
  esperado += Cadena("clRed", 9);
  esperado += Cadena("9", 26);
  esperado += QByteArray(26, '\0');
  esperado += QByteArray::fromHex("01000000");      // page 1
  ASSERT_EQ(esperado.size(), kTamanoElementoPagina);
  EXPECT_EQ(fs::LeeBytes("C:\\VRL\\tempo\\format.tmp"), esperado);
  EXPECT_EQ(fs::LeeLineas("C:\\VRL\\tempo\\remoto.tmp"), QStringList{"10,5,-2,30,9,2,clRed,,1"});

  // A line drawn on page 2 is kept with page 2; the side file keeps page 1,
  // as outside programs have always read it.
  AgregaElementoPagina(0, kElementoLinea, 2, 7.5, "80", "7.5", "1", "");
  RegistraElementoRemoto(0, 7.5, kElementoLinea, "80", "7.5", "1", "", "Total");
  EXPECT_EQ(LeeElementosPagina().at(1).NumeroPagina, 2);
  EXPECT_EQ(fs::LeeLineas("C:\\VRL\\tempo\\remoto.tmp").value(1), "0,7,-3,80,7.5,1,,Total,1");
}

TEST_F(PaginaPreviaTest, RegistrosDeVuelta) {
  TElementoPagina centrado;
  centrado.X = kColumnaCentrada;
  centrado.Y = 3.5;
  centrado.Texto = QStringLiteral("Año ") + QString(200, u'x');
  centrado.Tipo = 9;
  centrado.Fuente = QString(60, u'f');
  centrado.Color = QStringLiteral("amarillos");
  centrado.Extra = QStringLiteral("###,###,###,###,###,##0.00");
  centrado.NumeroPagina = 3;
  AgregaRegistroPagina(centrado);
  AgregaElementoPagina(0, kElementoLinea, 1, 12.25, "80", "12.25", "1", "");

  const std::vector<TElementoPagina> leidos = LeeElementosPagina();
  ASSERT_EQ(leidos.size(), 2u);
  const TElementoPagina& t = leidos[0];
  EXPECT_EQ(t.X, -1000);
  EXPECT_EQ(t.Y, 3.5);
  EXPECT_EQ(t.Texto, centrado.Texto.left(150));
  EXPECT_EQ(t.Tipo, 9);
  EXPECT_EQ(t.Fuente, QString(50, u'f'));
  EXPECT_EQ(t.Color, "amarillo");
  EXPECT_EQ(t.Extra, "###,###,###,###,###,##0.0");
  EXPECT_EQ(leidos[1].Tipo, kElementoLinea);
  EXPECT_EQ(leidos[1].Extra, "12.25");
  EXPECT_EQ(CuentaPaginasPrevia(leidos), 3);
}

TEST_F(PaginaPreviaTest, PaginasDeUnArchivoVacioOFaltante) {
  EXPECT_EQ(fs::LeeBytes("C:\\VRL\\tempo\\format.tmp").size(), 0);
  EXPECT_EQ(CuentaPaginasPrevia(LeeElementosPagina()), 0);
  fs::BorraArchivo("C:\\VRL\\tempo\\format.tmp");
  EXPECT_TRUE(LeeElementosPagina().empty());
  // Writers need the file a preview run created.
  try {
    AgregaElementoPagina(1, kElementoCuadro, 1, 1, "2", "2", "1", "");
    ADD_FAILURE() << "se escribió sin archivo de vista previa";
  } catch (const plat::Error& e) {
    EXPECT_EQ(e.clase(), plat::Clase::NoExiste);
  }
  EXPECT_FALSE(fs::Existe("C:\\VRL\\tempo\\format.tmp"));
}

TEST_F(PaginaPreviaTest, UnArchivoCortadoSeReporta) {
  TElementoPagina e;
  e.NumeroPagina = 1;
  AgregaRegistroPagina(e);
  const QByteArray completo = fs::LeeBytes("C:\\VRL\\tempo\\format.tmp");
  EscribeBytes("C:\\VRL\\tempo\\format.tmp", completo + completo.left(100));
  EXPECT_THROW(LeeElementosPagina(), plat::Error);
  // The next record goes after the last whole one.
  e.NumeroPagina = 2;
  AgregaRegistroPagina(e);
  const std::vector<TElementoPagina> leidos = LeeElementosPagina();
  ASSERT_EQ(leidos.size(), 2u);
  EXPECT_EQ(leidos[1].NumeroPagina, 2);
}

TEST_F(PaginaPreviaTest, UnaCorridaNuevaEmpiezaVaciaAunSinCarpetaTempo) {
  AgregaElementoPagina(1, kElementoCuadro, 1, 1, "2", "2", "1", "");
  RegistraElementoRemoto(1, 1, kElementoCuadro, "2", "2", "1", "", "");
  CreaArchivosPrevia();
  EXPECT_TRUE(LeeElementosPagina().empty());
  EXPECT_TRUE(fs::LeeLineas("C:\\VRL\\tempo\\remoto.tmp").isEmpty());

  CarpetaProgramaFormato = QStringLiteral("C:\\OTRO");
  CreaArchivosPrevia();
  EXPECT_TRUE(fs::ExisteArchivo("C:\\OTRO\\tempo\\format.tmp"));
  EXPECT_TRUE(fs::ExisteArchivo("C:\\OTRO\\tempo\\remoto.tmp"));
}

TEST(TextoNumeroTest, FormasDeLosNumeros) {
  struct Caso { double valor; const char* texto; };
  const Caso casos[] = {{12, "12"},     {12.5, "12.5"}, {-3, "-3"},      {0.1, "0.1"},
                        {1e15, "1E15"}, {1e-5, "1E-5"}, {0.0001, "0.0001"}, {123456789012345.0, "123456789012345"}};
  for (const Caso& c : casos) EXPECT_EQ(TextoNumero(c.valor), c.texto) << c.valor;
  EXPECT_EQ(TextoEntero(12.9), "12");
  EXPECT_EQ(TextoEntero(-12.9), "-12");
}
