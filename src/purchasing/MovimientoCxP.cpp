#include "purchasing/MovimientoCxP.h"

#include "customers/CuentasCobrar.h"
#include "foundation/dialogos.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "purchasing/CxPDetalle.h"
#include "shell/Concep.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFormaMovimientoCxP::TFormaMovimientoCxP(QWidget* owner) : ui::Forma(owner) {
  setObjectName(QStringLiteral("FormaMovimientoCxP"));
  setWindowTitle(QStringLiteral("Cuentas por Pagar"));
  SetKeyPreview(true);
  SetMueveFocoConTeclas(true);
  resize(480, 320);
  TablaConceptos = new db::Tabla(this);
  TablaConceptos->setObjectName(QStringLiteral("TablaConceptos"));
  TablaConceptos->SetReadOnly(true);
  FuenteMovimiento = new ui::FuenteDatos(this);
  FuenteMovimiento->setObjectName(QStringLiteral("FuenteMovimiento"));

  Panel1 = new ui::Panel(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Mensaje = new QLabel(Panel1);
  Mensaje->setObjectName(QStringLiteral("Mensaje"));
  QFont grande = Mensaje->font();
  grande.setBold(true);
  grande.setPointSize(grande.pointSize() + 3);
  Mensaje->setFont(grande);
  BotonSi = new QPushButton(QStringLiteral("&Acepta Movimiento"), Panel1);
  BotonSi->setObjectName(QStringLiteral("BotonSi"));
  auto* cabeza = new QHBoxLayout(Panel1);
  cabeza->addWidget(Mensaje, 1);
  cabeza->addWidget(BotonSi);

  auto* campos = new QGridLayout;
  int fila = 0;
  const auto edit = [&](const char* nombre, const char* campo, const char* titulo) {
    auto* e = new ui::EditDatos(this);
    e->setObjectName(QString::fromLatin1(nombre));
    e->SetFuente(FuenteMovimiento);
    e->SetCampo(QString::fromLatin1(campo));
    auto* etiqueta = new QLabel(QString::fromUtf8(titulo), this);
    etiqueta->setBuddy(e);
    campos->addWidget(etiqueta, fila, 0);
    campos->addWidget(e, fila, 1);
    ++fila;
    return e;
  };
  EditCLPRO_CP = edit("EditCLPRO_CP", "CLPRO_CP", "Clave proveedor:");
  EditTIMOV_CP = edit("EditTIMOV_CP", "TIMOV_CP", "Tipo de movimiento:");
  Label2 = new QLabel(this);
  Label2->setObjectName(QStringLiteral("Label2"));
  campos->addWidget(Label2, fila - 1, 2);
  EditNUCOM_CP = edit("EditNUCOM_CP", "NUCOM_CP", "Número de compra:");
  EditNUDOC_CP = edit("EditNUDOC_CP", "NUDOC_CP", "Número de documento:");
  EditNUREF_CP = edit("EditNUREF_CP", "NUREF_CP", "Número de referencia:");
  EditIMCUE_CP = edit("EditIMCUE_CP", "IMCUE_CP", "Importe de la cuenta:");
  EditFEAPL_CP = edit("EditFEAPL_CP", "FEAPL_CP", "Fecha de aplicación:");
  EditFEVEN_CP = edit("EditFEVEN_CP", "FEVEN_CP", "Fecha de vencimiento:");
  campos->setColumnStretch(1, 1);

  BotonNo = new QPushButton(QStringLiteral("&Cancela Movimiento "), this);
  BotonNo->setObjectName(QStringLiteral("BotonNo"));
  auto* pie = new QHBoxLayout;
  pie->addStretch();
  pie->addWidget(BotonNo);
  auto* capa = new QVBoxLayout(this);
  capa->addWidget(Panel1);
  capa->addLayout(campos);
  capa->addLayout(pie);

  ui::Conecta(BotonSi, &QPushButton::clicked, this, [this] { BotonSiClick(); });
  ui::Conecta(BotonNo, &QPushButton::clicked, this, [this] { BotonNoClick(); });
  ui::Eventos& concepto = ui::Eventos::De(EditTIMOV_CP);
  ui::Conecta(&concepto, &ui::Eventos::KeyDown, this, [this](int& tecla, Qt::KeyboardModifiers) {
    if (tecla != Qt::Key_F2) return;
    tecla = 0;
    EligeConcepto();
  });
  ui::Conecta(&concepto, &ui::Eventos::Exit, this, [this] { BuscaConcepto(false); });
}

db::Dataset* TFormaMovimientoCxP::Movimiento() const {
  db::Dataset* fila = FuenteMovimiento->DataSet();
  return fila && fila->Active() ? fila : nullptr;
}

bool TFormaMovimientoCxP::Muestra(db::Tabla* cuenta, Comando comando) {
  comando_ = comando;
  aceptado_ = false;
  static const char* const titulos[] = {"", "Nueva cuenta", "Cambia datos", "Elimina cuenta"};
  Mensaje->setText(QString::fromLatin1(titulos[comando]));
  try {
    // A row to change or delete is held (locked) while the editor shows it.
    if (comando != Nuevo) cuenta->Edit();
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
    return false;
  }
  FuenteMovimiento->SetDataSet(cuenta);
  EditCLPRO_CP->setEnabled(false);
  EditNUCOM_CP->setEnabled(false);
  for (ui::EditDatos* e : {EditTIMOV_CP, EditNUDOC_CP, EditNUREF_CP, EditIMCUE_CP, EditFEAPL_CP, EditFEVEN_CP})
    e->setReadOnly(comando == Elimina);
  BuscaConcepto(false);
  ShowModal();
  FuenteMovimiento->SetDataSet(nullptr);
  return aceptado_;
}

bool TFormaMovimientoCxP::BuscaConcepto(bool conAviso) {
  db::Dataset* fila = Movimiento();
  if (!fila) return false;
  QString nombre, tipo;
  if (!BuscaConceptoCuenta(*TablaConceptos, EditTIMOV_CP->text(), nombre, tipo)) {
    Label2->clear();
    if (conAviso) MuestraMensaje(kMovimientoNoEncontrado);
    return false;
  }
  Label2->setText(nombre);
  if (fila->State() == db::Dataset::Estado::Navegando) return true;
  fila->FieldByName(QStringLiteral("CONCE_CP")).SetAsString(nombre);
  fila->FieldByName(QStringLiteral("OPERA_CP")).SetAsString(tipo);
  return true;
}

void TFormaMovimientoCxP::EligeConcepto() {
  db::Dataset* fila = Movimiento();
  if (!fila || comando_ == Elimina) return;
  if (!FormaConceptos()) new TFormaConceptos(this);
  TFormaConceptos& ventana = *FormaConceptos();
  ventana.TablaCxP = fila;
  ventana.Panel1->hide();
  ui::SetTag(ventana.RejillaConceptos, 2);
  ventana.ShowModal();
  ventana.Panel1->show();
  ui::SetTag(ventana.RejillaConceptos, 0);
  ventana.TablaCxP = nullptr;
  BuscaConcepto(false);
}

void TFormaMovimientoCxP::BotonSiClick() {
  db::Dataset* fila = Movimiento();
  if (!fila) {
    CierraCon(false);
    return;
  }
  try {
    if (comando_ == Elimina) {
      fila->Cancel();
      fila->Delete();
      CierraCon(true);
      return;
    }
    // Leaving the box being typed takes what it holds.
    BotonSi->setFocus(Qt::OtherFocusReason);
    if (!BuscaConcepto(true)) {
      EditTIMOV_CP->setFocus(Qt::OtherFocusReason);
      return;
    }
    for (const char* campo : {"FEAPL_CP", "FEVEN_CP"}) {
      db::Campo& fecha = fila->FieldByName(QString::fromLatin1(campo));
      if (fecha.IsNull()) fecha.SetAsDate(fs::Hoy());
    }
    fila->Post();
  } catch (const plat::Error& e) {
    // The row stays as typed, to be corrected or cancelled.
    MuestraMensaje(e.mensaje());
    return;
  }
  CierraCon(true);
}

void TFormaMovimientoCxP::BotonNoClick() { CierraCon(false); }

void TFormaMovimientoCxP::CierraCon(bool aceptado) {
  aceptado_ = aceptado;
  SetModalResult(aceptado ? ui::mrOk : ui::mrCancel);
  Close();
}

// However the window is closed, a row not accepted is dropped.
void TFormaMovimientoCxP::FormClose() {
  if (!aceptado_ && Movimiento()) Movimiento()->Cancel();
}
