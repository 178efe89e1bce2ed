// New on the sale screen: the provisional number and the station's own
// header table that holds the new document until it is saved; actual.dat.

#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_tablas.h"
#include "foundation/rutinas_usuarios.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Componentes.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"
#include "pos/DocumentosVenta.h"
#include "pos/TablasVenta.h"
#include "shell/LineasConfiguracion.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QScrollArea>
#include <QToolButton>

namespace {

// Every header table shares one layout: a kind whose template the program
// folder's tempo lacks takes the remissions'.
const QString kPlantillaEncabezado = QStringLiteral("Remision.dbf");
const QString kErrorNuevo = QStringLiteral("No Pueden Guardarse los Datos ha Ocurrido un Error");

}  // namespace

void TFormaCapturaRapida::BotonNuevoClick() { IniciaDocumento(false); }

bool TFormaCapturaRapida::IniciaDocumentoConservandoPartidas() { return IniciaDocumento(true); }

bool TFormaCapturaRapida::IniciaDocumento(bool conservaPartidas) {
  if (!TieneTablaCaptura()) return false;
  // The capture table holds a sale whose save is not finished: it is
  // finished first, or the capture is kept.
  if (GuardadoPendiente() && !TerminaGuardadoPendiente()) return false;
  // Without the right only the closing steps run: the document shown and its
  // lines stay as they were.
  const bool conDerecho = TieneDerecho(NumeroUsuario(), DerechoAltaFacturacion);
  if (conDerecho) {
    FactorPrecioPago = 1.0;
    if (!conservaPartidas) {
      ReiniciaCaptura();
      LineasCaptura = 0;
      ClavesCapturadas.clear();
      CantidadesCapturadas.clear();
    }
    PintaFondo(Panel4, ui::clYellow);
    PrecioDesbloqueado = false;
    ListaPrecioCliente = 0;
    // A derived document given up leaves no fixed numbering behind.
    FacturaDerivada = false;
    OlvidaFacturaDeRemisiones();
    try {
      PreparaDocumentoNuevo(conservaPartidas);
    } catch (const std::exception&) {
      MuestraMensaje(kErrorNuevo);
    }
    Navegador->setEnabled(false);
    Navegador->setVisible(!UsuarioRestringido);
  }
  EscribeDocumentoActual();
  if (conservaPartidas) return conDerecho;
  TipoPago->setCurrentText(QStringLiteral("Efectivo"));
  LabelCuenta->hide();
  EditCUENTA->hide();
  return conDerecho;
}

void TFormaCapturaRapida::PreparaDocumentoNuevo(bool conservaPartidas) {
  ConceptoMovimiento = 3;
  Hora->setText(TextoHora(fs::Ahora().time()));
  Label18->setText(QStringLiteral("F11 IMPRIME TICKET,     Ctrl+B   BUSCAR VENTA"));
  const qint64 ultimo = UltimoNumeroCompartido();

  CreaEncabezadoTemporal(CarpetaPrograma(QString()), TablaFacturae->NombreTabla());
  const auto campo = [this](const char* nombre) -> db::Campo& {
    return TablaFacturae->FieldByName(QString::fromLatin1(nombre));
  };
  TablaFacturae->Append();
  campo("CLDOC_F").SetAsInteger(ultimo + 1);
  ControlVenta = NumeroControl();
  campo("CONTROL").SetAsInteger(ControlVenta);
  campo("proceso").SetAsString(kFaseNueva);

  campo("BCLIM_F").SetAsString(CajaActual);
  SuCambio->clear();
  LabelPartidas->setText(QStringLiteral("Partidas  0"));

  QString vendedor = VendedorCaja.isEmpty() ? UltimoVendedor : VendedorCaja;
  if (!conservaPartidas && N011->isChecked()) vendedor = QStringLiteral("01");
  if (!conservaPartidas && N021->isChecked()) vendedor = QStringLiteral("02");
  campo("CLVEN_F").SetAsString(vendedor);
  campo("FEDOC_F").SetAsDate(fs::Hoy());
  campo("CLCLI_F").SetAsString(QStringLiteral("1"));
  TablaFacturae->Post();

  if (!conservaPartidas) {
    LimpiaDatosCliente();
    VaciaCaptura();
  }
  ui::SetTag(BotonNuevo, 1);
  ui::SetTag(BotonCambios, 0);
  Caja->setEnabled(true);
  DocumentoNuevo = true;
  TablaFacturae->Edit();
  EditCLCLI_F->show();
  HabilitaCaptura();
  if (!conservaPartidas || !OpcionSinFecha) EditFEDOC_F->setText(fs::Hoy().toString(QStringLiteral("dd/MM/yyyy")));
  CargaImpuestoPredeterminado();
  const QString cero = FormatoMascara(QStringLiteral("##,##0.00"), 0.0);
  for (QLabel* total : {SumarTotal, ImpuestoValor, TotalFact}) total->setText(cero);
  HabilitaBotonesCaptura(false, false, true, false, false, false, true);
  MuestraEstadoCaptura(true);

  if (Caja->isVisibleTo(this)) EditCLCLI_F->setFocus(Qt::OtherFocusReason);
  if (OpcionSaltarEncabezado && !conservaPartidas) {
    EditCLCLI_FExit();
    IniciaCaptura();
  }
  if (IniciaenVendedor1->isChecked()) EditCLVEN_F->setFocus(Qt::OtherFocusReason);
  Impresa->setText(QStringLiteral("No Impresa"));
  ImpresoBitmap->hide();
}

qint64 TFormaCapturaRapida::UltimoNumeroCompartido() {
  VuelveEncabezadoCompartido();
  try {
    TablaFacturae->Refresh();
  } catch (const plat::Error&) {
  }
  TablaFacturae->Last();
  TipoPago->setCurrentIndex(-1);
  if (TablaFacturae->IsEmpty()) return 0;
  db::Campo& numero = TablaFacturae->FieldByName(QStringLiteral("CLDOC_F"));
  const qint64 ultimo = numero.AsInteger();
  const qint64 registro = TablaFacturae->RecNo();
  if (ultimo == 0 && registro > 10) {
    TablaFacturae->Edit();
    numero.SetAsInteger(registro + 1);
    TablaFacturae->Post();
  }
  return ultimo;
}

void TFormaCapturaRapida::VuelveEncabezadoCompartido() {
  const QString partidas = TablaFacturaD->NombreTabla();
  for (const ParDocumento& par : ParesDocumentoVenta()) {
    if (par.partidas.compare(partidas, Qt::CaseInsensitive) != 0) continue;
    if (TablaFacturae->Carpeta() == TablaFacturaD->Carpeta() &&
        TablaFacturae->NombreTabla().compare(par.encabezado, Qt::CaseInsensitive) == 0)
      return;
    TablaFacturae->Close();
    TablaFacturae->SetCarpeta(TablaFacturaD->Carpeta());
    TablaFacturae->SetNombreTabla(par.encabezado);
    AbreTabla(*TablaFacturae);
    return;
  }
}

void TFormaCapturaRapida::CreaEncabezadoTemporal(const QString& carpeta, const QString& archivo) {
  ::CreaEncabezadoTemporal(*TablaFacturae, carpeta, archivo, estacion_.Numero(), kPlantillaEncabezado);
}

void TFormaCapturaRapida::CargaImpuestoPredeterminado() {
  TasaIvaVenta = ValorNumerico(LineaConf(ConfIva));
  EditaEncabezado();
  TablaFacturae->FieldByName(QStringLiteral("IMIM1_F")).SetAsFloat(TasaIvaVenta);
  TablaFacturae->FieldByName(QStringLiteral("DESFI_F")).SetAsFloat(0);
}

void TFormaCapturaRapida::LimpiaDatosCliente() {
  for (QLabel* l : {Nombre, Direccion, Direc2, Poblacion, CodigoPostal, RFC}) l->clear();
  EditFEDOC_F->clear();
}

void TFormaCapturaRapida::EscribeDocumentoActual() {
  fs::ReescribeLineas(CarpetaPrograma(QStringLiteral("\\actual.dat")), {EditCLDOC_F->text()});
}

void TFormaCapturaRapida::EditaEncabezado() {
  const auto estado = TablaFacturae->State();
  if (estado != db::Dataset::Estado::Editando && estado != db::Dataset::Estado::Insertando) TablaFacturae->Edit();
}
