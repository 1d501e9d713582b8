#!/bin/sh
# What tools/capture_wyse60.sh records as wy60_tput: clearing, addressing,
# attributes, a line-drawing box, line and character editing, function-key
# labels and a reverse index at the top of the screen.
# Line drawing: the VT100 letters through the terminal's own acsc table.
draw() {
  tput smacs
  printf '%s\n' "$1" | awk -v acsc="$(tput acsc)" '{
    for (i = 1; i <= length($0); i++) {
      c = substr($0, i, 1)
      for (j = 1; j < length(acsc); j += 2) if (substr(acsc, j, 1) == c) { c = substr(acsc, j + 1, 1); break }
      printf "%s", c
    } }'
  tput rmacs
}
tput clear
tput cup 2 10; printf 'Cursor addressing at row 3, column 11'
tput cup 4 0; tput rev; printf 'reverse'; tput sgr0; printf ' '; tput smul; printf 'underline'; tput sgr0
printf ' '; tput blink; printf 'blink'; tput sgr0; printf ' '; tput dim; printf 'dim'; tput sgr0
tput cup 6 4; draw lqqqqwqqqk
tput cup 7 4; draw x; printf ' a  '; draw x; printf ' b '; draw x
tput cup 8 4; draw tqqqqnqqqu
tput cup 9 4; draw mqqqqvqqqj
tput cup 11 0; printf 'line to be cleared from here: XXXXXXXXXX'; tput cup 11 30; tput el
tput cup 13 0; printf 'abcdefghij'; tput cup 13 3; tput dch1; tput cup 13 0; tput smir; printf '>>'; tput rmir
tput cup 15 0; printf 'line A'; tput cup 16 0; printf 'line B'; tput cup 16 0; tput il1; printf 'inserted'
tput cup 19 0; printf 'deleted line'; tput cup 19 0; tput dl1
tput pln 1 'F1 Help' 2>/dev/null; tput pln 2 'F2 Save' 2>/dev/null; tput pln 8 'F8 Quit' 2>/dev/null
tput cup 0 0; printf 'top line'; tput cup 0 0; tput ri
tput cup 21 0; printf 'done'
tput cup 22 0
