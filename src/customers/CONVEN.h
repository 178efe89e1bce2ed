#pragma once
// The seller lookup "Consulta Catalogo de Vendedores": a read-only grid over
// VENDEDOR.DBF of the data folder. BuscaVendedor makes the window for the
// call and frees it. Enter in the grid or a double click accept (Tag 1);
// Esc refuses (Tag 0), in the grid or anywhere else in the window.

#include "platform/ui/Forma.h"

#include <QString>

namespace db {
class Tabla;
}
namespace ui {
class FuenteDatos;
class Navegador;
class RejillaDatos;
}  // namespace ui

class TFormaConVendedores : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaConVendedores(QWidget* owner = nullptr);

  ui::RejillaDatos* DBGrid1;
  ui::Navegador* DBNavigator1;
  db::Tabla* TablaVendedores;
  ui::FuenteDatos* DataSource1;

 protected:
  void FormActivate() override;
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;
};

// Lets the user pick a seller, starting at the key nearest to `inicio`.
// Returns the key chosen; "" when the user refused.
QString BuscaVendedor(const QString& inicio);
