#!/usr/bin/env bash
# A longer fuzzing run than the test command's: every fuzz target for
# FUZZ_SECONDS (default 1800) from its seed corpus plus real captures of
# host output, keeping what it finds in build/fuzz/campaign/<target>.
# Prints a table of executions, coverage and corpus size per target.
# FUZZ_TIMEOUT (default 60) seconds makes one input a hang: a fuzzer starved
# of the processor on a loaded machine must not look hung.
#   scripts/fuzz_campaign.sh [target ...]   (default: every target)
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${FUZZ_SECONDS:-1800}
unit_timeout=${FUZZ_TIMEOUT:-60}
work=$root/build/fuzz/campaign
mkdir -p "$work"

# Real host output for the parsers that read it.
captures_for() {
  case "$1" in
    vt100_parser_fuzz) ls "$root"/tests/modules/captures/{less,vim,tput,tput_init}.bin "$root"/tools/bench/captures/top_vt100.bin ;;
    ansi_parser_fuzz) ls "$root"/tests/modules/captures/ansi_*.bin "$root"/tools/bench/captures/top_ansi.bin ;;
    scoansi_parser_fuzz) ls "$root"/tests/modules/captures/scoansi_*.bin "$root"/tools/bench/captures/top_scoansi.bin ;;
    wyse60_parser_fuzz) ls "$root"/tests/modules/captures/wy60_*.bin "$root"/tools/bench/captures/top_wy60.bin ;;
    telnet_protocol_fuzz) ls "$root"/tools/bench/captures/top_*.bin ;;
  esac 2>/dev/null
}

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for t in "$root"/build/fuzz/tests/fuzz/*_fuzz; do [ -x "$t" ] && targets+=("$(basename "$t")"); done
fi
printf '%-26s %8s %12s %10s %8s %8s  %s\n' target seconds executions exec/s cov corpus result
failed=0
for name in "${targets[@]}"; do
  binary=$root/build/fuzz/tests/fuzz/$name
  corpus=$work/$name
  seeds=$work/$name.seeds
  mkdir -p "$corpus" "$seeds"
  cp -f "$root"/tests/fuzz/corpus/"${name%_fuzz}"/* "$seeds"/ 2>/dev/null
  for capture in $(captures_for "$name"); do cp -f "$capture" "$seeds/"; done
  log=$work/$name.log
  if "$binary" -max_total_time="$seconds" -max_len=8192 -timeout="$unit_timeout" -print_final_stats=1 \
      -artifact_prefix="$work/$name-" "$corpus" "$seeds" >"$log" 2>&1; then
    result=ok
  else
    result=FAILED
    failed=$((failed + 1))
  fi
  runs=$(awk '/^stat::number_of_executed_units/ {print $2}' "$log")
  rate=$(awk '/^stat::average_exec_per_sec/ {print $2}' "$log")
  cov=$(grep -oE 'cov: [0-9]+' "$log" | tail -1 | awk '{print $2}')
  files=$(find "$corpus" -type f | wc -l)
  printf '%-26s %8s %12s %10s %8s %8s  %s\n' "$name" "$seconds" "${runs:-?}" "${rate:-?}" "${cov:-?}" "$files" "$result"
done
[ "$failed" -eq 0 ]
