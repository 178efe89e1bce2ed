#pragma once
// Index keys as the .mdx file stores them, and their order.
//
// Key order, once for the whole system: character keys compare as unsigned
// bytes of their Windows-1252 text, blank padded to the key length (so "12"
// sorts before "120", and "Z" before "a" before "Á"); numeric keys by value;
// date keys by day, a blank date first. SQL ORDER BY follows the same rule.

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QVariant>

#include <cstdint>

namespace db {

enum class TipoClave : char { Caracter = 'C', Numero = 'N', Fecha = 'D' };

namespace clave {

// A numeric key from a decimal text ("-123.45", "  17", "" for zero).
// Digits past the twentieth are dropped. Conversion when the text is no number.
QByteArray NumeroDeTexto(const QString& texto);
QByteArray Numero(double valor);
QByteArray Numero(qint64 valor);
// The decimal text of a numeric key ("-123.45", "0").
QString TextoDeNumero(const std::uint8_t* clave);

QByteArray Fecha(const QDate& fecha);  // invalid date: the blank key
QDate FechaDe(const std::uint8_t* clave);

// A character key: Windows-1252 bytes of the text, blank padded or cut to
// the length.
QByteArray Caracter(const QString& texto, int largo);

// Three-way comparisons of two stored keys of a type.
int ComparaCaracter(const std::uint8_t* a, const std::uint8_t* b, int largo);
int ComparaNumero(const std::uint8_t* a, const std::uint8_t* b);
int ComparaFecha(const std::uint8_t* a, const std::uint8_t* b);
int Compara(TipoClave tipo, const std::uint8_t* a, const std::uint8_t* b, int largo);

// A key as a value: QString (right-trimmed), double or QDate.
QVariant Valor(TipoClave tipo, const std::uint8_t* clave, int largo);

}  // namespace clave
}  // namespace db
