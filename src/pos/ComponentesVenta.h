#pragma once
// The components of the sale windows (the sale screen, the legacy document
// window) made in code: each carries its component name as objectName and
// stands where the window's layout puts it.

#include "platform/ui/Componentes.h"

#include <QRect>
#include <QString>

class QLineEdit;
class QObject;
class QPushButton;
class QToolButton;
class QWidget;
namespace db {
class Tabla;
}
namespace ui {
class EditDatos;
class FuenteDatos;
}  // namespace ui

ui::Panel* NuevoPanel(QWidget* padre, const char* nombre, ui::Panel::Bisel bisel = ui::Panel::Bisel::Alzado);
// A speed button of the top strip at x, its hint as its text.
QToolButton* BotonRapido(QWidget* padre, const char* nombre, const QString& pista, int x);
QPushButton* Boton(QWidget* padre, const char* nombre, const QString& texto, const QRect& donde);
QLineEdit* Edit(QWidget* padre, const char* nombre, const QRect& donde);
// An edit bound to a field of the source ("" binds none).
ui::EditDatos* EditCampo(QWidget* padre, const char* nombre, ui::FuenteDatos* fuente, const char* campo,
                         const QRect& donde);
// A table component on a file and index tag (folder set at run time).
db::Tabla* NuevaTabla(QObject* padre, const char* nombre, const char* archivo, const char* indice);
