#pragma once
// The final number of a new document header: the highest number of the
// shared header table plus one, taken and appended while holding the
// table's numbering lock (platform/db/Numeracion.h), so two stations saving
// at once never take one number.

#include <QString>

#include <functional>

namespace db {
class Tabla;
}

// Takes the numbering lock of `tabla` (open, not read-only; EnUso after a
// few seconds when another station keeps it), reads `campo` of its last row
// in its current tag (0 when the table is empty) and runs `agrega` with that
// number + 1; `agrega` appends the row. The lock is released when `agrega`
// returns or throws. Returns what `agrega` returns.
qint64 AgregaConSiguienteNumero(db::Tabla& tabla, const QString& campo,
                                const std::function<qint64(qint64 siguiente)>& agrega);
