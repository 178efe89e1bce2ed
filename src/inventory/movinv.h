#pragma once
// The inventory movement window "Movimientos al Inventario": browses the
// movement documents of MOVINVEN.DBF (inventory folder) and captures new
// ones, a header (date, number, counterpart, warehouse, reference, concept)
// and a grid of product lines in the capture table Detaminv.db of the
// program folder.
//
// Made for each opening (Inventario > "Mov. al Inventario", BotonMovinv,
// after right 9; the opener hands the user over in the hidden label
// Usuario), shown modally and freed; another subsystem that shows it calls
// PreparaMovimientosInventario first.
//
// Two states, kept in the Tag of BotonNuevo. Browsing (0): the header is
// disabled and shows the current document, the browse grid DetalleConsulta
// shows its lines (those with a quantity above 0), the navigation buttons,
// PageUp (next) and PageDown (previous) move between documents. Capturing
// (1), after "Nuevo" with right 35: the document's number is reserved by a
// provisional row posted at once and kept in edit, so locked, for as long as
// the document is captured (DocumentoMovimiento.h); the header and the
// capture grid Detalle take the input; "Guardar" (Ctrl+G) posts the
// document as one unit (PosteoMovimiento.h) and browses it, books the
// supplier credit note of a concept-20 document and writes the document's
// log line; a document that could not be posted stays captured. Reaching a
// document by the first, next or last command, or a change of the toolbar
// warehouse, removes its provisional row when nobody holds it any more (a
// capture abandoned). Closing the window while capturing asks whether to
// keep the input: saving posts it as "Guardar" does but without credit note
// or log line; discarding deletes the provisional row.
//
// In the capture grid Enter goes from column to column (from IMPORTE back to
// the first column of the next line); entering the description column finds
// the product by the key or code typed in CLAVE and fills description, cost
// and price (quantity = packages × units per package); F2 on the key column
// opens the product lookup. F2 in the concept box opens the concept lookup
// (ConMovinv.h), F2 and F3 in the counterpart box the supplier and customer
// lookups.
//
// Opciones brings lines from outside (movinv_importar.cpp): "Importar
// Archivo Texto" (a TAB-separated file laid out by CamposMI.dat into a new
// document), "Importar Archivo" (the transfer file Movimientos.mov of a
// folder the sale screen's folder prompt asks for, saved at once as one
// document), "Importar Datos" (the rows of the import dialog, Importa.h,
// added to the document being captured) and "Colector" (the collector's
// totals, Colector.h, posted at once as documents of PartidasMI lines).
// Every import checks its whole file before it starts a document or adds a
// line: a value a capture field does not take stops it, naming the file and
// the line. The imports that start documents are offered while browsing,
// "Importar Datos" while capturing.
//
// Field help: two lines of movin.des (program folder) per header box; a
// missing file is said once per showing. etiqmid.dat and etiqmi.dat rename
// the grids' columns and the window's labels at every showing.

#include "foundation/dinero.h"
#include "inventory/PosteoMovimiento.h"
#include "platform/ui/Forma.h"

#include <QString>

#include <initializer_list>
#include <optional>
#include <vector>

class QAction;
class QCheckBox;
class TFormaConsulta;
class QLabel;
class QMenu;
class QMenuBar;
class QSpinBox;
class QToolButton;
namespace db {
class Tabla;
}
namespace ui {
class AyudaCampos;
class EditDatos;
class FuenteDatos;
class Panel;
class RejillaDatos;
}  // namespace ui

// Messages of the window.
inline const QString kNoExisteTipoMovimiento = QStringLiteral("No Existe Tipo de Movimiento");
inline const QString kProductoNoEncontrado = QStringLiteral("El Producto No Se encuenta");
inline const QString kNecesarioGuardar = QStringLiteral("Para usar esta opción es necesario Guardar");
inline const QString kErrorBusquedaMovimiento = QStringLiteral("Ocurrio un Error al Hacer la Busqueda");
inline const QString kConceptoNoDefinido = QStringLiteral("No Definido");
inline const QString kFaltaTipoMovimiento = QStringLiteral("Falta Seleccionar un Tipo de Movimiento");
inline const QString kFaltanDatosMovimiento = QStringLiteral("No se puede Guardar faltan datos");
// The Tag BotonSalir carries once the window has been closed.
inline constexpr int kVentanaCerrada = 1000;

class TFormaMovimientosInventario : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaMovimientosInventario(QWidget* owner = nullptr);
  ~TFormaMovimientosInventario() override;

  // --- Menu.
  QMenuBar* MainMenu1;
  QAction* Salir1;
  QAction* PresentacionPreliminar1;
  QAction* Imprimir1;
  QMenu* Registro1;
  QAction* Nuevo1;
  QAction* Modificar1;  // has no command: always disabled
  QAction* Guardar1;
  QAction* Buscar1;
  QAction* Imprimir2;
  QAction* Eliminar1;
  QAction* Utilidad1;  // "Costeo": the stock card, empty
  QMenu* Opciones1;
  QAction* LeerArchivoTexto1;  // "Importar Archivo Texto"
  QAction* ImportarArchivo1;   // "Importar Archivo": needs the sale screen's folder prompt
  QAction* ImportarDatos1;     // "Importar Datos"
  QAction* Colector1;          // "Colector"
  QAction* Temas1;
  QAction* Informacion1;
  QAction* Calculadora1;
  QAction* Bitacora1;  // the administrator's only

  // --- Toolbar.
  ui::Panel* Panel1;
  QToolButton* Botonprimero;     // "Primero"
  QToolButton* Botonsiguiente1;  // "Anterior": the previous document
  QToolButton* Botonanterior;    // "Siguiente": the next document
  QToolButton* Botonultimo;      // "Último"
  QSpinBox* NoAlmacen;           // warehouse 0 to 99; enabled with line 46 "S"
  QToolButton* BotonNuevo;
  QToolButton* BotonGuardar;
  QToolButton* BotonBuscar;
  QToolButton* BotonObservacion;
  QToolButton* BotonPreliminar;
  QToolButton* BotonImprimir;
  QToolButton* BotonSalir;
  QLabel* Usuario;  // hidden: the logged user number

  // --- Header, over the current row of Tablamovinve.
  QWidget* Caja;
  ui::EditDatos* EditFEDOC_MI;
  ui::EditDatos* EditCLDOC_MI;  // read-only
  ui::EditDatos* EditCLPRO_MI;  // the counterpart, CLPRV_MI
  QSpinBox* EditAlmacen;        // 1 to 10
  ui::EditDatos* EditREFMO_MI;
  ui::EditDatos* EditTIMOV_MI;  // the concept number
  QLabel* TIPMOV;               // the concept's name

  // --- Grids and footer.
  ui::RejillaDatos* Detalle;          // capture grid on TablaDeta
  ui::RejillaDatos* DetalleConsulta;  // browse grid on Tablamovinve
  QCheckBox* InventarioInicial;       // hidden, unchecked: "Ver Inventario Inicial"
  QLabel* uno;
  QLabel* dos;

  // --- Tables.
  db::Tabla* Tablamovinve;     // MOVINVEN.DBF, tag CLDOC_MI
  db::Tabla* TablaInventario;  // INVENTAR.DBF, tag ICLPRO
  db::Tabla* TablaConcepto;    // comovinv.dbf, tag ITIPMOV
  db::Tabla* TablaKardex;      // Kardex.dbf, tag CLPRO_I
  db::Tabla* TablaDeta;        // Detaminv.db of the program folder
  ui::FuenteDatos* DataSource1;  // Tablamovinve
  ui::FuenteDatos* DataSource2;  // TablaDeta

  // Capture grid columns, by position.
  enum ColumnaCaptura {
    ColCantidad = 0,
    ColEmpaque,
    ColClave,
    ColDescripcion,
    ColCosto,
    ColPrecio,
    ColImporte,
  };

  // Points every table at its folder (the inventory folder, line 59, for
  // the product, totals and movement tables; the program folder for the
  // capture table; the data folder for the others) and opens each with
  // AbreTabla: one that cannot be opened is logged and stays closed.
  void AbreTablasMovimientos();
  // What the first activation does, for a window another subsystem shows:
  // the tables opened, the window browsing on the last document, the
  // warehouse boxes set to that document's warehouse; the Tag set to 1.
  void Prepara();

  // A new document is being captured.
  bool Capturando() const;
  // The number of the document captured or shown.
  qint64 NumeroDocumento() const { return numeroDocumento_; }

  // The concept lookup's pick: the concept box takes the number (its change
  // runs) and TIPMOV the name.
  void FijaConcepto(const QString& numero, const QString& nombre);

  // Saves the document being captured (the count sheet calls it after
  // filling the capture table): the header checked, the lines posted
  // (PosteoMovimiento.h), the capture emptied and the window browsing on the
  // saved document. True when the document was saved; false after a message
  // when it was not, the capture then still on screen to be saved again.
  // Books no supplier credit note and writes no log line (BotonGuardarClick
  // does both).
  bool GuardaDocumentoMovimiento();

  // The imports (movinv_importar.cpp).
  void LeerArchivoTexto1Click();
  void ImportarArchivo1Click();
  void ImportarDatos1Click();
  void Colector1Click();
  // "Importar Archivo" once the folder is known: the folder's
  // Movimientos.mov checked, captured as a new document whose concept is
  // the first line's plus 50, saved as "Guardar" saves, and deleted once
  // saved. True when the document was saved.
  bool ImportaArchivoMovimientos(const QString& carpeta);

  // --- Movement totals and stock adjustments (movinv_ajustes.cpp).
  QAction* CalculaCantidad1;     // "Opciones"; checked: every document shown is totalled
  QAction* AjustedeInventario1;  // "Opciones": the count sheet, built afresh
  QMenu* Procesos1;
  QAction* AjustedeExistenciasporMovimientos1;
  QAction* Ajuste1;        // the stock adjustment sheet
  QAction* Actualizart1;   // "Ayuda" > "Actualizar": the date of each product's last movement
  QLabel* Entradas;        // footer totals, hidden until totals are computed
  QLabel* Salidas;
  QLabel* Existencias;
  // The stock-from-totals switch: the totals are written into the product
  // (line 38 "S" when "Calcula Cantidad" was last checked).
  bool ExistenciaPorTotales = false;

  // Totals of the rows in view (entries, exits, concept-3 sold) into the
  // footer; with the switch on, written into the product of the last row.
  // Rows without quantity or document number are taken out of the table
  // (into borrados.dat) as they are met; one another station holds stays.
  void TotalizaMovimientos();
  // With the view in product-key order: VANCA_I := vendido, VANMO_I :=
  // vendido × PPUBL_I, EXIST_I := existencia of the product `clave`, posted
  // under its lock. Nothing when the view is in another order or the product
  // does not exist.
  void ActualizaExistenciaPorMovimientos(const QString& clave, double vendido, double existencia);

  // One row of a physical count to post: the key, the quantity the count
  // document carries for it (blank or 0: no line) and the counted stock as
  // the sheet holds it ("" for an empty count).
  struct LineaConteo {
    QString clave;
    std::optional<double> cantidad;
    QString reales;
  };
  // Posts a physical count (the count sheet): a concept-58 document of the
  // lines, saved as "Guardar" saves it, then EXIST_I := reales for every
  // line whose product exists. With `reinicia` the inventory is reset
  // first (every EXIST_I 0, every movement row deleted) with the movement
  // table held exclusively (another station holding it open: a message and
  // nothing changes), so the count is the only document left. True when the
  // document was saved; when it was not, the stocks are not set and the
  // document stays captured to be saved again. Refused while a document is
  // captured.
  bool GuardaConteo(const std::vector<LineaConteo>& lineas, bool reinicia);

  // --- Reports and queries (movinv_reportes.cpp).
  QMenu* Reportes1;               // "R&eportes"
  QAction* Entradas1;             // the rows of concepts above 50
  QAction* Salidas1;              // the rows of concepts 50 and below
  QAction* GeneralMovimientos1;   // movements, sales and purchases of a date range
  QAction* Consultas1;            // the query runner on the movement table
  QAction* VerMovimientos1;       // "Kardex", F7: the window's own, in no menu shown

  // The reports through the report script runner; refused while a document
  // is captured. Each leaves the window on the document after the one shown.
  void Entradas1Click();
  void Salidas1Click();
  void GeneralMovimientos1Click();
  void Consultas1Click();
  // The stock card of the product of the current row, titled "_".
  void VerMovimientos1Click();
  // The query runner's list of views from movinven.for (report folder of the
  // data folder): the views whose files exist, the first one chosen, the
  // description of the last record read; a list naming a view that is gone
  // is rewritten without it (through Cliente2.for). Nothing when the list
  // does not exist.
  void CargaVistasMovimientos(TFormaConsulta& consulta);

 protected:
  void FormShow() override;
  void FormActivate() override;
  void FormCloseQuery(bool& puedeCerrar) override;
  void FormClose() override;
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  // How a document was reached: what showing it does besides showing it.
  enum class Llegada {
    Navegacion,  // first, next, last, warehouse change: stale provisional rows go
    Anterior,    // previous document
    Apertura,    // the window opened: the header always set
    Busqueda,    // a search: the header left as it is
    Guardado,    // the document just saved
  };

  // Construction (movinv.cpp).
  void CreaMenu();
  void CreaBarra();
  void CreaCaja();
  void CreaRejillas();
  void ConectaEventos();
  void PrimeraActivacion(bool ajustaAlmacenes);
  void FijaCaptura(bool capturando);
  void AplicaEtiquetas();
  void VistaClasica();
  QString LineaAyuda(int n);

  // Documents (movinv_documentos.cpp).
  void MuestraDocumento(Llegada llegada);
  void BotonprimeroClick();
  void BotonanteriorClick();
  void BotonsiguienteClick();
  void BotonultimoClick();
  void NoAlmacenChange();
  void BotonBuscarClick();
  void CargaDocumentoCaptura();
  void Eliminar1Click();
  void Bitacora1Click();
  void BotonObservacionClick();
  void BotonImprimirClick();
  void BotonPreliminarClick();
  // The table without range or filter, on tag CLDOC_MI.
  void TablaCompleta();
  // The header and the browse grid on the movement table, or on nothing
  // while the document shown has no line.
  void EnlazaCabecera();
  // TIPMOV := the name of the concept in the concept box ("No Definido"
  // when the box is empty or the concept unknown).
  void MuestraNombreConcepto();

  // Capture (movinv_captura.cpp).
  void BotonNuevoClick();
  // A new document (the number reserved by its provisional row, which
  // carries `concepto` when not 0), today's date, warehouse 1, capturing.
  void IniciaDocumento(int concepto = 0);
  void VaciaCaptura(bool empaca);
  void EditFEDOC_MIEnter();
  void EditCLDOC_MIEnter();
  void EditCLPRO_MIKeyDown(int& tecla);
  void EditTIMOV_MIChange();
  void EditTIMOV_MIExit();
  void EditTIMOV_MIKeyDown(int& tecla);
  void FechaDeHoy();
  void DetalleColEnter();
  void DetalleColExit();
  void DetalleKeyDown(int& tecla);
  void CalculaImporte();
  void BuscaProductoLinea();
  void DescartaCaptura();

  // Saving (movinv_guardar.cpp).
  void BotonGuardarClick();
  // What "Guardar" does; true when the document was saved.
  bool GuardaMovimiento();
  // The save of the document captured, with the credit note of concept 20
  // and the log line when `conNota`; true when it was saved.
  bool Guarda(bool conNota);
  // Runs a save as the unit of work of this program folder (journal
  // GuardadoMovimientos.jnl, held by one save at a time): a save a former
  // run left is finished first, then this one is posted (PostaMovimientos),
  // with the supplier credit note (`nota`) and the document's log line
  // (`bitacora`) as steps of the same unit. False after a message when the
  // documents were not saved; `numeros` gets their numbers.
  bool EjecutaGuardado(const GuardadoMovimiento& guardado, bool nota, bool bitacora,
                       std::vector<qint64>* numeros = nullptr);
  // Runs the unit pending in `unidad` to its end and ends it; errors as
  // PostaMovimientos.
  std::vector<qint64> TerminaUnidad(UnidadTrabajo& unidad);
  // A save the station left unfinished (killed, or stopped while undoing)
  // finished; false after a message when it could not be (it waits for the
  // next save or start).
  bool TerminaMovimientoPendiente();

  // Imports (movinv_importar.cpp).
  // Runs the capture grid's column rules on the line being added, selecting
  // the columns in turn, and posts it.
  void AplicaReglasLinea(std::initializer_list<int> columnas);

  // Totals and adjustments (movinv_ajustes.cpp).
  void CreaAjustes();
  bool SinCaptura();
  void CalculaCantidad1Click();
  void AjustedeExistenciasporMovimientos1Click();
  void AjustedeInventario1Click();
  void Ajuste1Click();
  void Actualizart1Click();
  // The rows of one product in view, as the stock adjustment shows them.
  void MuestraProducto(const QString& clave);
  // Closes the movement table and opens it again, exclusively or shared;
  // a document being captured keeps its provisional row held. Opening it
  // exclusively fails (plat::Error EnUso) while anybody else has it open; it
  // is then opened shared again.
  void UsoExclusivoMovimientos(bool exclusivo);
  bool ReiniciaInventario();
  void AgregaLineaConteo(const QString& clave, double cantidad);

  // Reports (movinv_reportes.cpp).
  void CreaReportes();
  void EntradasSalidas(QAction* item, bool entradas);
  // Fills the work table of "General Movimientos" from its sources; the
  // progress window shows meanwhile. Throws plat::Error when a source or
  // the table cannot be read.
  void LlenaTablaGeneral(db::Tabla& trabajo, const QString& d1, const QString& d2);

  QString carpetaPrograma_;
  QString carpetaDatos_;
  // Program folder + "\consulta\" + configuration line 18, fixed at creation.
  QString formato_;
  bool bitacora_ = false;            // line 85 "S": per-document log lines
  QChar existenciasNegativas_;       // first character of line 41
  QChar tipoConcepto_ = u'X';        // TIPOX_CM of the header's concept
  QString carpetaDestino_;           // ALMAC_CM of the header's concept
  qint64 numeroDocumento_ = 0;
  ui::AyudaCampos* ayuda_ = nullptr;
  bool ayudaFaltante_ = false;  // movin.des was found missing during this showing
};

inline TFormaMovimientosInventario* FormaMovimientosInventario() {
  return ui::InstanciaDe<TFormaMovimientosInventario>().data();
}

// Prepares the window made by its caller (FormaMovimientosInventario) once,
// before the caller hands it the user and shows it modally. Does nothing
// when no window was made.
void PreparaMovimientosInventario();

