#include "platform/ui/Aplicacion.h"

#include "platform/Error.h"
#include "platform/ui/PuertaModal.h"
#include "platform/ui/RejillaTexto.h"

#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ui {

namespace {
quint64 gUltimaEntrega = 0;
quint64 gEntregaActual = 0;
QObject* gReceptorActual = nullptr;

// Marks the key press delivered while it lives; a nested delivery (a key
// typed in a dialog the handler opened) gets its own number.
class EntregaDeTecla {
 public:
  EntregaDeTecla(bool esTecla, QObject* receptor)
      : anterior_(gEntregaActual), receptorAnterior_(gReceptorActual), activa_(esTecla) {
    if (!activa_) return;
    gEntregaActual = ++gUltimaEntrega;
    gReceptorActual = receptor;
  }
  ~EntregaDeTecla() {
    if (!activa_) return;
    gEntregaActual = anterior_;
    gReceptorActual = receptorAnterior_;
  }

 private:
  quint64 anterior_;
  QObject* receptorAnterior_;
  bool activa_;
};
}  // namespace

quint64 Aplicacion::EntregaTecla() { return gEntregaActual; }

QObject* Aplicacion::ReceptorTecla() { return gReceptorActual; }

Aplicacion::Aplicacion(int& argc, char** argv) : QApplication(argc, argv) {
  // Month and day names of Qt's own widgets in Spanish; number and date
  // formats of the system never come from the locale.
  QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Mexico));
  // The texts of Qt's own dialogs (file dialogs, standard buttons) in
  // Spanish; without the translation they stay in English, which is said
  // once on the error output.
  auto* traduccion = new QTranslator(this);
  const QString carpeta = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (traduccion->load(QStringLiteral("qtbase_es"), carpeta)) installTranslator(traduccion);
  else qWarning("No se encontró la traducción qtbase_es en %s", qPrintable(carpeta));
}

bool Aplicacion::notify(QObject* receptor, QEvent* evento) {
  EntregaDeTecla entrega(evento->type() == QEvent::KeyPress, receptor);
  try {
    // The program's key hook: Enter and Down in a string grid are Tab, before
    // anyone (key preview included) sees them. Keys, not characters: "(" is
    // typed as it is.
    if (evento->type() == QEvent::KeyPress || evento->type() == QEvent::KeyRelease) {
      auto* tecla = static_cast<QKeyEvent*>(evento);
      if (RejillaTexto::TeclaComoTab(receptor, tecla->key())) {
        const bool atras = tecla->modifiers() & Qt::ShiftModifier;
        QKeyEvent tab(tecla->type(), atras ? Qt::Key_Backtab : Qt::Key_Tab, tecla->modifiers(), QStringLiteral("\t"),
                      tecla->isAutoRepeat(), tecla->count());
        const bool hecho = QApplication::notify(receptor, &tab);
        evento->setAccepted(tab.isAccepted());
        return hecho;
      }
    }
    return QApplication::notify(receptor, evento);
  } catch (const std::exception& e) {
    MuestraExcepcion(e);
  }
  return false;
}

void MuestraExcepcion(const std::exception& e) {
  MensajeSimple(plat::TextoError(e));
}

void Protege(const std::function<void()>& fn) {
  try {
    fn();
  } catch (const std::exception& e) {
    MuestraExcepcion(e);
  }
}

}  // namespace ui
