#pragma once
// Field values of a row by name, as a save journals them before it writes
// them: each value one journal text with its type, written into a row
// being edited or appended, and compared with what a row holds.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <utility>

namespace db {
class Dataset;
}

// Field values by name: texts as QString, dates as QDate, integers as
// qint64, amounts as the exact text of a Dinero (Dinero::Texto), an invalid
// QVariant for a blank field.
using ValoresFila = QVector<std::pair<QString, QVariant>>;

// A value as one journal text with its type ("n" null, "s" text, "i"
// integer, "f" number, "d" date yyyyMMdd, "b" logical), and back.
QString CodificaValor(const QVariant& valor);
QVariant DecodificaValor(const QString& texto);
// The values as journal texts (name, then value), and back.
QStringList CodificaValores(const ValoresFila& valores);
ValoresFila DecodificaValores(const QStringList& textos);

// Writes the values into the row being edited or inserted.
void EscribeValores(db::Dataset& tabla, const ValoresFila& valores);
// Whether the row holds every value (a text as its field keeps it: cut to
// the field and right-trimmed; numbers by value); false when the row lacks
// a field.
bool Coinciden(const db::Dataset& fila, const ValoresFila& valores);
