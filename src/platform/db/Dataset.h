#pragma once
// The dataset: rows of a table or a query seen one at a time through a
// cursor, with typed fields, a state machine for editing, record filters,
// Locate, and the events the windows hook.
//
// Navigation follows the usual rules of the windows' code: Open stands on the
// first row; Next past the last row sets Eof and stays on the last row;
// Prior before the first sets Bof and stays on the first; First sets Bof,
// Last sets Eof; an empty dataset has Bof and Eof both true.
//
// States: Inactivo (closed), Navegando, Editando (Edit: the current record is
// locked and copied into the edit buffer), Insertando (Append/Insert: a new
// empty buffer). Post writes the buffer and returns to Navegando; Cancel
// drops it. Moving (First/Next/...), Refresh, Append, Insert and Edit while
// editing post a modified buffer first and cancel an unmodified one; Close
// drops the buffer.
//
// Events (std::function members, all optional): Before* handlers that throw
// cancel the operation (the exception reaches the caller). OnEditError,
// OnPostError and OnDeleteError answer an error of the operation: Fail
// re-throws it, Abort ends the operation silently (the dataset keeps its
// state: an unposted buffer is still there), Retry tries again; retries are
// bounded to a few seconds, after which the error is thrown.
//
// Filters: SetFilter takes the record filter texts the windows write:
//   CAMPO op constante, op one of = <> < > <= >=; AND, OR, NOT (any case),
//   parentheses; constants in single quotes ('CL', '123' compared as a
//   number on a number field, '05/03/2024' a dd/MM/yyyy date on a date
//   field, '' an empty/null value), bare numbers; a trailing * inside a
//   quoted constant compared with = means "starts with". Texts compare by
//   Windows-1252 byte order, right-trimmed; a null field compares as "" or 0.
// With filtering on, rows must pass the filter text (when set) and
// OnFilterRecord (when set). A text that does not parse or a constant that
// does not fit its field's type gives Conversion naming the field, at
// SetFilter when open, else at Open.

#include "platform/Error.h"
#include "platform/db/Campo.h"
#include "platform/db/Esquema.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>
#include <memory>
#include <vector>

namespace db {

class Filtro;

enum class AccionError { Fail, Abort, Retry };

struct OpcionesLocate {
  bool sinMayusculas = false;  // texts compared without regard to case
  bool parcial = false;        // a text matches when the field starts with it
};

class Dataset : public QObject {
  Q_OBJECT

 public:
  enum class Estado { Inactivo, Navegando, Editando, Insertando };
  using Evento = std::function<void(Dataset&)>;
  using EventoError = std::function<AccionError(Dataset&, const plat::Error&)>;

  explicit Dataset(QObject* parent = nullptr);
  ~Dataset() override;

  Estado State() const { return estado_; }
  bool Active() const { return estado_ != Estado::Inactivo; }
  void Open();
  void Close();

  // Fields, known from the first Open on. A reopen with the same layout
  // keeps the same Campo objects (references stay good); reading a value
  // while closed gives Estado.
  int FieldCount() const { return static_cast<int>(campos_.size()); }
  Campo& Fields(int i) const;
  // Case-insensitive; a name longer than 10 characters also finds the field
  // stored under its first 10 (IndiceDeCampo). Unknown names give NoExiste
  // "Campo X no encontrado en T".
  Campo& FieldByName(const QString& nombre) const;
  Campo* FindField(const QString& nombre) const;
  QStringList NombresCampos() const;
  QVector<DefCampo> Definiciones() const;

  // Navigation.
  void First();
  void Last();
  void Next();
  void Prior();
  // Moves n rows forwards (backwards when negative); returns the rows moved.
  int MoveBy(int n);
  bool Eof() const { return eof_; }
  bool Bof() const { return bof_; }
  // Puts back the Bof and Eof flags a walk unseen changed (ui::CursorQuieto),
  // without moving: a failed step at an end sets a flag and moves nothing.
  void RestauraLimites(bool bof, bool eof) {
    bof_ = bof;
    eof_ = eof;
  }
  bool IsEmpty() const;
  // Rows visible in the current order and range; with filtering on, the rows
  // passing the filter.
  qint64 RecordCount();
  // The physical record number (from 1) of the current row; for a query its
  // row number. 0 when there is no current row. After Post of an appended
  // row it is that row's number in the file.
  qint64 RecNo() const;

  // Editing.
  void Append();
  void Insert();
  void Edit();
  void Post();
  void Cancel();
  void Delete();
  // Re-reads from disk: rows posted by other stations become visible; stays
  // on the current row when it is still there, else on the next one.
  void Refresh();
  bool Modified() const { return modificado_; }

  // Scans from the first row in the current order (under the filter) and
  // stands on the first row whose fields ("A;B") equal the values; false and
  // no move when none does.
  bool Locate(const QString& campos, const QVariantList& valores, OpcionesLocate opciones = {});

  // Filters.
  void SetFilter(const QString& texto);
  QString Filter() const { return filtroTexto_; }
  void SetFiltered(bool activo);
  bool Filtered() const { return filtrado_; }

  // Table or query name as given, and its folder (Windows form).
  virtual QString NombreTabla() const = 0;
  virtual QString Carpeta() const = 0;

  // Events.
  Evento BeforeOpen, AfterOpen, BeforeClose, AfterClose;
  Evento BeforeInsert, AfterInsert, OnNewRecord;
  Evento BeforeEdit, AfterEdit;
  Evento BeforePost, AfterPost;
  Evento BeforeCancel, AfterCancel;
  Evento BeforeDelete, AfterDelete;
  Evento BeforeScroll, AfterScroll;
  EventoError OnEditError, OnPostError, OnDeleteError;
  // Record filter hook: accepts or refuses the current row while filtering
  // is on (together with the filter text).
  std::function<bool(Dataset&)> OnFilterRecord;

 signals:
  void estadoCambiado();
  void registroCambiado();
  void campoCambiado(int indice);
  // Edit, Append or Insert is about to leave browsing (the dataset still
  // browses and can still be walked; an edit buffer pending before was
  // already posted or dropped).
  void porEditar();

 protected:
  // --- What a concrete dataset provides: a cursor over its rows in the
  // current order and range (the filter is applied here, above it). Moves
  // return false when there is no such row and then leave the cursor where
  // it stood.

  // Opens the storage; returns the field definitions.
  virtual QVector<DefCampo> AbreCursor() = 0;
  // The type the program sees for a field (TipoDatoDe of the format).
  virtual TipoDato TipoDe(const DefCampo& def) const { return TipoDatoDe(def); }
  virtual void CierraCursor() = 0;
  virtual bool CursorPrimero() = 0;
  virtual bool CursorUltimo() = 0;
  virtual bool CursorSiguiente() = 0;
  virtual bool CursorAnterior() = 0;
  // Stands on the given row (RecNo); false when it is not in the order/range.
  virtual bool CursorVeA(qint64 registro) = 0;
  // RecNo of the current row, 0 when none.
  virtual qint64 CursorRegistro() const = 0;
  // Rows in the current order and range.
  virtual qint64 CursorCuenta() = 0;
  // Re-reads the storage (other stations' writes).
  virtual void CursorRefresca() = 0;

  // Value of field i of the current row, or of the edit buffer while editing
  // or inserting. Invalid QVariant for null.
  virtual QVariant LeeCampo(int i) const = 0;
  virtual bool CampoNulo(int i) const { return !LeeCampo(i).isValid(); }

  // Editing. A read-only dataset leaves these as they are (Estado errors).
  // PreparaEdicion locks the current row (Bloqueado when another handle or
  // station holds it) and loads it into the edit buffer; PreparaAlta makes an
  // empty buffer; EscribeCampo stores a typed value (already converted to the
  // field's TipoDato) into the buffer, raising NoCabe when it does not fit;
  // GrabaEdicion writes the buffer (a new row: appended, and the cursor
  // stands on it) and releases the lock; DescartaEdicion drops the buffer and
  // releases the lock; BorraActual deletes the current row (locking it
  // meanwhile) and leaves the cursor where the next row can be found with
  // CursorSiguiente from the deleted row's position.
  virtual void PreparaEdicion();
  virtual void PreparaAlta(bool alFinal);
  virtual void EscribeCampo(int i, const QVariant& valor);
  virtual void GrabaEdicion();
  virtual void DescartaEdicion();
  virtual void BorraActual();

  // A plat::Error whose message is `mensaje` + " de la tabla <name>".
  plat::Error ErrorDe(plat::Clase clase, const QString& mensaje) const;
  void ExigeActivo() const;
  void ExigeInactivo(const char* operacion) const;
  // Re-positions after the subclass changed the order or range
  // (SetIndexName, SetRange): stays on `registro` when visible, else on the
  // first row.
  void Reposiciona(qint64 registro);
  // After the subclass moved the cursor itself (FindNearest): `hay` says
  // whether it stands on a row; a row the filter hides gives the next one.
  void TrasMoverse(bool hay);
  // Posts a modified buffer, cancels an unmodified one (before moving).
  void ModoNavegacion();
  bool CumpleFiltro();

 protected:
  void connectNotify(const QMetaMethod& senal) override;
  void disconnectNotify(const QMetaMethod& senal) override;

 private:
  friend class Campo;
  void FijaEstado(Estado e);
  void AsignaCampo(int i, const QVariant& valor);  // from Campo, converted
  void CompilaFiltro();
  bool HayFiltro() const;
  // From a cursor move that gave `hay`, skips rows the filter hides.
  bool Visible(bool hay, bool adelante);
  void PosicionaPrimero();
  bool Paso(bool adelante);
  void Alta(bool alFinal);
  void Dispara(const Evento& e) { if (e) e(*this); }
  template <class F> void ConReintentos(const EventoError& manejador, F&& operacion, bool& abortado);
  void CreaCampos(const QVector<DefCampo>& defs);
  QString NombreParaMensajes() const;

  Estado estado_ = Estado::Inactivo;
  bool hayFila_ = false;
  bool bof_ = true;
  bool eof_ = true;
  bool modificado_ = false;
  qint64 registroAntesDeAlta_ = 0;
  std::vector<std::unique_ptr<Campo>> campos_;
  QHash<QString, int> porNombre_;  // upper-case name -> index
  QString filtroTexto_;
  bool filtrado_ = false;
  std::unique_ptr<Filtro> filtro_;
  int oyentesRegistro_ = 0;  // connections to registroCambiado
};

}  // namespace db
