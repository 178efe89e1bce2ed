// The customer catalogue's record commands: new, change, save, delete,
// cancel, the close question, the searches, positioning, and what the
// window opens for the customer on screen.

#include "customers/Clientes.h"

#include "customers/ContClie.h"
#include "customers/Consultas.h"
#include "customers/CxCDocumento.h"
#include "customers/EdicionCatalogo.h"
#include "customers/PoliClie.h"
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
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/FuenteDatos.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPixmap>
#include <QRadioButton>
#include <QScrollArea>
#include <QToolButton>

#include <optional>

namespace {

const QString kCampoClave = QStringLiteral("CLCLI_C");
const QString kTagClave = QStringLiteral("ICLACLI");
const QString kTagNombre = QStringLiteral("NOMBR_C");
const QString kCopiaCliente = QStringLiteral("ClieAuxi.dbf");
// The longest key text the consecutive numbering reads.
constexpr int kLargoClaveLeida = 12;

// A record another station holds, as the user is told it.
bool EnUso(const plat::Error& e) { return e.clase() == plat::Clase::Bloqueado || e.clase() == plat::Clase::EnUso; }

}  // namespace

db::Tabla& TFormaClientes::TablaEditada() const { return EnCambio() ? *TablaAuxiliar : *TablaCliente; }

void TFormaClientes::EnfocaClave() { EditCLCLI_C->setFocus(Qt::OtherFocusReason); }

bool TFormaClientes::Consecutivo() const {
  QString linea;
  LeeLineaConfig(ConfConsecutivoClientes, linea);
  return linea == u"S";
}

int TFormaClientes::NumeroUsuario() const { return NumeroDeUsuario(Usuario->text()); }

void TFormaClientes::IniciaEdicion(bool alta) {
  ui::SetTag(BotonNuevo, alta ? 1 : 0);
  ui::SetTag(BotonCambios, alta ? 0 : 1);
  EstadoBotonesCliente(true);
  PintaMarco(true);
}

void TFormaClientes::TerminaEdicion() {
  ui::SetTag(BotonNuevo, 0);
  ui::SetTag(BotonCambios, 0);
  EstadoBotonesCliente(false);
  MuestraEtiquetas();
}

// --- New customers.

void TFormaClientes::BotonNuevoClick() {
  NuevoCliente();
  if (EnAlta()) EnfocaClave();
}

void TFormaClientes::NuevoCliente() {
  if (!TieneDerecho(NumeroUsuario(), DerechoAltaClientes)) return;
  if (!TablaCliente->Active()) return;
  TablaCliente->SetIndexName(kTagClave);
  claveAutomatica_ = Consecutivo();
  const QString clave = claveAutomatica_ ? ClaveConsecutivaCliente() : QString();
  TablaCliente->Append();
  if (claveAutomatica_) TablaCliente->FieldByName(kCampoClave).SetAsString(clave);
  EditCLCLI_C->setReadOnly(claveAutomatica_);
  IniciaEdicion(true);
}

QString TFormaClientes::ClaveConsecutivaCliente() {
  TablaRepetido->SetIndexName(kTagClave);
  TablaRepetido->Refresh();
  const db::Campo& campo = TablaRepetido->FieldByName(kCampoClave);
  const int ancho = campo.Ancho();
  if (TablaRepetido->IsEmpty()) return QStringLiteral("1").rightJustified(ancho);
  TablaRepetido->Last();
  QString mayor = campo.AsString().left(kLargoClaveLeida);
  if (mayor.isEmpty()) mayor = QStringLiteral("0");
  bool numero = false;
  const qint64 n = mayor.trimmed().toLongLong(&numero);
  // A key that is no number is given back as it is; saving refuses it.
  if (!numero) return mayor;
  return QString::number(n + 1).rightJustified(ancho);
}

// --- Changes, on the copy.

void TFormaClientes::BotonCambiosClick() {
  if (!TieneDerecho(NumeroUsuario(), DerechoCambioClientes)) return;
  if (!TablaCliente->Active()) return;
  TablaCliente->SetIndexName(kTagClave);
  // The customer as it stands in the file now.
  TablaCliente->Refresh();
  if (TablaCliente->IsEmpty()) return;
  ClaveAnteriorCliente = TablaCliente->FieldByName(kCampoClave).AsString().left(20);
  CopiaClienteAuxiliar();
  TablaAuxiliar->Edit();
  claveAutomatica_ = false;
  EditCLCLI_C->setReadOnly(Consecutivo());
  IniciaEdicion(false);
  EnfocaClave();
}

void TFormaClientes::CopiaClienteAuxiliar() {
  original_ =
      PreparaCopiaRegistro(*TablaCliente, *TablaAuxiliar, CarpetaProgramaClientes, kCopiaCliente, *Fuentetablacliente);
}

void TFormaClientes::DevuelveClienteAuxiliar() {
  try {
    // Only what the user changed: what other stations wrote meanwhile (a
    // sale's balance) stays.
    AplicaCopiaRegistro(*TablaAuxiliar, *TablaCliente, kClienteEnUso, original_);
  } catch (const plat::Error& e) {
    throw plat::Error(e.clase(), e.clase() == plat::Clase::Bloqueado ? kClienteEnUso : kErrorGuardarCliente);
  }
  VaciaClienteAuxiliar();
}

void TFormaClientes::VaciaClienteAuxiliar() {
  DescartaCopiaRegistro(*TablaAuxiliar, *Fuentetablacliente, *TablaCliente, false);
  TablaAuxiliar->Close();
  original_.clear();
}

// --- Saving.

void TFormaClientes::BotonGuardarClick() { Guarda(); }

bool TFormaClientes::ClaveOcupada(const QVariant& clave) {
  TablaRepetido->SetIndexName(kTagClave);
  return ClaveRepetida(*TablaRepetido, clave, EnCambio() ? TablaCliente->RecNo() : 0);
}

bool TFormaClientes::Guarda() {
  if (!EnAlta() && !EnCambio()) return true;
  if (TablaEditada().FieldByName(kCampoClave).AsString().trimmed().isEmpty()) {
    MuestraMensaje(kClaveClienteNoExiste);
    EnfocaClave();
    return false;
  }
  QString aviso;
  const QString rechazo = EnAlta() ? EscribeAlta(aviso) : EscribeCambio();
  if (!rechazo.isEmpty()) {
    MuestraMensaje(rechazo);
    if (rechazo == kClaveClienteExiste || rechazo == kClaveClienteRepetida) EnfocaClave();
    return false;
  }
  const QVariant guardada = TablaCliente->FieldByName(kCampoClave).Value();
  TerminaEdicion();
  PintaMarco(false);
  if (!aviso.isEmpty()) MuestraMensaje(aviso);
  QString abiertas;
  LeeLineaConfig(ConfBasesAbiertas, abiertas);
  if (abiertas == u"NO") {
    ui::Protege([&] {
      RefrescaTabla(*TablaCliente);
      TablaCliente->FindKey({guardada});
    });
  }
  return true;
}

// The key check and the write run under the table's numbering lock, so no
// other station checks or writes a customer key meanwhile and two stations
// never store one key twice; the lock goes before anything is shown.
QString TFormaClientes::EscribeAlta(QString& aviso) {
  db::Numeracion numeracion(*TablaRepetido);
  db::Campo& clave = TablaCliente->FieldByName(kCampoClave);
  if (ClaveOcupada(clave.Value())) {
    if (!claveAutomatica_) return kClaveClienteExiste;
    // Another station took the proposed key meanwhile: the next one.
    const QString propuesta = clave.AsString();
    clave.SetAsString(ClaveConsecutivaCliente());
    if (ClaveOcupada(clave.Value())) {
      clave.SetAsString(propuesta);
      return kClaveClienteExiste;
    }
    aviso = ClaveClienteTomada(propuesta, clave.AsString());
  }
  try {
    TablaCliente->Post();
  } catch (const plat::Error&) {
    aviso.clear();
    return kErrorGuardarCliente;
  }
  return {};
}

QString TFormaClientes::EscribeCambio() {
  const db::Campo& clave = TablaAuxiliar->FieldByName(kCampoClave);
  std::optional<db::Numeracion> numeracion;
  if (clave.AsString() != ClaveAnteriorCliente) {
    numeracion.emplace(*TablaRepetido);
    if (ClaveOcupada(clave.Value())) return kClaveClienteRepetida;
  }
  try {
    DevuelveClienteAuxiliar();
  } catch (const plat::Error& e) {
    return e.mensaje();
  }
  return {};
}

// --- Leaving an edit.

void TFormaClientes::CancelarMovimiento1Click() {
  if (EnAlta()) TablaCliente->Cancel();
  else if (EnCambio()) VaciaClienteAuxiliar();
  TerminaEdicion();
}

void TFormaClientes::FormCloseQuery(bool& puedeCerrar) {
  if (!EnAlta() && !EnCambio()) return;
  puedeCerrar = CierraConPregunta([this] { return Guarda(); },
                                  [this] {
                                    if (EnCambio()) VaciaClienteAuxiliar();
                                    TablaCliente->Cancel();
                                    TerminaEdicion();
                                  });
}

// --- Deleting.

void TFormaClientes::Eliminar1Click() {
  if (!TieneDerecho(NumeroUsuario(), DerechoBajaClientes)) return;
  if (!TablaCliente->Active()) return;
  // The balance as sales and receivables left it.
  TablaCliente->Refresh();
  if (TablaCliente->IsEmpty()) return;
  if (TablaCliente->FieldByName(QStringLiteral("SALDO_C")).AsFloat() != 0) {
    MuestraMensaje(kClienteConSaldo);
    return;
  }
  TFormaAdvertencia pregunta;
  pregunta.Label1->setText(kEliminarRegistro);
  pregunta.ShowModal();
  if (pregunta.Tag() != 1) return;
  RegistraBorrado(*TablaCliente);
  try {
    TablaCliente->Delete();
  } catch (const plat::Error& e) {
    MuestraMensaje(EnUso(e) ? kClienteEnUso : e.mensaje());
  }
  MuestraResumenCliente();
}

// --- Finding.

void TFormaClientes::BotonBuscarClick() {
  TFormaBusqueda busqueda;
  busqueda.ShowModal();
  // Esc leaves no option chosen: the search was cancelled.
  if (!busqueda.Clave->isChecked() && !busqueda.Nombre->isChecked()) return;
  if (!TablaCliente->Active()) return;
  const bool porClave = busqueda.Clave->isChecked();
  TablaCliente->SetIndexName(porClave ? kTagClave : kTagNombre);
  setWindowTitle(porClave ? kClientesPorClave : kClientesPorNombre);
  try {
    TablaCliente->FindNearest({busqueda.CajaBuscar->text()});
  } catch (const plat::Error&) {
    MuestraMensaje(kValorNoValidoCliente);
  }
  MuestraResumenCliente();
}

void TFormaClientes::BusquedaNoIndexada1Click() {
  BusquedaNoIndexada(*TablaCliente, QStringLiteral("cliente.dbf"));
  MuestraResumenCliente();
}

void TFormaClientes::PosicionaCliente(const QString& clave, int crear) {
  if (Tag() == 0) Prepara();
  if (EnAlta() || EnCambio() || !TablaCliente->Active()) return;
  TablaCliente->SetIndexName(kTagClave);
  bool hallada = false;
  try {
    hallada = TablaCliente->FindKey({clave});
  } catch (const plat::Error&) {
    // A text the key cannot hold is no customer's key.
  }
  if (hallada) {
    MuestraResumenCliente();
    return;
  }
  if (crear != 1) return;
  NuevoCliente();
  if (!EnAlta()) return;
  db::Campo& campo = TablaCliente->FieldByName(kCampoClave);
  campo.SetAsString(campo.Tipo() == db::TipoDato::Texto ? clave.left(campo.Ancho()) : clave);
}

// --- What the window opens for the customer on screen.

void TFormaClientes::SpeedButton1Click() { MuestraContactosCliente(EditCLCLI_C->text()); }

void TFormaClientes::BotonSaldoClick() {
  if (!TieneDerecho(NumeroUsuario(), DerechoCuentasPorCobrar)) return;
  // The customer shown, unless a new one is being keyed in.
  MuestraCuentasCliente(Usuario->text(), EnAlta() ? QString() : EditCLCLI_C->text());
}

void TFormaClientes::BitBtn1Click() { MuestraDescuentosCliente(TablaCliente->Carpeta(), EditCLCLI_C->text()); }

void TFormaClientes::BotonObservacionClick() {
  EditaObservaciones(EditCLCLI_C->text(), QStringLiteral("CL"), CarpetaDeTabla(kTablaObservaciones));
}

void TFormaClientes::BloquearPrecioPreferencial1Click() {
  // The menu item checks itself when clicked; only the administrator's
  // click stands.
  const bool marcado = BloquearPrecioPreferencial1->isChecked();
  if (Usuario->text() != u"0") {
    BloquearPrecioPreferencial1->setChecked(!marcado);
    return;
  }
  fs::ReescribeLineas(fs::Une(CarpetaProgramaClientes, kArchivoBloqueoPrecio),
                      {marcado ? QStringLiteral("S") : QStringLiteral("N")});
}

void TFormaClientes::ImprimePlantilla1Click() {
  ImprimeVentana(grab().toImage(), size(), logicalDpiX(), windowTitle());
}

void TFormaClientes::Temas1Click() { MuestraAyuda(CarpetaProgramaClientes + QStringLiteral("\\ayuda\\clientes.rtf")); }

void TFormaClientes::Informacion1Click() { EscribeIndiceAyuda(*MainMenu1, windowTitle()); }
