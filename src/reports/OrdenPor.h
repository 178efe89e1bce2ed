#pragma once
// The order chooser "Orden de Tabla" of the catalogue browser: up to eight
// index names as radio buttons, each with the description of its key field
// beside it. The caller creates it, runs EligeOrdenTabla, reads its Tag (1
// "&Aceptar", 0 "&Cancelar") and frees it. It opens with the first choice
// checked and Tag 1, so closing it with the window's close box accepts the
// checked choice.

#include "platform/ui/Forma.h"

#include <QString>
#include <array>

class QLabel;
class QPushButton;
class QRadioButton;

class TFormaOrdenarPor : public ui::Forma {
  Q_OBJECT
 public:
  static constexpr int kOpciones = 8;

  explicit TFormaOrdenarPor(QWidget* owner = nullptr);

  // Uno, dos, Tres, Cuatro, Cinco, Seis, siete, Ocho.
  std::array<QRadioButton*, kOpciones> Opciones{};
  // Label1 .. Label8.
  std::array<QLabel*, kOpciones> Etiquetas{};
  QPushButton* BitBtn1;  // "&Aceptar"
  QPushButton* BitBtn2;  // "&Cancelar"

  void BitBtn1Click();
  void BitBtn2Click();
};

inline TFormaOrdenarPor* FormaOrdenarPor() { return ui::InstanciaDe<TFormaOrdenarPor>().data(); }

// The k-th item (from 1) of a comma list, each item followed by ","; empty
// beyond the end.
void ElementoLista(const QString& lista, int k, QString& elemento);

// Shows FormaOrdenarPor with the first eight index names (comma list) and
// their descriptions (comma list, in the same order): a choice whose name is
// empty is hidden, and so is a label whose description is empty. `indice`
// := the name of the choice checked among those shown; empty when there are
// no names.
void EligeOrdenTabla(const QString& indices, const QString& descripciones, QString& indice);
