#pragma once
// The account concepts: the numbered concepts of receivable and payable
// movements in concepto.dbf of the data folder (NUMOV_MO number, CONCE_MO
// name, TIPOO_MO "A" payment or "C" charge), in number order (tag NUME,
// unique). Created at start-up and never freed; its callers show it modally.
//
// The grid's Tag sets the mode: 0 catalogue, 1 pick (Enter closes and the
// caller reads the current row of TablaConcepto), 2 fill (Enter writes the
// concept into the payable the caller handed over in TablaCxP, left in edit
// for the caller to post). In every mode Esc in the grid and a double click
// on it close the window. Eliminar deletes only concepts above 11: the
// receivables and payables write the lower numbers themselves; on those it
// does nothing and says nothing.

#include "shell/VentanaConceptos.h"

#include <QPointer>

namespace db {
class Dataset;
}

// Concepts up to this number are the program's own and are never deleted.
inline constexpr int kUltimoConceptoCuentaFijo = 11;

class TFormaConceptos : public VentanaConceptos {
  Q_OBJECT
 public:
  explicit TFormaConceptos(QWidget* owner = nullptr);

  db::Tabla* TablaConcepto;
  ui::RejillaDatos* RejillaConceptos;
  // Fill mode: the payable movement (TIMOV_CP, CONCE_CP) the concept is
  // written into; set by the payables detail window before it shows this one.
  QPointer<db::Dataset> TablaCxP;

 protected:
  void BotonEliminarClick() override;

 private:
  void RejillaConceptosKeyDown(int& tecla);
  void LlenaCuentaPagar();
};

inline TFormaConceptos* FormaConceptos() { return ui::InstanciaDe<TFormaConceptos>().data(); }
