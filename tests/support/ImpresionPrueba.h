#pragma once
// What the recording printers of a test printed.

#include "platform/print/Registro.h"

#include <QList>
#include <QStringList>

// The jobs printed since the record was last emptied, each as the texts it
// drew, in order.
inline QList<QStringList> TrabajosImpresos() {
  QList<QStringList> trabajos;
  for (const print::Operacion& op : print::OperacionesGrabadas()) {
    if (op.tipo == print::Operacion::Tipo::Comienza) trabajos << QStringList();
    else if (op.tipo == print::Operacion::Tipo::Texto && !trabajos.isEmpty()) trabajos.last() << op.texto;
  }
  return trabajos;
}
