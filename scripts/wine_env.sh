# Sourced by the scripts that run Windows programs under Wine.
#
# The deliverables are 32-bit (i686). Where the kernel runs 32-bit programs,
# Wine's 32-bit side runs them as they are; where it does not, it runs them
# through QEMU's i386 user-mode emulator in a user namespace of our own (see
# i386_support.sh); where neither can be had, the x86_64 build of the same
# sources runs under wine64. KORVANE_WINE_ARCH=win32|win64 forces the build;
# by default it is win32 only where the kernel runs it, since emulated
# programs start about twenty times slower (the test command runs the i686
# programs in either case).

KORVANE_ROOT=${KORVANE_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
source "$KORVANE_ROOT/scripts/i386_support.sh"

if [ -z "${KORVANE_WINE_ARCH:-}" ]; then
  if [ "$(korvane_i386_mode)" = native ]; then KORVANE_WINE_ARCH=win32; else KORVANE_WINE_ARCH=win64; fi
fi

if [ "$KORVANE_WINE_ARCH" = win32 ]; then
  WINE=/usr/lib/wine/wine
  [ "$(korvane_i386_mode)" = emulated ] && WINE=$KORVANE_ROOT/scripts/wine_i386_emulated.sh
  KORVANE_WIN_BUILD=$KORVANE_ROOT/build/win32
else
  WINE=/usr/lib/wine/wine64
  export WINELOADER=/usr/lib/wine/wine64
  KORVANE_WIN_BUILD=$KORVANE_ROOT/build/win64
fi
export KORVANE_WINE_ARCH WINEARCH=$KORVANE_WINE_ARCH
export WINEDEBUG=-all
# No desktop menu entries on the Linux side for the start-menu links the installer makes.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Which build runs, for the logs.
wine_build_name() {
  case $KORVANE_WINE_ARCH in
    win32) echo "i686 build ($(korvane_i386_mode) 32-bit)" ;;
    *) echo "x86_64 build" ;;
  esac
}

# Emulated 32-bit Wine: one user namespace for the whole run, with QEMU's
# i386 emulator registered in its own binfmt_misc instance (never the
# machine's). It lives as long as the shell that sourced this file;
# wine_i386_emulated.sh enters it for every Wine command.
wine_namespace_up() {
  [ "$KORVANE_WINE_ARCH" = win32 ] && [ "$(korvane_i386_mode)" = emulated ] || return 0
  [ -n "${KORVANE_I386_NS:-}" ] && [ -d "/proc/$KORVANE_I386_NS" ] && return 0
  fetch_qemu_i386 || return 1
  local ready entry
  ready=$(mktemp)
  entry=':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  entry+=':\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  entry+=":$KORVANE_QEMU_I386:F"
  unshare --user --map-root-user --mount bash -c '
    mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc || exit 1
    printf "%s" "$1" >/proc/sys/fs/binfmt_misc/register || exit 1
    echo up >"$2"
    while [ -d "/proc/$3" ]; do sleep 1; done' _ "$entry" "$ready" "$$" </dev/null >/dev/null 2>&1 &
  KORVANE_I386_NS=$!
  local i
  for i in $(seq 1 100); do
    [ -s "$ready" ] && break
    kill -0 "$KORVANE_I386_NS" 2>/dev/null || break
    sleep 0.05
  done
  rm -f "$ready"
  kill -0 "$KORVANE_I386_NS" 2>/dev/null || { echo "wine_env: no namespace for emulated 32-bit Wine" >&2; return 1; }
  export KORVANE_I386_NS
}

# Windows path of a Linux path (Wine maps drive Z: to /).
winpath() {
  local p
  p=$(realpath -m "$1")
  printf 'Z:%s' "${p//\//\\}"
}

# A fresh prefix: one per run, so nothing of an earlier run leaks in.
new_wine_prefix() {
  export WINEPREFIX=$1
  wine_namespace_up || return 1
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  "$WINE" wineboot -i >/dev/null 2>&1
  # Unmanaged windows start about two seconds faster.
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  # Programs started later must not join a session begun without their display.
  wineserver -k >/dev/null 2>&1 || true
}
