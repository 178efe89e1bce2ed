// What the sale screen's shared tables do when an edit, a post or a delete
// fails. Several stations share them: a record another station holds, or a
// table it is writing, is waited for (the table layer retries for a few
// seconds at most, then gives the error up); any other failure (a full
// disk, a value that does not fit, a table open only for reading) fails at
// once. The error then reaches the guard of the routine that did the write,
// which shows it or swallows it, and it names the table.
//
// The header table keeps one rule of its own: outside a new document its
// edit fails at once with "No se Pueden Editar los Datos ha Ocurrido un
// Error", whatever the cause.
//
// The capture table and the station's own tables are not shared: their
// errors fail at once, as the table layer gives them.

#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "pos/CaptuRap.h"

namespace {

const QString kNoSeEditan = QStringLiteral("No se Pueden Editar los Datos ha Ocurrido un Error");

bool EsBloqueo(const plat::Error& e) {
  return e.clase() == plat::Clase::Bloqueado || e.clase() == plat::Clase::EnUso;
}

// The error as it goes on, its table named when its text does not name it.
plat::Error ConTabla(const db::Dataset& tabla, const plat::Error& e) {
  if (e.mensaje().contains(tabla.NombreTabla(), Qt::CaseInsensitive)) return e;
  return plat::Error(e.clase(), e.mensaje() + QStringLiteral(" (tabla ") + tabla.NombreTabla() + u')');
}

db::AccionError EsperaBloqueo(db::Dataset& tabla, const plat::Error& e) {
  if (EsBloqueo(e)) return db::AccionError::Retry;
  throw ConTabla(tabla, e);
}

}  // namespace

void TFormaCapturaRapida::ConectaErroresTablas() {
  for (db::Tabla* t : {TablaFacturae, TablaFacturaD, TablaCliente, TablaInventario, TablaVendedores,
                       TablamovimientosInventario}) {
    t->OnEditError = EsperaBloqueo;
    t->OnPostError = EsperaBloqueo;
    t->OnDeleteError = EsperaBloqueo;
  }
  TablaFacturae->OnEditError = [this](db::Dataset& tabla, const plat::Error& e) {
    if (!DocumentoNuevo) throw plat::Error(e.clase(), kNoSeEditan);
    return EsperaBloqueo(tabla, e);
  };
}
