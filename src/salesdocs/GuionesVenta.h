#pragma once
// The sale screen's report definitions as data: every list report of its
// Reportes menu is a row (FilaReporteVenta) and every cash cut a list of
// sections (CortesVenta.h); one builder turns either into the report script
// the runner EjecutaReporteSQL reads (reports/RepoSQL.h), together with the
// arguments the command hands the runner.
//
// The rows, sections and placeholders are those of reports/FilasGuion.h.

#include "reports/FilasGuion.h"

#include <QDateTime>
#include <QString>
#include <QVector>

// Which dataset a report is about: the screen's header or line table, or a
// table the command opens for the run.
enum class DatosReporteVenta {
  Encabezado,  // TablaFacturae
  Partidas,    // TablaFacturaD
  Cobros,      // CucobrarRemision.DBF of the remission folder, tag ICUECOB
  Retiros,     // retiros.dbf of the cash-cut data folder, tag CLDOC_F
};

// What a command hands EjecutaReporteSQL, in its order.
using ArgumentosReporteVenta = ArgumentosGuion<DatosReporteVenta>;

// The screen as a report command finds it at the click.
struct ContextoReporte {
  LugarReporte lugar;
  QString tituloPantalla;  // the sale screen's own caption
  QString numeroActual;    // CLDOC_F of the header row shown
  QString numeroUltimo;    // CLDOC_F of the header table's last row
  QDateTime momento;       // the click
  QString usuario;         // the logged user's name, in capitals
  QString turno;           // the turn condition of "Corte Z por Turno"
  QString ventana;         // the time window of "Cortes Separados"
};

// What a list report does besides its script.
enum ExtraReporte : unsigned {
  CuentaCeros = 1,          // first CuentaDocumentosEnCero
  AplicaPagos = 2,          // first AplicaPagosDelDia and the "No de Caja" prompt
  BuscaUltimo = 4,          // to the first and last rows; the last row's number found again
  SinRedibujo = 8,          // the screen's document is not shown again
  ReencuentraActual = 16,   // the number of the click found again after the run, then shown
  SinClave = 32,            // no range key field
  SinFechas = 64,           // no date fields
  TituloPantalla = 128,     // titled with the screen's caption
  FechasVencimiento = 256,  // date fields FEVEN_F
  SinBusca = 512,           // no key to find again
  TituloRetiros = 1024,     // "$" + caption + " RETIROS "
};

// A list report of the Reportes menu.
using FilaReporteVenta = FilaGuion<DatosReporteVenta>;

// Every list report, in the menu's order of their rows.
const QVector<FilaReporteVenta>& FilasReporteVenta();
// The row of a component name; nullptr when there is none.
const FilaReporteVenta* FilaReporte(const QString& clave);

// Another window's differences from a row (the row of the same component
// name): each line given replaces the row's, an empty one leaves the line
// out; `quita` and `agrega` change its extras.
struct CambiosFila {
  const char* clave;
  const char* titulo;
  const char* consulta;
  const char* condicion;
  const char* orden;
  const char* corte;
  const char* tipos;
  const char* titulos;
  unsigned quita;
  unsigned agrega;
};
// The row as that window runs it.
FilaReporteVenta FilaConCambios(const FilaReporteVenta& fila, const CambiosFila& cambios);

// The script and the runner's arguments of a list report.
ArgumentosReporteVenta ArgumentosDeFila(const FilaReporteVenta& fila, const ContextoReporte& contexto);
