#include "reports/Formatos.h"

#include "foundation/Lineas.h"
#include "foundation/PapelTap.h"
#include "foundation/describe.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "formats/edicion.h"
#include "platform/db/Consulta.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/ListaCarpetas.h"
#include "reports/ArchivosReporte.h"
#include "reports/Barras.h"
#include "reports/CamposReporte.h"
#include "reports/DialogosImpresora.h"
#include "shell/LugarTablas.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr int kAncho = 640;
constexpr int kAlto = 445;

// Help texts of the controls (records of ayuda\describe.des).
constexpr int kAyudaCondicion = 102;
constexpr int kAyudaOperador = 103;
constexpr int kAyudaValor = 104;
constexpr int kAyudaInicial = 105;
constexpr int kAyudaFinal = 106;
constexpr int kAyudaDe = 107;
constexpr int kAyudaHasta = 108;
constexpr int kAyudaAceptar = 88;

const QStringList kOperadores = {QStringLiteral("="),          QStringLiteral("<"),           QStringLiteral(">"),
                                 QStringLiteral("<>"),         QStringLiteral("<="),          QStringLiteral(">="),
                                 QStringLiteral("Inicia_Con"), QStringLiteral("Termina_Con"), QStringLiteral("Incluye")};

template <class T>
T* Nombrado(T* componente, const QString& nombre, const QRect& lugar) {
  componente->setObjectName(nombre);
  componente->setGeometry(lugar);
  return componente;
}

QLabel* Etiqueta(QWidget* padre, const QString& texto, const QRect& lugar) {
  auto* etiqueta = new QLabel(texto, padre);
  etiqueta->setGeometry(lugar);
  return etiqueta;
}

QPushButton* Boton(QWidget* padre, const char* nombre, const QString& texto, const QRect& lugar) {
  return Nombrado(new QPushButton(texto, padre), QString::fromLatin1(nombre), lugar);
}

QComboBox* Caja(QWidget* padre, const QString& nombre, const QRect& lugar, bool editable) {
  auto* caja = Nombrado(new QComboBox(padre), nombre, lugar);
  caja->setEditable(editable);
  caja->setInsertPolicy(QComboBox::NoInsert);
  caja->setMaxVisibleItems(16);
  return caja;
}

QDateEdit* Fecha(QWidget* padre, const char* nombre, const QRect& lugar) {
  auto* fecha = Nombrado(new QDateEdit(padre), QString::fromLatin1(nombre), lugar);
  fecha->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
  fecha->setCalendarPopup(true);
  return fecha;
}

// The short help n placed under the control.
void Ayuda(QWidget* control, int n) {
  const QPoint esquina = control->mapToGlobal(QPoint(0, control->height()));
  MuestraDescripcion(Qt::RightButton, esquina.x(), esquina.y(), n);
}

// Runs `accion` for the key `tecla` pressed in the control, consuming it.
void AlPulsar(QWidget* control, int tecla, std::function<void()> accion) {
  ui::Conecta(&ui::Eventos::De(control), &ui::Eventos::KeyDown, control,
              [tecla, accion](int& pulsada, Qt::KeyboardModifiers) {
                if (pulsada != tecla) return;
                pulsada = 0;
                accion();
              });
}

}  // namespace

TFormaFormatos::TFormaFormatos(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaFormatos>() = this;
  setObjectName(QStringLiteral("FormaFormatos"));
  setWindowTitle(QStringLiteral("Edición de Formatos"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(kAncho, kAlto);
  SetKeyPreview(true);
  CamposGuionReporte.clear();

  ConstruyeRangos();
  ConstruyeFormatos();
  Formatos->hide();

  Inicial->setDate(fs::Hoy());
  Final->setDate(fs::Hoy());
  QString carpeta;
  CarpetaLocal(carpeta);
  const QString consulta = carpeta + QStringLiteral("\\consulta");
  Directorio->SetDirectorio(fs::ExisteCarpeta(consulta) ? consulta : carpeta);
  Rutas->setText(consulta + u'\\');

  ui::CentraEnPantalla(*this);
}

TFormaFormatos::~TFormaFormatos() {
  if (!FormaBarras()) SueltaArchivosReporte();
}

void TFormaFormatos::ConstruyeRangos() {
  Rangos = Nombrado(new QWidget(this), QStringLiteral("Rangos"), rect());
  PapelTapiz1 = Nombrado(new TPapelTapiz(Rangos), QStringLiteral("PapelTapiz1"), Rangos->rect());
  PapelTapiz1->SetColor(ui::clBlue);
  PapelTapiz1->SetColorVariante(QStringLiteral("g"));

  GrupoDesde = Nombrado(new QGroupBox(QStringLiteral("Desde"), Rangos), QStringLiteral("GrupoDesde"),
                        QRect(10, 8, 270, 86));
  Etiqueta(GrupoDesde, QStringLiteral("Inicio"), QRect(12, 26, 60, 20));
  Inicial = Fecha(GrupoDesde, "Inicial", QRect(80, 22, 170, 24));
  Etiqueta(GrupoDesde, QStringLiteral("Final"), QRect(12, 56, 60, 20));
  Final = Fecha(GrupoDesde, "Final", QRect(80, 52, 170, 24));

  Etiqueta(Rangos, QStringLiteral("De"), QRect(300, 33, 50, 20));
  De = Nombrado(new QLineEdit(Rangos), QStringLiteral("De"), QRect(360, 30, 270, 24));
  Etiqueta(Rangos, QStringLiteral("Hasta"), QRect(300, 63, 50, 20));
  Hasta = Nombrado(new QLineEdit(Rangos), QStringLiteral("Hasta"), QRect(360, 60, 270, 24));

  ConstruyeCondiciones();

  GrupoOrden = Nombrado(new QGroupBox(QStringLiteral("Orden"), Rangos), QStringLiteral("GrupoOrden"),
                        QRect(10, 242, 305, 106));
  Orden = Caja(GrupoOrden, QStringLiteral("Orden"), QRect(10, 22, 170, 24), true);
  O1 = Nombrado(new QLabel(QStringLiteral("_"), GrupoOrden), QStringLiteral("O1"), QRect(186, 25, 70, 20));
  TO1 = Nombrado(new QLabel(QStringLiteral("_"), GrupoOrden), QStringLiteral("TO1"), QRect(256, 25, 45, 20));
  RadioButton1 = Nombrado(new QRadioButton(QStringLiteral("Ordenar Por"), GrupoOrden),
                          QStringLiteral("RadioButton1"), QRect(10, 54, 280, 20));
  RadioButton2 = Nombrado(new QRadioButton(QStringLiteral("Ordenar por y Totalizar"), GrupoOrden),
                          QStringLiteral("RadioButton2"), QRect(10, 78, 280, 20));

  GrupoOpciones = Nombrado(new QGroupBox(QStringLiteral("Opciones"), Rangos), QStringLiteral("GrupoOpciones"),
                           QRect(325, 242, 305, 106));
  Incluir1 = Nombrado(new QCheckBox(QStringLiteral("Por Moneda"), GrupoOpciones), QStringLiteral("Incluir1"),
                      QRect(12, 24, 280, 20));
  IncluirDevoluciones = Nombrado(new QCheckBox(QStringLiteral("Incluir Devoluciones"), GrupoOpciones),
                                 QStringLiteral("IncluirDevoluciones"), QRect(12, 50, 280, 20));
  Incluir3 = Nombrado(new QCheckBox(QStringLiteral("No Disponible"), GrupoOpciones), QStringLiteral("Incluir3"),
                      QRect(12, 76, 280, 20));

  Etiqueta(Rangos, QStringLiteral("Título"), QRect(10, 363, 50, 20));
  // While it still reads "Título" the report keeps its command's own title.
  Titulo = Nombrado(new QLineEdit(QStringLiteral("Título"), Rangos), QStringLiteral("Titulo"), QRect(70, 360, 560, 24));

  BitBtn4 = Boton(Rangos, "BitBtn4", QStringLiteral("&Ejecutar"), QRect(90, 400, 110, 30));
  BitBtn5 = Boton(Rangos, "BitBtn5", QStringLiteral("&Cancelar"), QRect(215, 400, 110, 30));
  BitBtn5->setProperty("Cancel", true);
  BitBtn1 = Boton(Rangos, "BitBtn1", QStringLiteral("&Impresora..."), QRect(340, 400, 110, 30));
  BitBtn2 = Boton(Rangos, "BitBtn2", QStringLiteral("&Datos Reporte..."), QRect(465, 400, 130, 30));
  BitBtn2->hide();
  Impresora = new DialogoConfiguraImpresora(this, QStringLiteral("Impresora"));

  AlPulsar(Inicial, Qt::Key_F2, [this] { Ayuda(Inicial, kAyudaInicial); });
  AlPulsar(Inicial, Qt::Key_F3, [this] { Inicial->setDate(fs::Hoy()); });
  AlPulsar(Final, Qt::Key_F2, [this] { Ayuda(Final, kAyudaFinal); });
  AlPulsar(Final, Qt::Key_F3, [this] { Final->setDate(fs::Hoy()); });
  AlPulsar(De, Qt::Key_F1, [this] { Ayuda(De, kAyudaDe); });
  AlPulsar(Hasta, Qt::Key_F1, [this] { Ayuda(Hasta, kAyudaHasta); });
  ui::Conecta(Orden, &QComboBox::currentIndexChanged, this, [this] { OrdenChange(); });
  ui::Conecta(Orden, &QComboBox::editTextChanged, this, [this] { OrdenChange(); });
  ui::Conecta(BitBtn4, &QPushButton::clicked, this, [this] { BitBtn4Click(); });
  ui::Conecta(BitBtn5, &QPushButton::clicked, this, [this] { Cierra(0); });
  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
}

void TFormaFormatos::ConstruyeCondiciones() {
  GrupoCondiciones = Nombrado(new QGroupBox(QStringLiteral("Condiciones"), Rangos), QStringLiteral("GrupoCondiciones"),
                              QRect(10, 102, 620, 132));
  for (int n = 0; n < 3; ++n) {
    const QString numero = QString::number(n + 1);
    const int y = 24 + 34 * n;
    Condicion[n] = Caja(GrupoCondiciones, QStringLiteral("Condicion") + numero, QRect(10, y, 200, 24), true);
    Operador[n] = Caja(GrupoCondiciones, QStringLiteral("Operador") + numero, QRect(216, y, 105, 24), false);
    Operador[n]->addItems(kOperadores);
    Valor[n] = Caja(GrupoCondiciones, QStringLiteral("Valor") + numero, QRect(327, y, 150, 24), true);
    C[n] = Nombrado(new QLabel(QStringLiteral("_"), GrupoCondiciones), QStringLiteral("C") + numero,
                    QRect(484, y + 3, 70, 20));
    T[n] = Nombrado(new QLabel(QStringLiteral("_"), GrupoCondiciones), QStringLiteral("T") + numero,
                    QRect(556, y + 3, 60, 20));

    ui::Conecta(Condicion[n], &QComboBox::currentIndexChanged, this, [this, n] { CondicionChange(n); });
    ui::Conecta(Condicion[n], &QComboBox::editTextChanged, this, [this, n] { CondicionChange(n); });
    AlPulsar(Condicion[n], Qt::Key_F1, [this, n] { Ayuda(Condicion[n], kAyudaCondicion); });
    AlPulsar(Operador[n], Qt::Key_F1, [this, n] { Ayuda(Operador[n], kAyudaOperador); });
    AlPulsar(Valor[n], Qt::Key_F1, [this, n] { Ayuda(Valor[n], kAyudaValor); });
    ui::Conecta(&ui::Eventos::De(Valor[n]->lineEdit()), &ui::Eventos::DblClick, this, [this, n] { ValorDblClick(n); });
  }
  // The conditions always join with "Y".
  Conector = Caja(GrupoCondiciones, QStringLiteral("Conector"), QRect(), false);
  Conector2 = Caja(GrupoCondiciones, QStringLiteral("Conector2"), QRect(), false);
  for (QComboBox* conector : {Conector, Conector2}) {
    conector->addItems({QStringLiteral("Y"), QStringLiteral("O")});
    conector->hide();
  }
}

void TFormaFormatos::ConstruyeFormatos() {
  Formatos = Nombrado(new QWidget(this), QStringLiteral("Formatos"), rect());
  Etiqueta(Formatos, QStringLiteral("Ruta del Formato"), QRect(10, 10, 300, 20));
  Rutas = Nombrado(new QLineEdit(Formatos), QStringLiteral("Rutas"), QRect(10, 32, 620, 24));
  rutformato = Nombrado(new QLabel(Formatos), QStringLiteral("rutformato"), QRect(10, 66, 620, 20));
  Directorio = Nombrado(new ui::ListaCarpetas(Formatos), QStringLiteral("Directorio"), QRect(10, 90, 305, 285));
  ArchivoLista = Nombrado(new QListWidget(Formatos), QStringLiteral("ArchivoLista"), QRect(325, 90, 305, 285));
  BotonEdicion = Boton(Formatos, "BotonEdicion", QStringLiteral("&Aceptar"), QRect(200, 395, 110, 30));
  BitBtn3 = Boton(Formatos, "BitBtn3", QStringLiteral("&Cancelar"), QRect(330, 395, 110, 30));
  BitBtn3->setProperty("Cancel", true);
  BotonAceptar = Boton(Formatos, "BotonAceptar", QStringLiteral("&Aceptar"), QRect(460, 395, 110, 30));
  BotonAceptar->hide();

  for (int enter : {Qt::Key_Return, Qt::Key_Enter})
    AlPulsar(Rutas, enter, [this] { Directorio->SetDirectorio(Rutas->text()); });
  ui::Conecta(Directorio, &ui::ListaCarpetas::CarpetaCambiada, this,
              [this](const QString& carpeta) { CambiaCarpeta(carpeta); });
  ui::Conecta(ArchivoLista, &QListWidget::itemActivated, this, [this](QListWidgetItem* archivo) {
    if (archivo) Rutas->setText(fs::Une(Directorio->Directorio(), archivo->text()));
  });
  ConectaDescripcion(BotonAceptar, kAyudaAceptar);
  ui::Conecta(BotonEdicion, &QPushButton::clicked, this, [this] { BotonEdicionClick(); });
  ui::Conecta(BitBtn3, &QPushButton::clicked, this, [this] { Cierra(2); });
  ui::Conecta(BotonAceptar, &QPushButton::clicked, this, [this] { Cierra(3); });
}

void TFormaFormatos::CambiaCarpeta(const QString& carpeta) {
  rutformato->setText(carpeta);
  Rutas->setText(carpeta);
  ArchivoLista->clear();
  ArchivoLista->addItems(QDir(fs::Local(carpeta)).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase));
}

void TFormaFormatos::FormShow() { recienMostrada_ = true; }

void TFormaFormatos::FormActivate() {
  // Only as the window comes up: coming back from the value picker or the
  // printer set-up keeps what the user chose.
  if (!recienMostrada_) return;
  recienMostrada_ = false;
  Rutas->setText(rutformato->text());
  for (QComboBox* operador : Operador) operador->setCurrentIndex(0);
}

void TFormaFormatos::FormKeyDown(int& tecla, Qt::KeyboardModifiers) {
  // Enter runs the report from any control; in the picker it is the path
  // box's own.
  if ((tecla != Qt::Key_Return && tecla != Qt::Key_Enter) || Rangos->isHidden()) return;
  tecla = 0;
  BitBtn4Click();
}

int TFormaFormatos::CampoElegido(const QComboBox* caja) const {
  const QString texto = caja->currentText();
  if (texto.isEmpty()) return -1;
  const int actual = caja->currentIndex();
  if (actual >= 0 && caja->itemText(actual) == texto) return actual;
  return caja->findText(texto, Qt::MatchExactly | Qt::MatchCaseSensitive);
}

void TFormaFormatos::CondicionChange(int n) {
  const int i = CampoElegido(Condicion[n]);
  C[n]->setText(i >= 0 ? nombres_.value(i) : QString());
  T[n]->setText(i >= 0 ? tipos_.value(i) : QString());
}

void TFormaFormatos::OrdenChange() {
  const int i = CampoElegido(Orden);
  O1->setText(i >= 0 ? nombres_.value(i) : QString());
  TO1->setText(i >= 0 ? tipos_.value(i) : QString());
}

void TFormaFormatos::ValorDblClick(int n) {
  const QString campo = C[n]->text();
  // With no field chosen there is nothing to list.
  if (campo.isEmpty()) return;
  TFormaLineas picker;
  EligeDeConsulta(QStringLiteral("SELECT DISTINCT ") + campo + QStringLiteral(" FROM ") + TablaSQL(tabla_) +
                  QStringLiteral(" order by ") + campo);
  // The row the picker stands on, whichever way it was closed.
  Valor[n]->setEditText(picker.Query1->FieldByName(campo).AsString());
}

void TFormaFormatos::BitBtn4Click() {
  for (int n = 0; n < 3; ++n) {
    if (!Condicion[n]->currentText().isEmpty()) continue;
    C[n]->clear();
    T[n]->clear();
  }
  Cierra(1);
}

void TFormaFormatos::BitBtn1Click() { Impresora->Execute(); }

void TFormaFormatos::BotonEdicionClick() {
  if (Tag() != 3) MuestraEditorFormatos();
  Cierra(1);
}

void TFormaFormatos::Cierra(int tag) {
  SetTag(tag);
  Close();
}

bool EligeFormato(QString& formato, AvisoFormato aviso) {
  TFormaFormatos dialogo;
  dialogo.SetTag(3);
  dialogo.Rangos->hide();
  dialogo.Formatos->show();
  dialogo.ShowModal();
  if (dialogo.Tag() != 1) return false;
  const QString ruta = dialogo.Rutas->text();
  if (!fs::ExisteArchivo(ruta)) {
    MuestraMensaje(QStringLiteral("El Formato ") + (aviso == AvisoFormato::Actual ? formato : ruta) +
                   QStringLiteral(" No Existe"));
    return false;
  }
  formato = ruta;
  return true;
}
