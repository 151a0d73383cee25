"""Puts the web page together, as one file and as a folder to serve.

    assemble.py BUILD FONTS OUT

BUILD is the core's build folder for web/ (kakemaru.js, its JavaScript twin
kakemaru-js.js, index.html and manifest.webmanifest as CMake configured them),
FONTS holds sheet-gothic.woff2, sheet-mincho.woff2 and IPA_Font_License.txt.
Writes OUT/kakemaru.html, which holds everything (script, WebAssembly, fonts,
style), and OUT/site/: the same page with a manifest, an icon and a service
worker that keeps it for use offline.
"""

import base64
import hashlib
import shutil
import sys
from pathlib import Path

PAGE = Path(__file__).resolve().parent
ICON = PAGE.parent.parent / "data" / "io.github.kakemaru.Kakemaru.svg"


def data_url(kind, content):
    return f"data:{kind};base64,{base64.b64encode(content).decode('ascii')}"


def fonts_css(fonts):
    licence = (fonts / "IPA_Font_License.txt").read_text(encoding="utf-8")
    # The licence goes with the fonts, in the page itself.
    css = "/*\n" + licence.replace("*/", "* /") + "*/\n"
    for family, file in (("kk-gothic", "sheet-gothic.woff2"), ("kk-mincho", "sheet-mincho.woff2")):
        url = data_url("font/woff2", (fonts / file).read_bytes())
        css += (f'@font-face {{ font-family: "{family}"; src: url({url}) format("woff2"); '
                "font-display: block; }\n")
    return css


def script_text(path):
    """A script's text as it can stand inside a <script> element."""
    text = path.read_text(encoding="utf-8")
    # "<!--" would change where the HTML parser ends the element.
    if "<!--" in text:
        sys.exit(f"{path}: a script with <!-- cannot go inside the page")
    return text.replace("</script", "<\\/script")


def page(build, fonts, head):
    template = (build / "index.html").read_text(encoding="utf-8")
    parts = {
        "<!--{manifest}-->": head,
        "/*{fonts}*/": fonts_css(fonts),
        "/*{style}*/": (PAGE / "page.css").read_text(encoding="utf-8"),
        "/*{core}*/": script_text(build / "kakemaru.js"),
        # Not run with the page: core_loader.js runs it where WebAssembly cannot start.
        "/*{core-js}*/": script_text(build / "kakemaru-js.js"),
        "/*{loader}*/": (PAGE / "core_loader.js").read_text(encoding="utf-8"),
        "/*{page}*/": (PAGE / "page.js").read_text(encoding="utf-8"),
    }
    for mark, text in parts.items():
        template = template.replace(mark, text, 1)
    return template


SERVICE_WORKER = """\
// Keeps the page for use offline: the first visit stores these files; later
// visits are answered from the store. A new build has a new store name, so
// the browser installs it and the old store is removed.
const STORE = "kakemaru-@VERSION@";
const FILES = ["./", "index.html", "manifest.webmanifest", "icon.svg", "IPA_Font_License.txt"];
self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(STORE).then((store) => store.addAll(FILES))
    .then(() => self.skipWaiting()));
});
self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name !== STORE)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});
self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET" || new URL(event.request.url).origin !== location.origin) {
    return;
  }
  event.respondWith(caches.open(STORE)
    .then((store) => store.match(event.request, { ignoreSearch: true }))
    .then((kept) => kept || fetch(event.request)));
});
"""


def main():
    build, fonts, out = (Path(argument) for argument in sys.argv[1:4])
    icon = ICON.read_bytes()
    single = page(build, fonts, f'<link rel="icon" href="{data_url("image/svg+xml", icon)}">')
    (out / "kakemaru.html").write_text(single, encoding="utf-8")

    site = out / "site"
    if site.exists():
        shutil.rmtree(site)
    site.mkdir(parents=True)
    served = page(build, fonts, '<link rel="icon" href="icon.svg">\n'
                  '<link rel="manifest" href="manifest.webmanifest">')
    (site / "index.html").write_text(served, encoding="utf-8")
    shutil.copy(build / "manifest.webmanifest", site / "manifest.webmanifest")
    (site / "icon.svg").write_bytes(icon)
    shutil.copy(fonts / "IPA_Font_License.txt", site / "IPA_Font_License.txt")
    version = hashlib.sha256(served.encode("utf-8")).hexdigest()[:16]
    (site / "sw.js").write_text(SERVICE_WORKER.replace("@VERSION@", version), encoding="utf-8")


if __name__ == "__main__":
    main()
