#pragma once
// The sale screen's Reportes menu: its list reports (GuionesVenta.h) and
// cash cuts (CortesVenta.h) as commands of the screen, and the routines
// they share: the day's paid-documents file, the count of documents at
// zero, the saved queries of the invoices.
//
// A command takes the number of the header row on screen, builds its script
// from its row, hands it to the runner EjecutaReporteSQL (which asks for
// dates, key range and conditions, runs the query and shows the pages) and
// then shows the screen's document again, unless its row says otherwise.

#include "salesdocs/GuionesVenta.h"

#include <QString>

class QComboBox;
class QWidget;
class TFormaCapturaRapida;
class TFormaConsulta;
namespace db {
class Tabla;
}

// Joins the commands to every sale screen made from now on
// (pos/ComandosVenta.h). The program does it once at start.
void UneReportesVenta();
// Attaches the commands to one screen.
void InstalaReportesVenta(TFormaCapturaRapida& pantalla);

// The screen as a command finds it at the click.
ContextoReporte ContextoDePantalla(TFormaCapturaRapida& pantalla);
// The same for any window: which its tables are (each read in its own
// folder), the number of the header row it stands on, the moment, the name
// of the user of that key in capitals.
ContextoReporte ContextoDeTablas(db::Tabla& encabezado, const db::Tabla& partidas, const db::Tabla& productos,
                                 const QString& usuario);

// Hands the arguments to EjecutaReporteSQL over their dataset: the header
// or line table given, or the table the run opens.
void CorreReporteVenta(const ArgumentosReporteVenta& argumentos, db::Tabla& encabezado, db::Tabla& partidas);

// The "No de Caja" prompt of the paid lists; the text typed.
QString PideCajaReporte();

// The day's paid-documents file of the data folder: the day, the month and
// the four-digit year without leading zeros or separators, then ".pag"
// (5 March 2010: "532010.pag").
QString ArchivoPagosDelDia(const QString& carpetaDatos, const QDate& dia);

// Reads today's paid-documents file as pairs of lines (document number,
// register) and marks each document of the screen's header table whose
// PAGOX_F is not already "Pagada en " + register: PAGOX_F "Pagada en " +
// register, TREGI_F "I", BCLIM_F the register, the text also in the
// screen's payment box. A row another station holds longer than the table
// layer waits, a number not found, and any other error of one row skip to
// the next pair. No file does nothing.
void AplicaPagosDelDia(TFormaCapturaRapida& pantalla);
// The same for any window: today's file of `carpetaDatos`, the marks on
// the header table file `encabezado` stands on, the text also in `tipoPago`
// (when given).
void AplicaPagosDelDia(const QString& carpetaDatos, const db::Tabla& encabezado, QComboBox* tipoPago);

// LabelControl := how many of today's documents of the header table are
// not cancelled and have a total of 0.1 or less.
void CuentaDocumentosEnCero(TFormaCapturaRapida& pantalla);

// "Consultas": the query runner on the invoice header table with the saved
// views of report\facturae.for of the data folder whose files exist (the
// list rewritten without the missing ones).
void PreparaConsultaVentas(TFormaCapturaRapida& pantalla);
// The same over `carpetaDatos`, owned by `padre`.
void PreparaConsultaVentas(QWidget* padre, const QString& carpetaDatos);
// The same on a query window the caller keeps.
void PreparaConsultaVentas(TFormaConsulta& consulta, const QString& carpetaDatos);

// A list report's row run over the two tables: to the last row first when
// the row asks, the runner, the number of the click found again when the
// row asks. True when the window's document is to be shown again.
bool CorreFilaReporte(const FilaReporteVenta& fila, ContextoReporte contexto, db::Tabla& encabezado,
                      db::Tabla& partidas);

// The commands, by component name.
void EjecutaReporteVenta(TFormaCapturaRapida& pantalla, const FilaReporteVenta& fila);
void EjecutaCorteVenta(TFormaCapturaRapida& pantalla, const QString& clave);
