#pragma once
// The save-changes question a data window asks when it is closed with
// unsaved input. Tag: 1 save ("Si"), 2 discard ("No"), 3 stay open
// ("Cancelar"); the close box Panel2 closes it and leaves Tag as the caller
// set it. Borderless: dragged by its title bar Panel1 or the label Label3.

#include "platform/ui/Forma.h"

class QLabel;
class QPushButton;
namespace ui {
class Figura;
class Panel;
}  // namespace ui

class TFormaCerrar : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaCerrar(QWidget* owner = nullptr);

  ui::Figura* Shape1;
  ui::Panel* Panel1;
  QLabel* Label3;
  ui::Panel* Panel2;
  QLabel* Label1;
  QPushButton* BitBtn1;
  QPushButton* BitBtn3;
  QPushButton* BitBtn2;

 private:
  void BitBtn1Click();
  void BitBtn3Click();
  void BitBtn2Click();
  void Panel2Click();
};

inline TFormaCerrar* FormaCerrar() { return ui::InstanciaDe<TFormaCerrar>().data(); }
