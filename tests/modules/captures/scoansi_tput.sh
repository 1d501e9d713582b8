#!/bin/sh
# Recorded as scoansi_tput.bin with
#   tools/capture_program.py scoansi_tput.bin --cp437 --sco-graphics --term scoansi --size 25x80 --screen scoansi_tput.screen -- env LC_ALL=C ./scoansi_tput.sh
tput clear
tput cup 1 3; printf 'cup 1 3'
tput cup 3 0; tput bold; printf 'bold'; tput sgr0; printf ' '; tput rev; printf 'reverse'; tput sgr0; printf ' '; tput setaf 1; tput setab 2; printf 'red-on-green'; tput op; printf ' default'
tput cup 5 0; tput smacs; printf 'ZDD?'; tput rmacs; printf ' box '; tput smacs; printf '3@DDY'; tput rmacs
tput cup 7 0; printf 'line7'; tput cup 8 0; printf 'line8'; tput cup 7 0; tput il1; printf 'new7'
tput cup 11 0; printf 'gone11'; tput cup 12 0; printf 'stays12'; tput cup 11 0; tput dl1
tput cup 14 0; printf 'abcdef'; tput cup 14 2; tput dch1; tput cup 14 1; tput ich1; printf '+'
tput cup 16 0; printf 'keep-erased'; tput cup 16 4; tput el1
tput cup 17 0; printf 'ab\tc'; tput cbt; printf 'Z'
tput cup 18 0; tput sc; tput cup 20 10; printf 'away'; tput rc; printf 'back'
tput civis; tput cnorm
tput cup 22 0; printf 'end'
