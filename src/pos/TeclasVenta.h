#pragma once
// Keyboard pieces the sale screen and the legacy document window share:
// who gets a key a menu item also has, the format of a printing shortcut's
// caption, the list of function keys, the deletion of a capture line with
// its confirmation, and the amount received typed into the change field.

#include "foundation/dinero.h"

#include <QKeyCombination>
#include <QList>
#include <QString>

#include <optional>

class QLineEdit;
class QMenuBar;
class QWidget;
namespace db {
class Tabla;
}

// Every single-key shortcut of the menu bar's items.
QList<QKeyCombination> AtajosDeMenu(const QMenuBar& menu);
// The key with its Shift, Ctrl, Alt and Meta is one of those shortcuts,
// whether its item can be used now or not: the menu's, not the key map's.
bool EsAtajoDeMenu(const QList<QKeyCombination>& atajos, int tecla, Qt::KeyboardModifiers shift);
// The focus is on the widget or on one of its parts (a grid's cell editor).
bool EnfocadoEn(const QWidget* w);
// Ctrl held alone (no Shift, Alt or Meta with it).
bool SoloCtrl(Qt::KeyboardModifiers shift);

// The format path of a shortcut's caption "Ctrl+F4 (<path>)": from its
// tenth character to the one before the last; "" for a caption without one.
QString FormatoDeAtajo(const QString& titulo);

// "Ver Funciones": the function keys listed in a plain message box.
void MuestraFuncionesVenta();

// The capture row asked about ("Esta Seguro que Desea ELIMINAR esta Partida
// <qty>  <product>") and, on "Si", deleted: a row not yet written is only
// dropped; a written one is deleted, the table packed and `deta` left on
// the line that followed. Nothing is asked with no row. True when a row
// went.
bool EliminaPartidaCaptura(QWidget* dueno, db::Tabla& deta, db::Tabla& total);

// The message of an amount received that is no amount.
inline const QString kErrorPago = QStringLiteral("Hay un error en el PAGO...");
// Enter in the change field: its text (empty is "0") evaluated as a sum of
// bills ("100+50" gives "150.00"). A text with letters is refused: the
// message is shown, the focus stays in the field and its text is selected;
// nullopt.
std::optional<QString> EvaluaCampoPago(QLineEdit* campo);
// The amount received as the field shows it; a text that is not an amount
// shows the message and takes the focus back, text selected (after the
// focus change under way); nullopt then, and for an empty field.
std::optional<Dinero> LeeCampoPago(QLineEdit* campo);
// A text in the change field that is no amount (empty is none).
bool PagoNoNumerico(const QString& texto);
// "Cambio " + (received - total) with "##,##0.00".
QString TextoCambio(const Dinero& recibido, const Dinero& total);
