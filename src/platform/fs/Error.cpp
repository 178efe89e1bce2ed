#include "platform/Error.h"

#include <cerrno>
#include <cstring>

namespace plat {

Error ErrorDeSistema(const QString& contexto, int codigo) {
  const QString texto = QString::fromLocal8Bit(std::strerror(codigo));
  Clase clase = Clase::Io;
  if (codigo == ENOENT || codigo == ENOTDIR) clase = Clase::NoExiste;
  else if (codigo == EAGAIN || codigo == EACCES || codigo == EBUSY) clase = Clase::EnUso;
  return Error(clase, contexto + QStringLiteral(": ") + texto);
}

}  // namespace plat
