#include "reports/Barras.h"

#include "foundation/HojaCalculo.h"
#include "foundation/describe.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_texto.h"
#include "platform/Error.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/DialogoArchivo.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/PuertaModal.h"
#include "reports/ArchivosReporte.h"
#include "reports/DialogosImpresora.h"
#include "reports/PartesReporte.h"
#include "reports/TamoColu.h"

#include <QChart>
#include <QChartView>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Help texts of the tool buttons (records of ayuda\describe.des).
constexpr int kAyudaGrafica = 59;
constexpr int kAyudaPie = 60;
constexpr int kAyudaLineas = 61;
constexpr int kAyudaReporte = 62;
constexpr int kAyudaExporta = 63;
constexpr int kAyudaAnterior = 64;
constexpr int kAyudaSiguiente = 65;
constexpr int kAyudaColor = 66;
constexpr int kAyudaSonido = 67;
constexpr int kAyudaAutomatico = 68;
constexpr int kAyudaImprime = 69;

// The files the viewer deletes from the work folder when it closes, in this
// order (comentar.tmp and format.tmp are the format language's).
const QString kArchivosVisor[] = {kArchivoAnchos,       QStringLiteral("comentar.tmp"), kArchivoEtiquetas,
                                  kArchivoExportacion, kArchivoFinal,      QStringLiteral("format.tmp"),
                                  kArchivoOrden};

}  // namespace

TEstadoVisorReporte& EstadoVisorReporte() {
  static TEstadoVisorReporte estado;
  return estado;
}

TFormaBarras::TFormaBarras(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaBarras>() = this;
  setObjectName(QStringLiteral("FormaBarras"));
  setWindowTitle(QStringLiteral("Reportes y Graficas"));
  setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  resize(632, 402);

  auto* disposicion = new QVBoxLayout(this);
  disposicion->setContentsMargins(0, 0, 0, 0);
  disposicion->setSpacing(0);
  ConstruyeMenu();
  disposicion->setMenuBar(MainMenu2);
  ConstruyeBotones();
  disposicion->addWidget(Panel2);

  Concentrado = new QTextEdit(this);
  Concentrado->setObjectName(QStringLiteral("Concentrado"));
  Concentrado->setFont(QFont(QStringLiteral("Courier New"), 8));
  Concentrado->setLineWrapMode(QTextEdit::NoWrap);
  Concentrado->setAcceptRichText(false);
  Concentrado->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Concentrado->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Concentrado->installEventFilter(this);
  disposicion->addWidget(Concentrado, 1);

  ModuloGrafica = CreaVistaGrafica(this);
  disposicion->addWidget(ModuloGrafica, 1);
  ConstruyeGrafica();

  BarradeEstado = CreaBarraDeEstado(this, PanelPaginas, QString());
  disposicion->addWidget(BarradeEstado);

  Guardar = new ui::DialogoArchivo(this, ui::DialogoArchivo::Tipo::Guardar, QStringLiteral("Guardar"));
  Guardar->Filter = kFiltroHojaCalculo;
  Impresora = new DialogoImpresion(this, QStringLiteral("Impresora"));
  Impresora->MinPage = 1;
  Impresora->MaxPage = 1000;
  Impresora->FromPage = 1;
  Impresora->ToPage = 100;

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(100);
  ui::Conecta(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });

  fuenteLienzo_ = font();

  // The state the window starts from.
  TEstadoVisorReporte& e = EstadoVisorReporte();
  e.SubtotalesGuardados = {};
  e.FinReporteAlcanzado = false;
  FijaFormatosRegionales();
  e.PaginaReporte = 0;
  e.LineasPorPaginaReporte = 50;
  e.NombresMoneda = {};
  const QVector<TRegistroMoneda> monedas = MonedasReporte();
  for (qsizetype k = 1; k <= std::min<qsizetype>(9, monedas.size()); ++k) e.NombresMoneda[k] = monedas[k - 1].Campos[MonedaDivisa];
  ReiniciaTotalesReporte();

  ui::CentraEnPantalla(*this);
}

// A viewer freed without closing still lets the work files go.
TFormaBarras::~TFormaBarras() { SueltaArchivosReporte(); }

void TFormaBarras::ConstruyeMenu() {
  MainMenu2 = new QMenuBar(this);
  MainMenu2->setObjectName(QStringLiteral("MainMenu2"));
  const auto menu = [this](const char* nombre, const QString& texto) {
    QMenu* m = MainMenu2->addMenu(texto);
    m->setObjectName(QString::fromLatin1(nombre));
    return m;
  };
  Archivo1 = menu("Archivo1", QStringLiteral("&Archivo"));
  Imprimir1 = ui::AccionNombrada(Archivo1, "Imprimir1", QStringLiteral("Imprimir"));
  Salir1 = ui::AccionNombrada(Archivo1, "Salir1", QStringLiteral("Salir"));
  Graficas1 = menu("Graficas1", QStringLiteral("&Gráficas"));
  Barras1 = ui::AccionNombrada(Graficas1, "Barras1", QStringLiteral("Barras"), QKeySequence(Qt::CTRL | Qt::Key_R));
  Pie1 = ui::AccionNombrada(Graficas1, "Pie1", QStringLiteral("Pie"), QKeySequence(Qt::CTRL | Qt::Key_P));
  Lineas1 = ui::AccionNombrada(Graficas1, "Lineas1", QStringLiteral("Lineas"), QKeySequence(Qt::CTRL | Qt::Key_L));
  Primeracolumna1 = ui::AccionNombrada(Graficas1, "Primeracolumna1", QStringLiteral("Primera Columna"));
  SegundaColumna1 = ui::AccionNombrada(Graficas1, "SegundaColumna1", QStringLiteral("Segunda Columna"));
  TerceraColumna1 = ui::AccionNombrada(Graficas1, "TerceraColumna1", QStringLiteral("Tercera Columna"));
  for (QAction* columna : {Primeracolumna1, SegundaColumna1, TerceraColumna1}) columna->setCheckable(true);
  Primeracolumna1->setChecked(true);
  Reporte1 = menu("Reporte1", QStringLiteral("&Reporte"));
  Exportar1 = ui::AccionNombrada(Reporte1, "Exportar1", QStringLiteral("Exportar"));
  Fuente1 = menu("Fuente1", QStringLiteral("&Fuente"));
  TipodeLetra1 = ui::AccionNombrada(Fuente1, "TipodeLetra1", QStringLiteral("Tipo de Fuente"));
  Ver1 = menu("Ver1", QStringLiteral("&Ver"));
  // "Anterior" has no handler of its own: opening the menu turns back a page.
  Anterior1 = ui::AccionNombrada(Ver1, "Anterior1", QStringLiteral("Anterior"), QKeySequence(Qt::CTRL | Qt::Key_A));
  Siguiente1 = ui::AccionNombrada(Ver1, "Siguiente1", QStringLiteral("Siguiente"), QKeySequence(Qt::CTRL | Qt::Key_S));
  CambiaColor1 = ui::AccionNombrada(Ver1, "CambiaColor1", QStringLiteral("Cambia Color"));
  Sonido1 = ui::AccionNombrada(Ver1, "Sonido1", QStringLiteral("Sonido"));
  AvanceAutomatico1 = ui::AccionNombrada(Ver1, "AvanceAutomatico1", QStringLiteral("Avance Automático"));
  TamaodeColumnas1 = ui::AccionNombrada(Ver1, "TamaodeColumnas1", QStringLiteral("Tamaño de Columnas"));

  ui::Conecta(Imprimir1, &QAction::triggered, this, [this] { BotonImprimeClick(); });
  ui::Conecta(Salir1, &QAction::triggered, this, [this] { Close(); });
  ui::Conecta(Barras1, &QAction::triggered, this, [this] { BotonGraficaClick(); });
  ui::Conecta(Pie1, &QAction::triggered, this, [this] { BotonPieClick(); });
  ui::Conecta(Lineas1, &QAction::triggered, this, [this] { BotonLineasClick(); });
  // The column items toggle their own marks; the charts do not read them.
  ui::Conecta(Exportar1, &QAction::triggered, this, [this] { BotonExportaClick(); });
  ui::Conecta(TipodeLetra1, &QAction::triggered, this, [this] { TipodeLetra1Click(); });
  ui::Conecta(Ver1, &QMenu::aboutToShow, this, [this] { BotonAnteriorClick(); });
  ui::Conecta(Siguiente1, &QAction::triggered, this, [this] { BotonSiguienteClick(); });
  ui::Conecta(CambiaColor1, &QAction::triggered, this, [this] { BotonColorClick(); });
  ui::Conecta(Sonido1, &QAction::triggered, this, [this] { BotonSonidoClick(); });
  ui::Conecta(AvanceAutomatico1, &QAction::triggered, this, [this] { BotonAutomaticoClick(); });
  ui::Conecta(TamaodeColumnas1, &QAction::triggered, this, [this] { TamaodeColumnas1Click(); });
}

void TFormaBarras::ConstruyeBotones() {
  Panel2 = new QWidget(this);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  auto* fila = new QHBoxLayout(Panel2);
  fila->setContentsMargins(4, 2, 4, 2);
  const auto boton = [&](const char* nombre, const QString& texto, int ayuda) {
    auto* b = new QToolButton(Panel2);
    b->setObjectName(QString::fromLatin1(nombre));
    b->setText(texto);
    b->setToolTip(texto);
    b->setAutoRaise(true);
    fila->addWidget(b);
    ConectaDescripcion(b, ayuda);
    return b;
  };
  BotonGrafica = boton("BotonGrafica", QStringLiteral("Barras"), kAyudaGrafica);
  BotonPie = boton("BotonPie", QStringLiteral("Pie"), kAyudaPie);
  BotonLineas = boton("BotonLineas", QStringLiteral("Lineas"), kAyudaLineas);
  BotonReporte = boton("BotonReporte", QStringLiteral("Ver Reporte"), kAyudaReporte);
  BotonExporta = boton("BotonExporta", QStringLiteral("Exportar"), kAyudaExporta);
  BotonAnterior = boton("BotonAnterior", QStringLiteral("Pagina Anterior"), kAyudaAnterior);
  BotonSiguiente = boton("BotonSiguiente", QStringLiteral("Pagina Siguiente"), kAyudaSiguiente);
  BotonColor = boton("BotonColor", QStringLiteral("Sonido"), kAyudaColor);
  BotonSonido = boton("BotonSonido", QStringLiteral("Sonido"), kAyudaSonido);
  BotonAutomatico = boton("BotonAutomatico", QStringLiteral("Avance Automático"), kAyudaAutomatico);
  SpeedButton3 = boton("SpeedButton3", QStringLiteral("Ajuste de Columnas"), kAyudaAutomatico);
  BotonImprime = boton("BotonImprime", QStringLiteral("Imprimir"), kAyudaImprime);
  Label1 = new QLabel(QStringLiteral("Tamaño"), Panel2);
  Label1->setObjectName(QStringLiteral("Label1"));
  fila->addWidget(Label1);
  TamanoFuente = new QSpinBox(Panel2);
  TamanoFuente->setObjectName(QStringLiteral("TamanoFuente"));
  TamanoFuente->setRange(1, 20);
  TamanoFuente->setValue(10);
  fila->addWidget(TamanoFuente);
  fila->addStretch();
  ui::SetTag(BotonGrafica, kVistaReporte);

  ui::Conecta(BotonGrafica, &QToolButton::clicked, this, [this] { BotonGraficaClick(); });
  ui::Conecta(BotonPie, &QToolButton::clicked, this, [this] { BotonPieClick(); });
  ui::Conecta(BotonLineas, &QToolButton::clicked, this, [this] { BotonLineasClick(); });
  ui::Conecta(BotonReporte, &QToolButton::clicked, this, [this] { BotonReporteClick(); });
  ui::Conecta(BotonAnterior, &QToolButton::clicked, this, [this] { BotonAnteriorClick(); });
  ui::Conecta(BotonSiguiente, &QToolButton::clicked, this, [this] { BotonSiguienteClick(); });
  ui::Conecta(BotonColor, &QToolButton::clicked, this, [this] { BotonColorClick(); });
  ui::Conecta(BotonSonido, &QToolButton::clicked, this, [this] { BotonSonidoClick(); });
  ui::Conecta(BotonExporta, &QToolButton::clicked, this, [this] { BotonExportaClick(); });
  ui::Conecta(BotonAutomatico, &QToolButton::clicked, this, [this] { BotonAutomaticoClick(); });
  ui::Conecta(BotonImprime, &QToolButton::clicked, this, [this] { BotonImprimeClick(); });
  ui::Conecta(SpeedButton3, &QToolButton::clicked, this, [this] { TamaodeColumnas1Click(); });
  ui::Conecta(TamanoFuente, &QSpinBox::valueChanged, this, [this] { TamanoFuenteChange(); });
}

int TFormaBarras::VistaGrafica() const { return ui::Tag(BotonGrafica); }

void TFormaBarras::MuestraPaginaVista() {
  switch (VistaGrafica()) {
    case kVistaBarras:
    case kVistaPie:
    case kVistaLineas: MuestraPaginaGrafica(); break;
    case kVistaReporte: MuestraPaginaReporte(EstadoVisorReporte().PaginaReporte); break;
  }
}

void TFormaBarras::FormShow() {
  EstadoVisorReporte().AnchosAplicados = false;
  EstadoVisorReporte().LlaveAnterior.clear();
  // The work files of a run of this copy, or free ones; never another
  // copy's.
  try {
    TomaArchivosReporte(false);
  } catch (const plat::Error&) {
    // Without the lock file the viewer shows no rows.
  }
}

void TFormaBarras::FormActivate() {
  update();
  if (ui::Tag(Panel2) != 0) return;
  TEstadoVisorReporte& e = EstadoVisorReporte();
  e.PaginaReporte = 0;
  e.TotalesGenerales = {};
  const int vista = VistaGrafica();
  if (vista == kVistaBarras || vista == kVistaPie) MuestraPaginaGrafica();
  else MuestraPaginaReporte(0);
  ui::SetTag(Panel2, 1);
}

void TFormaBarras::FormClose() {
  ui::SetTag(Panel2, 0);
  ModuloGrafica->hide();
  Timer1->stop();
  if (TieneArchivosReporte()) {
    for (const QString& archivo : kArchivosVisor) BorraArchivoReporte(archivo);
    SueltaArchivosReporte();
  }
  EstadoVisorReporte().Totales.reset();
}

bool TFormaBarras::eventFilter(QObject* objeto, QEvent* evento) {
  // The text page takes no Enter.
  if (objeto == Concentrado && evento->type() == QEvent::KeyPress) {
    const int tecla = static_cast<QKeyEvent*>(evento)->key();
    if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) return true;
  }
  return ui::Forma::eventFilter(objeto, evento);
}

void TFormaBarras::BotonSiguienteClick() {
  ++EstadoVisorReporte().PaginaReporte;
  if (ui::Tag(BotonSonido) == 1) EmiteSonido(100);
  MuestraPaginaVista();
}

void TFormaBarras::BotonAnteriorClick() {
  if (ui::Tag(BotonSonido) == 1) EmiteSonido(100);
  TEstadoVisorReporte& e = EstadoVisorReporte();
  if (--e.PaginaReporte <= 0) {
    e.PaginaReporte = 0;
    ReiniciaTotalesGenerales();
  }
  MuestraPaginaVista();
}

void TFormaBarras::BotonAutomaticoClick() {
  if (Timer1->isActive()) Timer1->stop();
  else Timer1->start();
}

void TFormaBarras::Timer1Timer() {
  try {
    if (ui::Tag(BotonSonido) == 1) EmiteSonido(100);
    MuestraPaginaVista();
    ++EstadoVisorReporte().PaginaReporte;
  } catch (const std::exception&) {
    // A step that fails is passed over; the advance goes on.
  }
}

void TFormaBarras::CambiaVistaGrafica(int vista) {
  TEstadoVisorReporte& e = EstadoVisorReporte();
  Concentrado->hide();
  ModuloGrafica->show();
  if (VistaGrafica() == kVistaReporte) {
    e.PaginaReporte = 0;
    ReiniciaTotalesGenerales();
  }
  if (vista != kVistaLineas) e.TotalesGenerales = {};
  ui::SetTag(BotonGrafica, vista);
  MuestraPaginaGrafica();
}

void TFormaBarras::BotonGraficaClick() { CambiaVistaGrafica(kVistaBarras); }
void TFormaBarras::BotonPieClick() { CambiaVistaGrafica(kVistaPie); }
void TFormaBarras::BotonLineasClick() { CambiaVistaGrafica(kVistaLineas); }

void TFormaBarras::BotonReporteClick() {
  TEstadoVisorReporte& e = EstadoVisorReporte();
  Concentrado->show();
  ModuloGrafica->hide();
  if (VistaGrafica() != kVistaReporte) {
    e.PaginaReporte = 0;
    ReiniciaTotalesGenerales();
  }
  e.TotalesGenerales = {};
  ui::SetTag(BotonGrafica, kVistaReporte);
}

void TFormaBarras::TipodeLetra1Click() {
  QFontDialog fuentes(Concentrado->font(), this);
  fuentes.setObjectName(QStringLiteral("Fuentes"));
  if (ui::PuertaModal::EjecutaDialogo(fuentes, fuentes.objectName()) != QDialog::Accepted) return;
  const QFont elegida = fuentes.currentFont();
  QFont fuente = Concentrado->font();
  fuente.setFamily(elegida.family());
  fuente.setPointSize(elegida.pointSize());
  Concentrado->setFont(fuente);
  fuenteLienzo_.setFamily(elegida.family());
  fuenteLienzo_.setPointSize(elegida.pointSize());
  MuestraPaginaReporte(EstadoVisorReporte().PaginaReporte);
}

void TFormaBarras::TamanoFuenteChange() {
  QFont fuente = Concentrado->font();
  fuente.setPointSize(TamanoFuente->value());
  Concentrado->setFont(fuente);
  MuestraPaginaReporte(EstadoVisorReporte().PaginaReporte);
}

void TFormaBarras::AplicaColores(const QColor& fondo, const QColor& texto) {
  QPalette paleta = Concentrado->palette();
  paleta.setColor(QPalette::Base, fondo);
  paleta.setColor(QPalette::Text, texto);
  Concentrado->setPalette(paleta);
  colorTexto_ = texto;
}

void TFormaBarras::BotonColorClick() {
  if (Concentrado->palette().color(QPalette::Base) == QColor(Qt::black)) AplicaColores(Qt::white, Qt::black);
  else AplicaColores(Qt::black, Qt::white);
  MuestraPaginaReporte(EstadoVisorReporte().PaginaReporte);
}

void TFormaBarras::BotonSonidoClick() { ui::SetTag(BotonSonido, ui::Tag(BotonSonido) == 1 ? 0 : 1); }

void TFormaBarras::TamaodeColumnas1Click() {
  TEstadoVisorReporte& e = EstadoVisorReporte();
  TFormaTamanoColumnas dialogo;
  dialogo.SetTag(0);
  for (int i = 0; i < 8; ++i) dialogo.Edit[i]->setText(QString::number(e.AnchosColumnas[i]));
  dialogo.ShowModal();
  if (dialogo.Tag() != 1) return;
  // The boxes in order; one without a width stops there, the ones before it
  // already taken.
  for (int i = 0; i < 8; ++i) {
    const QString texto = dialogo.Edit[i]->text();
    bool entero = false;
    const int ancho = texto.toInt(&entero);
    if (!entero || ancho < 0 || ancho > 0xFFFF) {
      throw plat::Error(plat::Clase::Conversion,
                        QStringLiteral("'") + texto + QStringLiteral("' no es un valor entero válido"));
    }
    e.AnchosColumnas[i] = static_cast<quint16>(ancho);
  }
  e.AnchosAplicados = true;
  MuestraPaginaReporte(e.PaginaReporte);
}

void PreparaGraficaReporte(const QString& titulo, const QString& tituloEjeInferior, const QString& tituloEjeIzquierdo,
                           qint16 valoresPorRegistro) {
  TEstadoVisorReporte& e = EstadoVisorReporte();
  ReiniciaTotalesReporte();
  e.Totales.reset();
  if (TFormaBarras* visor = FormaBarras()) {
    visor->SetTag(0);
    ui::SetTag(visor->Panel2, 0);
    ui::SetTag(visor->BotonGrafica, kVistaBarras);
    visor->Concentrado->clear();
    visor->Grafica.titulo = titulo;
    visor->Grafica.ejeInferior.titulo = tituloEjeInferior;
    visor->Grafica.ejeIzquierdo.titulo = tituloEjeIzquierdo;
    visor->RedibujaGrafica();
  }
  e.PaginaReporte = 0;
  e.ValoresPorRegistro = valoresPorRegistro;
}
