#pragma once
// The maintenance company with the program started as it starts (the
// program body's windows made, the main window first); freed at the end.

#include "app/Vorlan.h"
#include "mantenimiento_prueba.h"

#include <memory>

class ProgramaMantenimiento : public MantenimientoPrueba {
 protected:
  // Starts the program once the test's files are in place; the messages of
  // the start are forgotten.
  void IniciaPrograma() {
    programa_ = std::make_unique<ProgramaVorlan>();
    programa_->Inicia();
    ui::PuertaModal::LimpiaMensajes();
  }
  void TearDown() override {
    programa_.reset();
    MantenimientoPrueba::TearDown();
  }

  std::unique_ptr<ProgramaVorlan> programa_;
};
