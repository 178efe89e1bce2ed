#pragma once
// A company for the inventory tests: the start file names Gener1.cnf, whose
// line 8 is the data folder C:\VRL\DATOS; the product, movement and totals
// tables are made there, empty, from the registry of layouts.

#include "datos_prueba.h"
#include "foundation/rutinas.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "shell/LineasConfiguracion.h"
#include "support/ErrorPrueba.h"
#include "support/RaizPrueba.h"
#include "tablas/TablasVorlan.h"

#include <QStringList>

#include <memory>

// The layout of an inventory table as registered.
inline const db::DefTabla& Esquema(const QString& archivo) {
  return CatalogoVorlan().Tabla(db::CarpetaTabla::Inventario, archivo);
}

inline void CreaTabla(const QString& carpeta, const QString& archivo) {
  fs::CreaCarpeta(carpeta);
  const db::DefTabla& d = Esquema(archivo);
  db::Tabla::Crea(carpeta, d.archivo, d.campos, d.tags);
}

inline std::unique_ptr<db::Tabla> AbreTabla(const QString& carpeta, const QString& archivo,
                                            const QString& tag = {}) {
  auto t = std::make_unique<db::Tabla>();
  t->SetCarpeta(carpeta);
  t->SetNombreTabla(archivo);
  t->Open();
  if (!tag.isEmpty()) t->SetIndexName(tag);
  return t;
}

class InventarioPrueba : public RaizPrueba {
 protected:
  void SetUp() override {
    RaizPrueba::SetUp();
    EscribeLineas(kArchivoInicio, {"C:\\VRL", "C:\\VRL\\Gener1.cnf", ""});
    Configura(QString());
    QString programa;
    CarpetaLocal(programa);
    for (const char* t : {"INVENTAR.DBF", "MOVINVEN.DBF", "Kardex.dbf"}) CreaTabla(kDatos, QString::fromLatin1(t));
  }

  // Gener1.cnf with the data folder in line 8 and `inventario` in line 59.
  static void Configura(const QString& inventario) {
    QStringList v = ValoresInicialesConfiguracion();
    v[ConfCarpetaDatos - 1] = kDatos;
    v[ConfCarpetaInventario - 1] = inventario;
    EscribeLineas(QStringLiteral("C:\\VRL\\Gener1.cnf"), v);
  }

  static std::unique_ptr<db::Tabla> Abre(const QString& archivo, const QString& tag = {}) {
    return AbreTabla(kDatos, archivo, tag);
  }

  // Appends a supplier to PROVEEDO.DBF of the data folder (made when
  // missing) with its three discounts DESC1_P to DESC3_P.
  static void Proveedor(const QString& clave, const QStringList& descuentos) {
    if (!db::Tabla::Existe(kDatos, "PROVEEDO.DBF")) {
      const db::DefTabla& d = CatalogoVorlan().Tabla(db::CarpetaTabla::Datos, "PROVEEDO.DBF");
      db::Tabla::Crea(kDatos, d.archivo, d.campos, d.tags);
    }
    auto t = Abre("PROVEEDO.DBF");
    t->Append();
    t->FieldByName("CLAVE_P").SetAsString(clave);
    for (int i = 0; i < 3; ++i) t->FieldByName(QStringLiteral("DESC%1_P").arg(i + 1)).SetAsString(descuentos.value(i));
    t->Post();
  }

  // Appends a product row: key, code, stock (blank when nullopt).
  static void AgregaProducto(db::Tabla& t, const QString& clave, const QString& codigo = {},
                             std::optional<double> existencia = std::nullopt) {
    t.Append();
    t.FieldByName("CLPRO_I").SetAsString(clave);
    t.FieldByName("CODIG_I").SetAsString(codigo);
    t.FieldByName("DSCPR_I").SetAsString("Producto " + clave);
    if (existencia) t.FieldByName("EXIST_I").SetAsFloat(*existencia);
    t.Post();
  }
};
