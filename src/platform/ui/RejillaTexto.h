#pragma once
// The string grid: cells of text addressed as Cells(column, row), the first
// row and column optionally fixed (titles, drawn as headers, not editable).
// Indexes count the fixed row and column, as the windows' code does:
// Cells(1, 0) is the title over the first free column.
//
// Enter and the Down arrow pressed in a string grid (or in its cell editor)
// act as Tab, throughout the program (the application's key hook, see
// ui::Aplicacion); every other key, "(" included, types as usual. Keys and
// focus reach the window through ui::Eventos::De(grid), the cell editor's
// included.

#include <QTableWidget>

namespace ui {

class RejillaTexto : public QTableWidget {
  Q_OBJECT
 public:
  // Sizes count the fixed row and column; fijas is 0 or 1.
  explicit RejillaTexto(QWidget* padre = nullptr, int columnas = 5, int filas = 5, int columnasFijas = 1,
                        int filasFijas = 1);

  int ColCount() const { return columnCount() + fijasCol_; }
  int RowCount() const { return rowCount() + fijasFila_; }
  void SetColCount(int n);
  void SetRowCount(int n);
  int FixedCols() const { return fijasCol_; }
  int FixedRows() const { return fijasFila_; }

  QString Cells(int col, int fila) const;
  void SetCells(int col, int fila, const QString& texto);

  int ColWidths(int col) const;
  void SetColWidths(int col, int ancho);
  void SetDefaultRowHeight(int alto);

  // The current cell.
  int Col() const { return currentColumn() + fijasCol_; }
  int Row() const { return currentRow() + fijasFila_; }
  void SetCol(int col);
  void SetRow(int fila);

  // Cells can be typed into (off: read only).
  void SetEditable(bool editable);
  // Enter acts as Tab (on by default); off, Enter reaches the grid's
  // handlers as Enter, for a grid whose window gives it a command of its own.
  bool EnterComoTab() const { return enterComoTab_; }
  void SetEnterComoTab(bool activo) { enterComoTab_ = activo; }
  // Puts the text of the cell being typed into its cell and closes the cell
  // editor (nothing when no cell is being edited). A button that does not
  // take the focus calls it before reading Cells.
  void CierraEditor();

  // True when a key pressed in `receptor` (the grid or a part of it) is one
  // of those that act as Tab in a string grid.
  static bool TeclaComoTab(const QObject* receptor, int tecla);

 protected:
  bool event(QEvent* evento) override;

 private:
  QString esquina_;  // Cells(0, 0) when both are fixed: kept, not shown
  int fijasCol_, fijasFila_;
  bool enterComoTab_ = true;
};

}  // namespace ui
