// The sale screen's serial scale: the weight of the current line read from
// the scale on "COM3".

#include "foundation/ComPort.h"
#include "platform/db/Tabla.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QThread>
#include <QToolButton>

namespace {

const QString kErrorLectura = QStringLiteral("Error de Lectura");
// A weight is exactly this many characters long (1.250, 12.50).
constexpr int kLargoPeso = 5;
// The hidden list of readings is emptied beyond this many lines.
constexpr int kMaximoLecturas = 50;
// How long the screen waits after a request, and after a reading in error.
constexpr unsigned long kEsperaMs = 100;

// The text without the blanks and control characters at either end.
QString SinBlancos(const QString& texto) {
  qsizetype inicio = 0;
  qsizetype fin = texto.size();
  while (inicio < fin && texto[inicio].unicode() <= u' ') ++inicio;
  while (fin > inicio && texto[fin - 1].unicode() <= u' ') --fin;
  return texto.mid(inicio, fin - inicio);
}

}  // namespace

QString ExtraeNumero(const QString& texto) {
  qsizetype n = 0;
  while (n < texto.size() && texto[n] >= u'.' && texto[n] <= u'9') ++n;
  return texto.left(n);
}

void TFormaCapturaRapida::ConectaBascula() {
  ComPort1->SetBaud(9600);
  ComPort1->SetDataBits(8);
  ComPort1->SetParity(ptNONE);
  ComPort1->SetStopBits(sbONE);
  ComPort1->SetWinQSizeIn(8192);
  ComPort1->SetWinQSizeOut(8192);
  ComPort1->SetReceiveMode(rmRAW);
  ComPort1->SetTerminator(QStringLiteral("#13"));
  ComPort1->OnPortOpen = [this](QObject*) { ComPort1PortOpen(); };
  ComPort1->OnPortClose = [this](QObject*) { ComPort1PortClose(); };
  ComPort1->ReceiveCallBack = [this](const QString& datos) { ComPort1ReceiveCallBack(datos); };
  AsignaComando(BotonBascula, [this] { BotonBasculaClick(); });
  AsignaComando(BotonReset, [this] { BotonResetClick(); });
  AsignaComando(MainMenu1->findChild<QAction*>(QStringLiteral("LeerPeso1")), [this] { LeerPeso1Click(); });
}

void TFormaCapturaRapida::BotonBasculaClick() {
  ComPort1->SetPort(QStringLiteral("COM3"));
  ComPort1->OpenPort();
  ComPort1->WriteText(QStringLiteral("P\r\n"));
  // The screen is blocked while the scale answers; the port's thread waits
  // for the main thread, so an answer arriving now is handled afterwards.
  QThread::msleep(kEsperaMs);
}

void TFormaCapturaRapida::LeerPeso1Click() { BotonBasculaClick(); }

void TFormaCapturaRapida::BotonResetClick() { ComPort1->ClosePort(); }

void TFormaCapturaRapida::ComPort1PortOpen() {
  PintaColor(shPortOpen, ui::clLime);
  shPortOpen->update();
  StaticText6->setText(QStringLiteral("OK Bascula"));
  PintaTexto(StaticText6, Qt::black);
}

void TFormaCapturaRapida::ComPort1PortClose() {
  PintaColor(shPortOpen, ui::clGray);
  shPortOpen->update();
  StaticText6->setText(QStringLiteral("OFF Bascula"));
}

void TFormaCapturaRapida::ComPort1ReceiveCallBack(const QString& Data) {
  const QString s = SinBlancos(Data);
  // A chunk of blanks and line ends holds no weight: it changes nothing,
  // least of all the line being captured.
  if (s.isEmpty()) return;
  const QString lectura = ExtraeNumero(s);
  Memo1->appendPlainText(lectura);
  EditPeso->setText(lectura.size() == kLargoPeso ? lectura : kErrorLectura);

  if (ui::Tag(BotonNuevo) != 1 && ui::Tag(BotonCambios) != 1) return;
  // Left in edit for line capture to complete.
  EditaFila(*TablaDeta);
  if (EditPeso->text() != kErrorLectura) {
    TablaDeta->FieldByName(QStringLiteral("CANTIDAD")).SetAsString(EditPeso->text());
    return;
  }
  QThread::msleep(kEsperaMs);
  if (Memo1->blockCount() > kMaximoLecturas) Memo1->clear();
}
