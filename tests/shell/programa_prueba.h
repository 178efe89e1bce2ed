#pragma once
// The program started as it starts, on company 1 with real tables in its
// data folder (C:\VRL\DATOS) and the program folder as a fresh installation
// leaves it: the program body with its start-up windows, the main window
// shown (its show handler run), and the login through the company dialog.

#include "app/Vorlan.h"
#include "empresas_prueba.h"
#include "platform/db/Tabla.h"
#include "shell/Principa.h"
#include "support/Maneja.h"
#include "tablas/TablasVorlan.h"

#include <QDir>

#include <memory>

inline const QString kPrograma = QStringLiteral("C:\\VRL");
inline const QString kTempo = QStringLiteral("C:\\VRL\\tempo");

class ProgramaPrueba : public EmpresasPrueba {
 protected:
  void SetUp() override {
    EmpresasPrueba::SetUp();
    // Real tables in place of the stand-ins of the login tests.
    QDir(fs::Local(kDatos1)).removeRecursively();
    for (const char* t : {"Deta.db", "Detacomp.db", "Detaminv.db"}) fs::BorraArchivo(fs::Une(kPrograma, t));
    EscribeUsuarios(kDatos1, {"adm", "caja", "caja", "Bodega"});
    CreaTablasEmpresa(db::Carpetas{kDatos1, {}, {}, kPrograma});
    // What the first start makes.
    for (const char* t : {"numerof.dbf", "numeroc.dbf", "Kardex.dbf"}) db::Tabla::Borra(kDatos1, t);
    db::Tabla::Borra(kPrograma, "DetaCR.db");
    QDir(fs::Local(kTempo)).removeRecursively();
    ui::PuertaModal::LimpiaMensajes();
  }

  void TearDown() override {
    programa_.reset();
    qunsetenv("VORLAN_PROGRAMAS");
    EmpresasPrueba::TearDown();
  }

  // The program body up to the main window shown (its show handler run).
  TFormaPrincipal& Arranca() {
    programa_ = std::make_unique<ProgramaVorlan>();
    programa_->Inicia();
    FormaPrincipal()->Show();
    return *FormaPrincipal();
  }
  // The first activation: the company dialog, answered with a password.
  static void Ingresa(TFormaPrincipal& principal, const QString& clave) {
    ui::PuertaModal::Espera("TFormaEmpresas", [clave](QDialog& d) {
      prueba::Teclea(d, "Clave", clave);
      prueba::Tecla(d, "Clave", Qt::Key_Return);
    });
    principal.DisparaActivacion();
  }

  std::unique_ptr<ProgramaVorlan> programa_;
};
