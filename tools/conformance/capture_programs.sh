#!/usr/bin/env bash
# Records the programs of the conformance report under each terminal type
# with tools/capture_program.py: the raw bytes and tmux's screen for the
# same bytes. For the Wyse 60, tmux cannot read the bytes, so its screen is
# the same program run under TERM=vt102 (--live); only programs that draw
# the same screen twice (not top or htop, whose figures move) are recorded
# there. SCO ANSI screens are rendered with the console's line drawing
# (--sco-graphics), which tmux lacks. Needs tmux, top, htop, mc, nano,
# whiptail, man, vim, less, dialog and ncurses-term (Debian packages); the
# captures are committed, so running the report does not need them.
#
#   capture_programs.sh [NAME...]   only the named programs (default: all)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$root/tools/conformance/captures
capture=$root/tools/capture_program.py
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/files/src" "$work/files/docs"
for i in 1 2 3 4 5 6 7 8; do echo "file $i" >"$work/files/notes_$i.txt"; done
python3 - "$work/sample.txt" <<'PY'
import sys
lines = ["first line of the file", "second line", "\tindented with a tab"]
lines += ["line %d of the sample text, long enough to matter" % i for i in range(1, 120)]
open(sys.argv[1], "w").write("\n".join(lines) + "\n")
PY
export HOME=$work LC_ALL=C HISTFILE=/dev/null PS1='$ '
cd "$work"
wanted=("$@")

record() {  # term, name, capture options and command...
  local term=$1 name=$2
  shift 2
  if [ ${#wanted[@]} -gt 0 ] && ! printf '%s\n' "${wanted[@]}" | grep -qx "$name"; then return 0; fi
  local size=24x80 extra=()
  case "$term" in
    ansi) size=25x80 extra=(--cp437) ;;
    scoansi) size=25x80 extra=(--cp437 --sco-graphics) ;;
    wy60) extra=(--live) ;;
  esac
  python3 "$capture" "$out/${term}_$name.bin" --term "$term" --size "$size" "${extra[@]}" \
    --screen "$out/${term}_$name.screen" --stop "$@"
}

# The keys below are control keys that no TERM here names a key (the wy60
# entry makes ^H ^J ^K ^L ^^ the arrows and home), so that a program does
# the same under each.
# The long line is not 80 columns exactly: a terminal without the deferred
# wrap (all but the VT100) puts the newline after it on a line of its own.
lines='a long command line that wraps past the right margin of the screen and goes on and on'
for term in vt100 ansi scoansi wy60; do
  if [ "$term" != wy60 ]; then
    record "$term" top --keys 'q' -- top -d 1 -n 2
    record "$term" htop --keys '' -- htop -d 50
  fi
  record "$term" mc --keys '' -- mc -a --nosubshell "$work/files" "$work/files/src"
  record "$term" nano --keys '\x0e\x0e\x0e|inserted text|\x0e\x04\x04|\x16' -- nano -I sample.txt
  record "$term" whiptail --keys '\t' \
    -- whiptail --title Korvane --checklist 'Pick the types to install:' 14 50 4 \
    vt100 'DEC VT100' on ansi ANSI off scoansi 'SCO ANSI' on wyse60 'Wyse 60' off
  record "$term" man --keys ' ' -- man -P less ls
  record "$term" vim_split --keys ':split\r|\x05\x05\x05|Gdd|\x17w|\x04|\x19\x19|:vsplit\r|kkk|OINSERTED above\x1b' \
    -- vim -u NONE -i NONE -n -N sample.txt
  record "$term" less_back --keys ' | |\x02|kkk|/line 40\r|\x19\x19' -- less sample.txt
  # The gauge's input stays open, so that it is taken while it runs (ended,
  # dialog would leave the Wyse 60's page for another).
  record "$term" dialog_gauge --keys '' \
    -- sh -c '(for p in 10 45 80; do echo $p; sleep 0.5; done; sleep 20) | dialog --title Korvane --gauge "Copying files" 8 50 0'
  record "$term" dialog_boxes --keys '\t' \
    -- dialog --title Korvane --backtitle 'Korvane setup' --yesno 'Install the SCO ANSI type as well?' 8 50
  # readline wraps a line itself one column early on a terminal without the
  # deferred wrap: so does the Wyse 60's reference, under vt100-nam.
  extra=()
  [ "$term" = wy60 ] && extra=(--live-term vt100-nam)
  record "$term" bash "${extra[@]}" --keys "echo one\r|echo two\r|\x10\x10|\r|echo $lines|\x01|\x06\x06\x06\x06\x06|X|\x05|\x02\x02\x02\x02|Y|\r" \
    -- bash --norc --noprofile -i
done
