#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

JOBS=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$JOBS"

export QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure -j "$JOBS" --timeout 600 | tail -n 40
exit "${PIPESTATUS[0]}"
