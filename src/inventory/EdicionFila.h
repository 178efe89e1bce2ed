#pragma once
// Changing one row that other stations change too: the row is put into edit
// (the table layer locks it and reads it afresh from the file), changed and
// posted, or left as it was.

#include <QString>

#include <functional>

namespace db {
class Dataset;
}

// Edits the dataset's current row, runs `cambio` on the edit buffer and
// posts. A row held by another station is tried again for the table layer's
// bounded wait (db::kEsperaMaximaMs); then plat::Error (Bloqueado) whose
// message is `ocupado`. Any error cancels the edit and reaches the caller.
void CambiaFila(db::Dataset& tabla, const QString& ocupado, const std::function<void()>& cambio);
// The same when the change depends on the row as read under the lock:
// `cambio` returns false to leave it as it was (the edit is cancelled,
// nothing written). True when the row was posted.
bool CambiaFilaSi(db::Dataset& tabla, const QString& ocupado, const std::function<bool()>& cambio);
