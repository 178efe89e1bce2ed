#include "foundation/ComPort.h"

#include "platform/fs/Texto.h"
#include "platform/serial/Puerto.h"
#include "platform/ui/Aplicacion.h"

#include <QCoreApplication>
#include <QThread>

// The event thread of one open port. Created on a port name it opens the
// port and prepares it; started by the component, it waits for port events
// and runs each one's step in the main thread, waiting for it to finish.
class TCommThread : public QThread {
 public:
  explicit TCommThread(const QString& nombre) {
    try {
      puerto_.Abre(nombre);
    } catch (const plat::Error& e) {
      error_ = e.mensaje();
      return;
    }
    // Interim settings, replaced by OpenPort's right after; a device that
    // refuses some of them (a pseudo-terminal has no parity) is not an error
    // here, only when OpenPort applies the component's own.
    try {
      serial::Ajustes ajustes = puerto_.LeeAjustes();
      ajustes.baudios = 9600;
      ajustes.bitsDatos = 8;
      ajustes.paridad = serial::Paridad::Par;
      ajustes.parada = serial::Parada::Uno;
      ajustes.binario = true;
      puerto_.FijaAjustes(ajustes);
    } catch (const plat::Error&) {
    }
    puerto_.FijaColas(512, 512);
    puerto_.FijaMascara(serial::EvRxChar | serial::EvCts | serial::EvDsr | serial::EvRlsd | serial::EvErr |
                        serial::EvRing);  // 0x1B9
    try {
      puerto_.Purga(serial::PurgeTxAbort | serial::PurgeRxAbort | serial::PurgeTxClear | serial::PurgeRxClear);
      puerto_.Ejecuta(serial::Escape::ClrDtr);
      puerto_.Ejecuta(serial::Escape::ClrRts);
    } catch (const plat::Error& e) {
      puerto_.Cierra();
      error_ = e.mensaje();
    }
  }

  // Waits for the thread to end; the port closes with it.
  ~TCommThread() override { wait(); }

  bool Valido() const { return puerto_.Abierto(); }
  const QString& ErrorApertura() const { return error_; }
  serial::Puerto& Puerto() { return puerto_; }

  // Asks the thread to end: signals the stop event.
  void Detiene() { parada_.Activa(); }
  // True while the main thread runs this thread's event step.
  bool EnPaso() const { return enPaso_; }

  // The handlers, hooked and detached by the component (main thread only).
  std::function<void(int)> ManejadorRecepcion;
  std::function<void(uint32_t, uint32_t)> ManejadorEstado;

 protected:
  void run() override {
    try {
      for (;;) {
        const serial::Espera espera = puerto_.EsperaEvento(parada_);
        if (espera.despertada) {
          setPriority(QThread::LowestPriority);
          puerto_.FijaMascara(0);
          break;
        }
        QMetaObject::invokeMethod(
            this, [this, espera] { PasoEvento(espera.eventos, espera.modem); }, Qt::BlockingQueuedConnection);
      }
    } catch (const plat::Error& e) {
      // The wait itself failed: tell the user in the main thread and end.
      const plat::Error copia = e;
      QMetaObject::invokeMethod(this, [copia] { ui::MuestraExcepcion(copia); }, Qt::BlockingQueuedConnection);
    }
  }

 private:
  // Runs in the main thread while this thread waits for it.
  void PasoEvento(uint32_t mascara, uint32_t modem) {
    enPaso_ = true;
    ui::Protege([&] {
      const serial::EstadoColas estado = puerto_.LimpiaErrores();
      if (mascara & serial::EvRxChar) {
        // Copies: a handler may detach itself by closing the port.
        const auto recibe = ManejadorRecepcion;
        if (recibe) recibe(estado.enEntrada);
        mascara &= ~static_cast<uint32_t>(serial::EvRxChar);
      }
      if (mascara != 0) {
        const auto cambia = ManejadorEstado;
        if (cambia) cambia(mascara, modem);
      }
    });
    enPaso_ = false;
  }

  serial::Puerto puerto_;
  serial::Senal parada_;
  QString error_;
  bool enPaso_ = false;
};

TComPort::TComPort(QObject* owner) : QObject(owner) {}

TComPort::~TComPort() { ClosePort(); }

void TComPort::OpenPort() {
  if (abierto_) return;
  auto hilo = std::make_unique<TCommThread>(port_);
  const QString noAbre = QStringLiteral("TCOMPORT : cannot open ") + port_ + u'\r';
  if (!hilo->Valido()) throw EComError(noAbre + hilo->ErrorApertura());
  hilo->ManejadorRecepcion = [this](int cuantos) { RecibeDatos(cuantos); };
  hilo->ManejadorEstado = [this](uint32_t mascara, uint32_t modem) { CambiaEstado(mascara, modem); };
  try {
    serial::Ajustes ajustes = hilo->Puerto().LeeAjustes();
    ajustes.baudios = baud_;
    ajustes.bitsDatos = dataBits_;
    ajustes.paridad = static_cast<serial::Paridad>(parity_);
    ajustes.parada = static_cast<serial::Parada>(stopBits_);
    ajustes.binario = true;
    hilo->Puerto().FijaAjustes(ajustes);
    hilo->Puerto().FijaColas(winQSizeIn_, winQSizeOut_);
  } catch (const plat::Error& e) {
    // Settings the port refuses: the port is not left open with others.
    throw EComError(noAbre + e.mensaje());
  }
  abierto_ = true;
  hilo_ = std::move(hilo);
  hilo_->start(QThread::HighPriority);
  if (OnPortOpen) OnPortOpen(this);
}

void TComPort::ClosePort() {
  if (!abierto_) return;
  abierto_ = false;
  hilo_->ManejadorRecepcion = nullptr;
  hilo_->ManejadorEstado = nullptr;
  hilo_->Detiene();
  if (hilo_->EnPaso()) {
    // Called from one of our callbacks: the thread waits for that callback
    // to return before it can end, so it frees itself when it does.
    TCommThread* hilo = hilo_.release();
    connect(hilo, &QThread::finished, hilo, &QObject::deleteLater);
  } else {
    // The thread may be waiting for the main thread to run an event step;
    // run such steps (handlers detached, so they do nothing) until it ends.
    while (!hilo_->wait(QDeadlineTimer(5))) QCoreApplication::sendPostedEvents(hilo_.get(), QEvent::MetaCall);
    hilo_.reset();
  }
  if (OnPortClose) OnPortClose(this);
}

void TComPort::WriteText(const QString& text) {
  if (!abierto_) return;
  try {
    hilo_->Puerto().Escribe(fs::ACp1252(text));
  } catch (const plat::Error& e) {
    throw EComError(QStringLiteral("TCOMPORT : ") + e.mensaje());
  }
}

QString TComPort::Terminator() const {
  QString texto;
  for (char c : terminador_) texto += u'#' + QString::number(static_cast<unsigned char>(c));
  return texto;
}

void TComPort::SetTerminator(const QString& texto) {
  terminador_.clear();
  QString resto = texto.mid(1);
  while (!resto.isEmpty()) {
    const qsizetype marca = resto.indexOf(u'#');
    const QString pieza = marca < 0 ? resto : resto.left(marca);
    resto = marca < 0 ? QString() : resto.mid(marca + 1);
    bool ok = false;
    const int codigo = pieza.toInt(&ok);
    if (!ok) {
      terminador_ = QByteArrayLiteral("\r\n");
      throw EComError(QStringLiteral("Illegal terminator string.\rformat : #<asciicode>#<asciicode>#<...>\rexample: #13#10"));
    }
    terminador_.append(static_cast<char>(codigo & 0xFF));
  }
  if (terminador_.isEmpty()) {
    // An empty terminator would never end a piece and the buffer would grow
    // without end: the component keeps carriage return and line feed.
    terminador_ = QByteArrayLiteral("\r\n");
    throw EComError(QStringLiteral("Terminator string cannot be empty!"));
  }
}

void TComPort::RecibeDatos(int cuantos) {
  const QByteArray bytes = hilo_ ? hilo_->Puerto().Lee(cuantos) : QByteArray();
  const TReceiveProc entrega = ReceiveCallBack;
  if (!abierto_ || !entrega) return;
  if (receiveMode_ == rmRAW) {
    entrega(fs::DeCp1252(bytes));
    return;
  }
  recibido_ += bytes;
  const qsizetype fin = recibido_.indexOf(terminador_);
  if (fin < 0) return;
  const QByteArray pieza = recibido_.left(fin + terminador_.size());
  recibido_.remove(0, pieza.size());
  entrega(fs::DeCp1252(pieza));
}

void TComPort::CambiaEstado(uint32_t mascara, uint32_t modem) {
  if ((mascara & serial::EvCts) && OnCTSChanged) OnCTSChanged(!(modem & serial::MsCtsOn));
  if ((mascara & serial::EvDsr) && OnDSRChanged) OnDSRChanged(!(modem & serial::MsDsrOn));
  if ((mascara & serial::EvRlsd) && OnRLSDChanged) OnRLSDChanged(!(modem & serial::MsRlsdOn));
  if ((mascara & serial::EvRing) && OnRingChanged) OnRingChanged(!(modem & serial::MsRingOn));
  if ((mascara & serial::EvErr) && OnError) OnError(this);
}
