#pragma once
// What the windows do over and over with their tables: open one without
// letting a failure stop the window, make one re-read its records, pack one,
// release its record locks, number a new key.

#include <QString>

namespace db {
class Dataset;
class Tabla;
}  // namespace db
namespace ui {
class RejillaDatos;
}

// Opens the dataset. Any failure (missing file or index, exclusive use
// elsewhere) is written to the open-error log as
//   "Error Apertura <table> <time> <date>"
// and swallowed: nothing is shown and the dataset stays closed. Callers that
// need to know test Active().
void AbreTabla(db::Dataset& tabla);

// Makes the table re-read its records: the current record is edited and
// posted unchanged, the table refreshed, closed and opened again. It then
// stands on its first record; callers find the record they want by key.
// Errors (a record locked elsewhere) reach the caller.
void RefrescaTabla(db::Tabla& tabla);

// Opens <carpeta>\<archivo> exclusively, removes its deleted records and
// rebuilds its index tags. Errors (missing file, table open elsewhere)
// reach the caller as plat::Error.
void EmpacaTabla(const QString& carpeta, const QString& archivo);

// Releases every record lock the table holds. Errors reach the caller.
void LiberaBloqueos(db::Tabla& tabla);

// The key a new row takes in a catalogue with consecutive keys: the largest
// value of field `campo` that reads as a whole number (blanks around it
// allowed), plus one, in digits. In character order "99" sorts after "100",
// so every row is read. "" when no value is a whole number. Reads the
// table's file through a handle of its own; the caller's cursor does not
// move. Errors opening the file reach the caller.
QString SiguienteClaveNumerica(const db::Tabla& tabla, const QString& campo);

// Before a window with a data grid closes: the cell being typed is taken
// into its field, a row being edited is posted and a new row nobody typed
// into is dropped, so no typed row is lost and no row stays locked while
// the window is hidden. False when that fails (a value the field refuses, a
// post refused): the error is shown and the row stays as typed; the window
// should stay open.
bool GuardaFilaRejilla(ui::RejillaDatos& rejilla);
