// The product window's menus. Every command of the window has its item
// here, in menu order; an item whose command is not built yet has no
// handler and stays disabled (its caption and shortcut are already those of
// the finished window). A command built in a topic file of its own takes
// its handler in this table.

#include "inventory/Inven.h"

#include "platform/ui/Aplicacion.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include <vector>

namespace {

using Manejador = void (TFormaInventario::*)();

struct Item {
  const char* nombre;  // "" for a separator
  const char* texto = "";
  const char* atajo = "";
  Manejador accion = nullptr;
  QAction* TFormaInventario::*miembro = nullptr;
  bool marca = false;  // a check item
};

// A top-level entry: a menu (its items) or, without items, a command of
// the menu bar itself.
struct Menu {
  const char* nombre;
  const char* texto;
  std::vector<Item> items;
  Manejador accion = nullptr;
  QAction* TFormaInventario::*miembro = nullptr;
  const char* atajo = "";
  const char* dentroDe = nullptr;  // a submenu of that menu
};

using T = TFormaInventario;

const Item kSeparador = {""};

const std::vector<Menu>& Menus() {
  static const std::vector<Menu> menus = {
      {"Archivo1",
       "&Archivo",
       {{"Imprimir1", "Imprimir", "Ctrl+I", &T::BotonImprimirClick, &T::Imprimir1},
        {"PresentacionPreliminar1", "Presentación Preliminar", "Ctrl+R", &T::Preliminar1Click,
         &T::PresentacionPreliminar1},
        {"ImprimePlantilla1", "Imprime Plantilla", "", &T::ImprimePlantilla1Click, &T::ImprimePlantilla1},
        kSeparador,
        {"ImportardesdeEXCEL1", "Importar desde EXCEL", "", &T::ImportardesdeEXCEL1Click},
        kSeparador,
        {"Componentes1", "Componentes", "", &T::Componentes1Click, &T::Componentes1},
        {"Calculadora1", "Calculadora", "", &T::Calculadora1Click, &T::Calculadora1},
        // A command that does nothing: shown, never usable.
        {"ActualizaPrecios1", "Actualiza Precios"},
        kSeparador,
        {"Salir1", "Salir", "", &T::Close, &T::Salir1}}},
      {"Registro1",
       "&Registro",
       {{"Nuevo1", "Nuevo", "Ctrl+N", &T::BotonNuevoClick, &T::Nuevo1},
        {"Modificar1", "Modificar", "Ctrl+M", &T::BotonCambiosClick, &T::Modificar1},
        {"Guardar1", "Guardar", "Ctrl+G", &T::BotonGuardarClick, &T::Guardar1},
        {"Repetir1", "Repetir", "Ctrl+D", &T::Repetir1Click, &T::Repetir1}}},
      {"Buscar1", "&Buscar", {}, &T::BotonBuscarClick, &T::Buscar1, "Ctrl+B"},
      {"Eliminar1", "&Eliminar", {}, &T::Eliminar1Click, &T::Eliminar1},
      {"Orden1",
       "&Orden",
       {{"Clave1", "Clave", "", &T::Clave1Click, &T::Clave1},
        {"Dscripcin1", "Descripción", "", &T::Dscripcin1Click, &T::Dscripcin1},
        {"Cdigo21", "Código 2", "", &T::Cdigo21Click, &T::Cdigo21}}},
      {"Reportes1",
       "Re&portes",
       {{"Caducidad1", "Caducidad", "", &T::Caducidad1Click},
        {"Stocks1", "Reporte de Stocks", "", &T::Stocks1Click},
        {"VtasyCprasAnuales1", "Reporte de Ventas Totales", "", &T::VtasyCprasAnuales1Click},
        {"Existencias2", "Reporte de Existencias", "", &T::Existencias2Click},
        {"CostoyCostoPromedio1", "Reporte de Costos", "", &T::CostoyCostoPromedio1Click},
        {"ListadePrecios1", "Lista de Precios", "", &T::ListadePrecios1Click},
        {"CostodelInventario1", "Costo del Inventario", "", &T::CostodelInventario1Click},
        {"ValordeInventario1", "Valor de Inventario", "", &T::ValordeInventario1Click},
        {"CatlogodeProductos1", "Catálogo de Productos", "", &T::CatlogodeProductos1Click},
        {"CostoyValor1", "Costo y Valor", "", &T::CostoyValor1Click},
        {"ListadePolticas1", "Lista de Políticas", "", &T::ListadePolticas1Click},
        {"ExistenciasyStockMnimo1", "Existencias y Stock Máximo", "", &T::ExistenciasyStockMnimo1Click},
        {"ReportedeFaltantes1", "Reporte de Faltantes", "", &T::ReportedeFaltantes1Click},
        {"MsVendido1", "Más Vendido", "", &T::MsVendido1Click},
        {"EmpaquesyCajas1", "Empaques y Cajas", "", &T::EmpaquesyCajas1Click},
        {"ExistenciasporFactor1", "Existencias por Factor", "", &T::ExistenciasporFactor1Click},
        kSeparador,
        {"Caducidad3", "Caducidad", "", &T::Caducidad3Click},
        {"HistoriaComprasyVentas1", "Historia Compras y Ventas", "", &T::HistoriaComprasyVentas1Click},
        {"KardexConcentrado1", "Kardex Concentrado", "", &T::KardexConcentrado1Click}}},
      {"Consultas1",
       "Consultas",
       {{"Compras1", "Compras", "", &T::Compras1Click},
        {"Ventas1", "Ventas", "", &T::Ventas1Click},
        {"Movimientos1", "Movimientos", "", &T::Movimientos1Click},
        {"Personalizar1", "Personalizar", "", &T::Personalizar1Click}},
       nullptr,
       nullptr,
       "",
       "Reportes1"},
      {"Opciones1",
       "O&pciones",
       {{"PolticadePrecios1", "Política de Precios", "F8", &T::PolticadePrecios1Click},
        {"PreciosPreferencial1", "Precios Preferencial", "", &T::PreciosPreferencial1Click},
        {"ConfiguraClave1", "Configura Clave", "", &T::ConfiguraClave1Click},
        {"RutasKardex1", "Rutas Kardex", "", &T::RutasKardex1Click},
        {"AgregaPrecios1", "Agrega Precios", "", &T::AgregaPrecios1Click, &T::AgregaPrecios1},
        kSeparador,
        {"Kardex1", "Kardex", "", &T::Kardex1Click},
        {"Neuvokardex1", "Neuvo kardex", "", &T::Neuvokardex1Click},
        {"Kardexalterno1", "Kardex alterno", "", &T::Kardexalterno1Click},
        {"AjustarCostoPromedio1", "Ajustar Costo Promedio", "", &T::AjustarCostoPromedio1Click},
        {"ActualizarFechaUso1", "Actualizar Fecha Uso", "", &T::ActualizarFechaUso1Click},
        {"cortedeInventario1", "Corte de Inventario", "", &T::cortedeInventario1Click},
        kSeparador,
        {"AjustarInventarioSegunKardex1", "Ajustar Inventario Según Kardex", "", &T::AjustarInventarioSegunKardex1Click},
        {"AjustarporKardexRapido1", "Ajustar por Kardex Rápido", "", &T::AjustarporKardexRapido1Click},
        {"AjustarInventarioSegunExistencias1", "Ajustar Inventario Según Existencias", "", &T::AjustarInventarioSegunExistencias1Click},
        {"RevisaExistencias1", "Revisa Existencias", "", &T::RevisaExistencias1Click},
        {"RevisaExistenciasRapido1", "Revisa Existencias Rápido", "", &T::RevisaExistenciasRapido1Click},
        {"VerDesajuste1", "Ver Desajuste", "", &T::VerDesajuste1Click},
        kSeparador,
        {"Caducidad2", "Caducidad", "", &T::Caducidad2Click},
        kSeparador,
        {"ChecarStocks1", "Checar Stocks", "", &T::ChecarStocks1Click, &T::ChecarStocks1, true},
        {"LeerImpuestoenAltadeProducto1", "Leer Impuesto en Alta de Producto", "",
         &T::LeerImpuestoenAltadeProducto1Click, &T::LeerImpuestoenAltadeProducto1, true},
        // Shows configuration line 64; changed only in the configuration window.
        {"ConsecutivoenClavedeProducto1", "Consecutivo en Clave de Producto", "", nullptr,
         &T::ConsecutivoenClavedeProducto1, true}}},
      {"Ver1", "&Ver", {{"NmerosdeSerie1", "Números de Serie", "", &T::NmerosdeSerie1Click}}},
      {"Barras1", "Ba&rras", {{"ImprimeCdigo1", "Imprime Código", "", &T::ImprimeCdigo1Click}}},
      {"Ayuda1",
       "Ay&uda",
       {{"Temas1", "Temas...", "", &T::Temas1Click, &T::Temas1},
        {"Informacion1", "Informacion", "", &T::Informacion1Click, &T::Informacion1},
        {"Bitacora1", "Bitacora", "", &T::Bitacora1Click, &T::Bitacora1}}},
  };
  return menus;
}

}  // namespace

void TFormaInventario::CreaMenu() {
  MainMenu1 = new QMenuBar(this);
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  QHash<QString, QMenu*> hechos;
  const auto conecta = [this](QAction* accion, Manejador manejador) {
    if (!manejador) {
      accion->setEnabled(false);
      return;
    }
    ui::Conecta(accion, &QAction::triggered, this, [this, manejador] { (this->*manejador)(); });
  };
  for (const Menu& m : Menus()) {
    const QString texto = QString::fromUtf8(m.texto);
    if (m.items.empty()) {
      QAction* accion = MainMenu1->addAction(texto);
      accion->setObjectName(QString::fromLatin1(m.nombre));
      accion->setShortcut(QKeySequence(QString::fromLatin1(m.atajo)));
      accion->setShortcutContext(Qt::WindowShortcut);
      conecta(accion, m.accion);
      if (m.miembro) this->*m.miembro = accion;
      continue;
    }
    QMenu* menu = m.dentroDe ? hechos.value(QString::fromLatin1(m.dentroDe))->addMenu(texto) : MainMenu1->addMenu(texto);
    menu->setObjectName(QString::fromLatin1(m.nombre));
    menu->menuAction()->setObjectName(QString::fromLatin1(m.nombre));
    hechos.insert(QString::fromLatin1(m.nombre), menu);
    for (const Item& i : m.items) {
      if (!*i.nombre) {
        menu->addSeparator();
        continue;
      }
      QAction* accion = menu->addAction(QString::fromUtf8(i.texto));
      accion->setObjectName(QString::fromLatin1(i.nombre));
      accion->setShortcut(QKeySequence(QString::fromLatin1(i.atajo)));
      accion->setShortcutContext(Qt::WindowShortcut);
      accion->setCheckable(i.marca);
      if (i.miembro) this->*i.miembro = accion;
      conecta(accion, i.accion);
    }
  }
  Orden1 = hechos.value(QStringLiteral("Orden1"));
  Reportes1 = hechos.value(QStringLiteral("Reportes1"));
}
