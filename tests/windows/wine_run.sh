#!/usr/bin/env bash
# Runs a Windows test program under Wine, as CTest's emulator:
#   wine_run.sh STATE PROGRAM.exe [ARGUMENTS...]
# In the private prefix STATE/prefix (made at the first run), through the Wine
# server of the test session (wine_session.sh) when it runs, on an Xvfb of the
# program's own: tests side by side on one display would take each other's
# focus. Wine hands no QT_* variable to the program: each goes as
# WINEQT_*, Qt's platform as Windows'. QtTest's log goes to stderr rather than
# the debugger's output.
set -uo pipefail
[ $# -ge 2 ] || { echo "usage: $0 STATE PROGRAM [ARGUMENTS...]" >&2; exit 2; }
STATE=$1
shift
here=$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")
# shellcheck source=tests/windows/wine_prefix.sh
. "$here/wine_prefix.sh"
ensure_prefix || { echo "wine_run: no Wine prefix; see $STATE/wineboot.log" >&2; exit 1; }
# Within a session its server must be there: without it each program would
# start a server of its own, and a program that meets one on its way out
# fails without a word.
if [ -f "$STATE/session/display" ] && ! wineserver -k0 2>/dev/null; then
  echo "wine_run: the Wine session's server is not running; see $STATE/session/wineserver.log" >&2
  exit 1
fi

export QT_QPA_PLATFORM=windows
while IFS='=' read -r name _; do
  [[ $name == QT_* ]] && export "WINE$name=${!name}"
done < <(env)
export WINEQT_FORCE_STDERR_LOGGING=1

exec "$here/../app/xvfb_session.sh" 1024x768x24 "$wine" "$@"
