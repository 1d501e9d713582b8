# Sourced by the scripts that run Windows programs under Wine.
#
# The deliverables are 32-bit (i686). Where this machine runs 32-bit
# programs (wine32), the Wine tests run them; where it cannot (a kernel
# without 32-bit emulation), they run the x86_64 build of the same sources
# under wine64. KORVANE_WINE_ARCH=win32|win64 forces the choice.

KORVANE_ROOT=${KORVANE_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}

if [ -z "${KORVANE_WINE_ARCH:-}" ]; then
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    KORVANE_WINE_ARCH=win32
  else
    KORVANE_WINE_ARCH=win64
  fi
fi

if [ "$KORVANE_WINE_ARCH" = win32 ]; then
  WINE=/usr/lib/wine/wine
  KORVANE_WIN_BUILD=$KORVANE_ROOT/build/win32
else
  WINE=/usr/lib/wine/wine64
  export WINELOADER=/usr/lib/wine/wine64
  KORVANE_WIN_BUILD=$KORVANE_ROOT/build/win64
fi
export WINEARCH=$KORVANE_WINE_ARCH
export WINEDEBUG=-all
# No desktop menu entries on the Linux side for the start-menu links the installer makes.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Windows path of a Linux path (Wine maps drive Z: to /).
winpath() {
  local p
  p=$(realpath -m "$1")
  printf 'Z:%s' "${p//\//\\}"
}

# A fresh prefix: one per run, so nothing of an earlier run leaks in.
new_wine_prefix() {
  export WINEPREFIX=$1
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  "$WINE" wineboot -i >/dev/null 2>&1
  # Unmanaged windows start about two seconds faster.
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  # Programs started later must not join a session begun without their display.
  wineserver -k >/dev/null 2>&1 || true
}
