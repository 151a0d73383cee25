#!/usr/bin/env bash
# Runs a command on an X server of its own: Xvfb picks a free display number
# itself (-displayfd), so that tests started side by side never take the
# same one, as xvfb-run -a can. The server is stopped by its process id.
#
#   xvfb_session.sh WIDTHxHEIGHTxDEPTH COMMAND [ARGUMENTS...]
set -uo pipefail
[ $# -ge 2 ] || { echo "usage: $0 WIDTHxHEIGHTxDEPTH COMMAND [ARGUMENTS...]" >&2; exit 2; }
screen=$1
shift

folder=$(mktemp -d "${TMPDIR:-/tmp}/kakemaru-xvfb.XXXXXX") || exit 1
mkfifo "$folder/display"
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$folder/display" \
  </dev/null >"$folder/xvfb.log" 2>&1 &
server=$!
stop() {
  kill "$server" 2>/dev/null
  wait "$server" 2>/dev/null
  rm -rf "$folder"
}
trap stop EXIT

if ! read -r -t 20 number <"$folder/display" || [ -z "$number" ]; then
  echo "xvfb_session: Xvfb did not start" >&2
  cat "$folder/xvfb.log" >&2
  exit 1
fi
DISPLAY=:$number "$@"
