#!/usr/bin/env bash
# Builds the Windows installer and runs it under Wine in a fresh prefix, as a
# school would: silent install, the program's window from the installed
# folder, the Start-menu entry and the programs-list entry of VERSION, then
# the silent uninstall the entry names, after which the prefix must be as
# before. Needs an X display (xvfb_session.sh).
#   check_windows_installer.sh BUILD_DIR WORK_DIR VERSION
set -euo pipefail
build=$1 work=$2 version=$3
fail() { echo "$*" >&2; exit 1; }
rm -rf "$work"
mkdir -p "$work"
cmake --build "$build" --target installer >/dev/null
installer=$build/kakemaru-$version-setup.exe

export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >/dev/null 2>&1
wineserver -w
trap 'wineserver -k 2>/dev/null || true' EXIT
listing() { (cd "$WINEPREFIX/drive_c" && find . | LC_ALL=C sort); }
listing >"$work/before"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kakemaru'

wine "$installer" /S || fail "the silent install failed"
wineserver -w
folder="$WINEPREFIX/drive_c/Program Files/Kakemaru"
for file in kakemaru.exe uninstall.exe Qt6Core.dll libstdc++-6.dll platforms/qwindows.dll \
    styles/qwindowsvistastyle.dll translations/qtbase_ja.qm; do
  [ -f "$folder/$file" ] || fail "not installed: $file"
done
[ -f "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/ｶｹﾏﾙ For 九九.lnk" ] ||
  fail "no Start-menu entry"
wine reg export "$key" "$work/key.reg" /reg:64 /y >/dev/null || fail "no programs-list entry"
entry=$(iconv -f UTF-16 -t UTF-8 "$work/key.reg" | tr -d '\r')
for value in '"DisplayName"="ｶｹﾏﾙ For 九九"' "\"DisplayVersion\"=\"$version\"" \
    '"QuietUninstallString"="\"C:\\Program Files\\Kakemaru\\uninstall.exe\" /S"' \
    '"NoModify"=dword:00000001' '"EstimatedSize"=dword:'; do
  grep -qF "$value" <<<"$entry" || fail "the programs-list entry lacks $value"
done

# Every DLL it needs is there: the window opens.
wine "$folder/kakemaru.exe" >/dev/null 2>&1 &
title="ｶｹﾏﾙ For 九九 Ver.$version"
for _ in $(seq 60); do
  xdotool search --name "^$title\$" >/dev/null 2>&1 && break
  sleep 0.5
done
xdotool search --name "^$title\$" >/dev/null || fail "the installed program shows no window"
wine taskkill /im kakemaru.exe >/dev/null
wait

# The silent uninstall, as the entry gives it.
wine "C:\\Program Files\\Kakemaru\\uninstall.exe" /S || fail "the silent uninstall failed"
wineserver -w
wine reg query "$key" /reg:64 >/dev/null 2>&1 && fail "the programs-list entry stays"
# The uninstaller's copy in the temp folder goes at the next start.
wineboot -r >/dev/null 2>&1
wineserver -w
listing >"$work/after"
diff "$work/before" "$work/after" || fail "the uninstall leaves the files above"
echo "$(basename "$installer") installs, starts and uninstalls without a trace"
