// The customer catalogue: its components, preparation, button states, keys
// and field help.

#include "customers/Clientes.h"

#include "customers/CONVEN.h"
#include "customers/PiezasCatalogo.h"
#include "foundation/AyudaCampo.h"
#include "foundation/Glyps.h"
#include "foundation/describe.h"
#include "foundation/dialogos.h"
#include "foundation/dinero.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_tablas.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/AyudaCampos.h"
#include "platform/ui/Colores.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/RejillaDatos.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kAyudaClientes = QStringLiteral("clientes.des");
const QStringList kDiasSemana = {QStringLiteral("Lunes"),   QStringLiteral("Martes"), QStringLiteral("Miercoles"),
                                 QStringLiteral("Jueves"),  QStringLiteral("Viernes"), QStringLiteral("Sabado"),
                                 QStringLiteral("Domingo")};

// An amount box: while the table browses it shows the amount with thousands
// separators and two decimals; while it is edited, the field as it stands.
class EditImporte : public ui::EditDatos {
 public:
  using ui::EditDatos::EditDatos;

 protected:
  void Muestra() override {
    const db::Campo* c = enlace_.Campo();
    if (c && c->DataSet().State() == db::Dataset::Estado::Navegando && !c->DataSet().IsEmpty())
      setText(FormatoMascara(QStringLiteral("#,###,###0.00"), Dinero::DeReal(c->AsFloat())));
    else
      ui::EditDatos::Muestra();
  }
};

}  // namespace

QString ClaveClienteTomada(const QString& propuesta, const QString& guardada) {
  return QStringLiteral("La Clave %1 fue Tomada por otra Estación, el Cliente se Guardó con la Clave %2")
      .arg(propuesta.trimmed(), guardada.trimmed());
}

TFormaClientes::TFormaClientes(QWidget* owner) : ui::Forma(owner) {
  if (!ui::InstanciaDe<TFormaClientes>()) ui::InstanciaDe<TFormaClientes>() = this;
  setObjectName(QStringLiteral("FormaClientes"));
  setWindowTitle(QStringLiteral("Catálogo de Clientes"));
  setWindowFlags(Qt::Window);
  resize(780, 560);
  FijaFormatosRegionales();
  CarpetaLocal(CarpetaProgramaClientes);

  const auto tabla = [this](const char* nombre, const char* archivo) {
    auto* t = new db::Tabla(this);
    t->setObjectName(QString::fromLatin1(nombre));
    t->SetNombreTabla(QString::fromLatin1(archivo));
    return t;
  };
  TablaCliente = tabla("TablaCliente", "Cliente.DBF");
  TablaCliente->SetIndexName(QStringLiteral("ICLACLI"));
  TablaRepetido = tabla("TablaRepetido", "cliente.dbf");
  TablaRepetido->SetIndexName(QStringLiteral("ICLACLI"));
  TablaAuxiliar = tabla("TablaAuxiliar", "ClieAuxi.dbf");
  // A record another station holds is waited for, for the table layer's
  // bounded time, before a post or delete is given up (a change written back
  // waits the same way).
  const auto reintenta = [](db::Dataset&, const plat::Error& e) {
    return e.clase() == plat::Clase::Bloqueado || e.clase() == plat::Clase::EnUso ? db::AccionError::Retry
                                                                                    : db::AccionError::Fail;
  };
  TablaCliente->OnPostError = reintenta;
  TablaCliente->OnDeleteError = reintenta;
  Fuentetablacliente = new ui::FuenteDatos(this);
  Fuentetablacliente->setObjectName(QStringLiteral("Fuentetablacliente"));
  Fuentetablacliente->SetDataSet(TablaCliente);

  CreaMenu();
  CreaBarra();
  CreaCaja();

  auto* capa = new QVBoxLayout(this);
  capa->setContentsMargins(0, 0, 0, 0);
  capa->setSpacing(0);
  capa->setMenuBar(MainMenu1);
  capa->addWidget(Panel);
  capa->addWidget(Panel2, 1);

  ConectaCajas();
  CopiaGlyps(*this);
  SetKeyPreview(true);

  // cliente.cnf: "S" locks the preferred price list from this window's
  // creation on.
  const QString bloqueo = fs::Une(CarpetaProgramaClientes, kArchivoBloqueoPrecio);
  const bool bloqueado = fs::ExisteArchivo(bloqueo) && fs::LeeLinea(bloqueo, 1).value_or(QString()) == u"S";
  BloquearPrecioPreferencial1->setChecked(bloqueado);
  DBEdit2->setReadOnly(bloqueado);

  Caja->setEnabled(false);
  EstadoBotonesCliente(false);
}

void TFormaClientes::CreaMenu() {
  MainMenu1 = new QMenuBar(this);
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  QMenu* archivo = MenuCatalogo(MainMenu1, "Archivo1", QStringLiteral("&Archivo"));
  Nuevo1 = ItemCatalogo(archivo, "Nuevo1", QStringLiteral("Nuevo"), "Ctrl+N");
  Modificar1 = ItemCatalogo(archivo, "Modificar1", QStringLiteral("Modificar"), "Ctrl+M");
  Guardar1 = ItemCatalogo(archivo, "Guardar1", QStringLiteral("Guardar"), "Ctrl+G");
  Eliminar1 = ItemCatalogo(archivo, "Eliminar1", QStringLiteral("Eliminar"));
  archivo->addSeparator();
  PresentacionPreliminar1 =
      ItemCatalogo(archivo, "PresentacionPreliminar1", QStringLiteral("Presentación Preliminar"), "Ctrl+R");
  Imprimir1 = ItemCatalogo(archivo, "Imprimir1", QStringLiteral("Imprimir"), "Ctrl+I");
  ImprimePlantilla1 = ItemCatalogo(archivo, "ImprimePlantilla1", QStringLiteral("Imprime Plantilla"));
  archivo->addSeparator();
  Salir1 = ItemCatalogo(archivo, "Salir1", QStringLiteral("Salir"));

  QMenu* registro = MenuCatalogo(MainMenu1, "Registro1", QStringLiteral("&Registro"));
  Buscar1 = ItemCatalogo(registro, "Buscar1", QStringLiteral("Buscar"), "Ctrl+B");
  CancelarMovimiento1 = ItemCatalogo(registro, "CancelarMovimiento1", QStringLiteral("Cancelar Movimiento"));

  Buscar2 = MenuCatalogo(MainMenu1, "Buscar2", QStringLiteral("&Buscar"));
  BusquedaRapida1 = ItemCatalogo(Buscar2, "BusquedaRapida1", QStringLiteral("Busqueda Rápida"));
  BusquedaNoIndexada1 = ItemCatalogo(Buscar2, "BusquedaNoIndexada1", QStringLiteral("Busqueda No Indexada"));

  Reportes1 = MenuCatalogo(MainMenu1, "Reportes1", QStringLiteral("R&eportes"));
  Consultas1 = ItemCatalogo(Reportes1, "Consultas1", QStringLiteral("Consultas"));
  CargosyAbonos1 = ItemCatalogo(Reportes1, "CargosyAbonos1", QStringLiteral("Cargos y Abonos"));
  VentasPorCliente1 = ItemCatalogo(Reportes1, "VentasPorCliente1", QStringLiteral("Ventas Por Cliente"));
  Saldos1 = ItemCatalogo(Reportes1, "Saldos1", QStringLiteral("Saldos"));
  SaldosPorZona1 = ItemCatalogo(Reportes1, "SaldosPorZona1", QStringLiteral("Saldos Por Zona"));
  ListadodeClientes1 = ItemCatalogo(Reportes1, "ListadodeClientes1", QStringLiteral("Listado de Clientes"));
  ClienteyTelefono1 = ItemCatalogo(Reportes1, "ClienteyTelefono1", QStringLiteral("Cliente y Telefono"));

  Formatos1 = MenuCatalogo(MainMenu1, "Formatos1", QStringLiteral("&Formatos"));
  EligeFormato1 = ItemCatalogo(Formatos1, "EligeFormato1", QStringLiteral("Elige Formato"));
  DiseaFormato1 = ItemCatalogo(Formatos1, "DiseaFormato1", QStringLiteral("Diseña Formato"));
  ImprimeRango1 = ItemCatalogo(Formatos1, "ImprimeRango1", QStringLiteral("Imprime Rango"));

  QMenu* opciones = MenuCatalogo(MainMenu1, "Opciones1", QStringLiteral("&Opciones"));
  BloquearPrecioPreferencial1 =
      ItemCatalogo(opciones, "BloquearPrecioPreferencial1", QStringLiteral("Bloquear Precio Preferencial"));
  BloquearPrecioPreferencial1->setCheckable(true);

  QMenu* ayuda = MenuCatalogo(MainMenu1, "Ayuda1", QStringLiteral("A&yuda"));
  Temas1 = ItemCatalogo(ayuda, "Temas1", QStringLiteral("Temas..."));
  Informacion1 = ItemCatalogo(ayuda, "Informacion1", QStringLiteral("Informacion"));

  const std::pair<QAction*, void (TFormaClientes::*)()> comandos[] = {
      {Nuevo1, &TFormaClientes::BotonNuevoClick},
      {Modificar1, &TFormaClientes::BotonCambiosClick},
      {Guardar1, &TFormaClientes::BotonGuardarClick},
      {Eliminar1, &TFormaClientes::Eliminar1Click},
      {PresentacionPreliminar1, &TFormaClientes::BotonPreliminarClick},
      {Imprimir1, &TFormaClientes::BotonImprimirClick},
      {ImprimePlantilla1, &TFormaClientes::ImprimePlantilla1Click},
      {Salir1, &TFormaClientes::Close},
      {Buscar1, &TFormaClientes::BotonBuscarClick},
      {CancelarMovimiento1, &TFormaClientes::CancelarMovimiento1Click},
      {BusquedaRapida1, &TFormaClientes::BotonBuscarClick},
      {BusquedaNoIndexada1, &TFormaClientes::BusquedaNoIndexada1Click},
      {Consultas1, &TFormaClientes::Consultas1Click},
      {ListadodeClientes1, &TFormaClientes::ListadodeClientes1Click},
      {ClienteyTelefono1, &TFormaClientes::ClienteyTelefono1Click},
      {EligeFormato1, &TFormaClientes::EligeFormato1Click},
      {DiseaFormato1, &TFormaClientes::DiseaFormato1Click},
      {ImprimeRango1, &TFormaClientes::ImprimeRango1Click},
      {BloquearPrecioPreferencial1, &TFormaClientes::BloquearPrecioPreferencial1Click},
      {Temas1, &TFormaClientes::Temas1Click},
      {Informacion1, &TFormaClientes::Informacion1Click},
  };
  for (const auto& [accion, comando] : comandos)
    ui::Conecta(accion, &QAction::triggered, this, [this, comando] { (this->*comando)(); });
  for (QAction* reporte : {CargosyAbonos1, VentasPorCliente1, Saldos1, SaldosPorZona1})
    ui::Conecta(reporte, &QAction::triggered, this, [this, reporte] { ReporteCatalogoClientes(reporte); });
}

void TFormaClientes::CreaBarra() {
  Panel = new ui::Panel(this);
  Panel->setObjectName(QStringLiteral("Panel"));
  auto* barra = new QHBoxLayout(Panel);
  barra->setContentsMargins(3, 2, 3, 2);
  const auto boton = [this, barra](const char* nombre, const QString& texto, void (TFormaClientes::*comando)()) {
    QToolButton* b = BotonCatalogo(Panel, barra, nombre, texto);
    if (comando) ui::Conecta(b, &QToolButton::clicked, this, [this, comando] { (this->*comando)(); });
    return b;
  };
  BotonNuevo = boton("BotonNuevo", QStringLiteral("Nuevo"), &TFormaClientes::BotonNuevoClick);
  BotonCambios = boton("BotonCambios", QStringLiteral("Modificar"), &TFormaClientes::BotonCambiosClick);
  BotonGuardar = boton("BotonGuardar", QStringLiteral("Guardar"), &TFormaClientes::BotonGuardarClick);
  BotonPreliminar =
      boton("BotonPreliminar", QStringLiteral("Presentación Preliminar"), &TFormaClientes::BotonPreliminarClick);
  BotonImprimir = boton("BotonImprimir", QStringLiteral("Imprimir"), &TFormaClientes::BotonImprimirClick);
  BotonBuscar = boton("BotonBuscar", QStringLiteral("Buscar"), &TFormaClientes::BotonBuscarClick);
  BotonObservacion = boton("BotonObservacion", QStringLiteral("Observaciones del Documento"),
                           &TFormaClientes::BotonObservacionClick);
  SpeedButton1 = boton("SpeedButton1", QStringLiteral("Contactos"), &TFormaClientes::SpeedButton1Click);
  SpeedButton1->setToolButtonStyle(Qt::ToolButtonTextOnly);
  BotonSalir = boton("BotonSalir", QStringLiteral("Salir"), &TFormaClientes::Close);
  // A right click on a button tells what it does.
  const FinBarra fin = TerminaBarra(Panel, barra, Fuentetablacliente, QStringLiteral("Usuario"),
                                    {BotonCambios, BotonNuevo, BotonGuardar, BotonBuscar, BotonImprimir}, 0);
  Navegador = fin.navegador;
  Usuario = fin.usuario;
  ui::Conecta(Navegador, &ui::Navegador::Click, this, [this] { MuestraResumenCliente(); });
}

void TFormaClientes::CreaCaja() {
  const MarcoCampos marco = CreaMarcoCampos(this, "Uno", "Dos");
  Panel2 = marco.Panel2;
  Caja = marco.Caja;
  Uno = marco.uno;
  Dos = marco.dos;

  // Made in the order Enter walks them, and placed in that order: across
  // the two columns, then down; the long texts across both.
  const auto edit = [&](const char* nombre, const char* campo, const char* titulo, int ancho, Lugar lugar,
                        ui::EditDatos* e = nullptr) {
    if (!e) e = new ui::EditDatos(marco.interior);
    e->SetFuente(Fuentetablacliente);
    e->SetCampo(QString::fromLatin1(campo));
    ColocaCampo(marco, e, nombre, titulo, ancho, lugar);
    return e;
  };
  const auto dia = [&](const char* nombre, const char* campo, const char* titulo, Lugar lugar) {
    auto* c = new ui::ComboDatos(marco.interior);
    c->addItems(kDiasSemana);
    c->SetFuente(Fuentetablacliente);
    c->SetCampo(QString::fromLatin1(campo));
    ColocaCampo(marco, c, nombre, titulo, 130, lugar);
    return c;
  };
  EditCLCLI_C = edit("EditCLCLI_C", "CLCLI_C", "Clave:", 110, {0, 0});
  EditNOMBR_C = edit("EditNOMBR_C", "NOMBR_C", "Nombre:", 460, {1, 0, true});
  EditTELEF_C = edit("EditTELEF_C", "TELEF_C", "Telefono:", 170, {2, 0});
  DBEdit1 = edit("DBEdit1", "FAXXX_C", "Fax:", 170, {2, 1});
  EditEMAIL = edit("EditEMAIL", "MAILX_C", "e-mail", 460, {3, 0, true});
  EditRFCXX_C = edit("EditRFCXX_C", "RFCXX_C", "R.F.C.", 140, {4, 0});
  EditCURPX_C = edit("EditCURPX_C", "CURPX_C", "C.U.R.P:", 180, {4, 1});
  EditDIREC_C = edit("EditDIREC_C", "DIREC_C", "Calle y Núm.", 460, {5, 0, true});
  EditDIRE2_C = edit("EditDIRE2_C", "DIRE2_C", "Colonia", 460, {6, 0, true});
  EditPOBLA_C = edit("EditPOBLA_C", "POBLA_C", "Población:", 220, {7, 0});
  EditCPXXX_C = edit("EditCPXXX_C", "CPXXX_C", "C.P.", 90, {7, 1});
  EditEstado = edit("EditEstado", "ESTAD_C", "Estado", 220, {8, 0});
  EditPais = edit("EditPais", "PAISX_C", "País", 180, {8, 1});
  EditDCRED_C = edit("EditDCRED_C", "DCRED_C", "Días de Crédito:", 60, {9, 0});
  EditZONAX_C = edit("EditZONAX_C", "ZONAX_C", "Zona o Clasificación:", 110, {9, 1});
  EditDREPA_C = dia("EditDREPA_C", "DREPA_C", "Revisión", {10, 0});
  EditHOREV_C = edit("EditHOREV_C", "HOREV_C", "Hora de Revisión", 90, {10, 1});
  EditDIPAG_C = dia("EditDIPAG_C", "DIPAG_C", "Pago", {11, 0});
  EditHOPAG_C = edit("EditHOPAG_C", "HOPAG_C", "Hora de Pago", 90, {11, 1});
  EditFULCO_C = edit("EditFULCO_C", "FULCO_C", "Últ. Comp.:", 100, {12, 0});
  EditCLVEN_C = edit("EditCLVEN_C", "CLVEN_C", "Vendedor:", 70, {12, 1});
  DBEdit2 = edit("DBEdit2", "PREPR_C", "Prec. Pref.", 60, {13, 0});
  EditSTATU_C = edit("EditSTATU_C", "STATU_C", "Estado", 30, {13, 1});
  EditSALDO_C = edit("EditSALDO_C", "SALDO_C", "Saldo:", 140, {14, 0}, new EditImporte(marco.interior));
  EditCOMPR_C = edit("EditCOMPR_C", "COMPR_C", "Ventas Totales:", 140, {14, 1}, new EditImporte(marco.interior));
  // The totals are kept by sales and receivables.
  EditSALDO_C->setReadOnly(true);
  EditCOMPR_C->setReadOnly(true);
  marco.rejilla->setColumnStretch(4, 1);
  marco.rejilla->setRowStretch(15, 1);

  auto* totales = new QVBoxLayout;
  const auto etiqueta = [&](const char* nombre) {
    auto* l = new QLabel(Panel2);
    l->setObjectName(QString::fromLatin1(nombre));
    totales->addWidget(l);
    return l;
  };
  Cargo = etiqueta("Cargo");
  Abono = etiqueta("Abono");
  EtiEstado = etiqueta("EtiEstado");
  marco.pie->addLayout(totales);
  BotonSaldo = new QPushButton(QStringLiteral("Saldo..."), Panel2);
  BotonSaldo->setObjectName(QStringLiteral("BotonSaldo"));
  BitBtn1 = new QPushButton(QStringLiteral("Descuentos..."), Panel2);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  ui::Conecta(BotonSaldo, &QPushButton::clicked, this, [this] { BotonSaldoClick(); });
  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  marco.pie->addWidget(BotonSaldo);
  marco.pie->addWidget(BitBtn1);
}

void TFormaClientes::ConectaCajas() {
  auto* ayuda = new ui::AyudaCampos(Uno, Dos, [](int n) {
    QString linea;
    LeeLineaArchivo(n, kAyudaClientes, linea);
    return linea;
  }, this);
  // Each box: its number in CampoActualCliente (0: none) and the first of
  // its two help lines (0: none).
  struct Campo {
    QWidget* caja;
    int numero;
    int linea;
  };
  const Campo campos[] = {
      {EditCLCLI_C, 1, 1},  {EditNOMBR_C, 2, 3},  {EditTELEF_C, 3, 5},   {DBEdit1, 4, 0},      {EditEMAIL, 0, 21},
      {EditRFCXX_C, 5, 7},  {EditCURPX_C, 6, 9},  {EditDIREC_C, 7, 11},  {EditDIRE2_C, 8, 13}, {EditPOBLA_C, 9, 15},
      {EditCPXXX_C, 10, 17}, {EditEstado, 0, 13}, {EditPais, 0, 15},     {EditDCRED_C, 11, 23}, {EditDREPA_C, 12, 19},
      {EditHOREV_C, 13, 23}, {EditDIPAG_C, 15, 23}, {EditHOPAG_C, 16, 23}, {EditZONAX_C, 14, 21}, {EditFULCO_C, 17, 25},
      {EditCLVEN_C, 18, 27}, {DBEdit2, 0, 0},     {EditSALDO_C, 19, 29}, {EditCOMPR_C, 20, 31}, {EditSTATU_C, 0, 0}};
  for (const Campo& c : campos) {
    ui::ResaltaAlEnfocar(c.caja, ui::ColorQt(ui::clAqua, c.caja->palette()));
    connect(&ui::Eventos::De(c.caja), &ui::Eventos::Enter, this, [this, ayuda, c] {
      if (c.numero) CampoActualCliente = c.numero;
      if (c.linea) ayuda->Muestra(c.linea);
    });
  }
  // The mouse over two boxes shows other lines.
  for (const auto& [caja, linea] : {std::pair<QWidget*, int>{EditRFCXX_C, 5}, std::pair<QWidget*, int>{EditFULCO_C, 19}})
    connect(&ui::Eventos::De(caja), &ui::Eventos::MouseMove, ayuda, [ayuda, n = linea] { ayuda->Muestra(n); });

  // F1 shows what the key, the name and the telephone hold.
  struct Ejemplo {
    QWidget* caja;
    const char* etiqueta;
    const char* ejemplo;
    const char* tamano;
  };
  const Ejemplo ejemplos[] = {{EditCLCLI_C, "Clave", "C-125", "10"},
                              {EditNOMBR_C, "Nombre", "ABARROTES LA ESPERANZA SA DE CV", "60"},
                              {EditTELEF_C, "Telefono", "(55) 5555-1234", "20"}};
  for (const Ejemplo& e : ejemplos) {
    connect(&ui::Eventos::De(e.caja), &ui::Eventos::KeyDown, this, [e](int& tecla, Qt::KeyboardModifiers) {
      if (tecla != Qt::Key_F1) return;
      ui::Protege([&] {
        MuestraAyudaCampo(QString::fromLatin1(e.etiqueta), QString::fromUtf8(e.ejemplo), QStringLiteral("Cadena"),
                          QString::fromLatin1(e.tamano));
      });
      tecla = 0;
    });
  }

  // F2 in the seller box: the seller lookup, whose answer is written back.
  ui::Conecta(&ui::Eventos::De(EditCLVEN_C), &ui::Eventos::KeyDown, this, [this](int& tecla, Qt::KeyboardModifiers) {
    if (tecla != Qt::Key_F2 || CampoActualCliente != 18 || (!EnAlta() && !EnCambio())) return;
    tecla = 0;
    const QString vendedor = BuscaVendedor(EditCLVEN_C->text());
    // A copy whose save failed is posted: it is edited again.
    db::Tabla& tabla = TablaEditada();
    if (tabla.State() == db::Dataset::Estado::Navegando) tabla.Edit();
    tabla.FieldByName(QStringLiteral("CLVEN_C")).SetAsString(vendedor);
  });

  // The name and the tax id are typed in capitals.
  EnMayusculas({EditNOMBR_C, EditRFCXX_C});

  // The key may not be left empty.
  ui::Conecta(&ui::Eventos::De(EditCLCLI_C), &ui::Eventos::Exit, this, [this] {
    if ((!EnAlta() && !EnCambio()) || !EditCLCLI_C->text().trimmed().isEmpty()) return;
    MuestraMensaje(kEscribaClaveCliente);
    QTimer::singleShot(0, this, [this] { EnfocaClave(); });
  });

  // The totals and the state follow the record shown and what is typed.
  for (auto senal : {&ui::FuenteDatos::cambioDataset, &ui::FuenteDatos::cambioEstado, &ui::FuenteDatos::cambioRegistro})
    connect(Fuentetablacliente, senal, this, [this] { MuestraEtiquetas(); });
  connect(Fuentetablacliente, &ui::FuenteDatos::cambioCampo, this, [this] { MuestraEstado(); });
}

bool TFormaClientes::EnAlta() const { return ui::Tag(BotonNuevo) == 1; }
bool TFormaClientes::EnCambio() const { return ui::Tag(BotonCambios) == 1; }

void TFormaClientes::MuestraEtiquetas() {
  const db::Dataset* d = Fuentetablacliente->DataSet();
  const bool hay = d && d->Active() && !d->IsEmpty();
  const auto importe = [&](const char* campo) {
    const QString valor = hay ? d->FieldByName(QString::fromLatin1(campo)).AsString() : QString();
    return FormatoImporte(QStringLiteral("###,###,##0.00"), valor, QStringLiteral("f"));
  };
  Cargo->setText(QStringLiteral("Cargos ") + importe("CARGO_C"));
  Abono->setText(QStringLiteral("Abonos ") + importe("ABONO_C"));
  MuestraEstado();
}

void TFormaClientes::MuestraEstado() {
  const db::Dataset* d = Fuentetablacliente->DataSet();
  const bool hay = d && d->Active() && !d->IsEmpty();
  const QString estado = hay ? d->FieldByName(QStringLiteral("STATU_C")).AsString() : QString();
  EtiEstado->setText(estado.isEmpty() || estado == u"A" ? QStringLiteral("Activo") : QStringLiteral("Inactivo"));
}

void TFormaClientes::PintaMarco(bool editando) { ::PintaMarco(Panel2, editando, ui::clBlue); }

void TFormaClientes::EstadoBotonesCliente(bool editando) {
  // Reports and printing walk the customer table: not while a customer is
  // being entered into it.
  for (QWidget* w : std::initializer_list<QWidget*>{BotonCambios, BotonNuevo, Navegador, BotonBuscar, BotonImprimir,
                                                    BotonPreliminar})
    w->setEnabled(!editando);
  for (QAction* a : {Modificar1, Nuevo1, Eliminar1, Buscar1, Buscar2->menuAction(), Reportes1->menuAction(),
                     Formatos1->menuAction(), Imprimir1, PresentacionPreliminar1})
    a->setEnabled(!editando);
  BotonGuardar->setEnabled(editando);
  Guardar1->setEnabled(editando);
  CancelarMovimiento1->setEnabled(editando);
  Caja->setEnabled(editando);
}

void TFormaClientes::AbreTablasClientes() {
  LeeLineaConfig(ConfCarpetaDatos, RutaDatosClientes);
  QString formato;
  LeeLineaConfig(ConfFormatoClientes, formato);
  FormatoClientes = CarpetaProgramaClientes + QStringLiteral("\\consulta\\") + formato;
  const db::Carpetas carpetas = CarpetasEmpresa();
  for (db::Tabla* tabla : {TablaCliente, TablaRepetido}) {
    tabla->Close();
    ApuntaTabla(*tabla, carpetas);
    AbreTabla(*tabla);
  }
  TablaAuxiliar->Close();
  TablaAuxiliar->SetCarpeta(CarpetaProgramaClientes);
  EditCLCLI_C->setReadOnly(Consecutivo());
}

void TFormaClientes::Prepara() {
  // A change of company closed the tables under whatever was being edited.
  ui::SetTag(BotonNuevo, 0);
  ui::SetTag(BotonCambios, 0);
  original_.clear();
  Fuentetablacliente->SetDataSet(TablaCliente);
  AbreTablasClientes();
  Caja->setEnabled(false);
  EstadoBotonesCliente(false);
  CampoActualCliente = 1;
  MuestraResumenCliente();
  SetTag(1);
}

void TFormaClientes::FormShow() { PintaMarco(false); }

void TFormaClientes::FormActivate() {
  if (Tag() == 0) Prepara();
  else if (!EnAlta() && !EnCambio() && TablaCliente->Active()) TablaCliente->Refresh();
}

void TFormaClientes::MuestraResumenCliente() {
  if (TablaCliente->Active() && !TablaCliente->IsEmpty() && !EnAlta() && !EnCambio()) {
    const bool vacio = TablaCliente->FieldByName(QStringLiteral("CLCLI_C")).AsString().trimmed().isEmpty() &&
                       TablaCliente->FieldByName(QStringLiteral("NOMBR_C")).AsString().trimmed().isEmpty();
    if (vacio) {
      try {
        RegistraBorrado(*TablaCliente);
        TablaCliente->Delete();
      } catch (const plat::Error&) {
        // Held by another station: it goes the next time it is shown.
      }
    }
  }
  MuestraEtiquetas();
}

void TFormaClientes::FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) {
  if (shift & Qt::ControlModifier) {
    if (tecla != Qt::Key_A && tecla != Qt::Key_S) return;
    // Moving is browsing: a customer being edited stays where it is.
    if (Navegador->isEnabled())
      Navegador->Pulsa(tecla == Qt::Key_A ? ui::Navegador::Anterior : ui::Navegador::Siguiente);
    tecla = 0;
    return;
  }
  switch (tecla) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
      focusNextPrevChild(true);
      break;
    case Qt::Key_Up:
      focusNextPrevChild(false);
      break;
    default:
      return;
  }
  tecla = 0;
}
