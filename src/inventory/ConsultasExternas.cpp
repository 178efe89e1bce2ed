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

PreguntaCarpeta& Carpeta() {
  static PreguntaCarpeta pregunta;
  return pregunta;
}

}  // namespace

void UnePreguntaCarpeta(PreguntaCarpeta pregunta) { Carpeta() = std::move(pregunta); }
const PreguntaCarpeta& PreguntaCarpetaCaja() { return Carpeta(); }

void UneConsultaProveedores(ConsultaProveedores consulta) { Proveedores() = std::move(consulta); }
void UneConsultaClientes(ConsultaClientes consulta) { Clientes() = std::move(consulta); }
const ConsultaProveedores& ConsultaProveedor() { return Proveedores(); }
const ConsultaClientes& ConsultaCliente() { return Clientes(); }
