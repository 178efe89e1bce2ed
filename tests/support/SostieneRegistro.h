#pragma once
// Another station for the multi-station tests: edits a row of a table (by
// its key on the tag) and holds it for the milliseconds given, or until the
// parent answers when none are. A test file registers it as its child:
//   RUTINA_HIJA(SostieneRegistro) { return prueba::SostieneRegistro(argumentos); }
// and starts it with {folder, table, tag, key ("#7" is the number 7),
// [milliseconds]}; it answers "LISTO" once the row is held.

#include "platform/db/Tabla.h"
#include "support/Proceso.h"

#include <QStringList>
#include <QThread>
#include <QVariant>

namespace prueba {

inline int SostieneRegistro(const QStringList& argumentos) {
  db::Tabla t;
  t.SetCarpeta(argumentos.value(0));
  t.SetNombreTabla(argumentos.value(1));
  t.SetIndexName(argumentos.value(2));
  t.Open();
  const QString clave = argumentos.value(3);
  const QVariant valor = clave.startsWith(u'#') ? QVariant(clave.mid(1).toLongLong()) : QVariant(clave);
  if (!t.FindKey({valor})) return 1;
  t.Edit();
  AvisaPadre("LISTO");
  if (argumentos.size() > 4) QThread::msleep(argumentos.value(4).toULong());
  else EsperaPadre();
  t.Cancel();
  return 0;
}

}  // namespace prueba
