#pragma once
// A customer's discounts per product line: the rows of ClieDesc.dbf
// (TRegistroDescuentoCliente: CLCLI_D customer key, DESCU_D percentage,
// LINEA_D product line, tag CLCLI_D) of one customer, typed, changed and
// deleted in a grid. The sale screen prices a line of a product of that
// line at the public price less the percentage, when configuration line 58
// is "S".
//
// The customer catalogue's "Descuentos..." opens it for the customer on
// screen (MuestraDescuentosCliente); it is made for each call and freed.
// The list "Lineas Disponibles" holds every product line of the products;
// "Crear Lista" gives the customer a row, with no percentage yet, for each
// listed line it lacks. New rows take the customer's key by themselves, and
// the grid never stops in the key column.

#include "platform/ui/Forma.h"

class QListWidget;
class QPushButton;
namespace db {
class Tabla;
}
namespace ui {
class FuenteDatos;
class RejillaDatos;
}  // namespace ui

inline const QString kTablaDescuentosCliente = QStringLiteral("ClieDesc.dbf");

class TFormaPoliticaClientes : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaPoliticaClientes(QWidget* owner = nullptr);

  db::Tabla* TablaDescuentos;
  ui::FuenteDatos* FuenteDescuentos;
  ui::RejillaDatos* DBGrid1;
  QListWidget* ListaLineas;
  QPushButton* BitBtn1;

  // The customer whose rows are shown; new rows take it (20 characters).
  QString Cliente;

  // "Crear Lista": a row for each listed line the customer has no row for,
  // in list order; existing rows and their percentages stay.
  void BitBtn1Click();

 protected:
  void FormCloseQuery(bool& puedeCerrar) override;
};

inline TFormaPoliticaClientes* FormaPoliticaClientes() { return ui::InstanciaDe<TFormaPoliticaClientes>().data(); }

// Shows the discounts of customer `clave` from ClieDesc.dbf of `carpeta`
// (the folder of the customer table), listing the product lines of the
// company's inventar.dbf, in its own folder. Table errors reach the caller
// before anything is shown.
void MuestraDescuentosCliente(const QString& carpeta, const QString& clave);
