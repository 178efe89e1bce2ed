#pragma once
// The data collector window "COLECTOR". A hand-held collector is emptied by
// its maker's transfer program, which leaves the scanned lines ("key,
// quantity", one a scan) in Form.dat on the user's desktop. The window runs
// that program ("1) Leer Colector"), keeps a copy of each Form.dat in the
// folder Colector of the program folder under the name "<date-time>_Form.dat"
// (the date-time as days since 30/12/1899 with the fraction of the day),
// totals the newest copy per key ("2) Ordenar") and shows per key the total,
// the product's description, its stock and the difference; "3) Exportar"
// hands the grid to the caller (Tag 1000), the movement window's collector
// command, which writes it as movement documents of the concept in EditTipo
// (by the differences when CheckAjuste is ticked), PartidasMI lines each.
//
// Made at start-up and again by the movement window for each import; the
// caller points TablaInventario at the product table (folder, tag, name).
//
// The desktop folder is fs::CarpetaEscritorio(). Only Form.dat is ever
// deleted there, when the window is shown and around each reading: other
// files on the desktop are the user's. The transfer program is
// kProgramaColector, reached through the program map of the process layer
// (README), started in the program folder and waited for while the windows
// stay live.

#include "platform/ui/Forma.h"

#include <QString>
#include <QStringList>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;
class QToolButton;
namespace db {
class Tabla;
}
namespace ui {
class Panel;
class RejillaTexto;
}  // namespace ui

// The collector maker's transfer program, as installed on the shop's
// Windows machines.
inline const QString kProgramaColector = QStringLiteral("\"C:\\Archivos de programa\\Colector\\Transfiere.exe\"");
inline const QString kArchivoColector = QStringLiteral("Form.dat");
// Tag of the window after "3) Exportar".
inline constexpr int kColectorAceptado = 1000;
inline const QString kNoIdentificado = QStringLiteral("NO IDENTIFICADO");
inline const QString kNoHayMovimiento = QStringLiteral("No hay movimiento");

// The grid's columns.
enum ColumnaColector { ColColectorClave = 1, ColColectorTotal, ColColectorDescripcion, ColColectorExistencia,
                       ColColectorDiferencia };

class TFormaColector : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaColector(QWidget* owner = nullptr);
  ~TFormaColector() override;

  ui::Panel* Panel1;        // the top panel: blue, orange in adjustment mode
  QToolButton* SpeedButton1;  // "1) Leer Colector"
  QToolButton* SpeedButton2;  // "2) Ordenar"
  QToolButton* SpeedButton3;  // "3) Exportar"
  QLineEdit* EditTipo;        // "Tipo de Movimiento", "57"
  QLabel* LabelDescribe;      // "MOVIMIENTO DE ENTRADA" / "MOVIMIENTO DE SALIDA"
  QCheckBox* CheckAjuste;     // "Ajuste de Existencias"
  QSpinBox* PartidasMI;       // "Partidas por Movimiento", 50, at least 1
  ui::RejillaTexto* StringGridColector;
  QListWidget* FileListBox1;  // "*.dat" files of the desktop folder
  QListWidget* FileListBox2;  // "*.dat" files of the collector folder
  QLabel* LabelRuta;          // hidden: the product table's folder
  db::Tabla* TablaInventario;

  // The totals of the last "2) Ordenar", one "key,total" line per grid row,
  // in key order.
  QStringList ListaOrdenada;

  // The folders the window works with (Windows form or local).
  QString CarpetaEscritorio() const { return escritorio_; }
  QString CarpetaColector() const;

  void SpeedButton1Click();
  void SpeedButton2Click();
  void SpeedButton3Click();

 protected:
  void FormShow() override;

 private:
  void EditTipoChange();
  void CheckAjusteClick();
  // Deletes Form.dat from the desktop folder.
  void BorraArchivoColector();
  void MuestraArchivos();
  // The newest copy in the collector folder: the largest date-time its name
  // begins with; "" when there is none.
  QString UltimaLectura() const;

  QString carpetaPrograma_;
  QString escritorio_;
};

inline TFormaColector* FormaColector() { return ui::InstanciaDe<TFormaColector>().data(); }
