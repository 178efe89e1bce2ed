#pragma once
// What the customer and supplier catalogues share when a record is changed:
// the change is made on a one-record copy in the program folder and written
// back field by field when saved, so the shared table is held only for the
// moment of the save; a key is checked against the other rows through a
// second cursor; closing with unsaved input asks the save question.
//
//   PreparaCopiaRegistro(TablaProveedor, TablaAuxiliar, programa, "ProvAux.dbf", fuente);
//   ...                                     // the boxes now change the copy
//   AplicaCopiaRegistro(TablaAuxiliar, TablaProveedor, "El proveedor 7 está en uso");
//   DescartaCopiaRegistro(TablaAuxiliar, fuente, TablaProveedor);
//
// It also holds the messages and the sequential search the catalogues share.

#include <QString>
#include <QVariant>
#include <QVector>

#include <functional>

namespace db {
class Dataset;
class Tabla;
}
namespace ui {
class FuenteDatos;
}

inline const QString kEliminarRegistro = QStringLiteral("Esta Seguro de Eliminar este Registro ?");
inline const QString kErrorAbrirTablas = QStringLiteral("Ha Ocurrido un Error al Abrir una de las Bases de Datos.");
inline const QString kNoSeEncuentra = QStringLiteral("No se Encuentra");
inline const QString kValorNoValidoRevise = QStringLiteral("Valor no Válido Revise Por Favor");

// Closes `copia`, points it at <carpeta>\<archivo>, makes it anew by a batch
// copy of `origen`'s current record (the file gets origen's fields), opens it
// and makes it the source's dataset. Returns the copy's values as made, for
// AplicaCopiaRegistro. Errors reach the caller.
QVector<QVariant> PreparaCopiaRegistro(db::Tabla& origen, db::Tabla& copia, const QString& carpeta,
                                       const QString& archivo, ui::FuenteDatos& fuente);

// Writes the copy back into `destino`'s current row: a copy still in edit or
// insert is posted; the row is put into edit, waiting the table layer's
// bounded time while another station holds it (then plat::Error Bloqueado with the text `ocupado`);
// every field of the copy is written, as text, into the field of the same
// name; the row is posted. With `original` (what PreparaCopiaRegistro gave)
// only the fields the user changed are written, so what other stations wrote
// meanwhile into the others (a balance) stays. On any error the row is left
// as it was and the copy keeps the change, to be saved again.
void AplicaCopiaRegistro(db::Tabla& copia, db::Tabla& destino, const QString& ocupado,
                         const QVector<QVariant>& original = {});

// Empties the copy: each of its records is deleted, logged first to the
// deleted-records log (RegistraBorrado) when `registra`; the source goes
// back to `tabla`. A copy being edited is cancelled first.
void DescartaCopiaRegistro(db::Tabla& copia, ui::FuenteDatos& fuente, db::Tabla& tabla, bool registra = true);

// True when a row of `repetido` (a second cursor on the catalogue, ordered
// by the key's tag) other than physical record `propio` (0: none, a new row)
// holds the key. `clave` is the key field's value as the field types it, so
// a character key compares as text and a numeric one as a number. The rows
// are read afresh from the file.
bool ClaveRepetida(db::Tabla& repetido, const QVariant& clave, qint64 propio);

// The save question of a window closed with unsaved input
// ("¿ Desea guardar los datos introducidos al sistema ?"): 1 save, 2
// discard, 3 stay open. Its close box answers 3.
int PreguntaGuardarCambios();

// Closing a catalogue while a record is being entered or changed: the save
// question, then "save" runs `guarda` (an error it raises is shown) and
// "discard" runs `descarta`. True when the window may close: the record was
// saved (`guarda` said so) or discarded.
bool CierraConPregunta(const std::function<bool()>& guarda, const std::function<void()>& descarta);

// Buscar > "Busqueda No Indexada": the field and the text asked for in
// TFormaBusquedaNoIndexada (filled from the field catalogue for `archivo`);
// on "Buscar" the table stands on the first row, in its order, whose field
// begins with the text. "No se Encuentra" when none does (the table stays),
// "Valor no Válido Revise Por Favor" when the search cannot be made (no
// field chosen, a text that is no number for a number field or no date for
// a date field).
void BusquedaNoIndexada(db::Dataset& tabla, const QString& archivo);
