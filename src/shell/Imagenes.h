#pragma once
// The pictures of the shell: the logo of the main window and the banner of
// the splash window, painted at the size asked for.

#include <QPixmap>
#include <QSize>

// A till receipt on a blue disc, on a transparent ground.
QPixmap ImagenLogotipo(QSize tamano);
// A blue band with the product title and a light shine, filling the size.
QPixmap ImagenPresentacion(QSize tamano);
// The picture of a main-window toolbar button, by the button's name
// ("BotonClientes"), square of the given side; empty for another name.
QPixmap ImagenBarra(const QString& boton, int lado);
