// The catalogue browser: its window, the opening of its table and columns,
// titles and templates, and the small commands. The search, order, filter,
// kind, sum, export and drill-down commands are in ConsCata_comandos.cpp,
// the picture strip in ConsCata_imagenes.cpp, printing in
// ConsCata_impresion.cpp and the custom reports in ConsCata_reportes.cpp.

#include "reports/ConsCata.h"

#include "foundation/HojaCalculo.h"
#include "foundation/adminis.h"
#include "foundation/describe.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_catalogo.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/DialogoArchivo.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/PuertaModal.h"
#include "platform/ui/RejillaDatos.h"
#include "reports/BotonesReporte.h"
#include "reports/DialogosImpresora.h"
#include "reports/Filtros.h"
#include "shell/Campos.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"
#include "shell/Principa.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHash>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <optional>

namespace {

// Help texts of the tool buttons (records of ayuda\describe.des).
constexpr int kAyudaBuscar = 73;
constexpr int kAyudaImprimir = 74;
constexpr int kAyudaFiltrar = 75;
// Columns that the menu's openers set.
constexpr int kColumnasConfigurables = 8;
const QString kInventario = QStringLiteral("inventar.dbf");
const QString kIndiceInventario = QStringLiteral("DSCPR_I");

QHash<QString, AperturaCatalogo>& Aperturas() {
  static QHash<QString, AperturaCatalogo> aperturas;
  return aperturas;
}

BusquedaProductoCatalogo& BusquedaProducto() {
  static BusquedaProductoCatalogo busqueda;
  return busqueda;
}

// The table's name up to its first point.
QString RaizTabla(const QString& tabla) {
  const qsizetype punto = tabla.indexOf(u'.');
  return punto < 0 ? tabla : tabla.left(punto);
}

QString CarpetaProgramaCatalogo() {
  QString carpeta;
  CarpetaLocal(carpeta);
  return carpeta;
}

}  // namespace

void UneAperturaCatalogo(const QString& tabla, AperturaCatalogo apertura) {
  if (apertura) Aperturas().insert(tabla.toLower(), std::move(apertura));
  else Aperturas().remove(tabla.toLower());
}

void UneBusquedaProductoCatalogo(BusquedaProductoCatalogo busqueda) { BusquedaProducto() = std::move(busqueda); }

// Used by the commands' unit.
const AperturaCatalogo* AperturaRegistradaCatalogo(const QString& tabla) {
  const auto it = Aperturas().constFind(tabla.toLower());
  return it == Aperturas().constEnd() ? nullptr : &*it;
}

const BusquedaProductoCatalogo& BusquedaProductoRegistrada() { return BusquedaProducto(); }

// --- The picture strip's text boxes.

CajaImagenCatalogo::CajaImagenCatalogo(QWidget* padre) : QWidget(padre) {}

void CajaImagenCatalogo::SetLineas(const QStringList& lineas) {
  lineas_ = lineas;
  update();
}

void CajaImagenCatalogo::paintEvent(QPaintEvent*) {
  QPainter pintor(this);
  pintor.fillRect(rect(), Qt::white);
  const int ascenso = pintor.fontMetrics().ascent();
  for (qsizetype i = 0; i < lineas_.size(); ++i)
    pintor.drawText(10, 15 * static_cast<int>(i + 1) + ascenso, lineas_[i]);
}

// --- The window.

TFormaCatalogo::TFormaCatalogo(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaCatalogo>() = this;
  setObjectName(QStringLiteral("FormaCatalogo"));
  setWindowTitle(QStringLiteral("Catalogos"));
  setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  SetKeyPreview(true);
  resize(800, 560);

  TablaConsulta = new db::Tabla(this);
  TablaConsulta->setObjectName(QStringLiteral("TablaConsulta"));
  TablaConsulta->OnFilterRecord = [](db::Dataset& datos) { return FiltroRegistroCatalogo(datos); };
  DataSource1 = new ui::FuenteDatos(this);
  DataSource1->setObjectName(QStringLiteral("DataSource1"));
  DataSource1->SetDataSet(TablaConsulta);

  auto* disposicion = new QVBoxLayout(this);
  disposicion->setContentsMargins(0, 0, 0, 0);
  disposicion->setSpacing(0);
  ConstruyeMenu();
  disposicion->setMenuBar(MainMenu1);
  ConstruyeBotones();

  DetalleCatalogo = new ui::RejillaDatos(this);
  DetalleCatalogo->setObjectName(QStringLiteral("DetalleCatalogo"));
  QFont fuente(QStringLiteral("Arial"));
  fuente.setBold(true);
  DetalleCatalogo->setFont(fuente);
  DetalleCatalogo->SetFuente(DataSource1);
  DetalleCatalogo->SetSoloLectura(true);
  disposicion->addWidget(DetalleCatalogo, 1);

  ConstruyeImagenes();
  disposicion->addWidget(Panel2, 1);

  BarraDeEstado = new QStatusBar(this);
  BarraDeEstado->setObjectName(QStringLiteral("BarraDeEstado"));
  BarraDeEstado->setSizeGripEnabled(false);
  const QString paneles[] = {QStringLiteral("Registros"), QStringLiteral("F2 Detallado"), QString()};
  for (int i = 0; i < 3; ++i) {
    PanelesEstado[i] = new QLabel(paneles[i], BarraDeEstado);
    PanelesEstado[i]->setObjectName(QStringLiteral("PanelEstado%1").arg(i));
    PanelesEstado[i]->setMinimumWidth(120);
    BarraDeEstado->addWidget(PanelesEstado[i], i == 2 ? 1 : 0);
  }
  disposicion->addWidget(BarraDeEstado);

  Indices = new QListWidget(this);
  Indices->setObjectName(QStringLiteral("Indices"));
  Indices->hide();
  PanelProgreso = new QWidget(this);
  PanelProgreso->setObjectName(QStringLiteral("PanelProgreso"));
  PanelProgreso->hide();
  BarraProgreso = new QProgressBar(PanelProgreso);
  BarraProgreso->setObjectName(QStringLiteral("BarraProgreso"));
  Imprimir = new DialogoImpresion(this, QStringLiteral("Imprimir"));
  DialogoGuarda = new ui::DialogoArchivo(this, ui::DialogoArchivo::Tipo::Guardar, QStringLiteral("DialogoGuarda"));
  DialogoGuarda->Filter = kFiltroHojaCalculo;

  ui::Conecta(&ui::Eventos::De(DetalleCatalogo), &ui::Eventos::DblClick, this, [this] { DetalleCatalogoDblClick(); });
  ui::Conecta(&ui::Eventos::De(DetalleCatalogo), &ui::Eventos::KeyDown, this,
              [this](int& tecla, Qt::KeyboardModifiers) {
                if (tecla != Qt::Key_F2) return;
                tecla = 0;
                DetalleCatalogoDblClick();
              });
  ui::Conecta(DetalleCatalogo->horizontalHeader(), &QHeaderView::sectionClicked, this,
              [this](int columna) { TituloClick(columna); });
  ui::Conecta(&ui::Eventos::De(BarraDeEstado), &ui::Eventos::DblClick, this, [this] { BarraDeEstadoDblClick(); });

  // FormCreate: the custom reports.
  ConstruyeReportes();
}

TFormaCatalogo::~TFormaCatalogo() {
  // The grid lets go of the table before it goes.
  DetalleCatalogo->SetFuente(nullptr);
}

void TFormaCatalogo::ConstruyeMenu() {
  MainMenu1 = new QMenuBar(this);
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  const auto menu = [this](const char* nombre, const QString& texto) { return MenuReporte(MainMenu1, nombre, texto); };
  Archivo1 = menu("Archivo1", QStringLiteral("Archivo"));
  GuardarPlantilla1 = AccionReporte(Archivo1, "GuardarPlantilla1", QStringLiteral("Guardar Plantilla"));
  Salir1 = AccionReporte(Archivo1, "Salir1", QStringLiteral("Salir"));
  Registro1 = menu("Registro1", QStringLiteral("Registro"));
  Buscar1 = AccionReporte(Registro1, "Buscar1", QStringLiteral("Buscar"), QKeySequence(Qt::CTRL | Qt::Key_B));
  BusquedaAvanzada1 =
      AccionReporte(Registro1, "BusquedaAvanzada1", QStringLiteral("Busqueda Avanzada"), QKeySequence(Qt::Key_F12));
  Orden1 = menu("Orden1", QStringLiteral("Orden"));
  AsignaOrden1 = AccionReporte(Orden1, "AsignaOrden1", QStringLiteral("Asigna Orden"));
  Reportes1 = menu("Reportes1", QStringLiteral("Reportes"));
  Ver1 = menu("Ver1", QStringLiteral("Ver"));
  TodoslosCampos1 = AccionReporte(Ver1, "TodoslosCampos1", QStringLiteral("Todos los Campos"));
  Reporte1 = AccionReporte(Ver1, "Reporte1", QStringLiteral("Reporte"));
  Columnas1 = AccionReporte(Ver1, "Columnas1", QStringLiteral("Columnas"));
  Operaciones1 = menu("Operaciones1", QStringLiteral("Operaciones"));
  Sumar1 = AccionReporte(Operaciones1, "Sumar1", QStringLiteral("Sumar"));

  ui::Conecta(GuardarPlantilla1, &QAction::triggered, this, [this] { GuardarPlantilla1Click(); });
  ui::Conecta(Salir1, &QAction::triggered, this, [this] { Close(); });
  ui::Conecta(Buscar1, &QAction::triggered, this, [this] { BotonBuscarClick(); });
  ui::Conecta(BusquedaAvanzada1, &QAction::triggered, this, [this] { BusquedaAvanzada1Click(); });
  ui::Conecta(AsignaOrden1, &QAction::triggered, this, [this] { BotonIndicesClick(); });
  ui::Conecta(TodoslosCampos1, &QAction::triggered, this, [this] { TodosCamposClick(); });
  ui::Conecta(Sumar1, &QAction::triggered, this, [this] { Sumar1Click(); });
}

void TFormaCatalogo::ConstruyeBotones() {
  FilaBotones botones(this, "ToolBar1");
  QWidget* panel = botones.Panel();
  QHBoxLayout* fila = botones.Fila();
  DBNavigator1 = new ui::Navegador(panel);
  DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
  DBNavigator1->SetFuente(DataSource1);
  fila->addWidget(DBNavigator1);
  const auto boton = [&](const char* nombre, const QString& texto) { return botones.Boton(nombre, texto); };
  BotonBuscar = boton("BotonBuscar", QStringLiteral("Buscar"));
  CheckPlantilla = new QCheckBox(QStringLiteral("Plantilla"), panel);
  CheckPlantilla->setObjectName(QStringLiteral("CheckPlantilla"));
  fila->addWidget(CheckPlantilla);
  BotonReporte = boton("BotonReporte", QStringLiteral("Ver Reporte"));
  BotonBordes = boton("BotonBordes", QStringLiteral("Bordes"));
  BotonCambios = boton("BotonCambios", QStringLiteral("Modificar"));
  BotonIndices = boton("BotonIndices", QStringLiteral("Indices"));
  BotonOrden = boton("BotonOrden", QStringLiteral("Filtrar"));
  TodosCampos = boton("TodosCampos", QStringLiteral("VerTodos los Campos"));
  BotonImprimir = boton("BotonImprimir", QStringLiteral("Imprimir"));
  // "Salir" keeps to the right edge of the tool bar.
  fila->addStretch();
  BotonSalir = boton("BotonSalir", QStringLiteral("Salir"));
  Usuario = new QLabel(QStringLiteral("Usuario"), panel);
  Usuario->setObjectName(QStringLiteral("Usuario"));
  Usuario->hide();
  layout()->addWidget(panel);

  ConectaDescripcion(BotonBuscar, kAyudaBuscar);
  ConectaDescripcion(BotonImprimir, kAyudaImprimir);
  ConectaDescripcion(BotonOrden, kAyudaFiltrar);
  ui::Conecta(DBNavigator1, &ui::Navegador::Click, this, [this] { DBNavigator1Click(); });
  ui::Conecta(BotonBuscar, &QToolButton::clicked, this, [this] { BotonBuscarClick(); });
  ui::Conecta(CheckPlantilla, &QCheckBox::clicked, this, [this] { CheckPlantillaClick(); });
  ui::Conecta(BotonReporte, &QToolButton::clicked, this, [this] { BotonReporteClick(); });
  ui::Conecta(BotonBordes, &QToolButton::clicked, this, [this] { BotonBordesClick(); });
  ui::Conecta(BotonCambios, &QToolButton::clicked, this, [this] { BotonCambiosClick(); });
  ui::Conecta(BotonIndices, &QToolButton::clicked, this, [this] { BotonIndicesClick(); });
  ui::Conecta(BotonOrden, &QToolButton::clicked, this, [this] { BotonOrdenClick(); });
  ui::Conecta(TodosCampos, &QToolButton::clicked, this, [this] { TodosCamposClick(); });
  ui::Conecta(BotonImprimir, &QToolButton::clicked, this, [this] { BotonImprimirClick(); });
  ui::Conecta(BotonSalir, &QToolButton::clicked, this, [this] { Close(); });
}

// --- Opening.

bool TFormaCatalogo::EsInventario() const { return TablaConsulta->NombreTabla().toLower() == kInventario; }

void TFormaCatalogo::AbreCatalogo(const QString& tabla) {
  DetalleCatalogo->show();
  Panel2->hide();
  if (TablaConsulta->Active()) TablaConsulta->Close();
  TablaConsulta->SetFiltered(false);
  TablaConsulta->SetIndexName(QString());
  ApuntaTabla(*TablaConsulta, tabla);
  TablaConsulta->Open();
  const QStringList indices = TablaConsulta->IndexNames();
  Indices->clear();
  Indices->addItems(indices);
  if (!indices.isEmpty()) TablaConsulta->SetIndexName(indices.first());
  if (EsInventario()) TablaConsulta->SetIndexName(kIndiceInventario);
  FiltrosCatalogo().tabla = tabla;

  // One column per field, titled from the table's block of confcamp.cmp.
  QVector<ui::ColumnaDatos> columnas;
  const QStringList campos = TablaConsulta->NombresCampos();
  int bloque = -1;
  try {
    bloque = PosicionTablaCatalogo(tabla);
  } catch (const plat::Error&) {
    // Without the catalogue the columns keep their fields' names.
  }
  for (qsizetype n = 0; n < campos.size(); ++n) {
    ui::ColumnaDatos c;
    c.campo = campos[n];
    if (bloque >= 0) {
      try {
        DatoCatalogoCampos(bloque * kRegistrosPorTabla + 1 + static_cast<int>(n), 2, c.titulo);
      } catch (const plat::Error&) {
      }
    }
    columnas << c;
  }
  DetalleCatalogo->SetColumnas(columnas);
}

void TFormaCatalogo::ConfiguraColumnasCatalogo(const QString&, const QStringList& campos, const QStringList& titulos,
                                               const QStringList&) {
  QVector<ui::ColumnaDatos> columnas;
  for (int i = 0; i < DetalleCatalogo->Columnas(); ++i) columnas << DetalleCatalogo->Columna(i);
  for (int n = 1; n <= kColumnasConfigurables && n <= columnas.size(); ++n) {
    ui::ColumnaDatos& c = columnas[n - 1];
    const QString titulo = titulos.value(n - 1);
    c.titulo = titulo == QStringLiteral("e%1").arg(n) ? QString() : titulo;
    const QString campo = campos.value(n - 1);
    if (campo != QStringLiteral("c%1").arg(n)) c.campo = campo;
  }
  DetalleCatalogo->SetColumnas(columnas);
}

// --- Titles and templates.

void TFormaCatalogo::FormShow() {
  setWindowState(windowState() | Qt::WindowMaximized);
  ui::Protege([this] { LeeTitulos(); });
  CargaPlantilla();
}

void TFormaCatalogo::LeeTitulos() {
  QVector<ui::ColumnaDatos> columnas;
  for (int i = 0; i < DetalleCatalogo->Columnas(); ++i) columnas << DetalleCatalogo->Columna(i);
  db::Tabla campos;
  campos.SetCarpeta(CarpetaProgramaCatalogo());
  campos.SetNombreTabla(kArchivoCampos);
  campos.SetReadOnly(true);
  campos.Open();
  campos.SetIndexName(QStringLiteral("CAMPO"));
  db::Campo& describe = campos.FieldByName(QStringLiteral("DESCRIBE"));
  for (ui::ColumnaDatos& c : columnas) {
    if (c.campo.isEmpty()) continue;
    c.titulo = campos.FindKey({c.campo}) ? describe.AsString() : c.campo;
  }
  DetalleCatalogo->SetColumnas(columnas);
}

QString TFormaCatalogo::ArchivoPlantilla() const {
  return fs::Une(CarpetaProgramaCatalogo(), RaizTabla(TablaConsulta->NombreTabla()) + QStringLiteral(".pla"));
}

QString TFormaCatalogo::ArchivoIndicePlantilla() const {
  return fs::Une(CarpetaProgramaCatalogo(), RaizTabla(TablaConsulta->NombreTabla()) + QStringLiteral(".xla"));
}

void TFormaCatalogo::CargaPlantilla() {
  const QString plantilla = ArchivoPlantilla();
  if (!fs::ExisteArchivo(plantilla)) return;
  try {
    // The template's columns first, in its order; the other fields after
    // them, hidden.
    QVector<ui::ColumnaDatos> columnas;
    QStringList usados;
    for (const QString& linea : fs::LeeLineasCp1252OUtf8(plantilla)) {
      const QStringList partes = linea.split(u'\t');
      const db::Campo* campo = TablaConsulta->FindField(partes.value(0).trimmed());
      if (!campo) continue;
      ui::ColumnaDatos c;
      c.campo = campo->Nombre();
      c.ancho = std::max(0, partes.value(1).trimmed().toInt());
      c.titulo = partes.value(2);
      columnas << c;
      usados << c.campo;
    }
    for (const QString& campo : TablaConsulta->NombresCampos()) {
      if (usados.contains(campo)) continue;
      ui::ColumnaDatos c;
      c.campo = campo;
      c.titulo = campo;
      c.visible = false;
      columnas << c;
    }
    DetalleCatalogo->SetColumnas(columnas);
    const std::optional<QString> indice = fs::LeeLinea(ArchivoIndicePlantilla(), 1);
    if (indice && !indice->trimmed().isEmpty()) TablaConsulta->SetIndexName(indice->trimmed());
  } catch (const std::exception&) {
    // A template that cannot be read leaves the window as it was.
  }
  try {
    if (EsInventario()) TablaConsulta->SetIndexName(kIndiceInventario);
  } catch (const std::exception&) {
  }
}

void TFormaCatalogo::MuestraTodosLosCampos() {
  QVector<ui::ColumnaDatos> columnas;
  for (int i = 0; i < DetalleCatalogo->Columnas(); ++i) {
    ui::ColumnaDatos c = DetalleCatalogo->Columna(i);
    c.visible = true;
    columnas << c;
  }
  DetalleCatalogo->SetColumnas(columnas);
  LeeTitulos();
}

void TFormaCatalogo::TodosCamposClick() { MuestraTodosLosCampos(); }

void TFormaCatalogo::CheckPlantillaClick() {
  if (!CheckPlantilla->isChecked()) {
    MuestraTodosLosCampos();
    return;
  }
  const QString plantilla = ArchivoPlantilla();
  if (!fs::ExisteArchivo(plantilla)) return;
  QStringList campos;
  for (const QString& linea : fs::LeeLineasCp1252OUtf8(plantilla)) {
    const QString campo = linea.section(u'\t', 0, 0).trimmed();
    if (campo.isEmpty()) continue;
    // A field the table does not have is the table's error, before anything
    // changes.
    campos << TablaConsulta->FieldByName(campo).Nombre();
  }
  QVector<ui::ColumnaDatos> columnas;
  for (int i = 0; i < DetalleCatalogo->Columnas(); ++i) {
    ui::ColumnaDatos c = DetalleCatalogo->Columna(i);
    c.visible = campos.contains(c.campo, Qt::CaseInsensitive);
    columnas << c;
  }
  DetalleCatalogo->SetColumnas(columnas);
}

void TFormaCatalogo::GuardarPlantilla1Click() {
  fs::ReescribeLineas(ArchivoIndicePlantilla(), {TablaConsulta->IndexName()});
  QStringList lineas;
  for (const int i : ColumnasVisibles()) {
    const ui::ColumnaDatos c = DetalleCatalogo->Columna(i);
    lineas << c.campo + u'\t' + QString::number(DetalleCatalogo->columnWidth(i)) + u'\t' + c.titulo;
  }
  fs::ReescribeLineas(ArchivoPlantilla(), lineas);
}

// --- Small commands.

void TFormaCatalogo::BarraDeEstadoDblClick() {
  if (!TablaConsulta->Active()) return;
  PanelesEstado[0]->setText(QStringLiteral("Registros  ") + QString::number(TablaConsulta->RecordCount()));
}

void TFormaCatalogo::BotonReporteClick() { ui::MensajeSimple(TablaConsulta->IndexName()); }

void TFormaCatalogo::BotonCambiosClick() {
  TFormaAdministrador clave;
  clave.ShowModal();
  if (clave.Tag() == 1) DetalleCatalogo->SetSoloLectura(false);
  else MuestraMensaje(kPasswordInvalido);
}

void TFormaCatalogo::FormClose() {
  DetalleCatalogo->hide();
  Panel2->hide();
  if (TablaConsulta->Active()) TablaConsulta->SetFiltered(false);
  DetalleCatalogo->SetSoloLectura(true);
}

void TFormaCatalogo::FormKeyDown(int&, Qt::KeyboardModifiers) {}

// --- Columns.

db::Campo* TFormaCatalogo::CampoColumna(int columna) const {
  if (!TablaConsulta->Active() || columna < 0 || columna >= DetalleCatalogo->Columnas()) return nullptr;
  const QString campo = DetalleCatalogo->Columna(columna).campo;
  return campo.isEmpty() ? nullptr : TablaConsulta->FindField(campo);
}

QVector<int> TFormaCatalogo::ColumnasVisibles() const {
  QVector<int> visibles;
  for (int i = 0; i < DetalleCatalogo->Columnas(); ++i)
    if (DetalleCatalogo->Columna(i).visible) visibles << i;
  return visibles;
}

QString TFormaCatalogo::TextoColumna(int columna) const {
  const db::Campo* campo = CampoColumna(columna);
  if (!campo || TablaConsulta->IsEmpty()) return {};
  return campo->AsString();
}

// --- The opener of the main menu.

std::unique_ptr<ui::Forma> CreaNavegadorCatalogo(const CatalogoMenu& menu) {
  auto catalogo = std::make_unique<TFormaCatalogo>();
  catalogo->AbreCatalogo(menu.tabla);
  if (!menu.campos.isEmpty() || !menu.titulos.isEmpty())
    catalogo->ConfiguraColumnasCatalogo(menu.tabla, menu.campos, menu.titulos);
  if (menu.imagenes) {
    catalogo->MuestraModoImagenes();
    catalogo->MuestraPaginaImagenes();
  }
  return catalogo;
}
