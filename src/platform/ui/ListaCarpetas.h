#pragma once
// The folder list of the class library: the path of the current folder from
// its drive down, each level indented one step more, then its subfolders one
// step below; a double click or Enter on an entry moves the list there.
// Folders travel in Windows form ("C:\VRL\consulta", "D:\"), as the disk
// spells them.

#include <QListWidget>
#include <QString>

namespace ui {

class ListaCarpetas : public QListWidget {
  Q_OBJECT
 public:
  explicit ListaCarpetas(QWidget* padre = nullptr);

  // The folder the list shows; empty before the first move.
  QString Directorio() const { return directorio_; }
  // Moves the list to a folder; a folder that is not there leaves the list
  // where it was. CarpetaCambiada follows every move.
  void SetDirectorio(const QString& carpeta);

 signals:
  void CarpetaCambiada(const QString& carpeta);

 private:
  QString directorio_;
};

}  // namespace ui
