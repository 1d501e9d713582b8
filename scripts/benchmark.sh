#!/usr/bin/env bash
# Builds the benchmarks optimised and without sanitizers (build/bench) and
# prints their figures. Nothing here fails on time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
if [ ! -f build/bench/build.ninja ]; then
  cmake -S . -B build/bench -G Ninja -DKORVANE_TARGET=native -DKORVANE_SANITIZE=OFF -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
ninja -C build/bench -j "$(nproc)" --quiet display_benchmark
build/bench/tools/bench/display_benchmark
