#pragma once
// The commands of a window's menu items and buttons, as the sale screen and
// the legacy document window keep them: an item or button is enabled only
// when a command is attached to it (a submenu counts as one), the window's
// phase allows it and no inactive-menu file took it away. A window's phase
// routine says what it allows; the files that bring a command attach it,
// so an item whose command is not built stays disabled.

#include <QObject>

#include <functional>

// Attaches the command (a menu item's triggered, a button's clicked, run
// through the default error handler in `contexto`); from then on the phase
// decides.
void AsignaComando(QObject* item, QObject* contexto, std::function<void()> comando);
// What the phase allows of an item or button.
void PermiteComando(QObject* item, bool permitido);
// The phase allows it (an item never told allows).
bool ComandoPermitido(const QObject* item);
// Taken away for good (an inactive-menu file).
void DesactivaComando(QObject* item);
// The enabled state set again from the three conditions.
void AplicaEstadoComando(QObject* item);
