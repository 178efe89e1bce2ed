#pragma once
// Small helpers shared by the sale screen's files.

#include "platform/ui/Colores.h"

#include <QColor>
#include <QString>

#include <initializer_list>
#include <optional>

class QAction;
class QLabel;
class QVariant;
class QWidget;
struct TRegistroProducto;
namespace db {
class Campo;
class Dataset;
class Tabla;
}  // namespace db

// The font the totals are designed with; the layout of the totals changes
// when another one was chosen (FormResize).
inline const QString kFuenteDigital = QStringLiteral("Digital Readout Thick Upright");

// The width the grid is designed with; the right panel is centred in the
// room beside it.
inline constexpr int kAnchoDetalle = 720;

// A label at a place of its parent.
QLabel* Etiqueta(QWidget* padre, const char* nombre, const QString& texto, int x, int y);
// The window colour of a widget, and (PintaFondo) its background filled
// with it.
void PintaColor(QWidget* w, ui::TColor color);
void PintaFondo(QWidget* w, ui::TColor color);
// Text colour of a label.
void PintaTexto(QWidget* w, const QColor& color);
// The first line of an optional file of the program folder ("" for an
// empty file); nullopt when the file is missing. A file that cannot be read
// throws plat::Error.
std::optional<QString> PrimeraLinea(const QString& archivo);
// A configuration line; empty when it cannot be read.
QString LineaConf(int linea);
// The dataset holds a row being edited or inserted.
bool Editando(const db::Dataset& tabla);
// The dataset has a row to read: a current one, or one being typed.
bool HayFila(const db::Dataset& tabla);
// A browsing row into edit; a row being edited or inserted stays so.
void EditaFila(db::Dataset& tabla);
// A row being edited or inserted is posted.
void PostPendiente(db::Dataset& tabla);
// The product record at the product table's current row.
TRegistroProducto ProductoActual(const db::Tabla& productos);
// The text a capture grid shows for a value: with the quantity's decimals
// (configuration line 42 above 0) every number through the quantity mask;
// otherwise money with its two currency decimals; anything else, and an
// empty value, as the grid wrote it.
QString TextoCeldaCaptura(const db::Campo& campo, const QVariant& valor, const QString& texto, int digitosCantidad,
                          const QString& mascaraCantidad);
// A field painted in a colour (its base colour); returns the colour it had,
// for RestauraColorCampo.
QColor PintaCampo(QWidget* campo, ui::TColor color);
// The field's base colour given back (nothing for an invalid colour).
void RestauraColorCampo(QWidget* campo, const QColor& anterior);
// "Cambio " + the change of the header row (CAMBI_F less IMTOD_F, with
// "##,##0.00") when an amount was received, else "Cambio 0.00".
QString TextoCambioDocumento(const db::Dataset& encabezado);

// "Captura por Empaque": for the administrator ("0") only, the item's mark
// flipped, empaque.cnf of the program folder written "S" or "N" and the
// package widgets shown or hidden with it; other users change nothing.
void CambiaCapturaEmpaque(const QString& usuario, QAction* item, std::initializer_list<QWidget*> empaque);

// "Ver Campo Tara": the editor started on especial.cnf of the program
// folder, then the notice that the change takes effect at the next start
// (or why the editor did not start).
void EditaCampoTara();
