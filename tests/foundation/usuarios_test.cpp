#include "foundation/rutinas.h"
#include "foundation/rutinas_usuarios.h"
#include "platform/Error.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/PuertaModal.h"
#include "support/RaizPrueba.h"

#include <QFile>
#include <QtEndian>

namespace {

const QString kMaestro = QStringLiteral("C:\\VRL\\DATOS\\usuarios.def");
const QString kCopia = QStringLiteral("C:\\VRL\\usuarios.def");

// One record written byte by byte from the file's layout. The bytes a string
// does not use are filled with `relleno`, since readers must ignore them.
QByteArray Registro(qint32 numero, const QByteArray& nombre, const QByteArray& clave, const QByteArray& derechos,
                    char relleno = '\xCC') {
  QByteArray r(140, relleno);
  qToLittleEndian<qint32>(numero, r.data());
  r[4] = 0;
  r[7] = static_cast<char>(nombre.size());
  r.replace(8, nombre.size(), nombre);
  r[68] = static_cast<char>(clave.size());
  r.replace(69, clave.size(), clave);
  r[79] = static_cast<char>(derechos.size());
  r.replace(80, derechos.size(), derechos);
  return r;
}

// Sixty rights letters: `base` everywhere, with some positions changed.
QByteArray Derechos(char base, std::initializer_list<std::pair<int, char>> cambios = {}) {
  QByteArray d(60, base);
  for (auto [posicion, letra] : cambios) d[posicion - 1] = letra;
  return d;
}

// Three users: the administrator, and users 1 and 2 sharing a password.
// User 1 holds right 1, right 2 stored as "S", and only 30 letters.
QByteArray TresUsuarios() {
  return Registro(0, "ADMINISTRADOR", "Secreta", Derechos('s')) +
         Registro(1, "Juan P\xE9rez", "caja", Derechos('n', {{1, 's'}, {2, 'S'}}).left(30)) +
         Registro(2, "Mar\xED" "a L\xF3pez", "caja", Derechos('n'));
}

class UsuariosTest : public RaizPrueba {
 protected:
  void SetUp() override {
    RaizPrueba::SetUp();
    EscribeLineas(kArchivoInicio, {"C:\\VRL", "C:\\VRL\\Gener1.cnf", ""});
    EscribeLineas("C:\\VRL\\Gener1.cnf", {"NO", "", "", "", "", "", "", "C:\\VRL\\DATOS"});
    fs::CreaCarpeta("C:\\VRL\\DATOS");
    QString carpeta;
    CarpetaLocal(carpeta);
  }
};

}  // namespace

TEST_F(UsuariosTest, ElIngresoCopiaElMaestroYBuscaLaClave) {
  // The working copy holds an older file: only the administrator, another password.
  const QByteArray viejo = Registro(0, "VIEJO", "caja2", Derechos('s'));
  EscribeBytes(kCopia, viejo);
  EscribeBytes(kMaestro, TresUsuarios());
  // A station that has the old copy open while the master is copied keeps
  // reading the whole old file: the copy replaces it, it does not rewrite it.
  QFile abierto(fs::Local(kCopia));
  ASSERT_TRUE(abierto.open(QIODevice::ReadOnly));
  struct Caso { QString clave; int usuario; };
  const Caso casos[] = {
      {"caja", 1},      // users 1 and 2 share it: the lower number wins
      {"Secreta", 0},
      {"CAJA", -1},     // other letter case
      {"caja2", -1},    // the old copy's password is gone
      {"", -1},
  };
  for (const Caso& c : casos) EXPECT_EQ(ValidaClaveUsuario(c.clave), c.usuario) << c.clave.toStdString();
  EXPECT_EQ(fs::LeeBytes(kCopia), TresUsuarios());
  EXPECT_EQ(abierto.readAll(), viejo);
  EXPECT_TRUE(Mensajes().isEmpty());
}

TEST_F(UsuariosTest, IngresoSinMaestroConArchivoVacioOSinArchivo) {
  // No master: the working copy is read as it is.
  EscribeBytes(kCopia, TresUsuarios());
  EXPECT_EQ(ValidaClaveUsuario("Secreta"), 0);

  // An empty master empties the working copy: nobody logs in.
  EscribeBytes(kMaestro, QByteArray());
  EXPECT_EQ(ValidaClaveUsuario("Secreta"), -1);
  EXPECT_EQ(fs::LeeBytes(kCopia), QByteArray());
  EXPECT_TRUE(Mensajes().isEmpty());

  fs::BorraArchivo(kMaestro);
  fs::BorraArchivo(kCopia);
  EXPECT_EQ(ValidaClaveUsuario("Secreta"), -1);
  EXPECT_EQ(Mensajes(), QStringList{"El Archivo de Usuarios No Existe "});
}

TEST_F(UsuariosTest, ClaveDelAdministrador) {
  EscribeBytes(kCopia, TresUsuarios());
  EXPECT_TRUE(ValidaClaveAdministrador("Secreta"));
  EXPECT_FALSE(ValidaClaveAdministrador("caja"));
  EXPECT_FALSE(ValidaClaveAdministrador("secreta"));
  EXPECT_TRUE(Mensajes().isEmpty());

  // An empty file has no administrator: refused, and no read error.
  EscribeBytes(kCopia, QByteArray());
  EXPECT_FALSE(ValidaClaveAdministrador(""));
  EXPECT_TRUE(Mensajes().isEmpty());

  fs::BorraArchivo(kCopia);
  EXPECT_FALSE(ValidaClaveAdministrador("Secreta"));
  EXPECT_EQ(Mensajes(), QStringList{"El Archivo de Usuarios No Existe "});
}

TEST_F(UsuariosTest, Derechos) {
  EscribeBytes(kCopia, TresUsuarios());
  const QString sinAcceso = "No Se Tiene Acceso...";
  const QString noValido = "Usuario no Válido";
  struct Caso {
    int usuario, posicion;
    bool concedido;
    QStringList avisos;     // shown by TieneDerecho
    QString texto;          // DerechoTexto ("previo": untouched)
    QStringList avisosTexto;
  };
  const Caso casos[] = {
      {0, DerechoClientes, true, {}, "s", {}},
      {0, DerechoCrearCortes, true, {}, "s", {}},
      {1, DerechoClientes, true, {}, "s", {}},
      {1, DerechoVendedores, true, {}, "n", {}},             // stored "S"
      {1, DerechoProveedores, false, {sinAcceso}, "n", {}},
      {1, DerechoReportesCompras, false, {sinAcceso}, "n", {}},  // beyond the 30 letters stored
      {1, 0, false, {sinAcceso}, "n", {}},
      {3, DerechoClientes, false, {}, "n", {}},              // number = record count
      {99, DerechoClientes, false, {}, "n", {}},
      {-1, DerechoClientes, false, {noValido}, "previo", {noValido}},
  };
  for (const Caso& c : casos) {
    const std::string caso = std::to_string(c.usuario) + "/" + std::to_string(c.posicion);
    ui::PuertaModal::LimpiaMensajes();
    EXPECT_EQ(TieneDerecho(c.usuario, c.posicion), c.concedido) << caso;
    EXPECT_EQ(Mensajes(), c.avisos) << caso;

    ui::PuertaModal::LimpiaMensajes();
    EXPECT_EQ(TieneDerechoSinAviso(c.usuario, c.posicion), c.concedido) << caso;
    EXPECT_EQ(Mensajes(), c.avisos.contains(sinAcceso) ? QStringList() : c.avisos) << caso;

    ui::PuertaModal::LimpiaMensajes();
    QString texto = "previo";
    DerechoTexto(c.usuario, c.posicion, texto);
    EXPECT_EQ(texto, c.texto) << caso;
    EXPECT_EQ(Mensajes(), c.avisosTexto) << caso;
  }
}

TEST_F(UsuariosTest, DerechosSinArchivoDeUsuarios) {
  const QString noExiste = "El Archivo de Usuarios No Existe ";
  EXPECT_FALSE(TieneDerecho(0, DerechoClientes));
  EXPECT_FALSE(TieneDerechoSinAviso(0, DerechoClientes));
  QString texto = "previo";
  DerechoTexto(0, DerechoClientes, texto);
  EXPECT_EQ(texto, "previo");
  EXPECT_EQ(Mensajes(), (QStringList{noExiste, noExiste, noExiste}));
}

TEST_F(UsuariosTest, CadaConsultaLeeElArchivoDeNuevo) {
  EscribeBytes(kCopia, TresUsuarios());
  EXPECT_FALSE(TieneDerechoSinAviso(2, DerechoInventarios));
  EscribeBytes(kCopia, TresUsuarios().left(280) + Registro(2, "Mar\xED" "a L\xF3pez", "caja", Derechos('s')));
  EXPECT_TRUE(TieneDerechoSinAviso(2, DerechoInventarios));
}

TEST_F(UsuariosTest, NombreDeUsuario) {
  EscribeBytes(kCopia, TresUsuarios());
  struct Caso { QString numero; QString nombre; };
  const Caso casos[] = {
      {"2", "María López"},
      {"1", "Juan Pérez"},
      {"0", "ADMINISTRADOR"},
      {"7", "No Registrado"},
      {"-1", "No Registrado"},
      {"abc", "No Registrado"},
      {"", "No Registrado"},
  };
  for (const Caso& c : casos) {
    QString nombre = "previo";
    LeeNombreUsuario(c.numero, "C:\\VRL", nombre);
    EXPECT_EQ(nombre, c.nombre) << c.numero.toStdString();
  }
  EXPECT_TRUE(Mensajes().isEmpty());

  // The number stored in the record is what counts, not its position.
  EscribeBytes("C:\\VRL\\DATOS\\usuarios.def", Registro(5, "Cinco", "x", Derechos('n')));
  QString nombre;
  LeeNombreUsuario("5", "C:\\VRL\\DATOS", nombre);
  EXPECT_EQ(nombre, "Cinco");

  EscribeBytes(kCopia, QByteArray());
  nombre = "previo";
  LeeNombreUsuario("abc", "C:\\VRL", nombre);
  EXPECT_EQ(nombre, "previo");
  EXPECT_TRUE(Mensajes().isEmpty());

  LeeNombreUsuario("0", "C:\\VRL\\NoHay", nombre);
  EXPECT_EQ(nombre, "previo");
  EXPECT_EQ(Mensajes(), QStringList{"El Archivo de Usuarios No Existe "});
}

TEST(RegistroUsuarioTest, BytesDelRegistro) {
  // Encoding gives the layout's bytes, unused bytes zero.
  TRegistroUsuario r;
  r.NumeroUsuario = 2;
  r.NombreUsuario = "María López";
  r.ClaveUsuario = "caja";
  r.Derechos = QString(60, u'n');
  EXPECT_EQ(r.ABytes(), Registro(2, "Mar\xED" "a L\xF3pez", "caja", Derechos('n'), '\0'));

  // Texts longer than their field are cut; a length byte past the field
  // reads the whole field.
  r.NombreUsuario = QString(70, u'N');
  r.ClaveUsuario = "123456789012";
  const TRegistroUsuario leido = TRegistroUsuario::DeBytes(r.ABytes());
  EXPECT_EQ(leido.NombreUsuario, QString(60, u'N'));
  EXPECT_EQ(leido.ClaveUsuario, "1234567890");
  EXPECT_EQ(leido.NumeroUsuario, 2);
  QByteArray roto = Registro(1, "x", "abcdefghij", "s");
  roto[68] = '\xFF';
  EXPECT_EQ(TRegistroUsuario::DeBytes(roto).ClaveUsuario, "abcdefghij");
  EXPECT_EQ(TRegistroUsuario::DeBytes(roto).Derechos, "s");

  EXPECT_EQ(DescifraTexto("Clave Ñ"), "Clave Ñ");
  EXPECT_EQ(CifraTexto("Clave Ñ"), "Clave Ñ");
}
