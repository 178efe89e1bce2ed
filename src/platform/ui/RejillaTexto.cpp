#include "platform/ui/RejillaTexto.h"

#include "platform/ui/Eventos.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QStyledItemDelegate>

namespace ui {
namespace {

const QEvent* teclaEnCurso = nullptr;

// Hands the cell editor's keys to the grid's handlers, as the grid's own.
class DelegadoTexto : public QStyledItemDelegate {
 public:
  explicit DelegadoTexto(RejillaTexto& rejilla) : QStyledItemDelegate(&rejilla), r_(rejilla) {}

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override {
    // A key typed on the grid is handed on to the editor it opens: its
    // handlers already ran.
    if ((evento->type() == QEvent::KeyPress || evento->type() == QEvent::KeyRelease) && evento != teclaEnCurso &&
        Eventos::De(&r_).Tecla(objeto, static_cast<QKeyEvent*>(evento)))
      return true;
    return QStyledItemDelegate::eventFilter(objeto, evento);
  }

 private:
  RejillaTexto& r_;
};

}  // namespace

RejillaTexto::RejillaTexto(QWidget* padre, int columnas, int filas, int columnasFijas, int filasFijas)
    : QTableWidget(padre), fijasCol_(std::clamp(columnasFijas, 0, 1)), fijasFila_(std::clamp(filasFijas, 0, 1)) {
  setItemDelegate(new DelegadoTexto(*this));
  SetColCount(columnas);
  SetRowCount(filas);
  horizontalHeader()->setVisible(fijasFila_ > 0);
  verticalHeader()->setVisible(fijasCol_ > 0);
  horizontalHeader()->setDefaultSectionSize(64);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  verticalHeader()->setDefaultSectionSize(24);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  setSelectionMode(QAbstractItemView::SingleSelection);
  SetEditable(false);
  Eventos::De(this).SetTeclasPropias(true);
  connect(this, &QAbstractItemView::doubleClicked, this, [this] { emit Eventos::De(this).DblClick(); });
}

void RejillaTexto::SetColCount(int n) {
  setColumnCount(std::max(n - fijasCol_, 0));
  for (int c = 0; c < columnCount(); ++c)
    if (!horizontalHeaderItem(c)) setHorizontalHeaderItem(c, new QTableWidgetItem(QString()));
}

void RejillaTexto::SetRowCount(int n) {
  setRowCount(std::max(n - fijasFila_, 0));
  for (int r = 0; r < rowCount(); ++r)
    if (!verticalHeaderItem(r)) setVerticalHeaderItem(r, new QTableWidgetItem(QString()));
}

QString RejillaTexto::Cells(int col, int fila) const {
  const int c = col - fijasCol_, r = fila - fijasFila_;
  if (c < 0 && r < 0) return esquina_;
  if (r < 0) {
    const QTableWidgetItem* i = horizontalHeaderItem(c);
    return i ? i->text() : QString();
  }
  if (c < 0) {
    const QTableWidgetItem* i = verticalHeaderItem(r);
    return i ? i->text() : QString();
  }
  const QTableWidgetItem* i = item(r, c);
  return i ? i->text() : QString();
}

void RejillaTexto::SetCells(int col, int fila, const QString& texto) {
  const int c = col - fijasCol_, r = fila - fijasFila_;
  if (c < 0 && r < 0) {
    esquina_ = texto;
  } else if (r < 0) {
    if (c < columnCount()) setHorizontalHeaderItem(c, new QTableWidgetItem(texto));
  } else if (c < 0) {
    if (r < rowCount()) setVerticalHeaderItem(r, new QTableWidgetItem(texto));
  } else if (r < rowCount() && c < columnCount()) {
    if (QTableWidgetItem* i = item(r, c)) i->setText(texto);
    else setItem(r, c, new QTableWidgetItem(texto));
  }
}

int RejillaTexto::ColWidths(int col) const {
  if (col < fijasCol_) return verticalHeader()->width();
  return columnWidth(col - fijasCol_);
}

void RejillaTexto::SetColWidths(int col, int ancho) {
  if (col < fijasCol_) verticalHeader()->setFixedWidth(ancho);
  else setColumnWidth(col - fijasCol_, ancho);
}

void RejillaTexto::SetDefaultRowHeight(int alto) {
  verticalHeader()->setDefaultSectionSize(alto);
  horizontalHeader()->setFixedHeight(alto);
}

void RejillaTexto::SetCol(int col) { setCurrentCell(std::max(currentRow(), 0), col - fijasCol_); }
void RejillaTexto::SetRow(int fila) { setCurrentCell(fila - fijasFila_, std::max(currentColumn(), 0)); }

void RejillaTexto::SetEditable(bool editable) {
  setEditTriggers(editable ? QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                                 QAbstractItemView::EditKeyPressed
                           : QAbstractItemView::NoEditTriggers);
}

void RejillaTexto::CierraEditor() {
  QWidget* editor = indexWidget(currentIndex());
  if (!editor || state() != QAbstractItemView::EditingState) return;
  commitData(editor);
  closeEditor(editor, QAbstractItemDelegate::NoHint);
}

bool RejillaTexto::event(QEvent* evento) {
  if (evento->type() != QEvent::KeyPress && evento->type() != QEvent::KeyRelease) return QTableWidget::event(evento);
  if (Eventos::De(this).Tecla(this, static_cast<QKeyEvent*>(evento))) return true;
  const QEvent* antes = teclaEnCurso;
  teclaEnCurso = evento;
  const bool hecho = QTableWidget::event(evento);
  teclaEnCurso = antes;
  return hecho;
}

bool RejillaTexto::TeclaComoTab(const QObject* receptor, int tecla) {
  if (tecla != Qt::Key_Return && tecla != Qt::Key_Enter && tecla != Qt::Key_Down) return false;
  for (auto* w = qobject_cast<const QWidget*>(receptor); w; w = w->parentWidget()) {
    if (const auto* rejilla = qobject_cast<const RejillaTexto*>(w))
      return tecla == Qt::Key_Down || rejilla->enterComoTab_;
    if (w->isWindow()) break;
  }
  return false;
}

}  // namespace ui
