#pragma once
// A user's text put into an SQL statement or a record filter as a value,
// never as part of the statement:
//
//   q.SetSQL("Select NOMBR_C from \"C:\\DATOS\\cliente.dbf\" where NOMBR_C = " + LiteralComillas(nombre));
//   q.SetSQL("... where DSCPR_I LIKE " + LiteralApostrofos("%" + PatronLike(texto) + "%") + kEscapeLike);
//   t.SetFilter("TIDOC_FO=" + LiteralApostrofos(tipo));
//
// Inside a literal the quote that encloses it is doubled, so the text can
// neither end the literal nor add anything to the statement.

#include <QString>

namespace db {

// "texto", each double quote inside doubled.
QString LiteralComillas(const QString& texto);
// 'texto', each single quote inside doubled.
QString LiteralApostrofos(const QString& texto);

// The text as a LIKE pattern that matches it as typed: its %, _ and
// backslash each preceded by a backslash. The LIKE that uses it ends with
// kEscapeLike; wildcards of the caller's own go around it.
QString PatronLike(const QString& texto);
inline constexpr char kEscapeLike[] = " ESCAPE '\\'";

}  // namespace db
