#pragma once
// The list reports of the purchase window, the supplier catalogue and the
// payables query as data: every report is a row (FilaReporteCompra) of the
// lines of its script, the way the sale screen's are (reports/FilasGuion.h),
// and one builder turns a row into the script and the arguments the
// command hands the runner EjecutaReporteSQL.
//
// Besides the shared placeholders the rows use [HOY]: today's date as a
// date literal of the query language, a double quote, the date as
// month/day/year without leading zeros and a double quote ("3/7/2025").
// The purchase window's rows read its header file in the folder of
// configuration line 8 ([C8H]) and its line and header tables in the folder
// of the header table ([L], [H]); the catalogue's and the payables query's
// read their tables in the folder of configuration line 8 ([C8]name).

#include "reports/FilasGuion.h"

#include <QDate>
#include <QString>
#include <QVector>

namespace db {
class Tabla;
}

// The dataset a report runs over (and whose fields the dialog offers).
enum class DatosReporteCompra {
  Encabezado,   // the purchase window's header table; key CLDOC_O, dates FEDOC_O
  Partidas,     // its line table; key CLDOC_OD, dates FEDOC_OD
  Proveedores,  // the supplier table; key CLAVE_P, no dates
  Recepciones,  // the payables query's receipt table; key CLPRV_O
  Movimientos,  // a cursor of the run on CUEPAGAR.DBF (tag NUCOM); no key, dates FEAPL_CP
};

// What a row asks besides its lines.
namespace extras_compra {
enum : unsigned {
  SinFechas = 1,    // no date fields
  FechasPago = 2,   // date fields FEPAG_O
  LetraClave = 4,   // the "%" line begins with the kind letter of the supplier key column
  MascaraNN = 8,    // enabling mask "NN": no dates in the dialog
  SinBusca = 16,    // no key to find again
};
}  // namespace extras_compra

using FilaReporteCompra = FilaGuion<DatosReporteCompra>;
using ArgumentosReporteCompra = ArgumentosGuion<DatosReporteCompra>;

// The window as a report command finds it at the click.
struct ContextoReporteCompra {
  LugarReporte lugar;
  QDate hoy;
  QString numeroEncabezado;    // CLDOC_O of the header shown
  QString numeroPartida;       // CLDOC_OD of the line table's current row
  QString proveedor;           // the supplier key on screen
  QString proveedorRecepcion;  // CLPRV_O of the receipt under the cursor
  QString letraClave = QStringLiteral("e");  // AjustaLetraTipo of CLPRV_O's type and "e"
};

// The purchase window's Reportes menu, in menu order.
const QVector<FilaReporteCompra>& FilasReporteCompras();
// The supplier catalogue's script report ("Listado de Proveedores").
const QVector<FilaReporteCompra>& FilasReporteProveedores();
// The payables query's script reports, in menu order.
const QVector<FilaReporteCompra>& FilasReporteCuentasPagar();
// The row of a component name in a list; nullptr when there is none.
const FilaReporteCompra* FilaReporteCompraDe(const QVector<FilaReporteCompra>& filas, const QString& clave);

// The text of a field of the row the table stands on; empty when the table
// is closed or empty or has no such field.
QString ValorActualReporte(const db::Tabla& tabla, const QString& campo);

// The script and the runner's arguments of a row.
ArgumentosReporteCompra ArgumentosDeFilaCompra(const FilaReporteCompra& fila, const ContextoReporteCompra& contexto);
