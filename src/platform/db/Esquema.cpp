#include "platform/db/Esquema.h"

namespace db {

TipoDato TipoDatoDe(const DefCampo& campo, bool paradox) {
  const char letra = campo.tipo.toUpper().toLatin1();
  if (paradox) {
    switch (campo.tipo.toLatin1()) {
      case 'A': return TipoDato::Texto;
      case 'N': return TipoDato::Flotante;
      case '$': return TipoDato::Moneda;
      case 'S': case 'I': case '+': return TipoDato::Entero;
      case 'D': return TipoDato::Fecha;
      case 'L': return TipoDato::Logico;
      case 'M': return TipoDato::Memo;
      default: return TipoDato::Texto;
    }
  }
  switch (letra) {
    case 'C': return TipoDato::Texto;
    case 'N': return campo.decimales == 0 && campo.ancho <= 18 ? TipoDato::Entero : TipoDato::Flotante;
    case 'F': return TipoDato::Flotante;
    case 'D': return TipoDato::Fecha;
    case 'L': return TipoDato::Logico;
    case 'M': return TipoDato::Memo;
    default: return TipoDato::Texto;
  }
}

int IndiceDeCampo(const QStringList& nombres, const QString& nombre) {
  const QString buscado = nombre.trimmed();
  for (int i = 0; i < nombres.size(); ++i)
    if (nombres[i].compare(buscado, Qt::CaseInsensitive) == 0) return i;
  if (buscado.size() <= kLargoNombreDbf) return -1;
  const QString corto = buscado.left(kLargoNombreDbf);
  int hallado = -1;
  for (int i = 0; i < nombres.size(); ++i) {
    if (!nombres[i].startsWith(corto, Qt::CaseInsensitive)) continue;
    if (hallado >= 0 || nombres[i].size() != kLargoNombreDbf) return -1;
    hallado = i;
  }
  return hallado;
}

}  // namespace db
