#pragma once
// One page of the preview page file as the preview window draws it.
//
// The page is 82 columns wide and 55 lines high for drawing (a column is
// the page width / 82, a line the page height / 55), whatever size the
// window gives it. The elements of the page are drawn in file order:
//   - texts (kind >= 0) only when their column is below 80; column −1000
//     centres the text; the font size is scaled to the page,
//     TRUNC(size × 0.25 × page width / 181) points; the colour follows the
//     colour name ("rojo", "azul", "verde", "amarillo", "negro", "blanco";
//     any other name keeps the colour of the text before);
//   - pictures (kind −1) stretched from (column, line) to (right column,
//     bottom line), with whole columns of TRUNC(width / 82) and lines of
//     TRUNC(height / 55) pixels; a missing file draws nothing;
//   - boxes (kind −2) as four lines and horizontal lines (kind −3) as one,
//     in blue; a box's colour text must be a colour the system knows;
//   - then the caption "<page> de <n> Paginas" at (page width − 200, 2).
// A value that cannot be read (a picture's column that is not a whole
// number, a box colour that is no colour) ends the drawing at that element,
// with the error kept for the window to report.

#include "formats/PaginaPrevia.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

class QPainter;

struct TrazoPagina {
  enum class Tipo { Texto, Imagen, Linea, Elipse };
  Tipo tipo = Tipo::Texto;
  QPoint punto;   // Texto: top-left of the text; Linea: start
  QPoint hasta;   // Linea: end
  QRect rect;     // Imagen; Elipse: its bounds
  QString texto;  // Texto
  QFont fuente;   // Texto
  QColor color;   // Texto, Linea and Elipse
  QImage imagen;  // Imagen
};

struct PaginaDibujada {
  QSize tamano;
  QColor marco;  // outline of the page: blue when the preview file exists
  std::vector<TrazoPagina> trazos;
  QString error;  // why the drawing stopped early; empty when it did not
};

// Traces page `pagina` of the elements, for a page of `tamano` pixels. The
// elements are null when there is no preview file. `rotulo` is the caption
// of the page count ("3 Paginas").
PaginaDibujada TrazaPagina(const std::vector<TElementoPagina>* elementos, int pagina, QSize tamano,
                           const QString& rotulo);

// Draws the traced page at the painter's origin.
void PintaPagina(QPainter& pintor, const PaginaDibujada& pagina);
