#pragma once
// The result grid "Consultas" (TFormaGraficas): the result of one run of the
// query runner (Consulta.h) in a data grid, over the query that runs the
// view's statement (TablaConsultaSQL) or over the work table BaseTempo.dbf
// (TablaAuxiliar) when the view has a result mode. Each run creates the
// window, fills it without showing it, opens the paged text report
// (NuevoReporte.h) from it and frees it; the report's "Diseño de Datos"
// shows it.
//
// Column titles carry the view's marks: "$" first for a totalled column,
// "#" for a numeric one ("#Consecutivo" is the column CONSEC). The grid
// shows the numbers of a "$" column with the mask "###,##0.00".
//
// From the grid the user exports the data set to a spreadsheet ("$" and
// "#" titles kept; a workbook when the name is or becomes ".xlsx", through
// platform/hoja/Hoja.h, opened by AbreHojaCalculo), sums the selected
// column, prints the grid's image, changes the grid's font, moves the query
// 50 rows at a time and opens the paged report again.

#include "platform/ui/Forma.h"

#include <QString>
#include <QStringList>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QToolButton;
namespace db {
class Campo;
class Consulta;
class Dataset;
class Tabla;
}  // namespace db
namespace ui {
class DialogoArchivo;
class FuenteDatos;
class RejillaDatos;
}  // namespace ui

class TFormaGraficas : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaGraficas(QWidget* owner = nullptr);
  ~TFormaGraficas() override;

  QMenuBar* MainMenu1;
  QMenu* Archivo1;
  QAction* Imprimir1;
  QAction* Salir1;  // Tag 1000 once the window has closed
  QMenu* Exportar1;
  QAction* Exc1;  // "Ascii Delimitado (Excel)"
  QMenu* Ver1;
  QAction* Celdas1;
  QAction* Consecutivo1;
  QMenu* Operaciones1;
  QAction* Sumar1;

  QToolButton* BotonBordes;     // export
  QToolButton* BotonAnterior;   // the query 50 rows back
  QToolButton* BotonSiguiente;  // 50 rows forward; Tag 1 when created and closed
  QToolButton* VerReporte;      // the paged report
  QToolButton* SpeedButton1;    // the grid's font
  QToolButton* BotonImprimir;   // hidden
  QToolButton* BotonReporte;    // hidden
  QLabel* Label1;               // hidden
  QLabel* Pag;                  // hidden

  ui::RejillaDatos* Detalle;
  ui::FuenteDatos* DataSource2;
  db::Consulta* TablaConsultaSQL;  // the view's statement
  db::Tabla* TablaAuxiliar;        // the work table, when the run builds one
  ui::DialogoArchivo* DialogoGuarda;

  // The grid's columns: one per field of DataSource2's data set, in field
  // order, titled by `titulos` (the field's name where a title is missing).
  void PonTitulos(const QStringList& titulos);
  // The titles of the grid's columns, in order.
  QStringList Titulos() const;
  // The text the grid shows for the field in the current row: the money
  // display for a column titled with "$", the field's text otherwise.
  QString TextoMostrado(const db::Campo& campo) const;

  void VerReporteClick();
  void Exc1Click();
  void Sumar1Click();
  void BotonImprimirClick();
  void BotonSiguienteClick();
  void BotonAnteriorClick();
  void SpeedButton1Click();
  void DetalleDblClick();
  void DetalleTitleClick();

 protected:
  void FormShow() override;
  void FormClose() override;

 private:
  void ConstruyeMenu();
  void ConstruyeBotones();
  void HabilitaMovimientos();
  db::Dataset* Datos() const;
  // Whether the column showing the field is titled with "$".
  bool EsColumnaMoneda(const QString& campo) const;
};

inline TFormaGraficas* FormaGraficas() { return ui::InstanciaDe<TFormaGraficas>().data(); }
