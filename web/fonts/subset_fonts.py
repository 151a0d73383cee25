"""Subsets the IPA Gothic and Mincho fonts to the sheet's characters, as WOFF2.

    subset_fonts.py CHARACTERS OUTDIR

CHARACTERS holds the sheet's code page 932 characters, one a line as hex
bytes. They are decoded as the desktop decodes them; Python's cp932 codec is
checked against iconv's CP932 here, so the fonts hold exactly what the
desktop would draw. The subsets are renamed, as the IPA Font License asks of
a derived font, and its licence text goes beside them.
"""

import re
import subprocess
import sys
from pathlib import Path

from fontTools import subset

FONTS = [
    ("/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf", "sheet-gothic.woff2", "Kakemaru Sheet Gothic"),
    ("/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf", "sheet-mincho.woff2", "Kakemaru Sheet Mincho"),
]
COPYRIGHT = Path("/usr/share/doc/fonts-ipafont-gothic/copyright")
# The name records that carry the font's own name: family, unique id, full
# name, PostScript name, typographic family, and their variants.
FONT_NAME_IDS = {1, 3, 4, 6, 16, 17, 18, 21, 22}
# The metrics the page's core places its texts by.
SHEET_FONT = Path(__file__).resolve().parent.parent / "src" / "sheet_font.h"


def sheet_text(characters_file):
    codes = [bytes.fromhex(line) for line in Path(characters_file).read_text().split()]
    ours = [code.decode("cp932") for code in codes]
    iconv = subprocess.run(["iconv", "-f", "CP932", "-t", "UTF-8"], input=b"\n".join(codes),
                           capture_output=True, check=True).stdout.decode("utf-8").split("\n")
    if ours != iconv:
        wrong = [(c.hex(), a, b) for c, a, b in zip(codes, ours, iconv) if a != b]
        sys.exit(f"cp932 and iconv CP932 differ: {wrong}")
    return codes, "".join(ours)


def check_metrics(font, codes, text):
    """The font is as the core assumes: its em, ascent and descent, and every
    sheet character half an em wide if it is one byte, else a whole em."""
    metric = dict(re.findall(r"constexpr int (k\w+) = (\d+);", SHEET_FONT.read_text()))
    em = int(metric["kFontUnitsPerEm"])
    found = (font["head"].unitsPerEm, font["hhea"].ascent, -font["hhea"].descent)
    wanted = (em, int(metric["kFontAscent"]), int(metric["kFontDescent"]))
    if found != wanted:
        sys.exit(f"{SHEET_FONT.name} says em, ascent, descent {wanted}; the font has {found}")
    half_ems = {1: int(metric["kHalfEmsPerSingleByte"]), 2: int(metric["kHalfEmsPerDoubleByte"])}
    cmap = font.getBestCmap()
    wrong = [ch for code, ch in zip(codes, text)
             if font["hmtx"][cmap[ord(ch)]][0] * 2 != half_ems[len(code)] * em]
    if wrong:
        sys.exit(f"these characters are not as wide as {SHEET_FONT.name} says: {wrong}")


def subset_font(source, target, family, codes, text):
    options = subset.Options()
    options.flavor = "woff2"
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.notdef_outline = True
    font = subset.load_font(source, options)
    check_metrics(font, codes, text)
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=text)
    subsetter.subset(font)
    for record in font["name"].names:
        if record.nameID in FONT_NAME_IDS:
            name = family.replace(" ", "") if record.nameID == 6 else family
            record.string = name
    subset.save_font(font, target, options)


def licence_text():
    """The IPA Font License paragraph of the package's copyright file."""
    lines = COPYRIGHT.read_text(encoding="utf-8").splitlines()
    start = lines.index("License: IPA-1", lines.index("License: IPA-1") + 1) + 1
    text = []
    for line in lines[start:]:
        if not line.startswith(" "):
            break
        text.append("" if line == " ." else line[1:])
    return "\n".join(text).rstrip() + "\n"


def main():
    characters_file, outdir = sys.argv[1], Path(sys.argv[2])
    outdir.mkdir(parents=True, exist_ok=True)
    codes, text = sheet_text(characters_file)
    for source, target, family in FONTS:
        subset_font(source, outdir / target, family, codes, text)
    (outdir / "IPA_Font_License.txt").write_text(
        "sheet-gothic.woff2 and sheet-mincho.woff2 are IPAGothic and IPAMincho (ipag.ttf, ipam.ttf,\n"
        "https://moji.or.jp/ipafont/) subset to the characters of the drill sheets and\n"
        "renamed Kakemaru Sheet Gothic and Kakemaru Sheet Mincho. To use the original\n"
        "fonts instead, install them (Debian: fonts-ipafont-gothic, fonts-ipafont-mincho)\n"
        "and point the page's @font-face rules at them. Both are under this licence:\n\n"
        + licence_text(), encoding="utf-8")


if __name__ == "__main__":
    main()
