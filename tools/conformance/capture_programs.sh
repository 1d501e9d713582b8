#!/usr/bin/env bash
# Records the extra programs of the conformance report (top, htop, mc) under
# each terminal type with tools/capture_program.py: the raw bytes and tmux's
# screen for the same bytes. For the Wyse 60, tmux cannot read the bytes, so
# its screen is the same program run under TERM=vt102 (--live); only mc is
# steady enough between two runs for that. Needs tmux, top, htop, mc and
# ncurses-term (Debian packages); the captures are committed, so running the
# report does not need them.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$root/tools/conformance/captures
capture=$root/tools/capture_program.py
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/files/src" "$work/files/docs"
for i in 1 2 3 4 5 6 7 8; do echo "file $i" >"$work/files/notes_$i.txt"; done
export HOME=$work LC_ALL=C

record() {  # term, name, capture options and command...
  local term=$1 name=$2
  shift 2
  local size=24x80 extra=()
  case "$term" in ansi | scoansi) size=25x80 extra=(--cp437) ;; wy60) extra=(--live) ;; esac
  python3 "$capture" "$out/${term}_$name.bin" --term "$term" --size "$size" "${extra[@]}" \
    --screen "$out/${term}_$name.screen" --stop "$@"
}

for term in vt100 ansi scoansi; do
  record "$term" top --keys 'q' -- top -d 1 -n 2
  record "$term" htop --keys '' -- htop -d 50
  record "$term" mc --keys '' -- mc -a --nosubshell "$work/files" "$work/files/src"
done
record wy60 mc --keys '' -- mc -a --nosubshell "$work/files" "$work/files/src"
