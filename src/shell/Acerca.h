#pragma once
// The about box: the product name and its version over a blue wallpaper.
// Esc closes it. Its timer (2 seconds) is enabled by the opener while the box
// is shown and does nothing; closing the box disables it.

#include "platform/ui/Forma.h"

class QLabel;
class QTimer;
class TPapelTapiz;

inline const QString kVersionAcerca = QStringLiteral("Versión 4.9");

class TFormaAcerca : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaAcerca(QWidget* owner = nullptr);

  TPapelTapiz* PapelTapiz1;
  QLabel* Label1;  // the product name
  QLabel* Label2;  // the version
  QTimer* Timer1;

 protected:
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;
  void FormClose() override;
};

inline TFormaAcerca* FormaAcerca() { return ui::InstanciaDe<TFormaAcerca>().data(); }
