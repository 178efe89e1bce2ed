#include "tablas/TablasVorlan.h"

#include "customers/TablasClientes.h"
#include "foundation/TablasBase.h"
#include "inventory/TablasInventario.h"
#include "maintenance/TablasMantenimiento.h"
#include "pos/TablasVenta.h"
#include "purchasing/TablasCompras.h"
#include "salesdocs/TablasDocumentos.h"
#include "shell/TablasConfiguracion.h"

void RegistraTablasVorlan(db::Catalogo& catalogo) {
  RegistraTablasBase(catalogo);
  RegistraTablasConfiguracion(catalogo);
  RegistraTablasInventario(catalogo);
  RegistraTablasClientes(catalogo);
  RegistraTablasVenta(catalogo);
  RegistraTablasDocumentos(catalogo);
  RegistraTablasCompras(catalogo);
  RegistraTablasMantenimiento(catalogo);
}

const db::Catalogo& CatalogoVorlan() {
  static const db::Catalogo catalogo = [] {
    db::Catalogo c;
    RegistraTablasVorlan(c);
    return c;
  }();
  return catalogo;
}
