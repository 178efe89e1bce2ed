#pragma once
// The Paradox storage: a ParadoxArchivo seen through the table layer's
// storage interface, opened by the extension "db".
//
// Rows keep their own order (Almacen::Renumera): an insert puts the row
// before another and a delete removes it, so the rows after it change
// number. Two handles of one process (the two cursors of a capture window)
// see each other's writes at their next read, and so do other stations
// (what ParadoxArchivo keeps between reads is checked against the file's
// change counter at each read).

#include "platform/db/Almacen.h"

namespace db {

FabricaAlmacen& FabricaParadox();

}  // namespace db
