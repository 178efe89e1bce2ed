#pragma once
// One print job of a report window on the printer object: begun when the
// first thing is drawn (Comienza), ended by Termina; left unfinished (an
// error on the way), it is thrown away. The printer's orientation is put
// back as it was in either case.
//
//   TrabajoImpresion trabajo(windowTitle());
//   trabajo.Comienza();
//   trabajo.Impresora().lienzo().Texto(10, 10, "...");
//   trabajo.Termina();

#include "platform/print/Impresora.h"

#include <QString>

#include <exception>

class TrabajoImpresion {
 public:
  explicit TrabajoImpresion(const QString& titulo)
      : impresora_(print::Impresora::Global()), orientacion_(impresora_.orientacion()), titulo_(titulo) {}
  ~TrabajoImpresion() {
    try {
      impresora_.Aborta();
      impresora_.FijaOrientacion(orientacion_);
    } catch (const std::exception&) {
      // Nothing is printing after Aborta: the orientation takes.
    }
  }
  TrabajoImpresion(const TrabajoImpresion&) = delete;
  TrabajoImpresion& operator=(const TrabajoImpresion&) = delete;

  print::Impresora& Impresora() { return impresora_; }
  void Comienza() {
    if (!impresora_.Imprimiendo()) impresora_.Comienza(titulo_);
  }
  void Termina() {
    if (impresora_.Imprimiendo()) impresora_.Termina();
  }

 private:
  print::Impresora& impresora_;
  print::Orientacion orientacion_;
  QString titulo_;
};
