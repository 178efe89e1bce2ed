// Test programs run headless: offscreen platform, the modal gate in test mode.

#include "platform/ui/Aplicacion.h"
#include "platform/ui/PuertaModal.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  ui::Aplicacion app(argc, argv);
  ui::PuertaModal::ModoPrueba(true);
  return RUN_ALL_TESTS();
}
