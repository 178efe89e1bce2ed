#pragma once
// The backup window "Respaldo de Archivos del Sistema".
//
// Respaldar: the normal backup copies the tables of the source folder, every
// .dbf (each with its memo file .dbt) and then every .mdx, and after them
// everything else the company needs to start again from the copy (users,
// folios, currencies, settings, the event log and the folders report,
// Bitacora, Cortes, Control ...), subfolders and all, into the target folder
// (by default C:\RESPALDOS\<d>-<m>-<yyyy> of today), shows the end message
// with what was copied and what could not be, and closes the window; the
// compressed backup writes the same files of the data folder into
// <target>\prue.zip and leaves the window open. A target inside the source
// folder is never copied into itself.
// Restaurar: drawn only, its "Aceptar" does nothing. Crear Bases de Datos:
// the normal backup into the folder typed in Directorio2.
//
// Each file is copied under a temporary name in the target folder and renamed
// over the old one when whole, so a backup stopped midway never leaves a cut
// file under a table's name; files that cannot be copied do not stop the
// others and are named in the end message. Tables are read as they lie on
// disk: nothing is locked.

#include "platform/ui/Forma.h"

#include <QString>
#include <QStringList>

#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;

// The end message of a backup that copied every file.
inline const QString kRespaldoTerminado = QStringLiteral("Proceso de Respaldo Archivos Terminado ");
// The message of a compressed backup that could not be written.
inline const QString kErrorCompresion = QStringLiteral("Ocurrio un error durante la compresión...");
// The archive of the compressed backup, in the target folder.
inline const QString kArchivoComprimido = QStringLiteral("prue.zip");

class TFormaRespaldo : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaRespaldo(QWidget* owner = nullptr);

  QTabWidget* TabbedNotebook1;
  // Respaldar.
  QRadioButton* Normal;
  QRadioButton* Comprimido;
  QLineEdit* DirectorioFuente;
  QLineEdit* DirectorioDestino;
  QProgressBar* Avance2;
  QToolButton* Ejecutar;
  QPushButton* BitBtn1;
  // Restaurar.
  QLineEdit* DirectorioFue;
  QLineEdit* DirectorioDes;
  QProgressBar* Avance;
  QToolButton* Aceptar;
  QPushButton* BitBtn2;
  // Crear Bases de Datos.
  QLineEdit* Directorio2;
  QProgressBar* Avance4;
  QPushButton* BitBtn5;
  QPushButton* BitBtn6;
  // Hidden: the names being copied, the current source and target paths and
  // the last file copied.
  QListWidget* ListaArchivo2;
  QLabel* uno;
  QLabel* dos;
  QLabel* ArchivoBases;

  // "&Aceptar" of Respaldar: the normal or the compressed backup, by the
  // radio button checked.
  void EjecutarClick();
  // "&Iniciar": the normal backup into Directorio2, when it is not empty.
  void BitBtn5Click();
  // Bound to no component: the end message of a reindexing, then closes.
  void BitBtn3Click();
  // Copies the tables and index files of DirectorioFuente into
  // DirectorioDestino, shows the end message and closes the window.
  void CopiaArchivosRespaldo();

 private:
  void RespaldoNormal();
  void RespaldoComprimido();
  // Copies the named files of DirectorioFuente (names relative to it, "\"
  // between folders), advancing Avance2; adds the names that could not be
  // copied to `noCopiados`.
  void CopiaLista(const QStringList& nombres, QStringList& noCopiados);
};

inline TFormaRespaldo* FormaRespaldo() { return ui::InstanciaDe<TFormaRespaldo>().data(); }

// The default target of today's backup: "C:\RESPALDOS\8-12-2026".
QString CarpetaRespaldoDelDia();
// The day text of the compressed backup: "8122026".
QString TextoDiaRespaldo();

// Names of the files of a folder (Windows form) matching a pattern such as
// "*.dbf" without regard to case, sorted without regard to case. Folders are
// left out; a name that leads to no file (a broken link) is kept, so that a
// table that cannot be read is reported rather than passed over.
QStringList ArchivosDeCarpeta(const QString& carpeta, const QString& patron);

// What a backup of a company folder holds, as names relative to it ("\"
// between folders): every .dbf, each followed by its memo .dbt; every .mdx;
// then every other file of the folder and of its subfolders, each group
// sorted without regard to case. The folder `fuera` (a backup target inside
// the company folder) and what it holds are left out.
struct ArchivosRespaldo {
  QStringList tablas;  // .dbf and .dbt
  QStringList indices;  // .mdx
  QStringList otros;
  QStringList Todos() const { return tablas + indices + otros; }
};
ArchivosRespaldo ArchivosDelRespaldo(const QString& carpeta, const QString& fuera = QString());

// Writes a zip archive at `archivo` (Windows form) holding each file of
// `nombres` (relative to `carpeta`) under that name, "/" between folders;
// `avance` is told the fraction done (0 to 1).
// The archive is made under a temporary name in its folder and renamed over
// `archivo` when whole: on failure nothing new is left under that name (an
// older archive there stays as it was) and plat::Error tells why.
void EscribeZip(const QString& archivo, const QString& carpeta, const QStringList& nombres,
                const std::function<void(double)>& avance);
