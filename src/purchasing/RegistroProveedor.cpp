#include "purchasing/RegistroProveedor.h"

#include "foundation/rutinas_tablas.h"
#include "inventory/CamposRegistro.h"
#include "platform/db/Tabla.h"

#include <vector>

namespace {

using R = TRegistroProveedor;

const std::vector<registro::Campo<R>>& Campos() {
  static const std::vector<registro::Campo<R>> campos = {
      {"CLAVE_P", &R::CLAVE_P}, {"NOMBR_P", &R::NOMBR_P}, {"TELEF_P", &R::TELEF_P},
      {"RFCXX_P", &R::RFCXX_P}, {"DIREC_P", &R::DIREC_P}, {"POBLA_P", &R::POBLA_P},
      {"CPXXX_P", &R::CPXXX_P}, {"DREPA_P", &R::DREPA_P}, {"ZONAX_P", &R::ZONAX_P},
      {"DCRED_P", &R::DCRED_P}, {"FULCO_P", &R::FULCO_P}, {"CLVEN_P", &R::CLVEN_P},
      {"NOCLI_P", &R::NOCLI_P}, {"POUTI_P", &R::POUTI_P}, {"DESC1_P", &R::DESC1_P, true},
      {"DESC2_P", &R::DESC2_P, true}, {"DESC3_P", &R::DESC3_P, true}, {"COMPR_P", &R::COMPR_P},
      {"ULTCO_P", &R::ULTCO_P}, {"CARGO_P", &R::CARGO_P}, {"ABONO_P", &R::ABONO_P},
      {"SALDO_P", &R::SALDO_P}};
  return campos;
}

}  // namespace

void TRegistroProveedor::Lee(const db::Dataset& proveedores) { registro::Lee(*this, proveedores, Campos()); }

QString SiguienteClaveProveedor(const db::Tabla& proveedores) {
  const QString siguiente = SiguienteClaveNumerica(proveedores, QStringLiteral("CLAVE_P"));
  return siguiente.isEmpty() ? QStringLiteral("00001") : siguiente;
}
