// The general configuration window driven as the administrator drives it:
// companies' configuration files loaded and written, the users and rights
// of usuarios.def, the field dictionary Campos.DBF, the key conversion of
// the catalogues; what the files hold afterwards and what another station
// reads meanwhile.

#include "app/Vorlan.h"
#include "customers/TablasClientes.h"
#include "datos_prueba.h"
#include "foundation/ArchivosPrograma.h"
#include "foundation/adminis.h"
#include "foundation/describe.h"
#include "foundation/rutinas_usuarios.h"
#include "platform/Error.h"
#include "platform/db/Campo.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/DialogoArchivo.h"
#include "platform/ui/RejillaDatos.h"
#include "purchasing/TablasCompras.h"
#include "shell/Campos.h"
#include "shell/General.h"
#include "shell/Principa.h"
#include "shell/directorio.h"
#include "support/ErrorPrueba.h"
#include "support/Maneja.h"
#include "support/Proceso.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

namespace {

const QString kPrograma = QStringLiteral("C:\\VRL");
const QString kUsuarios = QStringLiteral("C:\\VRL\\usuarios.def");
const QString kMaestro = QStringLiteral("C:\\DATOS\\usuarios.def");

QString Gener(int n) { return QStringLiteral("C:\\VRL\\Gener%1.cnf").arg(n); }

// The bytes the window writes for these lines.
QByteArray Archivo(const QStringList& lineas) { return fs::ACp1252(lineas.join("\r\n") + "\r\n"); }

// A user record as "number name password".
QStringList Registros(const QString& ruta) {
  const QByteArray bytes = fs::LeeBytes(ruta);
  QStringList registros;
  for (qsizetype i = 0; i + TRegistroUsuario::kTamano <= bytes.size(); i += TRegistroUsuario::kTamano) {
    const TRegistroUsuario r = TRegistroUsuario::DeBytes(QByteArrayView(bytes).sliced(i, TRegistroUsuario::kTamano));
    registros << QStringLiteral("%1 %2 %3").arg(r.NumeroUsuario).arg(r.NombreUsuario, r.ClaveUsuario);
  }
  return registros;
}

TRegistroUsuario Leido(const QString& ruta, int n) {
  return TRegistroUsuario::DeBytes(
      QByteArrayView(fs::LeeBytes(ruta)).sliced(n * TRegistroUsuario::kTamano, TRegistroUsuario::kTamano));
}

class Configuracion : public DatosPrueba {
 protected:
  // Five users in the working copy and the master: user i is "Usuario i"
  // with password "clave<i>" (the administrator's "adm") and every right.
  void SetUp() override {
    DatosPrueba::SetUp();
    EscribeUsuarios({"adm", "clave1", "clave2", "clave3", "clave4"});
  }

  static void EscribeUsuarios(const QStringList& claves, const QString& derechos = QString(kNumeroDerechos, u's')) {
    const QByteArray bytes = BytesUsuarios(claves, derechos);
    EscribeBytes(kUsuarios, bytes);
    EscribeBytes(kMaestro, bytes);
  }

  // Gener<n>.cnf: the initial values, the data folder, then the changes
  // (line number, value).
  static QStringList EscribeEmpresa(int n, const QVector<std::pair<int, QString>>& cambios) {
    QStringList v = ValoresInicialesConfiguracion();
    v[ConfCarpetaDatos - 1] = kDatos;
    for (const auto& [linea, valor] : cambios) v[linea - 1] = valor;
    EscribeLineas(Gener(n), v);
    return v;
  }

  static void EnVentana(const std::function<void(TFormaConfiguracionGeneral&)>& guion) {
    TFormaConfiguracionGeneral ventana;
    MuestraVentana<TFormaConfiguracionGeneral>(ventana, guion);
  }

  static QLineEdit* Caja(const TFormaConfiguracionGeneral& d, int linea) {
    return qobject_cast<QLineEdit*>(d.ControlDeLinea(linea));
  }
  static QCheckBox* Casilla(const TFormaConfiguracionGeneral& d, int linea) {
    return qobject_cast<QCheckBox*>(d.ControlDeLinea(linea));
  }
  // Types a company number over the one shown, key by key.
  static void Empresa(TFormaConfiguracionGeneral& d, const QString& numero) {
    d.Edit0->setFocus();
    d.Edit0->selectAll();
    prueba::Teclea(d, "Edit0", numero);
  }
};

}  // namespace

// --- Company files.

TEST_F(Configuracion, DesdeElMenuMuestraLaEmpresaUnoYCargaLaQueSeTeclea) {
  EscribeEmpresa(1, {{ConfNombreEmpresa, "Empresa Uno"}});
  EscribeEmpresa(4, {{ConfNombreEmpresa, "Empresa Cuatro"}, {ConfFacturarSinExistencias, "S"}, {ConfIva, "16"}});
  EscribeEmpresa(5, {{ConfNombreEmpresa, "Empresa Cinco"}, {ConfFacturarSinExistencias, "N"}});
  ProgramaVorlan programa;
  programa.Inicia();
  // User 1 logged into company 4, as the login leaves them.
  EscribeLineas(kArchivoInicio, {"C:\\VRL", "C:\\VRL\\Gener4.cnf", ""});
  FormaPrincipal()->Usuario->setText("1");
  ui::PuertaModal::LimpiaMensajes();

  ui::PuertaModal::Espera("TFormaAdministrador", [](QDialog& prompt) {
    prueba::Teclea(prompt, "Clave", "adm");
    prueba::Tecla(prompt, "Clave", Qt::Key_Return);
  });
  QStringList mostradas;
  ui::PuertaModal::Espera("TFormaConfiguracionGeneral", [&](QDialog& ventana) {
    auto& d = static_cast<TFormaConfiguracionGeneral&>(ventana);
    EXPECT_EQ(d.windowTitle(), "Configuracion General");
    EXPECT_EQ(d.Edit0->text(), "1");
    EXPECT_EQ(Caja(d, ConfNombreEmpresa)->text(), "Empresa Uno");
    Empresa(d, "4");
    EXPECT_EQ(Caja(d, ConfNombreEmpresa)->text(), "Empresa Cuatro");
    EXPECT_EQ(Caja(d, ConfIva)->text(), "16");
    EXPECT_TRUE(Casilla(d, ConfFacturarSinExistencias)->isChecked());
    Empresa(d, "5");
    EXPECT_EQ(Caja(d, ConfNombreEmpresa)->text(), "Empresa Cinco");
    EXPECT_FALSE(Casilla(d, ConfFacturarSinExistencias)->isChecked());

    // "1" loads company 1 on the way; company 12 has no file.
    Empresa(d, "12");
    EXPECT_EQ(Caja(d, ConfNombreEmpresa)->text(), "Empresa Uno");
    Caja(d, ConfNombreEmpresa)->setText("Empresa Doce");
    prueba::Pulsa(d, "BotonGuardar");
    mostradas = fs::LeeLineas(Gener(1));
    mostradas[ConfNombreEmpresa - 1] = "Empresa Doce";

    Empresa(d, "-3");
    EXPECT_EQ(d.Edit0->text(), "0");
    EXPECT_EQ(Caja(d, ConfNombreEmpresa)->text(), "Empresa Doce");
  });
  FormaPrincipal()->Item("General1")->trigger();
  EXPECT_EQ(ui::PuertaModal::Pendientes(), 0);
  EXPECT_EQ(Mensajes(), QStringList({"No Existe La Empresa  12"}));
  EXPECT_EQ(fs::LeeBytes(Gener(12)), Archivo(mostradas));
  EXPECT_FALSE(fs::Existe(Gener(0)));
  EXPECT_EQ(FormaConfiguracionGeneral(), nullptr);
}

TEST_F(Configuracion, LoQueSeCargaSeGuardaConSusNoventaYNueveLineas) {
  // Every kind of control away from its initial value, and the reserved
  // lines with texts of their own.
  const QStringList completo = EscribeEmpresa(1, {{ConfBasesAbiertas, "NO"},
                                                  {ConfReservada4, "cuatro"},
                                                  {ConfReservada10, "diez"},
                                                  {ConfClaveAccesoEmpresa, "llave"},
                                                  {ConfFormatoFactura, "factura.fmt"},
                                                  {ConfFacturarSinExistencias, "S"},
                                                  {ConfReservada26, "r26"},
                                                  {ConfReservada27, "r27"},
                                                  {ConfDigitosCantidad, "4"},
                                                  {ConfDigitosTotal, "50"},
                                                  {ConfCarpetaInventario, "D:\\INV"},
                                                  {ConfVistaResaltada, "S"},
                                                  {ConfReservada66, "r66"},
                                                  {ConfReservada67, "r67"},
                                                  {ConfPagarCxCMostrador, "S"}});
  // Lines 51 to 99 missing: empty boxes, unchecked boxes, the classic view.
  QStringList corto = completo.mid(0, 50);
  QStringList cortoGuardado = corto;
  for (int n = 51; n <= kLineasConfiguracion; ++n) {
    const ControlLinea c = DefinicionLinea(n)->control;
    cortoGuardado << (c == ControlLinea::Casilla || c == ControlLinea::Radios ? "N" : "");
  }
  // A check-box line counts only as exactly "S".
  QStringList casiS = completo;
  casiS[ConfFacturarSinExistencias - 1] = "s";
  casiS[ConfPagarCxCMostrador - 1] = "S ";
  QStringList casiSGuardado = completo;
  casiSGuardado[ConfFacturarSinExistencias - 1] = "N";
  casiSGuardado[ConfPagarCxCMostrador - 1] = "N";

  struct Caso {
    const char* nombre;
    QStringList archivo;
    QStringList guardado;
  };
  const Caso casos[] = {
      {"escrito por la ventana", completo, completo},
      {"de 50 líneas", corto, cortoGuardado},
      {"casi S", casiS, casiSGuardado},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    EscribeLineas(Gener(1), c.archivo);
    EnVentana([](TFormaConfiguracionGeneral& d) { prueba::Pulsa(d, "BotonGuardar"); });
    EXPECT_EQ(fs::LeeBytes(Gener(1)), Archivo(c.guardado));
  }
  EXPECT_TRUE(Mensajes().isEmpty());
}

TEST_F(Configuracion, LasCajasSeLlenanConDobleClicYBusqueda) {
  EscribeBytes("C:\\VRL\\consulta\\ticket.fmt", "x");
  EnVentana([](TFormaConfiguracionGeneral& d) {
    // "SI"/"NO" boxes swap; anything else becomes "SI".
    QLineEdit* abiertas = Caja(d, ConfBasesAbiertas);
    for (const char* despues : {"NO", "SI"}) {
      prueba::DobleClic(abiertas);
      EXPECT_EQ(abiertas->text(), despues);
    }
    abiertas->setText("x");
    prueba::DobleClic(abiertas);
    EXPECT_EQ(abiertas->text(), "SI");

    // A format chosen in the consulta folder: its bare name; cancelled: nothing.
    QLineEdit* factura = Caja(d, ConfFormatoFactura);
    ui::PuertaModal::Espera("ArchivoFormato", [](QDialog& dialogo) {
      EXPECT_EQ(QDir(static_cast<QFileDialog&>(dialogo).directory()).canonicalPath(),
                QDir(fs::Local("C:\\VRL\\consulta")).canonicalPath());
      prueba::EligeArchivo(dialogo, "C:\\VRL\\consulta\\ticket.fmt");
    });
    prueba::DobleClic(factura);
    EXPECT_EQ(factura->text(), "ticket.fmt");
    ui::PuertaModal::Espera("ArchivoFormato", [](QDialog& dialogo) { dialogo.reject(); });
    prueba::DobleClic(Caja(d, ConfFormatoRemision));
    EXPECT_EQ(Caja(d, ConfFormatoRemision)->text(), "");

    // The spreadsheet program, looked up where it is installed.
    QLineEdit* hoja = Caja(d, ConfHojaCalculo);
    hoja->setText("C:\\otro\\hoja");
    prueba::Pulsa(d, "SpeedButton1");
    EXPECT_EQ(hoja->text(), "");
    EscribeBytes("C:\\Archivos de programa\\Microsoft Office\\Office\\excel.exe", "x");
    prueba::Pulsa(d, "SpeedButton1");
    EXPECT_EQ(hoja->text(), "C:\\Archivos de programa\\Microsoft Office\\Office\\excel.exe");
  });
  EXPECT_TRUE(Mensajes().isEmpty());
}

TEST_F(Configuracion, LasEdicionesSobrevivenAlSelectorDeCarpetasYAUnMensaje) {
  EscribeEmpresa(4, {{ConfNombreEmpresa, "Empresa Cuatro"}});
  fs::CreaCarpeta("D:\\EMPRESA4");
  EnVentana([](TFormaConfiguracionGeneral& d) {
    Empresa(d, "4");
    Caja(d, ConfNombreEmpresa)->setText("Cuatro Nueva");
    ui::PuertaModal::Espera("TFormaDirectorio", [](QDialog& picker) {
      static_cast<TFormaDirectorio&>(picker).SetDirectorio("D:\\EMPRESA4");
      prueba::Pulsa(picker, "Aceptar");
    });
    prueba::Pulsa(d, "SpeedButton3");
    // A cancelled picker leaves the box.
    ui::PuertaModal::Espera("TFormaDirectorio", [](QDialog& picker) { prueba::Pulsa(picker, "Cancelar"); });
    prueba::Pulsa(d, "SpeedButton3");
    prueba::Pulsa(d, "BotonElimina");  // user 0: a message
    // The window is the active one again.
    QWidget otra;
    otra.show();
    QApplication::setActiveWindow(&otra);
    QApplication::setActiveWindow(&d);
    QApplication::processEvents();
    EXPECT_EQ(d.Edit0->value(), 4);
    EXPECT_EQ(Caja(d, ConfNombreEmpresa)->text(), "Cuatro Nueva");
    EXPECT_EQ(Caja(d, ConfCarpetaDatos)->text(), "D:\\EMPRESA4");
    prueba::Pulsa(d, "BotonGuardar");
  });
  EXPECT_EQ(Mensajes(), QStringList({kUsuarioCeroNoSeBorra}));
  const QStringList cuatro = fs::LeeLineas(Gener(4));
  EXPECT_EQ(cuatro[ConfNombreEmpresa - 1], "Cuatro Nueva");
  EXPECT_EQ(cuatro[ConfCarpetaDatos - 1], "D:\\EMPRESA4");
  EXPECT_EQ(fs::LeeLineas(Gener(1))[ConfCarpetaDatos - 1], kDatos);
}

TEST_F(Configuracion, UnArchivoQueNoSePuedeEscribirLoDiceYLaVentanaGuardaLasEdiciones) {
  fs::CreaCarpeta(Gener(7));  // a folder where the file would go
  EnVentana([](TFormaConfiguracionGeneral& d) {
    Empresa(d, "7");
    Caja(d, ConfNombreEmpresa)->setText("Siete");
    prueba::Pulsa(d, "BotonGuardar");
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(Caja(d, ConfNombreEmpresa)->text(), "Siete");
    QDir(fs::Local(Gener(7))).removeRecursively();
    prueba::Pulsa(d, "BotonGuardar");
  });
  ASSERT_EQ(Mensajes().size(), 2);
  EXPECT_EQ(Mensajes()[0], "No Existe La Empresa  7");
  EXPECT_TRUE(Mensajes()[1].contains("Gener7.cnf")) << Mensajes()[1].toStdString();
  EXPECT_EQ(fs::LeeLineas(Gener(7))[ConfNombreEmpresa - 1], "Siete");
}

TEST_F(Configuracion, EnterYAbajoPasanAlSiguienteControlYLaRejillaConservaSusTeclas) {
  InstalaCampos(kPrograma);
  EnVentana([](TFormaConfiguracionGeneral& d) {
    QLineEdit* iva = Caja(d, ConfIva);
    iva->setFocus();
    for (int tecla : {Qt::Key_Return, Qt::Key_Down}) {
      prueba::Tecla(d, "", tecla);
      EXPECT_EQ(QApplication::focusWidget(), Caja(d, ConfIntegraMovimientos));
      prueba::Tecla(d, "", Qt::Key_Up);
      EXPECT_EQ(QApplication::focusWidget(), iva);
    }
    d.Folder->setCurrentWidget(d.RejillaCampos->parentWidget());
    d.RejillaCampos->setFocus();
    const qint64 antes = d.TablaCampos->RecNo();
    prueba::Tecla(d, "", Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), d.RejillaCampos);
    EXPECT_NE(d.TablaCampos->RecNo(), antes);
  });
}

// --- Users.

TEST_F(Configuracion, LosDerechosSeMuestranYGuardanPorPosicion) {
  // Right 1 "S" (upper case), 14 and 54 "s", the others "n".
  QString derechos(kNumeroDerechos, u'n');
  derechos[0] = u'S';
  derechos[13] = u's';
  derechos[53] = u's';
  EscribeUsuarios({"adm", "clave1"}, derechos);
  EnVentana([](TFormaConfiguracionGeneral& d) {
    EXPECT_EQ(d.Nume->value(), 0);
    EXPECT_EQ(d.Nume->maximum(), 1);
    EXPECT_EQ(d.Edit26->text(), "Usuario 0");
    EXPECT_EQ(d.Usuario->text(), "Usuario 0");
    EXPECT_EQ(d.Edit25->text(), "adm");
    EXPECT_FALSE(d.BotonGuarda->isEnabled());
    QStringList marcadas;
    for (int p = 1; p <= kNumeroDerechos; ++p)
      if (d.CasillaDerecho(p)->isChecked()) marcadas << d.CasillaDerecho(p)->objectName();
    EXPECT_EQ(marcadas, QStringList({"CheckBox14", "Reindexar"}));  // "Vendedores" "Altas"
    EXPECT_EQ(d.CasillaDerecho(14), prueba::Componente(d, "CheckBox14"));

    d.CasillaDerecho(50)->setChecked(true);  // "Configuración" "Reportes"
    prueba::Pulsa(d, "BotonCambios");
    EXPECT_FALSE(d.BotonCambios->isEnabled());
    EXPECT_FALSE(d.BotonNuevo->isEnabled());
    prueba::Pulsa(d, "BotonGuarda");
    EXPECT_TRUE(d.BotonNuevo->isEnabled());
    EXPECT_TRUE(d.BotonGuarda->isEnabled());
  });
  QString guardados(kNumeroDerechos, u'n');
  guardados[13] = u's';
  guardados[49] = u's';
  guardados[53] = u's';
  EXPECT_EQ(Leido(kUsuarios, 0).Derechos, guardados);
  EXPECT_TRUE(Mensajes().isEmpty());
}

TEST_F(Configuracion, AltasCambiosYBajasDeUsuarios) {
  struct Caso {
    const char* nombre;
    std::function<void(TFormaConfiguracionGeneral&)> guion;
    QStringList registros;
    QStringList mensajes;
  };
  const auto usuario = [](TFormaConfiguracionGeneral& d, int n) { d.Nume->setValue(n); };
  const Caso casos[] = {
      {"nuevo y otra vez guardar",
       [&](TFormaConfiguracionGeneral& d) {
         usuario(d, 3);
         prueba::Pulsa(d, "BotonNuevo");
         EXPECT_EQ(d.Edit26->text(), "");
         prueba::Teclea(d, "Edit26", "Nueva");
         prueba::Teclea(d, "Edit25", "n1");
         prueba::Pulsa(d, "BotonGuarda");
         EXPECT_EQ(d.Nume->value(), 5);
         EXPECT_EQ(d.Usuario->text(), "Nueva");
         prueba::Teclea(d, "Edit25", "2");
         prueba::Pulsa(d, "BotonGuarda");
       },
       {"0 Usuario 0 adm", "1 Usuario 1 clave1", "2 Usuario 2 clave2", "3 Usuario 3 clave3", "4 Usuario 4 clave4",
        "5 Nueva n12"},
       {}},
      {"textos largos",
       [&](TFormaConfiguracionGeneral& d) {
         usuario(d, 1);
         prueba::Pulsa(d, "BotonCambios");
         d.Edit26->setText(QString(60, u'N') + "1234567890");
         d.Edit25->setText("123456789012");
         prueba::Pulsa(d, "BotonGuarda");
       },
       {"0 Usuario 0 adm", "1 " + QString(60, u'N') + " 1234567890", "2 Usuario 2 clave2", "3 Usuario 3 clave3",
        "4 Usuario 4 clave4"},
       {}},
      {"baja del 2",
       [&](TFormaConfiguracionGeneral& d) {
         usuario(d, 2);
         prueba::Pulsa(d, "BotonElimina");
         EXPECT_EQ(d.Edit26->text(), "Usuario 2");
         EXPECT_EQ(Registros("C:\\VRL\\usuatemp.def"), Registros(kUsuarios));
       },
       {"0 Usuario 0 adm", "1 Usuario 1 clave1", "2 Usuario 3 clave3", "3 Usuario 4 clave4"},
       {}},
      {"baja del 0",
       [&](TFormaConfiguracionGeneral& d) { prueba::Pulsa(d, "BotonElimina"); },
       {"0 Usuario 0 adm", "1 Usuario 1 clave1", "2 Usuario 2 clave2", "3 Usuario 3 clave3", "4 Usuario 4 clave4"},
       {"El Usuario 0 no puede ser dado de baja"}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    EscribeUsuarios({"adm", "clave1", "clave2", "clave3", "clave4"});
    fs::BorraArchivo("C:\\VRL\\usuatemp.def");
    ui::PuertaModal::LimpiaMensajes();
    EnVentana(c.guion);
    EXPECT_EQ(Registros(kUsuarios), c.registros);
    EXPECT_EQ(Mensajes(), c.mensajes);
    EXPECT_EQ(Leido(kUsuarios, 1).Derechos, QString(kNumeroDerechos, u's'));
  }
}

TEST_F(Configuracion, UnCambioSinAplicarEnRedLoDeshaceElSiguienteIngreso) {
  const auto cambiaUsuario1 = [](const QString& nombre, bool aplica) {
    EnVentana([&](TFormaConfiguracionGeneral& d) {
      d.Nume->setValue(1);
      prueba::Pulsa(d, "BotonCambios");
      d.Edit26->setText(nombre);
      prueba::Pulsa(d, "BotonGuarda");
      if (aplica) prueba::Pulsa(d, "BitBtn1");
    });
    EXPECT_EQ(ValidaClaveUsuario("clave1"), 1);  // a login
    return Leido(kUsuarios, 1).NombreUsuario;
  };
  EXPECT_EQ(cambiaUsuario1("Sin Aplicar", false), "Usuario 1");
  EXPECT_EQ(cambiaUsuario1("Aplicado", true), "Aplicado");
  EXPECT_EQ(Leido(kMaestro, 1).NombreUsuario, "Aplicado");
  EXPECT_TRUE(Mensajes().isEmpty());

  // A data folder that cannot take the file: told, nothing else changes.
  Configura("C:\\NOHAY", QString());
  EnVentana([](TFormaConfiguracionGeneral& d) { prueba::Pulsa(d, "BitBtn1"); });
  ASSERT_EQ(Mensajes().size(), 1);
  EXPECT_TRUE(Mensajes()[0].startsWith("No se pudieron aplicar los cambios en red")) << Mensajes()[0].toStdString();
  EXPECT_FALSE(fs::Existe("C:\\NOHAY"));
}

TEST_F(Configuracion, ClicDerechoEnLosBotonesDeUsuariosMuestraSuAyuda) {
  InstalaArchivosPrograma();
  EnVentana([](TFormaConfiguracionGeneral& d) {
    prueba::Pulsa(d, "BotonCambios");  // "&Guardar" answers once enabled
    d.Folder->setCurrentIndex(2);
    struct Caso {
      QPushButton* boton;
      const char* inicio;
    };
    const Caso casos[] = {{d.BotonElimina, "Eliminar:"},
                          {d.BotonCambios, "Cambios:"},
                          {d.BotonNuevo, "Nuevo:"},
                          {d.BotonGuarda, "Guardar:"}};
    for (const Caso& c : casos) {
      d.BotonCambios->setEnabled(true);
      d.BotonNuevo->setEnabled(true);
      QString texto;
      ui::PuertaModal::Espera("TFormaDescribe", [&](QDialog& popup) {
        texto = static_cast<TFormaDescribe&>(popup).Comenta->toPlainText();
      });
      QTest::mousePress(c.boton, Qt::RightButton);
      QTest::mouseRelease(c.boton, Qt::RightButton);
      EXPECT_TRUE(texto.startsWith(c.inicio)) << texto.toStdString();
    }
  });
}

namespace {

// Another station: reads lines of Gener1.cnf and finds the administrator by
// password over and over until the file "C:\fin" appears, then tells how
// many rounds it made and how many met a missing or cut file (a message, a
// company name or a last line other than written) or missed the
// administrator.
RUTINA_HIJA(LeeConfiguracionYUsuarios) {
  int argc = 1;
  char nombre[] = "lector";
  char* argv[] = {nombre, nullptr};
  ui::Aplicacion app(argc, argv);
  ui::PuertaModal::ModoPrueba(true);
  prueba::AvisaPadre("LISTO");
  int vueltas = 0, malas = 0;
  while (!fs::Existe("C:\\fin")) {
    ++vueltas;
    QString empresa, ultima;
    LeeLineaConfig(ConfNombreEmpresa, empresa);
    LeeLineaConfig(ConfPagarCxCMostrador, ultima);
    int administrador = -1;
    try {
      administrador = ValidaClaveUsuario("adm");
    } catch (const plat::Error&) {
    }
    if ((empresa != "Uno" && empresa != "Dos") || ultima != "S" || administrador != 0 ||
        !ui::PuertaModal::Mensajes().isEmpty())
      ++malas;
    ui::PuertaModal::LimpiaMensajes();
  }
  prueba::AvisaPadre(QStringLiteral("%1 %2").arg(vueltas).arg(malas));
  return 0;
}

}  // namespace

TEST_F(Configuracion, OtraEstacionNuncaLeeUnArchivoAMedias) {
  EscribeEmpresa(1, {{ConfNombreEmpresa, "Uno"}, {ConfPagarCxCMostrador, "S"}});
  EnVentana([](TFormaConfiguracionGeneral& d) {
    prueba::ProcesoHijo lector("LeeConfiguracionYUsuarios");
    ASSERT_EQ(lector.EsperaLinea(), "LISTO");
    for (int vez = 1; vez <= 200; ++vez) {
      Caja(d, ConfNombreEmpresa)->setText(vez % 2 ? "Dos" : "Uno");
      prueba::Pulsa(d, "BotonGuardar");
      prueba::Pulsa(d, "BitBtn1");
    }
    EscribeLineas("C:\\fin", {});
    const QStringList cuenta = lector.EsperaLinea().split(' ');
    ASSERT_EQ(cuenta.size(), 2);
    EXPECT_GT(cuenta[0].toInt(), 0);
    EXPECT_EQ(cuenta[1], "0") << cuenta[0].toStdString() << " vueltas";
    EXPECT_EQ(lector.Espera(), 0);
  });
  EXPECT_TRUE(Mensajes().isEmpty());
}

// --- Field dictionary.

namespace {

// The rows of Campos.DBF of a table, in tag order, as "CAMPO|DESCRIBE|TIPO|TAMO".
QStringList FilasCampos(const QString& tabla) {
  db::Tabla t;
  t.SetCarpeta(kPrograma);
  t.SetNombreTabla(kArchivoCampos);
  t.SetReadOnly(true);
  t.Open();
  t.SetIndexName("TABLA");
  t.SetRange({tabla}, {tabla});
  QStringList filas;
  for (t.First(); !t.Eof(); t.Next())
    filas << QStringList({t.FieldByName("CAMPO").AsString(), t.FieldByName("DESCRIBE").AsString(),
                          t.FieldByName("TIPO").AsString(), t.FieldByName("TAMO").AsString()})
                 .join(u'|');
  return filas;
}

}  // namespace

TEST_F(Configuracion, UnaCarpetaNuevaRecibeElDiccionarioDeCampos) {
  EXPECT_TRUE(InstalaCampos(kPrograma));
  const QStringList clientes = FilasCampos("cliente.dbf");
  QStringList campos;
  for (const QString& f : clientes) campos << f.section(u'|', 0, 0);
  QStringList registrados;
  for (const db::DefCampo& c : EsquemaCliente().campos) registrados << c.nombre;
  EXPECT_EQ(campos, registrados);
  EXPECT_EQ(clientes.first(), "CLCLI_C|Clave del Cliente|ftString|0");
  EXPECT_TRUE(clientes.contains("FULCO_C|Fecha de Última Compra|ftDate|0"));
  EXPECT_TRUE(clientes.contains("SALDO_C|Saldo|ftFloat|0"));
  EXPECT_TRUE(FilasCampos("CLIENTE.DBF").isEmpty());  // readers give the name in lower case

  // A dictionary already there is the installation's: left as it is.
  {
    db::Tabla t;
    t.SetCarpeta(kPrograma);
    t.SetNombreTabla(kArchivoCampos);
    t.SetExclusive(true);
    t.Open();
    t.EmptyTable();
  }
  EXPECT_FALSE(InstalaCampos(kPrograma));
  EXPECT_TRUE(FilasCampos("cliente.dbf").isEmpty());
  EXPECT_FALSE(fs::Existe(QString("C:\\VRL\\_nueva%1").arg(QCoreApplication::applicationPid())));
}

TEST_F(Configuracion, LaRejillaDeCamposGuardaAltasCambiosYBajas) {
  LlenaTablaRegistrada(db::CarpetaTabla::Programa, kPrograma, kArchivoCampos, "CAMPO", {"A1", "B1", "C1"});
  {
    db::Tabla t;
    t.SetCarpeta(kPrograma);
    t.SetNombreTabla(kArchivoCampos);
    t.Open();
    for (t.First(); !t.Eof(); t.Next()) {
      t.Edit();
      t.FieldByName("TABLA").SetAsString("cliente.dbf");
      t.Post();
    }
  }
  EnVentana([](TFormaConfiguracionGeneral& d) {
    d.Folder->setCurrentWidget(d.RejillaCampos->parentWidget());
    ui::RejillaDatos* r = d.RejillaCampos;
    r->setFocus();
    EXPECT_EQ(r->Columnas(), 5);
    EXPECT_EQ(d.TablaCampos->IndexName(), "TABLA");
    // Change the first row's caption, move down (posting it), delete the
    // second row, then insert a row and leave it unposted.
    const auto teclea = [](const QString& texto) {
      for (const QChar c : texto) QTest::keyClicks(QApplication::focusWidget(), QString(c));
    };
    r->SetSelectedIndex(2);
    teclea("Dice");
    prueba::Tecla(d, "", Qt::Key_Down);
    ui::PuertaModal::Espera("MessageDlg", [](QDialog& pregunta) { pregunta.done(QMessageBox::Yes); });
    prueba::Tecla(d, "", Qt::Key_Delete, Qt::ControlModifier);
    prueba::Tecla(d, "", Qt::Key_Insert);
    r->SetSelectedIndex(1);
    teclea("NUEVO");
  });
  QStringList filas;
  db::Tabla t;
  t.SetCarpeta(kPrograma);
  t.SetNombreTabla(kArchivoCampos);
  t.Open();
  for (t.First(); !t.Eof(); t.Next())
    filas << t.FieldByName("CAMPO").AsString() + "|" + t.FieldByName("DESCRIBE").AsString();
  filas.sort();
  EXPECT_EQ(filas, QStringList({"A1|Dice", "C1|", "NUEVO|"}));
}

// --- Key conversion.

namespace {

const QString kCliente = QStringLiteral("cliente.dbf");

// cliente.dbf of the data folder with CLCLI_C of the type and width given
// and these keys, each row named after its key.
void Clientes(QChar tipo, int ancho, const QVariantList& claves) {
  db::DefTabla def = EsquemaCliente();
  def.campos[0].tipo = tipo;
  def.campos[0].ancho = ancho;
  db::Tabla::Crea(kDatos, kCliente, def.campos, def.tags);
  db::Tabla t;
  t.SetCarpeta(kDatos);
  t.SetNombreTabla(kCliente);
  t.Open();
  for (const QVariant& clave : claves) {
    t.Append();
    t.FieldByName("CLCLI_C").SetValue(clave);
    t.FieldByName("NOMBR_C").SetAsString("Cliente " + clave.toString());
    t.Post();
  }
}

// The table as "type: key=name ..." in the order of the key tag.
QString ClientesPorClave() {
  db::Tabla t;
  t.SetCarpeta(kDatos);
  t.SetNombreTabla(kCliente);
  t.SetReadOnly(true);
  t.Open();
  t.SetIndexName("ICLACLI");
  QString texto = QString(t.FieldByName("CLCLI_C").Definicion().tipo) + ":";
  for (t.First(); !t.Eof(); t.Next())
    texto += " " + t.FieldByName("CLCLI_C").AsString() + "=" + t.FieldByName("NOMBR_C").AsString();
  return texto;
}

QByteArray BytesClientes() {
  return fs::LeeBytes(fs::Une(kDatos, kCliente)) + fs::LeeBytes(fs::Une(kDatos, "cliente.mdx"));
}

}  // namespace

TEST_F(Configuracion, LaConversionDeClavesConservaCadaClave) {
  struct Caso {
    const char* nombre;
    QChar tipo;
    int ancho;
    QVariantList claves;
    bool numerica;
    QString despues;  // empty: refused, nothing changes
  };
  const Caso casos[] = {
      {"números a texto", u'N', 10, {123, 7}, false, "C: 123=Cliente 123 7=Cliente 7"},
      {"texto a números", u'C', 10, {"12", " 5"}, true, "N: 5=Cliente  5 12=Cliente 12"},
      {"ya numéricas", u'N', 10, {3}, true, "N: 3=Cliente 3"},
      {"una clave con letras", u'C', 10, {"12", "A1"}, true, ""},
      {"dos claves que serían una", u'C', 10, {"7", "007"}, true, ""},
      {"más de diez cifras", u'C', 15, {"12345678901"}, true, ""},
      {"un texto de más de diez", u'C', 15, {"12345678901"}, false, ""},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    Clientes(c.tipo, c.ancho, c.claves);
    const QByteArray antes = BytesClientes();
    if (c.despues.isEmpty()) {
      const auto [clase, mensaje] =
          ErrorDe([&] { ConvierteClavesCatalogo(kDatos, kCliente, "CLCLI_C", "ICLACLI", c.numerica); });
      EXPECT_EQ(clase, plat::Clase::Conversion);
      EXPECT_TRUE(mensaje.endsWith("en cliente.dbf: las claves no se convirtieron")) << mensaje.toStdString();
      EXPECT_EQ(BytesClientes(), antes);
    } else {
      ConvierteClavesCatalogo(kDatos, kCliente, "CLCLI_C", "ICLACLI", c.numerica);
      EXPECT_EQ(ClientesPorClave(), c.despues);
    }
  }
}

TEST_F(Configuracion, ConsecutivosPideLaClaveYConvierteCadaCatalogo) {
  Clientes(u'C', 10, {"1", "A1"});
  {
    const db::DefTabla def = EsquemaProveedor();
    db::Tabla::Crea(kDatos, "proveedo.dbf", def.campos, def.tags);
  }
  LlenaTablaRegistrada(db::CarpetaTabla::Datos, kDatos, "PROVEEDO.DBF", "CLAVE_P", {"10", "20"});
  const QByteArray clientes = BytesClientes();
  for (const bool acepta : {false, true}) {
    SCOPED_TRACE(acepta);
    ui::PuertaModal::LimpiaMensajes();
    EnVentana([&](TFormaConfiguracionGeneral& d) {
      Casilla(d, ConfConsecutivoClientes)->setChecked(true);
      Casilla(d, ConfConsecutivoProveedores)->setChecked(true);
      EXPECT_FALSE(d.SpeedButton2->isVisibleTo(&d));
      ui::PuertaModal::Espera("TFormaAdministrador", [&](QDialog& prompt) {
        prueba::Teclea(prompt, "Clave", acepta ? "adm" : "otra");
        prueba::Pulsa(prompt, "BitBtn1");
      });
      d.SpeedButton2->click();
    });
    ASSERT_FALSE(Mensajes().isEmpty());
    EXPECT_EQ(Mensajes()[0], kAvisoConsecutivos);
    EXPECT_EQ(BytesClientes(), clientes);
    db::Tabla t;
    t.SetCarpeta(kDatos);
    t.SetNombreTabla("proveedo.dbf");
    t.SetReadOnly(true);
    t.Open();
    EXPECT_EQ(t.FieldByName("CLAVE_P").Definicion().tipo, acepta ? u'N' : u'C');
    if (acepta) {
      ASSERT_EQ(Mensajes().size(), 2);
      EXPECT_TRUE(Mensajes()[1].startsWith("La clave \"A1\" no es un número entero")) << Mensajes()[1].toStdString();
      t.SetIndexName("ICLAPRO");
      EXPECT_TRUE(t.FindKey({20}));
    }
  }
}
