// The customer side of a sale on the sale screen: the customer's balance
// after an invoice, the counter sale settled in the remission accounts, the
// rows a cancelled remission leaves there, and the "CxC" item that shows
// the account of the document on screen.

#include "customers/cxcdRemision.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "platform/db/Tabla.h"
#include "pos/CaptuRap.h"
#include "pos/CuentasVenta.h"
#include "pos/PlanGuardado.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>

namespace {

// The document the header table stands on, with the screen's customer and
// payment type.
cuentas::VentaCuenta Venta(const db::Tabla& encabezado, const QString& cliente, const QString& tipoPago) {
  cuentas::VentaCuenta v;
  v.numero = encabezado.FieldByName(QStringLiteral("CLDOC_F")).AsInteger();
  v.control = encabezado.FieldByName(QStringLiteral("CONTROL")).AsString();
  v.total = Dinero::DeReal(encabezado.FieldByName(QStringLiteral("IMTOD_F")).AsFloat());
  v.cliente = cliente;
  v.tipoPago = tipoPago;
  return v;
}

}  // namespace

void TFormaCapturaRapida::ConectaCuentas() {
  AsignaComando(MainMenu1->findChild<QAction*>(QStringLiteral("CxC1")), [this] { CxC1Click(); });
}

void TFormaCapturaRapida::ActualizaSaldoCliente(EscrituraVenta& escritura) {
  cuentas::SaldoVenta venta;
  if (plan_) {
    // A save takes the document it began with (the screen may show another
    // one when a station finishes its save at start).
    venta.cliente = plan_->Valor(QStringLiteral("CLCLI_F")).toString();
    venta.subtotal = Dinero::DeReal(plan_->Valor(QStringLiteral("SUBTO_F")).toDouble());
    venta.tasaIva = plan_->Valor(QStringLiteral("IMIM1_F")).toDouble();
    venta.fecha = plan_->Valor(QStringLiteral("FEDOC_F")).toDate();
    venta.totalAnterior = plan_->totalAnterior;
  } else {
    venta.cliente = EditCLCLI_F->text();
    venta.subtotal = Totales.SubtotalVenta;
    venta.tasaIva = ValorNumerico(EditIMIM1_F->text());
    LeeFecha(EditFEDOC_F->text(), venta.fecha);
    venta.totalAnterior = TotalAnterior;
  }
  Totales.SubtotalVenta = cuentas::ActualizaSaldoCliente(escritura, *TablaCliente, venta);
}

void TFormaCapturaRapida::AbonaContadoMostrador(EscrituraVenta& escritura) {
  if (plan_ ? !plan_->abonaMostrador : !Conf.CxCRemisiones || !Conf.PagarCxCMostrador) return;
  if (!TablaFacturae->Active() || TablaFacturae->IsEmpty()) return;
  const cuentas::VentaCuenta venta =
      plan_ ? Venta(*TablaFacturae, plan_->Valor(QStringLiteral("CLCLI_F")).toString(),
                    plan_->Valor(QStringLiteral("PAGOX_F")).toString())
            : Venta(*TablaFacturae, EditCLCLI_F->text(), TipoPago->currentText());
  // Line 96 is "S" whenever the counter sale is settled.
  if (!cuentas::AbonaContadoMostrador(escritura, plan_ ? plan_->carpetaRemisiones : CarpetaDeTabla(kTablaCxCRemision),
                                      *TablaFacturae, venta, true))
    return;
  TablaFacturae->Refresh();
  MuestraEstadoDocumento();
}

void TFormaCapturaRapida::DevolucionCuentaCobrar(EscrituraVenta& escritura) {
  if (!TablaFacturae->Active() || TablaFacturae->IsEmpty()) return;
  cuentas::DevolucionCuentaCobrar(escritura, CarpetaDeTabla(kTablaCxCRemision), RutaDatosVenta,
                                  Venta(*TablaFacturae, EditCLCLI_F->text(), TipoPago->currentText()),
                                  Conf.ConCortes);
}

void TFormaCapturaRapida::BorraCuentaCobrarDocumento(EscrituraVenta& escritura) {
  if (!TablaFacturae->Active() || TablaFacturae->IsEmpty()) return;
  const cuentas::VentaCuenta venta = Venta(*TablaFacturae, EditCLCLI_F->text(), TipoPago->currentText());
  cuentas::BorraCuentaCobrarDocumento(escritura, CarpetaDeTabla(kTablaCxCRemision), venta.numero, venta.control);
}

void TFormaCapturaRapida::CxC1Click() {
  // The account of a saved document only: a capture's header is provisional.
  if (Capturando()) return;
  if (!cuentas::PagoACredito(TipoPago->currentText()) && !Conf.CxCRemisiones) return;
  if (!TablaFacturae->Active() || TablaFacturae->IsEmpty()) return;
  TFormaRemCxCDetalle cuenta(this);
  cuenta.MuestraCxCRemision(TablaFacturae->FieldByName(QStringLiteral("CLDOC_F")).AsString(),
                            TablaFacturae->FieldByName(QStringLiteral("CONTROL")).AsString());
  cuenta.Usuario->setText(usuario->text());
  cuenta.ShowModal();
  TablaFacturae->Refresh();
  MuestraEstadoDocumento();
}
