#pragma once
// The product window on the inventory test company: users 0 ("adm", every
// right) and 1 ("caja", without the rights to add, delete and change
// products), the files the program folder ships with, configuration lines set per test, products written straight
// into INVENTAR.DBF, and the window opened as the main menu leaves it.

#include "foundation/ArchivosPrograma.h"
#include "foundation/rutinas_usuarios.h"
#include "documentos_prueba.h"
#include "inventario_prueba.h"
#include "inventory/Inven.h"
#include "platform/ui/PuertaModal.h"
#include "support/Maneja.h"
#include "support/UsuariosPrueba.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>

#include <map>
#include <memory>

class VentanaInventario : public InventarioPrueba {
 protected:
  void SetUp() override {
    InventarioPrueba::SetUp();
    const QString todos(kNumeroDerechos, u's');
    QString caja = todos;
    for (int d : {DerechoAltaInventarios, DerechoBajaInventarios, DerechoCambioInventarios}) caja[d - 1] = u'n';
    const QByteArray usuarios = ArchivoUsuarios({{"adm", todos}, {"caja", caja}});
    EscribeBytes("C:\\VRL\\usuarios.def", usuarios);
    EscribeBytes(kDatos + "\\usuarios.def", usuarios);
    // The files an installation ships (the help lines inventa.des ...).
    InstalaArchivosPrograma();
    // The document lines a saved change recounts the stock from.
    CreaTablaDe(db::CarpetaTabla::Remisiones, "RemisioD.dbf", kDatos);
    CreaTablaDe(db::CarpetaTabla::Datos, "FacturaD.dbf", kDatos);
    CreaTablaDe(db::CarpetaTabla::Datos, "ComprasD.dbf", kDatos);
  }

  void TearDown() override {
    forma_.reset();
    UneConsultaProveedores({});
    InventarioPrueba::TearDown();
  }

  // Gener1.cnf with the data folder and these lines.
  static void Lineas(const std::map<int, QString>& lineas) {
    QStringList v = ValoresInicialesConfiguracion();
    v[ConfCarpetaDatos - 1] = kDatos;
    for (const auto& [n, valor] : lineas) v[n - 1] = valor;
    EscribeLineas(QStringLiteral("C:\\VRL\\Gener1.cnf"), v);
  }

  // Appends a product with these field texts.
  static void Producto(const std::map<QString, QString>& campos) {
    auto t = Abre("INVENTAR.DBF");
    t->Append();
    for (const auto& [campo, valor] : campos) t->FieldByName(campo).SetAsString(valor);
    t->Post();
  }

  // A field of the first product whose key is `clave` ("" when none).
  static QString Campo(const QString& clave, const QString& campo) {
    auto t = Abre("INVENTAR.DBF", "ICLPRO");
    return t->FindKey({clave}) ? t->FieldByName(campo).AsString() : QString();
  }

  static QStringList Claves() {
    QStringList claves;
    auto t = Abre("INVENTAR.DBF");
    for (t->First(); !t->Eof(); t->Next()) claves << t->FieldByName("CLPRO_I").AsString();
    return claves;
  }

  // The window made (as at program start), given the user, shown and
  // activated, as the main menu's opener leaves it.
  TFormaInventario& Ventana(const QString& usuario = QStringLiteral("0")) {
    forma_ = std::make_unique<TFormaInventario>();
    forma_->Usuario->setText(usuario);
    forma_->Show();
    Activa(*forma_);
    ui::PuertaModal::LimpiaMensajes();
    return *forma_;
  }

  static QWidget* Foco() { return QApplication::focusWidget(); }

  // The window system activates a window shown (not in the offscreen tests).
  static void Activa(TFormaInventario& forma) {
    QApplication::setActiveWindow(&forma);
    forma.DisparaActivacion();
  }

  std::unique_ptr<TFormaInventario> forma_;
};
