#!/usr/bin/env bash
# Soak: Korvane.exe under Wine and Xvfb against tools/soak/soak_host.py for
# each terminal type in turn (vt100, ansi, scoansi, wyse60), SOAK_MINUTES
# (default 60) each: mixed captured curses output and random bytes, words
# typed in between, memory sampled every minute. Prints the host's lines;
# exits 1 when any type failed. With SOAK_PARALLEL=1 the types run at the
# same time, each with its own X server and Wine prefix (logs in
# build/soak/<type>.log). SOAK_DUMP=1 keeps every byte sent in
# build/soak/<type>/sent.bin, for replaying a failure.
#   tools/soak/run_soak.sh [type ...]
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
if [ -n "${SOAK_PARALLEL:-}" ] && [ $# -ne 1 ]; then
  types=("$@")
  [ ${#types[@]} -eq 0 ] && types=(vt100 ansi scoansi wyse60)
  mkdir -p "$root/build/soak"
  pids=()
  for type in "${types[@]}"; do
    env -u DISPLAY SOAK_PARALLEL= "$0" "$type" >"$root/build/soak/$type.log" 2>&1 &
    pids+=($!)
  done
  failed=0
  for pid in "${pids[@]}"; do wait "$pid" || failed=1; done
  for type in "${types[@]}"; do cat "$root/build/soak/$type.log"; done
  exit $failed
fi
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
source "$root/scripts/wine_env.sh"
minutes=${SOAK_MINUTES:-60}

term_of() { case "$1" in wyse60) echo wy60 ;; *) echo "$1" ;; esac; }

types=("$@")
[ ${#types[@]} -eq 0 ] && types=(vt100 ansi scoansi wyse60)
failed=0
cd "$KORVANE_WIN_BUILD/bin"
for type in "${types[@]}"; do
  work=$root/build/soak/$type
  mkdir -p "$work"
  export WINEPREFIX=$work/prefix-$KORVANE_WINE_ARCH
  [ -f "$WINEPREFIX/system.reg" ] || new_wine_prefix "$WINEPREFIX"
  cat >"$work/korvane.reg" <<REG
REGEDIT4

[HKEY_CLASSES_ROOT\\Software\\Ambrel\\Korvane\\Settings]
"TermName"="$type"
"SuppressBanner"="Y"
"RecordEvents"="${SOAK_DUMP:+Y}"
"RecordIO"="${SOAK_DUMP:+Y}"

[HKEY_CLASSES_ROOT\\Software\\Ambrel\\Korvane\\Terms\\$type]
"TermDLL"="emu_$type.dll"
"TermType"="$(term_of "$type")"
REG
  "$WINE" regedit /S "$(winpath "$work/korvane.reg")" >/dev/null 2>&1
  rm -f "$work/port"
  python3 "$root/tools/soak/soak_host.py" --port-file "$work/port" --term "$(term_of "$type")" \
    --minutes "$minutes" --window "Korvane:" --pid-pattern "Korvane.exe -C N -P {port} 127" \
    --screenshot "$work/failure.png" ${SOAK_DUMP:+--dump "$work/sent.bin"} &
  host=$!
  for _ in $(seq 1 100); do [ -s "$work/port" ] && break; sleep 0.1; done
  "$WINE" "$KORVANE_WIN_BUILD/bin/Korvane.exe" -C N -P "$(cat "$work/port")" 127.0.0.1 >/dev/null 2>&1 &
  client=$!
  wait "$host" || failed=$((failed + 1))
  kill "$client" 2>/dev/null
  wineserver -k >/dev/null 2>&1
done
[ "$failed" -eq 0 ]
