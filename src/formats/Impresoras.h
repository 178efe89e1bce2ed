#pragma once
// The printer picker "Impresoras": the caller fills ListBox1 with the
// printers of the system, shows it modally, and when its Tag is 1 takes the
// selected printer. "Agregar al Formato" answers 1 and closes, once a
// printer is selected; closing the window answers 0.

#include "platform/ui/Forma.h"

class QListWidget;
class QPushButton;

class TFormaImpresoras : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaImpresoras(QWidget* owner = nullptr);

  QListWidget* ListBox1;
  QPushButton* BitBtn1;

  void BitBtn1Click();
};

inline TFormaImpresoras* FormaImpresoras() { return ui::InstanciaDe<TFormaImpresoras>().data(); }
