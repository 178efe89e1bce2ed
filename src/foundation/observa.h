#pragma once
// Observations: several lines of free text per record, kept in factuobs.dbf
// of a database folder, one row per line: CLDOC_FO the owner's key,
// TIDOC_FO its two-letter kind ("CL" customer, "IN" product, "MI" inventory
// movement, "PR" supplier, "VE" seller), OBSER_FO the line. Index CLDOC_FO.
//
// TFormaObservaciones edits them in the memo Observacion: "&Guardar" answers
// Tag 1, "&Cancelar" Tag 0. Callers also use it as a read-only viewer of a
// text file (they hide BitBtn1 and set the caption); captioned "Bitacora" it
// paints the memo light yellow in Arial 10 bold.

#include "platform/ui/Forma.h"

#include <QString>

class QPlainTextEdit;
class QPushButton;

class TFormaObservaciones : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaObservaciones(QWidget* owner = nullptr);

  QPlainTextEdit* Observacion;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;

 protected:
  void FormShow() override;

 private:
  void BitBtn1Click();
  void BitBtn2Click();
};

inline TFormaObservaciones* FormaObservaciones() { return ui::InstanciaDe<TFormaObservaciones>().data(); }

// The observation table's file.
inline const QString kTablaObservaciones = QStringLiteral("factuobs.dbf");

// Edits the observation lines of the owner `clave` of kind `tipo` (its first
// two characters) in factuobs.dbf of `carpeta` (the table's own folder). "Guardar" replaces the
// owner's rows by the memo's lines: the new rows are written before the old
// ones are removed, and a failure midway takes the new rows out again and
// puts back any old row already removed, so the owner never loses its notes;
// the error is shown and the window comes back with the text typed. A line
// longer than OBSER_FO goes into several rows. Errors opening the table
// reach the caller.
void EditaObservaciones(const QString& clave, const QString& tipo, const QString& carpeta);

// A document's log file shown read only in TFormaObservaciones captioned
// "Bitacora", its "Guardar" button hidden, modally. A file that cannot be
// read shows nothing.
void MuestraArchivoBitacora(QWidget* owner, const QString& ruta);
