// The system's launcher: posix_spawn in a new session, and a pidfd to learn
// of the program's end without a SIGCHLD handler of our own.

#include "platform/Error.h"
#include "platform/process/Procesos.h"

#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace proc {
namespace {

int AbrePidfd(pid_t pid) {
#ifdef SYS_pidfd_open
  return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
#else
  (void)pid;
  errno = ENOSYS;
  return -1;
#endif
}

class ProcesoSistema : public Proceso {
 public:
  explicit ProcesoSistema(pid_t pid) : pid_(pid), pidfd_(AbrePidfd(pid)) {
    if (pidfd_ >= 0) {
      auto* aviso = new QSocketNotifier(pidfd_, QSocketNotifier::Read, this);
      connect(aviso, &QSocketNotifier::activated, this, [this, aviso] {
        aviso->setEnabled(false);
        Recoge();
      });
    } else {
      // Without pidfd the end is noticed by looking now and then.
      auto* reloj = new QTimer(this);
      connect(reloj, &QTimer::timeout, this, [this, reloj] {
        if (Recoge()) reloj->stop();
      });
      reloj->start(250);
    }
  }

  ~ProcesoSistema() override {
    if (pidfd_ >= 0) ::close(pidfd_);
  }

  bool Termino() const override { return const_cast<ProcesoSistema*>(this)->Recoge(); }
  int CodigoSalida() const override { return codigo_; }

  void PideCierre() override {
    if (!Termino()) ::kill(pid_, SIGTERM);
  }

 private:
  // Reaps the program when it has ended; true once it has.
  bool Recoge() {
    if (terminado_) return true;
    int estado = 0;
    const pid_t r = ::waitpid(pid_, &estado, WNOHANG);
    if (r == 0 || (r < 0 && errno == EINTR)) return false;
    terminado_ = true;
    codigo_ = (r == pid_ && WIFEXITED(estado)) ? WEXITSTATUS(estado) : -1;
    emit Terminado();
    return true;
  }

  pid_t pid_;
  int pidfd_;
  bool terminado_ = false;
  int codigo_ = 0;
};

class LanzadorSistema : public Lanzador {
 public:
  std::unique_ptr<Proceso> Inicia(const Orden& orden) override {
    QString ruta = orden.programa;
    if (!ruta.contains(u'/')) ruta = QStandardPaths::findExecutable(ruta);
    const QFileInfo info(ruta);
    if (ruta.isEmpty() || !info.isFile() || !info.isExecutable()) {
      throw plat::Error(plat::Clase::NoExiste, QStringLiteral("No se encontró el programa %1").arg(orden.programa));
    }

    QList<QByteArray> textos{QFile::encodeName(ruta)};
    for (const QString& a : orden.argumentos) textos << a.toLocal8Bit();
    std::vector<char*> argv;
    for (QByteArray& t : textos) argv.push_back(t.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t acciones;
    posix_spawn_file_actions_init(&acciones);
    const QByteArray carpeta = QFile::encodeName(orden.carpeta);
    if (!orden.carpeta.isEmpty()) posix_spawn_file_actions_addchdir_np(&acciones, carpeta.constData());

    posix_spawnattr_t atributos;
    posix_spawnattr_init(&atributos);
    sigset_t vacio;
    sigemptyset(&vacio);
    sigset_t todas;
    sigfillset(&todas);
    posix_spawnattr_setsigmask(&atributos, &vacio);
    posix_spawnattr_setsigdefault(&atributos, &todas);
    posix_spawnattr_setflags(&atributos, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = 0;
    const int r = ::posix_spawn(&pid, argv[0], &acciones, &atributos, argv.data(), environ);
    posix_spawn_file_actions_destroy(&acciones);
    posix_spawnattr_destroy(&atributos);
    if (r != 0) {
      const plat::Clase clase = r == ENOENT ? plat::Clase::NoExiste : plat::Clase::Io;
      throw plat::Error(clase, QStringLiteral("No se pudo iniciar %1: %2").arg(orden.programa, QString::fromLocal8Bit(std::strerror(r))));
    }
    return std::make_unique<ProcesoSistema>(pid);
  }
};

}  // namespace

std::unique_ptr<Lanzador> NuevoLanzadorDelSistema() { return std::make_unique<LanzadorSistema>(); }

}  // namespace proc
