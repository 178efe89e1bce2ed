#pragma once
// The legacy document window: the older document-capture window beside the
// sale screen. A borderless window, maximised when shown, that browses,
// shows and prints remissions, petty cash and returns (its kind selector
// Base) and captures them line by line. It repeats the sale screen and is
// built on the sale screen's routines: the station claim of the capture
// table, the totals' rounding, the control number, total.dat, the buffer
// files, printing through a format; only its totals formula is its own.
// No menu item creates it: the catalogue browser's drill-down on a sales
// document table does (AbreDocumentoFactura).
//
// The window spreads over files by topic:
//   Factu.cpp           components and their layout; creation (FormCreate)
//   Factu_ciclo.cpp     show, first activation, close, layout, kind switch
//   Factu_muestra.cpp   a document shown and positioned, the tables and the
//                       capture claim, button and capture states, printing,
//                       the small option and hand-over files
//   Factu_bufer.cpp     the buffer files and the loading of lines
//   Factu_totales.cpp   the totals, the header's totals, total.dat
//   Factu_errores.cpp   what the shared tables do on a failed edit, post
//                       or delete
//
// Life: created (options read, no table open) -> shown (register, payment
// types, rights, package option; capture edits disabled) -> first
// activation (tables prepared, a capture table claimed for the window's
// life, the last document shown; New enabled, Save not, capture locked) ->
// closed (the save-changes question while a document is in progress; the
// claim released).
//
// Commands (pos/EstadoComandos.h): a menu item or button is enabled only
// when a command is attached to it and the phase allows it; what a phase
// allows is read with ComandoPermitido. The files of later topics attach
// their commands with AsignaComando.
//
// State shared by the window's files is in EstadoFactura (TEstadoFactura) and in
// the component tags: BotonNuevo.Tag 1 while a new document is captured,
// BotonCambios.Tag 1 for a document taken into modification (nothing sets
// it), Base.Tag 1 while an invoice is made from a remission, the window's
// Tag 1 after its first activation.

#include "foundation/dinero.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Colores.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/Forma.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "pos/CapturaLineas.h"
#include "pos/TablaCaptura.h"

#include <QColor>
#include <QString>
#include <QStringList>

#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QToolButton;
namespace ui {
class Panel;
}

// The width the grid is designed with.
inline constexpr int kAnchoDetalleFactura = 720;
// The window's caption.
inline const QString kTituloFactura = QStringLiteral("Facturación");
// The kinds of the kind selector.
inline const QString kBaseRemision = QStringLiteral("Remisión");
inline const QString kBaseCajaChica = QStringLiteral("Caja Chica");
inline const QString kBaseDevolucion = QStringLiteral("Devolución");

// The state of the window (its routines' shared fields).
struct TEstadoFactura {
  // Totals of the last computation.
  Dinero Subtotal, Impuesto, Total, Costo;
  double Descuento = 0, ImpuestoAcumulado = 0;
  int Partidas = 0;  // lines counted by the last computation
  // The document.
  int Control = 0;            // control number of the document on screen
  qint64 UltimoFolio = 0;     // last number of the header table
  QString DocumentoOrigen;    // CLPED_F of a derived document
  QString UltimoVendedor;
  bool ConversionPorLista = false;  // the next buffer load takes its lines from a list
  bool DocumentoNuevo = false;
  QString ListaOrigen;        // that list
  // Printing.
  int LineaFormato = 15;      // configuration line of the kind's format
  QString RutaFormato;        // the format file
  // Configuration and options.
  bool ImpuestoIncluido = false;    // line 33
  int DigitosCantidad = 2;          // line 42
  int DigitosTotal = 0;             // line 45
  bool CapturaClaves = false;       // line 47
  bool PoliticasPrecios = false;    // line 43
  bool DescuentosClienteLinea = false;  // line 58
  QString PagosCaja;                // line 62, two characters
  QString FacturarSinExistencias;   // line 21, first character
  QString ExistenciasNegativas;     // line 41
  QString IntegraMovimientos = QStringLiteral("N");  // "S" when line 6 is "SI"
  double TasaPredeterminada = 0;    // line 5
  bool SaltarEncabezado = false, IniciaEnClave = false;  // encabeza.cnf lines 1 and 2
  QString MascaraCantidad;          // quantity mask of the grid
  bool TaraEspecial = false;        // especial.cnf
  QString CampoTara, ValorTara;
  QString Caja, VendedorFijo;       // caja.cnf
  ui::TColor ColorPanel = ui::clBtnFace;  // Panel2's own colour
  bool ReportesHabilitados = false; // right 44
  int CampoEncabezado = 1;          // header field with the focus (1 to 8)
  int Modo = 0;                     // the window's mode word (2 once positioned)
  // Quantities reserved by the capture (key and summed quantity).
  QStringList ReservaClaves, ReservaCantidades;
  // Capture and save (Factu_nuevo.cpp, Factu_guardar.cpp).
  int ConceptoMovimiento = 3;       // TIMOV_MI of the rows the save writes
  int MovimientoReutilizado = 0;
  Dinero ImporteAnterior;           // amount already in the customer's balance
  QString ClienteGuardado;          // the customer the save switch took
  int ListaPrecio = 0;              // the customer's price list (0 none)
  bool PrecioAutorizado = false;    // a price change authorised for the line
  QString LetraOrigen;              // kind letter of the origin documents of a list
};

class UnidadTrabajo;
struct PlanGuardado;

class TFormaFactura : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaFactura(QWidget* owner = nullptr);
  ~TFormaFactura() override;

  // --- Components.
  QMenuBar* MainMenu1;
  QMenu *Archivo1, *Registro1, *Generar1, *Reportes1, *Opciones1, *Formatos, *AsignarFormato1, *Herramientas1,
      *Ayuda1;
  QAction *Nuevo1, *Modificar1, *Guardar1, *Buscar1, *Eliminar1, *Cancelar1, *CancelaMovimiento1, *Salir1;
  QAction *ImprimirDocumento1, *ImprimirRangodeDocumentos1, *Imprimir1, *Preliminar1, *ImprimePlantilla1,
      *ImprimiryAsignarCaja1;
  QAction *CambioPrecio1, *ChecarPrecio1, *CursorenCliente1, *VentaenEspera1, *CopiadeDocumento1, *Reproducir1;
  QAction *Factura1, *Remisin1, *Pedido1, *Devolucin1, *NotadeCrdito1, *FacturaeImprimir1, *FacturadeCierre1,
      *RangodeDocumentos1;
  QAction *ConfigurarCaja1, *TotalesporDivisa1, *SalidasdeEfectivo1, *Elegirformato1, *DisearFormato1;
  QAction *Calculadora1, *Tabulador1, *Divisas1, *Temas1, *VerFunciones1;
  QAction *CtrlF11, *CtrlF21, *CtrlF31, *CtrlF41, *CtrlF51, *CtrlF61;
  QAction *SaltarEncabezado1, *IniciaenClave1, *VerTotalesenformatoDigital1, *VerCampoTara1,
      *ConfigurarLectorSerial1, *CapturaporEmpaque1;

  // Top strip: buttons and the kind selector.
  ui::Panel* Panel1;
  QToolButton *BotonSalir, *BotonBuscar, *BotonCambios, *BotonNuevo, *BotonGuardar, *BotonImprimir;
  QComboBox* Base;

  // Header, on the header table.
  ui::Panel* Panel4;
  ui::EditDatos *EditCLDOC_F, *EditCLVEN_F, *EditCLCLI_F, *EditBCLIM_F, *EditCTOVE_F, *EditIMIM1_F, *EditDESFI_F;
  QLineEdit* EditFEDOC_F;
  QComboBox* TipoPago;
  QLabel *Nombre, *Direccion, *Direc2, *Poblacion, *RFC, *CodigoPostal, *usuario, *Funciones;

  // Client area: the grid and the right panel.
  ui::Panel* Panel2;
  ui::RejillaDatos* Detalle;
  ui::Panel* Panel5;
  ui::Panel* PanelSuma;
  QLabel *SumarTotal, *ImpuestoValor, *TotalFact, *Label12, *Label22, *Label24;
  ui::Navegador* Navegador;
  QLabel* Image1;
  // Capture panel.
  ui::Panel* Panel8;
  QLabel *EstadoCaptura, *LabelEmpaque, *LabelFactor, *Impresa, *ImpresoBitmap;
  QLineEdit *EditCantidad, *EditClave, *EditTARA, *EditEmpaque;
  QPushButton *BotonTerminaVenta, *BotonAgregarPartida, *BotonNuevaVenta;

  // Status strip.
  ui::Panel* Panel3;
  QLabel *Hora, *Label18, *Estado, *LabelPartidas, *SuCambio;
  ui::EditDatos* CAMBIO_F;

  // Tables.
  db::Tabla *TablaFacturae, *TablaFacturaD, *TablaDeta, *TablaTotal, *TablaCliente, *TablaInventario,
      *TablaVendedores, *TablamovimientosInventario, *TablaAuxiliar;
  ui::FuenteDatos *FuenteTablaFacturae, *FuenteTablaDeta;

  TEstadoFactura EstadoFactura;

  // The station of the capture table.
  const EstacionCaptura& Estacion() const { return estacion_; }

  // --- Life cycle and kind (Factu_ciclo.cpp).
  // The kind selector's text chosen: "Remisión" and "Caja Chica" switch
  // both tables, the format line and the Generar items; "Devolución" keeps
  // them; any other text becomes "Remisión". The format path follows and
  // the current header row is shown.
  void BaseChange();
  // Layout of the right panel and the totals.
  void FormResize();
  void BotonSalirClick();
  // "Modificar" does nothing.
  void BotonCambiosClick() {}

  // --- Display, tables, states, printing (Factu_muestra.cpp).
  // The current header row shown: customer captions, payment type, date,
  // time, change, status, lines (of its CONTROL), totals, references.
  void MuestraDocumentoFactura();
  // "Estado" by STATU_F, "Impresa"/"No Impresa" by TREGI_F.
  void MuestraEstadoFactura();
  // Prepares the window on its first use, then shows the document of that
  // number (a number not found leaves the header table where it was).
  void PosicionaFactura(qint64 numero);
  // The first use's preparation (tables, capture claim, browse state, the
  // window's Tag 1); nothing once done.
  void PreparaVentanaFactura();
  // The header and line tables on a pair of files of `carpeta`.
  void AbreParFactura(const QString& carpeta, const QString& encabezado, const QString& partidas);
  // The tables pointed at their folders, the capture table claimed
  // (deta.db, else the first free of deta2.db .. deta10.db, made from
  // deta.db), every table opened, the kind "Remisión" unless the selector
  // shows another kind of the window.
  void PreparaTablasFactura();
  // The buttons and menu items of a phase; the fifth flag is not used and
  // the seventh is overridden. A capture: (false, false, true, false, false,
  // false, true); a shown document: (true, true, false, true, true, true,
  // false).
  void HabilitaBotonesFactura(bool Cambios, bool Nuevo, bool Guardar, bool Buscar, bool Reservado, bool Navegacion,
                              bool Septimo);
  // "Capturando..." on red, or "Terminada" on Panel2's own colour.
  void MuestraEstadoCapturaFactura(bool capturando);
  // The grid enabled and the quantity and key edits editable, or the reverse.
  void AbreCapturaFactura();
  void CierraCapturaFactura();
  // The header field of a position (1 to 8): highlighted (its colour
  // remembered), restored, focused (positions out of 1..17 become 1).
  void ResaltaCampoFactura(int indice, ui::TColor color = ui::clAqua);
  void RestauraCampoFactura(int indice);
  void EnfocaCampoFactura();
  QWidget* CampoDePosicion(int indice) const;
  // "Imprimir Documento": the document printed with RutaFormato and marked.
  void ImprimeDocumentoFactura();
  // A chosen format: the printer and the file checked; not marked.
  void ImprimeConFormatoFactura(const QString& formato);
  // The format picker; true with the path of an existing format chosen.
  bool EligeFormatoFactura(QString& formato);
  // The document and Caja appended to today's paid-documents file.
  void AnotaPagoFactura();
  // The header marked paid at Caja.
  void MarcaPagadaFactura();
  // Today's paid-documents file applied to the header table.
  void AplicaPagosFactura();
  // The saved queries of the invoices.
  void PreparaConsultaFactura();
  // The hidden label usuario from Multi.dat ("0" without it).
  void LeeMultiFactura();
  // The currency names of moneda.vrl; text n of a currency ("xx" when none).
  QStringList CargaMonedasFactura() const;
  QString TextoMonedaFactura(const QString& nombre, int n) const;
  // The edit's text replaced by the value of its arithmetic.
  void EvaluaCampoFactura(QLineEdit* campo);
  // The grid's text of a capture value (quantity mask).
  QString TextoCantidadFactura(const db::Campo& campo, const QVariant& valor, const QString& texto) const;
  // encabeza.cnf: its first nine lines from the window's options.
  void GuardaOpcionesFactura();
  // The data folder (configuration line 8).
  QString CarpetaDatos() const;

  // --- Buffer files and lines (Factu_bufer.cpp).
  // The document on screen into buferenc.tmp (423 bytes) and bufer.tmp;
  // "F" (deleting or cancelling) gives each line's stock back.
  void GuardaDocumentoEnBufer(QChar letra);
  // A new document of kind "F", "R", "P" or "D" made from the buffer files
  // (or, with ConversionPorLista, from the lines of ListaOrigen).
  void CargaDocumentoDeBufer(QChar letra);
  // The buffered lines inserted again into the current document, their
  // stock taken out.
  void RestauraPartidasDeBufer();
  // The lines of the current header (its number and CONTROL) into the
  // capture, in their saved order; with `componentes` (a cancel or delete,
  // which give their stock back) the kit components too.
  void CargaPartidasFactura(bool componentes = false);
  // The lines of the remissions first..last for a closing invoice.
  void CargaPartidasCierre(qint64 primero, qint64 ultimo);
  // Every line of the number marked cancelled; every line of the number
  // not cancelled marked `marca`.
  void CancelaPartidasFactura(const QString& numero);
  static void MarcaPartidasFactura(db::Tabla& lineas, const QString& numero, const QString& marca);
  // The live lines of the documents of a list ("1,3-5") of a line table
  // (the one on screen when not named) of the data folder into the capture;
  // one document's; the numbers of a list's documents.
  int PartidasDeListaFactura(const QString& lista, const QString& partidas = QString());
  int PartidasDeDocumentoFactura(db::Tabla& partidas, const QString& numero);
  // The numbers are those of the documents of a header table of the data
  // folder (the one on screen when not named).
  QList<qint64> ExpandeListaFolios(const QString& lista, const QString& encabezado = QString());
  // The chart work tables in the receivables' data folder (the data
  // folder until the receivables have taken theirs), filled from the data
  // folder.
  void CreaAuxiliarFactura(const QString& fuente, const QString& devoluciones, const QString& trabajo,
                           const QDate& desde, const QDate& hasta, const QString& indice);
  static void CopiaAuxiliarFactura(const db::Dataset& origen, db::Dataset& destino);
  // Every capture row deleted.
  void VaciaCapturaFactura();

  // --- Totals (Factu_totales.cpp).
  // Everything recomputed from the capture (errors end it silently).
  void CalculaTotalesFactura();
  // The totals into the header row when they changed (a new CONTROL).
  void ActualizaTotalesEncabezado();
  static int NumeroControlFactura();
  // total.dat from the total shown.
  void EscribeTotalDat();
  // Default tax (configuration line 5) and discount 0 of a new document.
  void CargaImpuestoFactura();

  // --- New document and line capture (Factu_nuevo.cpp).
  void BotonNuevoClick();
  // The state of a new document on the header row on screen (tags, header
  // in edit, today's date, default tax, zero totals, capture buttons), and
  // the start of its line capture (header skipped when the option says so,
  // grid and edits editable, "No Impresa").
  void AbreDocumentoNuevoFactura();
  void IniciaCapturaFactura();
  // The customer typed in the header: its captions and price list.
  void EditCLCLI_FExit();
  // The line logic of the grid column entered.
  void DetalleColEnter();
  // The product of the current capture row resolved and the line filled.
  void ResuelvePartidaFactura();
  // Price list n into the row's PRECIO; returns it.
  Dinero PrecioPorListaFactura(int lista);
  // The reservation lists from the capture; the stock check of the row's
  // product (the product table on it): false on a shortage reported.
  void AcumulaReservasFactura();
  bool VerificaExistenciaFactura();
  // A new row with quantity "1" when the last one has key and description.
  void NuevaPartidaFactura();

  // --- Saving (Factu_guardar.cpp).
  void BotonGuardarClick();
  // The save switch by kind letter, run inside the save's unit of work.
  void GuardaPorLetraFactura(QChar letra);
  bool ValidaClienteFactura();
  // The kind letter of the selector ("Remision" too is a remission).
  QChar LetraFactura() const;
  // The save journal of the window's station; null without a station.
  UnidadTrabajo* DiarioFactura();
  // A save a former run left unfinished, finished now (on the claim).
  void TerminaGuardadoFactura();
  // The origin marks of a document built from a list.
  void MarcaOrigenesFactura(const QString& lista, const QString& letraOrigen, const QString& destino,
                            qint64 numero);

  // --- Header fields, the change field and the window keys
  // (Factu_encabezado.cpp, Factu_teclas.cpp).
  // Entering a header edit lights it and sets CampoEncabezado (the register
  // and the commission share position 4); the seller, customer, register,
  // date and tax edits also take a value on entering (written into the
  // header row only while a document is in progress). Enter or Down moves
  // to the next position, Up to the previous one; the date leads into the
  // line capture.
  void EditCLVEN_FEnter();
  void EditCLCLI_FEnter();
  void EditBCLIM_FEnter();
  void EditFEDOC_FEnter();
  void EditIMIM1_FEnter();
  void EditCLVEN_FExit();
  void EditFEDOC_FExit();
  void EditCLCLI_FKeyDown(int& tecla);
  void EditCLVEN_FKeyDown(int& tecla);
  void EditFEDOC_FKeyDown(int& tecla);
  void EditIMIM1_FKeyDown(int& tecla);
  void EditDESFI_FKeyDown(int& tecla);
  // The amount received: totals on entering; Enter evaluates a sum of
  // bills; leaving shows the change against the document's total.
  void CAMBIO_FEnter();
  void CAMBIO_FExit();
  void CAMBIO_FKeyDown(int& tecla);
  // Ayuda > "Ver Funciones" (Ctrl+F1) and Registro > "Cursor en Cliente"
  // (Ctrl+F2).
  void VerFunciones1Click();
  void CursorenCliente1Click();

  // --- Derived documents of the Generar menu and Registro (Factu_derivados.cpp).
  void Factura1Click();
  void FacturaeImprimir1Click();
  void Remisin1Click();
  void Pedido1Click();
  void Devolucin1Click();
  void FacturadeCierre1Click();
  void RangodeDocumentos1Click();
  void CopiadeDocumento1Click();
  void Reproducir1Click();
  void VentaenEspera1Click();

  // --- Commands and options of the menus (Factu_comandos.cpp,
  // Factu_opciones.cpp), attached by ConectaComandosFactura.
  QToolButton *BotonPreliminar, *BotonTotales;
  // Cancel: the access rule, the question, then through the save's unit of
  // work the remission's stock back (a return's taken out again), the
  // customer's balance lowered, the cancellation movement rows, STATU_F
  // and the lines marked "C".
  void Cancelar1Click();
  // Delete (hidden): a remission, or an invoice without movement rows, with
  // its stock given back, its movement rows and lines deleted and its header
  // logged to borrados.dat and deleted, as one unit of work.
  void Eliminar1Click();
  // The document in progress dropped.
  void CancelaMovimiento1Click();
  // The price of the current line opened for typing.
  void CambioPrecio1Click();
  void BotonImprimirClick();
  void BotonPreliminarClick();
  void Preliminar1Click() { BotonPreliminarClick(); }
  void ImprimirRangodeDocumentos1Click();
  void ImprimePlantilla1Click();
  // Mark paid at the register and print (also the Pause key).
  void ImprimiryAsignarCaja1Click();
  void Elegirformato1Click();
  void DisearFormato1Click();
  // Ctrl+F1 .. Ctrl+F6 of "Asignar Formato" (n 1 to 6).
  void AsignaFormatoFactura(int n);
  void CapturaporEmpaque1Click();
  void VerCampoTara1Click();
  void ConfigurarCaja1Click();
  void BotonTotalesClick();
  void BotonBuscarClick();
  void SalidasdeEfectivo1Click();
  void Calculadora1Click();
  void Tabulador1Click();
  void Divisas1Click();
  void Temas1Click();
  void ChecarPrecio1Click();
  // The cancellation movement rows of every line of the capture (concept
  // 54 a remission, 3 a return), each a step of the running unit of work.
  void MovimientosCancelacionFactura(int concepto);
  // The movement rows of the document on screen deleted (reference: kind
  // letter, number, "-", CONTROL); MovimientoReutilizado := the first's
  // number.
  void BorraMovimientosFactura();
  // Every saved line of the number with the document's CONTROL deleted.
  void BorraPartidasFactura(const QString& numero, qint64 control);
  // The document shown took stock when it was saved and still holds it:
  // it is not cancelled and is no invoice made from remissions.
  bool TomoExistenciasFactura();

 private:
  void ConectaDerivadosFactura();
  // The document on screen through the buffer files into a new one of kind
  // `letra`, left in capture with the focus on `foco` (its origin set by the
  // caller in DocumentoOrigen).
  void ConvierteFactura(QChar letra, QWidget* foco);
  // The invoice of the remission on screen, printed with the invoice format
  // when asked; its remission and lines marked once it is saved.
  void FacturaDeRemisionFactura(bool imprime);
  // F10 on a derived document: true with the saved number when it was
  // saved whole.
  bool GuardaDerivadoFactura(QString& numero);
  // A derived document that could not be made or saved given up: its
  // provisional header removed when nothing of it was saved, and the
  // window back on the tables, kind and document it showed before.
  struct VistaFactura {
    QString base, carpeta, encabezado, partidas, rutaFormato;
    int lineaFormato = 0;
    qint64 numero = 0;
  };
  VistaFactura VistaActualFactura() const;
  void DescartaDerivadoFactura(const VistaFactura& vista);
  void RegresaAVistaFactura(const VistaFactura& vista);
  // ConvierteFactura, or, when it fails, the error told and the document
  // given up; false then.
  bool DerivaFactura(QChar letra, QWidget* foco);
  // The remission an invoice being saved is made from ("<folder>\n<number>",
  // carried by the save's journal), and its marks once the invoice is saved:
  // REMIS_F "F" + the invoice, its lines TREGI_FD "F" (a failure told).
  QString remisionFacturada_;
  void MarcaRemisionDeFactura(const QString& remision, const QString& factura);
  // The same for the remissions of a closing invoice ("<folder>\n<n>,<n>..."):
  // each not invoiced yet marked REMIS_F "F" + the invoice, then the
  // invoice's number told.
  QString remisionesCierre_;
  void MarcaCierreDeFactura(const QString& remisiones, const QString& factura);

 protected:
  void FormShow() override;
  void FormActivate() override;
  void FormCloseQuery(bool& puedeCerrar) override;
  void FormClose() override;
  void resizeEvent(QResizeEvent* evento) override;
  // The window keys. Who gets a key: the change field's own Enter and F6
  // first; then a menu item's shortcut is the menu's (Ctrl+F1 "Ver
  // Funciones", Ctrl+F2 "Cursor en Cliente"), usable now or not; then this
  // map. Ctrl counts only alone.
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;

 private:
  void ConstruyeMenu();
  void ConstruyeEncabezado(QWidget* padre);
  void ConstruyeCuerpo(QWidget* padre);
  void ConstruyeEstado(QWidget* padre);
  void ConstruyeTablas();
  void FormCreate();
  void LeeOpcionesFactura();
  // The Reportes menu's items and their commands (Factu_reportes.cpp).
  void ConstruyeReportesFactura();
  void FijaGenerarFactura(bool pedido, bool remision, bool factura, bool devolucion, bool nota);

  void ConectaCapturaFactura();
  // The header's, the change field's and the window's keys wired.
  void ConectaTeclasFactura();
  void ConectaEncabezadoFactura();
  // A header edit's value: its text, and its field while a document is in
  // progress.
  void FijaCampoEncabezado(ui::EditDatos* campo, const QString& valor);
  void NavegaEncabezado(int tecla);
  // The commands and options of the menus attached (Factu_comandos.cpp).
  void ConectaComandosFactura();
  // The cancel or delete a journal holds, run and ended.
  void TerminaCancelacionFactura(const PlanGuardado& plan);
  void EscribeCancelacionFactura(const PlanGuardado& plan);
  void EscribeBorradoFactura(const PlanGuardado& plan);
  PlanGuardado PlanCancelacionFactura();
  // The movement reference of the document on screen.
  QString ReferenciaMovimientoFactura() const;
  // The options, formats, register, totals, search and tools
  // (Factu_opciones.cpp).
  void ConectaOpcionesFactura();
  // The plan of the cancel or delete being run (null otherwise).
  const PlanGuardado* planComando_ = nullptr;
  // The shared tables' answers to a failed edit, post or delete.
  void ConectaErroresFactura();
  // A plan's tables, user, seller and stock and movement options, as the
  // window stands.
  void FijaTablasPlanFactura(PlanGuardado& p) const;
  void EjecutaGuardadoFactura(const PlanGuardado& plan);
  void EscribeDocumentoFactura(const PlanGuardado& plan);
  qint64 AsignaFolioFactura(const PlanGuardado& plan);
  void DescargaPartidaFactura(const PlanGuardado& plan, const QString& numero, double& existencia);
  void GrabaMovimientoFactura(const PlanGuardado& plan, const QString& numero, const QString& paso);
  void RegresaExistenciasFactura(const PlanGuardado& plan, const QString& numero);
  void SaldoClienteFactura(const PlanGuardado& plan);
  void FinGuardadoFactura(const QString& numero);

  EstacionCaptura estacion_;
  std::unique_ptr<UnidadTrabajo> guardado_;
  QColor colorCampo_;
  QString titulo_;  // the caption before a station's number is added

  // --- Grid and line-capture keys (Factu_detalle.cpp): the keys of the
  // grid and of the quantity, key, package and tare edits, which stand on
  // the capture's current row; the sale screen's handling where it is the
  // same (pos/CapturaLineas.h).
 public:
  void DetalleKeyDown(int& tecla);
  // The grid entered: column 0; the first row of an empty capture.
  void DetalleEnter();
  // Leaving the price column: the row's amount from quantity, price and
  // discount.
  void DetalleColExit();
  void EditCantidadEnter();
  void EditCantidadKeyDown(int& tecla);
  void EditClaveKeyDown(int& tecla);
  // Leaving the package edit: the quantity from the packages, or "Falta la
  // Unidad de Empaque" for a product without a package factor.
  void EditEmpaqueExit();
  void EditEmpaqueKeyDown(int& tecla);
  // The key typed: the line filled, then the focus on the package edit or
  // on the capture edits.
  void PosicionaClaveFactura();
  // "Agregar Partida": a new row after a filled one.
  void BotonAgregarPartidaClick();

 private:
  void ConectaDetalleFactura();
  // A document is being captured and the grid takes input.
  bool CapturandoFactura() const;
  // A document is new or being changed (its totals are the header's to
  // keep); a saved document only shown is neither.
  bool DocumentoEnCursoFactura() const;
  CapturaLineas lineas_;
};

inline TFormaFactura* FormaFactura() { return ui::InstanciaDe<TFormaFactura>().data(); }

// The catalogue browser's drill-down on a sales document table
// ("facturae.dbf", "remision.dbf", "pedido.dbf", "cotizaci.dbf"): the
// window made when it does not exist, its tables reopened on the kind's
// pair of the data folder and Base set to the kind, positioned on the
// number and shown, modally for invoices.
void AbreDocumentoFactura(const QString& tabla, const QString& numero, const QString& usuario);
// Registers that drill-down with the catalogue browser for the four tables.
void UneDocumentosFactura();
