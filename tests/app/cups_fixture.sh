#!/usr/bin/env bash
# Starts or stops the print service for the print tests: a CUPS scheduler of
# our own (unless one already runs) with a virtual PDF queue as the default.
#   cups_fixture.sh start STATE_DIR QUEUE
#   cups_fixture.sh stop STATE_DIR QUEUE
# Only a scheduler that "start" launched is stopped, by its process id; on a
# scheduler that was already running, the previous default comes back.
set -uo pipefail
action=$1 state=$2 queue=$3
mkdir -p "$state"

# lpstat -r exits 0 either way; its words tell.
scheduler_running() { [ "$(lpstat -r 2>/dev/null)" = "scheduler is running" ]; }

case $action in
start)
  if ! scheduler_running; then
    mkdir -p /run/cups
    /usr/sbin/cupsd -f >"$state/cupsd.log" 2>&1 &
    echo $! >"$state/cupsd.pid"
    for _ in $(seq 100); do
      scheduler_running && break
      sleep 0.1
    done
    scheduler_running || { echo "the CUPS scheduler did not start" >&2; exit 1; }
  fi
  # A scheduler that was already running may have its own default: keep it.
  previous=$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')
  [ -n "$previous" ] && [ "$previous" != "$queue" ] && echo "$previous" >"$state/previous-default"
  # lpadmin warns that printer drivers are deprecated; harmless here.
  lpadmin -p "$queue" -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd -E 2>/dev/null || exit 1
  lpadmin -d "$queue" || exit 1
  echo "CUPS ready with the default queue $queue"
  ;;
stop)
  cancel -a -x "$queue" 2>/dev/null
  lpadmin -x "$queue" 2>/dev/null
  if [ -f "$state/previous-default" ]; then
    lpadmin -d "$(cat "$state/previous-default")" 2>/dev/null
    rm -f "$state/previous-default"
  fi
  if [ -f "$state/cupsd.pid" ]; then
    pid=$(cat "$state/cupsd.pid")
    kill "$pid" 2>/dev/null
    for _ in $(seq 50); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    rm -f "$state/cupsd.pid"
  fi
  ;;
*)
  echo "usage: $0 start|stop STATE_DIR QUEUE" >&2
  exit 2
  ;;
esac
