#pragma once
// The yes/no confirmation.
//
// The caller puts its question in Label1 (and may show BotonCaptura, widen
// Label1 or set the caption), shows the window modally and reads Tag:
// 1 "Si", 0 "No", 2 "Capturar Clave (F9)". F9 acts as that button only while
// it is visible. The window also serves, shown modeless, as a please-wait
// notice that the caller closes.

#include "platform/ui/Forma.h"

class QLabel;
class QPushButton;

class TFormaAdvertencia : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaAdvertencia(QWidget* owner = nullptr);

  QLabel* Label1;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;
  QPushButton* BotonCaptura;

 protected:
  void FormShow() override;
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;

 private:
  void BitBtn1Click();
  void BitBtn2Click();
  void BotonCapturaClick();
};

inline TFormaAdvertencia* FormaAdvertencia() { return ui::InstanciaDe<TFormaAdvertencia>().data(); }
