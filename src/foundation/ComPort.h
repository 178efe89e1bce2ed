#pragma once
// The serial-port component: opens a port, writes text to it and delivers what
// arrives, block by block (rmRAW) or in pieces ended by a terminator text
// (rmTERM), together with modem-line changes.
//
// An event thread (TCommThread) waits on the port and hands each port event
// to the main thread synchronously: it does not wait again until the main
// thread has handled the event. All reading, buffering and every callback
// happen in the main thread, so the component needs no lock.
//
//   ComPort1 = new TComPort(this);
//   ComPort1->SetPort("COM3");
//   ComPort1->ReceiveCallBack = [this](const QString& Data) { ComPort1ReceiveCallBack(Data); };
//   ComPort1->OpenPort();            // EComError when the port cannot be opened
//   ComPort1->WriteText("P\r\n");
//
// Port names go through the serial layer's port map (platform/serial/Puerto.h).

#include "platform/Error.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

class TCommThread;

// Numbered as the platform's parity and stop-bit codes.
enum TParity { ptNONE = 0, ptODD = 1, ptEVEN = 2, ptMARK = 3, ptSPACE = 4 };
enum TStopBit { sbONE = 0, sbONE5 = 1, snTWO = 2 };
enum TReceiveMode { rmRAW = 0, rmTERM = 1 };

using TNotifyEvent = std::function<void(QObject* Sender)>;
using TReceiveProc = std::function<void(const QString& Data)>;
using TStatusChanged = std::function<void(bool Status)>;

// The component's exception.
class EComError : public plat::Error {
 public:
  explicit EComError(const QString& mensaje) : plat::Error(plat::Clase::Io, mensaje) {}
};

class TComPort : public QObject {
  Q_OBJECT
 public:
  explicit TComPort(QObject* owner = nullptr);
  // Closes an open port first.
  ~TComPort() override;

  // Opens the port with the current properties and fires OnPortOpen; nothing
  // when already open. Raises EComError "TCOMPORT : cannot open <Port>" + CR +
  // the system's message when it cannot; the component then stays closed.
  void OpenPort();
  // Closes the port, waits until the event thread has ended and fires
  // OnPortClose; nothing when not open. May be called from the component's
  // own callbacks: the thread then ends as soon as the callback returns.
  void ClosePort();
  // Writes the text's bytes (Windows-1252) to the open port; nothing when
  // closed.
  void WriteText(const QString& text);

  QString Port() const { return port_; }
  void SetPort(const QString& valor) { port_ = valor; }
  int Baud() const { return baud_; }
  void SetBaud(int valor) { baud_ = valor; }
  uint8_t DataBits() const { return dataBits_; }
  void SetDataBits(uint8_t valor) { dataBits_ = valor; }
  TParity Parity() const { return parity_; }
  void SetParity(TParity valor) { parity_ = valor; }
  TStopBit StopBits() const { return stopBits_; }
  void SetStopBits(TStopBit valor) { stopBits_ = valor; }
  int WinQSizeIn() const { return winQSizeIn_; }
  void SetWinQSizeIn(int valor) { winQSizeIn_ = valor; }
  int WinQSizeOut() const { return winQSizeOut_; }
  void SetWinQSizeOut(int valor) { winQSizeOut_ = valor; }
  TReceiveMode ReceiveMode() const { return receiveMode_; }
  void SetReceiveMode(TReceiveMode valor) { receiveMode_ = valor; }
  // "#" and the decimal code of every terminator character ("#13#10").
  QString Terminator() const;
  // Parses "#<code>#<code>...". A piece that is not a number raises
  // EComError "Illegal terminator string." (with the expected format) and an
  // empty result raises "Terminator string cannot be empty!"; either way the
  // terminator becomes carriage return and line feed.
  void SetTerminator(const QString& texto);

  TNotifyEvent OnPortOpen;
  TNotifyEvent OnPortClose;
  TReceiveProc ReceiveCallBack;
  // Status: true when the line is off.
  TStatusChanged OnCTSChanged;
  TStatusChanged OnDSRChanged;
  TStatusChanged OnRingChanged;
  TStatusChanged OnRLSDChanged;
  // A line error.
  TNotifyEvent OnError;

 protected:
  // Receive handling: reads the waiting bytes and delivers them as the
  // receive mode says.
  void RecibeDatos(int cuantos);
  // Status handling: fires the events of the mask's bits with the modem
  // status read with them.
  void CambiaEstado(uint32_t mascara, uint32_t modem);

 private:
  QString port_ = QStringLiteral("COM1");
  int baud_ = 9600;
  uint8_t dataBits_ = 8;
  TParity parity_ = ptNONE;
  TStopBit stopBits_ = sbONE;
  int winQSizeIn_ = 8192;
  int winQSizeOut_ = 8192;
  TReceiveMode receiveMode_ = rmTERM;

  bool abierto_ = false;
  std::unique_ptr<TCommThread> hilo_;
  QByteArray terminador_ = QByteArrayLiteral("\r\n");
  QByteArray recibido_;
};
