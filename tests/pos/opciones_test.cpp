// The sale screen's options as a cashier and the administrator change them:
// each toggle kept in encabeza.cnf, the formats given to Ctrl+F1 to Ctrl+F6,
// and the small commands of Opciones, Formatos and Ayuda.

#include "foundation/ArchivosPrograma.h"
#include "foundation/ayudaMod.h"
#include "platform/print/Impresoras.h"
#include "platform/ui/PuertaModal.h"
#include "reports/Formatos.h"
#include "support/ImpresionPrueba.h"
#include "support/LanzadorGrabador.h"
#include "support/Maneja.h"
#include "captura_prueba.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>
#include <QTextEdit>

namespace {

using Pantalla = TFormaCapturaRapida;

const QString kOpciones = "C:\\VRL\\encabeza.cnf";
const QStringList kSinOpciones = {"N", "N", "Ctrl+F1", "Ctrl+F2", "Ctrl+F3", "Ctrl+F4", "Ctrl+F5", "Ctrl+F6", "N",
                                  "N", "N", "N", "N", "N", "N", "N", "N", "N"};

QWidget* FocoOpciones() { return QApplication::focusWidget(); }

QAction* Item(Pantalla& p, const QString& nombre) { return p.MainMenu1->findChild<QAction*>(nombre); }

void Comando(Pantalla& p, const QString& nombre) {
  QAction* item = Item(p, nombre);
  ASSERT_TRUE(item && item->isEnabled()) << nombre.toStdString();
  item->trigger();
}

class Opciones : public VentaPrueba {
 protected:
  void SetUp() override {
    VentaPrueba::SetUp();
    AgregaFila("CLIENTE.DBF", {{"CLCLI_C", "1"}, {"NOMBR_C", "MOSTRADOR"}});
    AgregaRemision(7, {{"CLCLI_F", "1"}});
  }
};

}  // namespace

TEST_F(Opciones, CadaMarcaSeGuardaEnSuLineaYSoloElAdministradorCambiaTres) {
  struct Caso {
    const char* item;
    int linea;
    bool soloAdministrador;
  };
  const Caso casos[] = {
      {"SaltarEncabezado1", 1, false},
      {"IniciaenClave1", 2, false},
      {"VerTotalesenformatoDigital1", 9, false},
      {"GuardareImprimirconF101", 10, false},
      {"IniciaenVendedor1", 11, false},
      {"PersonalizarDetalle1", 12, true},
      {"IntegrarIdentificadorTelefnico1", 13, false},
      {"HabilitarBascula1", 14, false},
      {"OcultarVendedor1", 17, true},
      {"VerSoloTotal1", 18, true},
  };
  for (const char* usuario : {"0", "2"}) {
    SCOPED_TRACE(usuario);
    Abre(usuario, [&](Pantalla& p) {
      for (const Caso& c : casos) {
        SCOPED_TRACE(c.item);
        // What another program left in the file since the screen read it
        // is replaced by the 18 lines of the screen's marks.
        EscribeLineas(kOpciones, {"X"});
        Comando(p, c.item);
        const bool cambia = QString(usuario) == "0" || !c.soloAdministrador;
        EXPECT_EQ(Item(p, c.item)->isChecked(), cambia);
        QStringList esperadas = kSinOpciones;
        esperadas[c.linea - 1] = "S";
        EXPECT_EQ(fs::LeeLineas(kOpciones), cambia ? esperadas : QStringList{"X"});
        // A second toggle gives the line back.
        Comando(p, c.item);
        EXPECT_FALSE(Item(p, c.item)->isChecked());
        EXPECT_EQ(fs::LeeLineas(kOpciones), cambia ? kSinOpciones : QStringList{"X"});
      }
    });
  }
  EXPECT_EQ(Mensajes(), QStringList());

  // A mark kept is read by the next screen.
  Abre("0", [](Pantalla& p) { Comando(p, "IniciaenClave1"); });
  Abre("2", [](Pantalla& p) {
    EXPECT_TRUE(p.IniciaenClave1->isChecked());
    EXPECT_TRUE(p.OpcionIniciaEnClave);
  });
}

TEST_F(Opciones, UnFormatoDadoAUnAtajoQuedaEnSuTituloEImprime) {
  TRegistroProducto tuerca;
  tuerca.CLPRO_I = "T2";
  tuerca.DSCPR_I = "TUERCA";
  tuerca.PPUBL_I = Dinero::DeReal(12.5);
  tuerca.EXIST_I = 100;
  AgregaProducto(tuerca);
  print::FijaImpresorasPrueba({{"laser", "", print::TipoImpresora::Registro, QString(), 600}}, 0);
  print::BorraOperacionesGrabadas();
  const QString formato = "C:\\VRL\\consulta\\ticket.fmt";
  EscribeLineas(formato, {"impresora,laser", "$", "@2,2,cldoc_f", "$", "&", "@2,0,clave", "saltar(1)", "&"});
  const auto elige = [](const QString& ruta) {
    ui::PuertaModal::Espera("TFormaFormatos", [ruta](QDialog& d) {
      auto& f = static_cast<TFormaFormatos&>(d);
      EXPECT_TRUE(f.Rangos->isHidden());
      f.Rutas->setText(ruta);
      prueba::Pulsa(d, "BotonEdicion");
    });
  };
  Abre("2", [&](Pantalla& p) {
    elige(formato);
    Comando(p, "CtrlF41");
    EXPECT_EQ(p.CtrlF41->text(), "Ctrl+F4 (" + formato + ")");
    // A format that does not exist, or the picker cancelled, changes
    // nothing: the shortcut keeps what it had.
    elige("C:\\VRL\\consulta\\falta.fmt");
    Comando(p, "CtrlF11");
    EXPECT_EQ(p.CtrlF11->text(), "Ctrl+F1");
    ui::PuertaModal::Espera("TFormaFormatos", [](QDialog& d) { d.reject(); });
    Comando(p, "CtrlF41");
    EXPECT_EQ(p.CtrlF41->text(), "Ctrl+F4 (" + formato + ")");
    QStringList esperadas = kSinOpciones;
    esperadas[5] = "Ctrl+F4 (" + formato + ")";
    EXPECT_EQ(fs::LeeLineas(kOpciones), esperadas);

    // The shortcut prints the sale on screen with the format given.
    QTest::keyClick(&p, Qt::Key_F9);
    prueba::Tecla(p, "EditCantidad", Qt::Key_F4);
    for (const QString& texto : {QString("2"), QString("T2")}) {
      QTest::keyClicks(FocoOpciones(), texto);
      QTest::keyClick(FocoOpciones(), Qt::Key_Return);
    }
    QTest::keyClick(FocoOpciones(), Qt::Key_F4, Qt::ControlModifier);
    const QList<QStringList> trabajos = TrabajosImpresos();
    ASSERT_EQ(trabajos.size(), 1);
    EXPECT_EQ(trabajos[0].mid(0, 2), QStringList({"8", "T2"}));
  });
  EXPECT_EQ(Mensajes(), QStringList{"El Formato C:\\VRL\\consulta\\falta.fmt No Existe"});
  Abre("2", [&](Pantalla& p) { EXPECT_EQ(p.CtrlF41->text(), "Ctrl+F4 (" + formato + ")"); });
  print::RefrescaImpresoras();
}

TEST_F(Opciones, LasFuncionesElClienteLaPantallaAlternaLaAyudaYElTabulador) {
  InstalaArchivosPrograma();
  prueba::LanzadorGrabador lanzador;
  Abre("2", [&](Pantalla& p) {
    // Ctrl+F1: the keys, each line ended by a carriage return.
    p.Detalle->setFocus();
    QTest::keyClick(FocoOpciones(), Qt::Key_F1, Qt::ControlModifier);
    ASSERT_EQ(Mensajes().size(), 1);
    const QStringList teclas = Mensajes()[0].split(u'\r');
    EXPECT_EQ(teclas.size(), 14);
    EXPECT_EQ(teclas.first(), "F1    Busca Producto por Descipción");
    EXPECT_EQ(teclas[10], "Ctrl+I ó F11    Imprimir");
    EXPECT_EQ(teclas[12], "Ctrl+F2    Cursor en Cliente");
    EXPECT_EQ(teclas.last(), "");
    ui::PuertaModal::LimpiaMensajes();

    // Ctrl+F2 reaches the customer only during a capture.
    QTest::keyClick(FocoOpciones(), Qt::Key_F2, Qt::ControlModifier);
    EXPECT_NE(FocoOpciones(), p.EditCLCLI_F);
    QTest::keyClick(&p, Qt::Key_F9);
    prueba::Tecla(p, "EditCantidad", Qt::Key_F4);
    ASSERT_EQ(FocoOpciones(), p.EditCantidad);
    QTest::keyClick(FocoOpciones(), Qt::Key_F2, Qt::ControlModifier);
    EXPECT_EQ(FocoOpciones(), p.EditCLCLI_F);

    // The alternative display covers the grid while marked; nothing is kept.
    const QByteArray opciones = fs::LeeBytes(kOpciones);
    Comando(p, "HabilitarPantallaAlterna1");
    EXPECT_TRUE(Item(p, "HabilitarPantallaAlterna1")->isChecked());
    EXPECT_TRUE(p.PantallaAlterna->isVisible());
    EXPECT_EQ(p.PantallaAlterna->geometry(), p.Detalle->geometry());
    Comando(p, "HabilitarPantallaAlterna1");
    EXPECT_FALSE(p.PantallaAlterna->isVisible());
    EXPECT_EQ(fs::LeeBytes(kOpciones), opciones);

    // The help page of the sale screen.
    QString ayuda;
    ui::PuertaModal::Espera("TFormaAyudaLinea",
                            [&](QDialog& d) { ayuda = static_cast<TFormaAyudaLinea&>(d).Texto->toPlainText(); });
    Comando(p, "Temas1");
    EXPECT_TRUE(ayuda.startsWith("Ventas")) << ayuda.toStdString();

    // The tabulation program starts when the program map names it.
    Comando(p, "Tabulador1");
    EXPECT_TRUE(lanzador.iniciados.isEmpty());
    ASSERT_EQ(Mensajes().size(), 1);
    EXPECT_TRUE(Mensajes()[0].startsWith("No se pudo abrir el tabulador: ")) << Mensajes()[0].toStdString();
    qputenv("VORLAN_PROGRAMAS", "tabulador.exe=gnumeric");
    Comando(p, "Tabulador1");
    qunsetenv("VORLAN_PROGRAMAS");
    ASSERT_EQ(lanzador.iniciados.size(), 1);
    EXPECT_EQ(lanzador.iniciados[0].programa, "gnumeric");
  });
}
