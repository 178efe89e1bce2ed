#pragma once
// Driving windows as a user would: find a component by name, type into it,
// press keys and buttons. Each helper fails the test when the component is
// missing.

#include <QList>
#include <QPair>
#include <QString>
#include <QWidget>

class QDialog;
class QLineEdit;
namespace ui {
class RejillaTexto;
}

namespace prueba {

// The named component, or a test failure (and nullptr).
QWidget* Componente(const QWidget& raiz, const QString& nombre);
// Clicks the named button.
void Pulsa(const QWidget& raiz, const QString& nombre);
// Focuses the named component and types the text key by key.
void Teclea(const QWidget& raiz, const QString& nombre, const QString& texto);
// Types into a cell of a string grid: the first key opens the cell's editor,
// which is left open with the rest of the text typed into it.
void TecleaCelda(ui::RejillaTexto& rejilla, int col, int fila, const QString& texto);
// Sends one key (with modifiers) to the named component, or to the focus
// widget of the window when the name is empty.
void Tecla(const QWidget& raiz, const QString& nombre, int tecla, Qt::KeyboardModifiers mods = Qt::NoModifier);
// Replaces what a box shows by the text, as a user selects it all, deletes
// it and types.
void Reescribe(QLineEdit* caja, const QString& texto);
// Queues the answer to the next save question of a closing window
// (TFormaCerrar): 1 "Si", 2 "No", 3 "Cancelar".
void RespondeCierre(int respuesta);
// The text shown by a label, edit or button.
QString Texto(const QWidget& raiz, const QString& nombre);

// A double click with the left button at `punto` of the widget (its centre
// when null), preceded by the press and release a mouse makes first.
void DobleClic(QWidget* w, QPoint punto = QPoint());

// Where Tab takes the focus in a grid of boxes: from `primera` on, the
// (row, column) in its parent's QGridLayout of each box the focus visits,
// until the focus leaves that grid or comes back to a box already visited.
QList<QPair<int, int>> CasillasTabulador(QWidget* primera);

// Answers an open or save dialog (ui::DialogoArchivo) with a file given in
// Windows form, as the user would choose it.
void EligeArchivo(QDialog& dialogo, const QString& ruta);

}  // namespace prueba
