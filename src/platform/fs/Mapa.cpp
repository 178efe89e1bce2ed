#include "platform/fs/Mapa.h"

#include "platform/Error.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"

#include <QStringList>

namespace fs {
namespace {

std::optional<QString> BuscaEnEntradas(const QStringList& entradas, const QString& nombre) {
  for (const QString& entrada : entradas) {
    const QString limpia = entrada.trimmed();
    if (limpia.isEmpty() || limpia.startsWith(u'#') || limpia.startsWith(u';')) continue;
    const int igual = limpia.indexOf(u'=');
    if (igual <= 0) continue;
    if (limpia.left(igual).trimmed().compare(nombre, Qt::CaseInsensitive) == 0) return limpia.mid(igual + 1).trimmed();
  }
  return std::nullopt;
}

}  // namespace

std::optional<QString> BuscaEnMapa(const char* variable, const QString& archivo, const QString& nombre) {
  const QString buscado = nombre.trimmed();
  const QString valor = qEnvironmentVariable(variable);
  if (auto encontrado = BuscaEnEntradas(valor.split(u';'), buscado)) return encontrado;
  if (archivo.isEmpty() || !ExisteArchivo(archivo)) return std::nullopt;
  try {
    return BuscaEnEntradas(LeeLineas(archivo), buscado);
  } catch (const plat::Error&) {
    return std::nullopt;
  }
}

}  // namespace fs
