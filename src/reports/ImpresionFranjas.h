#pragma once
// A grid of records printed on the printer canvas in vertical strips of
// columns, page after page: the SQL report writer's "Imprimir" and any grid
// printed the same way.
//
// The page is measured in characters and rows: its width holds 110
// characters in portrait and 150 in landscape (the width budget), its height
// is cut into 50 rows. A page carries a title row and then 49 records in
// portrait, 37 in landscape (38 rows used). The pages a printing offers are
// the records divided by the records of a page, rounded up, so page p starts
// at record (p - 1) × 49 + 1 (× 37 in landscape) and every record is on a
// page.
//
// Strips: the columns' display widths (characters) are added up from the
// first; the column at which the running width reaches the budget opens the
// next strip, whose width restarts with its own. A column as wide as the
// budget or wider stands alone in its strip (cut at the page's edge).
//
// Every strip prints the chosen pages again with its own columns, from the
// first record of the first page chosen until the last page chosen or the
// records end; each strip starts on a new page, and a page is started only
// for something to print on it, so no page stays blank.
//
//   const MedidasFranjas m = MedidasDe(impresora);
//   TrabajoImpresion trabajo(windowTitle());
//   ImprimeFranjas(trabajo, datos, anchos, m, desde, hasta, [&](const CeldaFranja& c) {
//     ... draw c.columna's title (c.titulo) or its field of datos' current
//     record at x = c.x × m.unidadColumna, row c.renglon × m.unidadRenglon
//   });
//   trabajo.Termina();

#include "platform/print/Impresora.h"

#include <QVector>

#include <functional>

class TrabajoImpresion;
namespace db {
class Campo;
class Dataset;
}  // namespace db

inline constexpr int kAnchoFranjasVertical = 110;
inline constexpr int kAnchoFranjasHorizontal = 150;
inline constexpr int kRenglonesHojaVertical = 50;    // a title row and 49 records
inline constexpr int kRenglonesHojaHorizontal = 38;  // a title row and 37 records
inline constexpr int kDivisionesAltoHoja = 50;       // the row height is the page height over this

// The measures of a printing on the printer as it stands (its orientation).
struct MedidasFranjas {
  int anchoPagina = kAnchoFranjasVertical;  // the width budget, characters
  int renglones = kRenglonesHojaVertical;   // rows a page uses, the title row included
  int unidadColumna = 0;                    // device units of a character
  int unidadRenglon = 0;                    // device units of a row
  int RegistrosPagina() const { return renglones - 1; }
};
MedidasFranjas MedidasDe(const print::Impresora& impresora);

// The pages a printing of `registros` records takes: at least 1.
int PaginasFranjas(qint64 registros, const MedidasFranjas& medidas);

// The column (index into `anchos`) that opens each strip after the first,
// in order.
QVector<int> CortesFranjas(const QVector<int>& anchos, int anchoPagina);

// The display width of a field in characters: a date 10, a logical 5, any
// other field its width.
int AnchoMostrado(const db::Campo& campo);

// One cell to print: a column's title (renglon 0) or its value in the
// dataset's current record.
struct CeldaFranja {
  int columna = 0;  // index into the widths given
  int x = 0;        // characters from the page's left edge
  int renglon = 0;  // row of the page, 0 the title row
  int ancho = 0;    // the column's display width, characters
  bool titulo = false;
};

// Prints pages `primera` to `ultima` (from 1) of every strip of the columns
// of widths `anchos`, walking `datos` from its first record: the job is
// begun at the first cell and a new page when a page is full or a strip
// starts; `imprime` draws each cell. The job is left open for the caller to
// end. Leaves `datos` where the walk ended.
void ImprimeFranjas(TrabajoImpresion& trabajo, db::Dataset& datos, const QVector<int>& anchos,
                    const MedidasFranjas& medidas, int primera, int ultima,
                    const std::function<void(const CeldaFranja&)>& imprime);
