// The main window's menu bar and toolbar, and the commands that open no
// module window.

#include "shell/Principa.h"

#include "foundation/describe.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "platform/process/Procesos.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/Eventos.h"
#include "shell/Concep.h"
#include "shell/Empresas.h"
#include "shell/Imagenes.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolButton>

namespace {

// An item of the main menu: object name, caption, shortcut, shown or not.
struct ItemMenu {
  const char* nombre;
  const char* texto;
  const char* atajo = nullptr;
  bool visible = true;
};

struct Menu {
  const char* nombre;
  const char* texto;
  std::vector<ItemMenu> items;
};

// The menu in order. The names are those the openers and the program body
// use (the handler names of the commands without "Click").
const std::vector<Menu>& Menus() {
  static const std::vector<Menu> menus = {
      {"Archivo1", "&Archivo", {{"Empresa1", "Empresa"}, {"Salir1", "Salir"}}},
      {"Catlogos1",
       "Catálogos",
       {{"Clientes1", "Clientes"},
        {"Proveedores1", "Proveedores"},
        {"Vendedores1", "Vendedores"},
        {"Facturacin1", "Facturación"},
        {"Compras2", "Compras"},
        {"CuentasPorPagar1", "Cuentas Por Pagar", nullptr, false},
        {"Inventario2", "Inventario"},
        {"MovimientosalInventario1", "Movimientos al Inventario"},
        {"CatlogoconImgenes1", "Catálogo con Imágenes", nullptr, false},
        {"Movimientos1", "Movimientos"}}},
      {"Ventas1",
       "&Ventas",
       {{"Clientes2", "Clientes", "Ctrl+L"},
        {"Proveedores2", "Proveedores", "Ctrl+P"},
        {"Vendedores2", "Vendedores", "Ctrl+E"},
        {"Factura1", "Factura", "Ctrl+F"},
        {"CapturaRpida1", "Captura Rápida", "Ctrl+R"}}},
      {"Inventario1",
       "&Inventario",
       {{"Producto1", "Producto", "Ctrl+D"},
        {"CapturaRapidadeClaves1", "Captura Rapida de Claves"},
        {"Compras1", "Compras", "Ctrl+O"},
        {"MovalInventario1", "Mov. al Inventario", "Ctrl+M"}}},
      {"Opciones1",
       "&Opciones",
       {{"Consolidar1", "Consolidar"},
        {"DiseodeConsultas1", "Diseño de Consultas"},
        {"DiseodeFormatos1", "Diseño de Formatos"},
        {"ReportesSQL1", "Reportes SQL"},
        {"Divisas1", "Divisas"}}},
      {"Utileras1",
       "Utilerías",
       {{"Respaldos1", "Respaldos y Control de Archivos"},
        {"Reindexar1", "Reindexar"},
        {"Calculadora1", "Calculadora"},
        {"MI1", "MI"}}},
      {"Configuracin1",
       "Configuración",
       {{"General1", "General"},
        {"ValoresIniciales1", "Valores Iniciales"},
        {"AltadeConceptosCobranza1", "Alta de Conceptos Cobranza", nullptr, false},
        {"AltadeConceptosMovimientos1", "Alta de Conceptos Movimientos"},
        {"IniciarenCapturaRpida1", "Iniciar en Captura Rápida (DETALLADA)"},
        {"IniciarenCapturaRpida2", "Iniciar en Captura Rápida"},
        {"IniciarenCotizacin1", "Iniciar en Cotización"},
        {"ServidordeHorario1", "Servidor de Horario"},
        {"ActualizarFechayHora1", "Actualizar Fecha y Hora"},
        {"VerMantenimiento1", "Ver Mantenimiento"}}},
      {"Ayuda1", "Ayuda", {{"VerTemas1", "Ver Temas"}, {"Sistema1", "Sistema"}, {"Acercade1", "Acerca de..."}}},
  };
  return menus;
}

// A speed button of the toolbar: the menu command it runs, its hint and its
// short-help record (none for "Salir").
struct Boton {
  QToolButton* TFormaPrincipal::*miembro;
  const char* nombre;
  const char* item;
  const char* sugerencia;
  int ayuda;
};

const Boton kBotones[] = {
    {&TFormaPrincipal::BotonEmpresa, "BotonEmpresa", "Empresa1", "Empresa", 110},
    {&TFormaPrincipal::BotonClientes, "BotonClientes", "Clientes2", "Clientes", 111},
    {&TFormaPrincipal::BotonProveedo, "BotonProveedo", "Proveedores2", "Proveedor", 112},
    {&TFormaPrincipal::BotonVendedor, "BotonVendedor", "Vendedores2", "Vendedor", 113},
    {&TFormaPrincipal::BotonFactu, "BotonFactu", "Factura1", "Punto de Venta", 114},
    {&TFormaPrincipal::BotonInventa, "BotonInventa", "Producto1", "Inventario", 117},
    {&TFormaPrincipal::BotonMovinv, "BotonMovinv", "MovalInventario1", "Movimientos Al Inventario", 118},
    {&TFormaPrincipal::BotonCompra, "BotonCompra", "Compras1", "Compras", 119},
    {&TFormaPrincipal::BotonSalir, "BotonSalir", "Salir1", "Salir", -1},
};

constexpr int kLadoBoton = 44;

}  // namespace

void TFormaPrincipal::CreaMenu() {
  MainMenu1 = new QMenuBar(this);
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  for (const Menu& m : Menus()) {
    QMenu* menu = MainMenu1->addMenu(QString::fromUtf8(m.texto));
    menu->setObjectName(QString::fromLatin1(m.nombre));
    for (const ItemMenu& i : m.items) {
      auto* accion = new QAction(QString::fromUtf8(i.texto), this);
      accion->setObjectName(QString::fromLatin1(i.nombre));
      if (i.atajo) accion->setShortcut(QKeySequence(QString::fromLatin1(i.atajo)));
      accion->setVisible(i.visible);
      menu->addAction(accion);
      addAction(accion);  // shortcuts work wherever the focus is in the window
    }
  }
  IniciarenCapturaRpida1 = Item(QStringLiteral("IniciarenCapturaRpida1"));
  IniciarenCapturaRpida2 = Item(QStringLiteral("IniciarenCapturaRpida2"));
  ServidordeHorario1 = Item(QStringLiteral("ServidordeHorario1"));
  ActualizarFechayHora1 = Item(QStringLiteral("ActualizarFechayHora1"));
  // The start options carry check marks; "Actualizar Fecha y Hora" has no
  // command, so nothing checks it.
  for (QAction* opcion : {IniciarenCapturaRpida1, IniciarenCapturaRpida2, ServidordeHorario1})
    opcion->setCheckable(true);
}

QAction* TFormaPrincipal::Item(const QString& nombre) const {
  return nombre.isEmpty() ? nullptr : findChild<QAction*>(nombre, Qt::FindDirectChildrenOnly);
}

void TFormaPrincipal::CreaBarra() {
  int izquierda = 4;
  for (const Boton& b : kBotones) {
    auto* boton = new QToolButton(Panel1);
    this->*b.miembro = boton;
    boton->setObjectName(QString::fromLatin1(b.nombre));
    const QString sugerencia = QString::fromUtf8(b.sugerencia);
    boton->setText(sugerencia);
    boton->setToolTip(sugerencia);
    boton->setAutoRaise(true);
    boton->setToolButtonStyle(Qt::ToolButtonIconOnly);
    boton->setIconSize(QSize(32, 32));
    boton->setIcon(QIcon(ImagenBarra(boton->objectName(), 32)));
    boton->setGeometry(izquierda, 2, kLadoBoton, kLadoBoton);
    izquierda += kLadoBoton + 2;
    // A mouse press shows the button's short help when it is the right one,
    // placed from the window's corner and the button's place on the toolbar.
    if (b.ayuda >= 0) {
      ui::Conecta(&ui::Eventos::De(boton), &ui::Eventos::MouseDown, this, [this, boton, b](Qt::MouseButton tecla, QPoint) {
        MuestraDescripcion(tecla, x() + boton->x(), y() + boton->y() + boton->height(), b.ayuda);
      });
    }
    // The button runs its menu command and is usable while the command is;
    // "Salir" also marks its own Tag.
    QAction* accion = Item(QString::fromLatin1(b.item));
    const bool salir = b.ayuda < 0;
    ui::Conecta(boton, &QToolButton::clicked, this, [boton, accion, salir] {
      if (salir) ui::SetTag(boton, 1000);
      accion->trigger();
    });
    connect(accion, &QAction::changed, boton, [boton, accion] { boton->setEnabled(accion->isEnabled()); });
  }
  SpeedButton1 = new QToolButton(Panel1);
  SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
  SpeedButton1->hide();
}

void TFormaPrincipal::ConectaComandos() {
  const auto comando = [this](const char* item, auto metodo) {
    ui::Conecta(Item(QString::fromLatin1(item)), &QAction::triggered, this, [this, metodo] { (this->*metodo)(); });
  };
  comando("Empresa1", &TFormaPrincipal::Empresa1Click);
  comando("Salir1", &TFormaPrincipal::Close);
  comando("Calculadora1", &TFormaPrincipal::Calculadora1Click);
  comando("MI1", &TFormaPrincipal::MI1Click);
  comando("IniciarenCapturaRpida1", &TFormaPrincipal::OpcionInicioClick);
  comando("IniciarenCapturaRpida2", &TFormaPrincipal::OpcionInicioClick);
  comando("ServidordeHorario1", &TFormaPrincipal::OpcionInicioClick);
  comando("VerMantenimiento1", &TFormaPrincipal::VerMantenimiento1Click);
  comando("VerTemas1", &TFormaPrincipal::VerTemas1Click);
  // "Factura", "Iniciar en Cotización", "Actualizar Fecha y Hora" and "Alta
  // de Conceptos Cobranza" have no command.
}

void TFormaPrincipal::Empresa1Click() {
  CierraTablasCatalogos();
  // The account concepts live for the whole run: their next activation
  // opens the tables of the company chosen now.
  CierraTablasVentana(FormaConceptos());
  if (TFormaEmpresas* empresas = FormaEmpresas()) empresas->ShowModal();
}

void AbreCalculadora() {
  const proc::Resultado r = proc::Ejecuta(QStringLiteral("calc.exe"));
  if (!r) MuestraMensaje(QStringLiteral("No se pudo abrir la calculadora: ") + r.error);
}

void TFormaPrincipal::Calculadora1Click() { AbreCalculadora(); }

void TFormaPrincipal::MI1Click() {
  if (TimerHora->isActive()) TimerHora->stop();
  else TimerHora->start();
}

void TFormaPrincipal::OpcionInicioClick() { GuardaOpcionesInicio(); }

void TFormaPrincipal::VerMantenimiento1Click() { Panel4->setVisible(Panel4->isHidden()); }

void TFormaPrincipal::VerTemas1Click() {
  const proc::Resultado r = proc::AbreDocumento(CarpetaPrograma(QStringLiteral("\\ayuda\\principal.mht")));
  if (!r) MuestraMensaje(QStringLiteral("No se pudo abrir la ayuda: ") + r.error);
}
