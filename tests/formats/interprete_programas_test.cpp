// Commands that hand work to outside programs (barcode labels, the port
// program) and the pause, with a recording launcher in place of the system's.

#include "formats/Interprete_estado.h"
#include "formats/formato_prueba.h"
#include "platform/Error.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/PuertaModal.h"
#include "support/LanzadorGrabador.h"

#include <QTimer>

namespace {

const QString kErrorFormatoProgramas = QStringLiteral("Error en el Formato Revise su Estructura");
const QByteArray kCabeceraBarras("\x1B\x28\x42\x0F\x01\x06\x02\xFE\xA2\x00\x01", 11);

class ProgramasTest : public FormatoPrueba {
 protected:
  void SetUp() override {
    FormatoPrueba::SetUp();
    EscribeLineas("C:\\VRL\\programas.map", {"imprime.exe=lp -o raw", "Brondak.exe=/opt/brondak/brondak --puerto"});
    lanzador_.duracionMs = 0;
  }

  prueba::LanzadorGrabador lanzador_;
};

}  // namespace

TEST_F(ProgramasTest, BarrasEscribeLaEtiquetaYEsperaAlPrograma) {
  fs::CreaCarpeta("C:\\barras");
  struct Caso {
    QString linea;
    QByteArray digitos;
  };
  const Caso casos[] = {
      {"barras(12345)", "000012345"},
      {"barras(1234567890)", "123456789"},
      {"barras(cldoc_f)", "000000057"},
      {"barras(A-+cldoc_f)", "00000A-57"},
  };
  for (const Caso& c : casos) {
    lanzador_.iniciados.clear();
    Corre({c.linea}, u'p');
    EXPECT_EQ(fs::LeeBytes("c:\\barras\\bar3.prn"), kCabeceraBarras + c.digitos) << c.linea.toStdString();
    EXPECT_EQ(lanzador_.iniciados,
              (QList<proc::Orden>{{"lp", {"-o", "raw", "bar3.prn"}, fs::Local("C:\\barras")}}))
        << c.linea.toStdString();
  }
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

TEST_F(ProgramasTest, MientrasEsperaLasVentanasRespondenYNoCorreOtroFormato) {
  fs::CreaCarpeta("C:\\barras");
  lanzador_.duracionMs = 300;
  QString rechazo;
  bool atendido = false;
  QTimer::singleShot(50, [&] {
    atendido = true;
    try {
      EjecutaFormato(encabezado_.get(), detalle_.get(), kArchivoFormato, u'p');
    } catch (const plat::Error& e) {
      rechazo = e.mensaje();
    }
  });
  Corre({"texto(1,1,Antes)", "barras(12345)", "texto(1,2,Despues)"}, u'p');
  EXPECT_TRUE(atendido) << "la espera atiende los mensajes de las ventanas";
  EXPECT_EQ(rechazo, "Ya se está ejecutando otro formato");
  EXPECT_EQ(PaginasPrevia(), (std::map<int, QStringList>{{1, {"Antes", "Despues"}}}));
  EXPECT_EQ(lanzador_.iniciados.size(), 1);
}

TEST_F(ProgramasTest, BarrasSinCarpetaOSinPrograma) {
  // Without c:\barras the line is reported and nothing is started.
  Corre({"barras(12345)"}, u'p');
  EXPECT_EQ(Mensajes(), (QStringList{kErrorFormatoProgramas, "Linea Afectada barras(12345)"}));
  EXPECT_TRUE(lanzador_.iniciados.isEmpty());

  // A program the map does not name is told to the user.
  ui::PuertaModal::LimpiaMensajes();
  fs::CreaCarpeta("C:\\barras");
  EscribeLineas("C:\\VRL\\programas.map", {});
  Corre({"barras(12345)"}, u'p');
  EXPECT_EQ(Mensajes(), (QStringList{"No se pudo imprimir la etiqueta de código de barras: "
                                     "No se encontró el programa C:\\barras\\imprime.exe"}));
  EXPECT_EQ(fs::LeeBytes("c:\\barras\\bar3.prn"), kCabeceraBarras + "000012345");
}

TEST_F(ProgramasTest, PuertoEscribeSuArchivoYArrancaSinEsperar) {
  lanzador_.duracionMs = -1;  // runs on after the format ends
  Corre({"impresora,laser", "puerto(cldoc_f,Báscula 1)", "texto(1,1,Sigue)"}, u'i');
  EXPECT_EQ(fs::LeeBytes("C:\\VRL\\puerto.dat"), QByteArray("57\r\nB\xE1scula 1\r\n"));
  EXPECT_EQ(lanzador_.iniciados, (QList<proc::Orden>{{"/opt/brondak/brondak", {"--puerto"}, QString()}}));
  EXPECT_EQ(Impresos().size(), 1u);

  // A port program that cannot start is not reported.
  EscribeLineas("C:\\VRL\\programas.map", {});
  Corre({"puerto(1,2)"}, u'p');
  EXPECT_EQ(fs::LeeBytes("C:\\VRL\\puerto.dat"), QByteArray("1\r\n2\r\n"));
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

TEST_F(ProgramasTest, PausaQuedaActivaParaLosSaltosDePagina) {
  Corre({"pausa(2)", "texto(1,1,Sigue)"}, u'p');
  EXPECT_TRUE(EstadoActual().PausaActiva);
  EXPECT_EQ(EstadoActual().UnidadesPausa, 2);
  EXPECT_EQ(PaginasPrevia(), (std::map<int, QStringList>{{1, {"Sigue"}}}));

  Corre({"pausa(larga)"}, u'p');
  EXPECT_EQ(Mensajes(), (QStringList{kErrorFormatoProgramas, "Linea Afectada pausa(larga)"}));
  // The units are kept from one run to the next.
  EXPECT_FALSE(EstadoActual().PausaActiva);
  EXPECT_EQ(EstadoActual().UnidadesPausa, 2);
}
