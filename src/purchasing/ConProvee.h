#pragma once
// The supplier lookup "Consulta Catalogo de Proveedores": a read-only list of
// the suppliers of PROVEEDO.DBF (key and name) in key or name order, made for
// each call. Enter or a double click on the list accepts (Tag 100); Esc on
// the list refuses (Tag 2); Esc elsewhere and the close box close it
// refusing too. "Por Nombre F2" and "Por Clave F3" (or the keys F2 and F3)
// order the list and ask for a text to stand on.

#include "platform/ui/Forma.h"

#include <QString>

class QRadioButton;
namespace db {
class Tabla;
}
namespace ui {
class FuenteDatos;
class Navegador;
class RejillaDatos;
}  // namespace ui

// The Tag of an accepted lookup.
inline constexpr int kProveedorElegido = 100;

class TFormaConProvee : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaConProvee(QWidget* owner = nullptr);

  ui::RejillaDatos* DBGrid1;
  ui::Navegador* DBNavigator1;
  QRadioButton* PorNombre;
  QRadioButton* PorClave;
  db::Tabla* TablaConProvee;
  ui::FuenteDatos* DataSource1;

  // Points the window's tables at the data folder and opens them (a table
  // that does not open is logged and stays closed); the Tag becomes 1.
  void AbreTablasConProvee();
  // Orders the list by name or by key, asks for a text in the quick search
  // dialog and stands on the nearest row. A text the order cannot take (a
  // word in a numeric key order) reaches the caller.
  void BuscaRapidaProveedor(bool porNombre);

 protected:
  void FormActivate() override;
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;
};

// Lets the user pick a supplier, starting at the key nearest to `inicio`.
// Returns CLAVE_P of the supplier chosen; "" when the user refused.
QString BuscaProveedor(const QString& inicio);
