#!/usr/bin/env bash
# Builds Korvane and runs it under Wine with a ready configuration. With an X
# display the client opens there and the command waits until it is closed;
# without one it runs under Xvfb, saves a screenshot of the main window and
# prints the file's path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

"$root/scripts/bootstrap.sh"
# The i686 build that ships, emulated where the kernel cannot run it.
source "$root/scripts/i386_support.sh"
if [ -z "${KORVANE_WINE_ARCH:-}" ] && [ "$(korvane_i386_mode)" != none ]; then export KORVANE_WINE_ARCH=win32; fi
source "$root/scripts/wine_env.sh"
"$root/scripts/build.sh" win32 "$(basename "$KORVANE_WIN_BUILD")"
wine_namespace_up
echo "== running the $(wine_build_name)"

run=$root/build/run
mkdir -p "$run"
export WINEPREFIX=$run/prefix-$KORVANE_WINE_ARCH
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "== creating the Wine prefix $WINEPREFIX"
  new_wine_prefix "$WINEPREFIX"
fi

# The product installed through its own installer from the package, driven
# by the UI driver: the files land in C:\Korvane, the terminal types in the
# registry. Settings are not called; the vt100 type is selected below.
bin=$KORVANE_WIN_BUILD/bin
installed=$WINEPREFIX/drive_c/KORVANE  # the installer upper-cases the directory
if "$root/scripts/package.sh" "$KORVANE_WINE_ARCH" >/dev/null; then
  zip=$root/build/korvane-1.8.3.4.zip
  [ "$KORVANE_WINE_ARCH" = win64 ] && zip=$KORVANE_WIN_BUILD/korvane-1.8.3.4.zip
  rm -rf "$run/package"
  unzip -q "$zip" -d "$run/package"
  cat >"$run/install.kvt" <<'KVT'
test "install"
reg-delete Defaults InstallDir
start ${PACKAGE}\Install.exe "-D C:\\Korvane"
wait-window #32770 "Korvane Installation"
click &No
wait-window SETUP "Install Korvane"
click "Call &Settings"
click &OK
wait-window #32770 "Korvane Installation" 60000
expect-text Static "Installation succeeded!"
click OK
expect-exit 0
KVT
  echo "== installing Korvane into C:\Korvane of the Wine prefix with Install.exe"
  xvfb-run -a -s "-screen 0 1024x768x24" \
    "$WINE" "$KORVANE_WIN_BUILD/test-bin/kvdriver.exe" "$(winpath "$run/install.kvt")" \
    "PACKAGE=$(winpath "$run/package")" 2>/dev/null | tr -d '\r' | grep -E '^not ok' || true
  wineserver -k >/dev/null 2>&1 || true
  [ -f "$installed/Korvane.exe" ] && bin=$installed
fi
[ "$bin" = "$installed" ] || echo "== installation failed; running from $bin"

# A ready configuration: the vt100 terminal type, selected.
cat >"$run/korvane.reg" <<'REG'
REGEDIT4

[HKEY_CLASSES_ROOT\Software\Ambrel\Korvane\Settings]
"TermName"="vt100"

[HKEY_CLASSES_ROOT\Software\Ambrel\Korvane\Defaults]

[HKEY_CLASSES_ROOT\Software\Ambrel\Korvane\Terms\vt100]
"TermDLL"="emu_vt100.dll"
"TermType"="vt100"
"InitialScreen"="24,80,Y"
REG
"$WINE" regedit /S "$(winpath "$run/korvane.reg")" >/dev/null 2>&1
# Programs started later must not join a Wine session begun without a display.
wineserver -k >/dev/null 2>&1 || true

# The demo host: a telnet server on 127.0.0.1 that the client connects to.
demo_pid=$run/demo_host.pid
demo_port=$("$root/tools/demo_host/start_demo_host.sh" "$demo_pid")
trap 'kill "$(cat "$demo_pid")" 2>/dev/null || true' EXIT
echo "== demo telnet host on 127.0.0.1 port $demo_port"
connect_args="-P $demo_port 127.0.0.1"

cd "$bin"
if [ -n "${DISPLAY:-}" ]; then
  echo "== starting Korvane.exe ($(wine_build_name)) on $DISPLAY"
  "$WINE" "$bin/Korvane.exe" $connect_args || true
else
  shot=$run/korvane-window.bmp
  rm -f "$shot" "${shot%.bmp}.png"
  cat >"$run/show.kvt" <<KVT
test "run"
start \${BIN}\\Korvane.exe "$connect_args"
wait-window Korvane *
sleep 2000
screenshot $(winpath "$shot")
KVT
  echo "== starting Korvane.exe ($(wine_build_name)) under Xvfb"
  xvfb-run -a -s "-screen 0 1024x768x24" \
    "$WINE" "$KORVANE_WIN_BUILD/test-bin/kvdriver.exe" "$(winpath "$run/show.kvt")" "BIN=$(winpath "$bin")" |
    2>/dev/null | tr -d '\r' | grep -E '^(ok|not ok)' || true
  wineserver -k >/dev/null 2>&1 || true
  if [ -f "$shot" ]; then
    convert "$shot" "${shot%.bmp}.png" && shot=${shot%.bmp}.png
    echo "Screenshot of the Korvane window: $shot"
  else
    echo "No window appeared; see the lines above." >&2
    exit 1
  fi
fi
