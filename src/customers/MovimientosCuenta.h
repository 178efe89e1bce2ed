#pragma once
// The lower half both receivable-account windows share: the read-only grid
// of the account's movements (amounts as money, the document number as
// typed) and the footer with its balance, laid under the window's header
// panel.

#include <QFont>
#include <QString>

class QLabel;
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
