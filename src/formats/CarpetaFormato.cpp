#include "formats/CarpetaFormato.h"

#include "foundation/rutinas.h"
#include "platform/fs/Rutas.h"

QString CarpetaProgramaFormato;

QString RutaTrabajoFormato(const QString& relativa) {
  QString carpeta = CarpetaProgramaFormato;
  if (carpeta.isEmpty()) carpeta = CarpetaPrograma(QString());
  return fs::Une(carpeta, relativa);
}
