#!/usr/bin/env bash
# Runs every Wine integration script (tests/wine/scripts/*.kvt, or those
# named) with the UI driver in a fresh prefix under the current X display.
# Each script must end with its own "N passed, N failed" line: a program
# that exits silently in a broken prefix is a failure, not a pass.
#   KORVANE_WINE_ARCH=win32|win64   the build (see scripts/wine_env.sh)
#   KORVANE_WINE_PACKAGE=1          the programs are the files a user
#                                   installs: the build's korvane-1.8.3.4.zip,
#                                   unzipped, instead of its bin folder
set -u
source "$(dirname "$0")/../../scripts/wine_env.sh"

build=$KORVANE_WIN_BUILD
work=$build/wine-tests
scratch=$work/scratch
mkdir -p "$work"
rm -rf "$scratch"
mkdir -p "$scratch"

bin=$build/bin
if [ "${KORVANE_WINE_PACKAGE:-0}" = 1 ]; then
  "$KORVANE_ROOT/scripts/package.sh" "$KORVANE_WINE_ARCH" >/dev/null || exit 1
  zip=$KORVANE_ROOT/build/korvane-1.8.3.4.zip
  [ "$KORVANE_WINE_ARCH" = win64 ] && zip=$build/korvane-1.8.3.4.zip
  bin=$work/package
  rm -rf "$bin"
  unzip -q "$zip" -d "$bin" || exit 1
fi
echo "Wine: $(wine_build_name), programs from $bin"

new_wine_prefix "$work/prefix" || exit 1

scripts=("$@")
[ ${#scripts[@]} -eq 0 ] && scripts=("$KORVANE_ROOT"/tests/wine/scripts/*.kvt)

total_passed=0
total_failed=0
broken=()
for script in "${scripts[@]}"; do
  name=$(basename "$script" .kvt)
  out=$work/$name.out
  mkdir -p "$scratch/$name"
  # A script may need a Linux-side peer (a real telnet server): <name>.host.sh
  # is started before it, prints NAME=VALUE lines for the script (also put
  # in the Linux environment of the programs it starts: Wine passes the
  # variables of that environment on to Linux libraries, such as CUPS's
  # CUPS_SERVER), and is stopped after it.
  helper=${script%.kvt}.host.sh
  helper_vars=()
  [ -x "$helper" ] && mapfile -t helper_vars < <("$helper" start "$scratch/$name")
  env "${helper_vars[@]}" "$WINE" "$build/test-bin/kvdriver.exe" "$(winpath "$script")" \
      "BIN=$(winpath "$bin")" "TEST_BIN=$(winpath "$build/test-bin")" "ROOT=$(winpath "$KORVANE_ROOT")" \
      "SCRATCH=$(winpath "$scratch/$name")" \
      "SCRATCH_UNIX=$scratch/$name" "${helper_vars[@]}" >"$out.raw" 2>&1
  status=$?
  [ -x "$helper" ] && "$helper" stop "$scratch/$name"
  tr -d '\r' <"$out.raw" >"$out"
  summary=$(grep -E '^[0-9]+ passed, [0-9]+ failed$' "$out" | tail -1)
  if [ -z "$summary" ]; then
    broken+=("$name")
    echo "not ok - $name: no summary line (driver exit status $status)"
    cat "$out"
    continue
  fi
  grep -E '^not ok' "$out"
  p=${summary%% passed*}
  f=${summary#*, }
  f=${f%% failed}
  total_passed=$((total_passed + p))
  total_failed=$((total_failed + f))
  echo "$name: $summary"
done
wineserver -k >/dev/null 2>&1 || true

echo "Wine ($(wine_build_name)): $total_passed passed, $((total_failed + ${#broken[@]})) failed"
[ "$total_failed" -eq 0 ] && [ ${#broken[@]} -eq 0 ]
