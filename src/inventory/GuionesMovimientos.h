#pragma once
// The report scripts and statements of the movement window's "Reportes"
// menu and of its stock card key (movinv_reportes.cpp): texts only, built
// here so that each command hands the report runner (reports/RepoSQL.h),
// the SQL layer or the stock card (Costeo.h) exactly what it asks for.
//
// Scripts are lines each ended by a carriage return; the kind ("%") and
// heading ("#") lines keep every blank, since the headings' spacing sets the
// column widths. Tables are named by their full path between double quotes.
// A text of the user's (a product key, a condition value) goes in as an
// escaped literal (platform/db/Literales.h).

#include <QString>

#include <vector>

// Every company table is named in its own folder (shell/LugarTablas.h).
//
// "Entradas" (the rows of concepts above 50) or "Salidas" (50 and below) of
// the movement table, titled `titulo`; the runner puts its dialog's choices
// where the condition line says.
QString GuionEntradasSalidas(const QString& titulo, bool entradas);

// One comparison of a condition row of the parameters dialog, to follow the
// field's name: "=", "<", ">", "<>", "<=", ">=" with the value between double
// quotes ("=" with no value " IS NULL", "<>" with no value " LIKE NOT NULL",
// which the SQL layer reads as not blank); "Inicia_Con", "Termina_Con" and
// "Incluye" a LIKE pattern between single quotes. Quotes inside the value are
// doubled and the LIKE forms match the value as typed, so a value can neither
// break nor change the statement. Another operator gives "".
QString CondicionSQL(const QString& operador, const QString& valor);

// The work table of "General Movimientos": "R" + this name in the program
// folder, and its columns as CREATE TABLE gives them (the SQL layer keeps
// the first ten characters of PRECIO_UNIT).
inline const QString kNombreTablaGeneral = QStringLiteral("General.dbf");
inline const QString kTablaGeneral = QStringLiteral("RGeneral.dbf");
extern const QString kColumnasTablaGeneral;

// Drops and creates again the table carpeta + "\R" + nombre with the column
// list, each statement on its own; the failure of either is passed over (a
// table that was not there, or one that another copy holds: the filling
// finds out).
void CreaTablaReporte(const QString& carpeta, const QString& nombre, const QString& columnas);

// One of the four sources of "General Movimientos": its statement and the
// fields that fill each column of the work table. `precioUnitario` is empty
// when the source has none; `campoMovimiento` empty when every row takes
// `movimiento`.
struct FuenteGeneral {
  QString sql;
  QString documento, clave, descripcion, cantidad, precio, precioUnitario, fecha;
  QString campoMovimiento;
  int movimiento = 0;
};

// The sources in the order they fill the work table: movement rows, invoice
// lines not made from remissions (movement 1), remission lines (3) and
// purchase lines (51), none cancelled, of the dates d1 to d2 (both "m/d/yyyy",
// FechaSQL) included.
std::vector<FuenteGeneral> FuentesGeneralMovimientos(const QString& d1, const QString& d2);

// The script of "General Movimientos" over the work table of the program
// folder: with a condition (SQL text of the dialog's rows) its "?" line and
// the columns without the unit price; without one, the unit price too.
QString GuionGeneralMovimientos(const QString& titulo, const QString& carpetaPrograma, const QString& condicion);

// The stock card of one product from the movement rows (concepts above 0),
// and the order it is read in.
QString ConsultaKardexMovimientos(const QString& clave);
inline const QString kOrdenKardexMovimientos = QStringLiteral("order by FEDOC_MI,CLDOC_MI");
