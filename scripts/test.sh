#!/usr/bin/env bash
# Installs what is missing, builds and runs the tests of the presets named,
# or of all six without a name:
#   sanitize      under AddressSanitizer and UndefinedBehaviorSanitizer
#   clang-libcxx  the libraries with Clang and libc++
#   portable      the program without the parts only Linux desktops have
#                 (CUPS, libcanberra, icons, desktop files)
#   windows       the program and its tests for Windows, cross-built with
#                 MinGW and run under Wine
#   web           the web page, built with Emscripten and tested in headless
#                 Chromium (tests/web), beside the core's own figures
#   default       the normal build with the benchmarks
# e.g. `bash scripts/test.sh default windows`. Each preset runs even when one
# before it failed; the command fails if any did, and names them.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

all=(sanitize clang-libcxx portable windows web default)
presets=("$@")
[ $# -gt 0 ] || presets=("${all[@]}")
for preset in "${presets[@]}"; do
  if [[ " ${all[*]} " != *" $preset "* ]]; then
    echo "usage: $0 [PRESET...]  with PRESET one of: ${all[*]}" >&2
    exit 2
  fi
done

scripts/install-deps.sh

# Qt for Windows, built once into a cache outside the tree (about half an
# hour), and the Windows packages: for the preset windows only, which finds
# it through KAKEMARU_WINDOWS_QT.
if [[ " ${presets[*]} " == *" windows "* ]]; then
  KAKEMARU_WINDOWS_QT=$(scripts/build-windows-qt.sh | tail -1)
  export KAKEMARU_WINDOWS_QT
fi

# The web page and its tests' packages, for the preset web only, which
# finds the page through KAKEMARU_WEB_PAGE; npm keeps its cache in ~/.npm.
# Run as a condition, where errexit does not hold: each step is checked.
prepare_web() {
  scripts/install-deps.sh nodejs chromium firefox-esr emscripten node-acorn python3-fonttools \
    python3-brotli fonts-ipafont-gothic fonts-ipafont-mincho poppler-utils xvfb python3-gi \
    gir1.2-webkit2-4.1 || return
  command -v npm > /dev/null || scripts/install-deps.sh npm || return
  KAKEMARU_WEB_PAGE=$(bash scripts/build-web.sh | tail -1) && [ -f "$KAKEMARU_WEB_PAGE" ] || return
  KAKEMARU_WEB_PAGE=$(realpath "$KAKEMARU_WEB_PAGE")
  export KAKEMARU_WEB_PAGE
  (cd tests/web && npm ci --no-audit --no-fund)
}

# Each workflow configures, builds and runs the tests of one preset.
failed=()
for preset in "${presets[@]}"; do
  started=$SECONDS
  if { [ "$preset" != web ] || prepare_web; } && cmake --workflow --preset "$preset"; then
    result=passed
  else
    result=FAILED
    failed+=("$preset")
  fi
  # The run ends with CTest's summary of the last preset when all passed.
  if [ "$preset" != "${presets[-1]}" ] || [ "$result" = FAILED ]; then
    echo "== $preset: $result in $((SECONDS - started)) s"
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "Failed: ${failed[*]}" >&2
  exit 1
fi
