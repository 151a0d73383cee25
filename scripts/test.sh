#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: first under
# AddressSanitizer and UndefinedBehaviorSanitizer; the libraries with Clang
# and libc++; the program without the parts only Linux desktops have (CUPS,
# libcanberra, icons, desktop files); then the normal build with the
# benchmarks. Ends with CTest's summary of the normal build.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

scripts/install-deps.sh

# Each workflow configures, builds and runs the tests of one preset.
for preset in sanitize clang-libcxx portable default; do
  cmake --workflow --preset "$preset"
done
