// The legacy document window's components and their layout; creation
// (FormCreate): the option files and the configuration lines it keeps.

#include "legacy/Factu.h"

#include "foundation/rutinas.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "platform/Error.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/print/Imagen.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "pos/CaptuRap_comun.h"
#include "pos/ComponentesVenta.h"
#include "pos/EstadoComandos.h"
#include "pos/OpcionesEncabezado.h"
#include "foundation/UnidadTrabajo.h"
#include "shell/LineasConfiguracion.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kAnchoPanelDerecho = 330;

const QString kS = QStringLiteral("S");

QAction* Item(QMenu* menu, const char* nombre, const QString& texto, const QKeySequence& atajo = {}) {
  QAction* a = menu->addAction(texto);
  a->setObjectName(QString::fromLatin1(nombre));
  if (!atajo.isEmpty()) a->setShortcut(atajo);
  return a;
}

QAction* Marca(QMenu* menu, const char* nombre, const QString& texto) {
  QAction* a = Item(menu, nombre, texto);
  a->setCheckable(true);
  return a;
}

}  // namespace

TFormaFactura::TFormaFactura(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaFactura>() = this;
  setObjectName(QStringLiteral("FormaFactura"));
  setWindowTitle(kTituloFactura);
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  setMinimumSize(kAnchoDetalleFactura + kAnchoPanelDerecho + 20, 560);
  resize(1100, 740);
  SetKeyPreview(true);

  ConstruyeTablas();
  ConectaErroresFactura();
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
  Base = new QComboBox(Panel1);
  Base->setObjectName(QStringLiteral("Base"));
  // Editable: the derived documents and the browser write kinds the list
  // does not offer ("Factura", "Pedido").
  Base->setEditable(true);
  Base->setInsertPolicy(QComboBox::NoInsert);
  Base->addItems({kBaseRemision, kBaseCajaChica, kBaseDevolucion});
  Base->setCurrentText(kBaseRemision);
  Base->setGeometry(390, 10, 160, 24);
  capas->addWidget(Panel1);

  Panel4 = NuevoPanel(this, "Panel4");
  Panel4->setFixedHeight(96);
  ConstruyeEncabezado(Panel4);
  capas->addWidget(Panel4);

  Panel2 = NuevoPanel(this, "Panel2");
  ConstruyeCuerpo(Panel2);
  capas->addWidget(Panel2, 1);

  Panel3 = NuevoPanel(this, "Panel3");
  Panel3->setFixedHeight(30);
  ConstruyeEstado(Panel3);
  capas->addWidget(Panel3);

  // Every item and button waits for its command; the files that bring one
  // attach it (AsignaComando), the phase routine says what it allows.
  for (QAction* a : MainMenu1->findChildren<QAction*>())
    if (!a->isSeparator()) AplicaEstadoComando(a);
  for (QAbstractButton* b : {static_cast<QAbstractButton*>(BotonBuscar), static_cast<QAbstractButton*>(BotonCambios),
                             static_cast<QAbstractButton*>(BotonNuevo), static_cast<QAbstractButton*>(BotonGuardar),
                             static_cast<QAbstractButton*>(BotonTerminaVenta),
                             static_cast<QAbstractButton*>(BotonAgregarPartida),
                             static_cast<QAbstractButton*>(BotonNuevaVenta)})
    AplicaEstadoComando(b);
  AsignaComando(BotonSalir, this, [this] { BotonSalirClick(); });
  AsignaComando(Salir1, this, [this] { BotonSalirClick(); });
  ConectaCapturaFactura();
  ConectaTeclasFactura();
  ConectaDerivadosFactura();
  ConectaComandosFactura();
  ui::Conecta(Base, &QComboBox::activated, this, [this] { BaseChange(); });
  ui::Conecta(Navegador, &ui::Navegador::Click, this, [this] { MuestraDocumentoFactura(); });
  Detalle->TextoCelda = [this](const db::Campo& campo, const QVariant& valor, const QString& texto) {
    return TextoCantidadFactura(campo, valor, texto);
  };
  ConectaDetalleFactura();

  FormCreate();
}

TFormaFactura::~TFormaFactura() {
  for (db::Tabla* t : findChildren<db::Tabla*>()) t->Close();
  estacion_.Libera();
}

void TFormaFactura::ConstruyeTablas() {
  TablaFacturae = NuevaTabla(this, "TablaFacturae", "Remision.dbf", "INUMENC");
  TablaFacturaD = NuevaTabla(this, "TablaFacturaD", "Remisiod.DBF", "CLDOC_FD");
  TablaDeta = NuevaTabla(this, "TablaDeta", "Deta.DB", "");
  TablaTotal = NuevaTabla(this, "TablaTotal", "Deta.db", "");
  TablaCliente = NuevaTabla(this, "TablaCliente", "CLIENTE.DBF", "ICLACLI");
  TablaInventario = NuevaTabla(this, "TablaInventario", "INVENTAR.DBF", "ICLPRO");
  TablaVendedores = NuevaTabla(this, "TablaVendedores", "VENDEDOR.DBF", "ICLAVEN");
  TablamovimientosInventario = NuevaTabla(this, "TablamovimientosInventario", "Movinven.DBF", "CLDOC_MI");
  TablaAuxiliar = NuevaTabla(this, "TablaAuxiliar", "FactAuxi.dbf", "");
  FuenteTablaFacturae = new ui::FuenteDatos(this);
  FuenteTablaFacturae->SetDataSet(TablaFacturae);
  // Typing into a header edit never puts a saved document into edit: the
  // edits take input only while a document's header row is being written.
  FuenteTablaFacturae->SetAutoEdit(false);
  FuenteTablaDeta = new ui::FuenteDatos(this);
  FuenteTablaDeta->SetDataSet(TablaDeta);
}

void TFormaFactura::ConstruyeMenu() {
  MainMenu1 = new QMenuBar(this);
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  const auto menu = [this](const char* nombre, const QString& texto) {
    QMenu* m = MainMenu1->addMenu(texto);
    m->setObjectName(QString::fromLatin1(nombre));
    m->menuAction()->setObjectName(QString::fromLatin1(nombre));
    return m;
  };
  Archivo1 = menu("Archivo1", QStringLiteral("&Archivo"));
  ImprimirDocumento1 = Item(Archivo1, "ImprimirDocumento1", QStringLiteral("Imprimir Documento"), Qt::Key_F11);
  ImprimirRangodeDocumentos1 =
      Item(Archivo1, "ImprimirRangodeDocumentos1", QStringLiteral("Imprimir Rango de Documentos"));
  Preliminar1 = Item(Archivo1, "Preliminar1", QStringLiteral("Preliminar"));
  ImprimePlantilla1 = Item(Archivo1, "ImprimePlantilla1", QStringLiteral("Imprime Plantilla"));
  ImprimiryAsignarCaja1 =
      Item(Archivo1, "ImprimiryAsignarCaja1", QStringLiteral("Imprimir y Asignar Caja   (Pausa)"));
  Archivo1->addSeparator();
  Salir1 = Item(Archivo1, "Salir1", QStringLiteral("Salir"));

  Registro1 = menu("Registro1", QStringLiteral("&Registro"));
  Nuevo1 = Item(Registro1, "Nuevo1", QStringLiteral("Nuevo (F9)"), Qt::Key_F9);
  Modificar1 = Item(Registro1, "Modificar1", QStringLiteral("Modificar"), QKeySequence(Qt::CTRL | Qt::Key_M));
  Modificar1->setVisible(false);
  Guardar1 = Item(Registro1, "Guardar1", QStringLiteral("Guardar (F10)"), Qt::Key_F10);
  Buscar1 = Item(Registro1, "Buscar1", QStringLiteral("Buscar"), QKeySequence(Qt::CTRL | Qt::Key_B));
  Eliminar1 = Item(Registro1, "Eliminar1", QStringLiteral("Eliminar"));
  Cancelar1 = Item(Registro1, "Cancelar1", QStringLiteral("Cancelar"));
  CancelaMovimiento1 = Item(Registro1, "CancelaMovimiento1", QStringLiteral("Cancela Movimiento"));
  Imprimir1 = Item(Registro1, "Imprimir1", QStringLiteral("Imprimir"), QKeySequence(Qt::CTRL | Qt::Key_I));
  Registro1->addSeparator();
  CambioPrecio1 = Item(Registro1, "CambioPrecio1", QStringLiteral("Cambio Precio"), QKeySequence(Qt::CTRL | Qt::Key_P));
  ChecarPrecio1 = Item(Registro1, "ChecarPrecio1", QStringLiteral("Checar Precio"), QKeySequence(Qt::CTRL | Qt::Key_H));
  CursorenCliente1 =
      Item(Registro1, "CursorenCliente1", QStringLiteral("Cursor en Cliente"), QKeySequence(Qt::CTRL | Qt::Key_F2));
  VentaenEspera1 =
      Item(Registro1, "VentaenEspera1", QStringLiteral("Venta en Espera"), QKeySequence(Qt::CTRL | Qt::Key_X));
  // Hidden from the menu, the held sale keeps its key: the item stands on
  // the window instead (a hidden item's shortcut would not fire).
  Registro1->removeAction(VentaenEspera1);
  addAction(VentaenEspera1);
  CopiadeDocumento1 = Item(Registro1, "CopiadeDocumento1", QStringLiteral("Copia de Documento"));
  CopiadeDocumento1->setVisible(false);
  Reproducir1 = Item(Registro1, "Reproducir1", QStringLiteral("Reproducir Nota"));

  Generar1 = menu("Generar1", QStringLiteral("&Generar"));
  Factura1 = Item(Generar1, "Factura1", QStringLiteral("Factura"));
  Remisin1 = Item(Generar1, "Remisin1", QStringLiteral("Remisión"));
  Pedido1 = Item(Generar1, "Pedido1", QStringLiteral("Pedido"));
  Devolucin1 = Item(Generar1, "Devolucin1", QStringLiteral("Devolución"));
  NotadeCrdito1 = Item(Generar1, "NotadeCrdito1", QStringLiteral("Nota de Crédito"));
  for (QAction* oculto : {Remisin1, Pedido1, Devolucin1}) oculto->setVisible(false);
  FacturaeImprimir1 = Item(Generar1, "FacturaeImprimir1", QStringLiteral("Factura e Imprimir"));
  Generar1->addSeparator();
  FacturadeCierre1 = Item(Generar1, "FacturadeCierre1", QStringLiteral("Factura de Cierre"));
  RangodeDocumentos1 = Item(Generar1, "RangodeDocumentos1", QStringLiteral("Rango de Documentos"));

  Reportes1 = menu("Reportes1", QStringLiteral("R&eportes"));
  ConstruyeReportesFactura();

  Opciones1 = menu("Opciones1", QStringLiteral("&Opciones"));
  SaltarEncabezado1 = Marca(Opciones1, "SaltarEncabezado1", QStringLiteral("Saltar Encabezado"));
  IniciaenClave1 = Marca(Opciones1, "IniciaenClave1", QStringLiteral("Inicia en Clave"));
  VerTotalesenformatoDigital1 =
      Marca(Opciones1, "VerTotalesenformatoDigital1", QStringLiteral("Ver Totales en formato Digital"));
  VerCampoTara1 = Marca(Opciones1, "VerCampoTara1", QStringLiteral("Ver Campo Tara"));
  ConfigurarLectorSerial1 = Marca(Opciones1, "ConfigurarLectorSerial1", QStringLiteral("Configurar Lector Serial"));
  CapturaporEmpaque1 = Marca(Opciones1, "CapturaporEmpaque1", QStringLiteral("Captura por Empaque"));
  Opciones1->addSeparator();
  ConfigurarCaja1 = Item(Opciones1, "ConfigurarCaja1", QStringLiteral("Configurar Caja"));
  TotalesporDivisa1 = Item(Opciones1, "TotalesporDivisa1", QStringLiteral("Totales por Divisa"));
  SalidasdeEfectivo1 = Item(Opciones1, "SalidasdeEfectivo1", QStringLiteral("Salidas de Efectivo"));

  Formatos = menu("Formatos", QStringLiteral("&Formatos"));
  Elegirformato1 = Item(Formatos, "Elegirformato1", QStringLiteral("Elegir Formato"));
  DisearFormato1 = Item(Formatos, "DisearFormato1", QStringLiteral("Diseñar Formato"));
  AsignarFormato1 = Formatos->addMenu(QStringLiteral("Asignar Formato"));
  AsignarFormato1->setObjectName(QStringLiteral("AsignarFormato1"));
  AsignarFormato1->menuAction()->setObjectName(QStringLiteral("AsignarFormato1"));
  CtrlF11 = Item(AsignarFormato1, "CtrlF11", QStringLiteral("Ctrl+F1"));
  CtrlF21 = Item(AsignarFormato1, "CtrlF21", QStringLiteral("Ctrl+F2"));
  CtrlF31 = Item(AsignarFormato1, "CtrlF31", QStringLiteral("Ctrl+F3"));
  CtrlF41 = Item(AsignarFormato1, "CtrlF41", QStringLiteral("Ctrl+F4"));
  CtrlF51 = Item(AsignarFormato1, "CtrlF51", QStringLiteral("Ctrl+F5"));
  CtrlF61 = Item(AsignarFormato1, "CtrlF61", QStringLiteral("Ctrl+F6"));

  Herramientas1 = menu("Herramientas1", QStringLiteral("&Herramientas"));
  Calculadora1 = Item(Herramientas1, "Calculadora1", QStringLiteral("Calculadora"));
  Tabulador1 = Item(Herramientas1, "Tabulador1", QStringLiteral("Tabulador"));
  Divisas1 = Item(Herramientas1, "Divisas1", QStringLiteral("Divisas"));

  Ayuda1 = menu("Ayuda1", QStringLiteral("A&yuda"));
  Temas1 = Item(Ayuda1, "Temas1", QStringLiteral("Temas..."));
  VerFunciones1 = Item(Ayuda1, "VerFunciones1", QStringLiteral("Ver Funciones"), QKeySequence(Qt::CTRL | Qt::Key_F1));
}

void TFormaFactura::ConstruyeEncabezado(QWidget* p) {
  ui::FuenteDatos* f = FuenteTablaFacturae;
  Etiqueta(p, "Label1", QStringLiteral("Número"), 8, 4);
  EditCLDOC_F = EditCampo(p, "EditCLDOC_F", f, "CLDOC_F", QRect(8, 20, 80, 22));
  EditCLDOC_F->setReadOnly(true);
  Etiqueta(p, "Label2", QStringLiteral("Vendedor"), 96, 4);
  EditCLVEN_F = EditCampo(p, "EditCLVEN_F", f, "CLVEN_F", QRect(96, 20, 70, 22));
  Etiqueta(p, "Label3", QStringLiteral("Cliente"), 174, 4);
  EditCLCLI_F = EditCampo(p, "EditCLCLI_F", f, "CLCLI_F", QRect(174, 20, 90, 22));
  Etiqueta(p, "Label4", QStringLiteral("Caja"), 272, 4);
  EditBCLIM_F = EditCampo(p, "EditBCLIM_F", f, "BCLIM_F", QRect(272, 20, 60, 22));
  EditBCLIM_F->setReadOnly(true);
  Etiqueta(p, "Label5", QStringLiteral("Fecha"), 340, 4);
  EditFEDOC_F = Edit(p, "EditFEDOC_F", QRect(340, 20, 90, 22));
  EditFEDOC_F->setInputMask(QStringLiteral("99/99/0000;_"));
  EditFEDOC_F->setMaxLength(10);
  EditFEDOC_F->setReadOnly(true);
  Etiqueta(p, "Label7", QStringLiteral("Comisión"), 438, 4);
  EditCTOVE_F = EditCampo(p, "EditCTOVE_F", f, "CTOVE_F", QRect(438, 20, 60, 22));
  EditCTOVE_F->setFocusPolicy(Qt::ClickFocus);
  Etiqueta(p, "Label9", QStringLiteral("I.V.A. %"), 506, 4);
  EditIMIM1_F = EditCampo(p, "EditIMIM1_F", f, "IMIM1_F", QRect(506, 20, 60, 22));
  EditIMIM1_F->setReadOnly(true);
  EditIMIM1_F->setFocusPolicy(Qt::ClickFocus);
  Etiqueta(p, "Label11", QStringLiteral("Desc. %"), 574, 4);
  EditDESFI_F = EditCampo(p, "EditDESFI_F", f, "DESFI_F", QRect(574, 20, 60, 22));
  EditDESFI_F->setFocusPolicy(Qt::ClickFocus);
  TipoPago = new QComboBox(p);
  TipoPago->setObjectName(QStringLiteral("TipoPago"));
  TipoPago->setEditable(true);
  TipoPago->addItems({QStringLiteral("Efectivo"), QStringLiteral("Tarjeta"), QStringLiteral("Cheque")});
  TipoPago->setGeometry(642, 20, 130, 22);
  TipoPago->setFocusPolicy(Qt::ClickFocus);
  Nombre = Etiqueta(p, "Nombre", QString(), 8, 48);
  Direccion = Etiqueta(p, "Direccion", QString(), 8, 64);
  Direc2 = Etiqueta(p, "Direc2", QString(), 8, 80);
  Poblacion = Etiqueta(p, "Poblacion", QString(), 340, 48);
  RFC = Etiqueta(p, "RFC", QString(), 340, 64);
  CodigoPostal = Etiqueta(p, "CodigoPostal", QString(), 340, 80);
  for (QLabel* l : {Nombre, Direccion, Direc2, Poblacion, RFC, CodigoPostal}) l->setMinimumWidth(320);
  usuario = Etiqueta(p, "usuario", QStringLiteral("usuario"), 800, 4);
  usuario->hide();
  Funciones = Etiqueta(p, "Funciones", QString(), 800, 20);
  Funciones->hide();
}

void TFormaFactura::ConstruyeCuerpo(QWidget* p) {
  Detalle = new ui::RejillaDatos(p);
  Detalle->setObjectName(QStringLiteral("Detalle"));
  Detalle->SetFuente(FuenteTablaDeta);
  Detalle->AgregaColumna(QStringLiteral("CANTIDAD"), QStringLiteral("CANT. (F4)"), 80);
  Detalle->AgregaColumna(QStringLiteral("CLAVE"), QStringLiteral("CLAVE (F2)"));
  Detalle->SetColumnaVisible(1, false);
  Detalle->AgregaColumna(QStringLiteral("PRODUCTO"), QString(), 280);
  Detalle->AgregaColumna(QStringLiteral("PRECIO"), QString(), 80);
  Detalle->SetListaColumna(3, {QStringLiteral("UNO"), QStringLiteral("DOS"), QStringLiteral("TRES"),
                               QStringLiteral("CINCO")});
  Detalle->AgregaColumna(QStringLiteral("IMPORTE"), QString(), 90);
  Detalle->AgregaColumna(QStringLiteral("DESCUENTO"), QString(), 60);
  Detalle->AgregaColumna(QStringLiteral("IMPUESTO"));
  Detalle->SetColumnaVisible(6, false);
  Detalle->AgregaColumna(QStringLiteral("FPGC"), QString(), 60);
  Detalle->AgregaColumna(QStringLiteral("FACTOR"), QString(), 60);
  Detalle->AgregaColumna(QStringLiteral("EMPAQUE"), QString(), 60);
  Detalle->AgregaColumna(QStringLiteral("TARA"), QString(), 60);
  Detalle->setGeometry(0, 0, kAnchoDetalleFactura, 400);

  Panel5 = NuevoPanel(p, "Panel5");
  Panel5->setGeometry(kAnchoDetalleFactura + 5, 0, kAnchoPanelDerecho - 10, 540);
  Image1 = new QLabel(Panel5);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setGeometry(10, 5, kAnchoPanelDerecho - 30, 60);
  Image1->setScaledContents(true);

  Panel8 = NuevoPanel(Panel5, "Panel8");
  Panel8->setGeometry(10, 70, kAnchoPanelDerecho - 30, 210);
  EstadoCaptura = Etiqueta(Panel8, "EstadoCaptura", QStringLiteral("Terminada"), 10, 6);
  Etiqueta(Panel8, "Label15", QStringLiteral("Cantidad"), 10, 30);
  EditCantidad = EditCampo(Panel8, "EditCantidad", FuenteTablaDeta, "CANTIDAD", QRect(10, 46, 80, 24));
  Etiqueta(Panel8, "Label10", QStringLiteral("Clave"), 100, 30);
  EditClave = EditCampo(Panel8, "EditClave", FuenteTablaDeta, "CLAVE", QRect(100, 46, 180, 24));
  EditTARA = EditCampo(Panel8, "EditTARA", FuenteTablaDeta, "TARA", QRect(230, 46, 50, 24));
  EditTARA->hide();
  LabelEmpaque = Etiqueta(Panel8, "LabelEmpaque", QStringLiteral("Empaque"), 10, 76);
  EditEmpaque = EditCampo(Panel8, "EditEmpaque", FuenteTablaDeta, "EMPAQUE", QRect(10, 92, 80, 24));
  LabelFactor = Etiqueta(Panel8, "LabelFactor", QString(), 100, 96);
  for (QWidget* w : {static_cast<QWidget*>(LabelEmpaque), static_cast<QWidget*>(EditEmpaque),
                     static_cast<QWidget*>(LabelFactor)})
    w->hide();
  BotonTerminaVenta = Boton(Panel8, "BotonTerminaVenta", QStringLiteral("Termina (F10)"), QRect(10, 124, 130, 28));
  BotonAgregarPartida =
      Boton(Panel8, "BotonAgregarPartida", QStringLiteral("Agregar Partida"), QRect(150, 124, 130, 28));
  // Never offered: the grid and the key edit add the lines.
  BotonAgregarPartida->hide();
  BotonNuevaVenta = Boton(Panel8, "BotonNuevaVenta", QStringLiteral("Nueva (F9)"), QRect(10, 158, 130, 28));
  Impresa = Etiqueta(Panel8, "Impresa", QStringLiteral("No Impresa"), 150, 164);
  ImpresoBitmap = Etiqueta(Panel8, "ImpresoBitmap", QStringLiteral("✔"), 240, 164);
  ImpresoBitmap->hide();

  Navegador = new ui::Navegador(Panel5);
  Navegador->setObjectName(QStringLiteral("Navegador"));
  Navegador->SetFuente(FuenteTablaFacturae);
  Navegador->setGeometry(10, 290, 200, 30);

  PanelSuma = NuevoPanel(Panel5, "PanelSuma");
  PanelSuma->setGeometry(10, 330, kAnchoPanelDerecho - 30, 190);
  QFont suma = PanelSuma->font();
  suma.setBold(true);
  PanelSuma->setFont(suma);
  SumarTotal = Etiqueta(PanelSuma, "SumarTotal", QStringLiteral("0.00"), 15, 1);
  ImpuestoValor = Etiqueta(PanelSuma, "ImpuestoValor", QStringLiteral("0.00"), 15, 60);
  TotalFact = Etiqueta(PanelSuma, "TotalFact", QStringLiteral("0.00"), 15, 120);
  Label12 = Etiqueta(PanelSuma, "Label12", QStringLiteral("SUB:"), 240, 1);
  Label22 = Etiqueta(PanelSuma, "Label22", QStringLiteral("I.V.A."), 240, 60);
  Label24 = Etiqueta(PanelSuma, "Label24", QStringLiteral("TOT:"), 240, 120);
  for (QLabel* l : {SumarTotal, ImpuestoValor, TotalFact}) l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void TFormaFactura::ConstruyeEstado(QWidget* p) {
  Hora = Etiqueta(p, "Hora", QString(), 8, 6);
  Estado = Etiqueta(p, "Estado", QString(), 100, 6);
  LabelPartidas = Etiqueta(p, "LabelPartidas", QStringLiteral("Partidas  0"), 200, 6);
  SuCambio = Etiqueta(p, "SuCambio", QStringLiteral("Cambio 0.00"), 320, 6);
  CAMBIO_F = EditCampo(p, "CAMBIO_F", FuenteTablaFacturae, "CAMBI_F", QRect(440, 3, 100, 24));
  Label18 = Etiqueta(p, "Label18", QString(), 560, 6);
  // Captions whose text changes with the document keep room for it.
  const std::pair<QLabel*, int> anchos[] = {{Hora, 90}, {Estado, 95}, {LabelPartidas, 115}, {SuCambio, 115},
                                            {Label18, 640}};
  for (const auto& [etiqueta, ancho] : anchos) etiqueta->resize(ancho, etiqueta->height());
}

void TFormaFactura::FormCreate() {
  const QString imagen = CarpetaPrograma(QStringLiteral("\\Ventas.jpg"));
  if (fs::ExisteArchivo(imagen)) {
    try {
      Image1->setPixmap(QPixmap::fromImage(print::LeeImagen(fs::Local(imagen))));
    } catch (const plat::Error&) {
    }
  }
  EstadoFactura.ColorPanel = ui::clBtnFace;
  LeeOpcionesFactura();
  FijaFormatosRegionales();
  EstadoFactura.LineaFormato = ConfFormatoRemision;
  EstadoFactura.RutaFormato = CarpetaPrograma(QStringLiteral("\\consulta\\")) + LineaConf(EstadoFactura.LineaFormato);
  EstadoFactura.UltimoVendedor.clear();
  EstadoFactura.DocumentoOrigen.clear();
  EstadoFactura.DigitosCantidad = 2;
  EstadoFactura.DigitosCantidad = LineaConf(ConfDigitosCantidad).trimmed().toInt();
  EstadoFactura.DigitosTotal = LineaConf(ConfDigitosTotal).trimmed().toInt();
  EstadoFactura.CapturaClaves = LineaConf(ConfCapturaClaves) == kS;
  EstadoFactura.PoliticasPrecios = LineaConf(ConfPoliticasPrecios) == kS;
  if (EstadoFactura.DigitosCantidad > 0)
    EstadoFactura.MascaraCantidad = (QStringLiteral("##,##0.") + QString(EstadoFactura.DigitosCantidad, u'0')).left(20);
  Funciones->setText(QStringLiteral("F2 -> Buscar Producto\rF3 -> Repite el último Movimiento\rF4 -> Salta a "
                                    "Cantidad\rF5 -> Ingresar Efectivo\r"));
  EstadoFactura.ReservaClaves.clear();
  EstadoFactura.ReservaCantidades.clear();

  const QString especial = CarpetaPrograma(QStringLiteral("\\especial.cnf"));
  if (fs::ExisteArchivo(especial)) {
    const QStringList lineas = fs::LeeLineas(especial);
    if (lineas.value(0) == kS) {
      EstadoFactura.TaraEspecial = true;
      VerCampoTara1->setChecked(true);
      EditClave->resize(EditClave->width() - EditTARA->width() - 5, EditClave->height());
    }
    EstadoFactura.CampoTara = lineas.value(1).left(25);
    EstadoFactura.ValorTara = lineas.value(2).left(25);
  }
  const QString serial = CarpetaPrograma(QStringLiteral("\\Serial.cnf"));
  if (fs::ExisteArchivo(serial) && fs::LeeLineas(serial).value(0) == kS) {
    ConfigurarLectorSerial1->setChecked(true);
    setWindowTitle(windowTitle() + QStringLiteral("    Conectado a Puerto Serial..."));
  }
  EstadoFactura.DescuentosClienteLinea = LineaConf(ConfDescuentosClienteLinea) == kS;
  EstadoFactura.PagosCaja = LineaConf(ConfPagosCaja).left(2);
  titulo_ = windowTitle();
}

void TFormaFactura::LeeOpcionesFactura() {
  // Whether prices include the taxes is the company's, whatever becomes of
  // the file: the totals never take included taxes as added ones.
  EstadoFactura.ImpuestoIncluido = LineaConf(ConfImpuestosPorPartida) == kS;
  // A missing or unreadable file leaves the options not yet read as they
  // are.
  try {
    const QStringList lineas = LeeOpcionesEncabezado();
    const auto linea = [&](int n) {
      if (n > lineas.size())
        throw plat::Error(plat::Clase::Corrupto, QStringLiteral("encabeza.cnf termina en la línea %1").arg(n - 1));
      return lineas[n - 1];
    };
    EstadoFactura.SaltarEncabezado = linea(1) == kS;
    SaltarEncabezado1->setChecked(EstadoFactura.SaltarEncabezado);
    EstadoFactura.IniciaEnClave = linea(2) == kS;
    IniciaenClave1->setChecked(EstadoFactura.IniciaEnClave);
    QAction* const atajos[] = {CtrlF11, CtrlF21, CtrlF31, CtrlF41, CtrlF51, CtrlF61};
    for (int i = 0; i < 6; ++i) atajos[i]->setText(linea(3 + i));
    const bool digital = linea(9) == kS;
    VerTotalesenformatoDigital1->setChecked(digital);
    QFont suma = PanelSuma->font();
    // Without the digital font the system falls back to a fixed one, as the
    // sale screen's totals do.
    suma.setFamily(digital ? QStringLiteral("Digiface") : QStringLiteral("Courier New"));
    suma.setStyleHint(QFont::Monospace);
    PanelSuma->setFont(suma);
    FormResize();
    EditDESFI_F->setEnabled(LineaConf(ConfDescuentoGlobal) == kS);
  } catch (const plat::Error&) {
  }
}
