#pragma once
// The field-help popup: a borderless window that names a field (Eti), its
// type (Tip) and size (Tam) and shows an example value (Eje). It does not
// wait: it stays up until a key is pressed or the user clicks elsewhere.

#include "platform/ui/Forma.h"

class QLabel;
class QLineEdit;

class TFormaAyuda : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaAyuda(QWidget* owner = nullptr);

  QLabel* Eti;
  QLabel* Tip;
  QLabel* Tam;
  QLabel* Label1;
  QLineEdit* Eje;

 protected:
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;
};

inline TFormaAyuda* FormaAyuda() { return ui::InstanciaDe<TFormaAyuda>().data(); }

// Fills the popup (created on first use) and shows it under the control that
// has the focus, without waiting: Eti := label, Eje := example,
// Tip := "Tipo     " + type, Tam := "Tamaño   " + size.
void MuestraAyudaCampo(const QString& etiqueta, const QString& ejemplo, const QString& tipo,
                       const QString& tamano);
