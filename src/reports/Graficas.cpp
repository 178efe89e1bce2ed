#include "reports/Graficas.h"
#include "reports/BotonesReporte.h"

#include "foundation/HojaCalculo.h"
#include "foundation/describe.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_texto.h"
#include "platform/Error.h"
#include "platform/db/Consulta.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/hoja/Hoja.h"
#include "platform/print/Impresora.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/DialogoArchivo.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/PuertaModal.h"
#include "platform/ui/RejillaDatos.h"
#include "reports/ImpresionFranjas.h"
#include "reports/NuevoReporte.h"
#include "reports/OperacionesRejilla.h"
#include "reports/Tipos.h"

#include <QFontDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kRenglonesPorSalto = 50;
constexpr int kCerrada = 1000;
// Help texts of the tool buttons (records of ayuda\describe.des).
constexpr int kAyudaBordes = 92;
constexpr int kAyudaImprimir = 96;
const QString kMascaraMoneda = QStringLiteral("###,##0.00");

bool EsNumeroGraficas(db::TipoDato tipo) {
  return tipo == db::TipoDato::Entero || tipo == db::TipoDato::Flotante || tipo == db::TipoDato::Moneda;
}

}  // namespace

TFormaGraficas::TFormaGraficas(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaGraficas>() = this;
  setObjectName(QStringLiteral("FormaGraficas"));
  setWindowTitle(QStringLiteral("Consultas"));
  setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  resize(640, 420);

  TablaConsultaSQL = new db::Consulta(this);
  TablaConsultaSQL->setObjectName(QStringLiteral("TablaConsultaSQL"));
  TablaAuxiliar = new db::Tabla(this);
  TablaAuxiliar->setObjectName(QStringLiteral("TablaAuxiliar"));
  DataSource2 = new ui::FuenteDatos(this);
  DataSource2->setObjectName(QStringLiteral("DataSource2"));
  DataSource2->SetDataSet(TablaConsultaSQL);

  auto* disposicion = new QVBoxLayout(this);
  disposicion->setContentsMargins(0, 0, 0, 0);
  disposicion->setSpacing(0);
  ConstruyeMenu();
  disposicion->setMenuBar(MainMenu1);
  ConstruyeBotones();

  Detalle = new ui::RejillaDatos(this);
  Detalle->setObjectName(QStringLiteral("Detalle"));
  Detalle->SetFuente(DataSource2);
  Detalle->TextoCelda = [this](const db::Campo& campo, const QVariant& valor, const QString& texto) {
    if (!EsColumnaMoneda(campo.Nombre())) return texto;
    if (!valor.isValid()) return QString();
    return EsNumeroGraficas(campo.Tipo()) ? FormatoMascara(kMascaraMoneda, valor.toDouble()) : texto;
  };
  disposicion->addWidget(Detalle, 1);

  DialogoGuarda = new ui::DialogoArchivo(this, ui::DialogoArchivo::Tipo::Guardar, QStringLiteral("DialogoGuarda"));
  DialogoGuarda->Filter = kFiltroHojaCalculo;

  ui::Conecta(&ui::Eventos::De(Detalle), &ui::Eventos::DblClick, this, [this] { DetalleDblClick(); });
  ui::Conecta(Detalle->horizontalHeader(), &QHeaderView::sectionClicked, this, [this] { DetalleTitleClick(); });

  FijaFormatosRegionales();
  ui::SetTag(BotonSiguiente, 1);
  ui::CentraEnPantalla(*this);
}

TFormaGraficas::~TFormaGraficas() {
  // The grid lets go of the data sets before they go.
  Detalle->SetFuente(nullptr);
}

void TFormaGraficas::ConstruyeMenu() {
  MainMenu1 = new QMenuBar(this);
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  const auto menu = [this](const char* nombre, const QString& texto) { return MenuReporte(MainMenu1, nombre, texto); };
  Archivo1 = menu("Archivo1", QStringLiteral("&Archivo"));
  Imprimir1 = AccionReporte(Archivo1, "Imprimir1", QStringLiteral("Imprimir"));
  Salir1 = AccionReporte(Archivo1, "Salir1", QStringLiteral("Salir"));
  Exportar1 = menu("Exportar1", QStringLiteral("&Exportar"));
  Exc1 = AccionReporte(Exportar1, "Exc1", QStringLiteral("Ascii Delimitado (Excel)"));
  Ver1 = menu("Ver1", QStringLiteral("&Ver"));
  Celdas1 = AccionReporte(Ver1, "Celdas1", QStringLiteral("Celdas"));
  Consecutivo1 = AccionReporte(Ver1, "Consecutivo1", QStringLiteral("Consecutivo"));
  // The two marks toggle and nothing reads them.
  Celdas1->setCheckable(true);
  Consecutivo1->setCheckable(true);
  Operaciones1 = menu("Operaciones1", QStringLiteral("&Operaciones"));
  Sumar1 = AccionReporte(Operaciones1, "Sumar1", QStringLiteral("Sumar"));

  ui::Conecta(Imprimir1, &QAction::triggered, this, [this] { BotonImprimirClick(); });
  ui::Conecta(Salir1, &QAction::triggered, this, [this] { Close(); });
  ui::Conecta(Exc1, &QAction::triggered, this, [this] { Exc1Click(); });
  ui::Conecta(Sumar1, &QAction::triggered, this, [this] { Sumar1Click(); });
}

void TFormaGraficas::ConstruyeBotones() {
  FilaBotones botones(this, "Panel1");
  QWidget* panel = botones.Panel();
  QHBoxLayout* fila = botones.Fila();
  const auto boton = [&](const char* nombre, const QString& texto) {{ return botones.Boton(nombre, texto); }};
  BotonBordes = boton("BotonBordes", QStringLiteral("Bordes"));
  BotonAnterior = boton("BotonAnterior", QStringLiteral("Anterior"));
  BotonSiguiente = boton("BotonSiguiente", QStringLiteral("Siguiente"));
  VerReporte = boton("VerReporte", QStringLiteral("Ver Reporte"));
  SpeedButton1 = boton("SpeedButton1", QStringLiteral("Ver Reporte"));
  BotonImprimir = boton("BotonImprimir", QStringLiteral("Imprime Pagina Actual"));
  BotonReporte = boton("BotonReporte", QStringLiteral("Ver Reporte"));
  BotonImprimir->hide();
  BotonReporte->hide();
  Label1 = new QLabel(QStringLiteral("Pagina : "), panel);
  Label1->setObjectName(QStringLiteral("Label1"));
  Pag = new QLabel(QStringLiteral("1"), panel);
  Pag->setObjectName(QStringLiteral("Pag"));
  Label1->hide();
  Pag->hide();
  fila->addStretch();
  layout()->addWidget(panel);

  ConectaDescripcion(BotonBordes, kAyudaBordes);
  ConectaDescripcion(BotonImprimir, kAyudaImprimir);
  ui::Conecta(BotonBordes, &QToolButton::clicked, this, [this] { Exc1Click(); });
  ui::Conecta(BotonAnterior, &QToolButton::clicked, this, [this] { BotonAnteriorClick(); });
  ui::Conecta(BotonSiguiente, &QToolButton::clicked, this, [this] { BotonSiguienteClick(); });
  ui::Conecta(VerReporte, &QToolButton::clicked, this, [this] { VerReporteClick(); });
  ui::Conecta(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
  ui::Conecta(BotonImprimir, &QToolButton::clicked, this, [this] { BotonImprimirClick(); });
}

db::Dataset* TFormaGraficas::Datos() const { return DataSource2->DataSet(); }

void TFormaGraficas::FormShow() { setWindowState(windowState() | Qt::WindowMaximized); }

void TFormaGraficas::FormClose() {
  ui::SetTag(BotonSiguiente, 1);
  ui::SetTag(Salir1, kCerrada);
}

void TFormaGraficas::PonTitulos(const QStringList& titulos) {
  Detalle->QuitaColumnas();
  const db::Dataset* datos = Datos();
  if (!datos) return;
  const QStringList campos = datos->NombresCampos();
  for (qsizetype i = 0; i < campos.size(); ++i) {
    const QString titulo = i < titulos.size() ? titulos[i] : QString();
    Detalle->AgregaColumna(campos[i], titulo.isEmpty() ? campos[i] : titulo);
  }
}

QStringList TFormaGraficas::Titulos() const {
  QStringList titulos;
  for (int i = 0; i < Detalle->Columnas(); ++i) {
    const ui::ColumnaDatos c = Detalle->Columna(i);
    titulos << (c.titulo.isEmpty() ? c.campo : c.titulo);
  }
  return titulos;
}

bool TFormaGraficas::EsColumnaMoneda(const QString& campo) const {
  for (int i = 0; i < Detalle->Columnas(); ++i) {
    const ui::ColumnaDatos c = Detalle->Columna(i);
    if (c.campo.compare(campo, Qt::CaseInsensitive) == 0) return c.titulo.startsWith(u'$');
  }
  return false;
}

QString TFormaGraficas::TextoMostrado(const db::Campo& campo) const {
  return Detalle->TextoCelda(campo, campo.Value(), campo.AsString());
}

void TFormaGraficas::VerReporteClick() { AbreReporteTexto(Detalle, windowTitle(), QString()); }

void TFormaGraficas::Exc1Click() {
  db::Dataset* datos = Datos();
  if (!datos || !datos->Active()) return;
  if (!DialogoGuarda->Execute()) return;
  const QString tecleado = DialogoGuarda->FileName;
  // A name of three characters or more without an extension of three
  // letters gets the spreadsheet's.
  const QString archivo = fs::NombreArchivo(tecleado);
  const bool agrega = archivo.size() >= 3 && (archivo.size() < 4 || archivo[archivo.size() - 4] != u'.');
  ExportaRejilla(*Detalle, hoja::NombreHoja(tecleado, agrega));
}

void TFormaGraficas::Sumar1Click() { SumaColumnaRejilla(*Detalle); }

void TFormaGraficas::BotonImprimirClick() {
  if (!ImpresoraLista()) {
    MuestraMensaje(QStringLiteral("La Impresora No Se Encuentra Lista..."));
    return;
  }
  print::Impresora& impresora = print::Impresora::Global();
  impresora.Comienza(windowTitle());
  try {
    // The grid as drawn, across the page's width at its own proportions.
    const QImage imagen = Detalle->grab().toImage();
    const int margen = impresora.Resolucion() / 4;
    const int ancho = impresora.AnchoPagina() - 2 * margen;
    const int alto = imagen.width() > 0 ? static_cast<int>(qint64{ancho} * imagen.height() / imagen.width()) : 0;
    impresora.lienzo().DibujaImagen(QRect(margen, margen, ancho, std::min(alto, impresora.AltoPagina() - 2 * margen)),
                                    imagen);
    QString fila;
    if (db::Dataset* datos = Datos(); datos && datos->Active() && !datos->IsEmpty()) {
      for (int i = 0; i < Detalle->Columnas(); ++i) {
        const db::Campo& campo = datos->FieldByName(Detalle->Columna(i).campo);
        fila += TextoMostrado(campo) + u'-' + QString::number(AnchoMostrado(campo)) + u'*';
      }
    }
    ui::MensajeSimple(fila);
    impresora.Termina();
  } catch (...) {
    impresora.Aborta();
    throw;
  }
}

void TFormaGraficas::HabilitaMovimientos() {
  BotonSiguiente->setEnabled(!TablaConsultaSQL->Eof());
  BotonAnterior->setEnabled(!TablaConsultaSQL->Bof());
}

void TFormaGraficas::BotonSiguienteClick() {
  if (!TablaConsultaSQL->Active()) return;
  TablaConsultaSQL->MoveBy(kRenglonesPorSalto);
  HabilitaMovimientos();
}

void TFormaGraficas::BotonAnteriorClick() {
  if (!TablaConsultaSQL->Active()) return;
  TablaConsultaSQL->MoveBy(-kRenglonesPorSalto);
  HabilitaMovimientos();
}

void TFormaGraficas::SpeedButton1Click() {
  QFontDialog fuentes(Detalle->font(), this);
  fuentes.setObjectName(QStringLiteral("Fuentes"));
  if (ui::PuertaModal::EjecutaDialogo(fuentes, fuentes.objectName()) != QDialog::Accepted) return;
  QFont fuente = Detalle->font();
  fuente.setFamily(fuentes.currentFont().family());
  fuente.setPointSize(fuentes.currentFont().pointSize());
  Detalle->setFont(fuente);
}

void TFormaGraficas::DetalleDblClick() { MuestraMensaje(Detalle->CampoSeleccionado()); }

void TFormaGraficas::DetalleTitleClick() {
  // The kind chosen is not applied to the grid.
  TFormaTipos tipos;
  tipos.ShowModal();
}
