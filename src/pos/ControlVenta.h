#pragma once
// The files a saved sale leaves on its station for the administrator to
// audit and reconstruct what the station did:
//   <program>\Control\<MM>-<yyyy>\FA-<kind>-<number>-<control>-<moment>.con
//       the control snapshot of one saved document, rewritten whole: its
//       header row on the first line, then one line per line row, each as
//       "FIELD,value," for every field in table order;
//   <data>\Control\<MM>-<yyyy>-<computer>
//       an empty folder telling which computers saved in that month;
//   <program>\Acumular\<yyyy>-<m>-<d>.acu
//       the day's accumulator: one signed amount a line, the total of each
//       document saved and "-" + the total of each one cancelled.

#include "foundation/dinero.h"

#include <QChar>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

namespace db {
class Dataset;
}

// <programa>\Control\<MM>-<yyyy> of the moment (two-digit month).
QString CarpetaControl(const QString& programa, const QDateTime& momento);
// <datos>\Control\<MM>-<yyyy>-<computadora>.
QString CarpetaControlDatos(const QString& datos, const QDateTime& momento, const QString& computadora);
// "FA-" + kind letter + "-" + number + "-" + control + "-" + the moment as
// days since 30/12/1899 with their fraction (the shortest text of 15
// significant digits) + ".con".
QString NombreControl(QChar letra, const QString& numero, qint64 control, const QDateTime& momento);
// One line of a snapshot: "FIELD,value," for every field of the current
// row, in table order (values as the table gives them as text).
QString LineaControl(const db::Dataset& fila);

// <programa>\Acumular\<yyyy>-<m>-<d>.acu (month and day without a leading
// zero).
QString ArchivoAcumulado(const QString& programa, const QDate& dia);
// The line of a document's total in the accumulator: its shortest text,
// "-" before it for a cancelled one.
QString LineaAcumulado(Dinero total, bool cancelado);
// The sum of the accumulator's lines; nullopt when a line is not an amount.
std::optional<Dinero> SumaAcumulado(const QStringList& lineas);
