#!/usr/bin/env bash
# Runs the real program under a headless Wayland compositor (weston) of its own.
#   wayland_session.sh window PROGRAM WORK_DIR
#     The window reaches the compositor with its exact title and a painted
#     buffer; a screenshot of the compositor's screen is left in WORK_DIR.
#   wayland_session.sh missing-plugin PROGRAM WORK_DIR QT_PLATFORMS_DIR
#     With Qt's Wayland plugins hidden (a private mount namespace), the program
#     names the missing package and exits 1 where Qt would abort; Qt still
#     falls back to X11 where it can, and finds a plugin on QT_PLUGIN_PATH.
#     Exits 77 (skipped) where no private mount namespace can be made.
# KAKEMARU_VERSION is the version the build gave the program.
# Everything started here is stopped by its process id on exit.
set -uo pipefail
mode=$1 program=$2 work=$3
title="ｶｹﾏﾙ For 九九 Ver.${KAKEMARU_VERSION:?not set by the build}"
app_id=io.github.kakemaru.Kakemaru

rm -rf "$work"
# Short names: the socket's whole path must fit in a socket address.
mkdir -p "$work/rt"
chmod 700 "$work/rt"
export XDG_RUNTIME_DIR=$work/rt
socket=wl
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM QT_QPA_PLATFORM_PLUGIN_PATH QT_PLUGIN_PATH

started=()
stop_all() {
  local index
  for ((index = ${#started[@]} - 1; index >= 0; index--)); do
    kill "${started[index]}" 2>/dev/null
    wait "${started[index]}" 2>/dev/null
  done
}
trap stop_all EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

start_weston() {
  weston --backend=headless-backend.so --socket=$socket --width=1280 --height=1024 \
    --idle-time=0 --use-pixman --debug --log="$work/weston.log" 2>"$work/weston-stderr.log" &
  started+=($!)
  local _
  for _ in $(seq 100); do
    [ -S "$XDG_RUNTIME_DIR/$socket" ] && return
    kill -0 "${started[-1]}" 2>/dev/null || break
    sleep 0.1
  done
  fail "weston did not start; see $work/weston.log"
}

# An X server of its own, on a display number it chooses itself; it logs each
# client that connects.
start_xvfb() {
  Xvfb -displayfd 3 -audit 2 -screen 0 1024x768x24 -nolisten tcp 3>"$work/x-display" 2>"$work/xvfb.log" &
  started+=($!)
  local _
  for _ in $(seq 100); do
    [ -s "$work/x-display" ] && break
    sleep 0.1
  done
  [ -s "$work/x-display" ] || fail "Xvfb did not start; see $work/xvfb.log"
  x_display=:$(head -n 1 "$work/x-display")
}

# What the compositor was sent, from the program's protocol log: the title and
# app id of its toplevel, and "painted" once a buffer attached to the
# toplevel's surface was committed and the surface entered an output.
read_protocol_log() {
  local line xdg_surface='' surface='' toplevel='' attached=''
  titles=() app_ids=() painted=no buffer_size=''
  while IFS= read -r line; do
    if [[ $line =~ -\>\ xdg_wm_base@[0-9]+\.get_xdg_surface\(new\ id\ xdg_surface@([0-9]+),\ wl_surface@([0-9]+)\) ]]; then
      xdg_surface=${BASH_REMATCH[1]} surface=${BASH_REMATCH[2]}
    elif [[ $line =~ -\>\ xdg_surface@${xdg_surface:-x}\.get_toplevel\(new\ id\ xdg_toplevel@([0-9]+)\) ]]; then
      toplevel=${BASH_REMATCH[1]}
    elif [[ $line =~ -\>\ xdg_toplevel@${toplevel:-x}\.set_title\(\"(.*)\"\)$ ]]; then
      titles+=("${BASH_REMATCH[1]}")
    elif [[ $line =~ -\>\ xdg_toplevel@${toplevel:-x}\.set_app_id\(\"(.*)\"\)$ ]]; then
      app_ids+=("${BASH_REMATCH[1]}")
    elif [[ $line =~ -\>\ wl_shm_pool@[0-9]+\.create_buffer\(new\ id\ wl_buffer@([0-9]+),\ [0-9]+,\ ([0-9]+),\ ([0-9]+), ]]; then
      eval "size_${BASH_REMATCH[1]}=${BASH_REMATCH[2]}x${BASH_REMATCH[3]}"
    elif [[ $line =~ -\>\ wl_surface@${surface:-x}\.attach\(wl_buffer@([0-9]+), ]]; then
      attached=${BASH_REMATCH[1]}
    elif [[ -n $attached && $line =~ -\>\ wl_surface@${surface:-x}\.commit\(\) ]]; then
      local size_name=size_$attached
      buffer_size=${!size_name:-}
    elif [[ -n $buffer_size && $line =~ \ wl_surface@${surface:-x}\.enter\(wl_output@ ]]; then
      painted=yes
    fi
  done <"$work/program.log"
}

# Pure red is the window's heading and nothing else on weston's screen.
count_red_pixels() {
  convert "$1" -alpha off -fill black +opaque '#ff0000' -fill white -opaque '#ff0000' \
    -format '%[fx:round(mean*w*h)]' info:
}

case $mode in
window)
  start_weston
  WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client "$program" \
    2>"$work/program.log" &
  started+=($!)
  program_pid=$!
  for _ in $(seq 300); do
    kill -0 "$program_pid" 2>/dev/null || fail "the program ended early; see $work/program.log"
    read_protocol_log
    [ "$painted" = yes ] && break
    sleep 0.1
  done
  [ "$painted" = yes ] || fail "no painted window reached the compositor in 30 s; see $work/program.log"
  [ ${#titles[@]} -eq 1 ] || fail "expected one title, got ${#titles[@]}: ${titles[*]}"
  [ "${titles[0]}" = "$title" ] || fail "title \"${titles[0]}\", expected \"$title\""
  [ "${app_ids[*]}" = "$app_id" ] || fail "app id \"${app_ids[*]}\", expected \"$app_id\""
  echo "window \"${titles[0]}\" ($app_id) painted at ${buffer_size} and shown"

  # What weston's screen shows: the window's own pixels, not only a frame. The
  # screen fades in after weston starts; until then the heading is dimmed.
  for _ in $(seq 20); do
    rm -f "$work"/wayland-screenshot-*.png
    (cd "$work" && WAYLAND_DISPLAY=$socket timeout 20 weston-screenshooter) ||
      fail "weston-screenshooter failed"
    shots=("$work"/wayland-screenshot-*.png)
    shot=${shots[0]}
    [ -f "$shot" ] || fail "weston-screenshooter left no screenshot"
    red=$(count_red_pixels "$shot")
    [ "$red" -gt 50 ] && break
    sleep 0.5
  done
  [ "$red" -gt 50 ] || fail "the screenshot $shot shows no heading ($red red pixels)"
  echo "screenshot $shot: $red pixels of the red heading"
  # What Qt said besides the protocol, for people to read.
  grep -v '^\[' "$work/program.log" | sed 's/^/program: /' || true
  ;;

missing-plugin)
  platforms=$4
  # Qt's platform folder as it is without qt6-wayland, and the Wayland plugins
  # in a folder of their own. Copies: links into the hidden folder would break.
  mkdir -p "$work/platforms" "$work/own-plugins/platforms"
  for plugin in "$platforms"/*; do
    case ${plugin##*/} in
    *wayland*) cp "$plugin" "$work/own-plugins/platforms/" ;;
    *) cp "$plugin" "$work/platforms/" ;;
    esac
  done
  ls "$work/own-plugins/platforms"/*wayland* >/dev/null 2>&1 ||
    fail "no Wayland platform plugin in $platforms to hide"
  # shellcheck disable=SC2016 # expanded by the inner shell
  hide_plugin=(sh -c 'mount --bind "$1" "$2" && shift 2 && exec "$@"' sh "$work/platforms" "$platforms")
  # As root a mount namespace will do; others need a user namespace as well.
  namespace=()
  for candidate in "unshare --mount" "unshare --user --map-root-user --mount"; do
    read -ra try <<<"$candidate"
    if "${try[@]}" "${hide_plugin[@]}" true 2>/dev/null; then
      namespace=("${try[@]}")
      break
    fi
  done
  if [ ${#namespace[@]} -eq 0 ]; then
    echo "no private mount namespace can be made here; skipped"
    exit 77
  fi
  expect_refusal() {
    local status
    "${namespace[@]}" "${hide_plugin[@]}" timeout 20 env "$@" "$program" >/dev/null 2>"$work/err.txt"
    status=$?
    [ $status -eq 1 ] || fail "$*: exit status $status, expected 1; stderr: $(cat "$work/err.txt")"
    grep -q 'qt6-wayland' "$work/err.txt" || fail "$*: qt6-wayland not named: $(cat "$work/err.txt")"
    ! grep -q 'qt.qpa.plugin' "$work/err.txt" || fail "$*: Qt got as far as its plugins"
    echo "$*: exit 1, \"$(head -n 1 "$work/err.txt")\""
  }
  # Starts the program and waits until FILE holds PATTERN, the sign that it
  # came up; the program must not refuse, nor end.
  expect_start() {
    local file=$1 pattern=$2 log=$3 pid _
    shift 3
    "${namespace[@]}" "${hide_plugin[@]}" env "$@" "$program" >/dev/null 2>"$log" &
    pid=$!
    started+=("$pid")
    for _ in $(seq 300); do
      kill -0 $pid 2>/dev/null || fail "$*: the program ended: $(cat "$log")"
      grep -qF "$pattern" "$file" && break
      sleep 0.1
    done
    grep -qF "$pattern" "$file" || fail "$*: no \"$pattern\" in $file within 30 s"
    ! grep -q 'qt6-wayland' "$log" || fail "$*: refused though Qt could start"
  }

  start_weston
  expect_refusal WAYLAND_DISPLAY=$socket
  start_xvfb
  # Asked for by name, Wayland has no fallback in Qt, X server or not.
  expect_refusal WAYLAND_DISPLAY=$socket DISPLAY="$x_display" QT_QPA_PLATFORM=wayland

  expect_start "$work/xvfb.log" "connected from" "$work/x11.log" WAYLAND_DISPLAY=$socket \
    DISPLAY="$x_display"
  grep -q 'Could not find the Qt platform plugin "wayland"' "$work/x11.log" ||
    fail "Qt did not say it went without Wayland: $(cat "$work/x11.log")"
  echo "with an X server as well: Qt warned and started on X11"

  expect_start "$work/own.log" "set_title(\"$title\")" "$work/own.log" WAYLAND_DISPLAY=$socket \
    QT_PLUGIN_PATH="$work/own-plugins" WAYLAND_DEBUG=client
  echo "with the plugin on QT_PLUGIN_PATH: started on Wayland"
  ;;

*)
  echo "usage: $0 window PROGRAM WORK_DIR | missing-plugin PROGRAM WORK_DIR QT_PLATFORMS_DIR" >&2
  exit 2
  ;;
esac
