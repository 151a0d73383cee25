"""Reads back one page that Wine's PostScript driver sent and checks it
against page_layout's lines ("x y cell-height text", in drawing order).

Each glyph goes out as `X Y moveto` and `/NAME glyphshow` in device pixels
from the printable area's corner, in the font of the last `/FONT findfont`;
NAME is the IPA font's own glyph name. Every text must come out glyph for
glyph in order, its first glyph at the text's x and every glyph on its
baseline, the font's ascent below the cell's top, within 2 pixels; nothing
else may be printed. Prints the page as read: "x baseline text".
    check_printed_page.py PAGE.ps EXPECTED
"""
import re
import subprocess
import sys

from fontTools.ttLib import TTFont

TOLERANCE = 2


def font_info(family):
    path = subprocess.run(["fc-match", "-f", "%{file}", family], capture_output=True,
                          text=True, check=True).stdout
    font = TTFont(path)
    if font["name"].getDebugName(1) != family:
        sys.exit(f"no {family} here (fc-match gives {path})")
    os2 = font["OS/2"]
    names = {name: chr(code) for code, name in font.getBestCmap().items()}
    return names, os2.usWinAscent / (os2.usWinAscent + os2.usWinDescent)


def glyphs(postscript):
    fonts, family, position = {}, None, None
    with open(postscript, encoding="latin-1") as page:
        for line in page:
            if m := re.fullmatch(r"/(\S+) findfont\n", line):
                family = m[1]
                fonts.setdefault(family, font_info(family))
            elif m := re.fullmatch(r"(-?\d+) (-?\d+) moveto\n", line):
                position = int(m[1]), int(m[2])
            elif m := re.fullmatch(r"/(\S+) glyphshow\n", line):
                names, ascent = fonts[family]
                yield position, names.get(m[1], "?"), ascent


def main(postscript, expected_file):
    if (pages := open(postscript, encoding="latin-1").read().count("\n%%Page: ")) != 1:
        sys.exit(f"{pages} pages printed, not one")
    printed = list(glyphs(postscript))
    faults, at = [], 0
    for line in open(expected_file, encoding="utf-8"):
        x, y, height, text = line.rstrip("\n").split(" ", 3)
        x, y, height, text = int(x), int(y), int(height), text.replace(" ", "")
        run = printed[at:at + len(text)]
        at += len(run)
        got = "".join(char for _, char, _ in run)
        print(f"{run[0][0][0] if run else '-'} {run[0][0][1] if run else '-'} {got}")
        baseline = y + height * run[0][2] if run else y
        if got != text:
            faults.append(f"{text!r} at {x},{y} printed as {got!r}")
        elif abs(run[0][0][0] - x) > TOLERANCE or any(
                abs(py - baseline) > TOLERANCE for (_, py), _, _ in run):
            faults.append(f"{text!r} at {x},{y} (baseline {baseline:.1f}) printed at "
                          f"{[pos for pos, _, _ in run]}")
    if at < len(printed):
        faults.append(f"printed beyond the sheet: {''.join(c for _, c, _ in printed[at:])!r}")
    if faults:
        sys.exit("\n".join(faults))


if __name__ == "__main__":
    main(*sys.argv[1:])
