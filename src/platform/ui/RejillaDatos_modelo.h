#pragma once
// The data grid's model and cell editors (private to RejillaDatos).
//
// The model numbers the rows of the dataset in its current order (0 is the
// first) and knows which one the dataset stands on. The current row is read
// live from the dataset (its edit buffer while editing); the others come
// from a cache of rows around the ones asked for, filled by walking the
// dataset's cursor unseen while it browses. While the dataset edits or
// inserts it cannot be walked, so the rows on view and around the current
// one are read just before it leaves browsing (Dataset::porEditar): a line
// written and the next one begun, the grid still shows the line. A row
// being inserted is shown after the last one.
//
// A large table (more rows than kFilasContadas by Tabla::CuentaEstimada) is
// neither counted nor walked to its first row, which would read every row:
// its row count is the estimate, and the number of the row the dataset
// stands on is known when the first row is near, else guessed. Walking the
// rows around one asked for finds the real first and last rows when they
// come sooner or later than their numbers said; the rows are then numbered
// again (a reset of the model, after the read that found it).

#include "platform/ui/RejillaDatos.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QStyledItemDelegate>
#include <QVector>

namespace ui {

class ModeloDatos : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit ModeloDatos(RejillaDatos& rejilla);

  int rowCount(const QModelIndex& padre = {}) const override;
  int columnCount(const QModelIndex& padre = {}) const override;
  QVariant data(const QModelIndex& indice, int rol) const override;
  bool setData(const QModelIndex& indice, const QVariant& valor, int rol) override;
  Qt::ItemFlags flags(const QModelIndex& indice) const override;
  QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override;

  // Columns given by the window; empty: every field of the dataset.
  QVector<ColumnaDatos>& Propias() { return propias_; }
  const QVector<ColumnaDatos>& Efectivas() const { return columnas_; }
  // The pick list of a shown column, without reading the rows again.
  void CambiaLista(int columna, const QStringList& lista) {
    if (columna >= 0 && columna < columnas_.size()) columnas_[columna].lista = lista;
  }
  // The columns changed (or the dataset): everything is read again.
  void Reinicia();
  // Follows the dataset after it moved, changed state or was refreshed.
  void Sincroniza();
  void CampoCambiado(int indice);
  // The dataset is about to edit or insert: the rows on view and around the
  // current one that are not cached are read while it can still be walked.
  void LeeAntesDeEditar();

  // The row the dataset stands on, -1 when none.
  int FilaActual() const { return actual_; }
  bool EsUltima(int fila) const { return fila == rowCount() - 1; }
  // Moves the dataset to a row (a real move: the row being edited is
  // posted, a new untouched row cancelled). False when it failed (shown).
  bool VeAFila(int fila);
  // Writes a cell's text into the current row's field; puts the dataset into
  // edit first. `estricto` false keeps quiet about a text the field does not
  // take yet. False when nothing could be written.
  bool Escribe(int columna, const QString& texto, bool estricto);
  db::Campo* CampoDe(int columna) const;
  // A cell editor opens on the current row: its field's value is kept to put
  // back when what is typed is refused.
  void AbreCelda(int columna);
  // The last write from a cell editor was refused; Bloqueada: because
  // another station or handle holds the row.
  bool Rechazada() const { return rechazada_; }
  bool Bloqueada() const { return bloqueada_; }
  bool Editable() const;

 private:
  struct Fila {
    qint64 registro = 0;
    QVector<QString> textos;
    QVector<QVariant> valores;
  };
  db::Dataset* Datos() const;
  void Columnas();
  // Ordinal of the dataset's current row, found by walking back to the first
  // row; -1 when it cannot be walked (editing) or stands on none.
  int OrdinalActual() const;
  // The same for a large table: exact within kMargen rows of the first row,
  // else a guess that leaves room for the rows around it.
  // `cuenta` grows when the guess needs more rows.
  int OrdinalEstimado(qint64& cuenta) const;
  // The count to number the rows by: exact, or the estimate of a large table
  // (aproximado).
  qint64 Cuenta(bool& aproximado) const;
  // What a read of the rows of a large table found of its ends: the first
  // row stands at model row `primera` (0: nothing found there); the rows
  // number `cuenta` (-1: nothing found), in the numbering read. Applied after
  // the read, by renumbering every row, unless the numbering changed since.
  void CorrigeExtremos(int primera, qint64 cuenta) const;
  void AplicaCorreccion(int generacion);
  int OrdinalDe(qint64 registro, int cerca) const;
  // What decides the order of the rows: index tag and filter.
  QString Orden() const;
  // The rows read beside `fila` are still its neighbours in the dataset.
  bool VecinosIguales(int fila) const;
  const Fila* Lee(int fila) const;
  void Llena(int fila) const;
  QString Texto(const db::Campo& campo, const QVariant& valor, const QString& texto) const;

  RejillaDatos& r_;
  QVector<ColumnaDatos> propias_;
  QVector<ColumnaDatos> columnas_;
  QVector<int> indices_;  // field index per column, -1 when missing
  bool abierto_ = false;  // the dataset was open at the last Reinicia
  QString orden_;          // Orden() at the last count
  mutable bool dudoso_ = false;  // the rows read did not match: count again
  qint64 cuenta_ = 0;
  bool aproximado_ = false;  // a large table, numbered by an estimate
  qint64 estimada_ = 0;      // its estimate when it was last numbered
  // A correction found by a read, for the numbering of generation_.
  mutable int corrigePrimera_ = 0;
  mutable qint64 corrigeCuenta_ = -1;
  mutable bool correccion_ = false;
  int generacion_ = 0;  // counts the numberings
  bool insertando_ = false;
  mutable int actual_ = -1;
  mutable QHash<int, Fila> cache_;
  bool escribiendo_ = false;
  bool rechazada_ = false;
  bool bloqueada_ = false;
  int columnaAbierta_ = -1;
  QVariant original_;
};

class DelegadoDatos : public QStyledItemDelegate {
  Q_OBJECT
 public:
  explicit DelegadoDatos(RejillaDatos& rejilla);

  QWidget* createEditor(QWidget* padre, const QStyleOptionViewItem& opcion, const QModelIndex& indice) const override;
  void setEditorData(QWidget* editor, const QModelIndex& indice) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* modelo, const QModelIndex& indice) const override;
  void destroyEditor(QWidget* editor, const QModelIndex& indice) const override;

  // The cell editor open, if any.
  QWidget* Editor() const { return editor_; }

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void Tecleado(QWidget* editor, int columna, const QString& texto) const;

  RejillaDatos& r_;
  mutable QPointer<QWidget> editor_;
};

}  // namespace ui
