// The customer catalogue driven as a user drives it: from the main menu, new
// customers with typed and consecutive keys, the key checks of every way a
// customer is saved, a change made on the copy and written back (also while
// another station holds the customer), deleting, positioning from other
// windows, the searches, the contacts, the preferred price lock and the
// field help.

#include "app/Vorlan.h"
#include "clientes_prueba.h"
#include "customers/Clientes.h"
#include "customers/PoliClie.h"
#include "customers/ContClie.h"
#include "foundation/AyudaCampo.h"
#include "foundation/BusNoInd.h"
#include "foundation/describe.h"
#include "foundation/observa.h"
#include "foundation/buscar.h"
#include "platform/fs/Texto.h"
#include "platform/print/Impresoras.h"
#include "platform/print/Registro.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Colores.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "shell/General.h"
#include "shell/Principa.h"
#include "support/Maneja.h"
#include "support/Proceso.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

using prueba::Pulsa;
using prueba::Tecla;
using prueba::Teclea;

class Clientes : public ClientesPrueba {
 protected:
  void TearDown() override {
    ventana_.reset();
    ClientesPrueba::TearDown();
  }

  static QColor Marco(const TFormaClientes& v) { return v.Panel2->palette().color(QPalette::Window); }
  static QColor Color(ui::TColor c) { return ui::ColorQt(c, QPalette()); }

  static bool Editando(const TFormaClientes& v) {
    return v.Caja->isEnabled() && v.BotonGuardar->isEnabled() && !v.BotonNuevo->isEnabled() &&
           !v.Navegador->isEnabled() && Marco(v) == Color(ui::clRed);
  }
  static bool Navegando(const TFormaClientes& v) {
    return !v.Caja->isEnabled() && !v.BotonGuardar->isEnabled() && v.BotonNuevo->isEnabled() &&
           v.BotonCambios->isEnabled() && v.Navegador->isEnabled() && ui::Tag(v.BotonNuevo) == 0 &&
           ui::Tag(v.BotonCambios) == 0;
  }

  static void EnClave(TFormaClientes& v, const QString& clave) {
    v.TablaCliente->SetIndexName("ICLACLI");
    ASSERT_TRUE(v.TablaCliente->FindKey({clave})) << clave.toStdString();
  }

  static void FijaLinea(int linea, const QString& valor) {
    const QString archivo = "C:\\VRL\\Gener1.cnf";
    QStringList lineas = fs::LeeLineas(archivo);
    lineas[linea - 1] = valor;
    EscribeLineas(archivo, lineas);
  }

  static std::unique_ptr<db::Tabla> Abre(const QString& archivo, const QString& carpeta = kDatosClientes) {
    auto t = std::make_unique<db::Tabla>();
    t->SetCarpeta(carpeta);
    t->SetNombreTabla(archivo);
    t->Open();
    return t;
  }

  // The customers as "key|name", in physical order.
  static QStringList Lista() {
    QStringList filas;
    auto t = Abre("CLIENTE.DBF");
    for (t->First(); !t->Eof(); t->Next())
      filas << t->FieldByName("CLCLI_C").AsString() + u'|' + t->FieldByName("NOMBR_C").AsString();
    return filas;
  }

  // One field of the customer of that key, read from the file.
  static QString Campo(const QString& clave, const QString& campo) {
    auto t = Abre("CLIENTE.DBF");
    t->SetIndexName("ICLACLI");
    return t->FindKey({clave}) ? t->FieldByName(campo).AsString() : QStringLiteral("(no existe)");
  }

  // A fresh customer table with the rows given (key, name).
  static void Tabla(const QList<QStringList>& filas, bool numerica = false) {
    db::Tabla::Borra(kDatosClientes, "CLIENTE.DBF");
    CreaTablasEmpresa(db::Carpetas{kDatosClientes, {}, {}, "C:\\VRL"});
    Agrega("CLIENTE.DBF", {"CLCLI_C", "NOMBR_C", "SALDO_C"}, filas);
    if (numerica) ConvierteClavesCatalogo(kDatosClientes, "cliente.dbf", "CLCLI_C", "ICLACLI", true);
  }

  // The catalogue as the main menu leaves it for `usuario`: shown and
  // activated (its tables opened).
  TFormaClientes& Ventana(const QString& usuario = "0") {
    if (!ventana_) ventana_ = std::make_unique<TFormaClientes>();
    ventana_->Usuario->setText(usuario);
    ventana_->Show();
    QApplication::setActiveWindow(ventana_.get());
    ventana_->DisparaActivacion();
    return *ventana_;
  }

  std::unique_ptr<TFormaClientes> ventana_;
};

// Another station: holds the customer of a key in edit until told.
RUTINA_HIJA(EditaCliente) {
  db::Tabla t;
  t.SetCarpeta(kDatosClientes);
  t.SetNombreTabla("CLIENTE.DBF");
  t.Open();
  t.SetIndexName("ICLACLI");
  if (!t.FindKey({argumentos.value(0)})) return 1;
  t.Edit();
  prueba::AvisaPadre("EDITANDO");
  prueba::EsperaPadre();
  t.Cancel();
  return 0;
}

}  // namespace

TEST_F(Clientes, ElMenuLaMuestraConElDerecho1) {
  Tabla({{"C3", "CARLOS", "0"}});
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

  // User 1 lacks right 1: the refusal, nothing shown.
  ASSERT_TRUE(principal.Item("Clientes2")->isEnabled());
  principal.Item("Clientes2")->trigger();
  EXPECT_EQ(Mensajes(), QStringList{kSinAcceso});
  ASSERT_TRUE(FormaClientes());
  EXPECT_FALSE(FormaClientes()->isVisible());

  ui::PuertaModal::LimpiaMensajes();
  principal.Usuario->setText("2");
  principal.BotonClientes->click();
  TFormaClientes& v = *FormaClientes();
  ASSERT_TRUE(v.isVisible());
  v.DisparaActivacion();
  EXPECT_EQ(v.Usuario->text(), "2");
  EXPECT_TRUE(Navegando(v));
  EXPECT_EQ(Marco(v), Color(ui::clBlue));
  EXPECT_EQ(v.EditNOMBR_C->text(), "CARLOS");
  // User 2 may look but not add, change or delete.
  for (const char* boton : {"BotonNuevo", "BotonCambios"}) Pulsa(v, boton);
  v.Eliminar1->trigger();
  EXPECT_EQ(Mensajes(), QStringList(3, kSinAcceso));
  EXPECT_TRUE(Navegando(v));
  v.Close();
  EXPECT_FALSE(v.isVisible());
}

// Line 34 "S": the key is proposed, right-aligned to the key's width, and
// cannot be typed.
// Tab walks the boxes as they stand: across the two columns, then down, so
// what is typed lands in the box the user looks at.
TEST_F(Clientes, ElTabuladorRecorreLasCajasComoSeVen) {
  TFormaClientes& v = Ventana();
  Pulsa(v, "BotonNuevo");
  const QList<QPair<int, int>> casillas = prueba::CasillasTabulador(v.EditCLCLI_C);
  EXPECT_GE(casillas.size(), 20);
  for (qsizetype i = 1; i < casillas.size(); ++i)
    EXPECT_LT(casillas[i - 1], casillas[i]) << "paso " << i << ": fila " << casillas[i].first << ", columna "
                                            << casillas[i].second;
}

TEST_F(Clientes, LaClaveConsecutivaSeAlineaALaDerecha) {
  FijaLinea(ConfConsecutivoClientes, "S");
  struct Caso {
    const char* nombre;
    QList<QStringList> filas;
    bool numerica;
    QString propuesta;
    QString mensaje;  // none: saved
  };
  const Caso casos[] = {
      {"tabla vacía", {}, false, "         1", {}},
      {"tras 99", {{"         7", "A"}, {"        99", "B"}}, false, "       100", {}},
      {"clave numérica", {{"99", "B"}}, true, "100", {}},
      // The highest key is no number: it comes back as it is, and is refused.
      {"clave que no es número", {{"        99", "A"}, {"ZETA", "B"}}, false, "ZETA", kClaveClienteExiste},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    ventana_.reset();
    Tabla(c.filas, c.numerica);
    ui::PuertaModal::LimpiaMensajes();
    TFormaClientes& v = Ventana();
    Pulsa(v, "BotonNuevo");
    EXPECT_TRUE(Editando(v));
    EXPECT_EQ(v.EditCLCLI_C->text(), c.propuesta);
    EXPECT_TRUE(v.EditCLCLI_C->isReadOnly());
    EXPECT_EQ(QApplication::focusWidget(), v.EditCLCLI_C);
    Teclea(v, "EditNOMBR_C", "nueva");
    Pulsa(v, "BotonGuardar");
    if (c.mensaje.isEmpty()) {
      EXPECT_TRUE(Navegando(v));
      EXPECT_EQ(Marco(v), Color(ui::clBlue));
      EXPECT_EQ(Lista().last(), c.propuesta + "|NUEVA");
      EXPECT_EQ(Mensajes(), QStringList());
    } else {
      EXPECT_TRUE(Editando(v));
      EXPECT_EQ(Mensajes(), QStringList{c.mensaje});
      EXPECT_EQ(Lista().size(), c.filas.size());
      v.CancelarMovimiento1->trigger();
    }
  }
}

// Two stations proposed the same consecutive key: the second to save takes
// the next one and says so.
TEST_F(Clientes, LaClaveConsecutivaTomadaPorOtraEstacionPasaALaSiguiente) {
  FijaLinea(ConfConsecutivoClientes, "S");
  Tabla({{"         1", "A"}});
  TFormaClientes& v = Ventana();
  Pulsa(v, "BotonNuevo");
  ASSERT_EQ(v.EditCLCLI_C->text(), "         2");
  Agrega("CLIENTE.DBF", {"CLCLI_C", "NOMBR_C"}, {{"         2", "OTRA ESTACION"}});
  Teclea(v, "EditNOMBR_C", "nueva");
  Pulsa(v, "BotonGuardar");
  EXPECT_TRUE(Navegando(v));
  EXPECT_EQ(Lista(), (QStringList{"         1|A", "         2|OTRA ESTACION", "         3|NUEVA"}));
  EXPECT_EQ(Mensajes(), QStringList{ClaveClienteTomada("2", "3")});
}

// Another station: adds customers with consecutive keys, as fast as it can.
RUTINA_HIJA(AgregaClientes) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char nombre[] = "estacion";
  char* argv[] = {nombre, nullptr};
  ui::Aplicacion aplicacion(argc, argv);
  ui::PuertaModal::ModoPrueba(true);
  QString programa;
  CarpetaLocal(programa);
  TFormaClientes v;
  v.Usuario->setText("0");
  v.Show();
  QApplication::setActiveWindow(&v);
  v.DisparaActivacion();
  prueba::AvisaPadre("LISTO");
  prueba::EsperaPadre();
  for (int i = 0; i < argumentos.value(1).toInt(); ++i) {
    v.BotonNuevo->click();
    v.TablaCliente->FieldByName("NOMBR_C").SetAsString(argumentos.value(0) + QString::number(i));
    v.BotonGuardar->click();
    if (v.EnAlta()) return 2;
  }
  prueba::AvisaPadre("TERMINADO");
  return 0;
}

TEST_F(Clientes, DosEstacionesAgreganConClavesConsecutivasSinRepetir) {
  FijaLinea(ConfConsecutivoClientes, "S");
  constexpr int kPorEstacion = 40;
  prueba::ProcesoHijo una("AgregaClientes", {"UNA", QString::number(kPorEstacion)});
  prueba::ProcesoHijo otra("AgregaClientes", {"OTRA", QString::number(kPorEstacion)});
  ASSERT_EQ(una.EsperaLinea(), "LISTO");
  ASSERT_EQ(otra.EsperaLinea(), "LISTO");
  una.Envia("");
  otra.Envia("");
  EXPECT_EQ(una.EsperaLinea(60000), "TERMINADO");
  EXPECT_EQ(otra.EsperaLinea(60000), "TERMINADO");
  EXPECT_EQ(una.Espera(), 0);
  EXPECT_EQ(otra.Espera(), 0);
  QStringList claves;
  for (const QString& fila : Lista()) claves << fila.section(u'|', 0, 0);
  claves.sort();
  QStringList esperadas;
  for (int n = 1; n <= 2 * kPorEstacion; ++n) esperadas << QString::number(n).rightJustified(10);
  esperadas.sort();
  EXPECT_EQ(claves, esperadas);
}

// Guardar, a change of key and the close question's "save" pass the same
// checks: the message, the key focused, nothing stored, the window editing.
TEST_F(Clientes, LaClaveVaciaORepetidaNoSeGuardaPorNingunCamino) {
  struct Caso {
    const char* nombre;
    bool cambio;  // a change of B2 (else a new customer)
    QString clave;
    bool alCerrar;  // saved through the close question
    QString mensaje;
  };
  const Caso casos[] = {
      {"nuevo con clave existente", false, "A1", false, kClaveClienteExiste},
      {"nuevo sin clave", false, "", false, kClaveClienteNoExiste},
      {"cambio a la clave de otro", true, "A1", false, kClaveClienteRepetida},
      {"cambio a clave vacía", true, "", false, kClaveClienteNoExiste},
      {"cerrar guardando un nuevo repetido", false, "A1", true, kClaveClienteExiste},
      {"cerrar guardando un nuevo sin clave", false, "", true, kClaveClienteNoExiste},
      {"cerrar guardando un cambio a la clave de otro", true, "A1", true, kClaveClienteRepetida},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    ventana_.reset();
    Tabla({{"A1", "ADAN", "0"}, {"B2", "BETO", "0"}});
    TFormaClientes& v = Ventana();
    ui::PuertaModal::LimpiaMensajes();
    if (c.cambio) {
      EnClave(v, "B2");
      Pulsa(v, "BotonCambios");
      prueba::Reescribe(v.EditCLCLI_C, c.clave);
    } else {
      Pulsa(v, "BotonNuevo");
      if (!c.clave.isEmpty()) Teclea(v, "EditCLCLI_C", c.clave);
    }
    Teclea(v, "EditTELEF_C", "555");
    // Leaving the key box empty is refused at once.
    if (c.clave.isEmpty()) {
      EXPECT_EQ(Mensajes(), QStringList{kEscribaClaveCliente});
    }
    ui::PuertaModal::LimpiaMensajes();
    if (c.alCerrar) {
      prueba::RespondeCierre(1);
      v.Close();
      EXPECT_TRUE(v.isVisible());
    } else {
      Pulsa(v, "BotonGuardar");
    }
    EXPECT_EQ(Mensajes(), QStringList{c.mensaje});
    EXPECT_TRUE(Editando(v));
    EXPECT_EQ(ui::Tag(c.cambio ? v.BotonCambios : v.BotonNuevo), 1);
    EXPECT_EQ(QApplication::focusWidget(), v.EditCLCLI_C);
    EXPECT_EQ(Lista(), (QStringList{"A1|ADAN", "B2|BETO"}));
    EXPECT_EQ(Campo("B2", "TELEF_C"), "");
    // "No" at the close question drops what was typed.
    prueba::RespondeCierre(2);
    v.Close();
    EXPECT_FALSE(v.isVisible());
    EXPECT_TRUE(Navegando(v));
    EXPECT_EQ(Lista(), (QStringList{"A1|ADAN", "B2|BETO"}));
  }
}

// A change is typed into ClieAuxi.dbf and written back when saved: only what
// was typed, so a balance another station wrote meanwhile stays. A change
// that keeps its key is saved without looking the key up (a key typed twice
// by hand does not stop it).
TEST_F(Clientes, UnCambioSeEscribeDesdeLaCopiaSoloConLoTecleado) {
  Tabla({{"A1", "ADAN", "0"}, {"C3", "CARLOS", "0"}, {"C3", "COPIA A MANO", "0"}});
  TFormaClientes& v = Ventana();
  EnClave(v, "C3");
  Pulsa(v, "BotonCambios");
  ASSERT_TRUE(Editando(v));
  EXPECT_EQ(v.Fuentetablacliente->DataSet(), v.TablaAuxiliar);
  EXPECT_EQ(Abre("ClieAuxi.dbf", "C:\\VRL")->RecordCount(), 1);
  Teclea(v, "EditTELEF_C", "555-1234");
  Teclea(v, "EditNOMBR_C", " lopez");
  // Nothing reaches the customer before it is saved.
  EXPECT_EQ(Campo("C3", "TELEF_C"), "");
  {
    auto t = Abre("CLIENTE.DBF");
    t->SetIndexName("ICLACLI");
    ASSERT_TRUE(t->FindKey({"C3"}));
    t->Edit();
    t->FieldByName("SALDO_C").SetAsFloat(150);
    t->Post();
  }
  Pulsa(v, "BotonGuardar");
  EXPECT_TRUE(Navegando(v));
  EXPECT_EQ(Marco(v), Color(ui::clBlue));
  EXPECT_EQ(v.Fuentetablacliente->DataSet(), v.TablaCliente);
  EXPECT_EQ(Lista(), (QStringList{"A1|ADAN", "C3|CARLOS LOPEZ", "C3|COPIA A MANO"}));
  EXPECT_EQ(Campo("C3", "TELEF_C"), "555-1234");
  EXPECT_EQ(Campo("C3", "SALDO_C"), "150");
  EXPECT_EQ(v.EditSALDO_C->text(), "150.00");
  EXPECT_EQ(Abre("ClieAuxi.dbf", "C:\\VRL")->RecordCount(), 0);

  // A changed key renames the customer; cancelling a change leaves it as
  // it was.
  Pulsa(v, "BotonCambios");
  prueba::Reescribe(v.EditCLCLI_C, "C9");
  Pulsa(v, "BotonGuardar");
  EXPECT_EQ(Lista(), (QStringList{"A1|ADAN", "C9|CARLOS LOPEZ", "C3|COPIA A MANO"}));
  Pulsa(v, "BotonCambios");
  prueba::Reescribe(v.EditNOMBR_C, "OTRO");
  v.CancelarMovimiento1->trigger();
  EXPECT_TRUE(Navegando(v));
  EXPECT_EQ(v.EditNOMBR_C->text(), "CARLOS LOPEZ");
  EXPECT_EQ(Lista(), (QStringList{"A1|ADAN", "C9|CARLOS LOPEZ", "C3|COPIA A MANO"}));
  EXPECT_EQ(Mensajes(), QStringList());
}

// While another station holds the customer, the save is refused after the
// table layer's wait; what was typed stays, and saves once it is released.
TEST_F(Clientes, UnCambioSobreUnClienteEnUsoSeGuardaAlLiberarse) {
  Tabla({{"C3", "CARLOS", "0"}});
  TFormaClientes& v = Ventana();
  Pulsa(v, "BotonCambios");
  Teclea(v, "EditTELEF_C", "555");
  prueba::ProcesoHijo otra("EditaCliente", {"C3"});
  ASSERT_EQ(otra.EsperaLinea(), "EDITANDO");
  Pulsa(v, "BotonGuardar");
  EXPECT_EQ(Mensajes(), QStringList{kClienteEnUso});
  EXPECT_TRUE(Editando(v));
  EXPECT_EQ(v.EditTELEF_C->text(), "555");
  EXPECT_EQ(Campo("C3", "TELEF_C"), "");
  // The change can go on meanwhile.
  Teclea(v, "EditCPXXX_C", "44100");
  otra.Envia("");
  EXPECT_EQ(otra.Espera(), 0);
  Pulsa(v, "BotonGuardar");
  EXPECT_TRUE(Navegando(v));
  EXPECT_EQ(Campo("C3", "TELEF_C"), "555");
  EXPECT_EQ(Campo("C3", "CPXXX_C"), "44100");
  EXPECT_EQ(Mensajes(), QStringList{kClienteEnUso});
}

TEST_F(Clientes, SoloSeEliminaSinSaldoYQuedaEnBorrados) {
  const QString borrados = "C:\\VRL\\borrados.dat";
  struct Caso {
    const char* nombre;
    QString saldo;
    int respuesta;  // -1: no question
    QString mensaje;
    bool eliminado;
  };
  const Caso casos[] = {
      {"saldo 0.00 y sí", "0.00", 1, {}, true},
      {"saldo 0.00 y no", "0.00", 0, {}, false},
      {"saldo 0.01", "0.01", -1, kClienteConSaldo, false},
      {"saldo negativo", "-5", -1, kClienteConSaldo, false},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    ventana_.reset();
    fs::BorraArchivo(borrados);
    Tabla({{"A1", "ADAN", "0"}, {"C3", "CARLOS", c.saldo}});
    ui::PuertaModal::LimpiaMensajes();
    TFormaClientes& v = Ventana();
    EnClave(v, "C3");
    QString pregunta;
    if (c.respuesta >= 0) {
      ui::PuertaModal::Espera("TFormaAdvertencia", [&](QDialog& d) {
        pregunta = prueba::Texto(d, "Label1");
        Pulsa(d, c.respuesta == 1 ? "BitBtn1" : "BitBtn2");
      });
    }
    v.Eliminar1->trigger();
    EXPECT_EQ(pregunta, c.respuesta >= 0 ? kEliminarRegistro : QString());
    EXPECT_EQ(Mensajes(), c.mensaje.isEmpty() ? QStringList() : QStringList{c.mensaje});
    EXPECT_EQ(Lista(), c.eliminado ? QStringList{"A1|ADAN"} : (QStringList{"A1|ADAN", "C3|CARLOS"}));
    if (c.eliminado) {
      const QStringList lineas = fs::LeeLineas(borrados);
      ASSERT_EQ(lineas.size(), 1);
      EXPECT_TRUE(lineas[0].startsWith("Cliente.DBF,")) << lineas[0].toStdString();
      EXPECT_TRUE(lineas[0].contains(",CLCLI_C,C3,NOMBR_C,CARLOS,")) << lineas[0].toStdString();
    } else {
      EXPECT_FALSE(fs::ExisteArchivo(borrados));
    }
  }
}

// A record with neither key nor name is logged and deleted when it is shown.
TEST_F(Clientes, UnRegistroSinClaveNiNombreDesapareceAlMostrarse) {
  Tabla({{"A1", "ADAN", "0"}, {"B2", "BETO", "0"}});
  TFormaClientes& v = Ventana();
  v.Navegador->Pulsa(ui::Navegador::Ultimo);
  Agrega("CLIENTE.DBF", {"TELEF_C"}, {{"555"}});
  EXPECT_EQ(Lista().size(), 3);
  v.Navegador->Pulsa(ui::Navegador::Primero);
  EXPECT_EQ(Lista(), (QStringList{"A1|ADAN", "B2|BETO"}));
  EXPECT_TRUE(fs::LeeLineas("C:\\VRL\\borrados.dat")[0].contains(",TELEF_C,555,"));
  EXPECT_EQ(v.EditCLCLI_C->text(), "A1");
}

// Other windows stand the catalogue on a key; an unknown one may start a new
// customer holding it.
TEST_F(Clientes, PosicionaClienteVaALaClaveOLaDaDeAlta) {
  struct Caso {
    const char* nombre;
    QString usuario;
    QString clave;
    int crear;
    QString mostrada;  // the key box afterwards
    bool alta;
    QStringList mensajes;
  };
  const Caso casos[] = {
      {"clave existente", "0", "C3", 1, "C3", false, {}},
      {"desconocida sin crear", "0", "X9", 0, "B2", false, {}},
      {"desconocida y crear", "0", "X9", 1, "X9", true, {}},
      {"desconocida y crear sin el derecho 11", "2", "X9", 1, "B2", false, {kSinAcceso}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    ventana_.reset();
    Tabla({{"A1", "ADAN", "0"}, {"B2", "BETO", "0"}, {"C3", "CARLOS", "0"}});
    ui::PuertaModal::LimpiaMensajes();
    ventana_ = std::make_unique<TFormaClientes>();
    ventana_->Usuario->setText(c.usuario);
    ventana_->PosicionaCliente("B2", 0);
    TFormaClientes& v = *ventana_;
    EXPECT_EQ(v.Tag(), 1);
    v.PosicionaCliente(c.clave, c.crear);
    EXPECT_FALSE(v.isVisible());
    EXPECT_EQ(v.EditCLCLI_C->text(), c.mostrada);
    EXPECT_EQ(v.EnAlta(), c.alta);
    EXPECT_EQ(Mensajes(), c.mensajes);
    if (!c.alta) continue;
    EXPECT_TRUE(Editando(v));
    // Positioning again leaves the customer being entered alone.
    v.PosicionaCliente("A1", 0);
    v.Show();
    QApplication::setActiveWindow(&v);
    EXPECT_EQ(v.EditCLCLI_C->text(), "X9");
    Teclea(v, "EditNOMBR_C", "xavier");
    Pulsa(v, "BotonGuardar");
    EXPECT_EQ(Lista().last(), "X9|XAVIER");
  }
}

TEST_F(Clientes, LaBusquedaRapidaYLaNoIndexada) {
  Tabla({{"A1", "ZAIRA", "0"}, {"B2", "BETO", "0"}, {"C3", "CARLOS LOPEZ", "0"}, {"D4", "DANIEL", "0"}});
  TFormaClientes& v = Ventana();
  struct Rapida {
    const char* opcion;  // nullptr: Esc
    QString texto;
    QString titulo;
    QString clave;
  };
  const QString inicial = v.windowTitle();
  const Rapida rapidas[] = {
      {"Nombre", "CAR", kClientesPorNombre, "C3"},
      {"Nombre", "CZ", kClientesPorNombre, "D4"},
      {"Clave", "B", kClientesPorClave, "B2"},
      {nullptr, "A", kClientesPorClave, "B2"},
  };
  for (const Rapida& r : rapidas) {
    SCOPED_TRACE(r.texto.toStdString());
    ui::PuertaModal::Espera("TFormaBusqueda", [&](QDialog& d) {
      Teclea(d, "CajaBuscar", r.texto);
      if (r.opcion) {
        Pulsa(d, r.opcion);
        Tecla(d, "CajaBuscar", Qt::Key_Return);
      } else {
        Tecla(d, "CajaBuscar", Qt::Key_Escape);
      }
    });
    Pulsa(v, "BotonBuscar");
    EXPECT_EQ(v.windowTitle(), r.titulo);
    EXPECT_EQ(v.EditCLCLI_C->text(), r.clave);
  }
  EXPECT_NE(inicial, kClientesPorClave);

  struct SinIndice {
    const char* campo;
    QString valor;
    QString clave;
    QString mensaje;
  };
  const SinIndice busquedas[] = {
      {"NOMBR_C", "DAN", "D4", {}},
      {"NOMBR_C", "LOPEZ", "D4", kNoSeEncuentra},
      {"DCRED_C", "x", "D4", kValorNoValidoRevise},
      {"CLCLI_C", "A", "A1", {}},
  };
  for (const SinIndice& b : busquedas) {
    SCOPED_TRACE(b.valor.toStdString());
    ui::PuertaModal::LimpiaMensajes();
    ui::PuertaModal::Espera("TFormaBusquedaNoIndexada", [&](QDialog& d) {
      auto& busqueda = static_cast<TFormaBusquedaNoIndexada&>(d);
      busqueda.Campo1->setCurrentIndex(busqueda.Campo2->findText(b.campo));
      Teclea(d, "Valor", b.valor);
      Pulsa(d, "BotonBuscar");
    });
    v.BusquedaNoIndexada1->trigger();
    EXPECT_EQ(v.EditCLCLI_C->text(), b.clave);
    EXPECT_EQ(Mensajes(), b.mensaje.isEmpty() ? QStringList() : QStringList{b.mensaje});
  }
}

TEST_F(Clientes, DescuentosAbreLosDescuentosPorLineaDelClienteMostrado) {
  Tabla({{"A1", "ADAN", "0"}, {"C3", "CARLOS", "0"}});
  Agrega("ClieDesc.dbf", {"CLCLI_D", "LINEA_D", "DESCU_D"}, {{"A1", "HERR", "5"}, {"C3", "ABAR", "7"}});
  TFormaClientes& v = Ventana();
  EnClave(v, "C3");
  QStringList lineas;
  ui::PuertaModal::Espera("TFormaPoliticaClientes", [&](QDialog& d) {
    auto& p = static_cast<TFormaPoliticaClientes&>(d);
    for (p.TablaDescuentos->First(); !p.TablaDescuentos->Eof(); p.TablaDescuentos->Next())
      lineas << p.TablaDescuentos->FieldByName("LINEA_D").AsString();
    d.close();
  });
  Pulsa(v, "BitBtn1");
  EXPECT_EQ(lineas, QStringList{"ABAR"});
}

TEST_F(Clientes, LosContactosYLasObservacionesSonLasDelCliente) {
  Tabla({{"A1", "ADAN", "0"}, {"C3", "CARLOS", "0"}});
  Agrega("ContClie.dbf", {"CLCLI_C", "COBRA_C"}, {{"A1", "ANA"}, {"C3", "CECILIA"}, {"A1", "ALMA"}});
  TFormaClientes& v = Ventana();
  EnClave(v, "A1");
  QStringList mostrados, titulos;
  ui::PuertaModal::Espera("TFormaContactos", [&](QDialog& d) {
    auto* rejilla = d.findChild<ui::RejillaDatos*>("DBGrid1");
    mostrados = Columna(rejilla, 1);
    for (int i = 0; i < rejilla->Columnas(); ++i) titulos << rejilla->Columna(i).titulo;
    // A new row at the end, typed from its contact.
    rejilla->setFocus();
    Tecla(d, "DBGrid1", Qt::Key_End, Qt::ControlModifier);
    Tecla(d, "DBGrid1", Qt::Key_Down);
    rejilla->SetSelectedIndex(1);
    for (const QChar c : QStringLiteral("ARTURO")) QTest::keyClicks(QApplication::focusWidget(), QString(c));
    d.close();
  });
  Pulsa(v, "SpeedButton1");
  EXPECT_EQ(mostrados, (QStringList{"ANA", "ALMA"}));
  EXPECT_EQ(titulos, (QStringList{"Cliente", "Contacto", "Cargo", "Telefono", "Número de Fax", "correo Electrónico"}));
  QStringList filas;
  auto t = Abre("ContClie.dbf");
  for (t->First(); !t->Eof(); t->Next())
    filas << t->FieldByName("CLCLI_C").AsString() + u'|' + t->FieldByName("COBRA_C").AsString();
  EXPECT_EQ(filas, (QStringList{"A1|ANA", "C3|CECILIA", "A1|ALMA", "A1|ARTURO"}));

  // The observations are the customer's too.
  ui::PuertaModal::Espera("TFormaObservaciones", [](QDialog& d) {
    static_cast<TFormaObservaciones&>(d).Observacion->setPlainText("Entregar por la tarde");
    Pulsa(d, "BitBtn1");
  });
  Pulsa(v, "BotonObservacion");
  auto obs = Abre("factuobs.dbf");
  ASSERT_EQ(obs->RecordCount(), 1);
  EXPECT_EQ(obs->FieldByName("CLDOC_FO").AsString() + u'|' + obs->FieldByName("TIDOC_FO").AsString() + u'|' +
                obs->FieldByName("OBSER_FO").AsString(),
            "A1|CL|Entregar por la tarde");
  EXPECT_EQ(Mensajes(), QStringList());
}

// Only the administrator switches the lock; the preferred price list follows
// it from the next window on.
TEST_F(Clientes, ElBloqueoDelPrecioPreferencialEsDelAdministrador) {
  Tabla({{"A1", "ADAN", "0"}});
  const QString archivo = "C:\\VRL\\cliente.cnf";
  {
    TFormaClientes& v = Ventana("1");
    v.BloquearPrecioPreferencial1->trigger();
    EXPECT_FALSE(v.BloquearPrecioPreferencial1->isChecked());
    EXPECT_FALSE(fs::ExisteArchivo(archivo));
  }
  for (const QString& esperado : {QString("S"), QString("N")}) {
    SCOPED_TRACE(esperado.toStdString());
    ventana_.reset();
    TFormaClientes& v = Ventana("0");
    EXPECT_EQ(v.DBEdit2->isReadOnly(), esperado == "N");
    EXPECT_EQ(v.BloquearPrecioPreferencial1->isChecked(), esperado == "N");
    v.BloquearPrecioPreferencial1->trigger();
    EXPECT_EQ(v.BloquearPrecioPreferencial1->isChecked(), esperado == "S");
    EXPECT_EQ(fs::LeeLineas(archivo), QStringList{esperado});
    // The box keeps its state until the window is made again.
    EXPECT_EQ(v.DBEdit2->isReadOnly(), esperado == "N");
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

// The balance counts the customer's invoices only: entering it says that a
// remission on credit is followed in its own account (the sale screen's
// "CxC"), so the two figures are not expected to agree.
TEST_F(Clientes, ElSaldoDiceQueLasRemisionesACreditoSeCobranEnCxC) {
  Tabla({{"A1", "ADAN", "0"}});
  TFormaClientes& v = Ventana();
  Pulsa(v, "BotonCambios");
  v.EditSALDO_C->setFocus(Qt::OtherFocusReason);
  EXPECT_EQ(v.Uno->text(), "Saldo de las facturas del cliente; aquí no se modifica.");
  EXPECT_EQ(v.Dos->text(), "Las remisiones a crédito se cobran aparte, en CxC.");
  v.EditCOMPR_C->setFocus(Qt::OtherFocusReason);
  EXPECT_EQ(v.Uno->text(), "Total de las facturas hechas al cliente.");
}

// The help lines of the box with the focus, the keys that move, the seller
// lookup, capitals, and the totals as they are shown.
TEST_F(Clientes, LaAyudaDeCadaCampoYSusTeclas) {
  Tabla({{"A1", "ADAN", "1234.5"}, {"B2", "BETO", "0"}});
  Agrega("VENDEDOR.DBF", {"CLVEN_V", "NOMBR_V"}, {{"V1", "LUIS"}, {"V2", "MARTA"}});
  TFormaClientes& v = Ventana();
  EXPECT_EQ(v.EditSALDO_C->text(), "1,234.50");
  EXPECT_EQ(v.Cargo->text(), "Cargos $          0.00");
  EXPECT_EQ(v.EtiEstado->text(), "Activo");
  // A right click on a button tells what it does.
  for (const auto& [boton, empieza] : {std::pair{"BotonCambios", "Modificar:"}, std::pair{"BotonNuevo", "Nuevo:"},
                                       std::pair{"BotonImprimir", "Imprimir:"}}) {
    QString texto;
    ui::PuertaModal::Espera("TFormaDescribe",
                            [&](QDialog& d) { texto = static_cast<TFormaDescribe&>(d).Comenta->toPlainText(); });
    QTest::mousePress(prueba::Componente(v, boton), Qt::RightButton);
    EXPECT_TRUE(texto.startsWith(empieza)) << texto.toStdString();
  }
  // Ctrl+S and Ctrl+A move while browsing.
  Tecla(v, "", Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(v.EditCLCLI_C->text(), "B2");
  Tecla(v, "", Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(v.EditCLCLI_C->text(), "A1");

  Pulsa(v, "BotonCambios");
  const QStringList lineas = fs::LeeLineas("C:\\VRL\\clientes.des");
  struct Caso {
    const char* caja;
    int linea;  // 0: the lines stay
  };
  for (const Caso& c : {Caso{"EditCLCLI_C", 1}, Caso{"EditNOMBR_C", 3}, Caso{"EditEstado", 13}, Caso{"EditDREPA_C", 19},
                        Caso{"EditHOPAG_C", 23}, Caso{"EditCOMPR_C", 31}}) {
    SCOPED_TRACE(c.caja);
    QWidget* caja = prueba::Componente(v, c.caja);
    caja->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(v.Uno->text(), lineas[c.linea - 1]);
    EXPECT_EQ(v.Dos->text(), lineas[c.linea]);
    EXPECT_EQ(caja->palette().color(QPalette::Base), Color(ui::clAqua));
  }
  // F1 on the key names what it holds, without waiting.
  Tecla(v, "EditCLCLI_C", Qt::Key_F1);
  ASSERT_TRUE(FormaAyuda());
  EXPECT_TRUE(FormaAyuda()->isVisible());
  EXPECT_EQ(prueba::Texto(*FormaAyuda(), "Eti"), "Clave");
  EXPECT_EQ(prueba::Texto(*FormaAyuda(), "Tam"), "Tamaño   10");
  delete FormaAyuda();
  QApplication::setActiveWindow(&v);
  // Enter and Down go to the next box, Up to the previous one.
  v.EditNOMBR_C->setFocus();
  Tecla(v, "EditNOMBR_C", Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), v.EditTELEF_C);
  Tecla(v, "EditTELEF_C", Qt::Key_Down);
  EXPECT_EQ(QApplication::focusWidget(), v.DBEdit1);
  Tecla(v, "DBEdit1", Qt::Key_Up);
  EXPECT_EQ(QApplication::focusWidget(), v.EditTELEF_C);
  // The name is typed in capitals; F2 on the seller picks one.
  Teclea(v, "EditNOMBR_C", " lópez");
  ui::PuertaModal::Espera("TFormaConVendedores", [](QDialog& d) {
    Tecla(d, "DBGrid1", Qt::Key_Down);
    Tecla(d, "DBGrid1", Qt::Key_Return);
  });
  v.EditCLVEN_C->setFocus();
  Tecla(v, "EditCLVEN_C", Qt::Key_F2);
  EXPECT_EQ(v.EditCLVEN_C->text(), "V2");
  prueba::Reescribe(v.EditSTATU_C, "B");
  EXPECT_EQ(v.EtiEstado->text(), "Inactivo");
  Pulsa(v, "BotonGuardar");
  EXPECT_EQ(Campo("A1", "NOMBR_C"), "ADAN LÓPEZ");
  EXPECT_EQ(Campo("A1", "CLVEN_C"), "V2");
  EXPECT_EQ(Mensajes(), QStringList());
}

// A box highlighted when its panel is disabled (a change cancelled or
// saved) gets its own colour back: no disabled box stays aqua.
TEST_F(Clientes, ElResaltadoNoSeQuedaEnUnaCajaInhabilitada) {
  Tabla({{"A1", "ADAN", "0"}});
  TFormaClientes& v = Ventana();
  for (const char* fin : {"CancelarMovimiento1", "Guardar1"}) {
    SCOPED_TRACE(fin);
    Pulsa(v, "BotonCambios");
    ASSERT_TRUE(v.Caja->isEnabled());
    const QPalette propia = v.EditNOMBR_C->palette();
    v.EditNOMBR_C->setFocus(Qt::OtherFocusReason);
    ASSERT_EQ(v.EditNOMBR_C->palette().color(QPalette::Base), Color(ui::clAqua));
    v.findChild<QAction*>(fin)->trigger();
    ASSERT_FALSE(v.EditNOMBR_C->isEnabled());
    for (const QPalette::ColorGroup grupo : {QPalette::Active, QPalette::Disabled})
      EXPECT_EQ(v.EditNOMBR_C->palette().color(grupo, QPalette::Base), propia.color(grupo, QPalette::Base)) << grupo;
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

// Archivo > "Imprime Plantilla": the window as it looks, on one page.
TEST_F(Clientes, LaPlantillaImprimeLaVentana) {
  print::FijaImpresorasPrueba({{"laser", "", print::TipoImpresora::Registro, QString(), 600}}, 0);
  print::Impresora::Global().Restablece();
  print::BorraOperacionesGrabadas();
  Tabla({{"A1", "ADAN", "0"}});
  TFormaClientes& v = Ventana();
  v.ImprimePlantilla1->trigger();
  QStringList hechas;
  for (const print::Operacion& o : print::OperacionesGrabadas()) {
    if (o.tipo == print::Operacion::Tipo::Comienza) hechas << "comienza " + o.texto;
    if (o.tipo == print::Operacion::Tipo::Imagen) hechas << (o.imagen == v.grab().size() ? "la ventana" : "otra imagen");
    if (o.tipo == print::Operacion::Tipo::Termina) hechas << "termina";
  }
  EXPECT_EQ(hechas, (QStringList{"comienza " + v.windowTitle(), "la ventana", "termina"}));
  print::Impresora::Global().Restablece();
  print::RefrescaImpresoras();
  EXPECT_EQ(Mensajes(), QStringList());
}
