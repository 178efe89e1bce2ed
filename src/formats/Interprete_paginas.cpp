// Commands of pages, print jobs and the printer: paginas, terminaimpresion,
// reset, cambiaimpresora, direccion, ppl; and the page numbers of print
// runs, "<n> de <m> Paginas", whose m is written when the job ends.
//
// A print job keeps its pages until it ends (print::Impresora), so the page
// numbers of a job wait in a list and are written on their pages just
// before it ends, with the pages the run has counted by then: a two-page
// document reads "1 de 2" and "2 de 2" whatever the last preview counted.

#include "formats/Interprete_estado.h"
#include "platform/Error.h"
#include "platform/print/Impresora.h"

#include <vector>

namespace {

print::Impresora& ImpresoraPaginas() { return print::Impresora::Global(); }

bool PreviaPaginas() { return EstadoActual().Modo == u'p'; }

struct NumeroPendiente {
  int paginaTrabajo;  // page of the print job it goes on
  int numero;
  int y;
  int margen;
  print::Fuente fuente;
  print::Brocha brocha;
  bool registra;      // with its formato.txt line
  int yRegistro;
  int tamano;
  QString nombreFuente;
};

std::vector<NumeroPendiente>& Pendientes() {
  static std::vector<NumeroPendiente> pendientes;
  return pendientes;
}

// Ends the open job and begins another on the selected printer; errors
// ignored, as the commands that do it ask.
void TerminaTrabajo() {
  try {
    ResuelveNumerosPagina();
    ImpresoraPaginas().Termina();
  } catch (const plat::Error&) {
    DescartaNumerosPagina();
  }
}

void ComienzaTrabajo() {
  try {
    ImpresoraPaginas().Comienza(EstadoActual().TituloTrabajo);
  } catch (const plat::Error&) {
  }
}

}  // namespace

QString TextoNumeroPagina(int numero, int total) { return QStringLiteral("%1 de %2 Paginas").arg(numero).arg(total); }

void NumeroPaginaAlTerminar(int numero, int y, int margen, bool registra, int tamano, const QString& fuente) {
  print::Impresora& impresora = ImpresoraPaginas();
  if (!impresora.Imprimiendo()) return;
  print::Lienzo& lienzo = impresora.lienzo();
  Pendientes().push_back({impresora.NumeroPagina(), numero, y, margen, lienzo.fuente(), lienzo.brocha(), registra,
                          y + Trunca(EstadoActual().UnidadVertical), tamano, fuente});
}

void ResuelveNumerosPagina() {
  const std::vector<NumeroPendiente> pendientes = std::move(Pendientes());
  Pendientes().clear();
  if (pendientes.empty()) return;
  const int total = EstadoActual().PaginaActual;
  print::Impresora& impresora = ImpresoraPaginas();
  print::Lienzo& lienzo = impresora.lienzo();
  const print::Fuente fuente = lienzo.fuente();
  const print::Brocha brocha = lienzo.brocha();
  try {
    for (const NumeroPendiente& p : pendientes) {
      lienzo.fuente() = p.fuente;
      lienzo.brocha() = p.brocha;
      const QString texto = TextoNumeroPagina(p.numero, total);
      const int x = impresora.AnchoPagina() - lienzo.AnchoTexto(texto) - p.margen;
      lienzo.TextoEnPagina(p.paginaTrabajo, x, p.y, texto);
      if (p.registra) RegistraTextoImpreso(p.numero, x, p.yRegistro, texto, QString(), p.nombreFuente, p.tamano);
    }
  } catch (...) {
    lienzo.fuente() = fuente;
    lienzo.brocha() = brocha;
    throw;
  }
  lienzo.fuente() = fuente;
  lienzo.brocha() = brocha;
}

void DescartaNumerosPagina() { Pendientes().clear(); }

void ComandoPaginas(const LineaFormato& l) {
  if (!EsPalabra(l, u"paginas")) return;
  EstadoFormato& e = EstadoActual();
  e.NumerarPaginas = MinusculasAZ(l.Token(2)) == u"imprime";
  if (e.NumerarPaginas) ColocaNumeroPagina(e.PaginaActual, 0, 0, 10, QStringLiteral("Arial"));
}

void ComandoTerminaImpresion(const LineaFormato& l) {
  if (!EsPalabra(l, u"terminaimpresion")) return;
  EstadoFormato& e = EstadoActual();
  if (!PreviaPaginas()) {
    if (e.ModoTexto) {
      // No job is open: the lines of the next one follow on.
      NuevaPaginaImpresora();
    } else {
      TerminaTrabajo();
      ComienzaTrabajo();
    }
  }
  e.Renglon = 0;
  ++e.PaginaActual;
}

void ComandoReset(const LineaFormato& l) {
  if (!EsPalabra(l, u"reset") || PreviaPaginas()) return;
  try {
    NuevaPaginaImpresora();
  } catch (const plat::Error&) {
  }
  CalculaUnidades();
  EstadoActual().Renglon = 0;
}

void ComandoCambiaImpresora(const LineaFormato& l) {
  if (!EsPalabra(l, u"cambiaimpresora") || PreviaPaginas()) return;
  EstadoFormato& e = EstadoActual();
  if (!e.ModoTexto) TerminaTrabajo();
  // A printer that cannot be chosen leaves the one there was, and the run
  // goes on printing there.
  if (!l.Token(2).isEmpty()) {
    try {
      ImpresoraPaginas().FijaIndice(IndiceImpresora(l.Token(2)));
    } catch (const plat::Error&) {
    }
  }
  if (!e.ModoTexto) ComienzaTrabajo();
  CalculaUnidades();
  e.Renglon = 0;
}

void ComandoDireccion(const LineaFormato& l) {
  // The printer refuses the change while a job is open: nothing happens then.
  try {
    ImpresoraPaginas().FijaOrientacion(l.Token(2) == u"horizontal" ? print::Orientacion::Horizontal
                                                           : print::Orientacion::Vertical);
  } catch (const plat::Error&) {
  }
}

void PapelLegal() {
  if (!ImpresoraPaginas().Imprimiendo()) ImpresoraPaginas().FijaPapel(print::Papel::Oficio);
}

void ComandoPapelLegal(const LineaFormato&) { PapelLegal(); }
