#pragma once
// The text-file import dialog "Importa Archivo": the lines of a
// comma-separated file of document lines (item 1 the product key, item 3 the
// document number), those of one document laid out in the grid Campos under
// the caller's field names, unknown products marked, handed back to the
// caller. The movement window's "Importar Datos" uses it; so do purchases
// and the count sheet (which reads only Ruta and Separador back).
//
// The caller makes it, fills MemoConfigurar (the field map: line k names the
// field of item k + 1; an empty line leaves its column unused), LabelRuta
// (the folder of INVENTAR.DBF) and Usuario, shows it modally, reads Tag
// (1000 after "Importar", 0 otherwise) and the grid (row 0 the field names,
// rows 1 on the values, empty rows after the last line laid out) and frees
// it.
//
// The file last used is remembered in confi_importa.cnf (program folder):
// read when the dialog is made, its lines loaded sorted into
// ListaMovimientos; rewritten with Ruta whenever the dialog closes. A double
// click on Ruta chooses another file; its lines are loaded the next time the
// dialog is made. Files are Windows-1252 text; one that is valid UTF-8 is
// read as UTF-8.
//
// "Inventario" shows the product window modeless above the dialog, so that
// missing products can be registered while the dialog stays open.

#include "platform/ui/Forma.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
namespace db {
class Campo;
class Tabla;
}  // namespace db
namespace ui {
class DialogoArchivo;
class RejillaTexto;
}  // namespace ui

// The grid's columns when the field map is not longer.
inline constexpr int kColumnasImporta = 8;
// Tag of the dialog after "Importar".
inline constexpr int kImportaAceptado = 1000;
inline const QString kNoExisteProducto = QStringLiteral("No Existe");
inline const QString kConfiImporta = QStringLiteral("confi_importa.cnf");

class TFormaImportaArchivo : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaImportaArchivo(QWidget* owner = nullptr);
  ~TFormaImportaArchivo() override;

  QLineEdit* Ruta;                 // the import file; double click: a file dialog
  QListWidget* ListaMovimientos;   // the file's lines, sorted
  QLineEdit* EditDocumento;        // "Documento", "1"
  ui::RejillaTexto* Campos;        // row 0 titles, rows 1 on the lines laid out
  QPlainTextEdit* MemoConfigurar;  // the field map, read-only (input)
  QLabel* LabelRuta;               // the folder of INVENTAR.DBF (input)
  QLabel* Usuario;                 // the user number (input)
  QLineEdit* Separador;            // hidden: the count sheet's separator
  QPushButton* BotonAgregar;       // "Agregar"
  QPushButton* BotonImportar;      // "Importar"
  QPushButton* BotonCancelar;      // "Cancelar"
  QPushButton* BotonInventario;    // "Inventario"
  ui::DialogoArchivo* AbreArchivo;

  // The line of the import file (from 1) that grid row `fila` was laid out
  // from; 0 for an empty row.
  int LineaDeArchivo(int fila) const;

  void BotonAgregarClick();
  void BotonImportarClick();
  void BotonCancelarClick();
  void BotonInventarioClick();

 protected:
  void FormClose() override;

 private:
  void RutaDblClick();
  // Loads the lines of the file named by Ruta into the list.
  void CargaLista();

  QString carpetaPrograma_;
  QVector<int> lineas_;  // per grid row, its file line
};

inline TFormaImportaArchivo* FormaImportaArchivo() { return ui::InstanciaDe<TFormaImportaArchivo>().data(); }

// --- Putting imported values into a capture table.

// "Error en la línea <n> del archivo <file>: <why>. No se importó nada."
QString LineaImportaMala(const QString& archivo, int linea, const QString& motivo);
// "\"<value>\" no es un valor válido para <field>"
QString ValorImportaMalo(const QString& valor, const QString& campo);

// The capture fields a field map names, in its order; an empty name stays
// empty (its value is not used). A name the capture table lacks is said,
// naming the map file and `captura` as `queCaptura` calls it ("la captura de
// movimientos"), and gives nullopt.
std::optional<std::vector<db::Campo*>> CamposDeMapa(db::Tabla& captura, const QStringList& nombres,
                                                     const QString& mapa, const QString& queCaptura);

// What the import dialog hands back, checked against the capture table:
// `campos` per line of its field map (MemoConfigurar), `filas` the grid rows
// whose first cell is not empty.
struct FilasImporta {
  std::vector<db::Campo*> campos;
  std::vector<int> filas;
};
// Reads the dialog's answer for `captura`. A map name the capture lacks or a
// value its field does not take is said (naming the map, or the import file
// and its line) and gives nullopt: nothing is to be imported.
std::optional<FilasImporta> LeeFilasImporta(const TFormaImportaArchivo& dialogo, db::Tabla& captura,
                                            const QString& mapa, const QString& queCaptura);
// The values of grid row `fila` into the capture's current row, which the
// caller has appended and posts.
void EscribeFilaImporta(const TFormaImportaArchivo& dialogo, const FilasImporta& filas, int fila);
