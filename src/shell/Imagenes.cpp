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
