#include "customers/CxCDocumento.h"

#include "customers/CuentasCobrar.h"
#include "customers/MovimientosCuenta.h"
#include "customers/EdicionCatalogo.h"
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
#include <QVBoxLayout>

namespace {

QLabel* Etiqueta(QWidget* padre, const char* nombre, const QString& texto = {}) {
  auto* l = new QLabel(texto, padre);
  if (nombre) l->setObjectName(QString::fromLatin1(nombre));
  return l;
}

}  // namespace

TFormaCxCDocumento::TFormaCxCDocumento(QWidget* owner) : ui::Forma(owner) {
  if (!ui::InstanciaDe<TFormaCxCDocumento>()) ui::InstanciaDe<TFormaCxCDocumento>() = this;
  setObjectName(QStringLiteral("FormaCxCDocumento"));
  setWindowTitle(QStringLiteral("Cuentas por Cobrar Facturas"));
  CreaComponentes();
}

void TFormaCxCDocumento::CreaComponentes() {
  resize(720, 460);
  TablaCxC = new db::Tabla(this);
  TablaCxC->setObjectName(QStringLiteral("TablaCxC"));
  EsperaBloqueos(*TablaCxC);
  FuenteCxC = new ui::FuenteDatos(this);
  FuenteCxC->setObjectName(QStringLiteral("FuenteCxC"));
  FuenteCxC->SetAutoEdit(false);

  Panel1 = new ui::Panel(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  QFont negrita = font();
  negrita.setBold(true);
  const CabeceraCuenta cabecera = ArmaCabeceraCuenta(*Panel1, QStringLiteral("Factura"), QStringLiteral("Cliente"), negrita);
  Factura = cabecera.factura;
  ClaveCliente = cabecera.clave;
  FechaAplicacion = cabecera.aplicacion;
  FechaVencimiento = cabecera.vencimiento;
  tiempo = cabecera.tiempo;
  Estado = cabecera.estado;
  SaldoE = cabecera.saldoE;
  BotonSalir = new QPushButton(QStringLiteral("&Salir"), Panel1);
  BotonSalir->setObjectName(QStringLiteral("BotonSalir"));
  Usuario = Etiqueta(Panel1, "Usuario", QStringLiteral("0"));
  Usuario->hide();
  cabecera.rejilla->addWidget(BotonSalir, 0, 3, Qt::AlignRight | Qt::AlignTop);

  const MovimientosCuenta movimientos = ArmaMovimientosCuenta(*this, *Panel1, FuenteCxC, negrita);
  Panel2 = movimientos.panelRejilla;
  Detalle = movimientos.detalle;
  Panel3 = movimientos.panelPie;
  Saldo = movimientos.saldo;

  ui::Conecta(BotonSalir, &QPushButton::clicked, this, [this] { Close(); });
  ui::Conecta(&ui::Eventos::De(Factura), &ui::Eventos::KeyDown, this, [this](int& tecla, Qt::KeyboardModifiers) {
    switch (tecla) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        tecla = 0;
        MuestraCxCDocumento(Factura->text().trimmed());
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
}

void TFormaCxCDocumento::AbreTablasCxCDocumento() {
  try {
    TablaCxC->Close();
    ApuntaTabla(*TablaCxC, kTablaCxCFactura);
    TablaCxC->SetIndexName(kTagCuentaCobrar);
    AbreTabla(*TablaCxC);
  } catch (const plat::Error&) {
  }
  if (!TablaCxC->Active()) MuestraMensaje(kErrorAbrirTablas);
  SetTag(1);
}

void TFormaCxCDocumento::MuestraCxCDocumento(const QString& numero) {
  if (Tag() == 0) AbreTablasCxCDocumento();
  else SetTag(1);
  FuenteCxC->SetDataSet(nullptr);
  Factura->setText(numero);
  CargaCxCDocumento();
}

void TFormaCxCDocumento::CargaCxCDocumento() {
  if (!TablaCxC->Active()) return;
  TablaCxC->Post();
  TablaCxC->CancelRange();
  bool esNumero = false;
  const qint64 numero = Factura->text().trimmed().toLongLong(&esNumero);
  if (!esNumero || !TablaCxC->FindKey({numero})) return;
  FuenteCxC->SetDataSet(TablaCxC);
  TablaCxC->SetRange({numero}, {numero});
  SaldoCxCDocumento();
  EncabezadoCxCDocumento();
  VencimientoCxCDocumento();
}

void TFormaCxCDocumento::SaldoCxCDocumento() {
  const SumaCuenta suma = SumaMovimientosCuenta(*TablaCxC);
  SaldoCuenta = suma.saldo;
  CargosCuenta = suma.cargos;
  AbonosCuenta = suma.abonos;
  try {
    TablaCxC->First();
    TablaCxC->Edit();
    TablaCxC->FieldByName(QStringLiteral("SALDO_CC")).SetAsString(SaldoCuenta.Texto());
    TablaCxC->Post();
  } catch (const plat::Error& e) {
    TablaCxC->Cancel();
    MuestraMensaje(e.mensaje());
  }
  MuestraSaldoCuenta(*Saldo, *SaldoE, *Estado, SaldoCuenta);
}

void TFormaCxCDocumento::EncabezadoCxCDocumento() {
  TablaCxC->First();
  ClaveCliente->setText(TablaCxC->FieldByName(QStringLiteral("CLCLI_CC")).AsString());
  FechaVencimiento->setText(TablaCxC->FieldByName(QStringLiteral("FEVEN_CC")).AsString());
  FechaAplicacion->setText(TablaCxC->FieldByName(QStringLiteral("FEAPL_CC")).AsString());
  TablaCxC->Last();
}

void TFormaCxCDocumento::VencimientoCxCDocumento() { MuestraVencimientoCuenta(*FechaVencimiento, *tiempo); }

void TFormaCxCDocumento::SumaNumero(int paso) {
  bool esNumero = false;
  const qint64 numero = Factura->text().trimmed().toLongLong(&esNumero);
  if (esNumero) MuestraCxCDocumento(QString::number(numero + paso));
}

void TFormaCxCDocumento::FormActivate() {
  if (Tag() == 0) AbreTablasCxCDocumento();
  Factura->setFocus(Qt::OtherFocusReason);
}

void MuestraCuentasDocumento(const QString& usuario, const QString& numero) {
  TFormaCxCDocumento ventana;
  ventana.Usuario->setText(usuario);
  if (!numero.trimmed().isEmpty()) ventana.MuestraCxCDocumento(numero.trimmed());
  ventana.ShowModal();
}

QString UltimaCuentaCliente(const QString& clave) {
  const QString buscada = clave.trimmed();
  db::Tabla t;
  ApuntaTabla(t, kTablaCxCFactura);
  t.SetReadOnly(true);
  t.Open();
  t.SetIndexName(kTagCuentaCobrar);
  const db::Campo& cliente = t.FieldByName(QStringLiteral("CLCLI_CC"));
  for (t.Last(); !t.Bof(); t.Prior()) {
    if (cliente.AsString().trimmed() == buscada) return t.FieldByName(QStringLiteral("NUFAC_CC")).AsString().trimmed();
  }
  return {};
}

void MuestraCuentasCliente(const QString& usuario, const QString& clave) {
  if (clave.trimmed().isEmpty()) {
    MuestraCuentasDocumento(usuario);
    return;
  }
  QString numero;
  try {
    numero = UltimaCuentaCliente(clave);
  } catch (const plat::Error& e) {
    ui::MuestraExcepcion(e);
    return;
  }
  if (numero.isEmpty()) {
    MuestraMensaje(QStringLiteral("El cliente ") + clave.trimmed() +
                   QStringLiteral(" no tiene cuentas por cobrar de facturas"));
    return;
  }
  MuestraCuentasDocumento(usuario, numero);
}
