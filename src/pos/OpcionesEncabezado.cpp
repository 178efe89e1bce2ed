#include "pos/OpcionesEncabezado.h"

#include "foundation/rutinas.h"
#include "platform/Error.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"

namespace {

QString Ruta() { return CarpetaPrograma(QStringLiteral("\\") + kArchivoOpcionesEncabezado); }

}  // namespace

QStringList LeeOpcionesEncabezado() { return fs::LeeLineas(Ruta()); }

void EscribeOpcionesEncabezado(const QStringList& primeras) {
  QStringList lineas = primeras;
  if (lineas.size() < kLineasOpcionesVenta) {
    QStringList anteriores;
    try {
      if (fs::ExisteArchivo(Ruta())) anteriores = LeeOpcionesEncabezado();
    } catch (const plat::Error&) {
    }
    for (qsizetype i = lineas.size(); i < kLineasOpcionesVenta; ++i)
      lineas << (i < anteriores.size() ? anteriores[i] : QStringLiteral("N"));
  }
  fs::ReescribeLineas(Ruta(), lineas);
}
