#!/usr/bin/env bash
# Runs every fuzz target for a short fixed time from its seed corpus
# (tests/fuzz/corpus/<target without _fuzz>). A crash, leak or trap fails.
#   FUZZ_SECONDS (default 10) per target.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${FUZZ_SECONDS:-10}
work=$root/build/fuzz/runs
mkdir -p "$work"
failed=0
count=0
for target in "$root"/build/fuzz/tests/fuzz/*_fuzz; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  seeds=$root/tests/fuzz/corpus/${name%_fuzz}
  corpus=$work/$name
  mkdir -p "$corpus"
  count=$((count + 1))
  if "$target" -max_total_time="$seconds" -max_len=4096 -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$work/$name-" "$corpus" "$seeds" >"$work/$name.log" 2>&1; then
    runs=$(grep -E '^stat::number_of_executed_units' "$work/$name.log" | awk '{print $2}')
    echo "fuzz $name: ok (${runs:-?} runs in ${seconds}s)"
  else
    failed=$((failed + 1))
    echo "fuzz $name: FAILED"
    tail -40 "$work/$name.log"
  fi
done
echo "Fuzz: $((count - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
