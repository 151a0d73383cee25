#!/usr/bin/env bash
# The sheet's fonts for the web page, subset to what the sheet can show:
#   web/fonts/subset-fonts.sh OUTDIR
# writes OUTDIR/sheet-gothic.woff2 and OUTDIR/sheet-mincho.woff2 (the IPA Gothic and Mincho
# as WOFF2), OUTDIR/IPA_Font_License.txt, and OUTDIR/sheet-characters.txt:
# the characters, code page 932 in hex, one a line. They come from the core:
# sheet_characters.cpp, built here natively with the machine's C++ compiler
# ($CXX, else g++) and run. Needs fonts-ipafont-gothic, fonts-ipafont-mincho,
# python3-fonttools and python3-brotli.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 OUTDIR" >&2; exit 2; }
outdir=$1
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck disable=SC2086 # CXXFLAGS may hold several flags
"${CXX:-g++}" -std=c++20 -O1 ${CXXFLAGS:-} -I"$root/worksheet/include" -I"$root/render/include" \
  "$root"/worksheet/*.cpp "$root"/render/*.cpp "$root/web/fonts/sheet_characters.cpp" \
  -o "$work/sheet_characters"

mkdir -p "$outdir"
"$work/sheet_characters" > "$outdir/sheet-characters.txt"
# Debian's Python, which has fontTools, whatever python3 comes first on PATH.
/usr/bin/python3 "$root/web/fonts/subset_fonts.py" "$outdir/sheet-characters.txt" "$outdir"
