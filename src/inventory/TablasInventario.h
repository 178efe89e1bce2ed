#pragma once
// Layouts of the product and inventory tables.

#include "platform/db/Catalogo.h"

// INVENTAR.DBF, the product record (inventory folder).
db::DefTabla EsquemaInventar();
// MOVINVEN.DBF, the inventory movement record (inventory folder).
db::DefTabla EsquemaMovinven();

// auxiliar.dbf, the stock card's table, in the layout of one card builder:
// "integral", "movimientos", "costo" or "alterno". DOCUMENTO is text in the
// integral card only.
db::DefTabla EsquemaAuxiliar(const QString& variante);

void RegistraTablasInventario(db::Catalogo& catalogo);
