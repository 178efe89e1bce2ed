#pragma once
// The rows a sale leaves for stock reports outside the document tables:
//   - the inventory movement row of each written line of an invoice or
//     remission, in MOVINVEN.DBF of the inventory folder, written through
//     the movement tables' one row writer (CamposRenglon) with the sale's
//     own fields on top;
//   - the mirror row of each line of a new remission, in MOVIMIENTOS.DBF of
//     the inventory folder;
//   - mi_tmp.dat of the program folder: the documents a movement row of
//     which failed at its first attempt, for later repair.
// A sale's rows are linked to their document by NUDOC_MI and CONTROL (the
// mirror by CLDOC_MI and CONTROL); each movement row has a number of its own.

#include <QChar>
#include <QDate>
#include <QString>

#include <functional>

namespace db {
class Dataset;
class Tabla;
}  // namespace db
class UnidadTrabajo;

inline const QString kTablaEspejo = QStringLiteral("MOVIMIENTOS.DBF");
inline const QString kArchivoSinMovimiento = QStringLiteral("mi_tmp.dat");

// What the movement rows of one sale share.
struct MovimientoVenta {
  QChar letra;          // the kind letter: the first character of the kind text
  QString numero;       // the document number as shown (REFMO_MI)
  qint64 control = 0;   // CONTROL
  int concepto = 3;     // TIMOV_MI: 3 a sale, 54 a cancelled remission
  QDate fecha;          // FEDOC_MI
  QString cliente;      // CLPRV_MI and CLCOP_MI
  QString vendedor;     // CLVEN_MI
  qint64 usuario = 0;   // HORAF_F, the logged user number
};

// NUDOC_MI of a sale: kind letter + number + "-" + control ("R57-1234").
QString DocumentoMovimientoVenta(const MovimientoVenta& venta);

// Fills the movement row being appended from the current capture row
// (TPartidaCaptura): number, concept, CONTROL, NUDOC_MI, date, reference,
// customer, seller, key, description, quantity, price and cost, warehouse
// "1", origin "F", stock after 0, the user. Errors (a value that does not
// fit) reach the caller.
void LlenaMovimientoVenta(db::Dataset& movimiento, const MovimientoVenta& venta, const db::Dataset& captura,
                          qint64 numero);

// Fills the mirror row being appended from the current line row
// (TPartidaDocumento): number, key, concept 3, date, quantity, price, cost,
// CONTROL, the user number and the cash register.
void LlenaEspejo(db::Dataset& espejo, const db::Dataset& linea, const QString& usuario, const QString& caja);

// Appends to MOVIMIENTOS.DBF of `carpeta` one mirror row per line row of
// `numero` (the line table's tag on the number) that `toma` accepts,
// `llena` filling it from the line. With a unit of work each row is its
// step "ES" + the line's record; without one the rows are appended at once. The mirror waits for rows
// another station holds; errors reach the caller (rows written stay).
void EscribeEspejoLineas(db::Tabla& lineas, const QString& carpeta, const QString& numero, UnidadTrabajo* unidad,
                         const std::function<bool(const db::Dataset& linea)>& toma,
                         const std::function<void(db::Dataset& espejo, const db::Dataset& linea)>& llena);

// The caption text of a movement row being retried; the attempt follows it.
inline const QString kTraficoMovimiento = QStringLiteral(" Guardando MI, Problema de Tráfico...intento ");

// A movement row written on a busy network: `escribe` runs once; when it
// fails, `primeraFalla` runs (the document is noted for repair) and it is
// tried again up to `reintentos` times, `pausaMs` apart, `aviso` told the
// number of each retry that failed (0 first). With `plazoMs` above 0 no
// retry starts once the failed attempts themselves have taken that long (an
// attempt may wait seconds for a lock). True once the row is written.
bool EscribeConReintentos(const std::function<void()>& escribe, const std::function<void()>& primeraFalla,
                          const std::function<void(int intento)>& aviso, int reintentos = 10,
                          unsigned long pausaMs = 100, int plazoMs = 0);

// Appends the document number to <programa>\mi_tmp.dat unless it is the
// file's last line already. A file that cannot be read or written is
// passed over: the note is lost, the sale goes on.
void AnotaSinMovimiento(const QString& programa, const QString& numero);
