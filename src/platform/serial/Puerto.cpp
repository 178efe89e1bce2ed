#include "platform/serial/Puerto.h"

#include "platform/Error.h"
#include "platform/fs/Mapa.h"
#include "platform/fs/Rutas.h"

#include <QFile>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace serial {
namespace {

// Sampling period of modem lines and driver counters while waiting.
constexpr int kMuestreoMs = 50;
// How long a write may make no progress before it fails.
constexpr int kEscrituraMs = 5000;

// The system's own text for an error code, with the kind callers tell apart.
plat::Error ErrorDelSistema(int codigo) {
  plat::Clase clase = plat::Clase::Io;
  if (codigo == ENOENT || codigo == ENODEV || codigo == ENXIO) clase = plat::Clase::NoExiste;
  else if (codigo == EBUSY || codigo == EACCES || codigo == EWOULDBLOCK) clase = plat::Clase::EnUso;
  return plat::Error(clase, QString::fromLocal8Bit(std::strerror(codigo)));
}

struct Velocidad {
  int baudios;
  speed_t codigo;
};

constexpr Velocidad kVelocidades[] = {
    {50, B50},         {75, B75},         {110, B110},       {134, B134},       {150, B150},
    {200, B200},       {300, B300},       {600, B600},       {1200, B1200},     {1800, B1800},
    {2400, B2400},     {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},
    {57600, B57600},   {115200, B115200}, {230400, B230400}, {460800, B460800}, {500000, B500000},
    {576000, B576000}, {921600, B921600}, {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
    {3500000, B3500000}, {4000000, B4000000}};

bool EsSinLineas(int codigo) { return codigo == ENOTTY || codigo == EINVAL; }

}  // namespace

// ---------------------------------------------------------------------------

Senal::Senal() : fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
  if (fd_ < 0) throw plat::ErrorDeSistema(QStringLiteral("No se pudo crear un evento"), errno);
}

Senal::~Senal() {
  if (fd_ >= 0) ::close(fd_);
}

void Senal::Activa() {
  const uint64_t uno = 1;
  while (::write(fd_, &uno, sizeof uno) < 0 && errno == EINTR) {
  }
}

void Senal::Rearma() {
  uint64_t valor;
  while (::read(fd_, &valor, sizeof valor) > 0 || errno == EINTR) {
  }
}

bool Senal::Activada() const {
  pollfd p{fd_, POLLIN, 0};
  return ::poll(&p, 1, 0) > 0 && (p.revents & POLLIN);
}

// ---------------------------------------------------------------------------

QString Dispositivo(const QString& nombre) {
  QString n = nombre.trimmed();
  if (n.startsWith(u'/')) return n;
  if (n.startsWith(QStringLiteral("\\\\.\\"))) n = n.mid(4);
  while (n.endsWith(u':')) n.chop(1);
  if (n.isEmpty()) return QString();

  const QString archivo = fs::Une(fs::CarpetaDelPrograma(), QStringLiteral("puertos.map"));
  if (const auto mapeado = fs::BuscaEnMapa("VORLAN_PUERTOS", archivo, n)) {
    return mapeado->startsWith(u'/') ? *mapeado : fs::Local(*mapeado);
  }
  static const QRegularExpression com(QStringLiteral("^COM([1-9][0-9]{0,2})$"), QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch m = com.match(n);
  if (m.hasMatch()) return QStringLiteral("/dev/ttyS%1").arg(m.captured(1).toInt() - 1);
  return QString();
}

uint32_t EventosDeModem(uint32_t antes, uint32_t ahora, uint32_t mascara) {
  const uint32_t cambio = antes ^ ahora;
  uint32_t eventos = 0;
  if (cambio & MsCtsOn) eventos |= EvCts;
  if (cambio & MsDsrOn) eventos |= EvDsr;
  if (cambio & MsRingOn) eventos |= EvRing;
  if (cambio & MsRlsdOn) eventos |= EvRlsd;
  return eventos & mascara;
}

// ---------------------------------------------------------------------------

struct Puerto::Muestra {
  uint32_t modem = 0;
  Contadores contadores;
  int enEntrada = 0;
};

Puerto::~Puerto() { Cierra(); }

void Puerto::Abre(const QString& nombre) {
  Cierra();
  const QString ruta = Dispositivo(nombre);
  if (ruta.isEmpty()) throw ErrorDelSistema(ENOENT);

  const int fd = ::open(QFile::encodeName(ruta).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) throw ErrorDelSistema(errno);
  // Not shared: other processes are kept out by the tty's exclusive mode
  // and by a lock that root's opens respect too.
  if (!::isatty(fd)) {
    const int codigo = errno;
    ::close(fd);
    throw ErrorDelSistema(codigo);
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    throw ErrorDelSistema(EBUSY);
  }
  ::ioctl(fd, TIOCEXCL);

  fd_ = fd;
  nombre_ = nombre;
  colgado_ = false;
  int lineas = 0;
  conLineas_ = ::ioctl(fd_, TIOCMGET, &lineas) == 0;
  serial_icounter_struct contador{};
  conContador_ = ::ioctl(fd_, TIOCGICOUNT, &contador) == 0;
  const Muestra inicial = Toma();
  vistoEspera_ = inicial.contadores;
  vistoErrores_ = inicial.contadores;
  lineasVistas_ = inicial.modem;
}

void Puerto::Cierra() {
  if (fd_ < 0) return;
  ::ioctl(fd_, TIOCNXCL);
  ::close(fd_);
  fd_ = -1;
}

Ajustes Puerto::LeeAjustes() const {
  termios t{};
  if (::tcgetattr(fd_, &t) != 0) throw ErrorDelSistema(errno);
  Ajustes a;
  const speed_t codigo = ::cfgetospeed(&t);
  a.baudios = 0;
  for (const Velocidad& v : kVelocidades) {
    if (v.codigo == codigo) a.baudios = v.baudios;
  }
  switch (t.c_cflag & CSIZE) {
    case CS5: a.bitsDatos = 5; break;
    case CS6: a.bitsDatos = 6; break;
    case CS7: a.bitsDatos = 7; break;
    default: a.bitsDatos = 8; break;
  }
  if (!(t.c_cflag & PARENB)) a.paridad = Paridad::Ninguna;
  else if (t.c_cflag & CMSPAR) a.paridad = (t.c_cflag & PARODD) ? Paridad::Marca : Paridad::Espacio;
  else a.paridad = (t.c_cflag & PARODD) ? Paridad::Impar : Paridad::Par;
  if (t.c_cflag & CSTOPB) a.parada = a.bitsDatos == 5 ? Parada::UnoYMedio : Parada::Dos;
  else a.parada = Parada::Uno;
  if (t.c_cflag & CRTSCTS) a.flujo = Flujo::RtsCts;
  // A tty's cooked-mode default has IXON alone; flow control by XON/XOFF
  // means both directions.
  else if ((t.c_iflag & IXON) && (t.c_iflag & IXOFF)) a.flujo = Flujo::XonXoff;
  else a.flujo = Flujo::Ninguno;
  a.binario = !(t.c_lflag & ICANON) && !(t.c_oflag & OPOST);
  return a;
}

void Puerto::FijaAjustes(const Ajustes& a) {
  speed_t velocidad = 0;
  bool hay = false;
  for (const Velocidad& v : kVelocidades) {
    if (v.baudios == a.baudios) {
      velocidad = v.codigo;
      hay = true;
    }
  }
  if (!hay) throw plat::Error(plat::Clase::General, QStringLiteral("Velocidad no admitida: %1").arg(a.baudios));
  tcflag_t tamano = 0;
  switch (a.bitsDatos) {
    case 5: tamano = CS5; break;
    case 6: tamano = CS6; break;
    case 7: tamano = CS7; break;
    case 8: tamano = CS8; break;
    default: throw plat::Error(plat::Clase::General, QStringLiteral("Bits de datos no admitidos: %1").arg(a.bitsDatos));
  }
  if (a.parada == Parada::UnoYMedio && a.bitsDatos != 5) {
    throw plat::Error(plat::Clase::General, QStringLiteral("Uno y medio bits de parada sólo con 5 bits de datos"));
  }

  termios t{};
  if (::tcgetattr(fd_, &t) != 0) throw ErrorDelSistema(errno);
  // Binary mode: no line editing, echo, signals or translations.
  t.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY | INPCK);
  t.c_oflag &= ~OPOST;
  t.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  t.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
  t.c_cflag |= CREAD | CLOCAL | tamano;
  switch (a.paridad) {
    case Paridad::Ninguna: break;
    case Paridad::Impar: t.c_cflag |= PARENB | PARODD; break;
    case Paridad::Par: t.c_cflag |= PARENB; break;
    case Paridad::Marca: t.c_cflag |= PARENB | CMSPAR | PARODD; break;
    case Paridad::Espacio: t.c_cflag |= PARENB | CMSPAR; break;
  }
  if (a.parada != Parada::Uno) t.c_cflag |= CSTOPB;
  if (a.flujo == Flujo::RtsCts) t.c_cflag |= CRTSCTS;
  if (a.flujo == Flujo::XonXoff) t.c_iflag |= IXON | IXOFF;
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;
  ::cfsetispeed(&t, velocidad);
  ::cfsetospeed(&t, velocidad);
  if (::tcsetattr(fd_, TCSANOW, &t) != 0) throw ErrorDelSistema(errno);
}

void Puerto::FijaColas(int entrada, int salida) {
  colaEntrada_ = entrada;
  colaSalida_ = salida;
}

void Puerto::FijaMascara(uint32_t mascara) { mascara_ = mascara; }

uint32_t Puerto::Mascara() const { return mascara_; }

Puerto::Muestra Puerto::Toma() const {
  Muestra m;
  m.enEntrada = EnEspera();
  m.modem = EstadoModem();
  if (conContador_) {
    serial_icounter_struct c{};
    if (::ioctl(fd_, TIOCGICOUNT, &c) == 0) {
      m.contadores = {c.cts, c.dsr, c.rng, c.dcd, c.frame, c.overrun, c.parity, c.brk, c.buf_overrun};
    }
  }
  return m;
}

Espera Puerto::EsperaEvento(const Senal& parada) {
  for (;;) {
    if (parada.Activada()) return Espera{true, 0, 0};
    const uint32_t mascara = mascara_;
    if (!colgado_) {
      const Muestra s = Toma();
      uint32_t eventos = 0;
      if (s.enEntrada > 0) eventos |= EvRxChar;
      if (conLineas_) eventos |= EventosDeModem(lineasVistas_, s.modem, ~0u);
      if (conContador_) {
        const Contadores& a = vistoEspera_;
        const Contadores& b = s.contadores;
        if (b.cts != a.cts) eventos |= EvCts;
        if (b.dsr != a.dsr) eventos |= EvDsr;
        if (b.rng != a.rng) eventos |= EvRing;
        if (b.dcd != a.dcd) eventos |= EvRlsd;
        if (b.brk != a.brk) eventos |= EvBreak;
        if (b.frame != a.frame || b.overrun != a.overrun || b.parity != a.parity || b.bufOverrun != a.bufOverrun) {
          eventos |= EvErr;
        }
      }
      lineasVistas_ = s.modem;
      vistoEspera_ = s.contadores;
      eventos &= mascara;
      if (eventos != 0) return Espera{false, eventos, s.modem};
    }

    pollfd fds[2] = {{parada.Descriptor(), POLLIN, 0}, {fd_, static_cast<short>((mascara & EvRxChar) ? POLLIN : 0), 0}};
    const nfds_t cuantos = colgado_ ? 1 : 2;
    const int espera = (!colgado_ && (conLineas_ || conContador_)) ? kMuestreoMs : -1;
    if (::poll(fds, cuantos, espera) < 0) {
      if (errno == EINTR) continue;
      throw ErrorDelSistema(errno);
    }
    // A device that hung up (a pseudo-terminal's other end closed, a USB
    // adapter pulled out) never answers again: report it once as a line
    // error and from then on wait only for the wake-up.
    if (cuantos == 2 && (fds[1].revents & (POLLHUP | POLLERR | POLLNVAL)) && EnEspera() == 0) {
      colgado_ = true;
      if (mascara & EvErr) return Espera{false, EvErr, lineasVistas_};
    }
  }
}

int Puerto::EnEspera() const {
  int n = 0;
  if (fd_ < 0 || ::ioctl(fd_, FIONREAD, &n) != 0) return 0;
  return n;
}

QByteArray Puerto::Lee(int maximo) {
  QByteArray bytes;
  if (fd_ < 0 || maximo <= 0) return bytes;
  bytes.resize(maximo);
  int leidos = 0;
  while (leidos < maximo) {
    const ssize_t n = ::read(fd_, bytes.data() + leidos, static_cast<size_t>(maximo - leidos));
    if (n > 0) {
      leidos += static_cast<int>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN && errno != EIO) throw ErrorDelSistema(errno);
    break;
  }
  bytes.truncate(leidos);
  return bytes;
}

void Puerto::Escribe(const QByteArray& bytes) {
  const char* p = bytes.constData();
  qsizetype falta = bytes.size();
  while (falta > 0) {
    const ssize_t n = ::write(fd_, p, static_cast<size_t>(falta));
    if (n > 0) {
      p += n;
      falta -= n;
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) throw ErrorDelSistema(errno);
    pollfd s{fd_, POLLOUT, 0};
    const int r = ::poll(&s, 1, kEscrituraMs);
    if (r < 0 && errno != EINTR) throw ErrorDelSistema(errno);
    if (r == 0) throw plat::Error(plat::Clase::Io, QStringLiteral("El puerto %1 no recibió los datos").arg(nombre_));
    if (s.revents & (POLLHUP | POLLERR | POLLNVAL)) throw ErrorDelSistema(EIO);
  }
}

void Puerto::Purga(uint32_t banderas) {
  const bool salida = banderas & (PurgeTxAbort | PurgeTxClear);
  const bool entrada = banderas & (PurgeRxAbort | PurgeRxClear);
  int cola = -1;
  if (salida && entrada) cola = TCIOFLUSH;
  else if (salida) cola = TCOFLUSH;
  else if (entrada) cola = TCIFLUSH;
  if (cola >= 0 && ::tcflush(fd_, cola) != 0) throw ErrorDelSistema(errno);
}

EstadoColas Puerto::LimpiaErrores() {
  EstadoColas estado;
  estado.enEntrada = EnEspera();
  int fuera = 0;
  if (::ioctl(fd_, TIOCOUTQ, &fuera) == 0) estado.enSalida = fuera;
  if (conContador_) {
    const Muestra s = Toma();
    const Contadores& a = vistoErrores_;
    const Contadores& b = s.contadores;
    if (b.frame != a.frame) estado.errores |= CeFrame;
    if (b.overrun != a.overrun) estado.errores |= CeOverrun;
    if (b.parity != a.parity) estado.errores |= CeRxParity;
    if (b.brk != a.brk) estado.errores |= CeBreak;
    if (b.bufOverrun != a.bufOverrun) estado.errores |= CeRxOver;
    vistoErrores_ = b;
  }
  return estado;
}

uint32_t Puerto::EstadoModem() const {
  int lineas = 0;
  if (fd_ < 0 || !conLineas_ || ::ioctl(fd_, TIOCMGET, &lineas) != 0) return 0;
  uint32_t estado = 0;
  if (lineas & TIOCM_CTS) estado |= MsCtsOn;
  if (lineas & TIOCM_DSR) estado |= MsDsrOn;
  if (lineas & TIOCM_RNG) estado |= MsRingOn;
  if (lineas & TIOCM_CAR) estado |= MsRlsdOn;
  return estado;
}

bool Puerto::Ejecuta(Escape funcion) {
  int r = 0;
  int bit = 0;
  switch (funcion) {
    case Escape::SetRts: bit = TIOCM_RTS; r = ::ioctl(fd_, TIOCMBIS, &bit); break;
    case Escape::ClrRts: bit = TIOCM_RTS; r = ::ioctl(fd_, TIOCMBIC, &bit); break;
    case Escape::SetDtr: bit = TIOCM_DTR; r = ::ioctl(fd_, TIOCMBIS, &bit); break;
    case Escape::ClrDtr: bit = TIOCM_DTR; r = ::ioctl(fd_, TIOCMBIC, &bit); break;
    case Escape::SetBreak: r = ::ioctl(fd_, TIOCSBRK); break;
    case Escape::ClrBreak: r = ::ioctl(fd_, TIOCCBRK); break;
  }
  if (r == 0) return true;
  if (EsSinLineas(errno)) return false;
  throw ErrorDelSistema(errno);
}

}  // namespace serial
