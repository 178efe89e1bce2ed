#pragma once
// Spreadsheet files of the exports: one writer, row by row, that makes a
// workbook (.xlsx) or tab-separated text, by the file's name.
//
//   const QString nombre = hoja::NombreHoja(tecleado, agregaExtension);
//   hoja::Hoja salida(nombre);
//   salida.Agrega({{"Clave"}, {"Nombre"}, {"Importe"}}, true);
//   salida.Agrega({{"0012"}, {"JOSÉ PÉREZ   "}, {"$   1,234.50", hoja::Tipo::Numero}});
//   salida.Cierra();
//
// A file is a workbook exactly when its name ends in ".xlsx" (any case);
// any other name gets the rows as text: the cells joined by tabs, one more
// tab at the end of a row that asks for it, each row ended by CR LF, in
// Windows-1252 (characters outside it become "?").
//
// In a workbook (one sheet, "Hoja1") every row is one row of cells, in
// order:
//  - a text cell holds its text without the blanks that pad it on the
//    right; an empty one is left blank. Texts that look like numbers stay
//    texts ("0012" keeps its zeros);
//  - a number cell reads its text as the program writes amounts: blanks
//    around, an optional "$", an optional "-", digits with "," between
//    thousands and "." before decimals. It holds that number, shown as the
//    text showed it: "$" when it had one, thousands separators when it had
//    them, as many decimals as it had. A text that is no number (a note in
//    an amount column) becomes a text cell.
// Rows are written as they come, in constant memory, so a long export takes
// no more memory than a short one.
//
// Nothing replaces the file before Cierra: the rows go to a temporary file
// in the same folder, renamed over the named file at the end, so a failed
// export leaves an older file of that name as it was. Names are in Windows
// form or POSIX. Errors are plat::Error.

#include <QList>
#include <QString>

#include <memory>

namespace hoja {

enum class Tipo { Texto, Numero };

struct Celda {
  QString texto;
  Tipo tipo = Tipo::Texto;
};
using Fila = QList<Celda>;

// True when the name ends in ".xlsx", without regard to case.
bool EsLibro(const QString& nombre);

// The name an export typed as `nombre` is written under: a name ending in
// ".xlsx" is kept; one ending in ".xls" becomes ".xlsx"; any other name gets
// ".xlsx" appended when `agregaExtension` (the caller's own rule for adding
// a spreadsheet extension holds) and is kept as typed otherwise, which
// makes it a text file.
QString NombreHoja(const QString& nombre, bool agregaExtension);

class Hoja {
 public:
  // Readies the file. Throws plat::Error when its folder cannot take it.
  explicit Hoja(const QString& nombre);
  // Without Cierra the rows are thrown away and the named file is left as
  // it was.
  ~Hoja();
  Hoja(const Hoja&) = delete;
  Hoja& operator=(const Hoja&) = delete;

  bool EsLibro() const;
  // One row. `tabuladorFinal` ends a text row with one more tab; a workbook
  // ignores it. Throws plat::Error (NoCabe past the last row a sheet
  // holds, 1048576).
  void Agrega(const Fila& fila, bool tabuladorFinal = false);
  // Writes the file and puts it in place. Throws plat::Error.
  void Cierra();

  class Salida;

 private:
  std::unique_ptr<Salida> salida_;
};

}  // namespace hoja
