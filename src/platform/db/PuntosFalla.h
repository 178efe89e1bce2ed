#pragma once
// The points of the table layer's writes where a crash test can stop a
// station dead (platform/fs/Falla.h). Each names a moment inside one write
// of a dBASE row; whatever the moment, the next operation of any station on
// the table finishes the write (the row and every tag agree again).

namespace db::puntos {

// Before anything of an append, edit or delete of a row is written (passed
// through falla::PuntoTabla with the table's file name): a failure armed
// here is a write that fails cleanly, the row still being edited.
inline constexpr char kAntesDeEscribir[] = "tabla.antes-de-escribir";

// Half of the row's bytes are in the file (append, edit or delete).
inline constexpr char kRegistroAMedias[] = "tabla.registro-a-medias";
// The row is written whole; its index keys are not.
inline constexpr char kAntesDeClaves[] = "tabla.antes-de-claves";
// The row and its keys are written; the header's record count is not
// (append).
inline constexpr char kAntesDeCuenta[] = "tabla.antes-de-cuenta";
// Part of the index pages of one change are written in place, the rest not.
inline constexpr char kIndiceAMedias[] = "indice.paginas-a-medias";

}  // namespace db::puntos
