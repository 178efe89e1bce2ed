#pragma once
// What the product window's walks of the whole product table share: a
// handle of their own on the table (so the window's cursor stays where it
// is while they walk) and the progress window shown meanwhile.

#include <QString>

#include <memory>

class QObject;
class TFormaProgreso;

namespace db {
class Tabla;
}

// INVENTAR.DBF of the inventory folder through a new handle, open, on the
// tag given ("" physical order), with the record filter given ("" none).
// Errors reach the caller.
std::unique_ptr<db::Tabla> AbreProductos(bool soloLectura, const QString& tag = {}, const QString& filtro = {});

// The progress window over a walk: the program's own (FormaProgreso), or
// one made for the walk when there is none; shown at once with its bar at
// 0, and put back as it was (caption, "Terminar", second message) and
// closed when the walk ends.
class AvanceInventario {
 public:
  // How the user's input is taken while the walk lets events through.
  enum class Entrada {
    // It waits until the walk ends; "Terminar" is off.
    Diferida,
    // Input meant for any other window is dropped, so no command can
    // start inside the walk; the progress window repaints. "Terminar" off.
    Rechazada,
    // As Rechazada, with "Terminar" usable: Parado() says it was pressed.
    ConParo,
  };

  explicit AvanceInventario(Entrada entrada = Entrada::Diferida);
  ~AvanceInventario();
  AvanceInventario(const AvanceInventario&) = delete;
  AvanceInventario& operator=(const AvanceInventario&) = delete;

  TFormaProgreso& Ventana() { return *ventana_; }
  // Lets the pending events through, as the Entrada says.
  void Pasa();
  // "Terminar" was pressed (the window's Tag became 2000).
  bool Parado() const;

 private:
  std::unique_ptr<TFormaProgreso> propia_;
  TFormaProgreso* ventana_ = nullptr;
  Entrada entrada_;
  QString titulo_;
  std::unique_ptr<QObject> filtro_;
};
