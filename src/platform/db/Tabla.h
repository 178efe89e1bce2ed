#pragma once
// A table file as a dataset: dBASE (.dbf, with its .dbt memo file and .mdx
// production index) or Paradox (.db, the capture and buffer tables), chosen
// by the file's extension.
//
//   db::Tabla t;
//   t.SetCarpeta("C:\\VRL\\DATOS");
//   t.SetNombreTabla("Remision.dbf");
//   t.Open();                       // shared; EnUso while held exclusively
//   t.Append();
//   t.FieldByName("CLDOC_F").SetAsInteger(57);
//   t.Post();
//   qint64 r = t.RecNo();           // physical number of the appended row
//
// Opening: NoExiste for a missing file; NoExiste naming the .mdx when the
// header promises a production index that is missing; Corrupto for a foreign
// or truncated file, and naming the .mdx for an index file whose header or
// tag table is damaged, or whose key expression does not compile (damage in
// a tag's pages, or an entry pointing at no row of the table, shows as
// Corrupto when the tag is used, never as a shorter walk, and
// RegeneraIndices rebuilds the tags from the rows; a table
// whose header flag, byte 28, is cleared opens without its index, and
// AddIndex then makes a new one); EnUso when the open mode is refused (an exclusive open
// while anyone else, another process or another handle of this one, has the
// file open; a shared open while someone holds it exclusively).
//
// Record locks: Edit and Delete lock the record (Bloqueado at once when held
// elsewhere); Post, Cancel and Close release it. Locks are kernel
// open-file-description locks and die with the process.
//
// Where stations meet: FindKey, FindNearest, SetRange, every move in a
// tag's order (a Locate on a tag too) and Edit read the row from the file,
// so a price another station posted is seen by the next lookup without
// Refresh; a walk in physical order may reuse what it read until Refresh.
// A write of an indexed table is one step as other stations see it: a
// station killed in the middle of one leaves it for the next operation of
// any station to finish (the row and its keys, Orden.h). "last + 1"
// numbers are taken under the numbering lock (Numeracion.h).
//
// Paradox tables keep their rows in their own order and RecNo is the row's
// place in it: Insert puts the new row before the current one (which it
// then stands on), Append adds it at the end, Delete removes the row and the
// next one moves up into its place, Pack keeps the order. Two Tabla objects
// on one file see each other's posted rows at their next move or Refresh
// (a walk still reads each block of the file once). A row inserted or deleted through another
// object before the current one shifts the rows: the current RecNo then
// names the row that moved there (inserting or deleting before a row that
// another object is editing gives Bloqueado).

#include "platform/db/Dataset.h"
#include "platform/db/Esquema.h"
#include "platform/db/Revision.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>
#include <memory>

namespace db {

class Almacen;
class Orden;
class Indices;

class Tabla : public Dataset {
  Q_OBJECT

 public:
  explicit Tabla(QObject* parent = nullptr);
  ~Tabla() override;

  // Set while closed (Estado otherwise).
  void SetCarpeta(const QString& carpeta);           // Windows-form folder
  void SetNombreTabla(const QString& archivo);       // ".dbf" added when no extension
  void SetExclusive(bool exclusivo);
  void SetReadOnly(bool soloLectura);
  bool Exclusive() const { return exclusivo_; }
  bool ReadOnly() const { return soloLectura_; }
  QString NombreTabla() const override { return nombre_; }
  QString Carpeta() const override { return carpeta_; }
  // The local path of the table file.
  QString Ruta() const;

  // --- Index tags (the production index, .mdx), names case-insensitive.
  // IndexName "" is physical order. SetIndexName may change while open and
  // stays on the current record. A tag the table does not have gives
  // NoExiste "La tabla X no tiene el índice Y". Every Append, Post and
  // Delete keeps every tag current, between stations too; a Post whose key
  // a unique tag already holds for another row is refused (General) and
  // writes nothing. Deleted rows are in no tag.
  // The tags (name as stored, upper case; expression; unique; descending);
  // a closed table reads them from its files.
  QStringList IndexNames() const;
  QVector<DefTag> IndexDefs() const;
  QString IndexName() const { return indice_; }
  void SetIndexName(const QString& tag);
  // Key searches on the current tag (Estado without one). One value is the
  // whole key: a text, number or date as the tag's type ("12" is the key
  // "12" padded with blanks, a text longer than the key sorts after the
  // keys it starts with). On a character tag whose expression joins parts
  // with "+", one value per part may be given instead, each made as its part
  // makes it (FindKey({57, "P001"}) on "STR(CLDOC_F,10)+CLPRO_F").
  // Exact key search: stands on the first match and returns true; false and
  // no move when none.
  bool FindKey(const QVariantList& clave);
  // Stands on the first key >= the given one, in the tag's order (Eof when
  // none).
  void FindNearest(const QVariantList& clave);
  // Restricts the rows to keys between the bounds (inclusive, whole keys:
  // "12" does not take in "120"); stands on the first row of the range.
  void SetRange(const QVariantList& desde, const QVariantList& hasta);
  void CancelRange();
  // Stands on physical record n (a bookmark); false and no move when n is
  // not a live row of the current order and range.
  bool VeARegistro(qint64 registro);
  // Whether inserting or deleting a row changes the numbers of the rows
  // after it (Paradox); false while closed.
  bool Renumera() const;
  // An upper bound of RecordCount read without walking the rows: the
  // records of the file as of the last open or refresh, deleted ones
  // included; with a range, the rows of the range. Views of a large table
  // size themselves by it. Estado while closed.
  qint64 CuentaEstimada() const;
  // Tag maintenance, with exclusive use (EnUso otherwise); on a closed table
  // they open it exclusively for the moment. The first tag creates the
  // .mdx and sets the production index flags of the header (byte 28, and
  // byte 31 of the descriptors of fields with a tag of their own); deleting
  // the last tag removes the file and clears the flags. AddIndex builds the
  // tag from the rows; a bad name or expression gives General and changes
  // nothing. RegeneraIndices rebuilds every tag from the rows (a tag whose
  // pages are damaged comes back whole). A unique tag is never built over
  // rows that repeat its key: General names the key and the rows, and
  // nothing changes.
  void AddIndex(const DefTag& tag);
  void DeleteIndex(const QString& tag);
  void RegeneraIndices();
  // The tags whose entries differ from what RegeneraIndices would build
  // (Indices::Discrepantes); none for a table without index. A field of a
  // live row that cannot be read gives Conversion.
  QStringList TagsDiscrepantes();

  // --- Table operations.
  // Removes every record (exclusive use, else EnUso).
  void EmptyTable();
  // Removes deleted records and rebuilds the tags; the memo file keeps only
  // the live records' memos (exclusive use; a closed table is opened
  // exclusively for the moment).
  void Pack();
  // Repairs the end of a dBASE file after a crash (Almacen::ReparaFin),
  // with exclusive use (EnUso otherwise); a write a dead station left in the
  // index is finished first. The table then stands on its first row.
  ReparacionFin ReparaFin();
  // Releases every record lock this handle holds (kept ones too). A record
  // still being edited is locked again at Post (Bloqueado if another took it
  // meanwhile).
  void LiberaBloqueos();
  // Keeps a row locked across edits: the current row (the one being edited,
  // if any) is locked now, Bloqueado at once when another handle or station
  // holds it, and its Post, Cancel and later edits no longer release it, so
  // a writer can take every row it will change before it changes any.
  // SueltaRetenidos lets the kept rows go, except the one being edited,
  // which its own Post or Cancel then releases; LiberaBloqueos, Delete of
  // the row and Close let them go too.
  void RetieneRegistro();
  void SueltaRetenidos();
  // The numbering lock between stations; Numeracion (Numeracion.h) holds it
  // for a scope and says what it guarantees. Close releases it.
  void TomaNumeracion();
  void SueltaNumeracion();

  // --- Appends a writer recognises after a crash by their record number.
  // Posts the row being appended (after Append) in two writes. The row first
  // goes into the file marked deleted: no reader sees it, no tag holds it,
  // and no other writer takes its number. `reservado` then runs with its
  // record number and `firma`, a digest of the row's bytes (the deletion
  // mark left out), and the row is made live with its keys (Restituye). A
  // writer that dies before `reservado` ends leaves a deleted row nobody
  // uses; one that journals the number in `reservado` and dies later finds
  // its row by EstadoReserva and finishes it by Restituye. An error of
  // `reservado` leaves the row deleted and reaches the caller, the row still
  // being appended; a Post or PostReservado tried again after a later error
  // only makes the reserved row live. dBASE tables only (Estado otherwise).
  // Returns the record number; the table stands on the row.
  qint64 PostReservado(const std::function<void(qint64 registro, const QByteArray& firma)>& reservado);
  enum class Reserva {
    Ajena,      // the record is not there or holds other bytes (a pack, say)
    Reservada,  // the reserved row, still deleted
    Viva,       // the reserved row, live
  };
  // What record `registro` is for the writer that reserved it with `firma`.
  Reserva EstadoReserva(qint64 registro, const QByteArray& firma);
  // Makes a reserved row live with its keys (a live one stays as it is) and
  // stands on it; NoExiste when the record is not there. Errors as Post
  // (Bloqueado while another handle holds the record, General for a key a
  // unique tag already holds).
  void Restituye(qint64 registro);

  // Creates a table (and its .dbt when a memo field, its .mdx when tags) over
  // any old one. Field names are upper-cased for dBASE; a bad definition
  // (empty or long name, unknown type, bad width) gives NoCabe.
  static void Crea(const QString& carpeta, const QString& archivo, const QVector<DefCampo>& campos,
                   const QVector<DefTag>& tags = {});
  // A new table with the fields and tags of the model.
  static void CreaComo(const QString& carpeta, const QString& archivo, const Tabla& modelo);
  // Batch copy of the current record (todos false) or of every record of
  // origen (todos true, in its current order and filter, from its first
  // row), fields matched by name; origen must be open. An open destino gets
  // the rows appended; a closed one is created anew (over any old file) with
  // origen's fields and no tags, filled, and left closed. Returns the rows
  // copied; a value that does not fit stops the copy (rows copied before it
  // stay).
  static qint64 CopiaRegistros(Tabla& origen, Tabla& destino, bool todos);
  // Copies a table file with everything it needs to open (dBASE: .dbt and
  // .mdx; Paradox: its companion files) over `destino` in the same folder,
  // whose old companions go. Both must be of one kind and two files.
  // NoExiste when origen is missing; EnUso, leaving destino as it was,
  // while anyone (another station or handle) has destino open.
  static void CopiaArchivos(const QString& carpeta, const QString& origen, const QString& destino);
  // Deletes the table file and its companions (.dbt, .mdx; Paradox: its
  // companion files); NoExiste when missing, EnUso while open elsewhere.
  static void Borra(const QString& carpeta, const QString& archivo);
  static bool Existe(const QString& carpeta, const QString& archivo);

 protected:
  QVector<DefCampo> AbreCursor() override;
  void CierraCursor() override;
  bool CursorPrimero() override;
  bool CursorUltimo() override;
  bool CursorSiguiente() override;
  bool CursorAnterior() override;
  bool CursorVeA(qint64 registro) override;
  qint64 CursorRegistro() const override { return actual_; }
  qint64 CursorCuenta() override;
  void CursorRefresca() override;
  TipoDato TipoDe(const DefCampo& def) const override;
  QVariant LeeCampo(int i) const override;
  bool CampoNulo(int i) const override;
  void PreparaEdicion() override;
  void PreparaAlta(bool alFinal) override;
  void EscribeCampo(int i, const QVariant& valor) override;
  void GrabaEdicion() override;
  void DescartaEdicion() override;
  void BorraActual() override;

 private:
  struct Edicion;
  void AbreOrden(const QString& tag);
  bool Mueve(qint64 n);  // stands on row n (0: none, no move)
  // The append of GrabaEdicion for PostReservado: the reserved row written
  // once, `reservado` run, the row made live.
  qint64 AgregaReservado(Edicion& e);
  void HazVivo(qint64 n);
  QByteArray Firma(QByteArray registro) const;
  void RevisaIndices();
  Orden& OrdenConIndice();
  void ExigeExclusivo(const char* operacion) const;
  // Runs an operation of exclusive use on a closed table through a handle
  // of its own; false (nothing done) when this one is open.
  bool EnOtroManejador(const std::function<void(Tabla&)>& operacion) const;
  static QString ConExtension(const QString& archivo);

  QString carpeta_;
  QString nombre_;
  QString indice_;
  bool exclusivo_ = false;
  bool soloLectura_ = false;
  std::unique_ptr<Almacen> almacen_;
  std::unique_ptr<Indices> indices_;
  std::unique_ptr<Orden> orden_;
  qint64 actual_ = 0;
  qint64 hueco_ = 0;  // the row just deleted from a storage that renumbers
  std::unique_ptr<Edicion> edicion_;
  QSet<qint64> retenidos_;  // rows RetieneRegistro keeps locked
  // The PostReservado under way, for GrabaEdicion.
  const std::function<void(qint64, const QByteArray&)>* reserva_ = nullptr;
};

}  // namespace db
