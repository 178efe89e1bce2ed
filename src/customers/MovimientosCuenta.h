#pragma once
// The lower half both receivable-account windows share: the read-only grid
// of the account's movements (amounts as money, the document number as
// typed) and the footer with its balance, laid under the window's header
// panel.

#include <QFont>
#include <QString>

class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;
namespace ui {
class FuenteDatos;
class Panel;
class RejillaDatos;
}  // namespace ui

struct MovimientosCuenta {
  ui::Panel* panelRejilla;  // Panel2
  ui::RejillaDatos* detalle;
  ui::Panel* panelPie;  // Panel3
  QLabel* saldo;
};

// The header panel both one-document account windows share: the number
// box Factura and the labels ClaveCliente, FechaAplicacion,
// FechaVencimiento with the due state tiempo beside it, and the state
// (Estado, bold) over the balance (SaldoE) in the third column, each row
// captioned ("Fecha de aplicación", "Fecha de vencimiento"; the number's
// and the counterpart's captions given). Rows from 4 on and columns from 3
// on are the window's own.
struct CabeceraCuenta {
  QLineEdit* factura;
  QLabel *clave, *aplicacion, *vencimiento, *tiempo, *estado, *saldoE;
  QGridLayout* rejilla;
};
CabeceraCuenta ArmaCabeceraCuenta(ui::Panel& panel, const QString& documento, const QString& contraparte,
                                  const QFont& negrita);

// The columns of a movement grid that differ between the receivable and
// the payable accounts: the field suffix ("CC", "CP"), the date shown as
// "Fecha de Pago" and the titles of the charge and payment columns.
struct ColumnasMovimientos {
  QString sufijo;
  QString fechaPago;
  QString cargos;
  QString abonos;
};

// The grid of an account's movements: "Movimiento", "Concepto",
// "Documento", "Fecha de Pago", the charges in red and the payments in
// navy; numbers shown with the mask "###,##0.00" except the document
// number, shown as typed.
ui::RejillaDatos* RejillaMovimientosCuenta(QWidget* padre, ui::FuenteDatos* fuente, const ColumnasMovimientos& columnas);

MovimientosCuenta ArmaMovimientosCuenta(QWidget& forma, ui::Panel& cabecera, ui::FuenteDatos* fuente,
                                         const QFont& negrita);
