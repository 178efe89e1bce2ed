#pragma once
// Serial ports over termios, with what the system's port component expects of
// a Windows port: open by name ("COM3"), line settings, an event wait that
// another thread can wake, read, write, purge, modem lines and the escape
// functions (DTR, RTS, break).
//
// Port names. An absolute path ("/dev/ttyUSB0") is taken as it is. Any other
// name ("COM3", "com3:", "\\.\COM3") is looked up, without regard to case, in
// the port map: the environment variable VORLAN_PUERTOS ("COM3=/dev/ttyUSB0;
// COM4=/dev/ttyACM0") and then the file puertos.map of the program folder (one
// "COM3=/dev/ttyUSB0" a line). A name the map lacks follows the rule
// COMn -> /dev/ttyS(n-1); anything else does not exist.
//
// Events and flags carry the Windows values, so the component's masks read as
// the system wrote them. The event wait is level-triggered for received
// characters: it reports EvRxChar while bytes wait in the input queue, so the
// caller reads them before waiting again. Modem-line changes, breaks and line
// errors are found by sampling the driver every 50 ms while the device has
// modem lines; a pseudo-terminal has none, and its wait then sleeps until
// data or the wake-up arrives.
//
// One thread may wait while another reads, writes or changes settings.

#include <QByteArray>
#include <QString>
#include <atomic>
#include <cstdint>

namespace serial {

// Events of the wait mask (the Windows EV_ values).
enum Evento : uint32_t {
  EvRxChar = 0x0001,  // a character arrived
  EvCts = 0x0008,     // CTS changed
  EvDsr = 0x0010,     // DSR changed
  EvRlsd = 0x0020,    // carrier (RLSD) changed
  EvBreak = 0x0040,   // a break arrived
  EvErr = 0x0080,     // line error (framing, overrun, parity), or the device hung up
  EvRing = 0x0100,    // ring indicator changed
};

// Modem status bits (the Windows MS_ values).
enum Modem : uint32_t { MsCtsOn = 0x10, MsDsrOn = 0x20, MsRingOn = 0x40, MsRlsdOn = 0x80 };

// Line error bits reported by LimpiaErrores (the Windows CE_ values).
enum ErrorLinea : uint32_t { CeRxOver = 0x01, CeOverrun = 0x02, CeRxParity = 0x04, CeFrame = 0x08, CeBreak = 0x10 };

// Purge flags (the Windows PURGE_ values).
enum Purga : uint32_t { PurgeTxAbort = 0x1, PurgeRxAbort = 0x2, PurgeTxClear = 0x4, PurgeRxClear = 0x8 };

// Escape functions (the Windows values).
enum class Escape { SetRts = 3, ClrRts = 4, SetDtr = 5, ClrDtr = 6, SetBreak = 8, ClrBreak = 9 };

// Parity and stop bits numbered as the Windows codes.
enum class Paridad { Ninguna = 0, Impar = 1, Par = 2, Marca = 3, Espacio = 4 };
enum class Parada { Uno = 0, UnoYMedio = 1, Dos = 2 };
enum class Flujo { Ninguno, RtsCts, XonXoff };

struct Ajustes {
  int baudios = 9600;
  int bitsDatos = 8;  // 5 to 8
  Paridad paridad = Paridad::Ninguna;
  // One and a half stop bits exist only with 5 data bits; Linux asks for two
  // and the UART makes one and a half of them.
  Parada parada = Parada::Uno;
  Flujo flujo = Flujo::Ninguno;
  // Binary mode: bytes pass untouched (no line editing, no echo, no
  // translation of CR and LF). Always on for a port opened here.
  bool binario = true;
};

// What LimpiaErrores reports: the line errors since the last call and the
// bytes waiting in each queue.
struct EstadoColas {
  uint32_t errores = 0;
  int enEntrada = 0;
  int enSalida = 0;
};

// A manually reset event that the wait watches: once signalled it stays so
// until Rearma, so every wait returns at once meanwhile.
class Senal {
 public:
  Senal();
  ~Senal();
  Senal(const Senal&) = delete;
  Senal& operator=(const Senal&) = delete;

  void Activa();
  void Rearma();
  bool Activada() const;
  int Descriptor() const { return fd_; }

 private:
  int fd_ = -1;
};

// What a wait ended with.
struct Espera {
  bool despertada = false;  // the Senal was signalled; no events are reported
  uint32_t eventos = 0;     // events of the mask that occurred
  uint32_t modem = 0;       // modem status read when the events were found
};

// The device a port name stands for (see the top of this file); empty when
// the name stands for none.
QString Dispositivo(const QString& nombre);

class Puerto {
 public:
  Puerto() = default;
  ~Puerto();
  Puerto(const Puerto&) = delete;
  Puerto& operator=(const Puerto&) = delete;

  // Opens the port for reading and writing, for this process alone. Throws
  // plat::Error whose message is the system's own text for the failure
  // ("No such file or directory"), so callers can quote it.
  void Abre(const QString& nombre);
  bool Abierto() const { return fd_ >= 0; }
  void Cierra();

  Ajustes LeeAjustes() const;
  // Applies the settings; throws plat::Error for a speed, size or stop-bit
  // count the system does not have, or when the device refuses them.
  void FijaAjustes(const Ajustes& ajustes);
  // The sizes of the input and output queues. Linux keeps its own buffers
  // for a tty, so the sizes are only kept and read back.
  void FijaColas(int entrada, int salida);
  int ColaEntrada() const { return colaEntrada_; }
  int ColaSalida() const { return colaSalida_; }

  void FijaMascara(uint32_t mascara);
  uint32_t Mascara() const;
  // Waits, without a time limit, until an event of the mask occurs or
  // `parada` is signalled.
  Espera EsperaEvento(const Senal& parada);

  // Bytes waiting in the input queue.
  int EnEspera() const;
  // Reads up to `maximo` bytes that are waiting; never blocks.
  QByteArray Lee(int maximo);
  // Hands every byte to the driver before returning; throws plat::Error when
  // the device fails or takes none for 5 seconds (flow control held off).
  void Escribe(const QByteArray& bytes);
  void Purga(uint32_t banderas);
  // Line errors since the last call, and the queue counts.
  EstadoColas LimpiaErrores();
  // Current modem status (MsCtsOn ...); 0 for a device without modem lines.
  uint32_t EstadoModem() const;
  // Runs an escape function; false when the device has no modem lines (a
  // pseudo-terminal). Throws plat::Error on other failures.
  bool Ejecuta(Escape funcion);

 private:
  struct Muestra;
  Muestra Toma() const;

  int fd_ = -1;
  QString nombre_;
  int colaEntrada_ = 4096;
  int colaSalida_ = 4096;
  // Set by the owner's thread, read by the waiting one.
  std::atomic<uint32_t> mascara_{0};
  bool conLineas_ = false;   // the device answers the modem-line requests
  bool conContador_ = false; // the device keeps error and change counters
  bool colgado_ = false;     // the device hung up; only the wake-up is awaited
  struct Contadores {
    int cts = 0, dsr = 0, rng = 0, dcd = 0, frame = 0, overrun = 0, parity = 0, brk = 0, bufOverrun = 0;
  };
  // Each side keeps what it last saw, so the waiting thread and the caller
  // of LimpiaErrores share nothing but the device.
  Contadores vistoEspera_;
  Contadores vistoErrores_;
  uint32_t lineasVistas_ = 0;
};

// The events of `mascara` that a change of modem status from `antes` to
// `ahora` stands for.
uint32_t EventosDeModem(uint32_t antes, uint32_t ahora, uint32_t mascara);

}  // namespace serial
