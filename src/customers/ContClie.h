#pragma once
// The contact people of one customer: "Contactos", an editable grid over
// ContClie.dbf of the data folder (tag ICLACLI on CLCLI_C) limited to the
// customer's rows. Rows are typed, changed, inserted and deleted in the grid
// and saved as the grid posts them; a new row takes the customer's key by
// itself. Closing the window saves a row still being typed (and stays open,
// showing why, when that fails).

#include "platform/ui/Forma.h"

#include <QString>

namespace db {
class Tabla;
}
namespace ui {
class FuenteDatos;
class RejillaDatos;
}  // namespace ui

inline const QString kErrorAbrirContactos = QStringLiteral("Ha Ocurrido un Error al Abrir una de las Bases de Datos.");

class TFormaContactos : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaContactos(QWidget* owner = nullptr);

  ui::RejillaDatos* DBGrid1;
  db::Tabla* Tablacontactos;
  ui::FuenteDatos* DataSource1;

  // The customer whose rows are shown; new rows take it (30 characters at
  // most).
  QString ClaveCliente;

  // Points the window's tables at the data folder (configuration line 8)
  // and opens them; a table that does not open is told. The Tag becomes 1.
  void AbreTablasContactos();

 protected:
  void FormActivate() override;
  void FormCloseQuery(bool& puedeCerrar) override;
};

// Shows the contacts of the customer modally, in a window made for the call.
void MuestraContactosCliente(const QString& clave);
