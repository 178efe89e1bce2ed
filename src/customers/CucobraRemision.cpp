#include "customers/CucobraRemision.h"

#include "customers/Conclie.h"
#include "customers/CuentasCobrar.h"
#include "customers/ImpresionCatalogo.h"
#include "customers/cxcdRemision.h"
#include "formats/ImporteLetra.h"
#include "formats/Interprete.h"
#include "foundation/describe.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_tablas.h"
#include "foundation/rutinas_texto.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "shell/Concep.h"
#include "shell/LineasConfiguracion.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

QString FormatoReciboCxC;
Dinero SaldoCapturaCxC;
QString RutaDatosCxC;

namespace {

enum Comando { Nuevo = 1, Cambio = 2, Borra = 3 };

QString Campo(const db::Dataset& fila, const char* nombre) {
  return fila.FieldByName(QString::fromLatin1(nombre)).AsString();
}

}  // namespace

TFormaRemCuCobra::TFormaRemCuCobra(QWidget* owner) : ui::Forma(owner) {
  if (!ui::InstanciaDe<TFormaRemCuCobra>()) ui::InstanciaDe<TFormaRemCuCobra>() = this;
  setObjectName(QStringLiteral("FormaRemCuCobra"));
  setWindowTitle(QStringLiteral("Cuentas por Cobrar"));
  SetKeyPreview(true);
  SetMueveFocoConTeclas(true);
  CreaComponentes();
  ConectaCampos();
  // The receipt format is a bare file name of the consulta folder, as the
  // configuration window keeps it. At start-up there may be no company
  // yet: nothing is said then, and the next instance reads it.
  QString configuracion, formato;
  if (fs::ExisteArchivo(kArchivoInicio)) ArchivoConfiguracion(configuracion);
  if (!configuracion.isEmpty() && fs::ExisteArchivo(configuracion)) LeeLineaConfig(ConfFormatoCheque, formato);
  FormatoReciboCxC = CarpetaPrograma(QStringLiteral("\\consulta\\")) + formato;
}

void TFormaRemCuCobra::CreaComponentes() {
  resize(520, 330);
  TablaConceptos = new db::Tabla(this);
  TablaConceptos->setObjectName(QStringLiteral("TablaConceptos"));
  TablaConceptos->SetNombreTabla(QStringLiteral("concepto.dbf"));
  TablaConceptos->SetIndexName(QStringLiteral("NUME"));
  TablaConceptos->SetReadOnly(true);
  FuenteTablaCucobrar = new ui::FuenteDatos(this);
  FuenteTablaCucobrar->setObjectName(QStringLiteral("FuenteTablaCucobrar"));

  Panel1 = new ui::Panel(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Mensaje = new QLabel(Panel1);
  Mensaje->setObjectName(QStringLiteral("Mensaje"));
  QFont grande = Mensaje->font();
  grande.setBold(true);
  grande.setPointSize(grande.pointSize() + 3);
  Mensaje->setFont(grande);
  Label2 = new QLabel(Panel1);
  Label2->setObjectName(QStringLiteral("Label2"));
  Usuario = new QLabel(QStringLiteral("0"), Panel1);
  Usuario->setObjectName(QStringLiteral("Usuario"));
  Usuario->hide();
  BotonSi = new QPushButton(QStringLiteral("&Acepta Movimiento"), Panel1);
  BotonSi->setObjectName(QStringLiteral("BotonSi"));
  BotonSi->setToolTip(QStringLiteral("Acepta los Datos"));
  auto* cabeza = new QHBoxLayout(Panel1);
  cabeza->addWidget(Mensaje);
  cabeza->addWidget(Label2, 1);
  cabeza->addWidget(BotonSi);

  NombreCliente = new QLabel(this);
  NombreCliente->setObjectName(QStringLiteral("NombreCliente"));

  auto* campos = new QGridLayout;
  int fila = 0;
  const auto edit = [&](const char* nombre, const char* campo, const char* titulo) {
    auto* e = new ui::EditDatos(this);
    e->setObjectName(QString::fromLatin1(nombre));
    e->SetFuente(FuenteTablaCucobrar);
    e->SetCampo(QString::fromLatin1(campo));
    auto* etiqueta = new QLabel(QString::fromUtf8(titulo), this);
    etiqueta->setBuddy(e);
    campos->addWidget(etiqueta, fila, 0);
    campos->addWidget(e, fila, 1);
    ++fila;
    return e;
  };
  EditCLCLI_CC = edit("EditCLCLI_CC", "CLCLI_CC", "Cliente");
  EditTIMOV_CC = edit("EditTIMOV_CC", "TIMOV_CC", "Tipo de Movimiento (F2)");
  EditNUFAC_CC = edit("EditNUFAC_CC", "NUFAC_CC", "Número de Factura");
  EditNUDOC_CC = edit("EditNUDOC_CC", "NUDOC_CC", "Número de Documento");
  EditNUREF_CC = edit("EditNUREF_CC", "NUREF_CC", "Número de Referencia");
  EditIMCUE_CC = edit("EditIMCUE_CC", "IMCUE_CC", "Importe de Cuenta (F4)");
  EditIMCUE_CC->setToolTip(QStringLiteral("Oprime F4 para Obtener el Saldo"));
  EditFEAPL_CC = edit("EditFEAPL_CC", "FEAPL_CC", "Fecha de Aplicación (F3)");
  EditFEVEN_CC = edit("EditFEVEN_CC", "FEVEN_CC", "Fecha de vencimiento (F3)");
  DBEdit1 = edit("DBEdit1", "COBRA_CC", "Concepto");

  BotonNo = new QPushButton(QStringLiteral("&Cancela Movimiento "), this);
  BotonNo->setObjectName(QStringLiteral("BotonNo"));
  BotonNo->setToolTip(QStringLiteral("Elimina los Datos"));
  BitBtn1 = new QPushButton(QStringLiteral("&Imprimir"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  auto* pie = new QHBoxLayout;
  pie->addStretch();
  pie->addWidget(BitBtn1);
  pie->addWidget(BotonNo);

  auto* capa = new QVBoxLayout(this);
  capa->addWidget(Panel1);
  capa->addWidget(NombreCliente);
  capa->addLayout(campos);
  capa->addLayout(pie);
}

void TFormaRemCuCobra::ConectaCampos() {
  ui::Conecta(BotonSi, &QPushButton::clicked, this, [this] { BotonSiClick(); });
  ui::Conecta(BotonNo, &QPushButton::clicked, this, [this] { BotonNoClick(); });
  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  const auto describe = [this](QPushButton* boton, int registro) {
    ui::Conecta(&ui::Eventos::De(boton), &ui::Eventos::MouseDown, this,
                [this, boton, registro](Qt::MouseButton tecla, QPoint) {
                  MuestraDescripcion(tecla, x() + boton->x(), y() + boton->y() + boton->height(), registro);
                });
  };
  describe(BotonSi, 30);
  describe(BotonNo, 31);

  const auto teclas = [this](QWidget* caja, std::function<void(int&)> maneja) {
    ui::Conecta(&ui::Eventos::De(caja), &ui::Eventos::KeyDown, this,
                [maneja](int& tecla, Qt::KeyboardModifiers) { maneja(tecla); });
  };
  teclas(EditCLCLI_CC, [this](int& tecla) {
    if (tecla != Qt::Key_F2) return;
    tecla = 0;
    EditCLCLI_CC->setText(BuscaCliente(EditCLCLI_CC->text(), QStringLiteral("0")));
  });
  for (ui::EditDatos* concepto : {EditTIMOV_CC, DBEdit1}) {
    teclas(concepto, [this](int& tecla) {
      if (tecla != Qt::Key_F2) return;
      tecla = 0;
      EligeConcepto();
    });
    // An unknown concept cannot be left: the focus comes back (after the
    // move that is leaving it).
    ui::Conecta(&ui::Eventos::De(concepto), &ui::Eventos::Exit, this, [this] {
      if (Movimiento() && !BuscaConcepto())
        QTimer::singleShot(0, EditTIMOV_CC, [this] { EditTIMOV_CC->setFocus(Qt::OtherFocusReason); });
    });
  }
  ui::Conecta(&ui::Eventos::De(EditFEAPL_CC), &ui::Eventos::Enter, this, [this] { EditFEAPL_CCEnter(); });
  for (auto [caja, campo] : {std::pair{EditFEAPL_CC, "FEAPL_CC"}, std::pair{EditFEVEN_CC, "FEVEN_CC"}}) {
    const QString nombre = QString::fromLatin1(campo);
    teclas(caja, [this, nombre](int& tecla) {
      if (tecla != Qt::Key_F3) return;
      tecla = 0;
      FechaDeHoy(nombre, false);
    });
    ui::Conecta(&ui::Eventos::De(caja), &ui::Eventos::Exit, this, [this, nombre] { FechaDeHoy(nombre, true); });
  }
  teclas(EditIMCUE_CC, [this](int& tecla) {
    if (tecla != Qt::Key_F4 || !Movimiento()) return;
    tecla = 0;
    EditaMovimiento();
    Movimiento()->FieldByName(QStringLiteral("IMCUE_CC")).SetAsString(SaldoCapturaCxC.Texto());
  });
}

db::Dataset* TFormaRemCuCobra::Movimiento() const {
  db::Dataset* fila = FuenteTablaCucobrar->DataSet();
  return fila && fila->Active() ? fila : nullptr;
}

void TFormaRemCuCobra::EditaMovimiento() {
  if (Movimiento() && Movimiento()->State() == db::Dataset::Estado::Navegando) Movimiento()->Edit();
}

void TFormaRemCuCobra::FormActivate() {
  aceptado_ = false;
  EditNUDOC_CC->setFocus(Qt::OtherFocusReason);
  if (Tag() == 0) {
    LeeLineaConfig(ConfCarpetaDatos, RutaDatosCxC);
    if (Cuenta) Cuenta->AbreTablasDetalleCxC();
    SetTag(1);
  }
}

// Through a cursor of its own, so the catalogue stays on the concept its
// user stands on (the one just picked, while the focus leaves the box).
bool TFormaRemCuCobra::BuscaConcepto() {
  QString descripcion;
  if (!BuscaConceptoCuenta(*TablaConceptos, EditTIMOV_CC->text(), descripcion, tipoConcepto_)) return false;
  EditaMovimiento();
  db::Dataset& fila = *Movimiento();
  fila.FieldByName(QStringLiteral("CONCE_CC")).SetAsString(descripcion);
  fila.FieldByName(QStringLiteral("OPERA_CC")).SetAsString(tipoConcepto_);
  Label2->setText(descripcion);
  return true;
}

void TFormaRemCuCobra::EligeConcepto() {
  if (!FormaConceptos()) new TFormaConceptos(this);
  TFormaConceptos& ventana = *FormaConceptos();
  ventana.Panel1->hide();
  ui::SetTag(ventana.RejillaConceptos, 1);
  ventana.ShowModal();
  // The catalogue is the main menu's too: it is left as a catalogue.
  ventana.Panel1->show();
  ui::SetTag(ventana.RejillaConceptos, 0);
  db::Tabla& conceptos = *ventana.TablaConcepto;
  if (!Movimiento() || !conceptos.Active() || conceptos.IsEmpty()) return;
  EditaMovimiento();
  Movimiento()->FieldByName(QStringLiteral("TIMOV_CC")).SetAsString(Campo(conceptos, "NUMOV_MO"));
  Movimiento()->FieldByName(QStringLiteral("CONCE_CC")).SetAsString(Campo(conceptos, "CONCE_MO"));
  BuscaConcepto();
}

void TFormaRemCuCobra::EditFEAPL_CCEnter() {
  const bool administrador = Usuario->text() == QStringLiteral("0");
  EditFEAPL_CC->setReadOnly(!administrador);
  if (administrador || !Movimiento()) return;
  EditaMovimiento();
  Movimiento()->FieldByName(QStringLiteral("FEAPL_CC")).SetAsDate(fs::Hoy());
}

void TFormaRemCuCobra::FechaDeHoy(const QString& campo, bool siVacia) {
  if (!Movimiento()) return;
  if (siVacia && !Movimiento()->FieldByName(campo).IsNull()) return;
  EditaMovimiento();
  Movimiento()->FieldByName(campo).SetAsDate(fs::Hoy());
}

void TFormaRemCuCobra::BotonSiClick() {
  db::Dataset* fila = Movimiento();
  if (!fila) {
    CierraCon(false);
    return;
  }
  if (Cuenta && Cuenta->Tag() == Borra) {
    // The row was put into edit only to hold it while the user decides.
    fila->Cancel();
    if (Campo(*fila, "TIMOV_CC") == kConceptoCuentaPrincipal) {
      MuestraMensaje(kCuentaPrincipalNoSeBorra);
    } else {
      RegistraBorrado(*fila);
      fila->Delete();
    }
    CierraCon(true);
    return;
  }
  // Leaving the box being typed takes what it holds.
  EditNUDOC_CC->setFocus(Qt::OtherFocusReason);
  // Only a movement of a known concept is kept: it decides whether the
  // amount is a charge or a payment.
  if (!BuscaConcepto()) {
    EditTIMOV_CC->setFocus(Qt::OtherFocusReason);
    return;
  }
  CompletaMovimiento();
  fila->Post();
  // The account again from the file, on the rows of its number.
  if (auto* tabla = qobject_cast<db::Tabla*>(fila)) {
    const QVariant numero = tabla->FieldByName(QStringLiteral("NUFAC_CC")).Value();
    tabla->Close();
    tabla->Open();
    tabla->SetRange({numero}, {numero});
  }
  CierraCon(true);
}

// Steps whose failure leaves the field as it was: the row is posted with
// what could be filled.
void TFormaRemCuCobra::CompletaMovimiento() {
  db::Dataset& fila = *Movimiento();
  EditaMovimiento();
  const auto campo = [&fila](const char* nombre) -> db::Campo& {
    return fila.FieldByName(QString::fromLatin1(nombre));
  };
  const auto intenta = [](const std::function<void()>& paso) {
    try {
      paso();
    } catch (const plat::Error&) {
    }
  };
  if (EditTIMOV_CC->text().trimmed() == kConceptoCuentaPrincipal) campo("SALDO_CC").SetValue(campo("IMCUE_CC").Value());
  // The amount goes into the column of its kind only, so a change of
  // concept leaves no amount in the other.
  intenta([&] {
    const bool cargo = tipoConcepto_ == kOperacionCargo;
    campo(cargo ? "CARGO_CC" : "ABONO_CC").SetValue(campo("IMCUE_CC").Value());
    campo(cargo ? "ABONO_CC" : "CARGO_CC").Clear();
  });
  intenta([&] {
    if (campo("FEAPL_CC").IsNull()) campo("FEAPL_CC").SetAsDate(fs::Hoy());
    if (campo("FEVEN_CC").IsNull()) campo("FEVEN_CC").SetAsDate(fs::Hoy());
    if (campo("HORAF_F").IsNull()) campo("HORAF_F").SetAsFloat(SelloMomentoCuenta(fs::Ahora()));
  });
  intenta([&] { campo("CORTE").SetAsInteger(UltimoCorte(CarpetaDatosEmpresa())); });
}

void TFormaRemCuCobra::BotonNoClick() { CierraCon(false); }

void TFormaRemCuCobra::CierraCon(bool aceptado) {
  aceptado_ = aceptado;
  SetModalResult(aceptado ? ui::mrOk : ui::mrCancel);
  Close();
}

// However the window is closed, a movement not accepted is dropped.
void TFormaRemCuCobra::FormClose() {
  if (!aceptado_ && Movimiento()) Movimiento()->Cancel();
}

void TFormaRemCuCobra::BitBtn1Click() {
  if (!ImpresoraLista()) {
    MuestraMensaje(QStringLiteral("La Impresora No Se Encuentra Lista..."));
    return;
  }
  if (!fs::ExisteArchivo(FormatoReciboCxC)) {
    MuestraMensaje(AvisoFormatoNoExiste(FormatoReciboCxC));
    return;
  }
  auto* tabla = qobject_cast<db::Tabla*>(Movimiento());
  if (!tabla) return;
  QString textos[4];
  for (int i = 0; i < 4; ++i) TextoMoneda(QStringLiteral("M.N."), 4 - i, textos[3 - i]);
  FijaTextosMoneda(textos[0], textos[1], textos[2], textos[3]);
  FijaUsuarioImpresion(Usuario->text());
  ConservaRegistro(*tabla, [tabla] { EjecutaFormato(tabla, tabla, FormatoReciboCxC, u'i'); });
}
