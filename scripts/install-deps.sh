#!/usr/bin/env bash
# Installs the Debian packages Vorlan needs to build, run and test.
# As root, missing packages are installed with apt-get; otherwise the command is printed.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-charts-dev libgl-dev
  # Qt Charts' CMake files ask for Qt OpenGL's, which apt does not bring by itself.
  libqt6opengl6-dev
  libsqlite3-dev libjpeg-dev libcups2-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  pxlib-dev python3 python3-dbf libdbd-xbase-perl
  xvfb xauth poppler-utils
  # The compressed backup writes its zip archive with libzip; the tests read
  # the archive back with Debian's unzip.
  libzip-dev unzip
  # Arial and Courier New are served by these metric-compatible fonts
  # (fontconfig's metric aliases), so printed texts measure as on Windows.
  fontconfig fonts-liberation
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

cmd=(apt-get install -y -q --no-install-recommends "${missing[@]}")
if [ "$(id -u)" -ne 0 ]; then
  echo "Faltan paquetes. Instálelos con:"
  echo "  sudo apt-get update && sudo ${cmd[*]}"
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
if ! "${cmd[@]}"; then
  apt-get update
  "${cmd[@]}"
fi
