#pragma once
// A company for the foundation tests: the start file names Gener1.cnf, whose
// line 8 is the data folder C:\VRL\DATOS (created) and line 85 the history
// switch; the clock stands at 05/03/2010 10:15:00.

#include "foundation/rutinas.h"
#include "foundation/rutinas_bitacora.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "support/RaizPrueba.h"

#include <QStringList>

inline const QString kDatosEmpresa = QStringLiteral("C:\\VRL\\DATOS");
inline const QDateTime kMomentoPrueba(QDate(2010, 3, 5), QTime(10, 15, 0));

class EmpresaPrueba : public RaizPrueba {
 protected:
  void SetUp() override {
    RaizPrueba::SetUp();
    EscribeLineas(kArchivoInicio, {"C:\\VRL", "C:\\VRL\\Gener1.cnf", ""});
    EscribeConfiguracion("N");
    fs::CreaCarpeta(kDatosEmpresa);
    CarpetaBitacora.clear();
    QString carpeta;
    CarpetaLocal(carpeta);
    fs::FijaAhora(kMomentoPrueba);
  }

  // Gener1.cnf with the data folder in line 8 and `bitacora` in line 85.
  static void EscribeConfiguracion(const QString& bitacora) {
    QStringList lineas(90);
    lineas[0] = "NO";
    lineas[7] = kDatosEmpresa;
    lineas[84] = bitacora;
    EscribeLineas("C:\\VRL\\Gener1.cnf", lineas);
  }
};
