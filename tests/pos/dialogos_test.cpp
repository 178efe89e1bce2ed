// The sale screen's small dialogs as the cashier meets them: the list of the
// day's callers, the station's seller ("Configura Vendedor") and the price
// calculator of F7.

#include "customers/Clientes.h"
#include "inventory/ConPro.h"
#include "platform/ui/PuertaModal.h"
#include "pos/AsignaVendedor.h"
#include "pos/CalculaxPrecio.h"
#include "pos/Telefonica.h"
#include "support/Maneja.h"
#include "captura_prueba.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>

namespace {

using Pantalla = TFormaCapturaRapida;

QWidget* FocoDialogos() { return QApplication::focusWidget(); }
void EscribeDialogos(const QString& texto) {
  for (const QChar c : texto) QTest::keyClicks(FocoDialogos(), QString(c));
}
void PulsaDialogos(int tecla) { QTest::keyClick(FocoDialogos(), static_cast<Qt::Key>(tecla)); }

QStringList Columna(Pantalla& p, const QString& campo) {
  auto t = AbreEn(kPrograma, p.TablaDeta->NombreTabla());
  return ColumnaCaptura(*t, campo);
}

void Comando(Pantalla& p, const char* nombre) {
  QAction* item = p.MainMenu1->findChild<QAction*>(QString::fromLatin1(nombre));
  ASSERT_TRUE(item && item->isEnabled()) << nombre;
  item->trigger();
}

// --- The caller list.

const QString kHistorial = "C:\\SERIAL\\historial\\2010-03-05.his";

class ListaTelefonica : public VentaPrueba {
 protected:
  void SetUp() override {
    VentaPrueba::SetUp();
    AgregaRemision(7, {{"CLCLI_F", "1"}});
    AgregaFila("CLIENTE.DBF", {{"CLCLI_C", "1"}, {"NOMBR_C", "MOSTRADOR"}});
    AgregaFila("CLIENTE.DBF", {{"CLCLI_C", "3336152040"}, {"NOMBR_C", "LA ESPERANZA"}, {"DIREC_C", "AV JUAREZ 145"}});
    EscribeLineas(kHistorial, {"5550001,09:10,LLAMADA", "3336152040,10:02,LLAMADA"});
  }

  // Opens the list from Registro and runs `guion` on it.
  static void AbreLista(Pantalla& p, std::function<void(TFormaTelefonica&)> guion) {
    ui::PuertaModal::Espera("TFormaTelefonica",
                            [guion](QDialog& d) { guion(static_cast<TFormaTelefonica&>(d)); });
    Comando(p, "VerListaTelefnica1");
  }
};

}  // namespace

TEST_F(ListaTelefonica, ElUltimoLlamanteSeMuestraYEscOF9InicianSuVenta) {
  EXPECT_EQ(ArchivoHistorialLlamadas(QDate(2010, 3, 5)), kHistorial);
  struct Caso {
    const char* nombre;
    bool integrar;
    int tecla;
    const char* cliente;  // the sale's customer afterwards
  };
  for (const Caso& c : {Caso{"Esc con la opción", true, Qt::Key_Escape, "3336152040"},
                        Caso{"F9 sin la opción", false, Qt::Key_F9, "1"},
                        Caso{"Enter con la opción", true, Qt::Key_Return, "3336152040"}}) {
    SCOPED_TRACE(c.nombre);
    EscribeOpciones({{13, c.integrar ? "S" : "N"}});
    Abre("2", [&](Pantalla& p) {
      AbreLista(p, [&](TFormaTelefonica& d) {
        EXPECT_EQ(d.windowTitle(), "Lista Telefónica");
        EXPECT_EQ(d.ListaTelefonica->count(), 2);
        EXPECT_EQ(d.LineaElegida(), "3336152040,10:02,LLAMADA");
        EXPECT_EQ(FocoDialogos(), d.ListaTelefonica);
        EXPECT_EQ(d.LabelCliente->text(), "LA ESPERANZA");
        EXPECT_EQ(d.LabelDireccion->text(), "AV JUAREZ 145");
        PulsaDialogos(c.tecla);
      });
      EXPECT_EQ(ui::Tag(p.BotonNuevo), 1);
      EXPECT_EQ(p.EditCLDOC_F->text(), "8");
      EXPECT_EQ(p.EditCLCLI_F->text(), c.cliente);
    });
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(ListaTelefonica, UnNumeroQueNoEsClienteAbreElCatalogoConUnClienteNuevo) {
  for (const bool integrar : {false, true}) {
    SCOPED_TRACE(integrar ? "con la opción" : "sin la opción");
    EscribeOpciones({{13, integrar ? "S" : "N"}});
    Abre("2", [&](Pantalla& p) {
      // The list's answer starts the sale, then opens the catalogue.
      ui::PuertaModal::Espera("TFormaClientes", [&](QDialog& d) {
        auto& clientes = static_cast<TFormaClientes&>(d);
        EXPECT_TRUE(clientes.EnAlta());
        EXPECT_EQ(prueba::Texto(d, "EditCLCLI_C"), "5550001");
        EXPECT_EQ(ui::Tag(p.BotonNuevo), 1);
        clientes.CancelarMovimiento1Click();
      });
      AbreLista(p, [&](TFormaTelefonica& d) {
        // Up moves to the first caller, whom no customer has.
        PulsaDialogos(Qt::Key_Up);
        EXPECT_EQ(d.LineaElegida(), "5550001,09:10,LLAMADA");
        EXPECT_EQ(d.LabelCliente->text(), "");
        EXPECT_EQ(d.LabelDireccion->text(), "");
        prueba::Pulsa(d, "BitBtn1");
      });
      EXPECT_EQ(ui::Tag(p.BotonNuevo), 1);
      EXPECT_EQ(p.EditCLCLI_F->text(), integrar ? "5550001" : "1");
    });
    EXPECT_EQ(ui::PuertaModal::Pendientes(), 0);
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(ListaTelefonica, CancelarNoCambiaNadaYUnaListaVaciaIniciaUnaVentaSinLlamante) {
  EscribeOpciones({{13, "S"}});
  Abre("2", [&](Pantalla& p) {
    AbreLista(p, [](TFormaTelefonica& d) { prueba::Pulsa(d, "BitBtn2"); });
    EXPECT_EQ(ui::Tag(p.BotonNuevo), 0);
    EXPECT_EQ(p.EditCLDOC_F->text(), "7");

    EscribeLineas(kHistorial, {});
    AbreLista(p, [](TFormaTelefonica& d) {
      EXPECT_EQ(d.ListaTelefonica->count(), 0);
      EXPECT_EQ(d.LabelCliente->text(), "");
      PulsaDialogos(Qt::Key_F9);
    });
    EXPECT_EQ(ui::Tag(p.BotonNuevo), 1);
    EXPECT_EQ(p.EditCLCLI_F->text(), "1");
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(ListaTelefonica, SinElArchivoDelDiaSeAvisaYNoHayLista) {
  fs::FijaAhora(QDateTime(QDate(2010, 3, 6), QTime(9, 0, 0)));
  Abre("2", [&](Pantalla& p) {
    Comando(p, "VerListaTelefnica1");
    EXPECT_EQ(ui::Tag(p.BotonNuevo), 0);
  });
  EXPECT_EQ(Mensajes(), QStringList{"El Archivo C:\\SERIAL\\historial\\2010-03-06.his No Existe"});
}

// --- The station's seller.

TEST_F(ListaTelefonica, ConfiguraVendedorPideLaClaveYTomaElVendedorAunConEsc) {
  const auto clave = [](const QString& texto) {
    ui::PuertaModal::Espera("TFormaAdministrador", [texto](QDialog& d) {
      prueba::Teclea(d, "Clave", texto);
      prueba::Pulsa(d, "BitBtn1");
    });
  };
  const auto vendedor = [](const QString& texto, int tecla) {
    ui::PuertaModal::Espera("TFormaAsignaVendedor", [texto, tecla](QDialog& d) {
      EXPECT_EQ(d.windowTitle(), "Vendedor");
      EXPECT_EQ(FocoDialogos(), static_cast<TFormaAsignaVendedor&>(d).Edit1);
      EscribeDialogos(texto);
      // The box stops at what the seller key holds, as the user types.
      EXPECT_EQ(static_cast<TFormaAsignaVendedor&>(d).Edit1->text(), texto.left(kLargoVendedorCaja));
      PulsaDialogos(tecla);
      EXPECT_EQ(static_cast<TFormaAsignaVendedor&>(d).Tag(), tecla == Qt::Key_Escape ? 0 : 1);
    });
  };
  Abre("2", [&](Pantalla& p) {
    // Refused: no dialog, the seller as it was.
    const QString antes = p.VendedorCaja;
    clave("mala");
    QTest::keyClick(&p, Qt::Key_F3);
    EXPECT_EQ(p.VendedorCaja, antes);

    // Outside a capture only the station's seller changes; the next sale
    // takes it.
    clave("adm");
    vendedor("07", Qt::Key_Return);
    QTest::keyClick(&p, Qt::Key_F3);
    EXPECT_EQ(p.VendedorCaja, "07");
    EXPECT_EQ(p.EditCLVEN_F->text(), "");
    QTest::keyClick(&p, Qt::Key_F9);
    EXPECT_EQ(p.EditCLVEN_F->text(), "07");

    // During a capture Esc still takes the name typed, 10 characters at
    // most, into the document too.
    clave("adm");
    vendedor("VENDEDOR-0123", Qt::Key_Escape);
    Comando(p, "ConfiguraVendedor1");
    EXPECT_EQ(p.VendedorCaja, "VENDEDOR-0");
    EXPECT_EQ(p.TablaFacturae->FieldByName("CLVEN_F").AsString(), "VENDEDOR-0");
  });
  EXPECT_EQ(Mensajes(), QStringList{"Clave incorrecta..."});
}

// --- The price calculator.

namespace {

class CalculaPorImporte : public VentaPrueba {
 protected:
  void SetUp() override {
    VentaPrueba::SetUp();
    FijaLinea(ConfIva, "16");
    // The header skipped: New leaves the focus on the quantity.
    EscribeOpciones({{1, "S"}});
    AgregaRemision(7, {});
    TRegistroProducto p;
    p.CLPRO_I = "CL1";
    p.CODIG_I = "750100";
    p.DSCPR_I = "CLAVO";
    p.UMEDI_I = "kg";
    p.PPUBL_I = Dinero(10);
    p.PLIS2_I = Dinero(9);
    p.POLI1_I = 10;
    p.POLI2_I = 50;
    p.PIVA1_I = 16;
    p.EXIST_I = 1000;
    p.TICOS_I = "PROM";
    p.CPROM_I = Dinero(6);
    AgregaProducto(p);
    p.CLPRO_I = "PZ";
    p.CODIG_I = "";
    p.DSCPR_I = "TORNILLO";
    p.UMEDI_I = "pza";
    AgregaProducto(p);
    catalogo_ = std::make_unique<TFormaConProduct>();
  }

  // F9, then F7 with the amount and the key typed and ended by `fin`.
  static void Calcula(Pantalla& p, const QString& importe, const QString& clave, int fin = Qt::Key_Return) {
    QTest::keyClick(&p, Qt::Key_F9);
    ASSERT_EQ(FocoDialogos(), p.EditCantidad);
    ui::PuertaModal::Espera("TFormaCalculaxPrecio", [&](QDialog& d) {
      auto& calculadora = static_cast<TFormaCalculaxPrecio&>(d);
      EXPECT_EQ(d.windowTitle(), "Calcular x Precio");
      EXPECT_EQ(FocoDialogos(), calculadora.DBEdit1);
      EscribeDialogos(importe);
      PulsaDialogos(Qt::Key_Return);
      EXPECT_EQ(FocoDialogos(), calculadora.DBEdit2);
      EscribeDialogos(clave);
      PulsaDialogos(fin);
      EXPECT_FALSE(d.isVisible()) << "la ventana se cierra al calcular";
    });
    PulsaDialogos(Qt::Key_F7);
  }

  std::unique_ptr<TFormaConProduct> catalogo_;
};

}  // namespace

TEST_F(CalculaPorImporte, ElImporteDaPrecioYCantidadYSigueUnaPartidaNueva) {
  Abre("2", [&](Pantalla& p) {
    Calcula(p, "200", "CL1");
    EXPECT_EQ(Columna(p, "CLAVE"), QStringList({"CL1", ""}));
    EXPECT_EQ(Columna(p, "PRODUCTO"), QStringList({"CLAVO", ""}));
    EXPECT_EQ(Columna(p, "PRECIO").value(0), "9");
    EXPECT_EQ(Columna(p, "CANTIDAD"), QStringList({"22.2222", "1"}));
    EXPECT_EQ(Columna(p, "COSTO"), QStringList({"6", ""}));
    EXPECT_EQ(FocoDialogos(), p.EditCantidad);
    // The totals take the line at its quantity and price.
    EXPECT_EQ(Columna(p, "IMPORTE").value(0), "199.9998");
    EXPECT_EQ(p.SumarTotal->text().trimmed(), "200.00");
    // The next line is typed as usual.
    EscribeDialogos("3");
    PulsaDialogos(Qt::Key_Return);
    EscribeDialogos("CL1");
    PulsaDialogos(Qt::Key_Return);
    EXPECT_EQ(Columna(p, "CANTIDAD").mid(0, 2), QStringList({"22.2222", "3"}));
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(CalculaPorImporte, PiezasClavesQueNoExistenYF2) {
  // Whole pieces: the message, the integer part, the row still posted.
  Abre("2", [&](Pantalla& p) {
    Calcula(p, "95", "PZ");
    EXPECT_EQ(Columna(p, "CLAVE"), QStringList({"PZ", ""}));
    EXPECT_EQ(Columna(p, "CANTIDAD"), QStringList({"9", "1"}));
    EXPECT_EQ(Columna(p, "PRECIO").value(0), "10");
  });
  EXPECT_EQ(Mensajes(), QStringList{"Cantidad con error producto en PIEZA"});

  // A key no product has: the window closes without a word and the row
  // keeps what was typed (its amount is the totals' again).
  ui::PuertaModal::LimpiaMensajes();
  Abre("2", [&](Pantalla& p) {
    Calcula(p, "200", "NOHAY", Qt::Key_Tab);
    EXPECT_EQ(Columna(p, "CLAVE"), QStringList({"NOHAY"}));
    EXPECT_EQ(Columna(p, "CANTIDAD"), QStringList({"1"}));
    EXPECT_EQ(Columna(p, "PRODUCTO"), QStringList({""}));
    EXPECT_EQ(FocoDialogos(), p.EditCantidad);
  });
  EXPECT_EQ(Mensajes(), QStringList());

  // F2 in the key: the lookup from the typed text, and the row computed at
  // once with the product chosen.
  Abre("2", [&](Pantalla& p) {
    QString inicial;
    ui::PuertaModal::Espera("TFormaConProduct", [&](QDialog& d) {
      inicial = static_cast<TFormaConProduct&>(d).TablaConProducto->FieldByName("CLPRO_I").AsString();
      prueba::Tecla(d, "Detalle", Qt::Key_Return);
    });
    Calcula(p, "200", "CL", Qt::Key_F2);
    EXPECT_EQ(inicial, "CL1");
    EXPECT_EQ(Columna(p, "CLAVE"), QStringList({"CL1", ""}));
    EXPECT_EQ(Columna(p, "CANTIDAD"), QStringList({"22.2222", "1"}));
    EXPECT_EQ(FocoDialogos(), p.EditCantidad);
  });

  // Outside a capture F7 opens nothing.
  Abre("2", [&](Pantalla& p) {
    p.Detalle->setFocus();
    PulsaDialogos(Qt::Key_F7);
    EXPECT_EQ(ui::PuertaModal::SinRespuesta(), QStringList());
  });
  EXPECT_EQ(Mensajes(), QStringList());
}
