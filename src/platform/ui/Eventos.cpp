#include "platform/ui/Eventos.h"

#include "platform/ui/Aplicacion.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace ui {
namespace {

int reenvios = 0;

const char* const kNombre = "ui_eventos";

}  // namespace

Eventos& Eventos::De(QWidget* componente) {
  if (auto* e = componente->findChild<Eventos*>(QLatin1String(kNombre), Qt::FindDirectChildrenOnly)) return *e;
  return *new Eventos(componente);
}

Eventos::Eventos(QWidget* componente) : QObject(componente), componente_(componente) {
  setObjectName(QLatin1String(kNombre));
  componente->installEventFilter(this);
  componente->setMouseTracking(true);
  dentro_ = Contiene(QApplication::focusWidget());
  connect(qApp, &QApplication::focusChanged, this, &Eventos::FocoCambiado);
}

bool Eventos::Reenviando() { return reenvios > 0; }

bool Eventos::Contiene(const QWidget* w) const {
  // Parents, not isAncestorOf: a combo's list is a window of its own.
  for (; w; w = w->parentWidget())
    if (w == componente_) return true;
  return false;
}

void Eventos::FocoCambiado(QWidget*, QWidget* ahora) {
  // A handler told of this change before us may have moved the focus on
  // again: what counts is where it stands now, or a box that has it would
  // be told it lost it.
  if (ahora)
    if (QWidget* actual = QApplication::focusWidget()) ahora = actual;
  // Only moves inside the component's window count: a message box or another
  // window taking the focus for a while is no Exit, and getting it back no
  // Enter (a combo's list, a window of its own, counts as inside).
  if (!ahora || (ahora->window() != componente_->window() && !Contiene(ahora))) return;
  const bool dentro = Contiene(ahora);
  if (dentro == dentro_) return;
  dentro_ = dentro;
  Protege([&] {
    if (dentro) emit Enter();
    else emit Exit();
  });
}

void Eventos::Reenvia(QObject* destino, QKeyEvent* original, int tecla, const QString& texto) {
  QKeyEvent nuevo(original->type(), tecla, original->modifiers(), texto, original->isAutoRepeat(), original->count());
  ++reenvios;
  QCoreApplication::sendEvent(destino, &nuevo);
  --reenvios;
}

namespace {

// The text a key gives when a handler turns one key into another.
QString TextoDeTecla(int tecla) {
  switch (tecla) {
    case Qt::Key_Tab: return QStringLiteral("\t");
    case Qt::Key_Return:
    case Qt::Key_Enter: return QStringLiteral("\r");
    case Qt::Key_Escape: return QString(QChar(27));
    default: break;
  }
  if (tecla >= Qt::Key_Space && tecla <= Qt::Key_AsciiTilde) return QString(QChar(tecla));
  return {};
}

// The object is the first receiver of the key event being delivered.
bool EsPrimerReceptor(const QObject* objeto, QEvent::Type tipo) {
  if (tipo == QEvent::KeyPress && Aplicacion::EntregaTecla() != 0) return objeto == Aplicacion::ReceptorTecla();
  return objeto == QApplication::focusWidget();
}

}  // namespace

bool Eventos::Tecla(QObject* destino, QKeyEvent* evento) {
  if (Reenviando()) return false;
  const int original = evento->key();
  int tecla = original;
  if (evento->type() == QEvent::KeyRelease) {
    Protege([&] { emit KeyUp(tecla, evento->modifiers()); });
    if (tecla == 0) return true;
    if (tecla != original) {
      Reenvia(destino, evento, tecla, TextoDeTecla(tecla));
      return true;
    }
    return false;
  }
  Protege([&] { emit KeyDown(tecla, evento->modifiers()); });
  if (tecla == 0) return true;
  if (tecla != original) {
    Reenvia(destino, evento, tecla, TextoDeTecla(tecla));
    return true;
  }
  const QString texto = evento->text();
  if (texto.size() != 1 || !texto[0].isPrint()) return false;
  QChar c = texto[0];
  Protege([&] { emit KeyPress(c); });
  if (c.isNull()) return true;
  if (c != texto[0]) {
    Reenvia(destino, evento, tecla, QString(c));
    return true;
  }
  return false;
}

bool Eventos::eventFilter(QObject* objeto, QEvent* evento) {
  switch (evento->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      // Only at the first receiver: an ignored key travels on to the parents.
      // A press keeps its receiver when the window's key preview moved the
      // focus on the way (Enter in a box still reaches the box's handler).
      if (!teclasPropias_ && EsPrimerReceptor(objeto, evento->type()))
        return Tecla(objeto, static_cast<QKeyEvent*>(evento));
      break;
    case QEvent::Enter:  // the mouse comes over it
    case QEvent::MouseMove:
      Protege([&] { emit MouseMove(); });
      break;
    case QEvent::MouseButtonPress: {
      auto* raton = static_cast<QMouseEvent*>(evento);
      const QPoint donde = componente_->mapFromGlobal(raton->globalPosition().toPoint());
      Protege([&] { emit MouseDown(raton->button(), donde); });
      break;
    }
    case QEvent::MouseButtonDblClick:
      Protege([&] { emit DblClick(); });
      break;
    default:
      break;
  }
  return QObject::eventFilter(objeto, evento);
}

}  // namespace ui
