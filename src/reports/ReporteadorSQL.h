#pragma once
// The SQL report writer "Reporteador SQL" (TFormaSQL): the user writes a
// statement with Spanish or English keywords, runs it over the company's
// tables and looks at the result in a grid; gives result columns a kind for
// printing, prints the grid in strips across pages (ImpresionFranjas.h),
// exports it to a spreadsheet, sums a column and keeps statements as files
// report\*.sql of the program folder (Windows-1252 text).
//
// Writing a statement: "Nuevo" starts one over the table chosen in
// NombreTabla ("Select", three empty lines, "From" and the table's path in
// the data folder); each double click on a field of TablaFiltros adds its
// name to the list of fields and its description to the column titles. The
// "Condición" and "Valor" cells of TablaFiltros are not read.
//
// "Ejecutar" translates the keywords (TraduceLineasSQL) and runs the
// statement through db::Consulta: a query fills the grid (a column whose
// field was picked is titled with its description, any other with its own
// name), any other statement of the dialect
// (INSERT, UPDATE, DELETE, CREATE/ALTER/DROP TABLE, CREATE INDEX) runs and
// leaves the grid empty. A statement that fails shows the engine's message
// and leaves the grid empty. The grid moves 50 rows at a time.
//
// The main menu makes the window, shows it modally and frees it.

#include "platform/ui/Forma.h"

#include <QString>
#include <QStringList>

#include <array>

class QAction;
class QComboBox;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class DialogoImpresion;
namespace db {
class Campo;
class Consulta;
}  // namespace db
namespace ui {
class DialogoArchivo;
class FuenteDatos;
class RejillaDatos;
class RejillaTexto;
}  // namespace ui

// A word of the keyword table (any letter case) in its SQL form; any other
// word as it is.
QString TraducePalabraSQL(const QString& palabra);

// The lines with their keywords translated: each line gets a blank at its
// end and is cut at every blank and comma; each piece standing alone
// between them is translated, the separators are kept. A piece inside
// quotes (a text or a table path, in double or single quotes) is never
// translated.
QStringList TraduceLineasSQL(const QStringList& lineas);

// The tables of NombreTabla: description and file.
struct TablaReporteSQL {
  const char* descripcion;
  const char* archivo;
};
const std::array<TablaReporteSQL, 12>& TablasReporteSQL();

class TFormaSQL : public ui::Forma {
  Q_OBJECT
 public:
  static constexpr int kColumnas = 36;

  explicit TFormaSQL(QWidget* owner = nullptr);
  ~TFormaSQL() override;

  QMenuBar* MainMenu1;
  QMenu* Archivo1;
  QAction* Imprimir1;
  QAction* Salir1;
  QMenu* Ver1;
  QAction* Celdas1;  // hidden; cell borders in print
  QAction* PantallaCompleta1;
  QMenu* Operaciones1;
  QAction* Sumar1;

  QWidget* Panel2;
  QComboBox* Archivo;      // "Archivo SQL"
  QComboBox* NombreTabla;  // "Base de Datos"
  ui::RejillaTexto* TablaFiltros;
  QPlainTextEdit* Codigo;  // "Código SQL"
  QPushButton* BitBtn2;    // "Nuevo"
  QPushButton* BitBtn5;    // "Guardar"
  QPushButton* BitBtn1;    // "Ejecutar"
  QPushButton* BitBtn4;    // "Exportar"
  QPushButton* BotonImprimir;
  QPushButton* BotonAnterior;
  QPushButton* BotonSiguiente;
  QPushButton* BotonSalir;

  QWidget* Panel3;
  ui::RejillaDatos* DBGrid1;
  QPlainTextEdit* Traduccion;  // hidden: the statement run
  db::Consulta* Query1;
  ui::FuenteDatos* DataSource1;
  DialogoImpresion* Imprimir;
  ui::DialogoArchivo* DialogoGuarda;

  // Column kinds by result column: "n" number, "m" money, "c" text, "i"
  // hidden, blank untyped.
  std::array<QChar, kColumnas> TiposColumnaSQL;
  std::array<QString, kColumnas> TitulosColumnaSQL;
  // The field each title was picked for.
  std::array<QString, kColumnas> CamposTituloSQL;
  int NumeroTitulosSQL = 0;

  void TraduceCodigoSQL();
  void ListaReportesSQL();
  void CamposTablaSQL(const QString& archivo);
  QString ArchivoTablaSQL() const;
  void PaginaResultadoSQL(int direccion);
  void TitulosResultadoSQL();
  int PaginasResultadoSQL(qint64 renglones) const;
  void ImprimeResultadoSQL(int primera, int ultima);

  void BitBtn1Click();  // "Ejecutar"
  void BitBtn2Click();  // "Nuevo"
  void BitBtn4Click();  // "Exportar"
  void BitBtn5Click();  // "Guardar"
  void BotonImprimirClick();
  void BotonAnteriorClick();
  void BotonSiguienteClick();
  void TablaFiltrosDblClick();
  void ArchivoSQL();  // NombreTabla changed
  void ArchivoChange();
  void DBGrid1TitleClick(int columna);
  void Sumar1Click();
  void PantallaCompleta1Click();

 protected:
  void FormActivate() override;

 private:
  void ConstruyeMenu();
  void ConstruyePanelSuperior();
  void HabilitaPaginas();
  QString CarpetaReportes() const;
  // The lines of a memo as the class library counts them: a text ending in
  // a line break has no empty line after it.
  static QStringList Lineas(const QPlainTextEdit& memo);
  // The text of a cell as printed: a float or money field's number by the
  // column's kind, right-aligned in its width.
  void ImprimeCeldaSQL(int x, int y, int ancho, const QString& texto, const db::Campo* campo, int columna,
                       int unidadColumna, int unidadRenglon);
};

inline TFormaSQL* FormaSQL() { return ui::InstanciaDe<TFormaSQL>().data(); }
