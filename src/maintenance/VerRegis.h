#pragma once
// The record verification window "Verifica Registros": checks every dBASE
// table of a folder and repairs what it can, answering Tag 1 once a
// verification ran (the reindex window then rebuilds every index).
//
// The verification, per table of the folder:
//   1. the open test, under exclusive use, with the repair of what a crash
//      leaves (db::RevisaTabla): the end of the file made right (a trailing
//      piece of a record completed, logged in borrados.dat and deleted; the
//      header count and the end mark), tags that disagree with the rows
//      regenerated. Repaired tables are listed in ListaReparadas and logged;
//      a table another station holds is only opened, and named in a message.
//   2. the tables that failed to open lose their production index and its
//      header flags (db::QuitaIndiceProduccion), and are checked again;
//   3. every field of every record is read; a record with a field that
//      cannot be read has such fields blanked and is deleted.
// "Verificación &Completa" first copies every table into <folder>\tempo.
//
// The window also holds a reader of a table's bytes that completes a
// truncated last record (RevisaRegistrosCrudos); its button is never shown.

#include "platform/ui/Forma.h"

#include <QChar>
#include <QString>
#include <QVector>

#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTableWidget;
namespace db {
class Tabla;
}

// Whether a character may stand in a field of that type (C any; D blank,
// "/" and digits; N and F blank, ".", "-" and digits): 1, else 0. A refused
// character of a C, D, N or F field shows "error <type> <char>" (two blanks
// for D); other types give 0 silently.
int ValidaCaracterCampo(char caracter, QChar tipo);

// Reads every field of every record of a table opened shared, in physical
// order. A record with a field that cannot be read (the layer's Conversion)
// has those fields blanked, is posted and deleted, and the walk goes on with
// the record that follows. `avance` is told the records done and the count
// at the start after each record. Returns the records deleted. Errors of the
// open or of a deletion reach the caller.
qint64 LeeRegistrosTabla(const QString& carpeta, const QString& archivo,
                         const std::function<void(qint64 hechos, qint64 total)>& avance = {});

class TFormaVerificaRegistros : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaVerificaRegistros(QWidget* owner = nullptr);

  QLineEdit* Edit1;              // the folder to check
  QListWidget* FileListBox1;     // the tables of the folder
  QListWidget* FileListBox2;     // the tables that failed to open
  QListWidget* FileListBox3;     // hidden: the tables copied into tempo
  QListWidget* ListaReparadas;   // the tables repaired after a crash
  db::Tabla* Tabla;
  QProgressBar* Progreso;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label4;
  QTableWidget* Datos;           // hidden: the fields the byte reader found
  QListWidget* ListBox1;         // hidden: their names
  QPushButton* BitBtn3;          // "Verificación &Completa"
  QPushButton* BitBtn4;          // "&Verifica Registros"
  QPushButton* BitBtn5;          // "Cancelar"
  QPushButton* BitBtn1;          // "Ejecutar", never shown
  QPushButton* BitBtn2;          // never shown

  void BitBtn3Click();
  void BitBtn4Click();
  void BitBtn5Click();
  // RevisaRegistrosCrudos on every table of the folder.
  void BitBtn1Click();
  // The developer's test copy: D:\TEMP\COMPRASD.DBF into COMPRASD2.DBF
  // without its last 98 bytes and with 56 bytes "x" after them.
  void BitBtn2Click();

  // Copies every table of the folder into <folder>\tempo, over older copies
  // (a copy that fails is passed over); an error when tempo cannot be made.
  void CopiaTablasTempo(const QString& carpeta);
  // The record reading of one table with its gauge and labels; true when it
  // deleted records.
  bool VerificaLecturaTabla(const QString& carpeta, const QString& archivo);
  // The byte reader: lists the fields, and when the file ends inside a
  // record reports "el registro tuvo error <n>", checks the bytes of that
  // record and completes it with blanks and the end mark (under exclusive
  // use; a table another station holds is named in a message).
  void RevisaRegistrosCrudos(const QString& ruta);
  void AnotaCampo(const QString& nombre, QChar tipo, int largo, int decimales);

 private:
  void Verifica(bool completa);
  // The open test with its repair; false when the table does not open.
  bool RevisaApertura(const QString& carpeta, const QString& archivo, bool avisaEnUso);
  QVector<QChar> tipos_;
  QVector<int> largos_;
};
