#pragma once
// The SQLite virtual-table module "tabla": a table file of the table layer
// (db::Tabla: dBASE, or any storage registered for its extension) seen as an
// SQLite table. See ModuloTabla.cpp for its use and its query plans.

#include "platform/Error.h"
#include "platform/db/Esquema.h"

#include <QString>

#include <functional>
#include <optional>

struct sqlite3;

namespace db::sql {

// Registers the module on a connection. When a callback fails on an error
// of the table layer, that error is left in *pendiente (the first one of the
// statement), so the caller can raise it with its own kind.
void RegistraModuloTabla(sqlite3* db, std::optional<plat::Error>* pendiente);

// The statement that creates virtual table `nombre` over the table file at
// `ruta` (a Windows-form path: folder and file name).
QString CreaTablaVirtual(const QString& nombre, const QString& ruta);

// Test mode: every scan started reports its plan in words ("X.DBF:
// recorrido", "X.DBF: índice T = 5", "X.DBF: índice T desde 1 hasta 9").
// An empty function turns it off.
void FijaRegistroDePlanes(std::function<void(const QString&)> registro);

// The declared type of a column, which carries the field's definition
// through SQLite ("CHAR(20)", "NUMERIC(10,2)", "FLOAT(12,3)", "DATE",
// "LOGICAL", "MEMO TEXT"; Paradox kinds "SMALLINT", "INTEGER", "MONEY",
// "AUTOINC"), and back: false for a text that is none of them.
QString TipoDeclarado(const DefCampo& def, TipoDato tipo);
bool DeTipoDeclarado(const QString& declarado, DefCampo& def, TipoDato& tipo);

}  // namespace db::sql
