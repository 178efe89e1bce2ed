// The sale screen's keys and header fields as the cashier meets them: the
// key map outside and during a capture, who gets a key the menu also has,
// the printing shortcuts, Enter walking the header, the grid's display, the
// date field; and what the shared tables do when another station holds a
// record.

#include "inventory/RegistroProducto.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/print/Impresoras.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/PuertaModal.h"
#include "support/ImpresionPrueba.h"
#include "support/Maneja.h"
#include "support/Proceso.h"
#include "support/SostieneRegistro.h"
#include "captura_prueba.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QThread>
#include <QTest>
#include <QToolButton>

namespace {

using Pantalla = TFormaCapturaRapida;

QWidget* Foco() { return QApplication::focusWidget(); }
QString NombreFoco() { return Foco() ? Foco()->objectName() : QString(); }

void Escribe(const QString& texto) {
  for (const QChar c : texto) QTest::keyClicks(Foco(), QString(c));
}
void Pulsa(int tecla, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QTest::keyClick(Foco(), static_cast<Qt::Key>(tecla), mods);
}

// Quantity, Enter, key, Enter, from the quantity field.
void Linea(const QString& cantidad, const QString& clave) {
  Escribe(cantidad);
  Pulsa(Qt::Key_Return);
  Escribe(clave);
  Pulsa(Qt::Key_Return);
}

QStringList Columna(Pantalla& p, const QString& campo) {
  auto t = AbreEn(kPrograma, p.TablaDeta->NombreTabla());
  return ColumnaCaptura(*t, campo);
}

QColor Fondo(const QWidget* w) { return w->palette().color(QPalette::Base); }
const QColor kAqua(0, 255, 255);

class Teclas : public VentaPrueba {
 protected:
  void SetUp() override {
    VentaPrueba::SetUp();
    FijaLinea(ConfIva, "16");
    for (int numero : {5, 6, 7}) AgregaRemision(numero, {{"CLCLI_F", "1"}});
    AgregaFila("CLIENTE.DBF", {{"CLCLI_C", "1"}, {"NOMBR_C", "MOSTRADOR"}});
    TRegistroProducto tuerca;
    tuerca.CLPRO_I = "T2";
    tuerca.DSCPR_I = "TUERCA";
    tuerca.PPUBL_I = Dinero::DeReal(12.5);
    tuerca.UMEDI_I = "pza";
    tuerca.PIVA1_I = 16;
    tuerca.EXIST_I = 100;
    tuerca.UEMPA_I = 12;
    AgregaProducto(tuerca);
    print::FijaImpresorasPrueba({{"laser", "", print::TipoImpresora::Registro, QString(), 600}}, 0);
    print::BorraOperacionesGrabadas();
  }
  void TearDown() override {
    print::RefrescaImpresoras();
    VentaPrueba::TearDown();
  }
};

RUTINA_HIJA(SostieneRegistro) { return prueba::SostieneRegistro(argumentos); }

}  // namespace

TEST_F(Teclas, FinCtrlAyCtrlSMuevenFueraDeUnaCapturaYF6SoloDentro) {
  struct Caso {
    const char* nombre;
    const char* usuario;
    bool captura;
    QList<std::pair<int, Qt::KeyboardModifiers>> teclas;
    const char* documento;
  };
  const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
  const Caso casos[] = {
      {"Ctrl+A al anterior", "2", false, {{Qt::Key_A, ctrl}, {Qt::Key_A, ctrl}}, "5"},
      {"Ctrl+S al siguiente", "2", false, {{Qt::Key_A, ctrl}, {Qt::Key_A, ctrl}, {Qt::Key_S, ctrl}}, "6"},
      {"Fin al último", "2", false, {{Qt::Key_A, ctrl}, {Qt::Key_End, {}}}, "7"},
      {"Ctrl+Mayús+A nada", "2", false, {{Qt::Key_A, ctrl | Qt::ShiftModifier}}, "7"},
      {"el derecho 56 no se mueve", "1", false, {{Qt::Key_A, ctrl}, {Qt::Key_End, {}}}, "7"},
      {"F6 sin captura nada", "2", false, {{Qt::Key_F6, {}}}, "7"},
      {"durante una captura nada", "2", true, {{Qt::Key_End, {}}, {Qt::Key_A, ctrl}, {Qt::Key_S, ctrl}}, "8"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    Abre(c.usuario, [&](Pantalla& p) {
      if (c.captura) {
        QTest::keyClick(&p, Qt::Key_F9);
        prueba::Tecla(p, "EditCantidad", Qt::Key_F4);
        Linea("2", "T2");
      } else {
        p.Detalle->setFocus();
      }
      for (const auto& [tecla, mods] : c.teclas) Pulsa(tecla, mods);
      EXPECT_EQ(p.EditCLDOC_F->text(), c.documento);
      // The lines being captured stay.
      if (c.captura) {
        EXPECT_EQ(Columna(p, "CLAVE"), QStringList{"T2"});
      }
    });
    EXPECT_EQ(Mensajes(), QStringList());
  }

  // During a capture F6 asks before deleting the line; F4, F5 and F8 go to
  // the quantity, the amount received and the payment type.
  Abre("2", [](Pantalla& p) {
    QTest::keyClick(&p, Qt::Key_F9);
    Pulsa(Qt::Key_F4);
    EXPECT_EQ(Foco(), p.EditCantidad);
    Linea("2", "T2");
    p.TablaDeta->First();
    QString pregunta;
    ui::PuertaModal::Espera("TFormaAdvertencia", [&](QDialog& d) {
      pregunta = prueba::Texto(d, "Label1");
      prueba::Pulsa(d, "BitBtn2");
    });
    Pulsa(Qt::Key_F6);
    EXPECT_EQ(pregunta, "Esta Seguro que Desea ELIMINAR esta Partida 2  TUERCA");
    Pulsa(Qt::Key_F8);
    EXPECT_EQ(Foco(), p.TipoPago);
    Pulsa(Qt::Key_F5);
    EXPECT_EQ(Foco(), p.CAMBIO_F);
    Pulsa(Qt::Key_F4);
    EXPECT_EQ(Foco(), p.EditCantidad);
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Teclas, SoloCtrlF4aCtrlF6ImprimenConElFormatoDeSuTitulo) {
  const QString formato = "C:\\VRL\\consulta\\ticket.fmt";
  EscribeLineas(formato, {"impresora,laser", "$", "@2,2,cldoc_f", "$", "&", "@2,0,clave", "saltar(1)", "&"});
  EscribeOpciones({{3, "Ctrl+F1 (" + formato + ")"},
                   {5, "Ctrl+F3 (" + formato + ")"},
                   {6, "Ctrl+F4 (" + formato + ")"},
                   {7, "Ctrl+F5"}});
  EscribeLineas(fs::Une(kPrograma, "empaque.cnf"), {"S"});
  Abre("2", [&](Pantalla& p) {
    QTest::keyClick(&p, Qt::Key_F9);
    prueba::Tecla(p, "EditCantidad", Qt::Key_F4);
    Linea("2", "T2");
    Escribe("3");
    Pulsa(Qt::Key_Return);
    ASSERT_EQ(Columna(p, "CANTIDAD"), QStringList{"36"});
    // Ctrl+F1 is "Ver Funciones" and Ctrl+F3 the package field: neither prints.
    Pulsa(Qt::Key_F1, Qt::ControlModifier);
    p.TablaDeta->First();
    Pulsa(Qt::Key_F3, Qt::ControlModifier);
    EXPECT_EQ(Foco(), p.EditEmpaque);
    EXPECT_EQ(p.LabelFactor->text(), "12");
    EXPECT_EQ(TrabajosImpresos(), QList<QStringList>());
    // Ctrl+F4 prints the document on screen with its caption's format.
    Pulsa(Qt::Key_F4, Qt::ControlModifier);
    const QList<QStringList> trabajos = TrabajosImpresos();
    ASSERT_EQ(trabajos.size(), 1);
    EXPECT_EQ(trabajos[0].mid(0, 2), QStringList({"8", "T2"}));
    // A caption without a path names no format.
    Pulsa(Qt::Key_F5, Qt::ControlModifier);
    EXPECT_EQ(TrabajosImpresos().size(), 1);
  });
  // Ctrl+F1 listed the keys.
  ASSERT_EQ(Mensajes().size(), 2);
  EXPECT_TRUE(Mensajes()[0].startsWith("F1    Busca Producto"));
  EXPECT_EQ(Mensajes()[1], "El Formato  No Existe");
}

TEST_F(Teclas, F3EsDelCampoClaveYFueraDeLaCapturaEsDelMenu) {
  // "Configura Vendedor" asks for the administrator's password first.
  int configura = 0;
  ui::PuertaModal::Espera("TFormaAdministrador", [&](QDialog& d) {
    ++configura;
    prueba::Pulsa(d, "BitBtn2");
  });
  Abre("2", [&](Pantalla& p) {
    QTest::keyClick(&p, Qt::Key_F9);
    prueba::Tecla(p, "EditCantidad", Qt::Key_F4);
    Linea("2", "T2");
    // Another station raises the price: F3 in the key field fills the line
    // again with the product as it is now.
    auto productos = AbreEn(kDatos, kTablaProductos, kTagClaveProducto);
    ASSERT_TRUE(productos->FindKey({"T2"}));
    productos->Edit();
    productos->FieldByName("PPUBL_I").SetAsFloat(13);
    productos->Post();
    p.TablaDeta->First();
    prueba::Tecla(p, "EditClave", Qt::Key_F3);
    EXPECT_EQ(Columna(p, "IMPORTE").value(0), "26");
    EXPECT_EQ(configura, 0);
    // Elsewhere F3 is "Configura Vendedor".
    prueba::Tecla(p, "EditCLCLI_F", Qt::Key_F3);
    EXPECT_EQ(configura, 1);
  });
  EXPECT_EQ(Mensajes(), QStringList{"Clave incorrecta..."});
}

TEST_F(Teclas, EnterRecorreElEncabezadoDelClienteALaCantidadResaltandoCadaCampo) {
  Abre("2", [](Pantalla& p) {
    p.CajaActual = "3";
    QTest::keyClick(&p, Qt::Key_F9);
    ASSERT_EQ(Foco(), p.EditCLCLI_F);
    EXPECT_EQ(Fondo(p.EditCLCLI_F), kAqua);
    p.TasaIvaVenta = 10;
    QStringList recorrido;
    const int corridas = p.CorridasTotales;
    while (Foco() != p.EditCantidad && recorrido.size() < 10) {
      const QWidget* antes = Foco();
      Pulsa(Qt::Key_Return);
      recorrido << NombreFoco();
      // The field left has its own colour again.
      EXPECT_NE(Fondo(antes), kAqua) << antes->objectName().toStdString();
      if (Foco() == p.EditCTOVE_F) {
        EXPECT_EQ(Fondo(p.EditCTOVE_F), kAqua);
      }
    }
    EXPECT_EQ(recorrido, QStringList({"EditCLVEN_F", "EditCTOVE_F", "EditBCLIM_F", "EditFEDOC_F", "EditIMIM1_F",
                                      "EditDESFI_F", "EditCantidad"}));
    // Entering the register, the tax rate and the discount.
    EXPECT_EQ(p.TablaFacturae->FieldByName("BCLIM_F").AsString(), "3");
    EXPECT_EQ(p.EditIMIM1_F->text(), "10");
    EXPECT_GT(p.CorridasTotales, corridas);
    EXPECT_EQ(p.EditCantidad->text(), "1");
    // Up goes back.
    Pulsa(Qt::Key_Up);
    EXPECT_EQ(Foco(), p.EditDESFI_F);
    // After a line (whose totals posted the header) the register is still
    // written on entering its field.
    prueba::Tecla(p, "EditCantidad", Qt::Key_F4);
    Linea("1", "T2");
    p.CajaActual = "4";
    p.EditBCLIM_F->setFocus();
    EXPECT_EQ(p.EditBCLIM_F->text(), "4");
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Teclas, LaLinea42DaSusDecimalesALaRejillaYLaFechaSeCorrige) {
  struct Caso {
    const char* digitos;
    QStringList fila;  // CANTIDAD, PRECIO, IMPORTE as the grid shows them
  };
  for (const Caso& c : {Caso{"2", {"3.00", "12.50", "37.50"}}, Caso{"0", {"3", "12.50", "37.50"}}}) {
    SCOPED_TRACE(c.digitos);
    FijaLinea(ConfDigitosCantidad, c.digitos);
    Abre("2", [&](Pantalla& p) {
      QTest::keyClick(&p, Qt::Key_F9);
      prueba::Tecla(p, "EditCantidad", Qt::Key_F4);
      Linea("3", "T2");
      // The rows shown while the grid browses.
      p.TablaDeta->Cancel();
      const QAbstractItemModel* m = p.Detalle->model();
      QStringList fila;
      for (int col : {0, 3, 4}) fila << m->index(0, col).data().toString();
      EXPECT_EQ(fila, c.fila);

      // The date field: today on entering it, today in place of no date on
      // leaving; the hidden time field acts on it too.
      p.EditFEDOC_F->setText("01/01/2009");
      p.EditFEDOC_F->setFocus();
      EXPECT_EQ(p.EditFEDOC_F->text(), "05/03/2010");
      prueba::Reescribe(p.EditFEDOC_F, "45132010");
      EXPECT_EQ(p.EditFEDOC_F->text(), "45/13/2010");
      Pulsa(Qt::Key_Return);
      EXPECT_EQ(p.EditFEDOC_F->text(), "05/03/2010");
      p.EditFEDOC_F->setText("01/01/2009");
      p.HoraExtra->show();
      p.HoraExtra->setFocus();
      EXPECT_EQ(p.EditFEDOC_F->text(), "05/03/2010");
      p.HoraExtra->hide();

      // Letters typed into the grid are capitals.
      p.Detalle->setFocus();
      p.TablaDeta->First();
      p.Detalle->SetSelectedIndex(1);
      Escribe("x");
      EXPECT_EQ(p.TablaDeta->FieldByName("CLAVE").AsString(), "X");
    });
    EXPECT_EQ(Mensajes(), QStringList());
  }
}

TEST_F(Teclas, UnBloqueoSeReintentaYLoDemasFallaNombrandoLaTabla) {
  // Every error handler of the six shared tables, for each kind of error.
  auto p = std::make_unique<Pantalla>();
  db::Tabla* tablas[] = {p->TablaFacturae,   p->TablaFacturaD,    p->TablaCliente,
                         p->TablaInventario, p->TablaVendedores, p->TablamovimientosInventario};
  const auto accion = [](const db::Dataset::EventoError& manejador, db::Dataset& t, plat::Clase clase) {
    try {
      return manejador(t, plat::Error(clase, "falla")) == db::AccionError::Retry ? QString("reintenta")
                                                                                 : QString("falla");
    } catch (const plat::Error& e) {
      return e.mensaje();
    }
  };
  for (db::Tabla* t : tablas) {
    SCOPED_TRACE(t->objectName().toStdString());
    const QString propio = "falla (tabla " + t->NombreTabla() + ")";
    for (auto* manejador : {&t->OnEditError, &t->OnPostError, &t->OnDeleteError}) {
      const bool edicionEncabezado = t == p->TablaFacturae && manejador == &t->OnEditError;
      if (edicionEncabezado) continue;
      EXPECT_EQ(accion(*manejador, *t, plat::Clase::Bloqueado), "reintenta");
      EXPECT_EQ(accion(*manejador, *t, plat::Clase::EnUso), "reintenta");
      EXPECT_EQ(accion(*manejador, *t, plat::Clase::NoCabe), propio);
      EXPECT_EQ(accion(*manejador, *t, plat::Clase::Io), propio);
    }
  }
  // The header's edit: retried only for a new document, and only a lock.
  const QString noSeEditan = "No se Pueden Editar los Datos ha Ocurrido un Error";
  EXPECT_EQ(accion(p->TablaFacturae->OnEditError, *p->TablaFacturae, plat::Clase::Bloqueado), noSeEditan);
  EXPECT_EQ(accion(p->TablaFacturae->OnEditError, *p->TablaFacturae, plat::Clase::Io), noSeEditan);
  p->DocumentoNuevo = true;
  EXPECT_EQ(accion(p->TablaFacturae->OnEditError, *p->TablaFacturae, plat::Clase::Bloqueado), "reintenta");
  EXPECT_EQ(accion(p->TablaFacturae->OnEditError, *p->TablaFacturae, plat::Clase::Io), "falla (tabla Remision.dbf)");
}

TEST_F(Teclas, OtraEstacionConElRegistroSeEsperaUnosSegundosYLuegoSeAvisa) {
  AgregaFila("CLIENTE.DBF", {{"CLCLI_C", "2"}, {"NOMBR_C", "JUAN"}});
  Abre("2", [&](Pantalla& p) {
    // A customer another station holds for a moment: the edit waits for it.
    {
      prueba::ProcesoHijo otra("SostieneRegistro", {kDatos, "CLIENTE.DBF", "ICLACLI", "2", "600"});
      ASSERT_EQ(otra.EsperaLinea(), "LISTO");
      ASSERT_TRUE(p.TablaCliente->FindKey({"2"}));
      QElapsedTimer reloj;
      reloj.start();
      p.TablaCliente->Edit();
      EXPECT_GE(reloj.elapsed(), 300);
      p.TablaCliente->Cancel();
      EXPECT_EQ(otra.Espera(), 0);
    }
    // A product held on: after a few seconds the error names the table and
    // the screen goes on.
    {
      prueba::ProcesoHijo otra("SostieneRegistro", {kDatos, kTablaProductos, kTagClaveProducto, "T2"});
      ASSERT_EQ(otra.EsperaLinea(), "LISTO");
      ASSERT_TRUE(p.TablaInventario->FindKey({"T2"}));
      QElapsedTimer reloj;
      reloj.start();
      ui::Protege([&] { p.TablaInventario->Edit(); });
      EXPECT_GE(reloj.elapsed(), 4000);
      EXPECT_LT(reloj.elapsed(), 15000);
      EXPECT_EQ(p.TablaInventario->State(), db::Dataset::Estado::Navegando);
      otra.Envia("fin");
      EXPECT_EQ(otra.Espera(), 0);
    }
    ASSERT_EQ(Mensajes().size(), 1);
    EXPECT_TRUE(Mensajes()[0].contains("INVENTAR", Qt::CaseInsensitive)) << Mensajes()[0].toStdString();
    ui::PuertaModal::LimpiaMensajes();

    // The document shown is held by another station: typing the amount
    // received fails at once with the header's message.
    {
      prueba::ProcesoHijo otra("SostieneRegistro", {kDatos, "Remision.dbf", "INUMENC", "#7"});
      ASSERT_EQ(otra.EsperaLinea(), "LISTO");
      QElapsedTimer reloj;
      reloj.start();
      prueba::Teclea(p, "CAMBIO_F", "5");
      EXPECT_LT(reloj.elapsed(), 2000);
      EXPECT_EQ(Mensajes(), QStringList{"No se Pueden Editar los Datos ha Ocurrido un Error"});
      otra.Envia("fin");
      EXPECT_EQ(otra.Espera(), 0);
    }
    ui::PuertaModal::LimpiaMensajes();

    // An error that is no lock (a table open only for reading) fails at once.
    p.TablaVendedores->Close();
    p.TablaVendedores->SetReadOnly(true);
    p.TablaVendedores->Open();
    AgregaFila("VENDEDOR.DBF", {{"CLVEN_V", "01"}});
    p.TablaVendedores->Refresh();
    QElapsedTimer reloj;
    reloj.start();
    ui::Protege([&] {
      p.TablaVendedores->First();
      p.TablaVendedores->Edit();
    });
    EXPECT_LT(reloj.elapsed(), 2000);
    ASSERT_EQ(Mensajes().size(), 1);
    EXPECT_TRUE(Mensajes()[0].contains("VENDEDOR", Qt::CaseInsensitive)) << Mensajes()[0].toStdString();
  });
}
