#pragma once
// Key order of texts: Windows-1252 byte order, the order of the index tags,
// with trailing blanks not counting ("AB" equals "AB  "), as character
// fields are compared. Characters outside Windows-1252 sort after every
// character of it, by code point, so distinct texts never compare equal.

#include <QString>

namespace db::sql {

// Name of the SQLite collation of every text column of the virtual tables.
inline constexpr char kColacion[] = "CP1252";

// <0, 0, >0. The first form takes UTF-8 bytes (as SQLite hands them).
int ComparaCp1252(const char* a, int na, const char* b, int nb);
int ComparaCp1252(const QString& a, const QString& b);

}  // namespace db::sql
