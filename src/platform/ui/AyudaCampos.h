#pragma once
// Two habits of the data windows:
//
//  - The box with the focus is painted cyan and gets its own colour back when
//    the focus leaves it (ResaltaAlEnfocar).
//  - Two status labels show two lines of help for the box that has the focus
//    or that the mouse comes over. The lines are read from the module's help
//    file by line number, two consecutive lines per box, each time they are
//    shown (the file may change while the program runs). The window supplies
//    the reader, so this layer knows nothing of where the file lives:
//
//      ui::AyudaCampos ayuda(uno, dos, [](int n) {
//        QString s; LeeLineaArchivo(n, "movin.des", s); return s; });
//      ayuda.Agrega(EditFEDOC_MI, 1);   // lines 1 and 2
//      ayuda.Agrega(EditCLDOC_MI, 3);   // lines 3 and 4

#include <QColor>
#include <QObject>
#include <QPointer>

#include <functional>

class QLabel;
class QWidget;

namespace ui {

// Paints `caja` in `color` while it (or a part of it) has the focus.
void ResaltaAlEnfocar(QWidget* caja, const QColor& color = QColor(0, 255, 255));

class AyudaCampos : public QObject {
  Q_OBJECT
 public:
  // `lee` gives line n (from 1) of the help file, "" when there is none.
  using LeeLinea = std::function<QString(int n)>;
  AyudaCampos(QLabel* uno, QLabel* dos, LeeLinea lee, QObject* padre = nullptr);

  // Shows lines `primera` and `primera` + 1 when `caja` takes the focus or
  // the mouse comes over it.
  void Agrega(QWidget* caja, int primera);
  // Shows lines `primera` and `primera` + 1 now.
  void Muestra(int primera);

 private:
  QPointer<QLabel> uno_, dos_;
  LeeLinea lee_;
  int mostrada_ = 0;  // first line of the help shown last
};

}  // namespace ui
