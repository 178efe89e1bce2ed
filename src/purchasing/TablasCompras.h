#pragma once
// Layouts of the purchase document, supplier and payable tables.

#include "platform/db/Catalogo.h"

// The header shared by the three kinds of purchase document (suffix _O);
// the receipt table also has the tags CLPRV_O and REFER_O.
db::DefTabla EsquemaEncabezadoCompra(const QString& archivo, db::CarpetaTabla carpeta, db::OrigenTabla origen,
                                     bool tagsRecepcion);
// The line shared by the three kinds of purchase document (suffix _OD).
db::DefTabla EsquemaPartidaCompra(const QString& archivo);
// PROVEEDO.DBF, the supplier record.
db::DefTabla EsquemaProveedor();

void RegistraTablasCompras(db::Catalogo& catalogo);
