#pragma once
// The serial numbers of one product: the table <data folder>\serie\<key>.dbf,
// one row per serial (NUSER_NS), with the number (DOSAL_NS) and control
// (control) of the document that took it out, empty while it is in stock.
// The system never creates these tables: a product's table comes with its
// serials.
//
// The grid Detalle edits the table in place. A row allowance, when one is
// set, refuses a new row while the table already holds more rows than it
// ("No pueden agregarse más Números..."); the product window sets none.
// "Guardar" takes the cell being typed, posts the row and answers 1000;
// "Cancelar" drops the row being typed and answers 0; rows already posted
// stay either way.
//
// Picking (for a sale line; its buttons stay hidden until a caller shows
// them): "Agregar" puts the current row's serial into the list MemoSeries
// when it is in stock, not listed yet and the list holds fewer entries than
// the pick allowance; "Quitar" takes the selected entry out; "Asignar"
// writes the document number and control into every row in stock whose
// serial is listed.

#include "platform/ui/Forma.h"

#include <QString>
#include <QStringList>

#include <optional>

class QLabel;
class QListWidget;
class QPushButton;

namespace db {
class Tabla;
}
namespace ui {
class FuenteDatos;
class RejillaDatos;
}  // namespace ui

inline const QString kNoMasSeries = QStringLiteral("No pueden agregarse más Números...");
inline const QString kSerieAsignada = QStringLiteral("Serie Asignada...");
inline const QString kSinNumerosSerie = QStringLiteral("El Producto No Tiene Numeros de Serie");

// The answer of "Guardar".
inline constexpr int kSeriesGuardadas = 1000;

class TFormaNumeroSerie : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaNumeroSerie(QWidget* owner = nullptr);

  db::Tabla* TablaNumeroSerie;
  ui::FuenteDatos* DataSource1;
  ui::RejillaDatos* Detalle;
  QLabel* LabelRegistros;
  QPushButton* BotonGuardar;  // "Guardar"
  QPushButton* BitBtn2;       // "Cancelar"
  // Picking, hidden.
  QPushButton* Agregar;
  QPushButton* Asignar;
  QPushButton* Quitar;
  QListWidget* MemoSeries;

  QString ClaveProducto;
  // Rows the table may hold before a new one is refused; none: any number.
  std::optional<int> LimiteSeries;
  // Entries MemoSeries may hold.
  int LimiteSeleccion = 0;
  // The document that takes the listed serials.
  qint64 Documento = 0;
  QString Control;

  // Opens <carpeta>\<clave>.dbf on its first row, shows "Registros " and the
  // rows after the first, and shows the window modally. A key that names no
  // file of the folder (empty, or holding a path separator) and a missing
  // table give plat::Error before anything is shown.
  void MuestraNumerosSerie(const QString& clave, const QString& carpeta);
  // The serials listed in MemoSeries.
  QStringList SeriesElegidas() const;

  void BotonGuardarClick();
  void BitBtn2Click();
  void TablaNumeroSerieAfterInsert();
  void AgregarClick();
  void AsignarClick();
  void QuitarClick();
};
