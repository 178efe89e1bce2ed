#include "inventory/RecorridoProductos.h"

#include "inventory/RegistroProducto.h"
#include "platform/db/Tabla.h"
#include "reports/Progreso.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

namespace {

// The Tag "Terminar" gives the progress window.
constexpr int kTagTerminar = 2000;

// Drops the user's input meant for any window but the progress window.
class SoloProgreso : public QObject {
 public:
  explicit SoloProgreso(const QWidget* ventana) : ventana_(ventana) {}

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override {
    switch (evento->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::Shortcut:
      case QEvent::ShortcutOverride:
      case QEvent::Wheel:
      case QEvent::ContextMenu:
      case QEvent::TouchBegin:
      case QEvent::TouchUpdate:
      case QEvent::TouchEnd: {
        const auto* w = qobject_cast<const QWidget*>(objeto);
        return w && w->window() != ventana_;
      }
      default:
        return false;
    }
  }

 private:
  const QWidget* ventana_;
};

}  // namespace

std::unique_ptr<db::Tabla> AbreProductos(bool soloLectura, const QString& tag, const QString& filtro) {
  auto t = std::make_unique<db::Tabla>();
  ApuntaTabla(*t, kTablaProductos);
  t->SetReadOnly(soloLectura);
  if (!filtro.isEmpty()) {
    t->SetFilter(filtro);
    t->SetFiltered(true);
  }
  t->Open();
  if (!tag.isEmpty()) t->SetIndexName(tag);
  return t;
}

AvanceInventario::AvanceInventario(Entrada entrada) : entrada_(entrada) {
  ventana_ = FormaProgreso();
  if (!ventana_) {
    propia_ = std::make_unique<TFormaProgreso>();
    ventana_ = propia_.get();
  }
  titulo_ = ventana_->windowTitle();
  ventana_->SetTag(0);
  ventana_->BitBtn1->setEnabled(entrada == Entrada::ConParo);
  ventana_->Mensaje2->clear();
  ventana_->Mensaje2->show();
  ventana_->FijaAvance(0);
  ventana_->Show();
  if (entrada != Entrada::Diferida) filtro_ = std::make_unique<SoloProgreso>(ventana_);
}

AvanceInventario::~AvanceInventario() {
  ventana_->Mensaje2->hide();
  ventana_->BitBtn1->setEnabled(true);
  ventana_->setWindowTitle(titulo_);
  ventana_->Close();
}

void AvanceInventario::Pasa() {
  if (!filtro_) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return;
  }
  // The filter stands only while the events pass: a window the walk itself
  // shows modally in between takes its input as any other.
  QCoreApplication::instance()->installEventFilter(filtro_.get());
  QCoreApplication::processEvents();
  QCoreApplication::instance()->removeEventFilter(filtro_.get());
}

bool AvanceInventario::Parado() const { return ventana_->Tag() == kTagTerminar; }
