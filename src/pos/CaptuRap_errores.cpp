// The sale screen's shared tables answer their failed edits, posts and
// deletes with the policy of pos/ErroresTablas.h; the policy is here.

#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "pos/CaptuRap.h"
#include "pos/ErroresTablas.h"

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

void ConectaErroresCompartidos(std::initializer_list<db::Tabla*> compartidas, db::Tabla* encabezado,
                               std::function<bool()> documentoNuevo) {
  for (db::Tabla* t : compartidas) {
    t->OnEditError = EsperaBloqueo;
    t->OnPostError = EsperaBloqueo;
    t->OnDeleteError = EsperaBloqueo;
  }
  encabezado->OnEditError = [documentoNuevo = std::move(documentoNuevo)](db::Dataset& tabla, const plat::Error& e) {
    if (!documentoNuevo()) throw plat::Error(e.clase(), kNoSeEditan);
    return EsperaBloqueo(tabla, e);
  };
}

void TFormaCapturaRapida::ConectaErroresTablas() {
  ConectaErroresCompartidos({TablaFacturae, TablaFacturaD, TablaCliente, TablaInventario, TablaVendedores,
                             TablamovimientosInventario},
                            TablaFacturae, [this] { return DocumentoNuevo; });
}
