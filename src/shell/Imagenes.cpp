#include "shell/Imagenes.h"

#include "shell/Principa.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

QPixmap ImagenLogotipo(QSize tamano) {
  QPixmap pixmap(tamano);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const int lado = qMin(tamano.width(), tamano.height()) - 8;
  const QRectF disco((tamano.width() - lado) / 2.0, (tamano.height() - lado) / 2.0, lado, lado);
  QRadialGradient degradado(disco.center(), lado / 2.0);
  degradado.setColorAt(0, QColor(70, 130, 220));
  degradado.setColorAt(1, QColor(10, 40, 120));
  p.setPen(QPen(QColor(230, 230, 240), 3));
  p.setBrush(degradado);
  p.drawEllipse(disco);

  // The receipt, its lower edge torn.
  const QRectF ticket(disco.center().x() - lado * 0.18, disco.top() + lado * 0.18, lado * 0.36, lado * 0.62);
  const int dientes = 6;
  const qreal paso = ticket.width() / dientes;
  QPainterPath papel;
  papel.moveTo(ticket.topLeft());
  papel.lineTo(ticket.topRight());
  papel.lineTo(ticket.bottomRight());
  for (int i = dientes - 1; i >= 0; --i) {
    papel.lineTo(ticket.left() + paso * i + paso / 2, ticket.bottom() - paso / 2);
    papel.lineTo(ticket.left() + paso * i, ticket.bottom());
  }
  papel.closeSubpath();
  p.setPen(QPen(QColor(60, 60, 60), 1));
  p.setBrush(QColor(250, 250, 245));
  p.drawPath(papel);
  p.setPen(QPen(QColor(120, 120, 120), 2));
  for (int i = 1; i <= 5; ++i) {
    const qreal y = ticket.top() + ticket.height() * i / 7.0;
    p.drawLine(QPointF(ticket.left() + 6, y), QPointF(ticket.right() - (i % 2 ? 6 : 14), y));
  }
  return pixmap;
}

QPixmap ImagenPresentacion(QSize tamano) {
  QPixmap pixmap(tamano);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient fondo(0, 0, 0, tamano.height());
  fondo.setColorAt(0, QColor(20, 60, 160));
  fondo.setColorAt(0.5, QColor(60, 120, 220));
  fondo.setColorAt(1, QColor(10, 30, 100));
  p.fillRect(pixmap.rect(), fondo);

  QFont fuente(QStringLiteral("Arial"));
  fuente.setPixelSize(qMax(12, tamano.height() / 3));
  fuente.setBold(true);
  p.setFont(fuente);
  const QRect texto = pixmap.rect().adjusted(0, tamano.height() / 2, 0, 0);
  p.setPen(Qt::black);
  p.drawText(texto.translated(3, 3), Qt::AlignHCenter | Qt::AlignTop, kTituloProducto);
  p.setPen(Qt::yellow);
  p.drawText(texto, Qt::AlignHCenter | Qt::AlignTop, kTituloProducto);
  return pixmap;
}

namespace {

// A person: head and shoulders, standing on (x, y) with the given width.
void Persona(QPainter& p, qreal x, qreal y, qreal ancho, const QColor& color) {
  p.setBrush(color);
  p.drawEllipse(QRectF(x + ancho * 0.28, y - ancho * 1.25, ancho * 0.44, ancho * 0.44));
  QPainterPath cuerpo;
  cuerpo.moveTo(x, y);
  cuerpo.cubicTo(x, y - ancho * 0.8, x + ancho, y - ancho * 0.8, x + ancho, y);
  cuerpo.closeSubpath();
  p.drawPath(cuerpo);
}

// A thick arrow from (x1, y) to (x2, y).
void Flecha(QPainter& p, qreal x1, qreal x2, qreal y, const QColor& color) {
  const qreal punta = x2 > x1 ? -6 : 6;
  QPainterPath flecha;
  flecha.moveTo(x1, y - 2.5);
  flecha.lineTo(x2 + punta, y - 2.5);
  flecha.lineTo(x2 + punta, y - 6);
  flecha.lineTo(x2, y);
  flecha.lineTo(x2 + punta, y + 6);
  flecha.lineTo(x2 + punta, y + 2.5);
  flecha.lineTo(x1, y + 2.5);
  flecha.closeSubpath();
  p.setBrush(color);
  p.drawPath(flecha);
}

}  // namespace

QPixmap ImagenBarra(const QString& boton, int lado) {
  QPixmap pixmap(lado, lado);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  // Drawn on a 32 by 32 grid.
  p.scale(lado / 32.0, lado / 32.0);
  p.setPen(QPen(QColor(40, 40, 40), 1));
  if (boton == QLatin1String("BotonEmpresa")) {
    p.setBrush(QColor(70, 110, 190));
    p.drawRect(QRectF(7, 8, 18, 21));
    p.setBrush(QColor(250, 230, 120));
    for (int fila = 0; fila < 3; ++fila)
      for (int columna = 0; columna < 3; ++columna) p.drawRect(QRectF(9.5 + columna * 5.5, 11 + fila * 5, 3, 3));
    p.setBrush(QColor(120, 70, 40));
    p.drawRect(QRectF(14, 25, 4, 4));
  } else if (boton == QLatin1String("BotonClientes")) {
    Persona(p, 2, 29, 16, QColor(90, 160, 90));
    Persona(p, 13, 29, 17, QColor(40, 130, 60));
  } else if (boton == QLatin1String("BotonProveedo")) {
    p.setBrush(QColor(230, 140, 40));
    p.drawRect(QRectF(2, 9, 18, 14));
    p.setBrush(QColor(200, 90, 30));
    p.drawPolygon(QPolygonF({QPointF(20, 13), QPointF(26, 13), QPointF(30, 18), QPointF(30, 23), QPointF(20, 23)}));
    p.setBrush(QColor(50, 50, 50));
    for (qreal x : {7.0, 25.0}) p.drawEllipse(QPointF(x, 24), 3.2, 3.2);
  } else if (boton == QLatin1String("BotonVendedor")) {
    Persona(p, 7, 30, 18, QColor(110, 80, 170));
    p.setBrush(QColor(210, 40, 40));
    p.drawPolygon(QPolygonF({QPointF(16, 18), QPointF(17.5, 21), QPointF(16, 28), QPointF(14.5, 21)}));
  } else if (boton == QLatin1String("BotonFactu")) {
    p.setBrush(QColor(60, 150, 160));
    p.drawRoundedRect(QRectF(3, 15, 26, 14), 2, 2);
    p.setBrush(QColor(200, 240, 240));
    p.drawRect(QRectF(6, 18, 12, 4));
    p.setBrush(QColor(250, 250, 245));
    p.drawRect(QRectF(18, 3, 9, 12));
    p.drawLine(QPointF(20, 6.5), QPointF(25, 6.5));
    p.drawLine(QPointF(20, 9.5), QPointF(25, 9.5));
  } else if (boton == QLatin1String("BotonInventa")) {
    p.setBrush(QColor(200, 150, 90));
    p.drawPolygon(QPolygonF({QPointF(4, 11), QPointF(16, 5), QPointF(28, 11), QPointF(16, 17)}));
    p.setBrush(QColor(170, 120, 60));
    p.drawPolygon(QPolygonF({QPointF(4, 11), QPointF(16, 17), QPointF(16, 30), QPointF(4, 24)}));
    p.setBrush(QColor(140, 95, 45));
    p.drawPolygon(QPolygonF({QPointF(28, 11), QPointF(16, 17), QPointF(16, 30), QPointF(28, 24)}));
  } else if (boton == QLatin1String("BotonMovinv")) {
    Flecha(p, 3, 29, 10, QColor(40, 140, 60));
    Flecha(p, 29, 3, 22, QColor(200, 50, 40));
  } else if (boton == QLatin1String("BotonCompra")) {
    p.setBrush(QColor(40, 110, 60));
    p.drawPolygon(QPolygonF({QPointF(8, 9), QPointF(30, 9), QPointF(27, 20), QPointF(10, 20)}));
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.drawPolyline(QPolygonF({QPointF(2, 5), QPointF(6, 5), QPointF(10, 23), QPointF(27, 23)}));
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(QColor(50, 50, 50));
    for (qreal x : {12.0, 25.0}) p.drawEllipse(QPointF(x, 27), 2.5, 2.5);
  } else if (boton == QLatin1String("BotonSalir")) {
    p.setBrush(QColor(150, 90, 50));
    p.drawRect(QRectF(5, 3, 14, 26));
    p.setBrush(QColor(250, 220, 90));
    p.drawEllipse(QPointF(16, 16), 1.3, 1.3);
    Flecha(p, 17, 30, 16, QColor(210, 40, 40));
  } else {
    return {};
  }
  return pixmap;
}
