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

// CADUCIDAD.DBF of the program folder, the expiry batches: of one product
// (with CUENTA, the batch's place in the walk) or of all products (with
// CLPRO and PRODUCTO).
db::DefTabla EsquemaCaducidad(bool todos);

void RegistraTablasInventario(db::Catalogo& catalogo);
