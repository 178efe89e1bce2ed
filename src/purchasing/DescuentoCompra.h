#pragma once
// The purchase-discount picker "FormaDescuentoCompra": a list the buyer keeps
// of descriptions (column 0) and discounts (column 1), offered when the
// first discount column of a purchase line is entered. F12 or a double click
// on the list accepts the current row (Tag 1); Enter in the list moves to
// the next cell, as in every string grid; Esc closes without an answer.
// Enter with the focus elsewhere accepts too.
//
// The list lives in "DescentosCompra.cnf" of the program folder, two lines
// per row (column 0, then column 1). The grid grows to hold every row of the
// file, and closing rewrites the file with every row, so edits made in the
// grid survive.

#include "platform/ui/Forma.h"

namespace ui {
class RejillaTexto;
}

inline const QString kArchivoDescuentosCompra = QStringLiteral("DescentosCompra.cnf");

class TFormaDescuentoCompra : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaDescuentoCompra(QWidget* owner = nullptr);

  ui::RejillaTexto* DescuentosDetalle;

  // Shows the picker modally; with Tag 1 afterwards, texto := column 1 of
  // the list's current row; otherwise texto stays as it was.
  void EligeDescuentoCompra(QString& texto);

 protected:
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;
  void FormClose() override;

 private:
  void Acepta();
  void GuardaLista();
};
