// The supplier catalogue: its components, activation, button states, keys
// and field help.

#include "purchasing/Proveedo.h"

#include "customers/CONVEN.h"
#include "customers/Consultas.h"
#include "customers/PiezasCatalogo.h"
#include "foundation/Glyps.h"
#include "foundation/describe.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_tablas.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/AyudaCampos.h"
#include "platform/ui/Colores.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/RejillaDatos.h"
#include "purchasing/RegistroProveedor.h"
#include "purchasing/ReportesProveedo.h"
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

const QString kAyudaProveedores = QStringLiteral("proveedo.des");

}  // namespace

QString ClaveProveedorTomada(const QString& propuesta, const QString& guardada) {
  return QStringLiteral("La Clave %1 fue Tomada por otra Estación, el Proveedor se Guardó con la Clave %2")
      .arg(propuesta, guardada);
}

TFormaProveedo::TFormaProveedo(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaProveedo>() = this;
  setObjectName(QStringLiteral("FormaProveedo"));
  setWindowTitle(QStringLiteral("Catalogo de Proveedores"));
  setWindowFlags(Qt::Window);
  resize(780, 660);
  FijaFormatosRegionales();
  CarpetaLocal(carpetaPrograma_);

  const auto tabla = [this](const char* nombre, const QString& archivo) {
    auto* t = new db::Tabla(this);
    t->setObjectName(QString::fromLatin1(nombre));
    t->SetNombreTabla(archivo);
    return t;
  };
  TablaProveedor = tabla("TablaProveedor", kTablaProveedores);
  TablaProveedor->SetIndexName(kTagClaveProveedor);
  TablaRepetido = tabla("TablaRepetido", kTablaProveedores);
  TablaRepetido->SetIndexName(kTagClaveProveedor);
  TablaAuxiliar = tabla("TablaAuxiliar", QStringLiteral("ProvAux.dbf"));
  Fuente = new ui::FuenteDatos(this);
  Fuente->setObjectName(QStringLiteral("Fuente"));
  Fuente->SetDataSet(TablaProveedor);

  CreaMenu();
  CreaBarra();
  CreaCaja();

  DBGrid1 = new ui::RejillaDatos(this);
  DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
  DBGrid1->SetSoloLectura(true);
  DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
  DBGrid1->SetFuente(Fuente);
  for (const auto& [campo, titulo] : {std::pair{"CLAVE_P", "Clave"}, std::pair{"NOMBR_P", "Nombre"},
                                      std::pair{"TELEF_P", "Teléfono"}, std::pair{"DIREC_P", "Dirección"},
                                      std::pair{"POBLA_P", "Población"}, std::pair{"ULTCO_P", "Ultima Compra"}})
    DBGrid1->AgregaColumna(QString::fromLatin1(campo), QString::fromUtf8(titulo));

  auto* capa = new QVBoxLayout(this);
  capa->setContentsMargins(0, 0, 0, 0);
  capa->setSpacing(0);
  capa->setMenuBar(MainMenu1);
  capa->addWidget(Panel1);
  capa->addWidget(Panel2, 3);
  capa->addWidget(DBGrid1, 2);

  ConectaCajas();
  SetKeyPreview(true);
  Caja->setEnabled(false);
  Guardar1->setEnabled(false);
  BotonGuardar->setEnabled(false);
  CancelaMovimiento1->setEnabled(false);
  InstalaReportesProveedor(*this);
}

void TFormaProveedo::CreaMenu() {
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

  Registro1 = MenuCatalogo(MainMenu1, "Registro1", QStringLiteral("&Registro"));
  Buscar1 = ItemCatalogo(Registro1, "Buscar1", QStringLiteral("Buscar"), "Ctrl+B");
  CancelaMovimiento1 = ItemCatalogo(Registro1, "CancelaMovimiento1", QStringLiteral("Cancela Movimiento"));

  BuscarMenu = MenuCatalogo(MainMenu1, "Buscar2", QStringLiteral("&Buscar"));
  BusquedaRapida1 = ItemCatalogo(BuscarMenu, "BusquedaRapida1", QStringLiteral("Busqueda Rápida"));
  BusquedaNoIndexada1 = ItemCatalogo(BuscarMenu, "BusquedaNoIndexada1", QStringLiteral("Busqueda No Indexada"));

  Reportes1 = MenuCatalogo(MainMenu1, "Reportes1", QStringLiteral("R&eportes"));
  ListadodeProveedores1 = ItemCatalogo(Reportes1, "ListadodeProveedores1", QStringLiteral("Listado de Proveedores"));

  QMenu* formatos = MenuCatalogo(MainMenu1, "Formatos1", QStringLiteral("&Formatos"));
  ElegirFormato1 = ItemCatalogo(formatos, "ElegirFormato1", QStringLiteral("Elegir Formato"));
  DisenarFormato1 = ItemCatalogo(formatos, "DisenarFormato1", QStringLiteral("Diseñar Formato"));
  ImprimeRango1 = ItemCatalogo(formatos, "ImprimeRango1", QStringLiteral("Imprime Rango"));

  QMenu* ayuda = MenuCatalogo(MainMenu1, "Ayuda1", QStringLiteral("A&yuda"));
  Temas1 = ItemCatalogo(ayuda, "Temas1", QStringLiteral("Temas..."));
  Informacion1 = ItemCatalogo(ayuda, "Informacion1", QStringLiteral("Informacion"));
  Informacion1->setVisible(false);

  const std::pair<QAction*, void (TFormaProveedo::*)()> comandos[] = {
      {Nuevo1, &TFormaProveedo::BotonNuevoClick},
      {Modificar1, &TFormaProveedo::BotonCambiosClick},
      {Guardar1, &TFormaProveedo::BotonGuardarClick},
      {Eliminar1, &TFormaProveedo::Eliminar1Click},
      {PresentacionPreliminar1, &TFormaProveedo::BotonPreliminarClick},
      {ImprimePlantilla1, &TFormaProveedo::ImprimePlantilla1Click},
      {Salir1, &TFormaProveedo::Close},
      {Buscar1, &TFormaProveedo::BotonBuscarClick},
      {CancelaMovimiento1, &TFormaProveedo::CancelaMovimiento1Click},
      {BusquedaRapida1, &TFormaProveedo::BotonBuscarClick},
      {BusquedaNoIndexada1, &TFormaProveedo::BusquedaNoIndexada1Click},
      {ElegirFormato1, &TFormaProveedo::ElegirFormato1Click},
      {DisenarFormato1, &TFormaProveedo::DisenarFormato1Click},
      {ImprimeRango1, &TFormaProveedo::ImprimeRango1Click},
      {Temas1, &TFormaProveedo::Temas1Click},
      {Informacion1, &TFormaProveedo::Informacion1Click},
  };
  for (const auto& [accion, comando] : comandos)
    ui::Conecta(accion, &QAction::triggered, this, [this, comando] { (this->*comando)(); });
}

void TFormaProveedo::CreaBarra() {
  Panel1 = new ui::Panel(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  auto* barra = new QHBoxLayout(Panel1);
  barra->setContentsMargins(3, 2, 3, 2);
  const auto boton = [this, barra](const char* nombre, const QString& texto, void (TFormaProveedo::*comando)()) {
    QToolButton* b = BotonCatalogo(Panel1, barra, nombre, texto);
    ui::Conecta(b, &QToolButton::clicked, this, [this, comando] { (this->*comando)(); });
    return b;
  };
  BotonNuevo = boton("BotonNuevo", QStringLiteral("Nuevo"), &TFormaProveedo::BotonNuevoClick);
  BotonCambios = boton("BotonCambios", QStringLiteral("Cambios"), &TFormaProveedo::BotonCambiosClick);
  BotonGuardar = boton("BotonGuardar", QStringLiteral("Guardar"), &TFormaProveedo::BotonGuardarClick);
  BotonPreliminar =
      boton("BotonPreliminar", QStringLiteral("Presentación Preliminar"), &TFormaProveedo::BotonPreliminarClick);
  BotonImprimir = boton("BotonImprimir", QStringLiteral("Imprimir"), &TFormaProveedo::BotonImprimirClick);
  BotonBuscar = boton("BotonBuscar", QStringLiteral("Buscar"), &TFormaProveedo::BotonBuscarClick);
  BotonObservacion = boton("BotonObservacion", QStringLiteral("Observaciones del Documento"),
                           &TFormaProveedo::BotonObservacionClick);
  SpeedButton1 = boton("SpeedButton1", QStringLiteral("Contactos"), &TFormaProveedo::SpeedButton1Click);
  BotonSalir = boton("BotonSalir", QStringLiteral("Salir"), &TFormaProveedo::Close);
  SpeedButton1->setToolButtonStyle(Qt::ToolButtonTextOnly);
  // A right click on a button tells what it does.
  const FinBarra fin = TerminaBarra(Panel1, barra, Fuente, QStringLiteral("0"),
                                    {BotonCambios, BotonNuevo, BotonGuardar, BotonBuscar, BotonImprimir}, 10);
  Navegador = fin.navegador;
  Usuario = fin.usuario;
}

void TFormaProveedo::CreaCaja() {
  const MarcoCampos marco = CreaMarcoCampos(this, "uno", "dos");
  Panel2 = marco.Panel2;
  Caja = marco.Caja;
  uno = marco.uno;
  dos = marco.dos;

  // Made in the order Enter walks them, and placed in that order: across
  // the two columns, then down; the name and the address across both.
  const auto edit = [&](const char* nombre, const char* campo, const char* titulo, int ancho, Lugar lugar) {
    auto* e = new ui::EditDatos(marco.interior);
    e->SetFuente(Fuente);
    if (campo) e->SetCampo(QString::fromLatin1(campo));
    ColocaCampo(marco, e, nombre, titulo, ancho, lugar);
    return e;
  };
  EditCLAVE_P = edit("EditCLAVE_P", "CLAVE_P", "Clave", 110, {0, 0});
  EditNOMBR_P = edit("EditNOMBR_P", "NOMBR_P", "Nombre", 460, {1, 0, true});
  EditSTATU_P = edit("EditSTATU_P", "TELEF_P", "Teléfono", 170, {2, 0});
  EditRFCXX_P = edit("EditRFCXX_P", "RFCXX_P", "R.F.C.", 140, {2, 1});
  EditDIREC_P = edit("EditDIREC_P", "DIREC_P", "Dirección", 460, {3, 0, true});
  EditPOBLA_P = edit("EditPOBLA_P", "POBLA_P", "Población", 220, {4, 0});
  EditCPXXX_P = edit("EditCPXXX_P", "CPXXX_P", "Código Postal", 90, {4, 1});
  EditDREPA_P = edit("EditDREPA_P", "DREPA_P", "Días de Revisión y Pago", 220, {5, 0});
  EditZONAX_P = edit("EditZONAX_P", "ZONAX_P", "Zona", 110, {5, 1});
  EditDCRED_P = edit("EditDCRED_P", "DCRED_P", "Días de Crédito", 60, {6, 0});
  EditFULCO_P = edit("EditFULCO_P", "FULCO_P", "Última Compra", 100, {6, 1});
  EditCLVEN_P = edit("EditCLVEN_P", "CLVEN_P", "Vendedor (F2)", 70, {7, 0});
  EditSALDO_P = edit("EditSALDO_P", "NOCLI_P", "No. de Cliente", 150, {7, 1});
  DBEdit2 = edit("DBEdit2", "POUTI_P", "Factor de Utilidad", 90, {8, 0});
  for (int i = 0; i < 3; ++i) {
    const QByteArray nombre = QStringLiteral("EditDESC%1_P").arg(i + 1).toLatin1();
    const QByteArray titulo = QStringLiteral("Descuento %1").arg(i + 1).toUtf8();
    EditDESC[i] = edit(nombre.constData(), nullptr, titulo.constData(), 90, {8 + (i + 1) / 2, (i + 1) % 2});
  }
  EditCOMPR_P = edit("EditCOMPR_P", "COMPR_P", "Total Comprado", 140, {10, 0});
  DBEdit1 = edit("DBEdit1", "ULTCO_P", "Número de Última Compra", 100, {10, 1});
  // Shown by nothing: the total purchased and the last purchase number.
  const auto etiquetas = marco.interior->findChildren<QLabel*>();
  for (QLabel* etiqueta : etiquetas) {
    if (etiqueta->buddy() == EditCOMPR_P || etiqueta->buddy() == DBEdit1) etiqueta->hide();
  }
  EditCOMPR_P->hide();
  DBEdit1->hide();
  marco.rejilla->setColumnStretch(4, 1);
  marco.rejilla->setRowStretch(11, 1);

  Saldo = new QPushButton(QStringLiteral("Saldo..."), Panel2);
  Saldo->setObjectName(QStringLiteral("Saldo"));
  marco.pie->addWidget(Saldo);
  ui::Conecta(Saldo, &QPushButton::clicked, this, [this] { SaldoClick(); });
  PintaMarco(false);
}

void TFormaProveedo::ConectaCajas() {
  auto* ayuda = new ui::AyudaCampos(uno, dos, [](int n) {
    QString linea;
    LeeLineaArchivo(n, kAyudaProveedores, linea);
    return linea;
  }, this);
  // The two help lines shown on entering a box and on a click on it (0: none).
  struct Ayuda {
    ui::EditDatos* caja;
    int alEntrar;
    int alPulsar;
  };
  const Ayuda ayudas[] = {
      {EditCLAVE_P, 1, 1},   {EditNOMBR_P, 3, 3},   {EditSTATU_P, 0, 0},   {EditRFCXX_P, 5, 5},
      {EditDIREC_P, 7, 7},   {EditPOBLA_P, 9, 9},   {EditCPXXX_P, 11, 11}, {EditDREPA_P, 13, 13},
      {EditZONAX_P, 15, 15}, {EditDCRED_P, 17, 17}, {EditFULCO_P, 19, 19}, {EditCLVEN_P, 21, 21},
      {EditSALDO_P, 23, 23}, {DBEdit2, 23, 23},     {EditDESC[0], 23, 23}, {EditDESC[1], 23, 23},
      {EditDESC[2], 23, 23}, {EditCOMPR_P, 25, 25}, {DBEdit1, 0, 27}};
  for (const Ayuda& a : ayudas) {
    ui::ResaltaAlEnfocar(a.caja, ui::ColorQt(ui::clAqua, a.caja->palette()));
    ui::Eventos& eventos = ui::Eventos::De(a.caja);
    if (a.alEntrar) connect(&eventos, &ui::Eventos::Enter, ayuda, [ayuda, n = a.alEntrar] { ayuda->Muestra(n); });
    if (a.alPulsar)
      connect(&eventos, &ui::Eventos::MouseDown, ayuda, [ayuda, n = a.alPulsar](Qt::MouseButton boton, QPoint) {
        if (boton == Qt::LeftButton) ayuda->Muestra(n);
      });
  }

  // The name and the tax id are typed in capitals.
  EnMayusculas({EditNOMBR_P, EditRFCXX_P});

  // The key may not be left empty while a supplier is being edited.
  ui::Conecta(&ui::Eventos::De(EditCLVEN_P), &ui::Eventos::KeyDown, this,
              [this](int& tecla, Qt::KeyboardModifiers) { EditCLVEN_PKeyDown(tecla); });
  ui::Conecta(&ui::Eventos::De(EditCLAVE_P), &ui::Eventos::Exit, this, [this] {
    if ((EnAlta() || EnCambio()) && EditCLAVE_P->text().trimmed().isEmpty())
      QTimer::singleShot(0, this, [this] { EnfocaClave(); });
  });
}

bool TFormaProveedo::EnAlta() const { return ui::Tag(BotonNuevo) == 1; }
bool TFormaProveedo::EnCambio() const { return ui::Tag(BotonCambios) == 1; }

bool TFormaProveedo::Consecutivo() const {
  QString linea;
  LeeLineaConfig(ConfConsecutivoProveedores, linea);
  return linea == u"S";
}

int TFormaProveedo::NumeroUsuario() const { return NumeroDeUsuario(Usuario->text()); }

void TFormaProveedo::EditCLVEN_PKeyDown(int& tecla) {
  if (tecla != Qt::Key_F2) return;
  tecla = 0;
  db::Dataset& datos = TablaEditada();
  if (!datos.Active()) return;
  const QString clave = BuscaVendedor(EditCLVEN_P->text());
  if (datos.State() == db::Dataset::Estado::Navegando) datos.Edit();
  datos.FieldByName(QStringLiteral("CLVEN_P")).SetAsString(clave);
  EditCLVEN_P->setFocus(Qt::OtherFocusReason);
}

void TFormaProveedo::AbreTablasProveedor() {
  const db::Carpetas carpetas = CarpetasEmpresa();
  if (carpetas.datos.isEmpty()) {
    MuestraMensaje(kErrorAbrirTablas);
    return;
  }
  for (db::Tabla* tabla : {TablaProveedor, TablaRepetido}) {
    try {
      tabla->Close();
      ApuntaTabla(*tabla, carpetas);
      AbreTabla(*tabla);
    } catch (const std::exception&) {
      MuestraMensaje(kErrorAbrirTablas);
    }
  }
  TablaAuxiliar->Close();
  TablaAuxiliar->SetCarpeta(carpetaPrograma_);
  EditCLAVE_P->setReadOnly(Consecutivo());
  // The pictures come from the holder, created at start-up after this window.
  CopiaGlyps(*this);
  Caja->setEnabled(false);
  BotonNuevo->setEnabled(true);
  BotonGuardar->setEnabled(false);
  BotonCambios->setEnabled(true);
  // The discounts are shown only when the table has them.
  const bool descuentos = TablaProveedor->FindField(QStringLiteral("DESC3_P")) != nullptr;
  for (int i = 0; i < 3; ++i)
    EditDESC[i]->SetCampo(descuentos ? QStringLiteral("DESC%1_P").arg(i + 1) : QString());
}

void TFormaProveedo::FormShow() { PintaMarco(false); }

void TFormaProveedo::FormActivate() {
  if (Tag() == 0) AbreTablasProveedor();
  if (!EnAlta() && !EnCambio() && TablaProveedor->Active()) TablaProveedor->Refresh();
  SetTag(1);
}

void TFormaProveedo::HabilitaBotonesProveedor(bool cambios, bool nuevo, bool guardar, bool buscar, bool imprimir,
                                              bool navegador, bool cancela) {
  BotonCambios->setEnabled(cambios);
  Modificar1->setEnabled(cambios);
  BotonNuevo->setEnabled(nuevo);
  Nuevo1->setEnabled(nuevo);
  Eliminar1->setEnabled(nuevo);
  BotonGuardar->setEnabled(guardar);
  Guardar1->setEnabled(guardar);
  BotonBuscar->setEnabled(buscar);
  BotonImprimir->setEnabled(imprimir);
  Navegador->setEnabled(navegador);
  // Moving in the list would post the supplier being edited unchecked.
  DBGrid1->setEnabled(navegador);
  CancelaMovimiento1->setEnabled(cancela);
  for (QAction* a : {Reportes1->menuAction(), Buscar1, BuscarMenu->menuAction(), ImprimeRango1})
    a->setEnabled(!guardar);
}

void TFormaProveedo::FijaModo(Modo modo) {
  switch (modo) {
    case Modo::Alta:
      HabilitaBotonesProveedor(false, false, true, false, false, false, true);
      break;
    case Modo::Cambio:
      HabilitaBotonesProveedor(false, false, true, false, false, false, false);
      break;
    case Modo::Navegando:
      HabilitaBotonesProveedor(true, true, false, true, true, true, false);
      break;
  }
  ui::SetTag(BotonNuevo, modo == Modo::Alta ? 1 : 0);
  ui::SetTag(BotonCambios, modo == Modo::Cambio ? 1 : 0);
  Caja->setEnabled(modo != Modo::Navegando);
  PintaMarco(modo != Modo::Navegando);
}

void TFormaProveedo::PintaMarco(bool editando) { ::PintaMarco(Panel2, editando, ui::clGreen); }

void TFormaProveedo::FormKeyDown(int& tecla, Qt::KeyboardModifiers) {
  // The list handles its own keys.
  if (EnComponente(DBGrid1)) return;
  switch (tecla) {
    case Qt::Key_PageDown:
    case Qt::Key_PageUp:
      if (!Navegador->isEnabled()) return;
      Navegador->Pulsa(tecla == Qt::Key_PageDown ? ui::Navegador::Siguiente : ui::Navegador::Anterior);
      break;
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
