#pragma once
// The payment-type picker "Tipo de Pago": a list of the types of pagos.cnf
// in the folder its caller puts into LabelRuta8 (the built-in types when
// there is no such file). "Aceptar" or Enter in the list closes it with
// Tag 1, "Cancelar" with Tag 0; the caller then reads Elegido().
//
//   TFormaTipoPago tipo;
//   tipo.LabelRuta8->setText(carpetaDatos);
//   tipo.ShowModal();
//   if (tipo.Tag() == 1 && !tipo.Elegido().isEmpty()) ...

#include "platform/ui/Forma.h"

class QLabel;
class QListWidget;
class QPushButton;

class TFormaTipoPago : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaTipoPago(QWidget* owner = nullptr);

  QListWidget* ListaPagos;
  QPushButton *BitBtn1, *BitBtn2;
  QLabel* LabelRuta8;

  // The entry chosen in the list; "" when none is.
  QString Elegido() const;

 protected:
  void FormShow() override;

 private:
  void BitBtn1Click();
  void BitBtn2Click();
};
