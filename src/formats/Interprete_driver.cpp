// The run of a format file: the printer line, the page-header block, the
// detail template walked over the detail records, condition blocks, and the
// page breaks.
//
//   impresora,<printer>[,horizontal]   first line, print runs only
//   $ ... $                            page header, run now and on every new page
//   & ... &                            detail template, run once per detail record
//   si(<condition>) ... terminacondicion
//   nuevobloque                        lets a later "$" block replace the header
//   any other line                     one command

#include "formats/CarpetaFormato.h"
#include "formats/CodigosImpresora.h"
#include "formats/Interprete.h"
#include "formats/Interprete_estado.h"
#include "formats/PaginaPrevia.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "platform/Error.h"
#include "platform/db/Dataset.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/print/Impresora.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr int kLargoLinea = 150;
const QString kFinCondicion = QStringLiteral("terminacondicion");

print::Impresora& Impresora() { return print::Impresora::Global(); }

bool Previa() { return EstadoActual().Modo == u'p'; }

// An error of the line is shown and the run goes on with the next line.
void EjecutaConAviso(db::Dataset* datos, const QString& linea, QChar contexto) {
  try {
    EjecutaLineaFormato(datos, linea, EstadoActual().Renglon, CodigoComando(linea), contexto);
  } catch (const std::exception&) {
    MuestraMensaje(QStringLiteral("Error en el Formato Revise su Estructura"));
    MuestraMensaje(QStringLiteral("Linea Afectada ") + linea);
  }
}

// Lines of a condition block: an error ends the run.
void EjecutaSinAviso(db::Dataset* datos, const QString& linea, QChar contexto) {
  EjecutaLineaFormato(datos, linea, EstadoActual().Renglon, CodigoComando(linea), contexto);
}

// Runs recorded lines (page header, detail template) with their condition
// blocks. `inicio` is the detail loop's row count for its page breaks, null
// for the page header.
void EjecutaLineas(const QStringList& lineas, db::Dataset* datos, QChar contexto, bool saltaVacias, int* inicio) {
  EstadoFormato& e = EstadoActual();
  for (qsizetype i = 0; i < lineas.size();) {
    const QString& linea = lineas[i++];
    if (saltaVacias && linea.isEmpty()) continue;
    if (inicio && *inicio >= e.LineasPorPagina) {
      // The row counter starts again before the page header is run, so the
      // header's own rows and jumps put the next detail below it.
      *inicio = 0;
      e.Renglon = 0;
      SaltoPaginaDetalle();
    }
    if (!linea.startsWith(u"si")) {
      EjecutaConAviso(datos, linea, contexto);
      continue;
    }
    const bool cierta = EvaluaCondicion(linea, datos);
    if (cierta) EjecutaSinAviso(datos, linea, contexto);
    while (i < lineas.size()) {
      const QString& interior = lineas[i++];
      if (saltaVacias && interior.isEmpty()) continue;
      if (interior == kFinCondicion) {
        EjecutaConAviso(datos, interior, contexto);
        break;
      }
      if (cierta) EjecutaSinAviso(datos, interior, contexto);
    }
  }
}

void ImprimeDetalle(db::Dataset* detalle) {
  if (!detalle) return;
  EstadoFormato& e = EstadoActual();
  detalle->First();
  int inicio = e.Renglon;
  while (!detalle->Eof()) {
    const QStringList plantilla = e.Plantilla;
    EjecutaLineas(plantilla, detalle, u'd', false, &inicio);
    inicio = e.Renglon;
    detalle->Next();
  }
}

// "<n> de <m> Paginas" at the top right of a new page, m the pages of the
// run when its job ends.
void NumeraPagina() {
  const EstadoFormato& e = EstadoActual();
  if (!e.NumerarPaginas || e.ModoTexto) return;
  NumeroPaginaAlTerminar(e.PaginaActual, 0, 10, false, 0, QString());
}

// The lines of a block after its opening line, up to the next line that
// starts with the marker (dropped); to the end when there is none.
QStringList LeeBloque(const QStringList& lineas, qsizetype& i, QChar marca) {
  QStringList bloque;
  while (i < lineas.size()) {
    const QString linea = lineas[i++].left(kLargoLinea);
    if (linea.startsWith(marca)) break;
    bloque << linea;
  }
  return bloque;
}

// The first line of a print run: "imp..." selects the printer by its second
// item ("texto": text mode) and the orientation by its third. A printer that
// cannot be selected leaves the current one.
void LineaImpresora(const QString& linea) {
  EstadoFormato& e = EstadoActual();
  if (!linea.startsWith(u"imp")) return;
  e.ConLineaImpresora = true;
  QString impresora, orientacion;
  ElementoComa(linea, 2, impresora);
  ElementoComa(linea, 3, orientacion);
  const int indice = IndiceImpresora(impresora);
  if (indice == 1000) {
    e.ListaTexto.clear();
    e.ModoTexto = true;
  } else {
    try {
      Impresora().FijaIndice(indice);
    } catch (const plat::Error&) {
    }
  }
  try {
    Impresora().FijaOrientacion(orientacion == u"horizontal" ? print::Orientacion::Horizontal
                                                            : print::Orientacion::Vertical);
  } catch (const plat::Error&) {
  }
}

void InterpretaFormato(db::Dataset* encabezado, db::Dataset* detalle, const QString& archivo) {
  EstadoFormato& e = EstadoActual();
  e.ModoTexto = false;
  e.ListaTexto.clear();
  e.InicioPaginaTexto = 0;
  e.PausaActiva = false;
  e.Suspendido = false;
  e.PaginaActual = 1;
  e.ConLineaImpresora = false;
  e.TituloTrabajo = fs::NombreArchivo(archivo);
  DescartaNumerosPagina();
  QStringList lineas = fs::LeeLineasCp1252OUtf8(archivo);

  try {
    qsizetype i = 0;
    if (!Previa()) {
      // The first line is the printer line and is not executed. What lies
      // beyond its 150th character is read as the next line.
      const QString primera = lineas.value(0);
      if (primera.size() > kLargoLinea) {
        lineas[0] = primera.mid(kLargoLinea);
      } else {
        i = 1;
      }
      LineaImpresora(primera.left(kLargoLinea));
      if (!e.ModoTexto) Impresora().Comienza(e.TituloTrabajo);
      CalculaUnidades();
      if (e.TotalPaginas < 1) e.TotalPaginas = 1;
    } else {
      e.UnidadVertical = 1;
      e.UnidadHorizontal = 1;
    }

    while (i < lineas.size()) {
      const QString linea = lineas[i++].left(kLargoLinea);
      if (linea.isEmpty()) continue;
      if (linea == u"nuevobloque") e.EncabezadoAbierto = true;
      if (linea.startsWith(u'$')) {
        // A header block while recording is closed: its lines are read as
        // ordinary lines and its closing line is dropped in turn.
        if (!e.EncabezadoAbierto) continue;
        e.Encabezado = LeeBloque(lineas, i, u'$');
        e.EncabezadoAbierto = false;
        ImprimeEncabezadoPagina();
      } else if (linea.startsWith(u'&')) {
        e.Plantilla = LeeBloque(lineas, i, u'&');
        ImprimeDetalle(detalle);
      } else if (linea.startsWith(u"si")) {
        const bool cierta = EvaluaCondicion(linea, encabezado);
        if (cierta) EjecutaSinAviso(encabezado, linea, u'e');
        while (i < lineas.size()) {
          const QString interior = lineas[i++].left(kLargoLinea);
          if (interior.isEmpty()) continue;
          if (interior == kFinCondicion) break;
          if (cierta) EjecutaSinAviso(encabezado, interior, u'e');
        }
      } else {
        EjecutaConAviso(encabezado, linea, u'e');
      }
    }

    if (!Previa() && !e.ModoTexto) {
      ImprimeComentarios();
      ResuelveNumerosPagina();
      Impresora().Termina();
    }
    if (!Previa() && e.ConLineaImpresora) {
      try {
        Impresora().FijaIndice(-1);
      } catch (const plat::Error&) {
      }
    }
    fs::EscribeAtomico(RutaTrabajoFormato(QStringLiteral("tempo\\comentar.tmp")), QByteArray());
    if (e.ModoTexto) {
      const QStringList texto = std::exchange(e.ListaTexto, QStringList());
      ImprimeModoTexto(texto);
    }
  } catch (...) {
    // A run ended by an error leaves no job open and the printer it found.
    DescartaNumerosPagina();
    Impresora().Aborta();
    if (!Previa() && e.ConLineaImpresora) {
      try {
        Impresora().FijaIndice(-1);
      } catch (const plat::Error&) {
      }
    }
    e.ListaTexto.clear();
    throw;
  }
}

}  // namespace

EstadoFormato& EstadoActual() {
  static EstadoFormato estado;
  return estado;
}

void EjecutaFormato(db::Dataset* encabezado, db::Dataset* detalle, const QString& archivo, QChar modo) {
  EstadoFormato& e = EstadoActual();
  if (e.Activo) {
    throw plat::Error(plat::Clase::Estado, QStringLiteral("Ya se está ejecutando otro formato"));
  }
  struct Corrida {
    Corrida() { EstadoActual().Activo = true; }
    ~Corrida() {
      EstadoActual().Activo = false;
      EstadoActual().EnEncabezado = false;
    }
  } corrida;

  CarpetaLocal(CarpetaProgramaFormato);
  fs::CreaCarpeta(RutaTrabajoFormato(QStringLiteral("tempo")));
  fs::BorraArchivo(RutaTrabajoFormato(QStringLiteral("tempo\\formato.txt")));
  e.AnchoJustificado = 0;
  e.RenglonesPagina = 55;
  if (e.TotalPaginas > 1000) e.TotalPaginas = 0;
  e.EncabezadoAbierto = true;
  e.EncabezadoDatos = encabezado;
  e.Desplazamiento = 0;
  e.UltimaY = 0;
  e.LineasPorPagina = 50;
  e.NumerarPaginas = false;
  e.PaginaActual = 1;
  e.Renglon = 0;
  e.MaximoTexto = 100;
  e.Variables.fill(0);
  e.Cadenas.fill(QString());
  QString carpetaFactura;
  LeeLineaConfig(74, carpetaFactura);
  e.CarpetaFacturaElectronica = carpetaFactura;
  e.CodigosImpresora.clear();
  e.Encabezado.clear();
  e.Plantilla.clear();
  e.Modo = modo;
  if (modo == u'p') CreaArchivosPrevia();
  e.Mascara = QStringLiteral("###,###,##0.00");
  e.NombreFuente = QStringLiteral("Arial");
  e.TamanoFuente = 9;
  e.NombreColor = QStringLiteral("negro");

  InterpretaFormato(encabezado, detalle, archivo);

  if (!e.CodigosImpresora.isEmpty()) EnviaCodigosImpresora(e.CodigosImpresora, &ValorVariableFormato);
}

void CalculaUnidadVertical() {
  EstadoFormato& e = EstadoActual();
  const double alto = Impresora().AltoPagina();
  const double unidad = e.RenglonesPagina > 0 ? alto / e.RenglonesPagina : alto / 55.0;
  e.UnidadVertical = std::max(1.0, std::trunc(unidad));
}

void CalculaUnidades() {
  CalculaUnidadVertical();
  EstadoFormato& e = EstadoActual();
  e.UnidadHorizontal = std::max(1.0, std::trunc(Impresora().AnchoPagina() * 0.0125));
}

void NuevaPaginaImpresora() {
  EstadoFormato& e = EstadoActual();
  if (e.ModoTexto) {
    // No job is open: the next page's rows follow the lines already there.
    e.InicioPaginaTexto = static_cast<int>(e.ListaTexto.size());
    return;
  }
  Impresora().NuevaPagina();
}

void SaltoPaginaDetalle() {
  EstadoFormato& e = EstadoActual();
  if (e.EnEncabezado) return;
  if (Previa()) {
    ++e.PaginaActual;
    ImprimeEncabezadoPagina();
    return;
  }
  if (e.PausaActiva) EsperaPausa(e.UnidadesPausa);
  NuevaPaginaImpresora();
  ++e.PaginaActual;
  ImprimeEncabezadoPagina();
  if (e.TotalPaginas < 1) e.TotalPaginas = 1;
  NumeraPagina();
}

void SaltoPaginaEncabezado() {
  EstadoFormato& e = EstadoActual();
  // A page header that fills its page would start a page of its own again
  // and again: its texts break no page.
  if (e.EnEncabezado) return;
  NuevaPaginaImpresora();
  ++e.PaginaActual;
  ImprimeEncabezadoPagina();
  if (e.TotalPaginas < 1) e.TotalPaginas = 1;
  NumeraPagina();
}

void ImprimeEncabezadoPagina() {
  EstadoFormato& e = EstadoActual();
  const bool antes = std::exchange(e.EnEncabezado, true);
  try {
    const QStringList encabezado = e.Encabezado;
    EjecutaLineas(encabezado, e.EncabezadoDatos, u'e', true, nullptr);
  } catch (...) {
    e.EnEncabezado = antes;
    throw;
  }
  e.EnEncabezado = antes;
}
