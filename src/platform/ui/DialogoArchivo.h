#pragma once
// The open and save dialogs, with the class library's habits: the caller
// sets the first folder, the file name and the filter, runs the dialog and
// reads the chosen file name back. Names travel in Windows form
// ("C:\VRL\consulta\ticket.fmt"), as the system keeps its paths; they are
// resolved only to show the dialog.
//
// The dialog runs through the modal gate under its objectName, so a test
// answers it with a script queued for that name (prueba::EligeArchivo).

#include <QFileDialog>
#include <QString>

namespace ui {

class DialogoArchivo : public QFileDialog {
  Q_OBJECT
 public:
  enum class Tipo { Abrir, Guardar };
  DialogoArchivo(QWidget* padre, Tipo tipo, const QString& nombre);

  // Folder shown first when the file name names none (Windows form).
  QString InitialDir;
  // The proposed name before Execute, the chosen one after it (Windows
  // form). A name with wildcards ("*.fmt") proposes no file.
  QString FileName;
  // Name filters as Qt writes them ("Formatos (*.fmt)"); empty: every file.
  QString Filter;
  // Extension added to a typed name that has none ("fmt"); empty: none.
  QString DefaultExt;

  // Shows the dialog; true when a file was chosen. The open dialog accepts
  // only existing files; the save dialog asks nothing about replacing one.
  bool Execute();
};

}  // namespace ui
