#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: first under
# AddressSanitizer and UndefinedBehaviorSanitizer, then the normal build with
# the benchmarks. Ends with CTest's summary of the normal build.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

scripts/install-deps.sh

cmake --preset sanitize
cmake --build --preset sanitize
ctest --preset sanitize

cmake --preset default
cmake --build --preset default
ctest --preset default
