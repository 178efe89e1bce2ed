#include "pos/NumeroFinal.h"

#include "platform/db/Numeracion.h"
#include "platform/db/Tabla.h"

qint64 AgregaConSiguienteNumero(db::Tabla& tabla, const QString& campo,
                                const std::function<qint64(qint64 siguiente)>& agrega) {
  const db::Numeracion numeracion(tabla);
  tabla.Last();
  const qint64 ultimo = tabla.IsEmpty() ? 0 : tabla.FieldByName(campo).AsInteger();
  return agrega(ultimo + 1);
}
