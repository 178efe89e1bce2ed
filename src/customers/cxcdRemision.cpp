// The remission account window: its components, tables and the account's
// loading, balance, status and due state. The commands are in
// cxcdRemision_comandos.cpp.

#include "customers/cxcdRemision.h"

#include "customers/CuentasCobrar.h"
#include "customers/MovimientosCuenta.h"
#include "customers/EdicionCatalogo.h"
#include "foundation/describe.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_tablas.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Colores.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

QString FormatoCxCDetallada;
QString ControlCuentaRemision;

namespace {

const QString kTagEncabezado = QStringLiteral("INUMENC");
const QString kTablaRemisiones = QStringLiteral("REMISION.DBF");

QLabel* Etiqueta(QWidget* padre, const char* nombre, const QString& texto = {}) {
  auto* l = new QLabel(texto, padre);
  if (nombre) l->setObjectName(QString::fromLatin1(nombre));
  return l;
}

}  // namespace

TFormaRemCxCDetalle::TFormaRemCxCDetalle(QWidget* owner) : ui::Forma(owner) {
  if (!ui::InstanciaDe<TFormaRemCxCDetalle>()) ui::InstanciaDe<TFormaRemCxCDetalle>() = this;
  setObjectName(QStringLiteral("FormaRemCxCDetalle"));
  setWindowTitle(QStringLiteral("Cuentas X Cobrar"));
  SetKeyPreview(true);
  CreaComponentes();
  ConectaEventos();
  QString bitacora;
  LeeLineaConfig(ConfBitacora, bitacora);
  BitacoraCxC = bitacora == QStringLiteral("S");
}

void TFormaRemCxCDetalle::CreaComponentes() {
  resize(760, 500);
  const auto tabla = [this](const char* nombre) {
    auto* t = new db::Tabla(this);
    t->setObjectName(QString::fromLatin1(nombre));
    EsperaBloqueos(*t);
    return t;
  };
  TablaCxC = tabla("TablaCxC");
  TablaFactura = tabla("TablaFactura");
  TablaClientes = tabla("TablaClientes");
  FuenteCxC = new ui::FuenteDatos(this);
  FuenteCxC->setObjectName(QStringLiteral("FuenteCxC"));
  FuenteCxC->SetDataSet(TablaCxC);
  FuenteCxC->SetAutoEdit(false);
  FuenteFactura = new ui::FuenteDatos(this);
  FuenteFactura->setObjectName(QStringLiteral("FuenteFactura"));
  FuenteFactura->SetDataSet(TablaFactura);
  FuenteFactura->SetAutoEdit(false);

  Panel1 = new ui::Panel(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  auto* cabeza = new QGridLayout(Panel1);
  Factura = new QLineEdit(Panel1);
  Factura->setObjectName(QStringLiteral("Factura"));
  Factura->setReadOnly(true);
  Factura->setMaximumWidth(110);
  SpeedButton1 = new QToolButton(Panel1);
  SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
  SpeedButton1->setArrowType(Qt::LeftArrow);
  SpeedButton2 = new QToolButton(Panel1);
  SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
  SpeedButton2->setArrowType(Qt::RightArrow);
  ClaveCliente = Etiqueta(Panel1, "ClaveCliente");
  NombreCliente = Etiqueta(Panel1, "NombreCliente");
  FechaAplicacion = Etiqueta(Panel1, "FechaAplicacion");
  FechaVencimiento = Etiqueta(Panel1, "FechaVencimiento");
  FechaV = Etiqueta(Panel1, "FechaV", QStringLiteral("Fecha de vencimiento"));
  tiempo = Etiqueta(Panel1, "tiempo");
  Estado = Etiqueta(Panel1, "Estado");
  QFont negrita = Estado->font();
  negrita.setBold(true);
  Estado->setFont(negrita);
  SaldoE = Etiqueta(Panel1, "SaldoE");
  const auto texto = [this](const char* nombre, const char* campo) {
    auto* d = new ui::EtiquetaDatos(Panel1);
    d->setObjectName(QString::fromLatin1(nombre));
    d->SetFuente(FuenteFactura);
    d->SetCampo(QString::fromLatin1(campo));
    return d;
  };
  DBText3 = texto("DBText3", "CLDOC_F");
  DBText4 = texto("DBText4", "FEVEN_F");
  DBEdit1 = texto("DBEdit1", "IMTOD_F");
  DBEdit2 = texto("DBEdit2", "SALDO_F");
  const auto boton = [this](const char* nombre, const QString& caption) {
    auto* b = new QPushButton(caption, Panel1);
    b->setObjectName(QString::fromLatin1(nombre));
    return b;
  };
  BotonCxC = boton("BotonCxC", QStringLiteral("&Nuevo(F9)"));
  BotonElimina = boton("BotonElimina", QStringLiteral("&Borrar"));
  BotonCambios = boton("BotonCambios", QStringLiteral("&Cambio"));
  BotonImprime = boton("BotonImprime", QStringLiteral("&Imprime"));
  BotonSalir = boton("BotonSalir", QStringLiteral("&Salir"));
  Usuario = Etiqueta(Panel1, "Usuario", QStringLiteral("0"));
  Usuario->hide();

  auto* numero = new QHBoxLayout;
  numero->addWidget(SpeedButton1);
  numero->addWidget(Factura);
  numero->addWidget(SpeedButton2);
  numero->addStretch();
  cabeza->addWidget(Etiqueta(Panel1, nullptr, QStringLiteral("Remisión")), 0, 0);
  cabeza->addLayout(numero, 0, 1);
  cabeza->addWidget(Etiqueta(Panel1, nullptr, QStringLiteral("Cliente")), 1, 0);
  auto* cliente = new QHBoxLayout;
  cliente->addWidget(ClaveCliente);
  cliente->addWidget(NombreCliente, 1);
  cabeza->addLayout(cliente, 1, 1);
  cabeza->addWidget(Etiqueta(Panel1, nullptr, QStringLiteral("Fecha de aplicación")), 2, 0);
  cabeza->addWidget(FechaAplicacion, 2, 1);
  cabeza->addWidget(FechaV, 3, 0);
  auto* vence = new QHBoxLayout;
  vence->addWidget(FechaVencimiento);
  vence->addWidget(tiempo, 1);
  cabeza->addLayout(vence, 3, 1);
  auto* documento = new QGridLayout;
  documento->addWidget(Etiqueta(Panel1, nullptr, QStringLiteral("Documento")), 0, 0);
  documento->addWidget(DBText3, 0, 1);
  documento->addWidget(Etiqueta(Panel1, nullptr, QStringLiteral("Vence")), 1, 0);
  documento->addWidget(DBText4, 1, 1);
  documento->addWidget(Etiqueta(Panel1, nullptr, QStringLiteral("Importe")), 2, 0);
  documento->addWidget(DBEdit1, 2, 1);
  documento->addWidget(Etiqueta(Panel1, nullptr, QStringLiteral("Saldo")), 3, 0);
  documento->addWidget(DBEdit2, 3, 1);
  cabeza->addLayout(documento, 0, 2, 4, 1);
  auto* estado = new QVBoxLayout;
  estado->addWidget(Estado);
  estado->addWidget(SaldoE);
  estado->addStretch();
  cabeza->addLayout(estado, 0, 3, 4, 1);
  // The buttons along the bottom of the panel, Salir at its right edge.
  auto* botones = new QHBoxLayout;
  for (QPushButton* b : {BotonCxC, BotonCambios, BotonElimina, BotonImprime}) botones->addWidget(b);
  botones->addStretch();
  botones->addWidget(BotonSalir);
  cabeza->addLayout(botones, 4, 0, 1, 4);
  cabeza->setContentsMargins(6, 6, 4, 6);
  cabeza->setColumnStretch(1, 1);

  const MovimientosCuenta movimientos = ArmaMovimientosCuenta(*this, *Panel1, FuenteCxC, negrita);
  Panel2 = movimientos.panelRejilla;
  Detalle = movimientos.detalle;
  Panel3 = movimientos.panelPie;
  Saldo = movimientos.saldo;
}

void TFormaRemCxCDetalle::ConectaEventos() {
  ui::Conecta(BotonCxC, &QPushButton::clicked, this, [this] { BotonCxCClick(); });
  ui::Conecta(BotonCambios, &QPushButton::clicked, this, [this] { BotonCambiosClick(); });
  ui::Conecta(BotonElimina, &QPushButton::clicked, this, [this] { BotonEliminaClick(); });
  ui::Conecta(BotonImprime, &QPushButton::clicked, this, [this] { BotonImprimeClick(); });
  ui::Conecta(BotonSalir, &QPushButton::clicked, this, [this] { Close(); });
  ui::Conecta(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
  ui::Conecta(SpeedButton2, &QToolButton::clicked, this, [this] { SpeedButton2Click(); });
  ui::Conecta(Panel1, &ui::Panel::Click, this, [this] {
    if (Tag() == 0) AbreTablasDetalleCxC();
  });
  int registro = 26;
  for (QPushButton* b : {BotonCxC, BotonCambios, BotonElimina, BotonImprime}) {
    ui::Conecta(&ui::Eventos::De(b), &ui::Eventos::MouseDown, this, [this, b, registro](Qt::MouseButton tecla, QPoint) {
      MuestraDescripcion(tecla, x() + Panel1->x() + b->x(), y() + Panel1->y() + b->y() + b->height(), registro);
    });
    ++registro;
  }
  ui::Eventos& numero = ui::Eventos::De(Factura);
  ui::Conecta(&numero, &ui::Eventos::KeyDown, this, [this](int& tecla, Qt::KeyboardModifiers) {
    switch (tecla) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        tecla = 0;
        Detalle->setFocus(Qt::OtherFocusReason);
        break;
      case Qt::Key_PageDown:
        tecla = 0;
        SumaNumero(1);
        break;
      case Qt::Key_PageUp:
        tecla = 0;
        SumaNumero(-1);
        break;
      default:
        break;
    }
  });
  ui::Conecta(&numero, &ui::Eventos::Enter, this, [this] {
    if (!Factura->text().trimmed().isEmpty()) CargaCuentaRemision();
  });
}

// --- Tables.

void TFormaRemCxCDetalle::AbreTablasDetalleCxC() {
  QString tablaCxC;
  LeeLineaConfig(ConfTablaCxC, tablaCxC);
  tablaCxC = tablaCxC.trimmed();
  const db::Carpetas carpetas = CarpetasEmpresa();
  if (carpetas.datos.isEmpty()) {
    MuestraMensaje(kErrorAbrirTablas);
    return;
  }
  // Each table in its own folder: the header table line 68 names too.
  const auto abre = [&carpetas](db::Tabla& t, const QString& archivo, const QString& tag) {
    if (t.Active()) return;
    t.SetNombreTabla(archivo);
    ApuntaTabla(t, carpetas);
    t.SetIndexName(tag);
    AbreTabla(t);
  };
  abre(*TablaFactura, tablaCxC.isEmpty() ? kTablaRemisiones : tablaCxC, kTagEncabezado);
  abre(*TablaCxC, kTablaCxCRemision, kTagCuentaCobrar);
  abre(*TablaClientes, QStringLiteral("CLIENTE.DBF"), QStringLiteral("ICLACLI"));
  if (!TablaFactura->Active() || !TablaCxC->Active() || !TablaClientes->Active()) MuestraMensaje(kErrorAbrirTablas);
}

bool TFormaRemCxCDetalle::HayEncabezado() const { return hayEncabezado_ && TablaFactura->Active(); }

bool TFormaRemCxCDetalle::HayCuenta() const { return TablaCxC->Active() && !TablaCxC->IsEmpty(); }

// --- The account.

void TFormaRemCxCDetalle::MuestraCxCRemision(const QString& numero, const QString& control) {
  if (Tag() != 0) SetTag(1);
  else AbreTablasDetalleCxC();
  Factura->setText(numero);
  bool esNumero = false;
  const qint64 n = numero.trimmed().toLongLong(&esNumero);
  if (esNumero && TablaFactura->Active() && TablaFactura->FindKey({n}) &&
      TablaFactura->FieldByName(QStringLiteral("CONTROL")).AsString() != control)
    TablaFactura->Next();
  ControlCuentaRemision = control;
  CargaCuentaRemision();
}

void TFormaRemCxCDetalle::CargaCuentaRemision() {
  hayEncabezado_ = false;
  if (!TablaFactura->Active() || !TablaCxC->Active()) return;
  TablaCxC->Post();
  TablaCxC->CancelRange();
  bool esNumero = false;
  const qint64 numero = Factura->text().trimmed().toLongLong(&esNumero);
  if (!esNumero) return;

  // The header of the number whose control is the account's; else the last
  // header of the number.
  TablaFactura->SetIndexName(kTagEncabezado);
  TablaFactura->SetRange({numero}, {numero});
  const qint64 encabezados = TablaFactura->RecordCount();
  for (qint64 i = 0; i < encabezados && !TablaFactura->Eof(); ++i) {
    if (TablaFactura->FieldByName(QStringLiteral("CONTROL")).AsString() == ControlCuentaRemision) break;
    TablaFactura->Next();
  }
  hayEncabezado_ = !TablaFactura->IsEmpty();
  const qint64 registro = TablaFactura->RecNo();
  TablaFactura->CancelRange();
  if (hayEncabezado_) TablaFactura->VeARegistro(registro);

  TablaCxC->SetRange({numero}, {numero});
  const QString control =
      hayEncabezado_ ? TablaFactura->FieldByName(QStringLiteral("CONTROL")).AsString() : QString();
  if (control.isEmpty()) {
    TablaCxC->SetFiltered(false);
  } else {
    TablaCxC->SetFilter(FiltroControlCuenta(control));
    TablaCxC->SetFiltered(true);
  }
  SaldoCuentaRemision();
  EncabezadoCuentaRemision();
  VencimientoCuentaRemision();
}

SumaCuenta TFormaRemCxCDetalle::SumaCuentaRemision() {
  const SumaCuenta suma = SumaMovimientosCuenta(*TablaCxC);
  const Dinero total =
      HayEncabezado() ? Dinero::DeReal(TablaFactura->FieldByName(QStringLiteral("IMTOD_F")).AsFloat()) : Dinero();
  SaldoCuenta = (total + suma.saldo).Redondeada(2);
  return suma;
}

void TFormaRemCxCDetalle::SaldoCuentaRemision() {
  if (!TablaCxC->Active()) return;
  SumaCuentaRemision();
  MuestraSaldoRemision();
}

void TFormaRemCxCDetalle::MuestraSaldoRemision() {
  const bool debe = SaldoCuenta > Dinero();
  for (QWidget* w : {static_cast<QWidget*>(FechaVencimiento), static_cast<QWidget*>(FechaV),
                     static_cast<QWidget*>(tiempo)})
    w->setVisible(debe);
  MuestraSaldoCuenta(*Saldo, *SaldoE, *Estado, SaldoCuenta);
}

void TFormaRemCxCDetalle::GuardaSaldoCuentaRemision() {
  if (!TablaCxC->Active()) return;
  const SumaCuenta suma = SumaCuentaRemision();
  MuestraSaldoRemision();
  // A remission without movements stores nothing.
  if (suma.movimientos == 0 || !HayEncabezado()) return;
  const Dinero total = Dinero::DeReal(TablaFactura->FieldByName(QStringLiteral("IMTOD_F")).AsFloat());
  // The balance into the first movement and the header, together.
  try {
    TablaCxC->First();
    TablaCxC->Edit();
    TablaFactura->Edit();
    TablaCxC->FieldByName(QStringLiteral("SALDO_CC")).SetAsString(SaldoCuenta.Texto());
    if (TablaCxC->FieldByName(QStringLiteral("FEVEN_CC")).IsNull())
      TablaCxC->FieldByName(QStringLiteral("FEVEN_CC")).SetValue(TablaCxC->FieldByName(QStringLiteral("FEAPL_CC")).Value());
    TablaFactura->FieldByName(QStringLiteral("SALDO_F")).SetAsString(SaldoCuenta.Texto());
    TablaFactura->FieldByName(QStringLiteral("FEPAG_F")).SetAsString(suma.ultimoVencimiento);
    TablaFactura->FieldByName(QStringLiteral("ABONO_F")).SetAsString((total - SaldoCuenta).Texto());
    TablaCxC->Post();
    TablaFactura->Post();
  } catch (const plat::Error& e) {
    TablaCxC->Cancel();
    TablaFactura->Cancel();
    MuestraMensaje(e.mensaje());
  }
  TablaCxC->Last();
  try {
    MarcaDocumentoPagado(Factura->text().trimmed(), SaldoCuenta > Dinero() ? u'D' : u'G');
  } catch (const plat::Error&) {
    // The status is brought up to date at the account's next change.
  }
}

void TFormaRemCxCDetalle::MarcaDocumentoPagado(const QString& numero, QChar letra) {
  if (!HayEncabezado() || TablaFactura->FieldByName(QStringLiteral("CLDOC_F")).AsString() != numero) return;
  db::Campo& estado = TablaFactura->FieldByName(QStringLiteral("STATU_F"));
  const QString actual = estado.AsString();
  // Only the paid mark comes and goes with the balance: a cancelled
  // remission, a returned one ("D", "P") or one on hold ("E") keeps its
  // status.
  const bool pagada = actual == QStringLiteral("G");
  if (letra == u'D' ? !pagada : !actual.isEmpty()) return;
  try {
    TablaFactura->Edit();
    if (pagada) estado.Clear();
    else estado.SetAsString(QStringLiteral("G"));
    TablaFactura->Post();
  } catch (...) {
    TablaFactura->Cancel();
    throw;
  }
}

void TFormaRemCxCDetalle::EncabezadoCuentaRemision() {
  const auto campo = [this](const char* nombre) {
    return HayEncabezado() ? TablaFactura->FieldByName(QString::fromLatin1(nombre)).AsString() : QString();
  };
  ClaveCliente->setText(campo("CLCLI_F"));
  NombreCliente->setText(campo("NOMBR_F"));
  FechaVencimiento->setText(campo("FEVEN_F"));
  FechaAplicacion->setText(campo("FEENT_F"));
  if (TablaCxC->Active()) TablaCxC->Last();
}

void TFormaRemCxCDetalle::VencimientoCuentaRemision() { MuestraVencimientoCuenta(*FechaVencimiento, *tiempo); }

// --- Life.

void TFormaRemCxCDetalle::FormActivate() {
  if (Tag() == 0) {
    AbreTablasDetalleCxC();
    QString formato;
    LeeLineaConfig(ConfFormatoCxCDetallada, formato);
    FormatoCxCDetallada = CarpetaPrograma(QStringLiteral("\\consulta\\")) + formato;
    if (Factura->text().isEmpty() && TablaFactura->Active() && !TablaFactura->IsEmpty()) {
      Factura->setText(TablaFactura->FieldByName(QStringLiteral("CLDOC_F")).AsString());
      ControlCuentaRemision = TablaFactura->FieldByName(QStringLiteral("CONTROL")).AsString();
    }
  } else {
    SetTag(1);
  }
  Factura->setFocus(Qt::OtherFocusReason);
  CargaCuentaRemision();
}

void TFormaRemCxCDetalle::FormCloseQuery(bool& /*puedeCerrar*/) {
  if (!TablaCxC->Active()) return;
  try {
    TablaCxC->Post();
  } catch (const plat::Error& e) {
    TablaCxC->Cancel();
    MuestraMensaje(e.mensaje());
  }
}

void TFormaRemCxCDetalle::FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) {
  if (tecla == Qt::Key_F9 && shift == Qt::NoModifier) {
    tecla = 0;
    BotonCxCClick();
  } else if (tecla == Qt::Key_B && shift == Qt::ControlModifier) {
    tecla = 0;
    BuscaDocumento();
  }
}
