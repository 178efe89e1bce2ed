#include "platform/ui/Forma.h"

#include "platform/ui/Aplicacion.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/PuertaModal.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVariant>

#include <algorithm>

namespace ui {

namespace {

// A window larger than the screen it opens on is made to fit it, so no part
// of it opens out of reach (MantenEnPantalla then places it within).
void CabeEnPantalla(QDialog& ventana) {
  if (ventana.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) return;
  const QScreen* pantalla = ventana.parentWidget() ? ventana.parentWidget()->screen() : ventana.screen();
  if (!pantalla) return;
  // Room for the frame the window system adds around it.
  const QStyle* estilo = ventana.style();
  const int marco =
      estilo->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * estilo->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
  const QSize cabe = pantalla->availableGeometry().size() - QSize(marco, marco);
  ventana.ensurePolished();  // its boxes' sizes are known once they are polished
  if (QLayout* capa = ventana.layout()) {
    capa->activate();
    if (ventana.minimumWidth() > cabe.width() || ventana.minimumHeight() > cabe.height()) {
      // Its boxes ask for more than the screen holds: they share what there is.
      capa->setSizeConstraint(QLayout::SetNoConstraint);
      ventana.setMinimumSize(ventana.minimumSize().boundedTo(cabe));
    }
  }
  const QSize pedido = ventana.testAttribute(Qt::WA_Resized) ? ventana.size() : ventana.sizeHint();
  if (pedido.width() > cabe.width() || pedido.height() > cabe.height()) ventana.resize(pedido.boundedTo(cabe));
}

// A shown window that grew past the screen's edge (its boxes asked for more
// room once filled) comes back within the screen.
void MantenEnPantalla(QWidget& ventana) {
  if (ventana.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) return;
  const QScreen* pantalla = ventana.screen();
  if (!pantalla) return;
  const QRect cabe = pantalla->availableGeometry();
  if (cabe.contains(ventana.frameGeometry())) return;
  const QSize marco = ventana.frameGeometry().size() - ventana.size();
  ventana.resize(ventana.size().boundedTo(cabe.size() - marco));
  const QRect ahora = ventana.frameGeometry();
  ventana.move(std::clamp(ahora.x(), cabe.left(), std::max(cabe.left(), cabe.right() + 1 - ahora.width())),
               std::clamp(ahora.y(), cabe.top(), std::max(cabe.top(), cabe.bottom() + 1 - ahora.height())));
}

}  // namespace

int Tag(const QObject* objeto) { return objeto ? objeto->property("Tag").toInt() : 0; }

void SetTag(QObject* objeto, int valor) {
  if (objeto) objeto->setProperty("Tag", valor);
}

Forma::Forma(QWidget* owner) : QDialog(owner) { SetTag(0); }

Forma::~Forma() {
  if (keyPreview_ && qApp) qApp->removeEventFilter(this);
}

void Forma::Show() {
  show();
  raise();
  activateWindow();
}

int Forma::ShowModal() { return EjecutaModal(*this); }

bool Forma::PreguntaCierre() {
  bool puede = true;
  FormCloseQuery(puede);
  return puede;
}

void Forma::Close() {
  if (cerrando_) return;
  if (!PreguntaCierre()) return;
  cerrando_ = true;
  FormClose();
  if (enModal_) {
    if (modalResult_ == mrNone) modalResult_ = mrCancel;
    QDialog::done(modalResult_);
  } else {
    hide();
  }
  cerrando_ = false;
}

void Forma::SetModalResult(int resultado) {
  modalResult_ = resultado;
  if (resultado != mrNone && enModal_) Close();
}

void Forma::SetKeyPreview(bool activo) {
  if (activo == keyPreview_) return;
  keyPreview_ = activo;
  if (activo) qApp->installEventFilter(this);
  else qApp->removeEventFilter(this);
}

void Forma::DisparaActivacion() {
  if (activa_) return;
  activa_ = true;
  Protege([this] { FormActivate(); });
}

void Forma::showEvent(QShowEvent* evento) {
  QDialog::showEvent(evento);
  if (!evento->spontaneous()) Protege([this] { FormShow(); });
  if (isWindow()) MantenEnPantalla(*this);
}

void Forma::closeEvent(QCloseEvent* evento) {
  // The close box: the same path as Close(), which ends a modal run itself.
  if (cerrando_) {
    evento->accept();
    return;
  }
  evento->ignore();
  Protege([this] { Close(); });
}

void Forma::reject() {
  // Esc does not close a window by itself; a button marked "Cancel" answers it.
  const auto botones = findChildren<QAbstractButton*>();
  for (QAbstractButton* b : botones) {
    if (b->property("Cancel").toBool() && b->isVisible() && b->isEnabled()) {
      b->click();
      return;
    }
  }
}

bool Forma::PasaTecla(QKeyEvent* evento) {
  bool consumida = false;
  Protege([&] {
    int tecla = evento->key();
    FormKeyDown(tecla, evento->modifiers());
    if (tecla == 0) {
      consumida = true;
      return;
    }
    if (keyPreview_ && mueveFoco_) {
      if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter || tecla == Qt::Key_Down) focusNextPrevChild(true);
      else if (tecla == Qt::Key_Up) focusNextPrevChild(false);
    }
    const QString texto = evento->text();
    if (texto.size() == 1) {
      QChar c = texto[0];
      FormKeyPress(c);
      if (c.isNull()) consumida = true;
    }
  });
  return consumida;
}

void Forma::setVisible(bool visible) {
  if (visible) {
    // Only a button the window made default answers Enter from other boxes.
    const auto botones = findChildren<QPushButton*>();
    for (QPushButton* b : botones) {
      if (!b->isDefault()) b->setAutoDefault(false);
    }
    if (isWindow() && !isVisible()) CabeEnPantalla(*this);
  }
  QDialog::setVisible(visible);
}


void Forma::keyPressEvent(QKeyEvent* evento) {
  if (!keyPreview_ && PasaTecla(evento)) return;
  if (evento->key() == Qt::Key_Escape) {
    reject();
    return;
  }
  if ((evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter) && evento->modifiers() == Qt::NoModifier) {
    if (auto* boton = qobject_cast<QPushButton*>(QApplication::focusWidget());
        boton && boton->window() == this && boton->isVisible() && boton->isEnabled() && !boton->isDefault()) {
      boton->click();
      return;
    }
  }
  QDialog::keyPressEvent(evento);
}

bool Forma::PrimerReceptor(QWidget* w) {
  // The same press travels up to the parents of a widget that ignores it and
  // must be seen once, even when the handler moved the focus meanwhile.
  if (const quint64 entrega = Aplicacion::EntregaTecla(); entrega != 0) {
    if (entrega == teclaVista_) return false;
    teclaVista_ = entrega;
    return true;
  }
  // Outside the program's application object: the focus widget is the first,
  // and a key reaching the window from one of its boxes was seen there.
  QWidget* foco = QApplication::focusWidget();
  if (w == this) return !(foco && foco != this && isAncestorOf(foco));
  return foco ? w == foco : true;
}

bool Forma::eventFilter(QObject* objeto, QEvent* evento) {
  // A key a component's handler changed is delivered again: seen once.
  if (keyPreview_ && evento->type() == QEvent::KeyPress && !Eventos::Reenviando()) {
    auto* w = qobject_cast<QWidget*>(objeto);
    if (w && w != this && isAncestorOf(w) && w->window() == this && PrimerReceptor(w)) {
      if (PasaTecla(static_cast<QKeyEvent*>(evento))) return true;
    }
  }
  return QDialog::eventFilter(objeto, evento);
}

bool Forma::event(QEvent* evento) {
  switch (evento->type()) {
    case QEvent::Resize:
      if (isWindow() && isVisible()) MantenEnPantalla(*this);
      break;
    case QEvent::WindowActivate:
      DisparaActivacion();
      break;
    case QEvent::WindowDeactivate:
      if (activa_) {
        activa_ = false;
        Protege([this] { FormDeactivate(); });
      }
      break;
    case QEvent::KeyPress: {
      // A key sent to the window itself while it has key preview. A key a
      // child ignored (Enter in a box) travels up to here too: the preview
      // already saw it, also when a component's handler changed it and it
      // is being delivered again.
      if (keyPreview_ && !Eventos::Reenviando() && PrimerReceptor(this) &&
          PasaTecla(static_cast<QKeyEvent*>(evento)))
        return true;
      break;
    }
    default:
      break;
  }
  return QDialog::event(evento);
}

}  // namespace ui
