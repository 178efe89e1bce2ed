#pragma once
// "Rutas del Kardex": the rows of RutasMI.dbf, the further data folders
// whose remissions the stock recount counts (field `ruta`, a folder without
// a final backslash), edited, added and deleted in the grid.

#include "inventory/VentanaRejilla.h"

#include <QString>

class TFormaRutaKardex : public VentanaRejilla {
  Q_OBJECT
 public:
  explicit TFormaRutaKardex(QWidget* owner = nullptr);
};

inline TFormaRutaKardex* FormaRutaKardex() { return ui::InstanciaDe<TFormaRutaKardex>().data(); }

// Shows the folders window on the company's RutasMI.dbf, modally. The table
// comes with the installation: a missing one is an error that reaches the
// caller, and no window is shown.
void MuestraRutasKardex();
