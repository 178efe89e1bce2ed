#include "shell/Demo.h"

#include "foundation/rutinas.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"

bool PreparaEmpresaDemo() {
  if (fs::Existe(kArchivoInicio)) return false;
  QString programa;
  CarpetaLocal(programa);
  fs::CreaCarpeta(programa);
  fs::CreaCarpeta(fs::CarpetaDe(kArchivoInicio));
  fs::ReescribeLineas(kArchivoInicio, {programa, programa + QStringLiteral("\\Gener1.cnf"), QString()});
  return true;
}
