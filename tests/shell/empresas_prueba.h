#pragma once
// Two companies for the shell tests: Gener1.cnf ("Abarrotes Uno", data folder
// C:\VRL\DATOS) and Gener2.cnf ("Ferretería Dos", data folder D:\EMPRESA2),
// each data folder with its users file and every file the login checks for;
// the start file names company 1. Users of company 1: 0 "adm", 1 and 2 both
// "caja", 3 "Bodega".

#include "datos_prueba.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_usuarios.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/PuertaModal.h"
#include "shell/LineasConfiguracion.h"
#include "support/RaizPrueba.h"

#include <QFile>
#include <QStringList>

inline const QString kDatos1 = QStringLiteral("C:\\VRL\\DATOS");
inline const QString kDatos2 = QStringLiteral("D:\\EMPRESA2");

class EmpresasPrueba : public RaizPrueba {
 protected:
  void SetUp() override {
    RaizPrueba::SetUp();
    EscribeLineas(kArchivoInicio, {"C:\\VRL", "C:\\VRL\\Gener1.cnf", ""});
    EscribeEmpresa(1, kDatos1, "Abarrotes Uno", "");
    EscribeEmpresa(2, kDatos2, "Ferretería Dos", "");
    EscribeUsuarios(kDatos1, {"adm", "caja", "caja", "Bodega"});
    EscribeUsuarios(kDatos2, {"jefe"});
    for (const QString& d : {kDatos1, kDatos2}) CreaRequeridos(d);
    CreaCaptura();
    CarpetaBitacora.clear();
    fs::FijaAhora(QDateTime(QDate(2010, 3, 5), QTime(10, 15, 0)));
  }

  // Gener<n>.cnf with the initial values, the data folder, the name and the
  // company key.
  static void EscribeEmpresa(int n, const QString& datos, const QString& nombre, const QString& clave) {
    QStringList v = ValoresInicialesConfiguracion();
    v[ConfCarpetaDatos - 1] = datos;
    v[ConfNombreEmpresa - 1] = nombre;
    v[ConfClaveAccesoEmpresa - 1] = clave;
    EscribeLineas(QString("C:\\VRL\\Gener%1.cnf").arg(n), v);
  }

  // The master users file of a data folder: user i has password claves[i].
  static void EscribeUsuarios(const QString& datos, const QStringList& claves) {
    EscribeBytes(fs::Une(datos, "usuarios.def"), BytesUsuarios(claves));
  }

  // The dBASE files the login looks for, as empty stand-ins.
  static void CreaRequeridos(const QString& carpeta) {
    for (const char* t : {"Cliente", "Comovinv", "Comprasd", "Comprase", "Concepto", "Cotizacd", "Cotizaci",
                          "Cucobrar", "Devoluc", "DevolucD", "Facturad", "Facturae", "Inventar", "Movinven",
                          "Pedido", "Pedidod", "Proveedo", "Remisiod", "Remision", "Vendedor"}) {
      Toca(fs::Une(carpeta, QString(t) + ".dbf"));
      Toca(fs::Une(carpeta, QString(t) + ".mdx"));
    }
  }

  // The program folder's capture tables, as empty stand-ins.
  static void CreaCaptura() {
    for (const char* t : {"Deta.db", "Detacomp.db", "Detaminv.db"}) Toca(QString("C:\\VRL\\") + t);
  }

  // A file that only has to exist; written without waiting for the disk.
  static void Toca(const QString& ruta) {
    fs::CreaCarpeta(fs::CarpetaDe(ruta));
    QFile archivo(fs::Local(ruta));
    ASSERT_TRUE(archivo.open(QIODevice::WriteOnly)) << ruta.toStdString();
    archivo.write("x");
  }

  static QStringList Inicio() { return fs::LeeLineas(kArchivoInicio); }
};
