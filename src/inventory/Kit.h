#pragma once
// The components of a kit product: the rows of KITS.DBF (in the product
// table's folder) whose CLPRO_I is the kit's key, each naming a component
// (CLPRO_K), its description (DESCR_K) and how many of it one kit holds
// (CANTI_K). The sale screen explodes a sold kit into these rows.
//
// The grid Detalle edits the rows in place, limited to the kit by a range on
// the tag CLPRO_I; a row typed in belongs to the kit. F2 picks the
// component from the product lookup. "Guardar" takes the cell being typed
// and posts the row; moving to another row posts it as well, and so does
// closing the window, so no component typed in is lost (a row that cannot
// be posted is shown and keeps the window open).

#include "platform/ui/Forma.h"

class QPushButton;

namespace db {
class Tabla;
}
namespace ui {
class FuenteDatos;
class RejillaDatos;
}  // namespace ui

class TFormaKit : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaKit(QWidget* owner = nullptr);

  db::Tabla* TablaKit;  // KITS.DBF, tag CLPRO_I
  ui::FuenteDatos* DataSource1;
  ui::RejillaDatos* Detalle;
  QPushButton* BitBtn1;  // "Guardar"
  QString ClaveKit;

  // A new row belongs to the kit.
  void TablaKitAfterInsert();
  // F2: the component from the product lookup.
  void DetalleKeyDown(int& tecla, Qt::KeyboardModifiers shift);
  void BitBtn1Click();

 protected:
  void FormCloseQuery(bool& puedeCerrar) override;
};

// Shows the components of the kit `clave`, with the company's KITS.DBF,
// modally. A missing KITS.DBF gives the table layer's error (plat::Error)
// before anything is shown.
void MuestraComponentesKit(const QString& clave);
