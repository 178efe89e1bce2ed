#pragma once
// The contact people of one supplier: "Contactos Proveedor", over
// ContProv.dbf of the data folder (tag ICLAPRO on CLAVE_P), opened by the
// supplier catalogue's "Contactos" for the supplier on screen.

#include "customers/VentanaContactos.h"

class TFormaContactosProveedor : public VentanaContactos {
  Q_OBJECT
 public:
  explicit TFormaContactosProveedor(QWidget* owner = nullptr);
};

// Shows the contacts of the supplier modally, in a window made for the call.
void MuestraContactosProveedor(const QString& clave);
