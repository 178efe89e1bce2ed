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


namespace db::sql {

struct ColumnaResultado {
  QString nombre;     // the result column's name as SQLite gives it
  QString declarado;  // declared type of the table column behind it, "" for an expression
};

// A value of a result row as SQLite gives it. A text is UTF-8 and its
// bytes stay valid only while the receiver handles the row.
struct ValorSql {
  enum class Tipo : quint8 { Nulo, Entero, Real, Texto };
  Tipo tipo = Tipo::Nulo;
  qint64 entero = 0;
  double real = 0;
  const char* texto = nullptr;
  int largo = 0;
};

// What takes a query's rows as SQLite hands them out, one at a time, so a
// result of any size need not be held whole.
class ReceptorFilas {
 public:
  virtual ~ReceptorFilas() = default;
  // Once, before the first row: the statement gives rows.
  virtual void Columnas(const QVector<ColumnaResultado>& columnas) = 0;
  // A row: one value per column.
  virtual void Fila(const ValorSql* valores) = 0;
};

// Runs the statement. A query's columns and rows go to `receptor` (a query
// run without one has its rows dropped). Returns the rows written by
// INSERT, UPDATE or DELETE (0 for others).
qint64 Ejecuta(const QString& sql, const Parametros& parametros = {}, ReceptorFilas* receptor = nullptr);

// The statement with its message: "<detalle> en la instrucción SQL:\n<sql>".
QString ConInstruccion(const QString& detalle, const QString& sql);

}  // namespace db::sql
