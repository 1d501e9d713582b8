#!/usr/bin/env bash
# Start-up time of Korvane.exe to a visible main window under Wine and Xvfb
# (wineserver kept running, median of 5 after one warm-up), and its resident memory after
# 20,000 lines of host output with a 500-line and a 10,000-line scrollback.
# Prints figures; never fails on time.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
source "$root/scripts/wine_env.sh"
work=$root/build/bench-startup
mkdir -p "$work"
export WINEPREFIX=$work/prefix-$KORVANE_WINE_ARCH
[ -f "$WINEPREFIX/system.reg" ] || new_wine_prefix "$WINEPREFIX"
wineserver -p >/dev/null 2>&1

configure() {  # scrollback lines
  cat >"$work/korvane.reg" <<REG
REGEDIT4

[HKEY_CLASSES_ROOT\\Software\\Ambrel\\Korvane\\Settings]
"TermName"="vt100"
"SuppressBanner"="Y"
"ScrollbackSize"="$1"

[HKEY_CLASSES_ROOT\\Software\\Ambrel\\Korvane\\Defaults]

[HKEY_CLASSES_ROOT\\Software\\Ambrel\\Korvane\\Terms\\vt100]
"TermDLL"="emu_vt100.dll"
"TermType"="vt100"
"InitialScreen"="24,80,N"
REG
  "$WINE" regedit /S "$(winpath "$work/korvane.reg")" >/dev/null 2>&1
}

resident_kb() {
  local best=0 kb
  for pid in $(pgrep -f 'Korvane.exe'); do
    kb=$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status" 2>/dev/null)
    [ -n "$kb" ] && [ "$kb" -gt "$best" ] && best=$kb
  done
  echo "$best"
}

cd "$KORVANE_WIN_BUILD/bin"
configure 500
times=()
for run in 0 1 2 3 4 5; do
  start=$(date +%s%N)
  "$WINE" Korvane.exe -C N >/dev/null 2>&1 &
  client=$!
  timeout 60 xdotool search --sync --onlyvisible --classname "korvane.exe" >/dev/null 2>&1
  [ "$run" -gt 0 ] && times+=($((($(date +%s%N) - start) / 1000000)))
  kill "$client" 2>/dev/null
  wait "$client" 2>/dev/null
  sleep 0.5
done
sorted=$(printf '%s\n' "${times[@]}" | sort -n | tr '\n' ' ')
echo "Start-up to a visible window ($KORVANE_WINE_ARCH, Wine, 5 runs): median $(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p) ms (runs: $sorted)"

for lines in 500 10000; do
  configure "$lines"
  rm -f "$work/port"
  python3 - "$work/port" <<'PY' &
import socket, sys, time
s = socket.socket(); s.bind(("127.0.0.1", 0)); s.listen(1)
open(sys.argv[1], "w").write(str(s.getsockname()[1]))
c, _ = s.accept()
line = b"".join(b"%05d %s\r\n" % (i, b"x" * 72) for i in range(20000))
c.sendall(line + bytes([255, 253, 99]))  # IAC DO 99: refused once all is taken in
c.settimeout(60)
got = b""
while bytes([255, 252, 99]) not in got:
    data = c.recv(4096)
    if not data:
        break
    got += data
time.sleep(1)
open(sys.argv[1] + ".done", "w").write("1")
time.sleep(30)
PY
  host=$!
  for _ in $(seq 1 100); do [ -s "$work/port" ] && break; sleep 0.1; done
  rm -f "$work/port.done"
  "$WINE" Korvane.exe -C N -P "$(cat "$work/port")" 127.0.0.1 >/dev/null 2>&1 &
  client=$!
  for _ in $(seq 1 600); do [ -f "$work/port.done" ] && break; sleep 0.1; done
  echo "Resident memory with a $lines-line scrollback after 20,000 lines: $(resident_kb) kB"
  kill "$client" "$host" 2>/dev/null
  wineserver -k >/dev/null 2>&1
  wineserver -p >/dev/null 2>&1
done
wineserver -k >/dev/null 2>&1
