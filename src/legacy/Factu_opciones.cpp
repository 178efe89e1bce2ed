// The legacy document window's options and tools: the print format chosen
// or designed, the quick formats of Ctrl+F1 to Ctrl+F6, the option toggles
// kept in encabeza.cnf, capture by package, the tare field, the register of
// caja.cnf, the totals breakdown, the quick search, the cash withdrawals
// and the small tools (calculator, tabulator, currencies, help, a price
// look-up). Each reuses the sale screen's routine where the logic is the
// same.

#include "formats/ImporteLetra.h"
#include "foundation/ayudaMod.h"
#include "foundation/buscar.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_numero.h"
#include "inventory/ConPro.h"
#include "legacy/Factu.h"
#include "platform/db/Tabla.h"
#include "platform/process/Procesos.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"
#include "pos/Caja.h"
#include "pos/EstadoComandos.h"
#include "pos/ImpresionVenta.h"
#include "pos/SalidasEfectivo.h"
#include "purchasing/DesglosaTotal.h"
#include "reports/Formatos.h"
#include "shell/Divisa.h"
#include "shell/Principa.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

#include <memory>

void TFormaFactura::ConectaOpcionesFactura() {
  AsignaComando(Elegirformato1, this, [this] { Elegirformato1Click(); });
  AsignaComando(DisearFormato1, this, [this] { DisearFormato1Click(); });
  QAction* const atajos[] = {CtrlF11, CtrlF21, CtrlF31, CtrlF41, CtrlF51, CtrlF61};
  for (int n = 1; n <= 6; ++n) AsignaComando(atajos[n - 1], this, [this, n] { AsignaFormatoFactura(n); });
  // The menu flips the mark of a toggle; the file keeps it.
  for (QAction* opcion : {SaltarEncabezado1, IniciaenClave1, VerTotalesenformatoDigital1})
    AsignaComando(opcion, this, [this] { GuardaOpcionesFactura(); });
  // The marks of these two are their handlers'.
  AsignaComando(CapturaporEmpaque1, this, [this] {
    CapturaporEmpaque1->setChecked(!CapturaporEmpaque1->isChecked());
    CapturaporEmpaque1Click();
  });
  AsignaComando(VerCampoTara1, this, [this] {
    VerCampoTara1->setChecked(EstadoFactura.TaraEspecial);
    VerCampoTara1Click();
  });
  AsignaComando(ConfigurarCaja1, this, [this] { ConfigurarCaja1Click(); });
  AsignaComando(BotonTotales, this, [this] { BotonTotalesClick(); });
  AsignaComando(TotalesporDivisa1, this, [this] { BotonTotalesClick(); });
  for (QObject* c : {static_cast<QObject*>(BotonBuscar), static_cast<QObject*>(Buscar1)})
    AsignaComando(c, this, [this] { BotonBuscarClick(); });
  AsignaComando(SalidasdeEfectivo1, this, [this] { SalidasdeEfectivo1Click(); });
  AsignaComando(Calculadora1, this, [this] { Calculadora1Click(); });
  AsignaComando(Tabulador1, this, [this] { Tabulador1Click(); });
  AsignaComando(Divisas1, this, [this] { Divisas1Click(); });
  AsignaComando(Temas1, this, [this] { Temas1Click(); });
  AsignaComando(ChecarPrecio1, this, [this] { ChecarPrecio1Click(); });
}

// --- Formats.

void TFormaFactura::Elegirformato1Click() { EligeFormato(EstadoFactura.RutaFormato); }

void TFormaFactura::DisearFormato1Click() {
  TFormaFormatos dialogo(this);
  dialogo.SetTag(3);
  dialogo.Rangos->hide();
  dialogo.Formatos->show();
  dialogo.BotonEdicionClick();
}

void TFormaFactura::AsignaFormatoFactura(int n) {
  QAction* const atajos[] = {CtrlF11, CtrlF21, CtrlF31, CtrlF41, CtrlF51, CtrlF61};
  QString formato;
  // A picker cancelled, or a format that does not exist, changes nothing.
  if (!EligeFormatoFactura(formato)) return;
  atajos[n - 1]->setText(QStringLiteral("Ctrl+F%1 (").arg(n) + formato + u')');
  GuardaOpcionesFactura();
}

// --- Package, tare, register.

void TFormaFactura::CapturaporEmpaque1Click() {
  CambiaCapturaEmpaque(usuario->text(), CapturaporEmpaque1, {LabelEmpaque, LabelFactor, EditEmpaque});
}

void TFormaFactura::VerCampoTara1Click() { EditaCampoTara(); }

void TFormaFactura::ConfigurarCaja1Click() {
  const std::optional<TRegistroCaja> registro = ConfiguraCaja(this);
  if (!registro) return;
  EstadoFactura.Caja = registro->Caja.left(10);
  EstadoFactura.VendedorFijo = registro->Vendedor.left(10);
  if (!registro->Formato.isEmpty())
    EstadoFactura.RutaFormato = CarpetaPrograma(QStringLiteral("\\consulta\\")) + registro->Formato;
}

// --- Totals and search.

void TFormaFactura::BotonTotalesClick() {
  CalculaTotalesFactura();
  TFormaDesglosaTotal desglose(this);
  desglose.SubTotal->setText(SumarTotal->text());
  desglose.Descuento->setText(
      FormatoImporte(QStringLiteral("##,##0.00"), TextoImporte(Dinero::DeReal(EstadoFactura.Descuento))));
  desglose.Iva->setText(ImpuestoValor->text());
  desglose.Total->setText(TotalFact->text());
  desglose.Letra2->clear();
  desglose.Letra1->setText(ImporteConLetra(EstadoFactura.Total.Real()));
  desglose.ShowModal();
}

void TFormaFactura::BotonBuscarClick() {
  TFormaBusqueda busqueda(this);
  busqueda.Clave->setText(QStringLiteral("Por Documento (F1)"));
  busqueda.ShowModal();
  bool esNumero = false;
  const qint64 numero = busqueda.CajaBuscar->text().trimmed().toLongLong(&esNumero);
  if (!esNumero || !TablaFacturae->Active() || TablaFacturae->IsEmpty()) return;
  TablaFacturae->FindNearest({numero});
  if (TablaFacturae->Eof()) TablaFacturae->Last();
  MuestraDocumentoFactura();
}

// --- Cash withdrawals.

void TFormaFactura::SalidasdeEfectivo1Click() {
  auto ventana = std::make_unique<TFormaSalidasEfectivo>(this);
  MuestraMovimientosEfectivo(EditBCLIM_F->text(), 1, EstadoFactura.VendedorFijo);
  if (ventana->Tag() != 1) return;
  ImprimeRetiroEfectivo(ventana->TablaRetiros, usuario->text(), CarpetaDatos());
}

// --- Tools.

void TFormaFactura::Calculadora1Click() { AbreCalculadora(); }

void TFormaFactura::Tabulador1Click() {
  const proc::Resultado r = proc::Ejecuta(kProgramaTabulador);
  if (!r) MuestraMensaje(QStringLiteral("No se pudo abrir el tabulador: ") + r.error);
}

void TFormaFactura::Divisas1Click() {
  auto divisas = std::make_unique<TFormaDivisa>(this);
  divisas->ShowModal();
}

void TFormaFactura::Temas1Click() { MuestraAyuda(CarpetaPrograma(QStringLiteral("\\ayuda\\factura.rtf"))); }

void TFormaFactura::ChecarPrecio1Click() {
  // A look at the catalogue by description: the key chosen is not used.
  QString clave;
  BuscaProductoPorOrden(QString(), 1, 2, true, clave);
}
