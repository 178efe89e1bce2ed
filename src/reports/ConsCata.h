#pragma once
// The catalogue browser "Catalogos" (TFormaCatalogo): one window that
// browses any company table of the Catálogos menu (customers, suppliers,
// sellers, invoices, purchases, products, inventory movements, payables) in
// a data grid, and the product pictures four at a time.
//
// The main menu's items make it with CreaNavegadorCatalogo (after their
// right), hand it the user in the hidden label Usuario, show it modally and
// free it. Inside, the user pages through the table, searches by the current
// index ("Buscar", Ctrl+B; F12 the product lookup on "inventar.dbf"),
// changes the index ("Indices", Orden > "Asigna Orden": OrdenPor.h),
// filters by field conditions ("Filtrar": Filtros.h), sums a numeric
// column, marks a column's kind by a click on its title (Tipos.h), saves a
// column template (Archivo > "Guardar Plantilla") and shows only its fields
// ("Plantilla"), exports every field to a spreadsheet ("Bordes"), prints the
// grid in strips ("Imprimir": ImpresionFranjas.h), runs the custom reports
// of its Reportes menu (report\reportes.sql of the program folder), and
// opens the record under the cursor in the table's own window (double
// click, F2). The grid is read only until "Modificar" is accepted with the
// administrator's password; edits then post with the table's record locks.
//
// Templates live in the program folder under the table's name up to its
// first point: <name>.xla holds the index name as its only line; <name>.pla
// one visible column a line: the field, a tab, the column's width in
// pixels, a tab and its title. Both are read when the window is shown
// (failures passed over); "Plantilla" reads the fields of <name>.pla.
//
// The record windows belong to subsystems above this one: each registers
// its drill-down for its table with UneAperturaCatalogo (the program body
// does it, src/app/Vorlan.cpp); a table with none registered does nothing.

#include "platform/ui/Forma.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>

class DialogoImpresion;
class QAction;
class QCheckBox;
class QLabel;
class QListWidget;
class QMenu;
class QMenuBar;
class QProgressBar;
class QStatusBar;
class QToolButton;
struct CatalogoMenu;
struct EscalaFranjas;
namespace db {
class Campo;
class Tabla;
}  // namespace db
namespace ui {
class DialogoArchivo;
class FuenteDatos;
class Navegador;
class RejillaDatos;
}  // namespace ui

// --- Drill-down and product lookup, registered by the subsystems above.

// What a record window gets: the text of the first visible column of the
// current row (its key), the text of the fourth column (the receivables'
// document) and the browser's Usuario caption.
struct RegistroCatalogo {
  QString clave;
  QString cuartaColumna;
  QString usuario;
};
using AperturaCatalogo = std::function<void(const RegistroCatalogo& registro)>;
// Registers the drill-down of a table (its file name in lower case); a later
// one replaces it, an empty function removes it.
void UneAperturaCatalogo(const QString& tabla, AperturaCatalogo apertura);

// The product lookup starting from a key, with price list 1; answers the
// key chosen, empty when none.
using BusquedaProductoCatalogo = std::function<QString(const QString& inicial)>;
void UneBusquedaProductoCatalogo(BusquedaProductoCatalogo busqueda);

// The picture strip's text boxes: three lines at x 10, y 15, 30 and 45.
class CajaImagenCatalogo : public QWidget {
  Q_OBJECT
 public:
  explicit CajaImagenCatalogo(QWidget* padre = nullptr);
  const QStringList& Lineas() const { return lineas_; }
  void SetLineas(const QStringList& lineas);

 protected:
  void paintEvent(QPaintEvent* evento) override;

 private:
  QStringList lineas_;
};

class TFormaCatalogo : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaCatalogo(QWidget* owner = nullptr);
  ~TFormaCatalogo() override;

  // Menu.
  QMenuBar* MainMenu1;
  QMenu* Archivo1;
  QAction* GuardarPlantilla1;
  QAction* Salir1;
  QMenu* Registro1;
  QAction* Buscar1;             // Ctrl+B
  QAction* BusquedaAvanzada1;   // F12
  QMenu* Orden1;
  QAction* AsignaOrden1;
  QMenu* Reportes1;             // the custom reports
  QMenu* Ver1;
  QAction* TodoslosCampos1;
  QAction* Reporte1;            // no action
  QAction* Columnas1;           // no action
  QMenu* Operaciones1;
  QAction* Sumar1;

  // Tool bar.
  ui::Navegador* DBNavigator1;
  QToolButton* BotonBuscar;     // "Buscar"
  QCheckBox* CheckPlantilla;    // "Plantilla"
  QToolButton* BotonReporte;    // "Ver Reporte"
  QToolButton* BotonBordes;     // "Bordes"
  QToolButton* BotonCambios;    // "Modificar"
  QToolButton* BotonIndices;    // "Indices"
  QToolButton* BotonOrden;      // "Filtrar"
  QToolButton* TodosCampos;     // "VerTodos los Campos"
  QToolButton* BotonImprimir;   // "Imprimir"
  QToolButton* BotonSalir;      // "Salir"
  QLabel* Usuario;              // hidden: the user number

  // The table and its grid.
  db::Tabla* TablaConsulta;
  ui::FuenteDatos* DataSource1;
  ui::RejillaDatos* DetalleCatalogo;
  // The picture strip (hidden): Image1..Image4 beside PaintBox1..PaintBox4.
  QWidget* Panel2;
  std::array<QLabel*, 4> Imagenes{};
  std::array<CajaImagenCatalogo*, 4> Cajas{};
  // Status bar: "Registros", "F2 Detallado", empty.
  QStatusBar* BarraDeEstado;
  std::array<QLabel*, 3> PanelesEstado{};
  QListWidget* Indices;         // hidden: the table's index names
  DialogoImpresion* Imprimir;
  ui::DialogoArchivo* DialogoGuarda;
  QWidget* PanelProgreso;       // hidden, not used
  QProgressBar* BarraProgreso;

  // --- What the openers call.
  // Shows the grid, opens the table of the data folder (configuration line
  // 8) on its first index ("inventar.dbf": DSCPR_I), one column per field,
  // titled from the table's block of confcamp.cmp. Throws plat::Error when
  // the table cannot be opened.
  void AbreCatalogo(const QString& tabla);
  // Columns 1 to 8: the title of column n becomes titles[n-1] ("e<n>":
  // empty), its field fields[n-1] ("c<n>": the field it has). The first and
  // last arguments are kept for the callers.
  void ConfiguraColumnasCatalogo(const QString& tabla, const QStringList& campos, const QStringList& titulos,
                                 const QStringList& otros = {});
  void MuestraModoImagenes();
  // The pictures and texts of the current record and the three after it;
  // the table is left on the record after the fourth.
  void MuestraPaginaImagenes();

  // --- Commands.
  void BotonBuscarClick();
  void BusquedaAvanzada1Click();
  void BotonIndicesClick();
  void BotonOrdenClick();
  void TituloClick(int columna);
  void Sumar1Click();
  void BarraDeEstadoDblClick();
  void BotonReporteClick();
  void BotonCambiosClick();
  void TodosCamposClick();
  void CheckPlantillaClick();
  void GuardarPlantilla1Click();
  void BotonBordesClick();
  void BotonImprimirClick();
  void DetalleCatalogoDblClick();
  void DBNavigator1Click();
  // Prints the grid's printed columns, pages desde to hasta.
  void ImprimeCatalogo(int desde, int hasta);
  // The custom report of a Reportes item.
  void EjecutaReportePersonalizado(QAction* item);

  // The template files of the table.
  QString ArchivoPlantilla() const;
  QString ArchivoIndicePlantilla() const;

 protected:
  void FormShow() override;
  void FormClose() override;
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;

 private:
  void ConstruyeMenu();
  void ConstruyeBotones();
  void ConstruyeImagenes();
  void ConstruyeReportes();
  // Every field's column: titles from Campos.DBF (FormShow step 1).
  void LeeTitulos();
  // Loads the template when it is there (FormShow step 2).
  void CargaPlantilla();
  void MuestraTodosLosCampos();
  // The field of a grid column, null when it has none.
  db::Campo* CampoColumna(int columna) const;
  // The visible columns, in order.
  QVector<int> ColumnasVisibles() const;
  QString TextoColumna(int columna) const;
  bool EsInventario() const;
  bool imagenes_ = false;
};

inline TFormaCatalogo* FormaCatalogo() { return ui::InstanciaDe<TFormaCatalogo>().data(); }

// The table browser as the main menu asks for it: made, opened on the
// table, its columns set (unless none are given), in picture mode when
// asked. Throws plat::Error when the table cannot be opened.
std::unique_ptr<ui::Forma> CreaNavegadorCatalogo(const CatalogoMenu& menu);

// Helpers of the custom reports, also used elsewhere.
// The k-th piece (from 1) of the text cut at the separator, a separator
// appended first: the whole text for k 1 when it has none; empty beyond.
void PiezaTexto(const QString& texto, int k, QChar separador, QString& pieza);
// The dataset's field names, each followed by ",".
void ListaCamposTabla(const db::Tabla& tabla, QString& lista);

// One cell of the printed grid on the printer canvas, with the scale of the
// printing: its frame, pen 2, from (x, row) to (x + width, row + 1) in
// characters and rows, and its text in black in the font and size given,
// left-aligned; a text whose third character from the end is a point prints
// as money ("$" and "#,###,##0.00") when it reads as a number.
void ImprimeCeldaCatalogo(const EscalaFranjas& escala, int x, int renglon, int ancho, int tamano, const QString& texto,
                          const QString& fuente);

// Messages of the window.
inline const QString kSinIndice = QStringLiteral("No se ha Definido un Indice.");
inline const QString kNoSumable = QStringLiteral("La columna no se puede sumar...");
inline const QString kNoNumerica = QStringLiteral("La Columna no es Numérico...");
inline const QString kPasswordInvalido = QStringLiteral("Password inválido, no se podra modificar campo");
