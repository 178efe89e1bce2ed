#pragma once
// The query runner's work table BaseTempo.dbf and withdrawals file
// retiros.txt, in the folder tempo of the program folder (Consulta.h).
//
// The table is made anew for a run from the fields of the statement's
// result, in their order:
//   the first field          CHAR of its text's width: a text field's width
//                            plus one (at most 254), 10 for a date, 24 for a
//                            number, 5 for a logical value
//   later text fields        CHAR of their width plus one (at most 254)
//   later numbers            NUMERIC(20,4)
//   later dates              DATE
//   later fields of another type   no column
// and, when asked, CONSEC NUMERIC(20,4) last, the running number of the rows
// that carry data. Every value is copied as its text into the column of its
// field.
//
// Every copy of the program started from one program folder shares the
// table; a run holds it (UsoTablaTrabajo) from before it is made until its
// report closes.

#include "reports/CerrojoTabla.h"

#include <QChar>
#include <QString>
#include <QStringList>

#include <memory>

namespace db {
class Consulta;
class Dataset;
class Tabla;
}  // namespace db

// <program folder>\tempo\BaseTempo.dbf
QString RutaTablaTrabajo();

// Holds the work table for this run while it lives (CerrojoTabla.h).
class UsoTablaTrabajo : public CerrojoTabla {
 public:
  UsoTablaTrabajo() : CerrojoTabla(RutaTablaTrabajo()) {}
};

// The column list of the CREATE TABLE of the work table: "NAME TYPE" for
// each field that gets a column, separated by ",", then one blank (the
// result's field names without blanks).
QString ColumnasTablaTrabajo(const db::Dataset& resultado);

// The grid titles of the work table's fields, from the titles of the
// result's fields: each field that has a column keeps its title, CONSEC is
// "#Consecutivo".
QStringList TitulosTablaTrabajo(const db::Dataset& resultado, const QStringList& titulos, bool consecutivo);

// Drops the work table and creates it again for the result (with CONSEC
// when `consecutivo`) through `ejecutor`; errors are passed over.
void CreaTablaTrabajo(db::Consulta& ejecutor, const db::Dataset& resultado, bool consecutivo);

// Fills the open work table from the result by the mode ("T", "D", "A",
// "C"; Consulta.h), after emptying it. `titulos` are the grid's titles of
// the result's fields in order: a title beginning with "$" marks a summed
// column. Sums are exact and written rounded to cents. Throws plat::Error.
void LlenaTablaTrabajo(db::Dataset& resultado, db::Tabla& trabajo, const QStringList& titulos, QChar modo,
                       bool consecutivo);

// The withdrawals block of a view run in mode "T": BanderaRetiros "S" when
// line 12 is set; with line 11 "Retiros", retiros.txt gets the line
// "Total de Retiros $" and the sum of CANTIDAD of every row of Retiros.dbf
// (the folder of the remission tables) in "#,###,##0.00" padded to 12,
// then two empty lines. Otherwise retiros.txt is deleted, so no earlier
// run's total shows. Errors are passed over.
void EscribeRetirosVista(const QStringList& vista);
