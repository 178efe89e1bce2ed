#pragma once
// A company for the movement window's tests: the start file names Gener1.cnf
// (the data folder C:\VRL\DATOS in line 8, the movement format "movinv.fmt"
// in line 18, per-document logs on in line 85), every registered table, the
// files the program folder ships with, a recording printer "laser", the
// movement concepts 6 "Ajuste de Salida", 51 "Compra" and 57 "Inventario
// Inicial", the products P1 (code C1, 12 per package), P2 and P3, a
// supplier, a customer, the product lookup made as at start-up, and three
// users: 0 "adm" with every right, 1 "bodega" without adding movements
// (right 35), 2 "caja" without the movement window (right 9).

#include "customers/Conclie.h"
#include "datos_prueba.h"
#include "foundation/ArchivosPrograma.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_usuarios.h"
#include "inventory/ConPro.h"
#include "inventory/ConsultasExternas.h"
#include "inventory/movinv.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/print/Impresora.h"
#include "platform/print/Impresoras.h"
#include "platform/print/Registro.h"
#include "platform/ui/PuertaModal.h"
#include "purchasing/ConProvee.h"
#include "shell/LineasConfiguracion.h"
#include "support/RaizPrueba.h"
#include "support/UsuariosPrueba.h"
#include "tablas/TablasVorlan.h"

#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QStringList>
#include <QTest>

#include <memory>

namespace movimientos {

inline const QString kPrograma = QStringLiteral("C:\\VRL");
using ::kDatos;
inline const QString kConfiguracion = QStringLiteral("C:\\VRL\\Gener1.cnf");
inline const QString kBorrados = QStringLiteral("C:\\VRL\\borrados.dat");

// One row of MOVINVEN.DBF.
struct Fila {
  qint64 documento;
  int concepto;
  QString clave;
  double cantidad;  // 0: blank, as a provisional row
  int almacen = 1;
  double costo = 0;
  double precio = 0;
};

// Keys where the focus is, as a user types them.
inline void Escribe(const QString& texto) {
  for (const QChar c : texto) QTest::keyClicks(QApplication::focusWidget(), QString(c));
}
inline void Tecla(int tecla, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(tecla), mods);
}

class MovimientosPrueba : public RaizPrueba {
 protected:
  void SetUp() override {
    RaizPrueba::SetUp();
    fs::FijaAhora(QDateTime(QDate(2024, 3, 5), QTime(10, 30)));
    EscribeLineas(kArchivoInicio, {kPrograma, kConfiguracion, ""});
    QStringList conf = ValoresInicialesConfiguracion();
    conf[ConfCarpetaDatos - 1] = kDatos;
    conf[ConfFormatoMovimientos - 1] = "movinv.fmt";
    conf[ConfBitacora - 1] = "S";
    conf[ConfIntegraMovimientos - 1] = "SI";
    EscribeLineas(kConfiguracion, conf);
    QString programa;
    CarpetaLocal(programa);
    InstalaArchivosPrograma();
    CreaTablasEmpresa(db::Carpetas{kDatos, {}, {}, kPrograma});
    // What the program's start makes.
    fs::CreaCarpeta(fs::Une(kDatos, "Bitacora"));
    const QByteArray usuarios = ArchivoUsuarios({{"adm", DerechosSin({})},
                                                 {"bodega", DerechosSin({DerechoAltaMovimientos})},
                                                 {"caja", DerechosSin({DerechoMovimientos})}});
    EscribeBytes(fs::Une(kDatos, "usuarios.def"), usuarios);
    EscribeBytes(fs::Une(kPrograma, "usuarios.def"), usuarios);
    print::FijaImpresorasPrueba({{"laser", "", print::TipoImpresora::Registro, QString(), 600}}, 0);
    print::Impresora::Global().Restablece();
    print::BorraOperacionesGrabadas();

    Agrega("comovinv.dbf", {"NUCON_CM", "DECON_CM"},
           {{6, "Ajuste de Salida"}, {51, "Compra"}, {57, "Inventario Inicial"}});
    Agrega("INVENTAR.DBF", {"CLPRO_I", "CODIG_I", "DSCPR_I", "UEMPA_I", "ULCOS_I", "PPUBL_I", "EXIST_I", "ALMAC_I"},
           {{"P1", "C1", "Arroz 1 kg", 12, 18.5, 24.9, 40, "1"},
            {"P2", "C2", "Frijol 1 kg", 0, 20, 30, 10, "1"},
            {"P3", "", "Sal 1 kg", 0, 5, 9.5, 7, "1"}});
    Agrega("PROVEEDO.DBF", {"CLAVE_P", "NOMBR_P"}, {{"PR1", "ABARROTERA"}});
    Agrega("CLIENTE.DBF", {"CLCLI_C", "NOMBR_C"}, {{"CL1", "TIENDA LUPITA"}});
    consulta_ = std::make_unique<TFormaConProduct>();
    UneConsultaProveedores(BuscaProveedor);
    UneConsultaClientes(BuscaCliente);
  }

  void TearDown() override {
    ventana_.reset();
    consulta_.reset();
    print::Impresora::Global().Restablece();
    print::RefrescaImpresoras();
    RaizPrueba::TearDown();
  }

  static std::unique_ptr<db::Tabla> Abre(const QString& archivo, const QString& tag = {},
                                         const QString& carpeta = kDatos) {
    auto t = std::make_unique<db::Tabla>();
    t->SetCarpeta(carpeta);
    t->SetNombreTabla(archivo);
    t->Open();
    if (!tag.isEmpty()) t->SetIndexName(tag);
    return t;
  }

  // Appends rows (values in the order of the fields) to a table of the data
  // folder.
  static void Agrega(const QString& archivo, const QStringList& campos, const QList<QVariantList>& filas) {
    auto t = Abre(archivo);
    for (const QVariantList& fila : filas) {
      t->Append();
      for (int i = 0; i < campos.size(); ++i) t->FieldByName(campos[i]).SetValue(fila.value(i));
      t->Post();
    }
  }

  static void AgregaMovimientos(const QList<Fila>& filas) {
    auto t = Abre("MOVINVEN.DBF");
    for (const Fila& f : filas) {
      t->Append();
      t->FieldByName("CLDOC_MI").SetAsInteger(f.documento);
      t->FieldByName("TIMOV_MI").SetAsInteger(f.concepto);
      t->FieldByName("FEDOC_MI").SetAsDate(QDate(2024, 3, 1));
      t->FieldByName("NUDOC_MI").SetAsString("M" + QString::number(f.documento));
      t->FieldByName("CLPRO_MI").SetAsString(f.clave);
      t->FieldByName("DESCR_MI").SetAsString("Producto " + f.clave);
      if (f.cantidad != 0) t->FieldByName("CANTI_MI").SetAsFloat(f.cantidad);
      t->FieldByName("NALMA_MI").SetAsInteger(f.almacen);
      t->FieldByName("COSUN_MI").SetAsFloat(f.costo);
      t->FieldByName("PUNIT_MI").SetAsFloat(f.precio);
      t->Post();
    }
  }

  // The rows of a table as another station reads them, in physical order:
  // the fields joined by "|".
  static QStringList Filas(const QString& archivo, const QStringList& campos, const QString& carpeta = kDatos) {
    auto t = Abre(archivo, {}, carpeta);
    QStringList filas;
    for (t->First(); !t->Eof(); t->Next()) {
      QStringList valores;
      for (const QString& c : campos) valores << t->FieldByName(c).AsString();
      filas << valores.join(u'|');
    }
    return filas;
  }
  static QStringList FilasMovimientos() { return Filas("MOVINVEN.DBF", {"CLDOC_MI", "CLPRO_MI", "CANTI_MI"}); }
  static QStringList Captura() {
    return Filas("Detaminv.db", {"CANTIDAD", "EMPAQUE", "CLAVE", "DESCRIPCION", "COSTO", "PRECIO", "IMPORTE"},
                 kPrograma);
  }
  static QStringList Borrados() {
    return fs::ExisteArchivo(kBorrados) ? fs::LeeLineas(kBorrados) : QStringList();
  }

  static void FijaLinea(int linea, const QString& valor) {
    QStringList lineas = fs::LeeLineas(kConfiguracion);
    lineas[linea - 1] = valor;
    EscribeLineas(kConfiguracion, lineas);
  }

  // The window as the main menu leaves it for `usuario`: made, shown,
  // activated (its tables opened), the active window.
  TFormaMovimientosInventario& Ventana(const QString& usuario = "0") {
    ventana_ = std::make_unique<TFormaMovimientosInventario>();
    ventana_->Usuario->setText(usuario);
    ventana_->Show();
    QApplication::setActiveWindow(ventana_.get());
    ventana_->DisparaActivacion();
    return *ventana_;
  }

  // The close question answered: 1 "Si", 2 "No", 3 "Cancelar".
  static void Responde(int respuesta) {
    ui::PuertaModal::Espera("TFormaCerrar", [respuesta](QDialog& d) {
      QWidget* boton = d.findChild<QWidget*>(respuesta == 1 ? "BitBtn1" : respuesta == 2 ? "BitBtn3" : "BitBtn2");
      QTest::mouseClick(boton, Qt::LeftButton);
    });
  }

  // Closes the window, discarding the document being captured.
  static void Descarta(TFormaMovimientosInventario& v) {
    Responde(2);
    v.Close();
  }

  std::unique_ptr<TFormaMovimientosInventario> ventana_;
  std::unique_ptr<TFormaConProduct> consulta_;
};

}  // namespace movimientos
