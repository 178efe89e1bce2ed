#pragma once
// The sale screen's report definitions as data: every list report of its
// Reportes menu is a row (FilaReporteVenta) and every cash cut a list of
// sections (CortesVenta.h); one builder turns either into the report script
// the runner EjecutaReporteSQL reads (reports/RepoSQL.h), together with the
// arguments the command hands the runner.
//
// A script is made of lines, each ended by one carriage return (also the
// last one): "$" title, "&" query, "?" conditions with the mark "¿" where
// the runner puts the dialog's choices, "!" order, ">" break field, "%"
// column kinds, "#" column titles (their positions give the widths), "@"
// end of a section. The lines of a row are kept as the runner reads them,
// blanks included; the table paths in them are written as placeholders and
// filled from where the screen's tables are at the click (LugarReporte):
//
//   [H]        the header table:          "<header folder>\<header file>"
//   [L]        the line table:            "<header folder>\<line file>"
//   [LL]       the line table:            "<line folder>\<line file>"
//   [P]        the product table:         "<product folder>\<product file>"
//   [C8H]      the header file:           "<configuration line 8>\<header file>"
//   [HF]name   a table of the header folder:       "<header folder>\name"
//   [DF]name   a table of the company data folder: "<data folder>\name"
//   [C8]name   a table of the folder of configuration line 8
//   [RF]name   a table of the remission folder (line 63, else line 8)

#include <QChar>
#include <QDateTime>
#include <QString>
#include <QVector>

// Where the tables a report reads are at the moment of the click.
struct LugarReporte {
  QString carpetaEncabezado, encabezado;  // TablaFacturae
  QString carpetaPartidas, partidas;      // TablaFacturaD
  QString carpetaProductos, productos;    // TablaInventario
  QString carpetaDatos;                   // the screen's data folder
  QString carpetaLinea8;                  // configuration line 8
  QString carpetaRemisiones;              // configuration line 63, else line 8
};

// The text with its table placeholders written as quoted paths.
QString LlenaRutasGuion(const QString& texto, const LugarReporte& lugar);

// One section of a script; a null line is left out ("$" and "@" always
// there). The lines keep their first character.
struct SeccionGuion {
  QString titulo;  // "$..."
  QString consulta;
  QString condicion;
  QString orden;
  QString corte;
  QString tipos;
  QString titulos;
};

// The script of the sections, placeholders filled; `corte` adds the cash
// cut's closing lines "<14-24" and "@".
QString GuionDeSecciones(const QVector<SeccionGuion>& secciones, const LugarReporte& lugar, bool corte = false);

// Which dataset a report is about: the screen's header or line table, or a
// table the command opens for the run.
enum class DatosReporteVenta {
  Encabezado,  // TablaFacturae
  Partidas,    // TablaFacturaD
  Cobros,      // CucobrarRemision.DBF of the remission folder, tag ICUECOB
  Retiros,     // retiros.dbf of the cash-cut data folder, tag CLDOC_F
};

// What a command hands EjecutaReporteSQL, in its order.
struct ArgumentosReporte {
  QString titulo;
  QString campoClave;
  QString fechaDesde;
  QString fechaHasta;
  QString claveBusca;
  DatosReporteVenta datos = DatosReporteVenta::Encabezado;
  QString guion;
  int tipo = 0;
  QString mascara;
  bool dialogo = true;
  QChar sentido = u' ';
  bool operator==(const ArgumentosReporte&) const = default;
};

// The screen as a report command finds it at the click.
struct ContextoReporte {
  LugarReporte lugar;
  QString tituloPantalla;  // the sale screen's own caption
  QString numeroActual;    // CLDOC_F of the header row shown
  QString numeroUltimo;    // CLDOC_F of the header table's last row
  QDateTime momento;       // the click
  QString usuario;         // the logged user's name, in capitals
  QString turno;           // the turn condition of "Corte Z por Turno"
  QString ventana;         // the time window of "Cortes Separados"
};

// What a list report does besides its script.
enum ExtraReporte : unsigned {
  CuentaCeros = 1,          // first CuentaDocumentosEnCero
  AplicaPagos = 2,          // first AplicaPagosDelDia and the "No de Caja" prompt
  BuscaUltimo = 4,          // to the first and last rows; the last row's number found again
  SinRedibujo = 8,          // the screen's document is not shown again
  ReencuentraActual = 16,   // the number of the click found again after the run, then shown
  SinClave = 32,            // no range key field
  SinFechas = 64,           // no date fields
  TituloPantalla = 128,     // titled with the screen's caption
  FechasVencimiento = 256,  // date fields FEVEN_F
  SinBusca = 512,           // no key to find again
  TituloRetiros = 1024,     // "$" + caption + " RETIROS "
};

// A list report of the Reportes menu.
struct FilaReporteVenta {
  const char* clave;      // the menu item's component name
  const char* titulo;     // its caption
  const char* consulta;   // "&" line
  const char* condicion;  // "?" line, or nullptr
  const char* orden;      // "!" line, or nullptr
  const char* corte;      // ">" line, or nullptr
  const char* tipos;      // "%" line
  const char* titulos;    // "#" line
  DatosReporteVenta datos;
  unsigned extras;
};

// Every list report, in the menu's order of their rows.
const QVector<FilaReporteVenta>& FilasReporteVenta();
// The row of a component name; nullptr when there is none.
const FilaReporteVenta* FilaReporte(const QString& clave);

// Another window's differences from a row (the row of the same component
// name): each line given replaces the row's, an empty one leaves the line
// out; `quita` and `agrega` change its extras.
struct CambiosFila {
  const char* clave;
  const char* titulo;
  const char* consulta;
  const char* condicion;
  const char* orden;
  const char* corte;
  const char* tipos;
  const char* titulos;
  unsigned quita;
  unsigned agrega;
};
// The row as that window runs it.
FilaReporteVenta FilaConCambios(const FilaReporteVenta& fila, const CambiosFila& cambios);

// The script and the runner's arguments of a list report.
ArgumentosReporte ArgumentosDeFila(const FilaReporteVenta& fila, const ContextoReporte& contexto);
