#include "platform/ui/Componentes.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QPainterPath>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

namespace ui {

Panel::Panel(QWidget* padre, Bisel bisel) : QFrame(padre) {
  switch (bisel) {
    case Bisel::Plano: setFrameStyle(QFrame::NoFrame); break;
    case Bisel::Alzado: setFrameStyle(QFrame::Panel | QFrame::Raised); break;
    case Bisel::Hundido: setFrameStyle(QFrame::Panel | QFrame::Sunken); break;
  }
  setAutoFillBackground(true);
}

void Panel::SetCaption(const QString& texto) {
  caption_ = texto;
  update();
}

void Panel::paintEvent(QPaintEvent* evento) {
  QFrame::paintEvent(evento);
  if (caption_.isEmpty()) return;
  QPainter pintor(this);
  pintor.drawText(contentsRect(), Qt::AlignCenter | Qt::TextShowMnemonic, caption_);
}

void Panel::mousePressEvent(QMouseEvent* evento) {
  pulsado_ = evento->button() == Qt::LeftButton;
  QFrame::mousePressEvent(evento);
}

void Panel::mouseReleaseEvent(QMouseEvent* evento) {
  const bool click = pulsado_ && evento->button() == Qt::LeftButton && rect().contains(evento->position().toPoint());
  pulsado_ = false;
  QFrame::mouseReleaseEvent(evento);
  if (click) emit Click();
}

Figura::Figura(QWidget* padre, QColor relleno, int grosorPluma)
    : QWidget(padre), relleno_(relleno), grosor_(grosorPluma) {}

void Figura::paintEvent(QPaintEvent*) {
  QPainter pintor(this);
  QPen pluma(Qt::black);
  pluma.setWidth(grosor_);
  pluma.setJoinStyle(Qt::MiterJoin);
  pintor.setPen(pluma);
  pintor.setBrush(relleno_);
  // The pen is centred on the outline: keep it inside the bounds.
  const qreal medio = grosor_ / 2.0;
  pintor.drawRect(QRectF(rect()).adjusted(medio, medio, -medio, -medio));
}

namespace {

// Watches one handle widget for the presses that move its window.
class Arrastre : public QObject {
 public:
  explicit Arrastre(QWidget* asa) : QObject(asa) {}

  bool eventFilter(QObject* objeto, QEvent* evento) override {
    auto* asa = static_cast<QWidget*>(objeto);
    QWidget* ventana = asa->window();
    switch (evento->type()) {
      case QEvent::MouseButtonPress: {
        auto* raton = static_cast<QMouseEvent*>(evento);
        if (raton->button() != Qt::LeftButton) break;
        if (ventana->windowHandle() && ventana->windowHandle()->startSystemMove()) return true;
        arrastrando_ = true;
        desfase_ = raton->globalPosition().toPoint() - ventana->pos();
        return true;
      }
      case QEvent::MouseMove:
        if (arrastrando_) {
          ventana->move(static_cast<QMouseEvent*>(evento)->globalPosition().toPoint() - desfase_);
          return true;
        }
        break;
      case QEvent::MouseButtonRelease:
        if (arrastrando_) {
          arrastrando_ = false;
          return true;
        }
        break;
      default:
        break;
    }
    return false;
  }

 private:
  bool arrastrando_ = false;
  QPoint desfase_;
};

// Watches the handle of a control that the mouse moves inside its parent.
class ArrastreControl : public QObject {
 public:
  ArrastreControl(QWidget* asa, QWidget* control, std::function<void()> alSoltar)
      : QObject(asa), control_(control), alSoltar_(std::move(alSoltar)) {}

  bool eventFilter(QObject*, QEvent* evento) override {
    switch (evento->type()) {
      case QEvent::MouseButtonPress: {
        auto* raton = static_cast<QMouseEvent*>(evento);
        if (raton->button() != Qt::LeftButton) break;
        control_->setFocus(Qt::MouseFocusReason);
        arrastrando_ = true;
        desfase_ = raton->globalPosition().toPoint() - control_->pos();
        return true;
      }
      case QEvent::MouseMove:
        if (arrastrando_) {
          control_->move(static_cast<QMouseEvent*>(evento)->globalPosition().toPoint() - desfase_);
          return true;
        }
        break;
      case QEvent::MouseButtonRelease:
        if (arrastrando_) {
          arrastrando_ = false;
          if (alSoltar_) alSoltar_();
          return true;
        }
        break;
      default:
        break;
    }
    return false;
  }

 private:
  QWidget* control_;
  std::function<void()> alSoltar_;
  bool arrastrando_ = false;
  QPoint desfase_;
};

}  // namespace

void ArrastraVentana(QWidget* asa) { asa->installEventFilter(new Arrastre(asa)); }

void ArrastraControl(QWidget* asa, QWidget* control, std::function<void()> alSoltar) {
  asa->installEventFilter(new ArrastreControl(asa, control, std::move(alSoltar)));
}

void CentraEnPantalla(QWidget& ventana) {
  if (const QScreen* pantalla = QGuiApplication::primaryScreen()) {
    ventana.move(pantalla->availableGeometry().center() - QPoint(ventana.width() / 2, ventana.height() / 2));
  }
}

void RedondeaRegion(QWidget& w, int anchoEsquina, int altoEsquina) {
  QPainterPath camino;
  camino.addRoundedRect(QRectF(0, 0, w.width(), w.height()), anchoEsquina / 2.0, altoEsquina / 2.0);
  w.setMask(QRegion(camino.toFillPolygon().toPolygon()));
}

void RegionEliptica(QWidget& ventana, const QRect& caja) {
  QRegion region(caja, QRegion::Ellipse);
  const auto botones = ventana.findChildren<QAbstractButton*>();
  for (const QAbstractButton* b : botones)
    region += QRect(b->mapTo(&ventana, QPoint(0, 0)), b->size());
  ventana.setMask(region);
}

}  // namespace ui
