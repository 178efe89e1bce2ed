// The product window: its layout, creation, show, first activation and keys.

#include "inventory/Inven.h"

#include "foundation/Glyps.h"
#include "foundation/PapelTap.h"
#include "foundation/describe.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_tablas.h"
#include "inventory/FormulaCosto.h"
#include "inventory/RegistroMovimiento.h"
#include "inventory/RegistroProducto.h"
#include "platform/db/Consulta.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/AyudaCampos.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"
#include "shell/Principa.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

template <class T>
T* Nombrado(T* w, const char* nombre) {
  w->setObjectName(QString::fromLatin1(nombre));
  return w;
}

// A line of a settings file of the program folder; "" when it cannot be read.
QString LineaOpcion(const QString& programa, const QString& archivo, int n) {
  try {
    return fs::LeeLinea(fs::Une(programa, archivo), n).value_or(QString());
  } catch (const std::exception&) {
    return {};
  }
}

QString Linea(int n) {
  QString valor;
  LeeLineaConfig(n, valor);
  return valor;
}

// The data boxes in the order of the window: component, field, caption.
struct DefCaja {
  ui::EditDatos* TFormaInventario::*caja;
  const char* nombre;
  const char* campo;
  const char* etiqueta;
};

const DefCaja kCajas[] = {
    {&TFormaInventario::DBEdit1, "DBEdit1", "CODIG_I", "Código"},
    {&TFormaInventario::EditDSCPR_I, "EditDSCPR_I", "DSCPR_I", "Descripción"},
    {&TFormaInventario::EditUMEDI_I, "EditUMEDI_I", "UMEDI_I", "Unidad:"},
    {&TFormaInventario::EditUEMPA_I, "EditUEMPA_I", "UEMPA_I", "Núm/Emp:"},
    {&TFormaInventario::EditLIPRO_I, "EditLIPRO_I", "LIPRO_I", "Línea/Color:"},
    {&TFormaInventario::EditCLPR_I, "EditCLPR_I", "CLPR1_I", "Proveedor 1:"},
    {&TFormaInventario::EditCLPR_I2, "EditCLPR_I2", "CLPR2_I", "Proveedor 2:"},
    {&TFormaInventario::EditFEULC_I, "EditFEULC_I", "FEULC_I", "Últ. Comp.:"},
    {&TFormaInventario::EditFEULV_I, "EditFEULV_I", "FEULV_I", "Últ. Vent.:"},
    {&TFormaInventario::EditPTICA_I, "EditPTICA_I", "PTICA_I", "Tipo cambio:"},
    {&TFormaInventario::EditTICOS_I, "EditTICOS_I", "TICOS_I", "Costeo:"},
    {&TFormaInventario::EditPIVA_I, "EditPIVA_I", "PIVA1_I", "Impuesto 1:"},
    {&TFormaInventario::EditPIVA_I2, "EditPIVA_I2", "PIVA2_I", "Impuesto 2:"},
    {&TFormaInventario::EditSTMIN_I, "EditSTMIN_I", "STMIN_I", "Stock Mín:"},
    {&TFormaInventario::EditSTMAX_I, "EditSTMAX_I", "STMAX_I", "Stock Máx:"},
    {&TFormaInventario::EditEXIST_I, "EditEXIST_I", "EXIST_I", "Existencias:"},
    {&TFormaInventario::EditCOMRE_I, "EditCOMRE_I", "COMRE_I", "Por recibir"},
    {&TFormaInventario::EditPESUR_I, "EditPESUR_I", "PESUR_I", "Por surtir"},
    {&TFormaInventario::EditULCOS_I, "EditULCOS_I", "ULCOS_I", "Últ. Cost."},
    {&TFormaInventario::EditCPROM_I, "EditCPROM_I", "CPROM_I", "Cost. Prom."},
    {&TFormaInventario::EditPPUBL_I, "EditPPUBL_I", "PPUBL_I", "Prec.Públ."},
    {&TFormaInventario::EditPLIS_I, "EditPLIS_I", "PLIS2_I", "Prec. 2:"},
    {&TFormaInventario::EditPLIS_I2, "EditPLIS_I2", "PLIS3_I", "Prec. 3:"},
    {&TFormaInventario::EditPLIS_I3, "EditPLIS_I3", "PLIS4_I", "Prec 4 :"},
    {&TFormaInventario::EditPMINI_I, "EditPMINI_I", "PMINI_I", "Prec. 5"},
    {&TFormaInventario::EditPREC6_I, "EditPREC6_I", "PLIS6_I", "Prec. 6"},
    {&TFormaInventario::EditPREC7_I, "EditPREC7_I", "PLIS7_I", "Prec. 7"},
    {&TFormaInventario::EditVANMO_I, "EditVANMO_I", "VANMO_I", "Monto:"},
    {&TFormaInventario::EditVANCA_I, "EditVANCA_I", "VANCA_I", "Cantidad"},
    {&TFormaInventario::EditPORC1_I, "EditPORC1_I", "PORC1_I", "% de Utilidad"},
    {&TFormaInventario::EditDESCU_I, "EditDESCU_I", "DESCU_I", "Descuento"},
    {&TFormaInventario::DBEdit2, "DBEdit2", "UBICA_I", "Ubicación"},
};

constexpr int kColumnasCajas = 3;  // label and box pairs per row

}  // namespace

TFormaInventario::TFormaInventario(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaInventario>() = this;
  setObjectName(QStringLiteral("FormaInventario"));
  setWindowTitle(QStringLiteral("Inventario"));
  resize(900, 640);
  SetKeyPreview(true);

  TablaInventario = Nombrado(new db::Tabla(this), "TablaInventario");
  TablaInventario->SetNombreTabla(kTablaProductos);
  TablaInventario->SetIndexName(kTagClaveProducto);
  TablaInventario2 = Nombrado(new db::Tabla(this), "TablaInventario2");
  TablaInventario2->SetNombreTabla(kTablaProductos);
  TablaInventario2->SetIndexName(kTagClaveProducto);
  TablaInventario2->SetReadOnly(true);
  TablaAuxiliar = Nombrado(new db::Tabla(this), "TablaAuxiliar");
  TablaAuxiliar->SetNombreTabla(QStringLiteral("InveAux.dbf"));
  TablaKardex = Nombrado(new db::Tabla(this), "TablaKardex");
  TablaKardex->SetNombreTabla(kTablaKardex);
  TablaKardex->SetIndexName(kTagKardex);
  Query1 = Nombrado(new db::Consulta(this), "Query1");
  DataSource1 = Nombrado(new ui::FuenteDatos(this), "DataSource1");
  DataSource1->SetDataSet(TablaInventario);

  CreaMenu();
  CreaBarra();
  CreaDatos();

  auto* capa = new QVBoxLayout(this);
  capa->setContentsMargins(0, 0, 0, 0);
  capa->setSpacing(0);
  capa->setMenuBar(MainMenu1);
  capa->addWidget(Panel1);
  capa->addWidget(Panel2, 1);

  // The help lines under the data, white on a wallpaper.
  auto* pie = Nombrado(new QWidget(this), "PanelAyuda");
  auto* capaPie = new QGridLayout(pie);
  capaPie->setContentsMargins(0, 0, 0, 0);
  auto* tapiz = Nombrado(new TPapelTapiz(pie), "PapelTapiz1");
  tapiz->SetColor(ui::clNavy);
  tapiz->SetColorVariante(QStringLiteral("b"));
  capaPie->addWidget(tapiz, 0, 0, 2, 1);
  Uno = Nombrado(new QLabel(pie), "Uno");
  Dos = Nombrado(new QLabel(pie), "Dos");
  for (QLabel* l : {Uno, Dos}) {
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Qt::white);
    l->setPalette(p);
    l->setContentsMargins(6, 1, 6, 1);
  }
  capaPie->addWidget(Uno, 0, 0);
  capaPie->addWidget(Dos, 1, 0);
  capa->addWidget(pie);

  Usuario = Nombrado(new QLabel(this), "Usuario");
  Usuario->hide();
  MemoFormula = Nombrado(new QPlainTextEdit(this), "MemoFormula");
  MemoFormula->hide();
  MemoResultado = Nombrado(new QPlainTextEdit(this), "MemoResultado");
  MemoResultado->hide();

  ConectaCampos();
  EventosTabla();
  HabilitaDatos(false);
  EstadoEdicion(false);
  LeeOpciones();
}

TFormaInventario::~TFormaInventario() = default;

void TFormaInventario::CreaBarra() {
  Panel1 = Nombrado(new ui::Panel(this), "Panel1");
  auto* barra = new QHBoxLayout(Panel1);
  barra->setContentsMargins(3, 2, 3, 2);
  const auto boton = [this, barra](const char* nombre, const QString& texto) {
    auto* b = Nombrado(new QToolButton(Panel1), nombre);
    b->setText(texto);
    b->setToolTip(texto);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    barra->addWidget(b);
    return b;
  };
  BotonCambios = boton("BotonCambios", QStringLiteral("Modificar"));
  BotonNuevo = boton("BotonNuevo", QStringLiteral("Nuevo"));
  BotonGuardar = boton("BotonGuardar", QStringLiteral("Guardar"));
  BotonBuscar = boton("BotonBuscar", QStringLiteral("Buscar"));
  BotonImprimir = boton("BotonImprimir", QStringLiteral("Imprimir"));
  BotonObservacion = boton("BotonObservacion", QStringLiteral("Observaciones"));
  BotonObservacion->setToolTip(QStringLiteral("Observaciones del Documento"));
  barra->addSpacing(12);
  DBNavigator1 = Nombrado(new ui::Navegador(Panel1), "DBNavigator1");
  DBNavigator1->SetFuente(DataSource1);
  barra->addWidget(DBNavigator1);
  barra->addSpacing(12);
  auto* almacen = Nombrado(new QLabel(QStringLiteral("Almacén"), Panel1), "LabelAlmacen");
  barra->addWidget(almacen);
  NoAlmacen = Nombrado(new QSpinBox(Panel1), "NoAlmacen");
  NoAlmacen->setRange(0, 99);
  NoAlmacen->setValue(1);
  almacen->setBuddy(NoAlmacen);
  barra->addWidget(NoAlmacen);
  barra->addStretch();
  BotonSalir = boton("BotonSalir", QStringLiteral("Salir"));

  ui::Conecta(BotonCambios, &QToolButton::clicked, this, [this] { BotonCambiosClick(); });
  ui::Conecta(BotonNuevo, &QToolButton::clicked, this, [this] { BotonNuevoClick(); });
  ui::Conecta(BotonGuardar, &QToolButton::clicked, this, [this] { BotonGuardarClick(); });
  ui::Conecta(BotonBuscar, &QToolButton::clicked, this, [this] { BotonBuscarClick(); });
  ui::Conecta(BotonImprimir, &QToolButton::clicked, this, [this] { BotonImprimirClick(); });
  ui::Conecta(BotonSalir, &QToolButton::clicked, this, [this] { Close(); });
  ui::Conecta(BotonObservacion, &QToolButton::clicked, this, [this] { BotonObservacionClick(); });
  ui::Conecta(DBNavigator1, &ui::Navegador::Click, this, [this] { MuestraProducto(); });
  // A press of another button than the left one shows the button's short help.
  ConectaDescripcion(BotonCambios, 32);
  ConectaDescripcion(BotonNuevo, 33);
  ConectaDescripcion(BotonGuardar, 34);
  ConectaDescripcion(BotonBuscar, 35);
  ConectaDescripcion(BotonImprimir, 36);
}

void TFormaInventario::CreaDatos() {
  Panel2 = Nombrado(new ui::Panel(this), "Panel2");
  Panel2->setAutoFillBackground(true);
  auto* capa = new QHBoxLayout(Panel2);

  Caja = Nombrado(new QScrollArea(Panel2), "Caja");
  Caja->setWidgetResizable(true);
  auto* hoja = Nombrado(new QWidget(Caja), "HojaCaja");
  auto* rejilla = new QGridLayout(hoja);
  rejilla->setHorizontalSpacing(6);
  rejilla->setVerticalSpacing(3);
  int celda = 0;
  const auto coloca = [&](QWidget* etiqueta, QWidget* caja) {
    const int fila = celda / kColumnasCajas, columna = (celda % kColumnasCajas) * 2;
    rejilla->addWidget(etiqueta, fila, columna, Qt::AlignRight);
    if (caja->objectName() == u"EditLIPRO_I") {
      // The line box with its picker button.
      auto* linea = new QHBoxLayout();
      linea->setSpacing(2);
      linea->addWidget(caja, 1);
      SpeedButton2 = Nombrado(new QToolButton(hoja), "SpeedButton2");
      SpeedButton2->setText(QStringLiteral("..."));
      linea->addWidget(SpeedButton2);
      rejilla->addLayout(linea, fila, columna + 1);
    } else {
      rejilla->addWidget(caja, fila, columna + 1);
    }
    ++celda;
  };

  EditCLPRO_I = Nombrado(new QLineEdit(hoja), "EditCLPRO_I");
  auto* etiquetaClave = Nombrado(new QLabel(QStringLiteral("Clave"), hoja), "LabelCLPRO_I");
  etiquetaClave->setBuddy(EditCLPRO_I);
  coloca(etiquetaClave, EditCLPRO_I);
  for (const DefCaja& d : kCajas) {
    auto* caja = Nombrado(new ui::EditDatos(hoja), d.nombre);
    caja->SetFuente(DataSource1);
    caja->SetCampo(QString::fromLatin1(d.campo));
    this->*d.caja = caja;
    auto* etiqueta = new QLabel(QString::fromUtf8(d.etiqueta), hoja);
    etiqueta->setObjectName(QStringLiteral("Label") + QString::fromLatin1(d.campo));
    etiqueta->setBuddy(caja);
    coloca(etiqueta, caja);
  }
  EditEXIST_I->setReadOnly(true);
  EditEXIST_I->setFocusPolicy(Qt::ClickFocus);

  Series = Nombrado(new QCheckBox(QStringLiteral("# de Serie"), hoja), "Series");
  Kit = Nombrado(new QCheckBox(QStringLiteral("Producto Kit"), hoja), "Kit");
  const int filaChecks = (celda + kColumnasCajas - 1) / kColumnasCajas;
  rejilla->addWidget(Series, filaChecks, 1);
  SpeedButton1 = Nombrado(new QToolButton(hoja), "SpeedButton1");
  SpeedButton1->setText(QStringLiteral("..."));
  auto* kit = new QHBoxLayout();
  kit->addWidget(Kit);
  kit->addWidget(SpeedButton1);
  kit->addStretch();
  rejilla->addLayout(kit, filaChecks, 3);
  ui::Conecta(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
  BitBtn1 = Nombrado(new QPushButton(QStringLiteral("Datos Adicionales"), hoja), "BitBtn1");
  rejilla->addWidget(BitBtn1, filaChecks, 5);

  // The discount boxes, bound when the product table has their columns.
  PanelDescuentos = Nombrado(new ui::Panel(hoja, ui::Panel::Bisel::Hundido), "PanelDescuentos");
  auto* descuentos = new QGridLayout(PanelDescuentos);
  ui::EditDatos** cajasDescuento[] = {&EditDESC1_I, &EditDESC2_I, &EditDESC3_I};
  for (int i = 0; i < 3; ++i) {
    auto* etiqueta = new QLabel(QStringLiteral("Desc %1").arg(i + 1), PanelDescuentos);
    etiqueta->setObjectName(QStringLiteral("LabelDesc%1").arg(i + 1));
    auto* caja = new ui::EditDatos(PanelDescuentos);
    caja->setObjectName(QStringLiteral("EditDESC%1_I").arg(i + 1));
    caja->SetFuente(DataSource1);
    *cajasDescuento[i] = caja;
    descuentos->addWidget(etiqueta, 0, i);
    descuentos->addWidget(caja, 1, i);
  }
  LabelCostoF = Nombrado(new QLabel(QStringLiteral("Costo Con Descuentos"), PanelDescuentos), "LabelCostoF");
  descuentos->addWidget(LabelCostoF, 0, 3, 1, 2);
  LabelPrecio = Nombrado(new QLabel(QStringLiteral("0.00"), PanelDescuentos), "LabelPrecio");
  descuentos->addWidget(LabelPrecio, 1, 3);
  BitBtn2 = Nombrado(new QPushButton(QStringLiteral("Aplicar Fórmula"), PanelDescuentos), "BitBtn2");
  descuentos->addWidget(BitBtn2, 0, 5);
  BitBtn3 = Nombrado(new QPushButton(QStringLiteral("Cambiar Precio"), PanelDescuentos), "BitBtn3");
  descuentos->addWidget(BitBtn3, 1, 5);
  PanelDescuentos->hide();
  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  ui::Conecta(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
  ui::Conecta(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
  ui::Conecta(SpeedButton2, &QToolButton::clicked, this, [this] { SpeedButton2Click(); });
  rejilla->addWidget(PanelDescuentos, filaChecks + 1, 0, 1, kColumnasCajas * 2);
  rejilla->setRowStretch(filaChecks + 2, 1);
  Caja->setWidget(hoja);
  capa->addWidget(Caja, 1);

  // The picture and the labels the display refreshes.
  auto* derecha = new QVBoxLayout();
  PanelImagen = Nombrado(new ui::Panel(Panel2, ui::Panel::Bisel::Hundido), "PanelImagen");
  PanelImagen->SetCaption(kSinImagenPanel);
  PanelImagen->setFixedSize(220, 200);
  Imagen = Nombrado(new QLabel(PanelImagen), "Imagen");
  Imagen->setGeometry(2, 2, 216, 196);
  Imagen->setScaledContents(true);
  Imagen->hide();
  derecha->addWidget(PanelImagen);
  EtiquetaEmpaque = Nombrado(new QLabel(Panel2), "EtiquetaEmpaque");
  LabelUsado = Nombrado(new QLabel(Panel2), "LabelUsado");
  CxEmpaque = Nombrado(new QLabel(Panel2), "CxEmpaque");
  for (QLabel* l : {EtiquetaEmpaque, LabelUsado, CxEmpaque}) {
    l->setFont(QFont(QStringLiteral("Courier New"), 10));
    derecha->addWidget(l);
  }
  derecha->addStretch(1);
  capa->addLayout(derecha);
}

void TFormaInventario::LeeOpciones() {
  CarpetaLocal(CarpetaPrograma);
  ArchivoFormato = CarpetaPrograma + QStringLiteral("\\consulta\\") + Linea(ConfFormatoInventarios);
  FijaFormatosRegionales();
  VariosAlmacenes = Linea(ConfMultialmacen) == u"S";
  NoAlmacen->setEnabled(VariosAlmacenes);
  ChecarStocks1->setChecked(LineaOpcion(CarpetaPrograma, QStringLiteral("inventar.cnf"), 1) == u"S");
  ConsecutivoenClavedeProducto1->setChecked(Linea(ConfConsecutivoProductos) == u"S");
  try {
    if (const auto formula = LeeFormulaCosto(CarpetaPrograma)) {
      MemoFormula->setPlainText(formula->join(u'\n'));
      ConBitacora = LeeConfBitacora();
    }
  } catch (const std::exception&) {
  }
}

void TFormaInventario::FormShow() {
  CarpetaDatos = Linea(ConfCarpetaDatos);
  ArchivoFormato = CarpetaPrograma + QStringLiteral("\\consulta\\") + Linea(ConfFormatoInventarios);
  // Settings are read afresh: the company may have changed since creation.
  VariosAlmacenes = Linea(ConfMultialmacen) == u"S";
  NoAlmacen->setEnabled(VariosAlmacenes && !Editando());
  ConsecutivoenClavedeProducto1->setChecked(Linea(ConfConsecutivoProductos) == u"S");
  ayudaAvisada_ = false;
  if (!Editando()) PintaDatos(false);
  AplicaVistaClasica(*this);
  const bool leeImpuesto = LineaOpcion(CarpetaPrograma, QStringLiteral("opc_inv.cnf"), 1) == u"S";
  LeerImpuestoenAltadeProducto1->setChecked(leeImpuesto);
  if (leeImpuesto) LeeTasaImpuesto();
}

void TFormaInventario::PreparaTablas() {
  const db::Carpetas carpetas = CarpetasEmpresa();
  for (db::Tabla* tabla : {TablaInventario, TablaInventario2, TablaKardex}) {
    tabla->Close();
    ApuntaTabla(*tabla, carpetas);
    AbreTabla(*tabla);
  }
  TablaAuxiliar->Close();
  TablaAuxiliar->SetCarpeta(CarpetaPrograma);
  if (db::Campo* clave = TablaInventario->Active() ? TablaInventario->FindField(QStringLiteral("CLPRO_I")) : nullptr)
    EditCLPRO_I->setMaxLength(clave->Ancho());
}

// FormaInventario.dat: pairs of lines, a label's caption and the caption it
// takes instead.
void TFormaInventario::AplicaEtiquetas() {
  QStringList lineas;
  try {
    lineas = fs::LeeLineas(fs::Une(CarpetaPrograma, QStringLiteral("FormaInventario.dat")));
  } catch (const std::exception&) {
    return;
  }
  const auto etiquetas = findChildren<QLabel*>();
  for (int i = 0; i + 1 < lineas.size(); i += 2)
    for (QLabel* etiqueta : etiquetas)
      if (etiqueta->text() == lineas[i]) etiqueta->setText(lineas[i + 1]);
}

void TFormaInventario::EnlazaDescuentos() {
  if (!TablaInventario->Active() || !TablaInventario->FindField(QStringLiteral("DESC3_I"))) return;
  EditDESC1_I->SetCampo(QStringLiteral("DESC1_I"));
  EditDESC2_I->SetCampo(QStringLiteral("DESC2_I"));
  EditDESC3_I->SetCampo(QStringLiteral("DESC3_I"));
  PanelDescuentos->show();
  MuestraCostoConDescuentos();
}

void TFormaInventario::FormActivate() {
  if (Tag() == 0) {
    // Marked at once: a message shown meanwhile gives the activation back.
    SetTag(1);
    PreparaTablas();
    AplicaEtiquetas();
    CopiaGlyps(*this);
    HabilitaDatos(false);
    EditCLPRO_I->clear();
    BotonGuardar->setEnabled(false);
    ui::SetTag(BotonCambios, 0);
    MuestraProducto();
  }
  if (!Editando() && TablaInventario->Active()) {
    TablaInventario->Refresh();
    EnlazaDescuentos();
  }
  SetTag(1);
}

void TFormaInventario::FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) {
  const bool control = shift.testFlag(Qt::ControlModifier);
  if (control && (tecla == Qt::Key_A || tecla == Qt::Key_S)) {
    if (Editando()) return;
    Mueve(tecla == Qt::Key_S);
    tecla = 0;
  } else if (tecla == Qt::Key_F12) {
    if (!Editando()) ConsultaProducto();
    tecla = 0;
  } else if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter || tecla == Qt::Key_Down) {
    tecla = 0;
    focusNextPrevChild(true);
  } else if (tecla == Qt::Key_Up) {
    focusNextPrevChild(false);
  }
}
