#pragma once
// The Reportes menu of the legacy document window: the sale screen's report
// rows (salesdocs/GuionesVenta.h) with this window's differences, its own
// scripts (documents by customer, the Z cuts, the comparative) and the
// sale screen's charts over this window's work table. Every quoted path is
// in the header table's folder, the product table's too.

#include "salesdocs/GuionesVenta.h"

#include <QString>

#include <optional>

// The menu's items in order: component name, caption, hidden.
struct ItemReporteFactura {
  const char* clave;
  const char* caption;
  bool oculto;
};
const QVector<ItemReporteFactura>& ItemsReporteFactura();

// The script and the runner's arguments of a script report of the window
// by component name (`caja`: the register typed for "Documentos Pagados");
// nothing for a chart, the query commands or an unknown name.
std::optional<ArgumentosReporteVenta> ArgumentosReporteFactura(const QString& clave, const ContextoReporte& contexto,
                                                           const QString& caja = QString());
