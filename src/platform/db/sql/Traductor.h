#pragma once
// From the old local dialect to SQLite, for SELECT, INSERT, UPDATE and
// DELETE over the virtual tables of ModuloTabla.h.
//
// Dialect rules handled:
//   - A double-quoted text is a table path where a table goes (after FROM,
//     JOIN, INTO, UPDATE, and after a comma of a FROM list), even glued to
//     what follows ("C:\D\X.dbf"SET); elsewhere it is a text literal. The
//     path becomes the name of a virtual table; an alias after it (with or
//     without AS) stays.
//   - A date literal m/d/yyyy (in either quotes) compared with a date column
//     (=, <>, <, >, <=, >=, BETWEEN, IN) becomes the column's form
//     'yyyy-mm-dd'; a text there that is no date gives an error. Date minus
//     date ("3/7/2025"-FEPAG_O) becomes the number of days between them.
//   - A blank text field reads as '' in SQL, so `X = ""` and `X < "A"` hold
//     for it; `X IS NULL` becomes "X is null or ''" and `X IS NOT NULL` (and
//     `X LIKE NOT NULL`) its contrary.
//   - An integer literal beside "/" is made real, so no division truncates
//     (numeric columns already read as REAL).
//   - SUBSTRING(x FROM a FOR b) becomes SUBSTR(x, a, b).
//   - EXTRACT(YEAR|MONTH|DAY FROM d) becomes the whole number of that part
//     of the date d (a date column, a date parameter or an m/d/yyyy text).
//   - CAST(x AS CHAR(n)) becomes the number's text as the old engine wrote
//     it ("10", "12.5"; Funciones.h), cut to n characters.
//   - A text column compared with a number (a number column, literal,
//     parameter or arithmetic) is read as a number, whether a tag serves it
//     or not: `CLDOC_FD = E.CLDOC_F` holds for "100" and 100; a text that
//     is no number matches nothing. The same holds for BETWEEN, IN lists of
//     numbers and IN subqueries of a number column; SET assignments are
//     left as they are.
//   - A column named by more than 10 characters that no table of the
//     statement has stands for the field stored under its first 10
//     (IndiceDeCampo): VALOR_TEORICO is VALOR_TEOR.
//   - Parameters (:NAME) stay for SQLite to bind; a number or date
//     parameter counts as a number or a date in the rules above.
// Case-sensitive LIKE and key order of texts are settings of the connection
// (Motor.h), not rewrites.

#include "platform/db/Esquema.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QVariant>
#include <QVector>

#include <functional>

namespace db::sql {

struct ColumnaTabla {
  QString nombre;
  TipoDato tipo;
};

// The columns of the table at a path (asked only when a rewrite needs them).
using ColumnasDe = std::function<QVector<ColumnaTabla>(const QString& ruta)>;

// Values of a statement's parameters by upper-case name (without the
// colon): QString, double or qint64, QDate, or an invalid QVariant for NULL.
using Parametros = QHash<QString, QVariant>;

struct TablaNombrada {
  QString ruta;    // the path as written in the statement
  QString nombre;  // the virtual table standing for it
};

struct Traduccion {
  QString sqlite;
  QVector<TablaNombrada> tablas;  // each path once
};

// Virtual tables are named prefijo + "1", prefijo + "2" ... in the order the
// paths appear. Errors: plat::Error(Sql) carrying the statement.
Traduccion Traduce(const QString& sql, const ColumnasDe& columnas, const QString& prefijo,
                   const Parametros& parametros = {});

// A date literal of the dialect, m/d/yyyy (month and day with or without a
// leading zero); an invalid date for any other text.
QDate FechaDelDialecto(const QString& texto);

}  // namespace db::sql
