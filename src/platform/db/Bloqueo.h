#pragma once
// Byte-range locks between stations: open-file-description locks
// (F_OFD_SETLK). They belong to the open file, not the process, so two
// handles of one process exclude each other, and the kernel drops them when
// the file is closed or the process dies. Never lock files.
//
// Every table file (dBASE and Paradox) uses the same bytes, far beyond any
// data, so they never cover bytes of the file:
//   kBloqueoApertura        shared by every open, exclusive by an exclusive
//                           open: an exclusive open fails while anyone has
//                           the file open, a shared one while someone holds
//                           it exclusively.
//   kBloqueoEscritura       exclusive while a station writes, shared while
//                           it reads (a short hold), so readers never see a
//                           half-written record or a count ahead of its
//                           records, and writers are serialised.
//   kBloqueoNumeracion      exclusive while a station reads the table's
//                           highest number and appends the next one
//                           (Numeracion.h).
//   kBloqueoRegistros + n   exclusive while record n is edited or deleted.

#include <QString>

namespace db {

enum class TipoBloqueo { Compartido, Exclusivo };

inline constexpr qint64 kBloqueoBase = qint64{1} << 62;
inline constexpr qint64 kBloqueoApertura = kBloqueoBase;
inline constexpr qint64 kBloqueoEscritura = kBloqueoBase + 1;
inline constexpr qint64 kBloqueoNumeracion = kBloqueoBase + 2;
inline constexpr qint64 kBloqueoRegistros = kBloqueoBase + 16;

// Takes the lock at once; false when another open file holds a conflicting
// one. Other failures throw plat::Error (Io).
bool IntentaBloqueo(int fd, qint64 posicion, TipoBloqueo tipo, qint64 largo = 1);
// Takes the lock, retrying while it is busy for at most a few seconds; then
// EnUso "La tabla <tabla> está ocupada por otra estación".
void EsperaBloqueo(int fd, qint64 posicion, TipoBloqueo tipo, const QString& tabla);
// largo 0 reaches to the end of every possible position.
void QuitaBloqueo(int fd, qint64 posicion, qint64 largo = 1);
// The first position from `posicion` (over `largo` bytes, 0: to the end)
// that another open file holds (shared or exclusive); -1 when none does.
qint64 BloqueoAjeno(int fd, qint64 posicion, qint64 largo);

// How long EsperaBloqueo retries, in milliseconds (also the bound of the
// dataset's retries after a lock error).
inline constexpr int kEsperaMaximaMs = 5000;

}  // namespace db
