// The module openers of the main menu, the toolbar and the logo: one row per
// command with its right or password rule, the labels it hands over and the
// life of its window. The windows themselves come from the modules that join
// (Une, UneNavegador); the shell's own small windows join here.

#include "shell/Principa.h"

#include "foundation/adminis.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_usuarios.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/process/Procesos.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "shell/Acerca.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"
#include "shell/Movimientos.h"
#include "shell/Sistema.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <vector>

namespace {

// Found windows live for the whole run and are shown modeless; made ones are
// created for the command, shown modally and freed after.
enum class Vida { Encontrada, Creada };

enum class Regla {
  Ninguna,
  Derecho,        // right `derecho` of the logged-in user
  Producto,       // the administrator's password gives the window as user "0"; else right `derecho`
  Configuracion,  // the administrator's password, then right `derecho` of the logged-in user
  Respaldo,       // right `derecho` of the user whose password is typed
  Reindexado,     // as Respaldo, with the main window's tables closed and its clock stopped
};

// The folder handed over: none, the data folder, or the folder of the
// company table the window works on (`tabla`).
enum class Carpeta { Ninguna, Datos, DeTabla };

enum class Ajuste { Oculta, Muestra, MuestraInhabilitado };

struct AjusteComponente {
  const char* componente;
  Ajuste ajuste;
};

struct Apertura {
  const char* item;
  Vida vida;
  Regla regla = Regla::Ninguna;
  int derecho = 0;
  // The hidden label that receives the user number, or none.
  const char* usuario = nullptr;
  // The window is made, and given the user number, before the right test,
  // and freed also when it is refused.
  bool creaAntes = false;
  // The folder handed over: into the window's LabelRuta when `enEtiqueta`,
  // and to the module's entry when it has one.
  Carpeta carpeta = Carpeta::Ninguna;
  const char* tabla = nullptr;
  bool enEtiqueta = false;
  // Components shown or hidden before the window is shown.
  std::vector<AjusteComponente> ajustes = {};
  // A catalogue window, whose tables close at a change of company.
  bool catalogo = false;
  // The sale screen: the user's name and today's date in its caption, and
  // the barcode-label program closed after it.
  bool venta = false;
};

const char* const kUsuario = "Usuario";

// In the order of the menu, which is the order the catalogue windows are
// closed in (customers, suppliers, sellers, products, purchases).
const std::vector<Apertura>& Aperturas() {
  static const std::vector<Apertura> filas = {
      {.item = "Clientes2", .vida = Vida::Encontrada, .regla = Regla::Derecho, .derecho = DerechoClientes,
       .usuario = kUsuario, .catalogo = true},
      // "Saldo..." stays: it is the way to the payables query, and tests
      // right 7 itself.
      {.item = "Proveedores2", .vida = Vida::Encontrada, .regla = Regla::Derecho, .derecho = DerechoProveedores,
       .usuario = kUsuario, .catalogo = true},
      {.item = "Vendedores2", .vida = Vida::Creada, .regla = Regla::Derecho, .derecho = DerechoVendedores,
       .usuario = kUsuario, .creaAntes = true, .catalogo = true},
      {.item = "CapturaRpida1", .vida = Vida::Creada, .regla = Regla::Derecho, .derecho = DerechoFacturacion,
       .usuario = "usuario", .creaAntes = true, .venta = true},
      {.item = "Producto1", .vida = Vida::Encontrada, .regla = Regla::Producto, .derecho = DerechoInventarios,
       .usuario = kUsuario, .catalogo = true},
      {.item = "CapturaRapidadeClaves1", .vida = Vida::Creada, .carpeta = Carpeta::DeTabla,
       .tabla = "INVENTAR.DBF", .ajustes = {{"BotonNuevo", Ajuste::MuestraInhabilitado}}},
      {.item = "Compras1", .vida = Vida::Encontrada, .regla = Regla::Derecho, .derecho = DerechoCompras,
       .usuario = kUsuario, .ajustes = {{"BotonPagos", Ajuste::Oculta}}, .catalogo = true},
      {.item = "MovalInventario1", .vida = Vida::Creada, .regla = Regla::Derecho, .derecho = DerechoMovimientos,
       .usuario = kUsuario, .creaAntes = true},
      {.item = "Consolidar1", .vida = Vida::Creada, .carpeta = Carpeta::Datos, .enEtiqueta = true},
      {.item = "DiseodeConsultas1", .vida = Vida::Creada},
      {.item = "DiseodeFormatos1", .vida = Vida::Creada,
       .ajustes = {{"Rangos", Ajuste::Oculta}, {"Formatos", Ajuste::Muestra}}},
      {.item = "ReportesSQL1", .vida = Vida::Creada},
      {.item = "Divisas1", .vida = Vida::Creada},
      {.item = "Respaldos1", .vida = Vida::Creada, .regla = Regla::Respaldo, .derecho = DerechoRespaldar},
      {.item = "Reindexar1", .vida = Vida::Creada, .regla = Regla::Reindexado, .derecho = DerechoReindexar},
      {.item = "General1", .vida = Vida::Creada, .regla = Regla::Configuracion, .derecho = DerechoConfiguracion},
      {.item = "ValoresIniciales1", .vida = Vida::Creada, .carpeta = Carpeta::Datos, .enEtiqueta = true},
      {.item = "AltadeConceptosMovimientos1", .vida = Vida::Creada},
      {.item = "Movimientos1", .vida = Vida::Creada, .carpeta = Carpeta::DeTabla, .tabla = "MOVIMIENTOS.DBF",
       .enEtiqueta = true},
      {.item = "Sistema1", .vida = Vida::Creada},
      {.item = "Acercade1", .vida = Vida::Creada},
      // The utilities window: no item or button is bound to it.
      {.item = "Indices1", .vida = Vida::Creada},
  };
  return filas;
}

const Apertura* BuscaApertura(const QString& item) {
  for (const Apertura& a : Aperturas())
    if (item == QLatin1String(a.item)) return &a;
  return nullptr;
}

// The items of the Catálogos menu, all over the table browser.
struct Navegacion {
  const char* item;
  int derecho;  // 0: no right test
  const char* tabla;
  // Field and title of the first columns; the rest of the nine are left
  // without either. None: the browser's own columns.
  std::vector<std::pair<const char*, const char*>> columnas;
  bool usuario = false;
  bool imagenes = false;
};

const std::vector<std::pair<const char*, const char*>> kColumnasInventario = {
    {"CLPRO_I", "Producto"}, {"DSCPR_I", "Descripción"}, {"UMEDI_I", "unid. Med."},
    {"EXIST_I", "Existencias"}, {"PPUBL_I", "Precio Publ."}};

const std::vector<Navegacion>& Navegaciones() {
  static const std::vector<Navegacion> filas = {
      {"Clientes1", DerechoClientes, "cliente.dbf", {{"CLCLI_C", "Cliente"}, {"NOMBR_C", "Nombre"}, {"RFCXX_C", "R.F.C"}}},
      {"Proveedores1",
       DerechoProveedores,
       "proveedo.dbf",
       {{"CLAVE_P", "Cliente"},
        {"NOMBR_P", "Nombre"},
        {"RFCXX_P", "R.F.C"},
        {"CARGO_P", "Cargos"},
        {"ABONO_P", "Abonos"},
        {"SALDO_P", "Saldo"}}},
      {"Vendedores1", DerechoVendedores, "vendedor.dbf", {}},
      {"Facturacin1",
       DerechoFacturacion,
       "FacturaE.dbf",
       {{"CLDOC_F", "Documento"},
        {"CLCLI_F", "Clave"},
        {"NOMBR_F", "Nombre"},
        {"FEDOC_F", "Fech. Doc."},
        {"FEVEN_F", "Fech. Venc."},
        {"IMTOD_F", "Importe"}}},
      {"Compras2",
       DerechoCompras,
       "comprasE.dbf",
       {{"CLDOC_O", "Documento"},
        {"CLPRV_O", "Clave"},
        {"NOMBR_O", "Nombre"},
        {"FEDOC_O", "Fech. Doc."},
        {"FEPAG_O", "Fech. Pag."},
        {"IMDOC_O", "Importe"}}},
      {"CuentasPorPagar1", 0, "cuepagar.dbf", {}},
      {"Inventario2", DerechoInventarios, "inventar.dbf", kColumnasInventario, true},
      {"MovimientosalInventario1",
       DerechoMovimientos,
       "movinven.dbf",
       {{"CLDOC_MI", "Documento"},
        {"CLPRO_MI", "Producto"},
        {"CLPRV_MI", "Proveedor"},
        {"DESCR_MI", "Descripción"},
        {"TIMOV_MI", "Tip. Mov."},
        {"FEDOC_MI", "Fecha Doc."},
        {"CANTI_MI", "Cantidad"}}},
      {"CatlogoconImgenes1", 0, "inventar.dbf", kColumnasInventario, false, true},
  };
  return filas;
}

constexpr int kColumnasNavegador = 9;

CatalogoMenu PideCatalogo(const Navegacion& n) {
  CatalogoMenu c;
  c.tabla = QString::fromLatin1(n.tabla);
  c.imagenes = n.imagenes;
  if (n.columnas.empty()) return c;
  for (int i = 0; i < kColumnasNavegador; ++i) {
    const bool usada = i < static_cast<int>(n.columnas.size());
    c.campos << (usada ? QString::fromLatin1(n.columnas[i].first) : QStringLiteral("c%1").arg(i + 1));
    c.titulos << (usada ? QString::fromUtf8(n.columnas[i].second) : QStringLiteral("e%1").arg(i + 1));
  }
  return c;
}

QString Linea(int linea) {
  QString valor;
  LeeLineaConfig(linea, valor);
  return valor;
}

QString CarpetaDe(const Apertura& a) {
  switch (a.carpeta) {
    case Carpeta::Ninguna:
      return {};
    case Carpeta::Datos:
      return Linea(ConfCarpetaDatos);
    case Carpeta::DeTabla:
      return CarpetaDeTabla(QString::fromLatin1(a.tabla));
  }
  return {};
}

template <class T>
T* Parte(ui::Forma& ventana, const char* nombre) {
  T* parte = ventana.findChild<T*>(QString::fromLatin1(nombre));
  if (!parte)
    throw plat::Error(plat::Clase::NoExiste, QStringLiteral("La ventana %1 no tiene el componente %2")
                                                 .arg(ventana.objectName(), QString::fromLatin1(nombre)));
  return parte;
}

// The user number (or any text) into the window's hidden label.
void EntregaUsuario(ui::Forma& ventana, const Apertura& a, const QString& usuario) {
  if (a.usuario) Parte<QLabel>(ventana, a.usuario)->setText(usuario);
}

void Ajusta(ui::Forma& ventana, const Apertura& a) {
  for (const AjusteComponente& ajuste : a.ajustes) {
    QWidget* parte = Parte<QWidget>(ventana, ajuste.componente);
    parte->setVisible(ajuste.ajuste != Ajuste::Oculta);
    if (ajuste.ajuste == Ajuste::MuestraInhabilitado) parte->setEnabled(false);
  }
}

// Shows a window made for the occasion: its folder handed over, its
// components set, modally or through the module's own entry.
void MuestraCreada(ui::Forma& ventana, const Apertura& a, UnionModulo& u) {
  const QString carpeta = CarpetaDe(a);
  if (a.enEtiqueta) Parte<QLabel>(ventana, "LabelRuta")->setText(carpeta);
  Ajusta(ventana, a);
  u.abierta = &ventana;
  if (u.entrada) u.entrada(ventana, carpeta);
  else ventana.ShowModal();
}

// The administrator's password prompt, shown modally and kept for its answer.
std::unique_ptr<TFormaAdministrador> PideClave() {
  auto clave = std::make_unique<TFormaAdministrador>();
  clave->ShowModal();
  return clave;
}

// Closes a catalogue window's tables when the window is closed (hidden, not
// minimised), as a change of company does: the window lives on, its next
// activation opens them again, and meanwhile the program holds none of them
// (the reindexing and the record verification need them free).
class LiberaTablasAlCerrar : public QObject {
 public:
  explicit LiberaTablasAlCerrar(ui::Forma* ventana) : QObject(ventana) {
    setObjectName(QStringLiteral("LiberaTablasAlCerrar"));
    ventana->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override {
    if (evento->type() == QEvent::Hide) {
      auto* ventana = static_cast<ui::Forma*>(objeto);
      if (!ventana->isVisible()) CierraTablasVentana(ventana);
    }
    return false;
  }
};

void AbreEncontrada(TFormaPrincipal& principal, const Apertura& a, UnionModulo& u) {
  ui::Forma* ventana = u.busca();
  if (!ventana) return;
  if (a.catalogo &&
      !ventana->findChild<QObject*>(QStringLiteral("LiberaTablasAlCerrar"), Qt::FindDirectChildrenOnly))
    new LiberaTablasAlCerrar(ventana);
  const QString usuario = principal.Usuario->text();
  EntregaUsuario(*ventana, a, usuario);
  bool pasa = false;
  if (a.regla == Regla::Producto && usuario != QStringLiteral("0") && PideClave()->Tag() == 1) {
    EntregaUsuario(*ventana, a, QStringLiteral("0"));
    pasa = true;
  }
  if (!pasa && a.regla != Regla::Ninguna) pasa = TieneDerecho(principal.NumeroUsuario(), a.derecho);
  if (!pasa) return;
  Ajusta(*ventana, a);
  ventana->Show();
  ventana->raise();
  ventana->activateWindow();
}

void AbreCreada(TFormaPrincipal& principal, const Apertura& a, UnionModulo& u) {
  std::unique_ptr<ui::Forma> ventana;
  const QString usuario = principal.Usuario->text();
  if (a.creaAntes) {
    ventana = u.crea();
    EntregaUsuario(*ventana, a, usuario);
  }
  const bool pasa = a.regla == Regla::Ninguna || TieneDerecho(principal.NumeroUsuario(), a.derecho);
  if (pasa) {
    if (!ventana) {
      ventana = u.crea();
      EntregaUsuario(*ventana, a, usuario);
    }
    if (a.venta) {
      QString programa, nombre;
      CarpetaLocal(programa);
      LeeNombreUsuario(usuario, programa, nombre);
      ventana->setWindowTitle(ventana->windowTitle() + QStringLiteral("   ") + nombre.toUpper() + QString(11, u' ') +
                              TextoFecha(fs::Hoy()));
    }
    MuestraCreada(*ventana, a, u);
  }
  ventana.reset();
  if (a.venta) proc::CierraVentana(QStringLiteral("GUNDEL"));
}

void AbreConfiguracion(TFormaPrincipal& principal, const Apertura& a, UnionModulo& u) {
  auto clave = std::make_unique<TFormaAdministrador>();
  std::unique_ptr<ui::Forma> ventana = u.crea();
  clave->ShowModal();
  if (clave->Tag() == 1 && TieneDerecho(principal.NumeroUsuario(), a.derecho)) {
    ventana->SetTag(0);
    MuestraCreada(*ventana, a, u);
  }
  if (clave->Tag() == 0) MuestraMensaje(kSinAccesoConfiguracion);
  clave->SetTag(0);
}

void AbreRespaldo(const Apertura& a, UnionModulo& u) {
  const std::unique_ptr<TFormaAdministrador> clave = PideClave();
  if (TieneDerecho(ValidaClaveUsuario(clave->Clave->text()), a.derecho)) {
    const std::unique_ptr<ui::Forma> ventana = u.crea();
    MuestraCreada(*ventana, a, u);
  } else if (clave->Tag() == 0) {
    MuestraMensaje(kSinAccesoModulo);
  }
}

void AbreReindexado(TFormaPrincipal& principal, const Apertura& a, UnionModulo& u) {
  auto clave = std::make_unique<TFormaAdministrador>();
  for (db::Tabla* tabla : {principal.TablaE, principal.TablaD, principal.TablaMI}) tabla->Close();
  principal.TimerHora->stop();
  clave->ShowModal();
  principal.TimerHora->start();
  const std::unique_ptr<ui::Forma> ventana = u.crea();
  if (TieneDerecho(ValidaClaveUsuario(clave->Clave->text()), a.derecho)) MuestraCreada(*ventana, a, u);
  else MuestraMensaje(kSinAccesoModulo);
}

}  // namespace

void TFormaPrincipal::PreparaAperturas() {
  for (const Apertura& a : Aperturas()) {
    const QString item = QString::fromLatin1(a.item);
    if (QAction* accion = Item(item)) {
      accion->setEnabled(false);
      ui::Conecta(accion, &QAction::triggered, this, [this, item] { Abre(item); });
    }
  }
  for (const Navegacion& n : Navegaciones()) {
    QAction* accion = Item(QString::fromLatin1(n.item));
    accion->setEnabled(false);
    ui::Conecta(accion, &QAction::triggered, this, [this, &n] {
      if (!navegador_) return;
      if (n.derecho && !TieneDerecho(NumeroUsuario(), n.derecho)) return;
      const std::unique_ptr<ui::Forma> ventana = navegador_(PideCatalogo(n));
      if (n.usuario) Parte<QLabel>(*ventana, kUsuario)->setText(Usuario->text());
      ventana->ShowModal();
    });
  }
  // The logo's panel button is usable while the sale screen's item is.
  QAction* venta = Item(QStringLiteral("CapturaRpida1"));
  Panel2->setEnabled(false);
  connect(venta, &QAction::changed, Panel2, [this, venta] { Panel2->setEnabled(venta->isEnabled()); });
  // The shell's own windows.
  Une(QStringLiteral("Movimientos1"), Crea<TFormaMovimientos>);
  Une(QStringLiteral("Sistema1"), Crea<TFormaSistema>);
  Une(QStringLiteral("Acercade1"), Crea<TFormaAcerca>, [](ui::Forma& ventana, const QString&) {
    auto& acerca = static_cast<TFormaAcerca&>(ventana);
    acerca.Timer1->start();
    acerca.ShowModal();
    acerca.Timer1->stop();
  });
}

void TFormaPrincipal::Une(const QString& item, FabricaVentana crea, EntradaVentana entrada) {
  const Apertura* a = BuscaApertura(item);
  if (!a || a->vida != Vida::Creada || !crea)
    throw plat::Error(QStringLiteral("La opción %1 no abre una ventana creada para la ocasión").arg(item));
  uniones_[item] = UnionModulo{std::move(crea), {}, std::move(entrada), {}};
  if (QAction* accion = Item(item)) accion->setEnabled(true);
}

void TFormaPrincipal::Une(const QString& item, InstanciaVentana busca) {
  const Apertura* a = BuscaApertura(item);
  if (!a || a->vida != Vida::Encontrada || !busca)
    throw plat::Error(QStringLiteral("La opción %1 no abre una ventana creada al inicio").arg(item));
  uniones_[item] = UnionModulo{{}, std::move(busca), {}, {}};
  Item(item)->setEnabled(true);
}

void TFormaPrincipal::UneNavegador(FabricaCatalogo crea) {
  navegador_ = std::move(crea);
  for (const Navegacion& n : Navegaciones()) Item(QString::fromLatin1(n.item))->setEnabled(bool(navegador_));
}

int NumeroUsuarioDe(const QString& usuario) {
  bool entero = false;
  const int numero = usuario.toInt(&entero);
  if (!entero) throw plat::Error(plat::Clase::Conversion, QStringLiteral("'%1' no es un valor entero válido").arg(usuario));
  return numero;
}

int TFormaPrincipal::NumeroUsuario() const { return NumeroUsuarioDe(Usuario->text()); }

void TFormaPrincipal::Abre(const QString& item) {
  const Apertura* a = BuscaApertura(item);
  const auto u = uniones_.find(item);
  if (!a || u == uniones_.end()) return;
  switch (a->regla) {
    case Regla::Configuracion:
      AbreConfiguracion(*this, *a, *u);
      return;
    case Regla::Respaldo:
      AbreRespaldo(*a, *u);
      return;
    case Regla::Reindexado:
      AbreReindexado(*this, *a, *u);
      return;
    default:
      if (a->vida == Vida::Encontrada) AbreEncontrada(*this, *a, *u);
      else AbreCreada(*this, *a, *u);
  }
}

void TFormaPrincipal::Panel2Click() { Abre(QStringLiteral("CapturaRpida1")); }
void TFormaPrincipal::Compras1Click() { Abre(QStringLiteral("Compras1")); }
void TFormaPrincipal::Reindexar1Click() { Abre(QStringLiteral("Reindexar1")); }
void TFormaPrincipal::Respaldos1Click() { Abre(QStringLiteral("Respaldos1")); }
void TFormaPrincipal::Indices1Click() { Abre(QStringLiteral("Indices1")); }

void CierraTablasCatalogos() {
  TFormaPrincipal* principal = FormaPrincipal();
  if (!principal) return;
  for (const Apertura& a : Aperturas()) {
    if (!a.catalogo) continue;
    const auto u = principal->uniones_.constFind(QString::fromLatin1(a.item));
    if (u == principal->uniones_.constEnd()) continue;
    CierraTablasVentana(a.vida == Vida::Encontrada ? u->busca() : u->abierta.data());
  }
}

void CierraVentanasCatalogos() {
  TFormaPrincipal* principal = FormaPrincipal();
  if (!principal) return;
  for (const Apertura& a : Aperturas()) {
    if (!a.catalogo || a.vida != Vida::Encontrada) continue;
    const auto u = principal->uniones_.constFind(QString::fromLatin1(a.item));
    if (u == principal->uniones_.constEnd()) continue;
    ui::Forma* ventana = u->busca();
    if (!ventana || !ventana->isVisible()) continue;
    ventana->Show();
    ventana->Close();
  }
}
