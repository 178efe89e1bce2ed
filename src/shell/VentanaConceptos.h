#pragma once
// What the two concept catalogues share: the toolbar panel Panel1 with
// BotonNuevo, BotonGuardar, BotonEliminar, BotonSalir and a record navigator,
// and a data grid over one table of the company data folder.
//
// Every activation while the window's Tag is 0 points the window's tables at
// the data folder (configuration line 8) and opens them with AbreTabla (a
// table that cannot be opened stays closed and is logged; the grid is then
// empty), then sets the Tag to 1, so later activations leave the tables as
// they stand; every activation puts the focus in the grid.
//
// Nuevo inserts a row; Guardar takes what is typed in the grid's cell and
// posts the row: a refusal (a number already in the catalogue, a row another
// station holds) is shown with the table layer's message and the row stays
// on screen, as typed, to be corrected and saved again. Closing the window
// saves a row still being edited the same way (the window stays open when
// that fails) and drops a new row nobody typed into, so no row is left
// locked while the window is hidden.

#include "platform/ui/Forma.h"

class QToolButton;

namespace db {
class Tabla;
}
namespace ui {
class FuenteDatos;
class Navegador;
class Panel;
class RejillaDatos;
}  // namespace ui

class VentanaConceptos : public ui::Forma {
  Q_OBJECT
 public:
  ui::Panel* Panel1;  // toolbar; the pick callers hide it
  QToolButton* BotonNuevo;
  QToolButton* BotonGuardar;
  QToolButton* BotonEliminar;
  QToolButton* BotonSalir;
  ui::Navegador* DBNavigator1;

 protected:
  // The table `nombreTabla` over `archivo` in order of `tag`, shown by the
  // grid `nombreRejilla` in the columns given (field and title).
  VentanaConceptos(QWidget* owner, const QString& nombreTabla, const QString& archivo, const QString& tag,
                   const QString& nombreRejilla, const QList<std::pair<QString, QString>>& columnas);

  void FormActivate() override;
  void FormCloseQuery(bool& puedeCerrar) override;
  virtual void BotonEliminarClick() = 0;

  db::Tabla* tabla_;
  ui::FuenteDatos* fuente_;
  ui::RejillaDatos* rejilla_;

 private:
  void BotonNuevoClick();
  void BotonGuardarClick();
};
