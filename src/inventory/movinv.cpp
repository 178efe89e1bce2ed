// The inventory movement window: its components, activation, states, keys,
// field help and the customization files that rename its columns and labels.

#include "inventory/movinv.h"

#include "foundation/Glyps.h"
#include "foundation/PapelTap.h"
#include "foundation/ayudaMod.h"
#include "foundation/describe.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_fecha.h"
#include "inventory/ConPro.h"
#include "inventory/Costeo.h"
#include "inventory/ConsultasExternas.h"
#include "inventory/DocumentoMovimiento.h"
#include "inventory/Inven.h"
#include "inventory/RegistroMovimiento.h"
#include "inventory/RegistroProducto.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/process/Procesos.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/AyudaCampos.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/RejillaDatos.h"
#include "shell/LineasConfiguracion.h"
#include "shell/Principa.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kAyudaMovimientos = QStringLiteral("movin.des");
const QString kTablaConceptos = QStringLiteral("comovinv.dbf");
const QString kTagConceptos = QStringLiteral("ITIPMOV");

QString Linea(int n) {
  QString valor;
  LeeLineaConfig(n, valor);
  return valor;
}

db::Tabla* NuevaTabla(QObject* padre, const char* nombre, const QString& archivo, const QString& tag) {
  auto* t = new db::Tabla(padre);
  t->setObjectName(QString::fromLatin1(nombre));
  t->SetNombreTabla(archivo);
  t->SetIndexName(tag);
  return t;
}

}  // namespace

TFormaMovimientosInventario::TFormaMovimientosInventario(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaMovimientosInventario>() = this;
  setObjectName(QStringLiteral("FormaMovimientosInventario"));
  setWindowTitle(QStringLiteral("Movimientos al Inventario"));
  setWindowFlags(Qt::Window);
  resize(900, 620);
  FijaFormatosRegionales();
  CarpetaLocal(carpetaPrograma_);
  formato_ = carpetaPrograma_ + QStringLiteral("\\consulta\\") + Linea(ConfFormatoMovimientos);
  const bool multialmacen = Linea(ConfMultialmacen) == u"S";
  if (TFormaConProduct* consulta = FormaConProduct()) consulta->FiltroPorAlmacen = multialmacen;
  bitacora_ = Linea(ConfBitacora) == u"S";

  Tablamovinve = NuevaTabla(this, "Tablamovinve", kTablaMovimientos, kTagDocumentoMovimiento);
  TablaInventario = NuevaTabla(this, "TablaInventario", kTablaProductos, kTagClaveProducto);
  TablaConcepto = NuevaTabla(this, "TablaConcepto", kTablaConceptos, kTagConceptos);
  TablaKardex = NuevaTabla(this, "TablaKardex", kTablaKardex, kTagKardex);
  TablaDeta = NuevaTabla(this, "TablaDeta", kTablaCapturaMovimientos, QString());
  DataSource1 = new ui::FuenteDatos(this);
  DataSource1->setObjectName(QStringLiteral("DataSource1"));
  DataSource1->SetDataSet(Tablamovinve);
  DataSource2 = new ui::FuenteDatos(this);
  DataSource2->setObjectName(QStringLiteral("DataSource2"));
  DataSource2->SetDataSet(TablaDeta);

  CreaMenu();
  CreaBarra();
  CreaCaja();
  CreaRejillas();
  NoAlmacen->setEnabled(multialmacen);

  auto* capa = new QVBoxLayout(this);
  capa->setContentsMargins(0, 0, 0, 0);
  capa->setSpacing(0);
  capa->setMenuBar(MainMenu1);
  capa->addWidget(Panel1);
  capa->addWidget(Caja);
  capa->addWidget(Detalle, 1);
  capa->addWidget(DetalleConsulta, 1);
  auto* pie = new ui::Panel(this, ui::Panel::Bisel::Hundido);
  pie->setObjectName(QStringLiteral("Panel2"));
  auto* lineas = new QVBoxLayout(pie);
  lineas->setContentsMargins(6, 2, 6, 2);
  InventarioInicial = new QCheckBox(QStringLiteral("Ver Inventario Inicial"), pie);
  InventarioInicial->setObjectName(QStringLiteral("InventarioInicial"));
  InventarioInicial->hide();
  uno = new QLabel(pie);
  uno->setObjectName(QStringLiteral("uno"));
  dos = new QLabel(pie);
  dos->setObjectName(QStringLiteral("dos"));
  lineas->addWidget(uno);
  lineas->addWidget(dos);
  capa->addWidget(pie);
  CreaAjustes();
  CreaReportes();

  ConectaEventos();
  SetKeyPreview(true);
  SetMueveFocoConTeclas(true);
  FijaCaptura(false);
}

TFormaMovimientosInventario::~TFormaMovimientosInventario() = default;

void TFormaMovimientosInventario::CreaMenu() {
  MainMenu1 = new QMenuBar(this);
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  QMenu* archivo = ui::MenuNombrado(MainMenu1, "Archivo1", QStringLiteral("&Archivo"));
  Salir1 = ui::AccionNombrada(archivo, "Salir1", QStringLiteral("Salir"), "Ctrl+S");
  PresentacionPreliminar1 =
      ui::AccionNombrada(archivo, "PresentacionPreliminar1", QStringLiteral("Presentación Preliminar"), "Ctrl+R");
  Imprimir1 = ui::AccionNombrada(archivo, "Imprimir1", QStringLiteral("Imprimir"), "Ctrl+I");

  Registro1 = ui::MenuNombrado(MainMenu1, "Registro1", QStringLiteral("&Registro"));
  Nuevo1 = ui::AccionNombrada(Registro1, "Nuevo1", QStringLiteral("Nuevo"), "Ctrl+N");
  Modificar1 = ui::AccionNombrada(Registro1, "Modificar1", QStringLiteral("Modificar"));
  Modificar1->setEnabled(false);
  Guardar1 = ui::AccionNombrada(Registro1, "Guardar1", QStringLiteral("Guardar"), "Ctrl+G");
  Buscar1 = ui::AccionNombrada(Registro1, "Buscar1", QStringLiteral("Buscar"), "Ctrl+B");
  Imprimir2 = ui::AccionNombrada(Registro1, "Imprimir2", QStringLiteral("Imprimir"));
  Eliminar1 = ui::AccionNombrada(Registro1, "Eliminar1", QStringLiteral("Eliminar"));

  QMenu* costeo = ui::MenuNombrado(MainMenu1, "Costeo1", QStringLiteral("Costeo"));
  Utilidad1 = ui::AccionNombrada(costeo, "Utilidad1", QStringLiteral("Utilidad"));

  Opciones1 = ui::MenuNombrado(MainMenu1, "Opciones1", QStringLiteral("Opciones"));
  LeerArchivoTexto1 = ui::AccionNombrada(Opciones1, "LeerArchivoTexto1", QStringLiteral("Importar Archivo Texto"));
  ImportarArchivo1 = ui::AccionNombrada(Opciones1, "ImportarArchivo1", QStringLiteral("Importar Archivo"));
  ImportarDatos1 = ui::AccionNombrada(Opciones1, "ImportarDatos1", QStringLiteral("Importar Datos"));
  Opciones1->addSeparator();
  Opciones1->addSeparator();
  Colector1 = ui::AccionNombrada(Opciones1, "Colector1", QStringLiteral("Colector"));

  QMenu* ayuda = ui::MenuNombrado(MainMenu1, "Ayuda1", QStringLiteral("Ayuda"));
  Temas1 = ui::AccionNombrada(ayuda, "Temas1", QStringLiteral("Temas..."));
  Informacion1 = ui::AccionNombrada(ayuda, "Informacion1", QStringLiteral("Informacion"));
  Calculadora1 = ui::AccionNombrada(ayuda, "Calculadora1", QStringLiteral("Calculadora"));
  Bitacora1 = ui::AccionNombrada(ayuda, "Bitacora1", QStringLiteral("Bitacora"));

  using V = TFormaMovimientosInventario;
  const std::pair<QAction*, void (V::*)()> comandos[] = {
      {Salir1, &V::Close},
      {PresentacionPreliminar1, &V::BotonPreliminarClick},
      {Imprimir1, &V::BotonImprimirClick},
      {Imprimir2, &V::BotonImprimirClick},
      {Nuevo1, &V::BotonNuevoClick},
      {Guardar1, &V::BotonGuardarClick},
      {Buscar1, &V::BotonBuscarClick},
      {Eliminar1, &V::Eliminar1Click},
      {Bitacora1, &V::Bitacora1Click},
      {LeerArchivoTexto1, &V::LeerArchivoTexto1Click},
      {ImportarArchivo1, &V::ImportarArchivo1Click},
      {ImportarDatos1, &V::ImportarDatos1Click},
      {Colector1, &V::Colector1Click},
  };
  for (const auto& [accion, comando] : comandos)
    ui::Conecta(accion, &QAction::triggered, this, [this, comando] { (this->*comando)(); });
  // The stock card with no card prepared: empty.
  ui::Conecta(Utilidad1, &QAction::triggered, this, [] { MuestraKardexVacio(); });
  ui::Conecta(Temas1, &QAction::triggered, this,
              [this] { MuestraAyuda(carpetaPrograma_ + QStringLiteral("\\ayuda\\movinv.rtf")); });
  ui::Conecta(Informacion1, &QAction::triggered, this, [this] { EscribeIndiceAyuda(*MainMenu1, objectName()); });
  ui::Conecta(Calculadora1, &QAction::triggered, this, [] {
    const proc::Resultado r = proc::Ejecuta(QStringLiteral("calc.exe"));
    if (!r) MuestraMensaje(QStringLiteral("No se pudo abrir la calculadora: ") + r.error);
  });
}

void TFormaMovimientosInventario::CreaBarra() {
  Panel1 = new ui::Panel(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  auto* barra = new QHBoxLayout(Panel1);
  barra->setContentsMargins(3, 2, 3, 2);
  using V = TFormaMovimientosInventario;
  const auto boton = [this, barra](const char* nombre, const QString& texto, void (V::*comando)()) {
    auto* b = new QToolButton(Panel1);
    b->setObjectName(QString::fromLatin1(nombre));
    b->setToolTip(texto);
    b->setText(texto);
    b->setAutoRaise(true);
    barra->addWidget(b);
    if (comando) ui::Conecta(b, &QToolButton::clicked, this, [this, comando] { (this->*comando)(); });
    return b;
  };
  Botonprimero = boton("Botonprimero", QStringLiteral("Primero"), &V::BotonprimeroClick);
  Botonsiguiente1 = boton("Botonsiguiente1", QStringLiteral("Anterior"), &V::BotonanteriorClick);
  Botonanterior = boton("Botonanterior", QStringLiteral("Siguiente"), &V::BotonsiguienteClick);
  Botonultimo = boton("Botonultimo", QStringLiteral("Último"), &V::BotonultimoClick);
  barra->addSpacing(8);
  auto* almacen = new QLabel(QStringLiteral("Almacén"), Panel1);
  almacen->setObjectName(QStringLiteral("LabelAlmacen"));
  barra->addWidget(almacen);
  NoAlmacen = new QSpinBox(Panel1);
  NoAlmacen->setObjectName(QStringLiteral("NoAlmacen"));
  NoAlmacen->setRange(0, 99);
  NoAlmacen->setValue(1);
  barra->addWidget(NoAlmacen);
  barra->addSpacing(8);
  BotonNuevo = boton("BotonNuevo", QStringLiteral("Nuevo"), &V::BotonNuevoClick);
  BotonGuardar = boton("BotonGuardar", QStringLiteral("Guardar"), &V::BotonGuardarClick);
  BotonBuscar = boton("BotonBuscar", QStringLiteral("Buscar"), &V::BotonBuscarClick);
  BotonObservacion =
      boton("BotonObservacion", QStringLiteral("Observaciones del Documento"), &V::BotonObservacionClick);
  BotonPreliminar = boton("BotonPreliminar", QStringLiteral("Presentación Preliminar"), &V::BotonPreliminarClick);
  BotonImprimir = boton("BotonImprimir", QStringLiteral("Imprimir"), &V::BotonImprimirClick);
  barra->addStretch();
  BotonSalir = boton("BotonSalir", QStringLiteral("Salir"), &V::Close);
  barra->addSpacing(4);
  Usuario = new QLabel(QStringLiteral("0"), Panel1);
  Usuario->setObjectName(QStringLiteral("Usuario"));
  Usuario->hide();

  // A right click on a button tells what it does.
  ConectaDescripcion(BotonNuevo, 37);
  ConectaDescripcion(BotonGuardar, 38);
  ConectaDescripcion(BotonBuscar, 39);
  ConectaDescripcion(BotonImprimir, 41);
}

void TFormaMovimientosInventario::CreaCaja() {
  Caja = new QWidget(this);
  Caja->setObjectName(QStringLiteral("Caja"));
  auto* fondo = new TPapelTapiz(Caja);
  fondo->setObjectName(QStringLiteral("PapelTapiz1"));
  fondo->SetColor(ui::clBlue);
  fondo->SetColorVariante(QStringLiteral("b"));
  fondo->lower();
  Caja->installEventFilter(this);
  auto* rejilla = new QGridLayout(Caja);
  rejilla->setContentsMargins(10, 8, 10, 8);

  // Made in the order Enter walks them.
  int fila = 0;
  const auto lugar = [&](QWidget* caja, const QString& titulo, int columna) {
    auto* etiqueta = new QLabel(titulo, Caja);
    etiqueta->setObjectName(QStringLiteral("Label") + caja->objectName());
    QPalette paleta = etiqueta->palette();
    paleta.setColor(QPalette::WindowText, Qt::white);
    etiqueta->setPalette(paleta);
    etiqueta->setBuddy(caja);
    rejilla->addWidget(etiqueta, fila, columna * 2);
    rejilla->addWidget(caja, fila, columna * 2 + 1, Qt::AlignLeft);
    if (columna == 1) ++fila;
  };
  const auto edit = [&](const char* nombre, const char* campo, const QString& titulo, int ancho, int columna) {
    auto* e = new ui::EditDatos(Caja);
    e->setObjectName(QString::fromLatin1(nombre));
    e->SetFuente(DataSource1);
    e->SetCampo(QString::fromLatin1(campo));
    e->setFixedWidth(ancho);
    lugar(e, titulo, columna);
    return e;
  };
  EditFEDOC_MI = edit("EditFEDOC_MI", "FEDOC_MI", QStringLiteral("Fecha del movimiento"), 100, 0);
  EditCLDOC_MI = edit("EditCLDOC_MI", "CLDOC_MI", QStringLiteral("Num. movimiento "), 100, 1);
  EditCLDOC_MI->setReadOnly(true);
  EditCLPRO_MI = edit("EditCLPRO_MI", "CLPRV_MI", QStringLiteral("Cliente(F3)/Proveedor (F2)"), 160, 0);
  EditAlmacen = new QSpinBox(Caja);
  EditAlmacen->setObjectName(QStringLiteral("EditAlmacen"));
  EditAlmacen->setRange(1, 10);
  EditAlmacen->setValue(1);
  lugar(EditAlmacen, QStringLiteral("Número de almacen"), 1);
  EditREFMO_MI = edit("EditREFMO_MI", "REFMO_MI", QStringLiteral("Documento "), 160, 0);
  EditTIMOV_MI = edit("EditTIMOV_MI", "TIMOV_MI", QStringLiteral("Tipo de Movimiento:"), 60, 1);
  TIPMOV = new QLabel(kConceptoNoDefinido, Caja);
  TIPMOV->setObjectName(QStringLiteral("TIPMOV"));
  QPalette paleta = TIPMOV->palette();
  paleta.setColor(QPalette::WindowText, Qt::white);
  TIPMOV->setPalette(paleta);
  rejilla->addWidget(TIPMOV, fila - 1, 4);
  rejilla->setColumnStretch(4, 1);
}

void TFormaMovimientosInventario::CreaRejillas() {
  Detalle = new ui::RejillaDatos(this);
  Detalle->setObjectName(QStringLiteral("Detalle"));
  Detalle->SetFuente(DataSource2);
  for (const auto& [campo, ancho] : {std::pair{"CANTIDAD", 70}, std::pair{"EMPAQUE", 70}, std::pair{"CLAVE", 120},
                                     std::pair{"DESCRIPCION", 260}, std::pair{"COSTO", 80}, std::pair{"PRECIO", 80},
                                     std::pair{"IMPORTE", 90}, std::pair{"REFERENCIA", 80},
                                     std::pair{"CADUCIDAD", 80}, std::pair{"INICIAL", 70}, std::pair{"FINAL", 70}})
    Detalle->AgregaColumna(QString::fromLatin1(campo), QString::fromLatin1(campo), ancho);

  DetalleConsulta = new ui::RejillaDatos(this);
  DetalleConsulta->setObjectName(QStringLiteral("DetalleConsulta"));
  DetalleConsulta->SetFuente(DataSource1);
  DetalleConsulta->SetSoloLectura(true);
  for (const auto& [campo, titulo] :
       {std::pair{"CANTI_MI", "Cantidad"}, std::pair{"EMPAQUE", "EMPAQUE"}, std::pair{"CLPRO_MI", "Clave"},
        std::pair{"DESCR_MI", "Descripción"}, std::pair{"COSUN_MI", "Costo"}, std::pair{"PUNIT_MI", "Precio"},
        std::pair{"REFMO_MI", "Referencia"}, std::pair{"CADUC_MI", "CADUC_MI"}})
    DetalleConsulta->AgregaColumna(QString::fromLatin1(campo), QString::fromUtf8(titulo));
}

void TFormaMovimientosInventario::ConectaEventos() {
  ayuda_ = new ui::AyudaCampos(uno, dos, [this](int n) { return LineaAyuda(n); }, this);
  const std::pair<QWidget*, int> ayudas[] = {{EditFEDOC_MI, 1}, {EditCLDOC_MI, 3}, {EditCLPRO_MI, 5},
                                             {EditAlmacen, 7},  {EditREFMO_MI, 9}, {EditTIMOV_MI, 11}};
  for (const auto& [caja, linea] : ayudas) {
    ayuda_->Agrega(caja, linea);
    ui::ResaltaAlEnfocar(caja);
  }

  const auto alEntrar = [this](QWidget* caja, void (TFormaMovimientosInventario::*manejador)()) {
    ui::Conecta(&ui::Eventos::De(caja), &ui::Eventos::Enter, this, [this, manejador] { (this->*manejador)(); });
  };
  alEntrar(EditFEDOC_MI, &TFormaMovimientosInventario::EditFEDOC_MIEnter);
  alEntrar(EditCLDOC_MI, &TFormaMovimientosInventario::EditCLDOC_MIEnter);
  EditFEDOC_MI->installEventFilter(this);
  for (QWidget* caja : {static_cast<QWidget*>(EditFEDOC_MI), static_cast<QWidget*>(EditCLDOC_MI),
                        static_cast<QWidget*>(EditAlmacen), static_cast<QWidget*>(EditREFMO_MI)})
    ui::Conecta(&ui::Eventos::De(caja), &ui::Eventos::KeyDown, this, [this](int& tecla, Qt::KeyboardModifiers) {
      if (tecla != Qt::Key_F3) return;
      tecla = 0;
      FechaDeHoy();
    });
  ui::Conecta(&ui::Eventos::De(EditCLPRO_MI), &ui::Eventos::KeyDown, this,
              [this](int& tecla, Qt::KeyboardModifiers) { EditCLPRO_MIKeyDown(tecla); });
  // An empty warehouse box becomes "1", selected so that the next digit
  // replaces it.
  ui::Conecta(EditAlmacen, &QSpinBox::textChanged, this, [this] {
    if (!EditAlmacen->cleanText().isEmpty()) return;
    EditAlmacen->setValue(1);
    EditAlmacen->selectAll();
  });
  ui::Conecta(EditTIMOV_MI, &QLineEdit::textChanged, this, [this] { EditTIMOV_MIChange(); });
  ui::Conecta(&ui::Eventos::De(EditTIMOV_MI), &ui::Eventos::Exit, this, [this] { EditTIMOV_MIExit(); });
  ui::Conecta(&ui::Eventos::De(EditTIMOV_MI), &ui::Eventos::KeyDown, this,
              [this](int& tecla, Qt::KeyboardModifiers) { EditTIMOV_MIKeyDown(tecla); });

  ui::Conecta(Detalle, &ui::RejillaDatos::ColEnter, this, [this] { DetalleColEnter(); });
  ui::Conecta(Detalle, &ui::RejillaDatos::ColExit, this, [this] { DetalleColExit(); });
  ui::Conecta(&ui::Eventos::De(Detalle), &ui::Eventos::KeyDown, this,
              [this](int& tecla, Qt::KeyboardModifiers) { DetalleKeyDown(tecla); });
  // The grids handle their own keys: the window's preview is off meanwhile.
  for (ui::RejillaDatos* rejilla : {Detalle, DetalleConsulta}) {
    ui::Conecta(&ui::Eventos::De(rejilla), &ui::Eventos::Enter, this, [this] { SetKeyPreview(false); });
    ui::Conecta(&ui::Eventos::De(rejilla), &ui::Eventos::Exit, this, [this] { SetKeyPreview(true); });
  }
  // An empty capture offers its first line to type into.
  ui::Conecta(&ui::Eventos::De(Detalle), &ui::Eventos::Enter, this, [this] {
    if (Capturando() && TablaDeta->Active() && TablaDeta->IsEmpty()) TablaDeta->Insert();
  });
  ui::Conecta(NoAlmacen, &QSpinBox::valueChanged, this, [this] { NoAlmacenChange(); });

  Tablamovinve->BeforePost = [this](db::Dataset& d) {
    d.FieldByName(QStringLiteral("NALMA_MI")).SetAsString(NoAlmacen->text());
    d.FieldByName(QStringLiteral("USUARIO")).SetAsString(Usuario->text());
  };
  Tablamovinve->OnEditError = [](db::Dataset&, const plat::Error& e) -> db::AccionError {
    throw plat::Error(e.clase(), kNoSeEditan);
  };
  Tablamovinve->OnPostError = [](db::Dataset&, const plat::Error& e) -> db::AccionError {
    throw plat::Error(e.clase(), kNoSeGuardan);
  };
}

void TFormaMovimientosInventario::EditCLPRO_MIKeyDown(int& tecla) {
  if (tecla != Qt::Key_F2 && tecla != Qt::Key_F3) return;
  const QString inicio = EditCLPRO_MI->text();
  QString clave;
  if (tecla == Qt::Key_F2) {
    if (!ConsultaProveedor()) return;
    clave = ConsultaProveedor()(inicio);
  } else {
    if (!ConsultaCliente()) return;
    clave = ConsultaCliente()(inicio, Usuario->text());
  }
  tecla = 0;
  if (Tablamovinve->State() == db::Dataset::Estado::Navegando) return;
  Tablamovinve->FieldByName(QStringLiteral("CLPRV_MI")).SetAsString(clave);
  ui::SetTag(EditCLPRO_MI, 1);
}

bool TFormaMovimientosInventario::Capturando() const { return ui::Tag(BotonNuevo) == 1; }

QString TFormaMovimientosInventario::LineaAyuda(int n) {
  QString linea;
  if (!fs::ExisteArchivo(fs::Une(carpetaPrograma_, kAyudaMovimientos))) {
    // Said once for each showing, not at every box the mouse crosses.
    if (!ayudaFaltante_) {
      ayudaFaltante_ = true;
      MuestraMensaje(QStringLiteral("El Archivo ") + kAyudaMovimientos + QStringLiteral(" No Existe"));
    }
    return linea;
  }
  LeeLineaArchivo(n, kAyudaMovimientos, linea);
  return linea;
}

void TFormaMovimientosInventario::FijaCaptura(bool capturando) {
  ui::SetTag(BotonNuevo, capturando ? 1 : 0);
  Caja->setEnabled(capturando);
  Detalle->SetSoloLectura(!capturando);
  Detalle->setEnabled(capturando);
  Detalle->setVisible(capturando);
  DetalleConsulta->setVisible(!capturando);
  BotonNuevo->setEnabled(!capturando);
  Nuevo1->setEnabled(!capturando);
  BotonGuardar->setEnabled(capturando);
  Guardar1->setEnabled(capturando);
  for (QWidget* w : {Botonprimero, Botonsiguiente1, Botonanterior, Botonultimo, BotonBuscar})
    w->setEnabled(!capturando);
  for (QAction* a : {Buscar1, Eliminar1}) a->setEnabled(!capturando);
  // The imports that start documents while browsing; "Importar Datos" adds
  // to the document being captured. The transfer file needs the sale
  // screen's folder prompt.
  for (QAction* a : {LeerArchivoTexto1, Colector1}) a->setEnabled(!capturando);
  ImportarArchivo1->setEnabled(!capturando && PreguntaCarpetaCaja());
  ImportarDatos1->setEnabled(capturando);
}

void TFormaMovimientosInventario::VistaClasica() {
  if (Linea(ConfVistaResaltada) != u"N") return;
  AplicaVistaClasica(*this);
  const auto tapices = findChildren<TPapelTapiz*>();
  for (TPapelTapiz* tapiz : tapices) tapiz->hide();
}

void TFormaMovimientosInventario::AplicaEtiquetas() {
  const QString columnas = fs::Une(carpetaPrograma_, QStringLiteral("etiqmid.dat"));
  if (fs::ExisteArchivo(columnas)) {
    const QStringList l = fs::LeeLineas(columnas);
    for (int i = 0; i + 3 < l.size(); i += 4) {
      bool numero = false, conAncho = false;
      const int columna = l[i].trimmed().toInt(&numero);
      const int ancho = l[i + 3].trimmed().toInt(&conAncho);
      if (!numero) continue;
      const QString campo = l[i + 1].trimmed(), titulo = l[i + 2];
      if (columna >= 0 && columna < Detalle->Columnas()) {
        if (!campo.isEmpty()) Detalle->SetCampoColumna(columna, campo);
        Detalle->SetTituloColumna(columna, titulo);
        if (conAncho) Detalle->SetAnchoColumna(columna, ancho);
      }
      if (columna >= 0 && columna < DetalleConsulta->Columnas()) DetalleConsulta->SetTituloColumna(columna, titulo);
      // Hiding the cost column of the capture hides the browse grid's too.
      if (titulo.trimmed() == u"COSTO" && conAncho && ancho < 0) DetalleConsulta->SetAnchoColumna(4, ancho);
    }
  }
  const QString etiquetas = fs::Une(carpetaPrograma_, QStringLiteral("etiqmi.dat"));
  if (!fs::ExisteArchivo(etiquetas)) return;
  const QStringList l = fs::LeeLineas(etiquetas);
  const auto todas = findChildren<QLabel*>();
  for (int i = 0; i + 1 < l.size(); i += 2)
    for (QLabel* etiqueta : todas)
      if (etiqueta->text() == l[i]) etiqueta->setText(l[i + 1]);
}

void TFormaMovimientosInventario::FormShow() {
  ayudaFaltante_ = false;
  setWindowTitle(Linea(ConfIntegraMovimientos) == u"SI"
                     ? QStringLiteral("Movimientos al Inventario")
                     : QStringLiteral("Movimientos al Inventario no Esta INTEGRADO "));
  if (Tablamovinve->Active() && !Capturando()) Tablamovinve->Refresh();
  // The document's log is the administrator's to read.
  Bitacora1->setEnabled(Usuario->text() == u"0");
  AplicaEtiquetas();
}

void TFormaMovimientosInventario::FormActivate() {
  if (Tag() == 0) PrimeraActivacion(false);
}

void TFormaMovimientosInventario::Prepara() {
  if (Tag() == 0) PrimeraActivacion(true);
}

void PreparaMovimientosInventario() {
  if (TFormaMovimientosInventario* ventana = FormaMovimientosInventario()) ventana->Prepara();
}

void TFormaMovimientosInventario::PrimeraActivacion(bool ajustaAlmacenes) {
  AbreTablasMovimientos();
  // A save the station left unfinished is finished before anything is shown.
  if (Tablamovinve->Active()) TerminaMovimientoPendiente();
  VistaClasica();
  CopiaGlyps(*this);
  FijaCaptura(false);
  VaciaCaptura(false);
  if (Tablamovinve->Active()) {
    TablaCompleta();
    Tablamovinve->Last();
    MuestraDocumento(Llegada::Apertura);
    if (ajustaAlmacenes) {
      const db::Campo* almacen = Tablamovinve->IsEmpty() ? nullptr : &Tablamovinve->FieldByName("NALMA_MI");
      const QSignalBlocker sinCambio(NoAlmacen);
      NoAlmacen->setValue(almacen && !almacen->IsNull() ? static_cast<int>(almacen->AsInteger()) : 1);
    }
  }
  SetTag(1);
}

void TFormaMovimientosInventario::FormKeyDown(int& tecla, Qt::KeyboardModifiers) {
  if (tecla != Qt::Key_PageDown && tecla != Qt::Key_PageUp) return;
  if (Capturando()) return;
  tecla == Qt::Key_PageDown ? BotonanteriorClick() : BotonsiguienteClick();
  tecla = 0;
}

bool TFormaMovimientosInventario::eventFilter(QObject* objeto, QEvent* evento) {
  if (objeto == Caja && evento->type() == QEvent::Resize) {
    if (auto* fondo = Caja->findChild<TPapelTapiz*>()) fondo->setGeometry(Caja->rect());
  } else if (objeto == EditFEDOC_MI && evento->type() == QEvent::FocusOut) {
    // A text that is no date becomes today's date, before the box would
    // refuse it.
    if (!FechaValida(EditFEDOC_MI->text())) ui::Protege([this] { FechaDeHoy(); });
  }
  return ui::Forma::eventFilter(objeto, evento);
}
