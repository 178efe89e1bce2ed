#include "foundation/rutinas.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "support/RaizPrueba.h"

namespace {

class ConfiguracionTest : public RaizPrueba {
 protected:
  void SetUp() override {
    RaizPrueba::SetUp();
    EscribeLineas(kArchivoInicio, {"C:\\VRL", "C:\\VRL\\Gener1.cnf", ""});
  }
};

const QString kInicioFaltante = QStringLiteral("El Archivo de Inicio No Existe Revise su configuración");

}  // namespace

TEST_F(ConfiguracionTest, LineasDeUnArchivoDeCinco) {
  EscribeLineas("C:\\VRL\\Gener1.cnf", {"SI", "NO", "x", "y", "linea cinco"});
  struct Caso { int n; QString esperado; };
  for (const Caso& c : {Caso{5, "linea cinco"}, Caso{7, ""}, Caso{0, ""}, Caso{1, "SI"}}) {
    QString salida = "sin tocar";
    LeeLineaConfig(c.n, salida);
    EXPECT_EQ(salida, c.esperado) << c.n;
  }
  EXPECT_TRUE(Mensajes().isEmpty());
}

TEST_F(ConfiguracionTest, ElArchivoSeTomaSiempreDeLaCarpetaDelPrograma) {
  EscribeLineas(kArchivoInicio, {"C:\\VRL", "D:\\OTRA\\Gener2.cnf", ""});
  EscribeLineas("C:\\VRL\\Gener2.cnf", {"uno", "dos"});
  EscribeLineas("D:\\OTRA\\Gener2.cnf", {"otro", "otro"});
  QString salida;
  LeeLineaConfig(2, salida);
  EXPECT_EQ(salida, "dos");
  QString ruta;
  ArchivoConfiguracion(ruta);
  EXPECT_EQ(ruta, "C:\\VRL\\Gener2.cnf");
  EXPECT_EQ(CarpetaProgramaRutinas, "C:\\VRL");
}

TEST_F(ConfiguracionTest, ArchivoDeInicioDeUnaLinea) {
  EscribeLineas(kArchivoInicio, {"C:\\VRL"});
  QString salida = "sin tocar";
  LeeLineaConfig(1, salida);
  EXPECT_EQ(salida, "sin tocar");
  EXPECT_EQ(Mensajes(), QStringList{"El Archivo C:\\VRL\\ No Existe"});
}

TEST_F(ConfiguracionTest, SinArchivoDeInicio) {
  fs::BorraArchivo(kArchivoInicio);
  QString salida = "sin tocar";
  LeeLineaConfig(3, salida);
  EXPECT_EQ(salida, "sin tocar");
  EXPECT_EQ(Mensajes(), (QStringList{kInicioFaltante, kInicioFaltante, "El Archivo  No Existe"}));
}

TEST_F(ConfiguracionTest, ArchivoDeConfiguracionFaltante) {
  QString salida = "sin tocar";
  LeeLineaConfig(8, salida);
  EXPECT_EQ(salida, "sin tocar");
  EXPECT_EQ(Mensajes(), QStringList{"El Archivo C:\\VRL\\Gener1.cnf No Existe"});
}

TEST_F(ConfiguracionTest, ArchivoConNombreEnLaCarpetaDelPrograma) {
  QString carpeta;
  CarpetaLocal(carpeta);
  EscribeLineas("C:\\VRL\\Rapida.cnf", {"S"});
  QString salida;
  LeeLineaArchivo(1, "rapida.cnf", salida);
  EXPECT_EQ(salida, "S");
  salida = "sin tocar";
  LeeLineaArchivo(1, "falta.cnf", salida);
  EXPECT_EQ(salida, "sin tocar");
  EXPECT_EQ(Mensajes(), QStringList{"El Archivo falta.cnf No Existe"});
}

TEST_F(ConfiguracionTest, AgregaLineaArchivo) {
  AgregaLineaArchivo(false, "C:\\VRL\\Bitacora\\I-1.bit", "nada");
  EXPECT_FALSE(fs::Existe("C:\\VRL\\Bitacora\\I-1.bit"));
  AgregaLineaArchivo(true, "C:\\VRL\\hist.bit", "uno");
  AgregaLineaArchivo(true, "C:\\VRL\\hist.bit", "dos");
  EXPECT_EQ(fs::LeeBytes("C:\\VRL\\hist.bit"), QByteArray("uno\r\ndos\r\n"));
  AgregaLineaArchivo(true, "C:\\VRL\\NoHay\\x.bit", "sin carpeta");  // swallowed
  EXPECT_TRUE(Mensajes().isEmpty());
}

TEST(ElementosTest, ListaSeparada) {
  struct Caso { QString texto; int n; QChar sep; QString esperado; };
  const Caso casos[] = {
      {"a,b,,d", 3, u',', ""},
      {"a,b,,d", 4, u',', "d"},
      {"a,b,,d", 5, u',', "previo"},
      {"a,b,,d", 0, u',', "previo"},
      {"a,b,,d", 1, u',', "a"},
      {"x#y", 2, u'#', "y"},
      {"", 1, u',', ""},
  };
  for (const Caso& c : casos) {
    QString salida = "previo";
    ElementoSeparado(c.texto, c.n, c.sep, salida);
    EXPECT_EQ(salida, c.esperado) << c.texto.toStdString() << " " << c.n;
  }
  QString s = "previo";
  ElementoComa("1.5,2.5", 2, s);
  EXPECT_EQ(s, "2.5");
}

TEST(ElementosTest, CarpetaProgramaYNombreDeLaComputadora) {
  EXPECT_EQ(CarpetaPrograma("\\x"), "C:\\VRL\\x");
  QString nombre;
  NombreComputadora(nombre);
  EXPECT_FALSE(nombre.isEmpty());
  EXPECT_LE(nombre.size(), 15);
}
