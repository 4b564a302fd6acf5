#!/usr/bin/env bash
# Installs what building and running Meldora needs on Debian 12, then
# configures and builds it in ./build (with --packages-only, only the
# first). Safe to run again: packages already present are not fetched twice.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-svg-dev qt6-multimedia-dev qt6-speech-dev libgl-dev
  qt6-speech-flite-plugin qt6-declarative-dev qt6-charts-dev
  qt6-qpa-plugins libqt6svg6
  gnome-cards-data
  pulseaudio
)

scripts/install_missing.sh "${packages[@]}"
# scripts/check_package.sh needs the packages but builds elsewhere.
if [ "${1:-}" = "--packages-only" ]; then exit 0; fi

# Configure once; later builds re-run the configure step themselves when a
# CMakeLists.txt changes.
if [ ! -f build/build.ninja ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build build
