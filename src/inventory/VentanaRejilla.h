#pragma once
// What the price grid and the folders window share: one table (Table1)
// edited in place in a grid (DBGrid1) filling the window. Closing the window
// saves a row still being edited (the window stays open when the save is
// refused, the row as typed) and closes the table.

#include "platform/ui/Forma.h"

namespace db {
class Tabla;
}
namespace ui {
class FuenteDatos;
class RejillaDatos;
}  // namespace ui

class VentanaRejilla : public ui::Forma {
  Q_OBJECT
 public:
  db::Tabla* Table1;
  ui::FuenteDatos* DataSource1;
  ui::RejillaDatos* DBGrid1;

 protected:
  VentanaRejilla(QWidget* owner, const QString& nombre, const QString& titulo);

  void FormCloseQuery(bool& puedeCerrar) override;
  void FormClose() override;
};
