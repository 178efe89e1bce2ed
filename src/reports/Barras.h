#pragma once
// The report viewer "Reportes y Graficas": the engine's result (final.tmp,
// etique.tmp, anchos.tmp; ArchivosReporte.h) as text pages of 50 rows with
// column titles, subtotals and totals, or as bar, pie and line charts,
// turned by hand or automatically, in the font, size, colours and column
// widths the user picks; printed, or exported to a spreadsheet file.
//
// A report command creates FormaBarras, runs the engine, calls
// PreparaGraficaReporte, sets Panel2's Tag to 0 and BotonGrafica's Tag (the
// view) to 2, empties Concentrado, captions the window with the report's
// title, shows it modally and frees it. The first activation renders page 0;
// closing deletes the work files and lets other copies of the program have
// them.
//
// Text pages (Barras_paginas.cpp): the caption in red, the titles, an
// underline, then one line per row; a "DC" report closes each run of equal
// keys with a "TOTALES" line of its subtotals and an underline, and the page
// that reaches the end closes with the totals. Rows whose column 8 names a
// currency ("M.N.", "DLLS", "DM", "FR") turn the later total lines of that
// page into one line per currency of moneda.vrl. Subtotals and totals come
// from the whole final.tmp (Barras_totales.cpp), so they are right in any
// order the pages are shown, shown again or printed.
//
// Cells by type letter and title: "f" and "e" columns are amounts, "$" and
// two decimals, or whole numbers with no total under a title beginning with
// "-", or no "$" under one beginning with "%"; a title that is exactly "C"
// shows them as text; "x" columns take no room in the rows.
//
// Charts (Barras_graficas.cpp): a chart page holds twelve values, one to
// three of each row (ValoresPorRegistro): the row's first numeric columns,
// labelled by its key, at positions 1 to 12 (one value), two to a position
// (two values) or 0 to 11 (three). Bars take a colour each and show their
// values; the pie leaves out values of 0 or less; the line is yellow. The
// value axis runs from 0 to 100 above the page's greatest value. A right
// click on the chart turns its 3D view (its shadow) off and on.
//
// Printing (Barras_impresion.cpp) puts text pages on sheets under a framed
// heading (caption, date and page, the report's conditions), 53 lines a
// sheet, or the chart on one landscape sheet. Export
// (Barras_exportacion.cpp) writes the whole report to exel.tmp as
// tab-separated text, then to the file the user names: a workbook when the
// name is or becomes ".xlsx" (platform/hoja/Hoja.h), exel.tmp's bytes
// otherwise; the spreadsheet program of configuration line 31 opens it.
//
// The viewer's state is one for the whole program (EstadoVisorReporte). Its
// arrays of ten follow the columns: entry 0 the key, 1 the text, 2 to 9
// columns 1 to 8.

#include "foundation/dinero.h"
#include "platform/ui/Forma.h"
#include "reports/ModeloGrafica.h"

#include <QByteArray>
#include <QFont>
#include <QString>

#include <array>
#include <memory>
#include <vector>

class DialogoImpresion;
class LectorRenglones;
class QAction;
class QChart;
class QChartView;
class QLabel;
class QMenu;
class QMenuBar;
class QSpinBox;
class QStatusBar;
class QTextEdit;
class QTimer;
class QToolButton;
class QWidget;

namespace print {
class Lienzo;
}
namespace ui {
class DialogoArchivo;
}

// The view codes, kept in BotonGrafica's Tag.
inline constexpr int kVistaBarras = 1;
inline constexpr int kVistaPie = 0;
inline constexpr int kVistaLineas = 5;
inline constexpr int kVistaReporte = 2;

// Sums of columns 1 to 8, and of each of currencies 1 to 4 of moneda.vrl.
using ImportesReporte = std::array<Dinero, 8>;
using ImportesMonedaReporte = std::array<ImportesReporte, 4>;

// The run of equal keys of a "DC" report that is being summed.
struct GrupoReporte {
  QByteArray Llave;  // the key's bytes; empty before the first row
  ImportesReporte Subtotales{};
  ImportesMonedaReporte SubtotalesMoneda{};

  // A row with the key `llave` enters: when it starts a new run, the run
  // that ends goes to `cerrado` and true is returned.
  bool Entra(QByteArrayView llave, const ImportesReporte& importes, int moneda, GrupoReporte& cerrado);
  // Every column is summed, and into its currency's sums too when `moneda`
  // is 1 to 4.
  void Suma(const ImportesReporte& importes, int moneda);
};

// What the whole final.tmp sums to, worked out once when the last page
// needs it.
struct TotalesArchivoReporte {
  ImportesReporte Generales{};     // the amount columns ("f", "e") of every row
  ImportesMonedaReporte Moneda{};  // the same by currency
};

// A totals line: the text beside "TOTALES" (a blank, or a currency's name)
// and the amounts of columns 1 to 8. A currency's line shows its amounts
// under the "%" rule (no "$").
struct FilaTotalesReporte {
  QString texto;
  ImportesReporte importes{};
  bool deMoneda = false;
  QString TituloColumna(int c) const;  // the title its cell c (from 0) is formatted by
};

// Whether a total shows under a column of that title: a title beginning with
// a letter, or "%" and a letter.
bool TotalVisibleReporte(const QString& titulo);
// Whether a row's column 8 holds one of the currency codes that turn the
// totals into lines per currency.
bool EsCodigoMonedaReporte(const QString& columna8);
// The totals lines of a sum: one line, or one per currency that has an
// amount above 0.
std::vector<FilaTotalesReporte> FilasTotalesReporte(const ImportesReporte& importes,
                                                    const ImportesMonedaReporte& moneda, bool porMoneda);

struct TEstadoVisorReporte {
  qint32 PaginaReporte = 0;
  qint32 TotalPaginasReporte = 0;
  qint16 LineasPorPaginaReporte = 50;
  qint16 ValoresPorRegistro = 0;
  std::array<QString, 10> TitulosColumnas;    // etique.tmp record 1
  std::array<QString, 10> TiposColumnas;      // record 2: mode, text title, type letters
  std::array<QString, 10> CondicionesReporte; // record 3
  QString ModoReporte;                        // "C", "D" or "DC"
  std::array<quint16, 10> AnchosColumnas{};
  bool AnchosAplicados = false;  // the user's widths hold until the viewer is shown anew
  bool HayReporte = false;       // final.tmp was there at the last load
  QString LlaveAnterior;         // "DC": the previous and the current row's key
  QString TextoBarras;
  ImportesReporte SubtotalesGrupo{};
  ImportesReporte SubtotalesGuardados{};
  ImportesReporte TotalesGenerales{};
  bool FinReporteAlcanzado = false;
  std::array<QString, 10> NombresMoneda;  // records 1 to 9 of moneda.vrl; entry 0 stays empty
  ImportesMonedaReporte TotalesMoneda{};
  ImportesMonedaReporte SubtotalesMoneda{};
  bool SinMonedaPagina = true;  // no row of the page being drawn has shown a currency yet
  std::shared_ptr<const TotalesArchivoReporte> Totales;  // of the current final.tmp
};
TEstadoVisorReporte& EstadoVisorReporte();

class TFormaBarras : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaBarras(QWidget* owner = nullptr);
  ~TFormaBarras() override;

  QMenuBar* MainMenu2;
  QMenu* Archivo1;
  QAction* Imprimir1;
  QAction* Salir1;
  QMenu* Graficas1;
  QAction* Barras1;
  QAction* Pie1;
  QAction* Lineas1;
  QAction* Primeracolumna1;
  QAction* SegundaColumna1;
  QAction* TerceraColumna1;
  QMenu* Reporte1;
  QAction* Exportar1;
  QMenu* Fuente1;
  QAction* TipodeLetra1;
  QMenu* Ver1;
  QAction* Anterior1;
  QAction* Siguiente1;
  QAction* CambiaColor1;
  QAction* Sonido1;
  QAction* AvanceAutomatico1;
  QAction* TamaodeColumnas1;

  QWidget* Panel2;  // Tag 0 until the first page has been rendered
  QToolButton* BotonGrafica;  // Tag: the view
  QToolButton* BotonPie;
  QToolButton* BotonLineas;
  QToolButton* BotonReporte;
  QToolButton* BotonExporta;
  QToolButton* BotonAnterior;
  QToolButton* BotonSiguiente;
  QToolButton* BotonColor;
  QToolButton* BotonSonido;  // Tag 1: sound on
  QToolButton* BotonAutomatico;
  QToolButton* SpeedButton3;  // column widths
  QToolButton* BotonImprime;
  QLabel* Label1;
  QSpinBox* TamanoFuente;
  QTextEdit* Concentrado;  // the text page
  QChartView* ModuloGrafica;
  QStatusBar* BarradeEstado;
  QLabel* PanelPaginas;  // the status bar's first panel
  QTimer* Timer1;        // automatic advance
  ui::DialogoArchivo* Guardar;  // the export's file
  DialogoImpresion* Impresora;  // the pages to print

  // What ModuloGrafica shows; series 0 to 2 are Series1 (bars), Series2
  // (pie) and Series3 (line).
  ModeloGrafica Grafica;
  SerieGrafica& Series1() { return Grafica.series[0]; }
  SerieGrafica& Series2() { return Grafica.series[1]; }
  SerieGrafica& Series3() { return Grafica.series[2]; }

  int VistaGrafica() const;

  void BotonSiguienteClick();
  void BotonAnteriorClick();
  void BotonAutomaticoClick();
  void Timer1Timer();
  void BotonGraficaClick();
  void BotonPieClick();
  void BotonLineasClick();
  void BotonReporteClick();
  void TipodeLetra1Click();
  void TamanoFuenteChange();
  void BotonColorClick();
  void BotonSonidoClick();
  void TamaodeColumnas1Click();
  void ModuloGraficaMouseDown(Qt::MouseButton boton);
  void BotonImprimeClick();
  void BotonExportaClick();

  // Renders text page p (from 0) into Concentrado; false when there is no
  // such page (no report, or p past the end) and nothing was drawn.
  bool MuestraPaginaReporte(qint32 p);
  void CargaArchivosReporte();
  // The text fitted to a column of `ancho` characters: characters below
  // code 30 blanked, at most 50 kept; in "Courier New" and "MS Sans Serif"
  // exactly ancho + 1 characters, in other fonts padded to the width of
  // ancho letters "X".
  QString AjustaTextoColumna(const QString& texto, int ancho) const;
  // A row's cell: by type letter and title (see the file comment).
  QString FormateaCeldaReporte(const QString& valor, const QString& titulo, const QString& tipo, int ancho) const;
  // A total's cell: "$" and the amount under a title beginning with a
  // letter, the amount alone under "%" and a letter; blank otherwise.
  QString FormateaTotalReporte(const QString& valor, const QString& titulo, int ancho) const;

  // Renders chart page PaginaReporte in the current view.
  void MuestraPaginaGrafica();
  // The points of one row at position a (from 1): n values per row.
  void AgregaPuntosGrafica(int a, const QString& etiqueta, int n, double y1, double y2, double y3);
  void LimpiaSeriesGrafica();
  // The value axis from 0 to 100 above the greatest value; axes shown.
  void AjustaEjeGrafica();
  // Puts Grafica on ModuloGrafica.
  void RedibujaGrafica();

  // Text pages desde to hasta (from 1) on sheets with their heading.
  void ImprimePaginasReporte(int desde, int hasta);
  // The chart on one landscape sheet.
  void ImprimeGraficaReporte();
  // The whole report into exel.tmp.
  void EscribeExportacionReporte();

 protected:
  void FormShow() override;
  void FormActivate() override;
  void FormClose() override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void ConstruyeMenu();
  void ConstruyeBotones();
  void ConstruyeGrafica();
  void CambiaVistaGrafica(int vista);
  // The page PaginaReporte in the current view.
  void MuestraPaginaVista();
  void AplicaColores(const QColor& fondo, const QColor& texto);
  void ImprimeEncabezado(print::Lienzo& lienzo, const QString& titulo, int pagina, int renglon) const;
  // exel.tmp as a workbook.
  void LibroDeExportacion(const QString& nombre) const;

  // Lines of a text page.
  QString LineaSubrayado() const;
  QString LineaTotales(const FilaTotalesReporte& fila) const;
  QString LineaTotales(const ImportesReporte& importes) const;
  QStringList BloqueMonedas(const ImportesMonedaReporte& importes) const;
  const TotalesArchivoReporte& Totales();
  // The run of keys that goes on into the page starting at row `inicio`,
  // with its rows before the page summed.
  GrupoReporte GrupoAnterior(LectorRenglones& final, qint64 inicio) const;

  QFont fuenteLienzo_;  // the window's canvas, which measures proportional fonts
  QColor colorTexto_ = Qt::black;
};

inline TFormaBarras* FormaBarras() { return ui::InstanciaDe<TFormaBarras>().data(); }

// Readies the viewer for a report: totals cleared, the first activation to
// render page 0, the bar view, Concentrado emptied, page 0, the chart's
// title and axis titles, the values charted per record.
void PreparaGraficaReporte(const QString& titulo, const QString& tituloEjeInferior, const QString& tituloEjeIzquierdo,
                           qint16 valoresPorRegistro);

// Columns of type "f" and "e" hold amounts: summed, and numbers in a
// workbook.
inline bool EsColumnaImporte(const QString& tipo) { return tipo == u"f" || tipo == u"e"; }

// The file an export typed as `tecleado` is written to: a name of more than
// three characters without a three-letter extension gets the spreadsheet's
// (hoja::NombreHoja).
QString NombreExportacion(const QString& tecleado);

// True when the whole text reads as a number.
bool EsTextoNumerico(const QString& texto);
bool EsMayorQueCero(double valor);

// True when the work files hold this viewer's report: this copy holds them
// and its last run was not refused.
bool ReporteDelVisor();

// The text with "#", "$", "%", "&" and "-" blanked.
QString LimpiaTituloColumna(const QString& texto);
// The text without its "&".
QString QuitaAmpersand(const QString& texto);

// Per-currency totals and subtotals and the totals to 0.
void ReiniciaTotalesReporte();
// The totals to 0; the end not reached.
void ReiniciaTotalesGenerales();
// The first time the end is reached, keeps the last run's subtotals.
void GuardaSubtotalesFinales();
// The currency (1 to 4 of NombresMoneda) whose name column 8 holds, 0 when
// none; an empty name matches nothing.
int IndiceMonedaReporte(const QString& nombre);
