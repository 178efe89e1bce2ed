#pragma once
// Runs one statement of the old local dialect.
//
// SELECT, INSERT, UPDATE and DELETE are translated (Traductor.h) and run by
// SQLite over virtual tables (ModuloTabla.h) made for the statement and
// dropped after it. CREATE TABLE, ALTER TABLE, DROP TABLE and CREATE INDEX
// act on the table files directly (Estructura.h).
//
// The SQLite database is private to each thread that runs statements: an
// in-memory database holding nothing but the virtual tables of the
// statement running. It is set up with case-sensitive LIKE, the CP1252 key
// order for texts, UPPER and LOWER that know accented letters, and no
// double-quoted identifiers (the translator leaves none).
//
// Parameters (:NAME, any case) take their values from `parametros`; a
// parameter without one, or a bare "?", fails the statement.
//
// Errors: a failure of the table layer (missing table, locked record, value
// that does not fit, table in use) keeps its kind; anything else SQLite
// cannot run is plat::Error(Sql). Every message ends with the statement.

#include "platform/db/sql/Traductor.h"

#include <QString>
#include <QVariant>
#include <QVector>

#include <vector>

namespace db::sql {

struct ColumnaResultado {
  QString nombre;     // the result column's name as SQLite gives it
  QString declarado;  // declared type of the table column behind it, "" for an expression
};

struct Resultado {
  bool conFilas = false;  // the statement gives rows (a query)
  QVector<ColumnaResultado> columnas;
  // SQLite values: invalid for NULL, qint64, double or QString.
  std::vector<QVector<QVariant>> filas;
  qint64 cambios = 0;  // rows written by INSERT, UPDATE or DELETE
};

Resultado Ejecuta(const QString& sql, const Parametros& parametros = {});

// The statement with its message: "<detalle> en la instrucción SQL:\n<sql>".
QString ConInstruccion(const QString& detalle, const QString& sql);

}  // namespace db::sql
