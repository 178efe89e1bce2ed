#pragma once
// A production index file (.mdx, the dBASE IV layout of mdx_format.h) shared
// between stations: its tags, their B-trees, and cursors over them.
//
//   MdxArchivo::Crea(ruta, QStringLiteral("CLIENTE"));
//   MdxArchivo mdx(ruta, campos);
//   mdx.AgregaTag({QStringLiteral("ICLACLI"), QStringLiteral("CLCLI_C")}, recorre);
//   mdx.Agrega(7, lector);                   // record 7 was appended
//   CursorMdx c(mdx, QStringLiteral("ICLACLI"));
//   if (c.Busca(mdx.ClaveDeValor(QStringLiteral("ICLACLI"), QStringLiteral("A12")))) use(c.Registro());
//
// Contracts:
//   - Every operation holds the file's own lock for its duration (an
//     open-file-description lock: shared to read, exclusive to write), so a
//     reader never sees a half-made change of another station or handle.
//     A lock busy for more than a few seconds gives EnUso naming the file.
//   - Pages are cached, but at the start of every operation the live bytes of
//     the header (with the change counter every writer counts up) are read
//     again; when they differ, everything cached is dropped.
//   - A missing file gives NoExiste, a file whose bytes do not follow the
//     layout gives Corrupto, both naming the file; never a crash.
//   - Equal keys are kept in record number order. A unique tag holds one
//     record per key: inserting a key another record holds throws General
//     (and nothing changes); building or rebuilding it over records that
//     repeat a key throws General naming the key and the records (and
//     nothing changes).
//   - Tag names are compared without regard to case and stored upper case.
//   - A descending tag orders its keys from the greatest; "nearest" and
//     ranges follow the tag's order.

#include "platform/db/Esquema.h"
#include "platform/db/mdx/ClaveIndice.h"
#include "platform/db/mdx/ExpresionIndice.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace db {

// Walks every record of the table, calling `visita` with its number and a
// reader of its fields.
using VisitaRegistro = std::function<void(std::uint32_t registro, const LectorCampo& lector)>;
using RecorreRegistros = std::function<void(const VisitaRegistro& visita)>;

struct InfoTag {
  DefTag def;           // name as stored (upper case) and expression
  TipoClave tipo = TipoClave::Caracter;
  int largo = 0;        // bytes of a key
  bool unCampo = false; // the key is one field (no expression)
};

class MdxArchivo {
 public:
  // Creates an index file with no tags at a local path, over any file there.
  // `tabla` is the table name kept in the header.
  static void Crea(const QString& ruta, const QString& tabla);

  // Opens an index file shared. `campos` are the table's fields, against
  // which the tags' expressions are compiled here: an expression that does
  // not compile, or whose key does not match the tag's, gives Corrupto.
  MdxArchivo(const QString& ruta, const QVector<DefCampo>& campos);
  ~MdxArchivo();
  MdxArchivo(const MdxArchivo&) = delete;
  MdxArchivo& operator=(const MdxArchivo&) = delete;

  const QString& Ruta() const;

  // --- Tags.
  QVector<InfoTag> Tags();
  bool TieneTag(const QString& nombre);
  // Adds a tag and fills it from the records. General when the name is taken
  // or not valid (1 to 10 letters, digits or "_", from a letter), the
  // expression does not compile, or the file has 47 tags.
  void AgregaTag(const DefTag& tag, const RecorreRegistros& registros);
  // NoExiste when there is no such tag.
  void BorraTag(const QString& nombre);
  // Rebuilds every tag from the records (the file is rewritten in place).
  void Regenera(const RecorreRegistros& registros);
  // The names of the tags whose entries (key and record, in order) differ
  // from those Regenera would build from the records; a tag whose pages
  // cannot be walked differs too. Nothing is written.
  QStringList Discrepantes(const RecorreRegistros& registros);

  // --- Keeping the tags current, record by record. All tags at once, under
  // one lock.
  // The first unique tag whose key for these values another record already
  // holds; "" when none.
  QString UnicoOcupado(std::uint32_t registro, const LectorCampo& valores);
  void Agrega(std::uint32_t registro, const LectorCampo& valores);
  void Cambia(std::uint32_t registro, const LectorCampo& antes, const LectorCampo& despues);
  void Quita(std::uint32_t registro, const LectorCampo& valores);

  // --- A table write's intent, so that a write whose station dies halfway
  // is finished by the next station (the tags and the row agree again).
  // Under an exclusive Bloqueo, before the table's record is written and
  // before any key changes, Anuncia records the intent (bytes this class
  // does not read); Cumplida clears it once the record, its keys and the
  // table's header are written. Whenever a station takes the file (any
  // operation, shared or exclusive) and finds an intent recorded, its
  // writer is dead: the finisher given to FijaRemate runs first, with the
  // intent's bytes, under an exclusive hold, and ends with Cumplida. An
  // index file with no finisher set (opened without its table) leaves the
  // intent for the next station that has one.
  //
  // Every change of pages is also kept whole: its pages go to a journal in
  // the file before they are written in place, and a station that finds a
  // journal left by a dead writer writes it in place again before anything
  // else (bulk rebuilds of tags, under exclusive use, are not journaled).
  void Anuncia(const QByteArray& intencion);
  void Cumplida();
  void FijaRemate(std::function<void(const QByteArray& intencion)> remate);

  // --- Keys of one tag.
  QByteArray ClaveDeRegistro(const QString& tag, const LectorCampo& valores);
  // The search key for a value (text, number or date as the tag's type).
  // A text longer than the key keeps its extra characters (it then sorts
  // after the keys it starts with); a shorter one is blank padded.
  QByteArray ClaveDeValor(const QString& tag, const QVariant& valor);
  void InsertaClave(const QString& tag, const QByteArray& clave, std::uint32_t registro);
  // False when that key of that record is not in the tag.
  bool BorraClave(const QString& tag, const QByteArray& clave, std::uint32_t registro);

  // Holds the file's lock across several calls (nested calls reuse it), e.g.
  // while a table writes a record and its keys. An exclusive hold may not be
  // taken inside a shared one (Estado).
  class Bloqueo {
   public:
    Bloqueo(MdxArchivo& archivo, bool exclusivo);
    ~Bloqueo();
    Bloqueo(const Bloqueo&) = delete;
    Bloqueo& operator=(const Bloqueo&) = delete;

   private:
    MdxArchivo& archivo_;
  };

  struct Impl;

 private:
  friend class CursorMdx;
  std::unique_ptr<Impl> d_;
};

// A position in one tag: stands on one entry (key and record number) at a
// time. It remembers that entry, so moves work even after other stations
// changed the tag: Siguiente and Anterior then give the neighbours of the
// remembered entry. A move that finds nothing returns false and keeps the
// position. A range restricts every move and count to the keys between its
// bounds, both included.
class CursorMdx {
 public:
  CursorMdx(MdxArchivo& archivo, const QString& tag);
  ~CursorMdx();

  bool Primero();
  bool Ultimo();
  bool Siguiente();
  bool Anterior();
  // The first entry whose key equals `clave` (exact) or is not before it in
  // the tag's order (nearest). False when none (within the range).
  bool Busca(const QByteArray& clave);
  bool BuscaCercano(const QByteArray& clave);
  // Stands on the entry of that record with that key; false when absent.
  bool Situa(const QByteArray& clave, std::uint32_t registro);
  // Takes (key, record) as the remembered entry without looking it up, so
  // the next move gives its neighbours whether it is in the tag or not (a
  // caller going back to where it stood). An empty key forgets the position.
  void Recuerda(const QByteArray& clave, std::uint32_t registro);

  void FijaRango(const QByteArray& desde, const QByteArray& hasta);
  void QuitaRango();
  bool ConRango() const;
  // Entries in the range (or the whole tag).
  qint64 Cuenta();

  bool Valido() const;
  std::uint32_t Registro() const;
  const QByteArray& Clave() const;

  struct Estado;

 private:
  MdxArchivo& archivo_;
  std::unique_ptr<Estado> e_;
};

}  // namespace db
