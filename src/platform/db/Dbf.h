#pragma once
// The dBASE III/IV storage: a .dbf file (layout and locks in dbf_format.h)
// and its .dbt memo file. Always registered for the extension "dbf".

#include "platform/db/Almacen.h"

namespace db {

FabricaAlmacen& FabricaDbf();

// The path of a table's companion file with another extension ("dbt",
// "mdx"): an existing file of that name in any case, else the name with the
// extension in the case of the table's own.
QString RutaCompanero(const QString& rutaTabla, const QString& extension);

}  // namespace db
