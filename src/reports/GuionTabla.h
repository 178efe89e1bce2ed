#pragma once
// The script-to-table runner: runs the SQL part of a report script file and
// copies its result into the temporary report table c:\VRL\tempo.dbf, which
// the custom reports of the catalogue browser hand to the report generator.
//
// A report script file holds first its SQL lines, then its title lines,
// each beginning with "%". Lines end with CR LF, LF, or a lone CR (the
// custom reports write the whole script as one line whose breaks are lone
// carriage returns).
//
// The table is made anew by each run with one column per field of the
// result, holding every value: texts CHAR(width + 1), numbers
// NUMERIC(20,4), dates DATE; a field of another kind makes the CREATE fail
// (and then the table is missing). Every copy of the program shares the
// table: a run holds it (CerrojoTabla, UsoTablaTemporal) from before it is
// made until it has been read.

#include "platform/db/Esquema.h"
#include "reports/CerrojoTabla.h"

#include <QString>

namespace db {
class Dataset;
}

// c:\VRL\tempo.dbf
inline const QString kCarpetaTablaTemporal = QStringLiteral("c:\\VRL\\");
inline const QString kTablaTemporal = QStringLiteral("tempo.dbf");
QString RutaTablaTemporal();

// Holds the temporary report table while it lives.
class UsoTablaTemporal : public CerrojoTabla {
 public:
  UsoTablaTemporal() : CerrojoTabla(RutaTablaTemporal()) {}
};

// The message that tells the user another copy holds the table.
QString MensajeTablaOcupada(const QString& tabla);

// The lines of a script file. Throws plat::Error when it cannot be read.
QStringList LineasGuion(const QString& archivo);

// Shows the file name in a plain message box, then: each line, followed by
// a blank, up to the first line beginning with "%" (not included) or the
// end.
void LeeSQLGuion(const QString& archivo, QString& sql);
// From the first line beginning with "%": each such line followed by ",",
// empty lines skipped, up to the first other line. The items keep their
// "%".
void LeeTiposColumnaGuion(const QString& archivo, QString& lista);

// The column type of a field of the result, followed by ","; empty for a
// kind the table cannot hold.
void TipoCampoSQL(db::TipoDato tipo, int ancho, QString& texto);
// "NAME TYPE," for each field, the last comma turned into a blank.
void DefinicionCamposSQL(const db::Dataset& datos, QString& texto);
// Drops the table, creates it for the result and fills it; each step's
// failure is passed over.
void CreaTablaTemporal(db::Dataset& datos, const QString& ruta);
// Copies every row of the result into the table, field by field by name as
// text. Throws plat::Error (the rows copied so far stay).
void CopiaATablaTemporal(db::Dataset& datos);

// Runs the file's SQL and leaves its result in the temporary report table.
// An error of the SQL (an empty one included) reaches the caller as the data
// engine's plat::Error, the table untouched. The caller holds the table.
void EjecutaGuionATablaTemporal(const QString& archivo);
