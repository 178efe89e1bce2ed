#pragma once
// The movement mirror viewer: every field of Movimientos.dbf of the folder
// in the hidden label LabelRuta (the opener puts the inventory folder there),
// read only. The table is opened when the window is shown; a missing table is
// reported by the default error handler.

#include "platform/db/Tabla.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/Forma.h"

class QLabel;

namespace ui {
class RejillaDatos;
}

class TFormaMovimientos : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaMovimientos(QWidget* owner = nullptr);

  QLabel* LabelRuta;
  db::Tabla* Table1;
  ui::FuenteDatos* DataSource1;
  ui::RejillaDatos* DBGrid1;

 protected:
  void FormShow() override;
  void FormClose() override;
};

inline TFormaMovimientos* FormaMovimientos() { return ui::InstanciaDe<TFormaMovimientos>().data(); }
