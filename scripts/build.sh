#!/usr/bin/env bash
# Configures and builds one or more of the project's builds:
#   native  portable core and unit tests (g++, ASan + UBSan)   build/native
#   fuzz    libFuzzer targets (clang)                          build/fuzz
#   win32   the i686 deliverables                              build/win32
#   win64   x86_64 build of the same sources, for Wine tests   build/win64
# With no argument: everything the test command needs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=$(nproc)

configure() {  # dir, cmake arguments...
  local dir=$1
  shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  fi
}

build_one() {
  case "$1" in
    native) configure build/native -DKORVANE_TARGET=native -DCMAKE_BUILD_TYPE=Debug ;;
    fuzz) CC=clang CXX=clang++ configure build/fuzz -DKORVANE_TARGET=fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo ;;
    win32) configure build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release ;;
    win64) configure build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release ;;
    *) echo "build.sh: unknown build $1" >&2; exit 2 ;;
  esac
  echo "== build $1"
  ninja -C "build/$1" -j "$jobs" --quiet
}

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  source scripts/wine_env.sh
  targets=(native fuzz win32)
  [ "$KORVANE_WINE_ARCH" = win64 ] && targets+=(win64)
fi
for t in "${targets[@]}"; do build_one "$t"; done
