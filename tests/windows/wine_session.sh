#!/usr/bin/env bash
# One Wine server and one X server for all the tests of a run, so that a test
# starts in a fraction of a second rather than in seconds:
#   wine_session.sh start STATE   makes the prefix, starts both
#   wine_session.sh stop STATE    stops both
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

# The prefix's server is the owner of the prefix's lock: wineserver -k0
# tells whether there is one, wineserver -k ends it with its programs, which
# end with it only when it ends them.
server_running() { wineserver -k0 2>/dev/null; }
stop_server() {
  server_running || return 0
  timeout 20 wineserver -k
}

case $1 in
  start)
    ensure_prefix || { echo "no Wine prefix; see $STATE/wineboot.log" >&2; exit 1; }
    mkdir -p "$session"
    # What an interrupted run left.
    stop_server
    stop_process "$session/xvfb.pid"
    rm -f "$session/display" "$session/display.fifo"
    mkfifo "$session/display.fifo"
    # setsid: the X server outlives this script, and CTest does not wait for it.
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
    # As a daemon, which returns once programs can reach it. Started in the
    # background, it sometimes came after the first program, which then
    # started a server of its own, one that ends whenever no program is
    # left: the tests ran on whatever server was there.
    if ! wineserver -p </dev/null >"$session/wineserver.log" 2>&1; then
      echo "the Wine server did not start (is one running on $WINEPREFIX?)" >&2
      stop_process "$session/xvfb.pid"
      exit 1
    fi
    # The services started here, away from CTest's output, which would
    # otherwise stay open until they end.
    DISPLAY=:$number "$wine" cmd /c exit </dev/null >>"$session/wineserver.log" 2>&1
    server_running || { echo "the Wine server ended; see $session/wineserver.log" >&2; exit 1; }
    ;;
  stop)
    stop_server
    stop_process "$session/xvfb.pid"
    rm -f "$session/display" "$session/display.fifo"
    ;;
  *)
    echo "usage: $0 start|stop STATE" >&2
    exit 2
    ;;
esac
