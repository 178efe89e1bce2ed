#pragma once
// The font dialog with the class library's habits: besides the face, style
// and size it offers the text colour, picked from the sixteen basic colours
// in a list named "Color". The dialog runs through the modal gate under its
// objectName, so a test answers it with a script queued for that name
// (FijaFuente, FijaColor, accept).

#include <QColor>
#include <QDialog>
#include <QFont>

class QComboBox;
class QFontDialog;

namespace ui {

class DialogoFuente : public QDialog {
  Q_OBJECT
 public:
  // The dialog proposing `fuente` and `color`; a colour not in the list is
  // added to it.
  DialogoFuente(const QFont& fuente, const QColor& color, QWidget* padre, const QString& nombre);

  QFont Fuente() const;
  QColor Color() const;
  void FijaFuente(const QFont& fuente);
  void FijaColor(const QColor& color);

  // Shows the dialog; true when the user accepted a choice.
  bool Execute();

 private:
  QFontDialog* fuentes_;
  QComboBox* colores_;
};

}  // namespace ui
