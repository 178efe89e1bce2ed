#pragma once
// What the result grids do with their rows: the query result grid
// "Consultas" and the SQL report writer export them to a spreadsheet and sum
// a column. Both work on the grid's visible columns over its dataset, from
// the first record; the dataset is left at its end.

#include <QString>
#include <QStringList>

namespace ui {
class RejillaDatos;
}  // namespace ui

// The titles of the grid's visible columns (a column without a title gives
// its field's name).
QStringList TitulosVisibles(const ui::RejillaDatos& rejilla);

// Writes the titles and then one row per record (each visible column's
// field as text; a number field as a number cell) under `nombre`, through
// platform/hoja/Hoja.h (a workbook when the name ends in ".xlsx"), and opens
// it with the spreadsheet program (AbreHojaCalculo). Nothing without an open
// dataset. Errors of the file reach the caller.
void ExportaRejilla(const ui::RejillaDatos& rejilla, const QString& nombre);

// Adds the selected column's values over every record and shows "La Suma es
// : " with the sum in the general number format; a value that is no number
// shows "No es Posible Relizar la operación en esta columna" instead.
// Nothing without an open dataset or a selected column.
void SumaColumnaRejilla(const ui::RejillaDatos& rejilla);
