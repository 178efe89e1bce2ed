#include "platform/ui/PuertaModal.h"

#include "platform/ui/Aplicacion.h"
#include "platform/ui/Forma.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include <deque>
#include <utility>

namespace ui {
namespace {

struct Estado {
  bool prueba = false;
  std::deque<std::pair<QString, Guion>> guiones;
  QStringList mensajes;
  QStringList sinRespuesta;
};

Estado& Gate() {
  static Estado estado;
  return estado;
}

// Takes the first script queued for the class, if any.
bool TomaGuion(const QString& clase, Guion& guion) {
  auto& cola = Gate().guiones;
  for (auto it = cola.begin(); it != cola.end(); ++it) {
    if (it->first == clase) {
      guion = std::move(it->second);
      cola.erase(it);
      return true;
    }
  }
  return false;
}

}  // namespace

namespace PuertaModal {

namespace {

// The window active when a modal run begins gets the keyboard back when it
// ends, with the box that had the focus: the window system alone may give
// it to another window, or to none.
class DevuelveActivacion {
 public:
  explicit DevuelveActivacion(const QWidget& modal) : modal_(modal), anterior_(QApplication::activeWindow()) {}
  ~DevuelveActivacion() {
    if (!anterior_ || anterior_ == &modal_ || !anterior_->isVisible()) return;
    anterior_->activateWindow();
    QApplication::setActiveWindow(anterior_);
  }
  DevuelveActivacion(const DevuelveActivacion&) = delete;
  DevuelveActivacion& operator=(const DevuelveActivacion&) = delete;

 private:
  const QWidget& modal_;
  QPointer<QWidget> anterior_;
};

}  // namespace

void ModoPrueba(bool activo) { Gate().prueba = activo; }
bool EnPrueba() { return Gate().prueba; }

void Espera(const QString& clase, Guion guion) { Gate().guiones.emplace_back(clase, std::move(guion)); }
int Pendientes() { return static_cast<int>(Gate().guiones.size()); }

void RegistraMensaje(const QString& texto) { Gate().mensajes << texto; }
const QStringList& Mensajes() { return Gate().mensajes; }
void LimpiaMensajes() { Gate().mensajes.clear(); }
const QStringList& SinRespuesta() { return Gate().sinRespuesta; }

void Reinicia() {
  Gate().guiones.clear();
  Gate().mensajes.clear();
  Gate().sinRespuesta.clear();
}

int EjecutaDialogo(QDialog& dialogo, const QString& clase) {
  const DevuelveActivacion devuelve(dialogo);
  if (!EnPrueba()) return dialogo.exec();
  Guion guion;
  dialogo.setResult(0);
  dialogo.show();
  if (TomaGuion(clase, guion)) {
    Protege([&] { guion(dialogo); });
  } else {
    Gate().sinRespuesta << clase;
  }
  dialogo.hide();
  return dialogo.result();
}

}  // namespace PuertaModal

int EjecutaModal(Forma& forma) {
  forma.modalResult_ = mrNone;
  forma.enModal_ = true;
  const PuertaModal::DevuelveActivacion devuelve(forma);
  if (!PuertaModal::EnPrueba()) {
    forma.setModal(true);
    const int r = forma.exec();
    forma.enModal_ = false;
    if (forma.modalResult_ == mrNone) forma.modalResult_ = r == QDialog::Accepted ? mrOk : mrCancel;
    return forma.modalResult_;
  }

  const QString clase = QString::fromLatin1(forma.metaObject()->className());
  forma.show();
  QApplication::setActiveWindow(&forma);
  forma.DisparaActivacion();
  Guion guion;
  if (TomaGuion(clase, guion)) {
    Protege([&] { guion(forma); });
  } else if (!forma.CierreAutomaticoEnPrueba()) {
    Gate().sinRespuesta << clase;
  }
  // A window the script left open is closed as by its close box.
  if (forma.isVisible() && forma.enModal_) {
    forma.Close();
    if (forma.isVisible()) {
      // FormCloseQuery refused: a real user would be stuck here; end the run.
      forma.hide();
    }
  }
  forma.enModal_ = false;
  if (forma.modalResult_ == mrNone) forma.modalResult_ = mrCancel;
  return forma.modalResult_;
}

void MensajeSimple(const QString& texto) {
  PuertaModal::RegistraMensaje(texto);
  if (PuertaModal::EnPrueba()) return;
  QMessageBox caja(QMessageBox::NoIcon, QApplication::applicationDisplayName(), texto, QMessageBox::Ok);
  const PuertaModal::DevuelveActivacion devuelve(caja);
  caja.exec();
}

bool PreguntaSimple(const QString& texto) {
  PuertaModal::RegistraMensaje(texto);
  QMessageBox caja(QMessageBox::Question, QApplication::applicationDisplayName(), texto, QMessageBox::Yes | QMessageBox::No);
  caja.button(QMessageBox::Yes)->setText(QStringLiteral("&Sí"));
  caja.button(QMessageBox::No)->setText(QStringLiteral("&No"));
  caja.setDefaultButton(QMessageBox::No);
  return PuertaModal::EjecutaDialogo(caja, QStringLiteral("MessageDlg")) == QMessageBox::Yes;
}

}  // namespace ui
