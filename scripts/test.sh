#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: first under
# AddressSanitizer and UndefinedBehaviorSanitizer; the libraries with Clang
# and libc++; the program without the parts only Linux desktops have (CUPS,
# libcanberra, icons, desktop files); the program and its tests for Windows,
# cross-built with MinGW and run under Wine; then the normal build with the
# benchmarks. Ends with CTest's summary of the normal build.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

scripts/install-deps.sh

# Qt for Windows, built once into a cache outside the tree (about half an
# hour), and the Windows packages; the preset windows finds it through
# KAKEMARU_WINDOWS_QT.
KAKEMARU_WINDOWS_QT=$(scripts/build-windows-qt.sh | tail -1)
export KAKEMARU_WINDOWS_QT

# Each workflow configures, builds and runs the tests of one preset.
for preset in sanitize clang-libcxx portable windows default; do
  cmake --workflow --preset "$preset"
done
