#pragma once
// The concepts of cash vouchers and their classifications: a grid of
// Pagos.dbf (each concept with the classification key it belongs to) with
// the boxes "Clave" and "Concepto", and a grid of Clasificacion.dbf
// ("Clasificación"), both in the data folder the caller puts into the hidden
// label LabelRuta. "Nuevo" starts a concept of the classification selected;
// "Actualizar" posts it and writes the concept list Salidas.cnf of the data
// folder again, every concept in key order as CLAVE + two blanks + CONCEPTO,
// which the voucher window offers.

#include "platform/ui/Forma.h"

class QLabel;
class QPushButton;
namespace db {
class Tabla;
}
namespace ui {
class EditDatos;
class FuenteDatos;
class RejillaDatos;
}  // namespace ui

class TFormaConceptoPago : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaConceptoPago(QWidget* owner = nullptr);

  db::Tabla *TablaPagos, *TablaClasificacion;
  ui::FuenteDatos *FuentePagos, *FuenteClasificacion;
  ui::RejillaDatos *DBGrid1, *DBGrid2;
  ui::EditDatos *EditCLAVE, *EditCONCEPTO;
  QPushButton *BitBtn1, *Actualizar;
  QLabel* LabelRuta;

  void BitBtn1Click();
  void ActualizarClick();

 protected:
  void FormShow() override;
};
