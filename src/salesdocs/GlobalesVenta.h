#pragma once
// The "Globales" commands of the sale screen's Reportes menu: the period's
// sold lines summed per product (or per product line) into the work table
// c:\VRL\deta.DBF, with their shares of the period's sales and profit, and
// a one-section script over that table handed to the runner. The unbilled
// sales commands (SinFacturar.h) use the same work table and period dialog.

#include <QString>
#include <QVector>

#include <memory>

class Dinero;
class TFormaCapturaRapida;
namespace db {
class Tabla;
}

struct MiembroGlobal {
  const char* clave;      // the menu item's component name
  const char* titulo;     // its caption
  const char* columnas;   // the select list of the script
  const char* condicion;  // "?" line, or nullptr
  const char* orden;      // "!" line
  const char* corte;      // ">" line, or nullptr
  const char* tipos;      // "%" line
  const char* titulos;    // "#" line
  bool porLinea;          // summed per product line, not per product
  bool conCosto;          // COSTO sums the cost of sales, not the profit
};

const QVector<MiembroGlobal>& MiembrosGlobales();
const MiembroGlobal* MiembroGlobalDe(const QString& clave);

// The fixed folder and file of the work table, as the scripts name it.
inline const QString kCarpetaDeta = QStringLiteral("c:\\VRL\\");
inline const QString kArchivoDeta = QStringLiteral("deta.DBF");

// The member's script, each line ended by a carriage return.
QString GuionGlobal(const MiembroGlobal& miembro);

// The columns of the period query, by position from 0: product key,
// description, quantity, amount sold, profit (or the cost), profit, margin,
// date, first supplier, product key, second supplier, line, units per
// package, [tax rate, unit of measure,] document, remission number and
// status.
QString ColumnasPeriodo(bool conCosto, bool conImpuesto);

// The period query over the screen's line table, the products of its
// product folder and the remissions of the line folder, with `columnas`
// after " Select " and `condicion` ("Where ...") before the dates, then
// `orden`. Dates as FechaSQL texts.
QString ConsultaPeriodoVentas(TFormaCapturaRapida& p, const QString& columnas, const QString& condicion,
                              const QString& desde, const QString& hasta, const QString& orden);

// A fresh copy of the template DETA.DBF of the program folder (made there
// when missing) in c:\VRL\ (made when missing), opened exclusively on the
// tag (empty: physical order). When another copy of the program holds the
// work table longer than the table layer waits, throws its EnUso error and
// changes nothing.
std::unique_ptr<db::Tabla> PreparaTablaDeta(const QString& tag);

// The report parameters dialog on the screen's invoice numbers; true and
// the period as FechaSQL texts when accepted.
bool PidePeriodoVentas(TFormaCapturaRapida& p, QString& desde, QString& hasta);

// parte / total * 100, exactly to four decimals; 0 when the total is 0.
Dinero PorcentajeDe(Dinero parte, Dinero total);
// A number field as money (null is 0), and money into a number field.
Dinero DineroDe(const db::Tabla& tabla, const QString& campo);

void EjecutaGlobal(TFormaCapturaRapida& p, const MiembroGlobal& miembro);

// Attaches the "Globales" commands to one screen.
void InstalaGlobalesVenta(TFormaCapturaRapida& p);
