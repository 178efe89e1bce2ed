// The demonstration company on a fresh root: what a newcomer finds, and that
// a root already in use is left alone.

#include "demo/Demo.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_usuarios.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/PuertaModal.h"
#include "shell/Empresas.h"
#include "shell/LineasConfiguracion.h"
#include "shell/Principa.h"
#include "support/Maneja.h"
#include "support/RaizPrueba.h"

namespace {

const QString kDatosDemo = QStringLiteral("C:\\Vorlan\\DATOS");

class EmpresaDemo : public RaizPrueba {};

TEST_F(EmpresaDemo, UnaRaizNuevaRecibeLaEmpresaUno) {
  ASSERT_TRUE(PreparaEmpresaDemo());
  EXPECT_EQ(fs::LeeLineas(kArchivoInicio), (QStringList{"C:\\VRL", "C:\\VRL\\Gener1.cnf", ""}));

  QStringList esperadas = ValoresInicialesConfiguracion();
  esperadas[ConfCarpetaDatos - 1] = kDatosDemo;
  esperadas[ConfNombreEmpresa - 1] = "Vorlan Demostración";
  EXPECT_EQ(fs::LeeLineas("C:\\VRL\\Gener1.cnf"), esperadas);

  // Both copies of the users file; the login finds each password.
  EXPECT_EQ(fs::LeeBytes(fs::Une(kDatosDemo, "usuarios.def")), fs::LeeBytes("C:\\VRL\\usuarios.def"));
  EXPECT_EQ(ValidaClaveUsuario(kClaveDemoAdministrador), 0);
  EXPECT_EQ(ValidaClaveUsuario(kClaveDemoCajero), 1);
  EXPECT_TRUE(ValidaClaveAdministrador(kClaveDemoAdministrador));
  EXPECT_TRUE(TieneDerechoSinAviso(0, DerechoConfiguracion));
  EXPECT_TRUE(TieneDerechoSinAviso(1, DerechoFacturacion));
  EXPECT_FALSE(TieneDerechoSinAviso(1, DerechoConfiguracion));
  EXPECT_FALSE(TieneDerechoSinAviso(1, DerechoCancelarVenta));

  const QString aviso = AvisoEmpresaDemo();
  EXPECT_TRUE(aviso.contains(kClaveDemoAdministrador) && aviso.contains(kClaveDemoCajero)) << aviso.toStdString();
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(EmpresaDemo, UnaRaizEnUsoNoSeToca) {
  // A root with a start file, and one with a company of its own but no start
  // file yet: nothing is written over.
  EscribeLineas(kArchivoInicio, {"C:\\VRL", "C:\\VRL\\Gener3.cnf", ""});
  EXPECT_FALSE(PreparaEmpresaDemo());
  EXPECT_FALSE(fs::Existe("C:\\VRL\\Gener1.cnf"));
  EXPECT_FALSE(fs::Existe(kDatosDemo));
  EXPECT_EQ(AvisoEmpresaDemo(), "");

  fs::BorraArchivo(kArchivoInicio);
  EscribeLineas("C:\\VRL\\Gener1.cnf", {"SI", "", "", "", "", "", "", "C:\\PROPIA", "Mi Tienda"});
  EscribeBytes("C:\\VRL\\usuarios.def", "propio");
  EXPECT_TRUE(PreparaEmpresaDemo());
  EXPECT_EQ(fs::LeeLinea("C:\\VRL\\Gener1.cnf", ConfNombreEmpresa), "Mi Tienda");
  EXPECT_EQ(fs::LeeBytes("C:\\VRL\\usuarios.def"), "propio");
  EXPECT_EQ(AvisoEmpresaDemo(), "");
}

// The newcomer's first login: the administrator's password opens company 1.
TEST_F(EmpresaDemo, ElAdministradorEntra) {
  ASSERT_TRUE(PreparaEmpresaDemo());
  TFormaPrincipal principal;
  TFormaEmpresas empresas;
  ui::PuertaModal::Espera("TFormaEmpresas", [](QDialog& d) {
    EXPECT_EQ(prueba::Texto(d, "NombreEmpresa"), "Vorlan Demostración");
    prueba::Teclea(d, "Clave", kClaveDemoAdministrador);
    prueba::Tecla(d, "Clave", Qt::Key_Return);
  });
  principal.DisparaActivacion();
  EXPECT_TRUE(principal.isEnabled());
  EXPECT_EQ(principal.windowTitle(), "Vorlan    V 5.2.0   Vorlan Demostración");
  EXPECT_EQ(prueba::Texto(principal, "Usuario"), "0");
}

}  // namespace
