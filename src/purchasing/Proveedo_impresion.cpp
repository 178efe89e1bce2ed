// The supplier catalogue's printing: the current supplier through the print
// format (printed, previewed), a range of suppliers, the format picker and
// editor, and the window's own picture. The supplier table serves as both
// the header and the detail table of the format.

#include "customers/ImpresionCatalogo.h"
#include "formats/Interprete.h"
#include "formats/edicion.h"
#include "foundation/ImprimeDocumento.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_texto.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "purchasing/Proveedo.h"
#include "reports/Formatos.h"
#include "shell/LineasConfiguracion.h"

#include <QLabel>

QString TFormaProveedo::FormatoProveedores() const {
  if (!formatoElegido_.isEmpty()) return formatoElegido_;
  QString archivo;
  LeeLineaConfig(ConfFormatoProveedores, archivo);
  return carpetaPrograma_ + QStringLiteral("\\consulta\\") + archivo;
}

void TFormaProveedo::ImprimeActual(const QString& formato) {
  ImprimeRegistroCatalogo(*TablaProveedor, formato, Usuario->text());
}

void TFormaProveedo::BotonImprimirClick() {
  if (!ImpresoraLista()) {
    MuestraMensaje(QStringLiteral("La Impresora No Se Encuentra Lista..."));
    return;
  }
  ImprimeActual(FormatoProveedores());
}

void TFormaProveedo::BotonPreliminarClick() {
  FijaUsuarioImpresion(Usuario->text());
  ConservaRegistro(*TablaProveedor, [&] { VistaPreviaFormato(TablaProveedor, TablaProveedor, FormatoProveedores()); });
}

void TFormaProveedo::ImprimeRango1Click() {
  // A missing format prints nothing.
  ImprimeRangoCatalogo(*TablaProveedor, FormatoProveedores(), Usuario->text());
}

void TFormaProveedo::ElegirFormato1Click() {
  QString formato = FormatoProveedores();
  if (EligeFormato(formato)) formatoElegido_ = formato;
}

void TFormaProveedo::DisenarFormato1Click() {
  TFormaFormatos dialogo;
  dialogo.Rangos->hide();
  dialogo.Formatos->show();
  dialogo.BotonEdicionClick();
}

void TFormaProveedo::ImprimePlantilla1Click() {
  ImprimeVentana(grab().toImage(), size(), logicalDpiX(), windowTitle());
}
