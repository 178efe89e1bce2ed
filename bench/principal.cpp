// The body of the benchmark programs that need no windows: Qt's core
// application object (file and text classes), then every benchmark, then what
// they made is undone (limpieza_bench.h).

#include "limpieza_bench.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  LimpiaBench();
  return 0;
}
