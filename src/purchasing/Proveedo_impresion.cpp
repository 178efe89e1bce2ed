// The supplier catalogue's printing: the current supplier through the print
// format (printed, previewed), a range of suppliers, the format picker and
// editor, and the window's own picture. The supplier table serves as both
// the header and the detail table of the format.

#include "formats/Interprete.h"
#include "formats/edicion.h"
#include "foundation/ImprimeDocumento.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_texto.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "purchasing/Proveedo.h"
#include "reports/DialogoImprimir.h"
#include "reports/Formatos.h"
#include "shell/LineasConfiguracion.h"

#include <QLabel>
#include <QLineEdit>

namespace {

// Runs `impresion` and puts the table back on the supplier it stood on: a
// format that lists its detail walks the table to its end.
template <class F>
void SinMoverse(db::Tabla& tabla, F&& impresion) {
  const qint64 registro = tabla.RecNo();
  impresion();
  if (registro) tabla.VeARegistro(registro);
}

}  // namespace

QString TFormaProveedo::FormatoProveedores() const {
  if (!formatoElegido_.isEmpty()) return formatoElegido_;
  QString archivo;
  LeeLineaConfig(ConfFormatoProveedores, archivo);
  return carpetaPrograma_ + QStringLiteral("\\consulta\\") + archivo;
}

void TFormaProveedo::ImprimeActual(const QString& formato) {
  FijaUsuarioImpresion(Usuario->text());
  SinMoverse(*TablaProveedor, [&] { EjecutaFormato(TablaProveedor, TablaProveedor, formato, u'i'); });
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
  SinMoverse(*TablaProveedor, [&] { VistaPreviaFormato(TablaProveedor, TablaProveedor, FormatoProveedores()); });
}

void TFormaProveedo::ImprimeRango1Click() {
  TDialogoImprimir rango;
  rango.ShowModal();
  if (rango.Tag() != 1) return;
  const QString formato = FormatoProveedores();
  if (!fs::ExisteArchivo(formato)) return;
  const qint64 registro = TablaProveedor->RecNo();
  TablaProveedor->SetRange({rango.PrimeraPagina->text()}, {rango.UltimaPagina->text()});
  try {
    for (TablaProveedor->First(); !TablaProveedor->Eof(); TablaProveedor->Next()) ImprimeActual(formato);
  } catch (...) {
    TablaProveedor->CancelRange();
    throw;
  }
  TablaProveedor->CancelRange();
  if (registro) TablaProveedor->VeARegistro(registro);
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
