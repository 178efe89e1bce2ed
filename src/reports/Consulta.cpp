#include "reports/Consulta.h"

#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_tablas.h"
#include "platform/Error.h"
#include "platform/db/Consulta.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/process/Procesos.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/DialogoArchivo.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/RejillaTexto.h"
#include "reports/CamposReporte.h"
#include "reports/Graficas.h"
#include "reports/Vistas.h"
#include "shell/LugarTablas.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

constexpr int kColumnaCampo = 1;
constexpr int kColumnaOperador = 2;
constexpr int kColumnaValor = 3;
// Rows emptied when the window is first shown.
constexpr int kFilasAlMostrar = 10;
constexpr int kAltoOpcion = 15;
const QStringList kOperadores = {QStringLiteral("="),  QStringLiteral("<"),  QStringLiteral(">"),
                                 QStringLiteral("<="), QStringLiteral(">="), QStringLiteral("<>")};
const QString kNoDisponible = QStringLiteral("No Disponible");

template <class T>
T* Nombrado(T* componente, const char* nombre, const QRect& lugar) {
  componente->setObjectName(QString::fromLatin1(nombre));
  componente->setGeometry(lugar);
  return componente;
}

QLabel* Etiqueta(QWidget* padre, const char* nombre, const QString& texto, const QRect& lugar) {
  return Nombrado(new QLabel(texto, padre), nombre, lugar);
}

QDateEdit* Fecha(QWidget* padre, const char* nombre, const QRect& lugar) {
  auto* fecha = Nombrado(new QDateEdit(padre), nombre, lugar);
  fecha->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
  fecha->setCalendarPopup(true);
  fecha->setDate(fs::Hoy());
  return fecha;
}

}  // namespace

TEstadoConsultas& EstadoConsultas() {
  static TEstadoConsultas estado;
  return estado;
}

TFormaConsulta::TFormaConsulta(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaConsulta>() = this;
  setObjectName(QStringLiteral("FormaConsulta"));
  setWindowTitle(QStringLiteral("Parámetros de Consultas"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
  setFixedSize(470, 470);

  TablaConsulta = new db::Tabla(this);
  TablaConsulta->setObjectName(QStringLiteral("TablaConsulta"));
  TablaTemporal = new db::Consulta(this);
  TablaTemporal->setObjectName(QStringLiteral("TablaTemporal"));
  AbreArchivo = new ui::DialogoArchivo(this, ui::DialogoArchivo::Tipo::Abrir, QStringLiteral("AbreArchivo"));
  AbreArchivo->Filter = QStringLiteral("Consultas (*.vis)");

  MenuReportes = new QMenuBar(this);
  MenuReportes->setObjectName(QStringLiteral("MenuReportes"));
  Reportes1 = MenuReportes->addMenu(QStringLiteral("Reportes"));
  Reportes1->setObjectName(QStringLiteral("Reportes1"));
  MenuReportes->setGeometry(0, 0, 470, 22);

  ConstruyeControles();
  ui::CentraEnPantalla(*this);
}

TFormaConsulta::~TFormaConsulta() = default;

void TFormaConsulta::ConstruyeControles() {
  GrupoConsultas = Nombrado(new QGroupBox(QStringLiteral("Consultas"), this), "GrupoConsultas", QRect(8, 28, 454, 120));
  Archivo = Nombrado(new QComboBox(GrupoConsultas), "Archivo", QRect(8, 20, 438, 24));
  Archivo->setEditable(true);
  Archivo->setInsertPolicy(QComboBox::NoInsert);
  Descripcion = Nombrado(new QPlainTextEdit(GrupoConsultas), "Descripcion", QRect(8, 50, 438, 62));

  UsarFecha = Nombrado(new QCheckBox(QStringLiteral("Usar Fecha"), this), "UsarFecha", QRect(8, 154, 90, 22));
  FechaReporte = Nombrado(new QComboBox(this), "FechaReporte", QRect(100, 154, 110, 22));
  FechaReporte->setEditable(true);
  FechaReporte->setEditText(QStringLiteral("FechaReporte"));
  Label1 = Etiqueta(this, "Label1", QStringLiteral("Inicio"), QRect(216, 156, 36, 18));
  Inicial = Fecha(this, "Inicial", QRect(252, 154, 100, 22));
  Label2 = Etiqueta(this, "Label2", QStringLiteral("Final"), QRect(356, 156, 30, 18));
  Final = Fecha(this, "Final", QRect(386, 154, 76, 22));
  for (QWidget* w : std::initializer_list<QWidget*>{UsarFecha, FechaReporte, Label1, Inicial, Label2, Final}) w->hide();

  Label3 = Etiqueta(this, "Label3", QStringLiteral("Condiciones"), QRect(8, 182, 120, 18));
  Condiciones = Nombrado(new ui::RejillaTexto(this, 4, kFilasCondiciones, 1, 1), "Condiciones", QRect(8, 200, 290, 200));
  Condiciones->SetEditable(true);
  Condiciones->SetDefaultRowHeight(15);
  Condiciones->SetColWidths(0, 10);
  for (int c = 1; c <= 3; ++c) Condiciones->SetColWidths(c, 80);
  Condiciones->SetCells(kColumnaCampo, 0, QStringLiteral("Campos"));
  Condiciones->SetCells(kColumnaOperador, 0, QStringLiteral("Operador"));
  Condiciones->SetCells(kColumnaValor, 0, QStringLiteral("Valor"));
  ListaOpcion = Nombrado(new QListWidget(this), "ListaOpcion", QRect(304, 200, 158, 200));

  Ejecutar = Nombrado(new QToolButton(this), "Ejecutar", QRect(8, 410, 100, 28));
  Ejecutar->setText(QStringLiteral("&Ejecutar"));
  SpeedButton2 = Nombrado(new QToolButton(this), "SpeedButton2", QRect(112, 410, 100, 28));
  SpeedButton2->setText(QStringLiteral("&Cancelar"));
  BitBtn1 = Nombrado(new QPushButton(QStringLiteral("Editar Consulta..."), this), "BitBtn1", QRect(216, 410, 130, 28));
  Consecutivo = Nombrado(new QCheckBox(QStringLiteral("Consecutivo"), this), "Consecutivo", QRect(352, 406, 110, 20));
  IncluyeBlancos =
      Nombrado(new QCheckBox(QStringLiteral("Incluye Blancos"), this), "IncluyeBlancos", QRect(352, 428, 110, 20));

  numcampo = Etiqueta(this, "numcampo", QString(), QRect(0, 0, 0, 0));
  Archi = Etiqueta(this, "Archi", QString(), QRect(0, 0, 0, 0));
  RutaCampos = Nombrado(new QLineEdit(this), "RutaCampos", QRect(0, 0, 0, 0));
  Destino = Nombrado(new QLineEdit(this), "Destino", QRect(0, 0, 0, 0));
  for (QWidget* w : std::initializer_list<QWidget*>{numcampo, Archi, RutaCampos, Destino}) w->hide();

  ui::Conecta(Ejecutar, &QToolButton::clicked, this, [this] { EjecutarClick(); });
  ui::Conecta(SpeedButton2, &QToolButton::clicked, this, [this] { SpeedButton2Click(); });
  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  ui::Conecta(&ui::Eventos::De(Archivo), &ui::Eventos::KeyDown, this,
              [this](int& tecla, Qt::KeyboardModifiers) { ArchivoKeyDown(tecla); });
  ui::Conecta(Condiciones, &QTableWidget::cellClicked, this, [this] { CondicionesClick(); });
  ui::Conecta(Condiciones, &QTableWidget::currentCellChanged, this, [this] { CondicionesClick(); });
  ui::Conecta(&ui::Eventos::De(Condiciones), &ui::Eventos::KeyUp, this, [this] { CondicionesKeyUp(); });
  ui::Conecta(ListaOpcion, &QListWidget::itemDoubleClicked, this, [this] { ListaOpcionDblClick(); });
}

void TFormaConsulta::FormActivate() {
  if (!TablaConsulta->Active() && !TablaConsulta->NombreTabla().isEmpty()) AbreTabla(*TablaConsulta);
  // Only when shown: a message or a picker over the window leaves the
  // conditions being typed as they are.
  if (mostrada_) return;
  mostrada_ = true;
  VaciaCondiciones(kFilasAlMostrar);
  ListaOpcion->clear();
}

void TFormaConsulta::FormClose() {
  mostrada_ = false;
  TablaConsulta->Close();
}

void TFormaConsulta::VaciaCondiciones(int hasta) {
  Condiciones->CierraEditor();
  for (int r = 1; r <= hasta && r < kFilasCondiciones; ++r) {
    for (int c = kColumnaCampo; c <= kColumnaValor; ++c) Condiciones->SetCells(c, r, QString());
    ListaCondiciones[r] = CondicionConsulta();
  }
}

void TFormaConsulta::CargaListaVistas(const QString& lista, const QString& copia) {
  if (!fs::ExisteArchivo(lista)) return;
  Archivo->clear();
  Descripcion->clear();
  QVector<TEntradaVista> leidos;
  try {
    for (const TEntradaVista& e : DepuraListaVistas(lista, &leidos, copia)) Archivo->addItem(e.Archivo);
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
    return;
  }
  Archivo->setCurrentIndex(Archivo->count() > 0 ? 0 : -1);
  if (!leidos.isEmpty()) Descripcion->setPlainText(leidos.last().Descripcion);
  Archi->setText(fs::NombreArchivo(lista));
}

void TFormaConsulta::SpeedButton2Click() { Close(); }

void TFormaConsulta::BitBtn1Click() {
  const proc::Resultado r = proc::Ejecuta(QStringLiteral("notepad.exe ") + Archivo->currentText());
  if (!r) MuestraMensaje(QStringLiteral("No se pudo abrir el editor de consultas: ") + r.error);
}

void TFormaConsulta::ArchivoKeyDown(int& tecla) {
  if (tecla != Qt::Key_F12) return;
  tecla = 0;
  // Only view files are deleted from here.
  const QString ruta = Archivo->currentText().trimmed();
  if (!ruta.endsWith(QStringLiteral(".vis"), Qt::CaseInsensitive)) {
    MuestraMensaje(QStringLiteral("Sólo se pueden borrar archivos de consulta (.vis)"));
    return;
  }
  fs::BorraArchivo(ruta);
}

void TFormaConsulta::CondicionesClick() {
  ListaOpcion->clear();
  switch (Condiciones->Col()) {
    case kColumnaCampo:
    case kColumnaValor:
      for (const CampoConsulta& c : ListaCampos) ListaOpcion->addItem(c.Descripcion);
      break;
    case kColumnaOperador: ListaOpcion->addItems(kOperadores); break;
    default: break;
  }
  for (int i = 0; i < ListaOpcion->count(); ++i) ListaOpcion->item(i)->setSizeHint(QSize(0, kAltoOpcion));
}

void TFormaConsulta::ListaOpcionDblClick() {
  const int i = ListaOpcion->currentRow();
  const int col = Condiciones->Col();
  const int r = Condiciones->Row();
  if (i < 0 || r < 1 || r >= kFilasCondiciones) return;
  Condiciones->CierraEditor();
  const QString anterior = Condiciones->Cells(col, r);
  const QString elegido = ListaOpcion->item(i)->text();
  Condiciones->SetCells(col, r, elegido);
  CondicionConsulta& condicion = ListaCondiciones[r];
  switch (col) {
    case kColumnaCampo:
      if (i < ListaCampos.size()) {
        condicion.Campo = ListaCampos[i].Nombre;
        condicion.Tipo = ListaCampos[i].Tipo;
      }
      break;
    case kColumnaOperador: condicion.Operador = elegido; break;
    case kColumnaValor:
      if (i >= ListaCampos.size()) break;
      if (condicion.Tipo != ListaCampos[i].Tipo) {
        // The cell gets back what it held: a caption is no value.
        Condiciones->SetCells(col, r, anterior);
        MuestraMensaje(QStringLiteral("No son compatibles los tipos"));
        break;
      }
      condicion.CampoValor = ListaCampos[i].Nombre;
      condicion.DescripcionValor = elegido;
      break;
    default: break;
  }
}

void TFormaConsulta::CondicionesKeyUp() {
  if (Condiciones->Col() != kColumnaValor) return;
  const int r = Condiciones->Row();
  if (r < 1 || r >= kFilasCondiciones) return;
  // The text being typed, while the cell's editor is open.
  auto* editor = qobject_cast<QLineEdit*>(Condiciones->indexWidget(Condiciones->currentIndex()));
  const QString valor = editor ? editor->text() : Condiciones->Cells(kColumnaValor, r);
  if (ValorValidoVista(valor, ListaCondiciones[r].Tipo)) return;
  MuestraMensaje(QStringLiteral("Valor Erroneo"));
  // The message took the cell's editor away: the typing goes on where it
  // was.
  const QModelIndex celda = Condiciones->currentIndex();
  if (!editor || Condiciones->indexWidget(celda)) return;
  Condiciones->setFocus();
  Condiciones->edit(celda);
  if (auto* nuevo = qobject_cast<QLineEdit*>(Condiciones->indexWidget(celda))) {
    nuevo->deselect();
    nuevo->end(false);
  }
}

QString TFormaConsulta::SentenciaDeVista() const {
  PeticionVista p;
  p.carpetas = CarpetasEmpresa();
  if (!FechaReporte->isHidden() && UsarFecha->isChecked()) p.campoFecha = FechaReporte->currentText();
  p.inicial = Inicial->date();
  p.final = Final->date();
  for (int r = 1; r < kFilasCondiciones; ++r) {
    if (ListaCondiciones[r].Campo.isEmpty()) continue;
    p.condiciones.push_back(ListaCondiciones[r]);
    p.valores << Condiciones->Cells(kColumnaValor, r);
  }
  return SentenciaVista(AreaClaves, p);
}

void PreparaConsulta(const QString& tabla, const QString& camposFecha) {
  TFormaConsulta* forma = FormaConsulta();
  if (!forma) return;
  if (!camposFecha.isEmpty()) {
    forma->Inicial->setDate(fs::Hoy());
    forma->Final->setDate(fs::Hoy());
    for (QWidget* w : std::initializer_list<QWidget*>{forma->FechaReporte, forma->Inicial, forma->Final, forma->Label1,
                                                      forma->Label2, forma->UsarFecha})
      w->show();
    forma->UsarFecha->setChecked(false);
    forma->FechaReporte->addItems(camposFecha.split(u','));
    forma->FechaReporte->setCurrentIndex(0);
  }

  forma->ListaCampos.clear();
  QVector<FilaCamposReporte> filas;
  try {
    filas = CamposDeTabla(tabla.toLower());
  } catch (const plat::Error&) {
    return;  // without the dictionary no field is offered
  }
  for (const FilaCamposReporte& f : filas) {
    if (!f.describe.isEmpty() && f.describe != kNoDisponible) forma->ListaCampos.push_back({f.campo, f.describe, f.tipo});
  }
}
