// Where the texts of a format go: the printer canvas, the text-mode lines
// or the preview page file; the side record tempo\formato.txt, the comment
// overlay tempo\comentar.tmp, and the choice of a printer by a format.

#include "formats/CarpetaFormato.h"
#include "formats/Interprete_estado.h"
#include "formats/PaginaPrevia.h"
#include "foundation/rutinas.h"
#include "platform/Error.h"
#include "platform/fs/CadenaCorta.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/print/Impresora.h"
#include "platform/print/Impresoras.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// comentar.tmp: records of 380 bytes.
constexpr int kTamanoComentario = 380;

print::Lienzo& LienzoSalida() { return print::Impresora::Global().lienzo(); }

// The pieces of a text longer than MaximoTexto (at least one character each).
QStringList Trozos(const QString& texto, int maximo) {
  QStringList trozos;
  const int largo = std::max(1, maximo);
  for (qsizetype i = 0; i < texto.size(); i += largo) trozos << texto.mid(i, largo);
  return trozos;
}

void AgregaTextoPrevia(double x, double y, const QString& texto, const QString& extra, int tamano,
                       const QString& fuente) {
  const EstadoFormato& e = EstadoActual();
  TElementoPagina r;
  r.X = x;
  r.Y = y;
  r.Texto = texto;
  r.Tipo = tamano;
  r.Fuente = fuente;
  r.Color = e.NombreColor;
  r.Extra = extra;
  r.NumeroPagina = e.PaginaActual;
  AgregaRegistroPagina(r);
}

// Text mode: the text is appended to the line of its row, counted from the
// first line of the current page.
void AgregaTextoLinea(int yy, const QString& texto) {
  EstadoFormato& e = EstadoActual();
  const int r = e.InicioPaginaTexto + Trunca(yy / e.UnidadVertical);
  if (r < 0) throw plat::Error(plat::Clase::Conversion, QStringLiteral("El renglón %1 está fuera de la hoja").arg(r));
  if (e.ListaTexto.size() < r + 1) {
    while (e.ListaTexto.size() < r + 2) e.ListaTexto << QString();
  }
  e.ListaTexto[r] += texto;
}

// A page number placed by ColocaNumeroPagina: its total waits for the end
// of the print job.
struct NumeroDePagina {
  int numero;
  int margen;
};

void Coloca(int x, const QString& texto, const QString& extra, double y, int tamano, const QString& fuente,
            QChar contexto, const NumeroDePagina* numero) {
  EstadoFormato& e = EstadoActual();
  int yy = Trunca(y);
  const int fila = Trunca(e.UnidadVertical);
  if (e.ModoTexto) AgregaTextoLinea(yy, texto);

  // A run continued with "saltar(fin)" counts a page when the text falls
  // past the page.
  if (Trunca(e.Desplazamiento / e.UnidadVertical) > 0 &&
      Trunca((e.Desplazamiento + yy) / e.UnidadVertical) > e.LineasPorPagina - 2) {
    ++e.PaginaActual;
  }
  e.UltimaY = yy;
  yy += e.Desplazamiento;

  if (e.Modo == u'p') {
    if (texto.size() > e.MaximoTexto) {
      int renglon = yy;
      for (const QString& trozo : Trozos(texto, e.MaximoTexto)) {
        AgregaTextoPrevia(x, renglon, trozo, extra, tamano, fuente);
        ++e.Renglon;
        renglon += fila;
        if (Trunca((e.Desplazamiento + renglon) / e.UnidadVertical) > e.LineasPorPagina) {
          ++e.PaginaActual;
          renglon = 1;
          e.Renglon = 1;
        }
      }
    } else {
      AgregaTextoPrevia(x, y, texto, extra, tamano, fuente);
    }
    e.TotalPaginas = e.PaginaActual;
    return;
  }

  // Print mode (text mode too: with no job open the canvas leaves no mark).
  if (texto.size() > e.MaximoTexto) {
    // A long text goes one row per piece, the first one row below y.
    for (const QString& trozo : Trozos(texto, e.MaximoTexto)) {
      LienzoSalida().Texto(x, yy + fila, trozo);
      RegistraTextoImpreso(e.PaginaActual, x, yy + fila, trozo, extra, fuente, tamano);
      ++e.Renglon;
      yy += fila;
      if (e.Renglon >= e.LineasPorPagina - 1 && contexto == u'e') {
        yy = 1;
        e.Renglon = 0;
        SaltoPaginaEncabezado();
      }
    }
  } else if (numero && !e.ModoTexto && e.AnchoJustificado <= 0 && print::Impresora::Global().Imprimiendo()) {
    NumeroPaginaAlTerminar(numero->numero, yy, numero->margen, true, tamano, fuente);
  } else {
    if (e.AnchoJustificado > 0) {
      TextoJustificado(x, yy, e.AnchoJustificado, texto);
    } else {
      LienzoSalida().Texto(x, yy, texto);
    }
    RegistraTextoImpreso(e.PaginaActual, x, yy + fila, texto, extra, fuente, tamano);
  }
  if (e.Renglon >= e.LineasPorPagina - 1 && contexto == u'e') {
    e.Renglon = 0;
    SaltoPaginaEncabezado();
  }
}

}  // namespace

void ColocaTexto(int x, const QString& texto, const QString& extra, double y, int tamano, const QString& fuente,
                 QChar contexto) {
  Coloca(x, texto, extra, y, tamano, fuente, contexto, nullptr);
}

void ColocaNumeroPagina(int numero, int margen, double y, int tamano, const QString& fuente) {
  const QString texto = TextoNumeroPagina(numero, EstadoActual().TotalPaginas);
  print::Impresora& impresora = print::Impresora::Global();
  const int x = impresora.AnchoPagina() - impresora.lienzo().AnchoTexto(texto) - margen;
  const NumeroDePagina pendiente{numero, margen};
  Coloca(x, texto, QString(), y, tamano, fuente, u'e', &pendiente);
}

void ColocaTextoAjustado(int x, const QString& texto, const QString& extra, double y, int tamano,
                         const QString& fuente, int ancho) {
  EstadoFormato& e = EstadoActual();
  int yy = Trunca(y);
  const bool desborda = Trunca(e.Desplazamiento / e.UnidadVertical) > 0 &&
                        Trunca((e.Desplazamiento + yy) / e.UnidadVertical) > e.LineasPorPagina;
  if (desborda) ++e.PaginaActual;
  e.UltimaY = yy;
  if (desborda && e.Modo != u'p') {
    // The text starts the new page at its top, and the texts after it move
    // up by as much.
    if (e.PausaActiva) EsperaPausa(e.UnidadesPausa);
    NuevaPaginaImpresora();
    e.Desplazamiento = 1 - e.UltimaY;
  }
  yy += e.Desplazamiento;
  const QString corto = ancho > 0 ? texto.left(ancho) : QString();
  if (e.Modo == u'p') {
    AgregaTextoPrevia(x, yy, corto, extra, tamano, fuente);
  } else {
    LienzoSalida().Texto(x, yy, corto);
    RegistraTextoImpreso(e.PaginaActual, x, yy + Trunca(e.UnidadVertical), corto, extra, fuente, tamano);
  }
}

void TextoJustificado(int x, int y, int columna, const QString& texto) {
  const QStringList palabras = texto.split(u' ', Qt::SkipEmptyParts);
  if (palabras.isEmpty()) return;
  print::Lienzo& lienzo = LienzoSalida();
  const int derecha = Trunca(EstadoActual().UnidadHorizontal * columna);
  const int holgura = derecha - x - lienzo.AnchoTexto(palabras.join(u' '));
  const int hueco = static_cast<int>(std::lround(holgura / static_cast<double>(palabras.size() + 2)));
  int px = x;
  for (qsizetype i = 0; i + 1 < palabras.size(); ++i) {
    lienzo.Texto(px, y, palabras[i]);
    px += lienzo.AnchoTexto(palabras[i]) + hueco;
  }
  // The last word ends at the column.
  lienzo.Texto(derecha - lienzo.AnchoTexto(palabras.last()), y, palabras.last());
}

void RegistraTextoImpreso(int pagina, int x, int y, const QString& texto, const QString& extra,
                          const QString& fuente, int tamano) {
  const QString linea = QStringLiteral("%1,%2,%3,%4,%5,%6,%7")
                            .arg(pagina)
                            .arg(x)
                            .arg(y)
                            .arg(tamano)
                            .arg(fuente, extra, texto);
  try {
    fs::AgregaLinea(RutaTrabajoFormato(QStringLiteral("tempo\\formato.txt")), linea);
  } catch (const plat::Error&) {
    // A side record only: printing goes on without it.
  }
}

void ImprimeComentarios() {
  const QString ruta = RutaTrabajoFormato(QStringLiteral("tempo\\comentar.tmp"));
  if (!fs::ExisteArchivo(ruta)) return;
  const QByteArray bytes = fs::LeeBytes(ruta);
  const EstadoFormato& e = EstadoActual();
  // Whole records only: a torn last record is no comment.
  for (qsizetype i = 0; i + kTamanoComentario <= bytes.size(); i += kTamanoComentario) {
    const QByteArrayView r(bytes.constData() + i, kTamanoComentario);
    const auto entero = [&](int posicion) { return qFromLittleEndian<qint32>(r.data() + posicion); };
    ColocaTexto(Trunca(e.UnidadHorizontal) * entero(0), fs::LeeCadenaCorta(r, 8, 252), fs::LeeCadenaCorta(r, 324, 56),
                Trunca(e.UnidadVertical) * static_cast<double>(entero(4)), entero(260), fs::LeeCadenaCorta(r, 264, 60),
                u'e');
  }
}

void ImprimeModoTexto(const QStringList& lineas) { print::Impresora::Global().ImprimeTexto(lineas); }

int IndiceImpresora(const QString& texto) {
  QString nombre = texto;
  if (texto.toLower() == u"sistema") {
    // The printer of configuration line 81, always taken as a name.
    QString linea;
    LeeLineaConfig(81, linea);
    nombre = linea.toLower();
  } else {
    bool numero = false;
    const int indice = texto.toInt(&numero);
    if (numero) return indice;
  }
  if (nombre.toLower() == u"texto") return 1000;
  return std::max(0, print::BuscaImpresora(nombre));
}

void EsperaPausa(int unidades) {
  // A busy wait, as long as a slow printer needs: the program does nothing
  // else meanwhile.
  for (int i = 0; i <= unidades; ++i) {
    volatile int paso = 0;
    while (paso < 1000001) paso = paso + 1;
  }
}
