#pragma once
// Checking and repairing dBASE tables after a crash, for the maintenance
// utilities.
//
//   db::RevisionTabla r = db::RevisaTabla(carpeta, "cliente.dbf",
//                                         [](db::Tabla& t) { Anota(t); });
//   if (r.Reparada()) ...
//   db::QuitaIndiceProduccion(carpeta, "cliente.dbf");  // .mdx gone, flags clear
//
// Everything here works under exclusive use of the table, held as the table
// layer holds it (EnUso, and nothing touched, while any station or handle
// has it open): on this system a file another station holds can be deleted
// or patched under it, and that station would go on writing into an
// orphaned index.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace db {

class Tabla;

// What the end of a table file held and what was made right there
// (Almacen::ReparaFin).
struct ReparacionFin {
  qint64 cuentaCabecera = 0;  // the header's record count as found
  qint64 registros = 0;       // whole records after the repair (the new count)
  qint64 completado = 0;      // the trailing record completed (0: none)
  qint64 blancos = 0;         // blanks added to complete it
  bool finAgregado = false;   // the end mark was missing and was written
};

struct RevisionTabla {
  ReparacionFin fin;
  QStringList tagsRegenerados;  // tags that disagreed with the rows, rebuilt
  QString errorTags;            // why the tags could not be checked or rebuilt
  bool Reparada() const {
    return fin.completado != 0 || fin.finAgregado || fin.cuentaCabecera != fin.registros ||
           !tagsRegenerados.isEmpty();
  }
};

// Opens the table exclusively (which finishes any write a dead station left
// in its index, as every open does) and repairs what a crash leaves where no
// index intent covers it: the end of the file (Tabla::ReparaFin); a trailing
// record completed there is then deleted, `antesDeBorrar` first seeing the
// table standing on it (no station ever saw that row, so it does not come
// back live). Then every tag whose entries disagree with the rows (a stale
// or damaged index) is regenerated, keeping its definition; when a field of
// a live row cannot be read, or a unique tag cannot be built over repeated
// keys, the tags stay as they were and errorTags says why. Errors of the
// open (EnUso, a missing or damaged index, a foreign file) reach the caller
// with nothing changed.
RevisionTabla RevisaTabla(const QString& carpeta, const QString& archivo,
                          const std::function<void(Tabla&)>& antesDeBorrar = {});

// Removes a table's production index: deletes its .mdx and clears the
// header's flag (byte 28) and each field descriptor's tag flag, so the table
// opens without index. Works on files the table layer does not read too.
// Layout by the version byte: its low three bits 4 mean the level-7 layout
// (68-byte header, 48-byte descriptors, flag at byte 37; 0x8C is level 7
// with memo), anything else the classic one (32-byte header and descriptors,
// flag at byte 31). Descriptors are walked up to the one starting with 0x0D;
// only flag bytes holding 1 change, and nothing at or past the header length
// (bytes 8-9) is written. False, with nothing done, when the table file does
// not exist; EnUso while anyone has the table open.
bool QuitaIndiceProduccion(const QString& carpeta, const QString& archivo);

// A table file opened by its bytes for reading and writing, held
// exclusively as the table layer holds a table (the hold ends with the
// object). NoExiste when missing; EnUso while anyone has it open.
class ArchivoExclusivo {
 public:
  ArchivoExclusivo(const QString& ruta, const QString& nombre);
  ~ArchivoExclusivo();
  ArchivoExclusivo(const ArchivoExclusivo&) = delete;
  ArchivoExclusivo& operator=(const ArchivoExclusivo&) = delete;

  qint64 Tamano() const;
  // Up to n bytes from pos (fewer where the file ends).
  QByteArray Lee(qint64 pos, qint64 n) const;
  void Escribe(qint64 pos, const QByteArray& bytes);

 private:
  int fd_ = -1;
  QString nombre_;
};

}  // namespace db
