// The sale screen as the main menu opens it: who may open it, how it looks
// when it opens, what the station's option files change, the phases of a
// document and the buttons and items each allows, the status of the
// document shown, the document kinds.

#include "app/Vorlan.h"
#include "foundation/ArchivosPrograma.h"
#include "foundation/BotonEsquinado.h"
#include "platform/ui/Componentes.h"
#include "pos/DocumentosVenta.h"
#include "pos/RegistroCaja.h"
#include "shell/Principa.h"
#include "support/LanzadorGrabador.h"
#include "support/Maneja.h"
#include "venta_prueba.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>

namespace {

using Pantalla = TFormaCapturaRapida;

bool Visible(const QWidget* w) { return w->isVisibleTo(w->window()); }

QStringList EntradasVisibles(const QMenu* menu) {
  QStringList textos;
  for (const QAction* a : menu->actions())
    if (a->isVisible() && !a->isSeparator()) textos << a->text();
  return textos;
}

// Files a case may leave behind.
const char* const kArchivosEstacion[] = {"mdf.cnf", "caja.cnf", "especial.cnf", "Serial.cnf", "empaque.cnf",
                                         "Pagos.cnf", "mi.cnf", "detalle.dat", "Bloq.dat", "Multi.dat"};

class CapturaRapida : public VentaPrueba {
 protected:
  // Back to the fixture's files before a case.
  void Limpia() {
    for (const char* a : kArchivosEstacion) fs::BorraArchivo(fs::Une(kPrograma, a));
    for (const char* a : {"Menu_inactivo.cnf", "pagos.cnf"}) fs::BorraArchivo(fs::Une(kDatos, a));
    QStringList conf = ValoresInicialesConfiguracion();
    conf[ConfCarpetaDatos - 1] = kDatos;
    EscribeLineas("C:\\VRL\\Gener1.cnf", conf);
    EscribeOpciones();
    ui::PuertaModal::LimpiaMensajes();
  }
};

}  // namespace

TEST_F(CapturaRapida, DesdeLaVentanaPrincipalSinElDerecho4NoHayPantallaYConElSeAbreTerminada) {
  qputenv("VORLAN_PROGRAMAS", "GUNDEL.exe=gundel");
  prueba::LanzadorGrabador lanzador;
  ProgramaVorlan programa;
  programa.Inicia();
  TFormaPrincipal& principal = *FormaPrincipal();
  principal.Show();
  ui::PuertaModal::Espera("TFormaEmpresas", [](QDialog& d) {
    prueba::Teclea(d, "Clave", "bodega");
    prueba::Tecla(d, "Clave", Qt::Key_Return);
  });
  principal.DisparaActivacion();
  ASSERT_EQ(principal.Usuario->text(), "3");
  ui::PuertaModal::LimpiaMensajes();

  // The logo's "Captura Rápida" without right 4: the refusal, no screen.
  ASSERT_TRUE(proc::Ejecuta("C:\\VRL\\GUNDEL.exe"));
  principal.Panel2Click();
  EXPECT_EQ(Mensajes(), QStringList{kSinAcceso});
  EXPECT_EQ(FormaCapturaRapida(), nullptr);
  ASSERT_EQ(lanzador.cerrados.size(), 1);
  EXPECT_EQ(lanzador.cerrados[0].programa, "gundel");

  // The cashier (user 1, as the login leaves it), through Ventas > "Captura
  // Rápida".
  ui::PuertaModal::LimpiaMensajes();
  principal.Usuario->setText("1");
  ASSERT_TRUE(proc::Ejecuta("C:\\VRL\\GUNDEL.exe"));
  bool vista = false;
  QAction* item = principal.Item("CapturaRpida1");
  ASSERT_TRUE(item);
  EXPECT_EQ(item->text(), "Captura Rápida");
  EXPECT_EQ(item->shortcut(), QKeySequence("Ctrl+R"));
  ui::PuertaModal::Espera("TFormaCapturaRapida", [&](QDialog& d) {
    auto& p = static_cast<Pantalla&>(d);
    vista = true;
    EXPECT_TRUE(p.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(p.windowTitle(), "Punto de Venta CAPTURA RAPIDA    USUARIO 1           05/03/2010");
    EXPECT_EQ(p.usuario->text(), "1");
    EXPECT_EQ(p.EstadoCaptura->text(), "Terminada");
    EXPECT_TRUE(p.BotonNuevo->isEnabled());
    EXPECT_TRUE(p.BotonCambios->isEnabled());
    EXPECT_FALSE(p.BotonGuardar->isEnabled());
    EXPECT_FALSE(Pantalla::Permitido(p.Guardar1));
    EXPECT_FALSE(p.Guardar1->isEnabled());
    EXPECT_TRUE(p.Detalle->SoloLectura());
    EXPECT_TRUE(p.EditCantidad->isReadOnly());
    EXPECT_TRUE(p.EditClave->isReadOnly());
    EXPECT_FALSE(p.Caja->isEnabled());
    EXPECT_FALSE(p.BotonTerminaVenta->isEnabled());
    EXPECT_TRUE(p.TablaFacturae->Active());
    EXPECT_EQ(p.TablaFacturae->NombreTabla(), "Remision.dbf");
  });
  item->trigger();
  EXPECT_TRUE(vista);
  EXPECT_EQ(FormaCapturaRapida(), nullptr);
  EXPECT_EQ(lanzador.cerrados.size(), 2);
  EXPECT_EQ(Mensajes(), QStringList());
  qunsetenv("VORLAN_PROGRAMAS");
}

TEST_F(CapturaRapida, LaPantallaMuestraLaUltimaRemisionYSuClienteAlActivarse) {
  AgregaRemision(7, {{"CLCLI_F", "1"}});
  AgregaRemision(12, {{"CLCLI_F", "25"}});
  AgregaRemision(9, {{"CLCLI_F", "3"}});
  EscribeLineas(fs::Une(kPrograma, "actual.dat"), {"9"});
  Abre("1", [](Pantalla& p) {
    EXPECT_EQ(p.UltimoNumeroDocumento, 12);
    EXPECT_EQ(p.EditCLDOC_F->text(), "12");
    EXPECT_EQ(p.EditCLCLI_F->text(), "25");
    EXPECT_EQ(p.Conf.DerechoReportes, "s");
  });
}

TEST_F(CapturaRapida, LasOpcionesDeLaEstacionSeAplicanAlCrearYAlMostrar) {
  const auto escribe = [](const char* archivo, const QStringList& lineas) {
    EscribeLineas(fs::Une(kPrograma, archivo), lineas);
  };
  struct Caso {
    const char* nombre;
    std::function<void()> prepara;
    QString usuario;
    std::function<void(Pantalla&)> mira;
    QStringList mensajes = {};
  };
  const Caso casos[] = {
      {"solo el total", [] { EscribeOpciones({{18, "S"}}); }, "1",
       [](Pantalla& p) {
         EXPECT_TRUE(Visible(p.TotalFact));
         EXPECT_TRUE(Visible(p.Label24));
         for (QLabel* l : {p.SumarTotal, p.ImpuestoValor, p.Label12, p.Label22}) EXPECT_FALSE(Visible(l));
         EXPECT_TRUE(p.VerSoloTotal1->isChecked());
       }},
      {"los turnos guardados no se conservan", [] { EscribeOpciones({{15, "01"}, {16, "02"}}); }, "1",
       [](Pantalla& p) {
         EXPECT_TRUE(p.SinTurno1->isChecked());
         EXPECT_FALSE(p.N011->isChecked());
         EXPECT_FALSE(p.N021->isChecked());
       }},
      {"descuento global libre", [] { FijaLinea(ConfDescuentoGlobal, "S"); }, "1",
       [](Pantalla& p) {
         EXPECT_FALSE(p.EditDESFI_F->isReadOnly());
         EXPECT_FALSE(Visible(p.BoronDescuento));
       }},
      {"descuento global con botón", [] { FijaLinea(ConfDescuentoGlobal, "N"); }, "1",
       [](Pantalla& p) {
         EXPECT_TRUE(p.EditDESFI_F->isReadOnly());
         EXPECT_TRUE(Visible(p.BoronDescuento));
       }},
      {"mdf.cnf con la clave", [&] { escribe("mdf.cnf", {kClaveModificacion}); }, "1",
       [](Pantalla& p) {
         EXPECT_TRUE(p.Modificar1->isVisible());
         EXPECT_TRUE(p.ModificacionDesbloqueada);
       }},
      {"mdf.cnf con otra clave", [&] { escribe("mdf.cnf", {"pqzwvmtnxbc7k52hsd"}); }, "1",
       [](Pantalla& p) { EXPECT_FALSE(p.Modificar1->isVisible()); }},
      {"sin encabeza.cnf", [] {
         fs::BorraArchivo(fs::Une(kPrograma, "encabeza.cnf"));
         FijaLinea(ConfMaximoPartidas, "45");
       },
       "1",
       [](Pantalla& p) {
         EXPECT_EQ(p.Conf.MaximoPartidas, 45);
         EXPECT_FALSE(p.SaltarEncabezado1->isChecked());
         EXPECT_EQ(p.CtrlF11->text(), "Ctrl+F1");
         EXPECT_TRUE(p.SinTurno1->isChecked());
         EXPECT_EQ(p.PanelSuma->font().family(), "Courier New");
       },
       {"El Archivo C:\\VRL\\encabeza.cnf No Existe"}},
      {"encabeza.cnf corto", [&] { escribe("encabeza.cnf", {"S", "S", "Ctrl+F1 (C:\\VRL\\consulta\\t.fmt)"}); }, "1",
       [](Pantalla& p) {
         EXPECT_TRUE(p.OpcionSaltarEncabezado);
         EXPECT_TRUE(p.OpcionIniciaEnClave);
         EXPECT_TRUE(p.IniciaenClave1->isChecked());
         EXPECT_EQ(p.CtrlF11->text(), "Ctrl+F1 (C:\\VRL\\consulta\\t.fmt)");
         EXPECT_EQ(p.CtrlF21->text(), "Ctrl+F2");
         EXPECT_FALSE(p.VerSoloTotal1->isChecked());
       },
       {"El Archivo C:\\VRL\\encabeza.cnf tiene 3 de las 18 líneas de opciones"}},
      {"caja.cnf sin registro", [&] {
         EscribeBytes(fs::Une(kPrograma, "caja.cnf"), QByteArray(20, '\0'));
         escribe("mdf.cnf", {kClaveModificacion});
       },
       "1",
       [](Pantalla& p) {
         EXPECT_EQ(p.CajaActual, "");
         // The show went on after the message.
         EXPECT_TRUE(p.Modificar1->isVisible());
       },
       {"El Archivo C:\\VRL\\caja.cnf no tiene la primera caja"}},
      {"caja.cnf con su caja", [] {
         FijaLinea(ConfFormatoRemision, "remision.fmt");
         EscribeBytes(fs::Une(kPrograma, "caja.cnf"), TRegistroCaja{"3", "V9", "ticket.fmt"}.ABytes());
       },
       "2",
       [](Pantalla& p) {
         EXPECT_EQ(p.CajaActual, "3");
         EXPECT_EQ(p.VendedorCaja, "2");
         EXPECT_EQ(p.FormatoTicket, "C:\\VRL\\consulta\\ticket.fmt");
       }},
      {"formato de la remisión", [] { FijaLinea(ConfFormatoRemision, "remision.fmt"); }, "1",
       [](Pantalla& p) {
         EXPECT_EQ(p.FormatoTicket, "C:\\VRL\\consulta\\remision.fmt");
         EXPECT_EQ(p.LineaFormatoDocumento, ConfFormatoRemision);
       }},
      {"totales digitales", [] { EscribeOpciones({{9, "S"}}); }, "1",
       [](Pantalla& p) {
         EXPECT_EQ(p.PanelSuma->font().family(), "Digiface");
         EXPECT_EQ(p.TotalFact->font().family(), "Digiface");
       }},
      {"báscula", [] { EscribeOpciones({{14, "S"}}); }, "1",
       [](Pantalla& p) {
         for (QWidget* w : {static_cast<QWidget*>(p.BotonBascula), static_cast<QWidget*>(p.BotonReset),
                            static_cast<QWidget*>(p.EditPeso), p.shPortOpen, static_cast<QWidget*>(p.StaticText6)})
           EXPECT_TRUE(Visible(w)) << w->objectName().toStdString();
       }},
      {"vendedor oculto", [] { EscribeOpciones({{17, "S"}}); }, "1",
       [](Pantalla& p) { EXPECT_EQ(p.EditCLVEN_F->echoMode(), QLineEdit::Password); }},
      {"tipos de pago de la empresa", [] { EscribeLineas(fs::Une(kDatos, "pagos.cnf"), {"Efectivo", "Vales"}); }, "1",
       [](Pantalla& p) {
         EXPECT_EQ(p.TipoPago->count(), 2);
         EXPECT_EQ(p.TipoPago->itemText(1), "Vales");
       }},
      {"lector serial y tara", [&] {
         escribe("Serial.cnf", {"S"});
         escribe("especial.cnf", {"S", "LINEA_I", "CARNES", "HERRAJES_F5", "SIN_FECHA"});
       },
       "1",
       [](Pantalla& p) {
         EXPECT_EQ(p.windowTitle(), kTituloCapturaRapida + "    Conectado a Puerto Serial...");
         EXPECT_TRUE(p.ConfigurarLectorSerial1->isChecked());
         EXPECT_TRUE(p.OpcionTara);
         EXPECT_TRUE(p.VerCampoTara1->isChecked());
         EXPECT_EQ(p.EditClave->width(), 184 - p.EditTARA->width() - 5);
         EXPECT_EQ(p.CampoTaraProducto, "LINEA_I");
         EXPECT_EQ(p.ValorTaraProducto, "CARNES");
         EXPECT_TRUE(p.OpcionHerrajesF5);
         EXPECT_TRUE(p.OpcionSinFecha);
       }},
      {"empaque, pago y movimientos", [&] {
         escribe("empaque.cnf", {"S"});
         escribe("Pagos.cnf", {"N"});
         escribe("mi.cnf", {"con movimientos"});
       },
       "1",
       [](Pantalla& p) {
         EXPECT_TRUE(Visible(p.LabelEmpaque));
         EXPECT_TRUE(Visible(p.EditEmpaque));
         EXPECT_TRUE(p.CapturaporEmpaque1->isChecked());
         EXPECT_TRUE(p.CAMBIO_F->isReadOnly());
         EXPECT_FALSE(p.HabilitarPago1->isChecked());
         EXPECT_FALSE(Pantalla::Permitido(p.ImprimiryAsignarCaja1));
         EXPECT_TRUE(p.OpcionMI);
       }},
      {"anchos del detalle", [&] {
         EscribeOpciones({{12, "S"}});
         escribe("detalle.dat", {"60", "x", "200", "0"});
       },
       "1",
       [](Pantalla& p) {
         EXPECT_EQ(p.Detalle->Columna(0).ancho, 60);
         EXPECT_EQ(p.Detalle->Columna(1).ancho, 110);
         EXPECT_EQ(p.Detalle->Columna(2).ancho, 200);
         EXPECT_FALSE(p.Detalle->Columna(3).visible);
       }},
      {"factura electrónica, facturas con código y vendedor fijo", [] {
         FijaLinea(ConfCarpetaFacturaElectronica, "S");
         FijaLinea(ConfSoloCodigoBidimensional, "S");
         FijaLinea(ConfBloqueaCambioVendedor, "S");
       },
       "1",
       [](Pantalla& p) {
         EXPECT_FALSE(Visible(p.Caja));
         EXPECT_TRUE(p.FacturaeImprimir1->isVisible());
         EXPECT_TRUE(p.EditCLVEN_F->isReadOnly());
       }},
      {"vista resaltada", [] { FijaLinea(ConfVistaResaltada, "S"); }, "1",
       [](Pantalla& p) { EXPECT_EQ(p.LabelIEPSL->palette().color(QPalette::WindowText), QColor(Qt::white)); }},
      {"vista clásica", [] { FijaLinea(ConfVistaResaltada, "N"); }, "1",
       [](Pantalla& p) {
         EXPECT_EQ(p.LabelIEPSL->palette().color(QPalette::WindowText), QColor(Qt::black));
         EXPECT_FALSE(p.FacturaeImprimir1->isVisible());
       }},
      {"menús inactivos", [] { EscribeLineas(fs::Une(kDatos, "Menu_inactivo.cnf"), {"Cancelar", "Ventas por Día"}); },
       "1",
       [](Pantalla& p) {
         auto* porDia = p.findChild<QAction*>("VentasporDa1");
         for (QAction* a : {p.Cancelar1, porDia}) p.AsignaComando(a, [] {});
         p.HabilitaBotonesCaptura(true, true, false, true, true, true, false);
         EXPECT_TRUE(Pantalla::Permitido(p.Cancelar1));
         EXPECT_FALSE(p.Cancelar1->isEnabled());
         EXPECT_TRUE(porDia->isEnabled());
       }},
      {"menús inactivos del administrador",
       [] { EscribeLineas(fs::Une(kDatos, "Menu_inactivo.cnf"), {"Cancelar"}); }, "0",
       [](Pantalla& p) {
         p.AsignaComando(p.Cancelar1, [] {});
         EXPECT_TRUE(p.Cancelar1->isEnabled());
       }},
      {"reportes bloqueados a un usuario restringido", [&] { escribe("Bloq.dat", {"x"}); }, "1",
       [](Pantalla& p) {
         EXPECT_TRUE(p.UsuarioRestringido);
         EXPECT_FALSE(Visible(p.Navegador));
         EXPECT_EQ(EntradasVisibles(p.Reportes1), QStringList{"Número de Ventas por Vendedor"});
       }},
      {"reportes de un usuario libre", [&] { escribe("Bloq.dat", {"x"}); }, "2",
       [](Pantalla& p) {
         EXPECT_FALSE(p.UsuarioRestringido);
         EXPECT_TRUE(Visible(p.Navegador));
         EXPECT_GT(EntradasVisibles(p.Reportes1).size(), 30);
         EXPECT_TRUE(p.ReportesPermitidos);
       }},
      {"turnos con usuario", [] { FijaLinea(ConfTurnos, "S"); }, "2",
       [](Pantalla& p) { EXPECT_TRUE(p.SinTurno1->isChecked()); }},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    Limpia();
    c.prepara();
    bool vista = false;
    Abre(c.usuario, [&](Pantalla& p) {
      vista = true;
      c.mira(p);
    });
    EXPECT_TRUE(vista);
    EXPECT_EQ(Mensajes(), c.mensajes);
  }
}

TEST_F(CapturaRapida, ElTipoDeDocumentoCambiaTablasFormatoYGenerar) {
  FijaLinea(ConfFormatoRemision, "remision.fmt");
  FijaLinea(ConfFormatoCotizacion, "caja.fmt");
  struct Caso {
    QString usuario;
    QString tipo;
    QString queda;
    QString encabezado, partidas;
    int linea;
    QList<bool> generar;  // Pedido, Remisión, Factura, Devolución, Nota de Crédito
    bool numeroFijo;
  };
  const QList<bool> remision{false, false, true, true, false};
  const QList<bool> cajaChica{false, false, false, false, false};
  for (const Caso& c : {Caso{"0", "XYZ", "Remisión", "Remision.dbf", "RemisioD.dbf", 15, remision, true},
                        Caso{"1", "Remisión", "Remisión", "Remision.dbf", "RemisioD.dbf", 15, remision, false},
                        Caso{"1", "Caja Chica", "Caja Chica", "CajaChic.dbf", "CajaChiD.dbf", 17, cajaChica, true}}) {
    SCOPED_TRACE((c.usuario + " " + c.tipo).toStdString());
    Abre(c.usuario, [&](Pantalla& p) {
      p.Base->setCurrentText(c.tipo);
      p.BaseChange();
      EXPECT_EQ(p.Base->currentText(), c.queda);
      EXPECT_EQ(p.TablaFacturae->NombreTabla(), c.encabezado);
      EXPECT_EQ(p.TablaFacturaD->NombreTabla(), c.partidas);
      EXPECT_TRUE(p.TablaFacturae->Active());
      EXPECT_TRUE(p.TablaFacturaD->Active());
      EXPECT_EQ(p.LineaFormatoDocumento, c.linea);
      EXPECT_EQ(p.FormatoTicket, c.linea == 15 ? "C:\\VRL\\consulta\\remision.fmt" : "C:\\VRL\\consulta\\caja.fmt");
      QList<bool> generar;
      for (const QAction* a : {p.Pedido1, p.Remisin1, p.Factura1, p.Devolucin1, p.NotadeCrdito1})
        generar << Pantalla::Permitido(a);
      EXPECT_EQ(generar, c.generar);
      EXPECT_EQ(p.EditCLDOC_F->isReadOnly(), c.numeroFijo);
      // A return keeps the kind's tables and format.
      p.Base->setCurrentText("Devolución");
      p.BaseChange();
      EXPECT_EQ(p.TablaFacturae->NombreTabla(), c.encabezado);
      EXPECT_EQ(p.LineaFormatoDocumento, c.linea);
    });
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(CapturaRapida, CadaFaseHabilitaLoSuyoYLosComandosSoloSiExisten) {
  Abre("2", [](Pantalla& p) {
    // A document being captured.
    p.HabilitaBotonesCaptura(false, false, true, false, false, false, true);
    EXPECT_EQ(p.EstadoCaptura->text(), "Capturando...");
    EXPECT_EQ(p.Panel2->palette().color(QPalette::Window), QColor(Qt::red));
    EXPECT_FALSE(p.BotonNuevo->isEnabled());
    EXPECT_FALSE(p.BotonCambios->isEnabled());
    EXPECT_TRUE(p.BotonGuardar->isEnabled());
    EXPECT_FALSE(p.BotonBuscar->isEnabled());
    EXPECT_FALSE(p.Navegador->isEnabled());
    EXPECT_TRUE(p.EditClave->isEnabled());
    EXPECT_FALSE(p.BotonImprimir->isEnabled());
    for (const QObject* b : {static_cast<QObject*>(p.BotonTerminaVenta), static_cast<QObject*>(p.BotonRedondo2),
                             static_cast<QObject*>(p.BotonAgregarPartida)})
      EXPECT_TRUE(Pantalla::Permitido(b)) << b->objectName().toStdString();
    for (const QObject* b : {static_cast<QObject*>(p.BotonNuevaVenta), static_cast<QObject*>(p.BotonRedondo1)})
      EXPECT_FALSE(Pantalla::Permitido(b)) << b->objectName().toStdString();
    for (const QAction* a : {p.Guardar1, p.CancelaMovimiento1}) EXPECT_TRUE(Pantalla::Permitido(a));
    for (const QAction* a : {p.Nuevo1, p.Cancelar1, p.Eliminar1, p.Buscar1, p.ImprimirDocumento1, p.Imprimir1,
                             p.Modificar1, p.Reportes1->menuAction(), p.Generar1->menuAction()})
      EXPECT_FALSE(Pantalla::Permitido(a)) << a->objectName().toStdString();

    // A document shown.
    p.HabilitaBotonesCaptura(true, true, false, true, true, true, false);
    EXPECT_EQ(p.EstadoCaptura->text(), "Terminada");
    EXPECT_EQ(p.Panel2->palette().color(QPalette::Window), QColor(0, 128, 128));
    EXPECT_TRUE(p.BotonNuevo->isEnabled());
    EXPECT_FALSE(Pantalla::Permitido(p.BotonTerminaVenta));
    EXPECT_TRUE(Pantalla::Permitido(p.BotonNuevaVenta));
    EXPECT_FALSE(p.EditClave->isEnabled());
    EXPECT_FALSE(Pantalla::Permitido(p.BotonAgregarPartida));
    EXPECT_TRUE(p.Navegador->isEnabled());
    EXPECT_TRUE(p.Reportes1->menuAction()->isEnabled());
    for (const QAction* a : {p.Nuevo1, p.Cancelar1, p.Buscar1, p.ImprimirDocumento1, p.Imprimir1})
      EXPECT_TRUE(Pantalla::Permitido(a)) << a->objectName().toStdString();

    // An item the phase allows is usable only once it has a command.
    QAction sinComando(QStringLiteral("Sin comando"), &p);
    p.Permite(&sinComando, true);
    EXPECT_FALSE(sinComando.isEnabled());
    int veces = 0;
    p.AsignaComando(&sinComando, [&] { ++veces; });
    EXPECT_TRUE(sinComando.isEnabled());
    sinComando.trigger();
    EXPECT_EQ(veces, 1);
    for (const QObject* nuevo : {static_cast<QObject*>(p.Nuevo1), static_cast<QObject*>(p.BotonNuevaVenta)})
      EXPECT_TRUE(nuevo->property("enabled").toBool()) << nuevo->objectName().toStdString();
    p.HabilitaBotonesCaptura(false, false, true, false, false, false, true);
    EXPECT_FALSE(p.Cancelar1->isEnabled());
    EXPECT_FALSE(p.Buscar1->isEnabled());
    EXPECT_FALSE(p.Nuevo1->isEnabled());
    EXPECT_FALSE(p.BotonNuevaVenta->isEnabled());
    EXPECT_TRUE(p.Salir1->isEnabled());

    // The capture unlocked: Enter moves from box to box.
    p.HabilitaCaptura();
    EXPECT_TRUE(p.Caja->isEnabled());
    EXPECT_FALSE(p.Detalle->SoloLectura());
    EXPECT_FALSE(p.EditCantidad->isReadOnly());
    p.EditCLCLI_F->setFocus();
    prueba::Tecla(p, "EditCLCLI_F", Qt::Key_Return);
    EXPECT_NE(QApplication::focusWidget(), p.EditCLCLI_F);
  });
}

TEST_F(CapturaRapida, UnaPantallaSinUsuarioTomaElDeMultiDat) {
  EscribeLineas(fs::Une(kPrograma, "Multi.dat"), {"2", "", "Deta"});
  auto p = std::make_unique<Pantalla>();
  ui::PuertaModal::Espera("TFormaCapturaRapida", [](QDialog& d) {
    EXPECT_EQ(static_cast<Pantalla&>(d).usuario->text(), "2");
  });
  p->ShowModal();
  fs::BorraArchivo(fs::Une(kPrograma, "Multi.dat"));
  auto q = std::make_unique<Pantalla>();
  ui::PuertaModal::Espera("TFormaCapturaRapida", [](QDialog&) {});
  q->ShowModal();
  EXPECT_EQ(q->usuario->text(), "0");
}

TEST_F(CapturaRapida, ElEstadoDelDocumentoSeLeeDeSusMarcas) {
  struct Caso {
    QMap<QString, QString> campos;
    QString estado;
    QString impresa;
    bool conImagen;
    bool cancelable;
  };
  // In order: each case starts from what the one before left on screen.
  const QList<Caso> casos = {
      {{{"REMIS_F", "F77"}}, "Activa Genero F77", "No Impresa", false, true},
      {{{"STATU_F", "G"}, {"TREGI_F", "I"}, {"PAGOX_F", "Efectivo"}}, "Pagada", "Impresa PAGADA", true, true},
      {{{"STATU_F", "X"}, {"TREGI_F", "I"}, {"REMIS_F", "F9"}}, "Pagada", "Impresa", true, true},
      {{{"STATU_F", "C"}, {"REMIS_F", "F77"}}, "Cancelada", "Impresa", true, false},
      {{{"STATU_F", "D"}}, "Dev. Total", "No Impresa", false, true},
      {{{"STATU_F", "P"}, {"REMIS_F", "P3"}}, "Dev. Parcial Genero P3", "No Impresa", false, true},
      {{{"STATU_F", "E"}, {"TREGI_F", "I"}}, "En Espera...", "Impresa", true, true},
  };
  for (int i = 0; i < casos.size(); ++i) AgregaRemision(i + 1, casos[i].campos);
  Abre("1", [&](Pantalla& p) {
    for (int i = 0; i < casos.size(); ++i) {
      SCOPED_TRACE(i + 1);
      ASSERT_TRUE(p.TablaFacturae->FindKey({i + 1}));
      p.MuestraEstadoDocumento();
      EXPECT_EQ(p.Estado->text(), casos[i].estado);
      EXPECT_EQ(p.Impresa->text(), casos[i].impresa);
      EXPECT_EQ(Visible(p.ImpresoBitmap), casos[i].conImagen);
      EXPECT_EQ(Pantalla::Permitido(p.Cancelar1), casos[i].cancelable);
    }
  });
}

TEST_F(CapturaRapida, LetrasYEstadosDeLosDocumentos) {
  const std::pair<QString, QChar> letras[] = {{"Factura", 'F'},    {"Remisión", 'R'},   {"Pedido", 'P'},
                                              {"Cotización", 'C'}, {"Caja Chica", 'C'}, {"Devolución", 'D'},
                                              {"Nota de Crédito", 'N'}, {"Remision", QChar()}};
  for (const auto& [tipo, letra] : letras) EXPECT_EQ(LetraDocumento(tipo), letra) << tipo.toStdString();
  EXPECT_EQ(TextoEstadoDocumento(""), "Activa");
  EXPECT_EQ(TextoEstadoDocumento("C"), "Cancelada");
  EXPECT_EQ(TextoEstadoDocumento("GG"), std::nullopt);
  EXPECT_EQ(TextoEstadoDocumento("Z"), std::nullopt);
}

TEST_F(CapturaRapida, ConLasOpcionesQueTraeElProgramaSeAbreSinAvisos) {
  fs::BorraArchivo(fs::Une(kPrograma, "encabeza.cnf"));
  InstalaArchivosPrograma();
  Abre("1", [](Pantalla& p) {
    const QAction* atajos[] = {p.CtrlF11, p.CtrlF21, p.CtrlF31, p.CtrlF41, p.CtrlF51, p.CtrlF61};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(atajos[i]->text(), QString("Ctrl+F%1").arg(i + 1));
    for (const QAction* a : {p.SaltarEncabezado1, p.IniciaenClave1, p.VerSoloTotal1, p.HabilitarBascula1})
      EXPECT_FALSE(a->isChecked());
    EXPECT_TRUE(p.SinTurno1->isChecked());
  });
  EXPECT_EQ(Mensajes(), QStringList());
}
