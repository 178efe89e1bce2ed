#pragma once
// Where each company table lives, answered by its file name. The product,
// per-product totals, movement, mirror, kit, stock-fault and count tables
// live in the inventory folder (configuration line 59); the remissions, their
// receivable movements and the cash vouchers in the remission folder (line
// 63); an empty line means the data folder of line 8, which holds every other
// company table. The configuration is read at each call, so a company chosen
// again in the company dialog is followed at once.
//
// Every window, report, query and SQL text that names a company table asks
// here:
//
//   ApuntaTabla(*TablaInventario);                  // by the table's own name
//   ApuntaTabla(kardex, QStringLiteral("Kardex.dbf"));
//   sql += TablaSQL(QStringLiteral("RemisioD.dbf")); // "<folder>\RemisioD.dbf"
//
// A name is compared without regard to case, with or without its extension
// (".dbf", or ".mdx" for the table's index) and with any folder in front of
// it left aside.

#include "platform/db/Catalogo.h"

#include <QString>

namespace db {
class Tabla;
}

// The folder role of a company table: Inventario or Remisiones for the
// tables named above, Datos for any other name.
db::CarpetaTabla LugarDeTabla(const QString& archivo);

// The company's folders as the configuration holds them now (lines 8, 59 and
// 63, read at once) and the program folder. An empty line 59 or 63 is kept
// empty: db::Carpetas::De answers the data folder for it.
db::Carpetas CarpetasEmpresa();

// The folder of a company table: of the company in effect, or of the given
// folders (a caller that resolved them once for many tables, the setup of a
// new company). Throws plat::Error (NoExiste) when the configuration names
// no data folder, so that no table is opened in a folder nobody chose; so do
// the routines below.
QString CarpetaDeTabla(const QString& archivo);
QString CarpetaDeTabla(const QString& archivo, const db::Carpetas& carpetas);

// "<folder>\<archivo>": the file of a company table.
QString RutaDeTabla(const QString& archivo);
QString RutaDeTabla(const QString& archivo, const db::Carpetas& carpetas);

// The table's file as a local SQL statement names it: the path between
// double quotes.
QString TablaSQL(const QString& archivo);
QString TablaSQL(const QString& archivo, const db::Carpetas& carpetas);

// Points a closed table at the folder of its file name (given, or the one it
// already holds). The table is not opened.
void ApuntaTabla(db::Tabla& tabla);
void ApuntaTabla(db::Tabla& tabla, const QString& archivo);
void ApuntaTabla(db::Tabla& tabla, const db::Carpetas& carpetas);
void ApuntaTabla(db::Tabla& tabla, const QString& archivo, const db::Carpetas& carpetas);
