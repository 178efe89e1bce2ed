#pragma once
// The movement concept lookup "Consulta de Tipos de Movimientos": the
// concepts of comovinv.dbf (data folder) in number order, read-only, from
// which the movement window's F2 in its concept box picks one. Borderless,
// centred, dragged by its title strip.
//
// Enter or a double click on the grid picks the current concept: the
// movement window's concept box takes its number and the label beside it
// its name, and the lookup closes. The close box, or Esc while no control
// has the focus, closes it without picking; Esc in the grid does nothing.

#include "platform/ui/Forma.h"

class QLabel;
namespace db {
class Tabla;
}
namespace ui {
class FuenteDatos;
class Navegador;
class Panel;
class RejillaDatos;
}  // namespace ui

class TFormaConMovimiento : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaConMovimiento(QWidget* owner = nullptr);

  ui::Panel* Panel1;  // the title strip
  QLabel* Label1;
  ui::Panel* Panel2;  // the close box
  ui::Navegador* DBNavigator1;
  ui::RejillaDatos* DBGrid1;
  db::Tabla* TablaConMovimiento;  // comovinv.dbf, tag ITIPMOV
  ui::FuenteDatos* DataSource1;

 protected:
  void FormActivate() override;
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;

 private:
  // Writes the current concept into the movement window and closes.
  void Elige();
};
