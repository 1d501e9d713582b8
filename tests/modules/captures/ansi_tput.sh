#!/bin/sh
# Recorded as ansi_tput.bin with
#   tools/capture_program.py ansi_tput.bin --cp437 --term ansi --size 25x80 --screen ansi_tput.screen -- env LC_ALL=C ./ansi_tput.sh
tput clear
tput cup 2 5; printf 'cup 2 5'
tput cup 4 0; tput bold; printf 'bold'; tput sgr0; printf ' plain '; tput setaf 1; printf 'red'; tput setab 4; printf 'onblue'; tput sgr0
tput cup 6 0; printf 'erase-me-here'; tput cup 6 6; tput ech 3
tput cup 8 0; printf 'col'; tput hpa 20; printf 'at20'
tput cup 9 0; tput vpa 11; printf 'row11'
tput cup 13 0; printf 'line13'; tput cup 14 0; printf 'line14'; tput cup 13 0; tput il1
tput cup 17 0; printf 'abcdef'; tput cup 17 2; tput dch1; tput cup 17 0; tput ich1; printf 'X'
tput cup 19 0; tput smso; printf 'standout'; tput rmso; printf ' '; tput smul; printf 'under'; tput rmul
tput cup 21 0; printf 'ab\tc'; tput cbt; printf 'Z'
tput cup 23 0; printf 'end'
