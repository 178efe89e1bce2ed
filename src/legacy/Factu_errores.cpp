// The legacy window's six shared tables answer their failed edits, posts
// and deletes as the sale screen's do (pos/ErroresTablas.h): a lock is
// waited for a few seconds at most, anything else fails at once naming the
// table; the header's edit outside a new document fails at once with its
// own message. The capture, total and work tables keep the table layer's
// errors. The table layer applies no cached updates, so there is no update
// error to answer.

#include "legacy/Factu.h"
#include "pos/ErroresTablas.h"

void TFormaFactura::ConectaErroresFactura() {
  ConectaErroresCompartidos({TablaFacturae, TablaFacturaD, TablaCliente, TablaInventario, TablaVendedores,
                             TablamovimientosInventario},
                            TablaFacturae, [this] { return EstadoFactura.DocumentoNuevo; });
}
