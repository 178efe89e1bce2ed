#pragma once
// The holder of the standard toolbar pictures: a window created at start-up
// and never shown, whose speed buttons carry the pictures that module
// windows copy onto their own toolbar buttons when they are created.

#include "platform/ui/Forma.h"

class QAbstractButton;

class TFormaGlyp : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaGlyp(QWidget* owner = nullptr);

  // Names of the holder's buttons.
  static const QStringList& Botones();
};

inline TFormaGlyp* FormaGlyp() { return ui::InstanciaDe<TFormaGlyp>().data(); }

// Gives `destino` the picture of the holder's button `origen` ("BotonNuevo1").
// The holder is created when it does not exist yet.
void CopiaGlyp(const QString& origen, QAbstractButton* destino);
// Gives every button of the window named as a holder's button without the
// final "1" ("BotonNuevo" from "BotonNuevo1") that button's picture.
void CopiaGlyps(QWidget& ventana);
