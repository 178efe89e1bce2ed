#pragma once
// A stand-in for the system's launcher: records every program started and
// every close asked for, and plays the programs' lives. Installed while it
// exists. Tests that use it link vorlan_process.
//
//   prueba::LanzadorGrabador lanzador;
//   lanzador.duracionMs = 30;  lanzador.codigoSalida = 4;
//   proc::EjecutaYEspera("calc.exe");
//   EXPECT_EQ(lanzador.iniciados.size(), 1);

#include "platform/Error.h"
#include "platform/process/Procesos.h"

#include <QList>
#include <QPointer>
#include <QTimer>

namespace prueba {

class LanzadorGrabador : public proc::Lanzador {
 public:
  LanzadorGrabador() { proc::FijaLanzador(this); }
  ~LanzadorGrabador() override {
    proc::FijaLanzador(nullptr);
    for (const QPointer<Grabado>& p : vivos_) {
      if (p) p->Termina(-1);
    }
  }

  // What was started, in order.
  QList<proc::Orden> iniciados;
  // Programs asked to close, in order.
  QList<proc::Orden> cerrados;
  // Programs (as the Orden names them) that are not there.
  QStringList faltantes;
  // Exit code of every program.
  int codigoSalida = 0;
  // How long a program runs: 0 ends at once, -1 until asked to close.
  int duracionMs = -1;

  std::unique_ptr<proc::Proceso> Inicia(const proc::Orden& orden) override {
    if (faltantes.contains(orden.programa)) {
      throw plat::Error(plat::Clase::NoExiste, QStringLiteral("No se encontró el programa %1").arg(orden.programa));
    }
    iniciados << orden;
    auto proceso = std::make_unique<Grabado>(this, orden);
    if (duracionMs == 0) proceso->Termina(codigoSalida);
    else if (duracionMs > 0) {
      Grabado* p = proceso.get();
      const int codigo = codigoSalida;
      QTimer::singleShot(duracionMs, p, [p, codigo] { p->Termina(codigo); });
    }
    vivos_ << QPointer<Grabado>(proceso.get());
    return proceso;
  }

 private:
  class Grabado : public proc::Proceso {
   public:
    Grabado(LanzadorGrabador* dueno, proc::Orden orden) : dueno_(dueno), orden_(std::move(orden)) {}
    bool Termino() const override { return terminado_; }
    int CodigoSalida() const override { return codigo_; }
    void PideCierre() override {
      dueno_->cerrados << orden_;
      Termina(-1);
    }
    void Termina(int codigo) {
      if (terminado_) return;
      terminado_ = true;
      codigo_ = codigo;
      emit Terminado();
    }

   private:
    LanzadorGrabador* dueno_;
    proc::Orden orden_;
    bool terminado_ = false;
    int codigo_ = 0;
  };

  QList<QPointer<Grabado>> vivos_;
};

}  // namespace prueba
