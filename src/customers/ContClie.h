#pragma once
// The contact people of one customer: "Contactos", over ContClie.dbf of the
// data folder (tag ICLACLI on CLCLI_C), opened by the customer catalogue's
// "Contactos" for the customer on screen.

#include "customers/VentanaContactos.h"

class TFormaContactos : public VentanaContactos {
  Q_OBJECT
 public:
  explicit TFormaContactos(QWidget* owner = nullptr);
};

// Shows the contacts of the customer modally, in a window made for the call.
void MuestraContactosCliente(const QString& clave);
