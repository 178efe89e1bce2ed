#include "shell/General.h"

#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/DialogoArchivo.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/RejillaDatos.h"
#include "shell/LineasConfiguracion.h"
#include "shell/directorio.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>
#include <memory>
#include <vector>

namespace {

const char* const kPestanas[] = {"General",  "Formatos", "Usuarios",    "Opciones", "Modulos", "Calculo de Inventario",
                                 "Ventanas", "Campos",   "Electrónica", "Sistema"};

constexpr int kPestanaUsuarios = 2, kPestanaCampos = 7;

// The groups that sit inside the frame "Movimientos al Inventario".
const char* const kGruposMovimientos[] = {"Entradas", "Salidas", "Traspasos"};

// Rows of label and control in one column of a tab before the next column.
constexpr int kFilasPorColumna = 12;

// The spreadsheet program the "..." of the spreadsheet box looks for.
const QString kCarpetaHojaCalculo = QStringLiteral("C:\\Archivos de programa\\Microsoft Office\\Office");
const QString kProgramaHojaCalculo = QStringLiteral("EXCEL.EXE");

// A spin box whose text is the line's text as it stands: a text that is not
// a number in its range (an empty line) is shown and written back as it is.
class CajaGiro : public QSpinBox {
 public:
  using QSpinBox::QSpinBox;
  QString Texto() const { return lineEdit()->text(); }
  void SetTexto(const QString& texto) {
    bool numero = false;
    const int n = texto.toInt(&numero);
    if (numero) setValue(n);
    lineEdit()->setText(texto);
  }
};

// A tab of line controls: rows of label, control and button in columns of
// kFilasPorColumna rows, then the group boxes, two to a row.
class Pagina {
 public:
  explicit Pagina(QWidget* pagina) : pagina_(pagina) {
    auto* capa = new QVBoxLayout(pagina);
    sueltos_ = new QGridLayout;
    grupos_ = new QGridLayout;
    capa->addLayout(sueltos_);
    capa->addLayout(grupos_);
    capa->addStretch();
  }

  QWidget* Widget() const { return pagina_; }

  // A row: a label and its control (a check box or a radio button without
  // one), and a button beside the control.
  void Agrega(QLabel* etiqueta, QWidget* control, QWidget* boton = nullptr) {
    const int fila = n_ % kFilasPorColumna;
    const int columna = n_ / kFilasPorColumna * 3;
    ++n_;
    if (etiqueta) sueltos_->addWidget(etiqueta, fila, columna);
    sueltos_->addWidget(control, fila, etiqueta ? columna + 1 : columna, 1, etiqueta ? 1 : 2);
    if (boton) sueltos_->addWidget(boton, fila, columna + 2);
  }

  // A row of a group box of the tab, made on first use.
  void AgregaEnGrupo(const QString& grupo, QLabel* etiqueta, QWidget* control) {
    QFormLayout*& capa = porTitulo_[grupo];
    if (!capa) {
      auto* caja = new QGroupBox(grupo, pagina_);
      capa = new QFormLayout(caja);
      if (std::find(std::begin(kGruposMovimientos), std::end(kGruposMovimientos), grupo) !=
          std::end(kGruposMovimientos))
        Marco()->addWidget(caja);
      else
        AgregaCaja(caja);
    }
    if (etiqueta)
      capa->addRow(etiqueta, control);
    else
      capa->addRow(control);
  }

 private:
  QHBoxLayout* Marco() {
    if (!marco_) {
      auto* caja = new QGroupBox(QStringLiteral("Movimientos al Inventario"), pagina_);
      marco_ = new QHBoxLayout(caja);
      AgregaCaja(caja);
    }
    return marco_;
  }

  void AgregaCaja(QGroupBox* caja) {
    grupos_->addWidget(caja, cajas_ / 2, cajas_ % 2);
    ++cajas_;
  }

  QWidget* pagina_;
  QGridLayout* sueltos_;
  QGridLayout* grupos_;
  QHBoxLayout* marco_ = nullptr;
  QHash<QString, QFormLayout*> porTitulo_;
  int n_ = 0;
  int cajas_ = 0;
};

QLabel* Etiqueta(const QString& texto, const QString& componente, QWidget* padre) {
  auto* l = new QLabel(texto, padre);
  l->setObjectName(QStringLiteral("Label") + componente);
  return l;
}

QToolButton* BotonPuntos(const char* nombre, QWidget* padre) {
  auto* b = new QToolButton(padre);
  b->setObjectName(QString::fromLatin1(nombre));
  b->setText(QStringLiteral("..."));
  return b;
}

}  // namespace

TFormaConfiguracionGeneral::TFormaConfiguracionGeneral(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaConfiguracionGeneral>() = this;
  setObjectName(QStringLiteral("FormaConfiguracionGeneral"));
  setWindowTitle(QStringLiteral("Configuracion General"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  SetKeyPreview(true);

  CarpetaLocal(carpetaPrograma_);

  Folder = new QTabWidget(this);
  Folder->setObjectName(QStringLiteral("Folder"));
  for (const char* pestana : kPestanas) {
    auto* pagina = new QWidget(Folder);
    pagina->setObjectName(QStringLiteral("Pagina") + QString::fromUtf8(pestana).remove(u' '));
    Folder->addTab(pagina, QString::fromUtf8(pestana));
  }
  CreaPestanasLineas();
  CreaPestanaUsuarios(Folder->widget(kPestanaUsuarios));
  CreaPestanaCampos(Folder->widget(kPestanaCampos));

  auto* capa = new QVBoxLayout(this);
  capa->addWidget(Folder);
  setFixedSize(900, 540);
  ui::CentraEnPantalla(*this);

  // FormCreate: the format dialog's folder and the field dictionary.
  ArchivoFormato->InitialDir = carpetaPrograma_ + QStringLiteral("\\consulta");
  AbreCampos();
}

TFormaConfiguracionGeneral::~TFormaConfiguracionGeneral() = default;

void TFormaConfiguracionGeneral::CreaPestanasLineas() {
  // The tabs of the lines; "Usuarios" and "Campos" have their own.
  QHash<QString, Pagina*> paginas;
  std::vector<std::unique_ptr<Pagina>> duenas;
  for (int i = 0; i < Folder->count(); ++i) {
    if (i == kPestanaUsuarios || i == kPestanaCampos) continue;
    duenas.push_back(std::make_unique<Pagina>(Folder->widget(i)));
    paginas.insert(Folder->tabText(i), duenas.back().get());
  }
  Pagina& general = *paginas.value(QStringLiteral("General"));

  Edit0 = new QSpinBox(general.Widget());
  Edit0->setObjectName(QStringLiteral("Edit0"));
  Edit0->setRange(INT_MIN, INT_MAX);  // no limits of its own
  general.Agrega(Etiqueta(QStringLiteral("Empresa:"), QStringLiteral("Edit0"), general.Widget()), Edit0);
  ui::Conecta(Edit0, &QSpinBox::valueChanged, this, [this] { Edit0Change(); });

  controles_.fill(nullptr, kLineasConfiguracion);
  for (const DefLineaConfig& d : LineasConfiguracion()) {
    if (d.control == ControlLinea::Ninguno) continue;
    Pagina* pagina = paginas.value(d.Pestana());
    QWidget* padre = pagina ? pagina->Widget() : this;
    QLabel* etiqueta = nullptr;
    QWidget* control = nullptr;
    QWidget* boton = nullptr;
    switch (d.control) {
      case ControlLinea::Caja:
      case ControlLinea::CajaOculta: {
        auto* caja = new QLineEdit(padre);
        control = caja;
        if (d.valor == ValorLinea::SiNo)
          ui::Conecta(&ui::Eventos::De(caja), &ui::Eventos::DblClick, this, [this, caja] { Edit1DblClick(caja); });
        if (d.valor == ValorLinea::Formato)
          ui::Conecta(&ui::Eventos::De(caja), &ui::Eventos::DblClick, this, [this, caja] { Edit12DblClick(caja); });
        break;
      }
      case ControlLinea::Casilla:
        control = new QCheckBox(d.Titulo(), padre);
        break;
      case ControlLinea::Giro: {
        auto* giro = new CajaGiro(padre);
        giro->setRange(d.minimo, d.maximo);
        control = giro;
        break;
      }
      case ControlLinea::Radios:
        control = new QRadioButton(d.Titulo(), padre);
        vistaClasica_ = new QRadioButton(QString::fromUtf8(d.tituloAlterno), padre);
        vistaClasica_->setObjectName(QString::fromUtf8(d.alterno));
        break;
      case ControlLinea::Ninguno:
        break;
    }
    control->setObjectName(d.Componente());
    controles_[d.linea - 1] = control;
    if (d.control != ControlLinea::Casilla && d.control != ControlLinea::Radios && !d.Titulo().isEmpty())
      etiqueta = Etiqueta(d.Titulo(), d.Componente(), padre);
    if (d.linea == ConfCarpetaDatos) boton = SpeedButton3 = BotonPuntos("SpeedButton3", padre);
    if (d.linea == ConfHojaCalculo) boton = SpeedButton1 = BotonPuntos("SpeedButton1", padre);

    if (!pagina) {
      control->hide();
    } else if (!d.Grupo().isEmpty()) {
      pagina->AgregaEnGrupo(d.Grupo(), etiqueta, control);
    } else {
      pagina->Agrega(etiqueta, control, boton);
      if (vistaClasica_ && d.control == ControlLinea::Radios) pagina->Agrega(nullptr, vistaClasica_);
    }
    if (d.control == ControlLinea::CajaOculta) {
      control->hide();
      if (etiqueta) etiqueta->hide();
    }
    // A fresh window shows the initial values; neither view is chosen.
    if (d.control != ControlLinea::Radios) PonValorDeLinea(d, d.Inicial());
  }

  BotonGuardar = new QPushButton(QStringLiteral("&Guardar"), general.Widget());
  BotonGuardar->setObjectName(QStringLiteral("BotonGuardar"));
  general.Agrega(nullptr, BotonGuardar);
  ui::Conecta(BotonGuardar, &QPushButton::clicked, this, [this] { BotonGuardarClick(); });

  Pagina& modulos = *paginas.value(QStringLiteral("Modulos"));
  PartidasCompra = new QLineEdit(QStringLiteral("30"), modulos.Widget());
  PartidasCompra->setObjectName(QStringLiteral("PartidasCompra"));
  modulos.AgregaEnGrupo(
      QStringLiteral("Compras"),
      Etiqueta(QStringLiteral("Máximo de Partidas"), QStringLiteral("PartidasCompra"), modulos.Widget()),
      PartidasCompra);
  PuertoTorreta = new QComboBox(modulos.Widget());
  PuertoTorreta->setObjectName(QStringLiteral("PuertoTorreta"));
  PuertoTorreta->addItems(
      {QStringLiteral("LPT1"), QStringLiteral("LPT2"), QStringLiteral("COM1"), QStringLiteral("COM2")});
  modulos.Agrega(Etiqueta(QStringLiteral("Torreta"), QStringLiteral("PuertoTorreta"), modulos.Widget()), PuertoTorreta);

  Pagina& opciones = *paginas.value(QStringLiteral("Opciones"));
  CheckBox62 = new QCheckBox(QStringLiteral("Reportes Multimoda"), opciones.Widget());
  CheckBox62->setObjectName(QStringLiteral("CheckBox62"));
  opciones.Agrega(nullptr, CheckBox62);
  SpeedButton2 = new QToolButton(opciones.Widget());
  SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
  SpeedButton2->setText(QStringLiteral("Consecutivos"));
  SpeedButton2->hide();
  ui::Conecta(SpeedButton2, &QToolButton::clicked, this, [this] { SpeedButton2Click(); });

  ui::Conecta(SpeedButton3, &QToolButton::clicked, this, [this] { SpeedButton3Click(); });
  ui::Conecta(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
  ArchivoFormato = new ui::DialogoArchivo(this, ui::DialogoArchivo::Tipo::Abrir, QStringLiteral("ArchivoFormato"));
}

QWidget* TFormaConfiguracionGeneral::ControlDeLinea(int n) const {
  return n >= 1 && n <= controles_.size() ? controles_[n - 1] : nullptr;
}

QString TFormaConfiguracionGeneral::ValorDeLinea(const DefLineaConfig& d) const {
  QWidget* control = controles_[d.linea - 1];
  switch (d.control) {
    case ControlLinea::Caja:
    case ControlLinea::CajaOculta:
      return static_cast<QLineEdit*>(control)->text();
    case ControlLinea::Casilla:
      return static_cast<QCheckBox*>(control)->isChecked() ? QStringLiteral("S") : QStringLiteral("N");
    case ControlLinea::Giro:
      return static_cast<CajaGiro*>(control)->Texto();
    case ControlLinea::Radios:
      return static_cast<QRadioButton*>(control)->isChecked() ? QStringLiteral("S") : QStringLiteral("N");
    case ControlLinea::Ninguno:
      break;
  }
  return reservadas_.value(d.linea);
}

void TFormaConfiguracionGeneral::PonValorDeLinea(const DefLineaConfig& d, const QString& valor) {
  QWidget* control = controles_[d.linea - 1];
  switch (d.control) {
    case ControlLinea::Caja:
    case ControlLinea::CajaOculta:
      static_cast<QLineEdit*>(control)->setText(valor);
      return;
    case ControlLinea::Casilla:
      static_cast<QCheckBox*>(control)->setChecked(valor == u"S");
      return;
    case ControlLinea::Giro:
      static_cast<CajaGiro*>(control)->SetTexto(valor);
      return;
    case ControlLinea::Radios:
      (valor == u"S" ? static_cast<QRadioButton*>(control) : vistaClasica_)->setChecked(true);
      return;
    case ControlLinea::Ninguno:
      reservadas_.insert(d.linea, valor);
      return;
  }
}

// The edits of the window outlive every later activation: coming back from
// the folder picker, a file dialog or a message keeps them, under the
// company they were made for.
void TFormaConfiguracionGeneral::FormActivate() {
  if (cargada_) return;
  cargada_ = true;
  {
    const QSignalBlocker quieto(Edit0);
    Edit0->setValue(1);
  }
  CargaConfiguracionEmpresa();
}

void TFormaConfiguracionGeneral::Edit0Change() {
  const int n = Edit0->value();
  if (n < 0) {
    Edit0->setValue(0);  // which loads nothing
    return;
  }
  if (n >= 1) CargaConfiguracionEmpresa();
}

void TFormaConfiguracionGeneral::CargaConfiguracionEmpresa() {
  const QString numero = QString::number(Edit0->value());
  const QString ruta = ArchivoEmpresa(carpetaPrograma_, numero);
  if (!fs::ExisteArchivo(ruta)) {
    MuestraMensaje(kEmpresaNoExisteConfiguracion + numero);
    return;
  }
  const QStringList lineas = fs::LeeLineas(ruta);
  for (const DefLineaConfig& d : LineasConfiguracion()) PonValorDeLinea(d, lineas.value(d.linea - 1));
}

// Every station reads lines at any moment: the file is replaced whole, and
// a write that fails leaves the old file and the window with its edits.
void TFormaConfiguracionGeneral::BotonGuardarClick() {
  QStringList valores;
  for (const DefLineaConfig& d : LineasConfiguracion()) valores << ValorDeLinea(d);
  EscribeConfiguracionEmpresa(ArchivoEmpresa(carpetaPrograma_, QString::number(Edit0->value())), valores);
}

void TFormaConfiguracionGeneral::Edit1DblClick(QLineEdit* caja) {
  caja->setText(caja->text() == u"SI" ? QStringLiteral("NO") : QStringLiteral("SI"));
}

void TFormaConfiguracionGeneral::Edit12DblClick(QLineEdit* caja) {
  if (ArchivoFormato->Execute()) caja->setText(fs::NombreArchivo(ArchivoFormato->FileName));
}

void TFormaConfiguracionGeneral::SpeedButton3Click() {
  QString carpeta;
  EligeCarpeta(carpeta);
  if (!carpeta.isEmpty()) static_cast<QLineEdit*>(ControlDeLinea(ConfCarpetaDatos))->setText(carpeta);
}

void TFormaConfiguracionGeneral::SpeedButton1Click() {
  const QStringList hallados = fs::ListaCarpeta(kCarpetaHojaCalculo, kProgramaHojaCalculo);
  static_cast<QLineEdit*>(ControlDeLinea(ConfHojaCalculo))
      ->setText(hallados.isEmpty() ? QString() : fs::Une(kCarpetaHojaCalculo, hallados.first()));
}

// Enter and Down go to the next control, Up to the previous one; the grid of
// the field dictionary keeps its keys, with which it moves between its rows
// and adds new ones.
void TFormaConfiguracionGeneral::FormKeyDown(int& tecla, Qt::KeyboardModifiers) {
  QWidget* foco = QApplication::focusWidget();
  if (foco && (foco == RejillaCampos || RejillaCampos->isAncestorOf(foco))) return;
  if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter || tecla == Qt::Key_Down) {
    focusNextChild();
    tecla = 0;
  } else if (tecla == Qt::Key_Up) {
    focusPreviousChild();
  }
}
