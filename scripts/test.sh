#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: first the core
# libraries under AddressSanitizer and UndefinedBehaviorSanitizer, then the
# whole build. Ends with CTest's summary of the whole build.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

scripts/install-deps.sh

cmake --preset sanitize
cmake --build --preset sanitize
ctest --preset sanitize

cmake --preset default
cmake --build --preset default
ctest --preset default
