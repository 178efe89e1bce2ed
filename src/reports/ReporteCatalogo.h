#pragma once
// A catalogue window's summary report through the report generator: the
// parameters dialog over the window's table, the engine over that table in
// its current order, and the viewer with its chart.
//
//   ReporteCatalogo r;
//   r.Tabla = "cliente.dbf";
//   r.CampoRango = "CLCLI_C";
//   r.Nombre = "Saldos";
//   r.Llave = "CLCLI_C";  r.TituloLlave = "Cliente";
//   r.Texto = "NOMBR_C";  r.TituloTexto = "Nombre";
//   r.Columnas[0] = "SALDO_C";  r.Titulos[0] = "Saldos";
//   r.EjeInferior = "Clave del Cliente";  r.EjeIzquierdo = "Total de Venta";
//   EjecutaReporteCatalogo(*TablaCliente, r);
//
// The dialog proposes as key range the range field of the table's first and
// last records in its current order. The range typed is taken on the range
// field: on a table ordered by another tag it becomes the run, in that
// order, from the record holding the first value to the record holding the
// last (the nearest value when none holds it), so the proposed range takes
// in the whole table whatever its order. A cancelled dialog ends the report
// with no output. The viewer is captioned "Reporte de " + the name, or the
// title typed in the dialog; its chart is titled "Gráfica " + the name
// unless the report names its own.
// The report reads a cursor of its own on the table's file, in the table's
// order, so the window's table does not move.

#include <QString>

#include <array>

namespace db {
class Tabla;
}

struct ReporteCatalogo {
  // PreparaParametrosReporte's flags.
  bool Fechas = true;
  bool Rango = true;
  bool PorMoneda = false;     // "Por Moneda"
  bool Devoluciones = false;  // "Incluir Devoluciones"
  bool NoDisponible = false;  // "No Disponible"
  bool Condiciones = true;
  QString Tabla;       // the file name whose fields the dialog offers
  QString CampoRango;  // its values of the first and last records: the key range
  QString Nombre;      // the report's name
  // Titles of the key, the text and the eight columns.
  QString TituloLlave;
  QString TituloTexto;
  std::array<QString, 8> Titulos;
  // What the engine evaluates (GeneradorReporte.h): the date field and
  // dates ("f": none), the key expression, the text field, columns 1 to 7,
  // the column-8 field passed only while "Por Moneda" is ticked (at most 10
  // characters), the fourth condition and the mode.
  QString CampoFecha = QStringLiteral("f");
  QString FechaDesde = QStringLiteral("f");
  QString FechaHasta = QStringLiteral("f");
  // When set, the dialog's two dates are the range on CampoFecha.
  bool FechasDelDialogo = false;
  QString Llave;
  QString Texto;
  std::array<QString, 7> Columnas;
  QString ColumnaMoneda;
  QString CampoCondicion;
  QString CodigoCondicion = QStringLiteral("X");
  QString ValorCondicion;
  QString Modo = QStringLiteral("D");
  std::array<quint16, 10> Anchos{20, 20, 20, 20, 20, 20, 20, 20, 20, 20};
  // The chart's axis titles and the values it takes of each row.
  QString EjeInferior;
  QString EjeIzquierdo;
  qint16 Divisor = 1;
  // The chart's title; empty: "Gráfica " + the name.
  QString Grafica;
};

void EjecutaReporteCatalogo(const db::Tabla& tabla, const ReporteCatalogo& reporte);

// The key range typed on `campo` as values of the table's current tag: the
// current tag's field of the records holding `desde` and `hasta` (the
// nearest following value when none holds one, the last record when none
// follows), found through a tag on `campo`. Unchanged when the current tag
// is on `campo`, when either value is empty, or when no tag on `campo` or
// no plain field of the current tag exists; both emptied (no range) when a
// value cannot be searched on `campo`.
void RangoEnOrdenActual(const db::Tabla& tabla, const QString& campo, QString& desde, QString& hasta);
