#pragma once
// A sales document printed through a format file: the current header row
// and the capture table that holds its lines, run by the format interpreter
// in print mode ("i"). The sale screen and the legacy document window print
// through these.

#include <QString>

namespace db {
class Dataset;
class Tabla;
}  // namespace db

// The printing user and the currency texts of "M.N." set for the next
// format run: the texts from the formats' currency lookup, or, with
// `carpetaMonedaVenta`, from the sale screen's own lookup in that data
// folder.
void PreparaImpresionDocumento(const QString& usuario, const QString& carpetaMonedaVenta = QString());

// Prints with a format chosen by the user (a shortcut's, a picked one): a
// printer that is not ready ("La Impresora No Se Encuentra Lista...") or a
// missing format ("El Formato <path> No Existe") is told and nothing
// printed. The document is not marked. Errors of the run reach the caller.
void ImprimeConFormato(const QString& formato, db::Dataset* encabezado, db::Dataset* captura,
                       const QString& usuario);

// Prints the document with its own format and marks it printed (TREGI_F
// "I", posted). A missing format is told and nothing printed; a run or a
// mark that fails (the printer, the format, the header held by another
// station) is told and leaves the header unmarked. True when printed and
// marked.
bool ImprimeYMarcaDocumento(const QString& formato, db::Tabla& encabezado, db::Dataset* captura,
                            const QString& usuario);

// A cash voucher printed with consulta\retiro.fmt of the program folder over
// the vouchers' table (header and detail alike), the user and currency
// texts set as for a document. A missing format is told and nothing
// printed; errors of the run are told.
void ImprimeRetiroEfectivo(db::Dataset* retiros, const QString& usuario, const QString& carpetaMonedaVenta);
