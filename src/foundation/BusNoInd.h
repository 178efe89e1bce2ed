#pragma once
// The sequential-search dialog: the user picks a field of a table by its
// description and types the value to look for; the caller walks its table
// record by record.
//
// BuscaSinIndice fills the two lists from the field catalogue and shows the
// dialog. Campo1 lists the descriptions; choosing one puts the field name at
// the same position in the hidden Campo2. "Buscar" answers Tag 1, "Cancelar"
// (or Esc) Tag 0. The caller then reads Campo2's text (the field name),
// Valor's text, and whether InicioOpcion ("Desde el Inicio", the default) or
// Actual ("A Partir de Posición Actual") is checked.

#include "platform/ui/Forma.h"

#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TFormaBusquedaNoIndexada : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaBusquedaNoIndexada(QWidget* owner = nullptr);

  QLabel* Label1;
  QComboBox* Campo1;
  QComboBox* Campo2;
  QLabel* Label2;
  QLineEdit* Valor;
  QRadioButton* InicioOpcion;
  QRadioButton* Actual;
  QPushButton* BotonBuscar;
  QPushButton* BotonCancelar;

 private:
  void Campo1Change(int indice);
  void BotonBuscarClick();
  void BotonCancelarClick();
};

inline TFormaBusquedaNoIndexada* FormaBusquedaNoIndexada() {
  return ui::InstanciaDe<TFormaBusquedaNoIndexada>().data();
}

// Fills FormaBusquedaNoIndexada (created here when the caller has not; the
// caller frees it) with the fields the catalogue lists for the table named
// `archivo` and shows it modally. Errors of the catalogue reach the caller
// before anything is shown.
void BuscaSinIndice(const QString& archivo);
