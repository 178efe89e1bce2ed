#include "foundation/ComPort.h"
#include "platform/serial/Puerto.h"
#include "support/Pty.h"
#include "support/RaizPrueba.h"

#include <QCoreApplication>
#include <QDir>
#include <QTest>
#include <QThread>

#include <cstring>
#include <termios.h>

namespace {

// Threads of this process, to see the event thread come and go.
int Hilos() { return static_cast<int>(QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot).size()); }

class ComPortTest : public RaizPrueba {
 protected:
  void SetUp() override {
    RaizPrueba::SetUp();
    ASSERT_TRUE(pty.Valido());
    qputenv("VORLAN_PUERTOS", ("COM3=" + pty.Esclavo()).toLocal8Bit());
    puerto.SetPort("COM3");
    puerto.OnPortOpen = [this](QObject* s) {
      EXPECT_EQ(s, &puerto);
      ++abiertos;
    };
    puerto.OnPortClose = [this](QObject* s) {
      EXPECT_EQ(s, &puerto);
      ++cerrados;
    };
    puerto.ReceiveCallBack = [this](const QString& datos) {
      EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread());
      recibido << datos;
    };
  }
  void TearDown() override {
    puerto.ClosePort();
    qunsetenv("VORLAN_PUERTOS");
    RaizPrueba::TearDown();
  }

  bool Recibe(qsizetype cuantos) {
    return QTest::qWaitFor([&] { return recibido.size() >= cuantos; }, 2000);
  }

  prueba::ParPty pty;
  TComPort puerto;
  int abiertos = 0;
  int cerrados = 0;
  QStringList recibido;
};

const QString kIlegal = "Illegal terminator string.\rformat : #<asciicode>#<asciicode>#<...>\rexample: #13#10";

}  // namespace

TEST(ComPortTerminador, LecturaYErrores) {
  TComPort puerto;
  EXPECT_EQ(puerto.Terminator(), "#13#10");
  struct Caso {
    QString texto;
    QString error;  // empty when accepted
    QString queda;
  };
  for (const Caso& c : {Caso{"#13", "", "#13"}, Caso{"#27#64#13", "", "#27#64#13"}, Caso{"#13#", "", "#13"},
                        Caso{"#13#x", kIlegal, "#13#10"}, Caso{"#a", kIlegal, "#13#10"}, Caso{"##13", kIlegal, "#13#10"},
                        Caso{"", "Terminator string cannot be empty!", "#13#10"},
                        Caso{"#", "Terminator string cannot be empty!", "#13#10"}}) {
    puerto.SetTerminator("#3");
    try {
      puerto.SetTerminator(c.texto);
      EXPECT_TRUE(c.error.isEmpty()) << c.texto.toStdString();
    } catch (const EComError& e) {
      EXPECT_EQ(e.mensaje(), c.error) << c.texto.toStdString();
    }
    EXPECT_EQ(puerto.Terminator(), c.queda) << c.texto.toStdString();
  }
}

TEST_F(ComPortTest, AbreEscribeYRecibeEnElHiloPrincipal) {
  puerto.SetReceiveMode(rmRAW);
  puerto.SetBaud(4800);
  puerto.SetStopBits(snTWO);
  puerto.WriteText("antes de abrir");
  puerto.OpenPort();
  puerto.OpenPort();
  EXPECT_EQ(abiertos, 1);
  EXPECT_TRUE(pty.Lee(1, 100).isEmpty()) << "escribir con el puerto cerrado no envía nada";

  termios t{};
  ASSERT_EQ(::tcgetattr(pty.Maestro(), &t), 0);
  EXPECT_EQ(::cfgetospeed(&t), speed_t(B4800));
  EXPECT_TRUE(t.c_cflag & CSTOPB);

  puerto.WriteText("P\r\n");
  EXPECT_EQ(pty.Lee(3), QByteArray("P\r\n"));
  pty.Escribe("01.25 kg\xf1");
  ASSERT_TRUE(Recibe(1));
  EXPECT_EQ(recibido, QStringList{QString::fromUtf8("01.25 kgñ")});
}

TEST_F(ComPortTest, RespuestaDeLaBasculaEnDosTrozos) {
  struct Caso {
    TReceiveMode modo;
    QStringList tras1, tras2;
  };
  for (const Caso& c : {Caso{rmRAW, {"1.2"}, {"1.2", "50\r\n"}}, Caso{rmTERM, {}, {"1.250\r\n"}}}) {
    recibido.clear();
    puerto.SetReceiveMode(c.modo);
    puerto.OpenPort();
    pty.Escribe("1.2");
    if (c.tras1.isEmpty()) QTest::qWait(150);
    else ASSERT_TRUE(Recibe(c.tras1.size()));
    EXPECT_EQ(recibido, c.tras1) << c.modo;
    pty.Escribe("50\r\n");
    ASSERT_TRUE(Recibe(c.tras2.size()));
    EXPECT_EQ(recibido, c.tras2) << c.modo;
    puerto.ClosePort();
  }
}

TEST_F(ComPortTest, DosLecturasEnUnBloqueSalenUnaPorEvento) {
  puerto.SetTerminator("#13#10");
  puerto.OpenPort();
  pty.Escribe("1.250\r\n2.000\r\n");
  ASSERT_TRUE(Recibe(1));
  QTest::qWait(150);
  EXPECT_EQ(recibido, QStringList{"1.250\r\n"});
  pty.Escribe("3");
  ASSERT_TRUE(Recibe(2));
  EXPECT_EQ(recibido, (QStringList{"1.250\r\n", "2.000\r\n"}));
}

TEST_F(ComPortTest, PuertoQueNoExiste) {
  qputenv("VORLAN_PUERTOS", ("COM9=" + raiz() + "/no-hay-bascula").toLocal8Bit());
  puerto.SetPort("COM9");
  try {
    puerto.OpenPort();
    FAIL() << "abrió un puerto que no existe";
  } catch (const EComError& e) {
    EXPECT_EQ(e.mensaje(), "TCOMPORT : cannot open COM9\r" + QString::fromLocal8Bit(std::strerror(ENOENT)));
  }
  EXPECT_EQ(abiertos, 0);
  puerto.WriteText("P\r\n");
  puerto.ClosePort();
  EXPECT_EQ(cerrados, 0);
}

TEST_F(ComPortTest, CerrarTerminaElHilo) {
  const int antes = Hilos();
  puerto.OpenPort();
  EXPECT_EQ(Hilos(), antes + 1);
  pty.Escribe("sin leer");
  puerto.ClosePort();
  puerto.ClosePort();
  EXPECT_EQ(cerrados, 1);
  EXPECT_TRUE(QTest::qWaitFor([&] { return Hilos() == antes; }, 1000));
  // The port is free again for another component.
  TComPort otro;
  otro.SetPort("COM3");
  EXPECT_NO_THROW(otro.OpenPort());
}

TEST_F(ComPortTest, DestruirCierraElPuerto) {
  const int antes = Hilos();
  auto otro = std::make_unique<TComPort>();
  otro->SetPort("COM3");
  int cierres = 0;
  otro->OnPortClose = [&](QObject*) { ++cierres; };
  otro->OpenPort();
  otro.reset();
  EXPECT_EQ(cierres, 1);
  EXPECT_TRUE(QTest::qWaitFor([&] { return Hilos() == antes; }, 1000));
  EXPECT_NO_THROW(puerto.OpenPort());
}

TEST_F(ComPortTest, CerrarDesdeLaPropiaLlamada) {
  const int antes = Hilos();
  puerto.SetReceiveMode(rmRAW);
  puerto.ReceiveCallBack = [this](const QString& datos) {
    recibido << datos;
    puerto.ClosePort();
  };
  puerto.OpenPort();
  pty.Escribe("1.250");
  ASSERT_TRUE(Recibe(1));
  EXPECT_EQ(cerrados, 1);
  EXPECT_TRUE(QTest::qWaitFor([&] { return Hilos() == antes; }, 1000)) << "el hilo no terminó";
  pty.Escribe("más");
  QTest::qWait(50);
  EXPECT_EQ(recibido.size(), 1);
}

TEST_F(ComPortTest, UnErrorEnLaLlamadaSeMuestraYLaLecturaSigue) {
  puerto.SetReceiveMode(rmRAW);
  puerto.ReceiveCallBack = [this](const QString& datos) {
    recibido << datos;
    if (recibido.size() == 1) throw EComError("Peso ilegible");
  };
  puerto.OpenPort();
  pty.Escribe("??");
  ASSERT_TRUE(Recibe(1));
  pty.Escribe("1.250");
  ASSERT_TRUE(Recibe(2));
  EXPECT_EQ(Mensajes(), QStringList{"Peso ilegible"});
}

TEST_F(ComPortTest, ElDispositivoSeDesconecta) {
  int errores = 0;
  puerto.OnError = [&](QObject* s) {
    EXPECT_EQ(s, &puerto);
    ++errores;
  };
  puerto.OpenPort();
  pty.Cierra();
  EXPECT_TRUE(QTest::qWaitFor([&] { return errores == 1; }, 2000));
  QTest::qWait(50);
  EXPECT_EQ(errores, 1);
}

namespace {

// Exposes the status handling, which only a real modem line can drive.
class ComPortLineas : public TComPort {
 public:
  using TComPort::CambiaEstado;
};

}  // namespace

TEST(ComPortLineas, CambiosDeLineaYErrores) {
  ComPortLineas puerto;
  QStringList vistos;
  auto anota = [&](const char* linea) { return [&vistos, linea](bool apagada) { vistos << QString("%1=%2").arg(linea).arg(apagada); }; };
  puerto.CambiaEstado(serial::EvCts | serial::EvErr, 0);  // nothing assigned: nothing happens
  puerto.OnCTSChanged = anota("CTS");
  puerto.OnDSRChanged = anota("DSR");
  puerto.OnRLSDChanged = anota("RLSD");
  puerto.OnRingChanged = anota("RING");
  puerto.OnError = [&](QObject* s) { vistos << (s == &puerto ? "error" : "error de otro"); };
  struct Caso {
    uint32_t mascara, modem;
    QStringList eventos;
  };
  for (const Caso& c : {Caso{serial::EvCts, 0, {"CTS=1"}}, Caso{serial::EvCts, serial::MsCtsOn, {"CTS=0"}},
                        Caso{serial::EvDsr | serial::EvRlsd, serial::MsRlsdOn, {"DSR=1", "RLSD=0"}},
                        Caso{serial::EvRing, serial::MsRingOn, {"RING=0"}}, Caso{serial::EvErr, 0, {"error"}},
                        Caso{serial::EvBreak, 0, {}}}) {
    vistos.clear();
    puerto.CambiaEstado(c.mascara, c.modem);
    EXPECT_EQ(vistos, c.eventos) << c.mascara;
  }
}
