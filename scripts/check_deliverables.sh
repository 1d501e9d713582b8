#!/usr/bin/env bash
# Checks the built i686 deliverables: 32-bit PE files, no MinGW runtime DLLs
# needed, the exact export names of every library, and the zip: exactly the
# deliverables, its text files with CR LF line ends.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$root/build/win32/bin
failed=0
check() {  # description, command...
  local what=$1
  shift
  if "$@"; then echo "ok - $what"; else echo "not ok - $what"; failed=$((failed + 1)); fi
}

check_pe() {  # file name in bin
  check "$1 is an i386 PE" bash -c "i686-w64-mingw32-objdump -f '$bin/$1' | grep -q 'file format pei-i386'"
  check "$1 needs no MinGW DLLs" bash -c "! i686-w64-mingw32-objdump -p '$bin/$1' | grep -Ei 'DLL Name: (libgcc|libstdc|libwinpthread)'"
}

for exe in Korvane.exe Settings.exe Install.exe; do
  check_pe "$exe"
done

# Exact exports of each DLL: name and the sorted list of its exported names.
expect_exports() {  # dll, names...
  local dll=$bin/$1
  shift
  local want got
  want=$(printf '%s\n' "$@" | sort)
  got=$(i686-w64-mingw32-objdump -p "$dll" 2>/dev/null |
        awk '/\[Ordinal\/Name Pointer\] Table/{on=1; next} on && /^[ \t]*\[/{print $NF} on && /^$/{on=0}' | sort)
  [ "$want" = "$got" ] || { echo "   exports of $(basename "$dll"): $(echo $got)"; return 1; }
}
check "emu_wyse60.dll is built" test -f "$bin/emu_wyse60.dll"
for dll in "$bin"/emu_*.dll; do
  [ -f "$dll" ] || continue
  check_pe "$(basename "$dll")"
  check "$(basename "$dll") exports exactly the five module entry points" \
    expect_exports "$(basename "$dll")" dll_Custom dll_Init dll_Key dll_PgmPfKeys dll_Submit
done
check_pe PfKey.DLL
check "PfKey.DLL exports exactly CallFnEditDialog" expect_exports PfKey.DLL CallFnEditDialog

# The 48 font files: version 3.00 bitmap fonts carrying their face name.
font_file_ok() {  # file, face
  [ -f "$1" ] && [ "$(head -c 2 "$1" | od -An -tx1 | tr -d ' ')" = 0003 ] && grep -qa "$2" "$1"
}
fonts_ok=0
for w in 04 05 06 07 08 09 10 11 12 13 14 15; do
  h=$(printf '%02d' $((10#$w * 2)))
  for family in F S; do
    font_file_ok "$bin/KV${w}x${h}${family}A.FNT" "Korvane Ascii" && fonts_ok=$((fonts_ok + 1))
    font_file_ok "$bin/KV${w}x${h}${family}N.FNT" "Korvane Ansi" && fonts_ok=$((fonts_ok + 1))
  done
done
check "48 font files beside Korvane.exe ($fonts_ok found)" test "$fonts_ok" -eq 48

# The help file: a WinHelp file (read back with the generator's own reader)
# with a topic for every help context the programs ask for.
help_file_ok() {
  local dump code
  [ "$(head -c 4 "$bin/korvane.hlp" 2>/dev/null | od -An -tx1 | tr -d ' ')" = 3f5f0300 ] || return 1
  dump=$("$root/build/win32/help/host/kvhelpgen" --dump "$bin/korvane.hlp") || return 1
  for code in 1001 1002 1003 1004 1006 1007 1008 $(seq 1101 1116) 1201 1202 1203 $(seq 1300 1304); do
    grep -q "^context $code -> " <<<"$dump" || { echo "   no topic for help context $code"; return 1; }
  done
}
check "korvane.hlp beside Korvane.exe has a topic for every help context" help_file_ok

# The distributable: exactly the deliverables, at the top of the archive,
# the text files with CR LF line ends.
package_ok() {
  local zip=$root/build/korvane-1.8.3.4.zip want got w h family
  got=$(unzip -Z1 "$zip" 2>/dev/null | sort) || return 1
  want=$(
    printf '%s\n' Install.exe Korvane.exe Settings.exe emu_vt100.dll emu_ansi.dll emu_scoansi.dll emu_wyse60.dll \
      PfKey.DLL korvane.hlp hosts_sample readme.txt
    for w in 04 05 06 07 08 09 10 11 12 13 14 15; do
      h=$(printf '%02d' $((10#$w * 2)))
      for family in FA FN SA SN; do echo "KV${w}x${h}${family}.FNT"; done
    done)
  want=$(sort <<<"$want")
  [ "$want" = "$got" ] || { echo "   package differs:"; diff <(echo "$want") <(echo "$got") | grep '^[<>]' | sed 's/^/   /'; return 1; }
}
check "korvane-1.8.3.4.zip holds exactly the deliverables" package_ok

# Every LF preceded by a CR, and the file ends with CR LF.
crlf_ok() {  # name in the archive
  local bytes
  bytes=" $(unzip -p "$root/build/korvane-1.8.3.4.zip" "$1" 2>/dev/null | od -An -v -tx1 | tr -s ' \n' ' ')"
  [[ $bytes == *" 0d 0a " ]] || return 1
  bytes=${bytes// 0d 0a/}
  [[ $bytes != *" 0a"* && $bytes != *" 0d"* ]]
}
for text in hosts_sample readme.txt; do
  check "$text in the package has CR LF line ends" crlf_ok "$text"
done

echo "Deliverables: $failed failed"
[ "$failed" -eq 0 ]
