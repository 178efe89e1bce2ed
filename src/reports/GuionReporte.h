#pragma once
// The window-less routines of report scripts (RepoSQL.h): how a value is
// shown by its column kind, how texts are fitted to a column, how the order
// field chosen in the parameters dialog is put into a statement.
//
// Column kinds: the first letter of the kind token, in lower case, decides
// how a value shows (FormateaValorGuion):
//   "e"  whole number ("#######") right-aligned in 7; empty when the value
//        is not a number (so 0 shows as seven blanks)
//   "s"  as "e", but a value that is not a number is an error
//   "f"  "#,###,##0.00" right-aligned in 12; "0.00" when not a number
//   "t", "r", "m"  as "f" read as money; "0" right-aligned when not a number
//   "$"  "$#,###,##0.00" right-aligned in 12; not a number is an error
//   "p,a,b"  characters a to b of the text (from 1)
//   "h"  a day number with its fraction shown as date and time
//   any other  the text as it is
// Only the exact tokens "t" and "m" are totalled (the runner's business).

#include "foundation/dinero.h"

#include <QChar>
#include <QString>
#include <QStringList>

#include <vector>

namespace db {
class Campo;
class Dataset;
}

// s right-aligned in w characters: blanks in front when it is shorter;
// otherwise its first w - 1 characters and a blank.
QString AlineaDerechaGuion(const QString& s, int w);
// s fitted to a column of w characters: blanks after it when it is shorter;
// otherwise its first w - 1 characters and a blank.
QString AjustaAnchoGuion(const QString& s, int w);
// s without blanks around; "0" when nothing is left.
QString LimpiaNumeroGuion(const QString& s);
// The first n characters of s, without blanks around.
QString PrimerosCaracteres(const QString& s, int n);
// For a kind "p,a,b": characters a to b of v; empty when v is empty or a or
// b is no whole number.
QString SubcadenaGuion(const QString& v, const QString& tipo);

// The value text v shown as the kind token says (see above). Throws
// plat::Error (Conversion) for a value that is not a number in an "s" or
// "$" column and for one that is not a day number in an "h" column.
QString FormateaValorGuion(const QString& v, const QString& tipo);

// Puts "," + campo + " " in front of every "from" (lower case, as written)
// of q that begins more than 10 characters before its end, so the order
// field is selected in every select of the statement.
QString InsertaCampoOrden(const QString& q, const QString& from, const QString& campo);

// The kind tokens of a "%" line (without its "%"): the pieces between runs
// of blanks.
QStringList TokensTiposGuion(const QString& linea);

// The column widths of a heading: each title is a run of non-blank
// characters and takes the room up to the next title; the last one up to
// the heading's end and one blank more.
std::vector<int> AnchosDeEncabezado(const QString& encabezado);

// The export titles of a heading: "%" removed, each run of blanks and each
// "*" separates two titles (so two separators together leave an empty one
// between them); a last title with no separator after it counts too.
QStringList TitulosDeEncabezado(const QString& encabezado);

// The value of a field as the totals take it: its number, or 0 when it
// holds none (a text that is no number, a null, a value too large).
Dinero ValorTotalGuion(const db::Campo& campo);

// The total as the summaries and averages divide it; the division is exact
// to four decimals. A divisor of 0 leaves the total as it was.
Dinero DivideTotalGuion(Dinero total, double divisor);

// "d": whether the dataset stands before its first row; any other
// direction: whether it stands past its last.
bool FinDeRecorridoGuion(QChar sentido, const db::Dataset& dataset);

// The shortest decimal text that reads back as the same value held in six
// bytes (the precision exports of report scripts keep): "0.1", "1234.5".
QString TextoRealGuion(double valor);
