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
step "wine" xvfb-run -a -s "-screen 0 1024x768x24" tests/wine/run_wine_tests.sh

echo "== summary ($(( $(date +%s) - start )) s)"
printf '%s\n' "${results[@]}"
[ $status -eq 0 ] && echo "ALL TESTS PASSED" || echo "SOME TESTS FAILED"
exit $status
