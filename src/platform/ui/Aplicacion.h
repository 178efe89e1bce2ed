#pragma once
// The application object and the default error handler: an exception that
// escapes an event handler is shown as a plain message through the modal gate
// and the program goes on. It also holds the program's key hook: Enter and
// Down pressed in a string grid act as Tab (ui::RejillaTexto).

#include <QApplication>
#include <exception>
#include <functional>
#include <type_traits>

namespace ui {

class Aplicacion : public QApplication {
  Q_OBJECT
 public:
  Aplicacion(int& argc, char** argv);
  bool notify(QObject* receptor, QEvent* evento) override;

  // The number of the key press being delivered (0 outside one). A key that a
  // widget ignores travels up to its parents as the same delivery, so a
  // window's key preview can tell one press from the next even when its
  // handler moved the focus in between.
  static quint64 EntregaTecla();
  // The widget the key press being delivered was sent to (null outside
  // one): its first receiver, which keeps the key even when a handler moved
  // the focus before the key reached it.
  static QObject* ReceptorTecla();
};

// Shows an exception's message through the gate (the default handler).
void MuestraExcepcion(const std::exception& e);

// Runs fn; an exception is shown by the default handler instead of escaping.
void Protege(const std::function<void()>& fn);

// Connects a signal to a handler wrapped in Protege, so an exception inside a
// handler never crosses Qt's signal machinery.
template <class Emisor, class Senal, class Funcion>
QMetaObject::Connection Conecta(Emisor* emisor, Senal senal, QObject* contexto, Funcion fn) {
  return QObject::connect(emisor, senal, contexto, [fn](auto&&... args) {
    Protege([&] {
      if constexpr (std::is_invocable_v<Funcion, decltype(args)...>) fn(std::forward<decltype(args)>(args)...);
      else fn();
    });
  });
}

}  // namespace ui
