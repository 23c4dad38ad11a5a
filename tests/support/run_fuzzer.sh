#!/usr/bin/env bash
# Runs one libFuzzer target from its saved corpus:
#   run_fuzzer.sh FUZZER SAVED_CORPUS WORK RUNS SECONDS [SEED]
# The test gate passes a fixed SEED and a fixed number of RUNS over a fresh
# scratch corpus, so a crash it finds is found again by every later run;
# scripts/fuzz.sh passes seed 0 (random) and a longer time. A crash, leak,
# timeout or running out of memory fails the run, and its input is copied into
# SAVED_CORPUS (in the source tree), which the target's replay test runs.
set -uo pipefail
fuzzer=$1 saved=$2 work=$3 runs=$4 seconds=$5 seed=${6:-1}
rm -rf "$work"
mkdir -p "$work/corpus" "$work/artifacts"
"$fuzzer" -seed="$seed" -runs="$runs" -max_total_time="$seconds" -max_len=8192 -timeout=10 \
  -rss_limit_mb=1024 -print_final_stats=1 -artifact_prefix="$work/artifacts/" "$work/corpus" "$saved"
status=$?
found=0
for input in "$work"/artifacts/*; do
  [ -f "$input" ] || continue
  cp "$input" "$saved/"
  echo "run_fuzzer: $(basename "$fuzzer") failed on an input, now saved as $saved/$(basename "$input"):" \
       "commit it with the fix; the replay test runs it from now on" >&2
  found=1
done
[ $status -eq 0 ] && [ $found -eq 0 ]
