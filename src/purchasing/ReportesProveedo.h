#pragma once
// The supplier catalogue's reports: the supplier list of the script runner
// ("Listado de Proveedores"), and the hidden items of its Reportes menu: the
// query window over proveedo.dbf ("Consultas") and the supplier balances of
// the report generator ("Saldos", "Cargos, Abonos, Saldo").

class TFormaProveedo;
class QAction;
namespace db {
class Tabla;
}

// Adds the hidden items to the window's Reportes menu and connects every
// report command. The window calls it once it is built.
void InstalaReportesProveedor(TFormaProveedo& ventana);

// "Listado de Proveedores": every supplier by key; afterwards the
// catalogue's receipt table holds the receipts of the supplier shown.
void ListadoProveedores(TFormaProveedo& ventana);
// "Consultas": the query window on proveedo.dbf with the saved views of
// report\proveedo.for of the data folder.
void ConsultasProveedores(TFormaProveedo& ventana);
// "Saldos" (SALDO_P) or "Cargos, Abonos, Saldo" (CARGO_P, ABONO_P, SALDO_P)
// over the supplier table, in the report generator.
void SaldosProveedores(TFormaProveedo& ventana, const QAction& item, bool cargosYAbonos);

// The catalogue's receipt table: ComprasE.dbf of the data folder, tag
// CLPRV_O, read only; opened on first use.
db::Tabla& RecepcionesDelCatalogo(TFormaProveedo& ventana);
