#pragma once
// The contact people of one supplier: "Contactos Proveedor", an editable
// grid over ContProv.dbf of the data folder (tag ICLAPRO on CLAVE_P) limited
// to the supplier's rows. Rows are typed, inserted and deleted in the grid
// and saved as the grid posts them; a new row takes the supplier's key at
// once, so the key column never has to be typed. Closing the window saves a
// row still being typed (and stays open, showing why, when that fails).

#include "platform/ui/Forma.h"

#include <QString>

namespace db {
class Tabla;
}
namespace ui {
class FuenteDatos;
class RejillaDatos;
}  // namespace ui

class TFormaContactosProveedor : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaContactosProveedor(QWidget* owner = nullptr);

  ui::RejillaDatos* DBGrid1;
  db::Tabla* TablaContacto;
  ui::FuenteDatos* DataSource1;

  // The supplier whose rows are shown; new rows take it (up to 30
  // characters, as the key field takes it).
  QString ClaveProveedor;

  // Points the window's tables at the data folder and opens them ("Ha
  // Ocurrido un Error al Abrir una de las Bases de Datos." when the folder
  // cannot be read); the window's Tag becomes 1.
  void AbreTablasContactos();

 protected:
  void FormActivate() override;
  void FormCloseQuery(bool& puedeCerrar) override;
};

// Shows the contacts of the supplier modally, in a window made for the call.
void MuestraContactosProveedor(const QString& clave);
