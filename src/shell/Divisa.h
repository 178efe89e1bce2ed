#pragma once
// The currency window: the seven records of moneda.vrl in the data folder,
// one per row of an editable string grid (name, exchange rate, the four
// words of amounts in words, symbol). The file is read when the window is
// shown; the save button writes the seven rows as seven records, each text
// cut to its field, replacing the file at once, and the window stays open.
// Borderless, dragged by its title bar; the close box closes it.

#include "platform/ui/Forma.h"

class QLabel;
class QToolButton;
namespace ui {
class Panel;
class RejillaTexto;
}  // namespace ui

// Rows of currencies in the grid and records in the file.
inline constexpr int kFilasMoneda = 7;

class TFormaDivisa : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaDivisa(QWidget* owner = nullptr);

  ui::Panel* Panel1;  // title bar
  QLabel* Label1;
  ui::Panel* Panel2;  // close box
  ui::Panel* Panel3;  // toolbar
  QToolButton* SpeedButton1;
  ui::RejillaTexto* Monedas;

 protected:
  void FormShow() override;

 private:
  void SpeedButton1Click();
};

inline TFormaDivisa* FormaDivisa() { return ui::InstanciaDe<TFormaDivisa>().data(); }
