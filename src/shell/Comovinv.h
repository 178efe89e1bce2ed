#pragma once
// The inventory movement concepts: the numbered concepts of comovinv.dbf in
// the data folder (NUCON_CM number: above 50 an entry, 50 or below an exit;
// DECON_CM description; TIPOX_CM kind, "T" a transfer; ALMAC_CM the
// destination warehouse folder of a transfer), in number order (tag
// ITIPMOV, unique). Made by its opener (Configuración > "Alta de Conceptos
// Movimientos"), shown modally and freed.
//
// Eliminar deletes concepts 8 to 50 and from 58 on; the program's own
// numbers (1 to 7, 51 to 57, and 0 or below) are refused with "El concepto
// no puede Eliminarse...". Enter in the grid moves to the next column, from
// the third ("Tipo Concepto") back to the first.

#include "shell/VentanaConceptos.h"

inline const QString kConceptoNoSeElimina = QStringLiteral("El concepto no puede Eliminarse...");

class TFormacomovinv : public VentanaConceptos {
  Q_OBJECT
 public:
  explicit TFormacomovinv(QWidget* owner = nullptr);

  db::Tabla* Tablacomovinv;
  ui::RejillaDatos* Detalle;

 protected:
  void BotonEliminarClick() override;

 private:
  void DetalleKeyDown(int& tecla);
};

inline TFormacomovinv* Formacomovinv() { return ui::InstanciaDe<TFormacomovinv>().data(); }
