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

#include <QString>
#include <QVariant>

namespace db {
class Tabla;
}
namespace ui {
class FuenteDatos;
}

// Closes `copia`, points it at <carpeta>\<archivo>, makes it anew by a batch
// copy of `origen`'s current record (the file gets origen's fields), opens it
// and makes it the source's dataset. Errors reach the caller.
void PreparaCopiaRegistro(db::Tabla& origen, db::Tabla& copia, const QString& carpeta, const QString& archivo,
                          ui::FuenteDatos& fuente);

// Writes the copy back into `destino`'s current row: a copy still in edit or
// insert is posted; the row is put into edit, waiting the table layer's
// bounded time while another station holds it (then plat::Error Bloqueado
// with the text `ocupado`); every field of the copy is written, as text,
// into the field of the same name; the row is posted. On any error the row
// is left as it was and the copy keeps the change, to be saved again.
void AplicaCopiaRegistro(db::Tabla& copia, db::Tabla& destino, const QString& ocupado);

// Empties the copy: each of its records is logged to the deleted-records log
// (RegistraBorrado) and deleted; the source goes back to `tabla`. A copy
// being edited is cancelled first.
void DescartaCopiaRegistro(db::Tabla& copia, ui::FuenteDatos& fuente, db::Tabla& tabla);

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
