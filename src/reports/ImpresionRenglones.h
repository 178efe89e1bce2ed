#pragma once
// The line printer: plain text listings on the printer canvas, on a grid of
// 80 columns by 70 lines per page. One document at a time:
//
//   IniciaImpresionRenglones("Saldos de Proveedores", fecha, 5);
//   for (...) {
//     ImprimeColumnaRenglon(1, 0, clave, u'c', "");
//     ImprimeColumnaRenglon(50, 1, saldo, u'f', "#,###,##0.00");
//   }
//   TerminaImpresionRenglones("", "Total", total, u's');
//
// The document goes to the printer selected in the print layer. Errors of
// the printer (none installed, the job cannot be written) reach the caller;
// a value that cannot be printed ends the document without output.

#include <QChar>
#include <QString>

// The line the next value goes to, on the page being printed.
extern int RenglonImpresion;
// One column and one line of the grid, in printer units: the page width /
// 80 and the page height / 70, truncated; set when a document begins.
extern int UnidadColumnaImpresion;
extern int UnidadRenglonImpresion;

// Begins a document with the canvas font "System" 10 on line `renglon`, and
// prints each non-empty title at column 1 on a line of its own.
void IniciaImpresionRenglones(const QString& titulo1, const QString& titulo2, int renglon);

// Prints one value at column `columna` of the current line:
//  - kind 'c' or 'd': the text as it is;
//  - kind 'f': an amount in the font "Courier": with "$" and two decimals
//    when the mask's third character from the end is "." ("#,###,##0.00"),
//    otherwise whole with thousands separators ("#,###,###"; also for an
//    empty mask); an empty text is 0. A text that is no number ends the
//    document without output and throws plat::Error (Conversion);
//  - any other kind prints nothing.
// The canvas font name is restored afterwards. With `avance` 1 the next
// value goes to the next line; reaching line 70 starts a new page, whose
// first line is 2.
void ImprimeColumnaRenglon(int columna, int avance, const QString& texto, QChar tipo, const QString& mascara);

// Moves to the next line (a full page turns at the next value printed).
void AvanzaRenglonImpresion();

// Prints each non-empty footer at column 55 in the font "Courier", one per
// line, and ends the document; with notice 's' tells the user "La Impresión
// ha finalizado".
void TerminaImpresionRenglones(const QString& pie1, const QString& pie2, const QString& pie3, QChar aviso);
