#pragma once
// "Tamaño de Columnas": eight boxes of column widths (Edit1 to Edit8 under
// the labels Col1 to Col8) and "Aplicar". "Aplicar" and Enter anywhere
// answer Tag 1; closing it any other way leaves Tag 0. The first two boxes
// mend themselves to "20" when left empty or without a whole number.

#include "platform/ui/Forma.h"

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

class TFormaTamanoColumnas : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaTamanoColumnas(QWidget* owner = nullptr);

  std::array<QLabel*, 8> Col{};       // Col1 .. Col8
  std::array<QLineEdit*, 8> Edit{};   // Edit1 .. Edit8
  QPushButton* Button1;               // "Aplicar"

  void Button1Click();
  // Leaving Edit1 or Edit2 (n 0 or 1).
  void Edit1Exit(int n);

 protected:
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;
};

inline TFormaTamanoColumnas* FormaTamanoColumnas() { return ui::InstanciaDe<TFormaTamanoColumnas>().data(); }
