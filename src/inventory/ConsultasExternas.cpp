#include "inventory/ConsultasExternas.h"

namespace {

ConsultaProveedores& Proveedores() {
  static ConsultaProveedores consulta;
  return consulta;
}

ConsultaClientes& Clientes() {
  static ConsultaClientes consulta;
  return consulta;
}

}  // namespace

void UneConsultaProveedores(ConsultaProveedores consulta) { Proveedores() = std::move(consulta); }
void UneConsultaClientes(ConsultaClientes consulta) { Clientes() = std::move(consulta); }
const ConsultaProveedores& ConsultaProveedor() { return Proveedores(); }
const ConsultaClientes& ConsultaCliente() { return Clientes(); }
