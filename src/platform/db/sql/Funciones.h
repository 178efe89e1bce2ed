#pragma once
// Functions the SQL connection adds to SQLite's own, and the number forms
// they share with query results.
//
//   upper(x), lower(x)     case of every letter, accented ones included
//   numero_de_texto(x)     a text read as a number (surrounding blanks
//                          ignored): REAL; NULL for a text that is no
//                          number; numbers and NULL as they are
//   texto_de_numero(x)     a number as the old engine wrote it: general form
//                          of 15 significant digits, no trailing zeros ("10",
//                          "12.5"); texts and NULL as they are
//
// The translator (Traductor.h) writes the last two into statements; their
// names are kept here.

#include <QString>

struct sqlite3;

namespace db::sql {

inline constexpr char kNumeroDeTexto[] = "numero_de_texto";
inline constexpr char kTextoDeNumero[] = "texto_de_numero";

void RegistraFunciones(sqlite3* db);

// A computed number as the old engine held it: rounded to 15 significant
// digits, so 0.1*3 is 0.3.
double QuinceCifras(double v);

// The number's text in that form.
QString TextoDeNumero(double v);

}  // namespace db::sql
