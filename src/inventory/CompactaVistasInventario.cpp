#include "inventory/CompactaVistasInventario.h"

#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "reports/Vistas.h"

namespace {

// The records of the list whose view files exist, as bytes.
QByteArray Vigentes(const QString& lista) {
  QByteArray bytes;
  for (const TEntradaVista& e : LeeListaVistas(lista))
    if (fs::ExisteArchivo(e.Archivo)) bytes += e.ABytes();
  return bytes;
}

}  // namespace

void CompactaListaVistasInventario(const QString& lista, const QString& copia) {
  fs::EscribeAtomico(copia, Vigentes(lista));
  fs::EscribeAtomico(lista, Vigentes(copia));
}
