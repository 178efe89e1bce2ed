#include "purchasing/ContProv.h"

#include "purchasing/RegistroProveedor.h"

TFormaContactosProveedor::TFormaContactosProveedor(QWidget* owner)
    : VentanaContactos(owner, QStringLiteral("Contactos Proveedor"), QStringLiteral("TablaContacto"),
                       QStringLiteral("ContProv.dbf"), kTagClaveProveedor, QStringLiteral("CLAVE_P"),
                       {{"CLAVE_P", "Proveedor"},
                        {"CONTA_P", "Contacto"},
                        {"CARGO_P", "Cargo"},
                        {"TELEF_P", "Telefono"},
                        {"FAXXX_P", "Número de Fax"},
                        {"MAILX_P", "Correo Electrónico"}}) {
  setObjectName(QStringLiteral("FormaContactosProveedor"));
}

void MuestraContactosProveedor(const QString& clave) {
  TFormaContactosProveedor forma;
  forma.MuestraContactos(clave);
}
