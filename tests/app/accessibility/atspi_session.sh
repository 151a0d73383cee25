#!/usr/bin/env bash
# The program as a screen reader reaches it: a private session bus, the AT-SPI
# bus launcher, and a client (pyatspi) that starts the program, turns the
# desktop's accessibility on after it, as Orca does, and reads and operates it.
# Run on an X display of the test's own (xvfb_session.sh). Every process
# started here is stopped by its id at the end.
#
#   atspi_session.sh PROGRAM PYTHON CLIENT STATE [LOCALE]
#
# LOCALE is C or a locale such as ja_JP.UTF-8, generated into STATE. Exit
# status: the client's, or 1 when the session failed.
set -u
program=$1 python=$2 client=$3 state=$4 locale=${5:-C}

fail() { echo "atspi_session: $*" >&2; exit 1; }

rm -rf "$state"
mkdir -p "$state"/{runtime,config,cache,locales} || fail "cannot create $state"
chmod 700 "$state/runtime"
export XDG_RUNTIME_DIR=$state/runtime XDG_CONFIG_HOME=$state/config XDG_CACHE_HOME=$state/cache
unset LC_ALL LANGUAGE
if [ "$locale" = C ]; then
  export LANG=C
else
  localedef -i "${locale%%.*}" -f "${locale#*.}" "$state/locales/$locale" ||
    fail "cannot generate $locale"
  export LOCPATH=$state/locales LANG=$locale
fi

started=()
descendants() {
  local child
  for child in $(ps -o pid= --ppid "$1"); do
    descendants "$child"
    echo "$child"
  done
}
stop() {
  local pid all=() left
  for pid in "${started[@]}"; do all+=($(descendants "$pid") "$pid"); done
  [ ${#all[@]} -eq 0 ] && return
  kill "${all[@]}" 2>/dev/null
  for _ in $(seq 50); do
    left=$(ps -o pid= -p "$(IFS=,; echo "${all[*]}")") || break
    sleep 0.1
  done
  [ -n "${left:-}" ] && kill -KILL $left 2>/dev/null
  wait 2>/dev/null
}
trap stop EXIT

bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1) || fail "no session bus"
export DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p <<<"$bus")
started+=("$(sed -n 2p <<<"$bus")")

/usr/libexec/at-spi-bus-launcher --launch-immediately &
started+=($!)
for _ in $(seq 100); do
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    >/dev/null 2>&1 && break
  sleep 0.1
done

# The client starts the program once it listens, and ends it through its 終了
# button; the program's id, in a file, lets the session stop it if it fails.
pid_file=$state/program.pid
"$python" "$client" "$program" "$pid_file" &
started+=($!)
wait $!
status=$?
if [ -s "$pid_file" ] && kill -0 "$(cat "$pid_file")" 2>/dev/null; then
  started+=("$(cat "$pid_file")")
fi
exit "$status"
