#pragma once
// "Precios": the prices of every product in one grid over inventar.dbf (tag
// ICLPRO) of the folder in the hidden label LabelRuta, edited in place. The
// grid shows the key, the description, price 1 (PPUBL_I) and every column
// whose name starts with "plis" or "pmin" (PMINI_I, PLIS2_I to PLIS7_I and
// the further price lists PLIS101_I onward); every other column is hidden.

#include "inventory/VentanaRejilla.h"

class QLabel;

class TFormaPrecios : public VentanaRejilla {
  Q_OBJECT
 public:
  explicit TFormaPrecios(QWidget* owner = nullptr);

  QLabel* LabelRuta;

 protected:
  void FormShow() override;
};

inline TFormaPrecios* FormaPrecios() { return ui::InstanciaDe<TFormaPrecios>().data(); }
