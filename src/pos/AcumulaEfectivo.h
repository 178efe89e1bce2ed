#pragma once
// The day's cash file of a station: <program folder>\Acumular\<year>-<month>-
// <day>.acu (month and day without leading zeros), one signed amount per
// line. Cash vouchers add their amounts here (cash out negative); the sales
// of the day are added to the same file.

#include "foundation/dinero.h"

#include <QDate>
#include <QString>

// The cash limit above which the day's sum is warned about.
inline const Dinero kLimiteEfectivoDia = Dinero(10000);

// <programa>\Acumular\<year>-<month>-<day>.acu of the date.
QString ArchivoAcumuladoDia(const QString& programa, const QDate& fecha);

// When `acumulado` (the amount of configuration line 91) is above 0: the
// amount appended to today's file as one line in one write (a zero amount
// adds no line; the folder and the file are made when missing), then the
// whole file summed, and a sum above kLimiteEfectivoDia told as "Ya se
// Excedió el Efectivo 10,500.00". Any error (a file that cannot be written
// or read, a line that is no number) ends it silently.
void AcumulaEfectivo(const QString& programa, double acumulado, Dinero importe);
