#include "app/Vorlan.h"

#include "app/NavegadorCatalogos.h"
#include "customers/Clientes.h"
#include "customers/Conclie.h"
#include "customers/CucobraRemision.h"
#include "customers/Vendedor.h"
#include "formats/edicion.h"
#include "foundation/Glyps.h"
#include "inventory/Caducidad.h"
#include "inventory/ClaveRapida.h"
#include "inventory/Colector.h"
#include "inventory/ConsultasExternas.h"
#include "inventory/ConPro.h"
#include "inventory/Inven.h"
#include "inventory/movinv.h"
#include "maintenance/IndiTodo.h"
#include "maintenance/PrincipaMI.h"
#include "maintenance/respaldo.h"
#include "maintenance/utileria.h"
#include "pos/Caja.h"
#include "pos/CaptuRap.h"
#include "pos/ListaSQL.h"
#include "purchasing/Compras.h"
#include "purchasing/ConProvee.h"
#include "purchasing/ConsultaCuePagar.h"
#include "purchasing/CxPDetalle.h"
#include "purchasing/Proveedo.h"
#include "reports/Consolidar.h"
#include "reports/DisenoVista.h"
#include "reports/Formatos.h"
#include "reports/Progreso.h"
#include "reports/ReporteadorSQL.h"
#include "salesdocs/ComandosDocumentos.h"
#include "salesdocs/ReportesVenta.h"
#include "salesdocs/BuscarSQL.h"
#include "salesdocs/ComandosBusqueda.h"
#include "salesdocs/HotReporte.h"
#include "shell/Comovinv.h"
#include "shell/Concep.h"
#include "shell/Divisa.h"
#include "shell/Elipse.h"
#include "shell/Empresas.h"
#include "shell/General.h"
#include "shell/Inicial.h"
#include "shell/Movimientos.h"
#include "shell/Principa.h"
#include "tablas/TablasVorlan.h"

#include <functional>

namespace {

using Creador = std::function<std::unique_ptr<ui::Forma>()>;

// The modules the main menu reaches. Each joins with one line under its
// comment: the object name of its menu item and the function that makes its
// window for the occasion (Crea<T>) or finds the window created at start-up
// (its instance accessor, called when the command runs, so the window may be
// created after the main window); the item's row in the shell does the rest.
void UneModulos(TFormaPrincipal& principal) {
  // "Clientes2" (Ventas > "Clientes", BotonClientes): the customer window, found.
  principal.Une("Clientes2", [] { return static_cast<ui::Forma*>(FormaClientes()); });

  // "Proveedores2" (Ventas > "Proveedores", BotonProveedo): the supplier window, found.
  principal.Une("Proveedores2", [] { return static_cast<ui::Forma*>(FormaProveedo()); });

  // "Vendedores2" (Ventas > "Vendedores", BotonVendedor): the seller window, made.
  principal.Une("Vendedores2", Crea<TFormaVendedor>);

  // "CapturaRpida1" (Ventas > "Captura Rápida", the logo, Panel2): the sale screen, made.
  principal.Une("CapturaRpida1", Crea<TFormaCapturaRapida>);
  // Its Generar menu: the invoice from a remission and the conversions
  // between document kinds (salesdocs).
  UneDocumentosVenta();
  // Its Reportes menu: the sales list reports and the cash cuts.
  UneReportesVenta();
  // Its Registro > "Busqueda Avanzada" and Generar > "Agregar Documento":
  // the advanced document search and the multiple-document window.
  UneBusquedaDocumentos();

  // "Producto1" (Inventario > "Producto", BotonInventa): the product window, found.
  // F2 in its supplier boxes runs the supplier lookup.
  principal.Une("Producto1", [] { return FormaInventario(); });
  UneConsultaProveedores(BuscaProveedor);

  // "CapturaRapidadeClaves1" (Inventario > "Captura Rapida de Claves"): the
  // quick product registration, made and run through its entry (third
  // argument), which gets the inventory folder.
  principal.Une("CapturaRapidadeClaves1", Crea<TFormaClaveRapida>,
                [](ui::Forma&, const QString& carpeta) { AltaRapidaProducto(carpeta, QString()); });

  // "Compras1" (Inventario > "Compras", BotonCompra): the purchase window, found.
  principal.Une("Compras1", [] { return static_cast<ui::Forma*>(FormaCompras()); });

  // "MovalInventario1" (Inventario > "Mov. al Inventario", BotonMovinv): the movement window, made.
  // F2 and F3 in its counterpart box run the supplier and customer lookups.
  principal.Une("MovalInventario1", Crea<TFormaMovimientosInventario>);
  UneConsultaClientes(BuscaCliente);
  // Its "Importar Archivo" asks for the folder in the sale screen's register dialog.
  UnePreguntaCarpeta(PreguntaCarpetaEnCaja);

  // "Consolidar1" (Opciones > "Consolidar"): the consolidated totals, made.
  principal.Une("Consolidar1", Crea<TFormaConsolidar>);

  // "DiseodeConsultas1" (Opciones > "Diseño de Consultas"): the query view designer, made.
  principal.Une("DiseodeConsultas1", Crea<TFormaDisenoVista>);

  // "DiseodeFormatos1" (Opciones > "Diseño de Formatos"): the format picker, made;
  // its "Aceptar" opens the format editor.
  principal.Une("DiseodeFormatos1", Crea<TFormaFormatos>);

  // "ReportesSQL1" (Opciones > "Reportes SQL"): the SQL report writer, made.
  principal.Une("ReportesSQL1", Crea<TFormaSQL>);

  // "Divisas1" (Opciones > "Divisas"): the currency table, made.
  principal.Une("Divisas1", Crea<TFormaDivisa>);

  // "Respaldos1" (Utilerías > "Respaldos y Control de Archivos"): the backup window, made.
  principal.Une("Respaldos1", Crea<TFormaRespaldo>);

  // "Reindexar1" (Utilerías > "Reindexar"): the reindexing window, made.
  principal.Une("Reindexar1", Crea<TFormaReindexaTodo>);

  // "Indices1" (Indices1Click, no item): the utilities window, made.
  principal.Une("Indices1", Crea<TFormaUtilerias>);

  // "General1" (Configuración > "General"): the general configuration window, made.
  principal.Une("General1", Crea<TFormaConfiguracionGeneral>);

  // "ValoresIniciales1" (Configuración > "Valores Iniciales"): the initial numbers, made.
  principal.Une("ValoresIniciales1", CreaFormaInicial);

  // "AltadeConceptosMovimientos1" (Configuración > "Alta de Conceptos Movimientos"):
  // the movement concepts, made.
  principal.Une("AltadeConceptosMovimientos1", Crea<TFormacomovinv>);

  // The maintenance panel (Configuración > "Ver Mantenimiento"): the
  // inventory movement rebuild tool behind its "Pruebas", "Iniciar" and TimerMI.
  UneHerramientaMI(principal);

  // Catálogos > every item but "Movimientos": the table browser, with its
  // drill-downs and product lookup (NavegadorCatalogos.cpp).
  UneNavegadorCatalogos(principal);
}

// The main window with what it reaches of later subsystems: the registry of
// table layouts and the modules of its menu.
std::unique_ptr<ui::Forma> CreaPrincipal() {
  auto principal = std::make_unique<TFormaPrincipal>();
  principal->Tablas = &CatalogoVorlan();
  UneModulos(*principal);
  return principal;
}

// The windows that live for the whole run, in the order they are created:
// the main window first, then the company dialog (whose creation reads
// company 1's configuration and points the start file at it, so the main
// window's show handler works on company 1 when it exists). Each window of a
// later subsystem takes the place marked for it when it is built.
const Creador kVentanasDeInicio[] = {
    CreaPrincipal,
    Crea<TFormaEmpresas>,
    Crea<TFormaCompras>,
    Crea<TFormaInventario>,
    Crea<TFormaConProduct>,
    Crea<TFormaProveedo>,
    Crea<TFormaProgreso>,
    Crea<TFormaGlyp>,
    Crea<TFormaConsultaCuePagar>,
    // (the price calculator is made by the sale screen's F7)
    Crea<TFormaClientes>,
    Crea<TFormaCxPDetalle>,
    [] { return std::unique_ptr<ui::Forma>(std::make_unique<TFormaEdicion>(ModoEdicion::Editor)); },
    Crea<TFormaMovimientos>,
    Crea<TFormaColector>,
    Crea<TFormaCaducidad>,
    Crea<TFormaRemCuCobra>,
    Crea<TFormaConceptos>,
    Crea<TFormaBuscaSQL>,
    Crea<TFormaListaSQL>,
    Crea<TFormaHotReporte>,
    // (the split payments window is made by its command)
};

}  // namespace

ProgramaVorlan::ProgramaVorlan() = default;

ProgramaVorlan::~ProgramaVorlan() {
  while (!ventanas_.empty()) ventanas_.pop_back();
}

void ProgramaVorlan::Inicia() {
  auto presentacion = std::make_unique<TFormaElipse>();
  presentacion->Show();
  presentacion->repaint();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

  // Registered only: help is shown from the help pages of the program folder.
  qApp->setProperty("ArchivoAyuda", kArchivoAyuda);

  for (const Creador& crea : kVentanasDeInicio) ventanas_.push_back(crea());
  presentacion.reset();
}

int EjecutaVorlan(QApplication& aplicacion) {
  ProgramaVorlan programa;
  programa.Inicia();
  TFormaPrincipal* principal = FormaPrincipal();
  QObject::connect(principal, &TFormaPrincipal::Cerrada, &aplicacion, &QCoreApplication::quit,
                   Qt::QueuedConnection);
  principal->setWindowState(Qt::WindowMaximized);
  principal->Show();
  return aplicacion.exec();
}
