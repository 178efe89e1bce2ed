#pragma once
// Driving windows as a user would: find a component by name, type into it,
// press keys and buttons. Each helper fails the test when the component is
// missing.

#include <QString>
#include <QWidget>

namespace prueba {

// The named component, or a test failure (and nullptr).
QWidget* Componente(const QWidget& raiz, const QString& nombre);
// Clicks the named button.
void Pulsa(const QWidget& raiz, const QString& nombre);
// Focuses the named component and types the text key by key.
void Teclea(const QWidget& raiz, const QString& nombre, const QString& texto);
// Sends one key (with modifiers) to the named component, or to the focus
// widget of the window when the name is empty.
void Tecla(const QWidget& raiz, const QString& nombre, int tecla, Qt::KeyboardModifiers mods = Qt::NoModifier);
// The text shown by a label, edit or button.
QString Texto(const QWidget& raiz, const QString& nombre);

}  // namespace prueba
