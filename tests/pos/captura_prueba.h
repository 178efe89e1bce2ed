#pragma once
// Lines of a capture table and products of INVENTAR.DBF for the tests of
// prices and totals.

#include "inventory/CamposRegistro.h"
#include "inventory/RegistroProducto.h"
#include "platform/db/Tabla.h"
#include "venta_prueba.h"

#include <QMap>
#include <QString>
#include <QVariant>

#include <memory>

// A capture row: its fields by name (numbers as numbers, texts as texts).
using FilaCaptura = QMap<QString, QVariant>;

inline void AgregaFilas(db::Dataset& captura, const QList<FilaCaptura>& filas) {
  for (const FilaCaptura& fila : filas) {
    captura.Append();
    for (auto it = fila.begin(); it != fila.end(); ++it) captura.FieldByName(it.key()).SetValue(it.value());
    captura.Post();
  }
}

// A field of every row, as text.
inline QStringList ColumnaCaptura(db::Dataset& captura, const QString& campo) {
  QStringList valores;
  for (captura.First(); !captura.Eof(); captura.Next()) valores << captura.FieldByName(campo).AsString();
  return valores;
}

inline std::unique_ptr<db::Tabla> AbreEn(const QString& carpeta, const QString& archivo, const QString& tag = {}) {
  auto t = std::make_unique<db::Tabla>();
  t->SetCarpeta(carpeta);
  t->SetNombreTabla(archivo);
  if (!tag.isEmpty()) t->SetIndexName(tag);
  t->Open();
  return t;
}

// A product of the data folder's INVENTAR.DBF.
inline void AgregaProducto(const TRegistroProducto& producto) {
  auto t = AbreEn(kDatos, kTablaProductos);
  t->Append();
  producto.Escribe(*t);
  t->Post();
}
