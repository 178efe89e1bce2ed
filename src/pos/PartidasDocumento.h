#pragma once
// The lines of a saved sales document and the capture rows they come from
// and go back to: what a line row (TPartidaDocumento) keeps of a capture row
// (TPartidaCaptura) when a document is written, what a capture row takes
// back from a line row when a document is shown, and the checks of a line
// against its product at saving.
//
// The two mappings do not mirror each other: the capture's IMPORTE is not
// stored (IMPOR_FD is the amount before discounts) and is computed again on
// loading; the supplier, the user and the stock snapshot are stored and not
// loaded; the second and third line discounts are only folded into the net
// price PREDE_FD.

#include "foundation/dinero.h"

#include <QDate>
#include <QString>

namespace db {
class Dataset;
class Tabla;
}  // namespace db

// What the line rows of one written document share.
struct DatosPartidaDocumento {
  QString numero;           // CLDOC_FD, the document number as the screen shows it
  qint64 control = 0;       // CONTROL
  QDate fecha;              // FEDOC_FD (invalid: blank)
  double descuentoDocumento = 0;  // DESFI_F of the header, per cent
  qint64 usuario = 0;       // HORAF_F, the logged user number
  QString usuarioTexto;     // USUARIO: the user number, or the seller name shown
  QString conversion;       // TDOCU_FD: "F" on the lines of an invoice made from remissions, which
                            // moved no stock (their remissions did); blank on any other
};

// The net unit price of a line: the price less the three line discounts and
// the document discount, each per cent of what the one before left, to four
// decimals.
Dinero PrecioNetoPartida(Dinero precio, double descuento1, double descuento2, double descuento3,
                         double descuentoDocumento);

// A capture row is written as a line only when its quantity is above 0 and
// it has both a key and a description.
bool PartidaSeEscribe(const db::Dataset& captura);

// Fills the line row being inserted from the current capture row, with the
// conversion mark of `datos` when it has one. Three
// groups of fields are written each on its own: the net price PREDE_FD; the
// package fields TICAM_FD and PIVA2_FD; the closing fields FECHA, TIPOX_FD,
// HORAF_F, NOMDI_FD, USUARIO, INICIAL, FINAL and PCOMI_FD ("1"). A value of
// one of those groups that cannot be written leaves that whole group blank
// and the row goes on; a failure in any other field reaches the caller
// (plat::Error naming table and field).
void LlenaPartidaDocumento(db::Dataset& linea, const db::Dataset& captura, const DatosPartidaDocumento& datos);

// Fills the capture row being inserted from the current line row:
// quantity, tare, key, description, unit, price, cost, discount, tax,
// package factor, FPGC, packages and type as stored; IMPORTE the quantity
// times the price less the discount (ImporteLinea); IEPS1 only when the
// stored IEPS is above 0 (otherwise the row keeps its own).
void LlenaCapturaDePartida(db::Dataset& captura, const db::Dataset& linea);

// The lines of document `numero` of the line table (tag CLDOC_FD) whose
// CONTROL is `control`, inserted into the capture in their stored order
// (each before the one put in last, walking from the last line back). Kit
// components (TIPOX_FD "X", the kit line's business) are left out unless
// `componentes` (a cancel, which gives back their stock too). The line
// table keeps the range on the number. Returns the lines loaded; a row
// that cannot be written is given up and its error reaches the caller.
int CargaPartidasDeControl(db::Tabla& lineas, db::Dataset& captura, qint64 numero, qint64 control,
                           bool componentes = false);

// The text with every character replaced by the first code point of its
// canonical decomposition, kept within Windows-1252: an accented letter
// becomes its base letter ("é" -> "e", "ñ" -> "n"); a character outside the
// code page becomes "?".
QString QuitaAcentos(const QString& texto);

// A description captured on a line still names the product when both,
// without accents, agree in their first 40 characters.
bool DescripcionCorresponde(const QString& capturada, const QString& delProducto);

// Every line of the number (the line table standing on its CLDOC_FD tag)
// marked with `marca` in TREGI_FD; a cancelled line keeps its "C". The
// table is left restricted to the number. Errors reach the caller (the
// lines marked stay marked).
void MarcaPartidas(db::Tabla& lineas, const QString& numero, const QString& marca);
// The same with the cancelled mark, "C".
void MarcaPartidasCanceladas(db::Tabla& lineas, const QString& numero);

// The remission `numero` of the open remission table (tag INUMENC) marked
// invoiced (REMIS_F `marca`); false when it is not there. Errors reach the
// caller, the row left as it was.
bool MarcaRemisionFacturada(db::Tabla& remisiones, qint64 numero, const QString& marca);
