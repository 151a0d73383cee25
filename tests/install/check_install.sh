#!/usr/bin/env bash
# Installs the built program into a scratch folder and checks what a desktop
# reads from it, then builds the Debian package and checks its control data
# and contents, and that lintian finds no error or warning in it. VERSION is
# the project's version, which the package and its papers must carry.
#   check_install.sh BUILD_DIR WORK_DIR VERSION
set -euo pipefail
build=$1 work=$2 version=$3
id=io.github.kakemaru.Kakemaru
rm -rf "$work"
mkdir -p "$work"

cmake --install "$build" --prefix "$work/root" >/dev/null
root=$work/root
for file in bin/kakemaru share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
    share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/48x48/apps/$id.png \
    share/icons/hicolor/256x256/apps/$id.png share/man/man1/kakemaru.1.gz \
    share/man/ja/man1/kakemaru.1.gz share/doc/kakemaru/copyright share/doc/kakemaru/changelog.gz; do
  [ -f "$root/$file" ] || { echo "not installed: $file" >&2; exit 1; }
done
desktop-file-validate "$root/share/applications/$id.desktop"
# Pedantic notes are shown but pass (the id keeps its capitals: it names the
# desktop entry, the icons and the Wayland app id); anything more fails.
appstreamcli validate --pedantic --strict --no-net "$root/share/metainfo/$id.metainfo.xml"
# The manual pages as man and lintian read them: no groff warning, and a
# NAME line for whatis.
for page in share/man/man1/kakemaru.1.gz share/man/ja/man1/kakemaru.1.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$root/$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || { echo "$page: $warnings" >&2; exit 1; }
  lexgrog "$root/$page" >/dev/null || { echo "$page: no NAME line for whatis" >&2; exit 1; }
done
grep -q '^Name\[ja\]=ｶｹﾏﾙ For 九九$' "$root/share/applications/$id.desktop"
grep -q '^Categories=Education;' "$root/share/applications/$id.desktop"

(cd "$build" && cpack -B "$work/package" >/dev/null)
deb=$(ls "$work"/package/kakemaru_*_*.deb)
info=$(dpkg-deb --info "$deb")
contents=$(dpkg-deb --contents "$deb")
echo "$info"
for needed in libqt6widgets6 libcups2 libcanberra0 fonts-ipafont-gothic \
    fonts-ipafont-mincho; do
  grep -q "^ Depends:.*$needed" <<<"$info" || { echo "the package does not depend on $needed" >&2; exit 1; }
done
for wanted in qt6-wayland qt6-translations-l10n; do
  grep -q "^ Recommends:.*$wanted" <<<"$info" || { echo "the package does not recommend $wanted" >&2; exit 1; }
done
for file in ./usr/bin/kakemaru ./usr/share/applications/$id.desktop \
    ./usr/share/metainfo/$id.metainfo.xml ./usr/share/icons/hicolor/scalable/apps/$id.svg \
    ./usr/share/man/man1/kakemaru.1.gz ./usr/share/man/ja/man1/kakemaru.1.gz \
    ./usr/share/doc/kakemaru/copyright ./usr/share/doc/kakemaru/changelog.gz; do
  grep -q " $file\$" <<<"$contents" || { echo "not in the package: $file" >&2; exit 1; }
done
# The package, its changelog, the manual pages and the metainfo speak of the
# project's version, so that a new version cannot ship last version's papers.
packaged=$(dpkg-deb -f "$deb" Version)
[ "$packaged" = "$version" ] ||
  { echo "the package is version $packaged, the project $version" >&2; exit 1; }
changelog=$(zcat "$root/share/doc/kakemaru/changelog.gz")
grep -q "^kakemaru ($version) " <<<"${changelog%%$'\n'*}" ||
  { echo "the changelog does not begin with version $version" >&2; exit 1; }
for page in share/man/man1/kakemaru.1.gz share/man/ja/man1/kakemaru.1.gz; do
  source=$(zcat "$root/$page")
  grep -q "^\.TH .*\"kakemaru $version\"" <<<"$source" ||
    { echo "$page is not for version $version" >&2; exit 1; }
done
grep -q "<release version=\"$version\"" "$root/share/metainfo/$id.metainfo.xml" ||
  { echo "the metainfo has no release $version" >&2; exit 1; }
# The packaged program as Debian builds it: position independent, full RELRO,
# bound at start, without the compiler's notes.
dpkg-deb -x "$deb" "$work/unpacked"
program=$work/unpacked/usr/bin/kakemaru
segments=$(readelf -lW "$program") dynamic=$(readelf -dW "$program") sections=$(readelf -SW "$program")
grep -q GNU_RELRO <<<"$segments" || { echo "the packaged program has no RELRO" >&2; exit 1; }
flags=$(grep '(FLAGS_1)' <<<"$dynamic" || true)
for flag in NOW PIE; do
  grep -qw $flag <<<"$flags" || { echo "the packaged program lacks $flag: $flags" >&2; exit 1; }
done
if grep -q ' \.comment ' <<<"$sections"; then
  echo "the packaged program keeps its .comment section" >&2
  exit 1
fi
# Every tag with its explanation; errors and warnings fail. CI runs as root.
lintian --allow-root --info --display-info --fail-on error,warning "$deb" ||
  { echo "lintian finds errors or warnings in $(basename "$deb")" >&2; exit 1; }
echo "installed files valid; package $(basename "$deb") complete"
