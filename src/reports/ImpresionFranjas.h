#pragma once
// Printing the rows of a data grid on the printer canvas, cut into vertical
// strips of columns when the grid is wider than the page, for the report
// windows that print a grid directly (the catalogue browser, the SQL report
// writer).
//
// A page is a grid of character columns across and rows down: the width
// budget is 110 characters in portrait and 150 in landscape; a page holds 50
// rows in portrait and 38 in landscape, the first of them the title row, so
// 49 (37) records a page. One character column is page width / budget
// printer units, one row page height × 0.02 units (both truncated).
//
// Strips: the columns are taken in order while their display widths (in
// characters) add up to less than the budget; the column that makes the sum
// reach the budget starts the next strip. A column that alone reaches it
// has a strip of its own. Each strip prints the chosen pages again, from the
// first record of the first page chosen.
//
//   const EscalaFranjas escala = EscalaFranjas::De(impresora);
//   const std::vector<Franja> franjas = CortaFranjas(anchos, escala.presupuesto);
//   ImprimeFranjas(datos, columnas, franjas, desde, hasta, impresora, celda);

#include "platform/print/Impresora.h"

#include <QString>
#include <QVector>

#include <functional>
#include <vector>

namespace db {
class Campo;
class Dataset;
}  // namespace db

// The print scale of one printing.
struct EscalaFranjas {
  int presupuesto = 110;  // characters across
  int renglones = 50;     // rows a page, the title row included
  int unidad = 1;         // printer units a character column
  int alto = 1;           // printer units a row

  // The scale of the printer as it stands (its orientation and page).
  static EscalaFranjas De(const print::Impresora& impresora);
};

// Width budget and rows a page (title row included) by orientation.
int AnchoImpresion(print::Orientacion orientacion);
int RenglonesPorPagina(print::Orientacion orientacion);
// Records a page: the rows a page less the title row.
int RegistrosPorPagina(print::Orientacion orientacion);
// The pages the records fill, rounded up; at least 1.
int PaginasImpresion(qint64 registros, print::Orientacion orientacion);
// The record (from 1) that page `pagina` (from 1) starts with.
qint64 PrimerRegistroPagina(int pagina, print::Orientacion orientacion);

// The display width of a field in characters, as a grid shows it: a date
// 10, a logical 5, any other field its width.
int AnchoMostrado(const db::Campo& campo);

// One strip: columns primera to ultima of the list given, both included.
struct Franja {
  int primera = 0;
  int ultima = -1;
};

// The strips of columns of these display widths under the budget, in
// order. Every column is in one strip.
std::vector<Franja> CortaFranjas(const QVector<int>& anchos, int presupuesto);

// A column as it prints: its title and display width in characters and the
// text of the dataset's current record.
struct ColumnaFranja {
  QString titulo;
  int ancho = 0;
  std::function<QString()> texto;
};

// Draws one cell: x in characters from the strip's left edge, row on the
// page (0 the title row), width in characters, the text and the column's
// position in the list.
using CeldaFranja = std::function<void(int x, int renglon, int ancho, const QString& texto, int columna)>;

// Prints the strips as one job already begun on `impresora`: for each
// strip, from the first record of page `desde`, pages of a title row and
// records until page `hasta` is printed or the dataset ends. A strip that
// ends on a partly filled page ends that page; no page is left empty at the
// end. A width that reaches the budget is cut to it. The dataset is left
// where the last strip ended.
void ImprimeFranjas(db::Dataset& datos, const std::vector<ColumnaFranja>& columnas,
                    const std::vector<Franja>& franjas, int desde, int hasta, const EscalaFranjas& escala,
                    print::Impresora& impresora, const CeldaFranja& celda);
