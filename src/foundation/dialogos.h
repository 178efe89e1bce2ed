#pragma once
// The message box every routine uses to tell the user something.

#include <QString>

// Shows the text modally in the message box and returns when it is closed.
void MuestraMensaje(const QString& texto);
