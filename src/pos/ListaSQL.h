#pragma once
// The list picker "Lista de Datos": a grid over the query its caller gives
// (a result with a CLDOC_F column). A double click on a row closes the
// window with that row's CLDOC_F as Tag; closed any other way, Tag is 0.
//
//   TFormaListaSQL lista;
//   lista.QueryLista->SetSQL("Select CLDOC_F,... From \"...\\Remision.dbf\" ...");
//   lista.QueryLista->Open();
//   if (lista.QueryLista->RecordCount() > 0) lista.ShowModal();
//   const int numero = lista.Tag();
//
// One list lives for the whole run (created at start-up, FormaListaSQL());
// callers make one of their own for each use, which never replaces it.

#include "platform/ui/Forma.h"

namespace db {
class Consulta;
}
namespace ui {
class FuenteDatos;
class Panel;
class RejillaDatos;
}  // namespace ui

class TFormaListaSQL : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaListaSQL(QWidget* owner = nullptr);

  ui::Panel* Panel1;
  ui::RejillaDatos* DBGrid1;
  ui::FuenteDatos* DataSource1;
  db::Consulta* QueryLista;

 protected:
  void FormShow() override;

 private:
  void DBGrid1DblClick();
};

inline TFormaListaSQL* FormaListaSQL() { return ui::InstanciaDe<TFormaListaSQL>().data(); }
