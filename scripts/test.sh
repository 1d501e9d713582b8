#!/usr/bin/env bash
# Builds everything and runs every test: native unit tests (ASan + UBSan),
# a short fuzz run of every parser, the checks of the built deliverables and
# the Windows integration tests under Wine and Xvfb. Installs what it needs.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
start=$(date +%s)

"$root/scripts/bootstrap.sh" || exit 1
"$root/scripts/build.sh" || exit 1
source "$root/scripts/i386_support.sh"

results=()
status=0
step() {  # name, command...
  local name=$1
  shift
  echo "== $name"
  if "$@"; then results+=("$name: passed"); else results+=("$name: FAILED"); status=1; fi
}

step "unit tests" ctest --test-dir build/native --output-on-failure -j "$(nproc)"
step "fuzzing" scripts/run_fuzzers.sh
step "package" scripts/package.sh win32
step "deliverables" scripts/check_deliverables.sh
# The Windows programs under Wine. The i686 files a user installs, unzipped
# from the package, are what runs; where the kernel cannot run 32-bit
# programs they run emulated (about twenty times slower to start), so then
# the x86_64 build of the same sources runs every script and the i686
# package the scripts below.
# (connection.kvt listens on port 23 itself, which the emulator's user
# namespace cannot; interop.kvt's telnetd on port 23 runs outside it.)
i686_scripts=(startup vt100_module ansi_module scoansi_module wyse60_module batched_drawing
              ansi_sessions wyse60_sessions interop pfkey_editor settings_main
              install_full install_removal printing)
wine_run() {  # build, package or bin, scripts...
  local arch=$1 package=$2
  shift 2
  KORVANE_WINE_ARCH=$arch KORVANE_WINE_PACKAGE=$package \
    xvfb-run -a -s "-screen 0 1024x768x24" tests/wine/run_wine_tests.sh "$@"
}
case $(korvane_i386_mode) in
  native)
    step "wine, i686 package" wine_run win32 1
    ;;
  emulated)
    step "wine, x86_64 build" wine_run win64 0
    step "wine, i686 package (emulated)" wine_run win32 1 \
      $(printf 'tests/wine/scripts/%s.kvt ' "${i686_scripts[@]}")
    ;;
  *)
    step "wine, x86_64 build" wine_run win64 0
    echo "This machine cannot run 32-bit programs, natively or emulated: the i686 package did not run."
    results+=("wine, i686 package: NOT RUN")
    status=1
    ;;
esac

echo "== summary ($(( $(date +%s) - start )) s)"
printf '%s\n' "${results[@]}"
[ $status -eq 0 ] && echo "ALL TESTS PASSED" || echo "SOME TESTS FAILED"
exit $status
