#pragma once
// The product-key generator "Generador automático de Claves": the keys made
// of every combination of up to four lists of values (a model, a colour, a
// size ...), written to claves.dat in the program folder and shown in
// Claves, where the user may edit them before "Agregar al Catalogo" adds the
// keys that are not in INVENTAR.DBF yet as new products, all with the
// description of row 1 and the values of "Campos Extra".
//
// Values. Column 1 of a row of Detalle holds its values separated by commas;
// blanks are part of a value and an empty piece is a value too ("A,,B" is
// three values). A row with an empty cell takes no part.
//
// Generation ("Generar") joins one value of each row 1 to 4 that takes part,
// in row order, for every combination; row 1 changes slowest and the last
// row fastest, like the digits of a number. "Total de Claves" (a click on
// LabelTotal) counts the combinations of rows 1 to 7.
//
// Adding ("Agregar al Catalogo"), line by line of Claves into INVENTAR.DBF of
// the folder in LabelRuta: a key already there (of any warehouse) and an
// empty line are skipped; a key longer than the key field is cut to it, as
// it is stored. The extra values are written in the order of the boxes; one
// its field does not take (a price that is no number) leaves it and the
// fields after it empty, and the product is still added.

#include "platform/ui/Forma.h"

#include <QString>
#include <QStringList>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace ui {
class RejillaTexto;
}

inline constexpr int kFilasValores = 4;      // rows that make keys
inline constexpr int kFilasDetalleClave = 7;  // rows LabelTotal counts
inline constexpr int kCamposExtra = 9;

class TFormaClaveDiseno : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaClaveDiseno(QWidget* owner = nullptr);

  ui::RejillaTexto* Detalle;  // 3 columns, 8 rows, the first of each fixed
  QPlainTextEdit* Claves;
  QGroupBox* GroupBox1;  // "Campos Extra"
  // Edit1 to Edit9, copied into kCamposClave[i] of each new product.
  QLineEdit* Edits[kCamposExtra];
  QLabel* LabelRuta;  // hidden: the folder of INVENTAR.DBF
  QLabel* LabelTotal;
  QProgressBar* Progreso;
  QPushButton* BitBtn1;  // "Generar"
  QPushButton* BitBtn3;  // "Agregar al Catalogo"
  QPushButton* BitBtn2;  // "Cancelar"

  void BitBtn1Click();
  void BitBtn3Click();
  void BitBtn2Click();
  void LabelTotalClick();

 private:
  // The values of column 1 of a row; none for an empty cell.
  QStringList Valores(int fila) const;
  // The product of the counts of rows 1 to `filas` that take part; 0 when
  // none does.
  qint64 Total(int filas) const;
  void MuestraAvance(qint64 hechos, qint64 total);
};

// The product fields of Edit1 to Edit9.
extern const char* const kCamposClave[kCamposExtra];

// The keys file of the program folder.
QString ArchivoClaves();
