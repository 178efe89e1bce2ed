#pragma once
// Byte-range locks between stations: open-file-description locks
// (F_OFD_SETLK). They belong to the open file, not the process, so two
// handles of one process exclude each other, and the kernel drops them when
// the file is closed or the process dies. Never lock files.

#include <QString>

namespace db {

enum class TipoBloqueo { Compartido, Exclusivo };

// Takes the lock at once; false when another open file holds a conflicting
// one. Other failures throw plat::Error (Io).
bool IntentaBloqueo(int fd, qint64 posicion, TipoBloqueo tipo, qint64 largo = 1);
// Takes the lock, retrying while it is busy for at most a few seconds; then
// EnUso "La tabla <tabla> está ocupada por otra estación".
void EsperaBloqueo(int fd, qint64 posicion, TipoBloqueo tipo, const QString& tabla);
void QuitaBloqueo(int fd, qint64 posicion, qint64 largo = 1);

// How long EsperaBloqueo retries, in milliseconds (also the bound of the
// dataset's retries after a lock error).
inline constexpr int kEsperaMaximaMs = 5000;

}  // namespace db
