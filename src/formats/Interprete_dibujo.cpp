// Commands that draw: cuadro (a box, filled and labelled when it has a
// colour), redondo (a box with rounded corners), lna (a line or a rule),
// logo and bitmap (a picture stretched into a rectangle).
//
// In print runs they draw on the printer canvas; in preview runs each one is
// a record of the preview page file, on the page it is drawn on, and boxes
// of "cuadro" and lines also get their line in tempo\remoto.tmp.

#include "formats/Interprete_estado.h"
#include "formats/PaginaPrevia.h"
#include "platform/Error.h"
#include "platform/db/Dataset.h"
#include "platform/fs/Rutas.h"
#include "platform/print/Colores.h"
#include "platform/print/Impresora.h"

#include <QRect>

namespace {

print::Lienzo& Lienzo() { return print::Impresora::Global().lienzo(); }

bool Previa() { return EstadoActual().Modo == u'p'; }

// The corners of a box or line, tokens 2 to 5: columns are numbers, rows a
// number or the value of a variable or a text variable.
struct Esquinas {
  double x1, y1, x2, y2;
};

Esquinas LeeEsquinas(const LineaFormato& l) {
  const auto renglon = [](const QString& token) { return NumeroArgumento(ValorNumericoElemento(token)); };
  return {NumeroArgumento(l.Token(2)), renglon(l.Token(3)), NumeroArgumento(l.Token(4)), renglon(l.Token(5))};
}

// The pen width of a record: the width given, or the pen of 1 every drawing
// leaves when none is.
QString GrosorTexto(const QString& grosor) {
  return grosor.isEmpty() ? QStringLiteral("1") : QString::number(EnteroArgumento(grosor));
}

// After every drawing the canvas has a pen of 1 and a white brush again.
void PlumaYBrochaIniciales() {
  Lienzo().pluma().grosor = 1;
  Lienzo().brocha().color = Qt::white;
}

// A box or line of a preview run, on the page it is drawn on.
void ElementoPrevio(int tipo, double x1, double y1, double x2, double y2, const QString& grosor,
                    const QString& color, const QString& texto, bool remoto) {
  const int izquierda = Trunca(x1);
  AgregaElementoPagina(izquierda, tipo, EstadoActual().PaginaActual, y1, TextoNumero(x2), TextoNumero(y2), grosor,
                       color);
  if (remoto) RegistraElementoRemoto(izquierda, y1, tipo, TextoNumero(x2), TextoNumero(y2), grosor, color, texto);
}

// The picture of `archivo` stretched into the rectangle of the corners, in
// device units (columns and rows in preview runs, where it is a record).
void DibujaLogo(double x1, double y1, double x2, double y2, const QString& archivo) {
  if (Previa()) {
    ColocaTexto(Trunca(x1), archivo, TextoEntero(x2), Trunca(y1), kElementoImagen, TextoEntero(y2), u'e');
    return;
  }
  if (!fs::ExisteArchivo(archivo)) return;
  const int dx1 = Trunca(x1), dy1 = Trunca(y1);
  Lienzo().EstiraImagen(QRect(dx1, dy1, Trunca(x2) - dx1, Trunca(y2) - dy1), fs::Local(archivo));
}

}  // namespace

void DibujaMarco(int x1, int y1, int x2, int y2) {
  print::Lienzo& lienzo = Lienzo();
  lienzo.MueveA(x1, y1);
  lienzo.LineaA(x2, y1);
  lienzo.LineaA(x2, y2);
  lienzo.LineaA(x1, y2);
  lienzo.LineaA(x1, y1);
}

void ComandoCuadro(const LineaFormato& l) {
  const auto [x1, y1, x2, y2] = LeeEsquinas(l);
  const QString& grosor = l.Token(6);
  const QString& color = l.Token(7);
  const QString& texto = l.Token(8);
  if (Previa()) {
    ElementoPrevio(kElementoCuadro, x1, y1, x2, y2, GrosorTexto(grosor), color, texto, true);
    return;
  }
  // Every argument is read before the canvas changes, so a bad one leaves
  // the pen and brush as they were.
  const int pluma = grosor.isEmpty() ? Lienzo().pluma().grosor : EnteroArgumento(grosor);
  const QColor brocha = color.isEmpty() ? QColor(Qt::white) : print::ColorDeTexto(color);
  const int dx1 = ColumnaDispositivo(x1), dy1 = RenglonAbsoluto(y1);
  const int dx2 = ColumnaDispositivo(x2), dy2 = RenglonAbsoluto(y2);
  print::Lienzo& lienzo = Lienzo();
  lienzo.pluma().grosor = pluma;
  lienzo.brocha().color = brocha;
  if (!color.isEmpty()) {
    // Filled with the colour; the label on the same colour at its corner.
    lienzo.Rectangulo(dx1, dy1, dx2, dy2);
    if (!texto.isEmpty()) lienzo.Texto(dx1, dy1, texto);
  }
  DibujaMarco(dx1, dy1, dx2, dy2);
  PlumaYBrochaIniciales();
}

void ComandoRedondo(const LineaFormato& l) {
  const auto [x1, y1, x2, y2] = LeeEsquinas(l);
  const double anchoEsquina = NumeroArgumento(l.Token(6));
  const double altoEsquina = NumeroArgumento(l.Token(7));
  const QString& grosor = l.Token(8);
  if (Previa()) {
    // The preview draws the outline in the pen; the corners are not kept.
    ElementoPrevio(kElementoCuadro, x1, y1, x2, y2, GrosorTexto(grosor), QString(), QString(), false);
    return;
  }
  const EstadoFormato& e = EstadoActual();
  const int pluma = grosor.isEmpty() ? Lienzo().pluma().grosor : EnteroArgumento(grosor);
  const int dx1 = ColumnaDispositivo(x1), dy1 = RenglonAbsoluto(y1);
  const int dx2 = ColumnaDispositivo(x2), dy2 = RenglonAbsoluto(y2);
  const int ancho = Trunca(anchoEsquina * e.UnidadHorizontal), alto = Trunca(altoEsquina * e.UnidadVertical);
  Lienzo().pluma().grosor = pluma;
  Lienzo().RectanguloRedondeado(dx1, dy1, dx2, dy2, ancho, alto);
  Lienzo().pluma().grosor = 1;
}

void ComandoLinea(const LineaFormato& l) {
  const EstadoFormato& e = EstadoActual();
  const auto [x1, y1, x2, y2] = LeeEsquinas(l);
  const QString& grosor = l.Token(6);
  const QString& color = l.Token(7);
  if (Previa()) {
    ElementoPrevio(kElementoLinea, x1, y1 + l.renglon, x2, y2 + l.renglon, GrosorTexto(grosor), color, QString(),
                   true);
    return;
  }
  const int pluma = grosor.isEmpty() ? Lienzo().pluma().grosor : EnteroArgumento(grosor);
  const QColor brocha = color.isEmpty() ? QColor(Qt::white) : print::ColorDeTexto(color);
  const auto fila = [&](double y) { return Trunca(y * e.UnidadVertical + e.UnidadVertical * l.renglon); };
  const int dx1 = ColumnaDispositivo(x1), dy1 = fila(y1);
  const int dx2 = ColumnaDispositivo(x2), dy2 = fila(y2);
  Lienzo().pluma().grosor = pluma;
  Lienzo().brocha().color = brocha;
  DibujaMarco(dx1, dy1, dx2, dy2);
  PlumaYBrochaIniciales();
}

void ComandoLogo(const LineaFormato& l) {
  if (!EsPalabra(l, u"logo")) return;
  const EstadoFormato& e = EstadoActual();
  DibujaLogo(NumeroArgumento(l.Token(2)) * e.UnidadHorizontal, NumeroArgumento(l.Token(3)) * e.UnidadVertical,
             NumeroArgumento(l.Token(4)) * e.UnidadHorizontal, NumeroArgumento(l.Token(5)) * e.UnidadVertical,
             l.Token(6));
}

void ComandoBitmap(const LineaFormato& l) {
  if (!EsPalabra(l, u"bitmap")) return;
  const EstadoFormato& e = EstadoActual();
  // "<folder>\numero" is the picture of this document: <folder>\<its file
  // name>.bmp.
  QString archivo = l.Token(6);
  if (fs::NombreArchivo(archivo) == u"numero") {
    archivo.chop(6);
    if (!e.EncabezadoDatos) {
      throw plat::Error(plat::Clase::NoExiste, QStringLiteral("El formato no tiene datos de encabezado"));
    }
    const QString documento = e.EncabezadoDatos->FieldByName(QStringLiteral("CLDOC_F")).AsString();
    archivo += NombreArchivoDocumento(documento) + QStringLiteral(".bmp");
  }
  DibujaLogo(NumeroArgumento(l.Token(2)) * e.UnidadHorizontal,
             (NumeroArgumento(l.Token(3)) + l.renglon) * e.UnidadVertical,
             NumeroArgumento(l.Token(4)) * e.UnidadHorizontal,
             (NumeroArgumento(l.Token(5)) + l.renglon) * e.UnidadVertical, archivo);
}
