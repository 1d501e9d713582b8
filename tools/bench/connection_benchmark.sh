#!/usr/bin/env bash
# End-to-end figures of the telnet connection under Xvfb: Korvane.exe under
# Wine, the latency floor (kvfloor.exe: the least a Win32 client does, same
# Wine, same architecture) and, as the peer, Debian's PuTTY, each against the
# same benchmark host (connection_bench_host.py) over loopback. Prints
# figures; fails only when a client cannot be run at all.
#   --latency-only   only the three latency paths, the floor and Korvane
#                    interleaved BENCH_PAIRS times (default 3), PuTTY once
#                    (without it, one pair after Korvane's throughput run)
#   BENCH_MB (default 8) megabytes per throughput run.
#   BENCH_ROUNDS (default 100) rounds per latency path and run.
#   BENCH_BASELINE=<another Korvane.exe> (in the same directory as this
#   build's, beside its modules) is measured too, after each run of this
#   build's: figures before and after a change from one session.
set -u
latency_only=
[ "${1:-}" = --latency-only ] && latency_only=--latency-only
root=$(cd "$(dirname "$0")/../.." && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
source "$root/scripts/wine_env.sh"
mb=${BENCH_MB:-8}
rounds=${BENCH_ROUNDS:-100}
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

[HKEY_CLASSES_ROOT\Software\Ambrel\Korvane\Terms\scoansi]
"TermDLL"="emu_scoansi.dll"
"TermType"="scoansi"
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

times=$work/latency-times.jsonl
rm -f "$times"

# run <key> <label> <window name> <--latency-only or ""> <client command with PORT>...
run() {
  local key=$1 label=$2 window=$3 only=$4
  shift 4
  rm -f "$work/port"
  python3 "$host" --port-file "$work/port" --label "$label" --mb "$mb" --rounds "$rounds" --window "$window" \
    --key "$key" --times-file "$times" $only &
  host_pid=$!
  for _ in $(seq 1 50); do [ -s "$work/port" ] && break; sleep 0.1; done
  local port
  port=$(cat "$work/port")
  "${@//PORT/$port}" >/dev/null 2>&1 &
  client_pid=$!
  wait "$host_pid"
  stop_run
}

# Throughput as a VT100; latency as SCO ANSI, whose module answers the
# colour report (the query path goes through the module).
korvane_throughput() {
  run Korvane "Korvane.exe ($KORVANE_WINE_ARCH, Wine, vt100)" "Korvane:" --throughput-only \
    "$WINE" "$KORVANE_WIN_BUILD/bin/Korvane.exe" -C N -P PORT 127.0.0.1
}
korvane() {
  run Korvane "Korvane.exe ($KORVANE_WINE_ARCH, Wine, scoansi)" "Korvane:" --latency-only \
    "$WINE" "$KORVANE_WIN_BUILD/bin/Korvane.exe" -C N -T scoansi -P PORT 127.0.0.1
}
floor() {
  run floor "Latency floor ($KORVANE_WINE_ARCH, Wine)" "Latency floor" --latency-only \
    "$WINE" "$KORVANE_WIN_BUILD/test-bin/kvfloor.exe" PORT
}

baseline_throughput() {
  [ -z "${BENCH_BASELINE:-}" ] ||
    run "Korvane baseline" "$(basename "$BENCH_BASELINE") ($KORVANE_WINE_ARCH, Wine, vt100)" "Korvane:" --throughput-only \
      "$WINE" "$BENCH_BASELINE" -C N -P PORT 127.0.0.1
}
baseline() {
  [ -z "${BENCH_BASELINE:-}" ] ||
    run "Korvane baseline" "$(basename "$BENCH_BASELINE") ($KORVANE_WINE_ARCH, Wine, scoansi)" "Korvane:" --latency-only \
      "$WINE" "$BENCH_BASELINE" -C N -T scoansi -P PORT 127.0.0.1
}

cd "$KORVANE_WIN_BUILD/bin"
[ -n "$latency_only" ] || { korvane_throughput; baseline_throughput; }
# Interleaved, so that a change of the machine's load touches both alike.
pairs=1
[ -n "$latency_only" ] && pairs=${BENCH_PAIRS:-3}
for _ in $(seq 1 "$pairs"); do
  floor
  korvane
  baseline
done
wineserver -k >/dev/null 2>&1
run PuTTY "PuTTY $(dpkg-query -W -f='${Version}' putty)" "PuTTY" "$latency_only" putty -telnet -P PORT 127.0.0.1
echo
python3 "$host" --summary "$times"
