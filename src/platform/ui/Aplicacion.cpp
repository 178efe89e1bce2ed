#include "platform/ui/Aplicacion.h"

#include "platform/Error.h"
#include "platform/ui/PuertaModal.h"

#include <QLocale>

namespace ui {

Aplicacion::Aplicacion(int& argc, char** argv) : QApplication(argc, argv) {
  // Month and day names of Qt's own widgets in Spanish; number and date
  // formats of the system never come from the locale.
  QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Mexico));
}

bool Aplicacion::notify(QObject* receptor, QEvent* evento) {
  try {
    return QApplication::notify(receptor, evento);
  } catch (const std::exception& e) {
    MuestraExcepcion(e);
  }
  return false;
}

void MuestraExcepcion(const std::exception& e) {
  if (const auto* error = dynamic_cast<const plat::Error*>(&e)) {
    MensajeSimple(error->mensaje());
  } else {
    MensajeSimple(QString::fromUtf8(e.what()));
  }
}

void Protege(const std::function<void()>& fn) {
  try {
    fn();
  } catch (const std::exception& e) {
    MuestraExcepcion(e);
  }
}

}  // namespace ui
