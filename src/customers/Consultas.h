#pragma once
// What the customer and seller lookups share: a table of the data folder
// read through a read-only grid with its navigator.

#include <QString>

#include <initializer_list>
#include <utility>

class QObject;
class QWidget;
namespace db {
class Tabla;
}
namespace ui {
class Forma;
class FuenteDatos;
class Navegador;
class RejillaDatos;
}  // namespace ui

// A table component (closed) ordered by `tag`.
db::Tabla* NuevaTablaConsulta(QObject* padre, const char* nombre, const char* archivo, const QString& tag);
// A read-only grid selecting whole rows, with the columns (field, title).
ui::RejillaDatos* RejillaConsulta(QWidget* padre, const char* nombre, ui::FuenteDatos* fuente,
                                  std::initializer_list<std::pair<const char*, const char*>> columnas);
ui::Navegador* NavegadorConsulta(QWidget* padre, const char* nombre, ui::FuenteDatos* fuente);

// Every table of the window pointed at the data folder (configuration line
// 8) and opened; a table that does not open is logged and stays closed.
void ApuntaADatos(ui::Forma& forma);
// The table re-read and standing on the key nearest to `clave` (its first
// row when the tag cannot take the text); nothing while it is closed.
void EnClaveCercana(db::Tabla& tabla, const QString& clave);
// The field of the grid's current row; "" when the grid shows no row.
QString CampoActual(const ui::RejillaDatos& rejilla, const char* campo);
// The focus is on the component or inside it.
bool EnComponente(const QWidget* componente);
// The user number a label holds; -1 (no user) when it holds no number.
int NumeroDeUsuario(const QString& texto);
