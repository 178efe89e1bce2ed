#pragma once
// The company configuration file Gener<N>.cnf: one value per line, addressed
// by line number only, 99 lines when the configuration window writes it.
// This unit is the table of those lines, shared by every reader (through
// LeeLineaConfig and the names below), by the company dialog and by the
// configuration window that edits and writes the whole file.
//
// Values are stored as typed, without trimming; a line beyond the end of the
// file reads as empty. "SI"/"NO" lines are compared with those exact texts,
// check-box lines with exactly "S". Lines 4, 10, 26, 27, 66 and 67 are
// reserved: nobody reads them, and a writer puts back what it read there.

#include <QString>
#include <QStringList>
#include <QVector>

// The lines by name. The comment gives what a line decides.
enum LineaConfig : int {
  ConfBasesAbiertas = 1,           // "SI"/"NO": data windows keep their tables open
  ConfIntegraCxC = 2,              // "SI"/"NO": kept and shown only
  ConfIntegraCxP = 3,              // "SI"/"NO": kept and shown only
  ConfReservada4 = 4,              // reserved (an invisible box of the window)
  ConfIva = 5,                     // default tax percentage of documents
  ConfIntegraMovimientos = 6,      // "SI"/"NO": documents post inventory movements
  ConfTipoCambio = 7,              // exchange rate, kept and shown only
  ConfCarpetaDatos = 8,            // data folder: company tables and shared files
  ConfNombreEmpresa = 9,           // company name (company dialog, main caption)
  ConfReservada10 = 10,            // reserved
  ConfClaveAccesoEmpresa = 11,     // company key of the login (invisible box)
  ConfFormatoClientes = 12,        // print formats: bare file names in consulta\ ...
  ConfFormatoVendedores = 13,
  ConfFormatoFactura = 14,
  ConfFormatoRemision = 15,        // ... the sale screen starts with this one
  ConfFormatoPedido = 16,
  ConfFormatoCotizacion = 17,      // quotations and petty cash
  ConfFormatoMovimientos = 18,
  ConfFormatoCxC = 19,             // kept and shown only
  ConfFormatoCxP = 20,
  ConfFacturarSinExistencias = 21, // "S": sell without stock
  ConfFormatoDevolucion = 22,
  ConfFormatoNotaCredito = 23,     // kept and shown only
  ConfFormatoInventarios = 24,
  ConfFormatoProveedores = 25,
  ConfReservada26 = 26,            // reserved
  ConfReservada27 = 27,            // reserved
  ConfFormatoRecepcion = 28,
  ConfFormatoOrdenCompra = 29,
  ConfFormatoDevolucionCompra = 30,
  ConfHojaCalculo = 31,            // spreadsheet program started with exports
  ConfCalculadora = 32,            // kept and shown only
  ConfImpuestosPorPartida = 33,    // "S": taxes per line (prices include taxes)
  ConfConsecutivoClientes = 34,    // "S": customer keys numbered automatically
  ConfConsecutivoProveedores = 35, // "S": supplier keys numbered automatically
  ConfFallosEnergia = 36,          // "S": start and stop marker file
  ConfModoCobranza = 37,           // kept and shown only
  ConfActualizaExistencias = 38,   // "S": stock updated from inventory movements
  ConfFormatoCxCDetallada = 39,
  ConfFormatoCxPDetallada = 40,    // kept and shown only
  ConfExistenciasNegativas = 41,   // "S": stock may go below zero
  ConfDigitosCantidad = 42,        // decimals of sale quantities (0 to 5)
  ConfPoliticasPrecios = 43,       // "S": volume price policy in sales
  ConfCalculaPrecios = 44,         // "S": purchases recompute prices from cost
  ConfDigitosTotal = 45,           // rounding of the sale total (0 to 100)
  ConfMultialmacen = 46,           // "S": several warehouses
  ConfCapturaClaves = 47,          // "S": new product keys from the sale screen
  ConfComprasPiezas = 48,          // 48 to 56 kept and shown only
  ConfComprasEmpaque = 49,
  ConfVentasPiezas = 50,
  ConfVentasEmpaque = 51,
  ConfEntradasPiezas = 52,
  ConfEntradasEmpaque = 53,
  ConfSalidasPiezas = 54,
  ConfSalidasEmpaque = 55,
  ConfTraspasosPiezas = 56,
  ConfTraspasosEmpaque = 57,       // read by the movement posting
  ConfDescuentosClienteLinea = 58, // "S": customer discounts per product line
  ConfCarpetaInventario = 59,      // inventory folder; empty: the data folder
  ConfFormatoCheque = 60,
  ConfDescuentoGlobal = 61,        // "S": document discount editable
  ConfPagosCaja = 62,              // "S": payments received at the register
  ConfCarpetaRemisiones = 63,      // remission folder; empty: the data folder
  ConfConsecutivoProductos = 64,   // "S": product keys numbered automatically
  ConfVistaResaltada = 65,         // "S" highlighted, "N" classic (grey) windows
  ConfReservada66 = 66,            // reserved
  ConfReservada67 = 67,            // reserved
  ConfTablaCxC = 68,               // table file of the remission receivables
  ConfBusquedaAvanzada = 69,       // "S": search mode of the sale screen
  ConfMaximoPartidas = 70,         // line limit of a sale document
  ConfChequeoPermanenteMI = 71,    // "S": main window clock timer
  ConfFactorStock = 72,            // factor of the stock report
  ConfDigitosCosto = 73,           // rounding step of policy prices (tenths)
  ConfCarpetaFacturaElectronica = 74,
  ConfNumerosSerie = 75,           // "S": product serial numbers
  ConfKits = 76,                   // "S": kits
  ConfTurnos = 77,                 // "S": shift menus of the sale screen
  ConfKardexIntegral = 78,         // "S": stock from the movement mirror
  ConfCFDI = 79,                   // kept and shown only
  ConfCostoMayor = 80,             // "S": cost option of purchases
  ConfImpresoraSistema = 81,       // printer of formats that ask for the system one
  ConfDescuentosCompras = 82,      // "S": discounts in purchases
  ConfFormulaCosto = 83,           // formula of prices from cost
  ConfPrecioEnCompra = 84,         // "S": price option of purchases
  ConfBitacora = 85,               // "S": per-document change logs
  ConfSoloCodigoBidimensional = 86,
  ConfFechaInicialFolios = 87,     // 87 to 90 kept and shown only
  ConfFechaFinalFolios = 88,
  ConfFolioInicial = 89,
  ConfFolioFinal = 90,
  ConfTotalAcumulado = 91,         // daily cash accumulation limit
  ConfGenerarMI = 92,              // read by the product window
  ConfModificarImpresas = 93,      // kept and shown only
  ConfMonedaFactura = 94,          // kept and shown only
  ConfConCortes = 95,              // "S": sales stamped with the current cash cut
  ConfCxCRemisiones = 96,          // "S": receivables of remissions
  ConfBloqueaCambioVendedor = 97,  // "S": seller read-only on the sale screen
  ConfBloqueaPorAdeudos = 98,      // "S": customers with debts are blocked
  ConfPagarCxCMostrador = 99,      // "S": counter customers pay receivables
};

inline constexpr int kLineasConfiguracion = 99;

// The control that edits a line in the configuration window.
enum class ControlLinea {
  Caja,        // text box
  CajaOculta,  // invisible text box: loaded and written back
  Casilla,     // check box: "S" checked, "N" not
  Giro,        // spin box with a range
  Radios,      // a pair of radio buttons: "S" the first, "N" the second
  Ninguno,     // no control: reserved
};

// What a line holds.
enum class ValorLinea {
  SiNo,      // "SI" or "NO"; a double-click on its box swaps them
  SN,        // "S" or "N"
  Formato,   // bare file name of a print format of the consulta folder
  Carpeta,   // full folder path without the trailing backslash
  Programa,  // full path of a program
  Entero,    // integer as text
  Decimal,   // decimal number as text
  Texto,
};

struct DefLineaConfig {
  int linea;
  const char* nombre;      // "ConfIva"
  ControlLinea control;
  const char* componente;  // control's component name ("" for none)
  const char* titulo;      // caption beside the control ("" for none), UTF-8
  const char* pestana;     // tab of the window ("" for none)
  const char* grupo;       // group box within the tab ("" for none)
  ValorLinea valor;
  const char* inicial;     // value of a fresh window
  int minimo = 0;          // spin box range
  int maximo = 0;
  const char* alterno = "";        // second radio button
  const char* tituloAlterno = "";  // its caption

  QString Nombre() const { return QString::fromUtf8(nombre); }
  QString Componente() const { return QString::fromUtf8(componente); }
  QString Titulo() const { return QString::fromUtf8(titulo); }
  QString Pestana() const { return QString::fromUtf8(pestana); }
  QString Grupo() const { return QString::fromUtf8(grupo); }
  QString Inicial() const { return QString::fromUtf8(inicial); }
  // Nobody reads the line; a writer puts back what it read.
  bool Reservada() const;
};

// Every line from 1 to kLineasConfiguracion, in order (entry i is line i+1).
const QVector<DefLineaConfig>& LineasConfiguracion();
// Line n (1 to kLineasConfiguracion); nullptr for any other number.
const DefLineaConfig* DefinicionLinea(int n);

// The kLineasConfiguracion values of a fresh configuration window.
QStringList ValoresInicialesConfiguracion();

// "<carpetaPrograma>\Gener<numero>.cnf": the configuration file of company
// `numero` (a company number as text, decimal without leading zeros).
QString ArchivoEmpresa(const QString& carpetaPrograma, const QString& numero);

// The folder of each company table: LugarTablas.h.

// Writes a whole configuration file at once, replacing any old one so that
// no station ever reads half a file: the values in line order, missing ones
// empty, exactly kLineasConfiguracion lines. Throws plat::Error.
void EscribeConfiguracionEmpresa(const QString& ruta, QStringList valores);

// The data folder of the company in effect (line 8); throws plat::Error
// (NoExiste) when the line is empty, so that no file is read or written in a
// folder nobody chose.
QString CarpetaDatosEmpresa();
