#!/usr/bin/env bash
# Installs the built program into a scratch folder and checks what a desktop
# reads from it, then builds the Debian package and checks its control data
# and contents.
#   check_install.sh BUILD_DIR WORK_DIR
set -euo pipefail
build=$1 work=$2
id=io.github.kakemaru.Kakemaru
rm -rf "$work"
mkdir -p "$work"

cmake --install "$build" --prefix "$work/root" >/dev/null
root=$work/root
for file in bin/kakemaru share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
    share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/48x48/apps/$id.png \
    share/icons/hicolor/256x256/apps/$id.png; do
  [ -f "$root/$file" ] || { echo "not installed: $file" >&2; exit 1; }
done
desktop-file-validate "$root/share/applications/$id.desktop"
appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml"
grep -q '^Name\[ja\]=ｶｹﾏﾙ For 九九$' "$root/share/applications/$id.desktop"
grep -q '^Categories=Education;' "$root/share/applications/$id.desktop"

(cd "$build" && cpack -B "$work/package" >/dev/null)
deb=$(ls "$work"/package/kakemaru_*_*.deb)
info=$(dpkg-deb --info "$deb")
contents=$(dpkg-deb --contents "$deb")
echo "$info"
for needed in libqt6widgets6 libqt6printsupport6 libcups2 libcanberra0 fonts-ipafont-gothic \
    fonts-ipafont-mincho; do
  grep -q "^ Depends:.*$needed" <<<"$info" || { echo "the package does not depend on $needed" >&2; exit 1; }
done
for wanted in qt6-wayland qt6-translations-l10n; do
  grep -q "^ Recommends:.*$wanted" <<<"$info" || { echo "the package does not recommend $wanted" >&2; exit 1; }
done
for file in ./usr/bin/kakemaru ./usr/share/applications/$id.desktop \
    ./usr/share/metainfo/$id.metainfo.xml ./usr/share/icons/hicolor/scalable/apps/$id.svg; do
  grep -q " $file\$" <<<"$contents" || { echo "not in the package: $file" >&2; exit 1; }
done
echo "installed files valid; package $(basename "$deb") complete"
