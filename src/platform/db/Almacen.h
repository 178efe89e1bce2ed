#pragma once
// The storage of one table file, as the table layer sees it: field
// definitions, records by physical number, record locks, and the open mode
// between stations. The dBASE file (Dbf.cpp) is one storage; the Paradox
// table is another. Tabla drives a storage through this interface and an
// Orden (Orden.h) for the order of its rows.
//
// Records are handed out raw, in the storage's own layout, and decoded one
// field at a time (Valor), so a scan costs no allocation per row. Physical
// record numbers run from 1 to Cuenta(); a number stays the row's number for
// the life of the file, except where the storage says otherwise (Renumera:
// Paradox insertion and deletion shift the rows after them; Pack renumbers).
//
// Contracts common to every storage:
//   - Every error is a plat::Error naming the table (and field where it
//     applies): Corrupto for bytes that do not follow the format, NoCabe for
//     a value that does not fit, Bloqueado for a record locked by another
//     handle or station, EnUso for the open mode refused, Io otherwise.
//   - Two handles in one process behave as two stations (open-file-
//     description locks), and every lock dies with its process.
//   - A reader never sees a half-written record, and Cuenta() never counts a
//     record whose bytes are not all there.
//   - Nothing waits forever: a lock that stays busy for a few seconds gives
//     EnUso naming the table.

#include "platform/db/Esquema.h"
#include "platform/db/Revision.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QVariant>
#include <QVector>

#include <functional>
#include <memory>

namespace db {

// A record copied out for editing: the raw bytes in the storage's layout,
// and the memo texts set since it was read (written with the record).
struct Registro {
  QByteArray datos;
  QMap<int, QString> memos;
};

// The moments of one write (Almacen::Graba and the others). With
// `liberaRegistro`, a rewrite may let the caller's lock on the record go
// together with its own (Libera is then no more than a check).
struct PasosEscritura {
  std::function<void(qint64 n, const QByteArray& registro)> antes;
  std::function<void(qint64 n)> despues;
  bool liberaRegistro = false;
  // An append written marked deleted (Tabla::PostReservado), for storages
  // that mark rows deleted (not Renumera).
  bool borrado = false;
};

struct ModoAlmacen {
  bool exclusivo = false;   // nobody else may have the file open
  bool soloLectura = false; // no write of any kind
};

class Almacen {
 public:
  virtual ~Almacen() = default;

  // The file name as the table was named (for messages) and the definitions.
  virtual const QString& Nombre() const = 0;
  virtual const QVector<DefCampo>& Campos() const = 0;
  virtual ModoAlmacen Modo() const = 0;
  // Whether the storage keeps its rows in an order of their own: Inserta
  // puts a row before another and Borra removes the row, so the rows after
  // it change number (Paradox). Such a storage marks nothing deleted.
  virtual bool Renumera() const { return false; }

  // --- Reading.
  // Physical records as of the last open or Refresca (deleted ones included).
  virtual qint64 Cuenta() const = 0;
  // Re-reads the count and drops every cached byte, so other stations'
  // appends and changes become visible.
  virtual void Refresca() = 0;
  // The raw bytes of record n (1..Cuenta()); nullptr outside. The pointer is
  // valid until the next call on this storage. Bytes may come from a cache
  // filled by earlier reads (Refresca drops it).
  virtual const char* Lee(qint64 n) = 0;
  // Record n read from the file now, not from the cache (whose copy it
  // replaces), for a caller that holds the table's production index file
  // locked (MdxArchivo::Bloqueo): every writer of an indexed table holds that
  // lock exclusive while it writes records, so the storage's own read lock
  // is not taken (a key search then costs two system calls less). A number
  // past the known count makes the storage count its records again (another
  // station appended); nullptr when there is no such record.
  virtual const char* LeeConIndiceBloqueado(qint64 n) { return Lee(n); }
  // Whether a raw record is marked deleted (dBASE "*"); storages that remove
  // rows return false.
  virtual bool Borrado(const char* registro) const = 0;
  // Clears the deletion mark of a buffer, for storages that mark rows
  // deleted (Estado otherwise).
  virtual void Revive(Registro& r) const;
  // The typed value of a field of a raw record (TipoDatoDe): QString,
  // qint64, double, QDate or bool; invalid QVariant for null. Memo fields
  // read their text from the memo file. Unreadable bytes give Conversion
  // naming the table and field.
  virtual QVariant Valor(const char* registro, int campo) = 0;
  virtual bool Nulo(const char* registro, int campo) = 0;

  // --- Editing buffers.
  // A new blank record (every field null, not deleted).
  virtual Registro Vacio() const = 0;
  // A fresh copy of record n read from the file (not the cache, whose copy
  // it replaces).
  virtual Registro Carga(qint64 n) = 0;
  // Stores a typed value (of the field's TipoDato; invalid for null) into a
  // buffer. A text is cut to the field's width; NoCabe when another value
  // does not fit the field.
  virtual void Fija(Registro& r, int campo, const QVariant& valor) const = 0;
  // The value of a field of a buffer (pending memo texts included).
  virtual QVariant ValorDe(const Registro& r, int campo) = 0;

  // --- Writing. Each write is atomic for readers of this and other
  // stations, and runs its `pasos` while it holds the table exclusive
  // between stations: `antes` with the record's number and final bytes
  // (memo blocks included) just before they reach the file, `despues` once
  // the record is written whole (before an append's header count). Index
  // maintenance goes there; only storages with a production index (dBASE)
  // are given an `antes`.
  // Rewrites record n in place; the caller holds n's record lock.
  virtual void Graba(qint64 n, Registro& r, const PasosEscritura& pasos = {}) = 0;
  // Appends a record; returns its physical number. Two stations appending
  // at once get different numbers.
  virtual qint64 Agrega(Registro& r, const PasosEscritura& pasos = {}) = 0;
  // Inserts before record n where the storage keeps its own order; storages
  // without order (dBASE) append. Returns the new record's number.
  virtual qint64 Inserta(qint64 antes, Registro& r, const PasosEscritura& pasos = {}) = 0;
  // Deletes record n (dBASE: marks it; Paradox: removes it). The caller
  // holds n's record lock.
  virtual void Borra(qint64 n, const PasosEscritura& pasos = {}) = 0;
  // Finishes or undoes a write that was left halfway, for a caller that
  // holds the production index exclusive: record n comes to hold
  // `registro` (with `alFinal`, an append's record: the end mark and the
  // header count follow it), or, with `registro` empty, the file is cut
  // before record n, its last. Works on a handle opened read-only too.
  // Storages without a production index give Estado.
  virtual void Rehace(qint64 n, const QByteArray& registro, bool alFinal);

  // Repairs, under exclusive use, what a write cut short leaves at the end
  // of the file, where no index intent finishes it (a table without an
  // index, or whose index was replaced): a trailing piece shorter than a
  // record is completed with blanks into a live record (a field left
  // unreadable by the cut blanked too); the end mark is written after the
  // last record where it is missing; the header's count is set to the whole
  // records present. Bytes of whole records never change. Storages without
  // such a layout give Estado.
  virtual ReparacionFin ReparaFin();

  // --- Record locks (per handle). Bloquea fails at once with Bloqueado when
  // another handle or station holds the record.
  virtual void Bloquea(qint64 n) = 0;
  virtual void Libera(qint64 n) = 0;
  virtual void LiberaBloqueos() = 0;

  // --- The numbering lock (Numeracion.h), per handle: Toma waits a few
  // seconds at most for another handle or station to let it go, then gives
  // EnUso naming the table. Storages without it give Estado.
  virtual void TomaNumeracion();
  virtual void SueltaNumeracion() {}

  // --- Whole-table operations; need exclusive use (EnUso otherwise).
  virtual void Vacia() = 0;   // no records left
  virtual void Empaca() = 0;  // deleted records removed; order kept

  // --- Production index flag of the file (dBASE header byte 28 and the
  // descriptors' index bytes); storages without it ignore the call.
  virtual bool TieneIndiceProduccion() const = 0;
  virtual void FijaIndiceProduccion(bool si, const QStringList& camposConTag) = 0;
};

// Opening and creating storages of one kind (by file extension).
class FabricaAlmacen {
 public:
  virtual ~FabricaAlmacen() = default;
  // `ruta` is the local path of the table file; `nombre` the name for
  // messages. NoExiste when missing.
  virtual std::unique_ptr<Almacen> Abre(const QString& ruta, const QString& nombre, ModoAlmacen modo) = 0;
  // Creates an empty table (and its companion files) over any old one, whose
  // companions go; EnUso while anyone has the old one open.
  virtual void Crea(const QString& ruta, const QString& nombre, const QVector<DefCampo>& campos) = 0;
  // The companion files of a table (memo file ...), local paths.
  virtual QStringList Companeros(const QString& ruta) const = 0;
  // Copies a table file with the companions it needs to open over `destino`
  // (whose old companions go), reading the source between two writes of
  // its stations. NoExiste when the source is missing; EnUso, leaving
  // destino as it was, while anyone has destino open. `nombre` and
  // `nombreDestino` name the tables in messages.
  virtual void Copia(const QString& origen, const QString& destino, const QString& nombre,
                     const QString& nombreDestino) = 0;
};

// The storage kind for a file extension ("dbf", "db"), nullptr when none is
// known. dBASE and Paradox are always there; others register themselves.
FabricaAlmacen* FabricaPara(const QString& extension);
void RegistraFabrica(const QString& extension, FabricaAlmacen* fabrica);

}  // namespace db
