// Commands that steer the run: esc (raw codes for the receipt printer, sent
// when the run ends, in print and preview runs alike) and aborta (the rest
// of the run only assigns variables).

#include "formats/Interprete_estado.h"

void ComandoEscape(const LineaFormato& l) {
  // Everything after the first comma of the line, as written.
  const qsizetype coma = l.texto.indexOf(u',');
  EstadoActual().CodigosImpresora = coma < 0 ? QString() : l.texto.mid(coma + 1);
}

void ComandoAborta(const LineaFormato&) { EstadoActual().Suspendido = true; }
