#pragma once
// Registro > "Movimientos" > "Agregar" (hidden submenu): the returns grid,
// a capture-layout table DetaDevol.db of the program folder made afresh
// from the template DetaCR.db at every opening. F2 in a row looks a
// product up and puts its key in the row.

#include "platform/ui/Forma.h"

class QLabel;
class TFormaCapturaRapida;
namespace db {
class Tabla;
}
namespace ui {
class FuenteDatos;
class RejillaDatos;
}  // namespace ui

class TFormaDevolucion : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaDevolucion(QWidget* owner = nullptr);
  ~TFormaDevolucion() override;

  db::Tabla* TablaDevol;
  ui::FuenteDatos* FuenteDevol;
  ui::RejillaDatos* DBGrid1;
  // "1": the lookup looks for the text anywhere in the description.
  QLabel* Avanzada;

  void DBGrid1KeyDown(int& tecla);

 protected:
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;
};

// DetaDevol.db copied from DetaCR.db (refused, the user told, while another
// process holds it), opened and shown modally.
void Agregar1Click(TFormaCapturaRapida& p);
