#pragma once
// The price calculator "Calcular x Precio" that F7 opens during a capture:
// two data fields on the current row of the sale screen's capture table
// (through its FuenteTablaDeta), the amount of money (IMPORTE) and the
// product key or barcode (CLAVE); the window keeps no values of its own.
//
// Enter in the amount goes to the key; leaving the key (Enter, Tab, a click
// on a button) computes the row once (CalculaPrecioPorImporte, XPrecio.h),
// closes the window and puts the sale screen's focus in EditCantidad. F2 in
// the key opens the product lookup and computes with its answer. Esc,
// "Aceptar" and "Cancelar" only close the window. The sale screen makes it,
// shows it modally, then posts the row and totals the sale. Another capture
// window (the legacy document window) gives it its own capture first
// (FijaCaptura).

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
}

// The capture the calculator works on: the capture table through its
// source, the product table, the grid and the quantity edit of its window.
struct CapturaCalculadora {
  ui::FuenteDatos* fuente = nullptr;
  db::Tabla* deta = nullptr;
  db::Tabla* inventario = nullptr;
  ui::RejillaDatos* detalle = nullptr;
  QWidget* cantidad = nullptr;
};

class TFormaCalculaxPrecio : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaCalculaxPrecio(QWidget* owner = nullptr);

  QLabel* Label1;
  ui::EditDatos* DBEdit1;
  QLabel* Clave;
  ui::EditDatos* DBEdit2;
  QLabel* Label3;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;

  // The capture of another window; without it, the sale screen's.
  void FijaCaptura(const CapturaCalculadora& captura) { captura_ = captura; }

 protected:
  void FormShow() override;
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;

 private:
  void DBEdit1KeyDown(int& tecla);
  void DBEdit2KeyDown(int& tecla);
  // F2: the lookup's key on the row, then the computation.
  void BuscaClave();
  // The row computed from its amount and key (once), the window closed.
  void Calcula();

  // The capture set, else the sale screen's; nothing without either.
  CapturaCalculadora Captura() const;

  bool calculado_ = false;
  CapturaCalculadora captura_;
};

inline TFormaCalculaxPrecio* FormaCalculaxPrecio() { return ui::InstanciaDe<TFormaCalculaxPrecio>().data(); }
