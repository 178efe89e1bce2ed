// The company dialog driven as a user: changing the company number, typing
// the password, pressing Enter or "&Abre Empresa", and what the main window,
// the start file, the event log and the messages show afterwards.

#include "empresas_prueba.h"
#include "shell/Empresas.h"
#include "shell/Principa.h"
#include "support/Maneja.h"

#include <QApplication>
#include <QLineEdit>
#include <QSpinBox>

#include <functional>

using prueba::Pulsa;
using prueba::Tecla;
using prueba::Teclea;
using prueba::Texto;

namespace {

class Empresas : public EmpresasPrueba {
 protected:
  // The program's two windows, created in the program's order; the main
  // window's first activation shows the company dialog, answered by `guion`.
  void Inicia(const std::function<void(TFormaEmpresas&)>& guion) {
    principal_ = std::make_unique<TFormaPrincipal>();
    empresas_ = std::make_unique<TFormaEmpresas>();
    ui::PuertaModal::Espera("TFormaEmpresas", [guion](QDialog& d) { guion(static_cast<TFormaEmpresas&>(d)); });
    principal_->DisparaActivacion();
  }

  static void Elige(TFormaEmpresas& d, const QString& numero) {
    Tecla(d, "Empresa", Qt::Key_A, Qt::ControlModifier);
    Teclea(d, "Empresa", numero);
  }
  static void Entra(TFormaEmpresas& d, const QString& clave) {
    Teclea(d, "Clave", clave);
    Tecla(d, "Clave", Qt::Key_Return);
  }

  // The texts of the events in the shared log of a data folder.
  static QStringList Eventos(const QString& datos) {
    const QString ruta = fs::Une(datos, "Bitacora.txt");
    if (!fs::ExisteArchivo(ruta)) return {};
    QStringList eventos;
    const QStringList lineas = fs::LeeLineas(ruta);
    for (int i = 1; i < lineas.size(); i += 2) eventos << lineas[i];
    return eventos;
  }

  std::unique_ptr<TFormaPrincipal> principal_;
  std::unique_ptr<TFormaEmpresas> empresas_;
};

TEST_F(Empresas, CrearLeeLaEmpresaUnoYApuntaElInicioAElla) {
  EscribeLineas(kArchivoInicio, {"C:\\VRL", "C:\\VRL\\Gener2.cnf", ""});
  TFormaPrincipal principal;
  TFormaEmpresas empresas;
  EXPECT_EQ(Texto(empresas, "Rutainicio"), kDatos1);
  EXPECT_EQ(Inicio(), (QStringList{"C:\\VRL", "C:\\VRL\\Gener1.cnf", ""}));
  EXPECT_FALSE(principal.isEnabled());
  EXPECT_EQ(empresas.Tag(), 0);
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Empresas, SinLaEmpresaUnoCrearLoDiceYNoTocaElInicio) {
  fs::BorraArchivo("C:\\VRL\\Gener1.cnf");
  EscribeLineas(kArchivoInicio, {"C:\\VRL", "C:\\VRL\\Gener2.cnf", ""});
  TFormaEmpresas empresas;
  EXPECT_EQ(Mensajes(), QStringList{"La Empresa No Existe  C:\\VRL\\Gener1.cnf"});
  EXPECT_EQ(Texto(empresas, "Rutainicio"), "");
  EXPECT_EQ(Inicio(), (QStringList{"C:\\VRL", "C:\\VRL\\Gener2.cnf", ""}));
}

TEST_F(Empresas, CambiarElNumeroMuestraLaEmpresaOQueNoExiste) {
  Inicia([&](TFormaEmpresas& d) {
    EXPECT_EQ(d.Tag(), 1);
    EXPECT_EQ(Texto(d, "NombreEmpresa"), "Abarrotes Uno");
    EXPECT_EQ(Texto(d, "Rutainicio"), kDatos1);

    // The arrow key, as a user would.
    Tecla(d, "Empresa", Qt::Key_Up);
    EXPECT_EQ(Texto(d, "NombreEmpresa"), "Ferretería Dos");
    EXPECT_EQ(Texto(d, "Rutainicio"), kDatos2);
    EXPECT_EQ(Inicio(), (QStringList{"C:\\VRL", "C:\\VRL\\Gener2.cnf", ""}));
    EXPECT_EQ(Mensajes(), QStringList());

    Elige(d, "37");
    EXPECT_EQ(Texto(d, "NombreEmpresa"), "EMPRESA NO REGISTRADA");
    EXPECT_EQ(Texto(d, "Rutainicio"), "");
    EXPECT_EQ(Inicio(), (QStringList{"C:\\VRL", "C:\\VRL\\Gener2.cnf", ""}));
    // "3" is company 3, then "37": neither exists.
    EXPECT_EQ(Mensajes(), (QStringList{"La Empresa No Existe", "La Empresa No Existe"}));

    Elige(d, "2");
    Entra(d, "jefe");
  });
  EXPECT_EQ(principal_->windowTitle(), "Vorlan    V 5.2.0   Ferretería Dos");
  EXPECT_EQ(Inicio(), (QStringList{"C:\\VRL", "C:\\VRL\\Gener2.cnf", ""}));
  // Every later configuration read follows the start file.
  QString datos;
  LeeLineaConfig(ConfCarpetaDatos, datos);
  EXPECT_EQ(datos, kDatos2);
}

TEST_F(Empresas, LaActivacionDiceSiLaEmpresaNoExiste) {
  principal_ = std::make_unique<TFormaPrincipal>();
  empresas_ = std::make_unique<TFormaEmpresas>();
  fs::BorraArchivo("C:\\VRL\\Gener1.cnf");
  ui::PuertaModal::Espera("TFormaEmpresas", [&](QDialog& d) {
    EXPECT_EQ(Mensajes(), QStringList{"La Empresa No Existe"});
    EXPECT_EQ(Texto(d, "Rutainicio"), "");
    Elige(static_cast<TFormaEmpresas&>(d), "2");
    Entra(static_cast<TFormaEmpresas&>(d), "jefe");
  });
  principal_->DisparaActivacion();
  EXPECT_TRUE(principal_->isEnabled());
}

// What each password opens in company 1: a user (the lower number when two
// share a password), the company key, or nothing.
TEST_F(Empresas, LaClaveEligeUsuarioOClaveDeEmpresa) {
  struct Caso {
    const char* llave;    // line 11 of company 1
    const char* clave;
    bool conEnter;        // Enter in the box, else "&Abre Empresa"
    bool entra;
    const char* titulo;
    const char* usuario;  // the main window's Usuario label
  };
  // The main window's caption before any login: ten blanks.
  const char* const sinTitulo = "          ";
  const Caso casos[] = {
      {"", "adm", true, true, "Vorlan    V 5.2.0   Abarrotes Uno", "0"},
      {"", "caja", true, true, "Vorlan    V 5.2.0   Abarrotes Uno", "1"},
      {"", "Bodega", false, true, "Vorlan    V 5.2.0   Abarrotes Uno", "3"},
      {"", "ADM", true, false, sinTitulo, "Usuario"},
      {"secreto", "secreto", true, true, "Vorlan     V 5.2.0   Abarrotes Uno", "Usuario"},
      {"secreto", "Secreto", true, false, sinTitulo, "Usuario"},
      // The key never set opens nothing, not even with an empty password.
      {"", "", false, false, sinTitulo, "Usuario"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(std::string(c.llave) + " / " + c.clave);
    EscribeEmpresa(1, kDatos1, "Abarrotes Uno", c.llave);
    ui::PuertaModal::LimpiaMensajes();
    bool seguiaAbierta = false;
    QString seleccion;
    Inicia([&](TFormaEmpresas& d) {
      if (c.conEnter) {
        Entra(d, c.clave);
      } else {
        Teclea(d, "Clave", c.clave);
        Pulsa(d, "Aceptar");
      }
      seguiaAbierta = d.isVisible();
      seleccion = d.Clave->selectedText();
    });
    EXPECT_EQ(principal_->isEnabled(), c.entra);
    EXPECT_EQ(principal_->windowTitle(), c.titulo);
    EXPECT_EQ(Texto(*principal_, "Usuario"), c.usuario);
    EXPECT_EQ(seguiaAbierta, !c.entra);
    if (c.entra) {
      EXPECT_EQ(Mensajes(), QStringList());
    } else {
      EXPECT_EQ(Mensajes(), QStringList{"Clave Incorrecta"});
      // Enter leaves the wrong text selected to be typed over.
      if (c.conEnter) {
        EXPECT_EQ(seleccion, c.clave);
      }
    }
  }
}

TEST_F(Empresas, LaClaveDeEmpresaNoAbreUnaEmpresaQueNoExiste) {
  EscribeEmpresa(1, kDatos1, "Abarrotes Uno", "");
  Inicia([&](TFormaEmpresas& d) {
    Elige(d, "12");
    ui::PuertaModal::LimpiaMensajes();
    Pulsa(d, "Aceptar");
    EXPECT_EQ(Mensajes(), QStringList{"Clave Incorrecta"});
  });
  EXPECT_FALSE(principal_->isEnabled());
}

TEST_F(Empresas, UnSegundoIngresoCambiaTituloYUsuario) {
  Inicia([&](TFormaEmpresas& d) { Entra(d, "Bodega"); });
  EXPECT_EQ(Texto(*principal_, "Usuario"), "3");
  // Archivo > Empresa shows the dialog again; the first activation's
  // automatic show does not repeat.
  EscribeEmpresa(2, kDatos2, "Ferretería Dos", "llave2");
  ui::PuertaModal::Espera("TFormaEmpresas", [&](QDialog& d) {
    // The last password is not left in the box.
    EXPECT_EQ(Texto(d, "Clave"), "");
    Elige(static_cast<TFormaEmpresas&>(d), "2");
    Entra(static_cast<TFormaEmpresas&>(d), "llave2");
  });
  empresas_->ShowModal();
  EXPECT_EQ(principal_->windowTitle(), "Vorlan     V 5.2.0   Ferretería Dos");
  EXPECT_EQ(Texto(*principal_, "Usuario"), "3");
  // A later activation of the main window does not show it again (an
  // unanswered show would fail the test).
  QEvent desactiva(QEvent::WindowDeactivate);
  QApplication::sendEvent(principal_.get(), &desactiva);
  principal_->DisparaActivacion();
}

TEST_F(Empresas, EnterRegistraElIntentoSinLaClave) {
  Inicia([&](TFormaEmpresas& d) {
    Tecla(d, "Clave", Qt::Key_Return);  // empty: logged, nothing else
    EXPECT_EQ(Mensajes(), QStringList());
    Entra(d, "malo1");
    d.Clave->clear();
    Teclea(d, "Clave", "x");
    Pulsa(d, "Aceptar");  // the button logs nothing
    Entra(d, "caja");
  });
  EXPECT_EQ(Eventos(kDatos1),
            (QStringList{"Ingresando CLAVE ", "Ingresando CLAVE *****", "Ingresando CLAVE ****"}));
  const QString log = QString::fromLatin1(fs::LeeBytes(fs::Une(kDatos1, "Bitacora.txt")));
  EXPECT_FALSE(log.contains("malo1"));
  EXPECT_FALSE(log.contains("caja"));
  EXPECT_TRUE(principal_->isEnabled());
}

// The files the login checks for: the capture tables at once, the company's
// tables and indexes in one message followed by the closing one.
TEST_F(Empresas, AvisaDeLosArchivosQueFaltan) {
  struct Caso {
    QStringList borra;
    QStringList lineas59y63;
    QStringList mensajes;
  } casos[] = {
      {{"C:\\VRL\\DATOS\\Inventar.mdx"},
       {"", ""},
       {"El Archivo Inventar.mdx No Existe Revise su Configuración", kArchivosNoEncontrados}},
      {{"C:\\VRL\\Deta.db"}, {"", ""}, {"El Archivo Deta No Existe Revise su Configuración"}},
      {{"C:\\VRL\\DATOS\\Cliente.dbf", "C:\\VRL\\DATOS\\Vendedor.mdx", "C:\\VRL\\Detaminv.db"},
       {"", ""},
       {"El Archivo Detaminv No Existe Revise su Configuración",
        "El Archivo Cliente.dbf No Existe Revise su Configuración\n"
        "El Archivo Vendedor.mdx No Existe Revise su Configuración",
        kArchivosNoEncontrados}},
      // Products and remissions are looked for in their own folders when
      // lines 59 and 63 name them.
      {{"C:\\VRL\\DATOS\\Inventar.dbf", "C:\\VRL\\DATOS\\Remision.mdx"}, {"E:\\INV", "E:\\REM"}, {}},
      {{"C:\\VRL\\DATOS\\Inventar.dbf"},
       {"E:\\VACIA", ""},
       {"El Archivo Inventar.dbf No Existe Revise su Configuración\n"
        "El Archivo Movinven.dbf No Existe Revise su Configuración\n"
        "El Archivo Inventar.mdx No Existe Revise su Configuración\n"
        "El Archivo Movinven.mdx No Existe Revise su Configuración",
        kArchivosNoEncontrados}},
  };
  CreaRequeridos("E:\\INV");
  CreaRequeridos("E:\\REM");
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.borra.join(", ").toStdString());
    QStringList v = ValoresInicialesConfiguracion();
    v[ConfCarpetaDatos - 1] = kDatos1;
    v[ConfNombreEmpresa - 1] = "Abarrotes Uno";
    v[ConfCarpetaInventario - 1] = c.lineas59y63[0];
    v[ConfCarpetaRemisiones - 1] = c.lineas59y63[1];
    EscribeLineas("C:\\VRL\\Gener1.cnf", v);
    for (const QString& r : c.borra) ASSERT_TRUE(fs::BorraArchivo(r)) << r.toStdString();
    Inicia([&](TFormaEmpresas& d) {
      ui::PuertaModal::LimpiaMensajes();
      Entra(d, "adm");
    });
    EXPECT_TRUE(principal_->isEnabled());
    EXPECT_EQ(Mensajes(), c.mensajes);
    for (const QString& r : c.borra) Toca(r);
  }
}

}  // namespace
