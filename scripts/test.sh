#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: first under
# AddressSanitizer and UndefinedBehaviorSanitizer; the libraries with Clang
# and libc++; the program without the parts only Linux desktops have (CUPS,
# libcanberra, icons, desktop files); then the normal build with the
# benchmarks. Ends with CTest's summary of the normal build.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

scripts/install-deps.sh

cmake --preset sanitize
cmake --build --preset sanitize
ctest --preset sanitize

cmake --preset clang-libcxx
cmake --build --preset clang-libcxx
ctest --preset clang-libcxx

cmake --preset portable
cmake --build --preset portable
ctest --preset portable

cmake --preset default
cmake --build --preset default
ctest --preset default
