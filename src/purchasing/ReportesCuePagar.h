#pragma once
// The reports of the accounts-payable query (its "&Reportes" menu): the
// script reports over its receipt and supplier tables and over the payable
// movements, the query window over Cuepagar.DBF, and the detailed print of
// every payable account on the line printer. They take what they use of the
// query window as arguments.

#include "purchasing/GuionesCompras.h"

#include <QString>

#include <functional>

class QWidget;
class TFormaConsultaCuePagar;
namespace db {
class Dataset;
class Tabla;
}

// What the script reports use of the query window.
struct VentanaReportesCxP {
  db::Tabla* proveedores = nullptr;  // the supplier table (PROVEEDO.DBF, tag ICLAPRO), on the supplier shown
  db::Tabla* recepciones = nullptr;  // the receipt list's table (COMPRASE.DBF, tag CLPRV_O)
  // Re-filters the receipt list and recomputes the supplier's totals
  // (FiltraDocumentosProveedor, RecalculaSaldoProveedor); run after every
  // report, since the runner leaves the receipt table without its range.
  std::function<void()> refiltra;
};

// The window as a report command finds it at the click.
ContextoReporteCompra ContextoDeCuentasPagar(const VentanaReportesCxP& ventana);
// A script report of FilasReporteCuentasPagar(): over the supplier table,
// the receipt table, or ("Movimientos por Período") a cursor of its own on
// CUEPAGAR.DBF of the receipt table's folder, tag NUCOM.
void EjecutaReporteCuentasPagar(const VentanaReportesCxP& ventana, const FilaReporteCompra& fila);

// "Consulta": the query window on Cuepagar.DBF of the data folder with the
// saved views of report\Cxp.for.
void ConsultaCuentasPagar(QWidget* padre, const QString& carpetaDatos);

// What the detailed print uses of the query window and its account window.
struct ImpresionCuentasDetallado {
  db::Dataset* cuentas = nullptr;  // the payables table, its record filter on
  QString nombre;                  // the text of the label Nombre
  QString cargos, abonos, saldo;   // the texts of the labels Cargos, Abonos, Saldo
  std::function<void()> muestraCuenta;                 // shows the account window modeless
  std::function<void(const QString&)> imprimeCuenta;   // prints the account of a receipt number
  std::function<void()> cierraCuenta;                  // closes the account window
};
// "&Imprime Cuentas Detallado" (hidden): every payable row the filter lets
// through prints its receipt's account on the line printer, under the title
// "Reporte de Cuentas por Cobrar Detallado al Día " + today and the supplier's
// name, the three totals as footers. "La Impresora No Se Encuentra
// Lista..." when the printer is not ready.
void ImprimeCuentasDetallado(const ImpresionCuentasDetallado& impresion);

// The query window's "&Reportes" menu: "Consulta", the supplier balances
// (hidden), "&Imprime Cuentas Detallado" (hidden) and the receipt and
// movement reports, each connected. The window calls it once it is built.
void InstalaReportesCuentasPagar(TFormaConsultaCuePagar& ventana);
// The query window as its reports use it: its supplier and receipt tables,
// and afterwards FiltraDocumentosProveedor and RecalculaSaldoProveedor.
VentanaReportesCxP VentanaDeConsultaCxP(TFormaConsultaCuePagar& ventana);
// "&Imprime Cuentas Detallado" of the query window: its payables table, its
// labels, and the program's account window (or one of its own).
void ImprimeCuentasDetalladoCxP(TFormaConsultaCuePagar& ventana);
