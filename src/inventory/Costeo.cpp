#include "inventory/Costeo.h"

#include "foundation/HojaCalculo.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_tablas.h"
#include "inventory/TablasInventario.h"
#include "platform/Error.h"
#include "platform/db/Consulta.h"
#include "platform/db/Literales.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/hoja/Hoja.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/DialogoArchivo.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QVBoxLayout>

#include <vector>

namespace {

const QString kFiltrar = QStringLiteral("Filtrar");
const QString kQuitarFiltro = QStringLiteral("Quitar Filtro");
const QString kMascaraKardex = QStringLiteral("###,##0.00");

const QStringList kOperadores = {QStringLiteral("="),          QStringLiteral("<"),
                                 QStringLiteral(">"),          QStringLiteral("<>"),
                                 QStringLiteral("<="),         QStringLiteral(">="),
                                 QStringLiteral("Inicia_Con"), QStringLiteral("Termina_Con"),
                                 QStringLiteral("Incluye")};

// Column titles by position, then by field for the columns after "Origen".
const QStringList kTitulos = {QStringLiteral("Clave"),      QStringLiteral("Producto"),
                              QStringLiteral("Cantidad"),   QStringLiteral("Tipo Movimiento"),
                              QStringLiteral("Kardex"),     QStringLiteral("Num. Mov."),
                              QStringLiteral("Costo"),      QStringLiteral("Fecha"),
                              QStringLiteral("Movimiento"), QStringLiteral("Origen")};
const QHash<QString, QString> kTitulosFinales = {{QStringLiteral("EXISTENCIA"), QStringLiteral("Existencia")},
                                                 {QStringLiteral("REFERENCIA"), QStringLiteral("Referencia")},
                                                 {QStringLiteral("CLIPROV"), QStringLiteral("Cli/Prov")},
                                                 {QStringLiteral("USUARIO"), QStringLiteral("Usuario")},
                                                 {QStringLiteral("NOMBRE"), QStringLiteral("Nombre")}};
constexpr int kColumnaKardex = 4;

template <class T>
T* Nombrado(T* componente, const QString& nombre) {
  componente->setObjectName(nombre);
  return componente;
}

QDateEdit* Fecha(QWidget* padre, const QString& nombre) {
  auto* fecha = Nombrado(new QDateEdit(padre), nombre);
  fecha->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
  fecha->setCalendarPopup(true);
  return fecha;
}

}  // namespace

TFormaCosteo::TFormaCosteo(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaCosteo>() = this;
  setObjectName(QStringLiteral("FormaCosteo"));
  setWindowTitle(QStringLiteral("Kardex"));
  setWindowState(Qt::WindowMaximized);
  FijaFormatosRegionales();

  TablaSQLCosteo = Nombrado(new db::Consulta(this), QStringLiteral("TablaSQLCosteo"));
  TablaNormal = Nombrado(new db::Tabla(this), QStringLiteral("TablaNormal"));
  TablaNormal->SetNombreTabla(QStringLiteral("auxiliar.dbf"));
  FuenteNormal = Nombrado(new ui::FuenteDatos(this), QStringLiteral("FuenteNormal"));
  FuenteNormal->SetDataSet(TablaNormal);
  DialogoGuarda = new ui::DialogoArchivo(this, ui::DialogoArchivo::Tipo::Guardar, QStringLiteral("DialogoGuarda"));
  DialogoGuarda->Filter = kFiltroHojaCalculo;

  auto* capa = new QVBoxLayout(this);
  capa->setContentsMargins(0, 0, 0, 0);
  capa->setSpacing(0);
  ConstruyePanelSuperior();
  capa->addWidget(Panel1);

  Detalle = Nombrado(new ui::RejillaDatos(this), QStringLiteral("Detalle"));
  Detalle->SetSoloLectura(true);
  Detalle->TextoCelda = [](const db::Campo& campo, const QVariant& valor, const QString& texto) {
    if (!valor.isValid() || campo.Nombre().compare(QLatin1String("KARDEX"), Qt::CaseInsensitive) != 0) return texto;
    return FormatoMascara(kMascaraKardex, valor.toDouble());
  };
  Detalle->hide();
  capa->addWidget(Detalle, 1);

  Panel2 = Nombrado(new ui::Panel(this), QStringLiteral("Panel2"));
  Panel2->setFixedHeight(32);
  Actuales = Nombrado(new QLabel(Panel2), QStringLiteral("Actuales"));
  Actuales->setGeometry(8, 8, 160, 18);
  capa->addWidget(Panel2);
}

TFormaCosteo::~TFormaCosteo() {
  // The card's folder goes with the window, after its table is let go.
  TablaNormal->Close();
  TablaSQLCosteo->Close();
}

void TFormaCosteo::ConstruyePanelSuperior() {
  Panel1 = Nombrado(new ui::Panel(this), QStringLiteral("Panel1"));
  auto* fila = new QHBoxLayout(Panel1);
  fila->setContentsMargins(8, 6, 8, 6);
  fila->addWidget(new QLabel(QStringLiteral("De"), Panel1));
  Inicio = Fecha(Panel1, QStringLiteral("Inicio"));
  fila->addWidget(Inicio);
  fila->addWidget(new QLabel(QStringLiteral("Hasta"), Panel1));
  Final = Fecha(Panel1, QStringLiteral("Final"));
  fila->addWidget(Final);
  BotonFiltrar = Nombrado(new QPushButton(kFiltrar, Panel1), QStringLiteral("BotonFiltrar"));
  BotonFiltrar->setToolTip(QStringLiteral("Filtrar por Fecha"));
  fila->addWidget(BotonFiltrar);
  ComboCampos = Nombrado(new QComboBox(Panel1), QStringLiteral("ComboCampos"));
  ComboCampos->setMinimumWidth(110);
  fila->addWidget(ComboCampos);
  Operador1 = Nombrado(new QComboBox(Panel1), QStringLiteral("Operador1"));
  Operador1->addItems(kOperadores);
  fila->addWidget(Operador1);
  EditFiltro = Nombrado(new QLineEdit(Panel1), QStringLiteral("EditFiltro"));
  fila->addWidget(EditFiltro);
  BitBtn1 = Nombrado(new QPushButton(QStringLiteral("Ajustar Inv."), Panel1), QStringLiteral("BitBtn1"));
  BitBtn1->setToolTip(QStringLiteral("Ajustar el Inventario Según Kardex"));
  fila->addWidget(BitBtn1);
  BitBtn2 = Nombrado(new QPushButton(QStringLiteral("Exportar"), Panel1), QStringLiteral("BitBtn2"));
  fila->addWidget(BitBtn2);
  SpeedButton1 = Nombrado(new QToolButton(Panel1), QStringLiteral("SpeedButton1"));
  SpeedButton1->setText(QStringLiteral("Imprimir"));
  SpeedButton1->setToolTip(QStringLiteral("Imprimir"));
  fila->addWidget(SpeedButton1);
  EtiquetaProducto = Nombrado(new QLabel(Panel1), QStringLiteral("EtiquetaProducto"));
  fila->addWidget(EtiquetaProducto);
  EtiquetaDescribe = Nombrado(new QLabel(Panel1), QStringLiteral("EtiquetaDescribe"));
  fila->addWidget(EtiquetaDescribe, 1);

  ui::Conecta(BotonFiltrar, &QPushButton::clicked, this, [this] { BotonFiltrarClick(); });
  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  ui::Conecta(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
  ui::Conecta(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
}

void TFormaCosteo::CreaTarjeta(const QString& variante) {
  const QString tempo = fs::Local(CarpetaPrograma(QStringLiteral("\\tempo")));
  fs::CreaCarpeta(tempo);
  carpeta_ = std::make_unique<QTemporaryDir>(tempo + QStringLiteral("/KardexXXXXXX"));
  if (!carpeta_->isValid())
    throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo crear la carpeta del Kardex en %1: %2")
                                           .arg(tempo, carpeta_->errorString()));
  const db::DefTabla tabla = EsquemaAuxiliar(variante);
  db::Tabla::Crea(carpeta_->path(), tabla.archivo, tabla.campos, tabla.tags);
  TablaNormal->SetCarpeta(carpeta_->path());
  TablaNormal->Open();
}

QString TFormaCosteo::CarpetaTarjeta() const { return carpeta_ ? carpeta_->path() : QString(); }

void TFormaCosteo::FormActivate() {
  if (Tag() != 0) return;
  if (!TablaNormal->Active() && carpeta_) AbreTabla(*TablaNormal);
  SetTag(1);
}

void TFormaCosteo::FormShow() {
  if (!TablaNormal->Active()) return;
  TitulaColumnas();
  EtiquetaProducto->setText(TablaNormal->Fields(0).AsString());
  EtiquetaDescribe->setText(TablaNormal->Fields(1).AsString());
  try {
    const qint64 actual = TablaNormal->RecNo();
    TablaNormal->First();
    Inicio->setDate(TablaNormal->FieldByName(QStringLiteral("FECHA")).AsDate());
    TablaNormal->Last();
    Final->setDate(TablaNormal->FieldByName(QStringLiteral("FECHA")).AsDate());
    if (actual > 0) TablaNormal->VeARegistro(actual);
    ComboCampos->clear();
    ComboCampos->addItems(TablaNormal->NombresCampos());
    ComboCampos->setCurrentIndex(-1);
  } catch (const std::exception&) {
    // The pickers and the field list are a convenience: the card shows
    // without them.
  }
}

void TFormaCosteo::TitulaColumnas() {
  Detalle->QuitaColumnas();
  const QStringList campos = TablaNormal->NombresCampos();
  for (int i = 0; i < campos.size(); ++i) {
    const QString titulo = i < kTitulos.size() ? kTitulos[i] : kTitulosFinales.value(campos[i].toUpper(), campos[i]);
    Detalle->AgregaColumna(campos[i], titulo);
  }
  Detalle->SetColumnaVisible(0, false);
  Detalle->SetColumnaVisible(1, false);
  if (campos.size() > kColumnaKardex) Detalle->SetColorColumna(kColumnaKardex, Qt::red, false);
}

QString TFormaCosteo::TextoFiltro() {
  QString filtro =
      QStringLiteral("Fecha>='%1' and Fecha<='%2'").arg(TextoFecha(Inicio->date()), TextoFecha(Final->date()));
  TablaNormal->OnFilterRecord = nullptr;
  const QString campo = ComboCampos->currentText();
  const QString valor = EditFiltro->text();
  if (campo.isEmpty() || valor.isEmpty()) return filtro;
  const QString operador = Operador1->currentText();
  if (operador == u"Inicia_Con") {
    filtro += QStringLiteral(" and ") + campo + u'=' + db::LiteralApostrofos(valor + u'*');
  } else if (operador == u"Termina_Con" || operador == u"Incluye") {
    const bool alFinal = operador == u"Termina_Con";
    TablaNormal->OnFilterRecord = [campo, valor, alFinal](db::Dataset& tabla) {
      const QString texto = tabla.FieldByName(campo).AsString();
      return alFinal ? texto.endsWith(valor) : texto.contains(valor);
    };
  } else {
    filtro += QStringLiteral(" and ") + campo + operador + db::LiteralApostrofos(valor);
  }
  return filtro;
}

void TFormaCosteo::BotonFiltrarClick() {
  if (BotonFiltrar->text() == kFiltrar) {
    try {
      TablaNormal->SetFilter(TextoFiltro());
      TablaNormal->SetFiltered(true);
    } catch (...) {
      // A condition the filter cannot read leaves the card as it was.
      TablaNormal->OnFilterRecord = nullptr;
      TablaNormal->SetFilter(QString());
      throw;
    }
    BotonFiltrar->setText(kQuitarFiltro);
  } else {
    TablaNormal->SetFiltered(false);
    BotonFiltrar->setText(kFiltrar);
  }
  RecuentaKardex();
}

void TFormaCosteo::RecuentaKardex() {
  // The rows are taken first: a condition on KARDEX itself would otherwise
  // hide rows while they are being recounted.
  std::vector<qint64> filas;
  for (TablaNormal->First(); !TablaNormal->Eof(); TablaNormal->Next()) filas.push_back(TablaNormal->RecNo());
  const bool filtrada = TablaNormal->Filtered();
  TablaNormal->SetFiltered(false);
  db::Campo& kardex = TablaNormal->FieldByName(QStringLiteral("KARDEX"));
  const db::Campo& cantidad = TablaNormal->FieldByName(QStringLiteral("CANTIDAD"));
  double corrida = 0;
  for (qint64 fila : filas) {
    TablaNormal->VeARegistro(fila);
    TablaNormal->Edit();
    kardex.SetAsFloat(Redondea(2, corrida + cantidad.AsFloat()));
    TablaNormal->Post();
    corrida = kardex.AsFloat();
  }
  TablaNormal->SetFiltered(filtrada);
  TablaNormal->First();
}

void TFormaCosteo::BitBtn1Click() {
  SetTag(100);
  Close();
}

void TFormaCosteo::BitBtn2Click() {
  if (!DialogoGuarda->Execute()) return;
  hoja::Hoja salida(DialogoGuarda->FileName);
  hoja::Fila titulos;
  for (int i = 0; i < Detalle->Columnas(); ++i) titulos << hoja::Celda{Detalle->Columna(i).titulo};
  salida.Agrega(titulos, true);
  const qint64 actual = TablaNormal->RecNo();
  for (TablaNormal->First(); !TablaNormal->Eof(); TablaNormal->Next()) {
    hoja::Fila fila;
    for (int i = 0; i < TablaNormal->FieldCount(); ++i) fila << hoja::Celda{TablaNormal->Fields(i).AsString()};
    salida.Agrega(fila, true);
  }
  if (actual > 0) TablaNormal->VeARegistro(actual);
  salida.Cierra();
  AbreHojaCalculo(DialogoGuarda->FileName);
}
