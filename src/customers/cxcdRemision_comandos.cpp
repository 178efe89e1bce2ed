// The remission account window's commands: the movements added, changed
// and deleted through the entry window, printing, and moving between
// remissions.

#include "customers/Consultas.h"
#include "customers/CucobraRemision.h"
#include "customers/CuentasCobrar.h"
#include "customers/EdicionCatalogo.h"
#include "customers/ImpresionCatalogo.h"
#include "customers/cxcdRemision.h"
#include "formats/Interprete.h"
#include "formats/edicion.h"
#include "foundation/advierte.h"
#include "foundation/buscar.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_usuarios.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/FuenteDatos.h"
#include "shell/LineasConfiguracion.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {

enum Comando { Nuevo = 1, Cambio = 2, Borra = 3 };

}  // namespace

void TFormaRemCxCDetalle::MuestraEntrada(TFormaRemCuCobra& entrada, const QString& titulo) {
  entrada.Cuenta = this;
  entrada.FuenteTablaCucobrar->SetDataSet(TablaCxC);
  entrada.NombreCliente->setText(NombreCliente->text());
  entrada.EditCLCLI_CC->setEnabled(false);
  entrada.EditNUFAC_CC->setEnabled(false);
  entrada.Usuario->setText(Usuario->text());
  entrada.Mensaje->setText(titulo);
  entrada.ShowModal();
}

void TFormaRemCxCDetalle::BotonCxCClick() {
  if (!TablaCxC->Active() || !HayEncabezado()) return;
  TFormaRemCuCobra entrada(this);
  SetTag(Nuevo);
  TablaCxC->Append();
  const auto campo = [this](const char* nombre) -> db::Campo& {
    return TablaCxC->FieldByName(QString::fromLatin1(nombre));
  };
  campo("CLCLI_CC").SetAsString(ClaveCliente->text());
  campo("NOMBR_CC").SetAsString(NombreCliente->text());
  campo("NUFAC_CC").SetAsInteger(Factura->text().trimmed().toLongLong());
  try {
    campo("CONTROL").SetValue(TablaFactura->FieldByName(QStringLiteral("CONTROL")).Value());
  } catch (const plat::Error&) {
  }
  SaldoCapturaCxC = SaldoCuenta;
  MuestraEntrada(entrada, QStringLiteral("Nueva cuenta"));
  GuardaSaldoCuentaRemision();
}

void TFormaRemCxCDetalle::BotonCambiosClick() {
  if (!HayCuenta()) return;
  TFormaRemCuCobra entrada(this);
  SetTag(Cambio);
  TablaCxC->Edit();
  MuestraEntrada(entrada, QStringLiteral("Cambios a la cuenta"));
  TablaCxC->Post();
  GuardaSaldoCuentaRemision();
}

void TFormaRemCxCDetalle::BotonEliminaClick() {
  if (!HayCuenta()) return;
  const Dinero importe = Dinero::DeReal(TablaCxC->FieldByName(QStringLiteral("IMCUE_CC")).AsFloat());
  {
    TFormaAdvertencia pregunta;
    pregunta.Label1->setText(kEliminarRegistro);
    pregunta.ShowModal();
    if (pregunta.Tag() != 1) return;
  }
  // A label that holds no user number is no user: it has no rights.
  if (!TieneDerecho(NumeroDeUsuario(Usuario->text()), DerechoBajaCuentasPorCobrar)) return;
  TFormaRemCuCobra entrada(this);
  SetTag(Borra);
  const qint64 registro = TablaCxC->RecNo();
  TablaCxC->Edit();
  MuestraEntrada(entrada, QStringLiteral("Deseas borrar la cuenta"));
  const bool borrado = !TablaCxC->VeARegistro(registro);
  // Without the row the account is loaded again.
  if (borrado) CargaCuentaRemision();
  GuardaSaldoCuentaRemision();
  if (!borrado) return;
  QString nombre, programa;
  CarpetaLocal(programa);
  LeeNombreUsuario(Usuario->text(), programa, nombre);
  try {
    RegistraHistorial(BitacoraCxC, CarpetaDatosEmpresa(), u'R', Factura->text().trimmed(),
                      QStringLiteral("ELIMINADA CXC ") + FormatoMascara(QStringLiteral("###,##0.00"), importe),
                      nombre);
  } catch (const plat::Error&) {
    // A log line that cannot be written is lost.
  }
}

void TFormaRemCxCDetalle::BotonImprimeClick() {
  if (!TablaCxC->Active() || !TablaClientes->Active()) return;
  // The customer table is the format's header: it stands on the account's
  // customer.
  if (HayEncabezado()) {
    TablaClientes->SetIndexName(QStringLiteral("ICLACLI"));
    TablaClientes->FindKey({TablaFactura->FieldByName(QStringLiteral("CLCLI_F")).AsString()});
  }
  FijaUsuarioImpresion(Usuario->text());
  ConservaRegistro(*TablaCxC, [this] { VistaPreviaFormato(TablaClientes, TablaCxC, FormatoCxCDetallada); });
}

// --- Moving between remissions.

void TFormaRemCxCDetalle::CargaDeEncabezado() {
  if (!TablaFactura->Active() || TablaFactura->IsEmpty()) return;
  Factura->setText(TablaFactura->FieldByName(QStringLiteral("CLDOC_F")).AsString());
  ControlCuentaRemision = TablaFactura->FieldByName(QStringLiteral("CONTROL")).AsString();
  CargaCuentaRemision();
}

void TFormaRemCxCDetalle::MueveEncabezado(bool adelante) {
  if (!TablaFactura->Active() || TablaFactura->IsEmpty()) return;
  if (Factura->text().trimmed().isEmpty()) {
    TablaFactura->First();
    Factura->setText(TablaFactura->FieldByName(QStringLiteral("CLDOC_F")).AsString());
    return;
  }
  if (adelante) TablaFactura->Next();
  else TablaFactura->Prior();
  CargaDeEncabezado();
}

void TFormaRemCxCDetalle::SpeedButton1Click() { MueveEncabezado(false); }

void TFormaRemCxCDetalle::SpeedButton2Click() { MueveEncabezado(true); }

void TFormaRemCxCDetalle::SumaNumero(int paso) {
  bool esNumero = false;
  const qint64 numero = Factura->text().trimmed().toLongLong(&esNumero);
  if (!esNumero) return;
  Factura->setText(QString::number(numero + paso));
  CargaCuentaRemision();
}

void TFormaRemCxCDetalle::BuscaDocumento() {
  TFormaBusqueda busqueda;
  busqueda.Clave->setText(QStringLiteral("Por Documento (F1)"));
  busqueda.ShowModal();
  // Esc leaves no option chosen: the search was cancelled.
  if (!busqueda.Clave->isChecked() && !busqueda.Nombre->isChecked()) return;
  bool esNumero = false;
  const qint64 numero = busqueda.CajaBuscar->text().trimmed().toLongLong(&esNumero);
  if (!esNumero || !TablaFactura->Active()) return;
  TablaFactura->SetIndexName(QStringLiteral("INUMENC"));
  TablaFactura->FindNearest({numero});
  CargaDeEncabezado();
}
