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

// The shared supplier and payable tables of the data folder.
inline const QString kTablaProveedores = QStringLiteral("PROVEEDO.DBF");
inline const QString kTablaCuentasPagar = QStringLiteral("CUEPAGAR.DBF");
// The concept of a receipt's own charge row.
inline constexpr int kConceptoCargoCompra = 51;
