#pragma once
// The modal gate. Every modal show and every message goes through it.
//
// In the program it runs the event loop (QDialog::exec, QMessageBox). In
// tests (ModoPrueba on) nothing blocks: the window is shown, activated, and
// the next script queued for its class answers it (fills fields, presses
// buttons, sets Tag). Messages shown are recorded in order. A modal window
// without a queued script is recorded in SinRespuesta() and closed with
// mrCancel, unless it only informs (message boxes), which are closed.
//
//   ui::PuertaModal::Espera("TFormaAdvertencia", [](QDialog& d) {
//     ui::Pulsa(d, "BitBtn1");
//   });

#include <QString>
#include <QStringList>
#include <functional>

class QDialog;

namespace ui {

class Forma;

using Guion = std::function<void(QDialog&)>;

namespace PuertaModal {

void ModoPrueba(bool activo);
bool EnPrueba();

// Queues an answer for the next modal show of the class (the window's C++
// class name, or the name given for plain dialogs: "MessageDlg").
void Espera(const QString& clase, Guion guion);
// Scripts queued and not used yet.
int Pendientes();

// Records a message shown to the user.
void RegistraMensaje(const QString& texto);
const QStringList& Mensajes();
void LimpiaMensajes();

// Classes of the modal windows shown in tests with no answer queued.
const QStringList& SinRespuesta();

// Forgets messages, scripts and unanswered windows.
void Reinicia();

// Runs a plain dialog (not a Forma) modally: exec() in the program, the
// queued script for `clase` in tests. Returns the dialog's result.
int EjecutaDialogo(QDialog& dialogo, const QString& clase);

}  // namespace PuertaModal

// The class library's plain message dialog: shows the text with an OK button
// (recorded in tests).
void MensajeSimple(const QString& texto);

// The class library's plain confirmation: the text with "Sí" and "No"
// buttons; true for "Sí". Recorded as a message; in tests a script queued for
// "MessageDlg" answers it (done(QMessageBox::Yes) or a button click).
bool PreguntaSimple(const QString& texto);

// Runs a Forma modally through the gate (what Forma::ShowModal calls).
int EjecutaModal(Forma& forma);

}  // namespace ui
