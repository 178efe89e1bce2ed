#include "platform/Error.h"
#include "platform/fs/Rutas.h"
#include "platform/process/Procesos.h"
#include "support/LanzadorGrabador.h"
#include "support/RaizPrueba.h"

#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

namespace {

class ProcesosTest : public RaizPrueba {
 protected:
  void TearDown() override {
    qunsetenv("VORLAN_PROGRAMAS");
    RaizPrueba::TearDown();
  }
  static void Mapa(const QByteArray& entradas) { qputenv("VORLAN_PROGRAMAS", entradas); }
  QString Local(const QString& ruta) const { return fs::Local(ruta); }
};

}  // namespace

TEST_F(ProcesosTest, LineasDeOrdenWindows) {
  Mapa("calc.exe=gnome-calculator;notepad.exe=mousepad --new-window;EXCEL.EXE=libreoffice --calc");
  EscribeLineas("C:\\VRL\\programas.map", {"; programas de esta caja", "pkzip.exe=zip -r", "Plenvik.exe=\"C:\\VRL\\Plenvik\\plenvik\""});
  const QString sh = QStandardPaths::findExecutable("sh");
  struct Caso {
    QString linea;
    proc::Orden orden;
  };
  for (const Caso& c : {
           Caso{"calc.exe", {"gnome-calculator", {}, {}}},
           Caso{"CALC.EXE", {"gnome-calculator", {}, {}}},
           Caso{"notepad.exe c:\\VRL\\tempo\\ajustar.txt", {"mousepad", {"--new-window", Local("c:\\VRL\\tempo\\ajustar.txt")}, {}}},
           Caso{"C:\\Archivos de programa\\Microsoft Office\\Office\\EXCEL.EXE \"C:\\VRL\\tempo\\mi libro.xls\"",
                {"libreoffice", {"--calc", Local("C:\\VRL\\tempo\\mi libro.xls")}, {}}},
           Caso{"pkzip D:\\RESPALDO\\prue.zip C:\\VRL\\DATOS\\*.*",
                {"zip", {"-r", Local("D:\\RESPALDO\\prue.zip"), Local("C:\\VRL\\DATOS\\*.*")}, {}}},
           Caso{"\"C:\\VRL\\Plenvik\\Plenvik.exe\"", {Local("C:\\VRL\\Plenvik\\plenvik"), {}, {}}},
           Caso{"sh -c \"exit 3\"", {sh, {"-c", "exit 3"}, {}}},
       }) {
    EXPECT_EQ(proc::Traduce(c.linea), c.orden) << c.linea.toStdString();
  }
  EXPECT_EQ(proc::Traduce("calc.exe", "C:\\VRL").carpeta, Local("C:\\VRL"));
}

TEST_F(ProcesosTest, ProgramaWindowsSinEquivalenteFaltaComoUnoQueNoExiste) {
  prueba::LanzadorGrabador lanzador;
  for (const QString& linea : {QString("calc.exe"), QString("c:\\VRL\\GUNDEL.exe"), QString("notepad c:\\VRL\\x.txt"),
                               QString("programa-que-no-existe-en-linux")}) {
    const proc::Resultado r = proc::Ejecuta(linea);
    EXPECT_FALSE(r) << linea.toStdString();
    EXPECT_TRUE(r.error.startsWith("No se encontró el programa ")) << r.error.toStdString();
    try {
      proc::Traduce(linea);
      ADD_FAILURE() << linea.toStdString();
    } catch (const plat::Error& e) {
      EXPECT_EQ(e.clase(), plat::Clase::NoExiste);
    }
  }
  EXPECT_EQ(proc::Ejecuta("calc.exe").error, "No se encontró el programa calc.exe");
  EXPECT_TRUE(lanzador.iniciados.isEmpty());

  Mapa("calc.exe=gnome-calculator");
  EXPECT_TRUE(proc::Ejecuta("calc.exe"));
  ASSERT_EQ(lanzador.iniciados.size(), 1);
  EXPECT_EQ(lanzador.iniciados[0].programa, "gnome-calculator");
}

TEST_F(ProcesosTest, EsperaAtendiendoMensajes) {
  Mapa("Transfer.exe=transferir --todo");
  prueba::LanzadorGrabador lanzador;
  lanzador.duracionMs = 40;
  lanzador.codigoSalida = 4;
  bool atendido = false;
  QTimer::singleShot(0, [&] { atendido = true; });
  QElapsedTimer reloj;
  reloj.start();
  const proc::Resultado r = proc::EjecutaYEspera("C:\\Archivos de programa\\Colector\\Transfer.exe", "C:\\VRL");
  EXPECT_TRUE(r);
  EXPECT_EQ(r.codigoSalida, 4);
  EXPECT_TRUE(atendido) << "los mensajes de las ventanas no se atendieron durante la espera";
  EXPECT_LT(reloj.elapsed(), 900) << "el fin del programa debe terminar la espera";
  ASSERT_EQ(lanzador.iniciados.size(), 1);
  EXPECT_EQ(lanzador.iniciados[0], (proc::Orden{"transferir", {"--todo"}, Local("C:\\VRL")}));

  // A program that cannot start ends the wait at once.
  lanzador.faltantes << "transferir";
  const proc::Resultado falta = proc::EjecutaYEspera("Transfer.exe");
  EXPECT_FALSE(falta);
  EXPECT_EQ(falta.error, "No se encontró el programa transferir");
}

TEST_F(ProcesosTest, CierraLaVentanaDeUnProgramaIniciado) {
  Mapa("GUNDEL.exe=etiquetas;Tolvrin.exe=vorlan-espera");
  prueba::LanzadorGrabador lanzador;
  ASSERT_TRUE(proc::Ejecuta("C:\\VRL\\GUNDEL.exe"));
  ASSERT_TRUE(proc::Ejecuta("C:\\VRL\\Tolvrin.exe"));
  EXPECT_FALSE(proc::CierraVentana("Monitor Vorlan"));
  EXPECT_TRUE(proc::CierraVentana("gundel"));
  ASSERT_EQ(lanzador.cerrados.size(), 1);
  EXPECT_EQ(lanzador.cerrados[0].programa, "etiquetas");
  EXPECT_FALSE(proc::CierraVentana("GUNDEL")) << "ya se cerró";
  EXPECT_TRUE(proc::CierraVentana("Tolvrin"));
  EXPECT_EQ(lanzador.cerrados.size(), 2);
}

TEST_F(ProcesosTest, AbreDocumentosConElProgramaDelEscritorio) {
  prueba::LanzadorGrabador lanzador;
  EXPECT_TRUE(proc::AbreDocumento("C:\\VRL\\ayuda\\principal.mht"));
  EXPECT_TRUE(proc::AbreDocumento("https://example.com/manual"));
  Mapa("xdg-open=gio open");
  EXPECT_TRUE(proc::AbreDocumento("mailto:soporte@example.com"));
  ASSERT_EQ(lanzador.iniciados.size(), 3);
  EXPECT_EQ(lanzador.iniciados[0], (proc::Orden{"xdg-open", {Local("C:\\VRL\\ayuda\\principal.mht")}, {}}));
  EXPECT_EQ(lanzador.iniciados[1], (proc::Orden{"xdg-open", {"https://example.com/manual"}, {}}));
  EXPECT_EQ(lanzador.iniciados[2], (proc::Orden{"gio", {"open", "mailto:soporte@example.com"}, {}}));
}

// The system's launcher, with real programs.
TEST_F(ProcesosTest, ProgramasDeVerdad) {
  Mapa("calc.exe=sh -c \"exit 7\";GUNDEL.exe=sleep 30");
  const proc::Resultado r = proc::EjecutaYEspera("calc.exe");
  EXPECT_TRUE(r) << r.error.toStdString();
  EXPECT_EQ(r.codigoSalida, 7);

  ASSERT_TRUE(proc::Ejecuta("c:\\VRL\\GUNDEL.exe"));
  EXPECT_TRUE(proc::CierraVentana("GUNDEL"));
  EXPECT_TRUE(QTest::qWaitFor([] { return !proc::CierraVentana("GUNDEL"); }, 3000)) << "el programa no terminó";

  const proc::Resultado falta = proc::Ejecuta("/no/existe/programa");
  EXPECT_FALSE(falta);
  EXPECT_FALSE(proc::EjecutaYEspera("calc.exe", "C:\\carpeta-que-no-existe"));
}
