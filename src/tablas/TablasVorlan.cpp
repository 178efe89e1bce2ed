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

QStringList CreaTablasEmpresa(const db::Carpetas& carpetas) {
  QStringList hechas = db::CreaTablas(CatalogoVorlan(), carpetas, db::OrigenTabla::Empresa);
  hechas += db::CreaTablas(CatalogoVorlan(), carpetas, db::OrigenTabla::Programa);
  return hechas;
}

QVector<db::Diferencia> VerificaTablasEmpresa(const db::Carpetas& carpetas) {
  QVector<db::Diferencia> r = db::VerificaTablas(CatalogoVorlan(), carpetas, db::OrigenTabla::Empresa);
  r += db::VerificaTablas(CatalogoVorlan(), carpetas, db::OrigenTabla::Programa);
  return r;
}
