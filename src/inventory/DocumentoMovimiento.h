#pragma once
// What every writer of inventory movement documents shares: the capture line
// of the movement window's capture table Detaminv.db (program folder), and
// the numbers of documents between stations.
//
// A document's number is the highest CLDOC_MI of MOVINVEN.DBF plus one,
// reserved by posting the document's first row at once. Every writer that
// starts a document (the movement window's "Nuevo", a transfer's
// destination, the collector, the adjustments, the count sheet, the product
// window's adjustment rows) starts it through IniciaDocumentoMovimiento, so
// two stations never draw one number. A document being captured keeps its
// first row, the provisional row (quantity blank), in edit and so locked;
// QuitaProvisionales removes the provisional rows nobody holds any more.

#include "foundation/dinero.h"

#include <QString>

#include <functional>
#include <optional>

namespace db {
class Dataset;
class Tabla;
}  // namespace db

inline const QString kTablaCapturaMovimientos = QStringLiteral("Detaminv.db");
inline const QString kTagDocumentoMovimiento = QStringLiteral("CLDOC_MI");

// One line of Detaminv.db. Blank fields are null (inventory/CamposRegistro.h).
struct TPartidaCapturaMovimiento {
  std::optional<double> CANTIDAD;  // quantity in product units; negative: goes out as concept 8
  std::optional<double> EMPAQUE;   // packages
  QString CLAVE;                   // product key
  QString DESCRIPCION;
  std::optional<Dinero> COSTO, PRECIO, IMPORTE;
  QString REFERENCIA;
  QString CADUCIDAD;  // expiry as text
  std::optional<double> INICIAL, FINAL;

  void Lee(const db::Dataset& captura);
  void Escribe(db::Dataset& captura) const;
};

// The next movement document number: the highest CLDOC_MI of the whole
// table + 1 (1 on an empty table). The caller holds the table's numbering
// lock (db::Numeracion) from before this call until its row is posted. The
// table is left on tag CLDOC_MI without range or filtering.
qint64 SiguienteNumeroMovimiento(db::Tabla& movimientos);

// Starts a movement document in the open movement table: under the table's
// numbering lock (a bounded wait, then plat::Error EnUso naming the table)
// it reads the highest CLDOC_MI of the whole table, appends a row with the
// next number (1 on an empty table), lets `llena` fill the row's other
// fields, and posts it (the table's BeforePost runs). With `retiene` the row
// is put back into edit, and so locked, before the lock goes: no other
// station can take it in between. Returns the number.
// The table is left on the new row, on tag CLDOC_MI, without range or
// filtering. On an error nothing is posted and the lock is released.
qint64 IniciaDocumentoMovimiento(db::Tabla& movimientos, const std::function<void(db::Tabla&)>& llena = {},
                                 bool retiene = false);

// Removes the provisional rows (quantity 0 or less) of the document
// `numero` that nobody holds: each goes to borrados.dat and is deleted. A
// row another station keeps in edit (its document is being captured) stays.
// Taken under the numbering lock, so a row is never caught between its post
// and its edit in IniciaDocumentoMovimiento. Every error is ignored: what
// could not be removed stays. Works on the table's current tag and range
// with filtering off, and gives the filtering back as it was; the table is
// left on the first row of the range.
void QuitaProvisionales(db::Tabla& movimientos, qint64 numero);
