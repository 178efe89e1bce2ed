#pragma once
// The range dialog "Rango": a first and a last value (document numbers or
// record keys) asked before a window prints a range. The caller creates
// DialogoImprimir, fills PrimeraPagina and UltimaPagina, shows it modally and,
// when its Tag is 1 ("&Aceptar"), reads both texts; "&Cancelar" and Esc
// leave Tag 0.

#include "platform/ui/Forma.h"

class QLabel;
class QLineEdit;
class QPushButton;

class TDialogoImprimir : public ui::Forma {
  Q_OBJECT
 public:
  explicit TDialogoImprimir(QWidget* owner = nullptr);

  QLabel* Label1;
  QLineEdit* PrimeraPagina;
  QLabel* Label2;
  QLineEdit* UltimaPagina;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;

  void BitBtn1Click();
  void BitBtn2Click();

 protected:
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;
};

// The document-number range of a print: the dialog opened with "0" and
// `ultimo`; true with both numbers on "&Aceptar"; a text that is not a
// number shows "Valor no Válido" and gives false, as does "&Cancelar".
bool PideRangoNumeros(QWidget* owner, const QString& ultimo, qint64& primera, qint64& ultima);

inline TDialogoImprimir* DialogoImprimir() { return ui::InstanciaDe<TDialogoImprimir>().data(); }
