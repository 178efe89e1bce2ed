#pragma once
// Schema statements of the old local dialect, acting on the table files
// directly through db::Tabla:
//
//   CREATE TABLE "<path>" (NOMBRE CHAR(30), SALDO NUMERIC(10,2),
//                          TASA FLOAT(8,2), ALTA DATE, PRIMARY KEY(NOMBRE))
//       a new table (an existing file is refused); PRIMARY KEY(col) makes a
//       tag named after the column on it.
//   ALTER TABLE "<path>" DROP CLCLI_C, ADD CLCLI_C NUMERIC(10,0)
//       actions applied in order; the table is rebuilt with every other
//       column's data and the tags whose key uses no dropped column; a
//       column dropped and added again comes back empty.
//   DROP TABLE "<path>"
//   CREATE INDEX ICLACLI ON "<path>" (CLCLI_C)
//
// In a dBASE table a field name keeps its first 10 characters (CREATE TABLE
// and ADD); a longer name elsewhere finds the field stored under them
// (IndiceDeCampo). Paths may be in double or single quotes. Errors: plat::Error carrying the
// statement: Sql for text that is none of these, the table layer's kind
// otherwise (NoExiste, EnUso, NoCabe ...).

#include "platform/db/sql/Lexico.h"

#include <QString>
#include <QVector>

namespace db::sql {

void EjecutaEstructura(const QVector<Pieza>& piezas, const QString& sql);

}  // namespace db::sql
