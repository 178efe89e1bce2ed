#pragma once
// The report scripts and queries of the product window's "Reportes" and
// "Consultas" menus and of its expiry commands: texts only, built here so
// that each command hands the report runner (reports/RepoSQL.h) or its grid
// exactly what it asks for.
//
// Scripts are lines each ended by a carriage return. The kind ("%") and
// heading ("#") lines keep every blank: the headings' spacing sets the
// column widths. A product key spliced into a statement goes in as an
// escaped literal (platform/db/Literales.h), so a key holding a quote lists
// its own rows.

#include <QString>

#include <vector>

// One of the plain listings of the product table.
struct ListadoInventario {
  const char* item;         // the menu item's object name ("Stocks1")
  const char* columnas;     // the select list
  const char* condicion;    // the "?" line; {factor} stands for ConfFactorStock
  const char* orden;        // the "!" line
  const char* tipos;        // the "%" line
  const char* encabezado;   // the "#" line
};

// The fifteen plain listings, in menu order.
const std::vector<ListadoInventario>& ListadosInventario();
// The listing of a menu item; nullptr when the item is no plain listing.
const ListadoInventario* BuscaListadoInventario(const QString& item);

// The product table's file name as the scripts name it.
inline const QString kArchivoProductosGuion = QStringLiteral("INVENTAR.dbf");

// The stock factor of configuration line 72 as it enters the listings of
// stock against the maximum: the line cut to 10 characters; "0" when it is
// empty or does not read as a number (so a stray text can never reach the
// statement).
QString FactorStockGuion(const QString& linea72);

// The script of a plain listing titled `titulo` over the product table.
// Every table the texts below name is in its own folder (shell/LugarTablas.h).
QString GuionListadoInventario(const ListadoInventario& listado, const QString& titulo, const QString& factor);

// "Caducidad" of "Reportes": the purchase lines of one product (key cut to
// 15 characters) with their expiry, joined to the product table.
QString GuionCaducidadProducto(const QString& titulo, const QString& clave);

// "Historia Compras y Ventas": the purchase and invoice lines of one product
// (key cut to 25 characters), one statement joined by UNION on one "&" line.
QString GuionHistoriaProducto(const QString& titulo, const QString& clave);

// The receipts of one product that the expiry analysis takes: purchase lines
// of ComprasD.dbf (movement type 51) and the entries (types above 50) of
// MovInven.dbf, ordered by the expiry text. `conProducto` adds the columns
// CLPRO and PRODUCTO of the all-products analysis.
QString ConsultaLotesProducto(const QString& clave, bool conProducto);

// The listing of the all-products expiry table CADUCIDAD.DBF of the program
// folder.
QString GuionCaducidadTodos(const QString& titulo, const QString& carpetaPrograma);

// The quick queries of "Consultas": a product's live purchase lines, live
// remission lines and movement rows.
QString ConsultaComprasProducto(const QString& clave);
QString ConsultaVentasProducto(const QString& clave);
QString ConsultaMovimientosProducto(const QString& clave);
