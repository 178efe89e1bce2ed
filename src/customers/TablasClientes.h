#pragma once
// Layouts of the customer, seller and receivable tables.

#include "platform/db/Catalogo.h"

// CLIENTE.DBF, the customer record (data folder).
db::DefTabla EsquemaCliente();

void RegistraTablasClientes(db::Catalogo& catalogo);
