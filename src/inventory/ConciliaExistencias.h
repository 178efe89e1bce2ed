#pragma once
// Setting the stored stock and the history of a product at one: the
// recount sources the product window's stock checks use besides the
// recount union of RecalculoExistencia.h, the adjustment movement that
// makes the history agree with the stored stock, the queries of the stock
// card commands, and the stamp left after a batch adjustment.
//
// Keys and paths are spliced into the statements as escaped literals; every
// table is read in its own folder of `empresa` (shell/LugarTablas.h).

#include "platform/db/Catalogo.h"

#include <QString>

namespace db {
class Dataset;
class Tabla;
}  // namespace db

// --- Queries.

// The movement mirror's rows of a product (not cancelled, concept above 0)
// with its movement rows (concepts 52 and 54 and the remissions' own rows
// left out), columns CLPRO_MI,
// CANTI_MI, COSUN_MI, CLDOC_MI, TIMOV_MI, FEDOC_MI, for the integral card
// (MuestraKardexIntegral); ordered with kOrdenEspejo.
QString ConsultaEspejoExistencia(const db::Carpetas& empresa, const QString& clave);
inline const QString kOrdenEspejo = QStringLiteral(" order by FEDOC_MI,CLDOC_MI");

// The reduced recount union of the stock checks: remission lines, purchase
// lines and movement rows (concept 54 and the remissions' own rows left
// out), without invoice lines; columns CLDOC_F and CANTI_FD as
// CalculaExistenciaKardex counts them.
QString ConsultaExistenciaReducida(const db::Carpetas& empresa, const QString& clave);

// The movement rows of a product with a concept above 0 in movinven.dbf,
// for the movement card (MuestraKardex); ordered with kOrdenTarjeta.
QString ConsultaTarjetaMovimientos(const db::Carpetas& empresa, const QString& clave);
// The same rows without REFMO_MI, for the average cost
// (CalculaCostoPromedio).
QString ConsultaCostoPromedio(const db::Carpetas& empresa, const QString& clave);
inline const QString kOrdenTarjeta = QStringLiteral("order by FEDOC_MI,CLDOC_MI");

// --- Differences and adjustment movements.

// stored − recount, to the stock's five decimals, so that differences of
// a cent read as a cent and not as the float sum's neighbour.
double DiferenciaExistencia(double guardada, double recuento);

// Appends one adjustment movement of the product on the current row of
// `producto` (INVENTAR.DBF) to the open movement table, as a document of
// its own whose number is drawn under the table's numbering lock: concept
// (56 stock higher than the history, 6 lower), the quantity, the key and
// description, today's date and stamp, REFMO_MI "Ajus", CLPRV_MI and
// CLCOP_MI "Ajuste", the average cost CPROM_I as cost, price 1 PPUBL_I as
// price, warehouse 1. Nothing else is written: no stock, no totals. Returns
// the number. Errors reach the caller with nothing appended.
qint64 AgregaMovimientoAjuste(db::Tabla& movimientos, const db::Dataset& producto, int concepto, double cantidad);

// Posts the adjustment that makes the history (the recount text) agree
// with the stored stock: when they differ by a cent or more, concept 56
// for the stock above the recount, 6 below, of the difference. Returns the
// concept posted, 0 when none was.
int AjustaPorMovimiento(db::Tabla& movimientos, const db::Dataset& producto, const QString& recuento,
                        double guardada);

// --- Files.

// Control\<MM>-<YYYY>\UltimoKardex.dat of the data folder: now as a day
// number with its fraction, then as date-time text. A folder that is
// missing, or any other failure, leaves it unwritten.
void SelloUltimoKardex(const QString& carpetaDatos);
