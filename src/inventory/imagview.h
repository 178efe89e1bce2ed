#pragma once
// The picture viewer of a product: a borderless window, dragged by its title
// panel, with the picture file in Imagen (321 × 313, drawn at its own size
// from the top-left corner; a double click fits it to the box's width and
// switches stretching) and a free description in Descripcion, kept beside
// the picture in "<picture file>.dat" (Windows-1252 text lines).
//
// "&Guardar" writes the description file (replaced at once); "&Imprimir"
// prints the window as it looks, without its title panel, on one page of the
// printer object; "&Salir" and the close box close it; "&Borrar" does
// nothing.

#include "platform/ui/Forma.h"

#include <QString>

class QLabel;
class QPlainTextEdit;
class QToolButton;
namespace ui {
class Panel;
}

inline const QString kSinImagen = QStringLiteral("No Tiene Imágen");
inline const QString kImpresoraNoLista = QStringLiteral("La Impresora No Se Encuentra Lista...");

class TFormaImagen : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaImagen(QWidget* owner = nullptr);

  ui::Panel* Panel1;  // title panel
  QLabel* Label1;     // its caption
  ui::Panel* Panel2;  // close box
  QLabel* Imagen;
  QPlainTextEdit* Descripcion;
  QToolButton* SpeedButton1;  // "&Guardar"
  QToolButton* SpeedButton2;  // "&Borrar"
  QToolButton* BotonImprimir;
  QToolButton* BotonSalir;

  // Shows the picture of `archivo` (a Windows-form path) and its description
  // file, or an empty description when there is none. Throws plat::Error
  // (NoExiste, Corrupto) when the picture cannot be read.
  void CargaImagen(const QString& archivo);

 private:
  QString ArchivoDescripcion() const;
  void ImagenDblClick();
  void SpeedButton1Click();
  void BotonImprimirClick();

  QString archivo_;
};

inline TFormaImagen* FormaImagen() { return ui::InstanciaDe<TFormaImagen>().data(); }

// Shows the picture file of a product with its description, modally; a
// file that does not exist shows "No Tiene Imágen" instead.
void MuestraImagen(const QString& archivo);
