#pragma once
// The data source: the link between a dataset and the controls that show it
// (data-aware boxes, grids, navigators). It relays the dataset's signals, so
// switching the dataset (SetDataSet) rebinds every control by field name: a
// window moves its boxes between a table and a one-record copy of the same
// layout with one call.
//
//   ui::FuenteDatos fuente;
//   fuente.SetDataSet(&TablaInventario);
//   auto* edit = new ui::EditDatos(panel);
//   edit->SetFuente(&fuente);
//   edit->SetCampo("DSCPR_I");
//   ...
//   fuente.SetDataSet(&TablaAuxiliar);   // the same boxes on the copy

#include "platform/db/Dataset.h"

#include <QObject>
#include <QPointer>

#include <functional>

namespace ui {

class FuenteDatos : public QObject {
  Q_OBJECT
 public:
  explicit FuenteDatos(QObject* padre = nullptr);

  db::Dataset* DataSet() const { return dataset_.data(); }
  void SetDataSet(db::Dataset* dataset);

  // Typing into a bound control puts a browsing dataset into edit (on by
  // default); off, the controls only take input while the dataset is
  // already editing or inserting.
  bool AutoEdit() const { return autoEdit_; }
  void SetAutoEdit(bool activo) { autoEdit_ = activo; }

  // The dataset is open and has a field of that name (case-insensitive).
  db::Campo* Campo(const QString& nombre) const;

 signals:
  void cambioDataset();          // another dataset, or none
  void cambioEstado();           // opened, closed, edit, insert, browse
  void cambioRegistro();         // moved, refreshed, posted, cancelled
  void cambioCampo(int indice);  // a field of the edit buffer was written
  void porEditar();              // about to edit or insert, still browsing

 private:
  QPointer<db::Dataset> dataset_;
  QMetaObject::Connection conexiones_[5];
  bool autoEdit_ = true;
};

// Follows one source at a time for a control: calls back when the source
// switches its dataset, the dataset changes state or moves (field writes
// come through FuenteDatos::cambioCampo).
class VigilaFuente {
 public:
  VigilaFuente() = default;
  VigilaFuente(const VigilaFuente&) = delete;
  VigilaFuente& operator=(const VigilaFuente&) = delete;
  ~VigilaFuente() { Suelta(); }

  FuenteDatos* Fuente() const { return fuente_.data(); }
  // Follows `fuente` (nullptr: none) with `fn` run in `contexto`.
  void Vigila(FuenteDatos* fuente, QObject* contexto, const std::function<void()>& fn);

 private:
  void Suelta();
  QPointer<FuenteDatos> fuente_;
  QMetaObject::Connection conexiones_[3];
};

// Walks a dataset unseen: while it lives the dataset's signals are blocked
// and its scroll events set aside; at the end the dataset stands again on the
// row it stood on, with its Bof and Eof flags. Only for a browsing dataset
// (a move would post an edit buffer). Grids and lookup lists read the rows
// around the current one this way.
class CursorQuieto {
 public:
  explicit CursorQuieto(db::Dataset& dataset);
  ~CursorQuieto();
  CursorQuieto(const CursorQuieto&) = delete;
  CursorQuieto& operator=(const CursorQuieto&) = delete;

  // Moves as Dataset::MoveBy and returns the rows moved.
  int MoveBy(int n);
  // Rows moved from the starting row (negative: backwards).
  int Desplazamiento() const { return neto_; }

 private:
  db::Dataset& d_;
  QSignalBlocker bloqueo_;
  db::Dataset::Evento antes_, despues_;
  qint64 registro_;
  bool bof_, eof_;
  int neto_ = 0;
};

}  // namespace ui
