#include "platform/ui/Componentes.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include <QAbstractButton>
#include <QGuiApplication>
#include <QPainterPath>
#include <QLabel>
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
  // The click is this panel's: a panel holding it does not get one too.
  if (pulsado_) evento->accept();
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

// Watches a handle widget for the presses that move a target with the
// mouse: the handle's window (which first asks the window system to move
// it) or a control inside its parent.
class Arrastre : public QObject {
 public:
  Arrastre(QWidget* asa, QWidget* control, std::function<void()> alSoltar)
      : QObject(asa), control_(control), alSoltar_(std::move(alSoltar)) {}

  bool eventFilter(QObject* objeto, QEvent* evento) override {
    QWidget* objetivo = control_ ? control_ : static_cast<QWidget*>(objeto)->window();
    switch (evento->type()) {
      case QEvent::MouseButtonPress: {
        auto* raton = static_cast<QMouseEvent*>(evento);
        if (raton->button() != Qt::LeftButton) break;
        if (control_) {
          control_->setFocus(Qt::MouseFocusReason);
        } else if (objetivo->windowHandle() && objetivo->windowHandle()->startSystemMove()) {
          return true;
        }
        arrastrando_ = true;
        desfase_ = raton->globalPosition().toPoint() - objetivo->pos();
        return true;
      }
      case QEvent::MouseMove:
        if (arrastrando_) {
          objetivo->move(static_cast<QMouseEvent*>(evento)->globalPosition().toPoint() - desfase_);
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
  QWidget* control_;  // null: the handle's window moves
  std::function<void()> alSoltar_;
  bool arrastrando_ = false;
  QPoint desfase_;
};

}  // namespace

void ArrastraVentana(QWidget* asa) { asa->installEventFilter(new Arrastre(asa, nullptr, {})); }

BarraTitulo CreaBarraTitulo(QWidget* ventana, const QRect& caja, const QString& texto, const QString& nombreBarra,
                            const QString& nombreTitulo, const QString& nombreCierre) {
  BarraTitulo b;
  b.barra = new Panel(ventana);
  b.barra->setObjectName(nombreBarra);
  b.barra->setGeometry(caja);
  b.titulo = new QLabel(texto, b.barra);
  b.titulo->setObjectName(nombreTitulo);
  b.titulo->setAlignment(Qt::AlignCenter);
  b.titulo->setGeometry(b.barra->rect());
  b.cierre = new Panel(b.barra, Panel::Bisel::Hundido);
  b.cierre->setObjectName(nombreCierre);
  b.cierre->SetCaption(QStringLiteral("x"));
  b.cierre->setGeometry(caja.width() - 19, 2, 15, 16);
  ArrastraVentana(b.barra);
  ArrastraVentana(b.titulo);
  return b;
}

void ArrastraControl(QWidget* asa, QWidget* control, std::function<void()> alSoltar) {
  asa->installEventFilter(new Arrastre(asa, control, std::move(alSoltar)));
}

QMenu* MenuNombrado(QMenuBar* barra, const char* nombre, const QString& texto) {
  QMenu* m = barra->addMenu(texto);
  m->setObjectName(QString::fromLatin1(nombre));
  return m;
}

QAction* AccionNombrada(QMenu* menu, const char* nombre, const QString& texto, const QKeySequence& atajo) {
  QAction* a = menu->addAction(texto);
  a->setObjectName(QString::fromLatin1(nombre));
  a->setShortcut(atajo);
  return a;
}

QAction* AccionNombrada(QMenu* menu, const char* nombre, const QString& texto, const char* atajo) {
  return AccionNombrada(menu, nombre, texto, atajo ? QKeySequence(QString::fromLatin1(atajo)) : QKeySequence());
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
