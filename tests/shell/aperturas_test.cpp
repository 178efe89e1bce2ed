// The main menu and toolbar driven as a user drives them: which items exist,
// which are usable, and what each opener does with the logged-in user's
// rights, the password typed in the prompt and the windows that modules join
// (stand-ins here).

#include "empresas_prueba.h"
#include "foundation/ArchivosPrograma.h"
#include "foundation/adminis.h"
#include "foundation/describe.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Componentes.h"
#include "shell/Acerca.h"
#include "shell/Empresas.h"
#include "shell/Movimientos.h"
#include "shell/Principa.h"
#include "shell/Sistema.h"
#include "suplente_prueba.h"
#include "support/LanzadorGrabador.h"
#include "support/Maneja.h"
#include "support/Proceso.h"
#include "tablas/TablasVorlan.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <optional>

namespace {

using prueba::Pulsa;
using prueba::Texto;

// A user of the test company: password, name and the rights refused.
struct UsuarioPrueba {
  const char* clave;
  const char* nombre;
  QList<int> negados;
};

// User 0 holds every right; 1 none of the modules, 2 everything but the
// backups, 3 everything but the product window, 4 nothing, 5 only backups
// and reindexing.
const QList<UsuarioPrueba> kUsuarios = {
    {"adm", "Administrador", {}},
    {"caja", "Caja Uno", {1, 2, 3, 4, 5, 8, 9, 10, 54, 55}},
    {"ana", "Ana López", {55}},
    {"Bodega", "Bodega", {8}},
    {"nadie", "Sin Derechos", {}},
    {"resp", "Respaldos", {}},
};

QByteArray ArchivoUsuarios(const QList<UsuarioPrueba>& usuarios, const QList<int>& soloDe5 = {54, 55}) {
  QByteArray bytes;
  for (int i = 0; i < usuarios.size(); ++i) {
    TRegistroUsuario r;
    r.NumeroUsuario = i;
    r.NombreUsuario = QString::fromUtf8(usuarios[i].nombre);
    r.ClaveUsuario = usuarios[i].clave;
    r.Derechos = QString(kNumeroDerechos, i == 4 || i == 5 ? u'n' : u's');
    for (int n : usuarios[i].negados) r.Derechos[n - 1] = u'n';
    if (i == 5)
      for (int n : soloDe5) r.Derechos[n - 1] = u's';
    bytes += r.ABytes();
  }
  return bytes;
}

// Another station publishes the users master with the rights user 5 holds.
RUTINA_HIJA(PublicaUsuarios) {
  QList<int> derechos;
  for (const QString& n : argumentos.mid(1)) derechos << n.toInt();
  fs::EscribeAtomico(fs::Une(argumentos.value(0), "usuarios.def"), ArchivoUsuarios(kUsuarios, derechos));
  prueba::AvisaPadre("PUBLICADO");
  return 0;
}

class Aperturas : public EmpresasPrueba {
 protected:
  void SetUp() override {
    EmpresasPrueba::SetUp();
    EscribeBytes(fs::Une(kDatos1, "usuarios.def"), ArchivoUsuarios(kUsuarios));
    principal_ = std::make_unique<TFormaPrincipal>();
    empresas_ = std::make_unique<TFormaEmpresas>();
    VentanaSuplente::Liberadas() = 0;
  }
  void TearDown() override {
    empresas_.reset();
    principal_.reset();
    qunsetenv("VORLAN_PROGRAMAS");
    EmpresasPrueba::TearDown();
  }

  TFormaPrincipal& principal() { return *principal_; }

  // A registered table of the inventory folder, made empty in the folder.
  static void CreaTabla(const QString& carpeta, const QString& archivo) {
    const db::DefTabla& def = CatalogoVorlan().Tabla(db::CarpetaTabla::Inventario, archivo);
    fs::CreaCarpeta(carpeta);
    db::Tabla::Crea(carpeta, def.archivo, def.campos, def.tags);
  }

  // A login through the company dialog with the password.
  void Ingresa(const QString& clave) {
    ui::PuertaModal::Espera("TFormaEmpresas", [clave](QDialog& d) {
      prueba::Teclea(d, "Clave", clave);
      prueba::Tecla(d, "Clave", Qt::Key_Return);
    });
    empresas_->ShowModal();
    ui::PuertaModal::LimpiaMensajes();
  }

  // The next password prompt answered: the text typed and then "Aceptar"
  // (Enter) or "Cancelar".
  static void Teclea(const QString& clave, bool cancela = false) {
    ui::PuertaModal::Espera("TFormaAdministrador", [clave, cancela](QDialog& d) {
      prueba::Teclea(d, "Clave", clave);
      if (cancela) Pulsa(d, "BitBtn2");
      else prueba::Tecla(d, "Clave", Qt::Key_Return);
    });
  }

  // What a made stand-in held when it was shown.
  struct Vista {
    QString usuario, ruta;
    int tag = -1;
    bool rangos = true, formatos = false;
  };
  // Makes stand-ins for the item and records what the next one shows.
  std::optional<Vista>& UneSuplente(const QString& item, const QString& titulo = "Suplente") {
    vista_.reset();
    principal().Une(item, [titulo] {
      auto v = std::make_unique<VentanaSuplente>(titulo);
      v->SetTag(9);
      return v;
    });
    return vista_;
  }
  void EsperaSuplente() {
    ui::PuertaModal::Espera("VentanaSuplente", [this](QDialog& d) {
      auto& v = static_cast<VentanaSuplente&>(d);
      vista_ = Vista{v.Usuario->text(), v.LabelRuta->text(), v.Tag(), !v.Rangos->isHidden(), !v.Formatos->isHidden()};
    });
  }

  std::unique_ptr<TFormaPrincipal> principal_;
  std::unique_ptr<TFormaEmpresas> empresas_;
  std::optional<Vista> vista_;
};

QStringList Menu(const TFormaPrincipal& principal) {
  QStringList lineas;
  for (const QAction* m : principal.MainMenu1->actions()) {
    lineas << m->menu()->objectName() + " " + m->text();
    for (const QAction* a : m->menu()->actions()) {
      QString linea = "  " + a->objectName() + " " + a->text();
      if (!a->shortcut().isEmpty()) linea += " [" + a->shortcut().toString() + "]";
      if (!a->isVisible()) linea += " (oculta)";
      lineas << linea;
    }
  }
  return lineas;
}

}  // namespace

TEST_F(Aperturas, ElMenuYLaBarraComoSeDisenaronYSinModuloNadaSeAbre) {
  const QStringList menu = {
      "Archivo1 &Archivo",
      "  Empresa1 Empresa",
      "  Salir1 Salir",
      "Catlogos1 Catálogos",
      "  Clientes1 Clientes",
      "  Proveedores1 Proveedores",
      "  Vendedores1 Vendedores",
      "  Facturacin1 Facturación",
      "  Compras2 Compras",
      "  CuentasPorPagar1 Cuentas Por Pagar (oculta)",
      "  Inventario2 Inventario",
      "  MovimientosalInventario1 Movimientos al Inventario",
      "  CatlogoconImgenes1 Catálogo con Imágenes (oculta)",
      "  Movimientos1 Movimientos",
      "Ventas1 &Ventas",
      "  Clientes2 Clientes [Ctrl+L]",
      "  Proveedores2 Proveedores [Ctrl+P]",
      "  Vendedores2 Vendedores [Ctrl+E]",
      "  Factura1 Factura [Ctrl+F]",
      "  CapturaRpida1 Captura Rápida [Ctrl+R]",
      "Inventario1 &Inventario",
      "  Producto1 Producto [Ctrl+D]",
      "  CapturaRapidadeClaves1 Captura Rapida de Claves",
      "  Compras1 Compras [Ctrl+O]",
      "  MovalInventario1 Mov. al Inventario [Ctrl+M]",
      "Opciones1 &Opciones",
      "  Consolidar1 Consolidar",
      "  DiseodeConsultas1 Diseño de Consultas",
      "  DiseodeFormatos1 Diseño de Formatos",
      "  ReportesSQL1 Reportes SQL",
      "  Divisas1 Divisas",
      "Utileras1 Utilerías",
      "  Respaldos1 Respaldos y Control de Archivos",
      "  Reindexar1 Reindexar",
      "  Calculadora1 Calculadora",
      "  MI1 MI",
      "Configuracin1 Configuración",
      "  General1 General",
      "  ValoresIniciales1 Valores Iniciales",
      "  AltadeConceptosCobranza1 Alta de Conceptos Cobranza (oculta)",
      "  AltadeConceptosMovimientos1 Alta de Conceptos Movimientos",
      "  IniciarenCapturaRpida1 Iniciar en Captura Rápida (DETALLADA)",
      "  IniciarenCapturaRpida2 Iniciar en Captura Rápida",
      "  IniciarenCotizacin1 Iniciar en Cotización",
      "  ServidordeHorario1 Servidor de Horario",
      "  ActualizarFechayHora1 Actualizar Fecha y Hora",
      "  VerMantenimiento1 Ver Mantenimiento",
      "Ayuda1 Ayuda",
      "  VerTemas1 Ver Temas",
      "  Sistema1 Sistema",
      "  Acercade1 Acerca de...",
  };
  EXPECT_EQ(Menu(principal()), menu);

  QStringList barra;
  for (const QToolButton* b : principal().Panel1->findChildren<QToolButton*>())
    barra << b->objectName() + " " + b->toolTip() + (b->isHidden() ? " (oculto)" : "");
  EXPECT_EQ(barra, (QStringList{"BotonEmpresa Empresa", "BotonClientes Clientes", "BotonProveedo Proveedor",
                                "BotonVendedor Vendedor", "BotonFactu Punto de Venta", "BotonInventa Inventario",
                                "BotonMovinv Movimientos Al Inventario", "BotonCompra Compras", "BotonSalir Salir",
                                "SpeedButton1  (oculto)"}));

  // Nothing joined: the modules' items and buttons are disabled; the shell's
  // own commands and the ones that do nothing are not.
  Ingresa("adm");
  QStringList habilitadas;
  for (const QAction* a : principal().findChildren<QAction*>(Qt::FindDirectChildrenOnly))
    if (a->isEnabled()) habilitadas << a->objectName();
  EXPECT_EQ(habilitadas, (QStringList{"Empresa1", "Salir1", "Movimientos1", "Factura1", "Calculadora1", "MI1",
                                      "IniciarenCapturaRpida1", "IniciarenCapturaRpida2",
                                      "IniciarenCotizacin1", "ServidordeHorario1", "ActualizarFechayHora1",
                                      "VerMantenimiento1", "VerTemas1", "Sistema1", "Acercade1"}));
  for (const char* boton : {"BotonClientes", "BotonProveedo", "BotonVendedor", "BotonInventa", "BotonMovinv", "BotonCompra"})
    EXPECT_FALSE(principal().findChild<QToolButton*>(boton)->isEnabled()) << boton;
  EXPECT_TRUE(principal().BotonFactu->isEnabled());
  EXPECT_FALSE(principal().Panel2->isEnabled());
  Pulsa(principal(), "BotonClientes");
  principal().Item("Clientes2")->trigger();
  QTest::keyClick(&principal(), Qt::Key_L, Qt::ControlModifier);
  principal().Panel2Click();
  principal().Compras1Click();
  // "Factura" and its button do nothing.
  Pulsa(principal(), "BotonFactu");
  principal().Item("IniciarenCotizacin1")->trigger();

  // A module that joins makes its item and button usable.
  VentanaSuplente clientes;
  principal().Une("Clientes2", [&] { return &clientes; });
  EXPECT_TRUE(principal().Item("Clientes2")->isEnabled());
  EXPECT_TRUE(principal().BotonClientes->isEnabled());
  principal().Une("CapturaRpida1", Crea<VentanaSuplente>);
  EXPECT_TRUE(principal().Panel2->isEnabled());
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Aperturas, UnModuloSeUneSoloASuOpcionYConSuVida) {
  VentanaSuplente ventana;
  const std::function<void()> errores[] = {
      [&] { principal().Une("Clientes2", Crea<VentanaSuplente>); },
      [&] { principal().Une("Vendedores2", [&] { return &ventana; }); },
      [&] { principal().Une("NoExiste1", Crea<VentanaSuplente>); },
      [&] { principal().Une("Calculadora1", Crea<VentanaSuplente>); },
  };
  for (const auto& une : errores) EXPECT_THROW(une(), plat::Error);
  EXPECT_FALSE(principal().Item("Clientes2")->isEnabled());
  EXPECT_FALSE(principal().Item("Vendedores2")->isEnabled());
}

TEST_F(Aperturas, LasVentanasAbiertasDesdeElInicioPruebanSuDerechoYRecibenElUsuario) {
  struct Caso {
    const char* item;
    const char* boton;
    const char* clave;
    bool abre;
    const char* oculto;  // the component the opener hides
  };
  const Caso casos[] = {
      {"Clientes2", "BotonClientes", "caja", false, nullptr},
      {"Clientes2", "BotonClientes", "ana", true, nullptr},
      {"Proveedores2", "BotonProveedo", "caja", false, nullptr},
      {"Proveedores2", "BotonProveedo", "ana", true, nullptr},  // "Saldo..." shown: the way to pay suppliers
      {"Compras1", "BotonCompra", "caja", false, nullptr},
      {"Compras1", "BotonCompra", "ana", true, "BotonPagos"},
  };
  for (const Caso& c : casos) {
    for (bool porBoton : {false, true}) {
      SCOPED_TRACE(std::string(c.item) + " " + c.clave + (porBoton ? " botón" : " menú"));
      Ingresa(c.clave);
      VentanaSuplente ventana;
      principal().Une(c.item, [&] { return &ventana; });
      if (porBoton) Pulsa(principal(), c.boton);
      else principal().Item(c.item)->trigger();
      EXPECT_EQ(ventana.isVisible(), c.abre);
      EXPECT_FALSE(ventana.isModal());
      EXPECT_EQ(ventana.Usuario->text(), QString::number(principal().NumeroUsuario()));  // also when refused
      EXPECT_EQ(Mensajes(), c.abre ? QStringList() : QStringList{kSinAcceso});
      for (QWidget* boton : {static_cast<QWidget*>(ventana.Saldo), static_cast<QWidget*>(ventana.BotonPagos)})
        EXPECT_EQ(boton->isHidden(), c.oculto && boton->objectName() == c.oculto) << boton->objectName().toStdString();
      ui::PuertaModal::LimpiaMensajes();
    }
  }
  // The window found by Compras1Click, as other windows call it.
  Ingresa("ana");
  VentanaSuplente compras;
  principal().Une("Compras1", [&] { return &compras; });
  principal().Compras1Click();
  EXPECT_TRUE(compras.isVisible());
}

TEST_F(Aperturas, LaVentanaDeProductosPideLaClaveDelAdministradorALosDemas) {
  struct Caso {
    const char* ingreso;
    std::optional<QString> clave;  // typed in the prompt; none: no prompt shown
    bool cancela;
    bool abre;
    const char* usuario;  // in the window's Usuario label
    QStringList mensajes;
  };
  const Caso casos[] = {
      {"Bodega", QString("adm"), false, true, "0", {}},            // no right 8, but the administrator's password
      {"Bodega", QString("caja"), false, false, "3", {kSinAcceso}},  // refused: right 8 of user 3
      {"Bodega", QString("adm"), true, false, "3", {kSinAcceso}},    // cancelled: right 8 of user 3
      {"ana", QString(""), true, true, "2", {}},                     // cancelled, user 2 holds right 8
      {"adm", std::nullopt, false, true, "0", {}},                   // the administrator sees no prompt
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(std::string(c.ingreso) + " " + c.clave.value_or("-").toStdString());
    Ingresa(c.ingreso);
    VentanaSuplente productos;
    principal().Une("Producto1", [&] { return &productos; });
    if (c.clave) Teclea(*c.clave, c.cancela);
    Pulsa(principal(), "BotonInventa");
    EXPECT_EQ(productos.isVisible(), c.abre);
    EXPECT_EQ(productos.Usuario->text(), c.usuario);
    EXPECT_EQ(Mensajes(), c.mensajes);
    EXPECT_EQ(FormaAdministrador(), nullptr);  // the prompt is freed
    ui::PuertaModal::LimpiaMensajes();
  }
}

TEST_F(Aperturas, LasVentanasCreadasParaLaOcasionSeLiberanTambienSinDerecho) {
  qputenv("VORLAN_PROGRAMAS", "GUNDEL.exe=gundel");
  prueba::LanzadorGrabador lanzador;
  struct Caso {
    const char* item;
    const char* clave;
    bool abre;
    const char* etiquetas;  // Usuario|usuario of the window when freed
  };
  const Caso casos[] = {
      {"Vendedores2", "caja", false, "1|?"},      {"Vendedores2", "ana", true, "2|?"},
      {"MovalInventario1", "caja", false, "1|?"}, {"MovalInventario1", "ana", true, "2|?"},
      {"CapturaRpida1", "caja", false, "?|1"},    {"CapturaRpida1", "ana", true, "?|2"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(std::string(c.item) + " " + c.clave);
    Ingresa(c.clave);
    const bool venta = c.item == QString("CapturaRpida1");
    // A barcode-label program left running: the sale screen closes it once
    // it has closed, whether it was allowed or not.
    lanzador.cerrados.clear();
    ASSERT_TRUE(proc::Ejecuta("GUNDEL.exe"));
    UneSuplente(c.item, "Captura Rápida");
    std::optional<QString> titulo;
    if (c.abre) {
      ui::PuertaModal::Espera("VentanaSuplente", [&](QDialog& d) {
        titulo = d.windowTitle();
        EXPECT_TRUE(lanzador.cerrados.isEmpty());
      });
    }
    principal().Item(c.item)->trigger();
    EXPECT_EQ(VentanaSuplente::Liberadas(), 1);
    VentanaSuplente::Liberadas() = 0;
    EXPECT_EQ(VentanaSuplente::EtiquetasAlLiberar(), c.etiquetas);
    EXPECT_EQ(Mensajes(), c.abre ? QStringList() : QStringList{kSinAcceso});
    EXPECT_EQ(lanzador.cerrados.size(), venta ? 1 : 0);
    EXPECT_EQ(titulo.has_value(), c.abre);
    // The sale screen's caption gets the user's name in capitals and today's
    // date.
    const QString esperado =
        venta ? "Captura Rápida" + QString(3, ' ') + "ANA LÓPEZ" + QString(11, ' ') + "05/03/2010" : "Captura Rápida";
    EXPECT_EQ(titulo.value_or(esperado), esperado);
    ui::PuertaModal::LimpiaMensajes();
    if (!venta) proc::CierraVentana("GUNDEL");
  }
}

TEST_F(Aperturas, LaVentaSeAbreDesdeElLogoSuImagenYSuBoton) {
  Ingresa("ana");
  principal().Show();
  principal().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&principal()));
  int abiertas = 0;
  principal().Une("CapturaRpida1", [&] {
    ++abiertas;
    return std::make_unique<VentanaSuplente>();
  });
  const std::function<void()> maneras[] = {
      [&] { principal().Item("CapturaRpida1")->trigger(); },
      [&] { QTest::mouseClick(principal().Panel2, Qt::LeftButton); },
      [&] { QTest::mouseClick(principal().Logo, Qt::LeftButton, {}, QPoint(2, 2)); },
      [&] { QTest::mouseClick(principal().Image8, Qt::LeftButton); },
      [&] { QTest::keyClick(&principal(), Qt::Key_R, Qt::ControlModifier); },
  };
  for (const auto& abre : maneras) {
    ui::PuertaModal::Espera("VentanaSuplente", [](QDialog&) {});
    abre();
  }
  EXPECT_EQ(abiertas, 5);
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Aperturas, LasVentanasSinDerechoRecibenSuCarpetaYSusAjustes) {
  struct Caso {
    const char* item;
    const char* linea59;
    const char* ruta;  // in LabelRuta
    bool rangos, formatos, nuevo;
  };
  const Caso casos[] = {
      {"Consolidar1", "D:\\INV", "C:\\VRL\\DATOS", true, false, false},
      {"ValoresIniciales1", "D:\\INV", "C:\\VRL\\DATOS", true, false, false},
      {"DiseodeFormatos1", "", "?", false, true, false},
      {"DiseodeConsultas1", "", "?", true, false, false},
      {"ReportesSQL1", "", "?", true, false, false},
      {"Divisas1", "", "?", true, false, false},
      {"AltadeConceptosMovimientos1", "", "?", true, false, false},
  };
  Ingresa("nadie");  // holds no right: none is tested
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.item);
    QStringList lineas = fs::LeeLineas("C:\\VRL\\Gener1.cnf");
    lineas[ConfCarpetaInventario - 1] = c.linea59;
    EscribeLineas("C:\\VRL\\Gener1.cnf", lineas);
    std::optional<Vista>& vista = UneSuplente(c.item);
    EsperaSuplente();
    principal().Item(c.item)->trigger();
    ASSERT_TRUE(vista);
    EXPECT_EQ(vista->ruta, c.ruta);
    EXPECT_EQ(vista->usuario, "?");
    EXPECT_EQ(vista->rangos, c.rangos);
    EXPECT_EQ(vista->formatos, c.formatos);
    EXPECT_EQ(VentanaSuplente::Liberadas(), 1);
    VentanaSuplente::Liberadas() = 0;
  }

  // The utilities window has no item: other windows run Indices1Click.
  std::optional<Vista>& utilerias = UneSuplente("Indices1");
  EsperaSuplente();
  principal().Indices1Click();
  EXPECT_TRUE(utilerias);

  // The quick key capture runs through its module's entry with the
  // inventory folder (line 59, else line 8) and its "Nuevo" shown disabled.
  for (const char* linea59 : {"D:\\INV", ""}) {
    QStringList lineas = fs::LeeLineas("C:\\VRL\\Gener1.cnf");
    lineas[ConfCarpetaInventario - 1] = linea59;
    EscribeLineas("C:\\VRL\\Gener1.cnf", lineas);
    QString carpeta;
    bool nuevoVisible = false, nuevoHabilitado = true;
    principal().Une("CapturaRapidadeClaves1", Crea<VentanaSuplente>, [&](ui::Forma& ventana, const QString& c) {
      auto& v = static_cast<VentanaSuplente&>(ventana);
      carpeta = c;
      nuevoVisible = !v.BotonNuevo->isHidden();
      nuevoHabilitado = v.BotonNuevo->isEnabled();
    });
    principal().Item("CapturaRapidadeClaves1")->trigger();
    EXPECT_EQ(carpeta, *linea59 ? QString(linea59) : kDatos1);
    EXPECT_TRUE(nuevoVisible);
    EXPECT_FALSE(nuevoHabilitado);
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Aperturas, LasOpcionesConClavePruebanAlUsuarioQueCorresponde) {
  struct Caso {
    const char* ingreso;
    const char* item;
    const char* clave;
    bool cancela;
    bool abre;
    QStringList mensajes;
    int liberadas;  // the window is made before the prompt, except the backups'
  };
  const Caso casos[] = {
      // The general configuration: the administrator's password, then right
      // 10 of the logged-in user.
      {"ana", "General1", "adm", false, true, {}, 1},
      {"ana", "General1", "ana", false, false, {kSinAccesoConfiguracion}, 1},
      {"ana", "General1", "", true, false, {}, 1},
      {"caja", "General1", "adm", false, false, {kSinAcceso}, 1},
      // Backups and reindexing: right 55 or 54 of the user whose password is
      // typed (user 5), whoever is logged in (user 1 here holds neither).
      {"caja", "Respaldos1", "resp", false, true, {}, 1},
      {"caja", "Respaldos1", "ana", false, false, {kSinAcceso, kSinAccesoModulo}, 0},
      {"caja", "Respaldos1", "desconocida", false, false, {kUsuarioNoValido, kSinAccesoModulo}, 0},
      // Cancelled: the typed text is still tested, but no second message.
      {"caja", "Respaldos1", "ana", true, false, {kSinAcceso}, 0},
      {"caja", "Respaldos1", "resp", true, true, {}, 1},
      {"caja", "Reindexar1", "resp", false, true, {}, 1},
      {"caja", "Reindexar1", "caja", false, false, {kSinAcceso, kSinAccesoModulo}, 1},
      {"caja", "Reindexar1", "desconocida", true, false, {kUsuarioNoValido, kSinAccesoModulo}, 1},
      {"caja", "Reindexar1", "resp", true, true, {}, 1},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(std::string(c.ingreso) + " " + c.item + " " + c.clave + (c.cancela ? " cancelada" : ""));
    Ingresa(c.ingreso);
    std::optional<Vista>& vista = UneSuplente(c.item);
    Teclea(c.clave, c.cancela);
    if (c.abre) EsperaSuplente();
    principal().Item(c.item)->trigger();
    EXPECT_EQ(vista.has_value(), c.abre);
    // The configuration window is shown with its Tag set to 0.
    if (c.abre) {
      EXPECT_EQ(vista->tag, c.item == QString("General1") ? 0 : 9);
    }
    EXPECT_EQ(Mensajes(), c.mensajes);
    EXPECT_EQ(FormaAdministrador(), nullptr);
    EXPECT_EQ(VentanaSuplente::Liberadas(), c.liberadas);
    VentanaSuplente::Liberadas() = 0;
  }
}

TEST_F(Aperturas, ElReindexadoCierraLasTablasDeLaVentanaYDetieneElReloj) {
  Ingresa("adm");
  db::Tabla* tablas[] = {principal().TablaE, principal().TablaD, principal().TablaMI};
  for (db::Tabla* t : tablas) {
    t->SetCarpeta(kDatos1);
    t->SetNombreTabla("Kardex.dbf");
  }
  CreaTabla(kDatos1, "Kardex.dbf");
  for (db::Tabla* t : tablas) t->Open();
  UneSuplente("Reindexar1");
  for (bool relojAntes : {false, true}) {
    if (relojAntes) principal().TimerHora->start();
    else principal().TimerHora->stop();
    ui::PuertaModal::Espera("TFormaAdministrador", [&](QDialog& d) {
      for (db::Tabla* t : tablas) EXPECT_FALSE(t->Active());
      EXPECT_FALSE(principal().TimerHora->isActive());
      prueba::Teclea(d, "Clave", "resp");
      Pulsa(d, "BitBtn1");
    });
    EsperaSuplente();
    principal().Reindexar1Click();
    EXPECT_TRUE(principal().TimerHora->isActive());
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Aperturas, UnDerechoPublicadoPorOtraEstacionValeSinReiniciar) {
  EscribeBytes(fs::Une(kDatos1, "usuarios.def"), ArchivoUsuarios(kUsuarios, {54}));
  Ingresa("ana");
  std::optional<Vista>& vista = UneSuplente("Respaldos1");
  Teclea("resp");
  principal().Respaldos1Click();
  EXPECT_FALSE(vista);
  EXPECT_EQ(Mensajes(), (QStringList{kSinAcceso, kSinAccesoModulo}));

  prueba::ProcesoHijo otra("PublicaUsuarios", {kDatos1, "54", "55"});
  EXPECT_EQ(otra.EsperaLinea(), "PUBLICADO");
  EXPECT_EQ(otra.Espera(), 0);
  ui::PuertaModal::LimpiaMensajes();
  Teclea("resp");
  EsperaSuplente();
  principal().Respaldos1Click();
  EXPECT_TRUE(vista);
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Aperturas, UnUsuarioQueNoEsNumeroNoAbreNada) {
  // A login by the company key before any user logged in leaves the label's
  // design text.
  EscribeEmpresa(1, kDatos1, "Abarrotes Uno", "LLAVE");
  Ingresa("LLAVE");
  ASSERT_EQ(Texto(principal(), "Usuario"), "Usuario");
  VentanaSuplente clientes;
  principal().Une("Clientes2", [&] { return &clientes; });
  std::optional<Vista>& vista = UneSuplente("Vendedores2");
  const QString error = "'Usuario' no es un valor entero válido";
  principal().Item("Clientes2")->trigger();
  principal().Item("Vendedores2")->trigger();
  EXPECT_FALSE(clientes.isVisible());
  EXPECT_FALSE(vista);
  EXPECT_EQ(VentanaSuplente::Liberadas(), 1);
  EXPECT_EQ(Mensajes(), (QStringList{error, error}));
}

TEST_F(Aperturas, LosCatalogosAbrenElNavegadorConSuTablaYColumnas) {
  struct Caso {
    const char* item;
    const char* clave;
    bool abre;
    QString tabla;
    QString campo1, titulo1, campo9, titulo9;
    QString usuario;
    bool imagenes = false;
  };
  const Caso casos[] = {
      {"Clientes1", "caja", false, "", "", "", "", "", "?"},
      {"Clientes1", "ana", true, "cliente.dbf", "CLCLI_C", "Cliente", "c9", "e9", "?"},
      {"Proveedores1", "ana", true, "proveedo.dbf", "CLAVE_P", "Cliente", "c9", "e9", "?"},
      {"Vendedores1", "caja", false, "", "", "", "", "", "?"},
      {"Vendedores1", "ana", true, "vendedor.dbf", "", "", "", "", "?"},
      {"Facturacin1", "ana", true, "FacturaE.dbf", "CLDOC_F", "Documento", "c9", "e9", "?"},
      {"Compras2", "ana", true, "comprasE.dbf", "CLDOC_O", "Documento", "c9", "e9", "?"},
      {"CuentasPorPagar1", "nadie", true, "cuepagar.dbf", "", "", "", "", "?"},
      {"Inventario2", "Bodega", false, "", "", "", "", "", "?"},
      {"Inventario2", "ana", true, "inventar.dbf", "CLPRO_I", "Producto", "c9", "e9", "2"},
      {"MovimientosalInventario1", "ana", true, "movinven.dbf", "CLDOC_MI", "Documento", "c9", "e9", "?"},
      {"CatlogoconImgenes1", "nadie", true, "inventar.dbf", "CLPRO_I", "Producto", "c9", "e9", "?", true},
  };
  std::optional<CatalogoMenu> pedido;
  principal().UneNavegador([&](const CatalogoMenu& c) {
    pedido = c;
    return std::make_unique<VentanaSuplente>();
  });
  for (const Caso& c : casos) {
    SCOPED_TRACE(std::string(c.item) + " " + c.clave);
    Ingresa(c.clave);
    pedido.reset();
    if (c.abre) EsperaSuplente();
    principal().Item(c.item)->trigger();
    EXPECT_EQ(pedido.has_value(), c.abre);
    EXPECT_EQ(Mensajes(), c.abre ? QStringList() : QStringList{kSinAcceso});
    ui::PuertaModal::LimpiaMensajes();
    if (!pedido) continue;
    EXPECT_EQ(pedido->tabla, c.tabla);
    EXPECT_EQ(pedido->imagenes, c.imagenes);
    EXPECT_EQ(vista_->usuario, c.usuario);
    if (c.campo1.isEmpty()) {
      EXPECT_TRUE(pedido->campos.isEmpty());
      EXPECT_TRUE(pedido->titulos.isEmpty());
      continue;
    }
    ASSERT_EQ(pedido->campos.size(), 9);
    ASSERT_EQ(pedido->titulos.size(), 9);
    EXPECT_EQ(pedido->campos.first(), c.campo1);
    EXPECT_EQ(pedido->titulos.first(), c.titulo1);
    EXPECT_EQ(pedido->campos.last(), c.campo9);
    EXPECT_EQ(pedido->titulos.last(), c.titulo9);
  }
  // Columns in full for one table with six of them.
  Ingresa("ana");
  EsperaSuplente();
  principal().Item("Facturacin1")->trigger();
  EXPECT_EQ(pedido->campos, (QStringList{"CLDOC_F", "CLCLI_F", "NOMBR_F", "FEDOC_F", "FEVEN_F", "IMTOD_F", "c7", "c8", "c9"}));
  EXPECT_EQ(pedido->titulos, (QStringList{"Documento", "Clave", "Nombre", "Fech. Doc.", "Fech. Venc.", "Importe", "e7",
                                          "e8", "e9"}));
}

TEST_F(Aperturas, LasVentanasPropiasDelMenu) {
  // The movement mirror viewer, on the line-59 folder or the data folder.
  for (const char* linea59 : {"", "D:\\INVENTA"}) {
    SCOPED_TRACE(linea59);
    const QString carpeta = *linea59 ? QString(linea59) : kDatos1;
    QStringList lineas = fs::LeeLineas("C:\\VRL\\Gener1.cnf");
    lineas[ConfCarpetaInventario - 1] = linea59;
    EscribeLineas("C:\\VRL\\Gener1.cnf", lineas);
    CreaTabla(carpeta, "MOVIMIENTOS.DBF");
    Ingresa("nadie");
    TFormaMovimientos deInicio;
    ui::PuertaModal::Espera("TFormaMovimientos", [&](QDialog& d) {
      auto& visor = static_cast<TFormaMovimientos&>(d);
      EXPECT_NE(&visor, &deInicio);
      EXPECT_EQ(FormaMovimientos(), &visor);  // the new one replaces the instance
      EXPECT_EQ(visor.LabelRuta->text(), carpeta);
      EXPECT_TRUE(visor.Table1->Active());
      EXPECT_EQ(visor.Table1->Carpeta(), carpeta);
    });
    principal().Item("Movimientos1")->trigger();
    EXPECT_EQ(FormaMovimientos(), nullptr);  // freed after
  }

  bool reloj = false;
  ui::PuertaModal::Espera("TFormaAcerca", [&](QDialog& d) { reloj = static_cast<TFormaAcerca&>(d).Timer1->isActive(); });
  principal().Item("Acercade1")->trigger();
  EXPECT_TRUE(reloj);
  EXPECT_EQ(FormaAcerca(), nullptr);
  ui::PuertaModal::Espera("TFormaSistema", [](QDialog& d) { EXPECT_EQ(d.windowTitle(), "Información del Sistema"); });
  principal().Item("Sistema1")->trigger();
  EXPECT_EQ(FormaSistema(), nullptr);
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Aperturas, LosComandosSinVentanaDeModulo) {
  qputenv("VORLAN_PROGRAMAS", "calc.exe=gnome-calculator");
  prueba::LanzadorGrabador lanzador;
  Ingresa("ana");

  principal().Item("Calculadora1")->trigger();
  principal().Item("VerTemas1")->trigger();
  ASSERT_EQ(lanzador.iniciados.size(), 2);
  EXPECT_EQ(lanzador.iniciados[0], (proc::Orden{"gnome-calculator", {}, {}}));
  EXPECT_EQ(lanzador.iniciados[1], (proc::Orden{"xdg-open", {fs::Local("C:\\VRL\\ayuda\\principal.mht")}, {}}));
  // Without a calculator on this machine the user is told.
  qunsetenv("VORLAN_PROGRAMAS");
  principal().Item("Calculadora1")->trigger();
  ASSERT_EQ(Mensajes().size(), 1);
  EXPECT_TRUE(Mensajes()[0].startsWith("No se pudo abrir la calculadora: ")) << Mensajes()[0].toStdString();
  ui::PuertaModal::LimpiaMensajes();

  // "MI" switches the clock timer; "Ver Mantenimiento" the maintenance panel.
  for (bool activo : {true, false}) {
    principal().Item("MI1")->trigger();
    EXPECT_EQ(principal().TimerHora->isActive(), activo);
    principal().Item("VerMantenimiento1")->trigger();
    EXPECT_EQ(!principal().Panel4->isHidden(), activo);
  }

  // "Empresa" closes the catalogue windows' tables, then shows the company
  // dialog; "Salir" closes the main window.
  VentanaSuplente clientes;
  CreaTabla(kDatos1, "Kardex.dbf");
  clientes.AbreTabla(kDatos1, "Kardex.dbf");
  principal().Une("Clientes2", [&] { return &clientes; });
  ui::PuertaModal::Espera("TFormaEmpresas", [&](QDialog& d) {
    EXPECT_FALSE(clientes.Tabla->Active());
    prueba::Teclea(d, "Clave", "adm");
    prueba::Tecla(d, "Clave", Qt::Key_Return);
  });
  Pulsa(principal(), "BotonEmpresa");
  EXPECT_EQ(Texto(principal(), "Usuario"), "0");
  principal().Show();
  principal().Item("Salir1")->trigger();
  EXPECT_FALSE(principal().isVisible());
}

TEST_F(Aperturas, LasOpcionesDeInicioSoloLasGuardaElAdministrador) {
  const QString rapida = "C:\\VRL\\rapida.cnf";
  struct Caso {
    const char* clave;
    const char* item;
    std::optional<QStringList> archivo;
  };
  const Caso casos[] = {
      {"adm", "IniciarenCapturaRpida1", QStringList{"S", "N", "N"}},
      {"adm", "ServidordeHorario1", QStringList{"S", "S", "N"}},
      {"adm", "IniciarenCapturaRpida1", QStringList{"N", "S", "N"}},
      {"adm", "IniciarenCapturaRpida2", QStringList{"T", "S", "N"}},
      {"adm", "ActualizarFechayHora1", std::nullopt},  // no command: nothing written, nothing checked
      {"ana", "IniciarenCapturaRpida1", std::nullopt},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(std::string(c.clave) + " " + c.item);
    Ingresa(c.clave);
    fs::BorraArchivo(rapida);
    QAction* item = principal().Item(c.item);
    const bool antes = item->isChecked();
    item->trigger();
    EXPECT_EQ(item->isChecked(), item != principal().ActualizarFechayHora1 && !antes);
    if (c.archivo) EXPECT_EQ(fs::LeeLineas(rapida), *c.archivo);
    else EXPECT_FALSE(fs::Existe(rapida));
  }
}

TEST_F(Aperturas, ElBotonDerechoEnLaBarraMuestraSuAyuda) {
  InstalaArchivosPrograma();
  Ingresa("adm");
  principal().move(40, 30);
  struct Caso {
    const char* boton;
    QString empieza;
  };
  const Caso casos[] = {{"BotonEmpresa", "Empresa: cambia de empresa"},
                        {"BotonClientes", "Clientes: abre el catálogo de clientes"},
                        {"BotonCompra", "Compras: recepciones"}};
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.boton);
    QToolButton* boton = principal().findChild<QToolButton*>(c.boton);
    QString texto;
    QPoint donde;
    ui::PuertaModal::Espera("TFormaDescribe", [&](QDialog& d) {
      texto = static_cast<TFormaDescribe&>(d).Comenta->toPlainText();
      donde = d.pos();
    });
    QTest::mousePress(boton, Qt::RightButton);
    QTest::mouseRelease(boton, Qt::RightButton);
    EXPECT_TRUE(texto.startsWith(c.empieza)) << texto.toStdString();
    // Under the button: the window's corner plus the button's place on the
    // toolbar, the popup centred 25 pixels to the right and 70 lower.
    const int x = principal().x() + boton->x();
    const int y = principal().y() + boton->y() + boton->height();
    EXPECT_EQ(donde, QPoint(x - 123 / 2 + 25, y + 70));
  }
  // The left button shows no help; "Salir" has none.
  QTest::mouseClick(principal().BotonFactu, Qt::LeftButton);
  QTest::mousePress(principal().BotonSalir, Qt::RightButton);
  EXPECT_EQ(Mensajes(), QStringList());
}
