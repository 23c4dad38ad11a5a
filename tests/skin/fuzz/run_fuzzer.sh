#!/usr/bin/env bash
# Runs the skin archive fuzzer for a bounded time from the saved corpus.
# New interesting inputs go to a scratch corpus in the build tree; a crash
# leaves its input in ARTIFACTS: add it to tests/skin/fuzz_corpus so that
# the replay test keeps running it.
set -euo pipefail
fuzzer=$1 seeds=$2 work=$3 seconds=$4
mkdir -p "$work/corpus" "$work/artifacts"
exec "$fuzzer" -max_total_time="$seconds" -max_len=8192 -timeout=10 -rss_limit_mb=1024 \
  -print_final_stats=1 -artifact_prefix="$work/artifacts/" "$work/corpus" "$seeds"
