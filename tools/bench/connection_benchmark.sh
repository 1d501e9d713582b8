#!/usr/bin/env bash
# End-to-end figures of the telnet connection under Xvfb: Korvane.exe under
# Wine and, as the peer, Debian's PuTTY, each against the same benchmark host
# (connection_bench_host.py) over loopback. Prints figures; fails only when
# a client cannot be run at all.
#   BENCH_MB (default 8) megabytes per throughput run.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
source "$root/scripts/wine_env.sh"
mb=${BENCH_MB:-8}
work=$root/build/bench-connection
mkdir -p "$work"
host=$root/tools/bench/connection_bench_host.py

export WINEPREFIX=$work/prefix-$KORVANE_WINE_ARCH
[ -f "$WINEPREFIX/system.reg" ] || new_wine_prefix "$WINEPREFIX"
cat >"$work/korvane.reg" <<'REG'
REGEDIT4

[HKEY_CLASSES_ROOT\Software\Ambrel\Korvane\Settings]
"TermName"="vt100"
"SuppressBanner"="Y"

[HKEY_CLASSES_ROOT\Software\Ambrel\Korvane\Defaults]

[HKEY_CLASSES_ROOT\Software\Ambrel\Korvane\Terms\vt100]
"TermDLL"="emu_vt100.dll"
"TermType"="vt100"
"InitialScreen"="24,80,N"
REG
"$WINE" regedit /S "$(winpath "$work/korvane.reg")" >/dev/null 2>&1

host_pid= client_pid=
stop_run() {
  [ -n "$host_pid" ] && kill "$host_pid" 2>/dev/null
  [ -n "$client_pid" ] && kill "$client_pid" 2>/dev/null
  host_pid= client_pid=
}
trap 'stop_run; exit 1' INT TERM
trap stop_run EXIT

# run <label> <window name for keys or ""> <client command with PORT>...
run() {
  local label=$1 window=$2
  shift 2
  rm -f "$work/port"
  python3 "$host" --port-file "$work/port" --label "$label" --mb "$mb" ${window:+--window "$window"} &
  host_pid=$!
  for _ in $(seq 1 50); do [ -s "$work/port" ] && break; sleep 0.1; done
  local port
  port=$(cat "$work/port")
  "${@//PORT/$port}" >/dev/null 2>&1 &
  client_pid=$!
  wait "$host_pid"
  stop_run
}

cd "$KORVANE_WIN_BUILD/bin"
[ -n "${BENCH_SKIP_KORVANE:-}" ] || run "Korvane.exe ($KORVANE_WINE_ARCH, Wine)" "Korvane:" "$WINE" "$KORVANE_WIN_BUILD/bin/Korvane.exe" -C N -P PORT 127.0.0.1
wineserver -k >/dev/null 2>&1
run "PuTTY $(dpkg-query -W -f='${Version}' putty)" "PuTTY" putty -telnet -P PORT 127.0.0.1
