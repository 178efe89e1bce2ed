#include "foundation/rutinas_usuarios.h"

#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "platform/Error.h"
#include "platform/fs/CadenaCorta.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"

#include <QFile>
#include <QtEndian>

#include <optional>

namespace {

const QString kNombreArchivo = QStringLiteral("usuarios.def");

// The users file opened for reading; each routine opens it, reads what it
// needs and closes it. Failures throw plat::Error.
class ArchivoUsuarios {
 public:
  explicit ArchivoUsuarios(const QString& ruta) : ruta_(ruta), archivo_(fs::Local(ruta)) {
    if (!archivo_.open(QIODevice::ReadOnly)) Falla(archivo_.errorString());
  }

  int Registros() const { return static_cast<int>(archivo_.size() / TRegistroUsuario::kTamano); }

  // Record i; throws for a position outside the file.
  TRegistroUsuario Lee(int i) {
    if (i < 0 || i >= Registros()) Falla(QStringLiteral("registro %1 fuera del archivo").arg(i));
    if (!archivo_.seek(static_cast<qint64>(i) * TRegistroUsuario::kTamano)) Falla(archivo_.errorString());
    const QByteArray bytes = archivo_.read(TRegistroUsuario::kTamano);
    if (bytes.size() != TRegistroUsuario::kTamano) Falla(archivo_.errorString());
    return TRegistroUsuario::DeBytes(bytes);
  }

 private:
  [[noreturn]] void Falla(const QString& detalle) const {
    throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo leer ") + ruta_ + QStringLiteral(": ") + detalle);
  }

  QString ruta_;
  QFile archivo_;
};

QString CopiaDeTrabajo() { return fs::Une(CarpetaProgramaRutinas, kNombreArchivo); }

// The stored letter of a right, or nothing for a position outside the text.
std::optional<QChar> LetraDerecho(const TRegistroUsuario& registro, int posicion) {
  if (posicion < 1 || posicion > registro.Derechos.size()) return std::nullopt;
  return registro.Derechos[posicion - 1];
}

// The record of `usuario` for a right check: nothing after a refusal
// (missing file, a number beyond the file, an unreadable record), with the
// refusal's message shown.
std::optional<TRegistroUsuario> RegistroParaDerecho(int usuario) {
  const QString ruta = CopiaDeTrabajo();
  if (!fs::ExisteArchivo(ruta)) {
    MuestraMensaje(kUsuariosNoExiste);
    return std::nullopt;
  }
  try {
    ArchivoUsuarios archivo(ruta);
    if (usuario >= archivo.Registros()) return std::nullopt;
    return archivo.Lee(usuario);
  } catch (const plat::Error&) {
    MuestraMensaje(kUsuarioNoValido);
    return std::nullopt;
  }
}

bool Concede(int usuario, int posicion, bool avisa) {
  const std::optional<TRegistroUsuario> registro = RegistroParaDerecho(usuario);
  if (!registro) return false;
  const std::optional<QChar> letra = LetraDerecho(*registro, posicion);
  const bool concedido = letra && letra->toLower() == u's';
  if (!concedido && avisa) MuestraMensaje(kSinAcceso);
  return concedido;
}

}  // namespace

TRegistroUsuario TRegistroUsuario::DeBytes(QByteArrayView bytes) {
  Q_ASSERT(bytes.size() >= kTamano);
  TRegistroUsuario r;
  r.NumeroUsuario = qFromLittleEndian<qint32>(bytes.data() + kPosNumero);
  r.Reservado = fs::LeeCadenaCorta(bytes, kPosReservado, kAnchoReservado);
  r.NombreUsuario = fs::LeeCadenaCorta(bytes, kPosNombre, kAnchoNombre);
  r.ClaveUsuario = fs::LeeCadenaCorta(bytes, kPosClave, kAnchoClave);
  r.Derechos = fs::LeeCadenaCorta(bytes, kPosDerechos, kAnchoDerechos);
  return r;
}

QByteArray TRegistroUsuario::ABytes() const {
  QByteArray bytes(kTamano, '\0');
  qToLittleEndian<qint32>(NumeroUsuario, bytes.data() + kPosNumero);
  fs::EscribeCadenaCorta(bytes, kPosReservado, kAnchoReservado, Reservado);
  fs::EscribeCadenaCorta(bytes, kPosNombre, kAnchoNombre, NombreUsuario);
  fs::EscribeCadenaCorta(bytes, kPosClave, kAnchoClave, ClaveUsuario);
  fs::EscribeCadenaCorta(bytes, kPosDerechos, kAnchoDerechos, Derechos);
  return bytes;
}

QString DescifraTexto(const QString& texto) { return texto; }
QString CifraTexto(const QString& texto) { return texto; }

int ValidaClaveUsuario(const QString& clave) {
  QString datos;
  LeeLineaConfig(8, datos);
  // Without a data folder there is no master to look for.
  if (!datos.isEmpty()) {
    const QString maestro = fs::Une(datos, kNombreArchivo);
    // The copy replaces the working copy atomically, so a station never reads
    // a half-copied file; a failed copy leaves the old one.
    if (fs::ExisteArchivo(maestro)) fs::CopiaArchivo(maestro, CopiaDeTrabajo());
  }

  const QString ruta = CopiaDeTrabajo();
  if (!fs::ExisteArchivo(ruta)) {
    MuestraMensaje(kUsuariosNoExiste);
    return -1;
  }
  ArchivoUsuarios archivo(ruta);
  const int registros = archivo.Registros();
  for (int i = 0; i < registros; ++i) {
    const TRegistroUsuario registro = archivo.Lee(i);
    if (DescifraTexto(registro.ClaveUsuario) == clave) return registro.NumeroUsuario;
  }
  return -1;
}

bool ValidaClaveAdministrador(const QString& clave) {
  const QString ruta = CopiaDeTrabajo();
  if (!fs::ExisteArchivo(ruta)) {
    MuestraMensaje(kUsuariosNoExiste);
    return false;
  }
  ArchivoUsuarios archivo(ruta);
  // An empty file has no administrator: nobody passes.
  if (archivo.Registros() == 0) return false;
  return DescifraTexto(archivo.Lee(0).ClaveUsuario) == clave;
}

bool TieneDerecho(int usuario, int posicion) { return Concede(usuario, posicion, true); }

bool TieneDerechoSinAviso(int usuario, int posicion) { return Concede(usuario, posicion, false); }

void DerechoTexto(int usuario, int posicion, QString& salida) {
  const QString ruta = CopiaDeTrabajo();
  if (!fs::ExisteArchivo(ruta)) {
    MuestraMensaje(kUsuariosNoExiste);
    return;
  }
  try {
    ArchivoUsuarios archivo(ruta);
    if (usuario >= archivo.Registros()) {
      salida = QStringLiteral("n");
      return;
    }
    const std::optional<QChar> letra = LetraDerecho(archivo.Lee(usuario), posicion);
    salida = letra == u's' ? QStringLiteral("s") : QStringLiteral("n");
  } catch (const plat::Error&) {
    MuestraMensaje(kUsuarioNoValido);
  }
}

void LeeNombreUsuario(const QString& numero, const QString& carpeta, QString& salida) {
  const QString ruta = fs::Une(carpeta, kNombreArchivo);
  if (!fs::ExisteArchivo(ruta)) {
    MuestraMensaje(kUsuariosNoExiste);
    return;
  }
  // A text that is not a number matches no user. It is read while history
  // lines are written after a save, which must not fail for it.
  bool esNumero = false;
  const qint64 buscado = numero.trimmed().toLongLong(&esNumero);
  ArchivoUsuarios archivo(ruta);
  const int registros = archivo.Registros();
  for (int i = 0; i < registros; ++i) {
    const TRegistroUsuario registro = archivo.Lee(i);
    if (esNumero && registro.NumeroUsuario == buscado) {
      salida = DescifraTexto(registro.NombreUsuario);
      return;
    }
    salida = kNoRegistrado;
  }
}
