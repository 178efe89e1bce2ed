#pragma once
// A company for the benchmarks that fill its tables: a temporary root whose
// start file names Gener1.cnf, its line 8 the data folder; tables made from
// the registry of layouts and filled row by row.

#include "foundation/rutinas.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "shell/LineasConfiguracion.h"
#include "tablas/TablasVorlan.h"

#include <QFile>
#include <QTemporaryDir>

#include <functional>

// Points the root at `raiz` and writes the company's configuration with
// `datos` (created) as its data folder; the other lines as a new company's.
inline void PreparaEmpresaBench(const QTemporaryDir& raiz, const QString& datos) {
  qputenv("VORLAN_ROOT", QFile::encodeName(raiz.path()));
  fs::CreaCarpeta(datos);
  fs::ReescribeLineas(kArchivoInicio, {"C:\\VRL", "C:\\VRL\\Gener1.cnf", ""});
  QStringList config = ValoresInicialesConfiguracion();
  config[ConfCarpetaDatos - 1] = datos;
  fs::ReescribeLineas(QStringLiteral("C:\\VRL\\Gener1.cnf"), config);
  QString programa;
  CarpetaLocal(programa);
}

// The registered table of the folder role, made empty in `carpeta`.
inline void CreaTablaBench(const QString& carpeta, db::CarpetaTabla rol, const QString& archivo) {
  const db::DefTabla& d = CatalogoVorlan().Tabla(rol, archivo);
  db::Tabla::Crea(carpeta, d.archivo, d.campos, d.tags);
}

// Appends n rows to a table of the folder, `fila` filling row i.
inline void LlenaTablaBench(const QString& carpeta, const QString& archivo, int n,
                            const std::function<void(db::Tabla&, int)>& fila) {
  db::Tabla t;
  t.SetCarpeta(carpeta);
  t.SetNombreTabla(archivo);
  t.SetExclusive(true);
  t.Open();
  for (int i = 0; i < n; ++i) {
    t.Append();
    fila(t, i);
    t.Post();
  }
}
