#include "inventory/EdicionFila.h"

#include "platform/Error.h"
#include "platform/db/Bloqueo.h"
#include "platform/db/Dataset.h"

#include <QElapsedTimer>
#include <QThread>

namespace {

void EditaConEspera(db::Dataset& tabla, const QString& ocupado) {
  QElapsedTimer reloj;
  reloj.start();
  for (;;) {
    try {
      tabla.Edit();
      break;
    } catch (const plat::Error& e) {
      if (e.clase() != plat::Clase::Bloqueado) throw;
      if (reloj.elapsed() >= db::kEsperaMaximaMs) throw plat::Error(plat::Clase::Bloqueado, ocupado);
      QThread::msleep(2);
    }
  }
  // A handler of the caller's (OnEditError) may have given the edit up.
  if (tabla.State() != db::Dataset::Estado::Editando) throw plat::Error(plat::Clase::Bloqueado, ocupado);
}

}  // namespace

void CambiaFila(db::Dataset& tabla, const QString& ocupado, const std::function<void()>& cambio) {
  CambiaFilaSi(tabla, ocupado, [&] {
    cambio();
    return true;
  });
}

bool CambiaFilaSi(db::Dataset& tabla, const QString& ocupado, const std::function<bool()>& cambio) {
  EditaConEspera(tabla, ocupado);
  try {
    if (!cambio()) {
      tabla.Cancel();
      return false;
    }
    tabla.Post();
    // Likewise a handler of the caller's (OnPostError) may have given it up.
    if (tabla.State() != db::Dataset::Estado::Navegando)
      throw plat::Error(plat::Clase::General, QStringLiteral("No se guardó el registro de la tabla %1").arg(tabla.NombreTabla()));
  } catch (...) {
    tabla.Cancel();
    throw;
  }
  return true;
}
