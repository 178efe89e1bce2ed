#!/usr/bin/env bash
# Installs what is missing, builds the program, prepares the demonstration
# company when the root has none, and starts Vorlan.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

JOBS=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DVORLAN_BUILD_TESTS=OFF -DVORLAN_BUILD_BENCH=OFF >/dev/null
cmake --build build-release -j "$JOBS" --target vorlan

./build-release/vorlan --prepara-demo

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != "offscreen" ]; then
  echo "No hay pantalla. Ejecute el programa bajo xvfb-run:"
  echo "  xvfb-run -a ./build-release/vorlan"
  exit 1
fi
exec ./build-release/vorlan "$@"
