#pragma once
// A company for the purchasing tests: the start file names Gener1.cnf (the
// initial values, the data folder C:\VRL\DATOS in line 8, the supplier
// format "proveedo.fmt" in line 25), every registered table, the files the
// program folder ships with, a recording printer "laser" and three users:
// 0 "adm" with every right, 1 "caja" without the supplier window (right 3),
// 2 "vista" without adding, deleting and changing suppliers (17 to 19).

#include "foundation/ArchivosPrograma.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_usuarios.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/print/Impresora.h"
#include "platform/print/Impresoras.h"
#include "platform/print/Registro.h"
#include "platform/ui/PuertaModal.h"
#include "purchasing/Proveedo.h"
#include "shell/LineasConfiguracion.h"
#include "support/RaizPrueba.h"
#include "support/UsuariosPrueba.h"
#include "tablas/TablasVorlan.h"

#include <QApplication>
#include <QLabel>
#include <QStringList>

#include <functional>
#include <memory>

inline const QString kPrograma = QStringLiteral("C:\\VRL");
inline const QString kDatos = QStringLiteral("C:\\VRL\\DATOS");
inline const QString kConfiguracion = QStringLiteral("C:\\VRL\\Gener1.cnf");

class ComprasPrueba : public RaizPrueba {
 protected:
  void SetUp() override {
    RaizPrueba::SetUp();
    EscribeLineas(kArchivoInicio, {kPrograma, kConfiguracion, ""});
    QStringList conf = ValoresInicialesConfiguracion();
    conf[ConfCarpetaDatos - 1] = kDatos;
    conf[ConfFormatoProveedores - 1] = "proveedo.fmt";
    EscribeLineas(kConfiguracion, conf);
    QString programa;
    CarpetaLocal(programa);
    InstalaArchivosPrograma();
    CreaTablasEmpresa(db::Carpetas{kDatos, {}, {}, kPrograma});
    const QByteArray usuarios = ArchivoUsuarios(
        {{"adm", DerechosSin({})},
         {"caja", DerechosSin({DerechoProveedores})},
         {"vista", DerechosSin({DerechoAltaProveedores, DerechoBajaProveedores, DerechoCambioProveedores})}});
    EscribeBytes(fs::Une(kDatos, "usuarios.def"), usuarios);
    EscribeBytes(fs::Une(kPrograma, "usuarios.def"), usuarios);
    print::FijaImpresorasPrueba({{"laser", "", print::TipoImpresora::Registro, QString(), 600}}, 0);
    print::Impresora::Global().Restablece();
    print::BorraOperacionesGrabadas();
  }

  void TearDown() override {
    ventana_.reset();
    print::Impresora::Global().Restablece();
    print::RefrescaImpresoras();
    RaizPrueba::TearDown();
  }

  static void FijaLinea(int linea, const QString& valor) {
    QStringList lineas = fs::LeeLineas(kConfiguracion);
    lineas[linea - 1] = valor;
    EscribeLineas(kConfiguracion, lineas);
  }

  static std::unique_ptr<db::Tabla> Abre(const QString& archivo, const QString& tag = {}) {
    auto t = std::make_unique<db::Tabla>();
    t->SetCarpeta(kDatos);
    t->SetNombreTabla(archivo);
    t->Open();
    if (!tag.isEmpty()) t->SetIndexName(tag);
    return t;
  }

  // Appends a supplier with its key, name and balance.
  static void AgregaProveedor(const QString& clave, const QString& nombre, double saldo = 0) {
    auto t = Abre("PROVEEDO.DBF");
    t->Append();
    t->FieldByName("CLAVE_P").SetAsString(clave);
    t->FieldByName("NOMBR_P").SetAsString(nombre);
    t->FieldByName("SALDO_P").SetAsFloat(saldo);
    t->Post();
  }

  // The suppliers as "key|name", in physical order.
  static QStringList Proveedores() {
    QStringList filas;
    auto t = Abre("PROVEEDO.DBF");
    for (t->First(); !t->Eof(); t->Next())
      filas << t->FieldByName("CLAVE_P").AsString() + u'|' + t->FieldByName("NOMBR_P").AsString();
    return filas;
  }

  // The catalogue as the main menu leaves it for `usuario`: shown, activated
  // (its tables opened), the active window.
  TFormaProveedo& Ventana(const QString& usuario = "0") {
    if (!ventana_) ventana_ = std::make_unique<TFormaProveedo>();
    ventana_->Usuario->setText(usuario);
    ventana_->Show();
    QApplication::setActiveWindow(ventana_.get());
    ventana_->DisparaActivacion();
    return *ventana_;
  }

  std::unique_ptr<TFormaProveedo> ventana_;
};
