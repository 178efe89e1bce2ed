#pragma once
// Quick product registration: a new product from five boxes, key (Edit1),
// description (Edit2), second code "Código 2" (Edit3), price (Edit4, PPUBL_I)
// and units per package (Edit5, UEMPA_I), into INVENTAR.DBF of the folder the
// caller gives.
//
// Two uses. With BotonNuevo shown (the main menu shows it disabled) the
// window registers one product after another: "Guardar" saves at once and
// enables "Nuevo", which empties the boxes for the next one. With it hidden
// the window answers through its Tag (1 "Guardar", 0 "Cancelar", Esc or the
// close box) and AltaRapidaProducto saves after it closes.
//
// A key that some product already has, or an empty one, saves nothing; leaving
// the key box on an existing key says so and keeps the focus there. A price
// or package that is not a number makes the save fail with the error shown
// and nothing written; what was typed stays to be corrected and saved again.
//
// Keys (key preview): Ctrl+G "Guardar" and Ctrl+N "Nuevo" while their buttons
// are usable; Enter and Down the next box, Up the previous one; Esc cancels.

#include "platform/ui/Forma.h"

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
namespace db {
class Tabla;
}

inline const QString kProductoYaRegistrado = QStringLiteral("El producto ya esta dado de alta...");

class TFormaClaveRapida : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaClaveRapida(QWidget* owner = nullptr);
  ~TFormaClaveRapida() override;

  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label4;
  QLabel* Label5;
  QLineEdit* Edit1;
  QLineEdit* Edit2;
  QLineEdit* Edit3;
  QLineEdit* Edit4;
  QLineEdit* Edit5;
  QPushButton* BotonGuardar;
  QPushButton* BotonCancelar;
  QPushButton* BotonNuevo;  // hidden unless the caller shows it
  // INVENTAR.DBF on tag ICLPRO, open while AltaRapidaProducto runs.
  db::Tabla* TablaInventario;

  // Saves a product from the five boxes when the key is not empty and no
  // product has it; false when nothing was saved. A value its field does not
  // take throws plat::Error and leaves the table as it was.
  bool GuardaProducto();

 protected:
  void FormShow() override;
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;

 private:
  bool Repite() const;
  void Edit1Exit();
  void BotonGuardarClick();
  void BotonNuevoClick();
  void BotonCancelarClick();
};

inline TFormaClaveRapida* FormaClaveRapida() { return ui::InstanciaDe<TFormaClaveRapida>().data(); }

// Runs the window the caller made (FormaClaveRapida) on the product table of
// `carpeta`: the key box holds `claveInicial`, the other four are emptied,
// and the window is shown modally. Answered 1, the product is saved; a save
// that fails shows why and shows the window again with what was typed. The
// table is closed at the end. Throws plat::Error when no window was made or
// the table cannot be opened.
void AltaRapidaProducto(const QString& carpeta, const QString& claveInicial);
