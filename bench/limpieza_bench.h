#pragma once
// What a benchmark made and must undo before the program ends, while the
// application object still lives: windows closed, companies removed. The
// programs' main runs every registered step, last first, after the
// benchmarks.

#include <functional>
#include <vector>

inline std::vector<std::function<void()>>& PasosLimpiezaBench() {
  static std::vector<std::function<void()>> pasos;
  return pasos;
}

inline void AlTerminarBench(std::function<void()> paso) { PasosLimpiezaBench().push_back(std::move(paso)); }

inline void LimpiaBench() {
  auto& pasos = PasosLimpiezaBench();
  while (!pasos.empty()) {
    auto paso = std::move(pasos.back());
    pasos.pop_back();
    paso();
  }
}
