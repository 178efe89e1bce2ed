#pragma once
// The main window.

#include "platform/ui/Forma.h"

class TFormaPrincipal : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaPrincipal(QWidget* owner = nullptr);
};

inline TFormaPrincipal* FormaPrincipal() { return ui::InstanciaDe<TFormaPrincipal>().data(); }
