#pragma once
// The order in which a table's rows are walked, and key search and ranges.
// Physical order (record numbers, deleted rows skipped) is one Orden; each
// index tag of a production index is another.
//
// An Orden stands on one row at a time. It remembers that row's position
// (for a tag: its key and record number), so Siguiente and Anterior work even
// after the row it stands on was deleted or its key changed: they give the
// neighbour of the remembered position. Every move returns the record number
// it now stands on; when there is no such row it returns 0 and keeps its
// position. Deleted rows are never given. A range restricts every move,
// search and count to the keys between its bounds (inclusive).

#include "platform/db/Esquema.h"

#include <QString>
#include <QVariant>
#include <QVector>

#include <functional>
#include <memory>

namespace db {

class Almacen;

class Orden {
 public:
  virtual ~Orden() = default;

  // The tag name; "" for physical order.
  virtual QString Nombre() const = 0;

  virtual qint64 Primero() = 0;
  virtual qint64 Ultimo() = 0;
  virtual qint64 Siguiente() = 0;
  virtual qint64 Anterior() = 0;
  // Stands on record n (by its current key); 0 when n is deleted, unknown or
  // outside the range (the position is then kept).
  virtual qint64 VeA(qint64 n) = 0;
  // The record stood on, 0 before any move.
  virtual qint64 Actual() const = 0;

  // Key search: the first row whose key equals the given values (exacta) or
  // is >= them (not exacta). For a tag on one field or an expression the key
  // is one value; a compound search on a field list gives one value per
  // field. Returns 0 when there is none (position kept). Physical order has
  // no key: NoExiste.
  virtual qint64 Busca(const QVariantList& clave, bool exacta) = 0;
  // Range over the key, both bounds included; texts compare whole keys ("12"
  // does not match "120"). Physical order: NoExiste.
  virtual void FijaRango(const QVariantList& desde, const QVariantList& hasta) = 0;
  virtual void QuitaRango() = 0;
  virtual bool ConRango() const = 0;

  // Rows in the order (and range), deleted ones not counted.
  virtual qint64 Cuenta() = 0;
  // The storage was refreshed or written by another station: drop caches.
  virtual void Refresca() = 0;
};

// Physical order over a storage: rows 1..Cuenta(), deleted ones skipped.
std::unique_ptr<Orden> OrdenFisico(Almacen& almacen);

// The production index of a table (dBASE .mdx): its tags, each an Orden,
// kept up to date on every write of the table. Deleted rows have no keys:
// deleting a row takes its keys out, so a unique tag takes that key again
// later, and regenerating leaves deleted rows out (keys of deleted rows in
// an index written by another program are skipped by the Orden).
class Indices {
 public:
  virtual ~Indices() = default;

  virtual QVector<DefTag> Tags() = 0;
  // An Orden over one tag (case-insensitive name); NoExiste
  // "La tabla X no tiene el índice Y" when missing.
  virtual std::unique_ptr<Orden> AbreOrden(const QString& tag) = 0;

  // Keeping the tags up to date. Every write of the table runs inside
  // Escribe, which holds the index file exclusive between stations, so keys
  // and records change together and no other station writes in between.
  // Inside it, before the storage's write, ExigeUnicos refuses (General,
  // nothing written) a record whose key in a unique tag another record holds
  // (`antes` nullptr for a new record; only changed keys are checked); then
  // the storage's write (Almacen::Graba/Agrega/Borra) calls Anuncia from its
  // `antes` step and Agregado, Cambiado or Borrado from its `despues` step.
  // `antes` is the record as it is on file before the write. The index file
  // is always taken before the table's own locks (a tag's Orden reads the
  // rows it points at while it holds the index file), so a reader and a
  // writer never wait on each other in a circle.
  //
  // A write is one step as other stations see it: Anuncia records its
  // intent in the index file (the record's bytes before and after) until
  // Escribe ends. A station killed inside Escribe leaves the intent; the
  // next operation of any station on the index (or its Open) finishes the
  // write from it: the record made as intended and every tag made to match.
  // A write that throws inside Escribe before its keys changed is undone
  // (record as before) and the error goes on; one that throws after is
  // left for the next operation to finish.
  enum class Cambio : char { Alta = 'A', Modificacion = 'M', Baja = 'B' };
  virtual void Escribe(const std::function<void()>& escritura) = 0;
  virtual void ExigeUnicos(qint64 n, const char* antes, const char* despues) = 0;
  virtual void Anuncia(Cambio cambio, qint64 n, const char* antes, const QByteArray& despues) = 0;
  virtual void Agregado(qint64 n, const char* registro) = 0;
  virtual void Cambiado(qint64 n, const char* antes, const char* despues) = 0;
  virtual void Borrado(qint64 n, const char* registro) = 0;
  // Finishes a write a dead station left, if any (every other operation
  // does that first too).
  virtual void Revisa() = 0;

  // Tag maintenance (exclusive use of the table).
  virtual void AgregaTag(const DefTag& tag) = 0;  // built from the records
  virtual void QuitaTag(const QString& tag) = 0;
  virtual void Regenera() = 0;  // every tag rebuilt from the records
  // The tags whose entries are not what a regeneration would give (keys
  // missing, stale or pointing at deleted rows, damaged pages), in the
  // file's order. A field of a live row that cannot be read gives Conversion.
  virtual QStringList Discrepantes() = 0;
  // Another station may have written: drop caches.
  virtual void Refresca() = 0;
};

// Opening and creating production indexes; the .mdx module registers one.
class FabricaIndices {
 public:
  virtual ~FabricaIndices() = default;
  // `ruta` local path of the index file. NoExiste when missing, Corrupto
  // when foreign.
  virtual std::unique_ptr<Indices> Abre(const QString& ruta, Almacen& almacen, bool exclusivo) = 0;
  // Creates the index file with these tags, built from the storage's records.
  virtual std::unique_ptr<Indices> Crea(const QString& ruta, Almacen& almacen, const QVector<DefTag>& tags) = 0;
};

// The production index in use: the .mdx module unless another was
// registered.
FabricaIndices* FabricaDeIndices();
void RegistraFabricaIndices(FabricaIndices* fabrica);
// The dBASE IV production index (.mdx files).
FabricaIndices& FabricaMdx();

}  // namespace db
