#pragma once
// The field picker "Campos de las Bases de Datos": the fields of one of the
// eleven tables a format may read, as the field catalogue confcamp.cmp
// describes them, so the user can pick one for a format; the list can be
// printed. Each entry reads "NAME  [nnn]  description", [nnn] being its
// position in the list, from 0: the field's index reference in a format.
//
// The caller creates it (fresh at each use), may set Bases' text and run
// BasesChange, shows it modally, reads Elegido and frees it. A double click
// on an entry or Esc closes it.

#include "platform/ui/Forma.h"

#include <QString>
#include <QStringList>

#include <optional>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

// The table names of the picker, in its order.
QStringList TablasCampos();
// The catalogue file of a table name ("Clientes" -> "cliente.dbf"); empty
// for a name that is not one of them.
QString ArchivoTablaCampos(const QString& tabla);
// The editor's field list file of a table name ("Clientes" ->
// "Clientes.cam"); empty for the tables of document lines and unknown names.
QString ListaCamposTabla(const QString& tabla);

class TFormaCampos : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaCampos(QWidget* owner = nullptr);

  QLabel* Label1;
  QComboBox* Bases;
  QListWidget* Campos;
  QPushButton* SpeedButton1;
  QLabel* Label2;

  // Fills the list for the table named in Bases: the 49 entries of its
  // block of the catalogue; none for a name the picker does not know.
  void BasesChange();
  // The whole entry at the selected row; nothing when no row is selected.
  std::optional<QString> Elegido() const;

  // Prints the list: one page, "Arial" 11, one entry per 1/55 of the page.
  void SpeedButton1Click();

 protected:
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;
};

inline TFormaCampos* FormaCampos() { return ui::InstanciaDe<TFormaCampos>().data(); }
