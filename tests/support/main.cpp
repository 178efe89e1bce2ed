// Test programs run headless: offscreen platform, the modal gate in test mode.

#include "platform/ui/Aplicacion.h"
#include "platform/ui/PuertaModal.h"
#include "support/Proceso.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  // A child process started by a test runs its routine and nothing else.
  if (const int r = prueba::EjecutaRutinaHija(argc, argv); r >= 0) return r;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  ui::Aplicacion app(argc, argv);
  ui::PuertaModal::ModoPrueba(true);
  return RUN_ALL_TESTS();
}
