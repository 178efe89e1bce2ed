#pragma once
// The payment-type table "Descuentos Tipo Pago": a grid over every row of
// Descuento.DBF, editable, one row per payment type (TIPOPAGO, the
// document discount DESCUENTO, the price list PRECIO). The caller points
// TablaDescuento at the table of the data folder, opens it and shows the
// window modally; a row still being typed is posted when it closes.

#include "platform/ui/Forma.h"

namespace db {
class Tabla;
}
namespace ui {
class FuenteDatos;
class RejillaDatos;
}  // namespace ui

class TFormaDescuentoPago : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaDescuentoPago(QWidget* owner = nullptr);

  db::Tabla* TablaDescuento;
  ui::FuenteDatos* FuenteDescuento;
  ui::RejillaDatos* DBGrid1;

 protected:
  void FormShow() override;
  void FormClose() override;
};
