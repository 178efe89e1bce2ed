// Commands of the row counter and the page: saltar, lineas, separa, maximo,
// nuevapagina.

#include "formats/Interprete_estado.h"

#include <algorithm>

void ComandoSaltar(const LineaFormato& l) {
  if (!EsPalabra(l, u"saltar")) return;
  EstadoFormato& e = EstadoActual();
  const QString argumento = MinusculasAZ(l.Token(2));
  if (argumento == u"fin") {
    // Later texts continue below the last one placed.
    e.Desplazamiento = e.UltimaY;
  } else if (argumento == u"inicio") {
    e.Renglon = 0;
  } else {
    e.Renglon = std::max(0, e.Renglon + EnteroArgumento(l.Token(2)));
  }
}

void ComandoLineas(const LineaFormato& l) { EstadoActual().LineasPorPagina = EnteroArgumento(l.Token(2)); }

void ComandoSepara(const LineaFormato& l) {
  if (!EsPalabra(l, u"separa")) return;
  EstadoFormato& e = EstadoActual();
  const double renglones = NumeroArgumento(l.Token(2));
  if (renglones > 0) e.RenglonesPagina = renglones;
  if (e.Modo != u'p') CalculaUnidadVertical();
}

void ComandoMaximo(const LineaFormato& l) { EstadoActual().MaximoTexto = EnteroArgumento(l.Token(2)); }

void ComandoNuevaPagina(const LineaFormato& l) {
  if (!EsPalabra(l, u"nuevapagina")) return;
  EstadoFormato& e = EstadoActual();
  if (e.Modo != u'p') {
    if (e.PausaActiva) EsperaPausa(e.UnidadesPausa);
    NuevaPaginaImpresora();
  }
  e.Renglon = 0;
  ++e.PaginaActual;
}
