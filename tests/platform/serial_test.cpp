#include "platform/Error.h"
#include "platform/serial/Puerto.h"
#include "support/Pty.h"
#include "support/RaizPrueba.h"

#include <QDir>

#include <cstring>
#include <thread>

using namespace serial;

namespace {

class PuertoTest : public RaizPrueba {
 protected:
  void SetUp() override {
    RaizPrueba::SetUp();
    ASSERT_TRUE(pty.Valido());
    qputenv("VORLAN_PUERTOS", ("COM3=" + pty.Esclavo()).toLocal8Bit());
  }
  void TearDown() override {
    qunsetenv("VORLAN_PUERTOS");
    RaizPrueba::TearDown();
  }

  prueba::ParPty pty;
};

}  // namespace

TEST_F(PuertoTest, NombresDePuerto) {
  qputenv("VORLAN_PUERTOS", "COM3=/dev/ttyUSB0; com5 = /dev/ttyACM1");
  EscribeLineas("C:\\VRL\\puertos.map", {"# puertos de esta caja", "COM4=/dev/ttyACM0", "COM5=/dev/ttyS4", "COM6=d:\\dispositivos\\bascula"});
  struct Caso {
    QString nombre;
    QString dispositivo;
  };
  for (const Caso& c : {Caso{"COM3", "/dev/ttyUSB0"}, Caso{"com4", "/dev/ttyACM0"}, Caso{"COM5", "/dev/ttyACM1"},
                        Caso{"COM6", raiz() + "/d/dispositivos/bascula"}, Caso{"COM1", "/dev/ttyS0"},
                        Caso{"com12:", "/dev/ttyS11"}, Caso{"\\\\.\\COM10", "/dev/ttyS9"}, Caso{"/dev/pts/7", "/dev/pts/7"},
                        Caso{"LPT1", ""}, Caso{"COM0", ""}, Caso{"", ""}}) {
    EXPECT_EQ(Dispositivo(c.nombre), c.dispositivo) << c.nombre.toStdString();
  }
}

TEST_F(PuertoTest, PuertoFaltanteDaElMensajeDelSistema) {
  qputenv("VORLAN_PUERTOS", ("COM9=" + raiz() + "/no-hay-puerto").toLocal8Bit());
  Puerto puerto;
  try {
    puerto.Abre("COM9");
    FAIL() << "abrió un puerto que no existe";
  } catch (const plat::Error& e) {
    EXPECT_EQ(e.clase(), plat::Clase::NoExiste);
    EXPECT_EQ(e.mensaje(), QString::fromLocal8Bit(std::strerror(ENOENT)));
  }
  EXPECT_FALSE(puerto.Abierto());
}

TEST_F(PuertoTest, UnSoloUsuarioALaVez) {
  Puerto uno;
  uno.Abre("COM3");
  Puerto dos;
  EXPECT_THROW(dos.Abre("COM3"), plat::Error);
  uno.Cierra();
  dos.Abre("COM3");
  EXPECT_TRUE(dos.Abierto());
}

// A pseudo-terminal keeps speed and stop bits; its driver forces 8 data bits
// without parity, so those are not asked of it.
TEST_F(PuertoTest, AjustesDeLinea) {
  Puerto puerto;
  puerto.Abre("COM3");
  struct Caso {
    int baudios;
    int bits;
    Paridad paridad;
    Parada parada;
  };
  for (const Caso& c : {Caso{9600, 8, Paridad::Ninguna, Parada::Uno}, Caso{19200, 8, Paridad::Ninguna, Parada::Dos},
                        Caso{115200, 8, Paridad::Ninguna, Parada::Uno}, Caso{4800, 8, Paridad::Ninguna, Parada::Dos}}) {
    Ajustes a;
    a.baudios = c.baudios;
    a.bitsDatos = c.bits;
    a.paridad = c.paridad;
    a.parada = c.parada;
    puerto.FijaAjustes(a);
    const Ajustes leidos = puerto.LeeAjustes();
    EXPECT_EQ(leidos.baudios, c.baudios);
    EXPECT_EQ(leidos.parada, c.parada) << c.baudios;
    EXPECT_TRUE(leidos.binario);
  }
  // What the system has no way to do is refused, and the line keeps its settings.
  for (const Caso& c : {Caso{14400, 8, Paridad::Ninguna, Parada::Uno}, Caso{9600, 4, Paridad::Ninguna, Parada::Uno},
                        Caso{9600, 8, Paridad::Ninguna, Parada::UnoYMedio}}) {
    Ajustes a;
    a.baudios = c.baudios;
    a.bitsDatos = c.bits;
    a.parada = c.parada;
    EXPECT_THROW(puerto.FijaAjustes(a), plat::Error) << c.baudios << " " << c.bits;
  }
  EXPECT_EQ(puerto.LeeAjustes().baudios, 4800);
  EXPECT_EQ(puerto.LeeAjustes().parada, Parada::Dos);
}

TEST_F(PuertoTest, EsperaLeeEscribeYPurga) {
  Puerto puerto;
  puerto.Abre("COM3");
  puerto.FijaAjustes(Ajustes{});
  puerto.FijaMascara(EvRxChar | EvErr);
  Senal parada;

  pty.Escribe("1.250\r\n");
  Espera e = puerto.EsperaEvento(parada);
  EXPECT_FALSE(e.despertada);
  EXPECT_EQ(e.eventos, uint32_t(EvRxChar));
  EXPECT_EQ(puerto.LimpiaErrores().enEntrada, 7);
  EXPECT_EQ(puerto.Lee(100), QByteArray("1.250\r\n"));
  EXPECT_EQ(puerto.EnEspera(), 0);

  puerto.Escribe("P\r\n");
  EXPECT_EQ(pty.Lee(3), QByteArray("P\r\n"));

  pty.Escribe("basura");
  ASSERT_EQ(puerto.EsperaEvento(parada).eventos, uint32_t(EvRxChar));
  puerto.Purga(PurgeRxAbort | PurgeRxClear);
  EXPECT_EQ(puerto.EnEspera(), 0);

  // Bytes the mask does not ask for do not end the wait; the wake-up does.
  puerto.FijaMascara(EvErr);
  pty.Escribe("x");
  std::thread despierta([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    parada.Activa();
  });
  e = puerto.EsperaEvento(parada);
  despierta.join();
  EXPECT_TRUE(e.despertada);
  EXPECT_EQ(e.eventos, 0u);
  // Manual reset: it stays signalled until rearmed.
  EXPECT_TRUE(puerto.EsperaEvento(parada).despertada);
  parada.Rearma();
  EXPECT_FALSE(parada.Activada());
}

TEST_F(PuertoTest, ElOtroExtremoCuelga) {
  Puerto puerto;
  puerto.Abre("COM3");
  puerto.FijaAjustes(Ajustes{});
  puerto.FijaMascara(EvRxChar | EvErr);
  Senal parada;
  pty.Cierra();
  EXPECT_EQ(puerto.EsperaEvento(parada).eventos, uint32_t(EvErr));
  // Reported once; afterwards only the wake-up ends the wait.
  std::thread despierta([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    parada.Activa();
  });
  EXPECT_TRUE(puerto.EsperaEvento(parada).despertada);
  despierta.join();
}

TEST_F(PuertoTest, UnPseudoterminalNoTieneLineasDeModem) {
  Puerto puerto;
  puerto.Abre("COM3");
  EXPECT_EQ(puerto.EstadoModem(), 0u);
  EXPECT_FALSE(puerto.Ejecuta(Escape::ClrDtr));
  EXPECT_FALSE(puerto.Ejecuta(Escape::SetRts));
}

TEST(EventosDeModem, CambiosDeLinea) {
  struct Caso {
    uint32_t antes, ahora, mascara, eventos;
  };
  const uint32_t todas = EvCts | EvDsr | EvRlsd | EvRing | EvErr | EvRxChar;
  for (const Caso& c : {Caso{0, MsCtsOn, todas, EvCts}, Caso{MsCtsOn | MsDsrOn, MsCtsOn, todas, EvDsr},
                        Caso{0, MsRingOn | MsRlsdOn, todas, EvRing | EvRlsd}, Caso{MsRlsdOn, MsRlsdOn, todas, 0},
                        Caso{0, MsCtsOn | MsDsrOn, EvDsr, EvDsr}}) {
    EXPECT_EQ(EventosDeModem(c.antes, c.ahora, c.mascara), c.eventos) << c.antes << " " << c.ahora;
  }
}
