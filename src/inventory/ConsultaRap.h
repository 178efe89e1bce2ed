#pragma once
// The quick query grid: the rows of a query its opener prepares (a
// product's purchases, sales or movements), read only, under the heading
// LabelEncabezado. The opener sets the heading and the text of QueryRap,
// opens it, shows the window modally and frees it; the grid starts on the
// last row.

#include "platform/ui/Forma.h"

class QLabel;
namespace db {
class Consulta;
}
namespace ui {
class FuenteDatos;
class RejillaDatos;
}  // namespace ui

class TFormaConsultaRapida : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaConsultaRapida(QWidget* owner = nullptr);

  QLabel* LabelEncabezado;
  db::Consulta* QueryRap;
  ui::FuenteDatos* DataSource1;
  ui::RejillaDatos* DetalleConsulta;

 protected:
  void FormShow() override;
};

inline TFormaConsultaRapida* FormaConsultaRapida() { return ui::InstanciaDe<TFormaConsultaRapida>().data(); }
