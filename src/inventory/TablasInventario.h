#pragma once
// Layouts of the product and inventory tables.

#include "platform/db/Catalogo.h"

// INVENTAR.DBF, the product record (inventory folder).
db::DefTabla EsquemaInventar();
// MOVINVEN.DBF, the inventory movement record (inventory folder).
db::DefTabla EsquemaMovinven();

void RegistraTablasInventario(db::Catalogo& catalogo);
