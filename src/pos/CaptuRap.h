#pragma once
// The sale screen "Punto de Venta CAPTURA RAPIDA": one maximised window that
// starts, captures, totals, pays, saves, prints, cancels and browses the
// sales documents of the current document table. The main menu's opener
// creates it for the occasion, hands it the user number in the hidden label
// usuario, tests right 4, adds the user's name and the date to the caption,
// shows it modally and frees it.
//
// The window spreads over files by topic:
//   CaptuRap.cpp             components and their layout
//   CaptuRap_opciones.cpp    creation and show: option files and configuration
//   CaptuRap_estacion.cpp    first activation: tables, capture table claim, kinds
//   CaptuRap_fases.cpp       the phase of the document and the buttons it allows
//   CaptuRap_documentos.cpp  the status of the document shown
//   CaptuRap_menu.cpp        the menu, its commands and the menu option files
//   CaptuRap_diseno.cpp      the layout of the right panel and the totals
//   CaptuRap_nuevo.cpp       New: the provisional number, the station's
//                            provisional header table, actual.dat
//   CaptuRap_encabezado.cpp  the customer and seller of the header
//   CaptuRap_captura.cpp     the capture of lines: the quantity and key
//                            fields, a key, code or description made a
//                            filled line, the stock check
//   CaptuRap_detalle.cpp     the grid during a capture: its columns, keys,
//                            the deletion of a line
//   CaptuRap_empaque.cpp     package capture (empaque.cnf) and the tare
//   CaptuRap_precios.cpp     the price of a line, "Cambio Precio", "Checar
//                            Precio" and the document discount's "Descuento"
//   CaptuRap_totales.cpp     the totals and taxes, in the header and total.dat
//   CaptuRap_teclas.cpp      the key map, the focus movement, the header
//                            fields' handlers, the grid's display, the
//                            printing shortcuts Ctrl+F1 to Ctrl+F6
//   CaptuRap_errores.cpp     what the shared tables do on a failed edit,
//                            post or delete
//   CaptuRap_pagos.cpp       the payment type, the amount received and the
//                            change, paying at the register, split payments,
//                            the payment-type table
//   CaptuRap_muestra.cpp     a saved document shown, the navigator, the
//                            number search, its lines loaded
//   CaptuRap_escribe.cpp     a document written by kind: header, lines, the
//                            check of each line's product
//   CaptuRap_guardar.cpp     the save (F10): its checks, the final number and
//                            folios, the journaled unit of work, a save
//                            finished when the station starts again, the
//                            question when the window closes
//   CaptuRap_existencias.cpp the stock of a saved line, kits, the shortage
//                            log, reserved quantities, stock given back
//   CaptuRap_bascula.cpp     the serial scale
//   CaptuRap_dialogos.cpp    the cash drawer, the calculator, the
//                            currencies, the caller list, the station's
//                            seller, the price calculator (F7)
//   CaptuRap_opcionesventa.cpp  the option toggles and encabeza.cnf, the
//                            formats of Ctrl+F1 to Ctrl+F6, the small
//                            commands of Opciones, Formatos and Ayuda
//   CaptuRap_corte.cpp       "Generar Corte" and the turns
//   CaptuRap_cuentas.cpp     the customer's balance and the receivable
//                            rows of a sale, the "CxC" item
//   CaptuRap_movimientos.cpp the movement rows of a sale, the movement
//                            mirror, "Chequeo de Impuestos"
//   CaptuRap_control.cpp     the control snapshot, the day's accumulator
//                            and its items, "Bitacora"
//
// Life: created (options read, no table open) -> shown (files of the station
// read, "Terminada") -> first activation (tables opened, a capture table
// claimed for the screen's whole life, the last document on screen, capture
// locked, New and Modify available, Save not) -> closed and freed (the claim
// is released).
//
// State that outlives one handler is kept in the public fields below, named
// as the rest of the system names them; other windows read and set them.
//
// Commands: every menu item exists with its caption, shortcut and
// visibility. A menu item or a visible button is usable only when a command
// is attached to it (AsignaComando), its phase allows it (Permite) and no
// inactive-menu file took it away; what a phase allows is read with
// Permitido. The speed buttons of the hidden top strip (BotonNuevo,
// BotonGuardar ...) are not reachable by the user: their Enabled state is
// the phase itself.

#include "foundation/ComPort.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Colores.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/Forma.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "pos/CapturaLineas.h"
#include "pos/OpcionesEncabezado.h"
#include "pos/TablaCaptura.h"
#include "pos/TotalesVenta.h"

#include <QColor>
#include <QDateTime>
#include <QKeyCombination>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QTextEdit;
class QTimer;
class QToolButton;
class EscrituraVenta;
class TBotonEsquinado;
class UnidadTrabajo;
struct MovimientoVenta;
struct PlanGuardado;
namespace ui {
class Panel;
}

// EspejoRemisiones when the remission tables live in the folder of
// configuration line 63: new remissions are mirrored into MOVIMIENTOS.DBF.
inline constexpr int kEspejoRemisiones = 1000;
// The access string of mdf.cnf that makes "Modificar" visible.
inline const QString kClaveModificacion = QStringLiteral("pqzwvmtnxbc7k52hsdl");
// The window's caption before the opener adds the user and the date.
inline const QString kTituloCapturaRapida = QStringLiteral("Punto de Venta CAPTURA RAPIDA ");
// The outside tabulation program of Ayuda > "Tabulador".
inline const QString kProgramaTabulador = QStringLiteral("tabulador.exe");

class TFormaCapturaRapida : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaCapturaRapida(QWidget* owner = nullptr);
  ~TFormaCapturaRapida() override;

  // --- Components.
  QMenuBar* MainMenu1;
  QMenu *Archivo1, *Registro1, *Generar1, *Reportes1, *Formatos, *Opciones1, *CortedeCaja2, *Turno1,
      *Movimientos1, *Ayuda1, *AsignarFormato1;
  // Items the screen's own routines set.
  QAction *ImprimirDocumento1, *ImprimirRangodeDocumentos1, *Salir1;
  QAction *ImprimirenArchivo1 = nullptr, *Preliminar1 = nullptr;  // set by ConectaImpresion
  QAction *Nuevo1, *Modificar1, *Guardar1, *Buscar1, *Eliminar1, *Cancelar1, *CancelaMovimiento1, *Imprimir1,
      *ImprimiryAsignarCaja1, *MultiPagos1;
  QAction *Factura1, *FacturaeImprimir1, *Remisin1, *Pedido1, *Devolucin1, *NotadeCrdito1;
  QAction *CtrlF11, *CtrlF21, *CtrlF31, *CtrlF41, *CtrlF51, *CtrlF61;
  QAction *SaltarEncabezado1, *IniciaenClave1, *VerTotalesenformatoDigital1, *GuardareImprimirconF101,
      *IniciaenVendedor1, *PersonalizarDetalle1, *IntegrarIdentificadorTelefnico1, *HabilitarBascula1,
      *OcultarVendedor1, *VerSoloTotal1, *VerCampoTara1, *ConfigurarLectorSerial1, *CapturaporEmpaque1,
      *HabilitarPago1, *DescuentosTipodePago1;
  QAction *N011, *N021, *SinTurno1;

  // Top strip (hidden): speed buttons, title and the document kind.
  ui::Panel* Panel1;
  QToolButton *BotonSalir, *BotonBuscar, *BotonCambios, *BotonNuevo, *BotonGuardar, *BotonImprimir;
  QLabel* Label6;
  QComboBox* Base;

  // Header box on the header table.
  QScrollArea* Caja;
  ui::EditDatos *EditCLDOC_F, *EditCLCLI_F, *EditCLVEN_F, *EditCTOVE_F, *EditBCLIM_F, *EditDESFI_F, *EditIMIM1_F,
      *EditCUENTA;
  QLineEdit* EditFEDOC_F;
  QComboBox* TipoPago;
  QPushButton* BoronDescuento;
  QLabel *IvaEtiqueta, *LabelCuenta, *Nombre, *LabelVendedor, *LabelFactura, *Direccion, *Direc2, *Poblacion, *RFC,
      *CodigoPostal, *Funciones, *usuario;

  // The client area: the grid area on the left, the right panel beside it.
  ui::Panel* Panel2;
  ui::Panel* Panel4;
  ui::RejillaDatos* Detalle;
  QTextEdit* PantallaAlterna;
  ui::Panel* Panel7;
  ui::EditDatos* CAMBIO_F;
  QLabel *SuCambio, *LabelPartidas, *LabelFPGC, *Label19;
  QLineEdit* HoraExtra;
  QPushButton* BitBtn1;
  ui::EditDatos* DBEdit1;

  // Status strip.
  ui::Panel* Panel3;
  QLabel *Hora, *Label18, *Estado, *LabelControl;
  QLabel* Label8;  // "det " and the loads of the document shown
  ui::Panel* Panel6;
  QLabel *Anuncio1, *Anuncio2;

  // Right panel: totals, navigator, scale, the rounded buttons.
  ui::Panel* Panel5;
  QWidget* PaintBox1;
  ui::Panel* PanelSuma;
  QLabel *SumarTotal, *ImpuestoValor, *TotalFact, *Label12, *Label22, *Label24, *Label14, *LabelDescuento,
      *LabelIEPSL, *LabelIEPS;
  ui::Navegador* Navegador;
  QLineEdit* EditBascula;
  QWidget* shPortOpen;
  QLabel* StaticText6;
  QPlainTextEdit* Memo1;
  QLineEdit* EditPeso;
  TBotonEsquinado *BotonRedondo1, *BotonRedondo2;

  // Capture panel (rounded, inside the right panel).
  ui::Panel* Panel8;
  QLabel *EstadoCaptura, *Label15, *Label10, *LabelEmpaque, *LabelFactor, *LabelExistencia, *Impresa;
  ui::EditDatos *EditCantidad, *EditClave, *EditTARA, *EditEmpaque;
  QLabel *ImpresoBitmap, *Image1;
  QToolButton *BotonBascula, *BotonReset;
  QPushButton *BotonTerminaVenta, *BotonAgregarPartida, *BotonNuevaVenta;

  // Tables.
  db::Tabla *TablaFacturae, *TablaFacturaD, *TablaDeta, *TablaTotal, *TablaCliente, *TablaInventario,
      *TablaVendedores, *TablamovimientosInventario, *TablaKardex, *TablaAuxiliar;
  ui::FuenteDatos *FuenteTablaFacturae, *FuenteTablaDeta;
  QTimer* TimerBascula;
  TComPort* ComPort1;

  // --- State of the screen.
  QString RutaDatosVenta;          // configuration line 8
  QString FormatoTicket;           // print format of the document kind
  qint16 LineaFormatoDocumento = 15;
  bool OpcionSaltarEncabezado = false, OpcionIniciaEnClave = false;
  QString MascaraCantidad;         // grid quantity mask (configuration line 42)
  QStringList ClavesReservadas, CantidadesReservadas;
  double FactorPrecioPago = 1.0;
  int ConceptoMovimiento = 3;
  QString UltimoVendedor, DocumentoOrigen;
  bool OpcionTara = false;
  QString CampoTaraProducto, ValorTaraProducto;  // especial.cnf lines 2 and 3
  bool OpcionHerrajesF5 = false, OpcionSinFecha = false;
  bool BitacoraVenta = false;
  QString CajaActual, VendedorCaja;
  bool ModificacionDesbloqueada = false;
  bool OpcionMI = false;
  int EspejoRemisiones = 0;  // kEspejoRemisiones, set at the first activation
  bool UsuarioRestringido = false;
  bool ReportesPermitidos = false;
  qint64 UltimoNumeroDocumento = 0;
  bool DocumentoNuevo = false;
  double TasaIvaVenta = 0;     // default tax rate (configuration line 5)
  // The capture edits' and the grid's handling shared with the legacy window.
  CapturaLineas Lineas;
  int ControlVenta = 0;        // control number of the new document
  int ListaPrecioCliente = 0;  // the customer's price list, 0 = none
  // Prices and totals.
  bool PrecioDesbloqueado = false;  // "Cambio Precio" opened the price column
  int ControlDocumento = 0;         // control number the save writes with the document
  int LineasCaptura = 0;            // lines counted by the last totals run
  TotalesVenta Totales;             // of the last totals run
  int CorridasTotales = 0;          // totals runs since the screen was shown (LabelFPGC)
  // Line capture.
  int ColumnaPrecio = 3;            // grid position of the PRECIO column (found again when the grid is entered)
  Dinero DisponibleLinea;           // the current line's stock less what the capture asks (VerificaExistencia)
  QStringList ClavesCapturadas, CantidadesCapturadas;  // each key of the capture and its summed quantity
  // Showing a document: loads of its lines since it was last shown.
  int PartidasCargadas = 0;
  // Saving: the numbering offsets of Folios.dbs (LeeFolios); a save of an
  // invoice made from other documents (no final numbering); the save found
  // the data folder unreachable and closed the window.
  qint64 FolioBaseRemision = 0, FolioAjusteRemision = 0;
  qint64 FolioBaseFactura = 0, FolioAjusteFactura = 0;
  bool FacturaDerivada = false;
  // While set, an invoice is saved as one made from remissions (kind "Z"):
  // its customer balance and its lines marked "F" (TDOCU_FD), but no stock
  // exit, product check or movement rows, which its remissions already had.
  // Set by the commands that make such an invoice and by the change of one;
  // cleared when the document is saved or abandoned.
  bool FacturaDeRemisiones = false;
  // The remissions the invoice in capture is made of, which its save marks
  // invoiced: their folder, a line feed, their numbers separated by commas;
  // empty for none. Cleared with FacturaDeRemisiones.
  QString RemisionesDeFactura;
  bool CierreTrasGuardar = false;
  // The next document read from the buffer files takes its lines from a
  // range of documents; cleared by a save.
  bool LineasDeRango = false;
  // The buffer writer of the sales documents (GuardaVentaEnBufer), joined
  // with their commands (UneComandosCapturaRapida): both buffer files
  // rewritten from the screen and the reserved quantities rebuilt from the
  // capture. Empty until joined.
  std::function<void(QChar letra)> EscribeBuferVenta;
  // The unfinished work of the sales documents' own units (the invoice of
  // a remission) finished at the first activation, after the station's
  // save: joined with their commands. Empty until joined.
  std::function<void()> TerminaDerivadosPendientes;

  // Configuration lines kept for the handlers that use them.
  struct Configuracion {
    QString FacturarSinExistencias;  // 21, first character
    bool ImpuestosPorPartida = false;  // 33
    QString ExistenciasNegativas;    // 41, first character
    int DigitosCantidad = 0;         // 42
    bool PoliticasPrecios = false;   // 43
    int DigitosTotal = 0;            // 45
    bool CapturaClaves = false;      // 47
    bool DescuentosClienteLinea = false;  // 58
    QString PagosCaja;               // 62, two characters
    bool BusquedaAvanzada = false;   // 69
    int MaximoPartidas = 0;          // 70
    bool NumerosSerie = false;       // 75
    bool Kits = false;               // 76
    double TotalAcumulado = 0;       // 91
    bool ConCortes = false;          // 95
    bool CxCRemisiones = false;      // 96
    bool BloqueaPorAdeudos = false;  // 98
    bool PagarCxCMostrador = false;  // 99
    QString IntegraInventario = QStringLiteral("N");  // the sale never posts through line 6
    QString DerechoReportes;         // the user's right 44 letter
  } Conf;

  // The station of the capture table.
  const EstacionCaptura& Estacion() const { return estacion_; }

  // --- Routines other windows call.
  // The buttons and menu items of a phase; the fifth and seventh flags have
  // no effect. A capture: (false, false, true, false, false, false, true); a
  // shown document: (true, true, false, true, true, true, false).
  void HabilitaBotonesCaptura(bool Cambios, bool Nuevo, bool Guardar, bool Buscar, bool Reservado, bool Navegador,
                              bool CancelaMovimiento);
  // "Capturando..." and Panel2 red, or "Terminada" and Panel2's own colour.
  void MuestraEstadoCaptura(bool Capturando);
  // The header box enabled, the grid and the quantity and key fields
  // editable; BloqueaCaptura is the reverse.
  void HabilitaCaptura();
  void BloqueaCaptura();
  // Status, print mark and the Cancelar item from the current header row.
  void MuestraEstadoDocumento();
  // Switches the screen to the document kind of the Base text.
  void BaseChange();
  // The capture table: emptied; compacted after line `partida` was deleted;
  // reset from the template for a new document.
  void VaciaCaptura();
  void BorraPartidaYCompacta(int partida);
  void ReiniciaCaptura();
  // True when the screen has a capture table; otherwise the cashier is told
  // there is none free.
  bool TieneTablaCaptura();

  // --- A new document and its header.
  // New (F9, "Nueva Venta (F9)", "Nueva (F9)"): with right 20, the last
  // number of the kind's header table plus one, shown from a row of the
  // station's provisional header table (the shared table never sees it),
  // the counter customer "1", today's date, the capture unlocked and empty.
  // Always: actual.dat rewritten, the payment type "Efectivo". A screen
  // without a capture table refuses with the claim's message.
  void BotonNuevoClick();
  // New keeping the capture lines and the customer's labels (replay of a
  // document): no seller of the turn, no default customer's data, the
  // payment type untouched. False when it did not start (the refusal told).
  bool IniciaDocumentoConservandoPartidas();
  // The tax rate of configuration line 5 into TasaIvaVenta and IMIM1_F;
  // the document discount DESFI_F 0.
  void CargaImpuestoPredeterminado();
  // The customer's labels and the date field emptied.
  void LimpiaDatosCliente();
  // Makes the station's provisional header table from the template of
  // `archivo` in the folder's tempo (tempo\Remision.dbf for a kind without
  // one of its own): the copy is named as `archivo` with the station's
  // number before the extension (Remision3.dbf) in `carpeta`, replacing the
  // last one, and the header table is opened on it. On failure the header
  // table is back on the table it was on and the error reaches the caller.
  void CreaEncabezadoTemporal(const QString& carpeta, const QString& archivo);
  // actual.dat of the program folder: the number shown, for outside programs.
  void EscribeDocumentoActual();
  // The typed customer into the header: the debts check of configuration
  // line 98, the customer's labels, credit days, due date, state, country
  // and price list; an inactive customer is refused.
  void EditCLCLI_FExit();
  // Generar > "Asignar Cliente": a customer picked with the lookup and its
  // data copied into the header, which is posted.
  void AsignaClienteDocumento();
  // When the header lacks its state or country, both from the current
  // customer row; the header is posted.
  void CompletaEstadoPais();
  // The customer's remissions not cancelled; more than one are listed.
  int AdeudosCliente(const QString& clave);
  // A capture row with quantity 1 when the current one has none, then the
  // focus on the key or the quantity.
  void IniciaCaptura();

  // --- Line capture. The capture edits (EditCantidad, EditClave,
  // EditEmpaque, EditTARA) and the grid stand on the current row of the
  // capture table; a line is filled when the grid enters column 2. All of
  // it acts only while a capture is in progress (Capturando).
  // The grid entered a column (by the user or by the routines here):
  // 0 the totals; 1 the row into edit (back to 0 without a quantity); 2 the
  // typed key, code or description made a filled line; 3 the price column,
  // open only after "Cambio Precio"; 4 and 5 the amount again.
  void DetalleColEnter();
  // The grid leaves a column: the amount after a price, the price checked
  // against the cost.
  void DetalleColExit();
  // The key typed: a pending row posted, the line filled (grid to column 2),
  // then the focus on the package field when it shows and the key was
  // found, else on the key or the quantity.
  void AceptaClave();
  // A fractional quantity of a product sold in pieces: the message, the
  // quantity cut to its integer part, the grid to column 0 and the focus on
  // the quantity.
  void ValidaPiezas();
  // The product table stands on the product of the row's key (a key, or a
  // code of another product's key); false for "COMENTARIO" and on errors.
  bool BuscaProductoPorClave();
  // The key of the product whose code is the text (upper-cased), read
  // through a table of its own; "" for an empty text, when none has it, or
  // on errors.
  QString ClavePorCodigo(const QString& texto) const;
  // How near the text comes to the nearest description (PartidasVenta.h).
  double SemejanzaDescripcion(const QString& texto);
  // ClavesCapturadas and CantidadesCapturadas from every row of the capture
  // (a pending row of the grid's cursor posted first).
  void SumaCantidadesPorClave();
  // The summed quantity of a key in the capture, and in the document being
  // changed as it was saved; 0 when absent.
  double CantidadCapturada(const QString& clave) const;
  double CantidadReservada(const QString& clave) const;
  // The stock check of the current line against the product on which the
  // product table stands: DisponibleLinea, and the message when the
  // capture asks for more than there is and line 21 forbids it.
  void VerificaExistencia();
  // On the last row: when it has a key and a description, a new row with
  // quantity 1 and the focus on the key or the quantity.
  void NuevaPartida();
  // F6: the current line deleted after the question, the capture compacted.
  void EliminaPartida();
  // "Agregar Partida": a new row after a filled one.
  void BotonAgregarPartidaClick();
  // Opciones > "Captura por Empaque" (user "0" only): package capture on or
  // off, kept in empaque.cnf.
  void CapturaporEmpaque1Click();
  // Opciones > "Ver Campo Tara": especial.cnf in the text editor.
  void VerCampoTara1Click();
  // --- Prices of a line (the rules are PreciosVenta.h's). Each works on
  // the current row of the capture table (TablaDeta) and the product on
  // which TablaInventario stands.
  // PRECIO := the price of list n (PrecioLista over the line's price), a
  // pending row of the totals cursor posted first; returns the list's price.
  Dinero AsignaPrecioLista(int lista);
  // The volume price of the product at the current product row for a
  // quantity, with the payment type's factor.
  Dinero PrecioPorVolumen(double cantidad) const;
  // The customer's percentage for a product line (ClieDesc.dbf of the data
  // folder).
  double DescuentoClienteLinea(const QString& cliente, const QString& linea) const;
  // The price line capture gives a line it has just given a product: the
  // customer's list, the volume policy or list 1, then the customer's line
  // discount (PrecioPartida) with the customer of the header.
  void AsignaPrecioPartida();
  // Opciones > "Cambio Precio" (Ctrl+P): for user "0", an administrator's
  // password, or the password of a user with right 51, the price column is
  // unlocked and, during a capture, its cell opened for typing.
  void CambioPrecio1Click();
  // Registro > "Checar Precio" (Ctrl+H): the product lookup by description
  // (searching inside it with configuration line 69); nothing on the sale
  // changes.
  void ChecarPrecio1Click();
  // The "Descuento" button: the password of a user with right 59 makes the
  // document discount editable, puts that user into the header's USUARIO
  // and logs the discount; otherwise the discount is locked.
  void BoronDescuentoClick();

  // --- Totals and taxes (the rules are TotalesVenta.h's).
  // Walks the capture through TablaTotal (a pending row of the grid's cursor
  // posted first), shows the totals, writes total.dat and, when they
  // changed, the header's totals. Returns the lines counted (LineasCaptura).
  // A failure ends the run silently, the labels as they were.
  int CalculaTotales();
  // When the header's totals differ from `t` (TotalesDifieren): a fresh
  // ControlDocumento and the totals written and posted. DECOT_F empty
  // becomes 0.
  void EscribeTotalesEncabezado(const TotalesVenta& t);
  // The header field and the value written with "#######0.000" differ.
  bool DifiereCampo(const QString& campo, double valor) const;
  // For the save: when the header table has no row numbered `numero`, one
  // is made from the screen (customer labels, the date of EditFEDOC_F, the
  // totals computed afresh, the time now, no print mark for a new document)
  // with the control given. Errors reach the caller, nothing appended.
  void InsertaEncabezadoFaltante(const QString& numero, int control);
  // The header table's file has a row numbered so (read through a handle
  // of its own). Table errors reach the caller.
  bool HayEncabezado(qint64 numero) const;
  // total.dat of the program folder: the total shown without commas,
  // points and blanks. A failure is ignored.
  void EscribeTotalArchivo();

  // --- Keys and the header's fields.
  // Who gets a key, written once for the whole screen:
  //  1. The focused control's own keys come first: F3 in the key field, the
  //     package field and the grid during a capture (the line repeated, the
  //     packages), Enter and F6 in the amount received (the amount taken,
  //     the line deleted). Neither the menu nor the key map below sees them.
  //  2. Otherwise a key that is a menu item's shortcut is the menu's, whether
  //     the item can be used now or not: F3 "Configura Vendedor", Ctrl+F1
  //     "Ver Funciones", Ctrl+F2 "Cursor en Cliente", F9, F10, F11 ... So of
  //     the printing shortcuts only Ctrl+F4 to Ctrl+F6 print.
  //  3. Otherwise FormKeyDown's map (End, Ctrl+A, Ctrl+S, F4 to F8,
  //     Ctrl+F1 to Ctrl+F6, Ctrl+F12), then the focus movement of Enter,
  //     Down and Up (MueveFocoPorTecla).
  // The header's order for that movement: customer, seller, commission,
  // register, date, tax rate, discount, then the capture fields (quantity,
  // key), so Enter walks a new document from the customer to the quantity.
  //
  // Enter and Down: the focus to the next control; Up: to the previous one;
  // any other key nothing.
  void MueveFocoPorTecla(int tecla);
  // A header field painted aqua; its colour before is kept (one colour for
  // the whole screen) and given back by RestauraColorCampo.
  void ResaltaCampo(QWidget* campo, ui::TColor color = ui::clAqua);
  void RestauraColorCampo(QWidget* campo);
  // Prints the document on screen (the current header row and the capture
  // table) with the format in mode "i", for the screen's user and with the
  // currency texts of "M.N."; a missing format or a printer that is not
  // ready is told and nothing printed.
  void ImprimeConFormato(const QString& formato);

  // --- Payment (the rules are PagosVenta.h's).
  // The payment type changed by the cashier: the card factor, the account
  // field for the types that need one.
  void TipoPagoChange();
  // Leaving the type during a capture: the type's discount or price list
  // from Descuento.DBF applied to the document.
  void TipoPagoExit();
  // The value of Descuento.DBF for a type (DescuentoDePago); throws
  // plat::Error when the table cannot be read.
  double DescuentoTipoPago(const QString& tipo) const;
  // Every line of the capture priced again from a price list.
  void RepreciaCaptura(int lista);
  // The amount received: evaluated on Enter, the change on leaving it; an
  // amount that covers the total marks the document paid.
  void CAMBIO_FEnter();
  void CAMBIO_FExit();
  // Opciones > "Habilitar Pago" (user "0" only): the amount received
  // editable or not, kept in Pagos.cnf of the program folder.
  void HabilitarPago1Click();
  // Registro > "Imprimir y Asignar Caja   (Pausa)": a saved document without
  // a payment type gets the one chosen in the picker, and is printed.
  void ImprimiryAsignarCaja1Click();
  // Registro > "Multi Pagos": the split payments of the saved document.
  void MultiPagos1Click();
  // Opciones > "Descuentos Tipo de Pago": the payment-type table edited,
  // pagos.cnf of the data folder written again from it.
  void DescuentosTipodePago1Click();

  // --- A saved document shown (the row the header table stands on).
  // Everything the data-aware header fields do not show: customer, payment
  // type and account field, date, time, status, change, the lines (loaded
  // once per display), totals, references, seller name. Callers place the
  // header table first; it is never moved here. An empty header table
  // changes nothing.
  void MuestraDocumento();
  // The navigator moved the header table.
  void NavegadorClick();
  // Registro > "Buscar" (Ctrl+B): the document of a number; a number read
  // from a ticket (QuitaCerosBusqueda), or the dialog's "&Aceptar", starts
  // the pay-at-register action on the document found. A number not found
  // shows the document on screen again; a text that is no number is told
  // "Valor no Válido" and nothing changes.
  void BotonBuscarClick();
  // The header table on the first number at or after the one of actual.dat,
  // shown; a missing or unreadable file or a line that is no number does
  // nothing.
  void PosicionaDocumentoActual();
  // The lines of the header row (its number and CONTROL, kit components
  // left out) into the capture table, in their stored order, while
  // PartidasCargadas is 0 (then raised, and shown in Label8); number 0 only
  // empties the capture. The line table keeps the range on the number.
  void CargaPartidasDocumento();
  // The same load from the lines of document `numero` of another open line
  // table (tag CLDOC_FD), with CONTROL of the screen's header row.
  void CargaPartidasDe(db::Tabla& lineas, qint64 numero);

  // --- A document written by kind (the save calls them).
  // The save switch: a new document (BotonNuevo's Tag 1) with a customer is
  // written for the kinds F, R, P, N, X, C, D, Z; a change (BotonCambios's
  // Tag 1) for C, P, R, and F after its old lines are deleted. Then both
  // tags 0 and the capture locked. A row that cannot be written stops it:
  // the error reaches the caller and the screen stays in capture.
  void GuardaPorTipo(QChar letra);
  // Header and lines: the totals recomputed, the header row written from
  // the screen, a line row for every capture row that qualifies (for F and R
  // each checked against its product and its stock noted), then the header
  // re-created when it went missing. On a failed row the error (naming the
  // table) reaches the caller, the capture keeps every line and Save stays
  // available.
  void EscribeDocumento(QChar letra);
  // The current capture row against the product table (see
  // PartidasDocumento.h, PartidasVenta.h).
  void VerificaProductoPartida();
  // "i": the current product's stock into the capture row's INICIAL, "f"
  // into FINAL; the row posted. Other letters nothing.
  void AnotaExistenciaCaptura(const QString& cual);
  // F and R: the line rows of the header's number and CONTROL deleted.
  void BorraPartidasDocumento(QChar letra);
  // The same for every letter but X.
  void BorraPartidasPorTipo(QChar letra);
  // The header re-created from the screen when no row has the number.
  void AseguraEncabezado(const QString& numero, int control) { InsertaEncabezadoFaltante(numero, control); }
  // The document has a customer; otherwise the cashier is told.
  bool ValidaClienteDocumento();
  // The one way a row of a document table is written: `nueva` appends a
  // row, otherwise the current row goes into edit (one already in edit or
  // insert stays so); `llena` fills it; it is posted. During a save the
  // write is the step `paso` of its unit of work. On a failure a
  // row this call appended or put into edit is given up and the error
  // reaches the caller.
  void GrabaFilaDocumento(db::Tabla& tabla, const QString& paso, bool nueva,
                          const std::function<void(db::Dataset&)>& llena);

  // --- Saving (F10, "Guardar (F10)", "Terminar Venta (F10)", "Termina
  // (F10)"). In this order: with HERRAJES_F5 an amount received below the
  // total stops it ("Falta Calcular Cambio..."); a document neither new nor
  // changed, without a customer or without a number is refused and stays in
  // capture; then everything the save will write is fixed (the totals, the
  // header from the screen) and the save journaled as one unit of work of
  // the station; an unreachable data folder closes the window, and the next
  // start of the station saves the sale; then every write: a change's
  // reserves given back and old lines deleted, a new document appended to
  // the kind's header table and numbered, header and lines by kind with
  // their stock and kits (and movement rows), the orphan lines of the
  // number emptied, the control snapshot, the day's total, the movement
  // mirror, the document log. A failed write is told, and the document stays in
  // capture; when part of it was written the capture is locked and F10
  // finishes that same save under the same number. Done, the screen shows
  // the saved document.
  void BotonGuardarClick();
  // The data folder cannot be reached.
  bool SinConexionDatos(const QString& carpeta) const;
  // A new document's final number: its header row appended whole to the
  // kind's header table (numbering lock held, number the last one + 1), then
  // numbered with its record number plus the folio offset; the header table
  // then stands on it. Part of a save.
  void AsignaNumeroFinal();
  // The offset of a kind letter: "r" remissions, "f" invoices, 0 others.
  qint64 AjusteFolio(QChar letra) const;
  // Folios.dbs of the data folder into the four folio values (line 1 - 1,
  // line 2, line 4 - 1, line 5); a missing file is made with "1", "0",
  // "0", "1", "0", "0". A line that is no number, or a file that cannot be
  // read or made: "Hay un error en la base de datos Folios", the values
  // keep what was read.
  void LeeFolios();
  // The lines of the saved number whose CONTROL no header of that number
  // has (left by an interrupted earlier save) get quantity 0.
  void DepuraPartidasHuerfanas(const QString& control, const QString& numero);
  // The header's phase column set (the header put into edit unless it is
  // being written); the caller posts.
  void FijaProceso(const QString& letra);
  // The station's save journal holds a save not finished.
  bool GuardadoPendiente();
  // Finishes the station's unfinished save from its journal and the capture
  // table; false (the cashier told why) when it cannot be finished now.
  bool TerminaGuardadoPendiente();

  // --- Stock of a saved line (the rules are ExistenciasVenta.h's).
  // The current capture row's exit from its product: -1 refused for lack
  // of stock (the cashier told, the row's quantity 0), 0 an unknown key,
  // else the stock left; INICIAL and FINAL of the row noted. A product row
  // held by another station past the retries goes to Existe.dbf and the
  // line is written.
  double DescuentaExistenciaPartida();
  void ActualizaKardexProducto(int signo, const QString& clave, double cantidad, double existencia);
  // The component lines of the current kit row, each component's stock
  // lowered.
  void ExplotaKit(const QString& cantidad, const QString& clave);
  // One row of Existe.dbf in the folder.
  void RegistraFaltanteExistencia(const QString& clave, const QString& carpeta, const QString& control,
                                  double cantidad);
  void AcumulaReservaProducto(const QString& clave, double cantidad);
  // What the saved lines of document `numero` with CONTROL `control` took
  // from stock, the sold accumulators and Kardex.dbf, given back line by
  // line (EfectoPartidaVenta), each change a step of the save's unit of
  // work; a line noted in Existe.dbf under the control took nothing. Run by
  // the cancel of a remission and by the save of a change before its old
  // lines go.
  void DevuelveEfectosVenta(const QString& numero, qint64 control);
  // A line of the document shown carries a conversion mark (TDOCU_FD): it
  // was made from other documents.
  bool PartidasConvertidas();
  // The key and quantity of every Existe.dbf row of the control.
  QList<std::pair<QString, double>> FaltantesDeControl(qint64 control) const;
  // --- The scale on ComPort1 ("COM3", 9600 baud, 8N1, every chunk handed
  // over as it arrives) and the small commands around a sale.
  // "Kg.", Opciones > "Leer Peso" and Page Up: the port opened when it is
  // not, the request "P" CR LF sent, then 100 ms with the screen blocked (a
  // chunk arriving meanwhile is handled after them). A port that cannot be
  // opened reaches the default handler and nothing is sent.
  void BotonBasculaClick();
  void LeerPeso1Click();
  // "Reset": the port closed.
  void BotonResetClick();
  // The port's state: the square lime and "OK Bascula", or grey and "OFF
  // Bascula".
  void ComPort1PortOpen();
  void ComPort1PortClose();
  // A chunk from the scale: its leading run of digits, points and slashes
  // kept in Memo1 and shown in EditPeso when it is 5 characters long, else
  // "Error de Lectura"; during a capture a weight becomes the current line's
  // quantity, the line left in edit.
  void ComPort1ReceiveCallBack(const QString& Data);
  // Opciones > "Abrir Cajón": an empty job on the current printer.
  void AbrirCajn1Click();
  // Ayuda > "Calculadora": "calc.exe" started; a failure is not reported.
  void Calculadora1Click();
  // Opciones > "Divisas": the currencies window.
  void Divisas1Click();
  // Registro > "Ver Lista Telefónica" (Ctrl+T): today's callers; the one
  // chosen starts a new sale, opens the customer catalogue on a new customer
  // when the number is nobody's key, and with "Integrar Identificador
  // Telefónico" becomes the sale's customer.
  void VerListaTelefnica1Click();
  // Opciones > "Configura Vendedor" (F3): with the administrator's password,
  // the seller typed becomes the station's seller (VendedorCaja) and,
  // during a capture, the document's.
  void ConfiguraVendedor1Click();
  // F7 during a capture: the price calculator on the current line, then the
  // line posted and the totals computed again.
  void CalculaPorImporte();

  // --- The customer side of a sale (the rules are CuentasVenta.h's). Each
  // writes through the save's unit of work and lets a failed write's error
  // reach the caller.
  // The total the document had when it was taken into change or cancel; 0
  // for a new one.
  Dinero TotalAnterior;
  // After an invoice is written: the balance of the customer of
  // EditCLCLI_F raised by the subtotal with the tax of EditIMIM1_F less
  // TotalAnterior, its last purchase the date of EditFEDOC_F; the screen's
  // subtotal becomes the subtotal with tax.
  void ActualizaSaldoCliente(EscrituraVenta& escritura);
  // After a new document is saved with configuration lines 96 and 99 "S": a
  // counter sale (customer "1") settled at once in the remission accounts,
  // the header paid in full; the header then shown again with its status.
  void AbonaContadoMostrador(EscrituraVenta& escritura);
  // For the cancel of a remission: its return row (paid "Efectivo" or
  // "Tarjeta"), and its account rows deleted.
  void DevolucionCuentaCobrar(EscrituraVenta& escritura);
  void BorraCuentaCobrarDocumento(EscrituraVenta& escritura);
  // Registro > "CxC" (Alt+C): for a credit sale, or any with configuration
  // line 96 "S", the account of the document shown (TFormaRemCxCDetalle),
  // then its header shown again with its status. Nothing during a capture.
  void CxC1Click();

  // --- Traces of a sale for stock reports (the rows are MovimientosVenta.h's).
  // With mi.cnf's "con movimientos" (OpcionMI; the save's own option during
  // a save): the movement row of the current capture row, its number the
  // last one + 1 under the movement table's numbering lock. A first attempt
  // that fails notes the document in mi_tmp.dat and is retried ten times,
  // a short pause between them, the caption telling each failed retry
  // (" Guardando MI, Problema de Tráfico...intento <n>"); a row still not
  // written is given up and the save goes on. During a save the row is a
  // step of its unit of work, written once.
  void GuardaMovimientoPartida();
  // One attempt: the row written when the capture row's quantity is above
  // 0. Errors reach the caller.
  void EscribeMovimientoPartida();
  // The movement rows of every capture row with a quantity, a key and a
  // description, under the concept (54 a cancelled remission, with the
  // header's CONTROL): keys that are no product ("COMENTARIO" included) and
  // service products (line "SERVI") get none. For the cancel of a document.
  void EscribeMovimientosCaptura(int concepto);
  // During a save: for every movement row of concept 1 or 3 that the sale
  // of `numero` with CONTROL `control` wrote (found by its NUDOC_MI), a
  // reversal row of concept 54, the same in every other field but its own
  // number and the user; only with the movement option on. Rows that cannot
  // be written after the retries are left out.
  void RevierteMovimientosVenta(const QString& numero, qint64 control);
  // A movement row written by `escribe`, retried on a busy network with the
  // attempts in the caption and the document noted in mi_tmp.dat; true once
  // written.
  bool EscribeMovimientoConReintentos(const std::function<void()>& escribe);
  // Appends the number to mi_tmp.dat of the program folder unless it is the
  // file's last line.
  void AnotaDocumentoSinMovimiento(const QString& numero);
  // The mirror of a new remission (line table "r...", the remission tables
  // in the folder of line 63): a MOVIMIENTOS.DBF row for every line of the
  // saved number and CONTROL. True when it was written; errors reach the
  // caller.
  bool EspejoDocumentoNuevo(db::Tabla& lineas);
  // After a change is saved: the mirror is not refreshed; false.
  bool EspejoDocumentoModificado(db::Tabla& lineas, qint64 control);
  // Opciones > "Chequeo de Impuestos": every line of the line table's range
  // whose product's IVA rate differs takes the product's; the lines walked
  // and changed are told, and a changed document shown again.
  void ChequeodeMovimientos1Click();

  // --- The station's control files, the document log and the day's total.
  // The control snapshot of the saved document on screen: the header's
  // fields, then one line per line row of its number and CONTROL, in
  // <program folder>\Control\<MM>-<yyyy>\FA-<kind>-<number>-<control>-<moment>.con;
  // the empty folder <data>\Control\<MM>-<yyyy>-<computer> made too.
  // Returns the file's name; on a failure "Ocurrio un error en el
  // directorio de Control" (plain message) and "".
  QString EscribeControlDocumento(const QDateTime& momento);
  // With a ceiling (configuration line 91) above 0: the header's total
  // appended to today's Acumular\<yyyy>-<m>-<d>.acu (mode 1), or with a
  // minus sign (-1), or nothing (0); then the day's sum, "Ya se Excedió el
  // Efectivo <sum>" when it passes the ceiling, and for mode 0 "Acumulado...
  // <sum>". An unreadable line ends it silently.
  // `total`: the amount appended instead of the header's IMTOD_F.
  void AcumulaTotalDia(int modo, double limite, std::optional<Dinero> total = std::nullopt);
  // Generar > "Acumulado..." and "Reiniciar Acumulado" (today's file
  // deleted, no question asked).
  void Acumulado1Click();
  void ReiniciarAcumulado1Click();
  // Ayuda > "Bitacora": for user "0", the log of the document shown, read
  // only.
  void Bitacora1Click();
  // --- Cancelling, changing and abandoning a document (CaptuRap_cancelar.cpp).
  // Registro > "Cancelar": with the password of a user with right 52 and
  // the cashier's yes, the remission or return shown is marked cancelled
  // ("C", ORIGE_F the authorising user, its lines "C") and its effects
  // reversed as one unit of work of the station's save journal; a petty
  // cash document gets only its log line.
  void Cancelar1Click();
  // "Modificar": the saved document taken back into capture, its header
  // held in edit (the record lock) until the change is saved or abandoned.
  void BotonCambiosClick();
  // Registro > "Cancela Movimiento": the capture thrown away, the saved
  // document nearest its number shown.
  void CancelaMovimiento1Click();
  // The invoice named by the reference (kind letter + number) has payments.
  bool FacturaConAbonos(const QString& referencia);
  // The invoice named by the reference and its lines marked cancelled.
  void CancelaFacturaGenerada(const QString& referencia);
  // Every line of the number in the line table marked cancelled.
  void MarcaPartidasCanceladas(const QString& numero);
  // The document's lines of its CONTROL, kit components included, into the
  // capture table.
  void RecargaPartidasDocumento();
  int RecargasCancelacion = 0;

  // --- Printing a sale (CaptuRap_impresion.cpp): the document shown run
  // through FormatoTicket over the header table and the capture table.
  // F11, "Imprimir Documento", Registro > "Imprimir" (Ctrl+I), the save
  // with "Guardar e Imprimir con F10", paying at the register: refused
  // during a capture ("Para Imprimir tiene que Guardar el Documento...");
  // with "Imprimir en Archivo" checked the preview instead; a reprint or a
  // cancelled document needs the password of a user with right 53.
  void BotonImprimirClick();
  // The print run: the format in print mode for the screen's user with the
  // currency texts of "M.N.", then the print mark "I" posted and shown. A
  // missing format is told and nothing marked; so is a run that fails.
  void ImprimeDocumento();
  // The preview of the document; the print mark is not touched.
  void VistaPreviaDocumento();
  // Archivo > "Preliminar": the preview with the currency texts of the
  // sale screen's own lookup (TextoMonedaVenta); no right asked.
  void Preliminar1Click();
  // Archivo > "Imprimir en Archivo": the check mark toggled.
  void ImprimirenArchivo1Click();
  // Archivo > "Imprimir Rango de Documentos": every existing number of the
  // range asked in "Rango" shown and printed, one job each, print marks
  // unchanged; the last one shown stays on screen.
  void ImprimirRangodeDocumentos1Click();
  // Formatos > "Elegir Formato": an existing format chosen becomes
  // FormatoTicket; Formatos > "Diseñar Formato": the format editor.
  void Elegirformato1Click();
  void DisearFormato1Click();
  // Registro > "Imprime Plantilla": the picture of the screen on the printer.
  void ImprimePlantilla1Click();

  // --- Cash registers and cash vouchers (CaptuRap_caja.cpp).
  // Opciones > "Configurar Caja" (user "0" only): a slot of caja.cnf
  // written from TFormaCaja and taken as the screen's register.
  void ConfigurarCaja1Click();
  // Generar > "Salidas de Efectivo" / "Entradas de Efectivo": the voucher
  // window of the kind (1 out, 2 in) on the Retiros.dbf of the kind's shared
  // header folder; a voucher the user chose to print is printed with
  // consulta\retiro.fmt.
  void SalidasdeEfectivo1Click();
  void EntradasdeEfectivo1Click();
  // The folder of the shared header table of the document kind shown in
  // Base (the remission folder for remissions), whatever table the header
  // table stands on now.
  QString CarpetaEncabezadoCompartido() const;

  // --- Commands (menu items and visible buttons).
  // Attaches the command of an item or button; from then on its phase
  // decides.
  void AsignaComando(QObject* item, std::function<void()> comando);
  // What the phase allows of an item or button (it is enabled only when it
  // also has a command and no inactive-menu file took it away).
  void Permite(QObject* item, bool permitido);
  static bool Permitido(const QObject* item);
  // --- Options kept in encabeza.cnf and the small commands.
  // Rewrites encabeza.cnf of the program folder whole: its 18 lines from
  // the check marks and the shortcut captions in force.
  void GuardaOpcionesVenta();
  // The format picker: true and `formato` := the path of an existing print
  // format accepted; false when it is cancelled or the path names no file
  // (which is told), `formato` left as it was.
  bool EligeFormatoImpresion(QString& formato);
  // Formatos > "Asignar Formato" > "Ctrl+F<n>" (n 1 to 6): the caption
  // becomes "Ctrl+F<n> (<path chosen>)" and the options are saved; a
  // picker cancelled, or a path that names no file (which is told), leaves
  // both as they were.
  void AsignaFormatoAtajo(int n);
  // Opciones > "Ver Funciones" (Ctrl+F1): the keys, in a plain message.
  void VerFunciones1Click();
  // Opciones > "Cursor en Cliente" (Ctrl+F2): during a capture, the focus
  // on the customer field.
  void CursorenCliente1Click();
  // Formatos > "Habilitar Pantalla Alterna": the alternative display over
  // the grid while marked; not kept.
  void HabilitarPantallaAlterna1Click();
  // Ayuda > "Temas...": the sale screen's help page.
  void Temas1Click();
  // Ayuda > "Tabulador": the tabulation program started, not waited for.
  void Tabulador1Click();
  // Corte de Caja > "Generar Corte": the last document shown, then the
  // cash-cut window to close the documents since the last cut.
  void GenerarCorte1Click();
  // Turno > "01", "02", "SinTurno": for users "1", "2" and "0" only; a mark
  // set takes the others' away; the options are saved.
  void N011Click();
  void N021Click();
  void SinTurno1Click();

  // Disables the second-level items named in Menu_inactivo.cnf of the data
  // folder, for good.
  void DesactivaMenusInactivos();
  // With Bloq.dat in the program folder, a restricted user other than "0"
  // sees only the last entry of Reportes.
  void OcultaReportesBloqueados();

 protected:
  void FormShow() override;
  void FormActivate() override;
  void FormCloseQuery(bool& puedeCerrar) override;
  void FormClose() override;
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;
  void resizeEvent(QResizeEvent* evento) override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  // Construction, by area.
  void ConstruyeMenu();
  // The visible command buttons follow the commands' rule.
  void ComandosVisibles();
  void ConstruyeEncabezado(QWidget* padre);
  void ConstruyeDetalle();
  void ConstruyeEstado();
  void ConstruyePanelDerecho();
  void ConstruyeCaptura();
  void ConstruyeTablas();

  // Creation and show steps.
  void FormCreate();
  void LeeOpcionesVenta();
  void LeeEspecial();
  void LeeCaja();
  void AplicaAnchosDetalle();

  // First activation.
  void PreparaTablasVenta();
  void ReclamaCaptura();
  void LeeUsuarioMulti();
  void MuestraUltimoDocumento();
  void AbreTablasTipo(const QString& tipo);
  // Closes the tables and gives the station up.
  void SueltaCaptura();
  void FijaGenerarTipo(const QString& tipo);

  // New, with the right: the header row of the new document (steps whose
  // failure the cashier is told as one).
  void PreparaDocumentoNuevo(bool conservaPartidas = false);
  bool IniciaDocumento(bool conservaPartidas);
  // The last number of the kind's shared header table (a last row numbered
  // 0 beyond the tenth record gets its record number plus one).
  qint64 UltimoNumeroCompartido();
  // The header table back on the kind's shared table when it stands on the
  // provisional one.
  void VuelveEncabezadoCompartido();
  // The header into edit unless it is being edited or inserted.
  void EditaEncabezado();
  void ConectaEncabezado();
  void EditCLCLI_FEnter();
  void EditCLCLI_FKeyDown(int& tecla);
  void EditCLVEN_FEnter();
  void EditCLVEN_FKeyDown(int& tecla);
  void EditCLVEN_FExit();
  // Line capture: the handlers of the capture edits and the grid.
  void ConectaCaptura();
  bool Capturando() const;
  db::Campo& Partida(const char* campo) const;
  void EditCantidadEnter();
  void EditCantidadKeyDown(int& tecla);
  void EditClaveKeyDown(int& tecla);
  void EditEmpaqueEnter();
  void EditEmpaqueExit();
  void EditEmpaqueKeyDown(int& tecla);
  void DetalleEnter();
  void DetalleKeyDown(int& tecla);
  // The key field and the row's key emptied.
  void VaciaClave();
  // EditTARA shown when the typed key's product has the tare value.
  void MuestraTara();
  // F1 and F2 of the capture: the lookup in that order; its answer the row's key.
  void BuscaEnCatalogo(int orden);
  // F2: the lookup by key, then the line filled.
  void BuscaPorClave();
  // F3: the line filled again.
  void RepitePartida();
  // The grid to a column; to column 2 it fills the line also when the grid
  // already stands there.
  void VeAColumna(int columna);
  // Column 2: the line filled.
  void LlenaPartida();
  // Steps of the fill: the product of the typed text (from its code on, or
  // from its key); a found product put on the line; the not-found answer.
  bool ResuelveProducto(const QString& texto, bool desdeCodigo);
  void PartidaDeProducto();
  void ProductoNoEncontrado(const QString& texto);
  // The product table on the row's key and the price column's pick list
  // from its prices; false when the key names no product.
  bool ListaDePrecios();
  bool EmpaqueVisible() const;
  // The row's factor shown and the focus on the package field.
  void EnfocaEmpaque();
  // The focus on the key field (capture starts in the key) or on the
  // quantity field with its text selected.
  void EnfocaCaptura();
  // The commands of prices and discounts attached.
  void ConectaPrecios();
  // Totals steps 1 to 10: the capture walked into Totales, the amounts
  // shown, total.dat written. Throws on failure.
  void TotalizaCaptura();
  // The lines and articles, LabelIEPS and LineasCaptura from Totales.
  void MuestraPartidas();

  // Keys and header fields.
  void ConectaTeclas();
  // Rule 1 of the keys: the focused control takes the key itself.
  bool TeclaDelControl(int tecla) const;
  // Rule 2: the key is a menu item's shortcut.
  bool TeclaDeMenu(int tecla, Qt::KeyboardModifiers shift) const;
  // The header's order of the focus movement.
  void OrdenEncabezado();
  // A header field written during a capture (the header row put into edit)
  // and so shown.
  void EscribeEncabezado(ui::EditDatos* caja, const QString& valor);
  // The date field (EditFEDOC_F, also for HoraExtra): today on entering,
  // today in place of a date that is no date.
  void EditFEDOC_FEnter();
  void ValidaFecha();
  void EditIMIM1_FKeyDown(int& tecla);
  void EditDESFI_FKeyDown(int& tecla);
  // The grid's text of a value (DetalleDrawColumnCell).
  QString TextoCeldaDetalle(const db::Campo& campo, const QVariant& valor, const QString& texto) const;
  // Shared tables: lock errors retried within the table layer's bound.
  void ConectaErroresTablas();
  // Showing documents: the navigator and the search attached.
  void ConectaMuestra();
  // Payment.
  void ConectaPagos();
  void TipoPagoKeyDown(int& tecla);
  void CAMBIO_FKeyDown(int& tecla);
  // The amount received does not read as a number.
  bool PagoNoNumerico() const;
  // Writing a document: the header row from the screen, the line rows of
  // the capture, the old lines of the header's number and CONTROL deleted.
  void EscribeEncabezadoDocumento(PlanGuardado& plan);
  void EscribePartidasDocumento(QChar letra, const QString& numero);
  void BorraLineasDocumento();

  // The scale's component and commands, the small commands.
  void ConectaBascula();
  void ConectaDialogos();
  // The option toggles, the format shortcuts and the small commands; the
  // cut and the turns.
  void ConectaOpciones();
  void ConectaCorte();
  // A turn's item for its user only, with the refusal told otherwise.
  void CambiaTurno(QAction* turno, const QString& usuarioTurno, const QString& aviso);
  // The "CxC" item attached.
  void ConectaCuentas();
  // Printing and the cash register commands attached.
  void ConectaImpresion();
  void ConectaCaja();
  // The user number and the currency texts of "M.N." (from the formats'
  // lookup, or the sale screen's own with `monedaVenta`) set for the next
  // format run.
  void PreparaImpresion(bool monedaVenta = false);
  // The administrator prompt: true when the password typed is that of a
  // user with right 53 (the refusal told).
  bool AutorizaReimpresion();
  // The header shown is printed or cancelled; LeeMarcasDocumento reads its
  // marks again from the file first.
  bool ImpresaOCancelada() const;
  void LeeMarcasDocumento();
  void VistaPrevia(bool monedaVenta);
  // Voucher kind 1 or 2.
  void MovimientoEfectivo(int tipo);

  void FormResize();
  // "Terminar Venta", the other buttons and boxes of line capture and the
  // capture phase text follow one state.
  void HabilitaTerminaVenta(bool habilitado);
  void BotonSalirClick();
  // The user number of the label usuario (0 when it holds no number).
  int NumeroUsuario() const;
  // The user of the label holds the right (silent test; no user, no right).
  bool Derecho(int posicion) const;

  // Saving.
  void ConectaGuardado();
  // The plan of a save from the screen.
  PlanGuardado PlanDePantalla(QChar letra, bool nuevo, bool cambio);
  // Every write of the plan's save; then the journal ends.
  void EjecutaGuardado(const PlanGuardado& plan);
  // The started save of the journal run to its end, then the saved phase.
  void ContinuaGuardado();
  // The station's save journal (null without a station).
  UnidadTrabajo* Diario();
  // GuardaPorTipo called outside a save: one save of the document as the
  // screen holds it, without final numbering.
  void GuardaSuelto(QChar letra);
  // The saved phase after a save.
  void FinGuardado(const PlanGuardado& plan);
  // A cancel: its commands attached, its plan from the screen, its writes
  // (run again from the journal after a kill), the document shown after it.
  void ConectaCancelacion();
  PlanGuardado PlanCancelacion(int autoriza);
  void EscribeCancelacion(const PlanGuardado& plan);
  void FinCancelacion();
  // A change's reserves also hold the stored kit components whose stock
  // the sale lowered.
  void ReservaComponentesKit();
  // A change's hold of its header row ends: a pending edit of the header
  // is cancelled and the row kept locked since "Modificar" is let go.
  void SueltaEncabezado();
  // The header and line tables on the plan's; the header table standing on
  // `registro` (0: anywhere). False when that row is gone.
  bool PosicionaEncabezado(const PlanGuardado& plan, qint64 registro);
  // Steps of a save on the header and the lines.
  void EscribeEncabezadoGuardado(const QString& numero);
  void AseguraEncabezadoGuardado(const QString& numero);
  void BorraPartidasAnteriores();
  // The save of a change: what the document did when it was saved, given
  // back before its old lines go (DevuelveEfectosVenta, the reversal of its
  // movement rows, its old total out of the day's accumulator).
  void DevuelveVentaCambiada(const QString& numero);
  // The remissions of an invoice made from them (PlanGuardado's
  // remisionesFacturadas) marked "F" + the invoice's number, as a step of
  // the save, once the invoice is written; those already marked keep their
  // mark, and those that cannot be marked are named to the cashier.
  void MarcaRemisionesFacturadas(const QString& numero);
  // The document in capture is no longer an invoice made from remissions.
  void OlvidaFacturaDeRemisiones();
  void EscribeBitacoraGuardado(const QString& numero);
  // Steps 11 and 12 of a save: the control snapshot, the day's
  // accumulator, the movement mirror and its mark MI; their failures never
  // stop the save.
  void RastrosGuardado(const QString& numero);
  // The header table on the saved document's row (its number and CONTROL);
  // false when it is not there.
  bool EnEncabezadoGuardado(const QString& numero);
  // The menu items of the traces attached.
  void ConectaRastros();
  // What the movement rows of the document share: the save's, or outside a
  // save the screen's (concept 54 with the header's CONTROL).
  MovimientoVenta DatosMovimiento() const;
  // The customer side of a save, each write a step of its unit of work: an
  // invoice's customer balance; a new counter sale settled (its errors stop
  // nothing).
  void SaldoClienteGuardado();
  void AbonaMostradorGuardado(const QString& numero);
  // One Existe.dbf row for a stock change that failed, as the step `paso`.
  void AnotaFaltante(const QString& paso, const QString& clave, double cantidad);
  // A stock change of a product row: through the unit of work during a
  // save, at once otherwise. Its failure goes to Existe.dbf. Returns the
  // journaled results.
  QStringList CambiaExistencia(const QString& paso, const QString& clave, double cantidad,
                               const std::function<QStringList()>& cambio);

  std::unique_ptr<UnidadTrabajo> guardado_;  // the station's save journal
  std::unique_ptr<PlanGuardado> plan_;       // the save running, null outside one
  QString numeroGuardado_;                   // the number of the document being saved
  bool preguntaCierre_ = false;              // FormCloseQuery is asking

  EstacionCaptura estacion_;
  ui::TColor colorPanel2_ = ui::clBtnFace;
  QColor colorCampo_;            // the colour of the header field highlighted now
  QList<QKeyCombination> atajosMenu_;  // every menu item's shortcut
};

// The leading run of characters from "." to "9" in code order (the point,
// the slash and the digits) of a text: the weight of a scale's answer.
QString ExtraeNumero(const QString& texto);

inline TFormaCapturaRapida* FormaCapturaRapida() { return ui::InstanciaDe<TFormaCapturaRapida>().data(); }

