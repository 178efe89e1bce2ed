#include "customers/ContClie.h"

TFormaContactos::TFormaContactos(QWidget* owner)
    : VentanaContactos(owner, QStringLiteral("Contactos"), QStringLiteral("Tablacontactos"),
                       QStringLiteral("ContClie.dbf"), QStringLiteral("ICLACLI"), QStringLiteral("CLCLI_C"),
                       {{"CLCLI_C", "Cliente"},
                        {"COBRA_C", "Contacto"},
                        {"CARGO_C", "Cargo"},
                        {"TELEF_C", "Telefono"},
                        {"FAXXX_C", "Número de Fax"},
                        {"MAILX_C", "correo Electrónico"}}) {
  setObjectName(QStringLiteral("FormaContactos"));
}

void MuestraContactosCliente(const QString& clave) {
  TFormaContactos forma;
  forma.MuestraContactos(clave);
}
