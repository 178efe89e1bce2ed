#pragma once
// The main window.
//
// It is created disabled and stays so until the company dialog accepts a
// login. Its first activation shows the company dialog (only while that
// dialog's Tag is 0, that is until the dialog has been activated once). The
// hidden label Usuario holds the logged-in user's number as text; the module
// openers copy it into the Usuario label of the windows they open.

#include "platform/ui/Forma.h"

#include <QString>

class QLabel;

// The product title that opens the main window's caption.
inline const QString kTituloProducto = QStringLiteral("Vorlan");

class TFormaPrincipal : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaPrincipal(QWidget* owner = nullptr);

  QLabel* Usuario;

 protected:
  void FormActivate() override;
};

inline TFormaPrincipal* FormaPrincipal() { return ui::InstanciaDe<TFormaPrincipal>().data(); }
