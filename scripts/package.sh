#!/usr/bin/env bash
# Builds the distributable korvane-1.8.3.4.zip: Install.exe, the programs,
# the four modules, PfKey.DLL, the 48 font files, korvane.hlp, hosts_sample
# and readme.txt, all at the top of the archive.
#   scripts/package.sh          the i686 deliverables -> build/korvane-1.8.3.4.zip
#   scripts/package.sh win64    the x86_64 build for the Wine tests -> build/win64/korvane-1.8.3.4.zip
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=${1:-win32}
bin=$root/build/$arch/bin
case $arch in
  win32) zip_path=$root/build/korvane-1.8.3.4.zip ;;
  win64) zip_path=$root/build/win64/korvane-1.8.3.4.zip ;;
  *) echo "package.sh: unknown build $arch" >&2; exit 2 ;;
esac

stage=$root/build/$arch/package
rm -rf "$stage"
mkdir -p "$stage"
missing=0
take() {  # source, name in the archive
  if [ -f "$1" ]; then cp "$1" "$stage/$2"; else echo "package.sh: missing $1" >&2; missing=1; fi
}
for file in Install.exe Korvane.exe Settings.exe emu_vt100.dll emu_ansi.dll emu_scoansi.dll emu_wyse60.dll PfKey.DLL korvane.hlp; do
  take "$bin/$file" "$file"
done
fonts=0
for font in "$bin"/KV??x??[FS][AN].FNT; do
  [ -f "$font" ] || continue
  take "$font" "$(basename "$font")"
  fonts=$((fonts + 1))
done
[ "$fonts" -eq 48 ] || { echo "package.sh: $fonts font files in $bin, 48 wanted" >&2; missing=1; }
# The text files are opened in Notepad on Windows, which wants CR LF; the
# installer copies them as they are.
take_text() {  # source, name in the archive
  if [ -f "$1" ]; then sed 's/\r*$/\r/' "$1" >"$stage/$2"; else echo "package.sh: missing $1" >&2; missing=1; fi
}
take_text "$root/install/package/hosts_sample" hosts_sample
take_text "$root/install/package/readme.txt" readme.txt
[ "$missing" -eq 0 ] || exit 1

rm -f "$zip_path"
(cd "$stage" && zip -q -X -9 "$zip_path" ./*)
echo "package: $zip_path ($(unzip -Z1 "$zip_path" | wc -l) files, $(du -k "$zip_path" | cut -f1) KiB)"
