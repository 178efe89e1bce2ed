#pragma once
// The column type dialog "Tipo de Dato": the kind a result column takes,
// numeric or money (either one accumulated or not), text, or hidden. Each
// caller creates it, shows it modally, reads the choice when its Tag is 1
// ("&Aplicar"; 0 "&Cancelar") and frees it. No kind is chosen when it
// opens. The callers colour a column's title as the kind's button.

#include "platform/ui/Forma.h"

#include <QColor>

class QCheckBox;
class QPushButton;
class QRadioButton;

inline const QColor kColorNumero(0, 255, 0);
inline const QColor kColorMoneda(255, 128, 0);
inline const QColor kColorCadena(0, 128, 255);
inline const QColor kColorNoVisible(255, 0, 255);

class TFormaTipos : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaTipos(QWidget* owner = nullptr);

  QRadioButton* Numero;
  QCheckBox* AcumulaNumerico;
  QRadioButton* Moneda;
  QCheckBox* AcumulaMoneda;
  QRadioButton* Cadena;
  QRadioButton* NoVisible;
  QPushButton* BitBtn1;  // "&Aplicar"
  QPushButton* BitBtn2;  // "&Cancelar"

  void BitBtn1Click();
  void BitBtn2Click();
};

inline TFormaTipos* FormaTipos() { return ui::InstanciaDe<TFormaTipos>().data(); }
