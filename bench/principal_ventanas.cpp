// The body of the benchmark programs that need windows: Qt's offscreen
// platform and the program's application object, then every benchmark, then what
// they made is undone (limpieza_bench.h).

#include "platform/ui/Aplicacion.h"

#include "limpieza_bench.h"

#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  ui::Aplicacion app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  LimpiaBench();
  return 0;
}
