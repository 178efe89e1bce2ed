// The legacy document window's display and table routines: a saved
// document shown and positioned, the tables pointed at their folders and
// the capture table claimed, the button and capture states, the header
// fields' colours and focus, printing through a format, and the small
// option and hand-over files.

#include "legacy/Factu.h"

#include "foundation/aritmetica.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_tablas.h"
#include "inventory/CamposRegistro.h"
#include "platform/Error.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Componentes.h"
#include "pos/CaptuRap_comun.h"
#include "pos/DocumentosVenta.h"
#include "pos/Efectivo.h"
#include "pos/EstadoComandos.h"
#include "pos/ImpresionVenta.h"
#include "pos/OpcionesEncabezado.h"
#include "reports/ConsCata.h"
#include "reports/Formatos.h"
#include "salesdocs/ReportesVenta.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"
#include "shell/Moneda.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

namespace {

const QString kPistaFactura = QStringLiteral("F9 NUEVO    F10 GUARDAR   F11 IMPRIMIR    Ctrl+B   BUSCAR ");
const QString kS = QStringLiteral("S");
const QString kN = QStringLiteral("N");

QString Marca(const QAction* a) { return a->isChecked() ? kS : kN; }

}  // namespace

QString TFormaFactura::CarpetaDatos() const { return LineaConf(ConfCarpetaDatos); }

// --- A document shown.

void TFormaFactura::MuestraDocumentoFactura() {
  db::Tabla& e = *TablaFacturae;
  if (!HayFila(e)) return;
  const auto campo = [&e](const char* nombre) -> db::Campo& { return e.FieldByName(QString::fromLatin1(nombre)); };
  const std::pair<const char*, QLabel*> cliente[] = {{"NOMBR_F", Nombre},   {"DIREC_F", Direccion},
                                                     {"DIRE2_F", Direc2},   {"POBLA_F", Poblacion},
                                                     {"RFCXX_F", RFC},      {"CPXXX_F", CodigoPostal}};
  for (const auto& [nombre, etiqueta] : cliente) etiqueta->setText(campo(nombre).AsString());
  TipoPago->setCurrentText(campo("PAGOX_F").AsString());
  EditFEDOC_F->setText(campo("FEDOC_F").AsString());
  try {
    const db::Campo& hora = campo("HORAX_F");
    Hora->setText(hora.IsNull() ? QString() : TextoHora(HoraDeNumero(hora.AsFloat())));
  } catch (const plat::Error&) {
  }
  SuCambio->setText(TextoCambioDocumento(e));
  MuestraEstadoFactura();
  CargaPartidasFactura();
  CalculaTotalesFactura();
  const QString remision = campo("REMIS_F").AsString();
  Label18->setText(remision.isEmpty() ? kPistaFactura.chopped(1) : kPistaFactura + remision);
}

void TFormaFactura::MuestraEstadoFactura() {
  if (!HayFila(*TablaFacturae)) return;
  Estado->setText(
      TextoEstadoDocumento(TablaFacturae->FieldByName(QStringLiteral("STATU_F")).AsString()).value_or(QString()));
  const bool impresa = TablaFacturae->FieldByName(QStringLiteral("TREGI_F")).AsString() == kMarcaImpresa;
  Impresa->setText(impresa ? QStringLiteral("Impresa") : QStringLiteral("No Impresa"));
  ImpresoBitmap->setVisible(impresa);
  PermiteComando(Cancelar1, true);
}

void TFormaFactura::PreparaVentanaFactura() {
  if (Tag() != 0) return;
  PreparaTablasFactura();
  CierraCapturaFactura();
  PermiteComando(Pedido1, false);
  PermiteComando(Remisin1, false);
  PermiteComando(BotonGuardar, false);
  PermiteComando(Guardar1, false);
  PermiteComando(BotonCambios, true);
  PermiteComando(BotonNuevo, true);
  EstadoFactura.CampoEncabezado = 1;
  EstadoFactura.Modo = 2;
  SetTag(1);
}

void TFormaFactura::PosicionaFactura(qint64 numero) {
  PreparaVentanaFactura();
  if (!TablaFacturae->Active()) return;
  if (TablaFacturae->FindKey({numero})) MuestraDocumentoFactura();
}

// --- Tables and the capture claim.

void TFormaFactura::PreparaTablasFactura() {
  const db::Carpetas carpetas = CarpetasEmpresa();
  for (db::Tabla* t : findChildren<db::Tabla*>()) ApuntaTabla(*t, carpetas);
  // The sale screen's stations: deta.db, or the first free numbered one,
  // made from deta.db when missing (from the sale screen's template while
  // no deta.db exists yet).
  setWindowTitle(titulo_);
  const QString deta = QStringLiteral("deta.db");
  ReclamaCapturaVentana(estacion_, *TablaDeta, *TablaTotal, *this, Panel8,
                        db::Tabla::Existe(CarpetaPrograma(QString()), deta) ? deta : kPlantillaCaptura);
  for (db::Tabla* t : findChildren<db::Tabla*>())
    if (t != TablaAuxiliar && (estacion_.Tiene() || (t != TablaDeta && t != TablaTotal))) AbreTabla(*t);
  if (TablaDeta->Active()) LiberaBloqueos(*TablaDeta);
  EstadoFactura.ExistenciasNegativas = LineaConf(ConfExistenciasNegativas);
  const QString tipo = Base->currentText();
  if (tipo != kBaseRemision && tipo != kBaseDevolucion && tipo != kBaseCajaChica) Base->setCurrentText(kBaseRemision);
  if (Base->currentText() == kBaseRemision) {
    AbreParFactura(CarpetaDeTabla(QStringLiteral("Remision.dbf")), QStringLiteral("Remision.dbf"),
                   QStringLiteral("RemisioD.dbf"));
    EstadoFactura.LineaFormato = ConfFormatoRemision;
    FijaGenerarFactura(false, false, true, true, false);
  }
  if (!estacion_.Tiene()) MuestraMensaje(kSinTablaCaptura);
  // A save this station left unfinished is finished first.
  else TerminaGuardadoFactura();
}

// --- Button and capture states.

void TFormaFactura::HabilitaBotonesFactura(bool Cambios, bool Nuevo, bool Guardar, bool Buscar, bool,
                                           bool Navegacion, bool) {
  for (QObject* c : {static_cast<QObject*>(BotonCambios), static_cast<QObject*>(Modificar1)})
    PermiteComando(c, Cambios);
  for (QObject* c : {static_cast<QObject*>(BotonNuevo), static_cast<QObject*>(Nuevo1),
                     static_cast<QObject*>(Eliminar1), static_cast<QObject*>(Cancelar1)})
    PermiteComando(c, Nuevo);
  for (QObject* c : {static_cast<QObject*>(BotonGuardar), static_cast<QObject*>(Guardar1),
                     static_cast<QObject*>(CancelaMovimiento1)})
    PermiteComando(c, Guardar);
  PermiteComando(BotonBuscar, Buscar);
  Navegador->setEnabled(Navegacion);
  PermiteComando(BotonTerminaVenta, ComandoPermitido(BotonGuardar));
  PermiteComando(BotonNuevaVenta, ComandoPermitido(BotonNuevo));
  const bool captura = ComandoPermitido(BotonTerminaVenta);
  for (QWidget* w : {static_cast<QWidget*>(EditClave), static_cast<QWidget*>(EditCantidad),
                     static_cast<QWidget*>(EditEmpaque), static_cast<QWidget*>(EditTARA)})
    w->setEnabled(captura);
  MuestraEstadoCapturaFactura(captura);
  PermiteComando(BotonAgregarPartida, ComandoPermitido(BotonCambios));
  if (EstadoFactura.ReportesHabilitados) PermiteComando(Reportes1->menuAction(), !Guardar);
  PermiteComando(Generar1->menuAction(), !Guardar);
  PermiteComando(Buscar1, !Guardar);
  for (QObject* c : {static_cast<QObject*>(BotonImprimir), static_cast<QObject*>(ImprimirDocumento1),
                     static_cast<QObject*>(ImprimirRangodeDocumentos1)})
    PermiteComando(c, ComandoPermitido(BotonNuevaVenta));
}

void TFormaFactura::MuestraEstadoCapturaFactura(bool capturando) {
  EstadoCaptura->setText(capturando ? QStringLiteral("Capturando...") : QStringLiteral("Terminada"));
  PintaFondo(Panel2, capturando ? ui::clRed : EstadoFactura.ColorPanel);
}

void TFormaFactura::AbreCapturaFactura() {
  Detalle->setEnabled(true);
  EditCantidad->setReadOnly(false);
  EditClave->setReadOnly(false);
}

void TFormaFactura::CierraCapturaFactura() {
  Detalle->setEnabled(false);
  EditCantidad->setReadOnly(true);
  EditClave->setReadOnly(true);
}

// --- The header fields.

QWidget* TFormaFactura::CampoDePosicion(int indice) const {
  switch (indice) {
    case 1: return EditCLDOC_F;
    case 2: return EditCLVEN_F;
    case 3: return EditCLCLI_F;
    case 4: return EditBCLIM_F;
    case 5: return EditFEDOC_F;
    case 6: return EditCTOVE_F;
    case 7: return EditIMIM1_F;
    case 8: return EditDESFI_F;
    default: return nullptr;
  }
}

void TFormaFactura::ResaltaCampoFactura(int indice, ui::TColor color) {
  if (QWidget* campo = CampoDePosicion(indice)) colorCampo_ = PintaCampo(campo, color);
}

void TFormaFactura::RestauraCampoFactura(int indice) {
  if (QWidget* campo = CampoDePosicion(indice)) RestauraColorCampo(campo, colorCampo_);
}

void TFormaFactura::EnfocaCampoFactura() {
  if (EstadoFactura.CampoEncabezado > 17 || EstadoFactura.CampoEncabezado < 1) EstadoFactura.CampoEncabezado = 1;
  if (QWidget* campo = CampoDePosicion(EstadoFactura.CampoEncabezado)) campo->setFocus(Qt::OtherFocusReason);
}

// --- Printing.

void TFormaFactura::ImprimeDocumentoFactura() {
  if (!HayFila(*TablaFacturae)) return;
  // Nothing starts another document while the printer works.
  const bool detalle = Detalle->isEnabled();
  const bool nueva = ComandoPermitido(BotonNuevaVenta);
  const bool nuevo = ComandoPermitido(Nuevo1);
  Detalle->setEnabled(false);
  PermiteComando(BotonNuevaVenta, false);
  PermiteComando(Nuevo1, false);
  if (ImprimeYMarcaDocumento(EstadoFactura.RutaFormato, *TablaFacturae, TablaDeta, usuario->text())) {
    Impresa->setText(QStringLiteral("Impresa"));
    ImpresoBitmap->setVisible(true);
  }
  Detalle->setEnabled(detalle);
  PermiteComando(BotonNuevaVenta, nueva);
  PermiteComando(Nuevo1, nuevo);
}

void TFormaFactura::ImprimeConFormatoFactura(const QString& formato) {
  ImprimeConFormato(formato, TablaFacturae, TablaDeta, usuario->text());
}

bool TFormaFactura::EligeFormatoFactura(QString& formato) { return EligeFormato(formato); }

// --- Small files.

void TFormaFactura::AnotaPagoFactura() {
  // Both lines in one write, so another station's pair never falls between.
  fs::AgregaLinea(ArchivoPagosDelDia(CarpetaDatos(), fs::Hoy()),
                  EditCLDOC_F->text() + QStringLiteral("\r\n") + EstadoFactura.Caja);
}

void TFormaFactura::MarcaPagadaFactura() {
  const QString pago = (QStringLiteral("Pagada en ") + EstadoFactura.Caja).left(20);
  EditaFila(*TablaFacturae);
  try {
    TablaFacturae->FieldByName(QStringLiteral("PAGOX_F")).SetAsString(pago);
    TablaFacturae->FieldByName(QStringLiteral("TREGI_F")).SetAsString(kMarcaImpresa);
    TablaFacturae->FieldByName(QStringLiteral("BCLIM_F")).SetAsString(EstadoFactura.Caja);
    TablaFacturae->Post();
  } catch (...) {
    if (Editando(*TablaFacturae)) TablaFacturae->Cancel();
    throw;
  }
  TipoPago->setCurrentText(pago);
}

void TFormaFactura::AplicaPagosFactura() { AplicaPagosDelDia(CarpetaDatos(), *TablaFacturae, TipoPago); }

void TFormaFactura::PreparaConsultaFactura() { PreparaConsultaVentas(this, CarpetaDatos()); }

void TFormaFactura::LeeMultiFactura() {
  const QString ruta = CarpetaPrograma(QStringLiteral("\\Multi.dat"));
  usuario->setText(fs::ExisteArchivo(ruta) ? fs::LeeLineas(ruta).value(0) : QStringLiteral("0"));
}

QStringList TFormaFactura::CargaMonedasFactura() const {
  QStringList nombres;
  for (const TRegistroMoneda& m : RegistrosMoneda(fs::LeeBytes(fs::Une(CarpetaDatos(), QStringLiteral("moneda.vrl")))))
    nombres << m.Campos[0];
  return nombres;
}

QString TFormaFactura::TextoMonedaFactura(const QString& nombre, int n) const {
  return TextoMonedaVenta(CarpetaDatos(), nombre, n);
}

void TFormaFactura::EvaluaCampoFactura(QLineEdit* campo) {
  campo->setText(EvaluaAritmetica(ResuelveParentesis(campo->text())));
}

QString TFormaFactura::TextoCantidadFactura(const db::Campo& campo, const QVariant& valor,
                                            const QString& texto) const {
  return TextoCeldaCaptura(campo, valor, texto, EstadoFactura.DigitosCantidad, EstadoFactura.MascaraCantidad);
}

void TFormaFactura::GuardaOpcionesFactura() {
  EscribeOpcionesEncabezado({Marca(SaltarEncabezado1), Marca(IniciaenClave1), CtrlF11->text(), CtrlF21->text(),
                             CtrlF31->text(), CtrlF41->text(), CtrlF51->text(), CtrlF61->text(),
                             Marca(VerTotalesenformatoDigital1)});
}

// --- The catalogue browser's drill-down.

void AbreDocumentoFactura(const QString& tabla, const QString& numero, const QString& usuario) {
  struct Par {
    const char *tabla, *encabezado, *partidas, *base;
    int lineaFormato;
  };
  static const Par kPares[] = {
      {"facturae.dbf", "Facturae.dbf", "Facturad.dbf", "Factura", ConfFormatoFactura},
      {"remision.dbf", "remision.dbf", "remisiod.dbf", "Remisión", ConfFormatoRemision},
      {"pedido.dbf", "pedido.dbf", "pedidod.dbf", "Pedido", ConfFormatoPedido},
      {"cotizaci.dbf", "cotizaci.dbf", "cotizacd.dbf", "Cotización", ConfFormatoCotizacion},
  };
  const Par* par = nullptr;
  for (const Par& p : kPares)
    if (tabla.compare(QLatin1String(p.tabla), Qt::CaseInsensitive) == 0) par = &p;
  if (!par) return;
  TFormaFactura* ventana = FormaFactura();
  const bool nueva = !ventana;
  if (nueva) ventana = new TFormaFactura;
  if (ventana->Tag() == 0) ventana->usuario->setText(usuario);
  // Prepared before the switch, so its first use does not take the window
  // back to the remissions.
  ventana->PreparaVentanaFactura();
  const QString encabezado = QString::fromUtf8(par->encabezado);
  if (ventana->TablaFacturae->NombreTabla().compare(encabezado, Qt::CaseInsensitive) != 0) {
    ventana->AbreParFactura(ventana->CarpetaDatos(), encabezado, QString::fromUtf8(par->partidas));
  }
  ventana->Base->setCurrentText(QString::fromUtf8(par->base));
  // Printed with its own kind's format, not the remissions'.
  ventana->EstadoFactura.LineaFormato = par->lineaFormato;
  ventana->EstadoFactura.RutaFormato = CarpetaPrograma(QStringLiteral("\\consulta\\")) + LineaConf(par->lineaFormato);
  ventana->PosicionaFactura(numero.trimmed().toLongLong());
  if (QLatin1String(par->tabla) == QLatin1String("facturae.dbf")) {
    ventana->ShowModal();
    if (nueva) delete ventana;
  } else {
    ventana->Show();
  }
}

void UneDocumentosFactura() {
  for (const char* documentos : {"facturae.dbf", "remision.dbf", "pedido.dbf", "cotizaci.dbf"}) {
    const QString tabla = QString::fromLatin1(documentos);
    UneAperturaCatalogo(tabla, [tabla](const RegistroCatalogo& r) { AbreDocumentoFactura(tabla, r.clave, r.usuario); });
  }
}
