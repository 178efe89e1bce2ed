#pragma once
// The query view designer "Diseño de Consultas" (TFormaDisenoVista), opened
// from Opciones > "Diseño de Consultas": the user picks a table category,
// drags fields of its dictionary (Campos.DBF) onto the columns of a design
// grid, sets each column's properties by double clicks, marks pairs of key
// columns for the join, types a title and a description, and saves the view
// (Vistas.h): the view file, a record in the category's view list in the
// folder "report" of the data folder, and two lines of Especiales.cnf.
// "Abrir" loads a saved view back into the grid to be changed and saved
// again.
//
// Design grid DatosConsulta, columns 1 to 49 (column 0 holds the titles):
//
//   row  title           content                      set by
//     1  Campo           caption (DESCRIBE)           drop; typing
//     2  Titulo          free text, not saved         typing
//     3  Formato         "###,##0.00" / "ninguno"     double click
//     4  Alineación      "derecha" / "izquierda"      double click, not saved
//     5  Totales         "totalizar" / "sin totales"  double click
//     6  Fórmula         free text, not saved         typing
//     7  Ancho           width in characters          drop (0: the report's
//                                                     default); typing
//     8                  field name (CAMPO)           drop
//     9  Orden           "Incluir" / empty            double click
//    10  Total/Cambio    "Ejecutar" / empty           double click
//    11  Tabla           the category's table file    drop
//    12  Identificador   the category's letter        drop
//    13  Llave           "Llave <n>" / empty          double click
//
// Two columns marked one after the other share a key number; a bracket
// under row 13 joins the two columns of each key number.

#include "platform/ui/Forma.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <map>
#include <utility>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QToolButton;
class CapaLlaves;
namespace ui {
class DialogoArchivo;
class Panel;
class RejillaTexto;
}  // namespace ui

// A table category of the designer.
struct CategoriaVista {
  const char* nombre;   // as Lista shows it
  const char* tabla;    // table file name
  const char* lista;    // view list file name
};
// The categories in Lista's order; the identifier of category i is the
// letter "A" + i.
const std::vector<CategoriaVista>& CategoriasVista();

class TFormaDisenoVista : public ui::Forma {
  Q_OBJECT
 public:
  static constexpr int kColumnas = 50;  // column 0 the titles
  static constexpr int kFilas = 14;     // row 0 the header
  enum Fila {
    FilaCampo = 1,
    FilaTitulo,
    FilaFormato,
    FilaAlineacion,
    FilaTotales,
    FilaFormula,
    FilaAncho,
    FilaNombre,
    FilaOrden,
    FilaAccion,
    FilaTabla,
    FilaIdentificador,
    FilaLlave,
  };

  explicit TFormaDisenoVista(QWidget* owner = nullptr);
  ~TFormaDisenoVista() override;

  QMenuBar* MainMenu1;
  QMenu* Archivo1;
  QAction* Abrir1;
  QAction* Guardar1;
  QAction* Salir1;
  QMenu* Ayuda1;
  QAction* Temas1;  // hidden
  QAction* Informacion1;

  ui::Panel* Panel2;  // "Nombre de los campos"; drags the window
  QComboBox* Lista;   // the category
  QListWidget* ListaCampos;
  QLineEdit* Edit1;  // the title
  QPlainTextEdit* Describe;
  ui::RejillaTexto* DatosConsulta;
  QListWidget* ListBox1;
  QListWidget* ListBox2;
  QToolButton* BotonAbrir;
  QToolButton* BotonGuardar2;
  QToolButton* BotonSalir;  // Tag 1000 once the window has closed
  QToolButton* BotonPreliminar1;  // hidden
  QToolButton* SpeedButton1;      // hidden
  ui::Panel* Panel4;
  ui::DialogoArchivo* GuardaBase;
  ui::DialogoArchivo* AbreBase;
  QLineEdit* Tipos;  // hidden: the category's view list
  QLineEdit* Descr;  // hidden: the view's description

  // Four items per field of the category, in dictionary order: CAMPO,
  // DESCRIBE, TIPO, TAMO.
  QStringList ListaClaves;
  // The number the next key cell takes.
  int ContadorLlaves = 1;

  // The two ends (grid x of the middle of their row 13 cells) of each key
  // number, as found by DibujaLlaves; -1 where an end is missing.
  std::map<int, std::pair<int, int>> Llaves;

  void ListaChange();
  // Drops field ListaCampos's current item on the column under the point
  // (DatosConsulta's viewport coordinates).
  void DatosConsultaDragDrop(const QPoint& punto);
  void DatosConsultaDblClick();
  void DibujaLlaves();
  void BotonGuardar2Click();
  void Abrir1Click();
  void Informacion1Click();

  // Lines 1 to 10 of the view the grid describes.
  QStringList LineasVista() const;

 protected:
  void FormShow() override;
  void FormActivate() override;
  void FormClose() override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void ConstruyeMenu();
  void ConstruyeBotones();
  void ConstruyeRejilla();
  QString Celda(int col, Fila fila) const;
  // Puts a saved view's lines into the grid.
  void CargaVista(const QStringList& vista);

  CapaLlaves* capa_;
  bool mostrada_ = false;
};

inline TFormaDisenoVista* FormaDisenoVista() { return ui::InstanciaDe<TFormaDisenoVista>().data(); }
