#pragma once
// The seller dialog "Vendedor" of "Configura Vendedor": one text field,
// Edit1. Enter closes it with Tag 1, Esc with Tag 0; the caller reads Edit1
// in either case.

#include "platform/ui/Forma.h"

class QLabel;
class QLineEdit;

// The characters the station's seller key holds; Edit1 takes no more.
inline constexpr int kLargoVendedorCaja = 10;

class TFormaAsignaVendedor : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaAsignaVendedor(QWidget* owner = nullptr);

  QLabel* Vendedor;
  QLineEdit* Edit1;

 protected:
  void FormActivate() override;
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;
};

inline TFormaAsignaVendedor* FormaAsignaVendedor() { return ui::InstanciaDe<TFormaAsignaVendedor>().data(); }
