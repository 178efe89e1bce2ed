#include "reports/DisenoVista.h"

#include "foundation/ayudaMod.h"
#include "foundation/describe.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_tablas.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Colores.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/DialogoArchivo.h"
#include "platform/ui/RejillaTexto.h"
#include "reports/BotonesReporte.h"
#include "reports/CamposReporte.h"
#include "reports/Vistas.h"

#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kAltoFila = 18;
constexpr int kAnchoTitulos = 88;
constexpr int kCerrada = 1000;
constexpr ui::TColor kColorPanel = 10485760;
constexpr int kColorPorLlave = 500;
constexpr int kHondoPorLlave = 6;
constexpr int kGrosorLlave = 3;
// Help texts of the tool buttons (records of ayuda\describe.des).
constexpr int kAyudaAbrir = 100;
constexpr int kAyudaGuardar = 101;
const QString kLlave = QStringLiteral("Llave");

const QStringList kTitulosFilas = {
    QString(),
    QStringLiteral("Campo"),
    QStringLiteral("Titulo"),
    QStringLiteral("Formato"),
    QStringLiteral("Alineación"),
    QStringLiteral("Totales"),
    QStringLiteral("Fórmula"),
    QStringLiteral("Ancho"),
    QString(),
    QStringLiteral("Orden"),
    QStringLiteral("Total/Cambio"),
    QStringLiteral("Tabla"),
    QStringLiteral("Identificador"),
    QStringLiteral("Llave"),
};

// The value a double click gives a cell of the row, from the one it holds.
QString Alterna(int fila, const QString& actual, int contador) {
  const auto dos = [&](const QString& a, const QString& b) { return actual == a ? b : a; };
  switch (fila) {
    case TFormaDisenoVista::FilaFormato: return dos(QStringLiteral("###,##0.00"), QStringLiteral("ninguno"));
    case TFormaDisenoVista::FilaAlineacion: return dos(QStringLiteral("derecha"), QStringLiteral("izquierda"));
    case TFormaDisenoVista::FilaTotales: return dos(QStringLiteral("totalizar"), QStringLiteral("sin totales"));
    case TFormaDisenoVista::FilaOrden: return dos(QStringLiteral("Incluir"), QString());
    case TFormaDisenoVista::FilaAccion: return dos(QStringLiteral("Ejecutar"), QString());
    case TFormaDisenoVista::FilaLlave: return actual.isEmpty() ? kLlave + u' ' + QString::number(contador) : QString();
    default: return actual;
  }
}

// A drag of items of a list box (or of any item view).
bool DeLista(const QDropEvent& evento) {
  return evento.mimeData() && evento.mimeData()->hasFormat(QStringLiteral("application/x-qabstractitemmodeldatalist"));
}

}  // namespace

const std::vector<CategoriaVista>& CategoriasVista() {
  static const std::vector<CategoriaVista> categorias = {
      {"Clientes", "cliente.dbf", "clientes.for"},
      {"Proveedores", "proveedo.dbf", "proveedo.for"},
      {"Vendedores", "vendedor.dbf", "vendedor.for"},
      {"Facturación", "facturae.dbf", "facturaE.for"},
      {"Facturación (Partidas)", "facturad.dbf", "facturaE.for"},
      {"Cuentas por Cobrar", "cucobrar.dbf", "cxc.for"},
      {"Compras", "comprase.dbf", "comprasE.for"},
      {"Compras (Partidas)", "comprasd.dbf", "comprasE.for"},
      {"Cuentas por Pagar", "cuepagar.dbf", "cxp.for"},
      {"Inventario", "inventar.dbf", "Inventar.for"},
      {"Movimientos al Inventario", "movinven.dbf", "MovInven.for"},
  };
  return categorias;
}

// What is drawn over the design grid: the key brackets under row 13 and the
// free lines the mouse draws there.
class CapaLlaves : public QWidget {
 public:
  struct Llave {
    int numero, izquierda, derecha;
  };

  explicit CapaLlaves(QWidget* padre) : QWidget(padre) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
  }

  int base = 0;  // the bottom of row 13
  std::vector<Llave> llaves;
  std::vector<QPolygon> trazos;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setClipRect(QRect(0, base, width(), height() - base));
    for (const Llave& l : llaves) {
      p.setPen(QPen(ui::ColorQt(kColorPorLlave * l.numero, palette()), kGrosorLlave));
      const int fondo = base + kHondoPorLlave * l.numero;
      p.drawPolyline(QPolygon({QPoint(l.izquierda, base), QPoint(l.izquierda, fondo), QPoint(l.derecha, fondo),
                               QPoint(l.derecha, base)}));
    }
    p.setPen(QPen(Qt::black, 1));
    for (const QPolygon& t : trazos) p.drawPolyline(t);
  }
};

TFormaDisenoVista::TFormaDisenoVista(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaDisenoVista>() = this;
  setObjectName(QStringLiteral("FormaDisenoVista"));
  setWindowTitle(QStringLiteral("Diseño de Consultas"));
  setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  resize(800, 560);

  auto* disposicion = new QVBoxLayout(this);
  disposicion->setContentsMargins(0, 0, 0, 0);
  disposicion->setSpacing(2);
  ConstruyeMenu();
  disposicion->setMenuBar(MainMenu1);
  ConstruyeBotones();

  auto* arriba = new QHBoxLayout;
  auto* izquierda = new QVBoxLayout;
  Panel2 = new ui::Panel(this);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  Panel2->setAutoFillBackground(true);
  QPalette paleta = Panel2->palette();
  paleta.setColor(QPalette::Window, ui::ColorQt(kColorPanel, paleta));
  paleta.setColor(QPalette::WindowText, Qt::white);
  Panel2->setPalette(paleta);
  Panel2->setFixedHeight(24);
  auto* nombres = new QLabel(QStringLiteral("Nombre de los campos"), Panel2);
  nombres->setObjectName(QStringLiteral("Label1"));
  nombres->setGeometry(6, 3, 200, 18);
  ui::ArrastraVentana(Panel2);
  izquierda->addWidget(Panel2);
  Lista = new QComboBox(this);
  Lista->setObjectName(QStringLiteral("Lista"));
  for (const CategoriaVista& c : CategoriasVista()) Lista->addItem(QString::fromUtf8(c.nombre));
  Lista->addItem(QString());
  Lista->setCurrentIndex(-1);
  izquierda->addWidget(Lista);
  ListaCampos = new QListWidget(this);
  ListaCampos->setObjectName(QStringLiteral("ListaCampos"));
  ListaCampos->setDragEnabled(true);
  ListaCampos->setDragDropMode(QAbstractItemView::DragOnly);
  izquierda->addWidget(ListaCampos, 1);
  arriba->addLayout(izquierda, 1);

  auto* centro = new QVBoxLayout;
  auto* titulo = new QLabel(QStringLiteral("Título"), this);
  titulo->setObjectName(QStringLiteral("Label2"));
  centro->addWidget(titulo);
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  centro->addWidget(Edit1);
  Describe = new QPlainTextEdit(this);
  Describe->setObjectName(QStringLiteral("Describe"));
  centro->addWidget(Describe, 1);
  arriba->addLayout(centro, 2);

  const auto lista = [&](const char* nombre, const char* etiqueta) {
    auto* columna = new QVBoxLayout;
    auto* texto = new QLabel(QString::fromUtf8(etiqueta), this);
    columna->addWidget(texto);
    auto* l = new QListWidget(this);
    l->setObjectName(QString::fromLatin1(nombre));
    l->setDragEnabled(true);
    columna->addWidget(l, 1);
    arriba->addLayout(columna, 1);
    return l;
  };
  ListBox1 = lista("ListBox1", "Comentarios");
  ListBox2 = lista("ListBox2", "Datos de la Consulta");
  disposicion->addLayout(arriba, 1);

  ConstruyeRejilla();
  disposicion->addWidget(DatosConsulta, 2);

  Panel4 = new ui::Panel(this);
  Panel4->setObjectName(QStringLiteral("Panel4"));
  Panel4->SetCaption(QStringLiteral("_"));
  Panel4->setFixedHeight(16);
  disposicion->addWidget(Panel4);

  Tipos = new QLineEdit(this);
  Tipos->setObjectName(QStringLiteral("Tipos"));
  Tipos->hide();
  Descr = new QLineEdit(this);
  Descr->setObjectName(QStringLiteral("Descr"));
  Descr->hide();

  QString programa;
  CarpetaLocal(programa);
  GuardaBase = new ui::DialogoArchivo(this, ui::DialogoArchivo::Tipo::Guardar, QStringLiteral("GuardaBase"));
  GuardaBase->InitialDir = programa + QStringLiteral("\\report");
  GuardaBase->Filter = QStringLiteral("Vistas (*.vis)");
  GuardaBase->DefaultExt = QStringLiteral("vis");
  AbreBase = new ui::DialogoArchivo(this, ui::DialogoArchivo::Tipo::Abrir, QStringLiteral("AbreBase"));
  AbreBase->InitialDir = programa + QStringLiteral("\\report");
  AbreBase->Filter = QStringLiteral("Vistas (*.vis)");
  AbreBase->DefaultExt = QStringLiteral("vis");

  ui::Conecta(Lista, &QComboBox::currentIndexChanged, this, [this] { ListaChange(); });
  ContadorLlaves = 1;
  ui::CentraEnPantalla(*this);
}

TFormaDisenoVista::~TFormaDisenoVista() = default;

void TFormaDisenoVista::ConstruyeMenu() {
  MainMenu1 = new QMenuBar(this);
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  Archivo1 = MenuReporte(MainMenu1, "Archivo1", QStringLiteral("&Archivo"));
  Abrir1 = AccionReporte(Archivo1, "Abrir1", QStringLiteral("Abrir"));
  Guardar1 = AccionReporte(Archivo1, "Guardar1", QStringLiteral("Guardar"));
  Salir1 = AccionReporte(Archivo1, "Salir1", QStringLiteral("Salir"));
  Ayuda1 = MenuReporte(MainMenu1, "Ayuda1", QStringLiteral("A&yuda"));
  Temas1 = AccionReporte(Ayuda1, "Temas1", QStringLiteral("Temas ..."));
  Temas1->setVisible(false);
  Informacion1 = AccionReporte(Ayuda1, "Informacion1", QStringLiteral("Informacion"));

  ui::Conecta(Abrir1, &QAction::triggered, this, [this] { Abrir1Click(); });
  ui::Conecta(Guardar1, &QAction::triggered, this, [this] { BotonGuardar2Click(); });
  ui::Conecta(Salir1, &QAction::triggered, this, [this] { Close(); });
  ui::Conecta(Informacion1, &QAction::triggered, this, [this] { Informacion1Click(); });
}

void TFormaDisenoVista::ConstruyeBotones() {
  FilaBotones botones(this, "Panel1");
  QWidget* panel = botones.Panel();
  QHBoxLayout* fila = botones.Fila();
  const auto boton = [&](const char* nombre, const QString& texto) {{ return botones.Boton(nombre, texto); }};
  BotonAbrir = boton("BotonAbrir", QStringLiteral("Abrir Campos"));
  BotonGuardar2 = boton("BotonGuardar2", QStringLiteral("Guardar Vista"));
  BotonPreliminar1 = boton("BotonPreliminar1", QStringLiteral("Presentación Preliminar"));
  SpeedButton1 = boton("SpeedButton1", QStringLiteral("Presentación Preliminar"));
  BotonSalir = boton("BotonSalir", QStringLiteral("Salir"));
  BotonPreliminar1->hide();
  SpeedButton1->hide();
  fila->addStretch();
  layout()->addWidget(panel);

  ConectaDescripcion(BotonAbrir, kAyudaAbrir);
  ConectaDescripcion(BotonGuardar2, kAyudaGuardar);
  ui::Conecta(BotonAbrir, &QToolButton::clicked, this, [this] { Abrir1Click(); });
  ui::Conecta(BotonGuardar2, &QToolButton::clicked, this, [this] { BotonGuardar2Click(); });
  ui::Conecta(BotonSalir, &QToolButton::clicked, this, [this] { Close(); });
}

void TFormaDisenoVista::ConstruyeRejilla() {
  DatosConsulta = new ui::RejillaTexto(this, kColumnas, kFilas, 1, 1);
  DatosConsulta->setObjectName(QStringLiteral("DatosConsulta"));
  DatosConsulta->SetEditable(true);
  // A double click sets a property; typing edits the cell.
  DatosConsulta->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
  DatosConsulta->SetDefaultRowHeight(kAltoFila);
  DatosConsulta->SetColWidths(0, kAnchoTitulos);
  for (int f = 1; f < kFilas; ++f) DatosConsulta->SetCells(0, f, kTitulosFilas[f]);
  DatosConsulta->viewport()->setAcceptDrops(true);
  DatosConsulta->viewport()->installEventFilter(this);
  DatosConsulta->setMouseTracking(true);

  capa_ = new CapaLlaves(DatosConsulta->viewport());
  capa_->setGeometry(DatosConsulta->viewport()->rect());
  const auto redibuja = [this] { DibujaLlaves(); };
  ui::Conecta(DatosConsulta->horizontalScrollBar(), &QScrollBar::valueChanged, this, redibuja);
  ui::Conecta(DatosConsulta->verticalScrollBar(), &QScrollBar::valueChanged, this, redibuja);
  ui::Conecta(DatosConsulta->horizontalHeader(), &QHeaderView::sectionResized, this, redibuja);
  ui::Conecta(DatosConsulta, &QTableWidget::currentCellChanged, this, redibuja);
  ui::Conecta(DatosConsulta, &QAbstractItemView::doubleClicked, this, [this] { DatosConsultaDblClick(); });
}

QString TFormaDisenoVista::Celda(int col, Fila fila) const { return DatosConsulta->Cells(col, fila); }

void TFormaDisenoVista::FormShow() { setWindowState(windowState() | Qt::WindowMaximized); }

void TFormaDisenoVista::FormActivate() {
  // Only when shown: coming back from a dialog keeps the fields offered.
  if (mostrada_) return;
  mostrada_ = true;
  ListaCampos->clear();
  ListaClaves.clear();
}

void TFormaDisenoVista::FormClose() {
  mostrada_ = false;
  ui::SetTag(BotonSalir, kCerrada);
}

bool TFormaDisenoVista::eventFilter(QObject* objeto, QEvent* evento) {
  if (objeto != DatosConsulta->viewport()) return ui::Forma::eventFilter(objeto, evento);
  switch (evento->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      // Fields come from a list box.
      auto* arrastre = static_cast<QDragMoveEvent*>(evento);
      if (DeLista(*arrastre)) arrastre->acceptProposedAction();
      else arrastre->ignore();
      return true;
    }
    case QEvent::Drop: {
      auto* suelta = static_cast<QDropEvent*>(evento);
      if (!DeLista(*suelta)) return true;
      suelta->acceptProposedAction();
      ui::Protege([&] { DatosConsultaDragDrop(suelta->position().toPoint()); });
      return true;
    }
    case QEvent::MouseButtonPress: {
      // A left press on row 13 starts a free line below it.
      auto* raton = static_cast<QMouseEvent*>(evento);
      if (raton->button() == Qt::LeftButton && DatosConsulta->rowAt(raton->position().toPoint().y()) + 1 == FilaLlave)
        capa_->trazos.push_back(QPolygon({raton->position().toPoint()}));
      break;
    }
    case QEvent::MouseMove: {
      auto* raton = static_cast<QMouseEvent*>(evento);
      if ((raton->buttons() & Qt::LeftButton) && !capa_->trazos.empty()) {
        capa_->trazos.back() << raton->position().toPoint();
        capa_->update();
      }
      break;
    }
    case QEvent::Resize:
      capa_->setGeometry(DatosConsulta->viewport()->rect());
      DibujaLlaves();
      break;
    default: break;
  }
  return ui::Forma::eventFilter(objeto, evento);
}

void TFormaDisenoVista::ListaChange() {
  const int i = Lista->currentIndex();
  ListaClaves.clear();
  ListaCampos->clear();
  if (i < 0 || i >= static_cast<int>(CategoriasVista().size())) return;
  const CategoriaVista& categoria = CategoriasVista()[i];
  for (const FilaCamposReporte& f : CamposDeTabla(QString::fromUtf8(categoria.tabla).toLower()))
    ListaClaves << f.campo << f.describe << f.tipo << f.tamo;
  Tipos->setText(CarpetaListasVistas() + u'\\' + QString::fromUtf8(categoria.lista));
  for (qsizetype k = 1; k < ListaClaves.size(); k += 4) ListaCampos->addItem(ListaClaves[k]);
}

void TFormaDisenoVista::DatosConsultaDragDrop(const QPoint& punto) {
  const int col = DatosConsulta->columnAt(punto.x()) + DatosConsulta->FixedCols();
  const int i = ListaCampos->currentRow();
  const int categoria = Lista->currentIndex();
  if (col < DatosConsulta->FixedCols() || i < 0 || 4 * i + 3 >= ListaClaves.size() || categoria < 0 ||
      categoria >= static_cast<int>(CategoriasVista().size()))
    return;
  DatosConsulta->SetCells(col, FilaNombre, ListaClaves[4 * i]);
  // The dictionary's TAMO is a search mode, not a width: the report's
  // default width.
  DatosConsulta->SetCells(col, FilaAncho, QStringLiteral("0"));
  DatosConsulta->SetCells(col, FilaCampo, ListaClaves[4 * i + 1]);
  DatosConsulta->SetCells(col, FilaTabla, QString::fromUtf8(CategoriasVista()[categoria].tabla));
  DatosConsulta->SetCells(col, FilaIdentificador, QString(QChar(u'A' + categoria)));
  DatosConsulta->SetColWidths(col, DatosConsulta->fontMetrics().horizontalAdvance(ListaClaves[4 * i + 1]) + 20);
  DibujaLlaves();
}

void TFormaDisenoVista::DatosConsultaDblClick() {
  const int col = DatosConsulta->Col();
  const int fila = DatosConsulta->Row();
  if (fila < FilaFormato || col < 1 || Celda(col, FilaCampo).isEmpty()) return;
  DatosConsulta->SetCells(col, fila, Alterna(fila, Celda(col, static_cast<Fila>(fila)), ContadorLlaves));
  if (fila == FilaLlave) {
    capa_->trazos.clear();
    DibujaLlaves();
  }
}

void TFormaDisenoVista::DibujaLlaves() {
  Llaves.clear();
  int celdas = 0;
  for (int col = 1; col < kColumnas; ++col) {
    const QString celda = Celda(col, FilaLlave);
    if (!celda.startsWith(kLlave)) continue;
    ++celdas;
    bool numero = false;
    const int n = celda.mid(kLlave.size()).trimmed().toInt(&numero);
    if (!numero) continue;  // typed by hand without a number: no key
    const int c = col - DatosConsulta->FixedCols();
    const int medio = DatosConsulta->columnViewportPosition(c) + DatosConsulta->columnWidth(c) / 2;
    auto [donde, nueva] = Llaves.try_emplace(n, medio, -1);
    if (!nueva && donde->second.second < 0) donde->second.second = medio;
  }
  ContadorLlaves = celdas / 2 + 1;
  capa_->llaves.clear();
  for (const auto& [n, extremos] : Llaves) {
    if (extremos.second >= 0) capa_->llaves.push_back({n, extremos.first, extremos.second});
  }
  const int fila = FilaLlave - DatosConsulta->FixedRows();
  capa_->base = DatosConsulta->rowViewportPosition(fila) + DatosConsulta->rowHeight(fila);
  capa_->update();
}

void TFormaDisenoVista::Informacion1Click() { EscribeIndiceAyuda(*MainMenu1, windowTitle()); }
