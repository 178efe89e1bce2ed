#include "purchasing/ConsultaCuePagar.h"

#include "customers/CuentasCobrar.h"
#include "customers/ImpresionCatalogo.h"
#include "customers/PiezasCatalogo.h"
#include "formats/ImporteLetra.h"
#include "formats/Interprete.h"
#include "formats/edicion.h"
#include "foundation/advierte.h"
#include "foundation/ayudaMod.h"
#include "foundation/buscar.h"
#include "foundation/describe.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_tablas.h"
#include "foundation/rutinas_texto.h"
#include "foundation/rutinas_usuarios.h"
#include "platform/Error.h"
#include "platform/db/Literales.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "pos/CaptuRap_comun.h"
#include "pos/CuentasVenta.h"
#include "purchasing/CuentaPagar.h"
#include "purchasing/CxPDetalle.h"
#include "purchasing/Proveedo.h"
#include "purchasing/RegistroProveedor.h"
#include "purchasing/ReportesCuePagar.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"
#include "shell/Moneda.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString kTablaCompras = QStringLiteral("COMPRASE.DBF");
const QString kTagProveedorCompra = QStringLiteral("CLPRV_O");

QLabel* Etiqueta(QWidget* padre, const char* nombre, const QString& texto = {}) {
  auto* l = new QLabel(texto, padre);
  if (nombre) l->setObjectName(QString::fromLatin1(nombre));
  return l;
}

Dinero Importe(const db::Dataset& fila, const char* campo) {
  return Dinero::DeReal(fila.FieldByName(QString::fromLatin1(campo)).AsFloat());
}

}  // namespace

QString FiltroComprasProveedor(bool soloConSaldo, const QString& moneda) {
  const QString base =
      soloConSaldo ? QStringLiteral("STDOC_O <>'C' and SALDO_O>0.01") : QStringLiteral("STDOC_O <>'C'");
  const QString nombre = db::LiteralApostrofos(moneda);
  if (moneda == kMonedaNacional)
    return u'(' + base + QStringLiteral(") and (MONED_O=") + nombre + QStringLiteral(" OR MONED_O='')");
  return u'(' + base + QStringLiteral(") and MONED_O=") + nombre;
}

QString FiltroCuentasPagar(bool soloConSaldo) {
  const QString cargos = QStringLiteral("TIMOV_CP=") + QString::number(kConceptoCargoCompra);
  return soloConSaldo ? cargos + QStringLiteral(" AND SALDO_CP<>0") : cargos;
}

TFormaConsultaCuePagar::TFormaConsultaCuePagar(QWidget* owner) : ui::Forma(owner) {
  if (!ui::InstanciaDe<TFormaConsultaCuePagar>()) ui::InstanciaDe<TFormaConsultaCuePagar>() = this;
  setObjectName(QStringLiteral("FormaConsultaCuePagar"));
  setWindowTitle(QStringLiteral("Consulta de Cuentas por Pagar"));
  SetKeyPreview(true);
  CreaComponentes();
  ConectaEventos();
  InstalaReportesCuentasPagar(*this);
}

void TFormaConsultaCuePagar::CreaMenu() {
  MainMenu1 = new QMenuBar(this);
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  QMenu* archivo = MenuCatalogo(MainMenu1, "Archivo1", QStringLiteral("&Archivo"));
  Salir1 = ItemCatalogo(archivo, "Salir1", QStringLiteral("Salir"));
  QMenu* registro = MenuCatalogo(MainMenu1, "Registro1", QStringLiteral("&Registro"));
  Buscar1 = ItemCatalogo(registro, "Buscar1", QStringLiteral("Buscar"), "Ctrl+B");
  QMenu* ver = MenuCatalogo(MainMenu1, "Ver1", QStringLiteral("&Ver"));
  SoloconSaldo1 = ItemCatalogo(ver, "SoloconSaldo1", QStringLiteral("Solo con Saldo"));
  SoloconSaldo1->setCheckable(true);
  SoloconSaldo1->setChecked(true);
  PagoMasivo1 = ItemCatalogo(ver, "PagoMasivo1", QStringLiteral("Pago Masivo"));
  PagoMasivo1->setCheckable(true);
  Agregar1 = ItemCatalogo(ver, "Agregar1", QStringLiteral("Agregar"));
  Aplicar1 = ItemCatalogo(ver, "Aplicar1", QStringLiteral("Aplicar"));
  QMenu* ayuda = MenuCatalogo(MainMenu1, "Ayuda1", QStringLiteral("A&yuda"));
  Informacion1 = ItemCatalogo(ayuda, "Informacion1", QStringLiteral("Informacion"));
}

void TFormaConsultaCuePagar::CreaComponentes() {
  resize(860, 520);
  const auto tabla = [this](const char* nombre, const QString& archivo, const QString& tag) {
    auto* t = new db::Tabla(this);
    t->setObjectName(QString::fromLatin1(nombre));
    t->SetNombreTabla(archivo);
    t->SetIndexName(tag);
    return t;
  };
  TablaProveedo = tabla("TablaProveedo", kTablaProveedores, kTagClaveProveedor);
  TablaCompras = tabla("TablaCompras", kTablaCompras, kTagProveedorCompra);
  TablaDeta = tabla("TablaDeta", kTablaCuentasPagar, QStringLiteral("CLPRO_CP"));
  EsperaBloqueos(*TablaCompras);
  EsperaBloqueos(*TablaDeta);
  FuenteProveedo = new ui::FuenteDatos(this);
  FuenteProveedo->setObjectName(QStringLiteral("FuenteProveedo"));
  FuenteProveedo->SetDataSet(TablaProveedo);
  FuenteProveedo->SetAutoEdit(false);
  FuenteCompras = new ui::FuenteDatos(this);
  FuenteCompras->setObjectName(QStringLiteral("FuenteCompras"));
  FuenteCompras->SetDataSet(TablaCompras);
  FuenteCompras->SetAutoEdit(false);

  CreaMenu();
  Panel1 = new ui::Panel(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  ClaveProveedor = new ui::EtiquetaDatos(Panel1);
  ClaveProveedor->setObjectName(QStringLiteral("ClaveProveedor"));
  ClaveProveedor->SetFuente(FuenteProveedo);
  ClaveProveedor->SetCampo(QStringLiteral("CLAVE_P"));
  Nombre = Etiqueta(Panel1, "Nombre");
  Cargos = Etiqueta(Panel1, "Cargos");
  Abonos = Etiqueta(Panel1, "Abonos");
  Saldo = Etiqueta(Panel1, "Saldo");
  QFont fija(QStringLiteral("Courier"));
  fija.setBold(true);
  for (QLabel* l : {Cargos, Abonos, Saldo}) l->setFont(fija);
  DBNavigator1 = new ui::Navegador(Panel1);
  DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
  DBNavigator1->SetFuente(FuenteProveedo);
  editDIVIO_CP = new QComboBox(Panel1);
  editDIVIO_CP->setObjectName(QStringLiteral("editDIVIO_CP"));
  editDIVIO_CP->setEditable(true);
  editDIVIO_CP->setEditText(kMonedaNacional);
  const auto boton = [this](const char* nombre, const QString& texto) {
    auto* b = new QPushButton(texto, Panel1);
    b->setObjectName(QString::fromLatin1(nombre));
    return b;
  };
  BitBtn1 = boton("BitBtn1", QStringLiteral("&Pagos y Movimientos"));
  BitBtn2 = boton("BitBtn2", QStringLiteral("Agregar"));
  BitBtn3 = boton("BitBtn3", QStringLiteral("Aplicar"));
  BotonBuscar = boton("BotonBuscar", QStringLiteral("Buscar"));
  BotonPreliminar = boton("BotonPreliminar", QStringLiteral("Presentación Preliminar"));
  BotonSalir = boton("BotonSalir", QStringLiteral("Salir"));

  auto* cabeza = new QGridLayout(Panel1);
  cabeza->addWidget(Etiqueta(Panel1, nullptr, QStringLiteral("Proveedor")), 0, 0);
  cabeza->addWidget(ClaveProveedor, 0, 1);
  cabeza->addWidget(DBNavigator1, 0, 2);
  cabeza->addWidget(Nombre, 1, 0, 1, 3);
  cabeza->addWidget(Etiqueta(Panel1, nullptr, QStringLiteral("Moneda")), 2, 0);
  cabeza->addWidget(editDIVIO_CP, 2, 1);
  auto* totales = new QVBoxLayout;
  for (QLabel* l : {Cargos, Abonos, Saldo}) totales->addWidget(l);
  cabeza->addLayout(totales, 0, 3, 3, 1);
  auto* botones = new QHBoxLayout;
  for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn3, BotonBuscar, BotonPreliminar}) botones->addWidget(b);
  botones->addStretch();
  botones->addWidget(BotonSalir);
  cabeza->addLayout(botones, 3, 0, 1, 4);
  cabeza->setContentsMargins(6, 6, 4, 6);
  cabeza->setColumnStretch(3, 1);

  Detalle2 = new ui::RejillaDatos(this);
  Detalle2->setObjectName(QStringLiteral("Detalle2"));
  Detalle2->SetFuente(FuenteCompras);
  Detalle2->SetSoloLectura(true);
  Detalle2->setSelectionBehavior(QAbstractItemView::SelectRows);
  for (const auto& [campo, titulo] :
       {std::pair{"CLDOC_O", "Número de Compra"}, std::pair{"FEDOC_O", "Fecha Doc."}, std::pair{"FEPAG_O", "Fecha Pago"},
        std::pair{"IMDOC_O", "Importe"}, std::pair{"SALDO_O", "Saldo"}, std::pair{"ABONO_O", "Abonos"},
        std::pair{"REFER_O", "Referencia"}, std::pair{"CONTR_O", "Contrarrecibo"}, std::pair{"MONED_O", "MONED_O"}})
    Detalle2->AgregaColumna(QString::fromLatin1(campo), QString::fromUtf8(titulo));
  // Every column but the number: whole numbers "###,###", reals
  // "###,##0.00", the rest as stored; an empty value stays empty.
  Detalle2->TextoCelda = [](const db::Campo& campo, const QVariant& valor, const QString& texto) {
    if (!valor.isValid() || campo.Nombre().compare(QStringLiteral("CLDOC_O"), Qt::CaseInsensitive) == 0) return texto;
    if (campo.Tipo() == db::TipoDato::Entero) return FormatoMascara(QStringLiteral("###,###"), valor.toDouble());
    if (campo.Tipo() == db::TipoDato::Flotante || campo.Tipo() == db::TipoDato::Moneda)
      return FormatoMascara(QStringLiteral("###,##0.00"), valor.toDouble());
    return texto;
  };
  BarraEstado = Etiqueta(this, "BarraEstado", QStringLiteral("Oprime Enter ó Doble Click  para Ver  Detalle y Movimientos"));

  ListBoxPagos = new QListWidget(this);
  ListBoxPagos->setObjectName(QStringLiteral("ListBoxPagos"));
  ListBoxPagos->setMaximumWidth(140);
  ListBoxPagos->hide();
  LabelTotal = Etiqueta(this, "LabelTotal");
  LabelTotal->hide();

  auto* lista = new QVBoxLayout;
  lista->addWidget(Detalle2, 1);
  lista->addWidget(BarraEstado);
  auto* pagos = new QVBoxLayout;
  pagos->addWidget(ListBoxPagos, 1);
  pagos->addWidget(LabelTotal);
  auto* cuerpo = new QHBoxLayout;
  cuerpo->addLayout(lista, 1);
  cuerpo->addLayout(pagos);
  auto* capa = new QVBoxLayout(this);
  capa->setContentsMargins(0, 0, 0, 0);
  capa->setSpacing(0);
  capa->setMenuBar(MainMenu1);
  capa->addWidget(Panel1);
  capa->addLayout(cuerpo, 1);
}

void TFormaConsultaCuePagar::ConectaEventos() {
  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { AbreCuentaCompra(); });
  ui::Conecta(BitBtn2, &QPushButton::clicked, this, [this] { Agregar1Click(); });
  ui::Conecta(BitBtn3, &QPushButton::clicked, this, [this] { Aplicar1Click(); });
  ui::Conecta(BotonBuscar, &QPushButton::clicked, this, [this] { BotonBuscarClick(); });
  ui::Conecta(BotonPreliminar, &QPushButton::clicked, this, [this] { BotonPreliminarClick(); });
  ui::Conecta(BotonSalir, &QPushButton::clicked, this, [this] { Close(); });
  ui::Conecta(Salir1, &QAction::triggered, this, [this] { Close(); });
  ui::Conecta(Buscar1, &QAction::triggered, this, [this] { BotonBuscarClick(); });
  ui::Conecta(SoloconSaldo1, &QAction::triggered, this, [this] { SoloconSaldo1Click(); });
  ui::Conecta(PagoMasivo1, &QAction::triggered, this, [this] { PagoMasivo1Click(); });
  ui::Conecta(Agregar1, &QAction::triggered, this, [this] { Agregar1Click(); });
  ui::Conecta(Aplicar1, &QAction::triggered, this, [this] { Aplicar1Click(); });
  ui::Conecta(Informacion1, &QAction::triggered, this, [this] {
    try {
      EscribeIndiceAyuda(*MainMenu1, objectName());
    } catch (const plat::Error& e) {
      MuestraMensaje(e.mensaje());
    }
  });
  ui::Conecta(DBNavigator1, &ui::Navegador::Click, this, [this](ui::Navegador::Boton) { MueveProveedor(); });
  ui::Conecta(&ui::Eventos::De(BotonBuscar), &ui::Eventos::MouseDown, this, [this](Qt::MouseButton tecla, QPoint) {
    MuestraDescripcion(tecla, x() + BotonBuscar->x(), y() + BotonBuscar->y() + BotonBuscar->height(), 47);
  });
  ui::Eventos& lista = ui::Eventos::De(Detalle2);
  ui::Conecta(&lista, &ui::Eventos::DblClick, this, [this] { AbreCuentaCompra(); });
  ui::Conecta(&lista, &ui::Eventos::KeyDown, this, [this](int& tecla, Qt::KeyboardModifiers) {
    if (tecla != Qt::Key_Return && tecla != Qt::Key_Enter) return;
    tecla = 0;
    AbreCuentaCompra();
  });
  ui::Conecta(&ui::Eventos::De(editDIVIO_CP), &ui::Eventos::Enter, this, [this] { editDIVIO_CPEnter(); });
  ui::Conecta(editDIVIO_CP, &QComboBox::editTextChanged, this, [this](const QString& texto) {
    if (cargandoMonedas_ || texto.isEmpty()) return;
    FiltraDocumentosProveedor();
    RecalculaSaldoProveedor();
  });
}

// --- Preparation.

void TFormaConsultaCuePagar::AbreTablasCxP() {
  const db::Carpetas carpetas = CarpetasEmpresa();
  if (carpetas.datos.isEmpty()) return;
  for (db::Tabla* t : {TablaProveedo, TablaCompras, TablaDeta}) {
    t->Close();
    ApuntaTabla(*t, carpetas);
    AbreTabla(*t);
  }
}

void TFormaConsultaCuePagar::FiltraCuentasPagar() {
  if (!TablaDeta->Active()) return;
  try {
    TablaDeta->SetFilter(FiltroCuentasPagar(SoloconSaldo1->isChecked()));
    TablaDeta->SetFiltered(true);
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
}

void TFormaConsultaCuePagar::Prepara() {
  AbreTablasCxP();
  FiltraCuentasPagar();
  QString formato;
  LeeLineaConfig(ConfFormatoCxP, formato);
  FormatoCxP = CarpetaPrograma(QStringLiteral("\\consulta\\")) + formato;
  SetTag(1);
}

void TFormaConsultaCuePagar::AjustaAncho() {
  // The list of payments widens the window while it is shown.
  const int lista = ListBoxPagos->maximumWidth();
  if (ListBoxPagos->isVisible() && width() < 860 + lista) resize(860 + lista, height());
  else if (!ListBoxPagos->isVisible() && width() > 860) resize(860, height());
}

void TFormaConsultaCuePagar::FormShow() {
  AjustaAncho();
  FiltraCuentasPagar();
  FiltraDocumentosProveedor();
  RecalculaSaldoProveedor();
}

void TFormaConsultaCuePagar::FormActivate() {
  if (Tag() == 0) {
    Prepara();
    RecalculaSaldoProveedor();
  }
  SetTag(1);
  if (TablaDeta->Active()) TablaDeta->Refresh();
}

void TFormaConsultaCuePagar::FormClose() {
  if (TablaDeta->Active()) TablaDeta->SetFiltered(false);
}

void TFormaConsultaCuePagar::PosicionaCuentaProveedor(const QString& clave) {
  if (Tag() == 0 || !TablaProveedo->Active()) Prepara();
  if (!TablaProveedo->Active()) return;
  TablaProveedo->SetIndexName(kTagClaveProveedor);
  try {
    TablaProveedo->FindNearest({clave});
  } catch (const plat::Error&) {
    TablaProveedo->First();
  }
  FiltraDocumentosProveedor();
  RecalculaSaldoProveedor();
}

QString TFormaConsultaCuePagar::MonedaElegida() const { return editDIVIO_CP->currentText(); }

void TFormaConsultaCuePagar::FiltraDocumentosProveedor() {
  if (Tag() == 0 || !TablaCompras->Active()) Prepara();
  if (!TablaCompras->Active() || !TablaProveedo->Active()) return;
  const QString clave = TablaProveedo->FieldByName(QStringLiteral("CLAVE_P")).AsString();
  try {
    TablaCompras->SetIndexName(kTagProveedorCompra);
    TablaCompras->SetRange({clave}, {clave});
    TablaCompras->SetFilter(FiltroComprasProveedor(SoloconSaldo1->isChecked(), MonedaElegida()));
    TablaCompras->SetFiltered(true);
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
}

void TFormaConsultaCuePagar::RecalculaSaldoProveedor() {
  // A cursor of its own, so the list keeps its place.
  db::Tabla compras;
  try {
    ApuntaTabla(compras, QStringLiteral("ComprasE.dbf"));
    compras.SetIndexName(kTagProveedorCompra);
    compras.SetReadOnly(true);
    compras.Open();
  } catch (const plat::Error&) {
    AbreTablasCxP();
    return;
  }
  if (!TablaProveedo->Active()) return;
  CargosProveedor = AbonosProveedor = SaldoProveedor = Dinero();
  const bool hayProveedor = !TablaProveedo->IsEmpty();
  const QString clave = TablaProveedo->FieldByName(QStringLiteral("CLAVE_P")).AsString();
  try {
    compras.SetRange({clave}, {clave});
    compras.SetFilter(FiltroComprasProveedor(SoloconSaldo1->isChecked(), MonedaElegida()));
    compras.SetFiltered(true);
    if (hayProveedor) {
      for (compras.First(); !compras.Eof(); compras.Next()) {
        const Dinero importe = Importe(compras, "IMDOC_O");
        CargosProveedor += importe;
        AbonosProveedor += importe - Importe(compras, "SALDO_O");
      }
    }
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
  SaldoProveedor = CargosProveedor - AbonosProveedor;
  Nombre->setText(QStringLiteral("Nombre:  ") + TablaProveedo->FieldByName(QStringLiteral("NOMBR_P")).AsString());
  Cargos->setText(QStringLiteral("Cargos :   ") + TextoSaldoCuenta(CargosProveedor));
  Abonos->setText(QStringLiteral("Abonos : - ") + TextoSaldoCuenta(AbonosProveedor));
  Saldo->setText(QStringLiteral("Saldo  :   ") + TextoSaldoCuenta(SaldoProveedor));
  const auto alDia = [this] {
    const auto guardado = [this](const char* campo) { return Importe(*TablaProveedo, campo); };
    return guardado("CARGO_P") == CargosProveedor && guardado("ABONO_P") == AbonosProveedor &&
           guardado("SALDO_P") == SaldoProveedor;
  };
  if (hayProveedor && !alDia()) {
    // Whichever station shows the supplier last writes its totals; a write
    // that fails (the record held elsewhere) is let go. Totals already
    // stored are not written again: looking changes nothing.
    try {
      TablaProveedo->Edit();
      TablaProveedo->FieldByName(QStringLiteral("CARGO_P")).SetAsString(CargosProveedor.Texto());
      TablaProveedo->FieldByName(QStringLiteral("ABONO_P")).SetAsString(AbonosProveedor.Texto());
      TablaProveedo->FieldByName(QStringLiteral("SALDO_P")).SetAsString(SaldoProveedor.Texto());
      TablaProveedo->Post();
    } catch (const plat::Error&) {
      TablaProveedo->Cancel();
    }
  }
  if (TablaCompras->Active()) TablaCompras->Refresh();
}

// --- Moving between suppliers.

void TFormaConsultaCuePagar::MueveProveedor() {
  FiltraDocumentosProveedor();
  RecalculaSaldoProveedor();
  ListBoxPagos->clear();
  TotalPagos = Dinero();
}

void TFormaConsultaCuePagar::FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) {
  if (shift != Qt::ControlModifier || !TablaProveedo->Active()) return;
  if (tecla == Qt::Key_A) {
    tecla = 0;
    TablaProveedo->Prior();
    MueveProveedor();
  } else if (tecla == Qt::Key_S) {
    tecla = 0;
    TablaProveedo->Next();
    MueveProveedor();
  }
}

void TFormaConsultaCuePagar::BotonBuscarClick() {
  if (!TablaProveedo->Active()) return;
  TFormaBusqueda busqueda;
  busqueda.ShowModal();
  // Esc leaves no option chosen: the search was cancelled.
  if (!busqueda.Clave->isChecked() && !busqueda.Nombre->isChecked()) return;
  const QString texto = busqueda.CajaBuscar->text();
  try {
    if (busqueda.Clave->isChecked()) {
      TablaProveedo->SetIndexName(kTagClaveProveedor);
      setWindowTitle(QStringLiteral("Consulta Cobranza Ordenado por Clave"));
      TablaProveedo->FindNearest({AjustaClave(texto, TablaProveedo->FieldByName(QStringLiteral("CLAVE_P")).Ancho())});
    } else {
      TablaProveedo->SetIndexName(kTagNombreProveedor);
      setWindowTitle(QStringLiteral("Consulta Cobranza Ordenado por Nombre"));
      TablaProveedo->FindNearest({texto});
    }
  } catch (const plat::Error&) {
    MuestraMensaje(QStringLiteral("Valor no Válido"));
  }
  FiltraDocumentosProveedor();
  RecalculaSaldoProveedor();
}

// --- Currency and view.

void TFormaConsultaCuePagar::editDIVIO_CPEnter() {
  if (MonedaElegida().isEmpty()) return;
  QString archivo;
  try {
    archivo = fs::Une(CarpetaDatosEmpresa(), kArchivoMonedas);
  } catch (const plat::Error&) {
    return;
  }
  if (!fs::ExisteArchivo(archivo)) return;
  QStringList nombres;
  try {
    for (const TRegistroMoneda& m : RegistrosMoneda(fs::LeeBytes(archivo))) {
      const QString nombre = m.Campos[MonedaDivisa].trimmed();
      if (!nombre.isEmpty()) nombres << nombre;
    }
  } catch (const plat::Error&) {
    return;
  }
  cargandoMonedas_ = true;
  editDIVIO_CP->clear();
  editDIVIO_CP->addItems(nombres);
  cargandoMonedas_ = false;
  if (!nombres.isEmpty()) editDIVIO_CP->setCurrentIndex(0);
  FiltraDocumentosProveedor();
  RecalculaSaldoProveedor();
}

void TFormaConsultaCuePagar::SoloconSaldo1Click() {
  FiltraCuentasPagar();
  FiltraDocumentosProveedor();
  RecalculaSaldoProveedor();
}

// --- A receipt's account.

void TFormaConsultaCuePagar::AbreCuentaCompra() {
  if (!TablaCompras->Active() || TablaCompras->IsEmpty()) return;
  if (!FormaCxPDetalle()) new TFormaCxPDetalle(this);
  TFormaCxPDetalle& cuenta = *FormaCxPDetalle();
  cuenta.MuestraCxPDocumento(TablaCompras->FieldByName(QStringLiteral("CLDOC_O")).AsString());
  cuenta.ShowModal();
  try {
    TablaCompras->Refresh();
  } catch (const plat::Error&) {
  }
  RecalculaSaldoProveedor();
}

// --- Bulk payment.

void TFormaConsultaCuePagar::PagoMasivo1Click() {
  const bool visible = PagoMasivo1->isChecked();
  ListBoxPagos->setVisible(visible);
  LabelTotal->setVisible(visible);
  TotalPagos = Dinero();
  AjustaAncho();
}

void TFormaConsultaCuePagar::Agregar1Click() {
  if (!TablaCompras->Active() || TablaCompras->IsEmpty()) return;
  const QString numero = TablaCompras->FieldByName(QStringLiteral("CLDOC_O")).AsString();
  if (!ListBoxPagos->findItems(numero, Qt::MatchExactly).isEmpty()) return;
  ListBoxPagos->addItem(numero);
  TotalPagos += Importe(*TablaCompras, "SALDO_O");
  LabelTotal->setText(FormatoMascara(QStringLiteral("###,##0.00"), TotalPagos));
}

bool TFormaConsultaCuePagar::PagaCompra(db::Tabla& compras, db::Tabla& cuentas, qint64 registro) {
  if (!compras.VeARegistro(registro)) return false;
  // The lock first: the balance read under it is the one paid, and a
  // station that paid it first leaves nothing to pay.
  compras.Edit();
  qint64 pago = 0;
  try {
    const qint64 numero = compras.FieldByName(QStringLiteral("CLDOC_O")).AsInteger();
    // A receipt this program saved owes what its account says.
    const CuentaCompra cuenta = LeeCuentaPagar(cuentas, numero);
    const Dinero saldo = cuenta.cargo != 0 ? cuenta.saldo : Importe(compras, "SALDO_O");
    if (saldo <= Dinero()) {
      compras.Cancel();
      return false;
    }
    cuentas.Append();
    const auto campo = [&cuentas](const char* nombre) -> db::Campo& {
      return cuentas.FieldByName(QString::fromLatin1(nombre));
    };
    campo("NUCOM_CP").SetAsInteger(numero);
    campo("CLPRO_CP").SetAsString(TablaProveedo->FieldByName(QStringLiteral("CLAVE_P")).AsString());
    campo("NOMBR_CP").SetAsString(TablaProveedo->FieldByName(QStringLiteral("NOMBR_P")).AsString());
    campo("IMCUE_CP").SetAsString(saldo.Texto());
    campo("ABONO_CP").SetAsString(saldo.Texto());
    campo("TIMOV_CP").SetAsInteger(kConceptoPagoEfectivoCxP);
    campo("FEAPL_CP").SetAsDate(fs::Hoy());
    campo("FEVEN_CP").SetAsDate(fs::Hoy());
    campo("OPERA_CP").SetAsString(kOperacionAbono);
    campo("CONCE_CP").SetAsString(QStringLiteral("Efectivo"));
    cuentas.Post();
    pago = cuentas.RecNo();
    compras.FieldByName(QStringLiteral("ABONO_O")).SetValue(compras.FieldByName(QStringLiteral("IMDOC_O")).Value());
    compras.FieldByName(QStringLiteral("SALDO_O")).SetAsInteger(0);
    // The receipt and its charge row owe what the account now adds up to.
    EscrituraDirecta escritura;
    if (cuenta.cargo != 0) AsientaCuentaPagar(escritura, cuentas, &compras, numero);
    if (Editando(compras)) compras.Post();
  } catch (...) {
    // Nothing half paid: the payment row goes with the receipt's change.
    if (Editando(cuentas)) cuentas.Cancel();
    if (Editando(compras)) compras.Cancel();
    try {
      if (pago > 0 && cuentas.VeARegistro(pago)) cuentas.Delete();
    } catch (const std::exception&) {
    }
    throw;
  }
  return true;
}

void TFormaConsultaCuePagar::Aplicar1Click() {
  {
    TFormaAdvertencia pregunta;
    pregunta.Label1->setText(kConfirmaPagoMasivo);
    pregunta.ShowModal();
    if (pregunta.Tag() != 1) return;
  }
  if (!TablaCompras->Active() || !TablaDeta->Active() || ListBoxPagos->count() == 0) return;
  // The receipts of the view that are listed, in the order of the list
  // shown; each is paid through a cursor of its own, so a receipt leaving
  // the view once paid does not move the walk.
  QList<std::pair<QString, qint64>> porPagar;
  const qint64 actual = TablaCompras->RecNo();
  for (TablaCompras->First(); !TablaCompras->Eof(); TablaCompras->Next()) {
    const QString numero = TablaCompras->FieldByName(QStringLiteral("CLDOC_O")).AsString();
    if (!ListBoxPagos->findItems(numero, Qt::MatchExactly).isEmpty() &&
        std::none_of(porPagar.begin(), porPagar.end(), [&numero](const auto& p) { return p.first == numero; }))
      porPagar.append({numero, TablaCompras->RecNo()});
  }
  db::Tabla compras, cuentas;
  compras.SetCarpeta(TablaCompras->Carpeta());
  compras.SetNombreTabla(TablaCompras->NombreTabla());
  EsperaBloqueos(compras);
  cuentas.SetCarpeta(TablaDeta->Carpeta());
  cuentas.SetNombreTabla(TablaDeta->NombreTabla());
  EsperaBloqueos(cuentas);
  try {
    compras.Open();
    cuentas.Open();
    for (const auto& [numero, registro] : porPagar) {
      MuestraMensaje(QStringLiteral("Aplicara pagos a ") + numero);
      PagaCompra(compras, cuentas, registro);
    }
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
  TablaDeta->Refresh();
  TablaCompras->Refresh();
  if (actual > 0) TablaCompras->VeARegistro(actual);
}

// --- Preview and print.

void TFormaConsultaCuePagar::BotonPreliminarClick() {
  if (!TablaProveedo->Active() || !TablaCompras->Active()) return;
  if (fs::ExisteArchivo(FormatoCxP)) {
    FijaUsuarioImpresion(QStringLiteral("0"));
    QString textos[4];
    for (int i = 0; i < 4; ++i) TextoMoneda(MonedaElegida(), i + 1, textos[i]);
    FijaTextosMoneda(textos[0], textos[1], textos[2], textos[3]);
  }
  try {
    ConservaRegistro(*TablaCompras, [this] { VistaPreviaFormato(TablaProveedo, TablaCompras, FormatoCxP); });
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
}

// --- The supplier catalogue's way in.

// "Saldo...": with right 7, this window shown modeless on the supplier the
// catalogue shows.
void TFormaProveedo::SaldoClick() {
  if (!TieneDerecho(NumeroUsuario(), DerechoCuentasPorPagar)) return;
  if (!FormaConsultaCuePagar()) new TFormaConsultaCuePagar(this);
  TFormaConsultaCuePagar& consulta = *FormaConsultaCuePagar();
  consulta.Show();
  consulta.PosicionaCuentaProveedor(EditCLAVE_P->text().trimmed());
}
