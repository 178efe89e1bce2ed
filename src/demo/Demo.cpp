#include "demo/Demo.h"

#include "foundation/rutinas.h"
#include "foundation/rutinas_usuarios.h"
#include "platform/Error.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "shell/LineasConfiguracion.h"

#include <QByteArray>

namespace {

// The cashier's rights: the customer, sale and product modules, adding
// customers and sales, and the sale reports.
QString DerechosCajero() {
  QString derechos(kNumeroDerechos, u'n');
  for (int d : {DerechoClientes, DerechoFacturacion, DerechoInventarios, DerechoAltaClientes, DerechoAltaFacturacion,
                DerechoReportesFacturacion})
    derechos[d - 1] = u's';
  return derechos;
}

QByteArray ArchivoUsuarios() {
  TRegistroUsuario administrador;
  administrador.NumeroUsuario = 0;
  administrador.NombreUsuario = QStringLiteral("Administrador");
  administrador.ClaveUsuario = CifraTexto(kClaveDemoAdministrador);
  administrador.Derechos = QString(kNumeroDerechos, u's');
  TRegistroUsuario cajero;
  cajero.NumeroUsuario = 1;
  cajero.NombreUsuario = QStringLiteral("Cajero");
  cajero.ClaveUsuario = CifraTexto(kClaveDemoCajero);
  cajero.Derechos = DerechosCajero();
  return administrador.ABytes() + cajero.ABytes();
}

void EscribeSiFalta(const QString& ruta, const QByteArray& bytes) {
  if (!fs::Existe(ruta)) fs::EscribeAtomico(ruta, bytes);
}

QString CarpetaDatosDemo() { return DefinicionLinea(ConfCarpetaDatos)->Inicial(); }

}  // namespace

bool PreparaEmpresaDemo() {
  if (fs::Existe(kArchivoInicio)) return false;
  QString programa;
  CarpetaLocal(programa);
  const QString datos = CarpetaDatosDemo();
  for (const QString& carpeta : {programa, datos, fs::CarpetaDe(kArchivoInicio)}) {
    if (!fs::CreaCarpeta(carpeta))
      throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo crear la carpeta %1").arg(carpeta));
  }

  const QString configuracion = ArchivoEmpresa(programa, QStringLiteral("1"));
  if (!fs::Existe(configuracion)) {
    QStringList lineas = ValoresInicialesConfiguracion();
    lineas[ConfCarpetaDatos - 1] = datos;
    lineas[ConfNombreEmpresa - 1] = kNombreEmpresaDemo;
    EscribeConfiguracionEmpresa(configuracion, lineas);
  }

  // The master copy in the data folder and the working copy the login
  // refreshes from it.
  const QByteArray usuarios = ArchivoUsuarios();
  EscribeSiFalta(fs::Une(datos, QStringLiteral("usuarios.def")), usuarios);
  EscribeSiFalta(fs::Une(programa, QStringLiteral("usuarios.def")), usuarios);

  fs::ReescribeLineas(kArchivoInicio, {programa, configuracion, QString()});
  return true;
}

QString AvisoEmpresaDemo() {
  QString programa;
  CarpetaLocal(programa);
  const QString configuracion = ArchivoEmpresa(programa, QStringLiteral("1"));
  if (!fs::ExisteArchivo(configuracion)) return {};
  if (fs::LeeLinea(configuracion, ConfNombreEmpresa).value_or(QString()) != kNombreEmpresaDemo) return {};
  return QStringLiteral("Empresa 1, \"%1\": clave del administrador \"%2\", clave del cajero \"%3\".")
      .arg(kNombreEmpresaDemo, kClaveDemoAdministrador, kClaveDemoCajero);
}
