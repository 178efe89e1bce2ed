#pragma once
// Users, passwords and rights: the users file usuarios.def.
//
// The file is a plain sequence of 140-byte records with no header; record i
// holds user i, and user 0 is the administrator:
//
//   offset  width  field
//      0      4    NumeroUsuario  signed 32-bit little-endian; equals the position
//      4      3    Reservado      length byte + 2 characters (never used)
//      7     61    NombreUsuario  length byte + 60 characters, Windows-1252
//     68     11    ClaveUsuario   length byte + 10 characters, as typed
//     79     61    Derechos       length byte + 60 letters: "s" granted, "n" refused
//
// A string's first byte holds its used length; the bytes after it are
// undefined. A trailing piece shorter than a record is not a record.
//
// A master copy lives in the company data folder (configuration line 8); the
// login copies it over the program folder's copy, which every other routine
// reads. Nothing is cached: each check opens the file, reads and closes it, so
// a change made by the users editor applies to the next check.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

struct TRegistroUsuario {
  static constexpr int kTamano = 140;
  // Offsets and widths (length byte included) of the fields.
  static constexpr int kPosNumero = 0;
  static constexpr int kPosReservado = 4, kAnchoReservado = 3;
  static constexpr int kPosNombre = 7, kAnchoNombre = 61;
  static constexpr int kPosClave = 68, kAnchoClave = 11;
  static constexpr int kPosDerechos = 79, kAnchoDerechos = 61;

  qint32 NumeroUsuario = 0;
  QString Reservado;
  QString NombreUsuario;
  QString ClaveUsuario;
  QString Derechos;

  // Decodes one record from kTamano bytes. A length byte larger than its
  // field is read as the whole field.
  static TRegistroUsuario DeBytes(QByteArrayView bytes);
  // The record's kTamano bytes: texts cut to their field, unused bytes zero.
  QByteArray ABytes() const;
};

// The positions of the rights text (1 to 60). 1-10 open modules; 11-40 are
// "Altas", "Bajas", "Cambios" of the ten modules in order; 41-50 their
// "Reportes"; 51-60 named permissions.
enum DerechoUsuario : int {
  DerechoClientes = 1,
  DerechoVendedores,
  DerechoProveedores,
  DerechoFacturacion,
  DerechoCompras,
  DerechoCuentasPorCobrar,
  DerechoCuentasPorPagar,
  DerechoInventarios,
  DerechoMovimientos,
  DerechoConfiguracion,
  DerechoAltaClientes = 11,
  DerechoBajaClientes,
  DerechoCambioClientes,
  DerechoAltaVendedores,
  DerechoBajaVendedores,
  DerechoCambioVendedores,
  DerechoAltaProveedores,
  DerechoBajaProveedores,
  DerechoCambioProveedores,
  DerechoAltaFacturacion,
  DerechoBajaFacturacion,
  DerechoCambioFacturacion,
  DerechoAltaCompras,
  DerechoBajaCompras,
  DerechoCambioCompras,
  DerechoAltaCuentasPorCobrar,
  DerechoBajaCuentasPorCobrar,
  DerechoCambioCuentasPorCobrar,
  DerechoAltaCuentasPorPagar,
  DerechoBajaCuentasPorPagar,
  DerechoCambioCuentasPorPagar,
  DerechoAltaInventarios,
  DerechoBajaInventarios,
  DerechoCambioInventarios,
  DerechoAltaMovimientos,
  DerechoBajaMovimientos,
  DerechoCambioMovimientos,
  DerechoAltaConfiguracion,
  DerechoBajaConfiguracion,
  DerechoCambioConfiguracion,
  DerechoReportesClientes = 41,
  DerechoReportesVendedores,
  DerechoReportesProveedores,
  DerechoReportesFacturacion,
  DerechoReportesCompras,
  DerechoReportesCuentasPorCobrar,
  DerechoReportesCuentasPorPagar,
  DerechoReportesInventarios,
  DerechoReportesMovimientos,
  DerechoReportesConfiguracion,
  DerechoCambiarPrecios = 51,
  DerechoCancelarVenta,
  DerechoReimprimir,
  DerechoReindexar,
  DerechoRespaldar,
  DerechoLimitarVendedor,
  DerechoCancelarCompra,
  DerechoDarDescuentos,
  DerechoDescuentosConClave,
  DerechoCrearCortes,
};
inline constexpr int kNumeroDerechos = 60;

// Messages of the users routines.
inline const QString kUsuariosNoExiste = QStringLiteral("El Archivo de Usuarios No Existe ");
inline const QString kSinAcceso = QStringLiteral("No Se Tiene Acceso...");
inline const QString kUsuarioNoValido = QStringLiteral("Usuario no Válido");
inline const QString kNoRegistrado = QStringLiteral("No Registrado");

// The hook names and passwords pass through on reading, and its counterpart
// on writing; the file holds them as typed, so both return the text as is.
QString DescifraTexto(const QString& texto);
QString CifraTexto(const QString& texto);

// Copies the master copy over the program folder's copy (when the master
// exists; a failed copy is ignored) and returns the number of the first user
// whose password equals `clave` exactly, case included; -1 when none does or
// the file is empty. A missing working copy shows kUsuariosNoExiste and gives
// -1. An unreadable file throws plat::Error.
int ValidaClaveUsuario(const QString& clave);
// True when `clave` equals the administrator's (user 0) password exactly.
// A missing file shows kUsuariosNoExiste; a missing or empty file gives false.
// An unreadable file throws plat::Error.
bool ValidaClaveAdministrador(const QString& clave);

// True when right `posicion` of `usuario` is granted ("s", either case).
// Refusals: a missing file shows kUsuariosNoExiste; a user number not below
// the record count is refused silently; a record that cannot be read (a
// negative number, an unreadable file) shows kUsuarioNoValido; a right not
// granted shows kSinAcceso.
bool TieneDerecho(int usuario, int posicion);
// As TieneDerecho without the kSinAcceso message.
bool TieneDerechoSinAviso(int usuario, int posicion);
// salida := "s" when the stored letter is exactly "s", else "n" ("n" too for
// a user number beyond the file). Untouched after the missing-file or the
// unreadable-record message.
void DerechoTexto(int usuario, int posicion, QString& salida);

// salida := the name of the user whose number `numero` (a text) holds, read
// from <carpeta>\usuarios.def; kNoRegistrado when no record carries that
// number (or the text is not a number). Untouched for an empty file and,
// after kUsuariosNoExiste, for a missing one.
void LeeNombreUsuario(const QString& numero, const QString& carpeta, QString& salida);
