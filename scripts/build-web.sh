#!/usr/bin/env bash
# Builds the web edition: the core in WebAssembly with Debian's Emscripten
# (and in plain JavaScript, for browsers without WebAssembly), the sheet's
# fonts subset to what the sheet can show, and the page put together as
#   build/web/kakemaru.html  one file with everything inside, to open from a
#                            disk, a USB stick or an e-mail attachment;
#   build/web/site/          the same page with a manifest and a service
#                            worker, to serve from any static web server.
# Installs what it needs first. The last line it prints is the single file's
# path; everything else goes to standard error.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
out=$root/build/web

# g++ lists the sheet's characters for the font subsets.
bash scripts/install-deps.sh cmake emscripten node-acorn g++ python3 python3-fonttools \
  python3-brotli fonts-ipafont-gothic fonts-ipafont-mincho >&2

# Debian's Emscripten finds acorn, for its JavaScript optimiser, in Debian's
# Node folder, which the machine's node does not search by itself.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
{
  emcmake cmake -S . -B "$out/core" "${generator[@]}" -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DKAKEMARU_BUILD_APP=OFF -DBUILD_TESTING=OFF -DKAKEMARU_BUILD_BENCHMARKS=OFF
  nice cmake --build "$out/core" --target kakemaru_web kakemaru_web_js -j2
} >&2

fonts=$out/fonts
bash web/fonts/subset-fonts.sh "$fonts" >&2

/usr/bin/python3 web/page/assemble.py "$out/core/web" "$fonts" "$out"
echo "$out/kakemaru.html"
