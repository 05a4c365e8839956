#!/usr/bin/env bash
# Runs the fuzz targets of a fuzz build on their seed corpora and fails on any crash, leak,
# overrun, broken property or hang (an input that runs longer than 10 s).
# Usage: scripts/run-fuzz.sh <fuzz-build-folder> <seconds-per-target> [target...]
# Extra libFuzzer options (e.g. -runs=10000000) go in KEYLOOM_FUZZ_ARGS.
set -euo pipefail
build=$(cd "$1" && pwd)
seconds=$2
shift 2
source_dir=$(cd "$(dirname "$0")/.." && pwd)
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for seeds in "$source_dir"/fuzz/corpus/*/; do targets+=("$(basename "$seeds")"); done
fi
mkdir -p "$build/fuzz-corpus" "$build/fuzz-logs" "$build/fuzz-artifacts"
failed=()
for name in "${targets[@]}"; do
  work="$build/fuzz-corpus/$name"
  log="$build/fuzz-logs/$name.log"
  mkdir -p "$work"
  if "$build/${name}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -max_len=4096 -print_final_stats=1 -artifact_prefix="$build/fuzz-artifacts/$name-" \
      ${KEYLOOM_FUZZ_ARGS:-} "$work" "$source_dir/fuzz/corpus/$name" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz $name: ${runs:-?} runs, no fault"
  else
    tail -n 40 "$log"
    echo "fuzz $name: FAILED (log: $log)"
    failed+=("$name")
  fi
done
[ ${#failed[@]} -eq 0 ] || { echo "fuzz targets failed: ${failed[*]}"; exit 1; }
