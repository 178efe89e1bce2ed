#include "shell/Principa.h"

#include "foundation/PapelTap.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_tablas.h"
#include "platform/Error.h"
#include "platform/db/Catalogo.h"
#include "platform/db/Consulta.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/process/Procesos.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/PuertaModal.h"
#include "platform/ui/RejillaDatos.h"
#include "shell/Empresas.h"
#include "shell/Imagenes.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Header tables whose structure the sale screen and the purchase window copy
// for their per-station tables; their templates live in tempo.
const char* const kPlantillas[] = {"Remision.dbf", "ComprasE.dbf", "OrdenCom.dbf", "DevolCom.DBF", "Cotizar.DBF"};

QString Linea(int linea) {
  QString valor;
  LeeLineaConfig(linea, valor);
  return valor;
}

// The tag a header table is opened on: documents by their number.
QString TagDeEncabezado(const QString& archivo) {
  const QString nombre = archivo.toLower();
  for (const char* venta : {"remision.dbf", "facturae.dbf", "pedido.dbf", "cotizaci.dbf", "cotizar.dbf"})
    if (nombre == QLatin1String(venta)) return QStringLiteral("INUMENC");
  for (const char* compra : {"comprase.dbf", "ordencom.dbf", "devolcom.dbf"})
    if (nombre == QLatin1String(compra)) return QStringLiteral("ICOMENC");
  return {};
}

// A table of the registry made empty in its folder, over any old file.
void CreaTablaRegistrada(const db::Catalogo* tablas, db::CarpetaTabla rol, const QString& carpeta,
                         const QString& archivo) {
  if (!tablas) throw plat::Error(plat::Clase::NoExiste, QStringLiteral("No hay registro de tablas para %1").arg(archivo));
  const db::DefTabla& def = tablas->Tabla(rol, archivo);
  db::Tabla::Crea(carpeta, def.archivo, def.campos, def.tags);
}

// Runs a step whose failure start-up ignores.
template <class Paso>
void Ignora(Paso&& paso) {
  try {
    paso();
  } catch (const std::exception&) {
  }
}

}  // namespace

// --- Routines of the unit.

void CopiaEstructuraTabla(const QString& carpeta, const QString& archivo) {
  db::Tabla origen;
  ApuntaTabla(origen, archivo);
  origen.SetReadOnly(true);
  origen.Open();
  const QString tag = TagDeEncabezado(archivo);
  if (!tag.isEmpty()) origen.SetIndexName(tag);
  fs::CreaCarpeta(carpeta);
  db::Tabla::CreaComo(carpeta, archivo, origen);
}

void InicializaContador(const QString& contador, const QString& encabezado, const QString& tag,
                        const QString& campo) {
  qint64 numero = 0;
  {
    db::Tabla tabla;
    ApuntaTabla(tabla, encabezado);
    tabla.SetReadOnly(true);
    tabla.Open();
    tabla.SetIndexName(tag);
    tabla.Last();
    if (!tabla.IsEmpty()) numero = tabla.FieldByName(campo).AsInteger();
  }
  db::Tabla tabla;
  ApuntaTabla(tabla, contador);
  tabla.Open();
  tabla.Append();
  tabla.FieldByName(QStringLiteral("NUMERO")).SetAsInteger(numero);
  tabla.Post();
}

void ActualizaMarcaEjecucion(const QString& carpeta, const QString& texto) {
  const QString ruta = fs::Une(carpeta, QStringLiteral("inicio.vrl"));
  if (fs::ExisteArchivo(ruta)) fs::ReescribeLineas(ruta, {texto});
}

void EscribeMarcaEjecucion(const QString& carpeta, const QString& texto) {
  fs::ReescribeLineas(fs::Une(carpeta, QStringLiteral("inicio.vrl")), {texto});
}

void AplicaVistaClasica(QWidget& ventana) {
  if (Linea(ConfVistaResaltada) != QStringLiteral("N")) return;
  const auto tapices = ventana.findChildren<TPapelTapiz*>();
  for (TPapelTapiz* tapiz : tapices) {
    tapiz->SetColor(ui::clGray);
    tapiz->SetColorVariante(QStringLiteral("x"));
  }
  const auto etiquetas = ventana.findChildren<QLabel*>();
  for (QLabel* etiqueta : etiquetas) {
    QPalette paleta = etiqueta->palette();
    if (paleta.color(QPalette::WindowText) != QColor(Qt::white)) continue;
    paleta.setColor(QPalette::WindowText, Qt::black);
    etiqueta->setPalette(paleta);
  }
}

void CierraTablasVentana(ui::Forma* ventana) {
  if (!ventana) return;
  try {
    const auto tablas = ventana->findChildren<db::Dataset*>();
    for (db::Dataset* tabla : tablas)
      if (tabla->Active()) tabla->Close();
    ventana->SetTag(0);
  } catch (const std::exception&) {
  }
}

// --- The window.

TFormaPrincipal::TFormaPrincipal(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaPrincipal>() = this;
  setObjectName(QStringLiteral("FormaPrincipal"));
  setWindowTitle(QString(10, u' '));
  setWindowFlags(Qt::Window);
  setMinimumSize(640, 480);
  resize(800, 600);
  SetKeyPreview(true);

  auto* capa = new QVBoxLayout(this);
  capa->setContentsMargins(0, 0, 0, 0);
  capa->setSpacing(0);

  CreaMenu();
  capa->setMenuBar(MainMenu1);

  Panel1 = new ui::Panel(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFixedHeight(48);
  PapelTapiz2 = new TPapelTapiz(Panel1);
  PapelTapiz2->setObjectName(QStringLiteral("PapelTapiz2"));
  PapelTapiz2->SetColor(ui::clBlue);
  PapelTapiz2->SetColorVariante(QStringLiteral("g"));
  CreaBarra();
  capa->addWidget(Panel1);

  Panel3 = new ui::Panel(this, ui::Panel::Bisel::Plano);
  Panel3->setObjectName(QStringLiteral("Panel3"));
  PapelTapiz1 = new TPapelTapiz(Panel3);
  PapelTapiz1->setObjectName(QStringLiteral("PapelTapiz1"));
  PapelTapiz1->SetColor(ui::clBlue);
  PapelTapiz1->SetColorVariante(QStringLiteral("g"));
  capa->addWidget(Panel3, 1);

  // The product title twice, black under yellow, as a shadow.
  const auto titulo = [this](const char* nombre, const QColor& color, int arriba) {
    auto* etiqueta = new QLabel(kTituloProducto, Panel3);
    etiqueta->setObjectName(QString::fromLatin1(nombre));
    QFont fuente(QStringLiteral("Arial"));
    fuente.setPixelSize(48);
    fuente.setBold(true);
    etiqueta->setFont(fuente);
    QPalette paleta = etiqueta->palette();
    paleta.setColor(QPalette::WindowText, color);
    etiqueta->setPalette(paleta);
    etiqueta->adjustSize();
    etiqueta->move(0, arriba);
    return etiqueta;
  };
  Label1 = titulo("Label1", Qt::black, 23);
  Label2 = titulo("Label2", Qt::yellow, 20);

  Logo = new ui::Panel(Panel3);
  Logo->setObjectName(QStringLiteral("Logo"));
  Logo->resize(260, 200);
  Image8 = new QLabel(Logo);
  Image8->setObjectName(QStringLiteral("Image8"));
  Image8->setGeometry(5, 5, 250, 156);
  Image8->setPixmap(ImagenLogotipo(Image8->size()));
  Image8->setAlignment(Qt::AlignCenter);
  // The picture lets the mouse through: a click on it is the logo's click.
  Panel2 = new ui::Panel(Logo);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  Panel2->SetCaption(QStringLiteral("Captura &Rápida  "));
  Panel2->setGeometry(30, 164, 200, 30);
  QFont negrita = Panel2->font();
  negrita.setBold(true);
  Panel2->setFont(negrita);
  Panel2->setCursor(Qt::PointingHandCursor);

  const auto blanca = [](QLabel* etiqueta) {
    QPalette paleta = etiqueta->palette();
    paleta.setColor(QPalette::WindowText, Qt::white);
    etiqueta->setPalette(paleta);
  };
  Label3 = new QLabel(QStringLiteral("Punto de Venta, Inventarios y Control Administrativo"), Panel3);
  Label3->setObjectName(QStringLiteral("Label3"));
  QFont subtitulo(QStringLiteral("Arial"));
  subtitulo.setPixelSize(16);
  subtitulo.setBold(true);
  Label3->setFont(subtitulo);
  blanca(Label3);
  Label3->adjustSize();

  Usuario = new QLabel(QStringLiteral("Usuario"), Panel3);
  Usuario->setObjectName(QStringLiteral("Usuario"));
  Usuario->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  blanca(Usuario);
  Usuario->resize(240, Usuario->sizeHint().height());

  TimerHora = new QTimer(this);
  TimerHora->setObjectName(QStringLiteral("TimerHora"));
  TimerHora->setInterval(60000);
  TimerMI = new QTimer(this);
  TimerMI->setObjectName(QStringLiteral("TimerMI"));
  TimerMI->setInterval(1);

  for (db::Tabla** tabla : {&TablaE, &TablaD, &TablaMI}) *tabla = new db::Tabla(this);
  TablaE->setObjectName(QStringLiteral("TablaE"));
  TablaD->setObjectName(QStringLiteral("TablaD"));
  TablaMI->setObjectName(QStringLiteral("TablaMI"));
  TablaSQLM_P = new db::Consulta(this);
  TablaSQLM_P->setObjectName(QStringLiteral("TablaSQLM_P"));

  CreaPanelMantenimiento();

  Panel1->installEventFilter(this);
  Panel3->installEventFilter(this);
  ConectaComandos();
  PreparaAperturas();
  ui::Conecta(Panel2, &ui::Panel::Click, this, [this] { Panel2Click(); });
  ui::Conecta(Logo, &ui::Panel::Click, this, [this] { Panel2Click(); });

  // FormCreate: the program folder of the general routines, and nothing is
  // reachable before a login.
  try {
    QString programa;
    CarpetaLocal(programa);
    setEnabled(false);
  } catch (const std::exception&) {
    ui::MensajeSimple(QStringLiteral("Esta es la Primera vez que Ejecuta el Programa"));
  }
  // A monitor left running by an earlier run.
  proc::CierraVentana(QStringLiteral("Monitor Vorlan"));
}

void TFormaPrincipal::CreaPanelMantenimiento() {
  Panel4 = new ui::Panel(Panel3);
  Panel4->setObjectName(QStringLiteral("Panel4"));
  Panel4->hide();
  Panel4->resize(660, 330);
  const auto nombra = [](QWidget* w, const char* nombre, int x, int y, int ancho, int alto) {
    w->setObjectName(QString::fromLatin1(nombre));
    w->setGeometry(x, y, ancho, alto);
  };
  EditRuta = new QLineEdit(Panel4);
  nombra(EditRuta, "EditRuta", 10, 10, 460, 24);
  Edit1 = new QLineEdit(Panel4);
  nombra(Edit1, "Edit1", 480, 10, 170, 24);
  Edit1->hide();
  Label4 = new QLabel(Panel4);
  nombra(Label4, "Label4", 10, 40, 640, 20);
  Progreso = new QProgressBar(Panel4);
  nombra(Progreso, "Progreso", 10, 62, 640, 16);
  Progreso->setRange(0, 100);
  Progreso->setValue(0);

  DataSource1 = new ui::FuenteDatos(this);
  DataSource1->setObjectName(QStringLiteral("DataSource1"));
  DBGrid1 = new ui::RejillaDatos(Panel4);
  nombra(DBGrid1, "DBGrid1", 10, 84, 400, 200);
  DBGrid1->SetFuente(DataSource1);
  DBGrid1->SetSoloLectura(true);
  MemoMov = new QPlainTextEdit(Panel4);
  nombra(MemoMov, "MemoMov", 420, 84, 230, 200);

  Label5 = new QLabel(Panel4);
  nombra(Label5, "Label5", 10, 294, 60, 20);
  Label6 = new QLabel(Panel4);
  nombra(Label6, "Label6", 75, 294, 60, 20);
  // The number of the header the tool stands on; shown, never typed into
  // (a typed text would change the document's number).
  DataSource2 = new ui::FuenteDatos(this);
  DataSource2->setObjectName(QStringLiteral("DataSource2"));
  DataSource2->SetDataSet(TablaE);
  EditClave = new ui::EditDatos(Panel4);
  nombra(EditClave, "EditClave", 140, 292, 110, 24);
  EditClave->SetFuente(DataSource2);
  EditClave->setReadOnly(true);
  const auto boton = [&](const char* nombre, const QString& texto, int x) {
    auto* b = new QPushButton(texto, Panel4);
    nombra(b, nombre, x, 291, 90, 26);
    return b;
  };
  BotonMI = boton("BotonMI", QStringLiteral("Iniciar"), 260);
  BotonMI->hide();
  Inicio2 = boton("Inicio2", QStringLiteral("Inicio2"), 360);
  BitBtn1 = boton("BitBtn1", QStringLiteral("Pruebas"), 460);
}

bool TFormaPrincipal::PreparaTablasCaptura(const QString& programa) {
  try {
    if (!db::Tabla::Existe(programa, QStringLiteral("DetaCR.db"))) {
      Ignora([&] { db::Tabla::CopiaArchivos(programa, QStringLiteral("Deta.db"), QStringLiteral("DetaCR.db")); });
      Ignora([&] { EmpacaTabla(programa, QStringLiteral("DetaCR.db")); });
    }
    Ignora([&] { EmpacaTabla(programa, QStringLiteral("Deta.db")); });
    EmpacaTabla(programa, QStringLiteral("DetaComp.db"));
    EmpacaTabla(programa, QStringLiteral("Detaminv.db"));
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void TFormaPrincipal::CreaContadores() {
  struct Contador {
    const char* tabla;
    const char* encabezado;
    const char* tag;
    const char* campo;
  };
  for (const Contador& c : {Contador{"numeroc.dbf", "comprase.dbf", "icomenc", "cldoc_o"},
                            Contador{"numerof.dbf", "facturae.dbf", "inumenc", "cldoc_f"}}) {
    const QString tabla = QString::fromLatin1(c.tabla);
    const QString carpeta = CarpetaDeTabla(tabla);
    if (db::Tabla::Existe(carpeta, tabla)) continue;
    CreaTablaRegistrada(Tablas, LugarDeTabla(tabla), carpeta, tabla);
    InicializaContador(tabla, QString::fromLatin1(c.encabezado), QString::fromLatin1(c.tag),
                       QString::fromLatin1(c.campo));
  }
}

void TFormaPrincipal::FormShow() {
  // The preparations run once per run, before the first login.
  if (mostrada_) return;
  mostrada_ = true;

  QString programa;
  CarpetaLocal(programa);
  // Each line is read once. Without a data folder (no configuration yet)
  // nothing is made in it: an empty folder would name the drive's root.
  const QString datos = Linea(ConfCarpetaDatos);
  const QString tempo = fs::Une(programa, QStringLiteral("tempo"));

  if (!datos.isEmpty()) {
    for (const char* plantilla : kPlantillas)
      Ignora([&] { CopiaEstructuraTabla(tempo, QString::fromLatin1(plantilla)); });
  }
  EditRuta->setText(datos);
  Edit1->setText(datos);

  if (!PreparaTablasCaptura(programa)) {
    QPalette paleta = Usuario->palette();
    paleta.setColor(QPalette::WindowText, QColor(255, 0, 0));
    Usuario->setPalette(paleta);
  }

  for (QWidget* w : {static_cast<QWidget*>(Logo), static_cast<QWidget*>(Panel2), static_cast<QWidget*>(Panel1)})
    ui::RedondeaRegion(*w, 15, 15);
  AplicaVistaClasica(*this);

  if (!datos.isEmpty()) Ignora([&] { CreaContadores(); });
  AcomodaFondo();

  fs::CreaCarpeta(fs::Une(programa, QStringLiteral("Control")));
  if (Linea(ConfBitacora) == QStringLiteral("S") && !datos.isEmpty())
    fs::CreaCarpeta(fs::Une(datos, QStringLiteral("Bitacora")));

  Ignora([&] {
    const QString kardex = QStringLiteral("Kardex.dbf");
    const QString inventario = CarpetaDeTabla(kardex);
    if (!db::Tabla::Existe(inventario, kardex)) CreaTablaRegistrada(Tablas, LugarDeTabla(kardex), inventario, kardex);
  });

  if (Linea(ConfFallosEnergia) == QStringLiteral("S")) ActualizaMarcaEjecucion(programa, kMarcaInicio);
}

void TFormaPrincipal::FormActivate() {
  TFormaEmpresas* empresas = FormaEmpresas();
  if (!empresas || empresas->Tag() != 0) return;
  empresas->ShowModal();
  LeeOpcionesInicio();
  if (Linea(ConfIntegraMovimientos) == QStringLiteral("SI")) Edit1->setText(Linea(ConfCarpetaDatos));
}

void TFormaPrincipal::LeeOpcionesInicio() {
  const QString ruta = CarpetaPrograma(QStringLiteral("\\rapida.cnf"));
  if (!fs::ExisteArchivo(ruta)) return;
  // Only the first letter of line 1 counts; lines 2 and 3 are not applied.
  const QString primera = fs::LeeLineas(ruta).value(0).left(1);
  bool abreVenta = false;
  if (primera == QStringLiteral("S")) {
    IniciarenCapturaRpida1->setChecked(true);
    abreVenta = true;
  } else if (primera == QStringLiteral("T")) {
    IniciarenCapturaRpida2->setChecked(true);
  }
  if (Linea(ConfChequeoPermanenteMI) == QStringLiteral("S")) TimerHora->start();
  else TimerHora->stop();
  if (abreVenta) Panel2Click();
}

void TFormaPrincipal::GuardaOpcionesInicio() {
  if (Usuario->text() != QStringLiteral("0")) return;
  const QString inicio = IniciarenCapturaRpida1->isChecked()   ? QStringLiteral("S")
                         : IniciarenCapturaRpida2->isChecked() ? QStringLiteral("T")
                                                               : QStringLiteral("N");
  const auto marca = [](const QAction* a) { return a->isChecked() ? QStringLiteral("S") : QStringLiteral("N"); };
  fs::ReescribeLineas(CarpetaPrograma(QStringLiteral("\\rapida.cnf")),
                      {inicio, marca(ServidordeHorario1), marca(ActualizarFechayHora1)});
}

void TFormaPrincipal::FormClose() {
  QString programa;
  CarpetaLocal(programa);
  Ignora([&] {
    EscribeMarcaEjecucion(programa,
                          Linea(ConfFallosEnergia) == QStringLiteral("S") ? kMarcaFinal : kMarcaSinControl);
  });
  // The held-sale copy of the sale screen.
  Ignora([] { proc::CierraVentana(QStringLiteral("Tolvrin")); });
  CierraVentanasCatalogos();
  ui::SetTag(BotonSalir, 1000);
  // The database engine's temporary query results: "_qsq*.*" as Windows
  // reads it, every name that begins with "_qsq". The program works in its
  // program folder.
  for (const QString& archivo : fs::ListaCarpeta(programa, QStringLiteral("_qsq*")))
    fs::BorraArchivo(fs::Une(programa, archivo));
  // The exit-time adjustment program; when it is missing nothing is said.
  proc::Ejecuta(fs::Une(programa, QStringLiteral("Plenvik\\Plenvik.exe")));
  emit Cerrada();
}

void TFormaPrincipal::AcomodaFondo() {
  // Centred on the window's outer size, halves truncated.
  const int ancho = frameGeometry().width();
  const int alto = frameGeometry().height();
  const auto centro = [ancho](const QWidget* w) { return static_cast<int>(ancho * 0.5 - w->width() * 0.5); };
  Logo->move(centro(Logo), static_cast<int>(alto * 0.5 - Logo->height() * 0.5));
  Label3->move(centro(Label3), Logo->y() + Logo->height() + 25);
  Usuario->move(centro(Usuario), Label3->y() + Label3->height() + 25);
  Label1->move(centro(Label1), Label1->y());
  Label2->move(centro(Label2), Label2->y());
}

void TFormaPrincipal::FormResize() {
  BotonSalir->move(Panel1->width() - BotonSalir->width() - 4, BotonSalir->y());
  Panel4->move(8, Panel3->height() - Panel4->height() - 8);
  // The toolbar's rounded shape follows its width (the window is maximised
  // after it is first shown).
  if (mostrada_) ui::RedondeaRegion(*Panel1, 15, 15);
  AcomodaFondo();
}

void TFormaPrincipal::resizeEvent(QResizeEvent* evento) {
  ui::Forma::resizeEvent(evento);
  ui::Protege([this] { FormResize(); });
}

bool TFormaPrincipal::eventFilter(QObject* objeto, QEvent* evento) {
  if (evento->type() == QEvent::Resize) {
    if (objeto == Panel1) PapelTapiz2->setGeometry(Panel1->rect());
    else if (objeto == Panel3) PapelTapiz1->setGeometry(Panel3->rect());
  }
  return ui::Forma::eventFilter(objeto, evento);
}
