// The body of the benchmark programs that show windows: the application
// object on Qt's offscreen platform, then every benchmark.

#include "platform/ui/Aplicacion.h"

#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  ui::Aplicacion app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
