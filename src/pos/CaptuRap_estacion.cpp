// The sale screen's first activation: its tables pointed and opened, the
// capture table claimed, the document kind chosen; the capture table's
// routines; the release of the claim when the screen closes.

#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_tablas.h"
#include "foundation/rutinas_usuarios.h"
#include "platform/Error.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/process/Procesos.h"
#include "platform/ui/Componentes.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"
#include "pos/Corte.h"
#include "pos/TablasVenta.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"
#include "shell/Principa.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QToolButton>

namespace {

const QString kRemision = QStringLiteral("Remisión");
const QString kDevolucion = QStringLiteral("Devolución");

// The document kinds of the Base selector that have tables of their own,
// with their format line and the Generar items they allow (Pedido,
// Remisión, Factura, Devolución, Nota de Crédito).
struct TipoVenta {
  QString texto;
  qint16 lineaFormato;
  bool generar[5];
};
const TipoVenta kTipos[] = {
    {QStringLiteral("Remisión"), ConfFormatoRemision, {false, false, true, true, false}},
    {QStringLiteral("Caja Chica"), ConfFormatoCotizacion, {false, false, false, false, false}},
};

const TipoVenta* TipoDe(const QString& texto) {
  for (const TipoVenta& t : kTipos)
    if (t.texto == texto) return &t;
  return nullptr;
}

}  // namespace

void TFormaCapturaRapida::FormActivate() {
  // Only the first activation; marked at once, so a message shown on the way
  // (which takes the activation away and gives it back) does not start it
  // again.
  if (Tag() != 0) return;
  SetTag(1);
  PreparaTablasVenta();
  // A save the station left unfinished is finished before anything is shown.
  TerminaGuardadoPendiente();
  if (TerminaDerivadosPendientes) TerminaDerivadosPendientes();
  if (usuario->text() == QStringLiteral("usuario")) LeeUsuarioMulti();
  AplicaVistaClasica(*this);
  BloqueaCaptura();
  Permite(Pedido1, false);
  Permite(Remisin1, false);
  BotonCambios->setEnabled(true);
  BotonNuevo->setEnabled(true);
  BotonGuardar->setEnabled(false);
  Permite(Guardar1, false);
  MuestraUltimoDocumento();
  DerechoTexto(NumeroUsuario(), DerechoReportesFacturacion, Conf.DerechoReportes);
  if (!estacion_.Tiene()) MuestraMensaje(kSinTablaCaptura);
}

void TFormaCapturaRapida::PreparaTablasVenta() {
  const QString datos = LineaConf(ConfCarpetaDatos);
  RutaDatosCorte = datos;
  if (RutaDatosVenta.isEmpty()) RutaDatosVenta = datos;
  const auto tablas = findChildren<db::Tabla*>();
  const db::Carpetas carpetas = CarpetasEmpresa();
  for (db::Tabla* t : tablas) ApuntaTabla(*t, carpetas);
  // The remission lines copied into the movement mirror when the company
  // keeps its remissions apart.
  EspejoRemisiones = carpetas.remisiones.isEmpty() ? 0 : kEspejoRemisiones;
  ReclamaCaptura();
  for (db::Tabla* t : tablas)
    if (t != TablaAuxiliar) AbreTabla(*t);
  Conf.ExistenciasNegativas = LineaConf(ConfExistenciasNegativas).left(1);
  if (!TipoDe(Base->currentText()) && Base->currentText() != kDevolucion) Base->setCurrentText(kRemision);
  if (Base->currentText() == kRemision) {
    AbreTablasTipo(kRemision);
    LineaFormatoDocumento = ConfFormatoRemision;
    FijaGenerarTipo(kRemision);
  }
}

void TFormaCapturaRapida::ReclamaCaptura() {
  ReclamaCapturaVentana(estacion_, *TablaDeta, *TablaTotal, *this, Panel8);
}

void TFormaCapturaRapida::LeeUsuarioMulti() {
  const QString ruta = CarpetaPrograma(QStringLiteral("\\Multi.dat"));
  usuario->setText(fs::ExisteArchivo(ruta) ? fs::LeeLineas(ruta).value(0) : QStringLiteral("0"));
}

void TFormaCapturaRapida::MuestraUltimoDocumento() {
  if (!TablaFacturae->Active()) return;
  PosicionaDocumentoActual();
  TablaFacturae->Last();
  MuestraDocumento();
  UltimoNumeroDocumento = TablaFacturae->FieldByName(QStringLiteral("CLDOC_F")).AsInteger();
}

void TFormaCapturaRapida::BaseChange() {
  if (!TipoDe(Base->currentText()) && Base->currentText() != kDevolucion) Base->setCurrentText(kRemision);
  const QString tipo = Base->currentText();
  // A return keeps the tables and the format of the kind before it.
  if (const TipoVenta* t = TipoDe(tipo)) {
    AbreTablasTipo(tipo);
    LineaFormatoDocumento = t->lineaFormato;
    FijaGenerarTipo(tipo);
  }
  if (tipo == kRemision) EditCLDOC_F->setReadOnly(usuario->text() == QStringLiteral("0"));
  FormatoTicket = CarpetaPrograma(QStringLiteral("\\consulta\\")) + LineaConf(LineaFormatoDocumento);
  MuestraDocumento();
}

QString TFormaCapturaRapida::CarpetaEncabezadoCompartido() const {
  const ParDocumento* par = ParDeTipo(Base->currentText());
  return par ? CarpetaDeTabla(par->encabezado) : RutaDatosVenta;
}

void TFormaCapturaRapida::AbreTablasTipo(const QString& tipo) {
  const ParDocumento* par = ParDeTipo(tipo);
  TablaFacturae->Close();
  TablaFacturaD->Close();
  const db::Carpetas carpetas = CarpetasEmpresa();
  TablaFacturae->SetNombreTabla(par->encabezado);
  ApuntaTabla(*TablaFacturae, carpetas);
  TablaFacturaD->SetNombreTabla(par->partidas);
  ApuntaTabla(*TablaFacturaD, carpetas);
  AbreTabla(*TablaFacturae);
  AbreTabla(*TablaFacturaD);
}

void TFormaCapturaRapida::FijaGenerarTipo(const QString& tipo) {
  const TipoVenta* t = TipoDe(tipo);
  QAction* const items[] = {Pedido1, Remisin1, Factura1, Devolucin1, NotadeCrdito1};
  for (int i = 0; i < 5; ++i) Permite(items[i], t->generar[i]);
}

bool TFormaCapturaRapida::TieneTablaCaptura() {
  if (estacion_.Tiene()) return true;
  MuestraMensaje(kSinTablaCaptura);
  return false;
}

void TFormaCapturaRapida::VaciaCaptura() { ::VaciaCaptura(*TablaDeta, *TablaTotal); }

void TFormaCapturaRapida::BorraPartidaYCompacta(int partida) {
  ::BorraPartidaYCompacta(*TablaDeta, *TablaTotal, partida);
}

void TFormaCapturaRapida::ReiniciaCaptura() {
  if (TieneTablaCaptura()) ::ReiniciaCaptura(estacion_, *TablaDeta, *TablaTotal);
}

void TFormaCapturaRapida::FormClose() {
  proc::CierraVentana(QStringLiteral("Scale"));
  Navegador->setEnabled(!UsuarioRestringido);
  Navegador->setVisible(!UsuarioRestringido);
  ui::SetTag(BotonSalir, 1000);
  // The grid's column widths, for the next show (PersonalizarDetalle1).
  const QString anchos = CarpetaPrograma(QStringLiteral("\\detalle.dat"));
  if (fs::ExisteArchivo(anchos)) {
    QStringList lineas;
    for (int i = 0; i < Detalle->Columnas(); ++i)
      lineas << QString::number(Detalle->Columna(i).visible ? Detalle->columnWidth(i) : -1);
    try {
      fs::ReescribeLineas(anchos, lineas);
    } catch (const plat::Error&) {
    }
  }
  ClavesReservadas.clear();
  CantidadesReservadas.clear();
  ClavesCapturadas.clear();
  CantidadesCapturadas.clear();
  ComPort1->ClosePort();
  SueltaCaptura();
}

void TFormaCapturaRapida::SueltaCaptura() {
  // The claim ends with the screen: its tables close, then the station goes.
  const auto tablas = findChildren<db::Tabla*>();
  for (db::Tabla* t : tablas) t->Close();
  estacion_.Libera();
}
