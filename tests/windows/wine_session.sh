#!/usr/bin/env bash
# One Wine server and one X server for all the tests of a run, so that a test
# starts in a fraction of a second rather than in seconds:
#   wine_session.sh start STATE   makes the prefix, starts both
#   wine_session.sh stop STATE    stops both, by their process ids
# The X server is for Wine's own services (explorer, services.exe...), which
# start with the first program and live as long as the server; each test has
# an X server of its own.
set -uo pipefail
[ $# -eq 2 ] || { echo "usage: $0 start|stop STATE" >&2; exit 2; }
STATE=$2
here=$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")
# shellcheck source=tests/windows/wine_prefix.sh
. "$here/wine_prefix.sh"
session=$STATE/session

stop_process() {
  local file=$1 pid
  [ -f "$file" ] || return 0
  pid=$(cat "$file")
  kill "$pid" 2>/dev/null
  for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && kill -KILL "$pid" 2>/dev/null
  rm -f "$file"
}

case $1 in
  start)
    ensure_prefix || { echo "no Wine prefix; see $STATE/wineboot.log" >&2; exit 1; }
    mkdir -p "$session"
    stop_process "$session/wineserver.pid"
    stop_process "$session/xvfb.pid"
    rm -f "$session/display" "$session/display.fifo"
    mkfifo "$session/display.fifo"
    # setsid: the servers outlive this script, and CTest does not wait for them.
    setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$session/display.fifo" \
      </dev/null >"$session/xvfb.log" 2>&1 &
    echo $! >"$session/xvfb.pid"
    if ! read -r -t 20 number <"$session/display.fifo" || [ -z "$number" ]; then
      echo "Xvfb did not start" >&2
      cat "$session/xvfb.log" >&2
      stop_process "$session/xvfb.pid"
      exit 1
    fi
    echo "$number" >"$session/display"
    # In the foreground of its own process, so that its id is the server's.
    setsid wineserver -f -p </dev/null >"$session/wineserver.log" 2>&1 &
    echo $! >"$session/wineserver.pid"
    # The services started here, away from CTest's output, which would
    # otherwise stay open until they end.
    DISPLAY=:$number "$wine" cmd /c exit </dev/null >>"$session/wineserver.log" 2>&1
    ;;
  stop)
    # The server's programs end with it only when it ends them.
    if [ -f "$session/wineserver.pid" ] && kill -0 "$(cat "$session/wineserver.pid")" 2>/dev/null; then
      timeout 20 wineserver -k
    fi
    stop_process "$session/wineserver.pid"
    stop_process "$session/xvfb.pid"
    rm -f "$session/display" "$session/display.fifo"
    ;;
  *)
    echo "usage: $0 start|stop STATE" >&2
    exit 2
    ;;
esac
