#pragma once
// Saved query views and the files around them.
//
// A view (.vis) is a text file of lines ended by CR LF in Windows-1252,
// written by the view designer (DisenoVista.h) and run by the query runner
// (Consulta.h). Items of a list line are in column order, split at every
// comma (a format "###,##0.00" counts as two items):
//
//   1  select list: identifier "." field, joined by "," (no blank at all)
//   2  tables: "\" file name, a double quote, " as ", identifier, joined by
//      ","; ends in one blank
//   3  column captions, joined by ","; ends in one blank
//   4  column formats ("C" when none; "N" marks a numeric column), joined
//      by ","; ends in one blank
//   5  column widths in characters, each followed by ","
//   6  sort fields (bare names), each followed by ","
//   7  totals words ("totalizar", "sin totales", "N"), each followed by ","
//   8  result actions ("Ejecutar", "tabla", "concentrar", "N"), each
//      followed by ","
//   9  join: the key fields joined by "=", then one blank
//  10  title
//  11  optional: "Retiros" asks for the cash withdrawals total
//  12  optional: any text turns the withdrawals block on
//
// A view list (.for, in the folder "report" of the data folder) is a file
// of TEntradaVista records, one per view of a table, in the order they
// were added. Module windows offer the views of their table from it.
//
// Especiales.cnf (folder "report" of the program folder) gets two lines per
// saved view: the table category and the view's path.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QVector>

// The lines of a view file. Throws plat::Error (NoExiste, Io).
QStringList LeeVista(const QString& ruta);
// Line n (from 1) of a view's lines; "" beyond them.
QString LineaVista(const QStringList& lineas, int n);
// The items of a list line, split at every comma (an empty last item after a
// closing comma included).
QStringList ElementosVista(const QString& linea);
// The items of a line the format closes with one blank (lines 2, 3 and 4),
// without that blank; none for an empty line.
QStringList ElementosCerrados(QString linea);
// Item n (from 0) of a list line; "" beyond them.
QString ElementoVista(const QString& linea, int n);
// Writes the lines (CR LF, Windows-1252) in place of any file of that name,
// atomically. Throws plat::Error.
void EscribeVista(const QString& ruta, const QStringList& lineas);

// One record of a view list: the view file's full path and its description,
// each a length byte and its characters.
//
//   offset  width  field
//        0     61  view path, up to 60 characters
//       61    126  description, up to 125 characters
struct TEntradaVista {
  static constexpr int kTamano = 187;
  static constexpr int kAnchoArchivo = 61;
  static constexpr int kAnchoDescripcion = 126;
  static constexpr int kPosicionDescripcion = 61;

  QString Archivo;
  QString Descripcion;

  // The longest view path a record holds whole.
  static constexpr int LargoArchivo() { return kAnchoArchivo - 1; }

  static TEntradaVista DeBytes(QByteArrayView registro);
  // The 187 bytes: texts cut to their fields, the bytes after them zero.
  QByteArray ABytes() const;
};

// The records of a view list in file order; none when the file is missing.
// A piece shorter than a record at the end is not a record. Throws
// plat::Error when the file cannot be read.
QVector<TEntradaVista> LeeListaVistas(const QString& ruta);
// The records of a view list whose view files exist, in file order; none
// when the list is missing. When a record names a view file that no longer
// exists, the list is rewritten with the other records only, atomically, so
// every station reading it meanwhile sees the whole old list or the whole
// new one, and while held (CerrojoTabla.h, as AgregaEntradaVista holds it),
// so a view another station adds meanwhile is kept; a rewrite that fails,
// or that does not get the list within the bounded wait, leaves the list as
// it was, to be tried the next time. `leidos`, when given, receives every record read, the missing
// ones too. `copia`, when given, is the scratch list the rewrite goes
// through: it receives the records kept, atomically, before the list does.
// Throws plat::Error when the list cannot be read. Every module window's
// view list goes through it.
QVector<TEntradaVista> DepuraListaVistas(const QString& ruta, QVector<TEntradaVista>* leidos = nullptr,
                                         const QString& copia = QString());
// Adds the record to the list: a list that already names the view gets its
// description replaced (the list rewritten atomically); otherwise the record
// is appended in one write, the list and its folder made when missing. The
// list is held meanwhile; EnUso "La lista de consultas <list> está ocupada
// por otra estación" when another station holds it beyond the bounded wait.
// Throws plat::Error.
void AgregaEntradaVista(const QString& ruta, const TEntradaVista& entrada);

// <program folder>\report\Especiales.cnf
QString ArchivoEspeciales();
// Appends the category and the view path to Especiales.cnf (made with its
// folder when missing). Throws plat::Error.
void AgregaEspeciales(const QString& categoria, const QString& vista);

// The folder "report" of the data folder (configuration line 8), where the
// view lists live.
QString CarpetaListasVistas();
