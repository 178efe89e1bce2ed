#include "reports/NuevoReporte.h"
#include "reports/BotonesReporte.h"

#include "foundation/rutinas.h"
#include "foundation/rutinas_numero.h"
#include "platform/Error.h"
#include "platform/db/Dataset.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/print/Impresora.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/PuertaModal.h"
#include "platform/ui/RejillaDatos.h"
#include "reports/Consulta.h"
#include "reports/DialogosImpresora.h"
#include "reports/Graficas.h"
#include "reports/TamoColu.h"

#include <QDir>
#include <QFontDialog>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr int kAnchoNumero = 12;
constexpr int kAnchoFecha = 10;
constexpr int kAnchoMaximo = 40;
constexpr int kAltoTitulo = 20;
constexpr int kConsecutivoVisible = 40;
constexpr int kConsecutivoOculto = -1;
const QString kMascaraEntera = QStringLiteral("#,###,###,##0");
const QString kMascaraDecimal = QStringLiteral("##,###,##0.00");
const QString kFuenteFija = QStringLiteral("Courier New");
const QString kConsecutivo = QStringLiteral("CONSEC");
const QString kTotales = QStringLiteral("TOTALES");

QString SinMarcas(QString texto) { return texto.remove(u'#').remove(u'$').remove(u'&'); }

// A row of totals loses the lone "0.00" of its empty amounts: four
// characters "0.00" at position k (from 1, between the 4th and the 4th from
// the end) become blanks when the character three places before k is
// neither "," nor any character up to "9".
QString OrdenaTotales(QString linea) {
  for (qsizetype k = 4; k <= linea.size() - 3; ++k) {
    const QChar antes = linea[k - 4];
    if (QStringView(linea).mid(k - 1, 4) == u"0.00" && antes != u',' && antes > u'9') linea.replace(k - 1, 4, QString(4, u' '));
  }
  return linea;
}

}  // namespace

TFormaNuevoReporte::TFormaNuevoReporte(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaNuevoReporte>() = this;
  setObjectName(QStringLiteral("FormaNuevoReporte"));
  setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  resize(640, 420);

  auto* disposicion = new QVBoxLayout(this);
  disposicion->setContentsMargins(0, 0, 0, 0);
  disposicion->setSpacing(0);
  ConstruyeMenu();
  disposicion->setMenuBar(MainMenu2);
  ConstruyeBotones();

  Concentrado = new QTextEdit(this);
  Concentrado->setObjectName(QStringLiteral("Concentrado"));
  Concentrado->setFont(QFont(kFuenteFija, 10));
  Concentrado->setLineWrapMode(QTextEdit::NoWrap);
  Concentrado->setAcceptRichText(false);
  Concentrado->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Concentrado->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  disposicion->addWidget(Concentrado, 1);
  colorTexto_ = Concentrado->palette().color(QPalette::Text);

  EtiquetaTamano = new QLabel(this);
  EtiquetaTamano->setObjectName(QStringLiteral("EtiquetaTamano"));
  EtiquetaTamano->hide();

  BarradeEstado = new QStatusBar(this);
  BarradeEstado->setObjectName(QStringLiteral("BarradeEstado"));
  BarradeEstado->setSizeGripEnabled(false);
  PanelPaginas = new QLabel(QStringLiteral("Paginas 0"), BarradeEstado);
  PanelPaginas->setObjectName(QStringLiteral("PanelPaginas"));
  PanelPaginas->setFixedWidth(200);
  auto* segundo = new QLabel(BarradeEstado);
  segundo->setFixedWidth(50);
  BarradeEstado->addWidget(PanelPaginas);
  BarradeEstado->addWidget(segundo);
  disposicion->addWidget(BarradeEstado);

  Impresora = new DialogoImpresion(this, QStringLiteral("Impresora"));
  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(1000);
  ui::Conecta(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });

  RenglonesPorPagina = 40;
  PaginaActual = 0;
  ui::CentraEnPantalla(*this);
}

void TFormaNuevoReporte::ConstruyeMenu() {
  MainMenu2 = new QMenuBar(this);
  MainMenu2->setObjectName(QStringLiteral("MainMenu2"));
  const auto menu = [this](const char* nombre, const QString& texto) { return MenuReporte(MainMenu2, nombre, texto); };
  Archivo1 = menu("Archivo1", QStringLiteral("&Archivo"));
  Imprimir1 = AccionReporte(Archivo1, "Imprimir1", QStringLiteral("Imprimir"));
  Salir1 = AccionReporte(Archivo1, "Salir1", QStringLiteral("Salir"));
  Reporte1 = menu("Reporte1", QStringLiteral("&Reporte"));
  Exportar1 = AccionReporte(Reporte1, "Exportar1", QStringLiteral("Exportar"));
  Fuente1 = menu("Fuente1", QStringLiteral("&Fuente"));
  TipodeLetra1 = AccionReporte(Fuente1, "TipodeLetra1", QStringLiteral("Tipo de Fuente"));
  Ver1 = menu("Ver1", QStringLiteral("&Ver"));
  Anterior1 = AccionReporte(Ver1, "Anterior1", QStringLiteral("Anterior"), QKeySequence(Qt::CTRL | Qt::Key_A));
  Siguiente1 = AccionReporte(Ver1, "Siguiente1", QStringLiteral("Siguiente"), QKeySequence(Qt::CTRL | Qt::Key_S));
  CambiaColor1 = AccionReporte(Ver1, "CambiaColor1", QStringLiteral("Cambia Color"));
  Sonido1 = AccionReporte(Ver1, "Sonido1", QStringLiteral("Sonido"));
  AvanceAutomatico1 = AccionReporte(Ver1, "AvanceAutomatico1", QStringLiteral("Avance Automático"));
  TamaodeColumnas1 = AccionReporte(Ver1, "TamaodeColumnas1", QStringLiteral("Tamaño de Columnas"));
  DiseodeDatos1 = AccionReporte(Ver1, "DiseodeDatos1", QStringLiteral("Diseño de Datos"));
  Consecutivo1 = AccionReporte(Ver1, "Consecutivo1", QStringLiteral("Consecutivo"));
  Consecutivo1->setCheckable(true);

  ui::Conecta(Imprimir1, &QAction::triggered, this, [this] { BotonImprimeClick(); });
  ui::Conecta(Salir1, &QAction::triggered, this, [this] { Close(); });
  ui::Conecta(TipodeLetra1, &QAction::triggered, this, [this] { TipodeLetra1Click(); });
  ui::Conecta(Anterior1, &QAction::triggered, this, [this] { BotonAnteriorClick(); });
  ui::Conecta(Siguiente1, &QAction::triggered, this, [this] { BotonSiguienteClick(); });
  ui::Conecta(CambiaColor1, &QAction::triggered, this, [this] { BotonColorClick(); });
  ui::Conecta(AvanceAutomatico1, &QAction::triggered, this, [this] { BotonAutomaticoClick(); });
  ui::Conecta(DiseodeDatos1, &QAction::triggered, this, [this] { DiseodeDatos1Click(); });
  ui::Conecta(Consecutivo1, &QAction::triggered, this, [this] { Consecutivo1Click(); });
}

void TFormaNuevoReporte::ConstruyeBotones() {
  FilaBotones botones(this, "Panel2");
  QWidget* panel = botones.Panel();
  QHBoxLayout* fila = botones.Fila();
  const auto boton = [&](const char* nombre, const QString& texto) {{ return botones.Boton(nombre, texto); }};
  BotonReporte = boton("BotonReporte", QStringLiteral("Ver Reporte"));
  BotonImprime = boton("BotonImprime", QStringLiteral("Imprimir"));
  BotonExporta = boton("BotonExporta", QStringLiteral("Exportar"));
  BotonAnterior = boton("BotonAnterior", QStringLiteral("Pagina Anterior"));
  BotonSiguiente = boton("BotonSiguiente", QStringLiteral("Pagina Siguiente"));
  BotonColor = boton("BotonColor", QStringLiteral("Sonido"));
  BotonAutomatico = boton("BotonAutomatico", QStringLiteral("Avance Automático"));
  SpeedButton3 = boton("SpeedButton3", QStringLiteral("Ajuste de Columnas"));
  Label1 = new QLabel(QStringLiteral("Tamaño"), panel);
  Label1->setObjectName(QStringLiteral("Label1"));
  fila->addWidget(Label1);
  TamanoFuente = new QSpinBox(panel);
  TamanoFuente->setObjectName(QStringLiteral("TamanoFuente"));
  TamanoFuente->setRange(1, 20);
  TamanoFuente->setValue(10);
  fila->addWidget(TamanoFuente);
  fila->addStretch();
  layout()->addWidget(panel);

  ui::Conecta(BotonReporte, &QToolButton::clicked, this, [this] { BotonReporteClick(); });
  ui::Conecta(BotonImprime, &QToolButton::clicked, this, [this] { BotonImprimeClick(); });
  ui::Conecta(BotonExporta, &QToolButton::clicked, this, [this] { BotonExportaClick(); });
  ui::Conecta(BotonAnterior, &QToolButton::clicked, this, [this] { BotonAnteriorClick(); });
  ui::Conecta(BotonSiguiente, &QToolButton::clicked, this, [this] { BotonSiguienteClick(); });
  ui::Conecta(BotonColor, &QToolButton::clicked, this, [this] { BotonColorClick(); });
  ui::Conecta(BotonAutomatico, &QToolButton::clicked, this, [this] { BotonAutomaticoClick(); });
  ui::Conecta(SpeedButton3, &QToolButton::clicked, this, [this] { SpeedButton3Click(); });
  ui::Conecta(TamanoFuente, &QSpinBox::valueChanged, this, [this] { TamanoFuenteChange(); });
}

db::Dataset* TFormaNuevoReporte::Datos() const {
  return Detalle && Detalle->Fuente() ? Detalle->Fuente()->DataSet() : nullptr;
}

void TFormaNuevoReporte::FormShow() { setWindowState(windowState() | Qt::WindowMaximized); }

void TFormaNuevoReporte::LeeAnchos() {
  AnchosColumnas.clear();
  QStringList elementos = EstadoConsultas().AnchosVista.split(u',');
  elementos.removeLast();  // what follows the last comma is not read
  for (const QString& e : elementos) AnchosColumnas << e.trimmed().toInt();
}

int TFormaNuevoReporte::AnchoColumna(int i, int d) const {
  const int guardado = i >= 0 && i < AnchosColumnas.size() ? AnchosColumnas[i] : 0;
  if (guardado >= 1) return guardado;
  return guardado == 0 ? d : 0;
}

int TFormaNuevoReporte::AnchoCelda(const db::Campo& campo, int i, bool& numero) const {
  numero = false;
  const int ancho = i < 0 ? anchoConsecutivo_ : AnchoColumna(i, campo.Ancho());
  if (ancho < 1) return 0;
  switch (campo.Tipo()) {
    case db::TipoDato::Entero:
    case db::TipoDato::Moneda: return kAnchoNumero;
    case db::TipoDato::Flotante: numero = true; return kAnchoNumero;
    case db::TipoDato::Fecha: return kAnchoFecha;
    default: return ancho;
  }
}

QString TFormaNuevoReporte::AjustaCelda(QString texto, int w, bool numero) const {
  w = std::min(w, kAnchoMaximo);
  texto = texto.size() <= w ? texto.leftJustified(w + 1, u' ') : texto.left(w) + u' ';
  const QFont fuente = Concentrado->font();
  if (fuente.family() == kFuenteFija) return texto;
  // Blanks to the width of w letters "M" in the report's font.
  EtiquetaTamano->setFont(fuente);
  const QFontMetrics medidas = EtiquetaTamano->fontMetrics();
  const int blanco = medidas.horizontalAdvance(u' ');
  if (blanco <= 0) return texto;
  const double faltan = double(w * medidas.horizontalAdvance(u'M') - medidas.horizontalAdvance(texto)) / blanco;
  if (faltan <= 0) return texto;
  double entera = 0;
  const double fraccion = std::modf(faltan, &entera);
  const QString relleno(static_cast<int>(entera) + (fraccion >= 0.8 ? 1 : 0), u' ');
  return numero ? relleno + texto : texto + relleno;
}

QString TFormaNuevoReporte::FormateaCelda(const db::Campo& campo, const QString& titulo, int i) const {
  bool numero = false;
  const int w = AnchoCelda(campo, i, numero);
  if (w < 1) return QString();
  QString texto = campo.AsString();
  if (numero) {
    const bool entero = titulo.startsWith(u'#') || titulo.startsWith(u"$#");
    double valor = 0;
    if (!LeeReal(texto, valor)) valor = 0;
    texto = FormatoMascara(entero ? kMascaraEntera : kMascaraDecimal, valor).rightJustified(kAnchoNumero, u' ');
  }
  return AjustaCelda(texto, w, numero);
}

QString TFormaNuevoReporte::TituloExpandido() const {
  const QString titulo = windowTitle();
  try {
    const db::Dataset* datos = Datos();
    QString expandido;
    for (const QString& palabra : titulo.split(u' ')) {
      const db::Campo* campo = palabra.startsWith(u'&') && datos ? datos->FindField(SinMarcas(palabra)) : nullptr;
      expandido += (campo ? QStringLiteral("  ") + campo->AsString() : palabra) + u' ';
    }
    return expandido;
  } catch (const std::exception&) {
    return titulo;
  }
}

void TFormaNuevoReporte::PintaPagina(int p, bool agrega) {
  db::Dataset* datos = Datos();
  if (!agrega) Concentrado->clear();
  if (!datos || !datos->Active()) return;
  datos->First();
  datos->MoveBy(p * RenglonesPorPagina);

  // Every column of the grid, the consecutive one apart when it is the
  // data's last field.
  const int campos = datos->FieldCount();
  const db::Campo* consecutivo =
      campos > 0 && datos->Fields(campos - 1).Nombre().compare(kConsecutivo, Qt::CaseInsensitive) == 0
          ? &datos->Fields(campos - 1)
          : nullptr;
  struct Columna {
    const db::Campo* campo;
    QString titulo;
  };
  QVector<Columna> columnas;
  for (int i = 0; i < Detalle->Columnas(); ++i) {
    const ui::ColumnaDatos c = Detalle->Columna(i);
    const db::Campo* campo = datos->FindField(c.campo);
    if (!campo || campo == consecutivo) continue;
    columnas.push_back({campo, c.titulo.isEmpty() ? c.campo : c.titulo});
  }

  QTextCursor cursor(Concentrado->document());
  cursor.movePosition(QTextCursor::End);
  QTextCharFormat cuerpo;
  cuerpo.setForeground(colorTexto_);
  cuerpo.setFontWeight(QFont::Normal);
  cuerpo.setProperty(QTextFormat::FontPixelSize, Concentrado->font().pointSize() + 3);
  bool primera = Concentrado->document()->isEmpty();
  const auto agregaLinea = [&](const QString& linea, const QTextCharFormat& formato) {
    if (!primera) cursor.insertBlock(QTextBlockFormat(), formato);
    primera = false;
    cursor.insertText(linea, formato);
  };
  // The title cell of a column takes its cells' width.
  const auto tituloCelda = [&](const db::Campo& campo, const QString& titulo, int i) {
    bool numero = false;
    const int w = AnchoCelda(campo, i, numero);
    return w < 1 ? QString() : AjustaCelda(SinMarcas(titulo), w, false);
  };

  if (p == 0) {
    QTextCharFormat encabezado;
    encabezado.setForeground(QColor(Qt::red));
    encabezado.setFontWeight(QFont::Bold);
    encabezado.setProperty(QTextFormat::FontPixelSize, kAltoTitulo);
    agregaLinea(TituloExpandido(), encabezado);
    agregaLinea(QStringLiteral(" "), cuerpo);
    QString titulos;
    if (consecutivo) titulos += tituloCelda(*consecutivo, QStringLiteral("#Consecutivo"), -1) + u' ';
    for (int i = 0; i < columnas.size(); ++i) titulos += tituloCelda(*columnas[i].campo, columnas[i].titulo, i) + u' ';
    agregaLinea(titulos + u' ', cuerpo);
    agregaLinea(QStringLiteral(" "), cuerpo);
  }

  for (int escritos = 0; !datos->Eof() && escritos < RenglonesPorPagina; ++escritos) {
    QString linea;
    if (consecutivo) linea += FormateaCelda(*consecutivo, QStringLiteral("#Consecutivo"), -1) + u' ';
    for (int i = 0; i < columnas.size(); ++i) linea += FormateaCelda(*columnas[i].campo, columnas[i].titulo, i) + u' ';
    if (campos > 0 && datos->Fields(0).AsString() == kTotales) linea = OrdenaTotales(linea);
    agregaLinea(linea + u' ', cuerpo);
    datos->Next();
  }

  if (datos->Eof() && EstadoConsultas().BanderaRetiros == u"S") {
    agregaLinea(QString(), cuerpo);
    agregaLinea(QString(), cuerpo);
    const QString retiros = fs::Une(CarpetaInicio(), QStringLiteral("tempo\\") + kArchivoRetiros);
    if (fs::ExisteArchivo(retiros)) {
      for (const QString& linea : fs::LeeLineas(retiros)) agregaLinea(linea, cuerpo);
    }
  }
}

void TFormaNuevoReporte::MuestraPagina(int p) {
  PaginaActual = p;
  PintaPagina(p);
  PanelPaginas->setText(QStringLiteral("Página ") + QString::number(p + 1));
}

void TFormaNuevoReporte::BotonSiguienteClick() {
  if (PaginaActual < TotalPaginas - 1) MuestraPagina(PaginaActual + 1);
}

void TFormaNuevoReporte::BotonAnteriorClick() {
  if (PaginaActual > 0) MuestraPagina(PaginaActual - 1);
}

void TFormaNuevoReporte::BotonAutomaticoClick() {
  if (Timer1->isActive()) Timer1->stop();
  else Timer1->start();
}

void TFormaNuevoReporte::Timer1Timer() {
  BotonSiguienteClick();
  if (PaginaActual >= TotalPaginas - 1) Timer1->stop();
}

void TFormaNuevoReporte::TamanoFuenteChange() {
  QFont fuente = Concentrado->font();
  fuente.setPointSize(std::max(TamanoFuente->value(), 1));
  Concentrado->setFont(fuente);
  PintaPagina(PaginaActual);
}

void TFormaNuevoReporte::TipodeLetra1Click() {
  QFontDialog fuentes(Concentrado->font(), this);
  fuentes.setObjectName(QStringLiteral("Fuentes"));
  if (ui::PuertaModal::EjecutaDialogo(fuentes, fuentes.objectName()) != QDialog::Accepted) return;
  QFont fuente = Concentrado->font();
  fuente.setFamily(fuentes.currentFont().family());
  fuente.setPointSize(fuentes.currentFont().pointSize());
  Concentrado->setFont(fuente);
  setFont(fuente);
  PintaPagina(PaginaActual);
}

void TFormaNuevoReporte::BotonColorClick() {
  QPalette paleta = Concentrado->palette();
  const bool negro = paleta.color(QPalette::Base) == QColor(Qt::black);
  paleta.setColor(QPalette::Base, negro ? Qt::white : Qt::black);
  colorTexto_ = negro ? Qt::black : Qt::white;
  paleta.setColor(QPalette::Text, colorTexto_);
  Concentrado->setPalette(paleta);
  PintaPagina(PaginaActual);
}

void TFormaNuevoReporte::SpeedButton3Click() {
  TFormaTamanoColumnas dialogo;
  dialogo.SetTag(0);
  for (int i = 0; i < 8; ++i) dialogo.Edit[i]->setText(QString::number(i < AnchosColumnas.size() ? AnchosColumnas[i] : 0));
  dialogo.ShowModal();
  if (dialogo.Tag() != 1) return;
  if (AnchosColumnas.size() < 8) AnchosColumnas.resize(8);
  // The boxes in order; one without a whole number stops there, the ones
  // before it already taken.
  for (int i = 0; i < 8; ++i) {
    const QString texto = dialogo.Edit[i]->text();
    bool entero = false;
    const int ancho = texto.trimmed().toInt(&entero);
    if (!entero) {
      PintaPagina(PaginaActual);
      throw plat::Error(plat::Clase::Conversion,
                        QStringLiteral("'") + texto + QStringLiteral("' no es un valor entero válido"));
    }
    AnchosColumnas[i] = ancho;
  }
  PintaPagina(PaginaActual);
}

void TFormaNuevoReporte::BotonImprimeClick() {
  Impresora->MinPage = 1;
  Impresora->MaxPage = std::max(TotalPaginas, 1);
  Impresora->FromPage = 1;
  Impresora->ToPage = std::max(TotalPaginas, 1);
  if (!Impresora->Execute()) return;
  print::Impresora::Global().lienzo().fuente().tamano = TamanoFuente->value();
  int desde = Impresora->FromPage;
  int hasta = Impresora->ToPage;
  if (Impresora->PrintRange == DialogoImpresion::Rango::Todas) {
    desde = 1;
    hasta = std::max(TotalPaginas, 1);
  }
  Concentrado->clear();
  for (int p = desde; p <= hasta; ++p) PintaPagina(p - 1, true);
  ImprimeConcentrado();
}

void TFormaNuevoReporte::ImprimeConcentrado() {
  print::Impresora& impresora = print::Impresora::Global();
  print::Lienzo& lienzo = impresora.lienzo();
  const int margen = impresora.Resolucion() / 2;
  const int pie = impresora.AltoPagina() - margen;
  impresora.Comienza(kTituloTrabajoReporteTexto);
  try {
    int y = margen;
    for (QTextBlock b = Concentrado->document()->begin(); b.isValid(); b = b.next()) {
      // The title red and bold as on the screen; the rest black on the
      // paper whatever the screen's colours.
      const QTextCharFormat formato = b.begin().atEnd() ? b.charFormat() : b.begin().fragment().charFormat();
      print::Fuente& fuente = lienzo.fuente();
      fuente.nombre = Concentrado->font().family();
      fuente.tamano = TamanoFuente->value();
      fuente.negrita = formato.fontWeight() >= QFont::Bold;
      fuente.color = fuente.negrita ? QColor(Qt::red) : QColor(Qt::black);
      if (fuente.negrita) fuente.tamano = kAltoTitulo * 3 / 4;
      const int alto = lienzo.AltoTexto(QStringLiteral("M"));
      if (y + alto > pie && y > margen) {
        impresora.NuevaPagina();
        y = margen;
      }
      lienzo.Texto(margen, y, b.text());
      y += alto;
    }
    lienzo.fuente().negrita = false;
    lienzo.fuente().color = Qt::black;
    impresora.Termina();
  } catch (...) {
    impresora.Aborta();
    throw;
  }
}

void TFormaNuevoReporte::BotonExportaClick() {
  if (TFormaGraficas* graficas = FormaGraficas()) graficas->Exc1Click();
}

void TFormaNuevoReporte::DiseodeDatos1Click() {
  if (TFormaGraficas* graficas = FormaGraficas()) graficas->ShowModal();
  PintaPagina(PaginaActual);
}

void TFormaNuevoReporte::Consecutivo1Click() {
  db::Dataset* datos = Datos();
  if (!datos) return;
  datos->FieldByName(kConsecutivo);  // a missing field is an error
  anchoConsecutivo_ = Consecutivo1->isChecked() ? kConsecutivoVisible : kConsecutivoOculto;
  PintaPagina(PaginaActual);
}

void TFormaNuevoReporte::BotonReporteClick() { Concentrado->show(); }

void AbreReporteTexto(ui::RejillaDatos* rejilla, const QString& titulo, const QString& anchos) {
  if (!anchos.isEmpty()) EstadoConsultas().AnchosVista = anchos;
  TFormaNuevoReporte reporte;
  reporte.RenglonesPorPagina = 40;
  reporte.PaginaActual = 0;
  reporte.Concentrado->clear();
  reporte.LeeAnchos();
  reporte.setWindowTitle(titulo);
  reporte.Detalle = rejilla;
  db::Dataset* datos = rejilla && rejilla->Fuente() ? rejilla->Fuente()->DataSet() : nullptr;
  const qint64 filas = datos && datos->Active() ? datos->RecordCount() : 0;
  reporte.TotalPaginas = static_cast<int>(filas / reporte.RenglonesPorPagina + (filas % reporte.RenglonesPorPagina ? 1 : 0));
  reporte.PintaPagina(0);
  reporte.ShowModal();
}

QString CarpetaInicio() {
  if (!fs::ExisteArchivo(kArchivoInicio)) fs::ReescribeLineas(kArchivoInicio, {fs::FormaWindows(QDir::currentPath())});
  return fs::LeeLinea(kArchivoInicio, 1).value_or(QString());
}
