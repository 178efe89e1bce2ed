#pragma once
// Report scripts: the runner EjecutaReporteSQL, through which the report and
// cash-cut commands of every module show their reports, and its window
// TFormaReporteSQL.
//
// A command describes its report as a script (GuionReporte): lines, each
// ended by a carriage return (text after the last one and empty lines are
// ignored), whose first character gives the line its role. That character
// is removed wherever it stands in the line before the rest is used.
//
//   $  block title; its pages say "Reporte de " + the text
//   &  "Select <columns> from "<data folder>\<table>""; a "#" in it stands
//      for the data folder (configuration line 8)
//   ?  conditions: the statement so far + "  where " + the text
//   !  "  order by " + the text; "X" alone: no order. An order field chosen
//      in the dialog replaces it: it is selected once more before every
//      lower-case "from", a text column is added to the "%" line and its
//      name to the heading ("*" + field)
//   >  break field: a change of its value closes a group with the subtotals
//      of the group's "t" columns
//   %  one kind token per column, separated by blanks (GuionReporte.h)
//   #  column titles; each title's column reaches to the next title
//   <  a rest that is not empty ends its block at once: no query, no lines,
//      but the block keeps its number
//   @  ends a block; blocks run in order and are numbered from 1; lines
//      after the last "@" are never read
//
// A block's lines go in the order $ & ? ! % # (">" anywhere before "@"):
// a "?" line extends the statement as the line before it left it. A block
// without "&", "?" or "!" shows the previous block's result again (as the
// first block it fails). Kinds not given by a block keep those of earlier
// blocks of the run.
//
// Placeholders, filled before the blocks run:
//   ¿  a blank and the dialog's choices: the date range on the date fields
//      and the field conditions ("and " + ..., CondicionesReporteSQL) and
//      the key range "(K>='<De>' and K<='<Hasta>')" joined by " and ";
//      a single blank when nothing applies. When the character after the
//      last "¿" of the script is not a carriage return, it names the table
//      alias of the key field: "(F.K>='...' and F.K<='...')".
//   Ç  "  and  FEAPL_CC>="m/d/yyyy"and  FEAPL_CC<="m/d/yyyy"", the dialog's
//      dates
//   «  removed from the statement
// Texts typed in the dialog reach the statement as literals, quotes doubled.
//
//   const QString q = QStringLiteral("\"") + datos + "\\proveedo.dbf\"";
//   const QString guion = "$" + titulo + "\r" +
//       "& Select CLAVE_P,NOMBR_P,CARGO_P,ABONO_P,SALDO_P from " + q + "\r" +
//       "?(SALDO_P>0.01) ¿\r"
//       "!CLAVE_P\r"
//       "%e           c              t            t            t           \r"
//       "#PROVEEDOR   NOMBRE         CARGOS       ABONOS       SALDO       \r"
//       "@\r";
//   EjecutaReporteSQL(titulo, "CLAVE_P", "", "", claveActual, TablaProveedo, guion, 0, "", true, u' ');
//
// The pages a block writes: its title line ("*Reporte de ...", red on
// screen), the heading and an empty line (these only with a "$" line); an
// empty line; a line per row, each value shown by its kind and fitted to
// its column; with a break field, after each group an underline, the
// subtotal line and an empty line; at the end of the result an underline,
// the total line ("t" columns summed, "m" columns averaged over the block's
// rows), two empty lines and ".". Totals are exact to four decimals and
// kept per block and column for the cash-cut summaries; scripts may have
// any number of blocks and columns.
//
// Layout kinds (argument `tipo`):
//   0  the plain report
//   1  the cash-cut summary added after the pages (ResumenCorteCaja)
//   2  the global summary shown in place of the pages (ResumenCorteGlobal)
//   3  the collections summary added after the pages (ResumenCorteCobranza)
//   4  the pages reduced to their titles, headings, subtotals and totals,
//      then the summary of kind 1
// Every run sets the rates the summaries divide taxes by to give the taxed
// amounts: TasaImpuestoReporte 0.16 and TasaIepsReporte 0.08. The
// summaries read fixed blocks and columns: blocks 1 remissions, 2
// invoiced remissions, 3 direct invoices, 4 cancellations, 5 returns, 6
// cash withdrawals, 7 cash entries; columns 3 amount, 4 subtotal, 5 tax,
// 7 and 8 discounts, 9 IEPS. Lines of extras.txt in the program folder
// (signatures...) go under each summary's heading.
//
// A plain report (kind 0) still running when UmbralProgresoGuion has passed
// shows its first page as soon as it is full and goes on writing the rest
// while the user reads (the status bar shows how far it has gone); printing,
// export and charts first let it end. An error after the window has shown
// says "Error al ejecutar el reporte..." and closes it. The lines and the
// last block's rows are kept in work files of the program folder's "tempo"
// folder, not in memory.
//
// The window (caption "Reporte de " + title) shows pages of 50 lines, turned
// by hand or automatically, in the colours and font the user picks; prints
// them ("Imprimir": the pages chosen; Ctrl+P in the text: the page shown);
// exports them (a name ending in "txt": every page as text; any other: the
// last block's rows, one cell per field, as a workbook by the rule of
// platform/hoja/Hoja.h) and opens the file with the spreadsheet program;
// and charts the last block's rows ten at a time in bars, pie or lines.

#include "foundation/dinero.h"
#include "platform/ui/Forma.h"
#include "reports/LineasGuion.h"
#include "reports/ModeloGrafica.h"
#include "reports/ProtocoloReporte.h"  // TasaImpuestoReporte, TasaIepsReporte: the summaries' rates

#include <QChar>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QTextCharFormat>
#include <QVector>

#include <memory>
#include <optional>
#include <vector>

class DialogoImpresion;
class QChartView;
class QLabel;
class QProgressBar;
class QSpinBox;
class QStatusBar;
class QTextEdit;
class QTimer;
class QToolButton;

namespace db {
class Campo;
class Consulta;
class Tabla;
}
namespace ui {
class DialogoArchivo;
}

// A run that has taken longer than this many milliseconds shows its
// progress until the report window shows; a plain report then shows its
// first page while it goes on.
extern int UmbralProgresoGuion;

// Runs a report script over the company's tables:
//  - titulo: the window says "Reporte de " + titulo without its "&";
//  - campoClave: the field of `tabla` whose first and last values the
//    dialog proposes as the key range (De, Hasta), and the field the range
//    applies to; empty: no key range;
//  - campoFechaDesde, campoFechaHasta: fields compared ">=" with the
//    dialog's start date and "<=" with its end date; empty: none;
//  - claveBusca: `tabla` is left on this key of its index;
//    empty: no search;
//  - tabla: the caller's table; its file name chooses the dialog's fields;
//  - guion: the script; tipo: its layout kind;
//  - mascara: up to four characters; an "N" at position 1, 2, 3 or 4
//    disables the start date, the end date, De or Hasta;
//  - muestraDialogo: false runs at once with the dialog's defaults (dates
//    today, the whole key range, no conditions, no order);
//  - sentido: 'd' lays every result out from its last row backwards;
//  - bloquesResumen: for a cash-cut summary over a script whose sections
//    are not the seven it reads, the script's block standing for each of
//    them in order (0: none, its totals 0); empty: blocks 1 to 7.
// A cancelled dialog runs nothing. A failed run shows "Error al ejecutar
// el reporte..." and no window. In every case `tabla` is open again,
// without range or filter, on the key asked for, before the dialog shows,
// so that its window keeps showing that row behind the dialog and viewer.
void EjecutaReporteSQL(const QString& titulo, const QString& campoClave, const QString& campoFechaDesde,
                       const QString& campoFechaHasta, const QString& claveBusca, db::Tabla& tabla,
                       const QString& guion, int tipo, const QString& mascara, bool muestraDialogo, QChar sentido,
                       const QVector<int>& bloquesResumen = {});

// The chart kinds, kept in BotonGrafica's Tag.
inline constexpr int kGraficaBarrasGuion = 1;
inline constexpr int kGraficaPieGuion = 0;
inline constexpr int kGraficaLineasGuion = 5;

class TFormaReporteSQL : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaReporteSQL(QWidget* owner = nullptr);
  ~TFormaReporteSQL() override;

  QWidget* Panel2;
  QToolButton* BotonGrafica;  // Tag: the chart kind
  QToolButton* BotonPie;
  QToolButton* BotonLineas;
  QToolButton* BotonReporte;
  QToolButton* BotonExporta;
  QToolButton* BotonAnterior;
  QToolButton* BotonSiguiente;
  QSpinBox* PaginaActual;
  QToolButton* BotonColor;
  QToolButton* BotonAutomatico;
  QToolButton* SpeedButton1;  // font
  QSpinBox* TamanoFuente;
  QToolButton* BotonImprime;
  QTextEdit* Hoja;            // the page shown
  QChartView* ModuloGrafica;
  QStatusBar* BarradeEstado;
  QLabel* PanelPaginas;       // the status bar's first panel
  QProgressBar* AvanceGuion;  // how far a run still going on has gone
  QTimer* Timer1;             // automatic advance
  ui::DialogoArchivo* Guardar;
  DialogoImpresion* Impresora;
  std::unique_ptr<db::Consulta> Query1;  // the last block's result
  // What ModuloGrafica shows: Series1 bars, Series2 pie, Series3 line.
  ModeloGrafica Grafica;

  // --- The run
  QStringList CodigoGlobal;   // the whole script
  QStringList Codigo;         // the block being read
  LineasGuion PaginasGuion;   // every line of the report; "*" marks a title
  // Totals of block b, column c (from 1) at [b - 1][c - 1].
  std::vector<std::vector<Dinero>> TotalesGuion;
  std::vector<Dinero> SubtotalesGuion;
  // The subtotal and total lines of the block being run, as the export
  // writes them: after how many of the block's rows each stands, and the
  // amount of each field that shows one.
  struct TotalesExportaGuion {
    qint64 renglones = 0;
    std::vector<std::optional<Dinero>> importes;
  };
  std::vector<TotalesExportaGuion> LineasTotalesGuion;
  QStringList TiposGuion;
  std::vector<int> AnchosGuion;
  QStringList TitulosGuion;   // the export's titles
  QString CampoCorteGuion;
  QString MarcaResumenGuion;  // "/" in layout kind 4
  int BloqueGuion = 0;
  qint64 RenglonesBloqueGuion = 0;
  QString RenglonAnteriorGuion;
  int TipoReporteGuion = 0;
  // The script's block each of the summaries' seven blocks is (0: none);
  // empty: the script's first seven.
  QVector<int> BloquesResumenGuion;
  QChar SentidoGuion = u' ';
  static constexpr int RenglonesPorPaginaGuion = 50;
  int PaginaGuion = 0;
  int TotalPaginasGuion = 0;

  // T(b, c) of the summaries: 0 for a block or column the run did not total.
  Dinero TotalGuion(int bloque, int columna) const;

  // Fills the page list from a script whose placeholders are filled and
  // sets page 1: the whole run, or, for a long plain report, as soon as its
  // first page is full. Throws plat::Error when the run fails before that.
  void EjecutaBloquesReporte(const QString& guion);
  // Shows the window modally, the rest of a long run following while it
  // shows; a run the user closes the window on ends there.
  void MuestraReporteGuion();
  void EjecutaBloquesGuion();
  void InterpretaBloqueGuion();
  // Whether the run has written its last line.
  bool CorridaTerminada() const { return !corrida_; }
  // Runs what is left of the run to its end (the progress window showing
  // when it takes long). Throws plat::Error when it fails.
  void TerminaCorrida();

  // Applies the layout kind (the first time; kind 2 every time) and shows
  // page PaginaGuion (the last one when it is past the end). Throws
  // plat::Error when there is no page to show.
  void MuestraPaginaGuion();
  void TituloPaginaGuion(const QString& linea);
  // Lines (primera - 1) × 50 to ultima × 50 on sheets of 50 slots: the
  // first sheet takes 51 lines, the others 50.
  void ImprimePaginasGuion(int primera, int ultima);
  void ExportaGuion(const QString& nombre);
  // Charts ten rows of the last block's result from its current row:
  // field n (from 0) as the value, or the first float field after the first
  // when n is 0, and the first field as the label.
  void GraficaGuion(int n);

  void ResumenCorteCaja();
  void ResumenCorteCobranza();
  void ResumenCorteGlobal();
  // Appends the lines of extras.txt of the program folder, when it exists.
  static void AgregaExtrasReporte(QStringList& lineas);

  void BotonSiguienteClick();
  void BotonAnteriorClick();
  void PaginaActualChange();
  void Timer1Timer();
  void BotonAutomaticoClick();
  void TamanoFuenteChange();
  void BotonColorClick();
  void SpeedButton1Click();
  void BotonImprimeClick();
  void BotonExportaClick();
  void BotonGraficaClick();
  void BotonPieClick();
  void BotonLineasClick();
  void BotonReporteClick();
  // Ctrl+P in the text: the page shown on the printer.
  void ImprimeHoja();

 protected:
  void FormShow() override;
  void FormClose() override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  class Progreso;
  // The layout of a block's rows, while it goes on.
  struct RecorridoBloque {
    const db::Campo* corte = nullptr;  // the break field
    QString grupo;                     // its value in the group going on
    std::vector<int> anchos;           // of the heading's columns
    int campos = 0;                    // of the result
    qint64 renglones = 0;              // of the result
  };
  // A run: where it stands in the script, and the block being laid out.
  struct Corrida {
    QElapsedTimer reloj;
    qsizetype linea = 0;  // the next line of the whole script
    QString bloque;       // the lines of the block being gathered
    std::optional<RecorridoBloque> recorrido;
  };

  // Runs the script's blocks until the run ends (true), or until `hasta` (a
  // time of the run, in milliseconds) has passed or `lineas` lines are
  // written (either < 0: no such limit).
  bool AvanzaBloquesGuion(qint64 hasta, qsizetype lineas = -1);
  // A block's lines read and its query run, its first lines written; false
  // when the block ends there.
  bool IniciaBloqueGuion();
  // The block's rows laid out until its end (true) or a limit as above.
  bool AvanzaBloqueGuion(qint64 hasta, qsizetype lineas = -1);
  // A slice of a run going on while the window shows.
  void SiguePorcionGuion();
  // The run ends: no more slices, the page list complete.
  void FinCorrida();
  // Lets the run end before a command that needs the whole report; false
  // when it failed (told to the user, the window closing).
  bool CorridaCompleta();
  // The work folder of a run's lines and rows.
  static QString CarpetaTrabajo();
  // The pages written so far and how far the block being laid out has gone.
  void MuestraAvance();
  int PorcientoBloque() const;

  void ConstruyeBotones();
  void ConstruyeGrafica();
  void RedibujaGrafica();
  // The chart of kind `tipo` from the result's next ten rows.
  void MuestraGrafica(int tipo, int campo);
  // Writes a block's group lines and zeroes its subtotals.
  void LineasDeGrupo(int campos);
  void LineasDeTotales(int campos);
  // The width of column k (from 0); 0 for a column no heading gave.
  int Ancho(int k) const;
  // A summary's heading (empty line, first line, extras.txt, empty line)
  // and lines, added to the page list.
  void AgregaResumen(const QStringList& lineas);
  // Appends a line to the text area in the given character format.
  void AgregaLineaHoja(const QString& texto, const QTextCharFormat& formato);
  void LimpiaHoja();
  QTextCharFormat FormatoTexto() const;
  void FijaPagina(int pagina);

  QTextCharFormat atributos_;  // what appended lines take, as a rich edit's selection
  int lineasHoja_ = 0;         // lines in the text area
  QColor colorFuente_ = Qt::black;
  Progreso* progreso_ = nullptr;  // while the blocks run
  std::unique_ptr<Corrida> corrida_;  // the run, while it goes on
  QTimer* porcion_ = nullptr;         // the next slice of the run
};

inline TFormaReporteSQL* FormaReporteSQL() { return ui::InstanciaDe<TFormaReporteSQL>().data(); }
