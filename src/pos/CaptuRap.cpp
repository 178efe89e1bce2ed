// The sale screen's components and their layout; creation (FormCreate).

#include "pos/CaptuRap.h"

#include "foundation/BotonEsquinado.h"
#include "foundation/Glyps.h"
#include "foundation/rutinas_numero.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "pos/CaptuRap_comun.h"
#include "pos/ComponentesVenta.h"
#include "pos/ComandosVenta.h"
#include "pos/PlanGuardado.h"
#include "foundation/UnidadTrabajo.h"

#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kAnchoPanelDerecho = 330;
constexpr int kAltoSuma = 190;

// A rounded rectangle in the widget's window colour, outlined or not: the
// white frame around the totals, the light of the scale's port.
class Redondeado : public QWidget {
 public:
  Redondeado(QWidget* padre, qreal radio, bool borde) : QWidget(padre), radio_(radio), borde_(borde) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter pintor(this);
    pintor.setRenderHint(QPainter::Antialiasing);
    if (!borde_) pintor.setPen(Qt::NoPen);
    pintor.setBrush(palette().color(QPalette::Window));
    pintor.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), radio_, radio_);
  }

 private:
  qreal radio_;
  bool borde_;
};

}  // namespace

TFormaCapturaRapida::TFormaCapturaRapida(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaCapturaRapida>() = this;
  setObjectName(QStringLiteral("FormaCapturaRapida"));
  setWindowTitle(kTituloCapturaRapida);
  setWindowFlags(Qt::Window);
  setMinimumSize(kAnchoDetalle + kAnchoPanelDerecho + 20, 560);
  resize(1100, 740);
  // The keys reach the form first (FormKeyDown).
  SetKeyPreview(true);

  ConstruyeTablas();
  ConstruyeMenu();
  auto* capas = new QVBoxLayout(this);
  capas->setContentsMargins(0, 0, 0, 0);
  capas->setSpacing(0);
  capas->setMenuBar(MainMenu1);

  Panel1 = NuevoPanel(this, "Panel1");
  Panel1->setFixedHeight(44);
  BotonSalir = BotonRapido(Panel1, "BotonSalir", QStringLiteral("Salir"), 2);
  BotonBuscar = BotonRapido(Panel1, "BotonBuscar", QStringLiteral("Buscar"), 64);
  BotonCambios = BotonRapido(Panel1, "BotonCambios", QStringLiteral("Modificar"), 126);
  BotonNuevo = BotonRapido(Panel1, "BotonNuevo", QStringLiteral("Nuevo"), 188);
  BotonGuardar = BotonRapido(Panel1, "BotonGuardar", QStringLiteral("Guardar"), 250);
  BotonImprimir = BotonRapido(Panel1, "BotonImprimir", QStringLiteral("Imprimir"), 312);
  Label6 = Etiqueta(Panel1, "Label6", QStringLiteral("Punto de Venta"), 390, 12);
  Base = new QComboBox(Panel1);
  Base->setObjectName(QStringLiteral("Base"));
  Base->setEditable(true);
  Base->addItems({QStringLiteral("Remisión"), QStringLiteral("Caja Chica"), QStringLiteral("Devolución")});
  Base->setCurrentText(QStringLiteral("Remisión"));
  Base->setGeometry(500, 10, 140, 24);
  Panel1->hide();
  capas->addWidget(Panel1);

  Caja = new QScrollArea(this);
  Caja->setObjectName(QStringLiteral("Caja"));
  Caja->setFixedHeight(76);
  Caja->setFrameShape(QFrame::NoFrame);
  auto* encabezado = new QWidget;
  encabezado->setObjectName(QStringLiteral("CajaInterior"));
  ConstruyeEncabezado(encabezado);
  Caja->setWidget(encabezado);
  capas->addWidget(Caja);

  Panel2 = NuevoPanel(this, "Panel2", ui::Panel::Bisel::Plano);
  PintaFondo(Panel2, colorPanel2_ = ui::clTeal);
  Panel2->installEventFilter(this);
  capas->addWidget(Panel2, 1);
  ConstruyeDetalle();
  ConstruyePanelDerecho();

  Panel3 = NuevoPanel(this, "Panel3");
  Panel3->setFixedHeight(28);
  capas->addWidget(Panel3);
  ConstruyeEstado();

  CopiaGlyps(*this);
  ComandosVisibles();

  ui::Conecta(BotonSalir, &QToolButton::clicked, this, [this] { BotonSalirClick(); });
  ui::Conecta(Base, &QComboBox::textActivated, this, [this] { BaseChange(); });
  ui::Conecta(Base->lineEdit(), &QLineEdit::editingFinished, this, [this] { BaseChange(); });
  ConectaEncabezado();

  ConectaPrecios();
  ConectaCaptura();
  ConectaTeclas();
  ConectaPagos();
  ConectaMuestra();
  ConectaErroresTablas();
  ConectaBascula();
  ConectaDialogos();
  ConectaOpciones();
  ConectaCorte();
  ConectaGuardado();
  ConectaCuentas();
  ConectaRastros();
  ConectaImpresion();
  ConectaCaja();
  ConectaCancelacion();
  // The commands of the subsystems above the screen (ComandosVenta.h).
  InstalaComandosUnidos(*this);
  FormCreate();
}

TFormaCapturaRapida::~TFormaCapturaRapida() {
  // The port closes before the screen's parts go: its events are not heard.
  ComPort1->OnPortOpen = nullptr;
  ComPort1->OnPortClose = nullptr;
  ComPort1->ReceiveCallBack = nullptr;
  ComPort1->ClosePort();
  SueltaCaptura();
}

void TFormaCapturaRapida::ConstruyeTablas() {
  TablaFacturae = NuevaTabla(this, "TablaFacturae", "Remision.dbf", "INUMENC");
  TablaFacturaD = NuevaTabla(this, "TablaFacturaD", "Remisiod.DBF", "CLDOC_FD");
  TablaDeta = NuevaTabla(this, "TablaDeta", "Deta.DB", "");
  TablaTotal = NuevaTabla(this, "TablaTotal", "Deta.DB", "");
  TablaCliente = NuevaTabla(this, "TablaCliente", "CLIENTE.DBF", "ICLACLI");
  TablaInventario = NuevaTabla(this, "TablaInventario", "INVENTAR.DBF", "ICLPRO");
  TablaVendedores = NuevaTabla(this, "TablaVendedores", "VENDEDOR.DBF", "ICLAVEN");
  TablamovimientosInventario = NuevaTabla(this, "TablamovimientosInventario", "Movinven.DBF", "CLDOC_MI");
  TablaKardex = NuevaTabla(this, "TablaKardex", "Kardex.dbf", "CLPRO_I");
  TablaAuxiliar = NuevaTabla(this, "TablaAuxiliar", "FactAuxi.dbf", "");
  FuenteTablaFacturae = new ui::FuenteDatos(this);
  FuenteTablaFacturae->setObjectName(QStringLiteral("FuenteTablaFacturae"));
  FuenteTablaFacturae->SetDataSet(TablaFacturae);
  FuenteTablaDeta = new ui::FuenteDatos(this);
  FuenteTablaDeta->setObjectName(QStringLiteral("FuenteTablaDeta"));
  FuenteTablaDeta->SetDataSet(TablaDeta);
  TimerBascula = new QTimer(this);
  TimerBascula->setObjectName(QStringLiteral("TimerBascula"));
  ComPort1 = new TComPort(this);
  ComPort1->setObjectName(QStringLiteral("ComPort1"));
  ComPort1->SetPort(QStringLiteral("COM1"));
}

void TFormaCapturaRapida::ConstruyeEncabezado(QWidget* c) {
  c->resize(1000, 72);
  ui::FuenteDatos* f = FuenteTablaFacturae;
  Etiqueta(c, "EtiquetaNumero", QStringLiteral("Número:"), 6, 10);
  EditCLDOC_F = EditCampo(c, "EditCLDOC_F", f, "CLDOC_F", {64, 6, 90, 24});
  EditCLDOC_F->setReadOnly(true);
  Etiqueta(c, "EtiquetaCliente", QStringLiteral("Cliente:"), 164, 10);
  EditCLCLI_F = EditCampo(c, "EditCLCLI_F", f, "CLCLI_F", {216, 6, 90, 24});
  Nombre = Etiqueta(c, "Nombre", QString(), 312, 10);
  Nombre->setFixedWidth(300);
  Etiqueta(c, "EtiquetaFecha", QStringLiteral("Fecha:"), 620, 10);
  EditFEDOC_F = Edit(c, "EditFEDOC_F", {666, 6, 96, 24});
  EditFEDOC_F->setInputMask(QStringLiteral("99/99/0000;_"));
  Etiqueta(c, "EtiquetaPago", QStringLiteral("Pago(F8)"), 772, 10);
  TipoPago = new QComboBox(c);
  TipoPago->setObjectName(QStringLiteral("TipoPago"));
  TipoPago->addItems({QStringLiteral("Efectivo"), QStringLiteral("Tarjeta"), QStringLiteral("Cheque")});
  TipoPago->setGeometry(836, 6, 120, 24);

  Etiqueta(c, "EtiquetaVendedor", QStringLiteral("Vend:"), 6, 42);
  EditCLVEN_F = EditCampo(c, "EditCLVEN_F", f, "CLVEN_F", {64, 38, 60, 24});
  LabelVendedor = Etiqueta(c, "LabelVendedor", QString(), 130, 42);
  LabelVendedor->setFixedWidth(170);
  Etiqueta(c, "EtiquetaComision", QStringLiteral("Com:"), 306, 42);
  EditCTOVE_F = EditCampo(c, "EditCTOVE_F", f, "CTOVE_F", {342, 38, 50, 24});
  Etiqueta(c, "EtiquetaCaja", QStringLiteral("Caja:"), 400, 42);
  EditBCLIM_F = EditCampo(c, "EditBCLIM_F", f, "BCLIM_F", {438, 38, 50, 24});
  EditBCLIM_F->setReadOnly(true);
  Etiqueta(c, "EtiquetaDescuento", QStringLiteral("Desc."), 496, 42);
  EditDESFI_F = EditCampo(c, "EditDESFI_F", f, "DESFI_F", {536, 38, 50, 24});
  BoronDescuento = Boton(c, "BoronDescuento", QStringLiteral("Descuento"), {592, 38, 80, 24});
  IvaEtiqueta = Etiqueta(c, "IvaEtiqueta", QStringLiteral("I.V.A."), 680, 42);
  EditIMIM1_F = EditCampo(c, "EditIMIM1_F", f, "IMIM1_F", {722, 38, 50, 24});
  EditIMIM1_F->setReadOnly(true);
  LabelCuenta = Etiqueta(c, "LabelCuenta", QStringLiteral("Cuenta"), 780, 42);
  EditCUENTA = EditCampo(c, "EditCUENTA", f, "NUCTA_F", {836, 38, 120, 24});
  LabelCuenta->hide();
  EditCUENTA->hide();
  LabelFactura = Etiqueta(c, "LabelFactura", QString(), 612, 42);

  // Kept for the display and the save of the customer's data, never shown.
  Direccion = Etiqueta(c, "Direccion", QString(), 0, 0);
  Direc2 = Etiqueta(c, "Direc2", QString(), 0, 0);
  Poblacion = Etiqueta(c, "Poblacion", QString(), 0, 0);
  RFC = Etiqueta(c, "RFC", QString(), 0, 0);
  CodigoPostal = Etiqueta(c, "CodigoPostal", QString(), 0, 0);
  Funciones = Etiqueta(c, "Funciones", QString(), 0, 0);
  usuario = Etiqueta(c, "usuario", QStringLiteral("usuario"), 0, 0);
  for (QLabel* l : {Direccion, Direc2, Poblacion, RFC, CodigoPostal, Funciones, usuario}) l->hide();
}

void TFormaCapturaRapida::ConstruyeDetalle() {
  Panel4 = NuevoPanel(Panel2, "Panel4", ui::Panel::Bisel::Plano);
  auto* capas = new QVBoxLayout(Panel4);
  capas->setContentsMargins(0, 0, 0, 0);
  capas->setSpacing(0);
  // The grid and the alternative display share one place.
  auto* lugar = new QGridLayout;
  Detalle = new ui::RejillaDatos(Panel4);
  Detalle->setObjectName(QStringLiteral("Detalle"));
  Detalle->SetFuente(FuenteTablaDeta);
  struct Columna {
    const char* campo;
    const char* titulo;
    int ancho;
  };
  for (const Columna& c : {Columna{"CANTIDAD", "CANT. (F4)", 80}, Columna{"CLAVE", "CLAVE (F2)", 110},
                           Columna{"PRODUCTO", "PRODUCTO", 230}, Columna{"PRECIO", "PRECIO", 80},
                           Columna{"IMPORTE", "IMPORTE", 90}, Columna{"IMPUESTO", "IMPUESTO", -1},
                           Columna{"DESCUENTO", "DESCUENTO", 86}, Columna{"UNIDAD", "UNIDAD", 60},
                           Columna{"FPGC", "FPGC", 50}, Columna{"FACTOR", "FACTOR", 60},
                           Columna{"EMPAQUE", "EMPAQUE", 60}, Columna{"TARA", "TARA", 50},
                           Columna{"TIPO", "TIPO", 36}, Columna{"PROVEEDOR", "PROVEEDOR", 80}})
    Detalle->AgregaColumna(QString::fromLatin1(c.campo), QString::fromLatin1(c.titulo), c.ancho);
  PantallaAlterna = new QTextEdit(Panel4);
  PantallaAlterna->setObjectName(QStringLiteral("PantallaAlterna"));
  PantallaAlterna->setFont(QFont(QStringLiteral("Courier New"), 11));
  PantallaAlterna->hide();
  lugar->addWidget(Detalle, 0, 0);
  lugar->addWidget(PantallaAlterna, 0, 0);
  capas->addLayout(lugar, 1);

  Panel7 = NuevoPanel(Panel4, "Panel7");
  Panel7->setFixedHeight(52);
  Etiqueta(Panel7, "EtiquetaCambio", QStringLiteral("(F5)"), 8, 16);
  CAMBIO_F = EditCampo(Panel7, "CAMBIO_F", FuenteTablaFacturae, "CAMBI_F", {44, 8, 150, 36});
  QFont grande = CAMBIO_F->font();
  grande.setPointSize(16);
  grande.setBold(true);
  CAMBIO_F->setFont(grande);
  SuCambio = Etiqueta(Panel7, "SuCambio", QStringLiteral("Cambio"), 204, 12);
  SuCambio->setFont(grande);
  SuCambio->setFixedWidth(220);
  LabelPartidas = Etiqueta(Panel7, "LabelPartidas", QString(), 436, 6);
  LabelFPGC = Etiqueta(Panel7, "LabelFPGC", QStringLiteral("FPGC"), 436, 28);
  Label19 = Etiqueta(Panel7, "Label19", QStringLiteral("Desc. Monto"), 520, 6);
  Label19->hide();
  // The time box and its button are never shown.
  HoraExtra = Edit(Panel7, "HoraExtra", {520, 26, 60, 22});
  HoraExtra->setInputMask(QStringLiteral("90:00;_"));
  HoraExtra->hide();
  BitBtn1 = Boton(Panel7, "BitBtn1", QStringLiteral("Guardar Hora"), {584, 26, 90, 22});
  BitBtn1->hide();
  DBEdit1 = EditCampo(Panel7, "DBEdit1", FuenteTablaFacturae, "", {680, 26, 30, 22});
  DBEdit1->hide();
  capas->addWidget(Panel7);
}

void TFormaCapturaRapida::ConstruyeEstado() {
  auto* capas = new QHBoxLayout(Panel3);
  capas->setContentsMargins(6, 2, 2, 2);
  Hora = Etiqueta(Panel3, "Hora", QString(), 0, 0);
  Label18 = Etiqueta(Panel3, "Label18", QStringLiteral("F11 IMPRIME TICKET,     Ctrl+B   BUSCAR VENTA"), 0, 0);
  Estado = Etiqueta(Panel3, "Estado", QString(), 0, 0);
  QFont negrita = Estado->font();
  negrita.setBold(true);
  Estado->setFont(negrita);
  LabelControl = Etiqueta(Panel3, "LabelControl", QString(), 0, 0);
  Label8 = Etiqueta(Panel3, "Label8", QString(), 0, 0);
  Panel6 = NuevoPanel(Panel3, "Panel6", ui::Panel::Bisel::Hundido);
  auto* anuncios = new QHBoxLayout(Panel6);
  anuncios->setContentsMargins(8, 0, 8, 0);
  Anuncio1 = Etiqueta(Panel6, "Anuncio1", QStringLiteral("Vorlan"), 0, 0);
  Anuncio1->setFont(negrita);
  Anuncio2 = Etiqueta(Panel6, "Anuncio2", QStringLiteral("Punto de Venta, Inventarios y Control Administrativo"), 0, 0);
  anuncios->addWidget(Anuncio1);
  anuncios->addWidget(Anuncio2);
  capas->addWidget(Hora);
  capas->addSpacing(12);
  capas->addWidget(Label18);
  capas->addSpacing(12);
  capas->addWidget(Estado);
  capas->addSpacing(12);
  capas->addWidget(LabelControl);
  capas->addSpacing(12);
  capas->addWidget(Label8);
  capas->addStretch(1);
  capas->addWidget(Panel6);
}

void TFormaCapturaRapida::ConstruyePanelDerecho() {
  // The right panel shows Panel2's colour through it.
  Panel5 = NuevoPanel(Panel2, "Panel5", ui::Panel::Bisel::Plano);
  Panel5->setAutoFillBackground(false);
  Panel5->resize(kAnchoPanelDerecho, 600);

  ConstruyeCaptura();

  Navegador = new ui::Navegador(Panel5);
  Navegador->setObjectName(QStringLiteral("Navegador"));
  Navegador->SetFuente(FuenteTablaFacturae);
  Navegador->setGeometry(8, 288, 160, 30);

  BotonRedondo1 = new TBotonEsquinado(Panel5);
  BotonRedondo1->setObjectName(QStringLiteral("BotonRedondo1"));
  BotonRedondo1->setText(QStringLiteral("Nueva (F9)"));
  BotonRedondo1->setGeometry(8, 326, 150, 46);
  BotonRedondo2 = new TBotonEsquinado(Panel5);
  BotonRedondo2->setObjectName(QStringLiteral("BotonRedondo2"));
  BotonRedondo2->setText(QStringLiteral("Termina (F10)"));
  BotonRedondo2->setGeometry(172, 326, 150, 46);
  for (TBotonEsquinado* b : {BotonRedondo1, BotonRedondo2}) {
    b->SetRedondes_x(40);
    b->SetRedondes_y(35);
    b->SetEl_color(ui::clSilver);
    b->setFocusPolicy(Qt::NoFocus);
  }

  // The scale's controls, shown by the option "Habilitar Bascula".
  EditBascula = Edit(Panel5, "EditBascula", {176, 288, 60, 24});
  EditBascula->hide();
  shPortOpen = new Redondeado(Panel5, 4, true);
  shPortOpen->setObjectName(QStringLiteral("shPortOpen"));
  shPortOpen->setGeometry(8, 380, 16, 16);
  PintaColor(shPortOpen, ui::clGray);
  shPortOpen->hide();
  StaticText6 = Etiqueta(Panel5, "StaticText6", QStringLiteral("OFF Bascula"), 30, 380);
  PintaTexto(StaticText6, Qt::white);
  StaticText6->hide();
  EditPeso = Edit(Panel5, "EditPeso", {120, 376, 110, 24});
  EditPeso->hide();
  Memo1 = new QPlainTextEdit(Panel5);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->hide();

  PaintBox1 = new Redondeado(Panel5, 15, false);
  PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
  PintaColor(PaintBox1, ui::clWhite);
  PanelSuma = NuevoPanel(Panel5, "PanelSuma", ui::Panel::Bisel::Plano);
  PanelSuma->setGeometry(8, 0, kAnchoPanelDerecho - 16, kAltoSuma);
  PintaFondo(PanelSuma, ui::clBlack);
  PanelSuma->setFont(QFont(kFuenteDigital));
  const auto total = [this](const char* nombre, const QString& texto) {
    QLabel* l = Etiqueta(PanelSuma, nombre, texto, 0, 0);
    PintaTexto(l, Qt::green);
    return l;
  };
  SumarTotal = total("SumarTotal", QStringLiteral("0.00"));
  ImpuestoValor = total("ImpuestoValor", QStringLiteral("0.00"));
  TotalFact = total("TotalFact", QStringLiteral("0.00"));
  Label12 = total("Label12", QStringLiteral("SUB:"));
  Label22 = total("Label22", QStringLiteral("I.V.A."));
  Label24 = total("Label24", QStringLiteral("TOT:"));
  Label14 = total("Label14", QStringLiteral("DES:"));
  LabelDescuento = total("LabelDescuento", QString());
  for (QLabel* l : {SumarTotal, ImpuestoValor, TotalFact, LabelDescuento}) l->setFont(PanelSuma->font());
  LabelIEPSL = Etiqueta(Panel5, "LabelIEPSL", QStringLiteral("IEPS"), 176, 296);
  LabelIEPS = Etiqueta(Panel5, "LabelIEPS", QString(), 210, 296);
  for (QLabel* l : {LabelIEPSL, LabelIEPS}) PintaTexto(l, Qt::white);
  PaintBox1->lower();
}

void TFormaCapturaRapida::ConstruyeCaptura() {
  Panel8 = NuevoPanel(Panel5, "Panel8");
  Panel8->setGeometry(8, 8, kAnchoPanelDerecho - 16, 272);
  PintaFondo(Panel8, ColorEstacion(1));
  EstadoCaptura = Etiqueta(Panel8, "EstadoCaptura", QString(), 10, 8);
  QFont negrita = EstadoCaptura->font();
  negrita.setBold(true);
  negrita.setPointSize(negrita.pointSize() + 2);
  EstadoCaptura->setFont(negrita);
  EstadoCaptura->setFixedWidth(290);
  Label15 = Etiqueta(Panel8, "Label15", QStringLiteral("Cantidad (F4)"), 10, 36);
  EditCantidad = EditCampo(Panel8, "EditCantidad", FuenteTablaDeta, "CANTIDAD", {10, 54, 100, 28});
  Label10 = Etiqueta(Panel8, "Label10", QStringLiteral("Clave (F2)    Nombre (F1)"), 118, 36);
  EditClave = EditCampo(Panel8, "EditClave", FuenteTablaDeta, "CLAVE", {118, 54, 184, 28});
  EditTARA = EditCampo(Panel8, "EditTARA", FuenteTablaDeta, "TARA", {250, 54, 52, 28});
  EditTARA->hide();
  LabelEmpaque = Etiqueta(Panel8, "LabelEmpaque", QStringLiteral("Empaque "), 10, 90);
  EditEmpaque = EditCampo(Panel8, "EditEmpaque", FuenteTablaDeta, "EMPAQUE", {70, 86, 80, 24});
  LabelEmpaque->hide();
  EditEmpaque->hide();
  LabelFactor = Etiqueta(Panel8, "LabelFactor", QStringLiteral("1"), 160, 90);
  LabelExistencia = Etiqueta(Panel8, "LabelExistencia", QString(), 200, 90);
  LabelExistencia->setFixedWidth(100);
  Impresa = Etiqueta(Panel8, "Impresa", QString(), 10, 120);
  Impresa->setFont(negrita);
  Impresa->setFixedWidth(200);
  ImpresoBitmap = Etiqueta(Panel8, "ImpresoBitmap", QString(), 262, 114);
  ImpresoBitmap->setPixmap(style()->standardIcon(QStyle::SP_DialogApplyButton).pixmap(32, 32));
  ImpresoBitmap->hide();
  Image1 = Etiqueta(Panel8, "Image1", QString(), 226, 114);
  BotonBascula = BotonRapido(Panel8, "BotonBascula", QStringLiteral("Kg."), 10);
  BotonBascula->move(10, 148);
  BotonBascula->resize(60, 28);
  BotonBascula->setToolButtonStyle(Qt::ToolButtonTextOnly);
  BotonReset = BotonRapido(Panel8, "BotonReset", QStringLiteral("Reset"), 10);
  BotonReset->move(76, 148);
  BotonReset->resize(60, 28);
  BotonReset->setToolButtonStyle(Qt::ToolButtonTextOnly);
  BotonBascula->hide();
  BotonReset->hide();
  BotonTerminaVenta = Boton(Panel8, "BotonTerminaVenta", QStringLiteral("Terminar Venta (F10)"), {10, 190, 150, 30});
  BotonAgregarPartida = Boton(Panel8, "BotonAgregarPartida", QStringLiteral("Agregar Partida"), {166, 190, 136, 30});
  BotonNuevaVenta = Boton(Panel8, "BotonNuevaVenta", QStringLiteral("Nueva Venta (F9)"), {10, 226, 150, 30});
}

void TFormaCapturaRapida::resizeEvent(QResizeEvent* evento) {
  ui::Forma::resizeEvent(evento);
  ui::Protege([this] { FormResize(); });
}

bool TFormaCapturaRapida::eventFilter(QObject* objeto, QEvent* evento) {
  // Hiding the header box gives the client area more room.
  if (objeto == Panel2 && evento->type() == QEvent::Resize) ui::Protege([this] { FormResize(); });
  // A key the focused control takes itself goes past the menu's shortcuts.
  if (evento->type() == QEvent::ShortcutOverride && objeto->isWidgetType() &&
      TeclaDelControl(static_cast<QKeyEvent*>(evento)->key())) {
    evento->accept();
    return true;
  }
  // An amount received that is no number is answered by the payment's own
  // check (CAMBIO_FExit), not by the box's.
  if (objeto == CAMBIO_F && evento->type() == QEvent::FocusOut && PagoNoNumerico()) return true;
  return ui::Forma::eventFilter(objeto, evento);
}

void TFormaCapturaRapida::BotonSalirClick() { Close(); }

int TFormaCapturaRapida::NumeroUsuario() const { return usuario->text().toInt(); }
