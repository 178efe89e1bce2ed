#pragma once
// The sale screen's chart reports ("Ventas por Día", "Ventas por Mes",
// "Ventas por año", "Desgloce por Moneda", "Corte de Caja", "Ventas por
// Caja", "Ventas por Vendedor"): the report generator driven step by step
// over the header table, or over FactAuxi.dbf when the period's returns are
// included, then the viewer with its chart.

#include <QDate>
#include <QString>

#include <functional>

class QMenuBar;

class TFormaCapturaRapida;
namespace db {
class Dataset;
class Tabla;
}  // namespace db

// Every field of the source set, by name, to the target field of that name
// as text.
void CopiaCamposTexto(const db::Dataset& origen, db::Dataset& destino);

// Makes the work table again ("FactAuxi.dbf": the header table's fields and
// the tag INUMENC; any other name: "FactAuxiD.dbf" with the line table's
// fields and the tag CLDOC_FD) in the screen's data folder, points the
// screen's TablaAuxiliar at it (tag `indice`) and fills it with the rows of
// `fuente` and of `devoluciones` dated from `desde` to `hasta`, both
// included; the returns' amounts negated (IMTOD_F and SUBTO_F, or CANTI_FD).
void PreparaFactAuxi(TFormaCapturaRapida& pantalla, const QString& fuente, const QString& devoluciones,
                     const QString& trabajo, const QDate& desde, const QDate& hasta, const QString& indice);
// The same for any window: the work table made in `carpetaTrabajo` with the
// fields of `encabezados` or `partidas`, `auxiliar` opened on it, the rows
// read from the company tables `fuente` and `devoluciones`, each in its own
// folder.
void PreparaFactAuxi(db::Tabla& auxiliar, const db::Tabla& encabezados, const db::Tabla& partidas,
                     const QString& carpetaTrabajo, const QString& fuente, const QString& devoluciones,
                     const QString& trabajo, const QDate& desde, const QDate& hasta, const QString& indice);

// The command of a chart item, by component name; false for another name.
bool EjecutaGraficaVenta(TFormaCapturaRapida& pantalla, const QString& clave);

// What a chart needs of the window it runs for: the menu (the item's
// caption), the header table, the work table and its folder, and the
// routine that makes and fills the work table (PreparaFactAuxi's
// arguments).
struct VentanaGrafica {
  QMenuBar* menu = nullptr;
  db::Tabla* encabezado = nullptr;
  db::Tabla* auxiliar = nullptr;
  QString carpetaAuxiliar;
  std::function<void(const QString& fuente, const QString& devoluciones, const QString& trabajo, const QDate& desde,
                     const QDate& hasta, const QString& indice)>
      preparaAuxiliar;
};
bool EjecutaGraficaVenta(const VentanaGrafica& ventana, const QString& clave);
// Attaches the commands to the screen.
void InstalaGraficasVenta(TFormaCapturaRapida& pantalla);
