#pragma once
// What the customer and supplier contact windows share: an editable grid
// over a contacts table of the data folder, limited to the rows of one
// owner (a customer or a supplier). Rows are typed, changed, inserted and
// deleted in the grid and saved as the grid posts them; a new row takes the
// owner's key by itself, so the key column never has to be typed. Closing
// the window saves a row still being typed (and stays open, showing why,
// when that fails). The windows are made for each call and freed after.

#include "platform/ui/Forma.h"

#include <QString>

#include <initializer_list>
#include <utility>

namespace db {
class Tabla;
}
namespace ui {
class FuenteDatos;
class RejillaDatos;
}  // namespace ui

class VentanaContactos : public ui::Forma {
  Q_OBJECT
 public:
  ui::RejillaDatos* DBGrid1;
  db::Tabla* TablaContacto;
  ui::FuenteDatos* DataSource1;

  // The owner whose rows are shown; new rows take it (30 characters at most,
  // as the key fields take it).
  QString Clave;

  // Points the table at the data folder (configuration line 8) and opens it;
  // "Ha Ocurrido un Error al Abrir una de las Bases de Datos." when it does
  // not open. The window's Tag becomes 1.
  void AbreTablasContactos();

  // Shows the rows of the owner `clave` modally.
  void MuestraContactos(const QString& clave);

 protected:
  // The table `nombreTabla` over `archivo`, ordered by `tag` on the owner's
  // key field `campoClave`, shown in the columns given (field and title).
  VentanaContactos(QWidget* owner, const QString& titulo, const QString& nombreTabla, const QString& archivo,
                   const QString& tag, const QString& campoClave,
                   std::initializer_list<std::pair<const char*, const char*>> columnas);

  void FormActivate() override;
  void FormCloseQuery(bool& puedeCerrar) override;
};
