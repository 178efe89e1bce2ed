#pragma once
// The purchase window "Compras": receipts ("Recepción"), purchase orders
// ("Orden de Compra") and returns to the supplier ("Devolución de
// Compra"), browsed with their lines and totals, and new documents started.
// Created once at start-up and shown maximised and modeless by the main
// menu after right 5 (the opener hands the user over in the hidden label
// Usuario and hides BotonPagos).
//
// States: browsing (both flags 0), a new document (the Tag of BotonNuevo
// 1) and a change (the Tag of BotonCambios 1); the header panel Panel2 is
// red while a document is edited, silver otherwise. The window's Tag is 0
// until an activation has prepared its tables.
//
// The capture table Detacomp.DB of the program folder is claimed by the
// first activation, as a sale station claims its table: a second copy of
// the program on the same program folder is told kComprasEnOtraCopia and
// prepares nothing. The claim is held while the window lives.
//
// A new document is inserted in the program folder's own copy of the
// kind's header table (DocumentosCompra.h) and never touches the shared
// table before it is saved.

#include "platform/ui/Forma.h"
#include "purchasing/DocumentosCompra.h"

#include <QString>
#include <QStringList>

#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class QWidget;
struct PlanCancelacionCompra;
class UnidadTrabajo;
namespace db {
class Tabla;
}
namespace ui {
class EditDatos;
class FuenteDatos;
class Navegador;
class Panel;
class RejillaDatos;
}  // namespace ui

inline const QString kComprasEnOtraCopia = QStringLiteral("El módulo de Compras ya está abierto en otra copia del programa");
inline const QString kErrorAbrirTablasCompra = QStringLiteral("Ha Ocurrido un Error al Abrir una de las Bases de Datos. ");
inline const QString kValorNoValidoCompra = QStringLiteral("Valor no Válido");
inline const QString kTituloTeclasCompra = QStringLiteral("Teclas de Acceso Rápido...");
inline const QString kTeclasCompra = QStringLiteral(
    "F2 Catalogos \rF3 Fecha del día\rF4 Cerrar\rCtrl+N Nuevo\rCtrl+G Guardar\rCtrl+M Modificar\rCtrl+B Buscar\rF1 "
    "Ayuda\r\r\r");
// The file of the program folder whose byte 1 the window's claim holds.
inline const QString kReclamoCompras = QStringLiteral("Compras.lck");

class TFormaCompras : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaCompras(QWidget* owner = nullptr);
  ~TFormaCompras() override;

  // --- Menus.
  QMenuBar* MainMenu1;
  QAction* Nuevo1;
  QAction* Modificar1;
  QAction* Guardar1;
  QAction* Eliminar1;  // hidden
  QAction* Imprimir1;
  QAction* PresentacionPreliminar1;
  QAction* EligeFormato1;
  QAction* DisenaFormato1;
  QAction* ImprimePlantilla1;
  QAction* TotalesDetallado1;
  QAction* Consultas1;
  QAction* Salir1;
  QMenu* Registro1;
  QAction* Buscar1;
  QAction* CancelaMovimiento1;
  QAction* Cancelar1;
  QMenu* Genera1;
  QAction* Recepcin1;
  QAction* Devolucin1;  // hidden
  QAction* OrdendeCompra1;
  QAction* GenerarCuentaporPagar1;
  QAction* ArchivodeCompras1;
  QAction* ReproducirDocumento1;
  QMenu* Reportes1;
  QAction* DocumentosCancelados1;
  QAction* TodoslosDocumentos1;
  QAction* comprasporProveedor1;
  QAction* DocumentosconSaldo1;
  QAction* ComprasporProducto1;
  QAction* CaducidadProductos1;
  QAction* DescuentosporUsuario1;
  QAction* ConsecutivodeDocumentos1;  // hidden
  QMenu* Opciones1;
  QAction* QuitarEmpaque1;   // "Quitar Cajas"
  QAction* QuitarEmpaques1;  // "Quitar Empaques"
  QAction* QuitarPrecioCliente1;
  QAction* VentanadeDescuentos1;
  QAction* ReferenciaenCuentaPorPagar1;
  QAction* PorCostoPromedio1;  // Precios > "Por Costo Mayor"
  QAction* CompraSugerida1;
  QAction* ImportarArchivo1;
  QAction* MantenimientoModulo1;
  QAction* MI1;
  QAction* ChequeodeMovimientos1;
  QAction* Bitacora1;
  QAction* Ayuda2;
  QAction* Calculadora1;
  QAction* Informacion1;  // hidden

  // --- Toolbar.
  ui::Panel* Panel1;
  QToolButton* BotonCambios;
  QToolButton* BotonNuevo;
  QToolButton* BotonGuardar;
  QToolButton* BotonBuscar;
  QToolButton* BotonImprimir;
  QToolButton* BotonPagos;
  QToolButton* BotonTotales;
  QToolButton* BotonPreliminar;
  QToolButton* BotonObservacion;
  QToolButton* BotonSalir;
  ui::Navegador* Navegador;
  QComboBox* TipoDocumento;
  QLabel* Usuario;  // hidden: the user number the opener hands over

  // --- Header.
  ui::Panel* Panel2;
  QWidget* Caja;
  ui::EditDatos* EditCLDOC_O;
  ui::EditDatos* EditCLPRV_O;
  ui::EditDatos* EditFEDOC_O;
  ui::EditDatos* EditFEREC_O;
  ui::EditDatos* EditFEPAG_O;
  ui::EditDatos* EditTIMPU_O;
  ui::EditDatos* EditDTOTA_O;
  ui::EditDatos* EditDFINT_O;
  ui::EditDatos* EditTINDI_O;
  ui::EditDatos* EditREFER_O;
  ui::EditDatos* EditNALMA_O;
  QLabel* Nombre;
  QLabel* Direccion;
  QLabel* Poblacion;
  QComboBox* EditDIVIS_O;
  QCheckBox* NoDesglosado;
  QPushButton* BotonDescuento;
  QLabel* Estado;
  QLabel* LabelSaldo;
  QPlainTextEdit* MemoFormula;    // hidden: the cost formula
  QPlainTextEdit* MemoResultado;  // hidden: the formula as it ran

  // --- Lines and status bar.
  ui::RejillaDatos* Detalle;
  ui::Panel* Panel3;
  QLabel* Uno;
  QLabel* Dos;
  QLabel* EtiSubtotal;
  QLabel* EtiImpuesto;
  QLabel* EtiTotal;

  // --- Tables.
  db::Tabla* TablaComprasE;
  db::Tabla* TablaComprasD;
  db::Tabla* TablaDeta;
  db::Tabla* TablaTotalCompra;  // a second cursor on the capture table: the totals walk leaves the grid alone
  db::Tabla* TablaProveedor;
  db::Tabla* TablaInventario;
  db::Tabla* TablaCuPagar;
  db::Tabla* TablaMovimientosInventario;
  db::Tabla* TablaMI;
  db::Tabla* TablaKardex;
  db::Tabla* TablaObservacion;
  ui::FuenteDatos* DataSource1;
  ui::FuenteDatos* FuenteDeta;

  // --- State of the document (the names the purchase routines share).
  QString RutaDatosCompras;
  QString CarpetaLocalCompras;
  QString TextoTipoCompra;
  int ControlCompra = 0;
  int ControlInicioCompra = 0;
  TotalesCompra Totales;
  Dinero TotalAnteriorCompra;
  double MargenProveedorCompra = 0;
  int DiasCreditoProveedor = 0;
  QChar MovimientosCompra = u'N';
  int ConceptoMovimientoCompra = 51;
  int NumeroMovimientoCompra = 0;
  QStringList ClavesAnterioresCompra, CantidadesAnterioresCompra;
  FoliosCompra Folios;
  qint64 NumeroCompras = 0;
  QString FormatoCompra;
  bool SinConexionCompras = false;
  bool BitacoraCompras = false;
  int AlmacenAnteriorCompra = 1;
  int ColumnaFinCapturaCompra = 6;
  int ColumnaClaveCompra = 3;
  int ColumnaProductoCompra = 4;
  double ImpuestoCompras = 0;  // LeeImpuestoCompras

  // Switches copied from the configuration at creation.
  struct {
    bool ImpuestosPorPartida = false;  // line 33
    bool CalculaPrecios = false;       // line 44
    bool DescuentosCompras = false;    // line 82
    bool FormulaCosto = false;         // line 83 not empty
    QString BasesAbiertas;             // line 1
    QString PrecioEnCompra;            // line 84
    QString ExistenciasNegativas;      // first character of line 41
  } Conf;

  bool EnAlta() const;
  bool EnCambio() const;
  int NumeroUsuario() const;

  // --- Commands.
  void BotonNuevoClick();
  void CancelaMovimiento1Click();
  // The new document or change in progress dropped ("Cancela Movimiento",
  // the close question's "No"): the capture emptied, the shared table's
  // last document shown, browsing, the marker file rewritten.
  void AbandonaEdicionCompra();
  void BotonBuscarClick();
  void NavegadorClick();
  void Salir1Click();

  // --- Purchase routines of the window (Compras_documento.cpp).
  void CambiaTipoCompra(QChar letra);
  // False when right 23 is refused (its message shown): nothing changes.
  bool NuevoDocumentoCompra();
  qint64 AsignaNumeroFinalCompra();
  void NumeraEncabezadoCompra();
  void LeeFoliosCompra();
  void LeeNumeroCompras();
  void PreparaTablasCompra();
  void MuestraEncabezadoCompra();
  void CargaPartidasCompra(const QString& control, const QString& numero);
  void CargaPartidasOrden(const QString& numero);
  // The header the table stands on, with its lines and totals.
  void MuestraCompraActual();
  void VaciaCapturaCompra();
  void LimpiaDatosProveedor();
  void FijaProcesoCompra(const QString& letra);
  void FijaCampoEncabezadoCompra(const QString& columna, qint64 valor);
  void EmpacaTablaCaptura(const QString& carpeta, const QString& archivo);
  int CalculaTotalesCompra();
  double LeeImpuestoCompras();
  void EscribeTotalesCompra();
  // With configuration line 82 "S": the three discounts of the supplier on
  // which TablaProveedor stands into the current capture line.
  void AplicaDescuentosProveedor();
  // The key of the product a typed key or bar code names ("" when none).
  QString ClavePorCodigo(const QString& codigo) const;
  void GeneraOrdenPorMaximo(const QString& proveedor);
  void GeneraCompraSugerida();
  double EvaluaFormulaCosto();

  // --- Support routines (Compras_apoyo.cpp).
  void HabilitaBotonesCompra(bool cambios, bool nuevo, bool guardar, bool cancelaMovimiento, bool navegador,
                             bool imprimir, bool buscar);
  void MuestraEstadoCompra();
  void NavegaConTeclas(int tecla);
  void AplicaVistaClasicaCompras();
  void CargaColumnasDetalle();
  void BloqueaDescuentosCompra(bool bloquea);
  void CargaMonedasCompra();
  void MuestraProveedorCompra();
  void HabilitaEncabezadoCompra();
  void BloqueaEncabezadoCompra();
  QString ValidaTipoDocumento(const QString& texto) const;
  void GuardaOpcionesEmpaque();
  static bool CarpetaNoDisponible(const QString& carpeta);

  // --- Header fields and line grid (Compras_captura.cpp).
  void ConectaCapturaCompra();
  // Writes a value into the header field a box shows (the box follows).
  void FijaCampoCompra(ui::EditDatos* caja, const QString& valor);
  void EditCLPRV_OExit();
  void EditFechaExit(ui::EditDatos* caja);
  // A document date the calendar does not have: PideFechaCompra.
  void EditFEDOC_OExit();
  // "La Fecha del Documento "<text>" no es válida ..." (de Recepción, de
  // Pago) for the box.
  QString MensajeFechaCompra(const ui::EditDatos* caja, const QString& texto) const;
  // The box back to the date its field holds, the message for `texto`, the
  // focus on the box.
  void PideFechaCompra(ui::EditDatos* caja, const QString& texto);
  // Before a save writes anything: false, with the message and the focus on
  // the box, when a date box holds a text the calendar does not have.
  bool RevisaFechasCompra();
  void EditFEPAG_OEnter();
  void EditREFER_OExit();
  void EditNALMA_OExit();
  void DetalleEnter();
  void DetalleColEnter();
  void DetalleKeyDown(int& tecla);
  void CompletaPartidaCompra();
  // "Totales" and "Totales Detallado": the breakdown of the document's total.
  void BotonTotalesClick();
  static bool ContieneGuion(const QString& texto);

  // --- Saving, changing and the buffers (Compras_guardar.cpp).
  void ConectaGuardadoCompra();
  void BotonGuardarClick();
  void BotonCambiosClick();
  // The save of the document in progress; false when it stopped before
  // writing (data folder missing, no number) or failed.
  bool GuardaDocumentoCompra();
  // A save of this program folder that a crash or an error left unfinished
  // is finished (true when there was none or it ended).
  bool TerminaGuardadoCompraPendiente();
  void DepuraClavesInexistentes();
  bool ClaveCompraValida(const QString& clave);
  void RespaldaPartidasCompra();
  void RegistraConsecutivoCompra();
  void MuestraPoliticaCompra(const QString& clave);
  void PosicionaCompra(const QString& clave);
  void GuardaEncabezadoEnBufer();
  void GuardaPartidasEnBufer();
  void CargaBuferCompra();
  void NuevoDesdeBufer();

  // --- Document commands (ComandosCompra.cpp).
  void ConectaComandosCompra();
  // The kind combo's text changed: the kind's tables, commands and format,
  // and its last document shown.
  void TipoDocumentoChange();
  void Recepcin1Click();
  void OrdendeCompra1Click();
  void CompraSugerida1Click();
  void ReproducirDocumento1Click();
  void ArchivodeCompras1Click();
  void BotonObservacionClick();
  // The payable account of the receipt shown, after right 6.
  void BotonPagosClick();
  // "Cancelar Documento", after the password of a user holding right 57.
  void Cancelar1Click();
  // The cancel of a journal a former run left unfinished, or of one just
  // started, finished; false (said) when it stopped.
  bool TerminaCancelacionCompra(UnidadTrabajo& diario, const PlanCancelacionCompra& plan);
  // The hidden "Eliminar" and "Devolución" (their items are never shown).
  void Eliminar1Click();
  void Devolucin1Click();
  // Appends " <accion> Por <user's name>" to the document's log when
  // configuration line 85 is "S".
  void RegistraHistorialCompra(const QString& accion);

  // --- Options and tools (OpcionesCompra.cpp).
  void ConectaOpcionesCompra();
  void QuitarEmpaqueClick();
  void QuitarPrecioCliente1Click();
  void OpcionUnaLineaClick(QAction* opcion, const QString& archivo);
  void PorCostoPromedio1Click();
  void BotonDescuentoClick();
  void ImportarArchivo1Click();
  void MantenimientoModulo1Click();
  void MI1Click();
  void Bitacora1Click();
  void Ayuda2Click();

 protected:
  void FormShow() override;
  void FormActivate() override;
  void FormCloseQuery(bool& puedeCerrar) override;
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;

 private:
  // Construction (Compras.cpp).
  void CreaTablas();
  void CreaMenu();
  void CreaBarra();
  void CreaEncabezado();
  void CreaDetalle();
  void CreaEstado();
  void FormCreate();

  // The first activation's claim of the capture table; false, with the
  // message, when another copy holds it.
  bool ReclamaCaptura();
  // Header table back on the shared table of the kind, at its last header,
  // shown with its lines and totals.
  void MuestraUltimaCompra();
  void PintaEncabezado(bool editando);
  // Ctrl+A / Ctrl+S: the previous or next header, without the totals check.
  void MueveCompra(bool siguiente);
  bool HayEncabezado() const;

  // The unit of work of the saves of this program folder.
  std::shared_ptr<UnidadTrabajo> diarioCompras_;
  bool guardandoCompra_ = false;
  UnidadTrabajo& DiarioCompras();
  bool ContinuaGuardadoCompra();
  void FinGuardadoCompra();
  // The data folder missing at a save: the message, the product lookup's
  // and the window's product, header and line tables closed; from then on
  // closing the window only refreshes.
  void SinConexionAlGuardar();
  // After a save with configuration line 1 "NO": the movement table (when
  // the purchase writes movements; errors ignored), the header, line,
  // product, payables and supplier tables read again, and the header of
  // the number shown found again.
  void RefrescaTablasCompra();
  // The save-changes question is being answered.
  bool preguntaCierre_ = false;

  int fdReclamo_ = -1;
  bool reclamada_ = false;
  bool activando_ = false;
};

inline TFormaCompras* FormaCompras() { return ui::InstanciaDe<TFormaCompras>().data(); }
