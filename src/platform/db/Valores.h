#pragma once
// Conversions between field values and their text forms, shared by the
// storages, the fields and the filters. No allocation on the reading side.

#include <QDate>
#include <QString>

#include <optional>
#include <string>

namespace db {

// Decimal text (optional sign, digits) as an integer; nullopt when it is
// anything else or overflows.
std::optional<qint64> LeeEnteroTexto(const char* p, int n);
// Decimal text with an optional point (".5", "-12.50") as a double; nullopt
// otherwise.
std::optional<double> LeeRealTexto(const char* p, int n);
// A date stored as yyyyMMdd; invalid when the text is not one.
QDate LeeFechaDbf(const char* p, int n);

// Rounds half away from zero to an integer.
qint64 RedondeaEntero(double v);

// The right-aligned text of a number for a field of width/decimals: an
// integer, or a fixed-point number with exactly `decimales` decimals rounded
// half away from zero on its shortest decimal form. False when it does not
// fit the width (or is not finite).
bool FormateaNumero(qint64 valor, int ancho, int decimales, std::string& salida);
bool FormateaNumero(double valor, int ancho, int decimales, std::string& salida);

// The shortest general form of a double ("1234.5", "3", "-0.25").
QString TextoReal(double v);

// Text typed by users or in filters: "." decimals, surrounding blanks
// ignored. nullopt when it is no number.
std::optional<double> RealDeTexto(const QString& texto);
std::optional<qint64> EnteroDeTexto(const QString& texto);
// dd/MM/yyyy (also d/M/yyyy); invalid when not a date.
QDate FechaDeTexto(const QString& texto);

}  // namespace db
