#pragma once
// The folder picker: a drive box with the drive letters the program maps, a
// folder list (the path of the current folder from its drive down, then its
// subfolders; a double click or Enter opens one) and the label
// LabelDirectorio, which always shows the current folder in Windows form.
// "&Aceptar" answers Tag 1, "Cancelar" and Esc leave it 0. The chosen folder
// is the label's text.

#include "platform/ui/Forma.h"
#include "platform/ui/ListaCarpetas.h"

class QComboBox;
class QLabel;
class QPushButton;

class TFormaDirectorio : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaDirectorio(QWidget* owner = nullptr);

  QComboBox* DriveComboBox1;
  ui::ListaCarpetas* DirectoryListBox1;
  QLabel* LabelDirectorio;
  QPushButton* Aceptar;
  QPushButton* Cancelar;

  // The folder the list shows, in Windows form ("C:\VRL\DATOS", "D:\").
  QString Directorio() const;
  // Moves the list to a folder (Windows form); a folder that is not there
  // leaves the list where it was.
  void SetDirectorio(const QString& carpeta);

 private:
  void DriveComboBox1Change();
  void DirectoryListBox1Change(const QString& carpeta);
};

inline TFormaDirectorio* FormaDirectorio() { return ui::InstanciaDe<TFormaDirectorio>().data(); }

// Shows the folder picker; when it is accepted, salida := the chosen folder
// in Windows form. Otherwise salida is left as it was.
void EligeCarpeta(QString& salida);
