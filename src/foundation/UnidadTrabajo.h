#pragma once
// One unit of work per save: every write of a document save (header, lines,
// stock, totals rows, logs) goes through one UnidadTrabajo, which journals
// the save in a file of the station's own, so a station that dies at any
// moment of a save loses nothing that was written and applies nothing twice
// when the save is run again.
//
//   UnidadTrabajo u("C:\\VRL", "Guardado3.jnl");   // reads what a dead run left
//   if (!u.Pendiente()) u.Inicia({{"tipo", "R"}, ...});
//   const qint64 fila = u.Agrega(lineas, "L1", llena);
//   u.Aplica("S1", [&] { ...SumaExistencia...; return QStringList{...}; },
//            [&] { return QStringList{"dudosa"}; });
//   u.Termina();                                    // the journal goes
//
// The journal, a text file in the given folder, holds one entry a line, each
// appended with one write, so a kill loses none that was completed; a last
// line without its end is one the kill cut short and is dropped. Entries:
//   I  the data the save started with: everything it will write that does not
//      come from tables the save leaves alone until it ends (the caller's
//      capture table, say), fixed before the first write;
//   P  a step begun (written before a write whose outcome must be told);
//   X  a row reserved for an append (its table, record and digest), before
//      it shows;
//   H  a change done, R a row appended (its table and record), with results;
//   A  a fact of the save that is no write.
//
// Steps are named by the caller, each name once in a save, and run in the
// same order every time. A save run again over its journal (the station
// started again, or the cashier pressing F10 after an error) skips what is
// done and finds out what a begun step did:
//   Agrega  a row appended: found by the record the journal reserved for it
//           (Tabla::PostReservado), never by its contents: the row goes into
//           the table marked deleted, its record is journaled, then it is
//           made live. A reserved row still deleted is made live; one the
//           journal never heard of stays deleted, seen by nobody, and the
//           row is appended anew. No other save can hold that record;
//   Fija    a change that sets values (writing it again gives the same row):
//           run again unless done;
//   Aplica  a change that adds (stock, totals): never run twice; one begun and
//           not done is given to the caller's `dudoso`, whose results stand
//           for it;
//   Anota   a fact: kept, nothing written.
//
// Crash tests stop a station through the fault seam (platform/fs/Falla.h):
// the point kEscrito is passed after every write of a step and before the
// journal says it is done, the moment whose outcome only the tables tell;
// kReservado before and after an append's record is journaled.
//
// Single thread; one object per journal file. Errors of the journal file are
// plat::Error (Io) and stop the save as a table error would.

#include "foundation/ValoresFila.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>

namespace db {
class Dataset;
class Tabla;
}  // namespace db

namespace guardado::puntos {
// A write of a step is in the table; the journal does not say so yet.
inline constexpr char kEscrito[] = "guardado.escrito";
// An appended row is in the table marked deleted, its record not yet
// journaled (first pass) or journaled and the row not yet live (second).
inline constexpr char kReservado[] = "guardado.reservado";
}  // namespace guardado::puntos

class UnidadTrabajo {
 public:
  using Datos = QList<std::pair<QString, QString>>;
  using Llenado = std::function<void(db::Dataset&)>;

  // The journal `archivo` of `carpeta` (Windows form); a journal a former
  // run left unfinished is read (Pendiente).
  UnidadTrabajo(const QString& carpeta, const QString& archivo);
  ~UnidadTrabajo();
  UnidadTrabajo(const UnidadTrabajo&) = delete;
  UnidadTrabajo& operator=(const UnidadTrabajo&) = delete;

  // The local path of the journal.
  QString Ruta() const { return ruta_; }
  // A save was started (Inicia) and has not ended (Termina).
  bool Pendiente() const { return pendiente_; }
  // The save may have written: a step other than a fact is done or begun.
  bool HayEscrituras() const { return escrituras_ > 0 || !iniciados_.isEmpty(); }
  // The data the save started with, in order; Dato gives one ("" when absent).
  const Datos& Inicio() const { return inicio_; }
  QString Dato(const QString& clave) const;

  // Starts a save with its data. Estado when one is pending.
  void Inicia(const Datos& datos);
  // Ends the save: the journal file goes and nothing is pending.
  void Termina();

  // The results of a step done; nullopt when it is not done.
  std::optional<QStringList> Resultado(const QString& paso) const;
  bool Hecho(const QString& paso) const { return hechos_.contains(paso); }
  // A step begun by a former run whose end the journal does not hold.
  bool Dudoso(const QString& paso) const { return iniciados_.contains(paso); }

  // Appends a row to `tabla` (an open dBASE table, not read-only), `llena`
  // filling it, and returns its record number; the table then stands on it.
  // Done before: its record, nothing written. Reserved by a former run: that
  // row, made live when it is still deleted; appended anew only when the
  // journal holds no reservation or the reserved record no longer holds the
  // row (the table was packed). With `renueva` a reserved row still
  // deleted is given up too and the row appended anew, `llena` filling it
  // again: a row numbered "last + 1" under the table's numbering lock
  // (which the caller holds) takes a number another station may have drawn
  // since the reservation. On an error the row is given up, the step stays
  // begun and the error reaches the caller.
  qint64 Agrega(db::Tabla& tabla, const QString& paso, const Llenado& llena, bool renueva = false);
  // Undoes the append step `paso` as the step `deshace`: the row it
  // appended is deleted, and a reserved row it left deleted stays so. The
  // table then stands on no row in particular.
  void QuitaAgregada(const QString& paso, const QString& deshace, db::Tabla& tabla);
  // Changes the row `tabla` stands on: puts it into edit (locked, read
  // afresh; a row already being edited stays so), gives it to `calcula`,
  // journals the values it returns, writes them and posts. Done before:
  // nothing. Begun by a former run: a row that holds the values a former
  // try journaled was written; otherwise they are computed again from the
  // row as it now stands and written. (A row another station changed
  // between a kill and the run again cannot tell whether the killed write
  // was made: it is taken as not made, so the other station's change is
  // never lost.) Errors reach the caller, the row as it was.
  void Cambia(const QString& paso, db::Tabla& tabla, const std::function<ValoresFila(const db::Dataset& fila)>& calcula);
  // Runs a change that sets values unless the step is done.
  void Fija(const QString& paso, const std::function<void()>& cambio);
  // Runs a change that must not be applied twice and returns its results.
  // Done before: its results. Begun and not done: `dudoso`'s results, run
  // instead and journaled as the step's. An error of `cambio` leaves the
  // step begun (whether it wrote cannot be told) and reaches the caller.
  QStringList Aplica(const QString& paso, const std::function<QStringList()>& cambio,
                     const std::function<QStringList()>& dudoso);
  // Keeps a fact of the save under a step name (no write).
  void Anota(const QString& paso, const QStringList& valores = {});

 private:
  struct Reservada {
    qint64 registro = 0;
    QByteArray firma;
  };

  void Lee();
  void Abre(bool nuevo);
  void Escribe(char tipo, const QString& paso, const QStringList& valores);
  void Cierra();
  void AnotaAgregada(const QString& paso, const QString& tabla, qint64 registro);

  QString ruta_;
  int fd_ = -1;
  bool pendiente_ = false;
  int escrituras_ = 0;
  Datos inicio_;
  QHash<QString, QStringList> hechos_;
  QSet<QString> iniciados_;
  QHash<QString, Reservada> reservadas_;  // by step, appends not known live
};
