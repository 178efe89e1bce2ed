#pragma once
// A pseudo-terminal pair for serial-port tests: the port under test opens
// the slave (Esclavo()), the test plays the device at the master end.

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

namespace prueba {

class ParPty {
 public:
  ParPty() {
    maestro_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (maestro_ >= 0 && ::grantpt(maestro_) == 0 && ::unlockpt(maestro_) == 0) {
      esclavo_ = QString::fromLocal8Bit(::ptsname(maestro_));
      ::fcntl(maestro_, F_SETFL, ::fcntl(maestro_, F_GETFL) | O_NONBLOCK);
    }
  }
  ~ParPty() { Cierra(); }
  ParPty(const ParPty&) = delete;
  ParPty& operator=(const ParPty&) = delete;

  bool Valido() const { return maestro_ >= 0 && !esclavo_.isEmpty(); }
  const QString& Esclavo() const { return esclavo_; }
  int Maestro() const { return maestro_; }

  // The device sends bytes.
  void Escribe(const QByteArray& bytes) {
    qsizetype hecho = 0;
    while (hecho < bytes.size()) {
      const ssize_t n = ::write(maestro_, bytes.constData() + hecho, static_cast<size_t>(bytes.size() - hecho));
      if (n > 0) hecho += n;
      else if (errno != EINTR && errno != EAGAIN) return;
    }
  }

  // What reached the device: waits up to `ms` until `cuantos` bytes arrived.
  QByteArray Lee(int cuantos, int ms = 2000) {
    QByteArray leido;
    QElapsedTimer reloj;
    reloj.start();
    while (leido.size() < cuantos && reloj.elapsed() < ms) {
      pollfd p{maestro_, POLLIN, 0};
      if (::poll(&p, 1, 20) <= 0) continue;
      char bloque[256];
      const ssize_t n = ::read(maestro_, bloque, sizeof bloque);
      if (n > 0) leido.append(bloque, n);
    }
    return leido;
  }

  // The device goes away.
  void Cierra() {
    if (maestro_ >= 0) ::close(maestro_);
    maestro_ = -1;
  }

 private:
  int maestro_ = -1;
  QString esclavo_;
};

}  // namespace prueba
