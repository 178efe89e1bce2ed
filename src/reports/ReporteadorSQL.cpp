// The report writer's window, the writing of a statement and the saved
// statements.

#include "reports/ReporteadorSQL.h"

#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_catalogo.h"
#include "platform/Error.h"
#include "platform/db/Consulta.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/DialogoArchivo.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "platform/ui/RejillaTexto.h"
#include "reports/DialogosImpresora.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kCarpetaReportes = QStringLiteral("\\report");
const QString kNoDisponible = QStringLiteral("No Disponible");
const QColor kAzulPanel(0, 0, 128);

void PonLineas(QPlainTextEdit& memo, const QStringList& lineas) { memo.setPlainText(lineas.join(u'\n')); }

QLabel* Etiqueta(QWidget* padre, const QString& texto) {
  auto* etiqueta = new QLabel(texto, padre);
  QPalette colores = etiqueta->palette();
  colores.setColor(QPalette::WindowText, Qt::white);
  etiqueta->setPalette(colores);
  return etiqueta;
}

}  // namespace

const std::array<TablaReporteSQL, 12>& TablasReporteSQL() {
  static const std::array<TablaReporteSQL, 12> tablas = {{
      {"Clientes", "cliente.dbf"},
      {"Proveedores", "proveedo.dbf"},
      {"Vendedores", "vendedor.dbf"},
      {"Facturación", "facturae.dbf"},
      {"Facturación Detallada", "facturad.dbf"},
      {"Compras", "comprase.dbf"},
      {"Compras Detallada", "comprasd.dbf"},
      {"Cuentas x Cobrar", "cucobrar.dbf"},
      {"Cuentas x Pagar", "cuepagar.dbf"},
      {"Inventario", "inventar.dbf"},
      {"Movimientos al Inventario", "movinven.dbf"},
      {"", ""},  // chooses nothing
  }};
  return tablas;
}

TFormaSQL::TFormaSQL(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaSQL>() = this;
  setObjectName(QStringLiteral("FormaSQL"));
  setWindowTitle(QStringLiteral("Reporteador SQL"));
  setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  resize(900, 640);
  TiposColumnaSQL.fill(u' ');

  Query1 = new db::Consulta(this);
  Query1->setObjectName(QStringLiteral("Query1"));
  DataSource1 = new ui::FuenteDatos(this);
  DataSource1->setObjectName(QStringLiteral("DataSource1"));
  DataSource1->SetDataSet(Query1);

  auto* disposicion = new QVBoxLayout(this);
  disposicion->setContentsMargins(0, 0, 0, 0);
  disposicion->setSpacing(0);
  ConstruyeMenu();
  disposicion->setMenuBar(MainMenu1);
  ConstruyePanelSuperior();
  disposicion->addWidget(Panel2);

  Panel3 = new QWidget(this);
  Panel3->setObjectName(QStringLiteral("Panel3"));
  auto* inferior = new QVBoxLayout(Panel3);
  inferior->setContentsMargins(2, 2, 2, 2);
  DBGrid1 = new ui::RejillaDatos(Panel3);
  DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
  DBGrid1->SetFuente(DataSource1);
  DBGrid1->SetSoloLectura(true);
  QFont fuente(QStringLiteral("Arial"));
  fuente.setBold(true);
  DBGrid1->setFont(fuente);
  DBGrid1->horizontalHeader()->setFont(fuente);
  QPalette colores = DBGrid1->palette();
  colores.setColor(QPalette::Text, QColor(0, 0, 128));
  DBGrid1->setPalette(colores);
  inferior->addWidget(DBGrid1);
  Traduccion = new QPlainTextEdit(Panel3);
  Traduccion->setObjectName(QStringLiteral("Traduccion"));
  Traduccion->hide();
  disposicion->addWidget(Panel3, 1);

  Imprimir = new DialogoImpresion(this, QStringLiteral("Imprimir"));
  DialogoGuarda = new ui::DialogoArchivo(this, ui::DialogoArchivo::Tipo::Guardar, QStringLiteral("DialogoGuarda"));

  ui::Conecta(DBGrid1->horizontalHeader(), &QHeaderView::sectionClicked, this,
              [this](int columna) { DBGrid1TitleClick(columna); });
  ui::CentraEnPantalla(*this);
}

TFormaSQL::~TFormaSQL() {
  // The grid lets go of the query before it goes.
  DBGrid1->SetFuente(nullptr);
}

void TFormaSQL::ConstruyeMenu() {
  MainMenu1 = new QMenuBar(this);
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  Archivo1 = ui::MenuNombrado(MainMenu1, "Archivo1", QStringLiteral("&Archivo"));
  Imprimir1 = ui::AccionNombrada(Archivo1, "Imprimir1", QStringLiteral("Imprimir"));
  Salir1 = ui::AccionNombrada(Archivo1, "Salir1", QStringLiteral("Salir"));
  Ver1 = ui::MenuNombrado(MainMenu1, "Ver1", QStringLiteral("&Ver"));
  Celdas1 = ui::AccionNombrada(Ver1, "Celdas1", QStringLiteral("Celdas"));
  Celdas1->setCheckable(true);
  Celdas1->setVisible(false);
  PantallaCompleta1 = ui::AccionNombrada(Ver1, "PantallaCompleta1", QStringLiteral("Pantalla Completa"));
  PantallaCompleta1->setCheckable(true);
  Operaciones1 = ui::MenuNombrado(MainMenu1, "Operaciones1", QStringLiteral("&Operaciones"));
  Sumar1 = ui::AccionNombrada(Operaciones1, "Sumar1", QStringLiteral("Sumar"));

  ui::Conecta(Imprimir1, &QAction::triggered, this, [this] { BotonImprimirClick(); });
  ui::Conecta(Salir1, &QAction::triggered, this, [this] { Close(); });
  // The check marks toggle themselves (checkable items).
  ui::Conecta(PantallaCompleta1, &QAction::triggered, this, [this] { PantallaCompleta1Click(); });
  ui::Conecta(Sumar1, &QAction::triggered, this, [this] { Sumar1Click(); });
}

void TFormaSQL::ConstruyePanelSuperior() {
  Panel2 = new QWidget(this);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  Panel2->setAutoFillBackground(true);
  QPalette colores = Panel2->palette();
  colores.setColor(QPalette::Window, kAzulPanel);
  Panel2->setPalette(colores);
  auto* fila = new QHBoxLayout(Panel2);

  auto* tablas = new QVBoxLayout;
  tablas->addWidget(Etiqueta(Panel2, QStringLiteral("Archivo SQL")));
  Archivo = new QComboBox(Panel2);
  Archivo->setObjectName(QStringLiteral("Archivo"));
  tablas->addWidget(Archivo);
  tablas->addWidget(Etiqueta(Panel2, QStringLiteral("Base de Datos")));
  NombreTabla = new QComboBox(Panel2);
  NombreTabla->setObjectName(QStringLiteral("NombreTabla"));
  for (const TablaReporteSQL& t : TablasReporteSQL()) NombreTabla->addItem(QString::fromUtf8(t.descripcion));
  NombreTabla->setCurrentIndex(NombreTabla->count() - 1);
  tablas->addWidget(NombreTabla);
  TablaFiltros = new ui::RejillaTexto(Panel2, 5, 2, 0, 1);
  TablaFiltros->setObjectName(QStringLiteral("TablaFiltros"));
  const int anchos[] = {45, 120, 60, 60, 1};
  for (int c = 0; c < 5; ++c) TablaFiltros->SetColWidths(c, anchos[c]);
  const QString titulos[] = {QStringLiteral("Clave"), QStringLiteral("Campo"), QStringLiteral("Condición"),
                             QStringLiteral("Valor")};
  for (int c = 0; c < 4; ++c) TablaFiltros->SetCells(c, 0, titulos[c]);
  TablaFiltros->SetEditable(true);
  // A double click picks the field; typing edits a cell.
  TablaFiltros->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
  TablaFiltros->setMinimumWidth(300);
  tablas->addWidget(TablaFiltros, 1);
  fila->addLayout(tablas);

  auto* codigo = new QVBoxLayout;
  codigo->addWidget(Etiqueta(Panel2, QStringLiteral("Código SQL")));
  Codigo = new QPlainTextEdit(Panel2);
  Codigo->setObjectName(QStringLiteral("Codigo"));
  Codigo->setFont(QFont(QStringLiteral("Courier New")));
  codigo->addWidget(Codigo, 1);
  fila->addLayout(codigo, 1);

  auto* botones = new QVBoxLayout;
  const auto boton = [&](const char* nombre, const QString& texto) {
    auto* b = new QPushButton(texto, Panel2);
    b->setObjectName(QString::fromLatin1(nombre));
    b->setAutoDefault(false);
    botones->addWidget(b);
    return b;
  };
  BitBtn2 = boton("BitBtn2", QStringLiteral("Nuevo"));
  BitBtn5 = boton("BitBtn5", QStringLiteral("Guardar"));
  BitBtn1 = boton("BitBtn1", QStringLiteral("Ejecutar"));
  BitBtn4 = boton("BitBtn4", QStringLiteral("Exportar"));
  BotonImprimir = boton("BotonImprimir", QStringLiteral("Imprimir"));
  BotonAnterior = boton("BotonAnterior", QStringLiteral("Anterior"));
  BotonSiguiente = boton("BotonSiguiente", QStringLiteral("Siguiente"));
  BotonSalir = boton("BotonSalir", QStringLiteral("Salir"));
  botones->addStretch();
  fila->addLayout(botones);

  ui::Conecta(Archivo, &QComboBox::activated, this, [this] { ArchivoChange(); });
  ui::Conecta(NombreTabla, &QComboBox::currentIndexChanged, this, [this] { ArchivoSQL(); });
  ui::Conecta(TablaFiltros, &QTableWidget::cellDoubleClicked, this, [this] { TablaFiltrosDblClick(); });
  ui::Conecta(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
  ui::Conecta(BitBtn5, &QPushButton::clicked, this, [this] { BitBtn5Click(); });
  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  ui::Conecta(BitBtn4, &QPushButton::clicked, this, [this] { BitBtn4Click(); });
  ui::Conecta(BotonImprimir, &QPushButton::clicked, this, [this] { BotonImprimirClick(); });
  ui::Conecta(BotonAnterior, &QPushButton::clicked, this, [this] { BotonAnteriorClick(); });
  ui::Conecta(BotonSiguiente, &QPushButton::clicked, this, [this] { BotonSiguienteClick(); });
  ui::Conecta(BotonSalir, &QPushButton::clicked, this, [this] { Close(); });
}

QStringList TFormaSQL::Lineas(const QPlainTextEdit& memo) {
  const QString texto = memo.toPlainText();
  if (texto.isEmpty()) return {};
  QStringList lineas = texto.split(u'\n');
  if (texto.endsWith(u'\n')) lineas.removeLast();
  return lineas;
}

void TFormaSQL::FormActivate() { ListaReportesSQL(); }

QString TFormaSQL::CarpetaReportes() const { return CarpetaPrograma(kCarpetaReportes); }

void TFormaSQL::ListaReportesSQL() {
  const QString elegido = Archivo->currentText();
  QStringList nombres = fs::ListaCarpeta(CarpetaReportes(), QStringLiteral("*.sql"));
  nombres.sort(Qt::CaseInsensitive);
  const QSignalBlocker quieto(Archivo);
  Archivo->clear();
  Archivo->addItems(nombres);
  Archivo->setCurrentIndex(Archivo->findText(elegido));
}

void TFormaSQL::ArchivoChange() {
  const QString ruta = fs::Une(CarpetaReportes(), Archivo->currentText());
  if (Archivo->currentText().isEmpty() || !fs::ExisteArchivo(ruta)) return;
  try {
    PonLineas(*Codigo, fs::LeeLineas(ruta));
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
}

void TFormaSQL::BitBtn5Click() {
  fs::CreaCarpeta(CarpetaReportes());
  DialogoGuarda->InitialDir = CarpetaReportes();
  DialogoGuarda->FileName = QStringLiteral("*.sql");
  DialogoGuarda->Filter = QStringLiteral("Consultas SQL (*.sql)");
  DialogoGuarda->DefaultExt = QStringLiteral("sql");
  if (!DialogoGuarda->Execute()) return;
  try {
    fs::ReescribeLineas(DialogoGuarda->FileName, Lineas(*Codigo));
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
    return;
  }
  ListaReportesSQL();
}

QString TFormaSQL::ArchivoTablaSQL() const {
  const int i = NombreTabla->currentIndex();
  if (i < 0 || i >= static_cast<int>(TablasReporteSQL().size())) return {};
  return QString::fromLatin1(TablasReporteSQL()[static_cast<size_t>(i)].archivo);
}

void TFormaSQL::ArchivoSQL() {
  try {
    CamposTablaSQL(ArchivoTablaSQL());
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
}

void TFormaSQL::CamposTablaSQL(const QString& archivo) {
  TablaFiltros->SetRowCount(2);
  for (int c = 0; c < 5; ++c) TablaFiltros->SetCells(c, 1, QString());
  if (archivo.isEmpty()) return;
  const int bloque = PosicionTablaCatalogo(archivo);
  if (bloque < 0) return;
  int fila = 1;
  // The block's field records; its last record belongs to the next block or
  // to the directory.
  for (int i = 1; i < kRegistrosPorTabla; ++i) {
    const int registro = bloque * kRegistrosPorTabla + i;
    QString nombre, descripcion, tipo;
    DatoCatalogoCampos(registro, 2, descripcion);
    if (descripcion.isEmpty() || descripcion == kNoDisponible) continue;
    DatoCatalogoCampos(registro, 1, nombre);
    DatoCatalogoCampos(registro, 3, tipo);
    const QString textos[] = {nombre, descripcion, QString(), QString(), tipo};
    for (int c = 0; c < 5; ++c) TablaFiltros->SetCells(c, fila, textos[c]);
    ++fila;
    TablaFiltros->SetRowCount(fila + 1);
  }
}

void TFormaSQL::BitBtn2Click() {
  TiposColumnaSQL.fill(u' ');
  NumeroTitulosSQL = 0;
  PonLineas(*Codigo, {QStringLiteral("Select"), QString(), QString(), QString(),
                      QStringLiteral("From ") + TablaSQL(ArchivoTablaSQL())});
}

void TFormaSQL::TablaFiltrosDblClick() {
  const int fila = TablaFiltros->Row();
  const QString campo = TablaFiltros->Cells(0, fila);
  // The title row and the empty row at the end name no field.
  if (fila < 1 || campo.isEmpty()) return;
  QStringList lineas = Lineas(*Codigo);
  const int n = std::max(static_cast<int>(lineas.size()) - 2, 0);
  if (n >= 1 && !lineas[n - 1].isEmpty()) lineas[n - 1] += u',';
  lineas.insert(n, campo);
  PonLineas(*Codigo, lineas);
  if (NumeroTitulosSQL < kColumnas) {
    CamposTituloSQL[static_cast<size_t>(NumeroTitulosSQL)] = campo;
    TitulosColumnaSQL[static_cast<size_t>(NumeroTitulosSQL++)] = TablaFiltros->Cells(1, fila);
  }
}

void TFormaSQL::PantallaCompleta1Click() { Panel2->setVisible(!PantallaCompleta1->isChecked()); }
