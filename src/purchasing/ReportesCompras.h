#pragma once
// The purchase window's printing and reports: the document through its
// print format (printed, previewed), the format picker and editor, the
// window's picture, the saved queries of the receipt table, the list
// reports of its Reportes menu (GuionesCompras.h) and the hidden
// consecutive-documents report of the report generator.
//
// Printing marks the document printed (TDOCU_O "I"); the print a preview
// answers does not. Both set the currency texts of the document's currency
// first, so the amount in words names the document's currency.

#include "purchasing/GuionesCompras.h"
#include "reports/ReporteCatalogo.h"

#include <QString>

class TFormaCompras;
class TFormaConsulta;
namespace db {
class Tabla;
}

// Connects the commands to the window's menu items and buttons and makes
// them usable. The window calls it once it is built.
void InstalaReportesCompras(TFormaCompras& ventana);

// The window as a report command finds it at the click.
ContextoReporteCompra ContextoDeCompras(TFormaCompras& ventana);

// "Imprimir" (button, menu, Ctrl+I).
void ImprimeCompra(TFormaCompras& ventana);
// "Presentación Preliminar" (button, menu, Ctrl+R).
void VistaPreviaCompra(TFormaCompras& ventana);
// "Elige &Formato": FormatoCompra := the format the user accepts.
void EligeFormatoCompra(TFormaCompras& ventana);
// "Dise&ña Formato": the format editor.
void DisenaFormatoCompra();
// "Imprime &Plantilla": the window's picture on the printer.
void ImprimePlantillaCompra(TFormaCompras& ventana);

// The saved views of report\comprase.for of the data folder into the
// query window (TFormaConsulta::CargaListaVistas, the scratch list
// Cliente2.for), its list label "Comprase.for".
void CargaConsultasCompras(TFormaConsulta& consulta, const QString& carpetaDatos);
// "Cons&ultas": the query window on comprase.dbf of the data folder,
// whatever kind the window shows.
void ConsultasCompras(TFormaCompras& ventana);

// A list report of the Reportes menu: the script of its row run over the
// window's header or line table, then the header shown again with its
// lines and totals.
void EjecutaReporteCompra(TFormaCompras& ventana, const FilaReporteCompra& fila);

// The purchase window's run of the report generator over a table: its
// parameters dialog, the engine, the viewer with its chart. The parameters
// are those of every catalogue's generator report.
using ParametrosReporteCompras = ReporteCatalogo;
void EjecutaReporteCompras(db::Tabla& datos, const ParametrosReporteCompras& parametros);
// "C&onsecutivo de Documentos" (hidden): every receipt of comprase.dbf by
// number with its amounts.
void ConsecutivoDocumentosCompras(TFormaCompras& ventana);
