#pragma once
// The query runner "Parámetros de Consultas" (TFormaConsulta): runs a saved
// view (Vistas.h) over the company's tables with conditions the user adds on
// the fields of a module's table, and shows the result as a paged text
// report (NuevoReporte.h) over the result grid (Graficas.h).
//
// How a module window (customers, sellers, suppliers, products, movements,
// sales documents, purchases, payables) opens it:
//
//   TFormaConsulta consulta;
//   consulta.TablaConsulta->SetCarpeta(datos);          // configuration line 8
//   consulta.TablaConsulta->SetNombreTabla("cliente.dbf");
//   AbreTabla(*consulta.TablaConsulta);
//   consulta.TablaConsulta->First();
//   consulta.numcampo->setText("0");
//   consulta.CargaListaVistas(lista, copia);             // its .for list
//   PreparaConsulta("cliente.dbf", "");
//   consulta.ShowModal();
//
// A command that runs a view at once sets Archivo's text to the view's path,
// ticks UsarFecha, shows FechaReporte with a date field's name, sets Inicial
// and Final and calls EjecutarClick on the window without showing it.
//
// Conditions: in the grid Condiciones each row from 1 is a condition: a
// field (column 1) and an operator (column 2) picked from the list
// ListaOpcion, which shows the fields' captions or the operators for the
// cell clicked; a value (column 3) typed, or a field picked from the list,
// which is then compared with the first (its type must match). Typed values
// are checked against the field's type as they are typed ("Valor Erroneo").
//
// Running a view (EjecutarClick): its statement is
//   "Select " line 1 " From  " tables of line 2, each in its own folder
//   (shell/LugarTablas.h)
//   " Where " date range, conditions and line 9, joined by " and "
//   " Order by " line 6 (or the first item of line 1)
// with typed values in double quotes (quotes doubled; a d/m/yyyy date as
// m/d/yyyy) and, in the view's own text only, "&" and "$" replaced by the
// dates of Inicial and Final. The grid's titles come from lines 3 and 4
// ("#" numeric) and 7 ("$" totalled); line 7 and line 8 give the result
// mode:
//   "N"  the statement's rows;
//   "T"  the rows, two empty rows and "TOTALES" with the "$" sums; with line
//        12 set, the cash withdrawals total (line 11 "Retiros") in
//        retiros.txt for the report's end;
//   "D"  the rows with an empty row and "TOTALES" at each change of the
//        first field;
//   "A"  one row per run of equal first fields, "$" columns summed (from the
//        fourth column on, only rows whose second field is the column's
//        title), then "TOTALES";
//   "C"  as "A", every row summed into every "$" column.
// Modes other than "N" copy the result into the work table BaseTempo.dbf
// (folder tempo of the program folder), which one run of one copy of the
// program holds from its making until its report closes: a run that finds
// it held by another copy names the busy table and runs nothing. With
// Consecutivo ticked the work table ends with CONSEC, the rows' running
// numbers. Whatever fails inside a run shows "Ocurrio un error revise sus
// condiciones y su archivo de consulta"; the condition rows are emptied
// after every run.

#include "platform/db/Catalogo.h"
#include "platform/ui/Forma.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class TFormaGraficas;
namespace db {
class Consulta;
class Tabla;
}  // namespace db
namespace ui {
class DialogoArchivo;
class RejillaTexto;
}  // namespace ui

// The work table and the withdrawals file, in the folder tempo of the
// program folder.
inline const QString kTablaTrabajo = QStringLiteral("BaseTempo.dbf");
inline const QString kArchivoRetiros = QStringLiteral("retiros.txt");

// What a run leaves for the paged report, one for the whole program.
struct TEstadoConsultas {
  QString BanderaRetiros = QStringLiteral("N");  // "S": the report ends with retiros.txt
  QString AnchosVista;                           // the view's line 5
};
TEstadoConsultas& EstadoConsultas();

// A field the conditions offer: a row of the field dictionary.
struct CampoConsulta {
  QString Nombre;
  QString Descripcion;
  QString Tipo;  // "ftString", "ftFloat" ...
};

// A condition row as the runner records it.
struct CondicionConsulta {
  QString Campo;             // field name; empty: no condition
  QString Tipo;              // its type name
  QString Operador;          // "=", "<", ">", "<=", ">=", "<>"
  QString CampoValor;        // a field picked as the value ...
  QString DescripcionValor;  // ... while the cell shows its caption
};

class TFormaConsulta : public ui::Forma {
  Q_OBJECT
 public:
  static constexpr int kFilasCondiciones = 25;  // row 0 the titles

  explicit TFormaConsulta(QWidget* owner = nullptr);
  ~TFormaConsulta() override;

  QMenuBar* MenuReportes;
  QMenu* Reportes1;
  QGroupBox* GrupoConsultas;  // "Consultas"
  QComboBox* Archivo;         // the view to run; F12 deletes the named view file
  QPlainTextEdit* Descripcion;
  QCheckBox* UsarFecha;       // hidden unless PreparaConsulta gets date fields
  QComboBox* FechaReporte;    // the range's date field; hidden likewise
  QLabel* Label1;             // "Inicio"
  QDateEdit* Inicial;
  QLabel* Label2;             // "Final"
  QDateEdit* Final;
  QLabel* Label3;             // "Condiciones"
  ui::RejillaTexto* Condiciones;
  QListWidget* ListaOpcion;
  QToolButton* Ejecutar;      // "&Ejecutar"
  QToolButton* SpeedButton2;  // "&Cancelar"
  QPushButton* BitBtn1;       // "Editar Consulta..."
  QCheckBox* Consecutivo;
  QCheckBox* IncluyeBlancos;  // nothing reads it
  db::Tabla* TablaConsulta;   // the module's table, set by the caller
  db::Consulta* TablaTemporal;
  QLabel* numcampo;           // hidden; set by callers
  QLabel* Archi;              // hidden; set by callers
  QLineEdit* RutaCampos;      // hidden, unused
  QLineEdit* Destino;         // hidden, unused
  ui::DialogoArchivo* AbreArchivo;

  // The fields offered (the dictionary's available fields of the table), in
  // dictionary order.
  QVector<CampoConsulta> ListaCampos;
  // The conditions, by row of Condiciones.
  std::array<CondicionConsulta, kFilasCondiciones> ListaCondiciones;
  // The lines of the view being run, and its path.
  QStringList AreaClaves;
  QString TipoVista;

  // Fills Archivo from a module's list of views (a .for file): the views
  // whose files exist, the first one chosen; Descripcion gets the
  // description of the last record read and Archi the list's file name. A
  // list naming a view that is gone is rewritten without it, through the
  // scratch list `copia` (DepuraListaVistas). Nothing when the list does
  // not exist; one that cannot be read is told and leaves Archivo empty.
  void CargaListaVistas(const QString& lista, const QString& copia);

  void EjecutarClick();
  void SpeedButton2Click();
  void BitBtn1Click();
  void CondicionesClick();
  void ListaOpcionDblClick();
  void CondicionesKeyUp();

 protected:
  void FormActivate() override;
  void FormClose() override;

 private:
  void ConstruyeControles();
  void ArchivoKeyDown(int& tecla);
  // The statement of the view in AreaClaves with the window's conditions.
  QString SentenciaDeVista() const;
  void VaciaCondiciones(int hasta);
  // Runs the statement and shows its report (or tells that another copy of
  // the program holds the work table). Throws on any failure.
  void CorreVista(TFormaGraficas& graficas);

  bool mostrada_ = false;
};

inline TFormaConsulta* FormaConsulta() { return ui::InstanciaDe<TFormaConsulta>().data(); }

// Readies FormaConsulta for a module's table (a file name such as
// "cliente.dbf"): with date fields (names separated by commas) the date
// range is shown, unticked, offering them; then the conditions offer the
// table's fields from the field dictionary Campos.DBF of the program folder
// (those whose caption is neither empty nor "No Disponible").
void PreparaConsulta(const QString& tabla, const QString& camposFecha);

// --- The pieces of a run, apart from the window.

// What a view's statement is made of besides the view itself.
struct PeticionVista {
  db::Carpetas carpetas;     // the company's folders: each table in its own
  QString campoFecha;        // date range field; empty: no range
  QDate inicial, final;      // the range, and the dates of "&" and "$"
  std::vector<CondicionConsulta> condiciones;  // rows with a field, in order
  // Typed values as they stand in the cells, by condition.
  QStringList valores;
};
QString SentenciaVista(const QStringList& vista, const PeticionVista& peticion);
// A typed value as it enters the statement: a d/m/yyyy or dd/mm/yyyy date
// in its m/d/yyyy form, anything else as typed.
QString ValorCondicionVista(const QString& valor);
// The text with every "&" made the start date and every "$" the end date,
// each as " 'm/d/yyyy' ".
QString FechasEnVista(const QString& texto, const QDate& inicial, const QDate& final);
// The result mode of a view: "N", "T", "D", "A" or "C".
QChar ModoVista(const QStringList& vista);
// Whether an item of line 7 marks a totalled column.
bool TotalizaVista(const QString& elemento);
// The grid titles of the result's fields: "#Consecutivo" for CONSEC, item n
// of line 3 with "#" when item n of line 4 is "N", then "$" for the items
// of line 7 that total.
QStringList TitulosVista(const QStringList& campos, const QStringList& vista);
// Whether the typed value suits a field of that type name.
bool ValorValidoVista(const QString& valor, const QString& tipo);
