#pragma once
// Tables for the maintenance tests: made with their rows, opened, and read
// back as a station or a byte reader would see them.

#include "mantenimiento_prueba.h"
#include "platform/db/Tabla.h"

#include <QVariant>
#include <QVector>

#include <memory>

inline std::unique_ptr<db::Tabla> AbrePrueba(const QString& carpeta, const QString& archivo, bool exclusiva = false) {
  auto t = std::make_unique<db::Tabla>();
  t->SetCarpeta(carpeta);
  t->SetNombreTabla(archivo);
  t->SetExclusive(exclusiva);
  t->Open();
  return t;
}

// Makes the table with its tags and appends the rows (values in field order).
inline void CreaTablaPrueba(const QString& carpeta, const QString& archivo, const QVector<db::DefCampo>& campos,
                            const QVector<db::DefTag>& tags, const QVector<QVariantList>& filas) {
  db::Tabla::Crea(carpeta, archivo, campos, tags);
  auto t = AbrePrueba(carpeta, archivo);
  for (const QVariantList& fila : filas) {
    t->Append();
    for (int i = 0; i < fila.size(); ++i) t->Fields(i).SetValue(fila[i]);
    t->Post();
  }
}

// Deletes the live rows whose first field is one of the values.
inline void BorraFilas(const QString& carpeta, const QString& archivo, const QStringList& claves) {
  auto t = AbrePrueba(carpeta, archivo);
  for (t->First(); !t->Eof();) {
    if (claves.contains(t->Fields(0).AsString())) t->Delete();
    else t->Next();
  }
}

// The values of one field of the live rows, in physical order.
inline QStringList ValoresVivos(const QString& carpeta, const QString& archivo, int campo = 0) {
  QStringList r;
  auto t = AbrePrueba(carpeta, archivo);
  for (t->First(); !t->Eof(); t->Next()) r << t->Fields(campo).AsString();
  return r;
}

// The values of one field walked in a tag's order.
inline QStringList ValoresPorTag(const QString& carpeta, const QString& archivo, const QString& tag, int campo = 0) {
  QStringList r;
  auto t = AbrePrueba(carpeta, archivo);
  t->SetIndexName(tag);
  for (t->First(); !t->Eof(); t->Next()) r << t->Fields(campo).AsString();
  return r;
}

inline QStringList NombresTags(const QString& carpeta, const QString& archivo) {
  db::Tabla t;
  t.SetCarpeta(carpeta);
  t.SetNombreTabla(archivo);
  return t.IndexNames();
}

// Header facts of a table file.
struct CabeceraDbf {
  qint64 cuenta = 0;     // record count of the header
  qint64 enteros = 0;    // whole records present in the file
  qint64 longCabecera = 0;
  qint64 longRegistro = 0;
};

inline CabeceraDbf LeeCabecera(const QString& ruta) {
  const QByteArray b = Bytes(ruta);
  CabeceraDbf c;
  if (b.size() < 32) return c;
  const auto* u = reinterpret_cast<const unsigned char*>(b.constData());
  c.cuenta = u[4] | (u[5] << 8) | (u[6] << 16) | (qint64{u[7]} << 24);
  c.longCabecera = u[8] | (u[9] << 8);
  c.longRegistro = u[10] | (u[11] << 8);
  if (c.longRegistro > 0) c.enteros = (b.size() - c.longCabecera) / c.longRegistro;
  return c;
}
