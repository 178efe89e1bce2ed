#pragma once
// A company whose stock moves through documents: besides the product,
// movement and totals tables, the remission, invoice and purchase lines,
// the movement mirror and the movement concepts, all in the data folder
// (which is also the inventory folder), made from the registry of layouts.

#include "inventario_prueba.h"
#include "inventory/RegistroMovimiento.h"
#include "inventory/RegistroProducto.h"

#include <QDate>
#include <QVariantMap>

inline void CreaTablaDe(db::CarpetaTabla rol, const QString& archivo, const QString& carpeta) {
  fs::CreaCarpeta(carpeta);
  const db::DefTabla& d = CatalogoVorlan().Tabla(rol, archivo);
  db::Tabla::Crea(carpeta, d.archivo, d.campos, d.tags);
}

// The company's folders: every table in the data folder.
inline db::Carpetas Empresa() { return db::Carpetas{kDatos, {}, {}, {}}; }

// Appends one row with the given field values.
inline void AgregaFila(const QString& carpeta, const QString& archivo, const QVariantMap& valores) {
  auto t = AbreTabla(carpeta, archivo);
  t->Append();
  for (auto i = valores.cbegin(); i != valores.cend(); ++i) t->FieldByName(i.key()).SetValue(i.value());
  t->Post();
}

class DocumentosPrueba : public InventarioPrueba {
 protected:
  void SetUp() override {
    InventarioPrueba::SetUp();
    CreaTablaDe(db::CarpetaTabla::Remisiones, "RemisioD.dbf", kDatos);
    CreaTablaDe(db::CarpetaTabla::Datos, "FacturaD.dbf", kDatos);
    CreaTablaDe(db::CarpetaTabla::Datos, "ComprasD.dbf", kDatos);
    CreaTablaDe(db::CarpetaTabla::Datos, "comovinv.dbf", kDatos);
    CreaTablaDe(db::CarpetaTabla::Inventario, "MOVIMIENTOS.DBF", kDatos);
    for (const auto& [numero, nombre] : {std::pair{3, "Venta Remisión"}, std::pair{50, "Salida Varios"},
                                         std::pair{51, "Compra"}, std::pair{56, "Ajuste Entrada"}})
      AgregaFila(kDatos, "comovinv.dbf", {{"NUCON_CM", numero}, {"DECON_CM", nombre}});
  }

  // A remission line of the folder; `mas` adds or replaces fields.
  static void Remision(const QString& carpeta, const QString& clave, double cantidad, const QVariantMap& mas = {}) {
    QVariantMap v = {{"CLDOC_FD", "15"}, {"CLPRO_FD", clave}, {"CANTI_FD", cantidad}, {"FEDOC_FD", QDate(2025, 3, 1)}};
    v.insert(mas);
    AgregaFila(carpeta, "RemisioD.dbf", v);
  }
  static void Factura(const QString& clave, double cantidad, const QVariantMap& mas = {}) {
    QVariantMap v = {{"CLDOC_FD", "7"}, {"CLPRO_FD", clave}, {"CANTI_FD", cantidad}, {"FEDOC_FD", QDate(2025, 3, 1)}};
    v.insert(mas);
    AgregaFila(kDatos, "FacturaD.dbf", v);
  }
  static void Compra(const QString& clave, double cantidad, const QVariantMap& mas = {}) {
    QVariantMap v = {{"CLDOC_OD", "4"}, {"CLPRO_OD", clave}, {"CANTI_OD", cantidad}, {"FEDOC_OD", QDate(2025, 3, 1)}};
    v.insert(mas);
    AgregaFila(kDatos, "ComprasD.dbf", v);
  }
  static void Movimiento(const QString& clave, int concepto, double cantidad, const QVariantMap& mas = {}) {
    QVariantMap v = {{"CLDOC_MI", 9},           {"CLPRO_MI", clave},
                     {"TIMOV_MI", concepto},    {"CANTI_MI", cantidad},
                     {"FEDOC_MI", QDate(2025, 3, 1)}, {"DESCR_MI", "Producto " + clave}};
    v.insert(mas);
    AgregaFila(kDatos, kTablaMovimientos, v);
  }

  // The product table standing on the product's row.
  static std::unique_ptr<db::Tabla> Producto(const QString& clave) {
    auto t = Abre(kTablaProductos, kTagClaveProducto);
    EXPECT_TRUE(t->FindKey({clave})) << clave.toStdString();
    return t;
  }
};
