#pragma once
// The advanced document search "Filtrado de Información" (TFormaBuscaSQL):
// the user builds a list of conditions on the fields of a document family's
// header table or line table (offered by their captions in Campos.DBF),
// runs the query, may send the result to the spreadsheet program, and
// double-clicks a row to choose its document.
//
//   BusquedaAvanzada b;
//   b.TablaEncabezado = "Remision.dbf";  b.TablaDetalle = "RemisioD.dbf";
//   b.CarpetaDatos = "C:\\VRL\\DATOS";   ...
//   const int numero = MuestraBusquedaAvanzada(b);  // the window's Tag
//   if (numero > 0) ...  // the chosen document
//
// One window lives for the whole run (created at start-up), so the table
// chosen, the format and the conditions stay for the next use; each show
// starts with Tag 0, so closing without a choice chooses nothing.
//
// The conditions are kept as (field, operator, value) triples: MemoCondiciones
// shows them as the user reads them, MemoCodigo (F12) in coded form
// "field,operator,value" (a date value as month/day/year); the query is built
// from the triples, never from the memos' text, so a value holding a comma
// or a quote stays one value.

#include "platform/ui/Forma.h"

#include <QString>
#include <QStringList>
#include <QVector>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QToolButton;
namespace db {
class Consulta;
}
namespace ui {
class FuenteDatos;
class RejillaDatos;
}  // namespace ui

// What a caller gives the search: the family's tables, where they are, how
// their query starts and where the export goes.
struct BusquedaAvanzada {
  QString TablaEncabezado;    // header table file ("Remision.dbf")
  QString TablaDetalle;       // line table file ("RemisioD.dbf")
  QString CarpetaDatos;       // folder of both, for the From clause
  QString LlaveEncabezado;    // "CLDOC_F"; empty: the result is not ordered
  QString LlaveDetalle;       // "CLDOC_FD"
  QString SelectEncabezado;   // "Select CLDOC_F,NOMBR_F,IMTOD_F,FEDOC_F"
  QString SelectDetalle;      // "Select CLDOC_FD,CANTI_FD,DEPRO_FD,PUNPR_FD"
  QString HojaCalculo;        // the spreadsheet program (configuration line 31);
                              // the export's opener reads the line again
  QString CarpetaPrograma;    // folder of Campos.DBF and of tempo\tempo.xlsx
};

// One condition of the search.
struct CondicionBusqueda {
  QString campo;
  QString operador;
  QString valor;  // as coded: a date as month/day/year
};

// The name, in small letters, under which Campos.DBF catalogues a table:
// every sales document header under "facturae.dbf", every line table under
// "facturad.dbf" (the mapping the report dialogs use); others as they are.
QString TablaCatalogoCampos(const QString& tabla);

// One condition's SQL after its field: "= \"v\"" ... for the comparisons,
// " IS NULL" for "=" and " LIKE NOT NULL" for "<>" with an empty value,
// " LIKE '%v%'" and the like for "Inicia_Con", "Termina_Con", "Incluye",
// "W" for "&", empty for another operator. The value is a literal: its
// quotes doubled, its wildcards matched as typed.
QString CondicionSQLBusqueda(const QString& operador, const QString& valor);

// A date text (dd/mm/yyyy) as month/day/year without leading zeros. Throws
// plat::Error (Conversion) when the text is not a date.
QString FechaBusquedaSQL(const QString& texto);

// The coded line of a condition: field, operator and value joined by commas.
QString LineaCodigoBusqueda(const CondicionBusqueda& c);

class TFormaBuscaSQL : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaBuscaSQL(QWidget* owner = nullptr);
  ~TFormaBuscaSQL() override;

  QRadioButton *RadioButton1, *RadioButton2;  // "Encabezado", "Detalle"
  QLabel* Label1;                             // "Formato"
  QSpinBox* NumeroFormato;                    // 1 to 3
  QComboBox* Condicion1;                      // field captions
  QComboBox* Operador1;
  QComboBox* Valor1;
  QLabel *C1, *T1;                            // hidden: field and type chosen
  QLabel *LabelEncabezado, *LabelDetalle;     // hidden: the table files
  QPushButton* BitBtn1;                       // "Agregar"
  QPushButton* BitBtn2;                       // "Ejecutar"
  QPushButton* Button1;                       // "Limpiar..."
  QPlainTextEdit* MemoCondiciones;
  QPlainTextEdit* MemoCodigo;                 // hidden; F12 shows it
  db::Consulta* Query1;
  ui::FuenteDatos* DataSource1;
  ui::RejillaDatos* DetalleC;
  QToolButton* SpeedButton1;                  // export

  // The state of the current use.
  BusquedaAvanzada Datos;
  QString TablaActual, LlaveActual, SelectActual;
  QStringList CamposBusqueda, TiposCampoBusqueda, DescripcionesBusqueda;
  QVector<CondicionBusqueda> Condiciones;

  // Loads the field list of a table (format 0 every field, 1 to 3 the
  // fields of every format and of that one) from Campos.DBF of the folder.
  void CargaCamposBusqueda(const QString& tabla, const QString& carpeta, int formato);
  // The query text of the conditions in force.
  QString TextoConsulta() const;

  void BitBtn1Click();   // "Agregar"
  void BitBtn2Click();   // "Ejecutar"
  void Button1Click();   // "Limpiar..."
  void RadioButton1Click();
  void RadioButton2Click();
  void NumeroFormatoChange();
  void Condicion1Change();
  void DetalleCDblClick();
  void SpeedButton1Click();  // export

 protected:
  void FormShow() override;
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;

 private:
  void LimpiaCondiciones();
  void MuestraCondiciones();
};

// Prepares the search for the family and shows it modally; returns its Tag,
// the chosen document's number (0: none).
int MuestraBusquedaAvanzada(const BusquedaAvanzada& datos);

// The window of the run: the one created at start-up; without it (a sale
// screen made outside the program) one made for the occasion.
inline TFormaBuscaSQL* FormaBuscaSQL() { return ui::InstanciaDe<TFormaBuscaSQL>().data(); }
