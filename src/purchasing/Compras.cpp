// The purchase window's components and their layout; creation.

#include "purchasing/Compras.h"

#include "customers/PiezasCatalogo.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_usuarios.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/AyudaCampos.h"
#include "platform/ui/Colores.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "pos/CaptuRap_comun.h"
#include "purchasing/ReportesCompras.h"
#include "shell/LineasConfiguracion.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <unistd.h>

namespace {

const QString kAyudaCompras = QStringLiteral("compra.des");

db::Tabla* NuevaTabla(QObject* padre, const char* nombre, const QString& archivo, const QString& indice) {
  auto* t = new db::Tabla(padre);
  t->setObjectName(QString::fromLatin1(nombre));
  t->SetNombreTabla(archivo);
  t->SetIndexName(indice);
  return t;
}

QLabel* NuevaEtiqueta(QWidget* padre, const char* nombre, const QString& texto = {}) {
  auto* l = new QLabel(texto, padre);
  if (nombre) l->setObjectName(QString::fromLatin1(nombre));
  return l;
}

// The option files of the program folder: line `linea` is "S".
bool OpcionMarcada(const QString& archivo, int linea) {
  const QString ruta = CarpetaPrograma(QStringLiteral("\\") + archivo);
  try {
    return fs::ExisteArchivo(ruta) && fs::LeeLineas(ruta).value(linea - 1) == QStringLiteral("S");
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

TFormaCompras::TFormaCompras(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaCompras>() = this;
  setObjectName(QStringLiteral("FormaCompras"));
  setWindowTitle(QStringLiteral("Compras"));
  setWindowFlags(Qt::Window);
  resize(1000, 700);
  SetKeyPreview(true);

  CreaTablas();
  CreaMenu();
  CreaBarra();
  CreaEncabezado();
  CreaDetalle();
  CreaEstado();

  auto* capa = new QVBoxLayout(this);
  capa->setContentsMargins(0, 0, 0, 0);
  capa->setSpacing(0);
  capa->setMenuBar(MainMenu1);
  capa->addWidget(Panel1);
  capa->addWidget(Panel2);
  capa->addWidget(Detalle, 1);
  capa->addWidget(Panel3);
  ConectaComandosCompra();
  ConectaOpcionesCompra();
  FormCreate();
  ConectaCapturaCompra();
  ConectaGuardadoCompra();
  InstalaReportesCompras(*this);
}

TFormaCompras::~TFormaCompras() {
  if (fdReclamo_ >= 0) ::close(fdReclamo_);
}

void TFormaCompras::CreaTablas() {
  TablaComprasE = NuevaTabla(this, "TablaComprasE", QStringLiteral("COMPRASE.DBF"), kTagEncabezadoCompra);
  TablaComprasD = NuevaTabla(this, "TablaComprasD", QStringLiteral("COMPRASD.DBF"), kTagPartidaCompra);
  TablaDeta = NuevaTabla(this, "TablaDeta", kTablaCapturaCompra, {});
  TablaTotalCompra = NuevaTabla(this, "TablaTotalCompra", kTablaCapturaCompra, {});
  TablaProveedor = NuevaTabla(this, "TablaProveedor", QStringLiteral("PROVEEDO.DBF"), QStringLiteral("ICLAPRO"));
  TablaInventario = NuevaTabla(this, "TablaInventario", QStringLiteral("INVENTAR.DBF"), QStringLiteral("ICLPRO"));
  TablaCuPagar = NuevaTabla(this, "TablaCuPagar", QStringLiteral("Cuepagar.DBF"), QStringLiteral("NUCOM"));
  TablaMovimientosInventario =
      NuevaTabla(this, "TablaMovimientosInventario", QStringLiteral("Movinven.DBF"), QStringLiteral("CLDOC_MI"));
  TablaMI = NuevaTabla(this, "TablaMI", QStringLiteral("Movinven2.DBF"), {});
  TablaKardex = NuevaTabla(this, "TablaKardex", QStringLiteral("Kardex.dbf"), QStringLiteral("CLPRO_I"));
  TablaObservacion = NuevaTabla(this, "TablaObservacion", QStringLiteral("compobs.dbf"), QStringLiteral("CLDOC_CO"));
  // Edit and post errors of the header carry the window's own texts.
  TablaComprasE->OnEditError = [](db::Dataset&, const plat::Error& e) -> db::AccionError {
    throw plat::Error(e.clase(), QStringLiteral("No se Pueden Editar los Datos ha Ocurrido un Error"));
  };
  TablaComprasE->OnPostError = [](db::Dataset&, const plat::Error& e) -> db::AccionError {
    throw plat::Error(e.clase(), QStringLiteral("No se Pueden Guardar los Datos ha Ocurrido un Error"));
  };
  DataSource1 = new ui::FuenteDatos(this);
  DataSource1->setObjectName(QStringLiteral("DataSource1"));
  DataSource1->SetDataSet(TablaComprasE);
  FuenteDeta = new ui::FuenteDatos(this);
  FuenteDeta->setObjectName(QStringLiteral("FuenteDeta"));
  FuenteDeta->SetDataSet(TablaDeta);
}

void TFormaCompras::CreaMenu() {
  MainMenu1 = new QMenuBar(this);
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  QMenu* archivo = ui::MenuNombrado(MainMenu1, "Archivo1", QStringLiteral("&Archivo"));
  Nuevo1 = ui::AccionNombrada(archivo, "Nuevo1", QStringLiteral("Nuevo"), "Ctrl+N");
  Modificar1 = ui::AccionNombrada(archivo, "Modificar1", QStringLiteral("Modificar"), "Ctrl+M");
  Guardar1 = ui::AccionNombrada(archivo, "Guardar1", QStringLiteral("Guardar"), "Ctrl+G");
  Eliminar1 = ui::AccionNombrada(archivo, "Eliminar1", QStringLiteral("&Eliminar"));
  Eliminar1->setVisible(false);
  archivo->addSeparator();
  Imprimir1 = ui::AccionNombrada(archivo, "Imprimir1", QStringLiteral("Imprimir"), "Ctrl+I");
  PresentacionPreliminar1 =
      ui::AccionNombrada(archivo, "PresentacionPreliminar1", QStringLiteral("Presentación Preliminar"), "Ctrl+R");
  EligeFormato1 = ui::AccionNombrada(archivo, "EligeFormato1", QStringLiteral("Elige &Formato"));
  DisenaFormato1 = ui::AccionNombrada(archivo, "DisenaFormato1", QStringLiteral("Dise&ña Formato"));
  ImprimePlantilla1 = ui::AccionNombrada(archivo, "ImprimePlantilla1", QStringLiteral("Imprime &Plantilla"));
  TotalesDetallado1 = ui::AccionNombrada(archivo, "TotalesDetallado1", QStringLiteral("Totales Detallado"));
  Consultas1 = ui::AccionNombrada(archivo, "Consultas1", QStringLiteral("Cons&ultas"));
  archivo->addSeparator();
  Salir1 = ui::AccionNombrada(archivo, "Salir1", QStringLiteral("&Salir"));

  Registro1 = ui::MenuNombrado(MainMenu1, "Registro1", QStringLiteral("&Registro"));
  Buscar1 = ui::AccionNombrada(Registro1, "Buscar1", QStringLiteral("&Buscar"), "Ctrl+B");
  CancelaMovimiento1 = ui::AccionNombrada(Registro1, "CancelaMovimiento1", QStringLiteral("Cancela &Movimiento"));
  Cancelar1 = ui::AccionNombrada(Registro1, "Cancelar1", QStringLiteral("&Cancelar Documento"));

  Genera1 = ui::MenuNombrado(MainMenu1, "Genera1", QStringLiteral("&Generar"));
  Recepcin1 = ui::AccionNombrada(Genera1, "Recepcin1", QStringLiteral("&Recepción"));
  Devolucin1 = ui::AccionNombrada(Genera1, "Devolucin1", QStringLiteral("&Devolución"));
  Devolucin1->setVisible(false);
  OrdendeCompra1 = ui::AccionNombrada(Genera1, "OrdendeCompra1", QStringLiteral("Orden de Compra por Proveedor"));
  GenerarCuentaporPagar1 =
      ui::AccionNombrada(Genera1, "GenerarCuentaporPagar1", QStringLiteral("Generar Cuenta por Pagar"));
  ArchivodeCompras1 = ui::AccionNombrada(Genera1, "ArchivodeCompras1", QStringLiteral("Archivo de Compras"));
  ReproducirDocumento1 = ui::AccionNombrada(Genera1, "ReproducirDocumento1", QStringLiteral("Reproducir Documento"));

  Reportes1 = ui::MenuNombrado(MainMenu1, "Reportes1", QStringLiteral("R&eportes"));
  DocumentosCancelados1 = ui::AccionNombrada(Reportes1, "DocumentosCancelados1", QStringLiteral("Documentos Cancelados"));
  TodoslosDocumentos1 = ui::AccionNombrada(Reportes1, "TodoslosDocumentos1", QStringLiteral("Todos los Documentos"));
  comprasporProveedor1 = ui::AccionNombrada(Reportes1, "comprasporProveedor1", QStringLiteral("Compras por Proveedor"));
  DocumentosconSaldo1 = ui::AccionNombrada(Reportes1, "DocumentosconSaldo1", QStringLiteral("Documentos con Saldo"));
  ComprasporProducto1 = ui::AccionNombrada(Reportes1, "ComprasporProducto1", QStringLiteral("Compras por Producto"));
  CaducidadProductos1 = ui::AccionNombrada(Reportes1, "CaducidadProductos1", QStringLiteral("Caducidad Productos"));
  DescuentosporUsuario1 =
      ui::AccionNombrada(Reportes1, "DescuentosporUsuario1", QStringLiteral("Descuentos por Usuario"));
  ConsecutivodeDocumentos1 =
      ui::AccionNombrada(Reportes1, "ConsecutivodeDocumentos1", QStringLiteral("C&onsecutivo de Documentos"));
  ConsecutivodeDocumentos1->setVisible(false);

  Opciones1 = ui::MenuNombrado(MainMenu1, "Opciones1", QStringLiteral("&Opciones"));
  QuitarEmpaque1 = ui::AccionNombrada(Opciones1, "QuitarEmpaque1", QStringLiteral("Quitar Cajas"));
  QuitarEmpaques1 = ui::AccionNombrada(Opciones1, "QuitarEmpaques1", QStringLiteral("Quitar Empaques"));
  QuitarPrecioCliente1 = ui::AccionNombrada(Opciones1, "QuitarPrecioCliente1", QStringLiteral("Quitar Precio Cliente"));
  VentanadeDescuentos1 = ui::AccionNombrada(Opciones1, "VentanadeDescuentos1", QStringLiteral("Ventana de Descuentos"));
  ReferenciaenCuentaPorPagar1 = ui::AccionNombrada(Opciones1, "ReferenciaenCuentaPorPagar1",
                                                   QStringLiteral("Referencia en Cuenta Por Pagar"));
  QMenu* precios = Opciones1->addMenu(QStringLiteral("Precios"));
  precios->setObjectName(QStringLiteral("Precios1"));
  PorCostoPromedio1 = ui::AccionNombrada(precios, "PorCostoPromedio1", QStringLiteral("Por Costo Mayor"));
  CompraSugerida1 = ui::AccionNombrada(Opciones1, "CompraSugerida1", QStringLiteral("Compra Sugerida"));
  ImportarArchivo1 = ui::AccionNombrada(Opciones1, "ImportarArchivo1", QStringLiteral("Importar Archivo"));
  MantenimientoModulo1 = ui::AccionNombrada(Opciones1, "MantenimientoModulo1", QStringLiteral("Mantenimiento Módulo"));
  MI1 = ui::AccionNombrada(Opciones1, "MI1", QStringLiteral("MI"));
  ChequeodeMovimientos1 =
      ui::AccionNombrada(Opciones1, "ChequeodeMovimientos1", QStringLiteral("Chequeo de Movimientos"));
  for (QAction* opcion : {QuitarEmpaque1, QuitarEmpaques1, QuitarPrecioCliente1, VentanadeDescuentos1,
                          ReferenciaenCuentaPorPagar1, PorCostoPromedio1})
    opcion->setCheckable(true);

  QMenu* ayuda = ui::MenuNombrado(MainMenu1, "Ayuda1", QStringLiteral("A&yuda"));
  Bitacora1 = ui::AccionNombrada(ayuda, "Bitacora1", QStringLiteral("Bitacora"));
  Ayuda2 = ui::AccionNombrada(ayuda, "Ayuda2", QStringLiteral("Ayuda"));
  Calculadora1 = ui::AccionNombrada(ayuda, "Calculadora1", QStringLiteral("Calculadora"));
  Informacion1 = ui::AccionNombrada(ayuda, "Informacion1", QStringLiteral("Informacion"));
  Informacion1->setVisible(false);

  // The commands of the documents' save, change, printing, reports,
  // generation, options and tools are reached once they are built.
  for (QAction* pendiente :
       {Modificar1, Guardar1, Eliminar1, Imprimir1, PresentacionPreliminar1, EligeFormato1, DisenaFormato1,
        ImprimePlantilla1, Consultas1, Cancelar1, Recepcin1, Devolucin1, OrdendeCompra1,
        GenerarCuentaporPagar1, ArchivodeCompras1, ReproducirDocumento1, DocumentosCancelados1, TodoslosDocumentos1,
        comprasporProveedor1, DocumentosconSaldo1, ComprasporProducto1, CaducidadProductos1, DescuentosporUsuario1,
        ConsecutivodeDocumentos1, QuitarEmpaque1, QuitarEmpaques1, QuitarPrecioCliente1, VentanadeDescuentos1,
        ReferenciaenCuentaPorPagar1, PorCostoPromedio1, CompraSugerida1, ImportarArchivo1, MantenimientoModulo1, MI1,
        ChequeodeMovimientos1, Bitacora1, Ayuda2, Calculadora1, Informacion1})
    pendiente->setProperty("pendiente", true);

  ui::Conecta(Nuevo1, &QAction::triggered, this, [this] { BotonNuevoClick(); });
  ui::Conecta(Buscar1, &QAction::triggered, this, [this] { BotonBuscarClick(); });
  ui::Conecta(CancelaMovimiento1, &QAction::triggered, this, [this] { CancelaMovimiento1Click(); });
  ui::Conecta(Salir1, &QAction::triggered, this, [this] { Salir1Click(); });
}

void TFormaCompras::CreaBarra() {
  Panel1 = new ui::Panel(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  auto* barra = new QHBoxLayout(Panel1);
  barra->setContentsMargins(3, 2, 3, 2);
  BotonCambios = BotonCatalogo(Panel1, barra, "BotonCambios", QStringLiteral("Cambios"));
  BotonNuevo = BotonCatalogo(Panel1, barra, "BotonNuevo", QStringLiteral("Nuevo"));
  BotonGuardar = BotonCatalogo(Panel1, barra, "BotonGuardar", QStringLiteral("Guardar"));
  BotonBuscar = BotonCatalogo(Panel1, barra, "BotonBuscar", QStringLiteral("Buscar"));
  BotonImprimir = BotonCatalogo(Panel1, barra, "BotonImprimir", QStringLiteral("Imprimir"));
  BotonPagos = BotonCatalogo(Panel1, barra, "BotonPagos", QStringLiteral("Pago del Documento"));
  BotonTotales = BotonCatalogo(Panel1, barra, "BotonTotales", QStringLiteral("Totales"));
  BotonPreliminar = BotonCatalogo(Panel1, barra, "BotonPreliminar", QStringLiteral("Presentación Preliminar"));
  BotonObservacion = BotonCatalogo(Panel1, barra, "BotonObservacion", QStringLiteral("Observaciones del Documento"));
  barra->addSpacing(12);
  TipoDocumento = new QComboBox(Panel1);
  TipoDocumento->setObjectName(QStringLiteral("TipoDocumento"));
  TipoDocumento->addItems({kRecepcion, kOrdenCompra});
  TipoDocumento->setCurrentText(kRecepcion);
  barra->addWidget(TipoDocumento);
  const FinBarra fin = TerminaBarra(Panel1, barra, DataSource1, QStringLiteral("0"),
                                    {BotonCambios, BotonNuevo, BotonGuardar, BotonBuscar, BotonImprimir}, 42);
  Navegador = fin.navegador;
  Usuario = fin.usuario;
  BotonSalir = BotonCatalogo(Panel1, barra, "BotonSalir", QStringLiteral("Salir"));

  ui::Conecta(BotonNuevo, &QToolButton::clicked, this, [this] { BotonNuevoClick(); });
  ui::Conecta(BotonBuscar, &QToolButton::clicked, this, [this] { BotonBuscarClick(); });
  ui::Conecta(BotonSalir, &QToolButton::clicked, this, [this] { Salir1Click(); });
  ui::Conecta(Navegador, &ui::Navegador::Click, this, [this] { NavegadorClick(); });
}

void TFormaCompras::CreaEncabezado() {
  Panel2 = new ui::Panel(this);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  Panel2->setAutoFillBackground(true);
  auto* marco = new QVBoxLayout(Panel2);
  marco->setContentsMargins(6, 4, 6, 4);
  auto* titulo = new QHBoxLayout;
  titulo->addWidget(NuevaEtiqueta(Panel2, "Label1", QStringLiteral("Compras")));
  titulo->addStretch();
  Estado = NuevaEtiqueta(Panel2, "Estado");
  Estado->setMinimumWidth(110);
  LabelSaldo = NuevaEtiqueta(Panel2, "LabelSaldo");
  LabelSaldo->setMinimumWidth(180);
  titulo->addWidget(Estado);
  titulo->addSpacing(20);
  titulo->addWidget(LabelSaldo);
  marco->addLayout(titulo);

  Caja = new QWidget(Panel2);
  Caja->setObjectName(QStringLiteral("Caja"));
  // Locked while browsing, the document shown stays readable.
  QPalette legible = Caja->palette();
  for (QPalette::ColorRole papel : {QPalette::WindowText, QPalette::Text})
    legible.setColor(QPalette::Disabled, papel, Qt::black);
  Caja->setPalette(legible);
  auto* rejilla = new QGridLayout(Caja);
  rejilla->setContentsMargins(0, 0, 0, 0);
  marco->addWidget(Caja);

  // In the order Tab walks them, with their colour and place: down each
  // column, the columns from left to right.
  struct Campo {
    ui::EditDatos** edit;
    const char* nombre;
    const char* columna;
    const char* titulo;
    ui::TColor color;
    int fila, col;
  };
  const Campo campos[] = {
      {&EditCLDOC_O, "EditCLDOC_O", "CLDOC_O", "Documento", ui::clWhite, 0, 0},
      {&EditCLPRV_O, "EditCLPRV_O", "CLPRV_O", "Proveedor", static_cast<ui::TColor>(16767449), 1, 0},
      {&EditFEDOC_O, "EditFEDOC_O", "FEDOC_O", "Fech. Doc.", static_cast<ui::TColor>(14155775), 0, 2},
      {&EditFEREC_O, "EditFEREC_O", "FEREC_O", "Fech. Recep.", static_cast<ui::TColor>(14155775), 1, 2},
      {&EditFEPAG_O, "EditFEPAG_O", "FEPAG_O", "Fecha de Pago", static_cast<ui::TColor>(14155775), 2, 2},
      {&EditTIMPU_O, "EditTIMPU_O", "TIMPU_O", "Total de Impuesto", ui::clWhite, 0, 4},
      {&EditDTOTA_O, "EditDTOTA_O", "DTOTA_O", "Descuento Total", ui::clWhite, 1, 4},
      {&EditDFINT_O, "EditDFINT_O", "DFINT_O", "Descuento Financiero", ui::clWhite, 2, 4},
      {&EditTINDI_O, "EditTINDI_O", "TINDI_O", "Indirectos", ui::clWhite, 3, 4},
      {&EditREFER_O, "EditREFER_O", "REFER_O", "Referencia", ui::clWhite, 0, 6},
      {&EditNALMA_O, "EditNALMA_O", "NALMA_O", "Almacen", ui::clWindow, 1, 6},
  };
  for (const Campo& c : campos) {
    auto* e = new ui::EditDatos(Caja);
    e->setObjectName(QString::fromLatin1(c.nombre));
    e->SetFuente(DataSource1);
    e->SetCampo(QString::fromLatin1(c.columna));
    if (c.color != ui::clWindow) PintaColor(e, c.color);
    auto* etiqueta = NuevaEtiqueta(Caja, nullptr, QString::fromUtf8(c.titulo));
    etiqueta->setBuddy(e);
    rejilla->addWidget(etiqueta, c.fila, c.col);
    rejilla->addWidget(e, c.fila, c.col + 1);
    *c.edit = e;
  }
  PintaTexto(EditNALMA_O, QColor(128, 0, 128));
  Nombre = NuevaEtiqueta(Caja, "Nombre");
  Direccion = NuevaEtiqueta(Caja, "Direccion");
  Poblacion = NuevaEtiqueta(Caja, "Poblacion");
  rejilla->addWidget(Nombre, 4, 0, 1, 2);
  rejilla->addWidget(Direccion, 5, 0, 1, 2);
  rejilla->addWidget(Poblacion, 6, 0, 1, 2);
  rejilla->addWidget(NuevaEtiqueta(Caja, "LabelMoneda", QStringLiteral("Moneda:")), 4, 2);
  EditDIVIS_O = new QComboBox(Caja);
  EditDIVIS_O->setObjectName(QStringLiteral("EditDIVIS_O"));
  EditDIVIS_O->setEditable(true);
  EditDIVIS_O->setFocusPolicy(Qt::ClickFocus);
  EditDIVIS_O->setEditText(QStringLiteral("M.N."));
  rejilla->addWidget(EditDIVIS_O, 4, 3);
  NoDesglosado = new QCheckBox(QStringLiteral("No Desglosar IVA"), Caja);
  NoDesglosado->setObjectName(QStringLiteral("NoDesglosado"));
  rejilla->addWidget(NoDesglosado, 5, 3);
  BotonDescuento = new QPushButton(QStringLiteral("Descuento"), Caja);
  BotonDescuento->setObjectName(QStringLiteral("BotonDescuento"));
  rejilla->addWidget(BotonDescuento, 4, 4);
  rejilla->setColumnStretch(8, 1);

  MemoFormula = new QPlainTextEdit(Panel2);
  MemoFormula->setObjectName(QStringLiteral("MemoFormula"));
  MemoFormula->hide();
  MemoResultado = new QPlainTextEdit(Panel2);
  MemoResultado->setObjectName(QStringLiteral("MemoResultado"));
  MemoResultado->hide();
}

void TFormaCompras::CreaDetalle() {
  Detalle = new ui::RejillaDatos(this);
  Detalle->setObjectName(QStringLiteral("Detalle"));
  Detalle->SetFuente(FuenteDeta);
  struct Columna {
    const char* campo;
    const char* titulo;
    int ancho;
  };
  const Columna columnas[] = {
      {"CANTIDAD", "CANTIDAD", 0},        {"CAJAS", "CAJAS", 0},       {"EMPAQUE", "EMPAQUE", 0},
      {"CLAVE", "CLAVE", 97},             {"PRODUCTO", "PRODUCTO", 194}, {"DESCUENTO", "DESC 1", 46},
      {"DESCUENTO2", "DESC 2", 46},       {"DESCUENTO3", "DESC 3", 48},  {"PRECIOCLIENTE", "PrecioCliente", 70},
      {"PRECIO", "PRECIO", 0},            {"IMPORTE", "IMPORTE", 0},     {"PCON_IVA", "Utilidad", 70},
      {"IMPUESTO", "IMPUESTO", 0},        {"CADUCIDAD", "CADUCIDAD", 0}, {"SURTIDO", "PENDIENTES", 0},
  };
  for (const Columna& c : columnas)
    Detalle->AgregaColumna(QString::fromLatin1(c.campo), QString::fromLatin1(c.titulo), c.ancho);
  Detalle->SetColorColumna(1, QColor(128, 0, 0), true);
  QPalette paleta = Detalle->palette();
  paleta.setColor(QPalette::Base, ui::ColorQt(static_cast<ui::TColor>(16772351), paleta));
  Detalle->setPalette(paleta);
  QFont letra = Detalle->font();
  letra.setBold(true);
  Detalle->setFont(letra);
  Detalle->SetSoloLectura(true);
}

void TFormaCompras::CreaEstado() {
  Panel3 = new ui::Panel(this);
  Panel3->setObjectName(QStringLiteral("Panel3"));
  auto* barra = new QHBoxLayout(Panel3);
  barra->setContentsMargins(6, 2, 6, 2);
  auto* ayuda = new QVBoxLayout;
  Uno = NuevaEtiqueta(Panel3, "Uno");
  Dos = NuevaEtiqueta(Panel3, "Dos");
  ayuda->addWidget(Uno);
  ayuda->addWidget(Dos);
  barra->addLayout(ayuda, 1);
  const auto total = [&](const char* nombre, const QString& titulo) {
    barra->addWidget(NuevaEtiqueta(Panel3, nullptr, titulo));
    QLabel* l = NuevaEtiqueta(Panel3, nombre, QStringLiteral("0.00"));
    l->setMinimumWidth(110);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    barra->addWidget(l);
    return l;
  };
  EtiSubtotal = total("EtiSubtotal", QStringLiteral("SubTotal:"));
  EtiImpuesto = total("EtiImpuesto", QStringLiteral("I.V.A."));
  EtiTotal = total("EtiTotal", QStringLiteral("Total:"));

  auto* lineas = new ui::AyudaCampos(Uno, Dos, [](int n) {
    QString linea;
    LeeLineaArchivo(n, kAyudaCompras, linea);
    return linea;
  }, this);
  const ui::EditDatos* const edits[] = {EditCLDOC_O, EditCLPRV_O, EditFEDOC_O, EditFEREC_O, EditFEPAG_O,
                                        EditTIMPU_O, EditDTOTA_O, EditDFINT_O, EditTINDI_O, EditREFER_O};
  for (int i = 0; i < 10; ++i) lineas->Agrega(const_cast<ui::EditDatos*>(edits[i]), 2 * i + 1);
  for (ui::EditDatos* e : {EditCLDOC_O, EditCLPRV_O, EditFEDOC_O, EditFEREC_O, EditFEPAG_O, EditTIMPU_O, EditDTOTA_O,
                           EditDFINT_O, EditTINDI_O, EditREFER_O, EditNALMA_O})
    ui::ResaltaAlEnfocar(e);
}

void TFormaCompras::FormCreate() {
  TextoTipoCompra = TipoDocumento->currentText();
  ColumnaFinCapturaCompra = 6;
  MargenProveedorCompra = 0;
  NumeroMovimientoCompra = 0;
  FijaFormatosRegionales();
  Recepcin1->setEnabled(false);
  CarpetaLocal(CarpetaLocalCompras);
  FormatoCompra = CarpetaLocalCompras + QStringLiteral("\\consulta\\") + LineaConf(ConfFormatoRecepcion);
  RutaDatosCompras = LineaConf(ConfCarpetaDatos);
  CargaMonedasCompra();
  AlmacenAnteriorCompra = 1;
  ConceptoMovimientoCompra = 51;

  Conf.ImpuestosPorPartida = LineaConf(ConfImpuestosPorPartida) == QStringLiteral("S");
  Conf.CalculaPrecios = LineaConf(ConfCalculaPrecios) == QStringLiteral("S");
  PorCostoPromedio1->setChecked(Conf.CalculaPrecios && LineaConf(ConfCostoMayor) == QStringLiteral("S"));
  EditNALMA_O->setReadOnly(LineaConf(ConfMultialmacen) != QStringLiteral("S"));
  Conf.DescuentosCompras = LineaConf(ConfDescuentosCompras) == QStringLiteral("S");
  Conf.FormulaCosto = !LineaConf(ConfFormulaCosto).isEmpty();
  BitacoraCompras = LineaConf(ConfBitacora) == QStringLiteral("S");

  // Columns hidden by the options of the program folder.
  Detalle->SetColumnaVisible(7, false);
  QuitarPrecioCliente1->setChecked(OpcionMarcada(QStringLiteral("opc_com.cnf"), 1));
  if (QuitarPrecioCliente1->isChecked()) Detalle->SetColumnaVisible(8, false);
  else Detalle->SetAnchoColumna(8, 60);
  VentanadeDescuentos1->setChecked(OpcionMarcada(QStringLiteral("DescCompra.cnf"), 1));
  QuitarEmpaque1->setChecked(OpcionMarcada(QStringLiteral("empa_com.cnf"), 1));
  if (QuitarEmpaque1->isChecked()) Detalle->SetColumnaVisible(1, false);
  QuitarEmpaques1->setChecked(OpcionMarcada(QStringLiteral("empa_com.cnf"), 2));
  if (QuitarEmpaques1->isChecked()) Detalle->SetColumnaVisible(2, false);
  ReferenciaenCuentaPorPagar1->setChecked(OpcionMarcada(QStringLiteral("RefCxP.cnf"), 1));

  try {
    fs::ReescribeLineas(CarpetaPrograma(QStringLiteral("\\compras.dat")), {});
  } catch (const std::exception&) {
  }
  const bool global = LineaConf(ConfDescuentoGlobal) == QStringLiteral("S");
  BloqueaDescuentosCompra(!global);
  BotonDescuento->setVisible(!global);

  for (QAction* a : MainMenu1->findChildren<QAction*>())
    if (a->property("pendiente").toBool()) a->setEnabled(false);
  // The preview comes with the printing.
  BotonPreliminar->setEnabled(false);
  HabilitaBotonesCompra(true, true, false, false, true, true, true);
  BloqueaEncabezadoCompra();
}
