#pragma once
// The data grid: the rows of a table or a query in columns, edited in place.
//
//   auto* Detalle = new ui::RejillaDatos(this);
//   Detalle->setObjectName("Detalle");
//   Detalle->SetFuente(&FuenteTablaDeta);
//   Detalle->AgregaColumna("CANTIDAD", "CANT. (F4)");
//   Detalle->AgregaColumna("CLAVE", "CLAVE (F2)", 97);
//   ui::Conecta(Detalle, &ui::RejillaDatos::ColEnter, this, [this] { DetalleColEnter(); });
//   ui::Conecta(&ui::Eventos::De(Detalle), &ui::Eventos::KeyDown, this, ...);
//
// The grid's current row is always the dataset's current row: moving in the
// grid moves the dataset (posting the row being edited, or cancelling a new
// row nobody typed into), and the dataset moved by code moves the grid.
// Only a window of rows around the visible ones is read, through the
// dataset's own cursor (ui::CursorQuieto), so a large table costs no more
// than a small one: a table of more than a thousand rows is not counted or
// walked to its first row; its rows are numbered by its estimated count
// (db::Tabla::CuentaEstimada) and a guess of the current row's place, put
// right when the rows read reach the real first or last row. The first and
// last rows of the grid are the table's first and last rows.
//
// Keys, as the class library's grid: Down on the last row appends a row (and
// Up on a new untouched row drops it); Tab and Shift+Tab go to the next and
// previous visible column, passing to the next or previous row at the ends
// (appending at the end); Enter does the same when EnterComoTab is on; Esc
// cancels the row's changes; Insert inserts a row; Ctrl+Delete deletes the
// row after asking. Typing starts editing the cell; what is typed goes into
// the field at once and the dataset is put into edit.
//
// Events: ColEnter and ColExit when the selected column changes (by the user
// or by SetSelectedIndex; during ColExit SelectedIndex is still the column
// left), CellClick; focus, keys (the cell editor's included) and double click
// through ui::Eventos::De(grid). Handlers may move the column themselves: a
// move from ColEnter runs its own ColExit and ColEnter; a move from ColExit
// runs only the ColEnter of its column, and the move that was leaving the
// column is given up (the grid stays where the handler put it).

#include "platform/ui/FuenteDatos.h"

#include <QColor>
#include <QPointer>
#include <QStringList>
#include <QTableView>
#include <QVector>

#include <functional>

class QToolButton;

namespace ui {

class ModeloDatos;
class DelegadoDatos;

// A column of a data grid.
struct ColumnaDatos {
  QString campo;
  QString titulo;         // the field's name when empty
  int ancho = 0;          // pixels; 0: wide enough for the field
  bool visible = true;
  bool soloLectura = false;
  QStringList lista;      // pick list offered by the cell editor
  QColor colorTexto;      // invalid: the grid's colour
  bool negrita = false;
  QColor colorFondo;      // the cells' background; invalid: the grid's
  QColor colorTitulo;     // the title's text; invalid: the header's
};

class RejillaDatos : public QTableView {
  Q_OBJECT
 public:
  explicit RejillaDatos(QWidget* padre = nullptr);
  ~RejillaDatos() override;

  FuenteDatos* Fuente() const { return fuente_; }
  void SetFuente(FuenteDatos* fuente);

  // Columns by position. With none added the grid shows every field of the
  // dataset in table order, titled by its name.
  int AgregaColumna(const QString& campo, const QString& titulo = {}, int ancho = 0);
  void QuitaColumnas();
  // Every column at once, in place of those there (read again once).
  void SetColumnas(const QVector<ColumnaDatos>& columnas);
  int Columnas() const;
  ColumnaDatos Columna(int i) const;
  void SetCampoColumna(int i, const QString& campo);
  void SetTituloColumna(int i, const QString& titulo);
  // A negative width hides the column; it keeps its position.
  void SetAnchoColumna(int i, int ancho);
  void SetColumnaVisible(int i, bool visible);
  void SetColumnaSoloLectura(int i, bool soloLectura);
  void SetListaColumna(int i, const QStringList& lista);
  void SetColorColumna(int i, const QColor& texto, bool negrita);
  void SetFondoColumna(int i, const QColor& fondo);
  void SetColorTitulo(int i, const QColor& color);

  bool SoloLectura() const { return soloLectura_; }
  void SetSoloLectura(bool soloLectura);
  bool EnterComoTab() const { return enterComoTab_; }
  void SetEnterComoTab(bool activo) { enterComoTab_ = activo; }

  // The selected column by position (hidden columns count).
  int SelectedIndex() const { return columna_; }
  void SetSelectedIndex(int columna);
  // The field of the selected column ("" when none).
  QString CampoSeleccionado() const;

  // The text shown in a cell, for windows that format values (masks); gets
  // the field (type and name), the value (invalid for null) and the text the
  // grid would show.
  std::function<QString(const db::Campo& campo, const QVariant& valor, const QString& texto)> TextoCelda;

  // Ends editing of the cell, taking what was typed into the field. A text
  // the field refuses is shown as an error and the cell stays in editing
  // (false).
  bool CierraEditor();

  // Letters typed on the grid do not move it to a row starting with them
  // (the item views' own search): windows that look rows up as the user
  // types do it on their dataset's keys.
  void keyboardSearch(const QString&) override {}

 signals:
  void ColEnter();
  void ColExit();
  void CellClick();

 protected:
  bool event(QEvent* evento) override;
  void currentChanged(const QModelIndex& actual, const QModelIndex& anterior) override;

 private:
  friend class DelegadoDatos;
  friend class ModeloDatos;
  // Keys of the grid and of its cell editor (`editor`, null for the grid).
  bool ProcesaTecla(QObject* destino, QKeyEvent* evento, QWidget* editor);
  void Sincroniza();
  void MuestraFilaActual();
  void CambiaColumna(int columna);
  void SiguienteFila();
  void FilaAnterior();
  void Tabula(bool adelante);
  void BorraFila();
  void AplicaColumnas();
  void ModificaColumna(int i, const std::function<void(ColumnaDatos&)>& cambio);
  bool PuedeAgregar() const;
  db::Dataset* Datos() const;

  QPointer<FuenteDatos> fuente_;
  QMetaObject::Connection conexiones_[5];
  ModeloDatos* modelo_;
  DelegadoDatos* delegado_;
  int columna_ = 0;
  bool soloLectura_ = false;
  bool enterComoTab_ = false;
  bool sincronizando_ = false;
  bool enColExit_ = false;
  quint64 cambios_ = 0;  // column changes begun, to tell a move made from one given up
  const QEvent* teclaEnCurso_ = nullptr;
};

// The record navigator: first, prior, next and last buttons on a data
// source; First and Prior are disabled at the first row, Next and Last at
// the last. Click tells which button moved the dataset.
class Navegador : public QWidget {
  Q_OBJECT
 public:
  enum Boton { Primero, Anterior, Siguiente, Ultimo };
  explicit Navegador(QWidget* padre = nullptr);

  FuenteDatos* Fuente() const { return fuente_.Fuente(); }
  void SetFuente(FuenteDatos* fuente);
  // Presses a button as the user does.
  void Pulsa(Boton boton);

 signals:
  void Click(ui::Navegador::Boton boton);

 private:
  void Actualiza();
  db::Dataset* Datos() const;
  VigilaFuente fuente_;
  QToolButton* botones_[4];
};

}  // namespace ui
