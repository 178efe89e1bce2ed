#pragma once
// Initial document numbers: Folios.dbs in the data folder (LabelRuta), seven
// text lines read by the sale screen when it numbers remissions and invoices
// from the record number of their header:
//   1 first remission number (Edit1)     4 first invoice number (Edit2)
//   2 remission adjustment (LabelAjuste)  5 invoice adjustment (LabelAjuste2)
//   3 last remission number (Edit3)       6 last invoice number (Edit4)
//   7 empty
// The opener (CreaFormaInicial) fills the last numbers and the adjustments
// from the tables; showing the window reads lines 1 and 4 of an existing
// file into the first-number edits. "Guardar" writes the seven lines, an
// empty control as "0", replacing the file at once; the window stays open.
// No number is checked: what is typed is stored.

#include "platform/ui/Forma.h"

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

inline const QString kArchivoFolios = QStringLiteral("Folios.dbs");

class TFormaInicial : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaInicial(QWidget* owner = nullptr);

  QLabel* Label1;  // "Remisión"
  QLabel* Label2;  // "Factura"
  QLineEdit* Edit1;
  QLineEdit* Edit3;
  QLabel* LabelAjuste;
  QLineEdit* Edit2;
  QLineEdit* Edit4;
  QLabel* LabelAjuste2;
  QLabel* LabelRuta;  // hidden: the data folder
  QPushButton* BitBtn1;

 protected:
  void FormShow() override;

 private:
  void BitBtn1Click();
  QString RutaFolios() const;
};

inline TFormaInicial* FormaInicial() { return ui::InstanciaDe<TFormaInicial>().data(); }

// The last number of a document series and the adjustment that turns the
// record number of its header into that number.
struct UltimoFolio {
  QString texto;       // the last header's number as the table shows it ("" when none)
  qint64 ajuste = 0;   // number - record number when the number is 1 or more, else the number
};

// The header with the highest number (tag INUMENC) of the company's header
// table `archivo`; its record number is its physical position. An empty
// table gives "" and 0. Throws plat::Error when the table cannot be opened.
UltimoFolio LeeUltimoFolio(const QString& archivo);

// The window as the menu opens it: the data folder in LabelRuta, the last
// remission number and its adjustment from Remision.dbf of the folder where
// the sale screen keeps remissions (configuration line 63, else the data
// folder), the last invoice number and its adjustment from FacturaE.dbf of
// the data folder. Throws plat::Error (no window) when a table cannot be
// read or the configuration names no data folder.
std::unique_ptr<TFormaInicial> CreaFormaInicial();
