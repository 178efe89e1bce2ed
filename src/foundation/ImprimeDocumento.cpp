#include "foundation/ImprimeDocumento.h"

#include "platform/print/Impresora.h"

#include <QImage>
#include <QPainter>
#include <QTextDocument>

#include <algorithm>
#include <memory>

// Each page is drawn as a picture into the printable area.
void ImprimeDocumento(const QTextDocument& original, const QString& titulo) {
  print::Impresora& impresora = print::Impresora::Global();
  const int ppp = impresora.Resolucion();
  const int margen = ppp / 2;
  const QRect area(margen, margen, impresora.AnchoPagina() - 2 * margen, impresora.AltoPagina() - 2 * margen);

  // Laid out at 96 units per inch and drawn at twice that.
  constexpr double kUnidades = 96.0;
  constexpr double kNitidez = 2.0;
  std::unique_ptr<QTextDocument> documento(original.clone());
  const QSizeF pagina(area.width() * kUnidades / ppp, area.height() * kUnidades / ppp);
  documento->setPageSize(pagina);
  const int paginas = documento->pageCount();

  impresora.Comienza(titulo);
  try {
    for (int i = 0; i < paginas; ++i) {
      if (i > 0) impresora.NuevaPagina();
      QImage imagen((pagina * kNitidez).toSize(), QImage::Format_RGB32);
      imagen.fill(Qt::white);
      QPainter pintor(&imagen);
      pintor.scale(kNitidez, kNitidez);
      pintor.translate(0, -i * pagina.height());
      documento->drawContents(&pintor, QRectF(QPointF(0, i * pagina.height()), pagina));
      pintor.end();
      impresora.lienzo().DibujaImagen(area, imagen);
    }
    impresora.Termina();
  } catch (...) {
    impresora.Aborta();
    throw;
  }
}

void ImprimeVentana(const QImage& imagen, QSize tamano, int ppp, const QString& titulo) {
  print::Impresora& impresora = print::Impresora::Global();
  const double escala = std::min({double(impresora.Resolucion()) / ppp, double(impresora.AnchoPagina()) / tamano.width(),
                                  double(impresora.AltoPagina()) / tamano.height()});
  impresora.Comienza(titulo);
  try {
    impresora.lienzo().DibujaImagen(QRect(0, 0, int(tamano.width() * escala), int(tamano.height() * escala)), imagen);
    impresora.Termina();
  } catch (...) {
    impresora.Aborta();
    throw;
  }
}
