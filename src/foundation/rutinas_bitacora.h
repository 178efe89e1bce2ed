#pragma once
// The logs: plain text files, append-only, written a line (or an event) at a
// time, read only by people.
//
//   Bitacora.txt of the data folder     shared event log: per event a line
//                                       with the date-time and a TAB, then a
//                                       line with the text
//   Bitacora.txt of the program folder  this station's open-error log, one
//                                       line per failed table open
//   borrados.dat of the program folder  one line per deleted record
//   <data>\Bitacora\<letter>-<key>.bit  history of one document or product
//                                       (I products, M movements, R sales,
//                                       C purchases)
//
// Every append is one write under the file's lock, so events of several
// stations never mix within a line. A log line that cannot be written is lost
// without a word: logging never stops the operation that logs.

#include <QChar>
#include <QDateTime>
#include <QString>

namespace db {
class Dataset;
}

// The folder of the shared event log; empty until FijaCarpetaBitacora.
extern QString CarpetaBitacora;

// The date-time text of the logs: short date, a blank, the time
// ("05/03/2010 10:15:00").
QString TextoFechaHora(const QDateTime& momento);

// CarpetaBitacora := configuration line 8 (the data folder).
void FijaCarpetaBitacora();

// Appends the event (date-time + TAB, then the text) to the shared event
// log. Before the folder is set the log is Bitacora.txt at the root of the
// program's drive.
void RegistraBitacora(const QString& texto);

// Appends the text as one line to the program folder's Bitacora.txt. A file
// larger than kLimiteBitacoraLocal bytes is deleted first, so the line starts
// a new one.
inline constexpr qint64 kLimiteBitacoraLocal = 1000000;
void EscribeBitacoraLocal(const QString& texto);

// Appends the dataset's current record to borrados.dat of the program
// folder, to be called just before the record is deleted:
//   table,date-time,FIELD1,value1,FIELD2,value2,...,
// every item followed by a comma, nothing quoted (a comma inside a value is
// written as it is). A closed or empty dataset logs nothing. The second
// argument is accepted and not used.
void RegistraBorrado(db::Dataset& dataset, const QString& noUsado = QString());

// The per-record history: configuration line 85 ("S" turns it on), the file
// <carpetaDatos>\Bitacora\<letra>-<clave>.bit and its line
//   date-time + " " + accion + " Por " + nombre
// (accion "GUARDADA", "MODIFICADA", "ELIMINADA CXC 1,234.50" ...).
bool LeeConfBitacora();
QString ArchivoHistorial(const QString& carpetaDatos, QChar letra, const QString& clave);
QString LineaHistorial(const QString& accion, const QString& nombre);
// When `activo`, appends LineaHistorial to ArchivoHistorial (the file is
// created when missing, a failure is swallowed).
void RegistraHistorial(bool activo, const QString& carpetaDatos, QChar letra, const QString& clave,
                       const QString& accion, const QString& nombre);
