#pragma once
// The product window "Inventario": the catalogue of INVENTAR.DBF shown one
// product at a time, with the commands that enter, change, delete, search,
// order and print products. One instance (FormaInventario()) is created at
// program start and lives for the whole run; the main menu shows it
// modeless with the user number in its hidden label Usuario.
//
// Modes. Browsing: the data area Caja is disabled and the record commands
// are usable. New ("Nuevo"): a row is inserted and posted at once (an empty
// product other stations see), then kept in edit until "Guardar" completes
// it or the close question drops it; BotonNuevo's Tag is 1. Change
// ("Modificar"): the product is copied into the one-record table InveAux.dbf
// of the program folder and the data boxes move to that copy (DataSource1
// switches datasets); "Guardar" writes back only the fields the user
// changed, so values other stations wrote meanwhile (sales totals, costs)
// survive, and never the stock; BotonCambios' Tag is 1.
//
// The window is split by topic: Inven.cpp (layout, creation, show,
// activation, keys), Inven_menu.cpp (menus), Inven_registro.cpp (record
// commands and closing), Inven_busqueda.cpp (searches, orders, moves),
// Inven_muestra.cpp (the display of a product), Inven_campos.cpp (the rules
// of the boxes and the table events), Inven_opciones.cpp (the options, help
// and print commands), Inven_kitserie.cpp (the openers of the kit, serial
// number and key generator dialogs), Inven_reportes.cpp (reports and
// queries), Inven_existencias.cpp (the stock checks and adjustments),
// Inven_kardex.cpp (the stock cards, average cost, last use and the cut of
// the movements). The menu items of the commands built elsewhere are
// listed in Inven_menu.cpp: an item without a handler stays disabled.

#include "inventory/ConsultasExternas.h"
#include "platform/ui/Forma.h"

#include <QString>
#include <QVariant>

#include <functional>
#include <map>
#include <memory>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QToolButton;

namespace db {
class Consulta;
class Dataset;
class Tabla;
}  // namespace db
namespace ui {
class AyudaCampos;
class EditDatos;
class FuenteDatos;
class Navegador;
class Panel;
}  // namespace ui

// Messages of the window.
inline const QString kClaveYaExiste = QStringLiteral("La Clave Ya Existe es Necesario Cambiarla");
inline const QString kClaveProductoExiste = QStringLiteral("La Clave del producto ya existe, es necesario Modificarla");
inline const QString kPrecioMenorCosto = QStringLiteral("El precio es menor al Costo");
inline const QString kAlmacenNoExiste = QStringLiteral("El Almacén no Existe");
inline const QString kNoSeEditan = QStringLiteral("No se Pueden Editar los Datos ha Ocurrido un Error");
inline const QString kNoSeGuardan = QStringLiteral("No se Pueden Guardar los Datos ha Ocurrido un Error");
inline const QString kSeguroEliminar = QStringLiteral("Esta Seguro de Eliminar este Registro ?");
inline const QString kSoloAdministrador = QStringLiteral("Esta Opción es Permitida solo al Administrador");
inline const QString kRegistroEnUso = QStringLiteral("No se Pueden Editar los Datos Registro en Uso");

// Captions of the window by the order of the product table.
inline const QString kOrdenClave = QStringLiteral("Inventario Ordenado por Clave");
inline const QString kOrdenDescripcion = QStringLiteral("Inventario Ordenado por Descripción");
inline const QString kOrdenCodigo = QStringLiteral("Inventario Ordenado por Código");

// The caption of the picture panel when the product has no picture.
inline const QString kSinImagenPanel = QStringLiteral("Imagen");

class TFormaInventario : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaInventario(QWidget* owner = nullptr);
  ~TFormaInventario() override;

  // --- Menus (Inven_menu.cpp). Items of commands built elsewhere are found
  // by name (Componente<QAction>("Stocks1")).
  QMenuBar* MainMenu1;
  QAction* Imprimir1;                  // "Imprimir", Ctrl+I
  QAction* PresentacionPreliminar1;    // "Presentación Preliminar", Ctrl+R
  QAction* ImprimePlantilla1;
  QAction* Componentes1;
  QAction* Calculadora1;
  QAction* Salir1;
  QAction* Nuevo1;                     // Ctrl+N
  QAction* Modificar1;                 // Ctrl+M
  QAction* Guardar1;                   // Ctrl+G
  QAction* Repetir1;                   // Ctrl+D
  QAction* Buscar1;                    // Ctrl+B
  QAction* Eliminar1;
  QMenu* Orden1;
  QAction* Clave1;
  QAction* Dscripcin1;
  QAction* Cdigo21;
  QMenu* Reportes1;
  QAction* ChecarStocks1;
  QAction* LeerImpuestoenAltadeProducto1;
  QAction* ConsecutivoenClavedeProducto1;  // shows configuration line 64
  QAction* AgregaPrecios1;  // disabled while editing: it reopens the product table
  QAction* Temas1;
  QAction* Informacion1;
  QAction* Bitacora1;

  // --- Toolbar.
  ui::Panel* Panel1;
  QToolButton* BotonCambios;  // "Modificar"; Tag 1 while a product is changed
  QToolButton* BotonNuevo;    // Tag 1 while a new product is entered
  QToolButton* BotonGuardar;
  QToolButton* BotonBuscar;
  QToolButton* BotonImprimir;
  QToolButton* BotonSalir;
  QToolButton* BotonObservacion;  // "Observaciones del Documento"
  ui::Navegador* DBNavigator1;
  QSpinBox* NoAlmacen;  // warehouse 0 to 99; usable only with several warehouses

  // --- Data. Panel2 is red while editing and orange while browsing; Caja,
  // holding the data boxes, is enabled only while editing.
  ui::Panel* Panel2;
  QScrollArea* Caja;
  QLineEdit* EditCLPRO_I;  // the key box: not bound; saved into CLPRO_I
  ui::EditDatos* DBEdit1;  // CODIG_I "Código"
  ui::EditDatos* EditDSCPR_I;
  ui::EditDatos* EditUMEDI_I;
  ui::EditDatos* EditUEMPA_I;
  ui::EditDatos* EditLIPRO_I;
  QToolButton* SpeedButton2;  // "..." beside the line: the line picker
  ui::EditDatos* EditCLPR_I;   // CLPR1_I
  ui::EditDatos* EditCLPR_I2;  // CLPR2_I
  ui::EditDatos* EditFEULC_I;
  ui::EditDatos* EditFEULV_I;
  ui::EditDatos* EditPTICA_I;
  ui::EditDatos* EditTICOS_I;
  ui::EditDatos* EditPIVA_I;   // PIVA1_I
  ui::EditDatos* EditPIVA_I2;  // PIVA2_I
  ui::EditDatos* EditSTMIN_I;
  ui::EditDatos* EditSTMAX_I;
  ui::EditDatos* EditEXIST_I;  // read-only, no tab stop
  ui::EditDatos* EditCOMRE_I;
  ui::EditDatos* EditPESUR_I;
  ui::EditDatos* EditULCOS_I;
  ui::EditDatos* EditCPROM_I;
  ui::EditDatos* EditPPUBL_I;
  ui::EditDatos* EditPLIS_I;   // PLIS2_I
  ui::EditDatos* EditPLIS_I2;  // PLIS3_I
  ui::EditDatos* EditPLIS_I3;  // PLIS4_I
  ui::EditDatos* EditPMINI_I;
  ui::EditDatos* EditPREC6_I;  // PLIS6_I
  ui::EditDatos* EditPREC7_I;  // PLIS7_I
  ui::EditDatos* EditVANMO_I;
  ui::EditDatos* EditVANCA_I;
  ui::EditDatos* EditPORC1_I;
  ui::EditDatos* EditDESCU_I;
  ui::EditDatos* DBEdit2;  // UBICA_I "Ubicación"
  QCheckBox* Series;       // "# de Serie", saved into SERIE_I
  QCheckBox* Kit;          // "Producto Kit", saved into KITXX_I
  QPushButton* BitBtn1;    // "Datos Adicionales"
  QToolButton* SpeedButton1;  // "..." beside Kit: the kit's components
  // The discount panel, shown when the product table has DESC3_I.
  ui::Panel* PanelDescuentos;
  ui::EditDatos* EditDESC1_I;
  ui::EditDatos* EditDESC2_I;
  ui::EditDatos* EditDESC3_I;
  QLabel* LabelCostoF;   // "Costo Con Descuentos " + the discounted cost
  QLabel* LabelPrecio;   // the price the cost formula suggested
  QPushButton* BitBtn2;  // "Aplicar Fórmula"
  QPushButton* BitBtn3;  // "Cambiar Precio"
  // The picture and its panel, whose caption holds the picture's path or
  // kSinImagenPanel.
  ui::Panel* PanelImagen;
  QLabel* Imagen;
  QLabel* EtiquetaEmpaque;  // "EMPAQUES " + stock in packages
  QLabel* LabelUsado;       // last use, HORAF_F
  QLabel* CxEmpaque;        // "Cost x Emp " + cost of a package
  // The two lines of help of the box with the focus or under the mouse.
  QLabel* Uno;
  QLabel* Dos;
  QLabel* Usuario;  // hidden: the user number
  QPlainTextEdit* MemoFormula;    // hidden: Formula_CostosI.dat
  QPlainTextEdit* MemoResultado;  // hidden: the formula lines as last run

  // --- Datasets.
  db::Tabla* TablaInventario;   // INVENTAR.DBF, tag ICLPRO, through DataSource1
  db::Tabla* TablaInventario2;  // a second view of it, for key counts
  db::Tabla* TablaAuxiliar;     // InveAux.dbf of the program folder, the edit copy
  db::Tabla* TablaKardex;       // Kardex.dbf, tag CLPRO_I
  db::Consulta* Query1;
  ui::FuenteDatos* DataSource1;

  // --- State.
  QString CarpetaDatos;     // configuration line 8, taken at every show
  QString CarpetaPrograma;
  QString ArchivoFormato;   // program folder + "\consulta\" + line 24
  bool VariosAlmacenes = false;  // configuration line 46 "S"
  bool ConBitacora = false;      // line 85 "S" and Formula_CostosI.dat, at creation
  QString ClaveAnterior;    // the key box when a change began

  bool Nuevo() const;     // a new product is being entered
  bool Cambio() const;    // a product is being changed
  bool Editando() const { return Nuevo() || Cambio(); }
  // The window's Usuario reads "0".
  bool Administrador() const;
  // The dataset the data boxes show: the edit copy during a change, else
  // the product table.
  db::Dataset& Registro() const;

  // Shows the product table's current row: key box, serial and kit checks,
  // picture, stock, warehouse stamp, last use, cost of a package.
  void MuestraProducto();
  // The stock part of the display (and the stock warnings).
  void MuestraExistencia();
  // LabelCostoF := the last cost after the three discounts and tax 1 of the
  // product table's row, each step rounded to a 6-byte real; only while the
  // discount panel is shown. Any error leaves the label as it was.
  void MuestraCostoConDescuentos();
  // The discounts of the product's first supplier (the box EditCLPR_I) into
  // the discount fields of the dataset shown, when the supplier is found.
  void CopiaDescuentosProveedor();
  // Rewrites barra.dat of the program folder with the product's key.
  void EscribeArchivoBarras();
  // Opens the window on a product (the catalogue browser's entry): the
  // window is prepared when it never was, then the key is found exactly on
  // tag ICLPRO and shown. The caller puts the user into Usuario and shows it.
  // False, and nothing touched, while a product is being entered or
  // changed: the table stays on that product's row.
  bool PosicionaProducto(const QString& clave);

  // --- Commands (buttons, menu items and keys).
  void BotonNuevoClick();
  void BotonCambiosClick();
  void BotonGuardarClick();
  void Eliminar1Click();
  void BotonBuscarClick();
  void BotonImprimirClick();
  void Preliminar1Click();
  void Clave1Click();
  void Dscripcin1Click();
  void Cdigo21Click();
  void ChecarStocks1Click();
  void LeerImpuestoenAltadeProducto1Click();
  void ImprimePlantilla1Click();
  void Temas1Click();
  void Informacion1Click();
  void Calculadora1Click();
  void Bitacora1Click();
  void Componentes1Click();
  // Discount panel, cost formula, prices (Inven_precios.cpp).
  void BitBtn1Click();
  void BitBtn2Click();
  void BitBtn3Click();
  void PolticadePrecios1Click();
  void PreciosPreferencial1Click();
  void RutasKardex1Click();
  void AgregaPrecios1Click();
  // Product tools (Inven_herramientas.cpp).
  void SpeedButton2Click();
  void BotonObservacionClick();
  void Repetir1Click();
  void ImprimeCdigo1Click();
  void ImportardesdeEXCEL1Click();
  // The kit, serial-number and key-generator dialogs (Inven_kitserie.cpp).
  void SpeedButton1Click();
  void NmerosdeSerie1Click();
  void ConfiguraClave1Click();
  // Reports, queries and expiry (Inven_reportes.cpp). The plain listings
  // of the product table through the report script runner:
  void Stocks1Click();
  void VtasyCprasAnuales1Click();
  void Existencias2Click();
  void CostoyCostoPromedio1Click();
  void ListadePrecios1Click();
  void CostodelInventario1Click();
  void ValordeInventario1Click();
  void CatlogodeProductos1Click();
  void CostoyValor1Click();
  void ListadePolticas1Click();
  void ExistenciasyStockMnimo1Click();
  void ReportedeFaltantes1Click();
  void MsVendido1Click();
  // First sets EXIFA_I of every product sold by package to the loose units
  // left over its whole packages.
  void EmpaquesyCajas1Click();
  void ExistenciasporFactor1Click();
  // The purchase lines of the product with their expiry.
  void Caducidad1Click();
  void HistoriaComprasyVentas1Click();
  // The expiry batches of every product (CADUCIDAD.DBF), then their listing.
  void Caducidad3Click();
  // Entries, exits and stock of every product sold, from the current one
  // on, into TEMPO\Kardex<day>.XLS, opened with the spreadsheet program.
  // Administrator only.
  void KardexConcentrado1Click();
  // The quick grids of the product's purchases, sales and movements.
  void Compras1Click();
  void Ventas1Click();
  void Movimientos1Click();
  // The query runner over the product table with its saved views.
  void Personalizar1Click();
  // Loads the saved views of report\inventar.for of the data folder into
  // FormaConsulta, rewriting the list without the views whose files are
  // gone.
  void CargaVistasInventario();
  // The expiry batches of the product shown, in TFormaCaducidad.
  void Caducidad2Click();
  // Stock checks and adjustments over the product table, from the product
  // shown to the end in the window's order (Inven_existencias.cpp): the
  // stored stock set to the recount ("Según Kardex", and "Rápido" over the
  // products sold or with a stock), adjustment movements for the
  // differences ("Según Existencias"), lists of the differences ("Revisa
  // Existencias", and "Rápido"); and the totals rows that do not add up.
  void AjustarInventarioSegunKardex1Click();
  void AjustarporKardexRapido1Click();
  void AjustarInventarioSegunExistencias1Click();
  void RevisaExistencias1Click();
  void RevisaExistenciasRapido1Click();
  void VerDesajuste1Click();
  // The stock cards of the product shown, whose "Ajustar Inv." sets its
  // stock; the average cost and the last use of every product; the cut of
  // the movement rows documents made (Inven_kardex.cpp).
  void Kardex1Click();
  void Neuvokardex1Click();
  void Kardexalterno1Click();
  void AjustarCostoPromedio1Click();
  void ActualizarFechaUso1Click();
  void cortedeInventario1Click();

 protected:
  void FormShow() override;
  void FormActivate() override;
  void FormCloseQuery(bool& puedeCerrar) override;
  void FormClose() override;
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;

 private:
  // Layout (Inven.cpp) and menus (Inven_menu.cpp).
  void CreaBarra();
  void CreaDatos();
  void CreaMenu();
  // The window's settings read at creation.
  void LeeOpciones();
  // Points the tables at their folders and opens them, as at the first
  // activation; the window's Tag becomes 1 afterwards.
  void PreparaTablas();
  void AplicaEtiquetas();
  void EnlazaDescuentos();

  // Modes and command states (Inven_registro.cpp).
  void EstadoEdicion(bool editando);
  // Panel2 red while editing, orange while browsing.
  void PintaDatos(bool editando);
  void HabilitaDatos(bool habilita);
  void TotalesSoloAdministrador();
  int NumeroUsuario() const;
  void RegistraBitacora(const QString& accion);
  // Rows of INVENTAR.DBF, read afresh through `productos`, holding the key,
  // other than the row being entered, of the warehouse in NoAlmacen when
  // several are in use.
  int CuentaClave(db::Tabla& productos, const QString& clave);
  // The key box passes the checks of a save: not empty, and in new mode or
  // renamed in a change, held by no other row (counted through
  // `productos`). Shows kClaveYaExiste otherwise, focusing the key box.
  bool ClaveAceptable(db::Tabla& productos);
  // Makes the edit copy of the current product and binds the boxes to it.
  void PreparaCopia();
  // Writes into the product row the fields of the copy the user changed
  // (never EXIST_I) and the key box; the row is edited under its lock and
  // read afresh. `extra` writes more fields in the same edit.
  void AplicaCopia(const std::function<void()>& extra);
  // Empties the edit copy and binds the boxes to the product table.
  void DescartaCopia();
  // IMAGE_I, SERIE_I and KITXX_I from the picture panel and the checks.
  void EscribeControles();
  void Guarda(bool conControles);
  void DescartaNuevo();
  void TerminaEdicion();

  // Searches and moves (Inven_busqueda.cpp).
  void Mueve(bool adelante);
  void ConsultaProducto();
  void Ordena(const QString& tag, const QString& titulo);
  // Runs a walk of the product table (a print run) and stands again on the
  // product that was shown.
  void ConservaProducto(const std::function<void()>& recorrido);

  // Reports (Inven_reportes.cpp). Runs a report script over the product
  // table (range key `campoClave`, the date boxes of the dialog off) and
  // shows the product again afterwards.
  void CorreGuion(const QString& titulo, const QString& campoClave, const QString& guion);
  // The plain listing of the menu item of that name.
  void Listado(const QString& item);
  void ConsultaRapida(const QString& consulta);

  // Stock checks (Inven_existencias.cpp). One walk of the product table
  // through a handle of its own, from the product shown; the window takes
  // no command meanwhile (recorriendo_). Returns the record number of the
  // last product it stood on (0 when none).
  struct RecorridoExistencias;
  qint64 RecorreExistencias(RecorridoExistencias& recorrido);
  // After a walk: the window on that product, read afresh.
  void TerminaRecorrido(qint64 registro);
  // A command over the product shown can run: browsing, on a product.
  bool EnProducto() const;
  // The product table as the window shows it, for a walk: a handle of its
  // own, with the window's warehouse filter and, when `enSuOrden`, its tag.
  std::unique_ptr<db::Tabla> ProductosDeVentana(bool soloLectura, bool enSuOrden) const;

  // Rules of the boxes (Inven_campos.cpp).
  void ConectaCampos();
  QString LineaAyuda(int n);
  void ClaveExit();
  void UltimoCostoExit();
  void PrecioExit(ui::EditDatos* precio);
  void PorcentajeExit();
  void ProveedorF2(ui::EditDatos* caja);
  void CosteoF2();
  void ImagenDblClick();
  void NoAlmacenChange();
  void EscribeCampo(const QString& campo, const QString& valor);
  void EventosTabla();

  ui::AyudaCampos* ayuda_ = nullptr;
  bool ayudaAvisada_ = false;  // the missing inventa.des was reported in this showing
  // The edit copy's fields as copied, to tell what the user changed.
  std::map<QString, QVariant> copiaOriginal_;
  qint64 filaNueva_ = 0;  // record number of the row being entered
  qint64 esperaDesde_ = 0;  // start of the edit or post under way (ms)
  bool recorriendo_ = false;  // a walk of the product table is under way
};

inline TFormaInventario* FormaInventario() { return ui::InstanciaDe<TFormaInventario>().data(); }


// TasaImpuestoReporte := the first line of impuesto.cnf of the data folder
// read as a number; 0 when the file is missing or unreadable.
void LeeTasaImpuesto();
