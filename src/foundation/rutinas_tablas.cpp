#include "foundation/rutinas_tablas.h"

#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_fecha.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"

#include <exception>

void AbreTabla(db::Dataset& tabla) {
  try {
    tabla.Open();
  } catch (const std::exception&) {
    const QDateTime ahora = fs::Ahora();
    EscribeBitacoraLocal(QStringLiteral("Error Apertura ") + tabla.NombreTabla() + u' ' + TextoHora(ahora.time()) +
                         u' ' + TextoFecha(ahora.date()));
  }
}

void RefrescaTabla(db::Tabla& tabla) {
  // Editing a table with no rows would add a blank one: only re-read it. A
  // record being edited or inserted is posted.
  if (tabla.State() != db::Dataset::Estado::Navegando || !tabla.IsEmpty()) {
    tabla.Edit();
    tabla.Post();
  }
  tabla.Refresh();
  tabla.Prior();
  tabla.Close();
  tabla.Open();
}

void EmpacaTabla(const QString& carpeta, const QString& archivo) {
  db::Tabla tabla;
  tabla.SetCarpeta(carpeta);
  tabla.SetNombreTabla(archivo);
  tabla.SetExclusive(true);
  tabla.Open();
  tabla.Pack();
}

void LiberaBloqueos(db::Tabla& tabla) { tabla.LiberaBloqueos(); }
