#!/usr/bin/env bash
# The print tests' own print service: a CUPS scheduler and a driverless IPP
# printer that belong to the tests alone, all kept in a state folder D.
#
#   cups_fixture.sh start D AVAHI_STUB   fresh D, scheduler, printer and queues
#   cups_fixture.sh stop D               stop all that start launched
#   cups_fixture.sh ipp-stop D           the IPP printer goes away...
#   cups_fixture.sh ipp-start D          ...and comes back on the same port
#
# Queues: kakemaru-pdf (the default, a PDF printer whose output is thrown
# away; the spooled copies D/spool/d<job>-001 are the program's own PDFs),
# kakemaru-raw (a raw queue, as for a printer shared from elsewhere: it tells
# no paper; its output is thrown away too) and kakemaru-ipp (IPP Everywhere, in front of ippeveprinter on 127.0.0.1, port
# in D/ipp-port). What that printer receives is kept as
# D/ipp-received/NNNN-<job title>.pdf, numbered in order of arrival, and
# NNNN-<job title>.pdf.attrs, the job's IPP attributes, appears once the
# file is complete.
#
# Clients reach the scheduler with CUPS_SERVER=D/cups.sock,
# CUPS_SERVERROOT=D/etc and HOME=D/home; the machine's own scheduler, its
# queues and /etc/cups are never used. Exit status: 0 done, 1 failed,
# 2 wrong use, 77 cannot run here (not root, or CUPS programs missing).
set -uo pipefail

readonly skip=77
readonly cupsd=/usr/sbin/cupsd
readonly ippeveprinter=/usr/sbin/ippeveprinter
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
readonly here

usage() {
  echo "usage: $0 start STATE_DIR AVAHI_STUB | stop STATE_DIR | ipp-stop STATE_DIR | ipp-start STATE_DIR" >&2
  exit 2
}
fail() {
  echo "cups_fixture: $*" >&2
  exit 1
}

action=${1:-}
[ $# -ge 2 ] || usage
# D as given, and where the service really lives: D itself, or the private
# temporary folder D links to (see start).
folder=$(realpath -ms -- "$2")
[ "$folder" != / ] || fail "the state folder cannot be /"
# Clients reach the scheduler at D/cups.sock: a socket address holds 108 bytes.
[ ${#folder} -le 90 ] || fail "state folder path too long for a socket: $folder"

# Every client call below talks to our scheduler, and lpoptions files, the
# server's (D/etc/lpoptions) and the user's (D/home/.cups/lpoptions, root's
# too), stay in D.
use_state() {
  state=$1
  received=$state/ipp-received
  export CUPS_SERVER=$state/cups.sock CUPS_SERVERROOT=$state/etc HOME=$state/home
}
use_state "$(realpath -m -- "$2")"
unset LPDEST PRINTER CUPS_USER

readonly pdf_queue=kakemaru-pdf raw_queue=kakemaru-raw ipp_queue=kakemaru-ipp

log_tail() { [ -f "$1" ] && tail -n 20 "$1" >&2; }

# Whether PID still runs PROGRAM on our state folder: a recorded PID may
# since belong to another process, and zombies have no executable.
ours() {
  local pid=$1 program=$2
  [ "$(readlink "/proc/$pid/exe" 2>/dev/null)" = "$program" ] &&
    tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -qF -- " $state/"
}

# Whether our child PID has not exited yet (it may still be setsid or env,
# on its way to the program).
alive() {
  local s
  read -r _ _ s _ 2>/dev/null <"/proc/$1/stat" && [ "$s" != Z ]
}

# Stops PID if it still runs PROGRAM on our state folder, waiting until it
# is gone: SIGTERM first, SIGKILL after 10 s.
stop_pid() {
  local pid=$1 program=$2
  ours "$pid" "$program" || return 0
  # A test may have left the scheduler stopped (SIGSTOP): it must run to end.
  kill -TERM "$pid" 2>/dev/null
  kill -CONT "$pid" 2>/dev/null
  for _ in $(seq 100); do ours "$pid" "$program" || return 0; sleep 0.1; done
  echo "cups_fixture: $program ($pid) ignored SIGTERM, killing it" >&2
  kill -KILL "$pid" 2>/dev/null
  for _ in $(seq 50); do ours "$pid" "$program" || return 0; sleep 0.1; done
  echo "cups_fixture: $program ($pid) does not stop" >&2
  return 1
}

stop_recorded() {
  local file=$1 program=$2 pid
  [ -f "$file" ] || return 0
  pid=$(<"$file")
  if [[ $pid =~ ^[0-9]+$ ]]; then stop_pid "$pid" "$program" || return 1; fi
  rm -f "$file"
}

# Stops the printer and the scheduler, by their recorded PIDs and then any
# that runs on this state folder without a record (its folder was removed).
stop_all() {
  local status=0 pid
  stop_recorded "$state/ippeveprinter.pid" "$ippeveprinter" || status=1
  stop_recorded "$state/cupsd.pid" "$cupsd" || status=1
  for pid in $(ps -eo pid=,args= | grep -F -- " $state/" | awk '{print $1}'); do
    stop_pid "$pid" "$ippeveprinter" && stop_pid "$pid" "$cupsd" || status=1
  done
  return $status
}

scheduler_running() { [ "$(timeout 10 lpstat -r 2>/dev/null)" = "scheduler is running" ]; }

port_in_use() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }

# Starts ippeveprinter on PORT and waits until it accepts connections.
# Fails when it exits first (the port is taken) or does not answer in 10 s.
launch_printer() {
  local port=$1 pid
  # -n localhost: listen on the loopback addresses only. The Avahi stub lets
  # it run without an mDNS daemon and keeps it from announcing itself.
  # -D file:///dev/null: no output file beside each received one.
  setsid env LD_PRELOAD="$state/ipp/avahi_stub.so" "$ippeveprinter" \
    -n localhost -p "$port" -P "$state/ipp/printer.ppd" -c "$state/ipp/print-command" \
    -D file:///dev/null -d "$state/ipp/spool" -k "Kakemaru Test Printer" \
    </dev/null >>"$state/log/ippeveprinter.log" 2>&1 &
  pid=$!
  echo "$pid" >"$state/ippeveprinter.pid"
  for _ in $(seq 100); do
    alive "$pid" || { rm -f "$state/ippeveprinter.pid"; return 1; }
    port_in_use "$port" && return 0
    sleep 0.1
  done
  stop_recorded "$state/ippeveprinter.pid" "$ippeveprinter"
  return 1
}

write_configuration() {
  cat >"$state/etc/cupsd.conf" <<EOF
# Reached through its socket only: no network port, no announcements.
Listen $state/cups.sock
Browsing No
BrowseLocalProtocols none
DefaultShared No
WebInterface No
LogLevel info
# Keep each job's document: the tests read back what the program sent.
PreserveJobFiles Yes
PreserveJobHistory Yes
# A job whose printer is away is tried again soon, not dropped.
ErrorPolicy retry-job
JobRetryInterval 2
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
  cat >"$state/etc/cups-files.conf" <<EOF
ServerRoot $state/etc
RequestRoot $state/spool
StateDir $state/state
CacheDir $state/cache
TempDir $state/tmp
AccessLog $state/log/access_log
ErrorLog $state/log/error_log
PageLog $state/log/page_log
SystemGroup root
User lp
Group lp
# The machine's own is /run/cups/printcap.
Printcap $state/state/printcap
EOF
  # ippeveprinter runs this for each job with the complete file. It files
  # the job into ipp-received under a number that does not repeat when the
  # printer restarts (its own job numbers start again at 1 and would
  # overwrite earlier files), with the job's IPP attributes (paper,
  # scaling, ...) beside it. The attributes come last: once they are there,
  # the file is complete.
  cat >"$state/ipp/print-command" <<'EOF'
#!/bin/sh
set -e
dir=$(dirname "$0")/../ipp-received
count=$(ls "$dir" | grep -c '\.attrs$' || true)
name=$(printf '%04d-%s' $((count + 1)) "$(basename "$1" | sed 's/^[0-9]*-//')")
ln "$1" "$dir/$name"
{ echo "CONTENT_TYPE=$CONTENT_TYPE"
  env | grep '^IPP_' | grep -v -e '_DEFAULT=' -e '_SUPPORTED=' | sort
} >"$dir/$name.attrs.part"
mv "$dir/$name.attrs.part" "$dir/$name.attrs"
EOF
  chmod 755 "$state/ipp/print-command"
}

start() {
  local stub=$1 port tries out program
  [ "$(id -u)" -eq 0 ] || { echo "cups_fixture: needs root to run a CUPS scheduler; skipped" >&2; exit $skip; }
  for program in "$cupsd" "$ippeveprinter" lpadmin lpstat lpoptions; do
    command -v "$program" >/dev/null ||
      { echo "cups_fixture: $program is missing (packages cups, cups-ipp-utils); skipped" >&2; exit $skip; }
  done
  [ -f "$stub" ] || fail "no Avahi stub library at $stub"
  [ -f "$here/ipp_printer.ppd" ] || fail "no printer description at $here/ipp_printer.ppd"

  stop_all || fail "could not stop the previous run's services"
  # A fresh folder, but never remove a folder that is not ours.
  if [ -e "$state" ] && [ ! -f "$state/.kakemaru-cups" ] && [ -n "$(ls -A "$state" 2>/dev/null)" ]; then
    fail "$state exists and is not a print service folder; not removing it"
  fi
  rm -rf "$state"
  [ -L "$folder" ] && rm -f "$folder"
  umask 022
  mkdir -p "$folder" || fail "cannot create $folder"
  # The scheduler's filters run as lp and read the jobs, the queues' PPDs and
  # their temporary files here, and the path goes into configuration files.
  # Where D does not allow that (a checkout in /root, an unusual path), the
  # service lives in a private temporary folder that D links to, removed
  # again by stop.
  if [[ $folder =~ ^/[A-Za-z0-9._/+-]+$ ]] &&
    setpriv --reuid=lp --regid=lp --clear-groups test -x "$folder"; then
    use_state "$folder"
  else
    rmdir "$folder" && use_state "$(mktemp -d /tmp/kakemaru-print-service.XXXXXX)" &&
      chmod 755 "$state" && ln -s "$state" "$folder" || fail "cannot make a folder for the service"
  fi
  mkdir -p "$state"/{etc,spool,state,cache,tmp,log,home,ipp/spool} "$received" || fail "cannot create $state"
  touch "$state/.kakemaru-cups"
  # Filters run as lp and keep their temporary files here.
  chown root:lp "$state/tmp" && chmod 1770 "$state/tmp" || fail "cannot prepare $state/tmp"
  cp "$stub" "$state/ipp/avahi_stub.so" && cp "$here/ipp_printer.ppd" "$state/ipp/printer.ppd" ||
    fail "cannot copy the printer's files into $state/ipp"
  write_configuration

  # From here on, whatever fails stops what was launched.
  trap 'stop_all' EXIT
  # No system bus: its job and printer signals are the machine's business.
  DBUS_SYSTEM_BUS_ADDRESS=unix:path=$state/no-bus setsid "$cupsd" -f -c "$state/etc/cupsd.conf" -s "$state/etc/cups-files.conf" \
    </dev/null >"$state/log/cupsd.out" 2>&1 &
  echo $! >"$state/cupsd.pid"
  for _ in $(seq 150); do
    scheduler_running && break
    alive "$(<"$state/cupsd.pid")" || break
    sleep 0.1
  done
  scheduler_running || { log_tail "$state/log/cupsd.out"; log_tail "$state/log/error_log"; fail "the CUPS scheduler did not start"; }

  # The PDF queue's output goes to /dev/null (always allowed, unlike other
  # files): cups-pdf's own backend would write into the job owner's home
  # (/root/PDF), and the tests read the spooled copy, not the output.
  out=$(timeout 30 lpadmin -p "$pdf_queue" -v file:///dev/null -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd -E 2>&1) ||
    fail "cannot add $pdf_queue: $out"
  timeout 30 lpadmin -d "$pdf_queue" || fail "cannot make $pdf_queue the default"
  out=$(timeout 30 lpadmin -p "$raw_queue" -v file:///dev/null -m raw -E 2>&1) ||
    fail "cannot add $raw_queue: $out"

  for tries in $(seq 10); do
    port=$((20000 + RANDOM % 40000))
    port_in_use "$port" && continue
    launch_printer "$port" && break
    port=
  done
  [ -n "$port" ] || { log_tail "$state/log/ippeveprinter.log"; fail "ippeveprinter did not start ($tries tries)"; }
  echo "$port" >"$state/ipp-port"
  out=$(timeout 30 lpadmin -p "$ipp_queue" -v "ipp://127.0.0.1:$port/ipp/print" -m everywhere -E 2>&1) ||
    fail "cannot add $ipp_queue: $out"

  trap - EXIT
  echo "print service ready in $state: $pdf_queue (default), $ipp_queue (port $port)"
}

case $action in
start)
  [ $# -eq 3 ] || usage
  start "$3"
  ;;
stop)
  [ $# -eq 2 ] || usage
  stop_all || exit 1
  if [ -L "$folder" ] && [[ $state == /tmp/kakemaru-print-service.* ]]; then
    rm -rf "$state" && rm -f "$folder"
  fi
  ;;
ipp-stop)
  [ $# -eq 2 ] || usage
  stop_recorded "$state/ippeveprinter.pid" "$ippeveprinter" || exit 1
  ;;
ipp-start)
  [ $# -eq 2 ] || usage
  [ -f "$state/ipp-port" ] || fail "no print service started in $state"
  stop_recorded "$state/ippeveprinter.pid" "$ippeveprinter" || exit 1
  port=$(<"$state/ipp-port")
  port_in_use "$port" && fail "port $port is taken by another program"
  launch_printer "$port" || { log_tail "$state/log/ippeveprinter.log"; fail "ippeveprinter did not start on port $port"; }
  ;;
*)
  usage
  ;;
esac
