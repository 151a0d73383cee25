#!/usr/bin/env bash
# Builds the Windows installer and runs it under Wine in a fresh prefix, as a
# school would: silent install, the program's window from the installed
# folder, the Start-menu entry and the programs-list entry of VERSION; a
# sheet made with the keyboard and printed on the default printer, a queue of
# the private CUPS scheduler that the environment names (cups_fixture.sh);
# then the silent uninstall the entry names, after which the prefix must be
# as before. Needs an X display (xvfb_session.sh).
#   check_windows_installer.sh BUILD_DIR WORK_DIR VERSION PAGE_LAYOUT PYTHON
# PAGE_LAYOUT is the Windows program that tells where the sheet's texts go;
# PYTHON has fontTools.
set -euo pipefail
build=$1 work=$(realpath -m "$2") version=$3 page_layout=$4 python=$5
fail() { echo "$*" >&2; exit 1; }
[ -n "${KAKEMARU_CUPS_STATE:-}" ] && [ -n "${CUPS_SERVER:-}" ] ||
  fail "no private print service: run through CTest, or set up cups_fixture.sh's environment"
rm -rf "$work"
mkdir -p "$work"
cmake --build "$build" --target installer >/dev/null
installer=$build/kakemaru-$version-setup.exe

# The default printer, which Wine's spooler takes as Windows' default when the
# prefix is made: the driverless one, whose paper has margins.
lpadmin -d "$KAKEMARU_IPP_QUEUE" || fail "cannot make $KAKEMARU_IPP_QUEUE the default printer"
# The tests' prefix: the Windows Japanese faces stand for the IPA fonts.
STATE=$work
# shellcheck source=tests/windows/wine_prefix.sh
. "$(dirname "$0")/../windows/wine_prefix.sh"
ensure_prefix || fail "no Wine prefix; see $work/wineboot.log"
trap 'wineserver -k 2>/dev/null || true' EXIT
# Wine's spooler keeps the printers' PPDs in the temp folder: not ours.
listing() { (cd "$WINEPREFIX/drive_c" && find . | grep -v '/Temp/wine_ppds' | LC_ALL=C sort); }
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

# A sheet of the 3 table, nine questions ascending as the window starts,
# numbered 1: focus is on 入れない; seven Tabs reach 3の段, space ticks it,
# six back reach ﾌﾟﾚﾋﾞｭｰ, then three on 印刷.
xdotool key --delay 50 Tab Tab Tab Tab Tab Tab Tab space \
  shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab Return Tab Tab Tab Return
for _ in $(seq 60); do
  [ -n "$(lpstat -W completed -o)" ] && break
  sleep 0.5
done
spooled=("$KAKEMARU_CUPS_STATE"/spool/d*-001)
[ ${#spooled[@]} -eq 1 ] && [ -f "${spooled[0]}" ] && [ -n "$(lpstat -W completed -o)" ] ||
  fail "the print reached the default printer as no single completed job"
grep -q '^%%BeginFeature: \*PageSize A4$' "${spooled[0]}" || fail "the job is not on the printer's A4 paper"
wine "$page_layout" 1 3 | tr -d '\r' >"$work/expected" || fail "page_layout failed"
"$python" "$(dirname "$0")/check_printed_page.py" "${spooled[0]}" "$work/expected" ||
  fail "the printed sheet is not the sheet made"
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
