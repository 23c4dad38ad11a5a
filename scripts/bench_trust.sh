#!/usr/bin/env bash
# The three figures of a trustworthy update, under Wine, each against a
# reference in the same run:
#  - a download of a 160 MB file from a private nginx with and without the
#    SHA-256 check of the copy (target: the check adds at most 15%);
#  - the all-or-nothing install of FILES files against the copying install
#    it replaced (target: at most 1.3x);
#  - a run over a 5,000-section manifest whose files are all up to date
#    (target: at most 2 ms per file);
#  - the fetch of a signed 5,000-section manifest against the unsigned fetch
#    (target: the signature adds at most 5 ms).
#   scripts/bench_trust.sh [ROUNDS] [FILES]   (after scripts/build.sh)
set -euo pipefail
source "$(dirname "$0")/env.sh"
rounds=${1:-5}
files=${2:-2000}
cmake --build "$QUONEL_BUILD/win" --target trust_bench wizard_run_bench signature_bench >/dev/null
bench=$QUONEL_BUILD/win/tests/bench

source "$QUONEL_ROOT/scripts/bench_site.sh"
bench_site_start big.pak 160
folder=$(winepath -w "$work" 2>/dev/null)

"$QUONEL_ROOT/scripts/with-display.sh" bash -c '
  wine "$0/trust_bench.exe" digest "$1" "$2" "$3" &&
  wine "$0/trust_bench.exe" install "$2" "$4" "$3" &&
  wine "$0/wizard_run_bench.exe" 5000 &&
  wine "$0/signature_bench.exe" 5000' "$bench" "$url" "$folder" "$rounds" "$files" | tr -d '\r'
