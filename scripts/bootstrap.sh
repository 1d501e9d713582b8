#!/usr/bin/env bash
# Installs every Debian package the build, the run command and the tests need.
# Idempotent: when everything is present it only checks and returns.
#   scripts/bootstrap.sh            what the build, the run command and the tests use
#   scripts/bootstrap.sh --capture  also the programs the capture tools record
#                                   (tools/capture_program.py, tools/conformance/)
#   scripts/bootstrap.sh --list     prints the package list and installs nothing
set -euo pipefail

native_pkgs=(
  build-essential cmake ninja-build pkg-config
  clang libclang-rt-14-dev llvm
  googletest libgtest-dev libgmock-dev
  libfreetype-dev fonts-dejavu-core fonts-go xfonts-base
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth x11-utils imagemagick
  socat inetutils-telnetd putty xdotool libvterm-dev
  dialog ncurses-term ncurses-bin
  debootstrap bubblewrap
  cups-daemon cups-client ghostscript
  python3 zip unzip
)
# Wine's 32-bit side loads these when present, as the 64-bit side does its
# own: CUPS for the printers, the X extensions for drawing, cursors and
# screens. Without them the i686 programs would print and draw otherwise.
i386_pkgs=(wine32:i386 libcups2:i386 libxrender1:i386 libxrandr2:i386 libxi6:i386 libxcursor1:i386
           libxfixes3:i386 libxinerama1:i386 libxcomposite1:i386 libxxf86vm1:i386)
# Recorded programs and the reference terminal; the captures are committed,
# so nothing in the test command needs these.
capture_pkgs=(tmux procps htop mc nano whiptail man-db manpages vim less dialog ncurses-term)

case "${1:-}" in
  --list) printf '%s\n' "${native_pkgs[@]}" "${i386_pkgs[@]}"; exit 0 ;;
  --capture) native_pkgs+=("${capture_pkgs[@]}") ;;
  "") ;;
  *) echo "bootstrap: unknown option $1" >&2; exit 2 ;;
esac

missing=()
for p in "${native_pkgs[@]}" "${i386_pkgs[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "bootstrap: these packages are missing and installing them needs root: ${missing[*]}" >&2
  exit 1
fi

echo "bootstrap: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
# A mirror caught in the middle of a sync answers with lists of the wrong
# size for a while: try again rather than fail the run.
retry() {
  local attempt
  for attempt in 1 2 3; do
    "$@" && return 0
    [ "$attempt" -lt 3 ] && { echo "bootstrap: $1 failed, trying again in $((attempt * 15)) s" >&2; sleep $((attempt * 15)); }
  done
  return 1
}
# A list that still will not come down (one suite of one architecture, say
# the security updates for i386) need not stop the installation: the
# packages may well be had from the lists that did. If not, install fails.
retry apt-get update -qq || echo "bootstrap: some package lists could not be updated; installing from the others" >&2
retry apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
# The i686 cross compiler must use the posix thread model (std::mutex, std::thread).
update-alternatives --set i686-w64-mingw32-g++ /usr/bin/i686-w64-mingw32-g++-posix >/dev/null 2>&1 || true
update-alternatives --set i686-w64-mingw32-gcc /usr/bin/i686-w64-mingw32-gcc-posix >/dev/null 2>&1 || true
echo "bootstrap: done"
