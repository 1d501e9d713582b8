#!/usr/bin/env bash
# Builds the benchmarks optimised and without sanitizers (build/bench) and
# prints their figures. With --wine, also the screen drawing rates of
# Korvane.exe under Wine and Xvfb, and the end-to-end connection figures
# against Debian's PuTTY and the latency floor. --latency-only: only the
# latency paths end to end under Wine (the floor and Korvane.exe
# interleaved, BENCH_PAIRS times). Nothing here fails on time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
if [ "${1:-}" = "--latency-only" ]; then
  source scripts/wine_env.sh
  scripts/build.sh "$KORVANE_WINE_ARCH" >/dev/null
  exec tools/bench/connection_benchmark.sh --latency-only
fi
if [ ! -f build/bench/build.ninja ]; then
  cmake -S . -B build/bench -G Ninja -DKORVANE_TARGET=native -DKORVANE_SANITIZE=OFF -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
ninja -C build/bench -j "$(nproc)" --quiet display_benchmark parser_benchmark telnet_benchmark pipeline_benchmark
build/bench/tools/bench/display_benchmark
build/bench/tools/bench/parser_benchmark
build/bench/tools/bench/telnet_benchmark
build/bench/tools/bench/pipeline_benchmark

if [ "${1:-}" = "--wine" ]; then
  source scripts/wine_env.sh
  scripts/build.sh "$KORVANE_WINE_ARCH" >/dev/null
  xvfb-run -a -s "-screen 0 1024x768x24" tests/wine/run_wine_tests.sh tests/wine/benchmarks/screen_drawing.kvt >/dev/null || true
  echo "Screen drawing under Wine ($KORVANE_WINE_ARCH):"
  grep '^# ' "$KORVANE_WIN_BUILD/wine-tests/screen_drawing.out" | sed 's/^# /  /'
  echo "Connection end to end under Wine and Xvfb, with the latency floor and Debian's PuTTY beside it:"
  tools/bench/connection_benchmark.sh
  echo "Start-up and memory under Wine and Xvfb:"
  tools/bench/startup_benchmark.sh
fi
