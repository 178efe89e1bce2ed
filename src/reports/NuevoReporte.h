#pragma once
// The paged text report of a result grid (TFormaNuevoReporte): the rows of
// the grid's data set as fixed-width text, 40 rows a page, in a rich-text
// box. Page 1 opens with the title in red (words "&FIELD" replaced by the
// first row's value) and a line of column titles; a row whose first field
// is "TOTALES" has its lone "0.00" amounts blanked; after the last row of a
// view that asks for it (BanderaRetiros "S", Consulta.h) come two empty
// lines and the lines of retiros.txt.
//
// Cells (FormateaCelda): a column's width comes from the view's line 5
// (AnchosVista; 0 or missing: the default, below 1: the column is hidden);
// numbers and currency take 12 characters, dates 10, texts their width; a
// float is a number written "#,###,###,##0" under a title beginning with
// "#" (or "$#") and "##,###,##0.00" otherwise; cells are at most 40
// characters and are followed by one blank; in a font other than
// "Courier New" they are widened with blanks to the width of as many "M".
// The column titles take the widths of their cells. When the data's last
// field is CONSEC, its running numbers open every line.
//
// The user turns the pages (or lets a one-second timer do it), changes the
// font, size and colours, adjusts the first eight column widths, prints a
// range of pages, exports the grid (TFormaGraficas::Exc1Click) and opens the
// grid itself ("Diseño de Datos").

#include "platform/ui/Forma.h"

#include <QString>
#include <QStringList>
#include <QVector>

class DialogoImpresion;
class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QSpinBox;
class QStatusBar;
class QTextEdit;
class QTimer;
class QToolButton;
namespace db {
class Campo;
class Dataset;
}  // namespace db
namespace ui {
class RejillaDatos;
}

// The job title of a printed report.
inline const QString kTituloTrabajoReporteTexto = QStringLiteral("*************Reporte ************");

class TFormaNuevoReporte : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaNuevoReporte(QWidget* owner = nullptr);

  QMenuBar* MainMenu2;
  QMenu* Archivo1;
  QAction* Imprimir1;
  QAction* Salir1;
  QMenu* Reporte1;
  QAction* Exportar1;  // no action
  QMenu* Fuente1;
  QAction* TipodeLetra1;
  QMenu* Ver1;
  QAction* Anterior1;
  QAction* Siguiente1;
  QAction* CambiaColor1;
  QAction* Sonido1;            // no action
  QAction* AvanceAutomatico1;
  QAction* TamaodeColumnas1;   // no action
  QAction* DiseodeDatos1;
  QAction* Consecutivo1;

  QToolButton* BotonReporte;
  QToolButton* BotonImprime;
  QToolButton* BotonExporta;
  QToolButton* BotonAnterior;
  QToolButton* BotonSiguiente;
  QToolButton* BotonColor;
  QToolButton* BotonAutomatico;
  QToolButton* SpeedButton3;  // column widths
  QLabel* Label1;
  QSpinBox* TamanoFuente;
  QTextEdit* Concentrado;
  QStatusBar* BarradeEstado;
  QLabel* PanelPaginas;  // the status bar's first panel
  QTimer* Timer1;        // automatic advance, one second
  DialogoImpresion* Impresora;
  QLabel* EtiquetaTamano;  // hidden: measures texts in the report's font

  // The result grid the report shows (not owned).
  ui::RejillaDatos* Detalle = nullptr;

  // Column widths as the view gives them (AnchosVista), by column from 0.
  QVector<int> AnchosColumnas;
  int RenglonesPorPagina = 40;
  int PaginaActual = 0;  // from 0
  int TotalPaginas = 0;

  // Reads AnchosVista: every item followed by a comma, an empty or
  // non-numeric one as 0.
  void LeeAnchos();
  // Column i's width for the default d: the stored width when 1 or more, d
  // when 0 or not given, 0 when negative.
  int AnchoColumna(int i, int d) const;
  // Draws page p (from 0) into Concentrado, after emptying it unless
  // `agrega`.
  void PintaPagina(int p, bool agrega = false);
  // The cell of column i (-1: the consecutive column) for the field's value
  // in the current row, under the title.
  QString FormateaCelda(const db::Campo& campo, const QString& titulo, int i) const;

  void BotonSiguienteClick();
  void BotonAnteriorClick();
  void BotonAutomaticoClick();
  void Timer1Timer();
  void TamanoFuenteChange();
  void TipodeLetra1Click();
  void BotonColorClick();
  void SpeedButton3Click();
  void BotonImprimeClick();
  void BotonExportaClick();
  void DiseodeDatos1Click();
  void Consecutivo1Click();
  void BotonReporteClick();

 protected:
  void FormShow() override;

 private:
  void ConstruyeMenu();
  void ConstruyeBotones();
  db::Dataset* Datos() const;
  // The width a column's cells take (0: hidden) and whether they hold
  // numbers.
  int AnchoCelda(const db::Campo& campo, int i, bool& numero) const;
  // Text fitted to a cell of width w, widened for a proportional font.
  QString AjustaCelda(QString texto, int w, bool numero) const;
  QString TituloExpandido() const;
  void MuestraPagina(int p);
  // Prints Concentrado's lines, a page after another, as one job.
  void ImprimeConcentrado();

  QColor colorTexto_;
  int anchoConsecutivo_ = 10;  // the display width of CONSEC
};

inline TFormaNuevoReporte* FormaNuevoReporte() { return ui::InstanciaDe<TFormaNuevoReporte>().data(); }

// Opens the report over the grid: `anchos`, when given, replaces
// AnchosVista; the window is captioned `titulo`, draws page 1, is shown
// modally and freed.
void AbreReporteTexto(ui::RejillaDatos* rejilla, const QString& titulo, const QString& anchos);

// Line 1 of the start file c:\VRL\Vorlan.ini (the program folder); a
// missing start file is first made with one line, the current folder.
QString CarpetaInicio();
