#pragma once
// The stock adjustment sheet "Ajuste de Inventario": AjusteMI.dbf of the
// program folder, made afresh each time the window is shown with one row per
// product of the company's INVENTAR.DBF (its stock and last cost). The user
// types the quantities found into REALES; "Calcular" shows the adjustments
// (AJUSTE := REALES − ACTUAL of every row with a count; a row left without
// one keeps AJUSTE empty), "Ajustar" computes them and
// accepts (Tag 1). The movement window's "Ajuste" then posts one adjustment
// movement for every row whose AJUSTE is not zero. Quantities keep three
// decimals here.

#include "platform/ui/Forma.h"

#include <QString>

class QLabel;
class QPushButton;
namespace db {
class Consulta;
class Tabla;
}  // namespace db
namespace ui {
class FuenteDatos;
class RejillaDatos;
}  // namespace ui

inline const QString kTablaAjusteMovimientos = QStringLiteral("AjusteMI.dbf");

class TFormaAjusteIN : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaAjusteIN(QWidget* owner = nullptr);

  QLabel* LabelRuta;     // hidden: the folder of INVENTAR.DBF as the caller hands it
  QPushButton* BitBtn1;  // "Ajustar"
  QPushButton* BitBtn2;  // "Calcular"
  db::Tabla* TablaSQLM_P;  // AjusteMI.dbf, tag CLAVE
  db::Consulta* QueryInventario;
  ui::FuenteDatos* DataSource1;
  ui::RejillaDatos* DBGrid1;  // only REALES is typed into

 protected:
  void FormShow() override;
  void FormCloseQuery(bool& puedeCerrar) override;

 private:
  // AJUSTE := REALES − ACTUAL for every counted row; false when a row typed
  // could not be kept (the message is shown).
  bool Calcula();
  void BitBtn1Click();
  void BitBtn2Click();
};

inline TFormaAjusteIN* FormaAjusteIN() { return ui::InstanciaDe<TFormaAjusteIN>().data(); }
