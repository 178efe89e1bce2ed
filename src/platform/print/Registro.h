#pragma once
// What a recording printer (TipoImpresora::Registro) was asked to do: every
// job start, page, end and drawing, in order, with the font, pen and brush in
// force. Tests read it to check printed output without paper.

#include "platform/print/Impresora.h"

#include <vector>

namespace print {

struct Operacion {
  enum class Tipo { Comienza, Pagina, Termina, Aborta, Texto, Linea, Rectangulo, Redondeado, Imagen };
  Tipo tipo = Tipo::Texto;
  QString impresora;  // the printer's name
  int pagina = 0;     // page of the job, from 1
  QString texto;      // Texto: the text; Comienza: the job's title
  QPoint punto;       // Texto: top-left of the text cell; Linea: start
  QPoint hasta;       // Linea: end
  QRect rect;         // Rectangulo, Redondeado, Imagen
  QSize esquina;      // Redondeado: corner ellipse
  QSize imagen;       // Imagen: size of the picture in pixels
  bool conPluma = false;   // Rectangulo: outlined
  bool conBrocha = false;  // Rectangulo: filled
  Fuente fuente;
  Pluma pluma;
  Brocha brocha;           // Texto: its background
};

std::vector<Operacion> OperacionesGrabadas();
void BorraOperacionesGrabadas();

}  // namespace print
