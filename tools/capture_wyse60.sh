#!/usr/bin/env bash
# Records the Wyse 60 captures in tests/modules/captures/wy60_*: programs
# run under TERM=wy60 (Debian's terminfo, package ncurses-term) give the
# bytes, and the same programs with the same keys inside tmux give the
# reference screen. Needs tmux, vim, less, dialog and ncurses-term.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/tests/modules/captures
capture=$root/tools/capture_program.py
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
python3 - <<'PY'
lines = ["first line of the file", "second line", "\tindented with a tab"]
lines += ["line %d of the sample text, long enough to matter" % i for i in range(1, 120)]
open("sample.txt", "w").write("\n".join(lines) + "\n")
PY

record() {  # name, capture options and command...
  local name=$1
  shift
  python3 "$capture" "$out/wy60_$name.bin" --term wy60 --screen "$out/wy60_$name.screen" --live "$@"
}

record tput -- "$out/wy60_tput.sh"
record tput_init -- sh -c 'tput init; printf "after init\n"'
record vim --stop --keys 'jjj|OINSERTED above\x1b|:set nu\r|\x06|\x19\x19\x19|kkk|x|0iin front \x1b|:split\r|Gdd|ggvjj' \
  -- vim -u NONE -i NONE -n -N sample.txt
record less --stop --keys ' |jjj|kk|/line 50\r|k' -- less sample.txt
record dialog --stop --keys 'w|s|\t' \
  -- dialog --title Korvane --menu 'Pick a host type:' 14 50 5 vt100 'DEC VT100' ansi ANSI scoansi 'SCO ANSI' wyse60 'Wyse 60'
