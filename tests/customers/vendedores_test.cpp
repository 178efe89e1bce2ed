// The seller catalogue driven as a user drives it: from the main menu, new
// sellers (stored empty at once, removed again when cancelled), the key
// checks of every way a seller is saved, changes, deleting, the search and
// the keys that move, a seller held by another station, the listing and
// commission reports through the report script runner, and printing
// through the seller format on the recording printer.

#include "app/Vorlan.h"
#include "clientes_prueba.h"
#include "customers/EdicionCatalogo.h"
#include "customers/Vendedor.h"
#include "formats/PaginaPrevia.h"
#include "foundation/describe.h"
#include "foundation/observa.h"
#include "platform/db/Consulta.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Texto.h"
#include "platform/print/Impresora.h"
#include "platform/print/Impresoras.h"
#include "platform/print/Registro.h"
#include "platform/ui/Colores.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "reports/Consulta.h"
#include "reports/Formatos.h"
#include "reports/Vistas.h"
#include "reports/RepoSQL.h"
#include "shell/Principa.h"
#include "support/ImpresionPrueba.h"
#include "support/Maneja.h"
#include "support/Proceso.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QRadioButton>
#include <QScrollArea>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <memory>

namespace {

using prueba::Pulsa;
using prueba::Tecla;
using prueba::Teclea;

const QString kBorrados = QStringLiteral("C:\\VRL\\borrados.dat");
// Line 13 of the tests; the program ships vendedor.fmt.
const QString kFormato = QStringLiteral("C:\\VRL\\consulta\\prueba.fmt");

class Vendedores : public ClientesPrueba {
 protected:
  void SetUp() override {
    ClientesPrueba::SetUp();
    // 0 every right, 1 without the seller window, 2 without adding,
    // deleting and changing sellers.
    EscribeBytes("C:\\VRL\\usuarios.def",
                 ArchivoUsuarios({{"adm", DerechosSin({})},
                                  {"caja", DerechosSin({DerechoVendedores})},
                                  {"vista", DerechosSin({DerechoAltaVendedores, DerechoBajaVendedores,
                                                         DerechoCambioVendedores})}}));
    FijaLinea(ConfFormatoVendedores, "prueba.fmt");
    Agrega("VENDEDOR.DBF", {"CLVEN_V", "NOMBR_V", "COMIS_V"},
           {{"01", "MOSTRADOR", "0"}, {"02", "LAURA", "5"}, {"03", "JORGE", "2.5"}});
    print::FijaImpresorasPrueba({{"laser", "", print::TipoImpresora::Registro, QString(), 600}}, 0);
    print::Impresora::Global().Restablece();
    print::BorraOperacionesGrabadas();
  }

  void TearDown() override {
    ventana_.reset();
    print::Impresora::Global().Restablece();
    print::RefrescaImpresoras();
    ClientesPrueba::TearDown();
  }

  static void FijaLinea(int linea, const QString& valor) {
    const QString archivo = "C:\\VRL\\Gener1.cnf";
    QStringList lineas = fs::LeeLineas(archivo);
    lineas[linea - 1] = valor;
    EscribeLineas(archivo, lineas);
  }

  static QColor Marco(const TFormaVendedor& v) { return v.Panel2->palette().color(QPalette::Window); }
  static QColor Color(ui::TColor c) { return ui::ColorQt(c, QPalette()); }

  // Editing, nothing that would move the seller table (and so store the
  // seller unchecked) can run: navigator, search, reports, printing.
  static bool Editando(const TFormaVendedor& v) {
    return v.Caja->isEnabled() && v.BotonGuardar->isEnabled() && v.CancelaMovimiento1->isEnabled() &&
           !v.BotonNuevo->isEnabled() && !v.BotonCambios->isEnabled() && !v.Navegador->isEnabled() &&
           !v.BotonBuscar->isEnabled() && !v.Reportes1->menuAction()->isEnabled() && !v.BotonImprimir->isEnabled() &&
           !v.BotonPreliminar->isEnabled() && !v.PresentacionPreliminar1->isEnabled() &&
           !v.ElegirFormato1->isEnabled() && !v.ImprimirRango1->isEnabled() && Marco(v) == Color(ui::clRed);
  }
  static bool Navegando(const TFormaVendedor& v) {
    return !v.Caja->isEnabled() && !v.BotonGuardar->isEnabled() && !v.CancelaMovimiento1->isEnabled() &&
           v.BotonNuevo->isEnabled() && v.BotonCambios->isEnabled() && v.Navegador->isEnabled() &&
           v.Reportes1->menuAction()->isEnabled() && v.ImprimirRango1->isEnabled() && ui::Tag(v.BotonNuevo) == 0 &&
           ui::Tag(v.BotonCambios) == 0;
  }

  // The sellers as "key|name", in physical order.
  static QStringList Lista() {
    QStringList filas;
    db::Tabla t;
    t.SetCarpeta(kDatosClientes);
    t.SetNombreTabla("VENDEDOR.DBF");
    t.Open();
    for (t.First(); !t.Eof(); t.Next())
      filas << t.FieldByName("CLVEN_V").AsString() + u'|' + t.FieldByName("NOMBR_V").AsString();
    return filas;
  }

  static void EnClave(TFormaVendedor& v, const QString& clave) {
    v.TablaVendedor->SetIndexName("ICLAVEN");
    ASSERT_TRUE(v.TablaVendedor->FindKey({clave})) << clave.toStdString();
  }

  // The catalogue shown and activated for `usuario`, as the main menu
  // leaves it.
  TFormaVendedor& Ventana(const QString& usuario = "0") {
    if (!ventana_) ventana_ = std::make_unique<TFormaVendedor>();
    ventana_->Usuario->setText(usuario);
    ventana_->Show();
    QApplication::setActiveWindow(ventana_.get());
    ventana_->DisparaActivacion();
    return *ventana_;
  }

  static void EscribeFormato() { EscribeLineas(kFormato, {"impresora,laser", "@2,2,nombr_v", "@2,3,clven_v"}); }

  std::unique_ptr<TFormaVendedor> ventana_;
};

// Another station: holds the seller of a key in edit until told.
RUTINA_HIJA(EditaVendedor) {
  db::Tabla t;
  t.SetCarpeta(kDatosClientes);
  t.SetNombreTabla("VENDEDOR.DBF");
  t.Open();
  t.SetIndexName("ICLAVEN");
  if (!t.FindKey({argumentos.value(0)})) return 1;
  t.Edit();
  prueba::AvisaPadre("EDITANDO");
  prueba::EsperaPadre();
  t.Cancel();
  return 0;
}

}  // namespace

TEST_F(Vendedores, ElMenuLaCreaConElDerecho2YLaLibera) {
  ProgramaVorlan programa;
  programa.Inicia();
  TFormaPrincipal& principal = *FormaPrincipal();
  principal.Show();
  ui::PuertaModal::Espera("TFormaEmpresas", [](QDialog& d) {
    Teclea(d, "Clave", "caja");
    Tecla(d, "Clave", Qt::Key_Return);
  });
  principal.DisparaActivacion();
  ASSERT_EQ(principal.Usuario->text(), "1");
  ui::PuertaModal::LimpiaMensajes();

  // User 1 lacks right 2: the refusal, no window shown, none left behind.
  ASSERT_TRUE(principal.Item("Vendedores2")->isEnabled());
  principal.Item("Vendedores2")->trigger();
  EXPECT_EQ(Mensajes(), QStringList{kSinAcceso});
  EXPECT_TRUE(ui::PuertaModal::SinRespuesta().isEmpty());
  EXPECT_EQ(FormaVendedor(), nullptr);

  ui::PuertaModal::LimpiaMensajes();
  principal.Usuario->setText("0");
  bool mostrada = false;
  ui::PuertaModal::Espera("TFormaVendedor", [&](QDialog& d) {
    auto& v = static_cast<TFormaVendedor&>(d);
    mostrada = true;
    EXPECT_EQ(v.windowTitle(), "Vendedores");
    EXPECT_EQ(v.Usuario->text(), "0");
    EXPECT_TRUE(Navegando(v));
    EXPECT_EQ(Marco(v), Color(ui::clMaroon));
    EXPECT_EQ(v.EditCLVEN_V->text(), "01");
    EXPECT_FALSE(v.BotonNuevo->icon().isNull());
    v.Close();
    EXPECT_EQ(ui::Tag(v.BotonSalir), 1000);
  });
  principal.BotonVendedor->click();
  EXPECT_TRUE(mostrada);
  EXPECT_EQ(FormaVendedor(), nullptr);
  EXPECT_EQ(Mensajes(), QStringList());
}

// "Nuevo" stores an empty seller at once; leaving it unsaved, by
// "Cancela Movimiento" or by "no" at the close question, logs that record
// and deletes it.
TEST_F(Vendedores, UnNuevoSinGuardarNoDejaVendedorYQuedaEnBorrados) {
  for (const bool alCerrar : {false, true}) {
    SCOPED_TRACE(alCerrar ? "al cerrar" : "cancela movimiento");
    ventana_.reset();
    fs::BorraArchivo(kBorrados);
    TFormaVendedor& v = Ventana();
    Pulsa(v, "BotonNuevo");
    ASSERT_TRUE(Editando(v));
    EXPECT_EQ(QApplication::focusWidget(), v.EditCLVEN_V);
    EXPECT_EQ(Lista(), (QStringList{"01|MOSTRADOR", "02|LAURA", "03|JORGE", "|"}));
    Teclea(v, "EditNOMBR_V", "PEDRO");
    if (alCerrar) {
      prueba::RespondeCierre(2);
      v.Close();
      EXPECT_FALSE(v.isVisible());
    } else {
      v.CancelaMovimiento1->trigger();
      EXPECT_TRUE(Navegando(v));
    }
    EXPECT_EQ(Lista(), (QStringList{"01|MOSTRADOR", "02|LAURA", "03|JORGE"}));
    const QStringList lineas = fs::LeeLineas(kBorrados);
    ASSERT_EQ(lineas.size(), 1);
    EXPECT_TRUE(lineas[0].startsWith("vendedor.dbf,")) << lineas[0].toStdString();
    EXPECT_TRUE(lineas[0].contains(",CLVEN_V,,NOMBR_V,,")) << lineas[0].toStdString();
    EXPECT_EQ(Mensajes(), QStringList());
  }
}

// Guardar and the close question's "save" pass the same checks: the
// message, the key focused, nothing stored, the window editing. A changed
// key is checked as a new one is.
TEST_F(Vendedores, LaClaveVaciaORepetidaNoSeGuarda) {
  struct Caso {
    const char* nombre;
    bool cambio;  // a change of 03 (else a new seller)
    QString clave;
    bool alCerrar;
    QString mensaje;
  };
  const Caso casos[] = {
      {"nuevo con clave existente", false, "02", false, kClaveVendedorExiste},
      {"nuevo sin clave", false, "", false, kFaltaClaveVendedor},
      {"cambio a la clave de otro", true, "02", false, kClaveVendedorExiste},
      {"cambio a clave vacía", true, "", false, kFaltaClaveVendedor},
      {"cerrar guardando un nuevo repetido", false, "01", true, kClaveVendedorExiste},
      {"cerrar guardando un cambio a la clave de otro", true, "01", true, kClaveVendedorExiste},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    ventana_.reset();
    ui::PuertaModal::LimpiaMensajes();
    TFormaVendedor& v = Ventana();
    if (c.cambio) {
      EnClave(v, "03");
      Pulsa(v, "BotonCambios");
      prueba::Reescribe(v.EditCLVEN_V, c.clave);
    } else {
      Pulsa(v, "BotonNuevo");
      Teclea(v, "EditCLVEN_V", c.clave);
    }
    Teclea(v, "EditNOMBR_V", "X");
    if (c.alCerrar) {
      prueba::RespondeCierre(1);
      v.Close();
      EXPECT_TRUE(v.isVisible());
    } else {
      Pulsa(v, "BotonGuardar");
    }
    EXPECT_EQ(Mensajes(), QStringList{c.mensaje});
    EXPECT_TRUE(Editando(v));
    EXPECT_EQ(QApplication::focusWidget(), v.EditCLVEN_V);
    v.CancelaMovimiento1->trigger();
    EXPECT_EQ(Lista(), (QStringList{"01|MOSTRADOR", "02|LAURA", "03|JORGE"}));
  }
}

TEST_F(Vendedores, SeGuardanNuevosYCambios) {
  TFormaVendedor& v = Ventana();
  Pulsa(v, "BotonNuevo");
  Teclea(v, "EditCLVEN_V", "04");
  Teclea(v, "EditNOMBR_V", "PEDRO");
  Teclea(v, "EditSTATU_V", "555-1234");
  Teclea(v, "EditCOMIS_V", "4.5");
  Teclea(v, "EditCLASV_V", "NORTE");
  Pulsa(v, "BotonGuardar");
  EXPECT_TRUE(Navegando(v));
  EXPECT_EQ(Marco(v), Color(ui::clMaroon));
  EXPECT_EQ(Lista(), (QStringList{"01|MOSTRADOR", "02|LAURA", "03|JORGE", "04|PEDRO"}));
  EXPECT_EQ(v.EditCLVEN_V->text(), "04");

  // A change that keeps the key, then one to a key nobody has.
  EnClave(v, "02");
  Pulsa(v, "BotonCambios");
  EXPECT_TRUE(Editando(v));
  prueba::Reescribe(v.EditNOMBR_V, "LAURA MENDEZ");
  Pulsa(v, "BotonGuardar");
  EXPECT_TRUE(Navegando(v));
  Pulsa(v, "BotonCambios");
  prueba::Reescribe(v.EditCLVEN_V, "09");
  prueba::RespondeCierre(1);
  v.Close();
  EXPECT_FALSE(v.isVisible());
  EXPECT_EQ(Lista(), (QStringList{"01|MOSTRADOR", "09|LAURA MENDEZ", "03|JORGE", "04|PEDRO"}));

  // A cancelled change leaves the seller as it was.
  v.Show();
  EnClave(v, "03");
  Pulsa(v, "BotonCambios");
  prueba::Reescribe(v.EditNOMBR_V, "OTRO");
  v.CancelaMovimiento1->trigger();
  EXPECT_TRUE(Navegando(v));
  EXPECT_EQ(v.EditNOMBR_V->text(), "JORGE");
  EXPECT_EQ(Lista(), (QStringList{"01|MOSTRADOR", "09|LAURA MENDEZ", "03|JORGE", "04|PEDRO"}));
  EXPECT_EQ(Mensajes(), QStringList());
}

// Line 1 "NO": the table is read again after a save, on the seller saved.
TEST_F(Vendedores, SinTablasAbiertasElGuardadoVuelveAlVendedor) {
  FijaLinea(ConfBasesAbiertas, "NO");
  TFormaVendedor& v = Ventana();
  Pulsa(v, "BotonNuevo");
  Teclea(v, "EditCLVEN_V", "04");
  Teclea(v, "EditNOMBR_V", "PEDRO");
  Pulsa(v, "BotonGuardar");
  EXPECT_TRUE(Navegando(v));
  EXPECT_EQ(v.EditCLVEN_V->text(), "04");
  EXPECT_EQ(v.EditNOMBR_V->text(), "PEDRO");
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Vendedores, SinDerechosNoSeAgreganCambianNiEliminan) {
  TFormaVendedor& v = Ventana("2");
  Pulsa(v, "BotonNuevo");
  Pulsa(v, "BotonCambios");
  v.Eliminar1->trigger();
  EXPECT_EQ(Mensajes(), QStringList(3, kSinAcceso));
  EXPECT_TRUE(Navegando(v));
  EXPECT_EQ(Lista().size(), 3);
}

TEST_F(Vendedores, EliminarPreguntaYRegistraAntesDeBorrar) {
  for (const bool si : {false, true}) {
    SCOPED_TRACE(si ? "sí" : "no");
    ventana_.reset();
    fs::BorraArchivo(kBorrados);
    TFormaVendedor& v = Ventana();
    EnClave(v, "02");
    QString pregunta;
    ui::PuertaModal::Espera("TFormaAdvertencia", [&](QDialog& d) {
      pregunta = prueba::Texto(d, "Label1");
      Pulsa(d, si ? "BitBtn1" : "BitBtn2");
    });
    v.Eliminar1->trigger();
    EXPECT_EQ(pregunta, "Esta Seguro de Eliminar este Registro ?");
    if (si) {
      EXPECT_EQ(Lista(), (QStringList{"01|MOSTRADOR", "03|JORGE"}));
      const QStringList lineas = fs::LeeLineas(kBorrados);
      ASSERT_EQ(lineas.size(), 1);
      EXPECT_TRUE(lineas[0].contains(",CLVEN_V,02,NOMBR_V,LAURA,")) << lineas[0].toStdString();
    } else {
      EXPECT_EQ(Lista().size(), 3);
      EXPECT_FALSE(fs::ExisteArchivo(kBorrados));
    }
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Vendedores, BuscarYLasTeclasQueMueven) {
  Agrega("VENDEDOR.DBF", {"CLVEN_V", "NOMBR_V"}, {{"05", "ANA"}});
  TFormaVendedor& v = Ventana();
  const auto busca = [&v](const char* opcion, const QString& texto) {
    ui::PuertaModal::Espera("TFormaBusqueda", [opcion, texto](QDialog& d) {
      Tecla(d, "CajaBuscar", QString::fromLatin1(opcion) == "Clave" ? Qt::Key_F1 : Qt::Key_F2);
      Teclea(d, "CajaBuscar", texto);
      Pulsa(d, "BotonAceptar");
    });
    Pulsa(v, "BotonBuscar");
  };
  // The nearest key at or after the text.
  busca("Clave", "025");
  EXPECT_EQ(v.windowTitle(), kVendedoresPorClave);
  EXPECT_EQ(v.EditCLVEN_V->text(), "03");
  Tecla(v, "", Qt::Key_PageDown);
  EXPECT_EQ(v.EditCLVEN_V->text(), "05");
  Tecla(v, "", Qt::Key_PageUp);
  Tecla(v, "", Qt::Key_PageUp);
  EXPECT_EQ(v.EditCLVEN_V->text(), "02");

  busca("Nombre", "J");
  EXPECT_EQ(v.windowTitle(), kVendedoresPorNombre);
  EXPECT_EQ(v.EditNOMBR_V->text(), "JORGE");
  Tecla(v, "", Qt::Key_PageUp);
  EXPECT_EQ(v.EditNOMBR_V->text(), "ANA");

  // While editing the navigator is off: the keys move nothing.
  Pulsa(v, "BotonCambios");
  Tecla(v, "", Qt::Key_PageDown);
  EXPECT_EQ(v.EditNOMBR_V->text(), "ANA");
  v.CancelaMovimiento1->trigger();
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Vendedores, LaAyudaDeLosBotonesYDeCadaCampo) {
  TFormaVendedor& v = Ventana();
  // A right click on a button tells what it does, for sellers.
  for (const char* boton : {"BotonCambios", "BotonNuevo", "BotonGuardar", "BotonBuscar", "BotonImprimir"}) {
    SCOPED_TRACE(boton);
    QString texto;
    ui::PuertaModal::Espera("TFormaDescribe",
                            [&](QDialog& d) { texto = static_cast<TFormaDescribe&>(d).Comenta->toPlainText(); });
    QTest::mousePress(prueba::Componente(v, boton), Qt::RightButton);
    EXPECT_TRUE(texto.contains("vendedor")) << texto.toStdString();
  }
  Pulsa(v, "BotonCambios");
  const QStringList ayuda = fs::LeeLineasCp1252OUtf8("C:\\VRL\\vendedor.des");
  ASSERT_GE(ayuda.size(), 8);
  v.EditNOMBR_V->setFocus();
  EXPECT_EQ(v.uno->text(), ayuda[2]);
  EXPECT_EQ(v.dos->text(), ayuda[3]);
  // The telephone shows none: the lines stay.
  v.EditSTATU_V->setFocus();
  EXPECT_EQ(v.uno->text(), ayuda[2]);
  v.EditCOMIS_V->setFocus();
  EXPECT_EQ(v.uno->text(), ayuda[4]);
  v.EditCLASV_V->setFocus();
  EXPECT_EQ(v.dos->text(), ayuda[7]);
  v.EditCLVEN_V->setFocus();
  EXPECT_EQ(v.uno->text(), ayuda[0]);
  // Enter and Down go to the next box, Up to the one before.
  Tecla(v, "EditCLVEN_V", Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), v.EditNOMBR_V);
  Tecla(v, "EditNOMBR_V", Qt::Key_Down);
  EXPECT_EQ(QApplication::focusWidget(), v.EditSTATU_V);
  Tecla(v, "EditSTATU_V", Qt::Key_Up);
  EXPECT_EQ(QApplication::focusWidget(), v.EditNOMBR_V);
  v.CancelaMovimiento1->trigger();
}

// The catalogue browser stands a window never shown on a seller.
TEST_F(Vendedores, PosicionaVendedorPreparaLaVentana) {
  ventana_ = std::make_unique<TFormaVendedor>();
  ventana_->Usuario->setText("0");
  ventana_->PosicionaVendedor("03");
  EXPECT_EQ(ventana_->Tag(), 1);
  EXPECT_EQ(ventana_->EditCLVEN_V->text(), "03");
  EXPECT_FALSE(ventana_->BotonGuardar->isEnabled());
  EXPECT_FALSE(ventana_->Caja->isEnabled());
  TFormaVendedor& v = Ventana();
  EXPECT_EQ(v.EditCLVEN_V->text(), "03");
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Vendedores, LasObservacionesSonDelVendedor) {
  TFormaVendedor& v = Ventana();
  EnClave(v, "02");
  ui::PuertaModal::Espera("TFormaObservaciones", [](QDialog& d) {
    static_cast<TFormaObservaciones&>(d).Observacion->setPlainText("Zona norte los martes");
    Pulsa(d, "BitBtn1");
  });
  Pulsa(v, "BotonObservacion");
  db::Tabla obs;
  obs.SetCarpeta(kDatosClientes);
  obs.SetNombreTabla("factuobs.dbf");
  obs.Open();
  ASSERT_EQ(obs.RecordCount(), 1);
  EXPECT_EQ(obs.FieldByName("CLDOC_FO").AsString() + u'|' + obs.FieldByName("TIDOC_FO").AsString() + u'|' +
                obs.FieldByName("OBSER_FO").AsString(),
            "02|VE|Zona norte los martes");
  EXPECT_EQ(Mensajes(), QStringList());
}

// A company without its seller table: said when the window opens, and
// nothing can be added.
TEST_F(Vendedores, SinLaTablaDeVendedoresLoDice) {
  db::Tabla::Borra(kDatosClientes, "VENDEDOR.DBF");
  TFormaVendedor& v = Ventana();
  EXPECT_EQ(Mensajes(), QStringList{kErrorAbrirTablas});
  ui::PuertaModal::LimpiaMensajes();
  Pulsa(v, "BotonNuevo");
  EXPECT_TRUE(Navegando(v));
  EXPECT_EQ(Mensajes(), QStringList());
}

// While another station holds the seller, "Modificar" gives up after the
// table layer's wait and the window keeps browsing.
TEST_F(Vendedores, ModificarUnVendedorEnUsoEnOtraEstacion) {
  TFormaVendedor& v = Ventana();
  EnClave(v, "02");
  prueba::ProcesoHijo otra("EditaVendedor", {"02"});
  ASSERT_EQ(otra.EsperaLinea(), "EDITANDO");
  Pulsa(v, "BotonCambios");
  EXPECT_EQ(Mensajes(), QStringList{kErrorEditarVendedor});
  EXPECT_TRUE(Navegando(v));
  otra.Envia("");
  EXPECT_EQ(otra.Espera(), 0);
  ui::PuertaModal::LimpiaMensajes();
  Pulsa(v, "BotonCambios");
  EXPECT_TRUE(Editando(v));
  v.CancelaMovimiento1->trigger();
  EXPECT_EQ(Mensajes(), QStringList());
}

// --- Reports.

TEST_F(Vendedores, LosGuionesSonLosDelCatalogo) {
  const QByteArray listado = fs::ACp1252(GuionListadoVendedores("Listado de Vendedores", "C:\\D\\vendedor.dbf"));
  EXPECT_EQ(listado,
            QByteArray("$Listado de Vendedores\r"
                       "& Select CLVEN_V,NOMBR_V,TELEF_V,COMIS_V\xAB from \"C:\\D\\vendedor.dbf\"\r"
                       "?(CLVEN_V=CLVEN_V)\xBF\r"
                       "!CLVEN_V\r"
                       "%c          c                  c                f             \r"
                       "#VENDEDOR    NOMBRE             TELEFONO        COMISION       \r"
                       "@\r"));
  const QByteArray inicio(
      "& Select CLVEN_F,NOMBR_F,CLDOC_F,SUBTO_F,SUBTO_F*CTOVE_F*0.01,FEDOC_F\xAB from \"C:\\D\\FACTURAE.DBF\"\r"
      "?(CLVEN_F=CLVEN_F OR CLVEN_F IS NULL)  \xBF\r"
      "!CLVEN_F,CLDOC_F\r");
  const QByteArray fin(
      "%c          c                  e              t                t             c             \r"
      "#VENDEDOR    NOMBRE            DOCUMENTO      SUBTOTAL         COMISION      FECHA_DOC.    \r"
      "@\r");
  EXPECT_EQ(fs::ACp1252(GuionComisiones("Comisiones Detallado", "C:\\D\\FACTURAE.DBF", false)),
            "$Comisiones Detallado\r" + inicio + fin);
  EXPECT_EQ(fs::ACp1252(GuionComisiones("Comisiones Concentrado", "C:\\D\\FACTURAE.DBF", true)),
            "$Comisiones Concentrado\r" + inicio + ">CLVEN_F\r" + fin);
}

namespace {

// What the report window held while it was shown.
struct Reporte {
  bool mostrado = false;
  QString caption;
  QString sql;
  QStringList paginas;
  QString de, hasta;  // the key range the dialog proposed
};

// Runs a report item, accepting its parameters dialog as it comes.
Reporte CorreReporte(QAction* item) {
  auto r = std::make_shared<Reporte>();
  ui::PuertaModal::Espera("TFormaFormatos", [r](QDialog& d) {
    auto& f = static_cast<TFormaFormatos&>(d);
    r->de = f.De->text();
    r->hasta = f.Hasta->text();
    Pulsa(d, "BitBtn4");
  });
  ui::PuertaModal::Espera("TFormaReporteSQL", [r](QDialog& d) {
    auto& v = static_cast<TFormaReporteSQL&>(d);
    r->mostrado = true;
    r->caption = v.windowTitle();
    r->sql = v.Query1->SQL();
    r->paginas = v.PaginasGuion;
  });
  item->trigger();
  return *r;
}

}  // namespace

TEST_F(Vendedores, ListadoDeVendedores) {
  TFormaVendedor& v = Ventana();
  const Reporte r = CorreReporte(v.ListadodeVendedores1);
  ASSERT_TRUE(r.mostrado);
  EXPECT_EQ(r.caption, "Reporte de Listado de Vendedores");
  EXPECT_EQ(r.de, "01");
  EXPECT_EQ(r.hasta, "03");
  EXPECT_TRUE(r.sql.contains("from \"C:\\VRL\\DATOS\\vendedor.dbf\"")) << r.sql.toStdString();
  const QString paginas = r.paginas.join(u'\n');
  EXPECT_TRUE(paginas.contains(QRegularExpression("02 +LAURA +5\\.00"))) << paginas.toStdString();
  EXPECT_TRUE(paginas.contains(QRegularExpression("03 +JORGE +2\\.50"))) << paginas.toStdString();
  // The catalogue is open again.
  EXPECT_TRUE(v.TablaVendedor->Active());
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Vendedores, ComisionesPorFactura) {
  const QString hoy = fs::Hoy().toString("dd/MM/yyyy");
  Agrega("FACTURAE.DBF", {"CLDOC_F", "NOMBR_F", "CLVEN_F", "CTOVE_F", "SUBTO_F", "FEDOC_F"},
         {{"1", "ABARROTES", "02", "5", "1000", hoy},
          {"2", "MOSTRADOR", "", "0", "200", hoy},
          {"3", "FERRETERIA", "02", "5", "300", hoy},
          {"4", "PAPELERIA", "03", "2.5", "400", hoy}});
  TFormaVendedor& v = Ventana();

  const Reporte detallado = CorreReporte(v.ComisionesDetallado1);
  ASSERT_TRUE(detallado.mostrado);
  EXPECT_EQ(detallado.caption, "Reporte de Comisiones Detallado");
  EXPECT_EQ(detallado.de, "1");
  EXPECT_EQ(detallado.hasta, "4");
  QStringList filas;
  for (const QString& p : detallado.paginas)
    if (p.contains(hoy)) filas << p.simplified();
  // Ordered by seller then number; the invoice without a seller first, with
  // an empty seller; the commission is subtotal × percent × 0.01.
  EXPECT_EQ(filas, (QStringList{"MOSTRADOR 2 200.00 0.00 " + hoy, "02 ABARROTES 1 1,000.00 50.00 " + hoy,
                                "02 FERRETERIA 3 300.00 15.00 " + hoy, "03 PAPELERIA 4 400.00 10.00 " + hoy}))
      << detallado.paginas.join(u'\n').toStdString();
  const QString todo = detallado.paginas.join(u'\n');
  EXPECT_TRUE(todo.contains(QRegularExpression("1,900\\.00 +75\\.00"))) << todo.toStdString();

  // Concentrado: the subtotal of each seller besides.
  const Reporte concentrado = CorreReporte(v.ComisionesConcentrado1);
  ASSERT_TRUE(concentrado.mostrado);
  QStringList sumas;
  for (const QString& p : concentrado.paginas)
    if (p.simplified().contains(QRegularExpression("^[0-9,.]+ [0-9,.]+$"))) sumas << p.simplified();
  EXPECT_EQ(sumas, (QStringList{"200.00 0.00", "1,300.00 65.00", "400.00 10.00", "1,900.00 75.00"}))
      << concentrado.paginas.join(u'\n').toStdString();
  EXPECT_EQ(Mensajes(), QStringList());
}

// The hidden Reportes > "Consultas": the query runner on the sellers with
// the views of report\vendedor.for that still exist; the list loses the one
// whose file is gone.
TEST_F(Vendedores, ConsultasAbreLasVistasDeVendedores) {
  const QString vista = "C:\\VRL\\DATOS\\report\\comisiones.vis";
  EscribeVista(vista, {"A.CLVEN_V,A.COMIS_V"});
  const QString lista = "C:\\VRL\\DATOS\\report\\vendedor.for";
  AgregaEntradaVista(lista, {vista, "Comisiones"});
  AgregaEntradaVista(lista, {"C:\\VRL\\DATOS\\report\\falta.vis", "La que falta"});
  TFormaVendedor& v = Ventana();
  EXPECT_FALSE(v.Consultas1->isVisible());
  bool mostrado = false;
  QStringList vistas;
  QString etiqueta, tabla;
  int filas = -1;
  ui::PuertaModal::Espera("TFormaConsulta", [&](QDialog& d) {
    auto& q = static_cast<TFormaConsulta&>(d);
    mostrado = true;
    for (int i = 0; i < q.Archivo->count(); ++i) vistas << q.Archivo->itemText(i);
    etiqueta = q.Archi->text();
    tabla = q.TablaConsulta->NombreTabla();
    filas = q.TablaConsulta->Active() ? q.TablaConsulta->RecordCount() : -1;
    q.Close();
  });
  v.Consultas1->trigger();
  ASSERT_TRUE(mostrado);
  EXPECT_EQ(vistas, QStringList{vista});
  EXPECT_EQ(etiqueta, "vendedor.for");
  EXPECT_EQ(tabla, "vendedor.dbf");
  EXPECT_EQ(filas, 3);
  const QVector<TEntradaVista> quedan = LeeListaVistas(lista);
  ASSERT_EQ(quedan.size(), 1);
  EXPECT_EQ(quedan[0].Archivo, vista);
  EXPECT_EQ(Mensajes(), QStringList());
}

// --- Printing with the seller format.

TEST_F(Vendedores, ImprimirRangoImprimeCadaVendedorDelRangoUnaVez) {
  Agrega("VENDEDOR.DBF", {"CLVEN_V", "NOMBR_V"}, {{"04", "PEDRO"}, {"05", "ANA"}});
  TFormaVendedor& v = Ventana();
  struct Caso {
    const char* nombre;
    bool formato;
    bool acepta;
    QList<QStringList> trabajos;
    QStringList mensajes;
  };
  const Caso casos[] = {
      {"sin formato", false, true, {}, {"El Formato " + kFormato + " No Existe"}},
      {"de 02 a 04", true, true, {{"LAURA", "02"}, {"JORGE", "03"}, {"PEDRO", "04"}}, {}},
      {"cancelado", true, false, {}, {}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    if (c.formato) EscribeFormato();
    EnClave(v, "05");
    print::BorraOperacionesGrabadas();
    ui::PuertaModal::LimpiaMensajes();
    ui::PuertaModal::Espera("TDialogoImprimir", [&c](QDialog& d) {
      Teclea(d, "PrimeraPagina", "02");
      Teclea(d, "UltimaPagina", "04");
      Pulsa(d, c.acepta ? "BitBtn1" : "BitBtn2");
    });
    v.ImprimirRango1->trigger();
    EXPECT_EQ(TrabajosImpresos(), c.trabajos);
    EXPECT_EQ(Mensajes(), c.mensajes);
    // The whole catalogue again, on the seller it was on.
    EXPECT_EQ(v.TablaVendedor->RecordCount(), 5);
    EXPECT_EQ(v.EditCLVEN_V->text(), "05");
  }
}

TEST_F(Vendedores, ImprimirYPresentacionPreliminarDelVendedorMostrado) {
  TFormaVendedor& v = Ventana();
  EnClave(v, "02");
  Pulsa(v, "BotonImprimir");
  EXPECT_EQ(Mensajes(), QStringList{"El Formato " + kFormato + " No Existe"});
  EXPECT_TRUE(TrabajosImpresos().isEmpty());

  ui::PuertaModal::LimpiaMensajes();
  EscribeFormato();
  Pulsa(v, "BotonImprimir");
  EXPECT_EQ(TrabajosImpresos(), QList<QStringList>{(QStringList{"LAURA", "02"})});

  // The preview shows the seller and prints nothing afterwards.
  print::BorraOperacionesGrabadas();
  QStringList previa;
  ui::PuertaModal::Espera("TFormaEdicion", [&previa](QDialog& d) {
    const QByteArray bytes = fs::LeeBytes(ArchivoPaginaPrevia());
    for (qsizetype i = 0; i + kTamanoElementoPagina <= bytes.size(); i += kTamanoElementoPagina)
      previa << DecodificaElementoPagina(bytes.constData() + i).Texto;
    Pulsa(d, "BotonImprime");
  });
  v.PresentacionPreliminar1->trigger();
  EXPECT_EQ(previa, (QStringList{"LAURA", "02"}));
  EXPECT_TRUE(TrabajosImpresos().isEmpty());
  EXPECT_EQ(v.EditCLVEN_V->text(), "02");

  // A format chosen is printed at once, and printed from then on.
  const QString otro = "C:\\VRL\\consulta\\otro.fmt";
  EscribeLineas(otro, {"impresora,laser", "@2,2,clven_v"});
  ui::PuertaModal::Espera("TFormaFormatos", [&otro](QDialog& d) {
    auto& f = static_cast<TFormaFormatos&>(d);
    EXPECT_TRUE(f.Rangos->isHidden());
    f.Rutas->setText(otro);
    Pulsa(d, "BotonEdicion");
  });
  v.ElegirFormato1->trigger();
  EXPECT_EQ(v.FormatoVendedores, otro);
  EXPECT_EQ(TrabajosImpresos(), QList<QStringList>{QStringList{"02"}});

  // "Diseñar Formato" opens the format editor.
  bool editor = false;
  ui::PuertaModal::Espera("TFormaEdicion", [&editor](QDialog&) { editor = true; });
  v.DisenarFormato1->trigger();
  EXPECT_TRUE(editor);
  EXPECT_EQ(Mensajes(), QStringList());
}

// The format the program ships, named in line 13 of the demo company.
TEST_F(Vendedores, ElFormatoDeVendedoresQueTraeElPrograma) {
  FijaLinea(ConfFormatoVendedores, "vendedor.fmt");
  TFormaVendedor& v = Ventana();
  EnClave(v, "02");
  QStringList previa;
  ui::PuertaModal::Espera("TFormaEdicion", [&previa](QDialog&) {
    const QByteArray bytes = fs::LeeBytes(ArchivoPaginaPrevia());
    for (qsizetype i = 0; i + kTamanoElementoPagina <= bytes.size(); i += kTamanoElementoPagina)
      previa << DecodificaElementoPagina(bytes.constData() + i).Texto;
  });
  Pulsa(v, "BotonPreliminar");
  EXPECT_TRUE(previa.contains("LAURA")) << previa.join(u'|').toStdString();
  EXPECT_TRUE(previa.contains("02")) << previa.join(u'|').toStdString();
  EXPECT_EQ(Mensajes(), QStringList());
}
