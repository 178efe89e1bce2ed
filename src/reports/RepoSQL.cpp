// The report script window: its parts, its pages and the page commands.

#include "reports/RepoSQL.h"

#include "foundation/HojaCalculo.h"
#include "platform/Error.h"
#include "platform/db/Consulta.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/DialogoArchivo.h"
#include "platform/ui/PuertaModal.h"
#include "reports/DialogosImpresora.h"
#include "reports/PartesReporte.h"

#include <QChart>
#include <QChartView>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStatusBar>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kMascaraGrafica = QStringLiteral("#,###,###,##0.###");
constexpr int kAltoTitulo = 20;   // pixels of a title line
constexpr int kAumentoRenglon = 3;  // lines after a title: the font size plus this, in pixels

QString Pagina(int pagina, int total) {
  return QStringLiteral("Página %1 de  %2").arg(pagina).arg(total);
}

}  // namespace

TFormaReporteSQL::TFormaReporteSQL(QWidget* owner) : ui::Forma(owner), Query1(std::make_unique<db::Consulta>()) {
  ui::InstanciaDe<TFormaReporteSQL>() = this;
  setObjectName(QStringLiteral("FormaReporteSQL"));
  setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  resize(760, 520);

  auto* disposicion = new QVBoxLayout(this);
  disposicion->setContentsMargins(0, 0, 0, 0);
  disposicion->setSpacing(0);
  ConstruyeBotones();
  disposicion->addWidget(Panel2);

  Hoja = new QTextEdit(this);
  Hoja->setObjectName(QStringLiteral("Hoja"));
  QFont fuente(QStringLiteral("Courier New"));
  fuente.setBold(true);
  fuente.setPixelSize(12);
  Hoja->setFont(fuente);
  Hoja->setLineWrapMode(QTextEdit::NoWrap);
  Hoja->setAcceptRichText(false);
  QPalette blanca = Hoja->palette();
  blanca.setColor(QPalette::Base, Qt::white);
  blanca.setColor(QPalette::Text, Qt::black);
  Hoja->setPalette(blanca);
  Hoja->installEventFilter(this);
  disposicion->addWidget(Hoja, 1);

  ModuloGrafica = CreaVistaGrafica(this);
  disposicion->addWidget(ModuloGrafica, 1);
  ConstruyeGrafica();

  BarradeEstado = CreaBarraDeEstado(this, PanelPaginas, QStringLiteral("Ctl+P para imprimir página actual..."));
  disposicion->addWidget(BarradeEstado);

  Guardar = new ui::DialogoArchivo(this, ui::DialogoArchivo::Tipo::Guardar, QStringLiteral("Guardar"));
  Guardar->Filter = kFiltroHojaCalculo;
  Impresora = new DialogoImpresion(this, QStringLiteral("Impresora"));

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(100);
  ui::Conecta(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });

  atributos_ = FormatoTexto();
}

TFormaReporteSQL::~TFormaReporteSQL() = default;

void TFormaReporteSQL::ConstruyeBotones() {
  Panel2 = new QWidget(this);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  auto* fila = new QHBoxLayout(Panel2);
  fila->setContentsMargins(4, 2, 4, 2);
  const auto boton = [&](const char* nombre, const QString& texto, void (TFormaReporteSQL::*accion)()) {
    auto* b = new QToolButton(Panel2);
    b->setObjectName(QString::fromLatin1(nombre));
    b->setText(texto);
    b->setToolTip(texto);
    b->setAutoRaise(true);
    fila->addWidget(b);
    ui::Conecta(b, &QToolButton::clicked, this, [this, accion] { (this->*accion)(); });
    return b;
  };
  const auto numero = [&](const char* nombre, int minimo, int maximo, int valor) {
    auto* n = new QSpinBox(Panel2);
    n->setObjectName(QString::fromLatin1(nombre));
    n->setRange(minimo, maximo);
    n->setValue(valor);
    fila->addWidget(n);
    return n;
  };
  BotonGrafica = boton("BotonGrafica", QStringLiteral("Barras"), &TFormaReporteSQL::BotonGraficaClick);
  BotonPie = boton("BotonPie", QStringLiteral("Pie"), &TFormaReporteSQL::BotonPieClick);
  BotonLineas = boton("BotonLineas", QStringLiteral("Lineas"), &TFormaReporteSQL::BotonLineasClick);
  BotonReporte = boton("BotonReporte", QStringLiteral("Ver Reporte"), &TFormaReporteSQL::BotonReporteClick);
  BotonExporta = boton("BotonExporta", QStringLiteral("Exportar"), &TFormaReporteSQL::BotonExportaClick);
  BotonAnterior = boton("BotonAnterior", QStringLiteral("Pagina Anterior"), &TFormaReporteSQL::BotonAnteriorClick);
  BotonSiguiente =
      boton("BotonSiguiente", QStringLiteral("Pagina Siguiente"), &TFormaReporteSQL::BotonSiguienteClick);
  PaginaActual = numero("PaginaActual", 1, 100000, 1);
  BotonColor = boton("BotonColor", QStringLiteral("Color"), &TFormaReporteSQL::BotonColorClick);
  BotonColor->setToolTip(QStringLiteral("Sonido"));
  BotonAutomatico =
      boton("BotonAutomatico", QStringLiteral("Avance Automático"), &TFormaReporteSQL::BotonAutomaticoClick);
  SpeedButton1 = boton("SpeedButton1", QStringLiteral("Ajuste de Columnas"), &TFormaReporteSQL::SpeedButton1Click);
  auto* tamano = new QLabel(QStringLiteral("Tamaño"), Panel2);
  fila->addWidget(tamano);
  TamanoFuente = numero("TamanoFuente", 1, 100, 10);
  BotonImprime = boton("BotonImprime", QStringLiteral("Imprimir"), &TFormaReporteSQL::BotonImprimeClick);
  fila->addStretch();
  ui::SetTag(BotonGrafica, kGraficaBarrasGuion);

  ui::Conecta(PaginaActual, &QSpinBox::valueChanged, this, [this] { PaginaActualChange(); });
  ui::Conecta(TamanoFuente, &QSpinBox::valueChanged, this, [this] { TamanoFuenteChange(); });
}

void TFormaReporteSQL::ConstruyeGrafica() {
  Grafica.titulo = QStringLiteral("Gráficas");
  Grafica.ejeIzquierdo.titulo = QStringLiteral("Valor");
  Grafica.ejeIzquierdo.mascara = kMascaraGrafica;
  Grafica.ejeIzquierdo.automatico = false;
  Grafica.ejesVisibles = false;
  Grafica.series.assign(3, SerieGrafica());
  SerieGrafica& barras = Grafica.series[0];
  barras.color = Qt::red;
  barras.colorPorPunto = true;
  barras.marcas = MarcaGrafica::Valor;
  barras.mascaraMarcas = kMascaraGrafica;
  SerieGrafica& pie = Grafica.series[1];
  pie.tipo = TipoSerieGrafica::Pie;
  pie.colorPorPunto = true;
  pie.marcas = MarcaGrafica::Etiqueta;
  SerieGrafica& linea = Grafica.series[2];
  linea.tipo = TipoSerieGrafica::Lineas;
  linea.color = Qt::yellow;
  RedibujaGrafica();
}

void TFormaReporteSQL::RedibujaGrafica() { DibujaGrafica(Grafica, *ModuloGrafica->chart()); }

Dinero TFormaReporteSQL::TotalGuion(int bloque, int columna) const {
  if (bloque < 1 || bloque > static_cast<int>(TotalesGuion.size())) return {};
  const std::vector<Dinero>& totales = TotalesGuion[static_cast<size_t>(bloque - 1)];
  if (columna < 1 || columna > static_cast<int>(totales.size())) return {};
  return totales[static_cast<size_t>(columna - 1)];
}

QTextCharFormat TFormaReporteSQL::FormatoTexto() const {
  QTextCharFormat formato;
  formato.setFont(Hoja->font());
  formato.setForeground(colorFuente_);
  return formato;
}

void TFormaReporteSQL::AgregaLineaHoja(const QString& texto, const QTextCharFormat& formato) {
  QTextCursor cursor(Hoja->document());
  cursor.movePosition(QTextCursor::End);
  // The empty document has one empty line to write into.
  if (lineasHoja_ > 0) cursor.insertBlock(QTextBlockFormat(), formato);
  else cursor.setBlockCharFormat(formato);
  cursor.insertText(texto, formato);
  ++lineasHoja_;
}

void TFormaReporteSQL::LimpiaHoja() {
  Hoja->clear();
  lineasHoja_ = 0;
  atributos_ = FormatoTexto();
}

void TFormaReporteSQL::MuestraPaginaGuion() {
  switch (TipoReporteGuion) {
    case 2:
      // The summary in place of every page.
      ResumenCorteGlobal();
      PaginaGuion = TotalPaginasGuion = 1;
      Timer1->stop();
      return;
    case 1:
      ResumenCorteCaja();
      TipoReporteGuion = 0;
      break;
    case 3:
      ResumenCorteCobranza();
      TipoReporteGuion = 0;
      break;
    case 4: {
      // Only the titles, headings, subtotals and totals, and empty lines.
      QStringList resumen;
      for (const QString& linea : std::as_const(PaginasGuion)) {
        if (linea.isEmpty() || linea.startsWith(u'/')) resumen << QString(linea).remove(u'/');
      }
      PaginasGuion = resumen;
      ResumenCorteCaja();
      TipoReporteGuion = 0;
      break;
    }
    default:
      break;
  }
  if (PaginasGuion.isEmpty()) throw plat::Error(plat::Clase::Estado, QStringLiteral("El reporte no tiene renglones"));

  LimpiaHoja();
  const qsizetype lineas = PaginasGuion.size();
  TotalPaginasGuion = static_cast<int>((lineas + RenglonesPorPaginaGuion - 1) / RenglonesPorPaginaGuion);
  PaginaGuion = std::clamp(PaginaGuion, 1, TotalPaginasGuion);
  const qsizetype desde = qsizetype(PaginaGuion - 1) * RenglonesPorPaginaGuion;
  const qsizetype hasta = std::min(desde + RenglonesPorPaginaGuion, lineas);
  for (qsizetype i = desde; i < hasta; ++i) {
    const QString& linea = PaginasGuion[i];
    if (linea.startsWith(u'*')) TituloPaginaGuion(linea);
    else AgregaLineaHoja(linea, atributos_);
  }
  Hoja->moveCursor(QTextCursor::Start);
  PanelPaginas->setText(Pagina(PaginaGuion, TotalPaginasGuion));
  // The last page ends the automatic advance.
  if (PaginaGuion == TotalPaginasGuion) Timer1->stop();
}

void TFormaReporteSQL::TituloPaginaGuion(const QString& linea) {
  const QString texto = QString(linea).remove(u'*');
  if (texto.isEmpty()) return;
  QTextCharFormat rojo = FormatoTexto();
  rojo.setForeground(QColor(Qt::red));
  QFont fuente = rojo.font();
  fuente.setPixelSize(kAltoTitulo);
  rojo.setFont(fuente);
  AgregaLineaHoja(texto, rojo);
  atributos_ = FormatoTexto();
  fuente = atributos_.font();
  fuente.setPixelSize(QFontInfo(Hoja->font()).pointSize() + kAumentoRenglon);
  atributos_.setFont(fuente);
  AgregaLineaHoja(QString(), atributos_);
}

void TFormaReporteSQL::FijaPagina(int pagina) {
  PaginaGuion = pagina;
  MuestraPaginaGuion();
  const QSignalBlocker quieto(PaginaActual);
  PaginaActual->setValue(std::max(PaginaGuion, 1));
}

void TFormaReporteSQL::PaginaActualChange() { FijaPagina(PaginaActual->value()); }

void TFormaReporteSQL::BotonSiguienteClick() { PaginaActual->setValue(PaginaGuion + 1); }

void TFormaReporteSQL::BotonAnteriorClick() { PaginaActual->setValue(std::max(PaginaGuion - 1, 1)); }

void TFormaReporteSQL::Timer1Timer() { FijaPagina(PaginaGuion + 1); }

void TFormaReporteSQL::BotonAutomaticoClick() {
  if (Timer1->isActive()) Timer1->stop();
  else Timer1->start();
}

void TFormaReporteSQL::TamanoFuenteChange() {
  QFont fuente = Hoja->font();
  fuente.setPointSize(TamanoFuente->value());
  Hoja->setFont(fuente);
  MuestraPaginaGuion();
}

void TFormaReporteSQL::BotonColorClick() {
  PaginaGuion = std::max(PaginaGuion, 1);
  const bool blanca = Hoja->palette().color(QPalette::Base) == QColor(Qt::white);
  QPalette paleta = Hoja->palette();
  paleta.setColor(QPalette::Base, blanca ? Qt::black : Qt::white);
  paleta.setColor(QPalette::Text, blanca ? Qt::white : Qt::black);
  Hoja->setPalette(paleta);
  colorFuente_ = blanca ? Qt::white : Qt::black;
  MuestraPaginaGuion();
}

void TFormaReporteSQL::SpeedButton1Click() {
  QFontDialog fuentes(Hoja->font(), this);
  fuentes.setObjectName(QStringLiteral("Fuente"));
  if (ui::PuertaModal::EjecutaDialogo(fuentes, fuentes.objectName()) != QDialog::Accepted) return;
  // As a rich edit's selection attributes: the text chosen, and what is
  // typed or added next, take the font.
  const QFont elegida = fuentes.currentFont();
  QTextCharFormat formato;
  formato.setFontFamilies({elegida.family()});
  formato.setFontPointSize(elegida.pointSizeF());
  Hoja->mergeCurrentCharFormat(formato);
  atributos_.merge(formato);
}

void TFormaReporteSQL::BotonReporteClick() {
  PaginaGuion = 0;
  SetTag(0);
  Hoja->show();
  ModuloGrafica->hide();
}

void TFormaReporteSQL::FormShow() { setWindowState(windowState() | Qt::WindowMaximized); }

void TFormaReporteSQL::FormClose() {
  Timer1->stop();
  PaginasGuion.clear();
  Query1->Close();
}

bool TFormaReporteSQL::eventFilter(QObject* objeto, QEvent* evento) {
  if (objeto == Hoja && evento->type() == QEvent::KeyPress) {
    const auto* tecla = static_cast<QKeyEvent*>(evento);
    if (tecla->key() == Qt::Key_P && tecla->modifiers() == Qt::ControlModifier) {
      ui::Protege([this] { ImprimeHoja(); });
      return true;
    }
  }
  return ui::Forma::eventFilter(objeto, evento);
}
