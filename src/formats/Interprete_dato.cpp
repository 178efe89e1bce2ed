// dato(name,prompt): asks the user for the value of a variable or text
// variable, in preview runs too.

#include "formats/Interprete_estado.h"
#include "foundation/DatoForm.h"

#include <QLabel>
#include <QLineEdit>

#include <memory>

void ComandoDato(const LineaFormato& l) {
  const QString nombre = l.Token(2);
  const int tipo = TipoVariable(nombre);
  auto forma = std::make_unique<TFormaDato>();
  forma->Label1->setText(l.Token(3).isEmpty() ? QStringLiteral("Insertar un Dato") : l.Token(3));
  forma->SetTag(tipo);  // 1: the window asks for a number
  forma->ShowModal();
  const QString texto = forma->EditDato->text();
  forma.reset();
  if (tipo == 1) FijaVariable(nombre, NumeroArgumento(texto));
  if (tipo == 2) FijaCadena(nombre, texto);
}
