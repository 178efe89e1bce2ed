#pragma once
// The row picker "Lineas": a grid over the query Query1 (typically the
// distinct values of one column) from which the user picks a row. A double
// click, "Aceptar" or Enter answer Tag 1; Esc answers 0. Query1 stands on
// the row the grid shows as current, whichever way the window closed.

#include "platform/ui/Forma.h"

#include <QString>

class QPushButton;
class QTableView;
class ModeloConsulta;
namespace db {
class Consulta;
}

class TFormaLineas : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaLineas(QWidget* owner = nullptr);
  ~TFormaLineas() override;

  db::Consulta* Query1;
  QTableView* DBGrid1;
  QPushButton* BitBtn1;

  // Shows the rows of Query1 as it stands (open) in the grid.
  void MuestraConsulta();

 protected:
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;

 private:
  void Elige(int tag);
  void FilaActualCambiada(int fila);

  ModeloConsulta* modelo_;
};

inline TFormaLineas* FormaLineas() { return ui::InstanciaDe<TFormaLineas>().data(); }

// Runs the SQL text in FormaLineas's Query1 and shows the picker modally.
// The caller creates FormaLineas before and reads its Tag (1 = a row was
// chosen) and the chosen row's fields from Query1 afterwards. Errors of the
// statement reach the caller.
void EligeDeConsulta(const QString& sql);
