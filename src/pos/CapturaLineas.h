#pragma once
// The line-capture components of the sale windows (the sale screen, the
// legacy document window): the grid over the capture table, the quantity,
// key, tare and package edits bound to its current row, and the factor
// label; and what their keys do alike in both windows. Each window keeps
// one, made once its components exist, and gives it what is its own:
// whether capture starts in the key edit, and what entering a grid column
// does (its DetalleColEnter).
//
//   Lineas = CapturaLineas({this, Detalle, TablaDeta, TablaInventario, EditCantidad, EditClave, EditTARA,
//                           EditEmpaque, LabelFactor, CAMBIO_F},
//                          [this] { return OpcionIniciaEnClave; }, [this] { DetalleColEnter(); });
//
// Nothing here asks whether a capture is in progress: the windows do.

#include <QString>

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QObject;
class QWidget;
namespace db {
class Dataset;
class Tabla;
}  // namespace db
namespace ui {
class RejillaDatos;
}

// The row being edited of a capture takes its IMPORTE from its quantity,
// price and discount (ImporteLinea).
void EscribeImporteLinea(db::Dataset& captura);

class CapturaLineas {
 public:
  struct Componentes {
    QWidget* ventana = nullptr;
    ui::RejillaDatos* Detalle = nullptr;
    db::Tabla* TablaDeta = nullptr;
    db::Tabla* TablaInventario = nullptr;
    QLineEdit *EditCantidad = nullptr, *EditClave = nullptr, *EditTARA = nullptr, *EditEmpaque = nullptr;
    QLabel* LabelFactor = nullptr;
    QWidget* CAMBIO_F = nullptr;
  };

  CapturaLineas() = default;
  CapturaLineas(const Componentes& c, std::function<bool()> iniciaEnClave, std::function<void()> colEnter);

  // The grid's typed characters upper-cased, and the row's factor shown
  // after Up or Down: wired once, on `contexto`'s life.
  void ConectaRejilla(QObject* contexto) const;

  // The package edit shows (capture by package).
  bool EmpaqueVisible() const;
  // The focus on the key edit (capture starts in the key) or on the
  // quantity edit with its text selected.
  void EnfocaCaptura() const;
  // The grid to a column; to column 2 it fills the line also when the grid
  // already stands there.
  void VeAColumna(int columna) const;
  // Enter in the quantity edit: the number it shows (its characters "." to
  // "9") into the row's CANTIDAD when it differs, then the focus on the key
  // edit. A text that is still no number is refused (plat::Error) and the
  // focus kept on the quantity.
  void AceptaCantidad() const;
  // The key typed: a pending row posted, the line filled (grid to column
  // 2), then the focus on the package edit when it shows and the key was
  // found (the key edit's Tag 0), else EnfocaCaptura.
  void PosicionaClave() const;
  // The product lookup in an order (1 key, 2 description) on the key edit's
  // text, `parcial` showing products that hold it; marked as opened from the
  // keyboard (the grid's Tag 3); its answer becomes the row's key.
  void BuscaEnCatalogo(int orden, bool parcial) const;
  // Whether the product of the typed key has `valor` in its field `campo`
  // (the tare edit shows for it); nullopt when the key is empty or names no
  // product.
  std::optional<bool> TaraDeClave(const QString& campo, const QString& valor) const;
  // The row's CANTIDAD := the factor shown × the packages typed, when both
  // are numbers above 0; false when nothing was written.
  bool EmpaqueACantidad() const;
  // Enter in the package edit: the quantity from the packages, the factor
  // label back to "1", the line filled again, the focus on the key edit on
  // the last row, and `nuevaPartida` run.
  void CierraEmpaque(const std::function<void()>& nuevaPartida) const;
  // F3 of the key edit: the line filled again (column 2), then the focus on
  // the package edit when it shows empty, else EnfocaCaptura.
  void RepitePartida() const;
  // The row's factor shown and the focus on the package edit.
  void EnfocaEmpaque() const;
  // The row's factor into the factor label (no row: nothing).
  void MuestraFactor() const;
  // The keys both grids answer alike: Enter to the next column (after the
  // amount, column 0 of the next row), F3 to the package edit when it
  // shows, F5 to the change field, F12 to column 0 with the focus on the
  // grid. True when the key was taken (and set to 0).
  bool TeclaRejilla(int& tecla) const;
  // The first line of an empty capture: a row with quantity 1, column 1,
  // EnfocaCaptura. False when the capture is not empty and browsing.
  bool PrimeraPartida() const;
  // A new row with quantity 1 after the current one when it has a key and a
  // description; false when it has not.
  bool AgregaPartida() const;
  // The row's IMPORTE from its quantity, price and discount, posted.
  void ImporteDePartida() const;

 private:
  Componentes c_;
  std::function<bool()> iniciaEnClave_;
  std::function<void()> colEnter_;
};
