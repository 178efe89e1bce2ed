#pragma once
// Another station busy with a whole table for the multi-station tests: it
// holds the table's write lock, exclusively as a station writing it does
// (no other station reads or writes meanwhile) or shared as a station
// reading it does (others read, no one writes). A test file registers it
// as its child:
//   RUTINA_HIJA(OcupaTabla) { return prueba::OcupaTabla(argumentos); }
// and starts it with {folder, table, ["lectura"]}; it answers "LISTO" once
// the table is held and lets it go when the parent answers.

#include "platform/db/Bloqueo.h"
#include "platform/db/Tabla.h"
#include "support/Proceso.h"

#include <QFile>
#include <QStringList>

#include <fcntl.h>
#include <unistd.h>

namespace prueba {

inline int OcupaTabla(const QStringList& argumentos) {
  db::Tabla t;
  t.SetCarpeta(argumentos.value(0));
  t.SetNombreTabla(argumentos.value(1));
  const auto tipo = argumentos.value(2) == QStringLiteral("lectura") ? db::TipoBloqueo::Compartido
                                                                      : db::TipoBloqueo::Exclusivo;
  const int fd = ::open(QFile::encodeName(t.Ruta()).constData(), O_RDWR | O_CLOEXEC);
  if (fd < 0 || !db::IntentaBloqueo(fd, db::kBloqueoEscritura, tipo)) return 1;
  AvisaPadre("LISTO");
  EsperaPadre();
  ::close(fd);
  return 0;
}

}  // namespace prueba
