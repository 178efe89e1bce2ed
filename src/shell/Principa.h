#pragma once
// The main window, from its creation to its closing.
//
// It is created disabled and stays so until the company dialog accepts a
// login. Its show handler, which runs once before anybody logs in, prepares
// the working side of the program folder and the company tables that must
// exist (templates in tempo, the capture-table template DetaCR.db, the
// packing of the Paradox capture tables, the counters numeroc.dbf and
// numerof.dbf, the per-product totals Kardex.dbf, the Control and Bitacora
// folders, the start marker). Its first activation shows the company dialog
// (only while that dialog's Tag is 0, that is until the dialog has been
// activated once) and then follows the start options of rapida.cnf. Closing
// it writes the stop marker, closes the companion programs and the catalogue
// windows still open, deletes the engine's temporary query files and starts
// the exit-time program.
//
// The label Usuario holds the logged-in user's number as text; the module
// openers copy it into the Usuario label of the windows they open. It turns
// red when a capture table could not be packed at start (another copy of the
// program holds it).
//
// The main menu and the toolbar reach every module through one table of
// openers (Principa_aperturas.cpp): a row per command with its right or
// password rule, the labels it hands over and the life of the window. The
// windows of later subsystems are not named here: a module joins in the
// program body (src/app/Vorlan.cpp) with ONE line naming its menu item and a
// function that makes or finds its window, for example
//
//   principal.Une("Vendedores2", Crea<TFormaVendedor>);                // made, modal, freed
//   principal.Une("Clientes2", [] { return FormaClientes(); });        // found, modeless
//
// The row does the rest (right, Usuario / usuario / LabelRuta, buttons hidden,
// modal or modeless). An item whose module has not joined, and its toolbar
// button, stay disabled. The item names are the object names of the menu's
// actions (Principa_menu.cpp); the table browser of the Catálogos menu joins
// once through UneNavegador.

#include "platform/ui/Forma.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;
class QToolButton;
class TPapelTapiz;

namespace db {
class Catalogo;
class Consulta;
class Tabla;
}
namespace ui {
class EditDatos;
class FuenteDatos;
class Panel;
class RejillaDatos;
}

// The product title that opens the main window's caption.
inline const QString kTituloProducto = QStringLiteral("Vorlan");

// Texts of the start and stop marker inicio.vrl.
inline const QString kMarcaInicio = QStringLiteral("Inicio Perfecto");
inline const QString kMarcaFinal = QStringLiteral("Final Perfecto");
inline const QString kMarcaSinControl = QStringLiteral("XXXXXXX");

// How a module's window is reached from its menu item.
// Made for the occasion: created when the command runs (after the right
// passes, unless the row says otherwise), shown modally, freed after.
using FabricaVentana = std::function<std::unique_ptr<ui::Forma>()>;
// Found: the window created at start-up, shown modeless and never freed; null
// while it does not exist (the command then does nothing).
using InstanciaVentana = std::function<ui::Forma*()>;
// A module's own way of running a window made for the occasion, in place of
// ShowModal: it gets the window and the folder its row names (empty when none).
using EntradaVentana = std::function<void(ui::Forma& ventana, const QString& carpeta)>;

// Makes a window for the occasion: Une("Divisas1", Crea<TFormaDivisa>).
template <class T>
std::unique_ptr<ui::Forma> Crea() {
  return std::make_unique<T>();
}

// What an item of the Catálogos menu asks of the table browser: a table of
// the data folder, its nine grid columns (field names and titles; "c<n>" as
// field or "e<n>" as title leaves column n without one; both lists empty:
// the browser's own columns) and whether it shows pictures.
struct CatalogoMenu {
  QString tabla;
  QStringList campos;
  QStringList titulos;
  bool imagenes = false;
};
// Makes the table browser ready on that table (opened, columns set, picture
// mode when asked); the item hands it the user, shows it modally and frees it.
using FabricaCatalogo = std::function<std::unique_ptr<ui::Forma>(const CatalogoMenu&)>;

// What a joined item reaches, and the window a made row has open meanwhile.
struct UnionModulo {
  FabricaVentana crea;
  InstanciaVentana busca;
  EntradaVentana entrada;
  QPointer<ui::Forma> abierta;
};

// Messages of the openers.
inline const QString kSinAccesoConfiguracion = QStringLiteral("No se Tienen Acceso a este Módulo");
inline const QString kSinAccesoModulo = QStringLiteral("No se Tiene Acceso a este Módulo");

class TFormaPrincipal : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaPrincipal(QWidget* owner = nullptr);

  // What the window reaches of later subsystems, which this unit cannot name;
  // the program body fills them in when it creates the window.
  // The registry of table layouts, for the tables the show handler makes.
  const db::Catalogo* Tablas = nullptr;

  // A module joins its menu item (see the top of this file). Joining enables
  // the item and its toolbar button; a later join replaces an earlier one.
  // A name no opener has, or a function of the other life (a found window
  // for a row that makes its window, or the reverse), is a programming error
  // and throws plat::Error.
  void Une(const QString& item, FabricaVentana crea, EntradaVentana entrada = {});
  void Une(const QString& item, InstanciaVentana busca);
  // The table browser of the Catálogos menu.
  void UneNavegador(FabricaCatalogo crea);
  // The menu item of that object name (nullptr when there is none).
  QAction* Item(const QString& nombre) const;

  // The main menu (its items are actions found by name with Item).
  QMenuBar* MainMenu1;
  // Toolbar across the top, with its wallpaper and its speed buttons, each
  // bound to a menu command; SpeedButton1 is hidden.
  ui::Panel* Panel1;
  TPapelTapiz* PapelTapiz2;
  QToolButton* BotonEmpresa;
  QToolButton* BotonClientes;
  QToolButton* BotonProveedo;
  QToolButton* BotonVendedor;
  QToolButton* BotonFactu;
  QToolButton* BotonInventa;
  QToolButton* BotonMovinv;
  QToolButton* BotonCompra;
  QToolButton* SpeedButton1;
  QToolButton* BotonSalir;
  // The client panel: wallpaper, title labels, caption under the logo, user.
  ui::Panel* Panel3;
  TPapelTapiz* PapelTapiz1;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Usuario;
  // The logo with its picture and the "Captura Rápida" panel button.
  ui::Panel* Logo;
  QLabel* Image8;
  ui::Panel* Panel2;
  // The maintenance panel (hidden; Configuración > "Ver Mantenimiento"):
  // the path boxes that start-up fills and the components of the inventory
  // movement rebuild tool. The tool's logic belongs to the maintenance
  // utilities, which the program body joins to these components.
  ui::Panel* Panel4;
  QLineEdit* EditRuta;            // folder of the document tables (the data folder)
  QLineEdit* Edit1;               // hidden: the data folder again
  QLabel* Label4;                 // progress text
  QProgressBar* Progreso;         // gauge
  ui::FuenteDatos* DataSource1;   // the tool's recount table
  ui::RejillaDatos* DBGrid1;      // shows it, read only
  QLabel* Label5;                 // the tool's state
  QLabel* Label6;                 // the clock timer's ticks
  QPushButton* BotonMI;           // "Iniciar", hidden
  QPushButton* Inicio2;           // "Inicio2", no handler
  QPushButton* BitBtn1;           // "Pruebas"
  ui::FuenteDatos* DataSource2;   // over TablaE
  ui::EditDatos* EditClave;       // the current header's number, read only
  QPlainTextEdit* MemoMov;        // the discrepancy list
  // The clock timer: enabled by configuration line 71 when rapida.cnf exists
  // and switched by Utilerías > "MI"; nothing runs when it fires.
  QTimer* TimerHora;
  // The maintenance tool's timer: 1 ms, disabled at start.
  QTimer* TimerMI;
  // Tables without fixed files, which the maintenance tool points at its
  // tables (headers, lines, movements and later products); closed before
  // the reindexing prompt. TablaSQLM_P runs the tool's statements.
  db::Tabla* TablaE;
  db::Tabla* TablaD;
  db::Tabla* TablaMI;
  db::Consulta* TablaSQLM_P;
  // The start options of the Configuración menu (check marks).
  QAction* IniciarenCapturaRpida1;  // "Iniciar en Captura Rápida (DETALLADA)"
  QAction* IniciarenCapturaRpida2;  // "Iniciar en Captura Rápida"
  QAction* ServidordeHorario1;      // "Servidor de Horario"
  QAction* ActualizarFechayHora1;   // "Actualizar Fecha y Hora"

  // Places the logo, the caption under it, the user label and the titles in
  // the middle of the window.
  void AcomodaFondo();
  // Writes the start options to rapida.cnf; only for the administrator
  // (Usuario "0"), for others the check marks change on screen only.
  void GuardaOpcionesInicio();
  // The sale screen opener of the logo, its picture and its panel button
  // (Ventas > "Captura Rápida").
  void Panel2Click();
  // Commands other subsystems name: Inventario > "Compras", Utilerías >
  // "Reindexar", "Respaldos y Control de Archivos" and "MI", and the
  // utilities window, which no item or button reaches.
  void Compras1Click();
  void Reindexar1Click();
  void Respaldos1Click();
  void MI1Click();
  void Indices1Click();

  // The logged-in user's number: the Usuario label as a whole number, or a
  // plat::Error (Conversion) when it is not one (a login by company key
  // before any user logged in).
  int NumeroUsuario() const;

 signals:
  // The window was closed: the program ends.
  void Cerrada();

 protected:
  void FormShow() override;
  void FormActivate() override;
  void FormClose() override;
  void resizeEvent(QResizeEvent* evento) override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void FormResize();
  // The maintenance panel with its components.
  void CreaPanelMantenimiento();
  // Menu bar and toolbar (Principa_menu.cpp).
  void CreaMenu();
  void CreaBarra();
  // The openers (Principa_aperturas.cpp): their items disabled until their
  // modules join and bound to Abre; the shell's own windows joined.
  void PreparaAperturas();
  // Runs the opener of the item's row; nothing when its module has not joined.
  void Abre(const QString& item);
  // The commands that open nothing of a module (Principa_menu.cpp).
  void ConectaComandos();
  void Empresa1Click();
  void VerTemas1Click();
  void Calculadora1Click();
  void VerMantenimiento1Click();
  void OpcionInicioClick();
  // The capture tables of the program folder; false when DetaComp.db or
  // Detaminv.db could not be packed.
  bool PreparaTablasCaptura(const QString& programa);
  void CreaContadores();
  void LeeOpcionesInicio();

  bool mostrada_ = false;

  QHash<QString, UnionModulo> uniones_;
  FabricaCatalogo navegador_;

  friend void CierraTablasCatalogos();
  friend void CierraVentanasCatalogos();
};

inline TFormaPrincipal* FormaPrincipal() { return ui::InstanciaDe<TFormaPrincipal>().data(); }

// Makes in `carpeta` an empty table named `archivo` with the fields and
// index tags of the same-named company table, over any table of that name
// there. Header tables are opened on their number tag. Throws plat::Error
// when the source cannot be opened or the copy made.
void CopiaEstructuraTabla(const QString& carpeta, const QString& archivo);

// Appends to the counter table one row whose NUMERO is the key field of the
// last row of the header table on the tag (0 when the header table is
// empty); both are company tables. Throws plat::Error.
void InicializaContador(const QString& contador, const QString& encabezado, const QString& tag,
                        const QString& campo);

// <carpeta>\inicio.vrl rewritten with the text as its only line, only when it
// exists (Actualiza) or always (Escribe).
void ActualizaMarcaEjecucion(const QString& carpeta, const QString& texto);
void EscribeMarcaEjecucion(const QString& carpeta, const QString& texto);

// With configuration line 65 "N" (classic view): every wallpaper of the
// window turns grey ($808080, variant "x") and every white label black.
void AplicaVistaClasica(QWidget& ventana);

// A user number as a window's Usuario label holds it, or a plat::Error
// (Conversion) when the text is not a whole number.
int NumeroUsuarioDe(const QString& usuario);

// Starts the calculator ("calc.exe") without waiting; tells the user when it
// cannot be started.
void AbreCalculadora();

// Closes every table of the window (its child datasets) and sets its Tag to
// 0. Errors end the routine silently.
void CierraTablasVentana(ui::Forma* ventana);
// CierraTablasVentana on every catalogue window the main menu reaches, in
// the order customers, suppliers, sellers (while one is open), products,
// purchases.
void CierraTablasCatalogos();
// Each of the customer, supplier, product and purchase windows that is
// visible is brought forward and closed, so that its own closing checks run.
void CierraVentanasCatalogos();
