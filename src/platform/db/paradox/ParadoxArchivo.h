#pragma once
// A Paradox table file (.DB) without a primary key: the capture and buffer
// tables of the program folder. Rows keep the order in which they were put:
// a row inserted before row n becomes row n, and packing keeps the order.
//
// Field types: 'A' alpha (width 1..255), 'N' number, '$' money, 'D' date,
// 'S' short, 'I' long, 'L' logical. Records cross this class raw, in the
// file's layout, and their fields are read and set one at a time (Valor,
// Fija), or as a whole row of values. Values are QVariant: QString, double,
// QDate, qint64 or bool; an invalid QVariant is a blank field, which stays
// distinct from 0 and from False. Texts are stored in Windows-1252 without
// trailing blanks; an empty text is a blank field.
//
// Between stations (processes) and between handles of one process, with the
// open-file-description locks of Bloqueo.h on the file itself (never lock
// files), the same as the dBASE tables, all of which die with the process:
//   - every handle holds the file open shared or exclusive: an exclusive
//     open fails while anyone else has the file open, a shared open fails
//     while someone holds it exclusively (both EnUso, at once);
//   - every operation writes under an exclusive lock; a reader never sees
//     half a write: it reads with no lock while the header's change counter
//     (paradox_format.h) shows no write under way before and after, else
//     under a shared lock. Each handle sees the others' writes at its next
//     read: it keeps only the list of blocks (while no row moves between
//     blocks) and the rows of the block read last (while nothing at all is
//     written), so a walk costs one read per block. A table kept busy
//     longer than a few seconds gives EnUso;
//   - a handle may lock rows by number (BloqueaRegistro). Writing a row
//     another handle locks, or inserting or deleting at or before it (which
//     would move it), gives Bloqueado.
//
// Every error is a plat::Error naming the table; a file that does not follow
// the format gives Corrupto, never a crash.

#include "platform/db/Esquema.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <atomic>
#include <functional>
#include <set>

namespace db {

class ParadoxArchivo {
 public:
  enum class Uso { Compartido, Exclusivo };

  // Opens the table at ruta (Windows form or local path). NoExiste when the
  // file is missing, EnUso as above, Corrupto when it is no readable table;
  // a keyed or password-protected table is refused with its own message.
  // A read-only handle cannot write nor lock rows. Messages name the table
  // by `nombre`, else by the file name of ruta.
  ParadoxArchivo(const QString& ruta, Uso uso, bool soloLectura = false, const QString& nombre = {});
  ~ParadoxArchivo();
  ParadoxArchivo(const ParadoxArchivo&) = delete;
  ParadoxArchivo& operator=(const ParadoxArchivo&) = delete;

  // Creates an empty table with these fields, replacing a table of that name
  // unless someone has it open (EnUso). A bad field list gives NoCabe
  // naming the field.
  static void Crea(const QString& ruta, const QVector<DefCampo>& campos);
  // Copies a table with its companion files over destino, whose old
  // companions go; EnUso, leaving destino as it was, while someone has it
  // open.
  static void Copia(const QString& origen, const QString& destino);
  // The companion files of a table: the same name with another extension
  // (indexes, memos, validity checks), as local paths. The files of a dBASE
  // table of the same name (.dbf, .dbt, .mdx) are not among them.
  static QStringList Companeros(const QString& ruta);
  // Opens the table exclusively, packs it and closes it.
  static void EmpacaArchivo(const QString& ruta);

  const QString& Nombre() const { return nombre_; }  // the file name, for messages
  const QString& RutaLocal() const { return local_; }
  bool Exclusivo() const { return uso_ == Uso::Exclusivo; }
  bool SoloLectura() const { return soloLectura_; }
  // Fields as the file declares them: 'A' with its width, the others with
  // width 0.
  const QVector<DefCampo>& Campos() const { return campos_; }

  // Raw records and their fields. Fija cuts a text to the field's width; it
  // gives NoCabe for another value that does not fit the field and
  // Conversion for one of the wrong kind, naming the field and the table,
  // and then leaves the record as it was.
  QByteArray Vacio() const;  // every field blank
  QVariant Valor(const char* registro, int campo) const;
  void Fija(QByteArray& registro, int campo, const QVariant& valor) const;

  // Rows are numbered from 1 in table order; each call reads the file as it
  // is now. A missing row gives NoExiste, or false from the second
  // LeeRegistro (registro untouched). Each write runs `dentro` (with the
  // row's number) after writing, while it still holds the table against
  // other writers and readers.
  qint64 Registros();
  QByteArray LeeRegistro(qint64 n);
  bool LeeRegistro(qint64 n, QByteArray& registro);
  // The bytes of row n, valid until the next call on this object; nullptr
  // when there is no such row.
  const char* Fila(qint64 n);
  // With liberaFila, this handle's lock on row n goes with the write (when
  // it is the only row this handle locks: one system call less an edit).
  void GrabaRegistro(qint64 n, const QByteArray& registro, const std::function<void()>& dentro = {},
                     bool liberaFila = false);
  // Appends a row; returns its number.
  qint64 AgregaRegistro(const QByteArray& registro, const std::function<void(qint64)>& dentro = {});
  // Puts a row before row antes (Registros() + 1 appends); returns its number.
  qint64 InsertaRegistro(qint64 antes, const QByteArray& registro, const std::function<void(qint64)>& dentro = {});
  // Removes row n; the following rows move up.
  void Borra(qint64 n, const std::function<void()>& dentro = {});

  // The same with whole rows of values.
  QVector<QVariant> Lee(qint64 n);
  void Escribe(qint64 n, const QVector<QVariant>& valores);
  qint64 Agrega(const QVector<QVariant>& valores);
  void Inserta(qint64 n, const QVector<QVariant>& valores);
  // Remove every row / rewrite the rows in order into full blocks. Both need
  // exclusive use: a shared handle gets it for the moment when nobody else
  // has the table open, else EnUso. Row locks of this handle are dropped.
  void Vacia();
  void Empaca();

  // Row locks follow the row: inserting or deleting before a locked row
  // moves this handle's lock with it.
  void BloqueaRegistro(qint64 n);  // Bloqueado when another handle holds it
  void LiberaRegistro(qint64 n);
  void LiberaBloqueos();
  bool TieneBloqueo(qint64 n) const { return propios_.count(n) > 0; }

 private:
  struct Estado;
  struct Eslabon;
  struct Bloque;
  struct Candado;
  struct Escritura;

  void Abre();
  void LeeDefinicion();
  Estado LeeEstado();
  void GuardaEstado(const Estado& e);
  static void PonContadores(QByteArray& cabecera, const Estado& e);
  QVector<Eslabon> Cadena(const Estado& e);
  Bloque LeeBloque(int numero);
  void EscribeBloque(int numero, const Bloque& b);
  void EnlazaAnterior(int numero, int anterior);
  void EnlazaSiguiente(int numero, int siguiente);
  int AsignaBloque(Estado& e, const QVector<Eslabon>& cadena);
  void LiberaBloque(Estado& e, int numero);
  qint64 InsertaEn(qint64 n, const QByteArray& registro, const std::function<void(qint64)>& dentro = {});
  QVector<QByteArray> LeeTodos();
  bool Busca(const QVector<Eslabon>& c, qint64 n, int& k, int& i) const;
  void Ubica(const QVector<Eslabon>& c, qint64 n, int& k, int& i) const;
  qint64 Total(const QVector<Eslabon>& c) const;
  void ExigeEscritura() const;
  void ExigeTamano(const QByteArray& registro) const;
  void VerificaAjenos(qint64 desde, qint64 hasta);
  void MueveBloqueos(qint64 desde, int delta);
  void TomaExclusivo();
  void DejaExclusivo() noexcept;
  void Recorta();
  void Mapea();
  void Desmapea() noexcept;
  std::atomic_ref<quint64> Contador(int cual) const;
  template <class F> void Consulta(F&& lee);
  const QVector<Eslabon>& ListaVigente(const Estado& e);
  const QVector<Eslabon>* ListaGuardada(const Estado& e) const;

  QByteArray Codifica(const QVector<QVariant>& valores) const;
  QVector<QVariant> Decodifica(const QByteArray& registro) const;
  QByteArray LeeEn(qint64 posicion, int largo);
  void EscribeEn(qint64 posicion, const QByteArray& bytes);
  qint64 PosicionBloque(int numero) const;
  [[noreturn]] void Danada(const QString& detalle) const;

  QString nombre_;
  QString local_;
  Uso uso_;
  bool soloLectura_;
  int fd_ = -1;

  // From the header, fixed while the file is open.
  QVector<DefCampo> campos_;
  QVector<int> tipos_;
  QVector<int> posiciones_;
  QVector<int> largos_;
  int tamRegistro_ = 0;
  int tamCabecera_ = 0;
  int tamBloque_ = 0;
  int porBloque_ = 0;

  std::set<qint64> propios_;  // rows this handle has locked

  // Reading without locks: the file mapped whole (mapa_), the size it was
  // last seen to have, whether the header has room for the change counters
  // (paradox_format.h), and the list of blocks kept with the list counter
  // it was read under.
  char* mapa_ = nullptr;  // the header
  qint64 tamConocido_ = 0;
  bool contadores_ = false;
  QVector<Eslabon> lista_;
  quint64 numeroLista_ = 0;
  bool listaValida_ = false;
  // The rows of the block read last, after `antes` rows, and the change
  // counter they were read under (odd: not to be used again).
  struct Leido {
    QByteArray filas;
    qint64 antes = 0;
    int cuenta = 0;
    quint64 cambios = 1;
  } leido_;
};

}  // namespace db
