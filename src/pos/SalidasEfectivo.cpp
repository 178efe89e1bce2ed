#include "pos/SalidasEfectivo.h"

#include "foundation/adminis.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_fecha.h"
#include "inventory/CamposRegistro.h"
#include "platform/Error.h"
#include "platform/db/Literales.h"
#include "platform/db/Numeracion.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/process/Procesos.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "pos/AcumulaEfectivo.h"
#include "pos/CaptuRap_comun.h"
#include "pos/ConceptoPago.h"
#include "pos/DocumentosVenta.h"
#include "pos/Efectivo.h"
#include "shell/LugarTablas.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kRetiros = QStringLiteral("Retiros.dbf");
const QString kNumero = QStringLiteral("CLDOC_F");
const QString kConcepto = QStringLiteral("CONCEPTO");
const QString kCantidad = QStringLiteral("CANTIDAD");
const QString kImpreso = QStringLiteral("NUM_RETIRO");
const QString kSalidas = QStringLiteral("Salidas.cnf");

template <class T>
T* Nombrado(T* w, const char* nombre) {
  w->setObjectName(QString::fromLatin1(nombre));
  return w;
}

// The filter of a day's vouchers of a kind: cash out is every kind up to 1.
QString FiltroDia(const QDate& fecha, const QString& tipo) {
  return QStringLiteral("FEDOC_F=") + db::LiteralApostrofos(TextoFecha(fecha)) +
         (tipo == u"1" ? QStringLiteral(" AND NUM_CONCEP<=1") : QStringLiteral(" AND NUM_CONCEP=2"));
}

}  // namespace

TFormaSalidasEfectivo::TFormaSalidasEfectivo(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaSalidasEfectivo>() = this;
  setObjectName(QStringLiteral("FormaSalidasEfectivo"));
  setWindowTitle(QStringLiteral("Salidas de Efectivo"));
  resize(720, 480);
  SetMueveFocoConTeclas(true);

  TablaRetiros = Nombrado(new db::Tabla(this), "TablaRetiros");
  FuenteRetiros = Nombrado(new ui::FuenteDatos(this), "FuenteRetiros");
  FuenteRetiros->SetDataSet(TablaRetiros);

  Panel1 = Nombrado(new ui::Panel(this), "Panel1");
  Calendario = Nombrado(new QDateEdit(fs::Hoy(), this), "Calendario");
  Calendario->setCalendarPopup(true);
  Calendario->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
  DBGrid1 = Nombrado(new ui::RejillaDatos(this), "DBGrid1");
  DBGrid1->SetFuente(FuenteRetiros);
  DBGrid1->AgregaColumna(kNumero, QStringLiteral("Número"), 70);
  DBGrid1->AgregaColumna(QStringLiteral("HORA"), QStringLiteral("Hora"), 80);
  DBGrid1->AgregaColumna(kConcepto, QStringLiteral("Concepto"), 240);
  DBGrid1->AgregaColumna(kCantidad, QStringLiteral("Cantidad"), 90);
  DBGrid1->AgregaColumna(QStringLiteral("CLVEN_F"), QStringLiteral("Turno"), 60);
  DBGrid1->AgregaColumna(kImpreso, QStringLiteral("Impreso"), 60);
  DBGrid1->SetSoloLectura(true);
  DBNavigator1 = Nombrado(new ui::Navegador(this), "DBNavigator1");
  DBNavigator1->SetFuente(FuenteRetiros);

  EditCantidad = Nombrado(new ui::EditDatos(this), "EditCantidad");
  EditCantidad->SetFuente(FuenteRetiros);
  EditCantidad->SetCampo(kCantidad);
  ListaConceptos = Nombrado(new QListWidget(this), "ListaConceptos");
  SpeedButton1 = Nombrado(new QToolButton(this), "SpeedButton1");
  SpeedButton1->setText(QStringLiteral("..."));
  BitBtn3 = Nombrado(new QPushButton(QStringLiteral("&Nuevo"), this), "BitBtn3");
  BitBtn4 = Nombrado(new QPushButton(QStringLiteral("Eliminar"), this), "BitBtn4");
  Guardar = Nombrado(new QPushButton(QStringLiteral("&Guardar"), this), "Guardar");
  BitBtn1 = Nombrado(new QPushButton(QStringLiteral("&Imprimir"), this), "BitBtn1");
  Total = Nombrado(new QLabel(this), "Total");
  QFont grande = Total->font();
  grande.setBold(true);
  grande.setPointSize(grande.pointSize() + 4);
  Total->setFont(grande);
  LabelTipo = Nombrado(new QLabel(QStringLiteral("1"), this), "LabelTipo");
  LabelTurno = Nombrado(new QLabel(this), "LabelTurno");
  LabelTipo->hide();
  LabelTurno->hide();

  auto* capas = new QVBoxLayout(this);
  auto* arriba = new QHBoxLayout(Panel1);
  arriba->addWidget(new QLabel(QStringLiteral("Fecha"), Panel1));
  arriba->addWidget(Calendario);
  arriba->addWidget(DBNavigator1);
  arriba->addStretch(1);
  arriba->addWidget(Total);
  capas->addWidget(Panel1);
  capas->addWidget(DBGrid1, 1);
  auto* captura = new QGridLayout;
  captura->addWidget(new QLabel(QStringLiteral("Cantidad"), this), 0, 0);
  captura->addWidget(EditCantidad, 1, 0, Qt::AlignTop);
  captura->addWidget(new QLabel(QStringLiteral("Concepto"), this), 0, 1);
  captura->addWidget(ListaConceptos, 1, 1);
  captura->addWidget(SpeedButton1, 1, 2, Qt::AlignTop);
  capas->addLayout(captura);
  auto* botones = new QHBoxLayout;
  for (QPushButton* b : {BitBtn3, BitBtn4, Guardar, BitBtn1}) botones->addWidget(b);
  botones->addStretch(1);
  capas->addLayout(botones);

  TablaRetiros->BeforePost = [this](db::Dataset&) { TablaRetirosBeforePost(); };
  TablaRetiros->AfterPost = [this](db::Dataset&) { numeracion_.reset(); };
  TablaRetiros->AfterCancel = [this](db::Dataset&) { numeracion_.reset(); };
  ui::Conecta(TablaRetiros, &db::Dataset::registroCambiado, this, [this] { MuestraConcepto(); });
  ui::Conecta(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
  ui::Conecta(BitBtn4, &QPushButton::clicked, this, [this] { BitBtn4Click(); });
  ui::Conecta(Guardar, &QPushButton::clicked, this, [this] { GuardarClick(); });
  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  ui::Conecta(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
  ui::Conecta(Calendario, &QDateEdit::dateChanged, this, [this] { CalendarioChange(); });
  ui::Conecta(ListaConceptos, &QListWidget::itemClicked, this, [this] { ListaConceptosClick(); });
  ui::Conecta(ListaConceptos, &QListWidget::itemActivated, this, [this] { ListaConceptosClick(); });
  ui::Conecta(ListaConceptos, &QListWidget::itemDoubleClicked, this, [this] { ListaConceptosDblClick(); });
  HabilitaCaptura(false);
}

TFormaSalidasEfectivo::~TFormaSalidasEfectivo() {
  TablaRetiros->BeforePost = nullptr;
  TablaRetiros->AfterPost = nullptr;
  TablaRetiros->AfterCancel = nullptr;
  numeracion_.reset();
}

void MuestraMovimientosEfectivo(const QString& caja, int tipo, const QString& turno) {
  if (TFormaSalidasEfectivo* ventana = FormaSalidasEfectivo()) ventana->MuestraMovimientosEfectivo(caja, tipo, turno);
}

void TFormaSalidasEfectivo::MuestraMovimientosEfectivo(const QString& caja, int tipo, const QString& turno) {
  if (tipo == 1) {
    PintaFondo(Panel1, ui::clBtnFace);
    LabelTipo->setText(QStringLiteral("1"));
    LabelTurno->setText(turno);
  } else if (tipo == 2) {
    setWindowTitle(QStringLiteral("Entradas de Efectivo"));
    PintaFondo(Panel1, ui::clBlue);
    LabelTipo->setText(QStringLiteral("2"));
    LabelTurno->setText(turno);
  }
  caja_ = caja.left(4);
  try {
    TablaRetiros->Close();
    numeracion_.reset();
    numerador_.reset();
    ApuntaTabla(*TablaRetiros, kRetiros);
    TablaRetiros->SetIndexName(kNumero);
    {
      const QSignalBlocker silencio(Calendario);
      Calendario->setDate(fs::Hoy());
    }
    TablaRetiros->Open();
    FiltraDia();
  } catch (const plat::Error& e) {
    // Without its table the window has nothing to show.
    MuestraMensaje(e.mensaje());
    return;
  }
  LeeConceptos();
  HabilitaCaptura(false);
  ShowModal();
}

QString TFormaSalidasEfectivo::CarpetaDatos() const {
  QString datos;
  LeeLineaConfigDirecta(8, datos);
  return datos;
}

void TFormaSalidasEfectivo::LeeConceptos() {
  const QString lista = fs::Une(CarpetaDatos(), kSalidas);
  try {
    if (!fs::ExisteArchivo(lista)) return;
    const QStringList lineas = fs::LeeLineasCp1252OUtf8(lista);
    ListaConceptos->clear();
    ListaConceptos->addItems(lineas);
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
  MuestraConcepto();
}

void TFormaSalidasEfectivo::FiltraDia() {
  TablaRetiros->SetFilter(FiltroDia(Calendario->date(), LabelTipo->text()));
  TablaRetiros->SetFiltered(true);
}

void TFormaSalidasEfectivo::FormShow() {
  ActualizaTotal();
  QString linea;
  LeeLineaConfigDirecta(91, linea);
  const std::optional<Dinero> acumulado = Dinero::Lee(linea);
  acumulado_ = acumulado ? acumulado->Real() : 0;
  CarpetaLocal(programa_);
}

void TFormaSalidasEfectivo::FormClose() {
  // A voucher left half typed is given up.
  if (TablaRetiros->State() == db::Dataset::Estado::Insertando) TablaRetiros->Cancel();
  numeracion_.reset();
}

void TFormaSalidasEfectivo::CalendarioChange() {
  try {
    FiltraDia();
  } catch (const std::exception&) {
  }
  ActualizaTotal();
}

void TFormaSalidasEfectivo::HabilitaCaptura(bool habilitado) {
  EditCantidad->setEnabled(habilitado);
  ListaConceptos->setEnabled(habilitado);
}

void TFormaSalidasEfectivo::MuestraConcepto() {
  const QString concepto = HayFila(*TablaRetiros) ? TablaRetiros->FieldByName(kConcepto).AsString() : QString();
  const QSignalBlocker silencio(ListaConceptos);
  const QList<QListWidgetItem*> iguales = ListaConceptos->findItems(concepto, Qt::MatchExactly);
  if (iguales.isEmpty()) ListaConceptos->setCurrentRow(-1);
  else ListaConceptos->setCurrentItem(iguales.first());
}

void TFormaSalidasEfectivo::ListaConceptosClick() {
  QListWidgetItem* item = ListaConceptos->currentItem();
  if (!item || !Editando(*TablaRetiros)) return;
  TablaRetiros->FieldByName(kConcepto).SetAsString(item->text());
}

void TFormaSalidasEfectivo::ListaConceptosDblClick() {
  const proc::Resultado r = proc::Ejecuta(QStringLiteral("notepad.exe ") + fs::Une(CarpetaDatos(), kSalidas));
  if (!r) MuestraMensaje(QStringLiteral("No se pudo abrir la lista de conceptos: ") + r.error);
}

void TFormaSalidasEfectivo::SpeedButton1Click() {
  {
    auto conceptos = std::make_unique<TFormaConceptoPago>(this);
    conceptos->LabelRuta->setText(CarpetaDatos());
    conceptos->ShowModal();
  }
  LeeConceptos();
}

void TFormaSalidasEfectivo::BitBtn3Click() {
  if (!TablaRetiros->Active()) return;
  try {
    PostPendiente(*TablaRetiros);
    TablaRetiros->Last();
    // The number shown; the one saved is taken again under the lock.
    const qint64 numero = HayFila(*TablaRetiros) ? TablaRetiros->FieldByName(kNumero).AsInteger() + 1 : 1;
    TablaRetiros->Append();
    TablaRetiros->FieldByName(kNumero).SetAsInteger(numero);
    TablaRetiros->FieldByName(QStringLiteral("FEDOC_F")).SetAsDate(fs::Hoy());
    TablaRetiros->FieldByName(QStringLiteral("HORA")).SetAsString(TextoHora(fs::Ahora().time()));
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
    return;
  }
  HabilitaCaptura(true);
  ListaConceptos->setFocus(Qt::OtherFocusReason);
}

void TFormaSalidasEfectivo::TablaRetirosBeforePost() {
  db::Tabla& t = *TablaRetiros;
  t.FieldByName(QStringLiteral("BCLIM_F")).SetAsString(caja_);
  t.FieldByName(QStringLiteral("NUM_CONCEP")).SetAsString(LabelTipo->text());
  t.FieldByName(QStringLiteral("CLVEN_F")).SetAsString(LabelTurno->text());
  if (t.State() == db::Dataset::Estado::Insertando) NumeraRetiro();
}

void TFormaSalidasEfectivo::NumeraRetiro() {
  if (!numerador_) {
    numerador_ = std::make_unique<db::Tabla>();
    numerador_->SetCarpeta(TablaRetiros->Carpeta());
    numerador_->SetNombreTabla(kRetiros);
    numerador_->SetIndexName(kNumero);
    numerador_->Open();
  }
  numeracion_ = std::make_unique<db::Numeracion>(*numerador_);
  QDate fecha = TablaRetiros->FieldByName(QStringLiteral("FEDOC_F")).AsDate();
  if (!fecha.isValid()) fecha = fs::Hoy();
  numerador_->SetFilter(FiltroDia(fecha, LabelTipo->text()));
  numerador_->SetFiltered(true);
  numerador_->Last();
  const qint64 numero = HayFila(*numerador_) ? numerador_->FieldByName(kNumero).AsInteger() + 1 : 1;
  TablaRetiros->FieldByName(kNumero).SetAsInteger(numero);
}

void TFormaSalidasEfectivo::GuardarClick() {
  db::Tabla& t = *TablaRetiros;
  if (!Editando(t)) return;
  try {
    t.FieldByName(QStringLiteral("NUM_CONCEP")).SetAsString(LabelTipo->text());
    t.FieldByName(QStringLiteral("HORAF_F")).SetAsFloat(NumeroFechaHora(fs::Ahora()));
    try {
      QString datos = CarpetaDatos();
      t.FieldByName(QStringLiteral("CLASIFI")).SetAsString(ClasificacionConcepto(datos, t.FieldByName(kConcepto).AsString()));
    } catch (const std::exception&) {
    }
    t.Post();
  } catch (const plat::Error& e) {
    numeracion_.reset();
    MuestraMensaje(e.mensaje());
    return;
  }
  const Dinero cantidad = registro::LeeImporte(t.FieldByName(kCantidad)).value_or(Dinero());
  AcumulaEfectivo(programa_, acumulado_, LabelTipo->text() == u"1" ? -cantidad : cantidad);
  HabilitaCaptura(false);
  ActualizaTotal();
}

bool TFormaSalidasEfectivo::AutorizaAdministrador() {
  auto clave = std::make_unique<TFormaAdministrador>(this);
  clave->ShowModal();
  return clave->Tag() == 1;
}

void TFormaSalidasEfectivo::BitBtn4Click() {
  if (!HayFila(*TablaRetiros) || !AutorizaAdministrador()) return;
  try {
    if (TablaRetiros->State() == db::Dataset::Estado::Insertando) {
      TablaRetiros->Cancel();
    } else {
      RegistraBorrado(*TablaRetiros);
      TablaRetiros->Delete();
    }
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
  HabilitaCaptura(false);
  ActualizaTotal();
}

void TFormaSalidasEfectivo::BitBtn1Click() {
  // A voucher still being typed is saved first, so what is printed is in
  // the table and in the day's cash.
  if (Editando(*TablaRetiros)) {
    GuardarClick();
    if (Editando(*TablaRetiros)) return;
  }
  if (!HayFila(*TablaRetiros)) return;
  if (TablaRetiros->FieldByName(kImpreso).AsString() == u"1" && !AutorizaAdministrador()) return;
  try {
    TablaRetiros->Edit();
    TablaRetiros->FieldByName(kImpreso).SetAsString(QStringLiteral("1"));
    TablaRetiros->Post();
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
    return;
  }
  SetTag(1);
  Close();
}

void TFormaSalidasEfectivo::ActualizaTotal() {
  if (!TablaRetiros->Active()) return;
  try {
    db::Tabla todos;
    todos.SetCarpeta(TablaRetiros->Carpeta());
    todos.SetNombreTabla(TablaRetiros->NombreTabla());
    todos.Open();
    Dinero suma;
    db::Campo& cantidad = todos.FieldByName(kCantidad);
    for (todos.First(); !todos.Eof(); todos.Next()) suma += registro::LeeImporte(cantidad).value_or(Dinero());
    Total->setText(QStringLiteral("Retiros  ") + RedondeaCentavos(suma, 2).Texto());
  } catch (const plat::Error&) {
  }
}
