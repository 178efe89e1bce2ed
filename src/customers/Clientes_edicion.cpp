// The customer catalogue's record commands: new, change, save, delete,
// cancel, the close question, the searches, positioning, and what the
// window opens for the customer on screen.

#include "customers/Clientes.h"

#include "customers/ContClie.h"
#include "customers/Consultas.h"
#include "foundation/BusNoInd.h"
#include "foundation/ImprimeDocumento.h"
#include "foundation/advierte.h"
#include "foundation/ayudaMod.h"
#include "foundation/buscar.h"
#include "foundation/cerrar.h"
#include "foundation/dialogos.h"
#include "foundation/observa.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
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

#include <QAction>
#include <QComboBox>
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

bool Editando(const db::Dataset& d) {
  return d.State() == db::Dataset::Estado::Editando || d.State() == db::Dataset::Estado::Insertando;
}

// A record another station holds, as the user is told it.
bool EnUso(const plat::Error& e) { return e.clase() == plat::Clase::Bloqueado || e.clase() == plat::Clase::EnUso; }

// The text is a value the field can hold: a number for a number field, a
// date for a date field.
bool Cabe(const db::Campo& campo, const QString& texto) {
  if (texto.trimmed().isEmpty()) return true;
  switch (campo.Tipo()) {
    case db::TipoDato::Entero:
    case db::TipoDato::Flotante:
    case db::TipoDato::Moneda: {
      double numero = 0;
      return LeeReal(texto, numero);
    }
    case db::TipoDato::Fecha: {
      QDate fecha;
      return LeeFecha(texto, fecha);
    }
    default:
      return true;
  }
}

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
  TablaAuxiliar->Close();
  TablaAuxiliar->SetCarpeta(CarpetaProgramaClientes);
  TablaAuxiliar->SetNombreTabla(kCopiaCliente);
  db::Tabla::CopiaRegistros(*TablaCliente, *TablaAuxiliar, false);
  TablaAuxiliar->Open();
  original_.clear();
  for (int i = 0; i < TablaAuxiliar->FieldCount(); ++i) original_ << TablaAuxiliar->Fields(i).Value();
  Fuentetablacliente->SetDataSet(TablaAuxiliar);
}

void TFormaClientes::DevuelveClienteAuxiliar() {
  try {
    TablaCliente->Edit();
  } catch (const plat::Error& e) {
    throw plat::Error(e.clase(), EnUso(e) ? kRegistroEnUso : kErrorAlGuardar);
  }
  try {
    // Only what the user changed: what other stations wrote meanwhile (a
    // sale's balance) stays.
    for (int i = 0; i < TablaAuxiliar->FieldCount(); ++i) {
      const db::Campo& campo = TablaAuxiliar->Fields(i);
      if (i < original_.size() && campo.Value() == original_[i]) continue;
      TablaCliente->FieldByName(campo.Nombre()).SetValue(campo.Value());
    }
    TablaCliente->Post();
  } catch (const plat::Error& e) {
    TablaCliente->Cancel();
    throw plat::Error(e.clase(), kErrorAlGuardar);
  }
  VaciaClienteAuxiliar();
}

void TFormaClientes::VaciaClienteAuxiliar() {
  if (TablaAuxiliar->Active()) {
    if (Editando(*TablaAuxiliar)) TablaAuxiliar->Cancel();
    TablaAuxiliar->First();
    while (!TablaAuxiliar->IsEmpty()) TablaAuxiliar->Delete();
    TablaAuxiliar->Close();
  }
  original_.clear();
  Fuentetablacliente->SetDataSet(TablaCliente);
}

// --- Saving.

void TFormaClientes::BotonGuardarClick() { Guarda(); }

bool TFormaClientes::ClaveOcupada(const QVariant& clave) {
  TablaRepetido->SetIndexName(kTagClave);
  return TablaRepetido->FindKey({clave});
}

bool TFormaClientes::Guarda() {
  if (!EnAlta() && !EnCambio()) return true;
  if (TablaEditada().FieldByName(kCampoClave).AsString().trimmed().isEmpty()) {
    MuestraMensaje(kClaveNoExiste);
    EnfocaClave();
    return false;
  }
  if (!(EnAlta() ? GuardaAlta() : GuardaCambio())) return false;
  const QVariant guardada = TablaCliente->FieldByName(kCampoClave).Value();
  TerminaEdicion();
  PintaMarco(false);
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
// never store one key twice.
bool TFormaClientes::GuardaAlta() {
  db::Numeracion numeracion(*TablaRepetido);
  db::Campo& clave = TablaCliente->FieldByName(kCampoClave);
  QString tomada;
  if (ClaveOcupada(clave.Value())) {
    // Another station took the proposed key meanwhile: the next one.
    const QString propuesta = clave.AsString();
    if (claveAutomatica_) {
      clave.SetAsString(ClaveConsecutivaCliente());
      if (ClaveOcupada(clave.Value())) clave.SetAsString(propuesta);
      else tomada = ClaveClienteTomada(propuesta, clave.AsString());
    }
    if (tomada.isEmpty()) {
      MuestraMensaje(kClaveYaExiste);
      EnfocaClave();
      return false;
    }
  }
  try {
    TablaCliente->Post();
  } catch (const plat::Error&) {
    MuestraMensaje(kErrorAlGuardar);
    return false;
  }
  if (!tomada.isEmpty()) MuestraMensaje(tomada);
  return true;
}

bool TFormaClientes::GuardaCambio() {
  const db::Campo& clave = TablaAuxiliar->FieldByName(kCampoClave);
  std::optional<db::Numeracion> numeracion;
  if (clave.AsString() != ClaveAnteriorCliente) numeracion.emplace(*TablaRepetido);
  if (numeracion && ClaveOcupada(clave.Value())) {
    MuestraMensaje(kClaveRepetida);
    EnfocaClave();
    return false;
  }
  try {
    DevuelveClienteAuxiliar();
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
    return false;
  }
  return true;
}

// --- Leaving an edit.

void TFormaClientes::CancelarMovimiento1Click() {
  if (EnAlta()) TablaCliente->Cancel();
  else if (EnCambio()) VaciaClienteAuxiliar();
  TerminaEdicion();
}

void TFormaClientes::FormCloseQuery(bool& puedeCerrar) {
  if (!EnAlta() && !EnCambio()) return;
  TFormaCerrar pregunta;
  // The close box stays open, as "Cancelar".
  pregunta.SetTag(3);
  pregunta.ShowModal();
  switch (pregunta.Tag()) {
    case 1:
      try {
        puedeCerrar = Guarda();
      } catch (const std::exception& e) {
        ui::MuestraExcepcion(e);
        puedeCerrar = false;
      }
      break;
    case 2:
      if (EnCambio()) VaciaClienteAuxiliar();
      TablaCliente->Cancel();
      TerminaEdicion();
      break;
    default:
      puedeCerrar = false;
  }
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
  pregunta.Label1->setText(kEliminarCliente);
  pregunta.ShowModal();
  if (pregunta.Tag() != 1) return;
  RegistraBorrado(*TablaCliente);
  try {
    TablaCliente->Delete();
  } catch (const plat::Error& e) {
    MuestraMensaje(EnUso(e) ? kRegistroEnUso : e.mensaje());
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
  setWindowTitle(porClave ? kTituloPorClave : kTituloPorNombre);
  try {
    TablaCliente->FindNearest({busqueda.CajaBuscar->text()});
  } catch (const plat::Error&) {
    MuestraMensaje(kValorNoValidoCliente);
  }
  MuestraResumenCliente();
}

void TFormaClientes::BusquedaNoIndexada1Click() {
  TFormaBusquedaNoIndexada dialogo;
  BuscaSinIndice(QStringLiteral("cliente.dbf"));
  if (dialogo.Tag() != 1 || !TablaCliente->Active()) return;
  const QString campo = dialogo.Campo2->currentText();
  const QString valor = dialogo.Valor->text();
  try {
    if (!Cabe(TablaCliente->FieldByName(campo), valor))
      throw plat::Error(plat::Clase::Conversion, kValorNoValidoRevise);
    if (!TablaCliente->Locate(campo, {valor}, {.parcial = true})) MuestraMensaje(kNoSeEncuentraCliente);
  } catch (const plat::Error&) {
    MuestraMensaje(kValorNoValidoRevise);
  }
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

void TFormaClientes::BotonObservacionClick() {
  EditaObservaciones(EditCLCLI_C->text(), QStringLiteral("CL"), RutaDatosClientes);
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
