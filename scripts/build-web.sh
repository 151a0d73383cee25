#!/usr/bin/env bash
# Builds the web edition: the core in WebAssembly with Debian's Emscripten,
# the sheet's fonts subset to what the sheet can show, and the page put
# together as
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
  nice cmake --build "$out/core" --target kakemaru_web -j2
} >&2

fonts=$out/fonts
if [ -f web/fonts/subset-fonts.sh ]; then
  bash web/fonts/subset-fonts.sh "$fonts" >&2
else
  # Until the sheet's own list of characters is there: a generous fixed set.
  mkdir -p "$fonts"
  /usr/bin/python3 - "$fonts" >&2 <<'PYTHON'
import sys
from pathlib import Path
from fontTools import subset
out = Path(sys.argv[1])
ranges = [(0x20, 0x7E), (0x3000, 0x3002), (0x3041, 0x3096), (0x30A1, 0x30FC), (0xFF01, 0xFF5E),
          (0xFF61, 0xFF9F), (0x2460, 0x2473)]
text = "".join(chr(c) for low, high in ranges for c in range(low, high + 1))
text += "×＝（）九問題段"
for source, target in (("ipafont-gothic/ipag.ttf", "ipag.woff2"),
                       ("ipafont-mincho/ipam.ttf", "ipam.woff2")):
    options = subset.Options()
    options.flavor = "woff2"
    font = subset.load_font("/usr/share/fonts/opentype/" + source, options)
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=text)
    subsetter.subset(font)
    subset.save_font(font, out / target, options)
licence = Path("/usr/share/doc/fonts-ipafont-gothic/copyright").read_text(encoding="utf-8")
(out / "IPA_Font_License.txt").write_text(
    "ipag.woff2 and ipam.woff2 are IPAGothic and IPAMincho, subset. Their licence:\n\n" + licence,
    encoding="utf-8")
PYTHON
fi

/usr/bin/python3 web/page/assemble.py "$out/core/web" "$fonts" "$out"
echo "$out/kakemaru.html"
