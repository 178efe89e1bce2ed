#pragma once
// The stock of one product counted again from every document line and
// movement row that moved it: remission lines (of the folders RutasMI.dbf
// lists, or of the data folder), invoice lines that are not conversions,
// purchase lines and movement rows, cancelled lines left out, concept 54
// never counted. The count can overwrite EXIST_I of INVENTAR.DBF and
// rewrites the product's row of Kardex.dbf.
//
// Every source delivers its concept in CLDOC_F as −(111100 + concept): 1
// invoice lines, 3 remission lines, 51 purchase lines, TIMOV_MI movement
// rows; the quantity column of the union is CANTI_FD. Keys and folders are
// spliced into the statements as escaped literals, so a key holding a
// double quote is counted like any other.

#include "platform/db/Catalogo.h"

#include <QString>

namespace db {
class Tabla;
}

// Every company table of the texts below is read in its own folder of
// `empresa` (shell/LugarTablas.h).
//
// The remission part of the recount union for a product key: when mode is
// 1 and the company's RutasMI.dbf exists, one select of <ruta>\remisiod.dbf
// for each listed folder that holds that file (an empty ruta or a folder
// without it is skipped), each followed by "   union ALL " and CR; when none
// applies, the select of the company's remisiod.dbf followed by
// "   union ALL ".
QString UnionRemisiones(const db::Carpetas& empresa, int modo, const QString& clave);
// The same for the alternate card, with its eleven columns (CLAVE, PRO,
// CANTI_FD, TREGI_FD, CLDOC_F, FECHA, REFE, ORIGEN, CLIPROV, FECH, USUARIO),
// each select followed by "  union ALL ".
QString UnionRemisionesDetalle(const db::Carpetas& empresa, int modo, const QString& clave);

// A sale is counted from its document lines, so the movement rows it wrote
// for the same units are not counted again: the condition (" and (...)",
// to follow the other conditions of a movement select) that keeps every
// movement row but those of concept 1, 3, 52 or 54 carrying a CONTROL and
// a document reference (NUDOC_MI) of one of the kind letters `letras`
// ("FR": invoices and remissions). Rows of the movement window (no CONTROL)
// and of documents whose lines the union does not read always count. No
// letters: no condition.
QString CondicionMovimientoNoVenta(const QString& letras);

// The recount query of a product: remissions (the company's or the listed
// folders'), then invoice lines, purchase lines and movement rows (the rows
// of invoices and remissions left out, as CondicionMovimientoNoVenta says).
QString ConsultaExistencia(const db::Carpetas& empresa, const QString& clave);

// The alternate card's query: purchase lines, remissions, invoice lines and
// movement rows (those of invoices and remissions left out, as in the
// recount), ordered by date and stamp.
QString ConsultaKardexAlterno(const db::Carpetas& empresa, const QString& clave);

// Writes the totals row of a key in the open Kardex.dbf: ENTRA_I :=
// entradas, SALID_I := −salidas, EXIST_I and INVEN_I := existencia; a key
// without a row gets one. A row held by another station is waited for a
// bounded time. Every failure (a table that did not open, a row held past
// the wait) is ignored: the row stays as it was.
void EscribeRenglonKardex(db::Tabla& kardex, const QString& clave, double existencia, double entradas,
                          double salidas);

// What EscribeRecuento did with a recount.
struct RecuentoEscrito {
  QString existencia;     // the recount, "0" when it was written as 0
  bool escrita = false;   // EXIST_I was written
  bool ajustada = false;  // ... with a recount not taken for 0
};

// Writes a recount (texts: stock, entries, exits) over the stock of the
// current row of `productos`, as the recount of a saved product and the
// batch adjustments do. Nothing happens when the stock text is empty or
// the stored EXIST_I, written as text, already equals it. Otherwise EXIST_I
// takes the recount, "0" for anything between −0.001 and 0.001 (then not
// counted as adjusted), except that with `vacioSeQueda` a blank EXIST_I
// stays blank when the recount reads 0; and, with `conTotales`, the
// product's totals row of the company's Kardex.dbf is rewritten
// from the three numbers (its failures ignored). A product row held by
// another station past the bounded wait is plat::Error; nothing is written
// then.
RecuentoEscrito EscribeRecuento(db::Tabla& productos, const QString& existencia, const QString& entradas,
                                const QString& salidas, bool vacioSeQueda, bool conTotales);

// Recounts the product on the current row of `productos` (the company's
// INVENTAR.DBF), whose key is `clave`, from the company's tables. When the
// stored EXIST_I, written as text, already equals the recount nothing is
// written; otherwise EXIST_I takes the recount ("0" for anything between
// −0.001 and 0.001), unless it is blank and the recount reads 0, and the
// product's totals row of Kardex.dbf is rewritten. A source
// table that cannot be read is plat::Error and nothing is written; so is a
// product row held by another station past the bounded wait.
void RecalculaExistenciaProducto(const QString& clave, db::Tabla& productos);

// The alternate card of the product on the current row of `productos`:
// shown with ConsultaKardexAlterno over the company's tables, `existencia`
// in its current-stock label. After "Ajustar Inv." on an unfiltered card the
// card's final stock goes into EXIST_I as it is and the product's totals row
// of Kardex.dbf is rewritten.
void KardexAlternoProducto(const QString& clave, const QString& existencia, db::Tabla& productos);
