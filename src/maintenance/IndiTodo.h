#pragma once
// The maintenance and reindexing window "Mantenimiento y Reindexado".
//
// It keeps the index catalogue Indices.cnf of a data folder (one line per
// tag: "table,tag,key", the key a field list or "*" + an expression, all in
// lower case, CR LF) and rebuilds the tables' production indexes from it;
// it also lists the tags a folder lacks and adds only those, deletes the
// work tables whose names begin with "_", empties a table, rebuilds the
// per-product totals from product stock and opens the record verification.
//
// Replaying a catalogue works table by table, under exclusive use: the
// table's index is removed, the table packed and every tag of its lines
// added. A table another station holds is skipped, untouched; an index file
// is deleted or a header patched only while the table is held
// (db::QuitaIndiceProduccion). Each replaying command ends with one summary
// (MensajeResumenReindexado): the tables rebuilt, those left untouched
// because they were in use and those that failed.

#include "platform/db/Esquema.h"
#include "platform/ui/Forma.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
namespace db {
class Tabla;
}

inline const QString kCatalogoIndices = QStringLiteral("Indices.cnf");
// The message of a table skipped because another station holds it.
QString MensajeTablaEnUso(const QString& tabla);

// What one replaying command did, table by table (names of a numbered
// subfolder carry it: "2\\cliente.dbf").
struct ResumenReindexado {
  QStringList hechas;
  QStringList enUso;
  QStringList fallidas;
};
// "Proceso de Regeneración de Indices Terminado", the count of tables
// rebuilt, and the tables in use and those that failed, when any.
QString MensajeResumenReindexado(const ResumenReindexado& resumen);

// One line of the catalogue.
struct LineaCatalogo {
  QString tabla;
  QString tag;
  QString clave;  // as written, asterisks included
  QString texto;  // the whole line
};

// Field n (from 1) of a catalogue line: the text between comma n - 1 and
// comma n (as if a comma followed the line's end); "" when there is none.
QString CampoCatalogo(const QString& linea, int n);
QString QuitaAsteriscos(const QString& texto);
// The lines of a catalogue text that hold three fields; the key is the rest
// of the line after the second comma (a key may hold commas:
// "str(cldoc_f,10)+clpro_f").
QVector<LineaCatalogo> LeeLineasCatalogo(const QStringList& lineas);
// The catalogue line of a tag: a key on one field of the table is that
// field, any other "*" + its expression; in lower case.
QString LineaDeTag(const QString& tabla, const db::DefTag& tag, const QStringList& campos);
// The catalogue of a folder's tables ("Lee indices"): for each .dbf, sorted
// without regard to case, the line of each of its tags in the tag order; a
// table whose tags cannot be read is passed to `alFallar` and skipped.
QStringList CatalogoDeCarpeta(const QString& carpeta, const std::function<void(const QString& archivo)>& alFallar = {});
// Whether the table of the folder has its production index file and a tag
// of that name (case ignored).
bool ExisteIndice(const QString& carpeta, const QString& tabla, const QString& tag);

class TFormaReindexaTodo : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaReindexaTodo(QWidget* owner = nullptr);

  QLineEdit* EditRuta;
  QListWidget* Archivos;   // hidden: the .dbf files of the folder
  QPlainTextEdit* Memo1;   // the catalogue being edited or replayed
  QListWidget* Faltantes;  // hidden: catalogue lines whose tag is missing
  QListWidget* Lista;      // hidden: tag names
  QListWidget* Lista2;     // the tables of the last replay
  db::Tabla* Table1;
  QProgressBar* Progreso;
  QLabel* LabelTabla;
  QCheckBox* ReindexaInicio;
  QCheckBox* RespaldaInicio;
  QCheckBox* RespaldaFinal;
  QPushButton* BitBtn1;   // "Lee indices"
  QPushButton* BitBtn4;   // "Guarda Archivo"
  QPushButton* BitBtn8;   // "Archivo de Configuración"
  QPushButton* BitBtn3;   // "Imprime"
  QPushButton* BitBtn2;   // "&Reindexa"
  QPushButton* BitBtn6;   // "&Checa Indices"
  QPushButton* BitBtn7;   // "Reindexa &Incompletos"
  QPushButton* BitBtn9;   // never shown
  QPushButton* BitBtn5;   // "Borra &Temporales"
  QPushButton* BitBtn10;  // "Chequeo de R&egistros"
  QPushButton* BitBtn11;  // "Borra &Datos"
  QPushButton* BitBtn12;  // "AjusteK"

  // "Lee indices": the catalogue of the folder's tables into the memo.
  void BitBtn1Click();
  // "Guarda Archivo": the memo into <folder>\Indices.cnf.
  void BitBtn4Click();
  // "Archivo de Configuración": the memo from <folder>\Indices.cnf.
  void BitBtn8Click();
  // "&Reindexa": the full replay of the folder, its numbered subfolders and
  // the numbering tables.
  void BitBtn2Click();
  // "&Checa Indices": the lines whose tag is missing into Faltantes.
  void BitBtn6Click();
  // "Reindexa &Incompletos": adds the tags of Faltantes, keeping the others.
  void BitBtn7Click();
  // ReindexaFaltantes.
  void BitBtn9Click();
  // "Borra &Temporales".
  void BitBtn5Click();
  // "Chequeo de R&egistros": the record verification, then the full replay.
  void BitBtn10Click();
  // "Borra &Datos": empties the table selected in Lista2 after confirmation.
  void BitBtn11Click();
  // "AjusteK": Kardex.dbf rebuilt from the products' stock.
  void BitBtn12Click();
  // Every table file of the folder into Lista2 (the window's double click).
  void FormDblClick();

  // The replay of the memo's lines against the folder in EditRuta.
  void ReindexaCatalogo();
  // The per-product totals row of a key set from a stock.
  static void AjustaKardex(const QString& clave, db::Tabla& kardex, double existencia);

 protected:
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;
  void mouseDoubleClickEvent(QMouseEvent* evento) override;

 private:
  enum class Preparacion { Lista, EnUso, Fallida };
  // Makes the table ready for its tags under exclusive use: its index
  // removed (always when `quitaIndice`, else only when its index file is
  // missing) and the table packed; Table1 is left open exclusively on it
  // when Lista.
  Preparacion PreparaTablaIndices(const QString& tabla, const QString& carpeta, bool quitaIndice);
  // Adds a tag to the table Table1 holds; "Fallo en <tag> <key>" when it
  // cannot be made.
  void AgregaIndiceCatalogo(const LineaCatalogo& linea, const QVector<db::DefTag>& anteriores);
  // The replay of catalogue lines grouped by table, noted in resumen_.
  void Reproduce(const QVector<LineaCatalogo>& lineas, bool quitaIndice);
  // Starts the summary of a replaying command worked from `inicio`.
  void EmpiezaResumen(const QString& inicio);
  // Shows the summary of the command.
  void MuestraResumen();
  // Loads <folder>\Indices.cnf into the memo; false (and the error shown)
  // when it cannot be read.
  bool CargaCatalogo(const QString& carpeta);
  void LlenaArchivos(const QString& carpeta);
  void Avanza(int hechas, int total);
  void ChecaIndices();
  void ReemplazaMemo(const QStringList& lineas);
  QStringList LineasMemo() const;

  ResumenReindexado resumen_;
  QString inicioResumen_;
};

inline TFormaReindexaTodo* FormaReindexaTodo() { return ui::InstanciaDe<TFormaReindexaTodo>().data(); }
