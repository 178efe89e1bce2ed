#pragma once
// The lower half both receivable-account windows share: the read-only grid
// of the account's movements (amounts as money, the document number as
// typed) and the footer with its balance, laid under the window's header
// panel.

#include <QFont>

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

MovimientosCuenta ArmaMovimientosCuenta(QWidget& forma, ui::Panel& cabecera, ui::FuenteDatos* fuente,
                                         const QFont& negrita);
