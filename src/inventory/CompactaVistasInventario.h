#pragma once
// Compaction of a view list (reports/Vistas.h) whose views are partly gone.
// Kept in this subsystem until the reports layer offers the one compaction
// routine every module's list is to share; the two behave alike.

#include <QString>

// Copies the records of `lista` whose view files exist into `copia`
// (rewritten), then rewrites `lista` from that copy, again keeping only the
// records whose view files exist. Each file is replaced atomically, so
// another station reading the list sees it whole, old or new. Throws
// plat::Error when a file cannot be read or written.
void CompactaListaVistasInventario(const QString& lista, const QString& copia);
