#pragma once
// Saving a purchase document: a receipt ("Recepción"), a purchase order
// ("Orden de Compra") or a return to the supplier ("Devolución de Compra"),
// new or changed, with every effect, as one unit of work of the sale
// screen's kind (foundation/UnidadTrabajo.h) journaled in the program folder, so a
// station killed in the middle finishes that same document once when its
// purchase window next claims the capture table.
//
//   PlanCompra plan = ...;                        // fixed before any write
//   UnidadTrabajo u(programa, kDiarioCompras);
//   u.Inicia(plan.Datos());
//   GuardadoCompra(u, plan, encabezado, partidas, captura).Ejecuta();
//   u.Termina();
//
// The plan holds the header row whole (totals, supplier, dates, control)
// and the switches that decide each line; the lines come from the capture
// table Detacomp.DB of the program folder, which nothing but the save
// changes until the save ends. The effects of a receipt, in order: the
// header (a new one appended as the last number + 1 under the numbering
// lock), the supplier's balance and total purchased, the charge row of the
// payables, then for each line the product (stock, boxes, last and average
// cost, sale prices), its totals row, its cost layer and the line row; the
// header marked as applied, the movement mirror, the control snapshot, the
// marker file, the saved phase, the document log and the movement check.
//
// Every write goes through the unit: a product or supplier row is changed
// by values computed from the row read afresh under its lock and journaled
// before they are written (pos/EscrituraGuardado.h), so two stations
// receiving one product never lose a quantity and a save run again never
// adds one twice.

#include "foundation/dinero.h"
#include "purchasing/TablasCompras.h"
#include "pos/PlanGuardado.h"

#include <QChar>
#include <QString>
#include <QStringList>

#include <QVariant>
#include <QVector>

#include <functional>
#include <memory>
#include <utility>

namespace db {
class Dataset;
class Tabla;
}  // namespace db
class UnidadTrabajo;

// The journal of a purchase save in the program folder.
inline const QString kDiarioCompras = QStringLiteral("GuardadoCompras.jnl");
inline const QString kTablaCosteo = QStringLiteral("Costeo.dbf");
inline const QString kArchivoComprasSinMovimiento = QStringLiteral("compras.dat");
inline const QString kConceptoCompra = QStringLiteral("51");
// Line keys of comment lines, which are never products.
inline const QString kClaveComentarioCompra = QStringLiteral("COMENTARIO");

// What a purchase save writes, fixed before its first write.
struct PlanCompra {
  // The common part: tipo (the kind text), letra ("R", "O", "D"), modo
  // (Nuevo or Cambio), control, controlAnterior (the CONTROL of the lines a
  // change replaces), registro (a change: the header's record), usuario,
  // usuarioTexto, carpetaDatos, the shared header and line tables,
  // sinNegativos (configuration line 41 "N"), basesCerradas (line 1 "NO"),
  // bitacora (line 85), movimientos (the movement switch "S"), totalAnterior
  // (a change: the total stored before it), clavesReservadas and
  // cantidadesReservadas (a changed receipt: the quantities it had), and the
  // header row whole.
  PlanGuardado base;
  QString carpetaPrograma;
  QString carpetaInventario;   // configuration line 59, else the data folder
  QString nombreUsuario;       // for the document log
  qint64 controlInicio = 0;    // ControlInicioCompra, for Conse.dat
  bool calculaPrecios = false; // line 44 "S"
  bool costoMayor = false;     // "Por Costo Mayor" checked
  bool formula = false;        // line 83 not empty
  bool politica = false;       // line 84 "S": prices through the policy window
  bool desdeOrden = false;     // a receipt generated from a purchase order
  double margenProveedor = 0;  // POUTI_P of the supplier, receipts only

  UnidadTrabajo::Datos Datos() const;
  static PlanCompra De(const UnidadTrabajo::Datos& datos);

  QString Numero() const;  // CLDOC_O of the header row
  QString Proveedor() const;
  Dinero Total() const;    // IMDOC_O
  bool EsRecepcion() const { return base.letra == u'R'; }
  bool EsOrden() const { return base.letra == u'O'; }
  bool EsDevolucion() const { return base.letra == u'D'; }
};

// What the save tells or asks the user while it writes (a window shows the
// message and the price policy window; the benchmark passes nothing).
struct AvisosCompra {
  std::function<void(const QString&)> mensaje;
  // The price policy window for the product key of the current capture line.
  std::function<void(const QString& clave)> politica;
  // The cost formula for the current capture line and product row.
  std::function<double(db::Dataset& producto)> formula;
};

class GuardadoCompra {
 public:
  // `encabezado` and `partidas` are the caller's handles on the kind's
  // tables (a change finds its header on them, in edit or not); `captura`
  // is the capture table. The tables the save opens itself wait for rows
  // another station holds within the table layer's bound.
  GuardadoCompra(UnidadTrabajo& unidad, const PlanCompra& plan, db::Tabla& encabezado, db::Tabla& partidas,
                 db::Tabla& captura, AvisosCompra avisos = {});
  // Runs the save, skipping what the journal says is done. Returns the
  // document number. Errors of the tables reach the caller (the journal
  // keeps what was done); the snapshot, the marker, the mirror, the log and
  // the movement check never stop it.
  QString Ejecuta();

 private:
  void Encabezado();
  void ProveedorCompra();
  void CuentaPorPagar();
  void RestaCantidadesAnteriores();
  void BorraPartidasCompra();
  void Partidas();
  void EfectoPartida(const QString& fila, db::Tabla& productos, db::Tabla& kardex);
  void AgregaCapaCosto(const QString& fila, const QString& clave, double cantidad);
  void EscribePartida(const QString& fila);
  void MovimientoPartida(const QString& fila);
  void BorraMovimientosCompra();
  void SumaPendiente(int signo);
  void Espejo();
  void Rastros();
  db::Tabla& Abre(std::unique_ptr<db::Tabla>& t, const QString& carpeta, const QString& archivo, const QString& tag);
  QString Dato(const char* campo) const;

  UnidadTrabajo& u_;
  const PlanCompra& plan_;
  db::Tabla& encabezado_;
  db::Tabla& partidas_;
  db::Tabla& captura_;
  AvisosCompra avisos_;
  QString numero_;
  std::unique_ptr<db::Tabla> productos_, kardex_, proveedores_, cuentas_, movimientos_, movimientos2_;
};

// --- The routines of the save that stand alone.

// CPROM_I after a receipt: with a stock above 0 and the average method
// ("PROM", "PRO" or empty), (stock × average + quantity × cost) / (stock +
// quantity), else the new cost; at 6-byte real precision. A stock and a
// quantity that cancel out keep the previous average.
double CalculaCostoPromedio(const QString& metodo, double existencia, double cantidad, double promedio, double costo);
// The costing method is the average ("PRO" as the installed 4-character
// column may keep it, or "PROM").
bool EsCostoPromedio(const QString& metodo);
// The amount to two decimals, as "###########0.00" writes it.
Dinero RedondeaDosDecimales(Dinero importe);
// An expiry text: six characters ddmmyy become "dd/mm/yy"; another text is
// read as a date and written in the short date format (dd/mm/yyyy); a text
// that is no date becomes today; an empty text stays empty.
QString NormalizaCaducidad(const QString& texto);
// The sale prices of the product row being edited from a base cost: PORC1_I
// takes the line's margin `utilidad` when it differs; each price whose
// percentage is above 1 becomes base × (1 + percentage / 100) to two
// decimals. Returns the values to write, PPUBL_I among them.
QVector<std::pair<QString, QVariant>> CalculaPreciosVenta(const db::Dataset& producto, double base, double utilidad);

// The previous quantity of a key added to the lists (letter case ignored).
void AcumulaCantidadAnterior(QStringList& claves, QStringList& cantidades, const QString& clave, double cantidad);

// The payables checks of the cancel and delete commands, on CUEPAGAR.DBF of
// `carpetaDatos`: TienePagosCompra is true when the account of receipt
// `numero` has payments (CuentaPagar.h: a payment row, or a charge row that
// owes less than its amount); PagosSinCancelar is true when no cancelled
// row of the number still owes its whole amount.
bool TienePagosCompra(const QString& carpetaDatos, qint64 numero);
bool PagosSinCancelar(const QString& carpetaDatos, const QString& numero);

// Rewrites <carpetaDatos>\Control\<MM>-<yyyy>\Conse.dat (this month) with
// the one line letter + "," + number + "," + control: the last purchase
// saved or started. A missing month folder (it is not created) or any other
// failure is passed over.
void RegistraConsecutivoCompra(const QString& carpetaDatos, QChar letra, const QString& numero, qint64 control);

// Sets TREGI_OD "C" on the line rows of `numero` whose CONTROL is `control`
// (the lines of a cancelled document), from the last to the first; the
// line table's range is cancelled afterwards.
void MarcaPartidasCanceladas(db::Tabla& partidas, const QString& numero, qint64 control);

// Marks the mirror rows of a purchase (bare number, CONTROL, concept 51)
// with STATUS "C", through the local SQL; errors are passed over.
void CancelaEspejoCompra(const QString& carpetaInventario, const QString& numero, const QString& control);
// Deletes them the same way.
void BorraEspejoCompra(const QString& carpetaInventario, const QString& numero, const QString& control);
