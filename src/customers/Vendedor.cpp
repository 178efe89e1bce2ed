// The seller catalogue: its components, preparation, button states, keys
// and field help.

#include "customers/Vendedor.h"

#include "customers/EdicionCatalogo.h"
#include "customers/PiezasCatalogo.h"
#include "foundation/Glyps.h"
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
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kAyudaVendedores = QStringLiteral("vendedor.des");

}  // namespace

TFormaVendedor::TFormaVendedor(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaVendedor>() = this;
  setObjectName(QStringLiteral("FormaVendedor"));
  setWindowTitle(QStringLiteral("Vendedores"));
  setWindowFlags(Qt::Window);
  resize(640, 420);
  FijaFormatosRegionales();
  CarpetaLocal(CarpetaProgramaVendedor);
  QString formato;
  LeeLineaConfig(ConfFormatoVendedores, formato);
  FormatoVendedores = CarpetaProgramaVendedor + QStringLiteral("\\consulta\\") + formato;

  const auto tabla = [this](const char* nombre, const char* archivo, const char* tag) {
    auto* t = new db::Tabla(this);
    t->setObjectName(QString::fromLatin1(nombre));
    t->SetNombreTabla(QString::fromLatin1(archivo));
    t->SetIndexName(QString::fromLatin1(tag));
    return t;
  };
  TablaVendedor = tabla("TablaVendedor", "vendedor.dbf", "ICLAVEN");
  TablaRepetido = tabla("TablaRepetido", "vendedor.dbf", "ICLAVEN");
  TablaFactura = tabla("TablaFactura", "FACTURAE.DBF", "INUMENC");
  TablaFactura->SetReadOnly(true);
  // A record another station holds is waited for, for the table layer's
  // bounded time, before an edit, post or delete is given up.
  const auto reintenta = [](db::Dataset&, const plat::Error& e) {
    return e.clase() == plat::Clase::Bloqueado || e.clase() == plat::Clase::EnUso ? db::AccionError::Retry
                                                                                    : db::AccionError::Fail;
  };
  TablaVendedor->OnEditError = reintenta;
  TablaVendedor->OnPostError = reintenta;
  TablaVendedor->OnDeleteError = reintenta;
  Fuente = new ui::FuenteDatos(this);
  Fuente->setObjectName(QStringLiteral("Fuente"));
  Fuente->SetDataSet(TablaVendedor);

  CreaMenu();
  CreaBarra();
  CreaCaja();

  auto* capa = new QVBoxLayout(this);
  capa->setContentsMargins(0, 0, 0, 0);
  capa->setSpacing(0);
  capa->setMenuBar(MainMenu1);
  capa->addWidget(Panel1);
  capa->addWidget(Panel2, 1);

  ConectaCajas();
  SetKeyPreview(true);
  Caja->setEnabled(false);
  EstadoBotonesVendedor(false);
}

void TFormaVendedor::CreaMenu() {
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

  Reportes1 = MenuCatalogo(MainMenu1, "Reportes1", QStringLiteral("R&eportes"));
  ListadodeVendedores1 = ItemCatalogo(Reportes1, "ListadodeVendedores1", QStringLiteral("Listado de Vendedores"));
  ComisionesDetallado1 = ItemCatalogo(Reportes1, "ComisionesDetallado1", QStringLiteral("Comisiones Detallado"));
  ComisionesConcentrado1 =
      ItemCatalogo(Reportes1, "ComisionesConcentrado1", QStringLiteral("Comisiones Concentrado"));

  Formatos1 = MenuCatalogo(MainMenu1, "Formatos1", QStringLiteral("&Formatos"));
  ElegirFormato1 = ItemCatalogo(Formatos1, "ElegirFormato1", QStringLiteral("Elegir Formato"));
  DisenarFormato1 = ItemCatalogo(Formatos1, "DisenarFormato1", QStringLiteral("Diseñar Formato"));
  ImprimirRango1 = ItemCatalogo(Formatos1, "ImprimirRango1", QStringLiteral("Imprimir Rango"));

  QMenu* ayuda = MenuCatalogo(MainMenu1, "Ayuda1", QStringLiteral("A&yuda"));
  Temas1 = ItemCatalogo(ayuda, "Temas1", QStringLiteral("Temas..."));
  Informacion1 = ItemCatalogo(ayuda, "Informacion1", QStringLiteral("Informacion"));
  Informacion1->setVisible(false);

  const std::pair<QAction*, void (TFormaVendedor::*)()> comandos[] = {
      {Nuevo1, &TFormaVendedor::BotonNuevoClick},
      {Modificar1, &TFormaVendedor::BotonCambiosClick},
      {Guardar1, &TFormaVendedor::BotonGuardarClick},
      {Eliminar1, &TFormaVendedor::Eliminar1Click},
      {PresentacionPreliminar1, &TFormaVendedor::BotonPreliminarClick},
      {ImprimePlantilla1, &TFormaVendedor::ImprimePlantilla1Click},
      {Salir1, &TFormaVendedor::Close},
      {Buscar1, &TFormaVendedor::BotonBuscarClick},
      {CancelaMovimiento1, &TFormaVendedor::CancelaMovimiento1Click},
      {ListadodeVendedores1, &TFormaVendedor::ListadodeVendedores1Click},
      {ComisionesDetallado1, &TFormaVendedor::ComisionesDetallado1Click},
      {ComisionesConcentrado1, &TFormaVendedor::ComisionesConcentrado1Click},
      {ElegirFormato1, &TFormaVendedor::ElegirFormato1Click},
      {DisenarFormato1, &TFormaVendedor::DisenarFormato1Click},
      {ImprimirRango1, &TFormaVendedor::ImprimirRango1Click},
      {Temas1, &TFormaVendedor::Temas1Click},
      {Informacion1, &TFormaVendedor::Informacion1Click},
  };
  for (const auto& [accion, comando] : comandos)
    ui::Conecta(accion, &QAction::triggered, this, [this, comando] { (this->*comando)(); });
}

void TFormaVendedor::CreaBarra() {
  Panel1 = new ui::Panel(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  auto* barra = new QHBoxLayout(Panel1);
  barra->setContentsMargins(3, 2, 3, 2);
  const auto boton = [this, barra](const char* nombre, const QString& texto, void (TFormaVendedor::*comando)()) {
    QToolButton* b = BotonCatalogo(Panel1, barra, nombre, texto);
    ui::Conecta(b, &QToolButton::clicked, this, [this, comando] { (this->*comando)(); });
    return b;
  };
  BotonNuevo = boton("BotonNuevo", QStringLiteral("Nuevo"), &TFormaVendedor::BotonNuevoClick);
  BotonCambios = boton("BotonCambios", QStringLiteral("Modificar"), &TFormaVendedor::BotonCambiosClick);
  BotonGuardar = boton("BotonGuardar", QStringLiteral("Guardar"), &TFormaVendedor::BotonGuardarClick);
  BotonPreliminar =
      boton("BotonPreliminar", QStringLiteral("Presentación Preliminar"), &TFormaVendedor::BotonPreliminarClick);
  BotonImprimir = boton("BotonImprimir", QStringLiteral("Imprimir"), &TFormaVendedor::BotonImprimirClick);
  BotonBuscar = boton("BotonBuscar", QStringLiteral("Buscar"), &TFormaVendedor::BotonBuscarClick);
  BotonObservacion = boton("BotonObservacion", QStringLiteral("Observaciones"),
                           &TFormaVendedor::BotonObservacionClick);
  BotonSalir = boton("BotonSalir", QStringLiteral("Salir"), &TFormaVendedor::Close);
  // A right click on a button tells what it does.
  const FinBarra fin = TerminaBarra(Panel1, barra, Fuente, QStringLiteral("Usuario"),
                                    {BotonCambios, BotonNuevo, BotonGuardar, BotonBuscar, BotonImprimir}, 5);
  Navegador = fin.navegador;
  Usuario = fin.usuario;
}

void TFormaVendedor::CreaCaja() {
  const MarcoCampos marco = CreaMarcoCampos(this, "uno", "dos");
  Panel2 = marco.Panel2;
  Caja = marco.Caja;
  uno = marco.uno;
  dos = marco.dos;

  // Made in the order Enter walks them.
  const auto edit = [&](const char* nombre, const char* campo, const char* titulo, int ancho, int fila) {
    auto* e = new ui::EditDatos(marco.interior);
    e->SetFuente(Fuente);
    e->SetCampo(QString::fromLatin1(campo));
    ColocaCampo(marco, e, nombre, titulo, ancho, {fila, 0});
    return e;
  };
  EditCLVEN_V = edit("EditCLVEN_V", "CLVEN_V", "Clave:", 70, 0);
  EditNOMBR_V = edit("EditNOMBR_V", "NOMBR_V", "Nombre:", 300, 1);
  EditSTATU_V = edit("EditSTATU_V", "TELEF_V", "Telefono:", 170, 2);
  EditCOMIS_V = edit("EditCOMIS_V", "COMIS_V", "Comisión:", 80, 3);
  EditCLASV_V = edit("EditCLASV_V", "CLASV_V", "Clasificación:", 70, 4);
  // The percent sign right after the commission.
  marco.rejilla->removeWidget(EditCOMIS_V);
  auto* comision = new QHBoxLayout;
  comision->addWidget(EditCOMIS_V);
  comision->addWidget(new QLabel(QStringLiteral("%"), marco.interior));
  comision->addStretch();
  marco.rejilla->addLayout(comision, 3, 1);
  marco.rejilla->setColumnStretch(3, 1);
  marco.rejilla->setRowStretch(5, 1);
}

void TFormaVendedor::ConectaCajas() {
  auto* ayuda = new ui::AyudaCampos(uno, dos, [](int n) {
    QString linea;
    LeeLineaArchivo(n, kAyudaVendedores, linea);
    return linea;
  }, this);
  // Each box and the first of its two help lines (0: none); the mouse over
  // the key, or a button pressed on the others, shows the same lines.
  struct Ayuda {
    ui::EditDatos* caja;
    int linea;
  };
  const Ayuda ayudas[] = {{EditCLVEN_V, 1}, {EditNOMBR_V, 3}, {EditSTATU_V, 0}, {EditCOMIS_V, 5}, {EditCLASV_V, 7}};
  for (const Ayuda& a : ayudas) {
    ui::ResaltaAlEnfocar(a.caja, ui::ColorQt(ui::clAqua, a.caja->palette()));
    if (!a.linea) continue;
    ui::Eventos& eventos = ui::Eventos::De(a.caja);
    connect(&eventos, &ui::Eventos::Enter, ayuda, [ayuda, n = a.linea] { ayuda->Muestra(n); });
    if (a.caja == EditCLVEN_V)
      connect(&eventos, &ui::Eventos::MouseMove, ayuda, [ayuda, n = a.linea] { ayuda->Muestra(n); });
    else
      connect(&eventos, &ui::Eventos::MouseDown, ayuda, [ayuda, n = a.linea](Qt::MouseButton, QPoint) {
        ayuda->Muestra(n);
      });
  }

  // The key may not be left empty while a seller is being edited.
  ui::Conecta(&ui::Eventos::De(EditCLVEN_V), &ui::Eventos::Exit, this, [this] {
    if ((EnAlta() || EnCambio()) && EditCLVEN_V->text().trimmed().isEmpty())
      QTimer::singleShot(0, this, [this] { EnfocaClave(); });
  });
}

bool TFormaVendedor::EnAlta() const { return ui::Tag(BotonNuevo) == 1; }
bool TFormaVendedor::EnCambio() const { return ui::Tag(BotonCambios) == 1; }

void TFormaVendedor::PintaMarco(bool editando) { ::PintaMarco(Panel2, editando, ui::clMaroon); }

void TFormaVendedor::EstadoBotonesVendedor(bool editando) {
  // Printing walks the seller table, which would store the seller being
  // edited unchecked: the preview and the format picker's print wait too.
  for (QWidget* w : std::initializer_list<QWidget*>{BotonCambios, BotonNuevo, BotonBuscar, BotonImprimir,
                                                    BotonPreliminar, Navegador})
    w->setEnabled(!editando);
  for (QAction* a : {Modificar1, Nuevo1, Eliminar1, Buscar1, Reportes1->menuAction(), ImprimirRango1,
                     PresentacionPreliminar1, ElegirFormato1})
    a->setEnabled(!editando);
  BotonGuardar->setEnabled(editando);
  Guardar1->setEnabled(editando);
  CancelaMovimiento1->setEnabled(editando);
  Caja->setEnabled(editando);
}

void TFormaVendedor::AbreTablasVendedor() {
  try {
    LeeLineaConfig(ConfCarpetaDatos, RutaDatosVendedor);
    const db::Carpetas carpetas = CarpetasEmpresa();
    for (db::Tabla* tabla : {TablaVendedor, TablaRepetido, TablaFactura}) {
      tabla->Close();
      ApuntaTabla(*tabla, carpetas);
      AbreTabla(*tabla);
    }
  } catch (const std::exception&) {
    MuestraMensaje(kErrorAbrirTablas);
    return;
  }
  // The invoices matter only to the commission reports, which reopen them.
  if (!TablaVendedor->Active() || !TablaRepetido->Active()) MuestraMensaje(kErrorAbrirTablas);
}

void TFormaVendedor::Prepara() {
  // Prepared once, before a message can take the focus: the window's
  // activation when the message closes finds it prepared.
  SetTag(1);
  AbreTablasVendedor();
  // The pictures come from the holder, created at start-up.
  CopiaGlyps(*this);
  ui::SetTag(BotonNuevo, 0);
  ui::SetTag(BotonCambios, 0);
  EstadoBotonesVendedor(false);
}

void TFormaVendedor::FormShow() { PintaMarco(false); }

void TFormaVendedor::FormActivate() {
  if (Tag() == 0) Prepara();
}

void TFormaVendedor::FormKeyDown(int& tecla, Qt::KeyboardModifiers) {
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
