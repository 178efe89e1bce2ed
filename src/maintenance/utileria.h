#pragma once
// The early utilities window "Utilerías", on fixed folders: Lista shows the
// tables of c:\proyecto; BitBtn1 replaces the first tag of each of those
// tables in c:\Vorlan\datos by the unique tag iiro on CLPRO_I (showing each
// name first; the first failure stops it with the table layer's error);
// BotonCrear copies a fixed list of company tables from c:\proyecto to
// c:\respaldo, over older copies, skipping the files it cannot copy.
// No menu item or button opens it: only the main window's Indices1Click.

#include "platform/ui/Forma.h"

#include <QString>
#include <QStringList>

class QListWidget;
class QPushButton;
class QTimer;
class QToolButton;
namespace db {
class Tabla;
}

inline const QString kCarpetaProyecto = QStringLiteral("c:\\proyecto\\");
inline const QString kCarpetaDatosUtilerias = QStringLiteral("c:\\Vorlan\\datos");
inline const QString kCarpetaCopiaUtilerias = QStringLiteral("c:\\respaldo\\");

// The files of the fixed copy, in the order they are copied.
extern const QStringList kArchivosCopiaUtilerias;

class TFormaUtilerias : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaUtilerias(QWidget* owner = nullptr);

  QListWidget* Lista;
  QPushButton* BitBtn1;
  QToolButton* BotonCrear;
  db::Tabla* TablaAuxiliar;
  QTimer* Timer1;

  // The tag rebuild; throws the table layer's plat::Error at the first table
  // it cannot handle (those already handled keep their new tag).
  void BitBtn1Click();
  // The fixed copy.
  void BotonCrearClick();

 protected:
  // Lists the tables of c:\proyecto (.dbf and .db files) with their extensions.
  void FormActivate() override;
};

inline TFormaUtilerias* FormaUtilerias() { return ui::InstanciaDe<TFormaUtilerias>().data(); }
