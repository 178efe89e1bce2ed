// A document captured and saved in the legacy window as a cashier does it:
// F9, lines typed into the grid (quantity and key, then the description
// column entered), F10; the rows it leaves in the header, line, product,
// movement and customer tables; the tare dialog; three stations saving at
// once.

#include "factura_prueba.h"

#include "foundation/rutinas_usuarios.h"
#include "inventory/ClaveRapida.h"
#include "inventory/ConPro.h"
#include "inventory/RegistroProducto.h"
#include "legacy/FormaTara.h"
#include "platform/fs/Falla.h"
#include "platform/ui/Aplicacion.h"
#include "platform/fs/Texto.h"
#include "platform/db/PuntosFalla.h"
#include "platform/db/Tabla.h"
#include "reports/ConsCata.h"
#include "shell/Principa.h"
#include "foundation/UnidadTrabajo.h"
#include "pos/CaptuRap_comun.h"
#include "pos/EstadoComandos.h"
#include "shell/LineasConfiguracion.h"
#include "support/Maneja.h"
#include "support/OcupaTabla.h"
#include "support/Proceso.h"

#include <QAction>
#include <QSet>

#include <optional>
#include <QDebug>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QApplication>
#include <QTest>

namespace {

TRegistroProducto Producto(const QString& clave, const QString& descripcion, double precio, double existencia) {
  TRegistroProducto p;
  p.CLPRO_I = clave;
  p.DSCPR_I = descripcion;
  p.PPUBL_I = Dinero::DeReal(precio);
  p.PLIS2_I = Dinero::DeReal(precio - 1);
  p.PLIS3_I = Dinero::DeReal(precio - 2);
  p.CPROM_I = Dinero::DeReal(precio / 2);
  p.UMEDI_I = "pza";
  p.PIVA1_I = 0;
  p.EXIST_I = existencia;
  return p;
}

void AgregaProductoCaptura(const TRegistroProducto& p) {
  db::Tabla t;
  t.SetCarpeta(kDatos);
  t.SetNombreTabla("INVENTAR.DBF");
  t.Open();
  t.Append();
  p.Escribe(t);
  t.Post();
}

// A line typed into the grid: quantity and key into the row the capture
// offers, then the description column entered.
void Linea(TFormaFactura& f, const QString& cantidad, const QString& clave) {
  db::Tabla& d = *f.TablaDeta;
  if (d.State() != db::Dataset::Estado::Insertando) d.Append();
  d.FieldByName("CANTIDAD").SetAsString(cantidad);
  d.FieldByName("CLAVE").SetAsString(clave);
  d.Post();
  f.Detalle->SetSelectedIndex(1);
  f.Detalle->SetSelectedIndex(2);
}

// The named fields of the rows of a table that pass the filter.
QList<QStringList> Filas(const QString& archivo, const QStringList& campos,
                         const std::function<bool(const db::Dataset&)>& filtro = {}) {
  db::Tabla t;
  t.SetCarpeta(kDatos);
  t.SetNombreTabla(archivo);
  t.Open();
  QList<QStringList> filas;
  for (t.First(); !t.Eof(); t.Next()) {
    if (filtro && !filtro(t)) continue;
    QStringList fila;
    for (const QString& c : campos) fila << t.FieldByName(c).AsString();
    filas << fila;
  }
  return filas;
}

QString Campo(const QString& archivo, const QString& llave, const QString& valor, const QString& campo) {
  const auto filas = Filas(archivo, {campo}, [&](const db::Dataset& t) { return t.FieldByName(llave).AsString() == valor; });
  return filas.isEmpty() ? QStringLiteral("<ninguna>") : filas.first().first();
}

// A station of its own: the window opened; F9 at the parent's word, then
// one line of P1, of the quantity argumentos[0], saved with F10 at its next
// word. F9 is held just before its provisional header is posted (the number
// read told), F10 at its post of the header being edited ("F10" told), each until
// the parent's word, so several stations' F9 and F10 meet at one moment;
// at the end the number saved and the messages are told.
RUTINA_HIJA(GuardaRemisionLegado) {
  int argc = 1;
  char nombre[] = "estacion";
  char* argv[] = {nombre, nullptr};
  ui::Aplicacion app(argc, argv);
  ui::PuertaModal::ModoPrueba(true);
  auto ventana = std::make_unique<TFormaFactura>();
  ventana->usuario->setText("1");
  ui::PuertaModal::Espera("TFormaFactura", [&](QDialog& d) {
    auto& f = static_cast<TFormaFactura&>(d);
    db::Tabla& e = *f.TablaFacturae;
    const db::Dataset::Evento antes = e.BeforePost;
    std::optional<db::Dataset::Estado> retiene;  // the post held, by the state it posts from
    e.BeforePost = [&](db::Dataset& t) {
      if (antes) antes(t);
      if (!retiene || t.State() != *retiene) return;
      retiene.reset();
      prueba::AvisaPadre(t.State() == db::Dataset::Estado::Insertando ? t.FieldByName("CLDOC_F").AsString()
                                                                       : QStringLiteral("F10"));
      prueba::EsperaPadre();
    };
    prueba::AvisaPadre("LISTO");
    prueba::EsperaPadre();
    retiene = db::Dataset::Estado::Insertando;
    f.BotonNuevo->click();
    Linea(f, argumentos.value(0), "P1");
    prueba::EsperaPadre();
    EditaFila(e);  // the header being edited, as a header field does
    retiene = db::Dataset::Estado::Editando;
    f.BotonGuardar->click();
    e.BeforePost = antes;
    prueba::AvisaPadre(f.EditCLDOC_F->text() + " " + ui::PuertaModal::Mensajes().join("|"));
    if (f.isVisible()) f.Close();
  });
  ventana->ShowModal();
  return 0;
}

RUTINA_HIJA(OcupaTabla) { return prueba::OcupaTabla(argumentos); }

// A station that captures two lines of a new remission and saves them with
// the fault seam armed at argumentos[0], pass argumentos[1].
RUTINA_HIJA(FacturaMuereAlGuardar) {
  int argc = 1;
  char nombre[] = "estacion";
  char* argv[] = {nombre, nullptr};
  ui::Aplicacion app(argc, argv);
  ui::PuertaModal::ModoPrueba(true);
  auto ventana = std::make_unique<TFormaFactura>();
  ventana->usuario->setText("1");
  ui::PuertaModal::Espera("TFormaFactura", [&](QDialog& d) {
    auto& f = static_cast<TFormaFactura&>(d);
    f.BotonNuevo->click();
    Linea(f, "2", "P1");
    Linea(f, "3", "P2");
    falla::Arma(argumentos.value(0), argumentos.value(1).toInt());
    prueba::AvisaPadre("ARMADO");
    f.BotonGuardar->click();
    falla::Desarma();
    if (f.isVisible()) f.Close();
  });
  ventana->ShowModal();
  return 0;
}

class FacturaCaptura : public FacturaPrueba {
 protected:
  void SetUp() override {
    FacturaPrueba::SetUp();
    QString todos(kNumeroDerechos, u's');
    QString sinAlta = todos;
    sinAlta[DerechoAltaFacturacion - 1] = u'n';
    EscribeUsuarios({{"adm", todos}, {"caja", todos}, {"sinalta", sinAlta}});
    FijaLinea(ConfIntegraMovimientos, "SI");
    FijaLinea(ConfFacturarSinExistencias, "S");
    FijaLinea(ConfIva, "0");
    AgregaRemision(12, {{"CONTROL", "120"}, {"CLCLI_F", "1"}});
    AgregaFila("CLIENTE.DBF", {{"CLCLI_C", "1"}, {"NOMBR_C", "MOSTRADOR"}, {"SALDO_C", "100"}});
    AgregaFila("CLIENTE.DBF", {{"CLCLI_C", "7"}, {"NOMBR_C", "LISTA TRES"}, {"PREPR_C", "3"}, {"SALDO_C", "0"}});
    AgregaProductoCaptura(Producto("P1", "TORNILLO", 10, 50));
    AgregaProductoCaptura(Producto("P2", "CLAVO", 4, 20));
    TRegistroProducto volumen = Producto("P3", "BROCA", 40, 30);
    volumen.POLI1_I = 5;
    volumen.POLI2_I = 10;
    volumen.POLI3_I = 20;  // the largest limit: list 3 from 20 up
    AgregaProductoCaptura(volumen);
  }

  static QString Existencia(const QString& clave, const QString& campo = "EXIST_I") {
    return Campo("INVENTAR.DBF", "CLPRO_I", clave, campo);
  }
};

// --- New document and saving a remission.

TEST_F(FacturaCaptura, SinElDerechoNuevoSoloAvisa) {
  AbreFactura("2", [](TFormaFactura& f) {
    ui::PuertaModal::LimpiaMensajes();
    f.BotonNuevo->click();
    EXPECT_EQ(Mensajes().size(), 1);
    EXPECT_EQ(ui::Tag(f.BotonNuevo), 0);
    EXPECT_EQ(f.EditCLDOC_F->text(), "12");
    EXPECT_FALSE(f.Navegador->isEnabled());
  });
  EXPECT_EQ(Filas("Remision.dbf", {"CLDOC_F"}).size(), 1);
}

TEST_F(FacturaCaptura, UnaRemisionCapturadaSeGuardaConExistenciasYMovimientos) {
  AbreFactura("1", [](TFormaFactura& f) {
    f.BotonNuevo->click();
    EXPECT_EQ(f.EditCLDOC_F->text(), "13");
    EXPECT_EQ(f.EditCLCLI_F->text(), "1");
    EXPECT_EQ(f.LabelPartidas->text(), "Partidas  0");
    EXPECT_EQ(ui::Tag(f.BotonNuevo), 1);
    f.EditCLCLI_FExit();  // the customer field left
    Linea(f, "2", "P1");
    EXPECT_EQ(f.TablaDeta->FieldByName("PRODUCTO").AsString().isEmpty(), true);  // the new row offered
    Linea(f, "3", "P2");
    ui::PuertaModal::LimpiaMensajes();
    f.BotonGuardar->click();
    EXPECT_EQ(Mensajes(), QStringList());
    EXPECT_EQ(ui::Tag(f.BotonNuevo), 0);
    EXPECT_EQ(f.EditCLDOC_F->text(), "13");
    const QString control = QString::number(f.EstadoFactura.Control);
    EXPECT_EQ(Filas("Remision.dbf", {"CLDOC_F", "CONTROL", "NOMBR_F", "SUBTO_F", "IMTOD_F"},
                    [](const db::Dataset& t) { return t.FieldByName("CLDOC_F").AsString() == "13"; }),
              (QList<QStringList>{{"13", control, "MOSTRADOR", "32", "32"}}));
    EXPECT_EQ(Filas("RemisioD.dbf", {"CLPRO_FD", "CANTI_FD", "DEPRO_FD", "PUNPR_FD", "PREDE_FD", "IMPOR_FD", "CONTROL"},
                    [](const db::Dataset& t) { return t.FieldByName("CLDOC_FD").AsString() == "13"; }),
              (QList<QStringList>{{"P1", "2", "TORNILLO", "10", "10", "20", control},
                                  {"P2", "3", "CLAVO", "4", "4", "12", control}}));
    EXPECT_EQ(Filas("Movinven.DBF", {"CLPRO_MI", "TIMOV_MI", "NUDOC_MI", "BANAF_MI", "CANTI_MI"}),
              (QList<QStringList>{{"P1", "3", "R13-" + control, "F", "2"}, {"P2", "3", "R13-" + control, "F", "3"}}));
  });
  EXPECT_EQ(Existencia("P1"), "48");
  EXPECT_EQ(Existencia("P1", "VANCA_I"), "2");
  EXPECT_EQ(Existencia("P1", "VANMO_I"), "20");
  EXPECT_EQ(Existencia("P2"), "17");
  EXPECT_FALSE(Existencia("P2", "FEULV_I").isEmpty());
  EXPECT_EQ(Campo("CLIENTE.DBF", "CLCLI_C", "1", "SALDO_C"), "100");
}

TEST_F(FacturaCaptura, SinNumeroOSinClienteNoSeGuardaYLaCapturaQueda) {
  AbreFactura("1", [](TFormaFactura& f) {
    f.BotonNuevo->click();
    Linea(f, "1", "P1");
    EditaFila(*f.TablaFacturae);
    f.TablaFacturae->FieldByName("CLDOC_F").Clear();
    f.EditCLDOC_F->setText("");
    ui::PuertaModal::LimpiaMensajes();
    f.BotonGuardar->click();
    EXPECT_EQ(Mensajes(), QStringList{"Falta el Numero de Documento"});
    EditaFila(*f.TablaFacturae);
    f.TablaFacturae->FieldByName("CLDOC_F").SetAsInteger(13);
    f.EditCLDOC_F->setText("13");
    f.EditCLCLI_F->setText("");
    ui::PuertaModal::LimpiaMensajes();
    f.BotonGuardar->click();
    EXPECT_EQ(Mensajes(), (QStringList{"No se puede Guardar la Factura faltan datos del Cliente",
                                       "No Pueden Guardarse los Datos ha Ocurrido un Error"}));
    EXPECT_EQ(ui::Tag(f.BotonNuevo), 1);
    f.TablaDeta->First();
    EXPECT_EQ(f.TablaDeta->FieldByName("CLAVE").AsString(), "P1");
    // Completed, it saves.
    f.EditCLCLI_F->setText("1");
    ui::PuertaModal::LimpiaMensajes();
    f.BotonGuardar->click();
    EXPECT_EQ(Mensajes(), QStringList());
    EXPECT_EQ(ui::Tag(f.BotonNuevo), 0);
  });
  EXPECT_EQ(Filas("RemisioD.dbf", {"CLPRO_FD"}, [](const db::Dataset& t) { return t.FieldByName("CLDOC_FD").AsString() == "13"; }),
            (QList<QStringList>{{"P1"}}));
}

// --- Lines.

TEST_F(FacturaCaptura, LasLineasTomanElPrecioDeLaListaYRevisanLaExistencia) {
  FijaLinea(ConfPoliticasPrecios, "S");
  FijaLinea(ConfFacturarSinExistencias, "N");
  AbreFactura("1", [](TFormaFactura& f) {
    f.BotonNuevo->click();
    // Policies on: a quantity on the largest limit takes that list's price.
    Linea(f, "20", "P3");
    f.TablaDeta->Prior();
    EXPECT_EQ(f.TablaDeta->FieldByName("PRECIO").AsString(), "38");
    f.TablaDeta->Next();
    // Two lines of one product counted together against its stock.
    ui::PuertaModal::LimpiaMensajes();
    Linea(f, "12", "P3");
    EXPECT_EQ(Mensajes(), QStringList{"Las Compras son Superiores a las Existencias 30 Solicitado 32"});
    EXPECT_TRUE(f.TablaDeta->FieldByName("PRODUCTO").AsString().isEmpty());
    // A text that names nothing.
    ui::PuertaModal::LimpiaMensajes();
    f.TablaDeta->Edit();
    Linea(f, "1", "QQQQ");
    EXPECT_EQ(Mensajes(), QStringList{"El Producto No Se encuentra"});
    // A customer on list 3 takes it whatever the policies.
    f.EditCLCLI_F->setText("7");
    f.EditCLCLI_FExit();
    EXPECT_EQ(f.Nombre->text(), "LISTA TRES");
    f.TablaDeta->Edit();
    Linea(f, "1", "P1");
    f.TablaDeta->Prior();
    EXPECT_EQ(f.TablaDeta->FieldByName("PRECIO").AsString(), "8");
    prueba::RespondeCierre(2);
  });
}

TEST_F(FacturaCaptura, UnaDescripcionParecidaAbreElCatalogoYUnaClaveQueNoExisteSeDaDeAlta) {
  AgregaProductoCaptura(Producto("X1", "MARTIZZZ", 5, 10));
  AgregaProductoCaptura(Producto("X2", "PINZZZZZ", 6, 10));
  AgregaProductoCaptura(Producto("X3", "GRAN MARTILLO", 7, 10));
  // The lookup and quick registration windows, as the program makes them
  // at start.
  const auto catalogo = std::make_unique<TFormaConProduct>();
  const auto alta = std::make_unique<TFormaClaveRapida>();
  // "MARTILLO" agrees with "MARTIZZZ" in 5 of 8 places: the lookup by
  // description opens on it, listing the descriptions that hold the text;
  // "PINZASXY" with "PINZZZZZ" in 4: not found.
  AbreFactura("1", [](TFormaFactura& f) {
    f.BotonNuevo->click();
    QString semejanza;
    ui::PuertaModal::Espera("TFormaConProduct", [&](QDialog& d) {
      semejanza = f.LabelPartidas->text();
      prueba::Tecla(d, "Detalle", Qt::Key_Return);
    });
    Linea(f, "1", "MARTILLO");
    EXPECT_EQ(semejanza, "0.625");
    f.TablaDeta->Prior();
    EXPECT_EQ(f.TablaDeta->FieldByName("CLAVE").AsString(), "X3");
    EXPECT_EQ(f.TablaDeta->FieldByName("PRODUCTO").AsString(), "GRAN MARTILLO");
    f.TablaDeta->Next();
    ui::PuertaModal::LimpiaMensajes();
    Linea(f, "1", "PINZASXY");
    EXPECT_EQ(Mensajes(), QStringList{"El Producto No Se encuentra"});
    EXPECT_EQ(ui::Tag(f.EditClave), 1);
    EXPECT_TRUE(f.TablaDeta->FieldByName("PRODUCTO").AsString().isEmpty());
    prueba::RespondeCierre(2);
  });

  // Configuration line 47: the question, whose capture-key answer opens the
  // quick registration with the typed key; the key then fills its line.
  ui::PuertaModal::LimpiaMensajes();
  FijaLinea(ConfCapturaClaves, "S");
  AbreFactura("1", [](TFormaFactura& f) {
    f.BotonNuevo->click();
    QString pregunta, clave;
    ui::PuertaModal::Espera("TFormaAdvertencia", [&](QDialog& d) {
      pregunta = prueba::Texto(d, "Label1");
      EXPECT_TRUE(prueba::Componente(d, "BotonCaptura")->isVisible());
      prueba::Pulsa(d, "BotonCaptura");
    });
    ui::PuertaModal::Espera("TFormaClaveRapida", [&](QDialog& d) {
      clave = prueba::Texto(d, "Edit1");
      prueba::Teclea(d, "Edit2", "PIJA NUEVA");
      prueba::Teclea(d, "Edit4", "15");
      prueba::Pulsa(d, "BotonGuardar");
    });
    Linea(f, "2", "PJ9");
    EXPECT_EQ(pregunta, "El Producto No Se encuentra...¿Desea darlo de Alta?");
    EXPECT_EQ(clave, "PJ9");
    EXPECT_EQ(ui::Tag(f.EditClave), 1);
    // The column entered again finds the new product.
    f.TablaDeta->Edit();
    Linea(f, "2", "PJ9");
    f.TablaDeta->Prior();
    EXPECT_EQ(f.TablaDeta->FieldByName("PRODUCTO").AsString(), "PIJA NUEVA");
    EXPECT_EQ(f.TablaDeta->FieldByName("IMPORTE").AsString(), "30");
    prueba::RespondeCierre(2);
  });
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(Existencia("PJ9", "DSCPR_I"), "PIJA NUEVA");
}

TEST_F(FacturaCaptura, SinExistenciaLaLineaNoSeEscribeNiSuMovimiento) {
  AbreFactura("1", [](TFormaFactura& f) {
    f.BotonNuevo->click();
    Linea(f, "60", "P1");
    Linea(f, "1", "P2");
    // Line 21 "N" when the save runs.
    f.EstadoFactura.FacturarSinExistencias = "N";
    ui::PuertaModal::LimpiaMensajes();
    f.BotonGuardar->click();
    EXPECT_EQ(Mensajes(), QStringList{"No hay Existencias Suficientes Para Surtir TORNILLO  Existencias 50"});
  });
  EXPECT_EQ(Filas("RemisioD.dbf", {"CLPRO_FD"}, [](const db::Dataset& t) { return t.FieldByName("CLDOC_FD").AsString() == "13"; }),
            (QList<QStringList>{{"P2"}}));
  EXPECT_EQ(Filas("Movinven.DBF", {"CLPRO_MI"}), (QList<QStringList>{{"P2"}}));
  EXPECT_EQ(Existencia("P1"), "50");
}

// --- Invoices and returns.

// The window as the catalogue browser opens it on the invoices (Catálogos >
// "Facturación", F2 on a row): modal, on the invoice tables.
TEST_F(FacturaCaptura, UnaFacturaConDescuentoYTasaVaciaSubeElSaldoPorElSubtotal) {
  AgregaFila("FacturaE.dbf", {{"CLDOC_F", "4"}, {"CONTROL", "40"}});
  TRegistroProducto gravado = Producto("P9", "GRAVADO", 116, 10);
  gravado.PIVA1_I = 16;
  AgregaProductoCaptura(gravado);
  UneDocumentosFactura();
  bool vista = false;
  ui::PuertaModal::Espera("TFormaFactura", [&](QDialog& d) {
    auto& f = static_cast<TFormaFactura&>(d);
    vista = true;
    EXPECT_EQ(f.Base->currentText(), "Factura");
    EXPECT_EQ(f.TablaFacturae->NombreTabla(), "Facturae.dbf");
    EXPECT_EQ(f.EditCLDOC_F->text(), "4");
    f.BotonNuevo->click();
    EXPECT_EQ(f.EditCLDOC_F->text(), "5");
    Linea(f, "1", "P9");
    f.EditDESFI_F->setText("10");
    f.EditIMIM1_F->setText("");
    f.BotonGuardar->click();
    EXPECT_EQ(ui::Tag(f.BotonNuevo), 0);
    EXPECT_EQ(f.EditCLDOC_F->text(), "5");
    f.Close();
  });
  ui::PuertaModal::Espera("TFormaCatalogo", [](QDialog& d) {
    auto& c = static_cast<TFormaCatalogo&>(d);
    c.Usuario->setText("1");
    c.TablaConsulta->First();
    prueba::Tecla(c, "DetalleCatalogo", Qt::Key_F2);
  });
  CreaNavegadorCatalogo(CatalogoMenu{"FacturaE.dbf", {"CLDOC_F", "CLCLI_F", "NOMBR_F"}, {"Documento", "Clave", "Nombre"}})
      ->ShowModal();
  EXPECT_TRUE(vista);
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(Filas("FacturaE.dbf", {"CLDOC_F", "SUBTO_F", "DESFI_F"},
                  [](const db::Dataset& t) { return t.FieldByName("CLDOC_F").AsString() == "5"; }),
            (QList<QStringList>{{"5", "104.4", "10"}}));  // 116 less 10 %
  const auto lineas = Filas("FacturaD.dbf", {"CLPRO_FD", "PREDE_FD"});
  ASSERT_EQ(lineas.size(), 1);
  EXPECT_EQ(lineas[0][1], "90");  // 116 x 0.9 / 1.16
  EXPECT_EQ(Campo("CLIENTE.DBF", "CLCLI_C", "1", "SALDO_C"), "204.4");  // 100 + 116 x 0.9
  EXPECT_EQ(Filas("Movinven.DBF", {"TIMOV_MI"}), (QList<QStringList>{{"1"}}));
}

TEST_F(FacturaCaptura, UnaDevolucionRegresaCadaLineaConSuMovimiento) {
  AbreFactura("1", [](TFormaFactura& f) {
    f.Base->setCurrentIndex(f.Base->findText(kBaseDevolucion));
    f.BaseChange();
    f.BotonNuevo->click();
    Linea(f, "1", "P1");
    Linea(f, "2", "P2");
    Linea(f, "3", "P3");
    f.BotonGuardar->click();
  });
  EXPECT_EQ(Existencia("P1"), "51");
  EXPECT_EQ(Existencia("P2"), "22");
  EXPECT_EQ(Existencia("P3"), "33");
  EXPECT_EQ(Filas("Movinven.DBF", {"CLPRO_MI", "TIMOV_MI"}),
            (QList<QStringList>{{"P1", "52"}, {"P2", "52"}, {"P3", "52"}}));
}

// The same return typed by keys, the kind picked from the selector's list:
// quantity, Enter, key, Enter in the capture edits (the line filled as the
// grid enters its description column), then F10.
TEST_F(FacturaCaptura, UnaDevolucionTecleadaGuardaSusLineasYLasRegresa) {
  AbreFactura("1", [](TFormaFactura& f) {
    const auto foco = [] { return QApplication::focusWidget(); };
    const auto teclea = [&](const QString& texto) {
      for (const QChar c : texto) QTest::keyClicks(foco(), QString(c));
      QTest::keyClick(foco(), Qt::Key_Return);
    };
    const int devolucion = f.Base->findText(kBaseDevolucion);
    f.Base->setCurrentIndex(devolucion);
    emit f.Base->activated(devolucion);  // picked from the list
    QTest::keyClick(foco(), Qt::Key_F9);
    f.EditCantidad->setFocus();
    ASSERT_EQ(foco(), f.EditCantidad);
    for (const auto& [cantidad, clave] : {std::pair{"1", "P1"}, {"2", "P2"}, {"3", "P3"}}) {
      SCOPED_TRACE(clave);
      QTest::keyClick(foco(), Qt::Key_A, Qt::ControlModifier);
      teclea(cantidad);
      teclea(clave);
      EXPECT_EQ(f.TablaDeta->FieldByName("PRODUCTO").AsString(), "") << "la partida siguiente se ofrece";
    }
    EXPECT_EQ(Mensajes(), QStringList());
    QTest::keyClick(foco(), Qt::Key_F10);
  });
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(Existencia("P1"), "51");
  EXPECT_EQ(Existencia("P2"), "22");
  EXPECT_EQ(Existencia("P3"), "33");
  EXPECT_EQ(Filas("Movinven.DBF", {"CLPRO_MI", "CANTI_MI", "TIMOV_MI"}),
            (QList<QStringList>{{"P1", "1", "52"}, {"P2", "2", "52"}, {"P3", "3", "52"}}));
}

TEST_F(FacturaCaptura, UnaRemisionDelBuferSinAcentoSeGuardaComoRemision) {
  AbreFactura("1", [](TFormaFactura& f) {
    f.BotonNuevo->click();
    Linea(f, "1", "P1");
    f.Base->addItem("Remision");
    f.Base->setCurrentIndex(f.Base->count() - 1);
    f.BotonGuardar->click();
  });
  EXPECT_EQ(Filas("RemisioD.dbf", {"CLPRO_FD"}, [](const db::Dataset& t) { return t.FieldByName("CLDOC_FD").AsString() == "13"; }),
            (QList<QStringList>{{"P1"}}));
  EXPECT_EQ(Existencia("P1"), "49");
}

// --- Stations at once.

// Three stations press F9 at the same moment, so all three show the same
// provisional number, and save a remission of one product: three numbers,
// each with its own line and movement row, the stock lowered by the three.
TEST_F(FacturaCaptura, TresEstacionesConUnMismoNumeroProvisionalGuardanTresNumeros) {
  std::vector<std::unique_ptr<prueba::ProcesoHijo>> estaciones;
  for (int i = 1; i <= 3; ++i)
    estaciones.push_back(std::make_unique<prueba::ProcesoHijo>("GuardaRemisionLegado", QStringList{QString::number(i)}));
  for (auto& e : estaciones) ASSERT_EQ(e->EsperaLinea(), "LISTO");
  // F9 at one moment: each has read the last number before any posts its
  // provisional header.
  for (auto& e : estaciones) e->Envia("F9");
  for (auto& e : estaciones) EXPECT_EQ(e->EsperaLinea(), "13");
  for (auto& e : estaciones) e->Envia("");
  // F10 at one moment too.
  for (auto& e : estaciones) e->Envia("F10");
  for (auto& e : estaciones) EXPECT_EQ(e->EsperaLinea(), "F10");
  EXPECT_EQ(Filas("Remision.dbf", {"CLDOC_F"}), (QList<QStringList>{{"12"}, {"13"}, {"13"}, {"13"}}));
  for (auto& e : estaciones) e->Envia("");
  QSet<QString> numeros;
  for (int i = 1; i <= 3; ++i) {
    const QStringList r = estaciones[i - 1]->EsperaLinea().split(u' ');
    EXPECT_EQ(estaciones[i - 1]->Espera(), 0);
    ASSERT_GE(r.size(), 1);
    SCOPED_TRACE(r.join(' ').toStdString());
    const QString numero = r[0];
    EXPECT_EQ(r.mid(1).join(' '), "");  // nothing told
    numeros.insert(numero);
    const QString cantidad = QString::number(i);
    // The header's CONTROL names its lines and movement rows.
    const QString control = Campo("Remision.dbf", "CLDOC_F", numero, "CONTROL");
    EXPECT_EQ(Filas("Remision.dbf", {"SUBTO_F"},
                    [&](const db::Dataset& t) { return t.FieldByName("CLDOC_F").AsString() == numero; }),
              (QList<QStringList>{{QString::number(10 * i)}}));
    EXPECT_EQ(Filas("RemisioD.dbf", {"CLPRO_FD", "CANTI_FD", "CONTROL"},
                    [&](const db::Dataset& t) { return t.FieldByName("CLDOC_FD").AsString() == numero; }),
              (QList<QStringList>{{"P1", cantidad, control}}));
    EXPECT_EQ(Filas("Movinven.DBF", {"CLPRO_MI", "CANTI_MI"},
                    [&](const db::Dataset& t) { return t.FieldByName("NUDOC_MI").AsString() == "R" + numero + "-" + control; }),
              (QList<QStringList>{{"P1", cantidad}}));
  }
  // Distinct, and none the earlier document's (the walk-back may pass over
  // a number).
  EXPECT_EQ(numeros.size(), 3);
  for (const QString& n : numeros) EXPECT_GT(n.toInt(), 12) << n.toStdString();
  EXPECT_EQ(Filas("Remision.dbf", {"CLDOC_F"}).size(), 4);
  EXPECT_EQ(Filas("Movinven.DBF", {"CLDOC_MI"}).size(), 3);
  EXPECT_EQ(Existencia("P1"), "44");
  EXPECT_EQ(Existencia("P1", "VANCA_I"), "6");
}

// Another station pressed F9 at the same moment: both provisional headers
// carry 13; the one saved takes a number no other header holds.
TEST_F(FacturaCaptura, UnNumeroProvisionalRepetidoSeGuardaConElSiguiente) {
  AbreFactura("1", [](TFormaFactura& f) {
    f.BotonNuevo->click();
    EXPECT_EQ(f.EditCLDOC_F->text(), "13");
    AgregaRemision(13, {{"CONTROL", "777"}});
    Linea(f, "1", "P1");
    f.BotonGuardar->click();
    EXPECT_EQ(f.EditCLDOC_F->text(), "14");
  });
  EXPECT_EQ(Filas("Remision.dbf", {"CLDOC_F", "CONTROL"}, [](const db::Dataset& t) { return t.FieldByName("CONTROL").AsString() == "777"; }),
            (QList<QStringList>{{"13", "777"}}));
  EXPECT_EQ(Filas("RemisioD.dbf", {"CLPRO_FD"}, [](const db::Dataset& t) { return t.FieldByName("CLDOC_FD").AsString() == "14"; }),
            (QList<QStringList>{{"P1"}}));
}

// A station killed at each write of its save: the window opened again
// finishes it, every write made once.
TEST_F(FacturaCaptura, UnaEstacionMuertaAlGuardarLoTerminaAlVolver) {
  const auto revisa = [&](bool) {
    QString control;
    AbreFactura("1", [&](TFormaFactura& f) {
      EXPECT_EQ(Mensajes(), QStringList());
      EXPECT_EQ(ui::Tag(f.BotonNuevo), 0);
      EXPECT_EQ(f.EditCLDOC_F->text(), "13");
    });
    ui::PuertaModal::LimpiaMensajes();
    for (const char* t : {"Remision.dbf", "RemisioD.dbf", "INVENTAR.DBF", "Movinven.DBF"}) {
      SCOPED_TRACE(t);
      db::Tabla tabla;
      tabla.SetCarpeta(kDatos);
      tabla.SetNombreTabla(t);
      tabla.Open();
      EXPECT_EQ(tabla.TagsDiscrepantes(), QStringList());
    }
    EXPECT_EQ(Filas("Remision.dbf", {"CLDOC_F", "SUBTO_F"}), (QList<QStringList>{{"12", ""}, {"13", "32"}}));
    EXPECT_EQ(Filas("RemisioD.dbf", {"CLPRO_FD", "CANTI_FD"},
                    [](const db::Dataset& t) { return t.FieldByName("CLDOC_FD").AsString() == "13"; }),
              (QList<QStringList>{{"P1", "2"}, {"P2", "3"}}));
    control = Campo("Remision.dbf", "CLDOC_F", "13", "CONTROL");
    EXPECT_EQ(Filas("Movinven.DBF", {"CLPRO_MI", "NUDOC_MI"}),
              (QList<QStringList>{{"P1", "R13-" + control}, {"P2", "R13-" + control}}));
    EXPECT_EQ(Existencia("P1"), "48");
    EXPECT_EQ(Existencia("P2"), "17");
  };
  const int muertes = prueba::MuereEnCadaEscritura(fs::Local("C:\\"), "FacturaMuereAlGuardar", {},
                                                   {{guardado::puntos::kEscrito, {}},
                                                    {db::puntos::kRegistroAMedias, {1, 2, 3, 5, 8}},
                                                    {db::puntos::kAntesDeClaves, {1, 2, 4, 7}}},
                                                   revisa);
  EXPECT_GE(muertes, 8);
}

// --- Movement rows retried.

// Movement writes failing: retried, each retry that fails told in the
// caption. A row that passes the third attempt is written and the save
// ends; one that never passes stops the save after the thousandth retry
// with the error, nothing lost: F10 finishes it once the table writes again.
TEST_F(FacturaCaptura, UnMovimientoQueNoSeEscribeSeReintentaYNoSePierde) {
  const QString punto = QString::fromLatin1(db::puntos::kAntesDeEscribir) + ":MOVINVEN.DBF";
  const QString raizDatos = fs::Local("C:\\");
  const QString copia = QDir(raizDatos).absoluteFilePath("../inicial");
  CopiaArbol(raizDatos, copia);
  struct Caso {
    const char* nombre;
    int fallas;
    const char* intento;  // the caption's end
    bool termina;
  };
  for (const Caso& c : {Caso{"pasa al tercer intento", 3, "intento 1", true},
                        Caso{"nunca pasa", 5000, "intento 999", false}}) {
    SCOPED_TRACE(c.nombre);
    CopiaArbol(copia, raizDatos);
    ui::PuertaModal::LimpiaMensajes();
    AbreFactura("1", [&](TFormaFactura& f) {
      f.BotonNuevo->click();
      Linea(f, "1", "P1");
      const QString titulo = f.windowTitle();
      falla::ArmaError(punto, 1, c.fallas);
      f.BotonGuardar->click();
      falla::Desarma();
      EXPECT_EQ(f.windowTitle(), titulo + " Guardando MI, Problema de Tráfico..." + c.intento);
      if (!c.termina) {
        EXPECT_EQ(Mensajes(), QStringList{"Falla provocada en " + punto});
        EXPECT_FALSE(f.Detalle->isEnabled());
        EXPECT_EQ(Filas("Movinven.DBF", {"CLPRO_MI"}), QList<QStringList>());
        ui::PuertaModal::LimpiaMensajes();
        f.BotonGuardar->click();
      }
      EXPECT_EQ(Mensajes(), QStringList());
      EXPECT_EQ(ui::Tag(f.BotonNuevo), 0);
      EXPECT_EQ(f.EditCLDOC_F->text(), "13");
    });
    EXPECT_EQ(Filas("RemisioD.dbf", {"CLPRO_FD"}, [](const db::Dataset& t) { return t.FieldByName("CLDOC_FD").AsString() == "13"; }),
              (QList<QStringList>{{"P1"}}));
    EXPECT_EQ(Filas("Movinven.DBF", {"CLPRO_MI", "NUDOC_MI"}),
              (QList<QStringList>{{"P1", "R13-" + Campo("Remision.dbf", "CLDOC_F", "13", "CONTROL")}}));
    EXPECT_EQ(Existencia("P1"), "49");
  }
}

// The movement table held by another station (busy writing it) through a
// save: the retries show in the caption, the save stops within seconds with
// the table named, the number given and the first line's stock taken, the
// capture kept and locked; F10 once the table is free finishes it, each
// write once.
TEST_F(FacturaCaptura, UnaTablaDeMovimientosOcupadaDetieneElGuardadoYF10LoTermina) {
  AbreFactura("1", [](TFormaFactura& f) {
    f.BotonNuevo->click();
    Linea(f, "2", "P1");
    Linea(f, "3", "P2");
    const QString titulo = f.windowTitle();
    {
      prueba::ProcesoHijo otra("OcupaTabla", {kDatos, "Movinven.DBF"});
      ASSERT_EQ(otra.EsperaLinea(), "LISTO");
      ui::PuertaModal::LimpiaMensajes();
      f.BotonGuardar->click();
      otra.Envia("");
      EXPECT_EQ(otra.Espera(), 0);
    }
    EXPECT_TRUE(f.windowTitle().startsWith(titulo + " Guardando MI, Problema de Tráfico...intento "))
        << f.windowTitle().toStdString();
    ASSERT_EQ(Mensajes().size(), 1);
    EXPECT_TRUE(Mensajes()[0].contains("Movinven", Qt::CaseInsensitive)) << Mensajes()[0].toStdString();
    const QString control = Campo("Remision.dbf", "CLDOC_F", "13", "CONTROL");
    EXPECT_EQ(control, QString::number(f.EstadoFactura.Control));
    EXPECT_EQ(Filas("RemisioD.dbf", {"CLPRO_FD"}, [](const db::Dataset& t) { return t.FieldByName("CLDOC_FD").AsString() == "13"; }),
              QList<QStringList>());
    EXPECT_EQ(Filas("Movinven.DBF", {"CLPRO_MI"}), QList<QStringList>());
    EXPECT_EQ(Existencia("P1"), "48");
    EXPECT_EQ(Existencia("P2"), "20");
    EXPECT_FALSE(f.Detalle->isEnabled());
    EXPECT_TRUE(f.EditClave->isReadOnly());
    QStringList claves;
    for (f.TablaDeta->First(); !f.TablaDeta->Eof(); f.TablaDeta->Next())
      claves << f.TablaDeta->FieldByName("CLAVE").AsString() + "x" + f.TablaDeta->FieldByName("CANTIDAD").AsString();
    EXPECT_EQ(claves.mid(0, 2), (QStringList{"P1x2", "P2x3"}));

    ui::PuertaModal::LimpiaMensajes();
    f.BotonGuardar->click();
    EXPECT_EQ(Mensajes(), QStringList());
    EXPECT_EQ(f.EditCLDOC_F->text(), "13");
    EXPECT_EQ(ui::Tag(f.BotonNuevo), 0);
    EXPECT_EQ(Filas("RemisioD.dbf", {"CLPRO_FD", "CANTI_FD"},
                    [](const db::Dataset& t) { return t.FieldByName("CLDOC_FD").AsString() == "13"; }),
              (QList<QStringList>{{"P1", "2"}, {"P2", "3"}}));
    EXPECT_EQ(Filas("Movinven.DBF", {"CLPRO_MI", "NUDOC_MI", "CANTI_MI"}),
              (QList<QStringList>{{"P1", "R13-" + control, "2"}, {"P2", "R13-" + control, "3"}}));
  });
  EXPECT_EQ(Existencia("P1"), "48");
  EXPECT_EQ(Existencia("P2"), "17");
  EXPECT_EQ(Filas("Remision.dbf", {"CLDOC_F"}), (QList<QStringList>{{"12"}, {"13"}}));
}

// --- Tare.

TEST_F(FacturaCaptura, LaTaraRestaCajasYTomaElPesoDeLaBascula) {
  struct Caso {
    const char* nombre;
    double porCaja;
    const char* bascula;  // puerto.num, or none
    bool acepta;
    const char* neta;     // shown
    double resultado;
  };
  for (const Caso& c : {Caso{"cajas de cinco", 5, nullptr, true, "9.00", 9},
                        Caso{"una por caja", 0, nullptr, true, "5.00", 5},
                        Caso{"peso de la bascula", 5, "12.5", true, "12.50", 11.5},
                        Caso{"cancelada", 5, nullptr, false, "9.00", 10},
                        Caso{"cancelada con bascula", 5, "12.5", false, "12.50", 12.5}}) {
    SCOPED_TRACE(c.nombre);
    const QString puerto = fs::Une(kPrograma, "puerto.num");
    if (c.bascula) EscribeLineas(puerto, {c.bascula});
    else fs::BorraArchivo(puerto);
    QString neta;
    ui::PuertaModal::Espera("TFormaTara", [&](QDialog& d) {
      auto& t = static_cast<TFormaTara&>(d);
      neta = t.Cantidad_Tara->text().trimmed();
      (c.acepta ? t.BitBtn1 : t.BitBtn2)->click();
    });
    EXPECT_DOUBLE_EQ(PideTara(10, 0.5, c.porCaja), c.resultado);
    EXPECT_EQ(neta, c.neta);
  }
}

}  // namespace
