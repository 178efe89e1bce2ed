#pragma once
// Dates and times as the windows show them, as SQL conditions need them and
// as document lines stamp them, plus the regional formats the system imposes.
//
// Date texts follow the short date format of fs::Regional() ("dd/MM/yyyy").
// A date as a number counts days from 30 December 1899 (day 0).

#include <QDate>
#include <QString>
#include <QTime>

// The day number of a date.
int NumeroDeFecha(const QDate& fecha);
// Decodes a date text: day, month and year separated by the date separator,
// blanks around each allowed, years of one or two digits taken in the current
// century. False (and `fecha` untouched) when it is not a calendar date.
bool LeeFecha(const QString& texto, QDate& fecha);
// The date in the short date format.
QString TextoFecha(const QDate& fecha);

// Sets the process's regional formats to the Spanish ones: "/" between date
// parts, short date "dd/MM/yyyy", long date "dddd d de MMMM de yyyy", currency
// symbol before the amount, negatives in parentheses, "," thousands, "."
// decimals, two currency decimals. Returns true.
bool FijaFormatosRegionales();

// salida := "Enero" .. "Diciembre"; untouched for a month outside 1..12.
void NombreMes(int mes, QString& salida);
// As NombreMes, but July reads "julio".
void MesEnLetra(int mes, QString& salida);
// salida := "domingo" .. "sabado" (weekday 1..7, Sunday first, no accents);
// untouched for other numbers.
void NombreDia(int dia, QString& salida);

// "Lunes 5 de Enero del año 2004" for "05/01/2004"; today in the short date
// format when the text is not a date.
QString FechaLarga(const QString& texto);
// "<month>/<day>/<year>" without leading zeros, for date literals in SQL
// conditions. Throws plat::Error (Conversion) when the text is not a date.
QString FechaSQL(const QString& texto);
// True for a "dd/mm/yyyy" text whose day (1..31), month (1..12) and year (not
// negative) read as numbers; "_" in the first two year places reads as "0"
// (masked edits show unfilled places so). Days past the month's end pass.
bool FechaValida(const QString& texto);
// A date the calendar has: FechaValida reads the parts, the calendar decides
// whether the day exists in its month ("31/02/2027" does not).
bool FechaPosible(const QString& texto);
// The time in the regional time format.
QString TextoHora(const QTime& hora);
// The ordering stamp of document lines and movement rows: the day number of
// the date plus 10000 times the elapsed fraction of the current day (the
// clock's time now), rounded to the nearest integer with halves to even.
int SelloFecha(const QDate& fecha);
// A day count since 1980 that takes every month as 30 days (year × 365, a day
// per leap year, months × 30), good only to compare ages of documents. 0 for
// an empty text; throws plat::Error (Conversion) for another text that is not
// a date.
int DiasDesde1980(const QString& texto);
