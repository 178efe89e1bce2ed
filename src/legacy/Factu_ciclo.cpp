// The legacy document window's life: show, first activation, the
// save-changes question at closing, the layout of the totals, the kind
// switch.

#include "legacy/Factu.h"

#include "formats/Interprete.h"
#include "foundation/cerrar.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_tablas.h"
#include "foundation/rutinas_usuarios.h"
#include "platform/Error.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Componentes.h"
#include "pos/CaptuRap_comun.h"
#include "pos/EstadoComandos.h"
#include "pos/RegistroCaja.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

namespace {

const QString kS = QStringLiteral("S");

}  // namespace

void TFormaFactura::FormShow() {
  ui::RedondeaRegion(*Panel8, 15, 15);
  ui::RedondeaRegion(*PanelSuma, 30, 30);
  FijaUsuarioImpresion(QStringLiteral("-1"));
  setWindowState(windowState() | Qt::WindowMaximized);
  EstadoFactura.FacturarSinExistencias = LineaConf(ConfFacturarSinExistencias).left(1);

  EstadoFactura.Caja.clear();
  EstadoFactura.VendedorFijo.clear();
  // The station's register through the sale screen's reader; a register
  // without a format keeps the kind's.
  std::optional<TRegistroCaja> caja;
  try {
    caja = LeePrimeraCaja(CarpetaPrograma(QString()));
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
  if (caja) {
    EstadoFactura.Caja = caja->Caja;
    EstadoFactura.VendedorFijo = caja->Vendedor;
    if (!caja->Formato.isEmpty())
      EstadoFactura.RutaFormato = CarpetaPrograma(QStringLiteral("\\consulta\\")) + caja->Formato;
  }
  EstadoFactura.IntegraMovimientos =
      LineaConf(ConfIntegraMovimientos) == QStringLiteral("SI") ? kS : QStringLiteral("N");

  const QString pagos = fs::Une(CarpetaDatos(), QStringLiteral("pagos.cnf"));
  if (fs::ExisteArchivo(pagos)) {
    TipoPago->clear();
    TipoPago->addItems(fs::LeeLineas(pagos));
  }

  bool numero = false;
  const int usuarioActual = usuario->text().toInt(&numero);
  EstadoFactura.ReportesHabilitados = numero && TieneDerechoSinAviso(usuarioActual, DerechoReportesFacturacion);
  PermiteComando(Reportes1->menuAction(), EstadoFactura.ReportesHabilitados);

  PermiteComando(BotonTerminaVenta, false);
  for (QWidget* w : {static_cast<QWidget*>(EditClave), static_cast<QWidget*>(EditCantidad),
                     static_cast<QWidget*>(EditEmpaque), static_cast<QWidget*>(EditTARA)})
    w->setEnabled(false);
  MuestraEstadoCapturaFactura(false);

  const QString empaque = CarpetaPrograma(QStringLiteral("\\empaque.cnf"));
  if (fs::ExisteArchivo(empaque)) {
    const bool visible = fs::LeeLineas(empaque).value(0) == kS;
    for (QWidget* w : {static_cast<QWidget*>(LabelEmpaque), static_cast<QWidget*>(EditEmpaque),
                       static_cast<QWidget*>(LabelFactor)})
      w->setVisible(visible);
    CapturaporEmpaque1->setChecked(visible);
  }
}

void TFormaFactura::FormActivate() {
  if (Tag() == 0) {
    // Marked at once, so a message shown on the way does not start it again.
    SetTag(1);
    if (usuario->text() == QStringLiteral("usuario")) LeeMultiFactura();
    repaint();
    PreparaTablasFactura();
    CierraCapturaFactura();
    PermiteComando(Pedido1, false);
    PermiteComando(Remisin1, false);
    PermiteComando(BotonCambios, true);
    PermiteComando(BotonNuevo, true);
    PermiteComando(BotonGuardar, false);
    PermiteComando(Guardar1, false);
    EstadoFactura.CampoEncabezado = 1;
    if (TablaFacturae->Active()) {
      TablaFacturae->Last();
      MuestraDocumentoFactura();
      EstadoFactura.UltimoFolio = TablaFacturae->FieldByName(QStringLiteral("CLDOC_F")).AsInteger();
    }
  }
  SetTag(1);
}

void TFormaFactura::FormCloseQuery(bool& puedeCerrar) {
  const bool cambios = ui::Tag(BotonCambios) == 1;
  if (!cambios && ui::Tag(BotonNuevo) != 1) return;
  TFormaCerrar pregunta(this);
  pregunta.SetTag(3);
  pregunta.ShowModal();
  switch (pregunta.Tag()) {
    case 1:
      // Saved as F10 saves; a save refused or stopped keeps the window open.
      BotonGuardarClick();
      if (ui::Tag(BotonNuevo) == 1 || ui::Tag(BotonCambios) == 1) puedeCerrar = false;
      return;
    case 2:
      if (cambios) {
        try {
          RestauraPartidasDeBufer();
        } catch (const plat::Error& e) {
          MuestraMensaje(e.mensaje());
        }
      } else {
        // The provisional header stays as it is.
        try {
          PostPendiente(*TablaFacturae);
        } catch (const plat::Error&) {
        }
      }
      if (TablaFacturaD->Active() && Editando(*TablaFacturaD)) TablaFacturaD->Cancel();
      HabilitaBotonesFactura(true, true, false, true, true, true, false);
      CierraCapturaFactura();
      ui::SetTag(BotonCambios, 0);
      ui::SetTag(BotonNuevo, 0);
      EstadoFactura.DocumentoNuevo = false;
      break;
    default:
      // "Cancelar" keeps the window and the document as they are.
      puedeCerrar = false;
      return;
  }
  Navegador->setEnabled(true);
}

void TFormaFactura::FormClose() {
  // The claim ends with the window's show: its tables close, the station is
  // given up, and a later show prepares them again.
  for (db::Tabla* t : findChildren<db::Tabla*>()) t->Close();
  estacion_.Libera();
  EstadoFactura.ReservaClaves.clear();
  EstadoFactura.ReservaCantidades.clear();
  SetTag(0);
}

void TFormaFactura::BotonSalirClick() { Close(); }

void TFormaFactura::resizeEvent(QResizeEvent* evento) {
  ui::Forma::resizeEvent(evento);
  FormResize();
}

void TFormaFactura::FormResize() {
  // The grid and the right panel fill the client area's height.
  Detalle->resize(std::clamp(Panel2->width() - Panel5->width(), 0, kAnchoDetalleFactura), Panel2->height());
  Panel5->resize(Panel5->width(), Panel2->height());
  const int anchoDetalle = Detalle->width();
  Panel5->move(static_cast<int>(anchoDetalle + (Panel2->width() - anchoDetalle) * 0.5 - Panel5->width() * 0.5),
               Panel5->y());
  int s = static_cast<int>(PanelSuma->height() / 3.0 - 10);
  QLabel* const valores[] = {SumarTotal, ImpuestoValor, TotalFact};
  if (PanelSuma->font().family() != kFuenteDigital) {
    s -= 4;
    for (QLabel* l : valores) {
      QFont f = l->font();
      f.setFamily(PanelSuma->font().family());
      l->setFont(f);
    }
  }
  PanelSuma->move(PanelSuma->x(), Panel5->height() - PanelSuma->height() - 5);
  // Three rows, the values right-aligned 5 pixels left of their captions.
  for (QLabel* l : valores) {
    QFont f = l->font();
    f.setPixelSize(std::max(1, s - 1));
    l->setFont(f);
  }
  const int alto = SumarTotal->sizeHint().height();
  // The captions share the widest one's width.
  int ancho = 0;
  for (QLabel* l : {Label12, Label22, Label24}) ancho = std::max(ancho, l->sizeHint().width());
  for (QLabel* l : {Label12, Label22, Label24}) l->resize(ancho, l->sizeHint().height());
  const int izquierda = PanelSuma->width() - Label12->width() - 5;
  for (int i = 0; i < 3; ++i) {
    valores[i]->setGeometry(15, 1 + i * (alto + 4), std::max(0, izquierda - 5 - 15), alto);
    valores[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
  QLabel* const titulos[] = {Label12, Label22, Label24};
  for (int i = 0; i < 3; ++i) titulos[i]->move(izquierda, valores[i]->y() + 4);
}

void TFormaFactura::AbreParFactura(const QString& carpeta, const QString& encabezado, const QString& partidas) {
  TablaFacturae->Close();
  TablaFacturaD->Close();
  TablaFacturae->SetCarpeta(carpeta);
  TablaFacturae->SetNombreTabla(encabezado);
  TablaFacturaD->SetCarpeta(carpeta);
  TablaFacturaD->SetNombreTabla(partidas);
  AbreTabla(*TablaFacturae);
  AbreTabla(*TablaFacturaD);
}

void TFormaFactura::FijaGenerarFactura(bool pedido, bool remision, bool factura, bool devolucion, bool nota) {
  PermiteComando(Pedido1, pedido);
  PermiteComando(Remisin1, remision);
  PermiteComando(Factura1, factura);
  PermiteComando(Devolucin1, devolucion);
  PermiteComando(NotadeCrdito1, nota);
}

void TFormaFactura::BaseChange() {
  const QString texto = Base->currentText();
  if (texto != kBaseRemision && texto != kBaseDevolucion && texto != kBaseCajaChica)
    Base->setCurrentText(kBaseRemision);
  const QString tipo = Base->currentText();
  if (tipo == kBaseRemision) {
    AbreParFactura(CarpetaDeTabla(QStringLiteral("Remision.dbf")), QStringLiteral("Remision.dbf"),
                   QStringLiteral("RemisioD.dbf"));
    EstadoFactura.LineaFormato = ConfFormatoRemision;
    FijaGenerarFactura(false, false, true, true, false);
    EditCLDOC_F->setReadOnly(usuario->text() == QStringLiteral("0"));
  } else if (tipo == kBaseCajaChica) {
    AbreParFactura(CarpetaDeTabla(QStringLiteral("CajaChic.dbf")), QStringLiteral("CajaChic.dbf"),
                   QStringLiteral("CajaChiD.dbf"));
    EstadoFactura.LineaFormato = ConfFormatoCotizacion;
    FijaGenerarFactura(false, false, false, false, false);
  }
  EstadoFactura.RutaFormato = CarpetaPrograma(QStringLiteral("\\consulta\\")) + LineaConf(EstadoFactura.LineaFormato);
  MuestraDocumentoFactura();
}
