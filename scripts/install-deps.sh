#!/usr/bin/env bash
# Installs the Debian packages Vorlan needs to build, run and test.
# As root, missing packages are installed with apt-get; otherwise the command is printed.
set -euo pipefail

# Each package is here for what the build's find_package calls (and the
# CMake files they load), the tests or the scripts ask of it. A library
# added to the build adds its package here in the same change.
PACKAGES=(
  # CMake and Ninja run the build; g++ compiles C++20; pkg-config finds
  # libzip and pxlib.
  cmake ninja-build g++ pkg-config
  # mold links the programs several times faster than ld; the build uses it
  # (or lld) only when it is installed.
  mold
  # Qt6 Core, Gui, Widgets, PrintSupport and Test; Qt Gui's CMake files ask
  # for OpenGL's headers.
  qt6-base-dev libgl-dev
  # Qt's own translations: qtbase_es puts the file dialogs and standard
  # buttons in Spanish (loaded at start by the application object).
  qt6-translations-l10n
  # Qt6 Charts, the report charts.
  qt6-charts-dev
  # Qt Charts' CMake files ask for Qt OpenGL's, which apt does not bring by itself.
  libqt6opengl6-dev
  # SQLite3 (local SQL), JPEG (product pictures, page images), Cups (raw
  # receipt-printer jobs).
  libsqlite3-dev libjpeg-dev libcups2-dev
  # GTest with GoogleMock (the tests) and benchmark (bench/).
  libgtest-dev libgmock-dev libbenchmark-dev
  # pxlib: the tests read Paradox tables back with it.
  pxlib-dev
  # Independent dBASE readers the tests compare with (python3-dbf; the
  # index_dump of libdbd-xbase-perl reads .mdx files).
  python3 python3-dbf libdbd-xbase-perl
  # xvfb-run: the program and screenshots without a screen.
  xvfb xauth
  # pdftotext and pdfinfo: tests read printed pages back.
  poppler-utils
  # libzip: the compressed backup writes its zip archive with it; unzip:
  # the tests read the archive back.
  libzip-dev unzip
  # libxlsxwriter: exports named ".xlsx" are written as workbooks with it;
  # python3-openpyxl: the tests read the workbooks back.
  libxlsxwriter-dev python3-openpyxl
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
