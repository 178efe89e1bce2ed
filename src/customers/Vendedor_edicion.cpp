// The seller catalogue's record commands: new, change, save, delete,
// cancel, the close question, the search, positioning and the observations.

#include "customers/Consultas.h"
#include "customers/EdicionCatalogo.h"
#include "customers/Vendedor.h"
#include "foundation/ImprimeDocumento.h"
#include "foundation/advierte.h"
#include "foundation/ayudaMod.h"
#include "foundation/buscar.h"
#include "foundation/dialogos.h"
#include "foundation/observa.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_tablas.h"
#include "foundation/rutinas_usuarios.h"
#include "platform/db/Numeracion.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/ControlesDatos.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPixmap>
#include <QRadioButton>
#include <QToolButton>

namespace {

const QString kCampoClave = QStringLiteral("CLVEN_V");
const QString kTagClave = QStringLiteral("ICLAVEN");
const QString kTagNombre = QStringLiteral("NOMBR_V");
// The longest key text found again after a save.
constexpr int kLargoClaveBuscada = 20;

// Logs the row the table stands on to borrados.dat and deletes it; a
// failure is shown and the row stays.
void BorraRegistro(db::Tabla& tabla) {
  try {
    RegistraBorrado(tabla);
    tabla.Delete();
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
}

}  // namespace

int TFormaVendedor::NumeroUsuario() const { return NumeroDeUsuario(Usuario->text()); }

void TFormaVendedor::EnfocaClave() { EditCLVEN_V->setFocus(Qt::OtherFocusReason); }

void TFormaVendedor::IniciaEdicion(bool alta) {
  ui::SetTag(BotonNuevo, alta ? 1 : 0);
  ui::SetTag(BotonCambios, alta ? 0 : 1);
  EstadoBotonesVendedor(true);
  PintaMarco(true);
  EnfocaClave();
}

void TFormaVendedor::TerminaEdicion() {
  ui::SetTag(BotonNuevo, 0);
  ui::SetTag(BotonCambios, 0);
  EstadoBotonesVendedor(false);
}

// --- New sellers and changes.

void TFormaVendedor::BotonNuevoClick() {
  if (!TieneDerecho(NumeroUsuario(), DerechoAltaVendedores)) return;
  if (!TablaVendedor->Active()) return;
  TablaVendedor->SetIndexName(kTagClave);
  // The empty seller is stored at once and then edited.
  try {
    TablaVendedor->Append();
    TablaVendedor->Post();
  } catch (const plat::Error&) {
    TablaVendedor->Cancel();
    MuestraMensaje(kErrorGuardarVendedor);
    return;
  }
  try {
    TablaVendedor->Edit();
  } catch (const plat::Error&) {
    MuestraMensaje(kErrorEditarVendedor);
    BorraRegistro(*TablaVendedor);
    return;
  }
  claveAnterior_.clear();
  IniciaEdicion(true);
}

void TFormaVendedor::BotonCambiosClick() {
  if (!TieneDerecho(NumeroUsuario(), DerechoCambioVendedores)) return;
  if (!TablaVendedor->Active() || TablaVendedor->IsEmpty()) return;
  TablaVendedor->SetIndexName(kTagClave);
  // Another station holding the seller is waited for a few seconds.
  try {
    TablaVendedor->Edit();
  } catch (const plat::Error&) {
    MuestraMensaje(kErrorEditarVendedor);
    return;
  }
  claveAnterior_ = TablaVendedor->FieldByName(kCampoClave).AsString();
  IniciaEdicion(false);
}

// --- Saving.

void TFormaVendedor::BotonGuardarClick() { Guarda(); }

bool TFormaVendedor::Guarda() {
  if (!EnAlta() && !EnCambio()) return true;
  const db::Campo& clave = TablaVendedor->FieldByName(kCampoClave);
  if (clave.AsString().trimmed().isEmpty()) {
    MuestraMensaje(kFaltaClaveVendedor);
    EnfocaClave();
    return false;
  }
  // The key check and the post run under the table's numbering lock, so no
  // other station stores the key meanwhile; a changed key is checked as a
  // new one is (the seller itself excluded). The lock goes before anything
  // is shown.
  QString rechazo;
  bool repetida = false;
  try {
    const db::Numeracion numeracion(*TablaRepetido);
    if (EnAlta() || clave.AsString() != claveAnterior_)
      repetida = ClaveRepetida(*TablaRepetido, clave.Value(), TablaVendedor->RecNo());
    if (!repetida) {
      try {
        TablaVendedor->Post();
      } catch (const plat::Error&) {
        rechazo = kErrorGuardarVendedor;
      }
    }
  } catch (const plat::Error& e) {
    rechazo = e.mensaje();
  }
  if (repetida || !rechazo.isEmpty()) {
    MuestraMensaje(repetida ? kClaveVendedorExiste : rechazo);
    if (repetida) EnfocaClave();
    return false;
  }
  const QString guardada = TablaVendedor->FieldByName(kCampoClave).AsString().left(kLargoClaveBuscada);
  TerminaEdicion();
  PintaMarco(false);
  QString abiertas;
  LeeLineaConfig(ConfBasesAbiertas, abiertas);
  if (abiertas == u"NO") {
    ui::Protege([&] {
      RefrescaTabla(*TablaVendedor);
      TablaVendedor->FindKey({guardada});
    });
  }
  return true;
}

// --- Leaving an edit.

void TFormaVendedor::Descarta() {
  const bool alta = EnAlta();
  TablaVendedor->Cancel();
  // The new seller was stored empty when it was started.
  if (alta) BorraRegistro(*TablaVendedor);
  TerminaEdicion();
}

void TFormaVendedor::CancelaMovimiento1Click() {
  if (EnAlta() || EnCambio()) Descarta();
}

void TFormaVendedor::FormCloseQuery(bool& puedeCerrar) {
  if (!EnAlta() && !EnCambio()) return;
  puedeCerrar = CierraConPregunta([this] { return Guarda(); }, [this] { Descarta(); });
}

void TFormaVendedor::FormClose() { ui::SetTag(BotonSalir, 1000); }

// --- Deleting.

void TFormaVendedor::Eliminar1Click() {
  if (!TieneDerecho(NumeroUsuario(), DerechoBajaVendedores)) return;
  if (!TablaVendedor->Active() || TablaVendedor->IsEmpty()) return;
  TFormaAdvertencia pregunta;
  pregunta.Label1->setText(kEliminarRegistro);
  pregunta.ShowModal();
  if (pregunta.Tag() != 1) return;
  BorraRegistro(*TablaVendedor);
}

// --- Finding.

void TFormaVendedor::BotonBuscarClick() {
  TFormaBusqueda busqueda;
  busqueda.ShowModal();
  // Esc leaves no option chosen: the search was cancelled.
  if (!busqueda.Clave->isChecked() && !busqueda.Nombre->isChecked()) return;
  if (!TablaVendedor->Active()) return;
  const bool porClave = busqueda.Clave->isChecked();
  TablaVendedor->SetIndexName(porClave ? kTagClave : kTagNombre);
  setWindowTitle(porClave ? kVendedoresPorClave : kVendedoresPorNombre);
  try {
    TablaVendedor->FindNearest({busqueda.CajaBuscar->text()});
  } catch (const plat::Error&) {
    MuestraMensaje(kValorNoValidoVendedor);
  }
}

void TFormaVendedor::PosicionaVendedor(const QString& clave) {
  if (Tag() == 0) {
    Prepara();
    BotonImprimir->setEnabled(false);
  }
  if (EnAlta() || EnCambio() || !TablaVendedor->Active()) return;
  try {
    TablaVendedor->FindKey({clave});
  } catch (const plat::Error&) {
    // A text the key cannot hold is no seller's key.
  }
}

// --- The rest of the window's commands.

void TFormaVendedor::BotonObservacionClick() {
  EditaObservaciones(EditCLVEN_V->text(), QStringLiteral("VE"), CarpetaDeTabla(kTablaObservaciones));
}

void TFormaVendedor::ImprimePlantilla1Click() {
  ImprimeVentana(grab().toImage(), size(), logicalDpiX(), windowTitle());
}

void TFormaVendedor::Temas1Click() {
  MuestraAyuda(CarpetaProgramaVendedor + QStringLiteral("\\ayuda\\vendedor.rtf"));
}

void TFormaVendedor::Informacion1Click() { EscribeIndiceAyuda(*MainMenu1, windowTitle()); }
