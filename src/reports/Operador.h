#pragma once
// The operator legend of the filter dialog: a small window that only shows
// which operator words the "Condición" column takes. Created, shown modally
// and freed by a double click on that column.

#include "platform/ui/Forma.h"

#include <QString>

inline const QString kLeyendaOperadores = QStringLiteral("= igual    > mayor      < menor       & incluye");

class TFormaOperador : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaOperador(QWidget* owner = nullptr);

 protected:
  void paintEvent(QPaintEvent* evento) override;
};

inline TFormaOperador* FormaOperador() { return ui::InstanciaDe<TFormaOperador>().data(); }
