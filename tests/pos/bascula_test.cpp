// The sale screen's scale on a pseudo-terminal mapped as COM3, the cash
// drawer's empty job, the calculator's start and the currencies.

#include "foundation/ComPort.h"
#include "platform/print/Impresora.h"
#include "platform/print/Impresoras.h"
#include "support/LanzadorGrabador.h"
#include "support/Pty.h"
#include "captura_prueba.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

#include <cstring>
#include <termios.h>

namespace {

using Pantalla = TFormaCapturaRapida;

// The readings the screen kept in its hidden list.
QStringList Lecturas(Pantalla& p) {
  const QString texto = p.Memo1->toPlainText();
  return texto.isEmpty() ? QStringList() : texto.split(u'\n');
}

QColor Color(const QWidget* w) { return w->palette().color(QPalette::Window); }

void Comando(Pantalla& p, const char* nombre) {
  QAction* item = p.MainMenu1->findChild<QAction*>(QString::fromLatin1(nombre));
  ASSERT_TRUE(item && item->isEnabled()) << nombre;
  item->trigger();
}

class Bascula : public VentaPrueba {
 protected:
  void SetUp() override {
    VentaPrueba::SetUp();
    ASSERT_TRUE(pty.Valido());
    qputenv("VORLAN_PUERTOS", ("COM3=" + pty.Esclavo()).toLocal8Bit());
    // The scale's controls shown, the header skipped.
    EscribeOpciones({{1, "S"}, {14, "S"}});
    AgregaRemision(7, {});
  }
  void TearDown() override {
    qunsetenv("VORLAN_PUERTOS");
    VentaPrueba::TearDown();
  }

  // The device answers; the test waits until the screen kept one more
  // reading.
  void Responde(Pantalla& p, const QByteArray& respuesta) {
    const qsizetype antes = Lecturas(p).size();
    pty.Escribe(respuesta);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Lecturas(p).size() > antes; }, 2000)) << respuesta.constData();
  }

  prueba::ParPty pty;
};

}  // namespace

TEST(ExtraeNumero, LaCorridaInicialDePuntosDiagonalesYDigitos) {
  struct Caso {
    const char *texto, *numero;
  };
  for (const Caso& c : {Caso{"01.25 kg", "01.25"}, Caso{"12.345", "12.345"}, Caso{"1/250kg", "1/250"},
                        Caso{"kg 1.25", ""}, Caso{"", ""}, Caso{"0.5-", "0.5"}})
    EXPECT_EQ(ExtraeNumero(c.texto), c.numero) << c.texto;
}

TEST_F(Bascula, ElPesoEsLaCantidadDeLaPartidaSoloSiTieneCincoCaracteres) {
  Abre("2", [&](Pantalla& p) {
    ASSERT_TRUE(p.BotonBascula->isVisibleTo(&p));
    ASSERT_TRUE(p.BotonBascula->isEnabled());
    EXPECT_EQ(p.StaticText6->text(), "OFF Bascula");
    int aperturas = 0;
    const TNotifyEvent abre = p.ComPort1->OnPortOpen;
    p.ComPort1->OnPortOpen = [&, abre](QObject* s) {
      ++aperturas;
      abre(s);
    };

    // No document in capture: only the weight shown changes.
    p.BotonBascula->click();
    EXPECT_EQ(aperturas, 1);
    EXPECT_EQ(p.StaticText6->text(), "OK Bascula");
    EXPECT_EQ(Color(p.shPortOpen), QColor(Qt::green));
    EXPECT_EQ(pty.Lee(3), QByteArray("P\r\n"));
    termios t{};
    ASSERT_EQ(::tcgetattr(pty.Maestro(), &t), 0);
    EXPECT_EQ(::cfgetospeed(&t), speed_t(B9600));
    EXPECT_EQ(t.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_FALSE(t.c_cflag & PARENB);
    EXPECT_FALSE(t.c_cflag & CSTOPB);
    Responde(p, "01.25 kg\r\n");
    EXPECT_EQ(p.EditPeso->text(), "01.25");
    EXPECT_TRUE(p.TablaDeta->IsEmpty());

    // During a capture the weight is the current line's quantity, the line
    // left in edit; a second "Kg." sends again on the open port.
    QTest::keyClick(&p, Qt::Key_F9);
    ASSERT_EQ(ui::Tag(p.BotonNuevo), 1);
    p.BotonBascula->click();
    EXPECT_EQ(aperturas, 1);
    EXPECT_EQ(pty.Lee(3), QByteArray("P\r\n"));
    Responde(p, "01.25 kg");
    EXPECT_EQ(p.EditPeso->text(), "01.25");
    EXPECT_EQ(p.TablaDeta->State(), db::Dataset::Estado::Insertando);
    EXPECT_EQ(p.TablaDeta->FieldByName("CANTIDAD").AsString(), "1.25");
    EXPECT_EQ(p.EditCantidad->text(), "1.25");

    // An answer in two pieces is two bad readings; a run of 6 is one; a
    // chunk of line ends holds no reading.
    Responde(p, "01.");
    EXPECT_EQ(p.EditPeso->text(), "Error de Lectura");
    p.EditPeso->clear();
    Responde(p, "25");
    EXPECT_EQ(p.EditPeso->text(), "Error de Lectura");
    Responde(p, "12.345");
    EXPECT_EQ(p.EditPeso->text(), "Error de Lectura");
    pty.Escribe("\r\n");
    QTest::qWait(150);
    EXPECT_EQ(Lecturas(p), QStringList({"01.25", "01.25", "01.", "25", "12.345"}));
    EXPECT_EQ(p.TablaDeta->FieldByName("CANTIDAD").AsString(), "1.25");

    // Page Up reads the scale too.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp);
    EXPECT_EQ(pty.Lee(3), QByteArray("P\r\n"));

    p.BotonReset->click();
    EXPECT_EQ(p.StaticText6->text(), "OFF Bascula");
    EXPECT_EQ(Color(p.shPortOpen), QColor(0x80, 0x80, 0x80));
    p.BotonBascula->click();
    EXPECT_EQ(aperturas, 2);
    EXPECT_EQ(pty.Lee(3), QByteArray("P\r\n"));
  });
  EXPECT_EQ(Mensajes(), QStringList());
  // Closing the screen closed the port: another component can take it.
  TComPort otro;
  otro.SetPort("COM3");
  EXPECT_NO_THROW(otro.OpenPort());
}

TEST_F(Bascula, UnPuertoQueNoAbreSeAvisaYNoEnviaNada) {
  qputenv("VORLAN_PUERTOS", ("COM3=" + raiz() + "/no-hay-bascula").toLocal8Bit());
  Abre("2", [&](Pantalla& p) {
    Comando(p, "LeerPeso1");
    EXPECT_EQ(p.StaticText6->text(), "OFF Bascula");
    EXPECT_EQ(Color(p.shPortOpen), QColor(0x80, 0x80, 0x80));
  });
  EXPECT_EQ(Mensajes(), QStringList{"TCOMPORT : cannot open COM3\r" + QString::fromLocal8Bit(std::strerror(ENOENT))});
}

TEST_F(Bascula, AbrirCajonEsUnTrabajoVacioYCalculadoraUnPrograma) {
  const QString cola = raiz() + "/cola";
  qputenv("VORLAN_RAW_SPOOL", QFile::encodeName(cola));
  print::FijaImpresorasPrueba({{"laser", "", print::TipoImpresora::Registro, QString(), 600},
                               {"tickets", "", print::TipoImpresora::Cola, QString(), 203}},
                              1);
  print::Impresora::Global().Restablece();
  prueba::LanzadorGrabador lanzador;
  Abre("2", [&](Pantalla& p) {
    Comando(p, "AbrirCajn1");
    const QFileInfoList trabajos = QDir(cola).entryInfoList(QDir::Files);
    ASSERT_EQ(trabajos.size(), 1);
    EXPECT_EQ(trabajos[0].fileName(), "000001-tickets.prn");
    EXPECT_EQ(trabajos[0].size(), 0);

    // Without a map entry the Windows program is missing: nothing is said.
    Comando(p, "Calculadora1");
    EXPECT_TRUE(lanzador.iniciados.isEmpty());
    qputenv("VORLAN_PROGRAMAS", "calc.exe=galculator");
    Comando(p, "Calculadora1");
    qunsetenv("VORLAN_PROGRAMAS");
    ASSERT_EQ(lanzador.iniciados.size(), 1);
    EXPECT_EQ(lanzador.iniciados[0].programa, "galculator");

    bool divisas = false;
    ui::PuertaModal::Espera("TFormaDivisa", [&](QDialog&) { divisas = true; });
    Comando(p, "Divisas1");
    EXPECT_TRUE(divisas);
  });
  qunsetenv("VORLAN_RAW_SPOOL");
  print::RefrescaImpresoras();
  print::Impresora::Global().Restablece();
  EXPECT_EQ(Mensajes(), QStringList());
}
