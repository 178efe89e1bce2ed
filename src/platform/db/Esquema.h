#pragma once
// Table layouts: the fields and index tags of a table, as the file formats
// declare them. Shared by the dBASE and Paradox tables, the SQL layer and the
// registry of every table of a company.

#include <QChar>

#include <QString>
#include <QStringList>
#include <QVector>

namespace db {

// Field type letters as the files store them.
//   dBASE:   'C' text, 'N' numeric, 'F' float, 'D' date, 'L' logical, 'M' memo.
//   Paradox: 'A' alpha, 'N' number, '$' money, 'D' date, 'S' short,
//            'I' long, 'L' logical, 'M' memo, '+' autoincrement.
struct DefCampo {
  QString nombre;
  QChar tipo;
  int ancho = 0;
  int decimales = 0;
};

// An index tag: its name and key expression (a field name or an expression
// such as "CLDOC_F+CLPRO_F", "UPPER(NOMBR_C)", "DTOS(FEDOC_F)").
struct DefTag {
  QString nombre;
  QString expresion;
  bool unico = false;
  bool descendente = false;
};

// How a value of a field is seen by the program, whatever the file format.
enum class TipoDato { Texto, Entero, Flotante, Moneda, Fecha, Logico, Memo };

// The one rule from a stored field to the type the program sees, for every
// file format and for query columns made into work tables:
//   dBASE  C -> Texto; N with 0 decimals -> Entero when its width fits a
//          64-bit integer (up to 18 characters), else Flotante; N with
//          decimals and F -> Flotante; D -> Fecha; L -> Logico; M -> Memo.
//   Paradox A -> Texto; N -> Flotante; $ -> Moneda; S, I, + -> Entero;
//          D -> Fecha; L -> Logico; M -> Memo.
// A letter of neither list gives Texto.
TipoDato TipoDatoDe(const DefCampo& campo, bool paradox = false);

// A dBASE field name keeps its first 10 characters.
inline constexpr int kLargoNombreDbf = 10;

// The position in `nombres` of the field a name stands for: the field of
// that name (any case); for a name longer than 10 characters with no field
// of its own, the field named by its first 10 characters when no other
// field begins with them. -1 when there is none.
int IndiceDeCampo(const QStringList& nombres, const QString& nombre);

}  // namespace db
