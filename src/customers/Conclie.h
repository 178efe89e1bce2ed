#pragma once
// The customer lookup "Consulta de Clientes": a read-only grid over
// CLIENTE.DBF of the data folder (or over the result of an advanced search)
// from which a document or catalogue field picks a customer. BuscaCliente
// makes the window for the call and frees it.
//
// Keys (the window sees them first):
//   Enter in the grid        accept (Tag 1)
//   double click             accept
//   Esc in the grid          refuse (Tag 0): the start key comes back
//   Esc elsewhere, close box close; the current row is the answer
//   F2 / "Por Nombre F2"     the table by name, quick search
//   F3 / "Por Clave F3"      the table by key, quick search
//   "Avanzada F4" clicked    as "Por Clave F3"
//   F4                       "Avanzada F4" checked, advanced search
//   "Clientes"               the customer catalogue (right 1)

#include "platform/ui/Forma.h"

#include <QString>

#include <optional>

class QLabel;
class QPushButton;
class QRadioButton;
namespace db {
class Consulta;
class Tabla;
}  // namespace db
namespace ui {
class FuenteDatos;
class Navegador;
class RejillaDatos;
}  // namespace ui

class TFormaConClientes : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaConClientes(QWidget* owner = nullptr);

  ui::RejillaDatos* Detalle;
  ui::Navegador* DBNavigator;
  QRadioButton *PorNombre, *PorClave, *Avanzada;
  QPushButton* BotonClientes;
  QLabel* Usuario;
  db::Tabla* TablaCliente;
  db::Consulta* QueryFiltro;
  ui::FuenteDatos *DataSource1, *DataSource2;

  // The grid shows the result of the advanced search, not the table.
  bool MuestraConsulta() const;
  // The key of the grid's current row ("" when it has none).
  QString ClaveActual() const;

 protected:
  void FormShow() override;
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;

 private:
  bool EnRejilla() const;
  // The grid back on the table, ordered by the tag, then the quick search.
  void BusquedaRapida(const QString& tag);
  void BusquedaAvanzada();
  // The typed text of "Busquedas Rápidas"; nullopt when it was cancelled.
  std::optional<QString> PideTexto();
  void BotonClientesClick();
};

// Lets the user pick a customer, starting at the key nearest to `inicio`;
// `usuario` is the user number text (for the catalogue's right). Returns the
// key chosen; `inicio` when the user refused in the grid.
QString BuscaCliente(const QString& inicio, const QString& usuario);
