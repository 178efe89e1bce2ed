#pragma once
// The purchase documents without their window: the three kinds and their
// tables, the folio file, the provisional header of a new document, its
// final number, the numbering of a header without one, the totals of the
// capture table, the client price, the lines generated from stock limits
// and the cost formula. The purchase window (Compras.h) calls these; each
// one works on the tables it is given.
//
// A new document lives in the program folder's own copy of the kind's
// header table (ComprasE1.dbf, OrdenCom1.dbf, DevolCom1.dbf) until it is
// saved; its final number is then the highest CLDOC_O of the shared table
// plus one, taken under that table's numbering lock.

#include "foundation/dinero.h"

#include <QChar>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace db {
class Dataset;
class Tabla;
}  // namespace db

// The kinds of purchase document: the kind text, the switch letter, the
// header and line tables.
struct TipoCompra {
  QString texto;
  QChar letra;
  QString encabezado;
  QString partidas;
};
inline const QString kRecepcion = QStringLiteral("Recepción");
inline const QString kOrdenCompra = QStringLiteral("Orden de Compra");
inline const QString kDevolucionCompra = QStringLiteral("Devolución de Compra");
// The kind of a switch letter ("R", "O", "D"); nullptr for another one.
const TipoCompra* TipoCompraDe(QChar letra);
// The kind of a kind text, compared exactly; nullptr for another one.
const TipoCompra* TipoCompraDe(const QString& texto);
// The first character of NUDOC_MI of a kind's movement rows: the first
// letter of the kind text, "R" becoming "O" and "D" becoming "P".
QChar LetraMovimientoCompra(const QString& texto);

inline const QString kTagEncabezadoCompra = QStringLiteral("ICOMENC");
inline const QString kTagPartidaCompra = QStringLiteral("ICOMDET");
inline const QString kTablaCapturaCompra = QStringLiteral("Detacomp.DB");

// The control number of a document being saved: the fraction of the day
// elapsed, times 100000, truncated.
int NumeroControlCompra();

// --- The folio file "Folios_c.dbs" of the data folder.
inline const QString kArchivoFoliosCompra = QStringLiteral("Folios_c.dbs");
inline const QString kErrorFoliosCompra = QStringLiteral("Hay un error en la base de datos Folios");
struct FoliosCompra {
  qint64 base = 0;    // line 1 − 1
  qint64 ajuste = 0;  // line 2
};
// Reads the file into `folios`. A missing file is created (replaced
// atomically) with "1","0","0","1","0","0" and, until it is read again,
// the base is 1 and the adjustment 0. A line 1 to 3 that is not a whole
// number, or a file that cannot be read or written, shows
// kErrorFoliosCompra and leaves `folios` as it was.
void LeeFoliosCompra(const QString& carpetaDatos, FoliosCompra& folios);

// Numbers the header on which `encabezado` stands when its CLDOC_O is 0:
// the row's physical record number + `desplazamiento`, posted; the tag
// ICOMENC is set again. A header with a number is left alone.
void NumeraEncabezadoCompra(db::Tabla& encabezado, qint64 desplazamiento);

// The provisional header table of a new document: the template
// tempo\<archivo> of the program folder copied over the program folder's
// own copy (NombreEncabezadoTemporal, station 1) and `encabezado` opened on
// it. Errors (the template missing) reach the caller, `encabezado` opened
// again where it was.
void CreaEncabezadoLocalCompra(db::Tabla& encabezado, const QString& carpetaPrograma, const QString& archivo);

// The final number of the new document whose provisional header `encabezado`
// (open on the local copy) stands on: the provisional row is posted and
// found again by its CONTROL (among at most ten rows of its number), then
// appended whole, every column but CLDOC_O copied as text (a column that
// cannot be copied is skipped), to `archivo` of `carpetaDatos` numbered the
// last CLDOC_O + 1 under the table's numbering lock. `encabezado` is left
// open on the shared table, standing on the new row; the provisional row
// stays in the local copy. Returns the number. On an error `encabezado` is
// opened again on the local copy, on the provisional row, and the error
// reaches the caller: nothing was appended.
qint64 AsignaNumeroFinalCompra(db::Tabla& encabezado, const QString& carpetaDatos, const QString& archivo);

// Every column of the header `origen` but CLDOC_O into the row `destino` is
// writing, by name, as text (a null as null); a column that does not take
// its value is skipped.
void CopiaEncabezadoSinNumero(const db::Dataset& origen, db::Dataset& destino);

// True when a receipt of the company's "ComprasE.dbf" has REFER_O equal to
// the reference (the reference goes into the statement as a literal). A
// receipt being changed passes its own number as `excepto`, so its own
// reference does not count.
bool ReferenciaCompraUsada(const QString& referencia, qint64 excepto = 0);

// --- Totals of the capture table (Detacomp.DB rows).
struct ReglasTotalesCompra {
  bool impuestosIncluidos = false;  // configuration line 33 "S"
  bool noDesglosado = false;        // "No Desglosar IVA" checked
  double tasaEncabezado = 0;        // TIMPU_O as stored in the header
  double tasa = 0;                  // the tax edit, per cent
  double descuentoDocumento = 0;    // the document discount edit, per cent
  double descuentoFinanciero = 0;   // the financial discount edit, per cent
};
struct TotalesCompra {
  Dinero SubtotalCompra;             // shown and stored: the document discount back, the financial one off
  Dinero ImpuestoCompra;
  Dinero TotalCompra;
  Dinero DescuentoDocumentoCompra;   // to cents
  Dinero DescuentoFinancieroCompra;  // to cents, negative
  int Partidas = 0;
};
// Walks every capture row from the first: IMPORTE := PRECIO less its three
// discounts, times CANTIDAD (to four decimals; a row whose amount changed
// is posted), and `porPartida` runs on each row (the client price); then
// the totals by the rules, amounts to cents, halves away from zero. Errors
// reach the caller (rows posted before stay).
TotalesCompra CalculaTotalesCompra(db::Dataset& captura, const ReglasTotalesCompra& reglas,
                                   const std::function<void()>& porPartida = {});

// The unit price of the current capture row less its three discounts and
// the document discount `descuentoDocumento` per cent.
double CostoNetoPartida(const db::Dataset& captura, double descuentoDocumento);
// PRECIOCLIENTE of the current capture row: its net cost, plus the header's
// tax `tasa` and the row's margin PCON_IVA, written "#####0.00"; posted.
void CalculaPrecioCliente(db::Dataset& captura, double descuentoDocumento, double tasa);

// Appends to the capture table one row per product of `productos` whose
// first supplier CLPR1_I is `proveedor` and whose stock EXIST_I is below its
// maximum STMAX_I: CANTIDAD := STMAX_I − EXIST_I, CLAVE := CLPRO_I (the rest
// is completed when the user enters the line). Returns the rows added.
int GeneraOrdenPorMaximo(db::Tabla& productos, db::Dataset& captura, const QString& proveedor);
// The same from the minimum: products of `proveedor` whose STMIN_I − EXIST_I
// is above 0, with that quantity.
int GeneraCompraSugerida(db::Tabla& productos, db::Dataset& captura, const QString& proveedor);

// The cost formula (configuration line 83) for the current capture row:
// the operands "d." read the capture row, "e." the header and "i." the
// product's current row; the translated lines go to `resultado`; the result
// is format variable1. Errors reach the caller.
double EvaluaFormulaCosto(const QStringList& formula, QStringList& resultado, db::Dataset& captura,
                          const db::Dataset& encabezado, const db::Dataset& producto);
