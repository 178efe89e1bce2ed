// The supplier catalogue's record commands: new, change, save, delete,
// cancel, the close question, the searches and the supplier's contacts and
// observations.

#include "customers/EdicionCatalogo.h"
#include "foundation/advierte.h"
#include "foundation/ayudaMod.h"
#include "foundation/buscar.h"
#include "foundation/dialogos.h"
#include "foundation/observa.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_tablas.h"
#include "foundation/rutinas_texto.h"
#include "foundation/rutinas_usuarios.h"
#include "platform/db/Numeracion.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/ControlesDatos.h"
#include "purchasing/ContProv.h"
#include "purchasing/Proveedo.h"
#include "purchasing/RegistroProveedor.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QTimer>

namespace {

const QString kCampoClave = QStringLiteral("CLAVE_P");
const QString kCopiaProveedor = QStringLiteral("ProvAux.dbf");

}  // namespace

db::Tabla& TFormaProveedo::TablaEditada() const { return EnCambio() ? *TablaAuxiliar : *TablaProveedor; }

void TFormaProveedo::EnfocaClave() { EditCLAVE_P->setFocus(Qt::OtherFocusReason); }

void TFormaProveedo::BotonNuevoClick() {
  if (!TieneDerecho(NumeroUsuario(), DerechoAltaProveedores)) return;
  TablaProveedor->SetIndexName(kTagClaveProveedor);
  claveAutomatica_ = Consecutivo();
  const QString clave = claveAutomatica_ ? SiguienteClaveProveedor(*TablaProveedor) : QString();
  TablaProveedor->Insert();
  if (claveAutomatica_) TablaProveedor->FieldByName(kCampoClave).SetAsString(clave);
  EditCLAVE_P->setReadOnly(claveAutomatica_);
  FijaModo(Modo::Alta);
  EnfocaClave();
}

void TFormaProveedo::BotonCambiosClick() {
  if (!TieneDerecho(NumeroUsuario(), DerechoCambioProveedores)) return;
  if (!TablaProveedor->Active() || TablaProveedor->IsEmpty()) return;
  TablaProveedor->SetIndexName(kTagClaveProveedor);
  original_ = PreparaCopiaRegistro(*TablaProveedor, *TablaAuxiliar, carpetaPrograma_, kCopiaProveedor, *Fuente);
  claveAutomatica_ = false;
  EditCLAVE_P->setReadOnly(Consecutivo());
  FijaModo(Modo::Cambio);
  EnfocaClave();
}

void TFormaProveedo::BotonGuardarClick() { Guarda(); }

bool TFormaProveedo::Guarda() {
  if (!EnAlta() && !EnCambio()) return true;
  const db::Campo& clave = TablaEditada().FieldByName(kCampoClave);
  if (clave.AsString().trimmed().isEmpty()) {
    MuestraMensaje(kFaltaClaveProveedor);
    EnfocaClave();
    return false;
  }
  QString tomada;
  if (!GuardaBajoNumeracion(tomada)) {
    MuestraMensaje(kClaveProveedorExiste);
    EnfocaClave();
    return false;
  }
  const QVariant guardada = TablaProveedor->FieldByName(kCampoClave).Value();
  FijaModo(Modo::Navegando);
  if (!tomada.isEmpty()) MuestraMensaje(tomada);
  QString abiertas;
  LeeLineaConfig(ConfBasesAbiertas, abiertas);
  if (abiertas == u"NO") {
    RefrescaTabla(*TablaProveedor);
    TablaProveedor->FindKey({guardada});
  }
  return true;
}

// The key check and the write, between stations: no other station checks or
// writes a supplier key meanwhile. False, with nothing written, when another
// supplier holds the key.
bool TFormaProveedo::GuardaBajoNumeracion(QString& tomada) {
  const db::Numeracion numeracion(*TablaRepetido);
  db::Campo& clave = TablaEditada().FieldByName(kCampoClave);
  const qint64 propio = EnCambio() ? TablaProveedor->RecNo() : 0;
  if (ClaveRepetida(*TablaRepetido, clave.Value(), propio)) {
    if (!EnAlta() || !claveAutomatica_) return false;
    // Another station took the proposed key: the next free one.
    const QString propuesta = clave.AsString();
    clave.SetAsString(SiguienteClaveProveedor(*TablaRepetido));
    tomada = ClaveProveedorTomada(propuesta, clave.AsString());
  }
  if (EnCambio()) {
    const QString anterior = TablaProveedor->FieldByName(kCampoClave).AsString();
    // Only what the user changed is written: a balance or field another
    // station wrote meanwhile is kept.
    AplicaCopiaRegistro(*TablaAuxiliar, *TablaProveedor,
                        QStringLiteral("El proveedor %1 está en uso en otra estación").arg(anterior), original_);
    DescartaCopiaRegistro(*TablaAuxiliar, *Fuente, *TablaProveedor);
    original_.clear();
  } else {
    TablaProveedor->Post();
  }
  return true;
}

void TFormaProveedo::Descarta() {
  if (EnCambio()) DescartaCopiaRegistro(*TablaAuxiliar, *Fuente, *TablaProveedor);
  original_.clear();
  try {
    TablaProveedor->Cancel();
  } catch (const std::exception&) {
  }
  FijaModo(Modo::Navegando);
}

void TFormaProveedo::CancelaMovimiento1Click() {
  if (EnAlta()) {
    RegistraBorrado(*TablaProveedor);
    TablaProveedor->Cancel();
  } else if (EnCambio()) {
    DescartaCopiaRegistro(*TablaAuxiliar, *Fuente, *TablaProveedor);
  }
  FijaModo(Modo::Navegando);
}

void TFormaProveedo::FormCloseQuery(bool& puedeCerrar) {
  if (!EnAlta() && !EnCambio()) return;
  puedeCerrar = CierraConPregunta([this] { return Guarda(); }, [this] { Descarta(); });
}

void TFormaProveedo::Eliminar1Click() {
  if (!TieneDerecho(NumeroUsuario(), DerechoBajaProveedores)) return;
  if (!TablaProveedor->Active() || TablaProveedor->IsEmpty()) return;
  TFormaAdvertencia pregunta;
  pregunta.Label1->setText(kEliminarRegistro);
  pregunta.ShowModal();
  if (pregunta.Tag() != 1) return;
  if (TablaProveedor->FieldByName(QStringLiteral("SALDO_P")).AsFloat() == 0) TablaProveedor->Delete();
  else MuestraMensaje(kProveedorConSaldo);
}

void TFormaProveedo::BotonBuscarClick() {
  TFormaBusqueda busqueda;
  busqueda.ShowModal();
  const QString texto = busqueda.CajaBuscar->text();
  const bool porClave = busqueda.Clave->isChecked();
  try {
    TablaProveedor->SetIndexName(porClave ? kTagClaveProveedor : kTagNombreProveedor);
    setWindowTitle(porClave ? QStringLiteral("Proveedores Ordenado por Clave")
                            : QStringLiteral("Proveedores Ordenado por Nombre"));
    TablaProveedor->FindNearest({porClave ? AjustaClave(texto, 10) : texto});
  } catch (const std::exception&) {
    MuestraMensaje(kValorNoValido);
  }
}

void TFormaProveedo::BusquedaNoIndexada1Click() { BusquedaNoIndexada(*TablaProveedor, QStringLiteral("proveedo.dbf")); }

void TFormaProveedo::SpeedButton1Click() { MuestraContactosProveedor(EditCLAVE_P->text()); }

void TFormaProveedo::BotonObservacionClick() {
  EditaObservaciones(EditCLAVE_P->text(), QStringLiteral("PR"), CarpetaDeTabla(kTablaObservaciones));
}

void TFormaProveedo::Temas1Click() { MuestraAyuda(carpetaPrograma_ + QStringLiteral("\\ayuda\\proveedo.rtf")); }

void TFormaProveedo::Informacion1Click() { EscribeIndiceAyuda(*MainMenu1, objectName()); }
