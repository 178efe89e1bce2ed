#pragma once
// The tare dialog of the legacy document window: a gross quantity made net
// by taking off the weight of the boxes and the cones. The gross weight of
// a scale program, left in puerto.num of the program folder, replaces the
// quantity given when that file exists.

#include "platform/ui/Forma.h"

class QLabel;
class QLineEdit;
class QPushButton;

class TFormaTara : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaTara(QWidget* owner = nullptr);

  QLabel* Cantidad;            // the gross quantity
  QLineEdit* Tara_Producto;    // boxes
  QLabel* Label1;
  QLineEdit* Facto;            // weight of one box
  QLabel* Label2;
  QLineEdit* EditConos;        // cones
  QLabel* Label3;
  QLineEdit* EditTara2;        // weight of one cone
  QLabel* Cantidad_Tara;       // the net quantity
  QPushButton* BitBtn1;        // "Aceptar": Tag 1
  QPushButton* BitBtn2;        // "Cancelar": Tag 0

  // The tare of the boxes and cones typed (a text that is no number is 0).
  double TaraCapturada() const;
  // Leaving the cones: the tare taken off the net quantity shown.
  void EditConosExit();

 protected:
  void FormShow() override;
  void keyPressEvent(QKeyEvent* evento) override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;
};

inline TFormaTara* FormaTara() { return ui::InstanciaDe<TFormaTara>().data(); }

// The value rounded to `decimales` through its text of 10 characters.
double RedondeaDecimales(double valor, int decimales);

// The quantity to put in a line of a product with a box weight
// (`pesoCaja`, FACTO_I) and its units per box (`porCaja`, EXIFA_I; 0 or
// less is one): the dialog shown with the tare of the boxes the quantity
// fills; accepted, the gross (puerto.num when present) less the tare typed;
// cancelled, the gross without tare. puerto.dat of the program folder is
// deleted first.
double PideTara(double cantidad, double pesoCaja, double porCaja);
